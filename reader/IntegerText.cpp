#include "IntegerText.h"

#include "ByteText.h"

namespace {

int digitValue(char c, int base)
{
    const int value = hexDigitValue(c);
    return value < base ? value : -1;
}

} // namespace

std::optional<std::int32_t> strictToInt(std::string_view text)
{
    std::size_t pos = text.find_first_not_of(' ');
    if (pos == std::string_view::npos)
        return std::nullopt;

    bool negative = false;
    int base = 10;
    if (text[pos] == '$') {
        base = 16;
        ++pos;
    } else if (text[pos] == '+' || text[pos] == '-') {
        negative = text[pos] == '-';
        ++pos;
    }
    if (pos == text.size())
        return std::nullopt;

    // The magnitude may reach 2^31 for the one negative value that needs it.
    const std::int64_t limit = negative ? std::int64_t{1} << 31 : (std::int64_t{1} << 31) - 1;
    std::int64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = digitValue(text[pos], base);
        if (digit < 0)
            return std::nullopt;
        magnitude = magnitude * base + digit;
        if (magnitude > limit)
            return std::nullopt;
    }
    return static_cast<std::int32_t>(negative ? -magnitude : magnitude);
}

std::int32_t lenientToInt(std::string_view text, std::int32_t fallback)
{
    return strictToInt(text).value_or(fallback);
}
