#include "ReadPage.h"

#include <gtest/gtest.h>

namespace {

const std::string tableStart = "<TR><TH>#</TH><TH>Player Name</TH><TH>Position</TH><TH>ma</TH></TR>";

// A row of the written form: the slot number and fifteen cells, "&nbsp" for
// empty ones.
std::string row(const std::string& number, const std::vector<std::string>& cells)
{
    std::string line = "<TR ALIGN=CENTER><TD>" + number + "</TD>";
    for (const std::string& cell : cells)
        line += "<TD>" + (cell.empty() ? std::string("&nbsp") : cell) + "</TD>";
    return line + "</TR>";
}

const std::vector<std::string> fullRow = {"Grim", "Blitzer", "6", "3", "3", "8", "Block", "",
                                          "2",    "1",       "0", "0", "1", "9", "80k"};

std::vector<std::string> table(std::vector<std::string> rows)
{
    rows.insert(rows.begin(), tableStart);
    return rows;
}

} // namespace

TEST(PlayerRows, AWrittenRowFillsItsSlot)
{
    const TTeam team = readTeam(table({row("3", fullRow)}));
    const TPlayer expected{"Grim", "Blitzer", 6, 3, 3, 8, "Block", "", 2, 1, 0, 0, 1, 9, "80k"};
    EXPECT_EQ(team.Players[3], expected);
    for (int slot = 1; slot <= PlayerSlotCount; ++slot) {
        if (slot != 3) {
            EXPECT_EQ(team.Players[slot], TPlayer{}) << slot;
        }
    }
}

TEST(PlayerRows, TheNumberCellNamesTheSlot)
{
    const std::pair<std::string, int> cases[] = {
        {"12", 12}, {"25", 2}, {"1", 1}, {"9x", 9}, {"&nbsp</TD><TD>5", 5},
    };
    for (const auto& [number, slot] : cases)
        EXPECT_EQ(readTeam(table({row(number, fullRow)})).Players[slot].PlayerName, "Grim") << number;
}

TEST(PlayerRows, RowsNamingNoSlotAreSkippedAndTheTableStaysOpen)
{
    // "A" and "a" are no decimal digits, though their value as a digit is ten.
    for (const std::string number : {"0", "17", "18", "19", "x", "", "-3", "A", "a", "Ab"}) {
        const TTeam team = readTeam(table({row(number, fullRow), row("5", fullRow)}));
        EXPECT_EQ(team.Players[5].PlayerName, "Grim") << number;
        for (int slot = 1; slot <= PlayerSlotCount; ++slot) {
            if (slot != 5) {
                EXPECT_EQ(team.Players[slot], TPlayer{}) << number << " slot " << slot;
            }
        }
    }
}

TEST(PlayerRows, TheTableOpensAfterItsHeadingAndEndsAtTableEndOrSlot16)
{
    // Before the heading no row is read; the heading itself is no row.
    EXPECT_EQ(readTeam({row("3", fullRow), tableStart}).Players[3], TPlayer{});
    EXPECT_EQ(readTeam({"<TR><TH>#</TH><TH>POSITION 7</TH></TR>"}).Players[7], TPlayer{});
    // A row on the table end line is not read; a lower-case end tag does not end the table.
    EXPECT_EQ(readTeam(table({row("3", fullRow) + "</TABLE>"})).Players[3], TPlayer{});
    EXPECT_EQ(readTeam(table({"</table>", row("3", fullRow)})).Players[3].PlayerName, "Grim");
    // Slot 16 closes the table wherever it stands.
    const TTeam team = readTeam(table({row("16", fullRow), row("2", fullRow)}));
    EXPECT_EQ(team.Players[16].PlayerName, "Grim");
    EXPECT_EQ(team.Players[2], TPlayer{});
}

TEST(PlayerRows, NameZeroKeepsTheEarlierPositionCharacteristicsAndSkills)
{
    const TTeam team = readTeam(table({row("4", fullRow), row("4", {"0", "Broken Leg", "1"})}));
    const TPlayer expected{"", "Blitzer", 6, 3, 3, 8, "Block", "Broken Leg", 1, 0, 0, 0, 0, 0, ""};
    EXPECT_EQ(team.Players[4], expected);
}

TEST(PlayerRows, CellQuirks)
{
    std::vector<std::string> cells = fullRow;
    cells[1] = "0";
    cells[6] = "0";
    cells[2] = "fast";
    const TPlayer zeros = readTeam(table({row("6", cells)})).Players[6];
    EXPECT_EQ(zeros.Position, "0");
    EXPECT_EQ(zeros.Skills, "");
    EXPECT_EQ(zeros.MA, 0);

    cells = fullRow;
    cells[0] = "<B>Grim</B>";
    EXPECT_EQ(readTeam(table({row("6", cells)})).Players[6].Position, "Grim");
    cells[0] = "A|B";
    const TPlayer piped = readTeam(table({row("6", cells)})).Players[6];
    EXPECT_EQ(piped.PlayerName, "A");
    EXPECT_EQ(piped.Position, "B");
}

TEST(PlayerRows, ARowSplitOverTwoLinesEmptiesItsSlot)
{
    const TTeam team =
        readTeam(table({row("7", fullRow), "<TR><TD>7</TD>", "<TD>Grim</TD><TD>Blitzer</TD></TR>"}));
    EXPECT_EQ(team.Players[7], TPlayer{});
}

TEST(PlayerRows, RowsArePlacedByNumber)
{
    std::vector<std::string> five = fullRow, one = fullRow, three = fullRow;
    five[0] = "Five";
    one[0] = "One";
    three[0] = "Three";
    const TTeam team = readTeam(table({row("5", five), row("1", one), row("3", three)}));
    EXPECT_EQ(team.Players[5].PlayerName, "Five");
    EXPECT_EQ(team.Players[1].PlayerName, "One");
    EXPECT_EQ(team.Players[3].PlayerName, "Three");
    EXPECT_EQ(team.Players[2], TPlayer{});
    EXPECT_EQ(team.Players[4], TPlayer{});
}
