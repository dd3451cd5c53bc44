#pragma once

#include "Money.h"
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

// A money text as other tools write it ("70.000", "90 000 gp", "$550,000"), a
// misspelt unit after the amount ("100 kpg") forgiven; unknown for words.
Money pageMoney(std::string_view text);
bool isPageMoney(std::string_view text);

// A count as a page gives it: "4", or "3 x 50k = 150k" with its unit price
// ("x 50k =") and cost.
struct CountText
{
    std::optional<std::int32_t> count;
    std::string priceText;
    std::string costText;
};
CountText countOfText(std::string_view text);

// The whole number a text begins with ("970k", "3+", "-1"), after blanks.
std::optional<std::int32_t> leadingNumber(std::string_view text);
