#include "TPowersock.h"

#include "EventPump.h"
#include "HostLookup.h"
#include "NetErrors.h"
#include "OutputFile.h"

#include <arpa/inet.h>
#include <netinet/in.h>
#include <poll.h>
#include <sys/socket.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <istream>
#include <optional>
#include <system_error>
#include <vector>

namespace {

// Longest single block in poll(): short enough that the pump keeps the
// windows responsive, long enough that a silent peer costs no processor time.
constexpr int roundMs = 10;
// Bytes moved per chunk by CaptureFile and SendStream.
constexpr std::size_t chunkSize = 64 * 1024;
// ReadLn's window: a line longer than this comes back in pieces.
constexpr std::size_t lineChunk = 255;
// ReadLn waits this many rounds for the rest of a line that has no line end yet.
constexpr int lineRounds = 100;

int socketError(int socket)
{
    int error = 0;
    socklen_t length = sizeof error;
    if (getsockopt(socket, SOL_SOCKET, SO_ERROR, &error, &length) != 0)
        return errno;
    return error;
}

} // namespace

struct TPowersock::WaitMessages
{
    const char* timedOut;
    const char* canceled;
    const char* failed; // a read wait never fails: the read that follows tells
};

const TPowersock::WaitMessages TPowersock::lookupWait{"Host Lookup Timed Out", "Host Lookup Canceled",
                                                      "Host Lookup Failed"};
const TPowersock::WaitMessages TPowersock::connectionWait{"Connection Timed Out", "Connection Canceled",
                                                          "Connection Failed"};
const TPowersock::WaitMessages TPowersock::readWait{"Read Timed Out", "Read Canceled", nullptr};
const TPowersock::WaitMessages TPowersock::writeWait{"Write Timed Out", "Write Canceled", "Write Failed"};

TPowersock::TPowersock()
{
    openSocket();
}

TPowersock::~TPowersock()
{
    if (m_socket >= 0)
        close(m_socket);
}

std::string TPowersock::RemoteIP() const
{
    char text[INET_ADDRSTRLEN] = {};
    in_addr address{};
    address.s_addr = m_remoteAddress;
    inet_ntop(AF_INET, &address, text, sizeof text);
    return text;
}

void TPowersock::ReportStatus(int level, const std::string& text)
{
    if (level > ReportLevel)
        return;
    m_status = text;
    if (OnStatus)
        OnStatus(*this, text);
}

void TPowersock::Cancel()
{
    ReportStatus(2, "Canceling");
    BeenCanceled = true;
}

// --- Waiting ---------------------------------------------------------------

void TPowersock::StartTimer()
{
    ReportStatus(8, "Timer On");
    m_timedOut = false;
    m_timerEnabled = TimeOut > 0;
    if (m_timerEnabled)
        m_deadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(TimeOut);
}

void TPowersock::StopTimer()
{
    ReportStatus(8, "Timer Off");
    m_timerEnabled = false;
}

void TPowersock::TimerFired()
{
    StopTimer();
    m_timedOut = true;
    ReportStatus(8, "Timer Triggered");
}

int TPowersock::pollRoundMs() const
{
    if (!m_timerEnabled)
        return roundMs;
    const auto left =
        std::chrono::ceil<std::chrono::milliseconds>(m_deadline - std::chrono::steady_clock::now());
    return static_cast<int>(std::clamp<std::chrono::milliseconds::rep>(left.count(), 0, roundMs));
}

// Runs the event pump and polls fd in turns until one of the events arrives,
// the timer runs out or the operation is cancelled. Returns the poll result.
short TPowersock::wait(const WaitMessages& messages, int fd, short events)
{
    StartTimer();
    short revents = 0;
    for (;;) {
        pumpEvents();
        if (BeenCanceled)
            break;
        pollfd entry{fd, events, 0};
        const int ready = poll(&entry, 1, pollRoundMs());
        if (ready > 0) {
            revents = entry.revents;
            break;
        }
        if (ready < 0 && errno != EINTR) {
            const int error = errno;
            StopTimer();
            CheckError(error);
        }
        if (m_timerEnabled && std::chrono::steady_clock::now() >= m_deadline)
            TimerFired();
        if (m_timedOut)
            break;
    }
    StopTimer();
    if (m_timedOut)
        throw ESockError(messages.timedOut);
    if (BeenCanceled)
        throw ESockError(messages.canceled);
    return revents;
}

