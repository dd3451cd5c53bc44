#include "LineCleanup.h"

#include <gtest/gtest.h>

#include <random>

namespace {

struct TextCase
{
    std::string input;
    std::string expected;
};

// The tag pass as first described: replace the first tag, search again from
// the start. An unmatched "<" turns the rest into one "|".
std::string removeTagsOneByOne(std::string text)
{
    while (true) {
        const std::size_t open = text.find('<');
        if (open == std::string::npos)
            return text;
        const std::size_t close = text.find('>', open);
        text.replace(open, close == std::string::npos ? std::string::npos : close - open + 1, "|");
    }
}

// The blank pass as first described: replace the first "&nbsp" (with a ";"
// right after it) by a blank, search again from the start.
std::string replaceNbspOneByOne(std::string text)
{
    for (std::size_t found = text.find("&nbsp"); found != std::string::npos; found = text.find("&nbsp")) {
        const bool semicolon = found + 5 < text.size() && text[found + 5] == ';';
        text.replace(found, semicolon ? 6 : 5, " ");
    }
    return text;
}

} // namespace

TEST(RemoveHTML, CleansLines)
{
    const TextCase cases[] = {
        {"<TD>word</TD>", "|word|"},
        {"<FONT FACE=\"Arial\">x&nbsp;y</FONT>", "|x y|"},
        {"<TD>&nbsp;</TD><TD>&nbsp;;</TD><TD>&nbsp&nbsp;x</TD>", "| || ;||  x|"},
        {"&NBSP; stays, &nbsp ; keeps its distant semicolon",
         "&NBSP; stays,   ; keeps its distant semicolon"},
        {"say \"hi\" twice\"", "say hi twice"},
        {"  plain text  ", "  plain text  "},
        {"&NBSP stays, &nbsp goes", "&NBSP stays,   goes"},
        {"&nb\"sp", " "},
        {"<TR><TD>3</TD><TD ALIGN=LEFT>Name</TD></TR>", "||3||Name||"},
        {"", ""},
        // A ">" before the first "<" is text; an unclosed "<" swallows the rest.
        {"a>b<c>d", "a>b|d"},
        {"keep<TD unclosed \"tag", "keep|"},
        {"<<>>", "|>"},
        {std::string("nul\0<B>byte", 11), std::string("nul\0|byte", 9)},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(RemoveHTML(c.input), c.expected) << c.input;
}

TEST(RemoveHTML, TagPassEqualsReplacingTheFirstTagRepeatedly)
{
    std::mt19937 random(7);
    const std::string alphabet = "<>ab \"|";
    for (int round = 0; round < 2000; ++round) {
        std::string text(random() % 24, ' ');
        for (char& c : text)
            c = alphabet[random() % alphabet.size()];
        std::string expected = removeTagsOneByOne(text);
        std::erase(expected, '"');
        ASSERT_EQ(RemoveHTML(text), expected) << text;
    }
}

TEST(RemoveHTML, EqualsItsPassesDoneOneReplacementAtATime)
{
    const std::string pieces[] = {"<", ">", "\"", "&nbsp", "&nb", "sp", ";", "a", "|", "&"};
    std::mt19937 random(26);
    for (int round = 0; round < 3000; ++round) {
        std::string text;
        for (int i = random() % 12; i > 0; --i)
            text += pieces[random() % std::size(pieces)];
        std::string expected = removeTagsOneByOne(text);
        std::erase(expected, '"');
        ASSERT_EQ(RemoveHTML(text), replaceNbspOneByOne(expected)) << text;
    }
}

TEST(RemovePipes, RemovesPipesAndTrimsOnlyWhenThereAreAny)
{
    const TextCase cases[] = {
        {"|||Reavers||", "Reavers"},
        {"  no pipes  ", "  no pipes  "},
        {"a | b", "a  b"},
        {"| \t|", ""},
        {"", ""},
    };
    for (const TextCase& c : cases)
        EXPECT_EQ(RemovePipes(c.input), c.expected) << c.input;
}

TEST(HexToInt, ReadsBase16WithMinusOneForBadDigits)
{
    const std::pair<std::string, std::int32_t> cases[] = {
        {"FF", 255}, {"ff", 255}, {"0000FF", 255}, {"A0D0D0", 10539216}, {"7", 7},
        {"Z", -1},   {"1G", 15},  {"", 0},         {"eitwh", 913135},    {"FFF", 4095},
    };
    for (const auto& [text, value] : cases)
        EXPECT_EQ(HexToInt(text), value) << text;
}

TEST(TextHelpers, TrimOnlyBlanksAndControlBytesAndUpperCaseOnlyAsciiLetters)
{
    EXPECT_EQ(trimmed(" \t\r\x01 a b \x1f"), "a b");
    EXPECT_EQ(trimmed("\xA0x\xA0"), "\xA0x\xA0");
    EXPECT_EQ(upperCased("race: \xE9lf z{"), "RACE: \xE9LF Z{");
}
