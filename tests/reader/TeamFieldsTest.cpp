#include "ReadPage.h"

#include <gtest/gtest.h>

TEST(TeamFields, PageWithoutKeywordsIsNoRosterPage)
{
    TTeam team;
    MatchRecord record;
    EXPECT_THROW(readRosterPage(PageLines{}, team, record), ENotRosterPage);
    EXPECT_THROW(readRosterPage(PageLines{{"no keywords here", "<P>nor here</P>"}}, team, record),
                 ENotRosterPage);
}

TEST(TeamFields, TitleGivesTheTeamNameAndTheLastOneWins)
{
    EXPECT_EQ(readTeam({"<TITLE> First </TITLE>"}).TeamName, "First");
    EXPECT_EQ(readTeam({"<title>First</title>", "<HEAD><TITLE>Second</TITLE></HEAD>"}).TeamName, "Second");
}

TEST(TeamFields, CoachAndRaceFromHeadingLinesAndRows)
{
    const std::pair<std::string, std::string> coaches[] = {
        {"Coached By: Ada Example<BR></FONT>", "Ada Example"},
        {"<TD>Coach:</TD><TD>Bo</TD><TD>Apothecary:</TD>", "Bo"},
        {"coach:   Cy  ", "Cy"},
        {"<TD>Coach:</TD>", ""},
    };
    for (const auto& [line, coach] : coaches)
        EXPECT_EQ(readTeam({line}).Coach, coach) << line;

    const std::pair<std::string, std::string> races[] = {
        {"Race: Dwarf<BR>", "Dwarf"},
        {"<TD>Race:</TD><TD>Orc</TD><TD>Fan Factor:</TD><TD>2</TD>", "Orc"},
        // The cut after the label does not trim, so a blank stops the walk.
        {"<TD>Race: </TD><TD>Orc</TD>", ""},
        {"Race: Elf ", " Elf "},
    };
    for (const auto& [line, race] : races)
        EXPECT_EQ(readTeam({line}).Race, race) << line;

    EXPECT_EQ(readTeam({"Race: Orc<BR>", "<TD>Race:</TD><TD>Goblin</TD>"}).Race, "Goblin");
}

TEST(TeamFields, CountedItemsReadCountPriceAndCost)
{
    struct Case
    {
        std::string line;
        std::int32_t reRolls;
        std::string price;
        std::string cost;
    };
    const Case cases[] = {
        {"<TD>Re-Rolls:</TD><TD>3</TD><TD>x $50k =</TD><TD>150k</TD>", 3, "x $50k =", "150k"},
        {"<TD>Re-Rolls:</TD><TD>3</TD>", 3, "x $50k =", ""},
        {"<TD>Re-Rolls:</TD><TD>3</TD><TD>60k each</TD><TD>180k</TD>", 3, "x $50k =", ""},
        // A cost with no tag after it is lost.
        {"<TD>Re-Rolls:</TD><TD>3</TD><TD>x 60 =</TD>180k", 3, "x 60 =", ""},
    };
    for (const Case& c : cases) {
        const TTeam team = readTeam({c.line});
        EXPECT_EQ(team.ReRolls, c.reRolls) << c.line;
        EXPECT_EQ(team.ReRollPriceText, c.price) << c.line;
        EXPECT_EQ(team.ReRollCostText, c.cost) << c.line;
    }
}

TEST(TeamFields, OneLineAnswersALabelOfEachGrid)
{
    const TTeam team = readTeam({
        "<TR><TD>Team Rating:</TD><TD>120</TD><TD>Assistant Coaches:</TD><TD>1</TD><TD>x $10k "
        "=</TD><TD>10k</TD></TR>",
        "<TR><TD>Treasury:</TD><TD>35k</TD><TD>Cheerleaders:</TD><TD>lots</TD><TD>x $10k "
        "=</TD><TD>20k</TD></TR>",
        "<TR><TD>Race:</TD><TD>Orc</TD><TD>Fan Factor:</TD><TD>$A</TD><TD>x $10k =</TD><TD>100k</TD></TR>",
        "<TR><TD>TOTAL COST OF TEAM:</TD><TD>1,000k</TD></TR>",
    });
    EXPECT_EQ(team.TeamRating, 120);
    EXPECT_EQ(team.AssistantCoaches, 1);
    EXPECT_EQ(team.AssistantCoachPriceText, "x $10k =");
    EXPECT_EQ(team.AssistantCoachCostText, "10k");
    EXPECT_EQ(team.Treasury, "35k");
    EXPECT_EQ(team.Cheerleaders, 0);
    EXPECT_EQ(team.CheerleaderCostText, "20k");
    EXPECT_EQ(team.Race, "Orc");
    EXPECT_EQ(team.FanFactor, 10);
    EXPECT_EQ(team.FanFactorCostText, "100k");
    EXPECT_EQ(team.TeamCost, "1,000k");
}