void TPowersock::WaitForRead()
{
    const short revents = wait(readWait, m_socket, POLLIN | POLLRDHUP);
    if ((revents & (POLLRDHUP | POLLHUP)) && !m_closeNoticed) {
        m_closeNoticed = true;
        m_connected = false;
        if (OnDisconnect)
            OnDisconnect(*this);
    }
}

void TPowersock::WaitForWrite()
{
    const short revents = wait(writeWait, m_socket, POLLOUT);
    if (revents & (POLLERR | POLLHUP))
        throw ESockError(writeWait.failed);
}

// --- Connecting ------------------------------------------------------------

void TPowersock::ResolveHost()
{
    const std::string& name = Proxy.empty() ? Host.str() : Proxy.str();
    in_addr dotted{};
    if (name.empty()) {
        m_remoteAddress = 0;
        return;
    }
    if (inet_aton(name.c_str(), &dotted) != 0) {
        m_remoteAddress = dotted.s_addr;
        return;
    }
    std::optional<HostLookup> lookup;
    try {
        lookup.emplace(name);
    } catch (const std::system_error&) {
        throw ESockError(lookupWait.failed);
    }
    wait(lookupWait, lookup->notifyFd(), POLLIN);
    const std::optional<std::uint32_t> address = lookup->address();
    if (!address)
        throw ESockError(lookupWait.failed);
    m_remoteAddress = *address;
}

void TPowersock::Connect()
{
    BeenCanceled = false;
    if (m_connected)
        throw ESockError("Already connected");
    ResolveHost();
    if (m_remoteAddress == 0)
        throw ESockError("Null Remote Address");
    ReportStatus(2, "Connecting");
    if (m_socket < 0)
        openSocket();
    try {
        startConnect();
    } catch (const ESockError&) {
        // A socket whose connect was abandoned half-way would go on with it;
        // the next attempt must start clean.
        close(m_socket);
        m_socket = -1;
        openSocket();
        throw;
    }
    m_connected = true;
    m_closeNoticed = false;
}

void TPowersock::startConnect()
{
    sockaddr_in remote{};
    remote.sin_family = AF_INET;
    remote.sin_port = htons(static_cast<std::uint16_t>(Proxy.empty() ? Port : ProxyPort));
    remote.sin_addr.s_addr = m_remoteAddress;
    // A refusal can come at once; otherwise the outcome arrives with writability.
    if (connect(m_socket, reinterpret_cast<const sockaddr*>(&remote), sizeof remote) != 0 &&
        errno != EINPROGRESS && errno != EINTR)
        throw ESockError(connectionWait.failed);
    wait(connectionWait, m_socket, POLLOUT);
    if (socketError(m_socket) != 0)
        throw ESockError(connectionWait.failed);
}

void TPowersock::Disconnect()
{
    ReportStatus(2, "Disconnecting");
    CloseSocket();
}

void TPowersock::openSocket()
{
    m_socket = socket(AF_INET, SOCK_STREAM | SOCK_NONBLOCK | SOCK_CLOEXEC, IPPROTO_TCP);
    if (m_socket < 0)
        CheckError(errno);
}

void TPowersock::CloseSocket()
{
    ReportStatus(4, "Request Close Socket");
    m_connected = false;
    if (m_socket < 0)
        return;
    const int closed = close(m_socket);
    const int error = errno;
    m_socket = -1;
    if (closed != 0)
        CheckError(error);
    // The next Connect finds a fresh socket.
    openSocket();
}

// Only the would-block condition passes; every other errno raises.
void TPowersock::CheckError(int error)
{
    ReportStatus(16, "Checking Error In Error Manager");
    LastErrorNo = error;
    if (error == EAGAIN || error == EWOULDBLOCK)
        return;
    const std::string message = "Unknown Error No. " + std::to_string(static_cast<std::uint16_t>(error));
    ReportStatus(8, "Looking Up Error Message" + message);
    throw ESockError(message);
}

// --- Moving data -----------------------------------------------------------

