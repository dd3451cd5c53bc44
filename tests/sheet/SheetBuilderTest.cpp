#include "SheetBuilder.h"

#include "MatchRecordRules.h"
#include "PageFixtures.h"

#include <gtest/gtest.h>

namespace {

TEST(SheetBuilderTest, NewTeamSheetIsTheEmptyRoster)
{
    const RosterSheet sheet = buildNewTeamSheet();
    expectSameSheet(sheet, newTeamSheet());
    EXPECT_EQ(sheet.encoding(), TextEncoding::Utf8);
    EXPECT_EQ(sheet.matchGridHeight(), 58);
}

// Cost cells: a cost text the page gave stands; otherwise a count gives ten
// thousand a head and a flag its fixed price; re-rolls never get one.
TEST(SheetBuilderTest, CostCellsFromTextsCountsAndFlags)
{
    struct Case
    {
        const char* name;
        void (*set)(TTeam&);
        int row;
        QString count, cost;
    };
    const Case cases[] = {
        {"fan factor counted", [](TTeam& t) { t.FanFactor = 7; }, 1, "7", "70k"},
        {"fan factor given",
         [](TTeam& t) {
             t.FanFactor = 7;
             t.FanFactorCostText = "66k";
         },
         1, "7", "66k"},
        {"fan factor unread", [](TTeam& t) { t.FanFactor = -1; }, 1, "-1", ""},
        {"re-rolls never counted", [](TTeam& t) { t.ReRolls = 3; }, 0, "3", ""},
        {"re-rolls given",
         [](TTeam& t) {
             t.ReRolls = 3;
             t.ReRollCostText = "150k";
         },
         0, "3", "150k"},
        {"assistants counted", [](TTeam& t) { t.AssistantCoaches = 2; }, 2, "2", "20k"},
        {"huge count", [](TTeam& t) { t.Cheerleaders = 2147483647; }, 3, "2147483647", "21474836470k"},
        {"apothecary", [](TTeam& t) { t.HasApothecary = true; }, 4, "1", "50k"},
        {"no apothecary", [](TTeam& t) { t.ApothecaryCostText = "5k"; }, 4, "0", "5k"},
        {"wizard", [](TTeam& t) { t.HasWizard = true; }, 5, "1", "150k"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TTeam team;
        resetToNewTeam(team);
        c.set(team);
        const RosterSheet sheet = buildSheet(team, defaultMatchRecord(), TextEncoding::Utf8);
        EXPECT_EQ(sheet.cell(SheetGrid::Extras, 1, c.row), c.count);
        EXPECT_EQ(sheet.cell(SheetGrid::Extras, 3, c.row), c.cost);
    }
}

TEST(SheetBuilderTest, EmptySlotsShowTheirTextsButNoNumbers)
{
    TTeam team;
    resetToNewTeam(team);
    team.Players[2] = {"Ghost", "Lineman", 0, 3, 3, 8, "Block", "MNG", 1, 2, 3, 4, 5, 6, "50k"};
    team.Players[3] = {"Grim", "Blitzer", 7, 3, 3, 8, "", "", 0, 2, 0, 1, 0, 11, "90k"};
    const RosterSheet sheet = buildSheet(team, defaultMatchRecord(), TextEncoding::Utf8);
    const QStringList ghost = {"2",   "Ghost", "Lineman", "", "", "", "", "Block",
                               "MNG", "",      "",        "", "", "", "", "50k"};
    const QStringList grim = {"3", "Grim", "Blitzer", "7", "3", "3", "8",  "",
                              "",  "0",    "2",       "0", "1", "0", "11", "90k"};
    for (int col = 0; col < 16; ++col) {
        EXPECT_EQ(sheet.cell(SheetGrid::Players, col, 2), ghost[col]) << col;
        EXPECT_EQ(sheet.cell(SheetGrid::Players, col, 3), grim[col]) << col;
    }
}

// Faces are cut to 31 characters after decoding; a team without a face keeps
// the one the sheet shows, as the window keeps its font.
TEST(SheetBuilderTest, FacesAreCutAndAnEmptyOneKeepsTheShownFace)
{
    TTeam team;
    resetToNewTeam(team);
    team.TableFontName = "An extraordinarily long face name of forty";
    team.HeadingFontName = "";
    team.HeadingFontColor = 0x0000FF;
    RosterSheet sheet;
    sheet.setFont(SheetFont::Heading, QStringLiteral("Chosen Face"), 0);
    putReadPage(sheet, team, defaultMatchRecord(), TextEncoding::Latin1);
    EXPECT_EQ(sheet.fontName(SheetFont::Table), "An extraordinarily long face na");
    EXPECT_EQ(sheet.fontName(SheetFont::Heading), "Chosen Face");
    EXPECT_EQ(sheet.fontColor(SheetFont::Heading), 0x0000FFu);

    team.TeamName = "Caf\xe9";
    team.HeadingFontName = "F\xe2"
                           "ce";
    putReadPage(sheet, team, defaultMatchRecord(), TextEncoding::Latin1);
    EXPECT_EQ(sheet.cell(SheetGrid::Details, 1, 0), QString::fromUtf8("Caf\xc3\xa9"));
    EXPECT_EQ(sheet.fontName(SheetFont::Heading), QString::fromUtf8("F\xc3\xa2"
                                                                    "ce"));
}

// The match record replaces the match grid's texts and size; the widths of the
// columns it keeps stay, the columns it gains take the default width, and a
// record without a height leaves the one the sheet has.
TEST(SheetBuilderTest, MatchRecordReplacesTheMatchGrid)
{
    RosterSheet sheet = buildNewTeamSheet();
    sheet.setColumnWidth(SheetGrid::Matches, 1, 300);
    sheet.setCell(SheetGrid::Matches, 7, 1, QStringLiteral("old note"));

    MatchRecord record;
    record.ColCount = 10;
    record.RowCount = 3;
    record.FixedRows = 1;
    record.Cells = {{"R", "Opp"}, {}, {"", "", "", "", "", "", "", "", "", "Ca\xe9"}};
    putMatchRecord(sheet, record, TextEncoding::Latin1);

    const SheetTable& games = sheet.table(SheetGrid::Matches);
    EXPECT_EQ(games.shape(), (GridShape{10, 3, 1, 0}));
    EXPECT_EQ(games.cell(0, 0), "R");
    EXPECT_EQ(games.cell(2, 0), "") << "old headings go";
    EXPECT_EQ(games.cell(7, 1), "") << "old texts go";
    EXPECT_EQ(games.cell(9, 2), QString::fromUtf8("Ca\xc3\xa9"));
    EXPECT_EQ(games.columnWidth(1), 300);
    EXPECT_EQ(games.columnWidth(7), 241);
    EXPECT_EQ(games.columnWidth(8), 80);
    EXPECT_EQ(sheet.matchGridHeight(), 58) << "a record without a height keeps the sheet's";

    record.Height = matchGridHeight(3);
    putMatchRecord(sheet, record, TextEncoding::Latin1);
    EXPECT_EQ(sheet.matchGridHeight(), 79);
}

TEST(SheetBuilderTest, ShowingAPageIsOneReportOnTheShownSheet)
{
    RosterSheet shown;
    std::vector<SheetChange::Kind> kinds;
    shown.addObserver([&](const SheetChange& change) { kinds.push_back(change.kind); });
    RosterSheet next(shown);
    putNewTeam(next);
    EXPECT_TRUE(kinds.empty()) << "a copy reports to nobody";
    shown.replaceWith(next);
    EXPECT_EQ(kinds, std::vector<SheetChange::Kind>{SheetChange::Kind::Replaced});
    expectSameSheet(shown, newTeamSheet());
}

} // namespace
