#include "PageFixtures.h"
#include "PageStore.h"
#include "RosterPage.h"
#include "RosterReader.h"
#include "TeamDisplay.h"
#include "TeamGenerator.h"

#include <QStringList>
#include <gtest/gtest.h>

namespace {

struct ReadBack
{
    TTeam team;
    MatchRecord record;
    PageSnapshot display;
};

ReadBack readBack(const PageSnapshot& snapshot)
{
    const PageLines page = splitPageBytes(pageBytes(buildRosterPage(snapshot)));
    ReadBack result;
    readRosterPage(page, result.team, result.record);
    result.display = displayTeam(result.team, result.record, page.encoding);
    return result;
}

void expectSameDisplay(const PageSnapshot& actual, const PageSnapshot& expected)
{
    expectSameGrid(actual.teamGrid, expected.teamGrid, "TeamGrid");
    expectSameGrid(actual.teamGrid2, expected.teamGrid2, "TeamGrid2");
    expectSameGrid(actual.teamGrid3, expected.teamGrid3, "TeamGrid3");
    expectSameGrid(actual.gameGrid, expected.gameGrid, "GameGrid");
    EXPECT_EQ(actual.windowColor, expected.windowColor);
    EXPECT_EQ(actual.tableColor, expected.tableColor);
    EXPECT_EQ(actual.headingsColor, expected.headingsColor);
    EXPECT_EQ(actual.tableFontColor, expected.tableFontColor);
    EXPECT_EQ(actual.tableFontName, expected.tableFontName);
    EXPECT_EQ(actual.headingFontColor, expected.headingFontColor);
    EXPECT_EQ(actual.headingFontName, expected.headingFontName);
}

constexpr int teamsPerProperty = 300;

// Texts without the reader's keywords come back to the same display, in
// either encoding.
TEST(RoundTrip, PlainTeamsReadBackToTheSameDisplay)
{
    for (const TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Latin1}) {
        TeamGenerator generator(20261208, encoding);
        for (int i = 0; i < teamsPerProperty; ++i) {
            SCOPED_TRACE("team " + std::to_string(i));
            const GeneratedTeam generated = generator.plainTeam();
            const PageSnapshot shown = displayTeam(generated.team, generated.record, encoding);
            ReadBack back;
            ASSERT_NO_THROW(back = readBack(shown));
            expectSameDisplay(back.display, shown);
            if (testing::Test::HasFailure())
                return;
        }
    }
}

// Team, race, coach and player texts holding the keyword pairs of the count
// rules must not stop the page from reading, and the count cells still give
// their values when the pair stands only in the heading texts.
TEST(RoundTrip, CountKeywordsInTextsStillRead)
{
    TeamGenerator generator(7, TextEncoding::Utf8);
    for (int i = 0; i < teamsPerProperty; ++i) {
        SCOPED_TRACE("team " + std::to_string(i));
        GeneratedTeam generated = generator.plainTeam();
        generator.addCountKeywords(generated.team);
        const PageSnapshot shown = displayTeam(generated.team, generated.record, TextEncoding::Utf8);
        ASSERT_NO_THROW(readBack(shown));
    }

    const struct
    {
        const char* name;
        const char* race;
        const char* coach;
    } headings[] = {{"Rolls Reavers", "Fan Factory", "Rating Kings"},
                    {"Fan Factory", "Rating Kings", "Rolls Reavers"},
                    {"Rating Kings", "Rolls Reavers", "Fan Factory"}};
    for (const auto& heading : headings) {
        SCOPED_TRACE(heading.name);
        GeneratedTeam generated = generator.plainTeam();
        generated.team.TeamName = heading.name;
        generated.team.Race = heading.race;
        generated.team.Coach = heading.coach;
        const ReadBack back = readBack(displayTeam(generated.team, generated.record, TextEncoding::Utf8));
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
        GridSnapshot PageSnapshot::*grid;
        int row;
        QStringList readBack; // count, price and cost cells
    };
    const Count counts[] = {{&PageSnapshot::teamGrid3, 0, {"-1", "x $50k =", ""}},
                            {&PageSnapshot::teamGrid3, 1, {"-1", "x $10k =", ""}},
                            {&PageSnapshot::teamGrid2, 2, {"-1"}}};
    TeamGenerator generator(99, TextEncoding::Utf8);
    for (int cleared = 1; cleared < 8; ++cleared) {
        SCOPED_TRACE("cleared set " + std::to_string(cleared));
        const GeneratedTeam generated = generator.plainTeam();
        PageSnapshot shown = displayTeam(generated.team, generated.record, TextEncoding::Utf8);
        PageSnapshot expected = shown;
        for (int i = 0; i < 3; ++i) {
            if ((cleared & (1 << i)) == 0)
                continue;
            const Count& count = counts[i];
            const auto row = static_cast<std::size_t>(count.row);
            (shown.*count.grid).cells[row][1].clear();
            for (int col = 0; col < count.readBack.size(); ++col)
                (expected.*count.grid).cells[row][static_cast<std::size_t>(col) + 1] = count.readBack[col];
        }
        ReadBack back;
        ASSERT_NO_THROW(back = readBack(shown));
        expectSameDisplay(back.display, expected);
    }
}

} // namespace
