#pragma once

#include <string>
#include <string_view>

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

// A text property of the network components: it keeps at most 255 bytes and
// silently drops the rest on assignment, as the components' texts always did,
// but never the part of a character (see wholeCharacterPrefix).
class ShortString
{
public:
    static constexpr std::size_t maxLength = 255;

    ShortString() = default;
    ShortString(std::string_view text) { assign(text); }
    ShortString(const char* text) { assign(text); }
    ShortString(const std::string& text) { assign(text); }
    ShortString& operator=(std::string_view text)
    {
        assign(text);
        return *this;
    }
    ShortString& operator=(const char* text)
    {
        assign(text);
        return *this;
    }
    ShortString& operator=(const std::string& text)
    {
        assign(text);
        return *this;
    }

    const std::string& str() const { return m_text; }
    operator const std::string&() const { return m_text; }
    bool empty() const { return m_text.empty(); }

    friend bool operator==(const ShortString& a, std::string_view b) { return a.m_text == b; }

private:
    void assign(std::string_view text) { m_text.assign(wholeCharacterPrefix(text, maxLength)); }

    std::string m_text;
};
