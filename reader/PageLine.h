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

    const std::string& cleaned() const;
    const std::string& cleanedUpper() const;

private:
    // Most lines lack some byte of most keywords: the set of bytes present
    // answers those without a search, and without upper-casing the line. A
    // byte of the line as the page has it is in the set through its upper-case
    // form, so the answer holds for both forms of the line.
    bool mayHold(std::string_view word) const
    {
        for (const char c : word) {
            if ((presenceBits[static_cast<unsigned char>(c)] & ~m_present) != 0)
                return false;
        }
        return true;
    }
    static bool search(std::string_view text, std::string_view word);

    // The bit of each byte's upper-case form in the set of bytes present.
    static const std::array<std::uint64_t, 256> presenceBits;

    std::string_view m_raw;
    // Bit b is set when the upper-cased line holds the byte 0x20 + b, the range
    // every keyword is written in.
    std::uint64_t m_present = 0;
    mutable bool m_upperMade = false;
    mutable std::string m_upper;
    mutable bool m_cleanedMade = false;
    mutable bool m_cleanedUpperMade = false;
    mutable std::string m_cleaned;
    mutable std::string m_cleanedUpper;
};
