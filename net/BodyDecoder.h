#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

class OutputFile;

// Stores a reply's body as the page it holds: a gzip or deflate stream
// unpacked as it arrives, any other body as it comes (browsers pass codings
// they do not know over too: servers name "utf-8" as one). The unpacked page
// is held to the same bound as any body, so a small stream that unpacks
// without end cannot fill the disk.
class BodyDecoder
{
public:
    // codings as ReplyHeader::codings() gives them.
    BodyDecoder(const std::vector<std::string>& codings, OutputFile& file, std::int64_t maxBytes,
                std::string host);
    ~BodyDecoder();
    BodyDecoder(const BodyDecoder&) = delete;
    BodyDecoder& operator=(const BodyDecoder&) = delete;

    // Throws HTTPException "Reply too large" past the bound, and "Malformed
    // compressed reply from HOST" for a stream that does not unpack.
    void append(std::string_view bytes);
    // Throws HTTPException "Incomplete reply from server" for a compressed
    // stream that was cut before its end.
    void finish();

private:
    struct Inflater;
    void store(std::string_view bytes);

    OutputFile& m_file;
    std::int64_t m_maxBytes;
    std::int64_t m_stored = 0;
    std::string m_host;
    std::unique_ptr<Inflater> m_inflater;
};
