#pragma once

#include "ByteText.h"

#include <string>
#include <string_view>

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
