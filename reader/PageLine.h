#pragma once

#include <optional>
#include <string>
#include <string_view>

// One line of the page as the scan sees it: the bytes as the page has them, the
// upper-cased copy every keyword test looks at, and the cleaned line that the
// rules walk, made once on first use.
class PageLine
{
public:
    explicit PageLine(std::string_view raw);

    std::string_view raw() const { return m_raw; }
    std::string_view upper() const { return m_upper; }
    // True when the upper-cased line holds the word.
    bool has(std::string_view word) const;

    const std::string& cleaned() const;
    const std::string& cleanedUpper() const;

private:
    std::string_view m_raw;
    std::string m_upper;
    mutable std::optional<std::string> m_cleaned;
    mutable std::optional<std::string> m_cleanedUpper;
};
