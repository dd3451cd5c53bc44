#include "LineCleanup.h"

#include <algorithm>

namespace {

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

// Every tag becomes one "|" and every double quote outside a tag goes; a quote
// inside a tag goes with the tag, so this equals removing the quotes once the
// tags are replaced. Replacing the first tag and searching again from the
// start gives the same text as this single pass: everything before a replaced
// tag holds no "<", so the next search always starts right after the tag just
// replaced.
// Tags and the runs between them are a few bytes long: a plain loop reaches
// their end sooner than a call to memchr gets going.
std::size_t findFrom(std::string_view text, std::size_t pos, char c)
{
    const auto found = std::find(text.begin() + static_cast<std::ptrdiff_t>(pos), text.end(), c);
    return static_cast<std::size_t>(found - text.begin());
}

std::string replaceTagsAndQuotes(std::string_view line)
{
    std::string out(line.size(), '\0');
    char* kept = out.data();
    std::size_t pos = 0;
    while (pos < line.size()) {
        const std::size_t open = findFrom(line, pos, '<');
        kept = std::remove_copy(line.begin() + static_cast<std::ptrdiff_t>(pos),
                                line.begin() + static_cast<std::ptrdiff_t>(open), kept, '"');
        if (open == line.size())
            break;
        *kept++ = '|';
        const std::size_t close = findFrom(line, open + 1, '>');
        if (close == line.size())
            break;
        pos = close + 1;
    }
    out.resize(static_cast<std::size_t>(kept - out.data()));
    return out;
}

// The blank that replaces "&nbsp" cannot be part of a new "&nbsp", so one
// left-to-right pass equals replacing the first occurrence until none is left.
// The entity's closing ";" goes with it: pages of other tools write "&nbsp;"
// for an empty cell, which must read as empty, not as ";". The text only
// shrinks, so it is rewritten where it stands.
void replaceNbsp(std::string& text)
{
    static constexpr std::string_view nbsp = "&nbsp";
    std::size_t kept = 0;
    std::size_t read = 0;
    while (true) {
        const std::size_t found = text.find(nbsp, read);
        const std::size_t runEnd = found == std::string::npos ? text.size() : found;
        std::string::traits_type::move(text.data() + kept, text.data() + read, runEnd - read);
        kept += runEnd - read;
        if (found == std::string::npos)
            break;
        text[kept++] = ' ';
        read = found + nbsp.size();
        if (read < text.size() && text[read] == ';')
            ++read;
    }
    text.resize(kept);
}

} // namespace

std::string RemoveHTML(std::string_view line)
{
    std::string text = replaceTagsAndQuotes(line);
    replaceNbsp(text);
    return text;
}

// Trimming after each removed pipe only ever drops bytes that a final trim
// would drop too, so removing all pipes and trimming once is the same.
std::string RemovePipes(std::string_view text)
{
    if (!holds(text, '|'))
        return std::string(text);
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c != '|')
            out.push_back(c);
    }
    return std::string(trimmed(out));
}

std::int32_t HexToInt(std::string_view text)
{
    std::uint32_t value = 0;
    for (const char c : text)
        value = value * 16u + static_cast<std::uint32_t>(hexDigitValue(c));
    return static_cast<std::int32_t>(value);
}

std::string_view trimmed(std::string_view text)
{
    while (!text.empty() && isBlankOrControl(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlankOrControl(text.back()))
        text.remove_suffix(1);
    return text;
}

bool holds(std::string_view text, std::string_view word)
{
    return text.find(word) != std::string_view::npos;
}

bool holds(std::string_view text, char c)
{
    return text.find(c) != std::string_view::npos;
}