// Sleeps until more than `peeked` bytes are waiting, the peer closes, or one
// round has passed. The low-water mark makes poll() wake for new bytes only.
void TPowersock::waitForLongerLine(std::size_t peeked)
{
    const int mark = static_cast<int>(peeked + 1);
    setsockopt(m_socket, SOL_SOCKET, SO_RCVLOWAT, &mark, sizeof mark);
    pollfd entry{m_socket, POLLIN | POLLRDHUP, 0};
    poll(&entry, 1, roundMs);
    const int one = 1;
    setsockopt(m_socket, SOL_SOCKET, SO_RCVLOWAT, &one, sizeof one);
}

std::string TPowersock::ReadLn()
{
    WaitForRead();
    char bytes[lineChunk];
    std::size_t take = 0;
    for (int round = 1;; ++round) {
        const ssize_t peeked = recv(m_socket, bytes, sizeof bytes, MSG_PEEK);
        if (peeked < 0 && errno == EINTR)
            continue;
        if (peeked <= 0)
            return {};
        pumpEvents();
        const auto* lineFeed =
            static_cast<const char*>(std::memchr(bytes, '\n', static_cast<std::size_t>(peeked)));
        take = lineFeed ? static_cast<std::size_t>(lineFeed - bytes + 1) : static_cast<std::size_t>(peeked);
        if (lineFeed || take == lineChunk || BeenCanceled || round >= lineRounds)
            break;
        pollfd closed{m_socket, POLLRDHUP, 0};
        if (poll(&closed, 1, 0) > 0)
            break; // the peer has closed: no more bytes can complete the line
        waitForLongerLine(take);
    }
    ssize_t taken;
    do {
        taken = recv(m_socket, bytes, take, 0);
    } while (taken < 0 && errno == EINTR);
    return taken > 0 ? std::string(bytes, static_cast<std::size_t>(taken)) : std::string();
}

bool TPowersock::hasMoreData()
{
    WaitForRead();
    char byte;
    ssize_t peeked;
    do {
        peeked = recv(m_socket, &byte, 1, MSG_PEEK);
    } while (peeked < 0 && errno == EINTR);
    return peeked > 0;
}

void TPowersock::CaptureFile(const std::string& name, std::int64_t maxBytes)
{
    OutputFile file(name);
    ReportStatus(2, "Capture File");
    m_bytesRecvd = 0;
    std::vector<char> buffer(chunkSize);
    while (m_bytesRecvd < maxBytes && !BeenCanceled && !m_timedOut) {
        WaitForRead();
        const auto want =
            static_cast<std::size_t>(std::min<std::int64_t>(chunkSize, maxBytes - m_bytesRecvd));
        const ssize_t got = recv(m_socket, buffer.data(), want, 0);
        if (got < 0) {
            if (errno != EINTR)
                CheckError(errno);
            continue;
        }
        if (got == 0)
            break;
        file.append({buffer.data(), static_cast<std::size_t>(got)});
        m_bytesRecvd += got;
        if (OnPacketRecvd)
            OnPacketRecvd(*this);
    }
}

void TPowersock::SendStream(std::istream& stream)
{
    stream.clear();
    stream.seekg(0, std::ios::end);
    const std::int64_t total = stream.tellg();
    stream.seekg(0);
    ReportStatus(2, "Send File");
    m_bytesRecvd = 0;
    m_bytesTotal = total;
    std::vector<char> buffer(chunkSize);
    for (;;) {
        WaitForWrite();
        const std::int64_t remaining = total - static_cast<std::int64_t>(stream.tellg());
        const auto part = static_cast<std::size_t>(std::min<std::int64_t>(chunkSize, remaining));
        stream.read(buffer.data(), static_cast<std::streamsize>(part));
        ssize_t sent = send(m_socket, buffer.data(), part, MSG_NOSIGNAL);
        if (sent < 0) {
            // A broken connection must not be retried for ever; would-block
            // and interruption just mean "try again when writable".
            if (errno != EINTR)
                CheckError(errno);
            sent = 0;
        }
        const auto unsent = static_cast<std::streamoff>(part - static_cast<std::size_t>(sent));
        if (unsent > 0)
            stream.seekg(-unsent, std::ios::cur);
        m_bytesRecvd += sent;
        if (OnPacketRecvd)
            OnPacketRecvd(*this);
        if (static_cast<std::int64_t>(part) == remaining && unsent == 0)
            break;
        if (BeenCanceled || m_timedOut)
            break;
    }
}
