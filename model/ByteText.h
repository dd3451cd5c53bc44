#pragma once

#include <string>
#include <string_view>

// Byte-text chores shared by the reader, the history file, the page builder
// and the network client. Only the ASCII letters change case: the bytes of
// other characters, in any encoding, stay as they are.

constexpr char asciiUpper(char c)
{
    return c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c;
}

constexpr char asciiLower(char c)
{
    return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c;
}

inline std::string upperCased(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = asciiUpper(c);
    return out;
}

inline std::string lowerCased(std::string_view text)
{
    std::string out(text);
    for (char& c : out)
        c = asciiLower(c);
    return out;
}

constexpr bool equalsIgnoringCase(std::string_view a, std::string_view b)
{
    if (a.size() != b.size())
        return false;
    for (std::size_t i = 0; i < a.size(); ++i) {
        if (asciiLower(a[i]) != asciiLower(b[i]))
            return false;
    }
    return true;
}

constexpr bool startsWithIgnoringCase(std::string_view text, std::string_view prefix)
{
    return text.size() >= prefix.size() && equalsIgnoringCase(text.substr(0, prefix.size()), prefix);
}

// The value of a hexadecimal digit in either case; -1 for any other byte.
constexpr int hexDigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'A' && c <= 'F')
        return c - 'A' + 10;
    if (c >= 'a' && c <= 'f')
        return c - 'a' + 10;
    return -1;
}

// The text without its double-quote characters, wherever they stand.
inline std::string withoutQuotes(std::string_view text)
{
    std::string out;
    out.reserve(text.size());
    for (const char c : text) {
        if (c != '"')
            out.push_back(c);
    }
    return out;
}

// The first maxBytes bytes of text, moved back to the start of a UTF-8
// character that the cut would split, so that no character is cut in two.
// A byte that cannot start a character is never searched back more than the
// three bytes a character continues for, so other encodings lose at most that.
inline std::string_view wholeCharacterPrefix(std::string_view text, std::size_t maxBytes)
{
    if (text.size() <= maxBytes)
        return text;
    const auto isContinuation = [&text](std::size_t at) {
        return (static_cast<unsigned char>(text[at]) & 0xC0) == 0x80;
    };
    std::size_t cut = maxBytes;
    while (cut > 0 && maxBytes - cut < 3 && isContinuation(cut))
        --cut;
    return text.substr(0, isContinuation(cut) ? maxBytes : cut);
}
