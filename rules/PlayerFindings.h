#pragma once

#include "PlayerTexts.h"
#include "RosterFindings.h"
#include "RosterRows.h"

// The advances a player's Skills cell lists beyond his position's starting
// skills, and what they add to his value where the rules price advances. A
// skill the league has not placed (or does not know) counts as a normal one.
struct AdvancesTaken
{
    int count = 0;
    GoldPieces value = 0;
};
AdvancesTaken advancesTaken(const LeagueRules& rules, const PositionRules& position,
                            const SkillsText& skills);

// Whether the position takes the skill, and as which kind of advance: a
// skill of a double category is a double skill.
std::optional<AdvanceKind> skillAdvanceKind(const PositionRules& position, const SkillRules& skill);

// The findings of one player; race is null when the rules do not know the team's race.
void addPlayerFindings(const PlayerRow& row, const RaceRules* race, const LeagueRules& rules,
                       std::vector<RulesFinding>& findings);
