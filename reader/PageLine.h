#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

// One line of the page as the scan sees it: the bytes as the page has them, the
// upper-cased copy the keyword tests look at, and the cleaned line that the
// rules walk, each made once on first use. One PageLine is reset for each line
// of a page in turn, so that its buffers are reused rather than made anew.
class PageLine
{
public:
    PageLine() = default;
    explicit PageLine(std::string_view raw) { reset(raw); }

    // Takes the next line; raw must outlive the use of this line.
    void reset(std::string_view raw);

    std::string_view raw() const { return m_raw; }
    std::string_view upper() const;
    // True when the upper-cased line holds the word. Inline, as the rules ask
    // this some thirty times for every line.
    bool has(std::string_view word) const { return mayHold(word) && search(upper(), word); }
    // True when the line as the page has it holds the word.
    bool rawHas(std::string_view word) const { return mayHold(word) && search(m_raw, word); }
    // False only when the line holds no decimal digit; cleaning the line
    // cannot add one.
    bool mayHoldDigit() const { return (m_present & digitCodes) != 0; }

    const std::string& cleaned() const;
    const std::string& cleanedUpper() const;

private:
    // Most lines lack some pair of neighbouring bytes of most keywords: the
    // pairs the line holds answer those without a search, and without
    // upper-casing the line. Bytes go in by a code of their upper-case form,
    // so the answer holds for both forms of the line.
    bool mayHold(std::string_view word) const
    {
        if (word.empty())
            return true;
        unsigned previous = keyCode(word.front());
        if ((m_present & codeBit(previous)) == 0)
            return false;
        for (const char c : word.substr(1)) {
            const unsigned code = keyCode(c);
            if ((m_followers[previous] & codeBit(code)) == 0)
                return false;
            previous = code;
        }
        return true;
    }
    static bool search(std::string_view text, std::string_view word);

    // Each byte's code: its upper-case form less 0x20, modulo 64. Every
    // keyword is written with bytes 0x20 to 0x5F, which keep codes of their
    // own; other bytes share a code with one of them, which can only let a
    // line through to the search.
    static const std::array<std::uint8_t, 256> keyCodes;
    static unsigned keyCode(char c) { return keyCodes[static_cast<unsigned char>(c)]; }
    static std::uint64_t codeBit(unsigned code) { return std::uint64_t{1} << code; }
    // The codes of "0" to "9", ten in a row.
    static constexpr std::uint64_t digitCodes = std::uint64_t{0x3FF} << ('0' - 0x20);

    std::string_view m_raw;
    // Bit c is set when the line holds a byte of code c; bit c of
    // m_followers[p] when a byte of code c follows one of code p. Only the
    // rows of codes present are kept up to date.
    std::uint64_t m_present = 0;
    std::array<std::uint64_t, 64> m_followers{};
    mutable bool m_upperMade = false;
    mutable std::string m_upper;
    mutable bool m_cleanedMade = false;
    mutable bool m_cleanedUpperMade = false;
    mutable std::string m_cleaned;
    mutable std::string m_cleanedUpper;
};
