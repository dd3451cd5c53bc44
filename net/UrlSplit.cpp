#include "UrlSplit.h"

#include "ByteText.h"
#include "NetErrors.h"

#include <algorithm>
#include <cctype>
#include <vector>

namespace {

[[noreturn]] void fail()
{
    throw HTTPException("HTTP Parsing URL failed");
}

int portNumber(const std::string& text)
{
    if (text.empty() || text.size() > 5 ||
        !std::all_of(text.begin(), text.end(), [](unsigned char c) { return std::isdigit(c); }))
        fail();
    const int port = std::stoi(text);
    if (port < 1 || port > 65535)
        fail();
    return port;
}

int schemePort(std::string_view scheme)
{
    if (equalsIgnoringCase(scheme, "gopher"))
        return 70;
    if (equalsIgnoringCase(scheme, "ftp"))
        return 21;
    return 80;
}

} // namespace

UrlSplit splitUrl(const std::string& url)
{
    const std::size_t colon = url.find(':');
    if (colon == std::string::npos)
        fail();
    if (std::any_of(url.begin(), url.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; }))
        fail();

    UrlSplit split;
    split.url = url;
    split.port = schemePort(url.substr(0, colon));

    std::vector<std::size_t> slashes;
    for (std::size_t i = 0; i < url.size() && slashes.size() < 3; ++i) {
        if (url[i] == '/')
            slashes.push_back(i);
    }
    // The path starts at the third slash, unless that slash ends the URL.
    const bool hasPath = slashes.size() == 3 && slashes[2] + 1 < url.size();
    const std::size_t pathStart = hasPath ? slashes[2] : url.size();

    split.remotePath = url.substr(0, pathStart + 1);
    if (split.remotePath.back() != '/')
        split.remotePath += '/';
    split.requestPath = hasPath ? url.substr(pathStart) : std::string(1, '/');
    if (!hasPath && split.url.back() != '/')
        split.url += '/';

    std::string host;
    if (slashes.size() >= 2) {
        const std::size_t end = slashes.size() == 3 ? slashes[2] : url.size();
        host = url.substr(slashes[1] + 1, end - slashes[1] - 1);
    }
    const std::size_t portColon = host.find(':');
    if (portColon != std::string::npos) {
        const std::size_t portEnd = host.find(':', portColon + 1);
        split.port = portNumber(host.substr(portColon + 1, portEnd - portColon - 1));
        host.erase(portColon);
    }
    split.host = host;
    return split;
}
