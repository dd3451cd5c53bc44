#pragma once

#include "LeagueRules.h"
#include "RosterRows.h"
#include "RosterSheet.h"

#include <QString>

#include <array>
#include <optional>
#include <vector>

// What a roster may still take under a league's rules, and the cell texts a
// choice writes: the positions a team may hire, a new player's profile, a
// skill added to a Skills text.

// A position of the team's race and how many of it the roster fields.
struct PositionOffer
{
    const PositionRules* position = nullptr;
    int fielded = 0;

    int left() const { return std::max(0, position->most - fielded); }
};

// The race's positions in the rules' order, counting the players of every
// slot but exceptSlot (0 counts them all).
std::vector<PositionOffer> positionOffers(const RaceRules& race, const RosterSheet& sheet,
                                          int exceptSlot = 0);

// "Runner, 80k, 1 of 2 left".
QString positionOfferText(const PositionOffer& offer);

// Whether every cell of the slot but its number is blank.
bool isEmptySlot(const RosterSheet& sheet, int slot);
// The first slot (1 to 16) that is empty.
std::optional<int> firstEmptySlot(const RosterSheet& sheet);

// Whether a slot holds no profile, skills or cost yet, so that choosing a
// position may fill them in; its name may be typed already.
bool hasNoProfile(const RosterSheet& sheet, int slot);

// A new player's cells from the Position column to Cost, blank where the
// position gives nothing (the statistics); the cost in the look of moneyLook.
using PlayerCells = std::array<QString, 14>;
PlayerCells newPlayerCells(const PositionRules& position, const QString& moneyLook);

// A money text of the roster to write new amounts like: the first readable
// player cost, else Cost of Team, else the treasury; empty when none reads.
QString moneyLookOf(const RosterSheet& sheet);

// "Block" and "Dodge" give "Block, Dodge"; a blank text gives "Dodge".
QString withSkillAdded(const QString& skills, const QString& skill);

// An amount in the look of the money text look; "80k" for an empty look.
QString moneyTextLike(GoldPieces amount, const QString& look = {});

// What a text in the money look costs plus added, in the same look; nothing
// when the text is not a readable amount.
std::optional<QString> moneyPlus(const QString& text, GoldPieces added);
