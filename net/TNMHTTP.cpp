#include "TNMHTTP.h"

#include "BodyDecoder.h"
#include "ByteText.h"
#include "NetErrors.h"
#include "OutputFile.h"
#include "ReplyHeader.h"
#include "UrlSplit.h"

#include <sstream>
#include <vector>

namespace {

// A chunk's size line, and the lines of a trailer, are never longer than this.
constexpr std::size_t maxChunkLine = 1024;
constexpr int maxTrailerLines = 100;

// Server bytes as message text: messages are UTF-8 and shown in a window, so
// anything but printable ASCII becomes "?".
std::string printable(std::string text)
{
    for (char& c : text) {
        const auto byte = static_cast<unsigned char>(c);
        if (byte < 0x20 || byte > 0x7E)
            c = '?';
    }
    return text;
}

bool isRedirect(int status)
{
    return status == 301 || status == 302 || status == 303 || status == 307 || status == 308;
}

bool isLineEnd(const std::string& line)
{
    return line == "\r\n" || line == "\n";
}

// Sets a flag for as long as it lives.
class BusyScope
{
public:
    explicit BusyScope(bool& flag) : m_flag(flag) { m_flag = true; }
    ~BusyScope() { m_flag = false; }
    BusyScope(const BusyScope&) = delete;
    BusyScope& operator=(const BusyScope&) = delete;

private:
    bool& m_flag;
};

} // namespace

void TNMHTTP::Get(const std::string& url)
{
    // A Get started from an event handler while this one waits would change
    // the host, port and paths under it; it is refused like a second connection.
    if (m_inGet)
        throw ESockError("Already connected");
    const BusyScope busy(m_inGet);

    m_requestUrl = checkedUrl(url);
    startFetchClock();
    try {
        getFollowingRedirects();
    } catch (...) {
        stopFetchClock();
        throw;
    }
    stopFetchClock();
}

void TNMHTTP::getFollowingRedirects()
{
    for (int redirects = 0;; ++redirects) {
        const std::optional<std::string> location = transaction();
        if (!location)
            return;
        if (redirects == maxRedirects)
            throw HTTPException("Too many redirects");
        followRedirect(*location);
    }
}

// A cut URL would fetch another page than the one asked for.
const std::string& TNMHTTP::checkedUrl(const std::string& url)
{
    if (url.size() > ShortString::maxLength)
        throw HTTPException("Address too long: " + printable(url));
    return url;
}

void TNMHTTP::Abort()
{
    Cancel();
}

void TNMHTTP::ParseURL()
{
    const UrlSplit split = splitUrl(m_requestUrl);
    m_requestUrl = split.url;
    m_requestPath = split.requestPath;
    m_remotePath = split.remotePath;
    m_secure = split.secure;
    Host = split.host;
    Port = split.port;
}

std::optional<std::string> TNMHTTP::transaction()
{
    ParseURL();
    Connect();
    try {
        if (m_secure) {
            if (!Proxy.empty())
                openTunnel();
            StartTls(Host);
        }
        SendRequest();
        const ReplyHeader header = ReadHeader();
        endIfCanceled();
        if (isRedirect(header.replyNumber()) && !header.location().empty()) {
            // A header cut before its end may have lost the end of its Location too.
            if (!header.complete())
                throw HTTPException("Incomplete reply from server");
            Disconnect();
            return header.location();
        }
        checkReply(header);
        OutputFile body(FileName);
        captureBody(header, body);
        endIfCanceled();
        body.commit();
        ReportStatus(2, "Transaction Completed");
    } catch (...) {
        try {
            Disconnect();
        } catch (const ESockError&) {
            // The first failure is the one worth reporting.
        }
        throw;
    }
    Disconnect();
    return std::nullopt;
}

// The next URL must be one this client fetches, and never takes a secure
// fetch onto a connection anyone on the way can read.
void TNMHTTP::followRedirect(const std::string& location)
{
    const std::string next = resolveUrl(m_requestUrl, location);
    if (m_secure && !splitUrl(next).secure)
        throw HTTPException("Refused redirect from https to http: " + printable(next));
    m_requestUrl = checkedUrl(next);
}

