#include "JsonWriter.h"

#include "TextEncoding.h"

#include <cstdio>

namespace {

// The size of the pieces handed to a sink.
constexpr std::size_t pieceSize = 64 * 1024;

} // namespace

void JsonWriter::beginObject(std::string_view key, bool inLine)
{
    open(key, '{', inLine);
}

void JsonWriter::endObject()
{
    close('}');
}

void JsonWriter::beginArray(std::string_view key, bool inLine)
{
    open(key, '[', inLine);
}

void JsonWriter::endArray()
{
    close(']');
}

void JsonWriter::value(std::string_view key, std::string_view utf8Text)
{
    startItem(key);
    appendString(utf8Text);
    spill();
}

void JsonWriter::value(std::string_view key, std::int64_t number)
{
    startItem(key);
    m_text += std::to_string(number);
    spill();
}

void JsonWriter::value(std::string_view key, bool flag)
{
    startItem(key);
    m_text += flag ? "true" : "false";
    spill();
}

void JsonWriter::null(std::string_view key)
{
    startItem(key);
    m_text += "null";
    spill();
}

void JsonWriter::element(std::string_view utf8Text)
{
    value({}, utf8Text);
}

void JsonWriter::open(std::string_view key, char bracket, bool inLine)
{
    startItem(key);
    m_text += bracket;
    ++m_depth;
    m_first = true;
    // Everything inside a container in line stays on its line.
    if (inLine && !m_inLine)
        m_inLineDepth = m_depth;
    m_inLine = m_inLine || inLine;
    spill();
}

void JsonWriter::close(char bracket)
{
    --m_depth;
    if (!m_inLine && !m_first && !m_compact) {
        m_text += '\n';
        m_text.append(static_cast<std::size_t>(2 * m_depth), ' ');
    }
    m_text += bracket;
    m_first = false;
    m_inLine = m_inLine && m_depth >= m_inLineDepth;
    if (m_depth == 0)
        m_text += '\n';
    spill();
}

bool JsonWriter::flush()
{
    if (!m_sink)
        return true;
    if (!m_sinkFailed && !m_text.empty())
        m_sinkFailed = !m_sink(m_text);
    m_text.clear();
    return !m_sinkFailed;
}

void JsonWriter::spill()
{
    if (m_sink && m_text.size() >= pieceSize)
        flush();
}

void JsonWriter::startItem(std::string_view key)
{
    if (m_depth == 0)
        return;
    if (!m_first)
        m_text += m_inLine && !m_compact ? ", " : ",";
    if (!m_inLine && !m_compact) {
        m_text += '\n';
        m_text.append(static_cast<std::size_t>(2 * m_depth), ' ');
    }
    m_first = false;
    if (!key.empty()) {
        appendString(key);
        m_text += m_compact ? ":" : ": ";
    }
}

void JsonWriter::appendString(std::string_view utf8Text)
{
    // JSON is UTF-8 throughout: bytes that are not, such as those of a file
    // name in another encoding, are written as U+FFFD.
    std::string repaired;
    if (detectEncoding(utf8Text) != TextEncoding::Utf8) {
        repaired = decodeText(utf8Text, TextEncoding::Utf8).toStdString();
        utf8Text = repaired;
    }
    m_text += '"';
    for (const char c : utf8Text) {
        switch (c) {
        case '"':
            m_text += "\\\"";
            break;
        case '\\':
            m_text += "\\\\";
            break;
        case '\n':
            m_text += "\\n";
            break;
        case '\r':
            m_text += "\\r";
            break;
        case '\t':
            m_text += "\\t";
            break;
        default:
            if (static_cast<unsigned char>(c) < 0x20) {
                char escaped[8];
                std::snprintf(escaped, sizeof escaped, "\\u%04x", static_cast<unsigned>(c));
                m_text += escaped;
            } else {
                m_text += c;
            }
        }
    }
    m_text += '"';
}
