#pragma once

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <limits>
#include <optional>
#include <string>
#include <vector>

// The match grid's height for its row count: 21 pixels a row (20 of row and
// 1 of grid line) and 16 of room for a horizontal scroll bar. Worked out in 64
// bits and held to the int range, so that no row count makes it wrap negative.
constexpr int matchGridHeight(std::int64_t rowCount)
{
    const std::int64_t height = 21 * std::max<std::int64_t>(rowCount, 0) + 16;
    return static_cast<int>(std::min<std::int64_t>(height, std::numeric_limits<int>::max()));
}

// A match record may have at most this many rows (its heading row and the
// empty row at its foot included) and columns: a page of a few kilobytes can
// otherwise ask for a grid of millions of cells.
constexpr int MaxMatchRecordRows = 10000;
constexpr int MaxMatchRecordColumns = 256;

// The match record a read builds for the match-record grid. It is applied to
// the grid only when the whole read succeeds.
struct MatchRecord
{
    int ColCount = 0;
    int RowCount = 0;
    int FixedRows = 0;
    // Set when a rule gave the grid a height; the reset leaves it unset.
    std::optional<int> Height;
    // Cells[row][col]: always RowCount rows, but each row holds its cells only
    // up to the last one that was ever set, and never more than ColCount.
    // Cells past a row's end are empty. A page can ask for thousands of
    // columns and many more rows that set nothing, so storing every cell would
    // make the record's memory grow with rows times columns instead of with
    // the page. Read cells through cell().
    std::vector<std::vector<std::string>> Cells;

    // The cell's bytes; empty for a cell its row does not hold or one outside
    // the record.
    const std::string& cell(int col, int row) const
    {
        static const std::string empty;
        if (row < 0 || col < 0 || static_cast<std::size_t>(row) >= Cells.size())
            return empty;
        const std::vector<std::string>& cells = Cells[static_cast<std::size_t>(row)];
        return static_cast<std::size_t>(col) < cells.size() ? cells[static_cast<std::size_t>(col)] : empty;
    }

    // Records are equal when they show the same grid, however many of the
    // empty cells each one stores.
    friend bool operator==(const MatchRecord& a, const MatchRecord& b)
    {
        if (a.ColCount != b.ColCount || a.RowCount != b.RowCount || a.FixedRows != b.FixedRows ||
            a.Height != b.Height || a.Cells.size() != b.Cells.size())
            return false;
        const auto isEmpty = [](const std::string& cell) { return cell.empty(); };
        for (std::size_t row = 0; row < a.Cells.size(); ++row) {
            const std::vector<std::string>& shorter =
                a.Cells[row].size() <= b.Cells[row].size() ? a.Cells[row] : b.Cells[row];
            const std::vector<std::string>& longer = &shorter == &a.Cells[row] ? b.Cells[row] : a.Cells[row];
            const auto common = static_cast<std::ptrdiff_t>(shorter.size());
            if (!std::equal(shorter.begin(), shorter.end(), longer.begin()) ||
                !std::all_of(longer.begin() + common, longer.end(), isEmpty))
                return false;
        }
        return true;
    }
};
