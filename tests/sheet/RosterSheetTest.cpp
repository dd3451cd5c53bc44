#include "RosterSheet.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr SheetGrid Grid = SheetGrid::Matches;

QStringList rowTexts(const RosterSheet& sheet, int row)
{
    QStringList texts;
    for (int col = 0; col < sheet.table(Grid).colCount(); ++col)
        texts << sheet.cell(Grid, col, row);
    return texts;
}

void setSize(RosterSheet& sheet, int cols, int rows)
{
    GridShape shape = sheet.table(Grid).shape();
    shape.cols = cols;
    shape.rows = rows;
    sheet.setShape(Grid, shape);
}

void fillLettered(RosterSheet& sheet, int cols, int rows)
{
    setSize(sheet, 0, 0);
    setSize(sheet, cols, rows);
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < cols; ++col)
            sheet.setCell(Grid, col, row, QString(QChar('a' + col)) + QString::number(row));
}

TEST(RosterSheetTest, SizesChangeAtTheEndKeepingTheCellsThatStay)
{
    RosterSheet sheet;
    fillLettered(sheet, 3, 2);
    setSize(sheet, 5, 3);
    EXPECT_EQ(rowTexts(sheet, 1), QStringList({"a1", "b1", "c1", "", ""}));
    EXPECT_EQ(rowTexts(sheet, 2), QStringList(5, QString()));
    setSize(sheet, 1, 1);
    EXPECT_EQ(rowTexts(sheet, 0), QStringList{"a0"});
    EXPECT_EQ(sheet.cell(Grid, 2, 1), "") << "outside the grid reads as empty";
    sheet.setCell(Grid, 3, 3, QStringLiteral("lost"));
    EXPECT_EQ(sheet.table(Grid).rowCount(), 1);
    EXPECT_EQ(sheet.cell(Grid, 3, 3), "");
}

TEST(RosterSheetTest, MovedColumnTakesItsCellsAndWidthAlong)
{
    struct Case
    {
        int from, to;
        QStringList row0;
        std::vector<int> widths;
    };
    const Case cases[] = {
        {0, 2, {"b0", "c0", "a0", "d0"}, {11, 12, 10, 13}},
        {3, 1, {"a0", "d0", "b0", "c0"}, {10, 13, 11, 12}},
        {1, 1, {"a0", "b0", "c0", "d0"}, {10, 11, 12, 13}},
        {0, 4, {"a0", "b0", "c0", "d0"}, {10, 11, 12, 13}},
    };
    for (const Case& c : cases) {
        RosterSheet sheet;
        fillLettered(sheet, 4, 2);
        for (int col = 0; col < 4; ++col)
            sheet.setColumnWidth(Grid, col, 10 + col);
        sheet.moveColumn(Grid, c.from, c.to);
        EXPECT_EQ(rowTexts(sheet, 0), c.row0) << c.from << "->" << c.to;
        QStringList row1 = c.row0;
        row1.replaceInStrings(QStringLiteral("0"), QStringLiteral("1"));
        EXPECT_EQ(rowTexts(sheet, 1), row1);
        for (int col = 0; col < 4; ++col)
            EXPECT_EQ(sheet.table(Grid).columnWidth(col), c.widths[std::size_t(col)])
                << c.from << "->" << c.to;
    }
}

// Rows filled to different lengths, as the sheet stores them after cells were
// set here and there.
TEST(RosterSheetTest, RowsOfDifferentLengthsShrinkGrowAndMoveAsWholeRows)
{
    const auto build = [](RosterSheet& sheet) {
        setSize(sheet, 0, 0);
        setSize(sheet, 5, 4);
        for (int col = 0; col < 5; ++col)
            sheet.setCell(Grid, col, 0, QString(QChar('a' + col)));
        sheet.setCell(Grid, 1, 1, QStringLiteral("x"));
        sheet.setCell(Grid, 4, 3, QStringLiteral("z"));
    };

    RosterSheet sheet;
    build(sheet);
    EXPECT_EQ(rowTexts(sheet, 1), QStringList({"", "x", "", "", ""}));
    EXPECT_EQ(rowTexts(sheet, 2), QStringList(5, QString()));

    const struct
    {
        int from, to;
        QStringList row0, row1, row3;
    } moves[] = {
        {0, 3, {"b", "c", "d", "a", "e"}, {"x", "", "", "", ""}, {"", "", "", "", "z"}},
        {3, 0, {"d", "a", "b", "c", "e"}, {"", "", "x", "", ""}, {"", "", "", "", "z"}},
        {4, 1, {"a", "e", "b", "c", "d"}, {"", "", "x", "", ""}, {"", "z", "", "", ""}},
        {2, 4, {"a", "b", "d", "e", "c"}, {"", "x", "", "", ""}, {"", "", "", "z", ""}},
    };
    for (const auto& move : moves) {
        RosterSheet moved;
        build(moved);
        moved.moveColumn(Grid, move.from, move.to);
        EXPECT_EQ(rowTexts(moved, 0), move.row0) << move.from << "->" << move.to;
        EXPECT_EQ(rowTexts(moved, 1), move.row1) << move.from << "->" << move.to;
        EXPECT_EQ(rowTexts(moved, 2), QStringList(5, QString())) << move.from << "->" << move.to;
        EXPECT_EQ(rowTexts(moved, 3), move.row3) << move.from << "->" << move.to;
    }

    // Cells cut off by a narrower grid stay gone when it widens again.
    setSize(sheet, 2, 4);
    setSize(sheet, 5, 4);
    EXPECT_EQ(rowTexts(sheet, 0), QStringList({"a", "b", "", "", ""}));
    EXPECT_EQ(rowTexts(sheet, 3), QStringList(5, QString()));
}

