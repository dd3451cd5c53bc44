#include "TNMHTTP.h"

#include "NetErrors.h"
#include "OutputFile.h"
#include "ReplyHeader.h"
#include "UrlSplit.h"

#include <sstream>

namespace {

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

    m_requestUrl = url.substr(0, ShortString::maxLength);
    ParseURL();
    Connect();
    try {
        SendRequest();
        const ReplyHeader header = ReadHeader();
        captureBody(header);
        checkReply(header);
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
    Host = split.host;
    Port = split.port;
}

void TNMHTTP::SendRequest()
{
    std::string request;
    const auto line = [&request](const std::string& text) { request += text + "\r\n"; };
    line("GET " + (Proxy.empty() ? m_requestPath : m_requestUrl) + " HTTP/1.0");
    if (!Proxy.empty()) {
        line("Proxy-Connection: Keep-Alive");
        line("Host: " + Host.str());
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

ReplyHeader TNMHTTP::ReadHeader()
{
    m_bytesTotal = 0;
    m_cookieIn.clear();
    OutputFile file(HeaderName);
    ReplyHeader header;
    bool more = true;
    while (more) {
        const std::string line = ReadLn();
        // Written first, so that the file holds every line read even when
        // the header turns out to be too large.
        file.append(line);
        more = header.addLine(line);
        m_replyNumber = header.replyNumber();
        m_cookieIn = header.cookieIn();
        m_bytesTotal = header.contentLength().value_or(0);
    }
    return header;
}

// The body ends when the server closes, or once the announced length has
// arrived, so that a connection kept open (a proxy honouring keep-alive)
// cannot hold the fetch for ever.
void TNMHTTP::captureBody(const ReplyHeader& header)
{
    const std::optional<std::int64_t> announced = header.contentLength();
    CaptureFile(FileName, std::min(announced.value_or(maxBodyBytes), maxBodyBytes));
    if (BytesRecvd() == maxBodyBytes && announced.value_or(maxBodyBytes + 1) > maxBodyBytes && hasMoreData())
        throw HTTPException("Reply too large");
}

void TNMHTTP::checkReply(const ReplyHeader& header)
{
    if (header.replyNumber() < 200 || header.replyNumber() > 299)
        throw HTTPException("Server replied: " + printable(header.statusLine()));
    const std::optional<std::int64_t> announced = header.contentLength();
    if (!header.complete() || (announced && BytesRecvd() < *announced))
        throw HTTPException("Incomplete reply from server");
}
