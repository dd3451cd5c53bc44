#pragma once

#include <string>

// The parts of a URL that a GET needs.
struct UrlSplit
{
    std::string url; // the URL, with a "/" appended when it names no path
    std::string host;
    int port = 80;
    std::string remotePath;  // the URL up to and including the slash after its host
    std::string requestPath; // from the slash after the host on; "/" when there is none
};

// Splits an absolute URL. The scheme only picks the default port (70 for
// gopher, 21 for ftp, 80 for anything else); the request is plain HTTP in
// every case. Throws HTTPException "HTTP Parsing URL failed" for a text
// without ":", a port that is not a number from 1 to 65535, or control
// characters, which would break the request apart.
UrlSplit splitUrl(const std::string& url);
