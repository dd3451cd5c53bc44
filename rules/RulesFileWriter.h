#pragma once

#include "LeagueRules.h"

#include <QByteArray>

// The text of a rules file that holds the rules, in the order and layout
// docs/league-rules.md shows, amounts as money texts ("70k"); it reads back
// as the same rules.
QByteArray rulesFileText(const LeagueRules& rules);
