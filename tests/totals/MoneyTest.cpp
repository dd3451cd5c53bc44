#include "Money.h"

#include <gtest/gtest.h>

#include <random>

namespace {

constexpr GoldPieces k = 1'000;

struct ReadCase
{
    const char* text;
    Money expected;
};

} // namespace

TEST(Money, ReadsTheFormsPagesUse)
{
    const ReadCase cases[] = {
        {"90k", Money::known(90 * k)},
        {"1,170k", Money::known(1'170 * k)},
        {"$40k", Money::known(40 * k)},
        {"90,000", Money::known(90 * k)},
        {"$240,000", Money::known(240 * k)},
        {"90 kgp", Money::known(90 * k)},
        {"120k gp", Money::known(120 * k)},
        {"1.2M", Money::known(1'200 * k)},
        {"90000", Money::known(90 * k)},
        {"  90k\t", Money::known(90 * k)},
        {" $1,170,000 ", Money::known(1'170 * k)},
        {"90K", Money::known(90 * k)},
        {"90GP", Money::known(90)},
        {"90 gp", Money::known(90)},
        {"1.5k", Money::known(1'500)},
        {"1.25M", Money::known(1'250 * k)},
        {"0.05M", Money::known(50 * k)},
        {"1,234.5k", Money::known(1'234'500)},
        {"0", Money::known(0)},
        {"9,007,199,254,740,992", Money::known(MaxExactGoldPieces)},
        {"", Money::blank()},
        {"   ", Money::blank()},
    };
    for (const ReadCase& c : cases)
        EXPECT_EQ(parseMoney(c.text), c.expected) << '"' << c.text << '"';
}

TEST(Money, NeverGuessesAnAmount)
{
    const char* const unknown[] = {
        "1.170k",                // a thousands separator in some countries, a decimal point in others
        "90.000",                // the same without a unit
        "ninety",                // words
        "90k?",                  // a doubt
        "$",                     // a price without a number
        "k",                     //
        "90.5",                  // a part of a gold piece
        "1.2345k",               // 1234.5 gold pieces
        "1,17k",                 // a group of two
        "1,1700k",               // a group of four
        ",170k",                 // no first group
        "1,,170k",               //
        "170,k",                 //
        "-10k",                  // money a roster spends is never negative
        "10 k k",                //
        "90 g",                  //
        "90 000",                // blanks as separators
        ".5k",                   //
        "5.k",                   //
        "9,007,199,254,740,993", // above 2^53
        "99999999999999999999999k",
        "9007199254741k",
        "x $40k =", // a price text is not an amount
        "1O0k",     // a letter O
    };
    for (const char* text : unknown)
        EXPECT_TRUE(parseMoney(text).isUnknown()) << '"' << text << '"';
}

TEST(Money, WritesInTheLookOfASample)
{
    struct Case
    {
        GoldPieces amount;
        const char* sample;
        const char* expected;
    };
    const Case cases[] = {
        {1'240 * k, "1,170k", "1,240k"},
        {1'240 * k, "$1,170,000", "$1,240,000"},
        {1'240 * k, "1170k", "1240k"},
        {1'240 * k, "", "1240k"},       // the default look, "50k"
        {1'240 * k, "ninety", "1240k"}, // an unreadable sample gives the default too
        {200 * k, "120k", "200k"},
        {200 * k, "$120k", "$200k"},
        {200 * k, "90 kgp", "200 kgp"},
        {200 * k, "120k gp", "200k gp"},
        {1'320 * k, "1.2M", "1.32M"},
        {1'500 * k, "1.2M", "1.5M"},
        {1'234 * k, "1.2M", "1234k"}, // three decimals would read as a separator
        {1'234'500, "1.2M", "1234.5k"},
        {1'234'567, "1.2M", "1234567"},
        {1'234'567, "1,170k", "1,234,567"},
        {1'500, "90 kgp", "1.5 kgp"},
        {1'234, "90 kgp", "1234 gp"},
        {1'234, "120k gp", "1234 gp"},
        {1'234, "90K", "1234"},
        {90 * k, "90000", "90000"},
        {1'240 * k, "90,000", "1,240,000"},
        {0, "50k", "0k"},
        {999, "1,170k", "999"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(formatMoneyLike(c.amount, c.sample), c.expected) << c.amount << " like " << c.sample;
}

TEST(Money, EveryAmountReadsBackInEveryLook)
{
    const char* const samples[] = {"50k",   "1,170k", "$1,170,000", "1170k", "90 kgp",    "120k gp", "1.2M",
                                   "90000", "$40k",   "90 GP",      "3.5K",  "$2,000.5k", "1,000M",  "7m gp"};
    std::mt19937_64 random(20261208);
    std::vector<GoldPieces> amounts = {0,
                                       1,
                                       999,
                                       1'000,
                                       1'001,
                                       1'010,
                                       1'100,
                                       12'345,
                                       1'000'000,
                                       1'230'000,
                                       MaxExactGoldPieces - 1,
                                       MaxExactGoldPieces};
    for (int i = 0; i < 2000; ++i) {
        // Round amounts are what pages hold; odd ones try the fall-back to smaller units.
        const GoldPieces magnitude = GoldPieces{1} << (random() % 54);
        GoldPieces amount = static_cast<GoldPieces>(random() % static_cast<std::uint64_t>(magnitude));
        if (i % 2 == 0)
            amount -= amount % (i % 4 == 0 ? 10'000 : 1'000);
        amounts.push_back(amount);
    }
    for (const char* sample : samples) {
        ASSERT_TRUE(parseMoney(sample).isKnown()) << sample;
        const MoneyStyle style = moneyStyleOf(sample);
        for (const GoldPieces amount : amounts) {
            const std::string text = formatMoney(amount, style);
            EXPECT_EQ(parseMoney(text), Money::known(amount)) << amount << " like " << sample << ": " << text;
        }
    }
}

TEST(Money, ReadsOtherToolsFormsWithTheirReading)
{
    const MoneyReading loose{true, 1};
    const MoneyReading thousands{true, 1'000};
    struct Case
    {
        const char* text;
        MoneyReading reading;
        Money expected;
    };
    const Case cases[] = {
        {"70k", loose, Money::known(70 * k)},
        {"70 k", loose, Money::known(70 * k)},
        {"70,000", loose, Money::known(70 * k)},
        {"70.000", loose, Money::known(70 * k)},
        {"70000", loose, Money::known(70 * k)},
        {"70,000 gp", loose, Money::known(70 * k)},
        {"70000gp", loose, Money::known(70 * k)},
        {"70 kgp", loose, Money::known(70 * k)},
        {"$70,000", loose, Money::known(70 * k)},
        {"70K", loose, Money::known(70 * k)},
        {"90 000 gp", loose, Money::known(90 * k)},
        {"1.150.000", loose, Money::known(1'150 * k)},
        {"1.5M", loose, Money::known(1'500 * k)},
        // A unit after dotted groups could mean either reading.
        {"1.170k", loose, Money::unknown()},
        {"1.170.5", loose, Money::unknown()},
        {"1,234.567", loose, Money::unknown()},
        {"70.00", loose, Money::unknown()},
        {"7 0", loose, Money::unknown()},
        {"pts", loose, Money::unknown()},
        // A "(000s)" column scales plain numbers, never one with a unit of its own.
        {"70", thousands, Money::known(70 * k)},
        {"1,150", thousands, Money::known(1'150 * k)},
        {"1.5", thousands, Money::known(1'500)},
        {"70k", thousands, Money::known(70 * k)},
        {"70 gp", thousands, Money::known(70)},
        {"", thousands, Money::blank()},
    };
    for (const Case& c : cases)
        EXPECT_EQ(parseMoney(c.text, c.reading), c.expected) << '"' << c.text << '"';
}

// Whatever parseMoney reads, the loose reading reads the same; it only adds.
TEST(Money, TheLooseReadingKeepsEveryAmountTheStrictOneReads)
{
    std::mt19937_64 random(20261209);
    const std::string_view alphabet = "0123456789,. $kKmMgp";
    int known = 0;
    for (int i = 0; i < 200'000; ++i) {
        std::string text;
        const std::size_t length = 1 + random() % 10;
        for (std::size_t j = 0; j < length; ++j)
            text.push_back(alphabet[random() % alphabet.size()]);
        const Money strict = parseMoney(text);
        if (strict.isKnown()) {
            ++known;
            EXPECT_EQ(parseMoney(text, MoneyReading{true, 1}), strict) << '"' << text << '"';
        }
    }
    EXPECT_GT(known, 1000);
}
