// The texts the importer takes from a page: blanks collapsed where the text
// lies, and headings, labels and cell classes known by their words however
// the page writes them.
#include "ColumnHeadings.h"
#include "Errors.h"
#include "HtmlStream.h"
#include "RosterImporter.h"
#include "TeamLabels.h"

#include <gtest/gtest.h>

#include <random>

namespace {

// Collapses blanks by copying, one character at a time: what the in-place
// collapse must give.
std::string copiedCollapse(std::string_view text)
{
    std::string out;
    bool blank = false;
    for (std::size_t i = 0; i < text.size(); ++i) {
        std::size_t skip = 0;
        if (static_cast<unsigned char>(text[i]) <= ' ')
            skip = 1;
        else if (text.substr(i, 2) == "\xC2\xA0")
            skip = 2;
        else if (text.substr(i, 5) == "&nbsp")
            skip = 5;
        if (skip != 0) {
            blank = true;
            i += skip - 1;
            continue;
        }
        if (blank && !out.empty())
            out += ' ';
        blank = false;
        out += text[i];
    }
    return out;
}

std::string randomText(std::mt19937& random, const std::vector<std::string_view>& pieces, int count)
{
    std::string text;
    std::uniform_int_distribution<std::size_t> pick(0, pieces.size() - 1);
    for (int i = 0; i < count; ++i)
        text += pieces[pick(random)];
    return text;
}

} // namespace

TEST(PageText, BlanksCollapseWhereTheTextLies)
{
    const std::pair<std::string_view, std::string_view> cases[] = {
        {"", ""},
        {" \t\r\n", ""},
        {"Ann", "Ann"},
        {"  Ann  Orc \r\n Blitzer ", "Ann Orc Blitzer"},
        {"a\xC2\xA0\xC2\xA0"
         "b",
         "a b"},
        {"\xC2\xA0"
         "a\xC2\xA0",
         "a"},
        // A lone lead byte, or one before another continuation, is no blank.
        {"a\xC2", "a\xC2"},
        {"\xC2\xA1 x", "\xC2\xA1 x"},
        {"&nbsp;a&nbspb", ";a b"},
        {"&nbs", "&nbs"},
        {"a&&nbsp", "a&"},
        {"&NBSP", "&NBSP"},
        {"\x01"
         "a\x1F"
         "b\x7F",
         "a b\x7F"},
    };
    for (const auto& [text, expected] : cases) {
        std::string collapsed(text);
        collapseBlanks(collapsed);
        EXPECT_EQ(collapsed, expected) << '"' << text << '"';
    }
}

// Writing where it reads must never overtake the reading.
TEST(PageText, CollapsingInPlaceGivesWhatACopyGives)
{
    std::mt19937 random(26);
    const std::vector<std::string_view> pieces = {"a",     "Zz",       " ",    "  ",   "\t",
                                                  "\r\n",  "\xC2\xA0", "\xC2", "\xA0", "&",
                                                  "&nbsp", "nbsp",     ";",    "\xE9", "&nb"};
    for (int round = 0; round < 20000; ++round) {
        const std::string text = randomText(random, pieces, round % 24);
        std::string collapsed = text;
        collapseBlanks(collapsed);
        ASSERT_EQ(collapsed, copiedCollapse(text)) << '"' << text << '"';
    }
}

