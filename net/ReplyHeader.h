#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

// Follows the lines of a reply header as they are read: the status line,
// the Set-Cookie, Content-Length, Location, Transfer-Encoding and
// Content-Encoding fields (names
// in any letter case, blanks after the colon skipped), the empty line that ends the
// header, and the bounds that keep a hostile server from growing it without end.
class ReplyHeader
{
public:
    static constexpr std::size_t maxBytes = 64 * 1024;
    static constexpr std::size_t maxLines = 1000;

    // Takes the next line exactly as read, line end included; an empty line
    // means the peer closed. Returns false once the header has ended.
    // Throws HTTPException "HTTP header too large" past the bounds, and
    // "Conflicting lengths in reply from server" for two different lengths.
    bool addLine(const std::string& line);

    // The status code, 0 when the status line holds none.
    std::uint16_t replyNumber() const { return m_replyNumber; }
    // The status line without its line end.
    const std::string& statusLine() const { return m_statusLine; }
    // The last Set-Cookie value, line end included.
    const std::string& cookieIn() const { return m_cookieIn; }
    // The announced body length, if a valid one was announced.
    std::optional<std::int64_t> contentLength() const { return m_contentLength; }
    // Whether the header ended with its empty line rather than with a close.
    bool complete() const { return m_complete; }
    // The Location field's value, without surrounding blanks; empty when none came.
    const std::string& location() const { return m_location; }
    // Whether the body comes in chunks (Transfer-Encoding ending in "chunked").
    bool chunked() const { return m_chunked; }
    // The codings the body comes in besides the chunks, lower-cased, as the
    // Transfer-Encoding and Content-Encoding fields list them; "identity",
    // which changes nothing, is left out.
    std::vector<std::string> codings() const;
    // Bytes a line may still have before the header passes its bound.
    std::size_t room() const { return maxBytes - m_bytes; }

private:
    void readStatusLine(const std::string& line);
    void readField(const std::string& line);

    std::size_t m_lines = 0;
    std::size_t m_bytes = 0;
    std::uint16_t m_replyNumber = 0;
    std::string m_statusLine;
    std::string m_cookieIn;
    std::optional<std::int64_t> m_contentLength;
    bool m_complete = false;
    std::string m_location;
    bool m_chunked = false;
    std::vector<std::string> m_transferCodings;
    std::vector<std::string> m_contentCodings;
};
