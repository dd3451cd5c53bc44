#include "Errors.h"
#include "MatchRecordRules.h"
#include "RosterImporter.h"
#include "RosterPages.h"
#include "RosterReader.h"
#include "ScanState.h"

#include <gtest/gtest.h>

#include <sstream>

TEST(ImportHeadings, HeadingsAreMatchedByMeaningInAnyCase)
{
    struct Case
    {
        std::string headings;
        std::string row;
    };
    // Every row describes the same player: number 3, Ann, a Blitzer, 7 3 3 8.
    const Case cases[] = {
        {"#|Name|Position|MA|ST|AG|AV|Skills|Inj|Comp|TD|Int|Cas|MVP|SPP|Cost",
         "3|Ann|Blitzer|7|3|3|8|Block|MNG|1|2|3|4|5|6|90k"},
        {"No.|Player Name|Pos|M|S|AG|AV|skills|injuries|cmp|td|int|cas|mvp|spp|Value",
         "3|Ann|Blitzer|7|3|3|8|Block|MNG|1|2|3|4|5|6|90k"},
        {"nr|PLAYER'S NAME|POSITION|ma|st|ag|av|SKILL|INJ|COMP|TD|INT|CAS|MVPS|SPP|VALUE",
         "3|Ann|Blitzer|7|3|3|8|Block|MNG|1|2|3|4|5|6|90k"},
        // Columns in another order, with unknown ones among them.
        {"Value|SPP|Player|uspp|MA|AV|ST|AG|PA|Position|Skills|Comp|TD|Int|Cas|MVP|Inj|#",
         "90k|6|Ann|99|7|8|3|3|4+|Blitzer|Block|1|2|3|4|5|MNG|3"},
    };
    for (const Case& c : cases) {
        const ImportResult result = importRosterPage(rosterPage(c.headings, {c.row}));
        const TPlayer expected{"Ann", "Blitzer", 7, 3, 3, 8, "Block", "MNG", 1, 2, 3, 4, 5, 6, "90k"};
        EXPECT_EQ(result.team.Players[3], expected) << c.headings;
        EXPECT_EQ(result.playerCount, 1) << c.headings;
    }
    const ImportResult mixed = importRosterPage(rosterPage(cases[3].headings, {cases[3].row}));
    EXPECT_EQ(mixed.summary(), "Imported 1 player; ignored: uspp, PA columns; not in the page: race, coach, "
                               "re-rolls, fan factor, team rating, treasury, team value");
}

TEST(ImportHeadings, MarkColumnsJoinTheInjuries)
{
    const ImportResult result = importRosterPage(
        rosterPage("#|Name|Position|MA|Inj|MNG|NI",
                   {"1|Ann|Blitzer|7|-1 MA|x|2", "2|Bo|Lineman|6||0|1", "3|Cy|Lineman|6|||"}));
    EXPECT_EQ(result.team.Players[1].Injuries, "-1 MA, MNG, 2 NI");
    EXPECT_EQ(result.team.Players[2].Injuries, "NI");
    EXPECT_EQ(result.team.Players[3].Injuries, "");
}

TEST(ImportHeadings, TheParserDealsWithLinesCommentsEntitiesAndHiddenText)
{
    const std::string page = "<TABLE>\n<TR><TH>#</TH><TH>Player\n Name</TH><TH>Pos<!-- ition --></TH>"
                             "<TH>MA</TH></TR>\n<TR><TD\n align=center>5</TD><TD>Ren&eacute;e &amp; <b>Co</b>"
                             "<span style='display: none'>hidden</span><script>x()</script></TD>\n<TD>"
                             "Thrower</TD><TD>&nbsp;6&nbsp;</TD></TR></TABLE>";
    const ImportResult result = importRosterPage(page);
    EXPECT_EQ(result.team.Players[5].PlayerName, "Ren\xC3\xA9"
                                                 "e & Co");
    EXPECT_EQ(result.team.Players[5].Position, "Thrower");
    EXPECT_EQ(result.team.Players[5].MA, 6);
}

TEST(ImportSlots, NumbersAreSlotsOnlyWhenAllFitAndDiffer)
{
    struct Case
    {
        std::vector<std::string> rows;
        std::vector<std::pair<int, std::string>> placed;
        bool pageOrder;
    };
    const Case cases[] = {
        {{"16|Ann|7", "2|Bo|6"}, {{16, "Ann"}, {2, "Bo"}}, false},
        {{"17|Ann|7", "2|Bo|6"}, {{1, "Ann"}, {2, "Bo"}}, true},
        {{"2|Ann|7", "2|Bo|6"}, {{1, "Ann"}, {2, "Bo"}}, true},
        {{"0|Ann|7", "5|Bo|6"}, {{1, "Ann"}, {2, "Bo"}}, true},
        // No numbers at all: page order, and nothing to say about it.
        {{"|Ann|7", "|Bo|6"}, {{1, "Ann"}, {2, "Bo"}}, false},
        // Rows without a name and without a movement allowance hold nobody;
        // an unnamed row with one is a player.
        {{"4||", "5||0", "6||7", "7|Cy|"}, {{6, ""}, {7, "Cy"}}, false},
    };
    for (const Case& c : cases) {
        const ImportResult result = importRosterPage(rosterPage("#|Name|MA|Position", c.rows));
        int filled = 0;
        for (const TPlayer& player : result.team.Players)
            filled += player == TPlayer{} ? 0 : 1;
        EXPECT_EQ(filled, static_cast<int>(c.placed.size())) << c.rows.front();
        for (const auto& [slot, name] : c.placed)
            EXPECT_EQ(result.team.Players[slot].PlayerName, name) << c.rows.front();
        EXPECT_EQ(result.placedInPageOrder, c.pageOrder) << c.rows.front();
    }
}

