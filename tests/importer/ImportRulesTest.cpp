// The rules by which pages of other tools come in: their headings, money,
// staff and total rows, labels and colours.
#include "ColumnHeadings.h"
#include "Errors.h"
#include "ImportedLook.h"
#include "RosterImporter.h"
#include "RosterPages.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(ImportRules, HeadingsOfOtherToolsNameTheirFields)
{
    using enum RosterColumn;
    struct Case
    {
        const char* heading;
        std::optional<RosterColumn> column;
        GoldPieces scale;
    };
    const Case cases[] = {
        {"Skills & Traits", Skills, 1},
        {"Skills/Traits", Skills, 1},
        {"Abilities", Skills, 1},
        {"Special Rules", Skills, 1},
        {"Skills and Injuries", Skills, 1},
        {"Inj", Injuries, 1},
        {"Injuries", Injuries, 1},
        {"Niggling", NigglingInjuries, 1},
        {"MNG", MissNextGame, 1},
        {"SPP", SPP, 1},
        {"Star Player Points", SPP, 1},
        {"XP", SPP, 1},
        {"Value", Value, 1},
        {"Cost", Value, 1},
        {"Price", Value, 1},
        {"TV", Value, 1},
        {"Current Value", Value, 1},
        {"Value (000s)", Value, 1'000},
        {"Cost (k)", Value, 1'000},
        {"Price (000s)", Value, 1'000},
        {"Position", Position, 1},
        {"Pos", Position, 1},
        {"Type", Position, 1},
        {"Positional", Position, 1},
        {"Player's Name", Name, 1},
        {"Cas", Casualties, 1},
        {"Notes", std::nullopt, 1},
        {"Team", std::nullopt, 1},

    };
    for (const Case& c : cases) {
        EXPECT_EQ(columnOfHeading(c.heading), c.column) << c.heading;
        EXPECT_EQ(scaleOfHeading(c.heading), c.scale) << c.heading;
    }

    // A column of both says where the injuries start, in one line or on a line of their own.
    const std::pair<const char*, std::pair<const char*, const char*>> both[] = {
        {"Block, Dodge; Injuries: -1 MA", {"Block, Dodge", "-1 MA"}},
        {"Block<br>Inj: MNG, Niggling", {"Block", "MNG, Niggling"}},
        {"Hatred (Troll), Guard", {"Hatred (Troll), Guard", ""}},
        {"Injuries: -1 AV", {"", "-1 AV"}},
    };
    for (const auto& [cell, expected] : both) {
        const TPlayer player =
            importRosterPage(rosterPage("Name|MA|Skills and Injuries", {std::string("Ann|7|") + cell}))
                .team.Players[1];
        EXPECT_EQ(player.Skills, expected.first) << cell;
        EXPECT_EQ(player.Injuries, expected.second) << cell;
    }

    // A heading that names a field is never ignored; the summary says what it filled.
    const ImportResult result = importRosterPage(
        rosterPage("#|Name|Positional|MA|Abilities|PA|Price (000s)", {"1|Ann|Blitzer|7|Block|4+|90"}));
    EXPECT_EQ(result.team.Players[1].Skills, "Block");
    EXPECT_EQ(result.team.Players[1].Position, "Blitzer");
    EXPECT_EQ(result.team.Players[1].PlayerCost, "90k");
    EXPECT_TRUE(result.summary().starts_with("Imported 1 player; read: Positional as position, Abilities as "
                                             "skills, Price (000s) as value; ignored: PA column;"))
        << result.summary();
}

TEST(ImportRules, CostsInAnyFormReadAsThePageMeansThem)
{
    struct Case
    {
        const char* heading;
        const char* cell;
        const char* cost;
    };
    const Case cases[] = {
        // What the editor reads as the page means it stays as the page writes it.
        {"Cost", "70k", "70k"},
        {"Cost", "70 k", "70 k"},
        {"Cost", "$70,000", "$70,000"},
        {"Cost", "70,000 gp", "70,000 gp"},
        {"Cost", "70000gp", "70000gp"},
        {"Cost", "70 kgp", "70 kgp"},
        {"Cost", "70K", "70K"},
        // Other forms are written so that the editor's totals read them.
        {"Cost", "70.000", "70,000"},
        {"Cost", "90 000 gp", "90,000 gp"},
        {"Cost (000s)", "70", "70k"},
        {"Value (k)", "1,150", "1,150k"},
        {"Cost (000s)", "70k", "70k"},
        // No amount: the text as it stands.
        {"Cost", "n/a", "n/a"},
    };
    for (const Case& c : cases) {
        const std::string headings = std::string("Name|MA|ST|") + c.heading;
        const ImportResult result =
            importRosterPage(rosterPage(headings, {std::string("Ann|7|3|") + c.cell}));
        EXPECT_EQ(result.team.Players[1].PlayerCost, c.cost) << c.heading << ": " << c.cell;
    }
}

TEST(ImportRules, StaffAndTotalRowsOfThePlayersTableAreNoPlayers)
{
    struct Case
    {
        std::vector<std::string> rows;
        std::string TTeam::*text = nullptr;
        std::string expectedText;
        std::int32_t TTeam::*count = nullptr;
        std::int32_t expectedCount = 0;
        bool TTeam::*flag = nullptr;
        int staffLines = 1;
    };
    const Case cases[] = {
        {{"|Bob|Head Coach|||"}, &TTeam::Coach, "Bob"},
        {{"||Assistant Coaches|2||20k"}, &TTeam::AssistantCoachCostText, "20k", &TTeam::AssistantCoaches, 2},
        {{"||Assistant Coach|||10k", "||Assistant Coach|||10k"},
         nullptr,
         "",
         &TTeam::AssistantCoaches,
         2,
         nullptr,
         2},
        {{"|Cheerleaders||3||"}, nullptr, "", &TTeam::Cheerleaders, 3},
        {{"|Apothecary||||50k"}, &TTeam::ApothecaryCostText, "50k", nullptr, 0, &TTeam::HasApothecary},
        {{"||Wizards|||"}, nullptr, "", nullptr, 0, &TTeam::HasWizard},
        {{"|Total||||1,150k"}, &TTeam::TeamCost, "1,150k", nullptr, 0, nullptr, 0},
        {{"|Team Value|||$550,000|"}, &TTeam::TeamCost, "$550,000", nullptr, 0, nullptr, 0},
        // A label beside a value is read as a label, not as a staff line.
        {{"|Coach:|Bob|||"}, &TTeam::Coach, "Bob", nullptr, 0, nullptr, 0},
    };
    for (const Case& c : cases) {
        std::vector<std::string> rows{"1|Ann|Blitzer|7|3|90k"};
        rows.insert(rows.end(), c.rows.begin(), c.rows.end());
        const ImportResult result = importRosterPage(rosterPage("#|Name|Position|MA|ST|Value", rows));
        const TTeam& team = result.team;
        EXPECT_EQ(result.playerCount, 1) << c.rows.front();
        EXPECT_EQ(team.Players[2], TPlayer{}) << c.rows.front();
        EXPECT_EQ(result.staffLineCount, c.staffLines) << c.rows.front();
        if (c.text != nullptr) {
            EXPECT_EQ(team.*c.text, c.expectedText) << c.rows.front();
        }
        if (c.count != nullptr) {
            EXPECT_EQ(team.*c.count, c.expectedCount) << c.rows.front();
        }
        if (c.flag != nullptr) {
            EXPECT_TRUE(team.*c.flag) << c.rows.front();
        }
    }
}

TEST(ImportRules, TeamFieldsTakeOnlyWhatThePageGives)
{
    struct Case
    {
        std::string markup;
        std::string TTeam::*text = nullptr;
        std::string expectedText;
        std::int32_t TTeam::*count = nullptr;
        std::int32_t expectedCount = 0;
    };
    const Case cases[] = {
        {"<p>TOTAL TEAM VALUE: $550,000</p>", &TTeam::TeamCost, "$550,000"},
        {"<table><tr><td>Team Value</td><td>1,150k</td></tr></table>", &TTeam::TeamCost, "1,150k",
         &TTeam::TeamRating, 0},
        {"<table><tr><td>TV</td><td>1,150k</td></tr></table>", &TTeam::TeamCost, "1,150k"},
        {"<table><tr><td>TR</td><td>141</td></tr></table>", nullptr, "", &TTeam::TeamRating, 141},
        {"<p>Team Rating: 141</p>", &TTeam::TeamCost, "", &TTeam::TeamRating, 141},
        // Words are no money: neither the treasury nor the value take them.
        {"<p>Treasury: pts</p>", &TTeam::Treasury, ""},
        {"<p>Team Value:</p><p>pending</p>", &TTeam::TeamCost, ""},
        {"<p>Treasury: 100 kpg</p>", &TTeam::Treasury, "100 kpg"},
        {"<p>Re-Rolls: 3 x 50k = 150k</p>", &TTeam::ReRollCostText, "150k", &TTeam::ReRolls, 3},
        {"<p>Re-Rolls: 3 x 50k = 150k</p>", &TTeam::ReRollPriceText, "x 50k ="},
        // Fields the page does not give keep their new-team values, never -1.
        {"<p>Race: Orc</p>", &TTeam::ReRollPriceText, "x $50k =", &TTeam::ReRolls, 0},
        {"<p>Race: Orc</p>", nullptr, "", &TTeam::FanFactor, 0},
        {"<p>Race: Orc</p>", nullptr, "", &TTeam::TeamRating, 0},
        {"<p>Re-Rolls: -1</p><p>Rating: -1</p>", nullptr, "", &TTeam::ReRolls, 0},
        {"<p>Re-Rolls: -1</p><p>Rating: -1</p>", nullptr, "", &TTeam::TeamRating, 0},
        // An empty slot's number is no value for a label left without one.
        {"<p>Race:</p><table><tr><th>#</th><th>Name</th><th>MA</th></tr><tr><td>1</td><td>Ann</td><td>7</td>"
         "</tr><tr><td>2</td><td>&nbsp;</td><td></td></tr></table>",
         &TTeam::Race, ""},
    };
    for (const Case& c : cases) {
        const TTeam team =
            importRosterPage("<html><body><p>Coach: Ann</p>" + c.markup + "</body></html>").team;
        if (c.text != nullptr) {
            EXPECT_EQ(team.*c.text, c.expectedText) << c.markup;
        }
        if (c.count != nullptr) {
            EXPECT_EQ(team.*c.count, c.expectedCount) << c.markup;
        }
    }
}

TEST(ImportRules, ColoursComeInOnlyWhereTheTextReads)
{
    EXPECT_DOUBLE_EQ(contrastRatio(0x000000, 0xFFFFFF), 21.0);
    EXPECT_DOUBLE_EQ(contrastRatio(0x123456, 0x123456), 1.0);
    EXPECT_DOUBLE_EQ(contrastRatio(0xFFFFFF, 0x000000), contrastRatio(0x000000, 0xFFFFFF));
    // White on pure red: about 4 to 1, short of the 4.5 text needs.
    EXPECT_NEAR(contrastRatio(0xFFFFFF, 0x0000FF), 4.0, 0.01);

    struct Case
    {
        const char* body;
        const char* heading;
        bool imported;
    };
    const Case cases[] = {
        {"bgcolor=white text=black", "silver", true},
        {"bgcolor=black text=white", "navy", false}, // white text on the pale yellow table
        {"text=black", "navy", false},               // black on navy
        {"bgcolor=green text=white", "red", false},
        {"bgcolor=#FFFFCC", "#C0C0FF", true},
    };
    for (const Case& c : cases) {
        const std::string page = std::string("<body ") + c.body + "><table><tr bgcolor=" + c.heading +
                                 "><th>Name</th><th>MA</th><th>ST</th></tr><tr><td>A</td><td>6</td><td>3</td>"
                                 "</tr></table></body>";
        const ImportResult result = importRosterPage(page);
        const TTeam start = newTeam();
        EXPECT_EQ(result.unreadableColours, !c.imported) << c.body;
        EXPECT_EQ(result.team.HeadingsColor != start.HeadingsColor, c.imported) << c.body;
        EXPECT_EQ(result.summary().find("colours") != std::string::npos, !c.imported) << c.body;
    }
}

// A roster names its players and says at least two more things of them; a
// row that spans columns among the players is the team's own row.
TEST(ImportRules, WhatMakesARosterAndWhatMakesAPlayer)
{
    struct Case
    {
        std::string headings;
        std::vector<std::string> rows;
        int players;
    };
    const Case cases[] = {
        {"Name|Position", {"Ann|Coach", "Bo|Manager"}, 0},
        {"Name|Notes|Email", {"Ann|x|a@b"}, 0},
        {"Position|MA|ST", {"Blitzer|7|3"}, 0},
        {"Name|Position|MA", {"Ann|Blitzer|7"}, 1},
        {"#|Name|Skills", {"1|Ann|Block"}, 1},
        // A total's word among a player's own texts makes no total row of his.
        {"#|Name|MA|Injuries|SPP", {"1|Ann|7|TV|98"}, 1},
        {"#|Name|MA|Skills|Value", {"1|Ann|7|Total|90k"}, 1},
    };
    for (const Case& c : cases) {
        const std::string page = rosterPage(c.headings, c.rows, "", "<p>Race: Orc</p>");
        const ImportResult imported = importRosterPage(page);
        EXPECT_EQ(imported.playerCount, c.players) << c.headings;
        EXPECT_EQ(imported.team.TeamCost, "") << c.headings;
    }

    const std::string spanning = "<table><tr><th>#</th><th>Name</th><th>MA</th><th>ST</th></tr>"
                                 "<tr><td>1</td><td>Ann</td><td>7</td><td>3</td></tr>"
                                 "<tr><td>2</td><td colspan=2>Bo</td><td>3</td></tr></table>";
    const ImportResult result = importRosterPage(spanning);
    EXPECT_EQ(result.playerCount, 1);
    EXPECT_EQ(result.team.Players[2], TPlayer{});
}