TEST(PageText, LabelsAreKnownByTheirWordWhateverTheirCaseAndBrackets)
{
    using enum TeamLabel;
    struct Case
    {
        std::string_view text;
        std::optional<TeamLabel> label;
        std::string_view value = "";
    };
    const Case cases[] = {
        {"Coach:", Coach},
        {"  COACHED BY :  Ann  ", Coach, "Ann"},
        {"Rerolls (50k): 3", ReRolls, "3"},
        {"(Team) Coach", Coach},
        {"Coach)", Coach},
        {"Team ((of) the) Name", TeamName},
        {"Team (Name", TeamName},
        {"T-E-A-M", TeamName},
        {"Total Cost of Team", TeamCost},
        // One letter longer than the longest label's word.
        {"Total Cost of Teams", std::nullopt},
        {"Tota l C o s t of Team: 1,150k", TeamCost, "1,150k"},
        {"Teams", std::nullopt},
        {"Opponent", std::nullopt},
        {"", std::nullopt},
        {"()", std::nullopt},
        {"Coach: a value that makes the text too long", std::nullopt},
        {"\xC3\xA9quipe", std::nullopt},
    };
    for (const Case& c : cases) {
        const std::optional<LabelledText> labelled = labelledText(c.text);
        ASSERT_EQ(labelled.has_value(), c.label.has_value()) << c.text;
        if (labelled) {
            EXPECT_EQ(labelled->label, *c.label) << c.text;
            EXPECT_EQ(labelled->value, c.value) << c.text;
        }
    }
}

// Class names are parted by any blank a class attribute may hold, and the
// first that names a column not yet named wins.
TEST(PageText, CellClassesNameTheColumnsWhateverBlanksPartThem)
{
    struct Case
    {
        std::string_view nameClass;
        std::string_view maClass;
        bool roster;
    };
    const Case cases[] = {
        {"name", "ma", true},        {"\tclickable\nname ", "x\fma\r", true},
        {"a\vname", "\v\vma", true}, {"name ma", "ma", true},
        {"playername", "m", true},   {"na me", "ma", false},
        {"", "ma", false},
    };
    for (const Case& c : cases) {
        const std::string page = "<table><tr><td class=\"" + std::string(c.nameClass) +
                                 "\">Ann</td><td class=\"" + std::string(c.maClass) +
                                 "\">7</td><td class=\"st\">3</td></tr></table>";
        if (!c.roster) {
            EXPECT_THROW(importRosterPage(page), TeamEditorError) << c.nameClass;
            continue;
        }
        const ImportResult result = importRosterPage(page);
        EXPECT_TRUE(result.columnsFromCellClasses) << c.nameClass;
        EXPECT_EQ(result.team.Players[1].PlayerName, "Ann") << c.nameClass;
        EXPECT_EQ(result.team.Players[1].MA, 7) << c.nameClass;
    }
}

// A short word is the normalised word, cut one character past the longest a
// table holds, with or without what the text holds in brackets.
TEST(PageText, ShortWordsAreNormalisedWordsMadeInPlace)
{
    std::mt19937 random(5);
    const std::vector<std::string_view> pieces = {"Skills", "(",    ")",   " ",        "&", "#",
                                                  "Value",  "000s", "-",   "\xC3\xA9", "x", "Player's",
                                                  "Name",   "\t",   "SPP", "(total)"};
    for (int round = 0; round < 20000; ++round) {
        const std::string text = randomText(random, pieces, round % 12);
        for (const auto brackets : {ShortWord::Brackets::Kept, ShortWord::Brackets::Dropped}) {
            const std::string word =
                normalisedWord(brackets == ShortWord::Brackets::Kept ? text : withoutBrackets(text));
            ASSERT_EQ(ShortWord(text, brackets).view(), word.substr(0, LongestTableWord + 1)) << text;
        }
    }
}

// A heading names the column its word names, or else its word without what
// it holds in brackets.
TEST(PageText, AHeadingIsTheColumnOfItsWordOrOfItsWordWithoutBrackets)
{
    std::mt19937 random(7);
    const std::vector<std::string_view> pieces = {"Skills", "(",      ")",    " ",    "&", "Traits",
                                                  "Value",  "(000s)", "Cost", "M",    "A", "No.",
                                                  "#",      "Player", "'s",   "Name", "x"};
    int columns = 0;
    for (int round = 0; round < 20000; ++round) {
        const std::string heading = randomText(random, pieces, 1 + round % 12);
        std::optional<RosterColumn> expected = columnOfHeading(normalisedWord(heading));
        if (!expected)
            expected = columnOfHeading(normalisedWord(withoutBrackets(heading)));
        ASSERT_EQ(columnOfHeading(heading), expected) << heading;
        columns += expected ? 1 : 0;
    }
    EXPECT_GT(columns, 1000);
}
