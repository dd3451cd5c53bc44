#include "Money.h"

#include "ByteText.h"

#include <optional>

namespace {

bool isBlank(char c)
{
    return c == ' ' || c == '\t';
}

bool isDigit(char c)
{
    return c >= '0' && c <= '9';
}

GoldPieces unitValue(char unit)
{
    switch (asciiLower(unit)) {
    case 'k':
        return 1'000;
    case 'm':
        return 1'000'000;
    default:
        return 1;
    }
}

// A readable money text taken apart: its amount and its look.
struct ParsedMoney
{
    GoldPieces amount = 0;
    MoneyStyle style;
};

// Reads the whole-number part: plain digits, or groups of three after commas
// with a first group of one to three digits. Where the reading allows, a dot
// or a blank separates groups too, but only before exactly three digits, and
// one kind of separator per number. Stops at the first character that cannot
// continue it; `loose` tells whether a dot or blank grouped it.
std::optional<GoldPieces> readWholeNumber(std::string_view text, std::size_t& pos, bool& grouped, bool& loose,
                                          const MoneyReading& reading)
{
    const std::size_t start = pos;
    GoldPieces value = 0;
    std::size_t groupDigits = 0;
    grouped = false;
    loose = false;
    char separator = 0;
    const auto threeDigitsAt = [&](std::size_t at) {
        return at + 3 <= text.size() && isDigit(text[at]) && isDigit(text[at + 1]) && isDigit(text[at + 2]) &&
               (at + 3 == text.size() || !isDigit(text[at + 3]));
    };
    while (pos < text.size()) {
        const char c = text[pos];
        if (isDigit(c)) {
            // Beyond this the amount cannot be exact in any unit.
            if (value > MaxExactGoldPieces)
                return std::nullopt;
            value = value * 10 + (c - '0');
            ++groupDigits;
            ++pos;
        } else if (c == ',' && separator != '.' && separator != ' ') {
            const bool firstGroup = !grouped;
            if (firstGroup ? (groupDigits == 0 || groupDigits > 3) : groupDigits != 3)
                return std::nullopt;
            grouped = true;
            separator = c;
            groupDigits = 0;
            ++pos;
        } else if (reading.looseGroups && (c == '.' || c == ' ') && (separator == 0 || separator == c) &&
                   groupDigits >= 1 && groupDigits <= 3 && (!grouped || groupDigits == 3) &&
                   threeDigitsAt(pos + 1)) {
            grouped = true;
            loose = true;
            separator = c;
            groupDigits = 0;
            ++pos;
        } else {
            break;
        }
    }
    if (pos == start || (grouped && groupDigits != 3))
        return std::nullopt;
    return value;
}

std::optional<ParsedMoney> parseWithStyle(std::string_view text, const MoneyReading& reading = {})
{
    text = withoutBlanksAround(text);
    ParsedMoney parsed;
    MoneyStyle& style = parsed.style;
    std::size_t pos = 0;
    if (pos < text.size() && text[pos] == '$') {
        style.prefix = "$";
        ++pos;
    }
    bool loose = false;
    const std::optional<GoldPieces> whole = readWholeNumber(text, pos, style.grouped, loose, reading);
    if (!whole)
        return std::nullopt;

    std::string_view fraction;
    if (pos < text.size() && text[pos] == '.') {
        const std::size_t start = ++pos;
        while (pos < text.size() && isDigit(text[pos]))
            ++pos;
        fraction = text.substr(start, pos - start);
        if (fraction.empty() || fraction.size() == 3)
            return std::nullopt;
    }

    const std::size_t gapStart = pos;
    while (pos < text.size() && isBlank(text[pos]))
        ++pos;
    const std::string_view gap = text.substr(gapStart, pos - gapStart);

    style.unit = 0;
    if (pos < text.size() && (asciiLower(text[pos]) == 'k' || asciiLower(text[pos]) == 'm')) {
        style.unit = text[pos++];
        style.unitGap = gap;
        const std::size_t afterStart = pos;
        while (pos < text.size() && isBlank(text[pos]))
            ++pos;
        if (pos + 2 == text.size() && asciiLower(text[pos]) == 'g' && asciiLower(text[pos + 1]) == 'p')
            pos += 2;
        else
            pos = afterStart;
        style.afterUnit = text.substr(afterStart, pos - afterStart);
    } else if (pos + 2 == text.size() && asciiLower(text[pos]) == 'g' && asciiLower(text[pos + 1]) == 'p') {
        style.afterUnit = std::string(gap) + std::string(text.substr(pos, 2));
        pos += 2;
    } else if (!gap.empty()) {
        return std::nullopt;
    }
    if (pos != text.size())
        return std::nullopt;

    // "1.170k" is 1,170k in some countries and 1.17k in others.
    if (loose && style.unit != 0)
        return std::nullopt;
    // A column's note ("Cost (000s)") scales the plain numbers in it; an
    // amount with its own unit or "gp" keeps it.
    const GoldPieces unit =
        style.unit == 0 && style.afterUnit.empty() ? reading.scale : unitValue(style.unit);
    if (unit < 1)
        return std::nullopt;
    // A fraction is a part of a unit; plain gold pieces have no parts.
    if (!fraction.empty() && unit == 1)
        return std::nullopt;
    if (*whole > MaxExactGoldPieces / unit)
        return std::nullopt;
    GoldPieces amount = *whole * unit;
    GoldPieces place = unit;
    for (const char digit : fraction) {
        if (place % 10 != 0) {
            if (digit != '0')
                return std::nullopt; // a part of a gold piece
            continue;
        }
        place /= 10;
        amount += (digit - '0') * place;
    }
    if (amount > MaxExactGoldPieces)
        return std::nullopt;
    parsed.amount = amount;
    return parsed;
}

std::string groupedDigits(GoldPieces value, bool grouped)
{
    std::string digits = std::to_string(value);
    if (!grouped)
        return digits;
    std::string result;
    result.reserve(digits.size() + digits.size() / 3);
    for (std::size_t i = 0; i < digits.size(); ++i) {
        if (i != 0 && (digits.size() - i) % 3 == 0)
            result.push_back(',');
        result.push_back(digits[i]);
    }
    return result;
}

// The number of the amount in the given unit, with at most two decimals; none
// when the amount needs more.
std::optional<std::string> numberInUnit(GoldPieces amount, GoldPieces unit, bool grouped)
{
    std::string number = groupedDigits(amount / unit, grouped);
    GoldPieces rest = amount % unit;
    if (rest == 0)
        return number;
    std::string fraction;
    for (GoldPieces place = unit / 10; place > 0 && rest > 0; place /= 10) {
        fraction.push_back(static_cast<char>('0' + rest / place));
        rest %= place;
    }
    if (fraction.size() > 2)
        return std::nullopt;
    return number + "." + fraction;
}

} // namespace

