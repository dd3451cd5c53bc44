#include "TTeam.h"

#include <gtest/gtest.h>

TEST(TeamRecord, StartsZeroFalseAndEmpty)
{
    const TTeam fresh;
    EXPECT_TRUE(fresh.TeamName.empty());
    EXPECT_EQ(fresh.ReRolls, 0);
    EXPECT_FALSE(fresh.HasWizard);
    EXPECT_TRUE(fresh.ReRollPriceText.empty());
    EXPECT_EQ(fresh.TableColor, 0u);
    EXPECT_TRUE(fresh.TableFontName.empty());
    for (const TPlayer& player : fresh.Players)
        EXPECT_EQ(player, TPlayer{});
}

TEST(TeamRecord, ResetGivesNewTeamValuesWhateverTheTeamHeld)
{
    TTeam team;
    team.TeamName = "Reavers";
    team.FanFactor = 7;
    team.HasApothecary = true;
    team.ReRollPriceText = "x $60k =";
    team.ApothecaryCostText = "50k";
    team.WizardCostText = "150k";
    team.Players[16].MA = 6;
    team.Players[1].PlayerName = "Grim";

    resetToNewTeam(team);

    EXPECT_TRUE(team.TeamName.empty());
    EXPECT_EQ(team.FanFactor, 0);
    EXPECT_FALSE(team.HasApothecary);
    EXPECT_EQ(team.ReRollPriceText, "x $50k =");
    EXPECT_EQ(team.FanFactorPriceText, "x $10k =");
    EXPECT_EQ(team.AssistantCoachPriceText, "x $10k =");
    EXPECT_EQ(team.CheerleaderPriceText, "x $10k =");
    EXPECT_EQ(team.ApothecaryPriceText, "x $50k =");
    EXPECT_EQ(team.WizardPriceText, "x $150k =");
    EXPECT_TRUE(team.ApothecaryCostText.empty());
    EXPECT_TRUE(team.WizardCostText.empty());
    EXPECT_EQ(team.BackgroundColor, 0xFFFFFFu);
    EXPECT_EQ(team.TableColor, 0xD0FFFFu);
    EXPECT_EQ(team.HeadingsColor, 10539216u);
    EXPECT_EQ(team.TableFontName, "MS Sans Serif");
    EXPECT_EQ(team.HeadingFontName, "MS Sans Serif");
    for (const TPlayer& player : team.Players)
        EXPECT_EQ(player, TPlayer{});
}

TEST(TeamRecord, CopiesAreIndependent)
{
    TTeam source = newTeam();
    source.Coach = "Ann";
    TTeam copy = source;
    copy.Coach += " Other";
    copy.Players[3].PlayerName = "Changed";
    EXPECT_EQ(source.Coach, "Ann");
    EXPECT_TRUE(source.Players[3].PlayerName.empty());
}

TEST(TeamRecord, SlotsAreNumberedOneToSixteen)
{
    TTeam team;
    team.Players[1].MA = 4;
    team.Players[16].MA = 7;
    EXPECT_EQ(team.Players.begin()->MA, 4);
    EXPECT_EQ((team.Players.end() - 1)->MA, 7);
    EXPECT_THROW(team.Players[0], std::out_of_range);
    EXPECT_THROW(team.Players[17], std::out_of_range);
}
