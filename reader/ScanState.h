#pragma once

#include "MatchRecord.h"
#include "TTeam.h"

// Everything one read builds and carries from line to line. It is handed to the
// caller only when the whole page has been read.
struct ScanState
{
    TTeam team;
    MatchRecord matchRecord;
    bool playerTableOpen = false;
    bool matchRecordOpen = false;
    // Which FONT tag is read next; the match record rules count columns in it.
    int fontStage = 0;
};

// The working record before the first line: the new-team values, with re-rolls,
// fan factor and team rating at -1 for "not given by the page".
TTeam readerStartTeam();
