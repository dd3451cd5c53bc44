#include "ReadBackCheck.h"

#include "Errors.h"
#include "PageStore.h"
#include "RosterReader.h"
#include "SheetBuilder.h"

#include <algorithm>

namespace {

QString gridName(SheetGrid grid)
{
    switch (grid) {
    case SheetGrid::Players:
        return QStringLiteral("Players");
    case SheetGrid::Details:
        return QStringLiteral("Team details");
    case SheetGrid::Extras:
        return QStringLiteral("Staff and extras");
    case SheetGrid::Matches:
        return QStringLiteral("Match record");
    }
    return {};
}

// What the window shows for a value the page left empty: a player's number
// ("0"), a count not given ("-1"), or the cost a count implies ("20k"). An
// empty cell that comes back as one of these has lost nothing.
bool isFillIn(const QString& text)
{
    if (text == QLatin1String("0") || text == QLatin1String("-1"))
        return true;
    if (text.size() < 2 || !text.endsWith(QLatin1Char('k')))
        return false;
    return std::all_of(text.begin(), text.end() - 1, [](QChar c) { return c >= u'0' && c <= u'9'; });
}

bool differs(const QString& shown, const QString& read)
{
    return shown != read && !(shown.isEmpty() && isFillIn(read));
}

bool rowIsEmpty(const SheetTable& table, int row)
{
    for (int col = 0; col < table.colCount(); ++col) {
        if (!table.cell(col, row).isEmpty())
            return false;
    }
    return true;
}

// The match record's rows as the page holds them: the heading row, then every
// row with some text, each by its row in the grid.
std::vector<int> writtenMatchRows(const SheetTable& table)
{
    std::vector<int> rows;
    for (int row = 0; row < table.rowCount(); ++row) {
        if (row == 0 || !rowIsEmpty(table, row))
            rows.push_back(row);
    }
    return rows;
}

std::optional<ReadBackDifference> firstDifferentCell(SheetGrid grid, const SheetTable& shown,
                                                     const SheetTable& read)
{
    const int cols = std::max(shown.colCount(), read.colCount());
    const int rows = std::max(shown.rowCount(), read.rowCount());
    for (int row = 0; row < rows; ++row) {
        for (int col = 0; col < cols; ++col) {
            if (shown.isFixed(col, row) && row < shown.rowCount() && col < shown.colCount())
                continue;
            if (differs(shown.cell(col, row), read.cell(col, row)))
                return ReadBackDifference{grid, col, row, shown.cell(col, row), read.cell(col, row), {}};
        }
    }
    return std::nullopt;
}

std::optional<ReadBackDifference> firstDifferentMatchCell(const SheetTable& shown, const SheetTable& read)
{
    const std::vector<int> shownRows = writtenMatchRows(shown);
    const std::vector<int> readRows = writtenMatchRows(read);
    const int cols = std::max(shown.colCount(), read.colCount());
    const std::size_t rows = std::max(shownRows.size(), readRows.size());
    for (std::size_t i = 0; i < rows; ++i) {
        // A row the page gives back beyond the ones shown stands below the last one.
        const int shownRow =
            i < shownRows.size() ? shownRows[i] : shown.rowCount() + int(i - shownRows.size());
        const int readRow = i < readRows.size() ? readRows[i] : -1;
        for (int col = 0; col < cols; ++col) {
            const QString& before = shown.cell(col, shownRow);
            const QString& after = read.cell(col, readRow);
            if (before != after)
                return ReadBackDifference{SheetGrid::Matches, col, shownRow, before, after, {}};
        }
    }
    return std::nullopt;
}

QString quoted(const QString& text)
{
    return QLatin1Char('"') + text + QLatin1Char('"');
}

} // namespace

QString ReadBackDifference::describe() const
{
    if (!readError.isEmpty())
        return QStringLiteral("the page does not read (%1)").arg(readError);
    return QStringLiteral("%1, row %2, column %3: %4 becomes %5")
        .arg(gridName(grid))
        .arg(row + 1)
        .arg(col + 1)
        .arg(quoted(shownText), quoted(readText));
}

std::optional<ReadBackDifference> readBackDifference(const RosterSheet& shown,
                                                     const std::vector<std::string>& pageLines)
{
    // The bytes a save stores, split as a later read splits them: a line end
    // inside a cell text, or a line longer than the reader keeps, counts.
    const PageLines page = splitPageBytes(pageBytes(pageLines));
    TTeam team;
    MatchRecord record;
    try {
        readRosterPage(page, team, record);
    } catch (const TeamEditorError& error) {
        ReadBackDifference difference;
        difference.readError = QString::fromUtf8(error.what());
        return difference;
    }
    const RosterSheet read = buildSheet(team, record, page.encoding);
    for (const SheetGrid grid : {SheetGrid::Details, SheetGrid::Extras, SheetGrid::Players}) {
        if (auto difference = firstDifferentCell(grid, shown.table(grid), read.table(grid)))
            return difference;
    }
    return firstDifferentMatchCell(shown.table(SheetGrid::Matches), read.table(SheetGrid::Matches));
}

QString readBackWarning(const ReadBackDifference& difference)
{
    return QStringLiteral("This roster will not read back the same: %1.").arg(difference.describe());
}
