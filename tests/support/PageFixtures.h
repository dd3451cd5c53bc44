#pragma once

#include "RosterPage.h"

#include <ostream>

// A grid of cols x rows empty cells.
GridSnapshot emptyGrid(int cols, int rows);

// The window right after start-up: every cell empty, the system text colour,
// the layout's colours and faces.
PageSnapshot startUpSnapshot();

// The window after File, New, filled the way the team display fills it.
PageSnapshot newTeamSnapshot();

// Expects the same counts and the same text in every cell; name tells the
// grid in a failure.
void expectSameGrid(const GridSnapshot& actual, const GridSnapshot& expected, const char* name);

// Lets test failures show cell texts as text.
inline void PrintTo(const QString& text, std::ostream* out)
{
    *out << '"' << text.toStdString() << '"';
}
