#pragma once

#include "PageLine.h"
#include "ScanState.h"

// The player table: its end ("/TABLE", case-sensitive), its rows while it is
// open, and its start (a heading row with a "#" cell and a position heading).
void applyPlayerRowRules(const PageLine& line, ScanState& state);
