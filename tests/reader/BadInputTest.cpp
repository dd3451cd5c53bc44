#include "Errors.h"
#include "RosterReader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <fstream>
#include <iterator>
#include <random>

namespace {

// Reads the bytes; a conversion error, the refusal of a page that is no roster
// or a match record beyond its limits is an acceptable ending, anything else is
// not.
void readBytes(std::string_view bytes)
{
    TTeam team;
    MatchRecord record;
    try {
        readRosterPage(splitPageBytes(bytes), team, record);
    } catch (const EConvertError&) {
        return;
    } catch (const ENotRosterPage&) {
        return;
    } catch (const ELimitError&) {
        return;
    }
    ASSERT_EQ(record.Cells.size(), static_cast<std::size_t>(record.RowCount));
    for (const auto& row : record.Cells)
        ASSERT_LE(row.size(), static_cast<std::size_t>(record.ColCount));
}

} // namespace

TEST(BadInput, OddPagesEndInATeamOrTheConversionError)
{
    const std::string tableStart = "<TR><TH>#</TH><TH>Position</TH></TR>\n";
    const std::string pages[] = {
        "",
        "\r",
        std::string("\0\0\0<TITLE>\0</TITLE>", 19),
        "<<<<<<<<",
        ">>>>>>>>",
        "<TITLE>never closed",
        tableStart + "19||||\n18\n0|x|\n1\n|||||\n",
        tableStart + std::string(5000, '|') + "\n" + "1" + std::string(5000, '<'),
        "Match Record\n<TR>" + std::string(4000, '|') + "\n<TR>" + std::string(2000, 'a') + "\n",
        "Match Record\n" + std::string(100, '\n') + "<TR><TD>x</TD></TR>\n",
        "<BODY BGCOLOR=\"#\xFF\xFE\xFD\">\n<FONT FACE=\"\xC3\">\n<FONT COLOR=>",
        "<TD>Re-Rolls:</TD><TD>99999999999</TD>\n",
        "<TD>Fan Factor:</TD><TD>-2147483649</TD>\n<TD>Cheerleaders:</TD><TD>99999999999</TD>",
        "Team Rating|Team Rating|Team Rating|",
        "Race:\nCoach:\nTREAS\nCOST TEAM\nAPOTHECARY\nWIZARD",
    };
    for (const std::string& page : pages)
        readBytes(page);
}

TEST(BadInput, RandomBytesAroundKeywordsNeverBreakTheReader)
{
    const std::string pieces[] = {
        "<TR",         "<TD>",         "</TD>", "|",           "Re-Rolls:", "Fan Factor",
        "Team Rating", "Match Record", ">#<",   "POSITION",    "/TABLE",    "1",
        "16",          "&nbsp",        "\"",    "<FONT FACE=", "COLOR=",    "BGCOLOR=#",
        "<BODY",       "\r\n",         "\n",    "\xFF",        "0"};
    std::mt19937 random(11);
    for (int round = 0; round < 500; ++round) {
        std::string page;
        for (int i = random() % 60; i > 0; --i)
            page += pieces[random() % std::size(pieces)];
        readBytes(page);
    }
}

// Empty lines are passed over without a rule looking at them: added anywhere
// in a page, they must change neither what it reads to nor which conversion
// error it ends in.
TEST(BadInput, EmptyLinesAnywhereChangeNothing)
{
    const auto outcome = [](std::string_view bytes) {
        TTeam team;
        MatchRecord record;
        try {
            readRosterPage(splitPageBytes(bytes), team, record);
        } catch (const TeamEditorError& error) {
            return std::string(error.what());
        }
        return team.TeamName + "|" + team.Coach + "|" + std::to_string(team.ReRolls) + "|" +
               std::to_string(record.RowCount) + "|" + team.Players[2].PlayerName + "|" +
               team.Players[2].Injuries;
    };
    std::ifstream file(TE_SOURCE_DIR "/examples/sample-roster.htm", std::ios::binary);
    const std::string sample{std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()};
    const std::string pages[] = {
        sample,
        "<TD>Fan Factor:</TD><TD>x</TD>\n<TD>Re-Rolls:</TD><TD>y</TD>\n",
        "<TD>Re-Rolls:</TD><TD>y</TD>\n<TD>Fan Factor:</TD><TD>x</TD>\n",
        "\n\n",
    };
    std::mt19937 random(26);
    for (const std::string& page : pages) {
        const std::string expected = outcome(page);
        for (int round = 0; round < 20; ++round) {
            std::string spread;
            for (const char c : page) {
                spread += c;
                if (c == '\n')
                    spread.append(random() % 3, '\n');
            }
            ASSERT_EQ(outcome(spread), expected) << spread.substr(0, 200);
        }
    }
}

// One heading row as wide as a record may be, followed by as many rows as it
// may have that set nothing: the record must still have every row and column,
// but store only the cells that were given.
TEST(BadInput, ManyEmptyRowsAfterAWideRowStayCheap)
{
    std::string page = "Match Record\n<TR>";
    for (int i = 0; i < MaxMatchRecordColumns; ++i)
        page += std::string(1, char('a' + i % 26)) + "<>";
    page += "\n";
    for (int i = 0; i < MaxMatchRecordRows - 2; ++i)
        page += "<TR\n";

    TTeam team;
    MatchRecord record;
    readRosterPage(splitPageBytes(page), team, record);
    EXPECT_EQ(record.ColCount, MaxMatchRecordColumns);
    // The heading row, one more after every "<TR" line, and the row at the foot.
    EXPECT_EQ(record.RowCount, MaxMatchRecordRows);
    ASSERT_EQ(record.Cells.size(), std::size_t{MaxMatchRecordRows});
    std::size_t stored = 0;
    for (const auto& row : record.Cells)
        stored += row.size();
    EXPECT_EQ(stored, std::size_t{MaxMatchRecordColumns});
    EXPECT_EQ(record.cell(0, 0), "a");
    EXPECT_EQ(record.cell(255, 0), std::string(1, char('a' + 255 % 26)));
    EXPECT_EQ(record.cell(255, MaxMatchRecordRows - 1), "");
    EXPECT_EQ(record.cell(256, 0), "");
}

// The fuzz target's hand-made seeds and every input it ever crashed on.
TEST(BadInput, FuzzCorpusReplays)
{
    int inputs = 0;
    for (const auto& entry : std::filesystem::directory_iterator(TE_SOURCE_DIR "/fuzz/corpus")) {
        std::ifstream file(entry.path(), std::ios::binary);
        readBytes(std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>()));
        ++inputs;
    }
    EXPECT_GT(inputs, 0);
}
