#include "TeamRating.h"
#include "PageFixtures.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

constexpr SheetGrid Players = SheetGrid::Players;
constexpr SheetGrid Details = SheetGrid::Details;
constexpr int CostCol = 15;
constexpr int SppCol = 14;

// The example league's formula: team value / 10k + SPP / 5. The sample page
// states 130, which is what the formula gives it.
const TeamRatingFormula Formula{10'000, 5};

QString ratingCell(const RosterSheet& sheet)
{
    return sheet.cell(Details, 1, 2);
}

using Step = std::function<void(RosterSheet&, TeamRatingFollower&)>;

Step type(SheetGrid grid, int col, int row, const char* text)
{
    return [=](RosterSheet& sheet, TeamRatingFollower&) {
        sheet.setCell(grid, col, row, QString::fromUtf8(text));
    };
}

Step typeRating(const char* text)
{
    return type(Details, 1, 2, text);
}

// A new player's cost in the empty slot 11: the team value goes from 1,170k to 1,240k.
const Step HireForSeventy = type(Players, CostCol, 11, "70k");

// The sample page with a follower of the formula, after the steps.
struct FollowedSample
{
    explicit FollowedSample(const std::vector<Step>& steps)
    {
        follower.setFormula(Formula);
        for (const Step& step : steps)
            step(sheet, follower);
    }

    RosterSheet sheet = samplePageSheet();
    TeamRatingFollower follower{sheet};
};

struct FollowRow
{
    const char* name;
    std::vector<Step> steps;
    const char* expected;
};

} // namespace

TEST(TeamRatingFollower, FollowsOnlyWhileItHoldsTheFormulasRating)
{
    const FollowRow rows[] = {
        {"setting the formula writes nothing", {}, "130"},
        {"a cost edit moves the rating", {HireForSeventy}, "137"},
        {"an SPP edit of a player moves the rating", {type(Players, SppCol, 9, "10")}, "132"},
        {"a rating typed over is never overwritten", {typeRating("150"), HireForSeventy}, "150"},
        {"a rating typed over with blanks around the formula's value still follows",
         {typeRating(" 130 "), HireForSeventy},
         "137"},
        {"an emptied rating follows again", {typeRating(""), HireForSeventy}, "137"},
        {"an unreadable cost keeps the rating, which follows once it can be read",
         {type(Players, CostCol, 11, "$"), type(Players, CostCol, 11, "$70k")},
         "137"},
        {"an unreadable SPP keeps the rating", {HireForSeventy, type(Players, SppCol, 1, "x")}, "137"},
        {"a rating typed while a part is unreadable stays",
         {type(Players, CostCol, 11, "$"), typeRating("99"), HireForSeventy},
         "99"},
        {"a rating beyond 32 bits follows",
         {typeRating(""),
          [](RosterSheet&, TeamRatingFollower& follower) {
              follower.setFormula(TeamRatingFormula{1, 5});
          },
          type(Players, CostCol, 1, "2,500,000k"), type(Players, SppCol, 9, "10")},
         "2501090015"},
        {"the match record plays no part", {type(SheetGrid::Matches, 0, 1, "100")}, "130"},
        {"without a formula nothing follows",
         {[](RosterSheet&, TeamRatingFollower& follower) { follower.setFormula(std::nullopt); },
          HireForSeventy},
         "130"},
        {"a page shown anew starts over from its own rating",
         {[](RosterSheet& sheet, TeamRatingFollower&) {
              RosterSheet other = samplePageSheet();
              other.setCell(Details, 1, 2, QStringLiteral("12"));
              sheet.replaceWith(other);
          },
          HireForSeventy},
         "12"},
        {"an undone rating edit follows again",
         {typeRating("150"),
          [](RosterSheet& sheet, TeamRatingFollower&) {
              sheet.restore([&] { sheet.setCell(Details, 1, 2, QStringLiteral("130")); });
          },
          HireForSeventy},
         "137"},
        {"an undone cost edit with its rating leaves it following",
         {HireForSeventy,
          [](RosterSheet& sheet, TeamRatingFollower&) {
              sheet.restore([&] {
                  sheet.setCell(Details, 1, 2, QStringLiteral("130"));
                  sheet.setCell(Players, CostCol, 11, QString());
              });
          },
          type(Players, SppCol, 9, "10")},
         "132"},
    };
    for (const FollowRow& row : rows) {
        SCOPED_TRACE(row.name);
        const FollowedSample sample(row.steps);
        EXPECT_EQ(ratingCell(sample.sheet), QString::fromUtf8(row.expected));
    }
}

TEST(TeamRatingFollower, UpdateSetsTheFormulasRatingWhenItIsKnownAndDiffers)
{
    struct UpdateRow
    {
        const char* name;
        std::vector<Step> steps;
        bool canUpdate;
        const char* after;
    };
    const UpdateRow rows[] = {
        {"the rating the formula gives", {}, false, "130"},
        {"a typed rating", {typeRating("150")}, true, "130"},
        {"a rating that is no number", {typeRating("about 130")}, true, "130"},
        {"an unreadable cost", {typeRating("150"), type(Players, CostCol, 1, "lots")}, false, "150"},
        {"no formula",
         {typeRating("150"),
          [](RosterSheet&, TeamRatingFollower& follower) { follower.setFormula(std::nullopt); }},
         false,
         "150"},
    };
    for (const UpdateRow& row : rows) {
        SCOPED_TRACE(row.name);
        FollowedSample sample(row.steps);
        EXPECT_EQ(sample.follower.canUpdate(), row.canUpdate);
        EXPECT_EQ(sample.follower.update(), sample.follower.rating().has_value());
        EXPECT_EQ(ratingCell(sample.sheet), QString::fromUtf8(row.after));
    }
}
