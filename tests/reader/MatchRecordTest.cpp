#include "ReadPage.h"

#include <gtest/gtest.h>

namespace {

using Cells = std::vector<std::vector<std::string>>;

// The record's cells with every row filled out to the record's width, so that
// tests compare what the grid shows rather than how much of it is stored.
Cells denseCells(const MatchRecord& record)
{
    Cells cells(static_cast<std::size_t>(record.RowCount));
    for (int row = 0; row < record.RowCount; ++row)
        for (int col = 0; col < record.ColCount; ++col)
            cells[static_cast<std::size_t>(row)].push_back(record.cell(col, row));
    return cells;
}

const std::string heading = "<TR ALIGN=CENTER><TH>Result</TH><TH>Opponent</TH><TH>Race</TH><TH>Score</TH>"
                            "<TH>Cas</TH><TH>Gate</TH><TH>Winnings</TH><TH>Notes</TH></TR>";

std::string gameRow(const std::vector<std::string>& cells)
{
    std::string line = "<TR ALIGN=CENTER>";
    for (const std::string& cell : cells)
        line += "<TD>" + cell + "</TD>";
    return line + "</TR>";
}

} // namespace

TEST(MatchRecord, APageWithoutARecordGivesTheDefaultHeadings)
{
    const MatchRecord record = readLines({"<TITLE>T</TITLE>"}).matchRecord;
    EXPECT_EQ(record.ColCount, 8);
    EXPECT_EQ(record.RowCount, 2);
    EXPECT_EQ(record.FixedRows, 1);
    EXPECT_EQ(record.Height, std::nullopt);
    EXPECT_EQ(denseCells(record),
              (Cells{{"Result", "Opponent", "Race", "Score", "Cas", "Gate", "Winnings", "Notes & Highlights"},
                     {"", "", "", "", "", "", "", ""}}));
}

TEST(MatchRecord, TitleHeadingAndGamesFillTheGrid)
{
    const MatchRecord record = readLines({"<P>Match Record<P>", "<TABLE>", heading,
                                          gameRow({"W", "Orcs", "Orc", "2-1", "1", "10", "5k", "x"}),
                                          gameRow({"L", "&nbsp", "Elf"})})
                                   .matchRecord;
    EXPECT_EQ(record.ColCount, 8);
    EXPECT_EQ(record.RowCount, 4);
    EXPECT_EQ(record.FixedRows, 1);
    EXPECT_EQ(record.Height, 100);
    EXPECT_EQ(denseCells(record)[1],
              (std::vector<std::string>{"W", "Orcs", "Orc", "2-1", "1", "10", "5k", "x"}));
    EXPECT_EQ(denseCells(record)[2], (std::vector<std::string>{"L", "", "Elf", "", "", "", "", ""}));
    EXPECT_EQ(denseCells(record)[3], std::vector<std::string>(8));
}

TEST(MatchRecord, ATitleAloneLeavesOneCellAndNoFixedRow)
{
    const MatchRecord record = readLines({"Game Record"}).matchRecord;
    EXPECT_EQ(record.ColCount, 1);
    EXPECT_EQ(record.RowCount, 1);
    EXPECT_EQ(record.FixedRows, 0);
    EXPECT_EQ(record.Height, 37);
    EXPECT_EQ(denseCells(record), (Cells{{""}}));
}

TEST(MatchRecord, EmptyCellsBeyondTheWidthAreDroppedAndFullerRowsWiden)
{
    const MatchRecord headingWithGap =
        readLines({"match record", "<TR><TH>Result</TH><TH></TH><TH>Score</TH></TR>"}).matchRecord;
    EXPECT_EQ(denseCells(headingWithGap), (Cells{{"Result", "Score"}, {"", ""}}));

    std::vector<std::string> ten;
    for (int i = 0; i < 10; ++i)
        ten.push_back(std::to_string(i));
    const MatchRecord wide = readLines({"Match Record", heading, gameRow(ten)}).matchRecord;
    EXPECT_EQ(wide.ColCount, 10);
    EXPECT_EQ(denseCells(wide)[0][8], "");
    EXPECT_EQ(denseCells(wide)[1][9], "9");
    EXPECT_EQ(denseCells(wide)[2].size(), 10u);
}

TEST(MatchRecord, ALaterTitleStartsTheRecordAnew)
{
    const MatchRecord record =
        readLines({"Match Record", heading, gameRow({"W", "Orcs", "a game for the record"}), gameRow({"L"})})
            .matchRecord;
    EXPECT_EQ(record.ColCount, 3);
    EXPECT_EQ(denseCells(record),
              (Cells{{"W", "Orcs", "a game for the record"}, {"L", "", ""}, {"", "", ""}}));
}

TEST(MatchRecord, RowsCountColumnsInTheFontStage)
{
    // A game row that stored one cell leaves the font stage at 1: the next
    // face is read as the table font. After a row that stored none it is 0.
    const TTeam one =
        readTeam({"<FONT FACE=\"Arial\">", "Match Record", "<TR><TD>W</TD></TR>", "<FONT FACE=\"Verdana\">"});
    EXPECT_EQ(one.TableFontName, "Verdana");
    const TTeam none = readTeam({"<FONT FACE=\"Arial\">", "<FONT FACE=\"Courier\">", "Match Record",
                                 "<TR></TR>", "<FONT FACE=\"Verdana\">"});
    EXPECT_EQ(none.HeadingFontName, "Verdana");
    EXPECT_EQ(none.TableFontName, "Courier");

    // A title before both faces are read leaves the stage where it is.
    const TTeam titleFirst =
        readTeam({"<TITLE>Match Record Breakers</TITLE>", "<FONT FACE=\"Arial\" COLOR=\"#FF0000\">",
                  "Game Record Keepers", "<FONT FACE=\"Courier\">"});
    EXPECT_EQ(titleFirst.HeadingFontName, "Arial");
    EXPECT_EQ(titleFirst.HeadingFontColor, 0x0000FFu);
    EXPECT_EQ(titleFirst.TableFontName, "Courier");
}

TEST(MatchRecord, RecordsShowingTheSameGridAreEqualHoweverMuchTheyStore)
{
    MatchRecord stored;
    stored.ColCount = 3;
    stored.RowCount = 2;
    stored.Cells = {{"W", "", ""}, {"", ""}};
    MatchRecord sparse = stored;
    sparse.Cells = {{"W"}, {}};
    EXPECT_EQ(stored, sparse);
    EXPECT_EQ(sparse, stored);

    MatchRecord moreText = sparse;
    moreText.Cells[1] = {"", "", "L"};
    EXPECT_NE(stored, moreText);
    EXPECT_NE(moreText, stored);
    MatchRecord otherText = sparse;
    otherText.Cells[0] = {"L"};
    EXPECT_NE(stored, otherText);
    MatchRecord taller = sparse;
    taller.RowCount = 3;
    taller.Cells.emplace_back();
    EXPECT_NE(sparse, taller);
}
