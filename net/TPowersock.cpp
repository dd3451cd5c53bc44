#include "TPowersock.h"

#include "EventPump.h"
#include "HostLookup.h"
#include "NetErrors.h"
#include "OutputFile.h"
#include "TlsSession.h"

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
    m_tls.reset();
    if (m_socket >= 0)
        close(m_socket);
}

const std::string& TPowersock::connectionName() const
{
    return Proxy.empty() ? Host.str() : Proxy.str();
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

void TPowersock::limitConnecting()
{
    m_limitActive = ConnectTimeOut > 0;
    m_limitOnProgress = false;
    m_limitDeadline = m_connectStart + std::chrono::milliseconds(ConnectTimeOut);
    m_limitMessage = "Timed out connecting to " + connectionName();
}

void TPowersock::limitTransfer()
{
    m_limitActive = ReplyTimeOut > 0;
    m_limitOnProgress = true;
    m_limitMessage = "Timed out waiting for " + connectionName();
    noteProgress();
}

void TPowersock::noteProgress()
{
    if (m_limitOnProgress)
        m_limitDeadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(ReplyTimeOut);
}

bool TPowersock::limitPassed() const
{
    return (m_limitActive && std::chrono::steady_clock::now() >= m_limitDeadline) || fetchClockPassed();
}

void TPowersock::startFetchClock()
{
    m_fetchClockRunning = MaxTime > 0;
    m_fetchDeadline = std::chrono::steady_clock::now() + std::chrono::milliseconds(MaxTime);
}

void TPowersock::stopFetchClock()
{
    m_fetchClockRunning = false;
}

bool TPowersock::fetchClockPassed() const
{
    return m_fetchClockRunning && std::chrono::steady_clock::now() >= m_fetchDeadline;
}

// A reply that comes fast enough never waits, so the whole fetch's limit is
// also looked at between the chunks that arrive.
void TPowersock::checkFetchClock()
{
    if (!fetchClockPassed())
        return;
    m_timedOut = true;
    throw ESockError("Timed out waiting for " + connectionName());
}

int TPowersock::pollRoundMs() const
{
    auto round = std::chrono::milliseconds(roundMs);
    const auto now = std::chrono::steady_clock::now();
    if (m_timerEnabled)
        round = std::min(round, std::chrono::ceil<std::chrono::milliseconds>(m_deadline - now));
    if (m_limitActive)
        round = std::min(round, std::chrono::ceil<std::chrono::milliseconds>(m_limitDeadline - now));
    if (m_fetchClockRunning)
        round = std::min(round, std::chrono::ceil<std::chrono::milliseconds>(m_fetchDeadline - now));
    return static_cast<int>(std::max<std::chrono::milliseconds::rep>(round.count(), 0));
}

// Runs the event pump and polls fd in turns until one of the events arrives,
// the timer or the phase's limit runs out, or the operation is cancelled.
// Returns the poll result.
short TPowersock::wait(const WaitMessages& messages, int fd, short events)
{
    StartTimer();
    short revents = 0;
    bool limitHit = false;
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
        if (limitPassed()) {
            limitHit = true;
            break;
        }
    }
    StopTimer();
    if (m_timedOut)
        throw ESockError(messages.timedOut);
    if (BeenCanceled)
        throw ESockError(messages.canceled);
    if (limitHit) {
        checkFetchClock();
        m_timedOut = true;
        throw ESockError(m_limitMessage);
    }
    return revents;
}

