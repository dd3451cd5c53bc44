#include "ByteText.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ByteTextTest, CaseChangesTouchOnlyAsciiLetters)
{
    // Bytes of other characters (here UTF-8 and Latin-1 letters) stay as they are.
    const std::string text = "aZ09@[`{ \xC3\xA9\xE9\xFF";
    EXPECT_EQ(upperCased(text), "AZ09@[`{ \xC3\xA9\xE9\xFF");
    EXPECT_EQ(lowerCased(text), "az09@[`{ \xC3\xA9\xE9\xFF");
    for (int b = 0; b < 256; ++b) {
        const char c = static_cast<char>(b);
        const bool letter = (b >= 'a' && b <= 'z') || (b >= 'A' && b <= 'Z');
        if (!letter) {
            EXPECT_EQ(asciiUpper(c), c) << b;
            EXPECT_EQ(asciiLower(c), c) << b;
        }
    }
}

TEST(ByteTextTest, ComparesWithoutRegardToAsciiCase)
{
    struct Case
    {
        std::string_view a, b;
        bool equal;
    };
    const Case cases[] = {
        {"Team HTML", "team html", true}, {"", "", true},    {"abc", "abcd", false},
        {"\xC3\xA9", "\xC3\x89", false},  {"[", "{", false}, {"http", "HTTP", true},
    };
    for (const Case& c : cases)
        EXPECT_EQ(equalsIgnoringCase(c.a, c.b), c.equal) << c.a << " / " << c.b;
    EXPECT_TRUE(startsWithIgnoringCase("hTTp://x", "HTTP"));
    EXPECT_FALSE(startsWithIgnoringCase("htt", "HTTP"));
}

TEST(ByteTextTest, HexDigitsInEitherCase)
{
    const std::string_view digits = "0123456789abcdefABCDEF";
    const int values[] = {0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12, 13, 14, 15, 10, 11, 12, 13, 14, 15};
    for (std::size_t i = 0; i < digits.size(); ++i)
        EXPECT_EQ(hexDigitValue(digits[i]), values[i]) << digits[i];
    for (const char c : std::string_view("gG/:@`x \xFF"))
        EXPECT_EQ(hexDigitValue(c), -1) << c;
}

TEST(ByteTextTest, QuotesGoWhereverTheyStand)
{
    EXPECT_EQ(withoutQuotes(R"("#FF00"00" )"), "#FF0000 ");
    EXPECT_EQ(withoutQuotes(R"("""")"), "");
    EXPECT_EQ(withoutQuotes("plain"), "plain");
}

} // namespace
