#include "Errors.h"
#include "RosterReader.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

TEST(RealPages, TheSamplePageReads)
{
    const PageLines page = loadPageFile(TE_SOURCE_DIR "/examples/sample-roster.htm");
    TTeam team;
    MatchRecord record;
    readRosterPage(page, team, record);
    EXPECT_EQ(team.TeamName, "Grimstone Grinders");
    EXPECT_EQ(team.Coach, "Ada Example");
    EXPECT_EQ(team.TeamRating, 130);
    EXPECT_EQ(team.TeamCost, "1,170k");
    EXPECT_EQ(team.WizardPriceText, "x $150k =");
    EXPECT_EQ(team.Players[12].Position, "Deathroller");
    EXPECT_EQ(team.Players[11], TPlayer{});
    EXPECT_EQ(team.TableFontName, "Verdana");
    EXPECT_EQ(team.HeadingsColor, 0xA0D0D0u);
    EXPECT_EQ(record.RowCount, 5);
    EXPECT_EQ(record.Cells[3][1], "Bonecrack Boys");
}

// Pages written by other tools: each reads or fails with the conversion error.
TEST(RealPages, EveryCorpusPageReadsOrFailsWithTheConversionError)
{
    const fs::path corpus = TE_SOURCE_DIR "/../shared/corpus/real";
    if (!fs::is_directory(corpus))
        GTEST_SKIP() << "no corpus at " << corpus;
    int pages = 0;
    for (const fs::directory_entry& entry : fs::directory_iterator(corpus)) {
        if (entry.path().extension() != ".htm" && entry.path().extension() != ".html")
            continue;
        ++pages;
        TTeam team;
        MatchRecord record;
        try {
            readRosterPage(loadPageFile(entry.path().string()), team, record);
            EXPECT_EQ(record.Cells.size(), static_cast<std::size_t>(record.RowCount)) << entry.path();
        } catch (const EConvertError& error) {
            EXPECT_TRUE(std::string(error.what()).ends_with("' is not a valid integer value"))
                << entry.path();
        }
    }
    EXPECT_GT(pages, 0);
}
