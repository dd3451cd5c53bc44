#pragma once

#include "TTeam.h"

#include <optional>
#include <string>
#include <string_view>

// A team field as a page labels it.
enum class TeamLabel
{
    TeamName,
    Race,
    Coach,
    ReRolls,
    FanFactor,
    TeamRating,
    Treasury,
    TeamCost,
    AssistantCoaches,
    Cheerleaders,
    Apothecary,
    Wizard,
};

// A text split at its first ":" into the label before it and the value after
// it, both trimmed. A text without ":" is all label.
struct LabelledText
{
    TeamLabel label;
    std::string value;
};

// The field a text labels, by meaning and in any case ("Coached by:",
// "Rerolls (50k):", "Team Gold:", "Dedicated Fans"), with the value that
// follows the label in the same text. No value for any other text, and for
// long texts, which are prose rather than labels.
std::optional<LabelledText> labelledText(std::string_view text);

// Counts and flags hold their label's value with, where the page gives them,
// the unit price ("x 60 kgp =") and cost texts of the staff rows.
struct LabelValue
{
    std::string value;
    std::string priceText;
    std::string costText;
};

// Sets the field from the value; false when the value gives the field nothing
// (an empty text, a count that is no number), so that a later label may.
bool setTeamField(TeamLabel label, const LabelValue& value, TTeam& team);

// The whole number a text begins with ("970k", "3+", "-1"), after blanks.
std::optional<std::int32_t> leadingNumber(std::string_view text);
