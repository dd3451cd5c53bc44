#include "BodyDecoder.h"

#include "NetErrors.h"
#include "OutputFile.h"

#include <zlib.h>

#include <new>

struct BodyDecoder::Inflater
{
    z_stream stream{};
    std::vector<char> unpacked = std::vector<char>(64 * 1024);
    bool ended = false;
};

namespace {

bool isCompression(const std::string& coding)
{
    return coding == "gzip" || coding == "x-gzip" || coding == "deflate";
}

} // namespace

BodyDecoder::BodyDecoder(const std::vector<std::string>& codings, OutputFile& file, std::int64_t maxBytes,
                         std::string host)
    : m_file(file), m_maxBytes(maxBytes), m_host(std::move(host))
{
    if (codings.size() != 1 || !isCompression(codings.front()))
        return;
    m_inflater = std::make_unique<Inflater>();
    // Servers send "deflate" with the zlib wrapper and "gzip" with the gzip
    // one; adding 32 takes whichever the stream starts with.
    if (inflateInit2(&m_inflater->stream, 32 + MAX_WBITS) != Z_OK) {
        m_inflater.reset();
        throw std::bad_alloc();
    }
}

BodyDecoder::~BodyDecoder()
{
    if (m_inflater)
        inflateEnd(&m_inflater->stream);
}

void BodyDecoder::append(std::string_view bytes)
{
    if (!m_inflater) {
        store(bytes);
        return;
    }
    z_stream& stream = m_inflater->stream;
    std::vector<char>& unpacked = m_inflater->unpacked;
    stream.next_in = reinterpret_cast<Bytef*>(const_cast<char*>(bytes.data()));
    stream.avail_in = static_cast<uInt>(bytes.size());
    for (;;) {
        // A gzip file may hold several streams one after the other, all of
        // them the page's; bytes after a stream that start none are malformed.
        if (m_inflater->ended) {
            if (stream.avail_in == 0)
                return;
            inflateReset(&stream);
            m_inflater->ended = false;
        }
        stream.next_out = reinterpret_cast<Bytef*>(unpacked.data());
        stream.avail_out = static_cast<uInt>(unpacked.size());
        const int result = inflate(&stream, Z_NO_FLUSH);
        if (result == Z_MEM_ERROR)
            throw std::bad_alloc();
        if (result != Z_OK && result != Z_STREAM_END && result != Z_BUF_ERROR)
            throw HTTPException("Malformed compressed reply from " + m_host);
        store({unpacked.data(), unpacked.size() - stream.avail_out});
        if (result == Z_STREAM_END)
            m_inflater->ended = true;
        // Room left over means all the input is unpacked.
        else if (stream.avail_out != 0)
            return;
    }
}

void BodyDecoder::finish()
{
    // An empty body is an empty page, whatever its coding.
    if (m_inflater && !m_inflater->ended && m_inflater->stream.total_in > 0)
        throw HTTPException("Incomplete reply from server");
}

void BodyDecoder::store(std::string_view bytes)
{
    if (static_cast<std::int64_t>(bytes.size()) > m_maxBytes - m_stored)
        throw HTTPException("Reply too large");
    m_stored += static_cast<std::int64_t>(bytes.size());
    m_file.append(bytes);
}
