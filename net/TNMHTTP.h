#pragma once

#include "ShortString.h"
#include "TPowersock.h"

#include <string>

class ReplyHeader;

// HTTP/1.0 GET client. Get splits the URL, connects (directly, or to Proxy at
// ProxyPort), sends the request, writes the reply header into HeaderName and
// the body into FileName, and disconnects. It accepts only a complete reply
// with a 2xx status; anything else raises after the files have been written.
class TNMHTTP : public TPowersock
{
public:
    // Bounds on a body; a roster page is a few kilobytes.
    static constexpr std::int64_t maxBodyBytes = 64LL * 1024 * 1024;

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
    // EFileError. Only the first 255 characters of url are used.
    void Get(const std::string& url);
    // Ends the running wait at once with its "Canceled" message.
    void Abort();

private:
    void ParseURL();
    void SendRequest();
    ReplyHeader ReadHeader();
    void captureBody(const ReplyHeader& header);
    void checkReply(const ReplyHeader& header);

    std::string m_requestUrl;
    std::string m_requestPath;
    std::string m_remotePath;
    std::string m_cookieIn;
    bool m_inGet = false;
};