TEST(ImportSlots, MoreThanSixteenPlayersFail)
{
    std::vector<std::string> rows;
    for (int i = 1; i <= 16; ++i)
        rows.push_back(std::to_string(i) + "|P" + std::to_string(i) + "|6");
    EXPECT_NO_THROW(importRosterPage(rosterPage("#|Name|MA|Position", rows)));
    rows.push_back("17|P17|6");
    try {
        importRosterPage(rosterPage("#|Name|MA|Position", rows));
        ADD_FAILURE() << "17 players imported";
    } catch (const TeamEditorError& error) {
        EXPECT_STREQ(error.what(), "More than 16 players in the page");
    }
}

TEST(ImportTeamFields, LabelsInAnyElementWithTheValueAfterThemOrInTheNextCell)
{
    struct Case
    {
        std::string markup;
        std::string TTeam::*field;
        std::string value;
    };
    const Case cases[] = {
        {"<p>Race: Orc</p>", &TTeam::Race, "Orc"},
        {"<p>Coached by: <a href='mailto:x'>Ada</a></p>", &TTeam::Coach, "Ada"},
        {"<table><tr><td>Coach:</td><td><i>Bo</i></td></tr></table>", &TTeam::Coach, "Bo"},
        {"<dl><dt>TREASURY</dt><dd>120k</dd></dl>", &TTeam::Treasury, "120k"},
        {"<h4>Team Gold:</h4><span>30k</span>", &TTeam::Treasury, "30k"},
        {"<div>Bank: 5,000 gp</div>", &TTeam::Treasury, "5,000 gp"},
        {"<table><tr><td>Team:</td><td colspan=3>The Reavers</td></tr></table>", &TTeam::TeamName,
         "The Reavers"},
        {"<title>From the title</title><h1>Heading</h1><p>Race: Elf</p>", &TTeam::TeamName, "From the title"},
        {"<h2>From a <em>heading</em></h2><p>Race: Elf</p>", &TTeam::TeamName, "From a heading"},
        // A label stated twice: the first that has a value wins.
        {"<p>Race:</p><table><tr><td>Race:</td><td>Dwarf</td></tr></table><p>Race: Elf</p>", &TTeam::Race,
         "Dwarf"},
        // A sentence that mentions a coach is no label.
        {"<p>Race: Elf</p><p>Our coach: the best in the whole league, by far, truly</p>", &TTeam::Coach, ""},
    };
    for (const Case& c : cases) {
        const ImportResult result = importRosterPage("<html><body>" + c.markup + "</body></html>");
        EXPECT_EQ(result.team.*c.field, c.value) << c.markup;
    }
}

TEST(ImportTeamFields, CountsFlagsAndTheirStaffRowTexts)
{
    const std::string page = "<table>"
                             "<tr><td>Re-Rolls:</td><td>4</td><td>x 60 kgp =</td><td>240k</td></tr>"
                             "<tr><td>Dedicated Fans</td><td>5</td></tr>"
                             "<tr><td>Team Value (TV):</td><td>1,150k</td></tr>"
                             "<tr><td>Assistant Coaches</td><td>2</td><td>x $10k =</td><td>20k</td></tr>"
                             "<tr><td>Cheerleaders</td><td>none</td><td>Apothecary</td><td>Yes</td></tr>"
                             "<tr><td>Wizard:</td><td>0</td></tr>"
                             "</table>";
    const TTeam team = importRosterPage(page).team;
    EXPECT_EQ(team.ReRolls, 4);
    EXPECT_EQ(team.ReRollPriceText, "x 60 kgp =");
    EXPECT_EQ(team.ReRollCostText, "240k");
    EXPECT_EQ(team.FanFactor, 5);
    EXPECT_EQ(team.FanFactorPriceText, readerStartTeam().FanFactorPriceText);
    // A team's value is its cost, not its rating.
    EXPECT_EQ(team.TeamCost, "1,150k");
    EXPECT_EQ(team.TeamRating, 0);
    EXPECT_EQ(team.AssistantCoaches, 2);
    EXPECT_EQ(team.AssistantCoachCostText, "20k");
    // "none" is no count: the field keeps its start value.
    EXPECT_EQ(team.Cheerleaders, 0);
    EXPECT_TRUE(team.HasApothecary);
    EXPECT_FALSE(team.HasWizard);
}

