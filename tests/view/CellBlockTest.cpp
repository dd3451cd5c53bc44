#include "CellBlock.h"

#include <gtest/gtest.h>

#include <random>

namespace {

TEST(CellBlockTest, ReadsWhatSpreadsheetsPutOnTheClipboard)
{
    struct Case
    {
        const char* text;
        std::vector<QStringList> rows;
    };
    const Case cases[] = {
        {"one", {{"one"}}},
        {"one\n", {{"one"}}},
        {"a\tb\r\nc\td\r\n", {{"a", "b"}, {"c", "d"}}},
        {"a\tb\rc", {{"a", "b"}, {"c"}}},
        // Empty cells and rows in the middle stay.
        {"\tb\n\nc\t\n", {{"", "b"}, {""}, {"c", ""}}},
        {"\"two\nlines\"\t\"say \"\"hi\"\"\"\n", {{"two\nlines", "say \"hi\""}}},
        // A quote inside a cell is text.
        {"5\" tall\tx", {{"5\" tall", "x"}}},
        {"", {{""}}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(CellBlock::fromTabText(QString::fromUtf8(c.text)).rows, c.rows);
    }
}

TEST(CellBlockTest, AnyBlockComesBackFromItsText)
{
    std::mt19937 random(24);
    const QString pieces[] = {"a", "Block", "\t", "\n", "\r\n", "\"", " ", "é", ""};
    for (int round = 0; round < 500; ++round) {
        CellBlock block;
        const int rows = 1 + int(random() % 4);
        const int cols = 1 + int(random() % 4);
        for (int row = 0; row < rows; ++row) {
            QStringList cells;
            for (int col = 0; col < cols; ++col) {
                QString cell;
                for (int piece = int(random() % 4); piece > 0; --piece)
                    cell += pieces[random() % std::size(pieces)];
                cells << cell;
            }
            block.rows.push_back(cells);
        }
        const QString text = block.toTabText();
        EXPECT_EQ(CellBlock::fromTabText(text).rows, block.rows) << text.toStdString();
    }
}

} // namespace
