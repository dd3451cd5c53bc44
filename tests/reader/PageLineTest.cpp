#include "PageLine.h"
#include "LineCleanup.h"

#include <gtest/gtest.h>

#include <random>

// The keyword tests skip lines that lack a byte of the word; they must still
// answer as a search of the upper-cased line, or of the line as it is, does.
TEST(PageLine, KeywordTestsAnswerAsASearchOfTheLineDoes)
{
    const std::string lines[] = {
        "",
        "<p>xxxx</p>",
        "<body bgcolor=\"#102030\" text=#ffffff>",
        "Coached by: Someone",
        "<TD>Team Rating:</TD><TD>120</TD>",
        "\xE9l\xE9ment ~{|}` \x7F\x01",
        "<TR><TD>#<TD>Position",
        "</table><TD>#<TD>",
    };
    const std::string_view words[] = {"<BODY", "BGCOLOR=", "TEXT=",   "COACHED BY:", "RATING",    "TEAM",
                                      "{|}",   "~",        "\x7F",    "\xE9L",       "#<",        "coach",
                                      "",      "X",        "</P>",    "<TR><TD>#",   "POSITIONS", "/table",
                                      ">#<",   "/TABLE",   "Position"};
    PageLine line;
    for (const std::string& raw : lines) {
        line.reset(raw);
        const std::string upper = upperCased(raw);
        for (const std::string_view word : words) {
            EXPECT_EQ(line.has(word), holds(upper, word)) << raw << " / " << word;
            EXPECT_EQ(line.rawHas(word), holds(raw, word)) << raw << " / " << word;
        }
        EXPECT_EQ(line.upper(), upper);
    }
}

TEST(PageLine, AResetLineForgetsTheCleanedTextOfTheLineBefore)
{
    PageLine line("<TD>first</TD>");
    EXPECT_EQ(line.cleaned(), "|first|");
    EXPECT_EQ(line.cleanedUpper(), "|FIRST|");
    line.reset("<b>second</b>&nbsp;");
    EXPECT_EQ(line.raw(), "<b>second</b>&nbsp;");
    EXPECT_EQ(line.cleaned(), "|second| ");
    EXPECT_EQ(line.cleanedUpper(), "|SECOND| ");
    EXPECT_FALSE(line.has("FIRST"));
    EXPECT_TRUE(line.has("SECOND"));
}

// Bytes outside the keywords' range share codes with bytes inside it ("`"
// with " ", DEL with "?", 0xE9 with ")", 0xB5 with "5"), letters come in both
// cases, and each line follows one that held other pairs: the pair test must
// never skip a line the search would find the word in, nor remember the line
// before, and a line with a digit must never be taken for one without.
TEST(PageLine, PairTestNeverSkipsAWordTheSearchFinds)
{
    const std::string alphabet = "aAbB<>` ?)\x7F\xE9|#09\xB5";
    const auto randomText = [&](std::mt19937& random, std::size_t maxLength) {
        std::string text(random() % (maxLength + 1), ' ');
        for (char& c : text)
            c = alphabet[random() % alphabet.size()];
        return text;
    };
    std::mt19937 random(26);
    PageLine line;
    for (int round = 0; round < 3000; ++round) {
        const std::string raw = randomText(random, 12);
        line.reset(raw);
        const std::string upper = upperCased(raw);
        for (int i = 0; i < 8; ++i) {
            const std::string word = randomText(random, 3);
            ASSERT_EQ(line.has(word), holds(upper, word)) << raw << " / " << word;
            ASSERT_EQ(line.rawHas(word), holds(raw, word)) << raw << " / " << word;
        }
        ASSERT_EQ(line.upper(), upper);
        const bool digit = raw.find_first_of("0123456789") != std::string::npos;
        ASSERT_TRUE(line.mayHoldDigit() || !digit) << raw;
    }
}
