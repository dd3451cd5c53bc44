#include "ReadBackCheck.h"

#include "RosterPage.h"
#include "SaveRoundTrip.h"
#include "SheetBuilder.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace {

std::optional<ReadBackDifference> difference(const RosterSheet& sheet)
{
    return readBackDifference(sheet, buildRosterPage(sheet));
}

// A new team with a match record of a heading and two games.
RosterSheet teamWithGames()
{
    RosterSheet sheet = buildNewTeamSheet();
    sheet.setCell(SheetGrid::Details, 1, 0, QStringLiteral("Orc Raiders"));
    sheet.setCell(SheetGrid::Details, 1, 3, QStringLiteral("120k"));
    sheet.setShape(SheetGrid::Matches, {8, 4, 1, 0});
    sheet.setCell(SheetGrid::Matches, 0, 1, QStringLiteral("W"));
    sheet.setCell(SheetGrid::Matches, 1, 1, QStringLiteral("Elves"));
    sheet.setCell(SheetGrid::Matches, 0, 2, QStringLiteral("L"));
    sheet.setCell(SheetGrid::Matches, 1, 2, QStringLiteral("Dwarfs"));
    return sheet;
}

} // namespace

TEST(ReadBackCheck, ARosterThatReadsBackTheSameHasNoDifference)
{
    EXPECT_FALSE(difference(buildNewTeamSheet()));
    RosterSheet sheet = teamWithGames();
    EXPECT_FALSE(difference(sheet));
    // A wholly empty match row is not written: the rows close up, nothing is lost.
    sheet.setShape(SheetGrid::Matches, {8, 5, 1, 0});
    sheet.setCell(SheetGrid::Matches, 0, 3, QStringLiteral("D"));
    sheet.setCell(SheetGrid::Matches, 0, 2, QString());
    sheet.setCell(SheetGrid::Matches, 1, 2, QString());
    EXPECT_FALSE(difference(sheet));
    // A player with a name only comes back with numbers of 0.
    sheet.setCell(SheetGrid::Players, 1, 3, QStringLiteral("Grim"));
    EXPECT_FALSE(difference(sheet));
}

// Each of these saves would lose or change a cell the window shows.
TEST(ReadBackCheck, CellsThatComeBackOtherwiseAreNamed)
{
    struct Case
    {
        const char* name;
        SheetGrid grid;
        int col, row;
        QString text;
        QString expected; // describe() of the difference
    };
    const QString longNote(3999, QLatin1Char('n'));
    const Case cases[] = {
        // The line of the row is cut at 4,096 bytes, inside the note, which
        // then ends no cell.
        {"long note", SheetGrid::Matches, 7, 1, longNote,
         "Match record, row 2, column 8: \"" + longNote + "\" becomes \"\""},
        // A note with the words of the match record's heading starts the record anew.
        {"record gate", SheetGrid::Matches, 7, 2, QStringLiteral("Record gate for this game"),
         QStringLiteral("Match record, row 1, column 1: \"Result\" becomes \"L\"")},
        // "TREAS" on the coach's line is read as the treasury.
        {"coach", SheetGrid::Details, 1, 4, QStringLiteral("Treasure Hunter"),
         QStringLiteral("Team details, row 4, column 2: \"120k\" becomes \"Apothecary:\"")},
        {"typed letters in a number", SheetGrid::Players, 4, 2, QStringLiteral("six"),
         QStringLiteral("Players, row 3, column 5: \"six\" becomes \"0\"")},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        RosterSheet sheet = teamWithGames();
        if (c.grid == SheetGrid::Players) {
            // A player is shown with numbers once his MA is given.
            sheet.setCell(SheetGrid::Players, 1, c.row, QStringLiteral("Grim"));
            sheet.setCell(SheetGrid::Players, 3, c.row, QStringLiteral("6"));
        }
        sheet.setCell(c.grid, c.col, c.row, c.text);
        const auto found = difference(sheet);
        ASSERT_TRUE(found);
        // Compared whole, shown in part: the long note would fill the screen.
        EXPECT_TRUE(found->describe() == c.expected)
            << found->describe().left(40).toStdString() << "..." << found->describe().right(20).toStdString();
        EXPECT_TRUE(readBackWarning(*found) ==
                    "This roster will not read back the same: " + c.expected + ".");
    }
}

TEST(ReadBackCheck, APageThatDoesNotReadAtAllIsADifference)
{
    RosterSheet sheet = teamWithGames();
    // A team rating that is no number fails the read.
    sheet.setCell(SheetGrid::Details, 1, 2, QStringLiteral("12O"));
    const auto found = difference(sheet);
    ASSERT_TRUE(found);
    EXPECT_EQ(found->describe(), "the page does not read ('12O' is not a valid integer value)");
}

// The plain comparison of the fuzz target agrees with the check on random
// sheets and on every input of the fuzz corpus.
TEST(ReadBackCheck, AgreesWithAPlainComparison)
{
    const std::string_view pieces[] = {
        "",  "0",     "x",        "Re-Rolls", "Treasure", "Match Record", "Game record", "<B>",
        "|", "&nbsp", "\xC3\xA9", "-1",       "20k",      "12O",          " 5",          "\r\n"};
    std::mt19937 random(16);
    for (int round = 0; round < 300; ++round) {
        std::string bytes;
        for (int i = random() % 120; i > 0; --i) {
            bytes += pieces[random() % std::size(pieces)];
            bytes += '\0';
        }
        ASSERT_TRUE(saveroundtrip::checkAgrees(bytes)) << testing::PrintToString(bytes);
    }
    for (const auto& entry : std::filesystem::directory_iterator(TE_SOURCE_DIR "/fuzz/corpus")) {
        std::ifstream file(entry.path(), std::ios::binary);
        const std::string bytes((std::istreambuf_iterator<char>(file)), std::istreambuf_iterator<char>());
        EXPECT_TRUE(saveroundtrip::checkAgrees(bytes)) << entry.path();
    }
}
