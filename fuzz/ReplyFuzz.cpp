// Feeds arbitrary bytes to the parts of the HTTP client that read a reply: the
// lines up to the empty one are the header, the rest is the body. The header
// must be read or refused with an HTTP error and stay in its bounds; a
// redirect's Location must resolve to an address that resolves to itself; the
// body, unpacked as its codings say, must be the same whether it arrives whole
// or in pieces, and no larger than its bound. Bytes that start with the byte 1
// are a page instead, packed here in one or two streams of one of the
// compressed codings: it must unpack to itself, and cut short to an error.
#include "BodyDecoder.h"
#include "Errors.h"
#include "NetErrors.h"
#include "OutputFile.h"
#include "ReplyHeader.h"
#include "UrlSplit.h"

#include <QFile>
#include <QTemporaryDir>

#include <zlib.h>

#include <cstdint>
#include <cstdio>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

constexpr std::int64_t MaxBody = 256 * 1024;

[[noreturn]] void fail(const char* what)
{
    std::fprintf(stderr, "violated: %s\n", what);
    std::abort();
}

std::string pagePath(const char* name)
{
    static QTemporaryDir dir;
    return dir.filePath(QString::fromLatin1(name)).toStdString();
}

// The header's lines as the client reads them, each with its line end; what
// follows the header is left in bytes. Nothing when the header is refused.
std::optional<ReplyHeader> readHeader(std::string_view& bytes)
{
    ReplyHeader header;
    try {
        for (;;) {
            const std::size_t end = std::min(bytes.find('\n'), bytes.size() - 1);
            const std::string line(bytes.substr(0, bytes.empty() ? 0 : end + 1));
            bytes.remove_prefix(line.size());
            if (!header.addLine(line))
                break;
        }
    } catch (const HTTPException&) {
        return std::nullopt;
    }
    if (header.room() > ReplyHeader::maxBytes || header.contentLength().value_or(0) < 0)
        fail("the header passed its bounds");
    return header;
}

void checkLocation(const std::string& location)
{
    const std::string base = "http://example.com/teams/page.htm";
    std::string next;
    try {
        next = resolveUrl(base, location);
        splitUrl(next);
    } catch (const HTTPException&) {
        return;
    }
    if (resolveUrl(base, next) != next) {
        std::fprintf(stderr, "%s -> %s -> %s\n", location.c_str(), next.c_str(),
                     resolveUrl(base, next).c_str());
        fail("a resolved address resolves to another");
    }
}

struct Unpacked
{
    std::string page;
    std::string error;
};

// The body unpacked into a file, given to the decoder in pieces of at most
// piece bytes.
Unpacked unpack(const std::vector<std::string>& codings, std::string_view body, std::size_t piece)
{
    const std::string path = pagePath("page.htm");
    Unpacked result;
    try {
        OutputFile file(path);
        BodyDecoder decoder(codings, file, MaxBody, "example.com");
        for (std::size_t at = 0; at < body.size(); at += piece)
            decoder.append(body.substr(at, piece));
        decoder.finish();
        file.commit();
    } catch (const HTTPException& error) {
        result.error = error.what();
        return result;
    }
    QFile page(QString::fromStdString(path));
    if (!page.open(QIODevice::ReadOnly))
        fail("the page was not stored");
    result.page = page.readAll().toStdString();
    if (static_cast<std::int64_t>(result.page.size()) > MaxBody)
        fail("the page passed its bound");
    return result;
}

// The bytes as a compressed stream: the gzip wrapper, else the zlib one.
std::string packed(std::string_view bytes, bool gzip)
{
    z_stream stream{};
    if (deflateInit2(&stream, Z_DEFAULT_COMPRESSION, Z_DEFLATED, MAX_WBITS + (gzip ? 16 : 0), 8,
                     Z_DEFAULT_STRATEGY) != Z_OK)
        std::abort();
    std::string out(deflateBound(&stream, static_cast<uLong>(bytes.size())), '\0');
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    stream.next_out = reinterpret_cast<Bytef*>(out.data());
    stream.avail_out = static_cast<uInt>(out.size());
    if (deflate(&stream, Z_FINISH) != Z_STREAM_END)
        std::abort();
    out.resize(stream.total_out);
    deflateEnd(&stream);
    return out;
}

void checkPackedPage(std::string_view bytes)
{
    static const std::vector<std::string> codings[] = {{"gzip"}, {"x-gzip"}, {"deflate"}};
    const auto control = static_cast<unsigned char>(bytes.empty() ? 0 : bytes.front());
    bytes.remove_prefix(std::min<std::size_t>(1, bytes.size()));
    const std::vector<std::string>& coding = codings[control % 3];
    const bool gzip = coding.front() != "deflate";
    // A gzip body may hold several streams one after the other.
    const std::size_t cut = gzip && control & 0x80 ? bytes.size() / 2 : bytes.size();
    const std::string body = packed(bytes.substr(0, cut), gzip) +
                             (cut < bytes.size() ? packed(bytes.substr(cut), gzip) : std::string());
    const std::size_t piece = 1 + (control >> 2) % 7;

    const Unpacked whole = unpack({coding}, body, piece);
    if (!whole.error.empty() || whole.page != bytes) {
        std::fprintf(stderr, "%s in pieces of %zu: \"%s\", %zu bytes of %zu\n", coding.front().c_str(), piece,
                     whole.error.c_str(), whole.page.size(), bytes.size());
        fail("a packed page does not unpack to itself");
    }
    if (unpack({coding}, body.substr(0, body.size() - 1), piece).error.empty())
        fail("a packed page cut short unpacks without an error");
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size)
{
    std::string_view bytes(reinterpret_cast<const char*>(data), size);
    if (bytes.starts_with('\1')) {
        checkPackedPage(bytes.substr(1));
        return 0;
    }
    const std::optional<ReplyHeader> header = readHeader(bytes);
    if (!header)
        return 0;
    if (!header->location().empty())
        checkLocation(header->location());

    const Unpacked whole = unpack(header->codings(), bytes, bytes.size() + 1);
    const std::size_t piece = 1 + (bytes.empty() ? 0 : static_cast<unsigned char>(bytes.back()) % 7);
    const Unpacked pieces = unpack(header->codings(), bytes, piece);
    if (whole.page != pieces.page || whole.error != pieces.error) {
        std::fprintf(stderr, "whole: %zu bytes, \"%s\"; in pieces of %zu: %zu bytes, \"%s\"\n",
                     whole.page.size(), whole.error.c_str(), piece, pieces.page.size(), pieces.error.c_str());
        fail("the body unpacks differently in pieces");
    }
    return 0;
}
