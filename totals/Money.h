#pragma once

#include <cstdint>
#include <string>
#include <string_view>

// Amounts of money in gold pieces. Pages hold money as free text ("90k",
// "$1,170,000", "1.2M"); these helpers read such a text only when its amount is
// certain and write amounts back in the look of a text beside them.
using GoldPieces = std::int64_t;

// Larger amounts are not kept exactly by the tools that read pages, so they
// count as unknown.
constexpr GoldPieces MaxExactGoldPieces = GoldPieces{1} << 53;

struct Money
{
    enum class Kind
    {
        Blank,   // nothing but blanks: no amount given
        Known,   // an amount read with certainty
        Unknown, // a text that may mean an amount, but not one we can be sure of
    };

    Kind kind = Kind::Blank;
    GoldPieces amount = 0; // meaningful when kind is Known

    static Money blank() { return {}; }
    static Money known(GoldPieces amount) { return {Kind::Known, amount}; }
    static Money unknown() { return {Kind::Unknown, 0}; }

    bool isBlank() const { return kind == Kind::Blank; }
    bool isKnown() const { return kind == Kind::Known; }
    bool isUnknown() const { return kind == Kind::Unknown; }

    bool operator==(const Money&) const = default;
};

// The text without the spaces and tabs around it.
std::string_view withoutBlanksAround(std::string_view text);

// Reads a money text: blanks around, an optional "$", a whole number with or
// without thousands commas ("1,170"), an optional fraction after "." where a
// "k" or "M" follows, and an optional "k" (thousand) or "M" (million) and
// "gp", each of them optionally after a blank ("90 kgp", "120k gp").
// A fraction of exactly three digits ("1.170k") reads as a thousands
// separator in some countries and a decimal point in others: unknown. So is
// every other text, any amount that is not whole gold pieces, and any above
// MaxExactGoldPieces.
Money parseMoney(std::string_view text);

// What a reader of another tool's page knows beyond the texts parseMoney
// reads everywhere.
struct MoneyReading
{
    // A dot or a blank separates groups of three digits ("70.000",
    // "90 000 gp"), where no unit follows: the page writes whole gold pieces.
    bool looseGroups = false;
    // The gold pieces a plain number stands for: 1000 in a column headed
    // "Cost (000s)". Texts with a unit or "gp" of their own keep it.
    GoldPieces scale = 1;
};

// parseMoney with what the reading adds; with the default reading the same.
Money parseMoney(std::string_view text, const MoneyReading& reading);

// How a money text looks, so that a new amount can be written like it.
struct MoneyStyle
{
    std::string prefix;    // "$" or nothing
    bool grouped = false;  // thousands commas
    char unit = 'k';       // 'k', 'K', 'm', 'M', or 0 for plain gold pieces
    std::string unitGap;   // blanks between the number and the unit
    std::string afterUnit; // what follows the unit: "gp", " gp" or nothing

    bool operator==(const MoneyStyle&) const = default;
};

// The look of "50k": no prefix, no commas, thousands.
MoneyStyle defaultMoneyStyle();

// The look of a readable money text; the default look for any other text.
MoneyStyle moneyStyleOf(std::string_view sample, const MoneyReading& reading = {});

// Writes a non-negative amount (at most MaxExactGoldPieces) in the given look.
// Where the amount is not a whole number of the look's unit, it takes at most
// two decimals ("1.25M"), or else the next smaller unit, down to plain gold
// pieces, so that parseMoney always reads back the same amount.
std::string formatMoney(GoldPieces amount, const MoneyStyle& style);

inline std::string formatMoneyLike(GoldPieces amount, std::string_view sample)
{
    return formatMoney(amount, moneyStyleOf(sample));
}
