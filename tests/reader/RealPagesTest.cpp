#include "Errors.h"
#include "RosterReader.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace fs = std::filesystem;

// Pages written by other tools: each reads, fails with the conversion error or
// is refused as no roster page.
TEST(RealPages, EveryCorpusPageReadsOrFailsWithAMessage)
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
        } catch (const ENotRosterPage&) {
        }
    }
    EXPECT_GT(pages, 0);
}
