#pragma once

#include "LeagueRules.h"
#include "RosterRows.h"
#include "RosterSheet.h"
#include "TeamValue.h"

#include <QString>

#include <cstdint>
#include <optional>
#include <vector>

// A roster's team rating by its league's formula, with the parts it comes from.
struct TeamRating
{
    GoldPieces teamValue = 0;
    std::int64_t totalSpp = 0;
    std::int64_t rating = 0;
};

// None while the team value or a player's SPP cannot be read.
std::optional<TeamRating> teamRatingOf(const std::vector<PlayerRow>& players, const MoneyTexts& texts,
                                       const TeamRatingFormula& formula);
std::optional<TeamRating> teamRatingOf(const RosterSheet& sheet, const TeamRatingFormula& formula);

// Whether a team rating's cell states the rating: the whole number, blanks
// around it allowed. A rating may be larger than a characteristic's number.
bool statesRating(const QString& text, std::int64_t rating);

// Keeps a roster sheet's team rating in step with its edits by the league's
// formula, as the totals keep Cost of Team: the rating follows only while its
// cell holds what the formula gave last, or nothing; a rating the coach typed
// is never overwritten. The follow-up is written through the sheet's setCell
// right after the edit that caused it, so that it joins that edit's undo step.
// Setting a formula or showing a new page changes no text.
class TeamRatingFollower
{
public:
    explicit TeamRatingFollower(RosterSheet& sheet);
    ~TeamRatingFollower();
    TeamRatingFollower(const TeamRatingFollower&) = delete;
    TeamRatingFollower& operator=(const TeamRatingFollower&) = delete;

    // None stops the following.
    void setFormula(std::optional<TeamRatingFormula> formula);

    // The rating the formula gives the sheet as it stands; none without a
    // formula or while a part cannot be read.
    std::optional<std::int64_t> rating() const;
    // Whether update() would change the rating's cell.
    bool canUpdate() const;
    // Writes the formula's rating into its cell; false, writing nothing, when
    // it cannot be worked out.
    bool update();

private:
    void sheetChanged(const SheetChange& change);
    void follow();
    // The cell is blank or holds what the formula gave last.
    bool cellFollows() const;
    bool holdsRating(std::int64_t rating) const;
    const QString& ratingText() const;

    RosterSheet& m_sheet;
    int m_observer = 0;
    std::optional<TeamRatingFormula> m_formula;
    // The rating the formula gave after the last change it heard of.
    std::optional<std::int64_t> m_lastGiven;
};