// Asks the proxy for a connection to the host, through which the TLS
// handshake and the request then go.
void TNMHTTP::openTunnel()
{
    const std::string authority = Host.str() + ":" + std::to_string(Port);
    std::string request = "CONNECT " + authority + " HTTP/1.0\r\nHost: " + authority + "\r\n";
    if (!LocalProgram.empty())
        request += "User-Agent:  " + LocalProgram.str() + "\r\n";
    request += "\r\n";
    std::istringstream stream(request);
    SendStream(stream);
    ReplyHeader reply;
    while (reply.addLine(readWholeLine(reply.room()))) {
    }
    if (!reply.complete() || reply.replyNumber() < 200 || reply.replyNumber() > 299)
        throw HTTPException("Proxy refused the connection to " + authority + ": " +
                            printable(reply.statusLine()));
}

void TNMHTTP::SendRequest()
{
    std::string request;
    const auto line = [&request](const std::string& text) { request += text + "\r\n"; };
    // Through a tunnel the request goes to the host itself, so it names the
    // path, never the whole URL.
    const bool toProxy = !Proxy.empty() && !m_secure;
    line("GET " + (toProxy ? m_requestUrl : m_requestPath) + " HTTP/1.0");
    if (toProxy) {
        line("Proxy-Connection: Keep-Alive");
        line("Host: " + Host.str());
    } else if (m_secure) {
        // Servers of https sites tell their sites apart by this line.
        line("Host: " + Host.str() + (Port == 443 ? std::string() : ":" + std::to_string(Port)));
    }
    line("Accept: www/source, text/html, video/mpeg, image/jpeg, image/x-tiff");
    line("Accept: image/x-rgb, image/x-xbm, image/gif, */*, application/postscript");
    if (!LocalProgram.empty())
        line("User-Agent:  " + LocalProgram.str());
    if (!LocalMailAddress.empty())
        line("From:  " + LocalMailAddress.str());
    if (!Cookie.empty())
        line("Cookie:  " + Cookie.str());
    if (!Referer.empty())
        line("Referer:  " + Referer.str());
    line("Content-type: application/x-www-form-urlencoded");
    line("");
    std::istringstream stream(request);
    SendStream(stream);
}

std::string TNMHTTP::readWholeLine(std::size_t room)
{
    std::string line = ReadLn();
    while (!line.empty() && line.back() != '\n' && line.size() <= room) {
        const std::string more = ReadLn();
        if (more.empty())
            break;
        line += more;
    }
    return line;
}

ReplyHeader TNMHTTP::ReadHeader()
{
    m_bytesTotal = 0;
    m_cookieIn.clear();
    OutputFile file(HeaderName);
    ReplyHeader header;
    try {
        bool more = true;
        while (more) {
            const std::string line = readWholeLine(header.room());
            // Written first, so that the file holds every line read even when
            // the header turns out to be too large.
            file.append(line);
            more = header.addLine(line);
            m_replyNumber = header.replyNumber();
            m_cookieIn = header.cookieIn();
            m_bytesTotal = header.contentLength().value_or(0);
        }
    } catch (...) {
        try {
            file.commit();
        } catch (const EFileError&) {
            // The failure that ended the header is the one worth reporting.
        }
        throw;
    }
    file.commit();
    return header;
}

// The body ends when the server closes, or once the announced length has
// arrived, so that a connection kept open (a proxy honouring keep-alive)
// cannot hold the fetch for ever.
void TNMHTTP::captureBody(const ReplyHeader& header, OutputFile& file)
{
    BodyDecoder body(header.codings(), file, maxBodyBytes, Host.str());
    if (header.chunked()) {
        captureChunks(body);
        body.finish();
        return;
    }
    const std::optional<std::int64_t> announced = header.contentLength();
    if (announced && *announced > maxBodyBytes)
        throw HTTPException("Reply too large");
    CaptureFile([&body](std::string_view bytes) { body.append(bytes); }, announced.value_or(maxBodyBytes));
    if (!announced && BytesRecvd() == maxBodyBytes && hasMoreData())
        throw HTTPException("Reply too large");
    if (announced && BytesRecvd() < *announced)
        throw HTTPException("Incomplete reply from server");
    body.finish();
}