TEST(ImportLook, ColoursAndFontsStatedOnBodyTableAndHeadings)
{
    const std::string page = "<body bgcolor=Green text='#FFFF00' style='font-family: \"Trebuchet MS\", sans'>"
                             "<table bgcolor=#008 style='font-family:Verdana'><tr><th bgcolor=maroon>#</th>"
                             "<th>Name</th><th>MA</th><th>ST</th></tr><tr><td>1</td><td>A</td><td>6</td>"
                             "<td>3</td></tr></table></body>";
    const TTeam team = importRosterPage(page).team;
    EXPECT_EQ(team.BackgroundColor, 0x008000u);
    EXPECT_EQ(team.TableFontColor, 0x00FFFFu);
    EXPECT_EQ(team.TableColor, 0x880000u);
    EXPECT_EQ(team.HeadingsColor, 0x000080u);
    EXPECT_EQ(team.HeadingFontName, "Trebuchet MS");
    EXPECT_EQ(team.TableFontName, "Verdana");

    const TTeam plain = importRosterPage(rosterPage("#|Name|MA|ST", {"1|A|6|3"}, "<font color=red>")).team;
    const TTeam start = readerStartTeam();
    EXPECT_EQ(plain.BackgroundColor, start.BackgroundColor);
    EXPECT_EQ(plain.HeadingsColor, start.HeadingsColor);
    EXPECT_EQ(plain.TableFontName, start.TableFontName);
}

TEST(ImportMatchRecord, ATableOfGamesBecomesTheGrid)
{
    const std::string games =
        "<h3>Match Record</h3><table><tr><th>Result</th><th>Opponent</th><th>Score</th></tr>"
        "<tr><td>W</td><td>Orcs</td><td>2-1</td></tr><tr><td></td><td></td></tr>"
        "<tr><td>L</td><td>Elves</td><td>0-1</td><td>rain</td></tr></table>";
    const ImportResult result = importRosterPage(rosterPage("#|Name|MA|ST", {"1|A|6|3"}, "", games));
    const MatchRecord& record = result.matchRecord;
    EXPECT_EQ(record.ColCount, 4);
    EXPECT_EQ(record.RowCount, 4);
    EXPECT_EQ(record.FixedRows, 1);
    EXPECT_EQ(record.Height, 21 * 4 + 16);
    EXPECT_EQ(record.cell(1, 0), "Opponent");
    EXPECT_EQ(record.cell(2, 1), "2-1");
    EXPECT_EQ(record.cell(3, 2), "rain");
    EXPECT_EQ(record.cell(0, 3), "");

    const ImportResult none = importRosterPage(rosterPage("#|Name|MA|ST", {"1|A|6|3"}));
    EXPECT_EQ(none.matchRecord, defaultMatchRecord());
}

TEST(ImportNotARoster, PagesWithoutRosterOrTeamFieldsFail)
{
    const std::string pages[] = {
        "",
        std::string("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20),
        "just some text\nover two lines\n",
        "<html><head><title>Holiday photos</title></head><body><h1>Photos</h1></body></html>",
        "<table><tr><th>Name</th><th>Price</th></tr><tr><td>Tea</td><td>2</td></tr></table>",
    };
    for (const std::string& page : pages) {
        try {
            importRosterPage(page);
            ADD_FAILURE() << "imported: " << page;
        } catch (const ENotRosterPage& error) {
            EXPECT_STREQ(error.what(), "Not a roster page");
        }
    }
}

TEST(ImportFile, Latin1PagesComeOutAsUtf8AndMissingFilesFail)
{
    const ImportResult result = importRosterPage("<p>Coach: Jos\xE9</p>");
    EXPECT_EQ(result.team.Coach, "Jos\xC3\xA9");
    EXPECT_THROW(importRosterFile(TE_BINARY_DIR "/no-such-page.htm"), EFileError);
    EXPECT_THROW(importRosterFile(TE_BINARY_DIR), EFileError);
    // A device that never ends is refused unread, as the reader refuses it.
    try {
        importRosterFile("/dev/zero");
        ADD_FAILURE() << "/dev/zero imported";
    } catch (const EFileError& error) {
        EXPECT_STREQ(error.what(), "Not a regular file: /dev/zero");
    }
}

// This program's own page, imported, gives what the reader reads from it, but
// for the fonts, which it states in FONT tags rather than on body or table.
TEST(ImportOwnPages, TheSamplePageImportsAsItReads)
{
    const std::string path = TE_SOURCE_DIR "/examples/sample-roster.htm";
    TTeam read;
    MatchRecord readRecord;
    readRosterPage(loadPageFile(path), read, readRecord);
    ImportResult imported = importRosterFile(path);

    EXPECT_EQ(imported.playerCount, 11);
    EXPECT_TRUE(imported.ignoredColumns.empty()) << imported.summary();
    for (TTeam* team : {&read, &imported.team}) {
        team->HeadingFontName.clear();
        team->HeadingFontColor = 0;
        team->TableFontName.clear();
    }
    for (int slot = 1; slot <= PlayerSlotCount; ++slot)
        EXPECT_EQ(imported.team.Players[slot], read.Players[slot]) << "slot " << slot;
    EXPECT_EQ(imported.team, read);
    EXPECT_EQ(imported.matchRecord, readRecord);
}
