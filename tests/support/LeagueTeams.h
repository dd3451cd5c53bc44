#pragma once

#include "LeagueRules.h"
#include "RosterSheet.h"

#include <cstdint>
#include <random>

// A random league and rosters that keep its rules, all drawn from one seeded
// engine so that a failing seed can be replayed. The rosters carry what a
// learned rules file can know: positions within their limits, profiles with
// "+1 ST" advances and "-1 AV" injuries that explain every difference,
// starting skills plus other skills of the league, the position's cost, the
// league's prices.
class LeagueTeams
{
public:
    explicit LeagueTeams(std::uint32_t seed);

    // Two to four races of two to five positions; one position of each race
    // may fill a whole roster. Skills are of category "unknown", and no
    // advancement or team rating is given.
    const LeagueRules& rules() const { return m_rules; }

    // A roster of 11 to 16 players of one race, its Cost of Team the sum of its costs.
    RosterSheet roster();

private:
    int between(int low, int high);
    void addPlayer(RosterSheet& sheet, int slot, const PositionRules& position);

    std::mt19937 m_engine;
    LeagueRules m_rules;
};
