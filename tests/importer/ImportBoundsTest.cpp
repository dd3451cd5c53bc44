// Hostile pages under the page size limit: the importer holds at most a few
// bytes per byte of the page, whatever the page repeats, and its column
// counts cannot overflow.
#include "Errors.h"
#include "PeakMemory.h"
#include "RosterImporter.h"

#include <gtest/gtest.h>

namespace {

std::string repeated(std::string_view head, std::string_view unit, std::size_t bytes)
{
    std::string page(head);
    page.reserve(bytes + unit.size());
    while (page.size() < bytes)
        page += unit;
    return page;
}

constexpr std::string_view headingRow = "<table><tr><th>Name</th><th>MA</th><th>ST</th><th>AG</th></tr>";

} // namespace

TEST(ImportBounds, MemoryStaysWithinEightBytesPerPageByte)
{
    if (memoryIsShadowed)
        GTEST_SKIP() << "peak memory means nothing under AddressSanitizer";
    constexpr std::size_t size = 8u << 20;
    struct Case
    {
        const char* what;
        std::string_view head;
        std::string_view unit;
        std::size_t times = 1;
    };
    const Case cases[] = {
        {"cells after a heading row", headingRow, "<td>"},
        {"rows of cells", headingRow, "<tr><td colspan=2>total</td><td>1</td></tr>\n"},
        {"tables in cells", "", "<table><tr><td>x"},
        {"labels and prose", "", "<p>Coach: <b>Ann</b> and some words</p>\n"},
        {"games", "<table><tr><th>Result</th><th>Opponent</th></tr>", "<tr><td>W</td><td>Orcs</td></tr>"},
        // Over two million cells a thousand columns wide: more columns than an
        // int counts, were the spans not clamped. Last, as the largest page.
        {"wide heading cells", "<table><tr><th>Name</th>", "<th colspan=1000>", 5},
    };
    // The peak only grows: each case is held to the page it makes and eight
    // bytes per byte of it, together with every case before it, none larger.
    const long before = peakKilobytes();
    for (const Case& c : cases) {
        const std::string page = repeated(c.head, c.unit, size * c.times);
        try {
            importRosterPage(page);
        } catch (const TeamEditorError&) {
        }
        const long grown = (peakKilobytes() - before) * 1024;
        EXPECT_LE(grown, static_cast<long>(9 * page.size())) << c.what;
    }
}

TEST(ImportBounds, TheSummaryNamesEachIgnoredHeadingOnceAndAtMostTwenty)
{
    struct Case
    {
        std::string headings;
        std::string ignored;
    };
    std::string many;
    for (char c = 'a'; c <= 'y'; ++c)
        many += std::string("<th>") + c + c + "</th>";
    const Case cases[] = {
        {repeated("", "<th>y</th><th colspan=99999999999>x</th>", 4000), "y, x columns"},
        {many,
         "aa, bb, cc, dd, ee, ff, gg, hh, ii, jj, kk, ll, mm, nn, oo, pp, qq, rr, ss, tt and 5 more columns"},
    };
    for (const Case& c : cases) {
        const std::string page = "<table><tr><th>Name</th><th>MA</th><th>ST</th>" + c.headings +
                                 "</tr><tr><td>Ann</td><td>7</td><td>3</td></tr></table>";
        const ImportResult result = importRosterPage(page);
        EXPECT_EQ(result.team.Players[1].MA, 7);
        EXPECT_TRUE(result.summary().starts_with("Imported 1 player; ignored: " + c.ignored + ";"))
            << result.summary();
    }
}

// Browsers show what follows the end of the document as part of its body;
// older tools put their match records there. A page of many chunks puts the
// end tags where a chunk would split them (the padding of 65,504 bytes puts the
// first chunk's end inside "</html>").
TEST(ImportBounds, WhatFollowsTheEndOfTheDocumentIsRead)
{
    const std::string roster = "<table><tr><th>Name</th><th>MA</th><th>ST</th></tr>"
                               "<tr><td>Ann</td><td>7</td><td>3</td></tr></table>";
    for (const std::size_t padding :
         {std::size_t{0}, std::size_t{65'504}, std::size_t{65'530}, std::size_t{3u << 20}}) {
        const std::string page = "<html><body><p>" + std::string(padding, 'x') + "</p></BODY >\r\n</html>" +
                                 "<!-- written by hand -->" + roster;
        const ImportResult result = importRosterPage(page);
        EXPECT_EQ(result.playerCount, 1) << padding;
        EXPECT_EQ(result.team.Players[1].PlayerName, "Ann") << padding;
    }
}
