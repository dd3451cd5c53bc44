#pragma once

#include <optional>
#include <string>
#include <vector>

// The match record a read builds for the match-record grid. It is applied to
// the grid only when the whole read succeeds.
struct MatchRecord
{
    int ColCount = 0;
    int RowCount = 0;
    int FixedRows = 0;
    // Set when a rule gave the grid a height; the reset leaves it unset.
    std::optional<int> Height;
    // Cells[row][col], always RowCount rows of ColCount byte strings.
    std::vector<std::vector<std::string>> Cells;

    bool operator==(const MatchRecord&) const = default;
};
