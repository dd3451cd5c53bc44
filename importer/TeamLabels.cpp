#include "TeamLabels.h"

#include "ColumnHeadings.h"
#include "LineCleanup.h"

#include <limits>

namespace {

// A label is a few words; a longer text is a sentence that happens to hold one.
constexpr std::size_t LongestLabel = 40;

std::string withoutBrackets(std::string_view text)
{
    std::string out;
    int depth = 0;
    for (const char c : text) {
        if (c == '(')
            ++depth;
        else if (c == ')' && depth > 0)
            --depth;
        else if (depth == 0)
            out.push_back(c);
    }
    return out;
}

std::optional<TeamLabel> labelOfWord(std::string_view word)
{
    using enum TeamLabel;
    static constexpr std::pair<std::string_view, TeamLabel> names[] = {
        {"team", TeamName},
        {"teamname", TeamName},
        {"race", Race},
        {"teamrace", Race},
        {"coach", Coach},
        {"coachedby", Coach},
        {"headcoach", Coach},
        {"rerolls", ReRolls},
        {"reroll", ReRolls},
        {"teamrerolls", ReRolls},
        {"fanfactor", FanFactor},
        {"dedicatedfans", FanFactor},
        {"teamrating", TeamRating},
        {"rating", TeamRating},
        {"teamvalue", TeamRating},
        {"currentteamvalue", TeamRating},
        {"treasury", Treasury},
        {"gold", Treasury},
        {"teamgold", Treasury},
        {"bank", Treasury},
        {"teamcost", TeamCost},
        {"costofteam", TeamCost},
        {"totalcostofteam", TeamCost},
        {"assistantcoaches", AssistantCoaches},
        {"assistantcoach", AssistantCoaches},
        {"cheerleaders", Cheerleaders},
        {"cheerleader", Cheerleaders},
        {"apothecary", Apothecary},
        {"teamapothecary", Apothecary},
        {"wizard", Wizard},
        {"teamwizard", Wizard},
        {"necromancer", Wizard},
        {"alchemist", Wizard},
        {"masterchef", Wizard},
    };
    return meaningOf(names, word);
}

bool isYes(std::string_view text)
{
    const std::string word = normalisedWord(text);
    if (word == "yes" || word == "y" || word == "true")
        return true;
    const std::optional<std::int32_t> count = leadingNumber(text);
    return count && *count > 0;
}

} // namespace

std::optional<std::int32_t> leadingNumber(std::string_view text)
{
    text = trimmed(text);
    bool negative = false;
    if (!text.empty() && (text.front() == '-' || text.front() == '+')) {
        negative = text.front() == '-';
        text.remove_prefix(1);
    }
    const auto isDigit = [&](std::size_t at) {
        return at < text.size() && text[at] >= '0' && text[at] <= '9';
    };
    std::int64_t value = 0;
    std::size_t at = 0;
    while (isDigit(at)) {
        value = value * 10 + (text[at] - '0');
        if (value > std::numeric_limits<std::int32_t>::max())
            return std::nullopt;
        ++at;
        // A thousands separator between groups of three digits: "1,150k".
        if (at < text.size() && text[at] == ',' && isDigit(at + 1) && isDigit(at + 2) && isDigit(at + 3) &&
            !isDigit(at + 4))
            ++at;
    }
    if (at == 0)
        return std::nullopt;
    return static_cast<std::int32_t>(negative ? -value : value);
}

std::optional<LabelledText> labelledText(std::string_view text)
{
    text = trimmed(text);
    if (text.size() > LongestLabel || text.empty())
        return std::nullopt;
    const std::size_t colon = text.find(':');
    const std::string_view label = text.substr(0, colon);
    const std::string_view value =
        colon == std::string_view::npos ? std::string_view{} : text.substr(colon + 1);
    const std::optional<TeamLabel> found = labelOfWord(normalisedWord(withoutBrackets(label)));
    if (!found)
        return std::nullopt;
    return LabelledText{*found, std::string(trimmed(value))};
}

bool setTeamField(TeamLabel label, const LabelValue& value, TTeam& team)
{
    const std::string text(trimmed(value.value));
    const auto setCount = [&](std::int32_t& count, std::string& price, std::string& cost) {
        const std::optional<std::int32_t> number = leadingNumber(text);
        if (!number)
            return false;
        count = *number;
        if (!value.priceText.empty()) {
            price = value.priceText;
            cost = value.costText;
        }
        return true;
    };
    const auto setFlag = [&](bool& flag, std::string& price, std::string& cost) {
        if (text.empty())
            return false;
        flag = isYes(text);
        if (!value.priceText.empty()) {
            price = value.priceText;
            cost = value.costText;
        }
        return true;
    };
    const auto setText = [&](std::string& field) {
        if (text.empty())
            return false;
        field = text;
        return true;
    };

    switch (label) {
    case TeamLabel::TeamName:
        return setText(team.TeamName);
    case TeamLabel::Race:
        return setText(team.Race);
    case TeamLabel::Coach:
        return setText(team.Coach);
    case TeamLabel::Treasury:
        return setText(team.Treasury);
    case TeamLabel::TeamCost:
        return setText(team.TeamCost);
    case TeamLabel::ReRolls:
        return setCount(team.ReRolls, team.ReRollPriceText, team.ReRollCostText);
    case TeamLabel::FanFactor:
        return setCount(team.FanFactor, team.FanFactorPriceText, team.FanFactorCostText);
    case TeamLabel::AssistantCoaches:
        return setCount(team.AssistantCoaches, team.AssistantCoachPriceText, team.AssistantCoachCostText);
    case TeamLabel::Cheerleaders:
        return setCount(team.Cheerleaders, team.CheerleaderPriceText, team.CheerleaderCostText);
    case TeamLabel::TeamRating: {
        std::string unused;
        return setCount(team.TeamRating, unused, unused);
    }
    case TeamLabel::Apothecary:
        return setFlag(team.HasApothecary, team.ApothecaryPriceText, team.ApothecaryCostText);
    case TeamLabel::Wizard:
        return setFlag(team.HasWizard, team.WizardPriceText, team.WizardCostText);
    }
    return false;
}
