#pragma once

#include "RosterSheet.h"
#include "TotalsFollower.h"

#include <QString>

#include <deque>
#include <functional>
#include <optional>
#include <vector>

// Where a money text stands in a roster sheet: the cost column of the player
// grid, the treasury and Cost of Team in the team details, count, price and
// cost of each staff line in the extras grid.
struct SheetCellRef
{
    SheetGrid grid = SheetGrid::Details;
    int col = 0;
    int row = 0;

    bool operator==(const SheetCellRef&) const = default;
};

SheetCellRef sheetCellOf(MoneyCell cell);
std::optional<MoneyCell> moneyCellAt(SheetGrid grid, int col, int row);

// The money texts a sheet shows.
MoneyTexts moneyTextsOf(const RosterSheet& sheet);

// Whether the change may have brought, taken away or moved the roster's
// cells (a new page, or a grid other than the match record reshaped or a
// column moved), so that what follows the texts starts over from them.
bool rearrangesRoster(const SheetChange& change);

// Keeps a roster sheet's worked-out costs and Cost of Team in step with its
// edits, and knows the team value and the marks for the screen. It hears every
// change of the sheet and writes its follow-up through the sheet's setCell,
// right after the edit that caused it. A new page shown (the sheet replaced)
// changes no text: follow-up happens only on edits.
class SheetTotals
{
public:
    explicit SheetTotals(RosterSheet& sheet);
    ~SheetTotals();
    SheetTotals(const SheetTotals&) = delete;
    SheetTotals& operator=(const SheetTotals&) = delete;

    // "Team value 1,240k", "Team value 1,240k - the page says 1,170k" or
    // "Team value unknown: the cost of player 11".
    const QString& status() const { return m_status; }
    // Why the cell is marked; empty for a cell without a mark.
    QString markAt(SheetGrid grid, int col, int row) const;
    bool hasMark(SheetGrid grid, int col, int row) const;
    const std::vector<MoneyMark>& marks() const { return m_marks; }

    // Writes the team value into Cost of Team, in the look it has, as one
    // change of the sheet. Returns false, writing nothing, while the value is
    // unknown.
    bool updateCostOfTeam();
    // Whether that would change Cost of Team.
    bool canUpdateCostOfTeam() const;

    // Called once the follow-up of a change is done, when status or marks may
    // have changed.
    void setUpdatedHandler(std::function<void()> handler) { m_updated = std::move(handler); }

private:
    void sheetChanged(const SheetChange& change);
    void restart();
    void refresh();
    // The team value in the look of Cost of Team; none while it is unknown.
    std::optional<std::string> costOfTeamText() const;

    RosterSheet& m_sheet;
    int m_observer = 0;
    TotalsFollower m_follower;
    // The follow-up's own changes, written but perhaps not yet reported back:
    // m_follower holds them already.
    std::deque<std::pair<MoneyCell, QString>> m_ownChanges;
    std::vector<MoneyMark> m_marks;
    QString m_status;
    std::function<void()> m_updated;
};
