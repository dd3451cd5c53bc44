#include "StringGridModel.h"

#include <gtest/gtest.h>

namespace {

QStringList rowTexts(const StringGridModel& model, int row)
{
    QStringList texts;
    for (int col = 0; col < model.columnCount(); ++col)
        texts << model.cell(col, row);
    return texts;
}

void fillLettered(StringGridModel& model, int cols, int rows)
{
    model.setColCount(cols);
    model.setRowCount(rows);
    for (int row = 0; row < rows; ++row)
        for (int col = 0; col < cols; ++col)
            model.setCell(col, row, QString(QChar('a' + col)) + QString::number(row));
}

TEST(StringGridModelTest, CountsChangeAtTheEndKeepingTheCellsThatStay)
{
    StringGridModel model;
    fillLettered(model, 3, 2);
    model.setColCount(5);
    model.setRowCount(3);
    EXPECT_EQ(rowTexts(model, 1), QStringList({"a1", "b1", "c1", "", ""}));
    EXPECT_EQ(rowTexts(model, 2), QStringList(5, QString()));
    model.setColCount(1);
    model.setRowCount(1);
    EXPECT_EQ(rowTexts(model, 0), QStringList{"a0"});
    EXPECT_EQ(model.cell(2, 1), "") << "outside the grid reads as empty";
    model.setCell(3, 3, QStringLiteral("lost"));
    EXPECT_EQ(model.rowCount(), 1);
}

TEST(StringGridModelTest, MovedColumnTakesItsCellsAlong)
{
    struct Case
    {
        int from, to;
        QStringList row0;
    };
    const Case cases[] = {
        {0, 2, {"b0", "c0", "a0", "d0"}},
        {3, 1, {"a0", "d0", "b0", "c0"}},
        {1, 1, {"a0", "b0", "c0", "d0"}},
        {0, 4, {"a0", "b0", "c0", "d0"}},
    };
    for (const Case& c : cases) {
        StringGridModel model;
        fillLettered(model, 4, 2);
        model.moveColumn(c.from, c.to);
        EXPECT_EQ(rowTexts(model, 0), c.row0) << c.from << "->" << c.to;
        QStringList row1 = c.row0;
        row1.replaceInStrings(QStringLiteral("0"), QStringLiteral("1"));
        EXPECT_EQ(rowTexts(model, 1), row1);
    }
}

// Rows filled to different lengths, as the grid stores them after cells were
// set here and there.
TEST(StringGridModelTest, RowsOfDifferentLengthsShrinkGrowAndMoveAsWholeRows)
{
    const auto build = [](StringGridModel& model) {
        model.setColCount(5);
        model.setRowCount(4);
        for (int col = 0; col < 5; ++col)
            model.setCell(col, 0, QString(QChar('a' + col)));
        model.setCell(1, 1, QStringLiteral("x"));
        model.setCell(4, 3, QStringLiteral("z"));
    };

    StringGridModel model;
    build(model);
    EXPECT_EQ(rowTexts(model, 1), QStringList({"", "x", "", "", ""}));
    EXPECT_EQ(rowTexts(model, 2), QStringList(5, QString()));

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
        StringGridModel moved;
        build(moved);
        moved.moveColumn(move.from, move.to);
        EXPECT_EQ(rowTexts(moved, 0), move.row0) << move.from << "->" << move.to;
        EXPECT_EQ(rowTexts(moved, 1), move.row1) << move.from << "->" << move.to;
        EXPECT_EQ(rowTexts(moved, 2), QStringList(5, QString())) << move.from << "->" << move.to;
        EXPECT_EQ(rowTexts(moved, 3), move.row3) << move.from << "->" << move.to;
    }

    // Cells cut off by a narrower grid stay gone when it widens again.
    model.setColCount(2);
    model.setColCount(5);
    EXPECT_EQ(rowTexts(model, 0), QStringList({"a", "b", "", "", ""}));
    EXPECT_EQ(rowTexts(model, 3), QStringList(5, QString()));

    model.clearCells();
    EXPECT_EQ(model.columnCount(), 5);
    EXPECT_EQ(model.rowCount(), 4);
    for (int row = 0; row < 4; ++row)
        EXPECT_EQ(rowTexts(model, row), QStringList(5, QString()));
}

// A grid as wide and tall as a hostile page can make it: its size must not
// cost a text per cell, or this takes gigabytes.
TEST(StringGridModelTest, AWideGridOfManyEmptyRowsHoldsOnlyItsTexts)
{
    StringGridModel model;
    model.setColCount(1300);
    model.setRowCount(200002);
    for (int col = 0; col < 1300; ++col)
        model.setCell(col, 0, QStringLiteral("h"));
    model.setColCount(1400);
    model.setRowCount(200003);
    model.moveColumn(0, 1399);
    EXPECT_EQ(model.rowCount(), 200003);
    EXPECT_EQ(model.columnCount(), 1400);
    EXPECT_EQ(model.cell(1399, 0), "h");
    EXPECT_EQ(model.cell(1300, 0), "");
    EXPECT_EQ(model.cell(1299, 0), "");
    EXPECT_EQ(model.cell(1298, 0), "h");
    EXPECT_EQ(model.cell(1399, 200002), "");
}

} // namespace
