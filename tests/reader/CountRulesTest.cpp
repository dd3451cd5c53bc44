#include "Errors.h"
#include "ReadPage.h"

#include <gtest/gtest.h>

namespace {

std::string conversionError(std::vector<std::string> lines, TextEncoding encoding = TextEncoding::Utf8)
{
    try {
        readLines(std::move(lines), encoding);
    } catch (const EConvertError& error) {
        return error.what();
    }
    return "no error";
}

const std::string staffRow0 = "<TR><TD>Team Name:</TD><TD>%N</TD><TD>Re-Rolls:</TD><TD>3</TD><TD>x $50k "
                              "=</TD><TD>150k</TD></TR>";

std::string withName(std::string line, const std::string& name)
{
    return line.replace(line.find("%N"), 2, name);
}

} // namespace

TEST(CountRules, NamesHoldingAKeywordPairStillRead)
{
    const TTeam reavers = readTeam({
        "<HTML><HEAD><TITLE>Rolls Reavers</TITLE></HEAD>",
        "<H1><B>Rolls Reavers</B></H1>",
        withName(staffRow0, "Rolls Reavers"),
    });
    EXPECT_EQ(reavers.TeamName, "Rolls Reavers");
    EXPECT_EQ(reavers.ReRolls, 3);
    EXPECT_EQ(reavers.ReRollPriceText, "x $50k =");
    EXPECT_EQ(reavers.ReRollCostText, "150k");

    const TTeam kings = readTeam({
        "<TITLE>Rating Kings</TITLE>",
        "<TR><TD>Team Name:</TD><TD>Rating Kings</TD><TD>Re-Rolls:</TD><TD>1</TD></TR>",
        "<TR><TD>Team Rating:</TD><TD>120</TD><TD>Assistant Coaches:</TD><TD>1</TD></TR>",
    });
    EXPECT_EQ(kings.TeamRating, 120);

    const TTeam factory = readTeam({
        "<TITLE>Fan Factory</TITLE>",
        "<TR><TD>Race:</TD><TD>Orc</TD><TD>Fan Factor:</TD><TD>7</TD><TD>x $10k =</TD><TD>70k</TD></TR>",
    });
    EXPECT_EQ(factory.FanFactor, 7);
    EXPECT_EQ(factory.FanFactorCostText, "70k");
}

TEST(CountRules, ClearedCountCellsLeaveTheFieldUnread)
{
    const TTeam team = readTeam({
        "<TR><TD>Team Name:</TD><TD>X</TD><TD>Re-Rolls:</TD><TD>&nbsp</TD><TD>x $50k "
        "=</TD><TD>&nbsp</TD></TR>",
        "<TR><TD>Race:</TD><TD>Orc</TD><TD>Fan Factor:</TD><TD></TD><TD>x $10k =</TD><TD>&nbsp</TD></TR>",
        "<TR><TD>Team Rating:</TD><TD>&nbsp</TD><TD>Assistant Coaches:</TD><TD>1</TD></TR>",
    });
    EXPECT_EQ(team.ReRolls, -1);
    EXPECT_EQ(team.FanFactor, -1);
    EXPECT_EQ(team.TeamRating, -1);
    EXPECT_EQ(team.AssistantCoaches, 1);
}

TEST(CountRules, AValueThatNeverConvertsFailsTheRead)
{
    EXPECT_EQ(conversionError({"<TD>Team Rating:</TD><TD>12O</TD>"}), "'12O' is not a valid integer value");
    // A label without a cell of its own reaches the conversion with its text.
    EXPECT_EQ(conversionError({"Team Rating: 120"}), "'Rating: 120' is not a valid integer value");
    // A bad value is forgiven when a later line gives one.
    EXPECT_EQ(readTeam({"<TD>Team Rating:</TD><TD>12O</TD>", "<TD>Team Rating:</TD><TD>99</TD>"}).TeamRating,
              99);
    // A -1 counts as given, so a later bad value is passed over too.
    EXPECT_EQ(readTeam({"<TD>Team Rating:</TD><TD>-1</TD>", "<TD>Team Rating:</TD><TD>bad</TD>"}).TeamRating,
              -1);
}

// "A" is the digit whose value equals the base: in decimal it is no digit.
TEST(CountRules, ALetterAAfterADigitIsTheConversionError)
{
    EXPECT_EQ(conversionError({"<TD>Re-Rolls:</TD><TD>1A</TD>"}), "'1A' is not a valid integer value");
    EXPECT_EQ(conversionError({"<TD>Team Rating:</TD><TD>1a</TD>"}), "'1a' is not a valid integer value");
}

TEST(CountRules, TheEarliestErrorByLineThenRuleIsReported)
{
    EXPECT_EQ(conversionError({
                  "<TD>Fan Factor:</TD><TD>ff1</TD>",
                  "<TD>Re-Rolls:</TD><TD>rr1</TD>",
                  "<TD>Fan Factor:</TD><TD>ff2</TD>",
              }),
              "'ff1' is not a valid integer value");
    EXPECT_EQ(conversionError({"<TD>Team Rating:</TD><TD>tr</TD><TD>Re-Rolls:</TD><TD>rr</TD>"}),
              "'rr' is not a valid integer value");
    // The rule that later gets a value no longer counts.
    EXPECT_EQ(conversionError({
                  "<TD>Fan Factor:</TD><TD>ff1</TD>",
                  "<TD>Re-Rolls:</TD><TD>rr1</TD>",
                  "<TD>Fan Factor:</TD><TD>4</TD>",
              }),
              "'rr1' is not a valid integer value");
}

TEST(CountRules, TheMessageShowsTheTextInThePagesEncoding)
{
    EXPECT_EQ(conversionError({"<TD>Team Rating:</TD><TD>12\xB0</TD>"}, TextEncoding::Latin1),
              "'12\xC2\xB0' is not a valid integer value");
    EXPECT_EQ(conversionError({"<TD>Team Rating:</TD><TD>12\xC2\xB0</TD>"}, TextEncoding::Utf8),
              "'12\xC2\xB0' is not a valid integer value");
}

TEST(CountRules, AFailedReadLeavesTheCallersRecordsAsTheyWere)
{
    TTeam team = newTeam();
    team.TeamName = "Before";
    MatchRecord record;
    record.ColCount = 3;
    const TTeam teamBefore = team;
    const MatchRecord recordBefore = record;
    const PageLines page{
        {"<TITLE>After</TITLE>", "Match Record", "<TR><TD>W</TD></TR>", "<TD>Team Rating:</TD><TD>x</TD>"}};
    EXPECT_THROW(readRosterPage(page, team, record), EConvertError);
    EXPECT_EQ(team, teamBefore);
    EXPECT_EQ(record, recordBefore);
}
