#include "LineCleanup.h"

namespace {

bool isBlankOrControl(char c)
{
    return static_cast<unsigned char>(c) <= 32;
}

// Replacing the first tag and searching again from the start gives the same
// text as this single pass: everything before a replaced tag holds no "<", so
// the next search always starts right after the tag just replaced.
std::string replaceTags(std::string_view line)
{
    std::string out;
    out.reserve(line.size());
    std::size_t pos = 0;
    while (pos < line.size()) {
        const std::size_t open = line.find('<', pos);
        if (open == std::string_view::npos) {
            out.append(line.substr(pos));
            break;
        }
        out.append(line.substr(pos, open - pos));
        out.push_back('|');
        const std::size_t close = line.find('>', open + 1);
        if (close == std::string_view::npos)
            break;
        pos = close + 1;
    }
    return out;
}

// The blank that replaces "&nbsp" cannot be part of a new "&nbsp", so one
// left-to-right pass equals replacing the first occurrence until none is left.
// The entity's closing ";" goes with it: pages of other tools write "&nbsp;"
// for an empty cell, which must read as empty, not as ";".
std::string replaceNbsp(std::string_view text)
{
    static constexpr std::string_view nbsp = "&nbsp";
    std::string out;
    out.reserve(text.size());
    std::size_t pos = 0;
    while (true) {
        const std::size_t found = text.find(nbsp, pos);
        if (found == std::string_view::npos) {
            out.append(text.substr(pos));
            return out;
        }
        out.append(text.substr(pos, found - pos));
        out.push_back(' ');
        pos = found + nbsp.size();
        if (pos < text.size() && text[pos] == ';')
            ++pos;
    }
}

} // namespace

std::string RemoveHTML(std::string_view line)
{
    return replaceNbsp(withoutQuotes(replaceTags(line)));
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
