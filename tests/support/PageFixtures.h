#pragma once

#include "RosterSheet.h"

#include <QStringList>

#include <ostream>

// Empties the grid and gives it cols x rows cells, its heading rows and columns
// staying as they are.
void emptyGrid(RosterSheet& sheet, SheetGrid grid, int cols, int rows);

// Sets the row's first cells to the texts.
void setRow(RosterSheet& sheet, SheetGrid grid, int row, const QStringList& texts);

// The window right after start-up, written out cell by cell: every cell
// empty, the system text colour, the layout's colours and faces.
RosterSheet startUpSheet();

// The window after File, New, written out cell by cell as the team display
// fills it.
RosterSheet newTeamSheet();

// The sheet the window shows after the page at path was read.
RosterSheet sheetOfPage(const QString& path);
// examples/sample-roster.htm, and the sheet it reads into.
QString samplePagePath();
RosterSheet samplePageSheet();

// Expects the same counts and the same text in every cell; name tells the
// grid in a failure.
void expectSameGrid(const SheetTable& actual, const SheetTable& expected, const char* name);

// Expects the same cells in all four grids, the same colours and the same faces.
void expectSameSheet(const RosterSheet& actual, const RosterSheet& expected);

// Lets test failures show cell texts as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
