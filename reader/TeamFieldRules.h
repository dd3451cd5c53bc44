#pragma once

#include "PageLine.h"
#include "TTeam.h"

// The label rules whose every matching line overwrites its fields: team name,
// coach and race, then treasury, staff, apothecary, wizard and cost of team.
void readTeamName(const PageLine& line, TTeam& team);
void readCoachAndRace(const PageLine& line, TTeam& team);
void readStaffAndMoney(const PageLine& line, TTeam& team);