// Chunks: a size line in hexadecimal (extensions after ";" ignored), that
// many bytes and a line end, until a chunk of size 0; then trailer lines up
// to an empty one. The decoded bytes go to the body.
void TNMHTTP::captureChunks(BodyDecoder& body)
{
    ReportStatus(2, "Capture File");
    m_bytesRecvd = 0;
    std::vector<char> buffer(64 * 1024);
    for (;;) {
        bool sizeLineEndsInCrLf = false;
        const std::int64_t size = chunkSize(sizeLineEndsInCrLf);
        if (size == 0)
            break;
        if (size > maxBodyBytes - m_bytesRecvd)
            throw HTTPException("Reply too large");
        for (std::int64_t left = size; left > 0;) {
            const std::size_t got = readSome(
                buffer.data(), static_cast<std::size_t>(std::min<std::int64_t>(left, buffer.size())));
            if (got == 0)
                throw HTTPException("Incomplete reply from server");
            body.append({buffer.data(), got});
            left -= static_cast<std::int64_t>(got);
            m_bytesRecvd += static_cast<std::int64_t>(got);
            if (OnPacketRecvd)
                OnPacketRecvd(*this);
        }
        const std::string end = readWholeLine(maxChunkLine);
        if (end.empty())
            throw HTTPException("Incomplete reply from server");
        // A bare line feed after data whose size line ended in CR LF means
        // the size was too large and took the carriage return into the data.
        if (!isLineEnd(end) || (sizeLineEndsInCrLf && end != "\r\n"))
            throw HTTPException("Malformed chunk in reply from " + Host.str());
    }
    for (int lines = 0;; ++lines) {
        const std::string trailer = readWholeLine(maxChunkLine);
        // A server that closes right after the last chunk has sent the whole body.
        if (trailer.empty() || isLineEnd(trailer))
            break;
        if (lines == maxTrailerLines || trailer.back() != '\n')
            throw HTTPException("Malformed chunk in reply from " + Host.str());
    }
}

std::int64_t TNMHTTP::chunkSize(bool& endsInCrLf)
{
    const std::string line = readWholeLine(maxChunkLine);
    if (line.empty())
        throw HTTPException("Incomplete reply from server");
    const auto malformed = [this] { return HTTPException("Malformed chunk in reply from " + Host.str()); };
    if (line.back() != '\n')
        throw malformed();
    endsInCrLf = line.size() >= 2 && line[line.size() - 2] == '\r';
    std::size_t at = 0;
    std::int64_t size = 0;
    for (; at < line.size(); ++at) {
        const int digit = hexDigitValue(line[at]);
        if (digit < 0)
            break;
        // Anything past the body's bound is too large, however many digits follow.
        size = std::min<std::int64_t>(size * 16 + digit, maxBodyBytes + 1);
    }
    if (at == 0)
        throw malformed();
    for (; at < line.size() && (line[at] == ' ' || line[at] == '\t'); ++at) {
    }
    if (line[at] != ';' && line[at] != '\r' && line[at] != '\n')
        throw malformed();
    return size;
}

// The last bytes of a header or body may come from what was received before
// a cancel, without another wait to end: the fetch ends all the same, so
// that a cancelled fetch neither follows a redirect nor stores a page.
void TNMHTTP::endIfCanceled() const
{
    if (BeenCanceled)
        throw ESockError("Read Canceled");
}

void TNMHTTP::checkReply(const ReplyHeader& header)
{
    if (header.replyNumber() < 200 || header.replyNumber() > 299)
        throw HTTPException("Server replied: " + printable(header.statusLine()));
    if (!header.complete())
        throw HTTPException("Incomplete reply from server");
}
