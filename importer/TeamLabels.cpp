#include "TeamLabels.h"

#include "ColumnHeadings.h"
#include "LineCleanup.h"

#include <cctype>
#include <limits>

namespace {

// A label is a few words; a longer text is a sentence that happens to hold one.
constexpr std::size_t LongestLabel = 40;

// The words of the labels that name team fields, as normalisedWord gives them.
using enum TeamLabel;
constexpr std::pair<std::string_view, TeamLabel> labelWords[] = {
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
    // Only a rating is a rating; a team's value is its cost.
    {"teamrating", TeamRating},
    {"rating", TeamRating},
    {"tr", TeamRating},
    {"teamvalue", TeamCost},
    {"tv", TeamCost},
    {"totalteamvalue", TeamCost},
    {"currentteamvalue", TeamCost},
    {"currentvalue", TeamCost},
    {"treasury", Treasury},
    {"gold", Treasury},
    {"teamgold", Treasury},
    {"bank", Treasury},
    {"teamcost", TeamCost},
    {"costofteam", TeamCost},
    {"totalcostofteam", TeamCost},
    {"assistantcoaches", AssistantCoaches},
    {"assistantcoach", AssistantCoaches},
    {"asscoaches", AssistantCoaches},
    {"cheerleaders", Cheerleaders},
    {"cheerleader", Cheerleaders},
    {"apothecary", Apothecary},
    {"apothecaries", Apothecary},
    {"teamapothecary", Apothecary},
    {"wizard", Wizard},
    {"wizards", Wizard},
    {"teamwizard", Wizard},
    {"necromancer", Wizard},
    {"alchemist", Wizard},
    {"masterchef", Wizard},
};

constexpr WordTable labelTable(labelWords);

bool isYes(std::string_view text)
{
    const std::string word = normalisedWord(text);
    if (word == "yes" || word == "y" || word == "true")
        return true;
    const std::optional<std::int32_t> count = leadingNumber(text);
    return count && *count > 0;
}

// A staff row's unit price comes with its cost; a cost alone (a staff line
// of the players' table) keeps the price the team has.
void setPriceAndCost(const LabelValue& value, std::string& price, std::string& cost)
{
    if (!value.priceText.empty()) {
        price = value.priceText;
        cost = value.costText;
    } else if (!value.costText.empty()) {
        cost = value.costText;
    }
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
    const std::optional<TeamLabel> found =
        labelTable.meaningOf(ShortWord(label, ShortWord::Brackets::Dropped).view());
    if (!found)
        return std::nullopt;
    return LabelledText{*found, std::string(trimmed(value))};
}

bool isPageMoney(std::string_view text)
{
    return pageMoney(text).isKnown();
}

Money pageMoney(std::string_view text)
{
    text = trimmed(text);
    const MoneyReading reading{true, 1};
    const Money money = parseMoney(text, reading);
    if (!money.isUnknown())
        return money;
    // A thousands unit misspelt after a plain amount ("100 kpg") still gives it.
    std::size_t end = text.size();
    while (end > 0 && std::isalpha(static_cast<unsigned char>(text[end - 1])))
        --end;
    const std::string_view amount = trimmed(text.substr(0, end));
    if (end == text.size() || amount.empty() || asciiLower(text[end]) != 'k' ||
        moneyStyleOf(amount, reading).unit != 0)
        return money;
    return parseMoney(std::string(amount) + "k", reading);
}

CountText countOfText(std::string_view text)
{
    CountText count;
    text = trimmed(text);
    count.count = leadingNumber(text);
    if (!count.count)
        return count;
    // "3 x 50k = 150k": the count, its unit price and the cost.
    std::size_t digits = 0;
    while (digits < text.size() && (std::isdigit(static_cast<unsigned char>(text[digits])) ||
                                    text[digits] == '-' || text[digits] == '+'))
        ++digits;
    const std::string_view rest = trimmed(text.substr(digits));
    const std::size_t equals = rest.find('=');
    if (!rest.empty() && (rest.front() == 'x' || rest.front() == 'X') && equals != std::string_view::npos &&
        isPageMoney(rest.substr(1, equals - 1))) {
        count.priceText = std::string(rest.substr(0, equals + 1));
        const std::string_view cost = trimmed(rest.substr(equals + 1));
        if (isPageMoney(cost))
            count.costText = std::string(cost);
    }
    return count;
}

bool setTeamField(TeamLabel label, const LabelValue& value, TTeam& team)
{
    const std::string text(trimmed(value.value));
    const auto setCount = [&](std::int32_t& count, std::string& price, std::string& cost) {
        // A negative count ("-1", a value some tools write for "not given") is none.
        const CountText given = countOfText(text);
        if (!given.count || *given.count < 0)
            return false;
        count = *given.count;
        if (!value.priceText.empty() || !value.costText.empty())
            setPriceAndCost(value, price, cost);
        else if (!given.priceText.empty())
            setPriceAndCost({{}, given.priceText, given.costText}, price, cost);
        return true;
    };
    // Nothing but money is taken as money: "pts" is no treasury.
    const auto setMoney = [&](std::string& field) {
        if (!isPageMoney(text))
            return false;
        field = text;
        return true;
    };
    const auto setFlag = [&](bool& flag, std::string& price, std::string& cost) {
        if (text.empty())
            return false;
        flag = isYes(text);
        setPriceAndCost(value, price, cost);
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
        return setMoney(team.Treasury);
    case TeamLabel::TeamCost:
        return setMoney(team.TeamCost);
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
