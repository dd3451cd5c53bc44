#pragma once

#include "RosterSheet.h"

#include <QString>

// What a screen reader says for a cell: where it stands and what it holds,
// "Player 3, Skills: Block, Dodge", "Match 2, Opponent: Orcs", "Team Name:
// Grinders", "Re-Rolls cost: 150k". A heading cell is named by its text.
QString accessibleCellName(const SheetTable& table, SheetGrid grid, int col, int row);
