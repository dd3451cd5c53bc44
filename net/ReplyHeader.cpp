#include "ReplyHeader.h"

#include "ByteText.h"
#include "NetErrors.h"

#include <algorithm>
#include <cctype>
#include <limits>

namespace {

std::string withoutLineEnd(std::string line)
{
    while (!line.empty() && (line.back() == '\n' || line.back() == '\r'))
        line.pop_back();
    return line;
}

std::string withoutBlanks(std::string text)
{
    const auto blank = [](char c) { return c == ' ' || c == '\t' || c == '\r' || c == '\n'; };
    while (!text.empty() && blank(text.back()))
        text.pop_back();
    std::size_t start = 0;
    while (start < text.size() && blank(text[start]))
        ++start;
    return text.substr(start);
}

// Leading digits of text as a number, saturating; empty when there are none.
std::optional<std::int64_t> leadingNumber(const std::string& text)
{
    std::int64_t value = 0;
    std::size_t at = 0;
    for (; at < text.size() && std::isdigit(static_cast<unsigned char>(text[at])); ++at) {
        const int digit = text[at] - '0';
        constexpr std::int64_t most = std::numeric_limits<std::int64_t>::max();
        value = value > (most - digit) / 10 ? most : value * 10 + digit;
    }
    if (at == 0)
        return std::nullopt;
    return value;
}

// The codings a field lists, separated by commas, without "identity".
std::vector<std::string> codingsOf(const std::string& value)
{
    std::vector<std::string> codings;
    std::size_t start = 0;
    for (;;) {
        const std::size_t comma = value.find(',', start);
        const std::string coding = lowerCased(withoutBlanks(value.substr(start, comma - start)));
        if (!coding.empty() && coding != "identity")
            codings.push_back(coding);
        if (comma == std::string::npos)
            return codings;
        start = comma + 1;
    }
}

} // namespace

std::vector<std::string> ReplyHeader::codings() const
{
    std::vector<std::string> all = m_transferCodings;
    all.insert(all.end(), m_contentCodings.begin(), m_contentCodings.end());
    return all;
}

bool ReplyHeader::addLine(const std::string& line)
{
    ++m_lines;
    m_bytes += line.size();
    if (m_lines > maxLines || m_bytes > maxBytes)
        throw HTTPException("HTTP header too large");

    if (m_lines == 1) {
        readStatusLine(line);
        return true;
    }
    if (line.empty())
        return false;
    if (line == "\n" || line == "\r\n") {
        m_complete = true;
        return false;
    }
    readField(line);
    return true;
}

void ReplyHeader::readStatusLine(const std::string& line)
{
    m_statusLine = withoutLineEnd(line);
    const std::size_t start = m_statusLine.find(' ');
    if (start == std::string::npos)
        return;
    const std::string code = m_statusLine.substr(start + 1, m_statusLine.find(' ', start + 1) - start - 1);
    const bool isNumber =
        !code.empty() && code.size() <= 5 &&
        std::all_of(code.begin(), code.end(), [](unsigned char c) { return std::isdigit(c); });
    if (isNumber && std::stoi(code) <= std::numeric_limits<std::uint16_t>::max())
        m_replyNumber = static_cast<std::uint16_t>(std::stoi(code));
}

void ReplyHeader::readField(const std::string& line)
{
    // Field names are compared in any letter case, and blanks after the
    // colon are skipped: servers spell both as they like.
    const std::size_t colon = line.find(':');
    if (colon == std::string::npos)
        return;
    const std::string field = lowerCased(line.substr(0, colon));
    std::size_t valueStart = colon + 1;
    while (valueStart < line.size() && (line[valueStart] == ' ' || line[valueStart] == '\t'))
        ++valueStart;
    const std::string value = line.substr(valueStart);
    if (field == "set-cookie") {
        m_cookieIn = value;
    } else if (field == "content-length") {
        // Which of two lengths is the body's cannot be told: taking either
        // could pass a cut page off as whole.
        // One that is no number must not drop a length read before it,
        // or a cut body would read to the close and pass for whole.
        const std::optional<std::int64_t> length = leadingNumber(value);
        if (m_contentLength && length && *length != *m_contentLength)
            throw HTTPException("Conflicting lengths in reply from server");
        if (length)
            m_contentLength = length;
    } else if (field == "location") {
        m_location = withoutBlanks(value);
    } else if (field == "transfer-encoding") {
        m_transferCodings = codingsOf(value);
        m_chunked = !m_transferCodings.empty() && m_transferCodings.back() == "chunked";
        if (m_chunked)
            m_transferCodings.pop_back();
    } else if (field == "content-encoding") {
        const std::vector<std::string> codings = codingsOf(value);
        m_contentCodings.insert(m_contentCodings.end(), codings.begin(), codings.end());
    }
}