// A grid as wide and tall as a hostile page can make it: its size must not
// cost a text per cell, or this takes gigabytes.
TEST(RosterSheetTest, AWideGridOfManyEmptyRowsHoldsOnlyItsTexts)
{
    RosterSheet sheet;
    setSize(sheet, 1300, 200002);
    for (int col = 0; col < 1300; ++col)
        sheet.setCell(Grid, col, 0, QStringLiteral("h"));
    setSize(sheet, 1400, 200003);
    sheet.moveColumn(Grid, 0, 1399);
    const SheetTable& table = sheet.table(Grid);
    EXPECT_EQ(table.rowCount(), 200003);
    EXPECT_EQ(table.colCount(), 1400);
    EXPECT_EQ(table.cell(1399, 0), "h");
    EXPECT_EQ(table.cell(1300, 0), "");
    EXPECT_EQ(table.cell(1299, 0), "");
    EXPECT_EQ(table.cell(1298, 0), "h");
    EXPECT_EQ(table.cell(1399, 200002), "");
    EXPECT_EQ(table.storedCellCount(200002), 0);
}

// Every change reaches every observer with what it was before and after, so
// applying the old value through the same method undoes it.
TEST(RosterSheetTest, ChangesAreReportedWithOldAndNewValues)
{
    RosterSheet sheet;
    std::vector<SheetChange> first, second;
    const int one = sheet.addObserver([&](const SheetChange& change) { first.push_back(change); });
    sheet.addObserver([&](const SheetChange& change) { second.push_back(change); });

    using Kind = SheetChange::Kind;
    sheet.setCell(SheetGrid::Details, 1, 0, QStringLiteral("Orcs"));
    sheet.setCell(SheetGrid::Details, 1, 0, QStringLiteral("Orcs")); // no change, no report
    sheet.setCell(SheetGrid::Details, 5, 9, QStringLiteral("x"));    // outside the grid
    sheet.setColor(SheetColor::Table, 0x123456);
    sheet.setFont(SheetFont::Heading, QStringLiteral("Arial"), 0xFF);
    sheet.setColumnWidth(SheetGrid::Matches, 2, 99);
    sheet.moveColumn(SheetGrid::Matches, 0, 3);
    sheet.setShape(SheetGrid::Matches, {8, 5, 1, 0});
    sheet.setEncoding(TextEncoding::Latin1);
    sheet.replaceWith(RosterSheet());

    const std::vector<Kind> kinds = {Kind::Cell,       Kind::Color, Kind::Font,     Kind::ColumnWidth,
                                     Kind::ColumnMove, Kind::Shape, Kind::Encoding, Kind::Replaced};
    ASSERT_EQ(first.size(), kinds.size());
    for (std::size_t i = 0; i < kinds.size(); ++i)
        EXPECT_EQ(first[i].kind, kinds[i]) << i;
    EXPECT_EQ(second.size(), first.size());

    EXPECT_EQ(first[0].grid, SheetGrid::Details);
    EXPECT_EQ(first[0].oldText, "");
    EXPECT_EQ(first[0].newText, "Orcs");
    EXPECT_EQ(first[1].oldColor, 0xD0FFFFu);
    EXPECT_EQ(first[1].newColor, 0x123456u);
    EXPECT_EQ(first[2].oldText, "MS Sans Serif");
    EXPECT_EQ(first[2].newText, "Arial");
    EXPECT_EQ(first[2].newColor, 0xFFu);
    EXPECT_EQ(first[3].oldWidth, 73);
    EXPECT_EQ(first[3].newWidth, 99);
    EXPECT_EQ(first[4].from, 0);
    EXPECT_EQ(first[4].to, 3);
    EXPECT_EQ(first[5].oldShape, (GridShape{8, 2, 1, 0}));
    EXPECT_EQ(first[5].newShape, (GridShape{8, 5, 1, 0}));
    EXPECT_EQ(sheet.cell(SheetGrid::Details, 1, 0), "") << "replaced by the start-up sheet";

    // Undoing through the same methods.
    RosterSheet edited;
    edited.setCell(SheetGrid::Players, 1, 1, QStringLiteral("Grim"));
    std::vector<SheetChange> changes;
    edited.addObserver([&](const SheetChange& change) { changes.push_back(change); });
    edited.setCell(SheetGrid::Players, 1, 1, QStringLiteral("Grom"));
    edited.setCell(changes[0].grid, changes[0].col, changes[0].row, changes[0].oldText);
    EXPECT_EQ(edited.cell(SheetGrid::Players, 1, 1), "Grim");

    sheet.removeObserver(one);
    sheet.setCell(SheetGrid::Players, 1, 1, QStringLiteral("Z"));
    EXPECT_EQ(first.size(), kinds.size());
    EXPECT_EQ(second.size(), kinds.size() + 1);
}

TEST(RosterSheetTest, CopiesTakeTheContentButNotTheObservers)
{
    RosterSheet sheet;
    int reports = 0;
    sheet.addObserver([&](const SheetChange&) { ++reports; });
    sheet.setCell(SheetGrid::Details, 1, 1, QStringLiteral("Elf"));
    RosterSheet copy(sheet);
    copy.setCell(SheetGrid::Details, 1, 1, QStringLiteral("Dwarf"));
    EXPECT_EQ(reports, 1);
    EXPECT_EQ(sheet.cell(SheetGrid::Details, 1, 1), "Elf");
    EXPECT_EQ(copy.cell(SheetGrid::Details, 1, 1), "Dwarf");
}

} // namespace
