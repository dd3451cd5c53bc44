#include "SheetTotals.h"

#include "PageFixtures.h"

#include <gtest/gtest.h>

namespace {

// Types text into a cell one keystroke at a time, as the window's editor does.
void type(RosterSheet& sheet, SheetGrid grid, int col, int row, const QString& text)
{
    for (qsizetype length = 1; length <= text.size(); ++length)
        sheet.setCell(grid, col, row, text.left(length));
}

QString costOfTeam(const RosterSheet& sheet)
{
    return sheet.cell(SheetGrid::Details, 1, 5);
}

QString reRollCost(const RosterSheet& sheet)
{
    return sheet.cell(SheetGrid::Extras, 3, 0);
}

} // namespace

TEST(SheetTotals, MoneyCellsAreWhereTheRosterShowsThem)
{
    std::vector<MoneyCell> cells = {{MoneyCell::Kind::TeamCost, 0}, {MoneyCell::Kind::Treasury, 0}};
    for (int i = 0; i < RosterPlayerCount; ++i)
        cells.push_back({MoneyCell::Kind::PlayerCost, i});
    for (int i = 0; i < StaffLineCount; ++i) {
        for (const auto kind :
             {MoneyCell::Kind::LineCount, MoneyCell::Kind::LinePrice, MoneyCell::Kind::LineCost})
            cells.push_back({kind, i});
    }
    for (const MoneyCell cell : cells) {
        const SheetCellRef at = sheetCellOf(cell);
        EXPECT_EQ(moneyCellAt(at.grid, at.col, at.row), cell) << cellName(cell);
    }
    const RosterSheet sheet = samplePageSheet();
    EXPECT_EQ(sheet.cell(SheetGrid::Details, 0, 5), "Cost of Team:");
    EXPECT_EQ(sheet.cell(SheetGrid::Details, 0, 3), "Treasury:");
    EXPECT_EQ(sheet.cell(SheetGrid::Players, 15, 0), "Cost");
    EXPECT_EQ(sheet.cell(SheetGrid::Extras, 2, 0), "x $40k =");
    EXPECT_FALSE(moneyCellAt(SheetGrid::Players, 15, 0));
    EXPECT_FALSE(moneyCellAt(SheetGrid::Extras, 0, 1));
    EXPECT_FALSE(moneyCellAt(SheetGrid::Matches, 6, 1));
}

TEST(SheetTotals, NewPlayerAndTwoReRollsFollowThroughTheSheet)
{
    RosterSheet sheet;
    SheetTotals totals(sheet);
    sheet.replaceWith(samplePageSheet());
    EXPECT_EQ(totals.status(), "Team value 1,170k");

    std::vector<QString> heard;
    sheet.addObserver([&heard](const SheetChange& change) { heard.push_back(change.newText); });
    type(sheet, SheetGrid::Players, 15, 11, "70k");
    sheet.setCell(SheetGrid::Extras, 1, 0, "");
    sheet.setCell(SheetGrid::Extras, 1, 0, "5");
    EXPECT_EQ(reRollCost(sheet), "200k");
    EXPECT_EQ(costOfTeam(sheet), "1,320k");
    EXPECT_EQ(totals.status(), "Team value 1,320k");
    EXPECT_TRUE(totals.marks().empty());
    // Every follow-up is a change of the sheet like any other, right after its cause.
    const std::vector<QString> expected = {"7",      "1,170,007", "70", "1,170.07k", "70k",
                                           "1,240k", "",          "5",  "200k",      "1,320k"};
    EXPECT_EQ(heard, expected);
}

TEST(SheetTotals, ShowingAPageChangesNoText)
{
    RosterSheet page = samplePageSheet();
    page.setCell(SheetGrid::Details, 1, 5, "1,100k");
    page.setCell(SheetGrid::Extras, 3, 0, "");
    RosterSheet sheet;
    SheetTotals totals(sheet);
    int changes = 0;
    sheet.addObserver([&changes](const SheetChange&) { ++changes; });
    sheet.replaceWith(page);
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(moneyTextsOf(sheet), moneyTextsOf(page));
    EXPECT_EQ(totals.status(), "Team value 1,050k - the page says 1,100k");
    EXPECT_TRUE(totals.hasMark(SheetGrid::Details, 1, 5));
    EXPECT_EQ(totals.markAt(SheetGrid::Extras, 3, 0), "Empty, but 3 x 40k = 120k");
    EXPECT_TRUE(totals.markAt(SheetGrid::Extras, 3, 1).isEmpty());

    // The empty re-roll cost follows its count; the total typed by hand stays.
    sheet.setCell(SheetGrid::Extras, 1, 0, "4");
    EXPECT_EQ(reRollCost(sheet), "160k");
    EXPECT_EQ(costOfTeam(sheet), "1,100k");
    EXPECT_EQ(totals.status(), "Team value 1,210k - the page says 1,100k");
}

TEST(SheetTotals, UpdateCostOfTeamIsOneChange)
{
    RosterSheet sheet;
    SheetTotals totals(sheet);
    RosterSheet page = samplePageSheet();
    page.setCell(SheetGrid::Details, 1, 5, "$1,000,000");
    sheet.replaceWith(page);
    EXPECT_TRUE(totals.canUpdateCostOfTeam());

    std::vector<SheetChange> heard;
    sheet.addObserver([&heard](const SheetChange& change) { heard.push_back(change); });
    EXPECT_TRUE(totals.updateCostOfTeam());
    ASSERT_EQ(heard.size(), 1u);
    EXPECT_EQ(heard[0].oldText, "$1,000,000");
    EXPECT_EQ(heard[0].newText, "$1,170,000");
    EXPECT_FALSE(totals.canUpdateCostOfTeam());
    EXPECT_FALSE(totals.hasMark(SheetGrid::Details, 1, 5));

    // Applying the old text again, as undo does, brings the old state back.
    sheet.setCell(SheetGrid::Details, 1, 5, heard[0].oldText);
    EXPECT_EQ(totals.status(), "Team value $1,170,000 - the page says $1,000,000");

    heard.clear();
    sheet.setCell(SheetGrid::Players, 15, 1, "eighty");
    EXPECT_EQ(totals.status(), "Team value unknown: the cost of player 1");
    EXPECT_FALSE(totals.canUpdateCostOfTeam());
    EXPECT_FALSE(totals.updateCostOfTeam());
    EXPECT_EQ(heard.size(), 1u);
    EXPECT_EQ(totals.markAt(SheetGrid::Players, 15, 1), "Cannot tell what amount \"eighty\" is");
}