TEST(TeamFields, FirstWinsForCountsAndLastWinsForTexts)
{
    const TTeam team = readTeam({
        "<TD>Re-Rolls:</TD><TD>3</TD><TD>x $50k =</TD><TD>150k</TD>",
        "<TD>Re-Rolls:</TD><TD>5</TD><TD>x $60k =</TD><TD>300k</TD>",
        "<TD>Treasury:</TD><TD>10k</TD>",
        "<TD>Treasury:</TD><TD>20k</TD>",
    });
    EXPECT_EQ(team.ReRolls, 3);
    EXPECT_EQ(team.ReRollCostText, "150k");
    EXPECT_EQ(team.Treasury, "20k");

    // A count of -1 keeps the rule open.
    EXPECT_EQ(readTeam({"<TD>Re-Rolls:</TD><TD>-1</TD>", "<TD>Re-Rolls:</TD><TD>2</TD>"}).ReRolls, 2);
}

TEST(TeamFields, PlainTextLabelsKeepTheirTail)
{
    EXPECT_EQ(readTeam({"Treasury: 120k"}).Treasury, "ury: 120k");
    EXPECT_EQ(readTeam({"<TD>treasury</TD>"}).Treasury, "");
}

// A keyword that stands only inside a tag is not in the cleaned line: the walk
// then starts at its first character, or at its fifth for the rules that start
// five characters after their word.
TEST(TeamFields, KeywordsOnlyInsideATagStartAtTheLinesFirstOrFifthCharacter)
{
    const TTeam counts = readTeam({
        "<TD CLASS=rerolls>4</TD><TD>x 50 =</TD><TD>200k</TD>",
        "<TD TITLE=\"fan factor\">2</TD><TD>x 10 =</TD><TD>20k</TD>",
        "<TD ID=team-rating>150</TD><TD>more</TD>",
    });
    EXPECT_EQ(counts.ReRolls, 4);
    EXPECT_EQ(counts.ReRollPriceText, "x 50 =");
    EXPECT_EQ(counts.ReRollCostText, "200k");
    EXPECT_EQ(counts.FanFactor, 2);
    EXPECT_EQ(counts.FanFactorPriceText, "x 10 =");
    EXPECT_EQ(counts.FanFactorCostText, "20k");
    EXPECT_EQ(counts.TeamRating, 150);

    // Each cleans to "|abc|de|fg|" or "|abcd|e|": from the first character
    // these would read abc, from the sixth fg or e.
    EXPECT_EQ(readTeam({"<TD CLASS=treas>abc</TD>de<BR>fg<BR>"}).Treasury, "de");
    EXPECT_EQ(readTeam({"<TD CLASS=team-cost>abc</TD>de<BR>fg<BR>"}).TeamCost, "de");
    EXPECT_EQ(readTeam({"<TD TITLE=race:>abcd</TD>e<BR>"}).Race, "d");
}

TEST(TeamFields, YesNoItems)
{
    struct Case
    {
        std::string line;
        bool apothecary;
        bool wizard;
    };
    const Case cases[] = {
        {"|Team Wizard:|", false, true},
        {"|Apothecary:|", false, false},
        {"<TD>Apothecary:</TD>yEs", true, false},
        {"<TD>Apothecary:</TD><TD>Y</TD>", false, false},
        {"<TD>Apothecary:</TD><TD>1</TD>", true, false},
        {"<TD>Wizard:</TD>no", false, false},
        {"<TD>Wizard:</TD>0", false, false},
        {"<TD>Wizard:</TD>maybe", false, true},
        {"<TD>Wizard:</TD><TD>yes</TD>", false, true},
        {"<TD>Wizard:</TD><TD>2</TD>", false, false},
    };
    for (const Case& c : cases) {
        const TTeam team = readTeam({c.line});
        EXPECT_EQ(team.HasApothecary, c.apothecary) << c.line;
        EXPECT_EQ(team.HasWizard, c.wizard) << c.line;
    }
}

TEST(TeamFields, WizardNamesShareTheWizardFieldsAndTheLastLineDecides)
{
    const TTeam team = readTeam({
        "<TD>Team Wizard:</TD><TD>1</TD><TD>x $150k =</TD><TD>150k</TD>",
        "<TD>Necromancer:</TD><TD>0</TD><TD>x $100k =</TD><TD>&nbsp</TD>",
    });
    EXPECT_FALSE(team.HasWizard);
    EXPECT_EQ(team.WizardPriceText, "x $100k =");
    EXPECT_EQ(team.WizardCostText, "");

    EXPECT_TRUE(readTeam({"<TD>Master Chef</TD><TD>yes</TD><TD>x 50 =</TD><TD>50</TD>"}).HasWizard);
    EXPECT_EQ(readTeam({"<TD>Alchemist:</TD><TD>1</TD><TD>x 20 =</TD><TD>20</TD>"}).WizardCostText, "20");
}
