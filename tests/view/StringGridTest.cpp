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

} // namespace
