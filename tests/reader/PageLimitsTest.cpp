#include "Errors.h"
#include "MatchRecordRules.h"
#include "RosterReader.h"

#include <gtest/gtest.h>

#include <QTemporaryDir>

#include <climits>
#include <filesystem>
#include <fstream>

#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

std::string loadError(const std::string& path)
{
    try {
        loadPageFile(path);
    } catch (const EFileError& error) {
        return error.what();
    }
    return "loaded";
}

std::string readError(const std::string& page)
{
    TTeam team;
    MatchRecord record;
    try {
        readRosterPage(splitPageBytes(page), team, record);
    } catch (const TeamEditorError& error) {
        return error.what();
    }
    return "read";
}

// A title, a heading row of that many cells, and rows that set nothing.
std::string matchRecordPage(int columns, int rowLines)
{
    std::string page = "Match Record\n<TR>";
    for (int col = 0; col < columns; ++col)
        page += "h<>";
    page += "\n";
    for (int row = 0; row < rowLines; ++row)
        page += "<TR\n";
    return page;
}

} // namespace

// A FIFO without a writer would block the read for ever, a device such as
// /dev/zero never end: both are refused before they are opened.
TEST(PageLimits, FilesThatAreNotRegularAreRefused)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const std::string folder = dir.path().toStdString();
    const std::string fifo = folder + "/fifo.htm";
    ASSERT_EQ(::mkfifo(fifo.c_str(), 0600), 0);
    const std::string fifoLink = folder + "/fifo-link.htm";
    std::filesystem::create_symlink(fifo, fifoLink);

    std::vector<std::string> refused = {fifo, fifoLink, "/dev/zero", "/dev/null"};
    // A device node of its own where the test may make one (as root).
    const std::string device = folder + "/zero";
    if (::mknod(device.c_str(), S_IFCHR | 0600, makedev(1, 5)) == 0)
        refused.push_back(device);
    for (const std::string& path : refused) {
        if (std::filesystem::exists(path)) {
            EXPECT_EQ(loadError(path), "Not a regular file: " + path);
        }
    }

    // A link to a regular file is read as the file.
    const std::string page = folder + "/page.htm";
    std::ofstream(page, std::ios::binary) << "<TITLE>T</TITLE>";
    const std::string pageLink = folder + "/page-link.htm";
    std::filesystem::create_symlink(page, pageLink);
    EXPECT_EQ(loadPageFile(pageLink).lines, std::vector<std::string>{"<TITLE>T</TITLE>"});
}

TEST(PageLimits, APageOverTheLimitIsRefusedUnread)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    // Sparse files: they take no room on the disk.
    const std::string atLimit = dir.path().toStdString() + "/at-limit.htm";
    const std::string overLimit = dir.path().toStdString() + "/over-limit.htm";
    std::ofstream(atLimit, std::ios::binary) << "";
    std::ofstream(overLimit, std::ios::binary) << "";
    std::filesystem::resize_file(atLimit, PageSizeLimit);
    std::filesystem::resize_file(overLimit, PageSizeLimit + 1);

    EXPECT_EQ(loadError(overLimit), "Page too large: " + overLimit);
    const PageLines page = loadPageFile(atLimit);
    ASSERT_EQ(page.lines.size(), 1u);
    EXPECT_EQ(page.lines.front(), std::string(PageLineLimit, '\0'));
}

TEST(PageLimits, TheMatchRecordIsCappedInRowsAndColumns)
{
    // The heading row, 9,998 games and the empty row at the foot: the largest record.
    TTeam team;
    MatchRecord record;
    readRosterPage(splitPageBytes(matchRecordPage(MaxMatchRecordColumns, MaxMatchRecordRows - 2)), team,
                   record);
    EXPECT_EQ(record.ColCount, MaxMatchRecordColumns);
    EXPECT_EQ(record.RowCount, MaxMatchRecordRows);
    EXPECT_EQ(record.Height, 21 * MaxMatchRecordRows + 16);

    EXPECT_EQ(readError(matchRecordPage(MaxMatchRecordColumns + 1, 1)), "Match record too large");
    EXPECT_EQ(readError(matchRecordPage(1, MaxMatchRecordRows - 1)), "Match record too large");
    // A game row wider than the heading widens the grid up to the cap too.
    std::string wideGame = matchRecordPage(2, 1) + "<TR>";
    for (int col = 0; col <= MaxMatchRecordColumns; ++col)
        wideGame += "g<>";
    EXPECT_EQ(readError(wideGame + "\n"), "Match record too large");

    // The failed read leaves the caller's records as they were.
    const TTeam teamBefore = team;
    const MatchRecord recordBefore = record;
    EXPECT_THROW(readRosterPage(splitPageBytes("<TITLE>New</TITLE>\n" + wideGame), team, record),
                 ELimitError);
    EXPECT_EQ(team, teamBefore);
    EXPECT_EQ(record, recordBefore);
}

TEST(PageLimits, TheGridHeightCannotOverflow)
{
    EXPECT_EQ(matchGridHeight(2), 58);
    EXPECT_EQ(matchGridHeight(MaxMatchRecordRows), 210016);
    // Over a hundred million row lines would overflow a 32-bit sum.
    EXPECT_EQ(matchGridHeight(102'300'002), INT_MAX);
    EXPECT_EQ(matchGridHeight(INT_MAX), INT_MAX);
    EXPECT_EQ(matchGridHeight(102'261'125), 2'147'483'641);
}
