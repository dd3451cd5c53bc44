#pragma once

#include "LeagueRules.h"

#include <QString>
#include <QStringList>

// What a player's free texts say under a league's rules. The Skills cell
// lists skills and characteristic advances ("Block, Tackle, +1 MA"), the
// injuries cell lists injuries, some of which lower a characteristic
// ("Niggling Injury, -1 AV"). Items are separated by commas or semicolons.

struct SkillsText
{
    QStringList skills; // the named skills, in the order given, as written
    Profile gained{};   // what the "+1 MA" items add
};

SkillsText readSkillsText(QStringView text);

// What the "-1 MA" items of an injuries text take away.
Profile injuryLosses(QStringView text);

// "+1 MA", "+MA", "+2MA" (sign +1) or "-1 AV", "-AV" (sign -1): the
// characteristic and the amount; nothing for any other item.
struct CharacteristicChange
{
    Characteristic which = Characteristic::MA;
    int amount = 0;
};
std::optional<CharacteristicChange> characteristicChange(QStringView item, QChar sign);
