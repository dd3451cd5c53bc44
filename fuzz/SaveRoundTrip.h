#pragma once

// The save round trip as a property over arbitrary bytes, shared by the fuzz
// target and the test that replays its corpus: the bytes give the texts of a
// sheet's cells, the sheet's page is read back, and the read-back check must
// report a difference exactly when a plain cell-by-cell comparison finds one.

#include "Errors.h"
#include "PageStore.h"
#include "ReadBackCheck.h"
#include "RosterPage.h"
#include "RosterReader.h"
#include "SheetBuilder.h"

#include <QStringList>

#include <algorithm>
#include <string_view>
#include <vector>

namespace saveroundtrip {

constexpr int MatchRows = 4; // the heading row and three games

struct CellAt
{
    SheetGrid grid;
    int col;
    int row;
};

// Every cell a user can type into, in the order the bytes fill them.
inline std::vector<CellAt> editableCells()
{
    std::vector<CellAt> cells;
    for (int row = 0; row < 6; ++row) {
        cells.push_back({SheetGrid::Details, 1, row});
        for (int col = 1; col < 4; ++col)
            cells.push_back({SheetGrid::Extras, col, row});
    }
    for (int row = 1; row < MatchRows; ++row) {
        for (int col = 0; col < 8; ++col)
            cells.push_back({SheetGrid::Matches, col, row});
    }
    for (int slot = 1; slot <= 16; ++slot) {
        for (int col = 1; col < 16; ++col)
            cells.push_back({SheetGrid::Players, col, slot});
    }
    return cells;
}

// A new team's sheet whose cells take the texts between the NUL bytes, in turn.
inline RosterSheet sheetFromBytes(std::string_view bytes)
{
    RosterSheet sheet = buildNewTeamSheet();
    sheet.setShape(SheetGrid::Matches, {8, MatchRows, 1, 0});
    for (const CellAt& cell : editableCells()) {
        if (bytes.empty())
            break;
        const std::size_t end = std::min(bytes.find('\0'), bytes.size());
        sheet.setCell(cell.grid, cell.col, cell.row,
                      QString::fromUtf8(bytes.data(), static_cast<qsizetype>(end)));
        bytes.remove_prefix(std::min(end + 1, bytes.size()));
    }
    return sheet;
}

inline bool isFillIn(const QString& text)
{
    static const QStringList fillIns = {"0", "-1", "20k", "50k", "150k"};
    if (fillIns.contains(text))
        return true;
    // A count's cost: ten thousand a head.
    bool number = false;
    text.chopped(1).toLongLong(&number);
    return number && text.endsWith(QLatin1Char('k')) && !text.startsWith(QLatin1Char('-')) &&
           !text.startsWith(QLatin1Char('+')) && !text.contains(QLatin1Char(' '));
}

// The plain comparison: every editable cell comes back in its place, the match
// rows with no text closing up; a cell left empty may come back as a fill-in.
inline bool cellsDiffer(const RosterSheet& shown, const RosterSheet& read)
{
    std::vector<int> matchRows;
    for (int row = 1; row < MatchRows; ++row) {
        for (int col = 0; col < 8; ++col) {
            if (!shown.cell(SheetGrid::Matches, col, row).isEmpty()) {
                matchRows.push_back(row);
                break;
            }
        }
    }
    for (int col = 0; col < 8; ++col) {
        if (shown.cell(SheetGrid::Matches, col, 0) != read.cell(SheetGrid::Matches, col, 0))
            return true;
    }
    for (const CellAt& cell : editableCells()) {
        int readRow = cell.row;
        if (cell.grid == SheetGrid::Matches) {
            const auto at = std::find(matchRows.begin(), matchRows.end(), cell.row);
            if (at == matchRows.end())
                continue;
            readRow = 1 + int(at - matchRows.begin());
        }
        const QString& before = shown.cell(cell.grid, cell.col, cell.row);
        const QString& after = read.cell(cell.grid, cell.col, readRow);
        if (before != after && !(before.isEmpty() && cell.grid != SheetGrid::Matches && isFillIn(after)))
            return true;
    }
    // Nothing may come back beyond the rows and columns written.
    const SheetTable& readMatches = read.table(SheetGrid::Matches);
    for (int row = 1 + int(matchRows.size()); row < readMatches.rowCount(); ++row) {
        for (int col = 0; col < readMatches.colCount(); ++col) {
            if (!readMatches.cell(col, row).isEmpty())
                return true;
        }
    }
    for (int row = 0; row < readMatches.rowCount(); ++row) {
        for (int col = 8; col < readMatches.colCount(); ++col) {
            if (!readMatches.cell(col, row).isEmpty())
                return true;
        }
    }
    return false;
}

// True when the check and the plain comparison agree for the sheet the bytes make.
inline bool checkAgrees(std::string_view bytes)
{
    const RosterSheet sheet = sheetFromBytes(bytes);
    const std::vector<std::string> page = buildRosterPage(sheet);
    const bool flagged = readBackDifference(sheet, page).has_value();

    const PageLines lines = splitPageBytes(pageBytes(page));
    TTeam team;
    MatchRecord record;
    try {
        readRosterPage(lines, team, record);
    } catch (const TeamEditorError&) {
        return flagged;
    }
    return flagged == cellsDiffer(sheet, buildSheet(team, record, lines.encoding));
}

} // namespace saveroundtrip
