#include "PageLine.h"

#include "LineCleanup.h"

namespace {

// Each byte's upper-case form and its bit in the set of bytes present (none
// outside 0x20 to 0x5F), looked up rather than worked out for every byte.
struct ByteTable
{
    char upper[256];
    std::uint64_t bit[256];
};

constexpr ByteTable makeByteTable()
{
    ByteTable table{};
    for (int b = 0; b < 256; ++b) {
        const int upper = b >= 'a' && b <= 'z' ? b - 'a' + 'A' : b;
        table.upper[b] = static_cast<char>(upper);
        table.bit[b] = upper >= 0x20 && upper < 0x60 ? std::uint64_t{1} << (upper - 0x20) : 0;
    }
    return table;
}

constexpr ByteTable byteTable = makeByteTable();

std::uint64_t bitOf(char c)
{
    return byteTable.bit[static_cast<unsigned char>(c)];
}

} // namespace

void PageLine::reset(std::string_view raw)
{
    m_raw = raw;
    m_upper.resize(raw.size());
    char* upper = m_upper.data();
    std::uint64_t present = 0;
    for (std::size_t i = 0; i < raw.size(); ++i) {
        const auto b = static_cast<unsigned char>(raw[i]);
        upper[i] = byteTable.upper[b];
        present |= byteTable.bit[b];
    }
    m_present = present;
    m_cleanedMade = false;
    m_cleanedUpperMade = false;
}

bool PageLine::has(std::string_view word) const
{
    // Most lines lack some byte of most keywords: the set of bytes present
    // answers those without a search.
    for (const char c : word) {
        if ((bitOf(c) & ~m_present) != 0)
            return false;
    }
    return holds(m_upper, word);
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
