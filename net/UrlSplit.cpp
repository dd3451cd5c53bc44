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

// A letter, then letters, digits, "+", "-" or ".".
bool isSchemeName(const std::string& text)
{
    const auto isLetter = [](unsigned char c) { return (c | 0x20) >= 'a' && (c | 0x20) <= 'z'; };
    if (text.empty() || !isLetter(static_cast<unsigned char>(text[0])))
        return false;
    return std::all_of(text.begin(), text.end(), [&isLetter](unsigned char c) {
        return isLetter(c) || (c >= '0' && c <= '9') || c == '+' || c == '-' || c == '.';
    });
}

// The scheme of url, lower-cased; empty when the text before its first ":" is no scheme.
std::string schemeOf(const std::string& url)
{
    const std::size_t colon = url.find(':');
    if (colon == std::string::npos || !isSchemeName(url.substr(0, colon)))
        return {};
    return lowerCased(url.substr(0, colon));
}

// Removes the "." and ".." segments of an absolute path.
std::string withoutDotSegments(const std::string& path)
{
    std::vector<std::string> kept;
    std::size_t start = 1;
    for (;;) {
        const std::size_t end = path.find('/', start);
        const std::string segment =
            path.substr(start, end == std::string::npos ? std::string::npos : end - start);
        const bool last = end == std::string::npos;
        if (segment == "..") {
            if (!kept.empty())
                kept.pop_back();
            if (last)
                kept.emplace_back();
        } else if (segment == ".") {
            if (last)
                kept.emplace_back();
        } else {
            kept.push_back(segment);
        }
        if (last)
            break;
        start = end + 1;
    }
    std::string result;
    for (const std::string& segment : kept)
        result += "/" + segment;
    return result.empty() ? "/" : result;
}

} // namespace

UrlSplit splitUrl(const std::string& whole)
{
    // A fragment names a place in the page, for the reader: it is never sent.
    const std::string url = whole.substr(0, whole.find('#'));
    const std::size_t colon = url.find(':');
    if (colon == std::string::npos)
        fail();
    if (std::any_of(url.begin(), url.end(), [](unsigned char c) { return c < 0x20 || c == 0x7F; }))
        fail();

    UrlSplit split;
    split.url = url;
    const std::string scheme = schemeOf(url);
    if (scheme == "https") {
        split.secure = true;
        split.port = 443;
    } else if (!scheme.empty() && scheme != "http") {
        throw HTTPException("Unsupported address: " + url);
    }

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

std::string resolveUrl(const std::string& base, const std::string& reference)
{
    std::string target = reference.substr(0, reference.find('#'));
    while (!target.empty() && (target.front() == ' ' || target.front() == '\t'))
        target.erase(0, 1);
    while (!target.empty() && (target.back() == ' ' || target.back() == '\t'))
        target.pop_back();
    if (!schemeOf(target).empty())
        return target;
    const std::size_t colon = base.find(':');
    if (target.rfind("//", 0) == 0)
        return base.substr(0, colon + 1) + target;
    const UrlSplit split = splitUrl(base);
    const std::string origin = split.remotePath.substr(0, split.remotePath.size() - 1);
    const std::string basePath = split.requestPath.substr(0, split.requestPath.find('?'));
    if (target.empty())
        return split.url;
    if (target.front() == '?')
        return origin + basePath + target;
    std::string path = target.front() == '/' ? target : basePath.substr(0, basePath.rfind('/') + 1) + target;
    const std::size_t query = path.find('?');
    const std::string tail = query == std::string::npos ? std::string() : path.substr(query);
    path.erase(std::min(query, path.size()));
    return origin + withoutDotSegments(path) + tail;
}
