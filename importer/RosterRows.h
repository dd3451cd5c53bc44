#pragma once

#include "ColumnHeadings.h"
#include "PageTables.h"
#include "TTeam.h"

#include <map>
#include <optional>
#include <string>
#include <vector>

// The columns of a roster table: which field each column fills, found in its
// heading row or in the class names of its cells.
struct ColumnMap
{
    std::map<RosterColumn, int> columnOf;
    std::map<RosterColumn, std::string> headingOf;
    std::vector<std::string> ignored;
    // Headings named in another tool's words, and the field each fills.
    std::vector<std::pair<std::string, RosterColumn>> otherToolsHeadings;
    // What each plain number of the value column stands for.
    GoldPieces valueScale = 1;

    // A roster names its players and says at least two more things of them.
    bool isRoster() const;
};

// The columns a row of headings names; a row that names no roster's columns
// comes back without the headings it ignores.
ColumnMap headingsOfRow(const TableRow& row);

// The row's cell in the column, if the table has it and the row fills it.
const TableCell* cellOfColumn(const TableRow& row, const ColumnMap& columns, RosterColumn column);

// A page without heading cells may still name its columns in the class
// names of its cells ("playerNum", "name clickable", "ma").
ColumnMap classesOfRow(const TableRow& row);

struct ImportedPlayer
{
    TPlayer player;
    std::optional<std::int32_t> number;
};

// The player a data row of the roster table holds; none for a row that spans
// columns (the team's own rows below the players), a row of headings only,
// a row with neither a name nor a movement allowance, and a row whose name is a
// team field's label ("Coach:"). Without a position
// column, a name cell of two or more lines gives the name in its first and
// the position in the rest, as league sites write them.
std::optional<ImportedPlayer> playerOfRow(const TableRow& row, const ColumnMap& columns);

// A row of the roster table with a slot number but neither a name nor a
// movement allowance: an empty slot, which gives no team field either.
bool isEmptySlot(const TableRow& row, const ColumnMap& columns);

// Players keep their own numbers as slots only when every one of them is a
// slot number and no two are the same; otherwise they fill the slots in the
// order of the page. True when numbers were given but could not be slots.
// Throws TeamEditorError("More than 16 players in the page").
bool placePlayers(const std::vector<ImportedPlayer>& players, TTeam& team);

// The name a summary gives the field ("skills", "value").
std::string_view fieldName(RosterColumn column);
