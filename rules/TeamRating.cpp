#include "TeamRating.h"

#include "SheetTotals.h"

std::optional<TeamRating> teamRatingOf(const std::vector<PlayerRow>& players, const MoneyTexts& texts,
                                       const TeamRatingFormula& formula)
{
    TeamRating parts;
    for (const PlayerRow& row : players) {
        if (!row.spp)
            return std::nullopt;
        parts.totalSpp += *row.spp;
    }
    const TeamSum sum = teamSum(texts);
    if (!sum.value.isKnown())
        return std::nullopt;
    parts.teamValue = sum.value.amount;
    parts.rating = formula.rating(parts.teamValue, parts.totalSpp);
    return parts;
}

std::optional<TeamRating> teamRatingOf(const RosterSheet& sheet, const TeamRatingFormula& formula)
{
    return teamRatingOf(playerRows(sheet), moneyTextsOf(sheet), formula);
}

bool statesRating(const QString& text, std::int64_t rating)
{
    bool ok = false;
    const qlonglong stated = QStringView(text).trimmed().toLongLong(&ok);
    return ok && stated == rating;
}

TeamRatingFollower::TeamRatingFollower(RosterSheet& sheet) : m_sheet(sheet)
{
    m_observer = m_sheet.addObserver([this](const SheetChange& change) { sheetChanged(change); });
}

TeamRatingFollower::~TeamRatingFollower()
{
    m_sheet.removeObserver(m_observer);
}

void TeamRatingFollower::setFormula(std::optional<TeamRatingFormula> formula)
{
    m_formula = formula;
    m_lastGiven = rating();
}

std::optional<std::int64_t> TeamRatingFollower::rating() const
{
    if (!m_formula)
        return std::nullopt;
    const std::optional<TeamRating> parts = teamRatingOf(m_sheet, *m_formula);
    return parts ? std::optional(parts->rating) : std::nullopt;
}

const QString& TeamRatingFollower::ratingText() const
{
    return m_sheet.cell(SheetGrid::Details, DetailsRows::ValueCol, DetailsRows::TeamRating);
}

bool TeamRatingFollower::canUpdate() const
{
    const std::optional<std::int64_t> now = rating();
    return now && !holdsRating(*now);
}

bool TeamRatingFollower::update()
{
    const std::optional<std::int64_t> now = rating();
    if (!now)
        return false;
    m_sheet.setCell(SheetGrid::Details, DetailsRows::ValueCol, DetailsRows::TeamRating,
                    QString::number(*now));
    return true;
}

bool TeamRatingFollower::holdsRating(std::int64_t rating) const
{
    return statesRating(ratingText(), rating);
}

bool TeamRatingFollower::cellFollows() const
{
    const QString& text = ratingText();
    if (text.trimmed().isEmpty())
        return true;
    return m_lastGiven && holdsRating(*m_lastGiven);
}

void TeamRatingFollower::sheetChanged(const SheetChange& change)
{
    if (!m_formula)
        return;
    if (rearrangesRoster(change)) {
        m_lastGiven = rating();
        return;
    }
    // The rating's own cell, typed or written here, asks for nothing more;
    // the match record plays no part in the rating.
    if (change.kind != SheetChange::Kind::Cell || change.grid == SheetGrid::Matches ||
        (change.grid == SheetGrid::Details && change.col == DetailsRows::ValueCol &&
         change.row == DetailsRows::TeamRating))
        return;
    // Undo and redo put back a rating together with the texts it came from.
    if (change.cause == SheetChange::Cause::Restore)
        m_lastGiven = rating();
    else
        follow();
}

void TeamRatingFollower::follow()
{
    const std::optional<std::int64_t> now = rating();
    // While a part cannot be read the cell stays as it is, and follows again
    // once it can, as long as nobody typed over it meanwhile.
    if (!now)
        return;
    const bool follows = cellFollows();
    m_lastGiven = now;
    if (follows && !holdsRating(*now))
        update();
}
