#pragma once

#include <string>

// The parts of a URL that a GET needs.
struct UrlSplit
{
    std::string url; // the URL, with a "/" appended when it names no path
    std::string host;
    int port = 80;
    bool secure = false;     // https: TLS, port 443 unless the URL names one
    std::string remotePath;  // the URL up to and including the slash after its host
    std::string requestPath; // from the slash after the host on; "/" when there is none
};

// Splits an absolute URL, without its fragment ("#" and what follows). The
// schemes http and https are taken in any letter case; any other scheme
// raises HTTPException "Unsupported address: %s". A text whose part before
// the first ":" cannot be a scheme is split as an http URL. Throws
// HTTPException "HTTP Parsing URL failed" for a text without ":", a port that
// is not a number from 1 to 65535, or control characters, which would break
// the request apart.
UrlSplit splitUrl(const std::string& url);

// The absolute URL that reference (a redirect's Location) names, taken
// against the URL base: an absolute URL stays as it is; "//host/path",
// "/path", "?query" and relative paths are resolved, with "." and ".."
// segments removed. A fragment is dropped: it is never sent.
std::string resolveUrl(const std::string& base, const std::string& reference);
