#include "PageFixtures.h"

#include <QStringList>
#include <gtest/gtest.h>

GridSnapshot emptyGrid(int cols, int rows)
{
    GridSnapshot grid;
    grid.colCount = cols;
    grid.rowCount = rows;
    grid.cells.assign(static_cast<std::size_t>(rows), std::vector<QString>(static_cast<std::size_t>(cols)));
    return grid;
}

namespace {

void setRow(GridSnapshot& grid, int row, const QStringList& texts)
{
    for (int col = 0; col < texts.size(); ++col)
        grid.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = texts[col];
}

void setColumn(GridSnapshot& grid, int col, const QStringList& texts)
{
    for (int row = 0; row < texts.size(); ++row)
        grid.cells[static_cast<std::size_t>(row)][static_cast<std::size_t>(col)] = texts[row];
}

} // namespace

PageSnapshot startUpSnapshot()
{
    PageSnapshot snapshot;
    snapshot.teamGrid = emptyGrid(16, 17);
    snapshot.teamGrid2 = emptyGrid(2, 6);
    snapshot.teamGrid3 = emptyGrid(4, 6);
    snapshot.gameGrid = emptyGrid(8, 2);
    snapshot.windowColor = 0xFFFFFF;
    snapshot.tableColor = 0xD0FFFF;
    snapshot.headingsColor = 0xA0D0D0;
    snapshot.tableFontColor = 0x80000008;
    snapshot.tableFontName = "MS Sans Serif";
    snapshot.headingFontColor = 0;
    snapshot.headingFontName = "MS Sans Serif";
    return snapshot;
}

PageSnapshot newTeamSnapshot()
{
    PageSnapshot snapshot = startUpSnapshot();
    snapshot.tableFontColor = 0;
    setRow(snapshot.teamGrid, 0,
           {"#", "Player Name", "Position", "MA", "ST", "AG", "AV", "Skills", "inj", "cmp", "td", "int",
            "cas", "mvp", "spp", "Cost"});
    for (int slot = 1; slot <= 16; ++slot)
        setRow(snapshot.teamGrid, slot, {QString::number(slot)});
    setColumn(snapshot.teamGrid2, 0,
              {"Team Name:", "Race:", "Team Rating:", "Treasury:", "Coach:", "Cost of Team:"});
    setColumn(snapshot.teamGrid2, 1, {"", "", "0", "", "", ""});
    setColumn(
        snapshot.teamGrid3, 0,
        {"Re-Rolls:", "Fan Factor:", "Assistant Coaches:", "Cheerleaders:", "Apothecary:", "Team Wizard:"});
    setColumn(snapshot.teamGrid3, 1, {"0", "0", "0", "0", "0", "0"});
    setColumn(snapshot.teamGrid3, 2,
              {"x $50k =", "x $10k =", "x $10k =", "x $10k =", "x $50k =", "x $150k ="});
    setRow(snapshot.gameGrid, 0,
           {"Result", "Opponent", "Race", "Score", "Cas", "Gate", "Winnings", "Notes & Highlights"});
    return snapshot;
}

void expectSameGrid(const GridSnapshot& actual, const GridSnapshot& expected, const char* name)
{
    SCOPED_TRACE(name);
    ASSERT_EQ(actual.colCount, expected.colCount);
    ASSERT_EQ(actual.rowCount, expected.rowCount);
    for (int row = 0; row < expected.rowCount; ++row)
        for (int col = 0; col < expected.colCount; ++col)
            EXPECT_EQ(actual.cell(col, row), expected.cell(col, row)) << "column " << col << ", row " << row;
}
