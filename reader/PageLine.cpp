#include "PageLine.h"

#include "LineCleanup.h"

#include <algorithm>
#include <bit>

namespace {

constexpr int upperOf(int b)
{
    return static_cast<unsigned char>(asciiUpper(static_cast<char>(b)));
}

} // namespace

// A constant, so that it is ready before any startup code of another file runs.
constinit const std::array<std::uint8_t, 256> PageLine::keyCodes = [] {
    std::array<std::uint8_t, 256> codes{};
    for (int b = 0; b < 256; ++b)
        codes[static_cast<std::size_t>(b)] = static_cast<std::uint8_t>((upperOf(b) - 0x20) & 63);
    return codes;
}();

void PageLine::reset(std::string_view raw)
{
    m_raw = raw;
    for (std::uint64_t rows = m_present; rows != 0; rows &= rows - 1)
        m_followers[static_cast<std::size_t>(std::countr_zero(rows))] = 0;
    m_present = 0;
    if (!raw.empty()) {
        // This loop sees every byte of the page.
        unsigned previous = keyCode(raw.front());
        std::uint64_t present = codeBit(previous);
        for (const char c : raw.substr(1)) {
            const unsigned code = keyCode(c);
            m_followers[previous] |= codeBit(code);
            present |= codeBit(code);
            previous = code;
        }
        m_present = present;
    }
    m_upperMade = false;
    m_cleanedMade = false;
    m_cleanedUpperMade = false;
}

std::string_view PageLine::upper() const
{
    if (!m_upperMade) {
        m_upper.resize(m_raw.size());
        std::transform(m_raw.begin(), m_raw.end(), m_upper.begin(), asciiUpper);
        m_upperMade = true;
    }
    return m_upper;
}

bool PageLine::search(std::string_view text, std::string_view word)
{
    return holds(text, word);
}

const std::string& PageLine::cleaned() const
{
    if (!m_cleanedMade) {
        m_cleaned = RemoveHTML(m_raw);
        m_cleanedMade = true;
    }
    return m_cleaned;
}

const std::string& PageLine::cleanedUpper() const
{
    if (!m_cleanedUpperMade) {
        m_cleanedUpper = upperCased(cleaned());
        m_cleanedUpperMade = true;
    }
    return m_cleanedUpper;
}
