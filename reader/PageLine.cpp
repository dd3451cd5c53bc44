#include "PageLine.h"

#include "LineCleanup.h"

PageLine::PageLine(std::string_view raw) : m_raw(raw), m_upper(upperCased(raw)) {}

bool PageLine::has(std::string_view word) const
{
    return holds(m_upper, word);
}

const std::string& PageLine::cleaned() const
{
    if (!m_cleaned)
        m_cleaned = RemoveHTML(m_raw);
    return *m_cleaned;
}

const std::string& PageLine::cleanedUpper() const
{
    if (!m_cleanedUpper)
        m_cleanedUpper = upperCased(cleaned());
    return *m_cleanedUpper;
}
