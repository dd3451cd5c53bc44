#pragma once

#include "MatchRecord.h"
#include "PageLine.h"
#include "ScanState.h"

// The match record at the start of every read: the eight default headings and
// one empty row below them.
MatchRecord defaultMatchRecord();

// A line that mentions a game or match record starts the record anew; from then
// on every line with a row start tag adds one row of cells. Throws ELimitError
// "Match record too large" when the record outgrows MaxMatchRecordRows or
// MaxMatchRecordColumns.
void applyMatchRecordRules(const PageLine& line, ScanState& state);
