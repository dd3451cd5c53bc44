#pragma once

#include "PageFile.h"
#include "RosterReader.h"
#include "SheetBuilder.h"

// The sheet of examples/sample-roster.htm, as File, Open shows it.
inline RosterSheet samplePageSheet()
{
    const PageLines page = loadPageFile(TE_SOURCE_DIR "/examples/sample-roster.htm");
    TTeam team;
    MatchRecord record;
    readRosterPage(page, team, record);
    return buildSheet(team, record, page.encoding);
}