void TPowersock::WaitForRead()
{
    wait(readWait, m_socket, POLLIN | POLLRDHUP);
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
    const std::string& name = connectionName();
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
    m_connectStart = std::chrono::steady_clock::now();
    limitConnecting();
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
    m_peerClosed = false;
    m_inbox.clear();
    m_inboxStart = 0;
    limitTransfer();
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

void TPowersock::StartTls(const std::string& hostName)
{
    ReportStatus(2, "Securing Connection");
    // What the handshake reads must come from the server itself.
    if (inboxSize() > 0)
        throw ESockError("TLS handshake with " + hostName + " failed: unexpected data before the handshake");
    limitConnecting();
    m_tls = std::make_unique<TlsSession>(m_socket, hostName);
    while (const short events = m_tls->handshake())
        wait(connectionWait, m_socket, events);
    limitTransfer();
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
    m_limitActive = false;
    m_inbox.clear();
    m_inboxStart = 0;
    if (m_tls) {
        m_tls->shutdown();
        m_tls.reset();
    }
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

// One read from the connection that never waits: the number of bytes read, 0
// when the peer has closed, or -1 when nothing can be read yet, with the
// socket event to wait for in events.
long TPowersock::receive(char* out, std::size_t max, short& events)
{
    if (m_tls) {
        const TlsSession::Step step = m_tls->read(out, max);
        events = step.waitFor;
        if (step.closed)
            return 0;
        return step.bytes > 0 ? static_cast<long>(step.bytes) : -1;
    }
    for (;;) {
        const ssize_t got = recv(m_socket, out, max, 0);
        if (got >= 0)
            return got;
        if (errno == EINTR)
            continue;
        CheckError(errno);
        events = POLLIN | POLLRDHUP;
        return -1;
    }
}

// One write that never waits: the number of bytes sent, or -1 when none can
// be sent yet, with the socket event to wait for in events.
long TPowersock::transmit(const char* bytes, std::size_t size, short& events)
{
    if (m_tls) {
        const TlsSession::Step step = m_tls->write(bytes, size);
        events = step.waitFor;
        if (step.closed)
            throw ESockError(writeWait.failed);
        return step.bytes > 0 ? static_cast<long>(step.bytes) : -1;
    }
    for (;;) {
        const ssize_t sent = send(m_socket, bytes, size, MSG_NOSIGNAL);
        if (sent >= 0)
            return sent;
        if (errno == EINTR)
            continue;
        // A broken connection must not be retried for ever; would-block
        // just means "try again when writable".
        CheckError(errno);
        events = POLLOUT;
        return -1;
    }
}

void TPowersock::noticeClose()
{
    m_peerClosed = true;
    if (m_closeNoticed)
        return;
    m_closeNoticed = true;
    m_connected = false;
    if (OnDisconnect)
        OnDisconnect(*this);
}

// Takes bytes from the connection itself, waiting for at least one. Events
// are dispatched first, also when bytes are already waiting, so that a fast
// transfer keeps the windows responsive and can be cancelled.
std::size_t TPowersock::receiveSome(char* out, std::size_t max)
{
    pumpEvents();
    if (BeenCanceled)
        throw ESockError(readWait.canceled);
    checkFetchClock();
    for (;;) {
        short events = 0;
        const long got = receive(out, max, events);
        if (got > 0) {
            noteProgress();
            return static_cast<std::size_t>(got);
        }
        if (got == 0) {
            noticeClose();
            return 0;
        }
        wait(readWait, m_socket, events);
    }
}

std::size_t TPowersock::readSome(char* out, std::size_t max)
{
    if (inboxSize() > 0) {
        const std::size_t count = std::min(max, inboxSize());
        std::memcpy(out, m_inbox.data() + m_inboxStart, count);
        m_inboxStart += count;
        return count;
    }
    if (m_peerClosed)
        return 0;
    return receiveSome(out, max);
}

// Appends what arrives to the inbox, waiting for at least one byte; false
// once the peer has closed.
bool TPowersock::fillInbox()
{
    if (m_peerClosed)
        return false;
    if (m_inboxStart > 0) {
        m_inbox.erase(m_inbox.begin(), m_inbox.begin() + static_cast<std::ptrdiff_t>(m_inboxStart));
        m_inboxStart = 0;
    }
    const std::size_t had = m_inbox.size();
    m_inbox.resize(had + chunkSize);
    std::size_t got = 0;
    try {
        got = receiveSome(m_inbox.data() + had, chunkSize);
    } catch (...) {
        m_inbox.resize(had);
        throw;
    }
    m_inbox.resize(had + got);
    return got > 0;
}

// Sleeps until more bytes arrive, the peer closes, or one round has passed.
void TPowersock::waitForLongerLine()
{
    if (m_peerClosed)
        return;
    const std::size_t had = m_inbox.size();
    m_inbox.resize(had + chunkSize);
    const auto attempt = [&](short& events) {
        const long got = receive(m_inbox.data() + had, chunkSize, events);
        if (got == 0)
            noticeClose();
        m_inbox.resize(had + static_cast<std::size_t>(std::max(got, 0L)));
        if (got > 0)
            noteProgress();
        return got >= 0;
    };
    short events = 0;
    if (attempt(events))
        return;
    pollfd entry{m_socket, events, 0};
    poll(&entry, 1, roundMs);
    m_inbox.resize(had + chunkSize);
    attempt(events);
}

std::string TPowersock::takeFromInbox(std::size_t count)
{
    std::string taken(m_inbox.data() + m_inboxStart, count);
    m_inboxStart += count;
    return taken;
}

std::string TPowersock::ReadLn()
{
    if (inboxSize() == 0 && !fillInbox())
        return {};
    for (int round = 1;; ++round) {
        const std::size_t window = std::min(inboxSize(), lineChunk);
        const char* start = m_inbox.data() + m_inboxStart;
        if (const auto* lineFeed = static_cast<const char*>(std::memchr(start, '\n', window)))
            return takeFromInbox(static_cast<std::size_t>(lineFeed - start + 1));
        if (window == lineChunk || BeenCanceled || round >= lineRounds || m_peerClosed)
            return takeFromInbox(window);
        pumpEvents();
        checkFetchClock();
        waitForLongerLine();
    }
}

bool TPowersock::hasMoreData()
{
    return inboxSize() > 0 || fillInbox();
}

void TPowersock::CaptureFile(const std::string& name, std::int64_t maxBytes)
{
    OutputFile file(name);
    CaptureFile([&file](std::string_view bytes) { file.append(bytes); }, maxBytes);
    file.commit();
}

void TPowersock::CaptureFile(const ByteSink& store, std::int64_t maxBytes)
{
    ReportStatus(2, "Capture File");
    m_bytesRecvd = 0;
    std::vector<char> buffer(chunkSize);
    while (m_bytesRecvd < maxBytes) {
        const auto want =
            static_cast<std::size_t>(std::min<std::int64_t>(chunkSize, maxBytes - m_bytesRecvd));
        const std::size_t got = readSome(buffer.data(), want);
        if (got == 0)
            break;
        store({buffer.data(), got});
        m_bytesRecvd += static_cast<std::int64_t>(got);
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
        checkFetchClock();
        const std::int64_t remaining = total - static_cast<std::int64_t>(stream.tellg());
        const auto part = static_cast<std::size_t>(std::min<std::int64_t>(chunkSize, remaining));
        stream.read(buffer.data(), static_cast<std::streamsize>(part));
        short events = 0;
        long sent = transmit(buffer.data(), part, events);
        if (sent < 0) {
            // TLS may need to read before it can write: wait for that, then retry.
            if (events == POLLIN)
                wait(writeWait, m_socket, POLLIN);
            sent = 0;
        } else if (sent > 0) {
            noteProgress();
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
