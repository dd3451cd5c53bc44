#pragma once

#include "MatchRecord.h"
#include "RosterPage.h"
#include "TTeam.h"

// What the main window shows after a team and its match record were read:
// the cells, colours and faces the team display puts on screen.
PageSnapshot displayTeam(const TTeam& team, const MatchRecord& record, TextEncoding encoding);
