#include "ScanState.h"

TTeam readerStartTeam()
{
    TTeam team = newTeam();
    team.FanFactor = -1;
    team.ReRolls = -1;
    team.TeamRating = -1;
    return team;
}
