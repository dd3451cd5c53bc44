#include "PageLine.h"

#include "LineCleanup.h"

namespace {

// Each byte's upper-case form and its bit in the set of bytes present, looked
// up rather than worked out for every byte of the page.
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

} // namespace

void PageLine::reset(std::string_view raw)
{
    m_raw = raw;
    const auto bitAt = [&](std::size_t i) { return byteTable.bit[static_cast<unsigned char>(raw[i])]; };
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
            m_upper[i] = byteTable.upper[static_cast<unsigned char>(m_raw[i])];
        m_upperMade = true;
    }
    return m_upper;
}

// Most lines lack some byte of most keywords: the set of bytes present answers
// those without a search, and without upper-casing the line. A byte of the
// line as the page has it is in the set through its upper-case form, so the
// answer holds for both forms of the line.
bool PageLine::mayHold(std::string_view word) const
{
    for (const char c : word) {
        if ((byteTable.bit[static_cast<unsigned char>(c)] & ~m_present) != 0)
            return false;
    }
    return true;
}

bool PageLine::has(std::string_view word) const
{
    return mayHold(word) && holds(upper(), word);
}

bool PageLine::rawHas(std::string_view word) const
{
    return mayHold(word) && holds(m_raw, word);
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
