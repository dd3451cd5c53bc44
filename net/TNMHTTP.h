#pragma once

#include "ShortString.h"
#include "TPowersock.h"

#include <optional>
#include <string>

class BodyDecoder;
class OutputFile;
class ReplyHeader;

// HTTP/1.0 GET client for http and https URLs. Get splits the URL, connects
// (directly, or to Proxy at ProxyPort; an https URL then goes through a
// CONNECT tunnel), secures an https connection, sends the request, writes
// the reply header into HeaderName and the body into FileName, and
// disconnects. Redirects are followed, all within MaxTime. A body compressed
// by gzip or deflate is stored unpacked. It accepts only a complete reply with
// a 2xx status; the body file is replaced only by such a reply.
class TNMHTTP : public TPowersock
{
public:
    // Bounds on a body; a roster page is a few kilobytes.
    static constexpr std::int64_t maxBodyBytes = 64LL * 1024 * 1024;
    static constexpr int maxRedirects = 5;

    ShortString FileName = "Default.htm";
    ShortString HeaderName = "Head.txt";
    ShortString LocalProgram = "NetMasters 3.0"; // the User-Agent line, when set
    ShortString LocalMailAddress;                // the From line, when set
    ShortString Cookie;                          // the Cookie line, when set
    ShortString Referer;                         // the Referer line, when set

    // The last Set-Cookie value of a reply, line end included.
    const std::string& CookieIn() const { return m_cookieIn; }
    // The URL of the last split up to and including the slash after its host.
    const std::string& RemotePath() const { return m_remotePath; }

    // Blocks until the body is stored, or throws HTTPException, ESockError or
    // EFileError. A URL (or a redirect's target) longer than 255 bytes is
    // refused before anything is sent: "Address too long: URL".
    void Get(const std::string& url);
    // Throws "Address too long: URL" for a URL Get would refuse for its length.
    static const std::string& checkedUrl(const std::string& url);
    // Ends the running wait at once with its "Canceled" message.
    void Abort();

private:
    void ParseURL();
    void getFollowingRedirects();
    // One request and its reply; the redirect's target when the reply is one.
    std::optional<std::string> transaction();
    void followRedirect(const std::string& location);
    void openTunnel();
    void SendRequest();
    ReplyHeader ReadHeader();
    // A header line joined from ReadLn's pieces up to its line feed, or what
    // came before the peer closed; longer than room only when past the bound.
    std::string readWholeLine(std::size_t room);
    void captureBody(const ReplyHeader& header, OutputFile& file);
    void captureChunks(BodyDecoder& body);
    // The size of the next chunk; endsInCrLf tells whether its line ended in CR LF.
    std::int64_t chunkSize(bool& endsInCrLf);
    void checkReply(const ReplyHeader& header);
    void endIfCanceled() const;

    std::string m_requestUrl;
    std::string m_requestPath;
    std::string m_remotePath;
    std::string m_cookieIn;
    bool m_secure = false;
    bool m_inGet = false;
};
