#pragma once

#include "LeagueRules.h"
#include "RosterSheet.h"
#include "SheetTotals.h"

#include <QString>

#include <optional>
#include <vector>

// The cells of a roster sheet the league's rules look at.
namespace RosterCols {
constexpr int Name = 1;
constexpr int Position = 2;
constexpr int FirstCharacteristic = 3; // MA, then ST, AG and AV
constexpr int Skills = 7;
constexpr int Injuries = 8;
constexpr int Spp = 14;
constexpr int Cost = 15;
} // namespace RosterCols

namespace DetailsRows {
constexpr int Race = 1;
constexpr int TeamRating = 2;
constexpr int Treasury = 3;
constexpr int ValueCol = 1;
} // namespace DetailsRows

inline SheetCellRef playerCell(int slot, int col)
{
    return {SheetGrid::Players, col, slot};
}

// One player slot that holds a player: its MA is given and not 0, or it names a
// position (a row being filled in). Numbers that are not whole numbers are
// none.
struct PlayerRow
{
    int slot = 0; // 1 to 16
    QString position;
    std::array<std::optional<int>, CharacteristicCount> characteristics;
    QString skills;
    QString injuries;
    std::optional<int> spp; // blank counts as 0
    QString cost;
};

std::vector<PlayerRow> playerRows(const RosterSheet& sheet);

// A whole number in a cell; blank gives blankValue.
std::optional<int> cellNumber(const QString& text, std::optional<int> blankValue);

QString raceOf(const RosterSheet& sheet);
