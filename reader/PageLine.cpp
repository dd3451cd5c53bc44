#include "PageLine.h"

#include "LineCleanup.h"

namespace {

constexpr int upperOf(int b)
{
    return static_cast<unsigned char>(asciiUpper(static_cast<char>(b)));
}

// Each byte's upper-case form, looked up rather than worked out.
constexpr std::array<char, 256> upperBytes = [] {
    std::array<char, 256> upper{};
    for (int b = 0; b < 256; ++b)
        upper[static_cast<std::size_t>(b)] = static_cast<char>(upperOf(b));
    return upper;
}();

} // namespace

// Bytes outside 0x20 to 0x5F have no bit: no keyword is written with them. A
// constant, so that it is ready before any startup code of another file runs.
constinit const std::array<std::uint64_t, 256> PageLine::presenceBits = [] {
    std::array<std::uint64_t, 256> bits{};
    for (int b = 0; b < 256; ++b) {
        const int upper = upperOf(b);
        if (upper >= 0x20 && upper < 0x60)
            bits[static_cast<std::size_t>(b)] = std::uint64_t{1} << (upper - 0x20);
    }
    return bits;
}();

void PageLine::reset(std::string_view raw)
{
    m_raw = raw;
    const auto bitAt = [&](std::size_t i) { return presenceBits[static_cast<unsigned char>(raw[i])]; };
    // Four bytes a round into separate sets, so that the rounds do not wait on
    // one another; this loop sees every byte of the page.
    std::uint64_t present[4] = {};
    std::size_t i = 0;
    for (; i + 4 <= raw.size(); i += 4) {
        present[0] |= bitAt(i);
        present[1] |= bitAt(i + 1);
        present[2] |= bitAt(i + 2);
        present[3] |= bitAt(i + 3);
    }
    for (; i < raw.size(); ++i)
        present[0] |= bitAt(i);
    m_present = present[0] | present[1] | present[2] | present[3];
    m_upperMade = false;
    m_cleanedMade = false;
    m_cleanedUpperMade = false;
}

std::string_view PageLine::upper() const
{
    if (!m_upperMade) {
        m_upper.resize(m_raw.size());
        for (std::size_t i = 0; i < m_raw.size(); ++i)
            m_upper[i] = upperBytes[static_cast<unsigned char>(m_raw[i])];
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