std::string_view withoutBlanksAround(std::string_view text)
{
    while (!text.empty() && isBlank(text.front()))
        text.remove_prefix(1);
    while (!text.empty() && isBlank(text.back()))
        text.remove_suffix(1);
    return text;
}

Money parseMoney(std::string_view text)
{
    return parseMoney(text, MoneyReading{});
}

Money parseMoney(std::string_view text, const MoneyReading& reading)
{
    if (withoutBlanksAround(text).empty())
        return Money::blank();
    const std::optional<ParsedMoney> parsed = parseWithStyle(text, reading);
    return parsed ? Money::known(parsed->amount) : Money::unknown();
}

MoneyStyle defaultMoneyStyle()
{
    return MoneyStyle{};
}

MoneyStyle moneyStyleOf(std::string_view sample, const MoneyReading& reading)
{
    const std::optional<ParsedMoney> parsed = parseWithStyle(sample, reading);
    return parsed ? parsed->style : defaultMoneyStyle();
}

std::string formatMoney(GoldPieces amount, const MoneyStyle& style)
{
    if (amount < 0 || amount > MaxExactGoldPieces)
        return {};
    char unit = style.unit;
    while (unit != 0) {
        if (const std::optional<std::string> number = numberInUnit(amount, unitValue(unit), style.grouped))
            return style.prefix + *number + style.unitGap + unit + style.afterUnit;
        unit = asciiLower(unit) == 'm' ? 'k' : 0;
    }
    // Plain gold pieces keep a "gp" the look had after its unit.
    std::string suffix;
    if (!style.afterUnit.empty()) {
        const bool gapBefore = !style.unitGap.empty() || isBlank(style.afterUnit.front());
        suffix = (gapBefore ? " " : "") + std::string(withoutBlanksAround(style.afterUnit));
    }
    return style.prefix + groupedDigits(amount, style.grouped) + suffix;
}
