#pragma once

#include <array>

class QLabel;
class QWidget;
class StringGrid;

// The controls of the main window that its command groups work on: the
// client area, the team-name heading, the label under the grids and the four
// grids, in the sheet's order.
struct WindowGrids
{
    QWidget* canvas = nullptr;
    QLabel* LbTName = nullptr;
    QLabel* Label1 = nullptr;
    StringGrid* TeamGrid = nullptr;
    StringGrid* TeamGrid2 = nullptr;
    StringGrid* TeamGrid3 = nullptr;
    StringGrid* GameGrid = nullptr;

    std::array<StringGrid*, 4> all() const { return {TeamGrid, TeamGrid2, TeamGrid3, GameGrid}; }
};
