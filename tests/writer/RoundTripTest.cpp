#include "PageFixtures.h"
#include "PageStore.h"
#include "RosterPage.h"
#include "RosterReader.h"
#include "SheetBuilder.h"
#include "TeamGenerator.h"

#include <QStringList>
#include <gtest/gtest.h>

#include <optional>

namespace {

struct ReadBack
{
    TTeam team;
    MatchRecord record;
    RosterSheet display;
};

ReadBack readBack(const RosterSheet& sheet)
{
    const PageLines page = splitPageBytes(pageBytes(buildRosterPage(sheet)));
    TTeam team;
    MatchRecord record;
    readRosterPage(page, team, record);
    return {team, record, buildSheet(team, record, page.encoding)};
}

constexpr int teamsPerProperty = 300;

// The texts of the page's heading lines: its title, race and coach.
struct HeadingTexts
{
    const char* name;
    const char* race;
    const char* coach;
};

GeneratedTeam teamWithHeadings(TeamGenerator& generator, const HeadingTexts& heading)
{
    GeneratedTeam generated = generator.plainTeam();
    generated.team.TeamName = heading.name;
    generated.team.Race = heading.race;
    generated.team.Coach = heading.coach;
    // Faces and colour other than the defaults, so that a font line not read shows.
    generated.team.HeadingFontName = "Verdana";
    generated.team.HeadingFontColor = 0x0000FF;
    generated.team.TableFontName = "Courier";
    return generated;
}

// Texts without the reader's keywords come back to the same display, in
// either encoding.
TEST(RoundTrip, PlainTeamsReadBackToTheSameDisplay)
{
    for (const TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Latin1}) {
        TeamGenerator generator(20261208, encoding);
        for (int i = 0; i < teamsPerProperty; ++i) {
            SCOPED_TRACE("team " + std::to_string(i));
            const GeneratedTeam generated = generator.plainTeam();
            const RosterSheet shown = buildSheet(generated.team, generated.record, encoding);
            std::optional<ReadBack> back;
            ASSERT_NO_THROW(back.emplace(readBack(shown)));
            expectSameSheet(back->display, shown);
            if (testing::Test::HasFailure())
                return;
        }
    }
}

// Team, race, coach and player texts holding the keyword pairs of the count
// rules must not stop the page from reading, and the count cells still give
// their values when the pair stands only in the heading texts. Heading texts
// naming a game or match record, which stand before the font lines, leave the
// page its faces and colours.
TEST(RoundTrip, CountKeywordsInTextsStillRead)
{
    TeamGenerator generator(7, TextEncoding::Utf8);
    for (int i = 0; i < teamsPerProperty; ++i) {
        SCOPED_TRACE("team " + std::to_string(i));
        GeneratedTeam generated = generator.plainTeam();
        generator.addCountKeywords(generated.team);
        const RosterSheet shown = buildSheet(generated.team, generated.record, TextEncoding::Utf8);
        ASSERT_NO_THROW(readBack(shown));
    }

    const HeadingTexts headings[] = {
        {"Rolls Reavers", "Fan Factory", "Rating Kings"}, {"Fan Factory", "Rating Kings", "Rolls Reavers"},
        {"Rating Kings", "Rolls Reavers", "Fan Factory"}, {"Match Record Breakers", "Orc", "Gorbag"},
        {"Ironjaws", "Game Record Keepers", "Gorbag"},    {"Ironjaws", "Orc", "Record Match Maker"}};
    for (const HeadingTexts& heading : headings) {
        SCOPED_TRACE(std::string(heading.name) + " / " + heading.race + " / " + heading.coach);
        const GeneratedTeam generated = teamWithHeadings(generator, heading);
        const RosterSheet shown = buildSheet(generated.team, generated.record, TextEncoding::Utf8);
        const ReadBack back = readBack(shown);
        expectSameSheet(back.display, shown);
        EXPECT_EQ(back.team.TeamName, heading.name);
        EXPECT_EQ(back.team.Race, heading.race);
        EXPECT_EQ(back.team.Coach, heading.coach);
        EXPECT_EQ(back.team.ReRolls, generated.team.ReRolls);
        EXPECT_EQ(back.team.FanFactor, generated.team.FanFactor);
        EXPECT_EQ(back.team.TeamRating, generated.team.TeamRating);
    }
}

// A cleared re-roll, fan factor or team rating cell reads back as -1. A count
// that gives no value takes no price or cost text from its row either, so
// those come back as a page without them leaves them.
TEST(RoundTrip, ClearedCountCellsReadBackAsMinusOne)
{
    struct Count
    {
        SheetGrid grid;
        int row;
        QStringList readBack; // count, price and cost cells
    };
    const Count counts[] = {{SheetGrid::Extras, 0, {"-1", "x $50k =", ""}},
                            {SheetGrid::Extras, 1, {"-1", "x $10k =", ""}},
                            {SheetGrid::Details, 2, {"-1"}}};
    TeamGenerator generator(99, TextEncoding::Utf8);
    for (int cleared = 1; cleared < 8; ++cleared) {
        SCOPED_TRACE("cleared set " + std::to_string(cleared));
        const GeneratedTeam generated = generator.plainTeam();
        RosterSheet shown = buildSheet(generated.team, generated.record, TextEncoding::Utf8);
        RosterSheet expected(shown);
        for (int i = 0; i < 3; ++i) {
            if ((cleared & (1 << i)) == 0)
                continue;
            const Count& count = counts[i];
            shown.setCell(count.grid, 1, count.row, QString());
            for (int col = 0; col < count.readBack.size(); ++col)
                expected.setCell(count.grid, col + 1, count.row, count.readBack[col]);
        }
        std::optional<ReadBack> back;
        ASSERT_NO_THROW(back.emplace(readBack(shown)));
        expectSameSheet(back->display, expected);
    }
}

} // namespace
