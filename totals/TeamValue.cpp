#include "TeamValue.h"

namespace {

bool allDigits(std::string_view text)
{
    if (text.empty())
        return false;
    for (const char c : text) {
        if (c < '0' || c > '9')
            return false;
    }
    return true;
}

// Counts beyond this cannot give an exact cost at any price; they are read as
// numbers all the same, and the product then turns out unknown.
constexpr std::size_t MaxCountDigits = 16;

const char* lineCostName(StaffLine which)
{
    switch (which) {
    case StaffLine::ReRolls:
        return "re-roll";
    case StaffLine::FanFactor:
        return "fan factor";
    case StaffLine::AssistantCoaches:
        return "assistant coach";
    case StaffLine::Cheerleaders:
        return "cheerleader";
    case StaffLine::Apothecary:
        return "apothecary";
    case StaffLine::Wizard:
        return "wizard";
    }
    return "";
}

std::string quoted(std::string_view text)
{
    return "\"" + std::string(text) + "\"";
}

// An amount written like the text it is compared with, so that "1,240k"
// stands beside "1,170k".
std::string amountLike(GoldPieces amount, std::string_view sample)
{
    return formatMoneyLike(amount, sample);
}

} // namespace

std::string& textOf(MoneyTexts& texts, MoneyCell cell)
{
    return const_cast<std::string&>(textOf(static_cast<const MoneyTexts&>(texts), cell));
}

const std::string& textOf(const MoneyTexts& texts, MoneyCell cell)
{
    const auto index = static_cast<std::size_t>(cell.index);
    switch (cell.kind) {
    case MoneyCell::Kind::PlayerCost:
        return texts.playerCosts.at(index);
    case MoneyCell::Kind::LineCount:
        return texts.lines.at(index).count;
    case MoneyCell::Kind::LinePrice:
        return texts.lines.at(index).price;
    case MoneyCell::Kind::LineCost:
        return texts.lines.at(index).cost;
    case MoneyCell::Kind::TeamCost:
        return texts.teamCost;
    case MoneyCell::Kind::Treasury:
        break;
    }
    return texts.treasury;
}

std::string cellName(MoneyCell cell)
{
    const auto line = static_cast<StaffLine>(cell.index);
    switch (cell.kind) {
    case MoneyCell::Kind::PlayerCost:
        return "the cost of player " + std::to_string(cell.index + 1);
    case MoneyCell::Kind::LineCount:
        return std::string("the ") + lineCostName(line) + " count";
    case MoneyCell::Kind::LinePrice:
        return std::string("the ") + lineCostName(line) + " price";
    case MoneyCell::Kind::LineCost:
        return std::string("the ") + lineCostName(line) + " cost";
    case MoneyCell::Kind::TeamCost:
        return "Cost of Team";
    case MoneyCell::Kind::Treasury:
        return "the treasury";
    }
    return {};
}

Count parseCount(std::string_view text)
{
    text = withoutBlanksAround(text);
    if (text.empty())
        return {Count::Kind::NotGiven, 0};
    if (text.front() == '-' && allDigits(text.substr(1)))
        return {Count::Kind::NotGiven, 0};
    if (!allDigits(text))
        return {Count::Kind::NotACount, 0};
    while (text.size() > 1 && text.front() == '0')
        text.remove_prefix(1);
    if (text.size() > MaxCountDigits)
        return {Count::Kind::NotACount, 0};
    std::int64_t value = 0;
    for (const char c : text)
        value = value * 10 + (c - '0');
    return {Count::Kind::Known, value};
}

Money parsePrice(std::string_view text)
{
    text = withoutBlanksAround(text);
    if (!text.empty() && (text.front() == 'x' || text.front() == 'X' || text.front() == '*'))
        text.remove_prefix(1);
    else if (text.starts_with("\xC3\x97")) // the multiplication sign in UTF-8
        text.remove_prefix(2);
    text = withoutBlanksAround(text);
    if (!text.empty() && text.back() == '=')
        text.remove_suffix(1);
    const Money price = parseMoney(text);
    return price.isBlank() ? Money::unknown() : price;
}

Money lineExpectedCost(const StaffLineTexts& line)
{
    const Count count = parseCount(line.count);
    const Money price = parsePrice(line.price);
    if (count.kind != Count::Kind::Known || !price.isKnown())
        return Money::unknown();
    if (count.value != 0 && price.amount > MaxExactGoldPieces / count.value)
        return Money::unknown();
    return Money::known(count.value * price.amount);
}

std::string derivedCostText(StaffLine which, std::string_view countText)
{
    const Count count = parseCount(countText);
    if (count.kind != Count::Kind::Known || count.value == 0)
        return {};
    switch (which) {
    case StaffLine::ReRolls:
        return {};
    case StaffLine::Apothecary:
        return "50k";
    case StaffLine::Wizard:
        return "150k";
    case StaffLine::FanFactor:
    case StaffLine::AssistantCoaches:
    case StaffLine::Cheerleaders:
        break;
    }
    // A count this large has no derived text a page could hold exactly.
    if (count.value > MaxExactGoldPieces / 10'000)
        return {};
    return std::to_string(count.value * 10) + "k";
}

Agreement lineAgreement(const StaffLineTexts& line)
{
    const Money expected = lineExpectedCost(line);
    const Money stated = parseMoney(line.cost);
    if (!expected.isKnown() || stated.isUnknown())
        return Agreement::Unverifiable;
    const GoldPieces statedAmount = stated.isKnown() ? stated.amount : 0;
    return statedAmount == expected.amount ? Agreement::Agrees : Agreement::Disagrees;
}

bool lineCostIsWorkedOut(StaffLine which, const StaffLineTexts& line)
{
    if (withoutBlanksAround(line.cost).empty())
        return true;
    if (line.cost == derivedCostText(which, line.count))
        return true;
    return lineAgreement(line) == Agreement::Agrees;
}

TeamSum teamSum(const MoneyTexts& texts)
{
    GoldPieces total = 0;
    bool tooLarge = false;
    const auto add = [&total, &tooLarge](const std::string& text) {
        const Money money = parseMoney(text);
        if (money.isUnknown())
            return false;
        if (money.isKnown()) {
            tooLarge = money.amount > MaxExactGoldPieces - total;
            if (tooLarge)
                return false;
            total += money.amount;
        }
        return true;
    };
    for (int player = 0; player < RosterPlayerCount; ++player) {
        if (!add(texts.playerCosts[static_cast<std::size_t>(player)]))
            return {Money::unknown(), MoneyCell{MoneyCell::Kind::PlayerCost, player}, tooLarge};
    }
    for (int line = 0; line < StaffLineCount; ++line) {
        if (!add(texts.lines[static_cast<std::size_t>(line)].cost))
            return {Money::unknown(), MoneyCell{MoneyCell::Kind::LineCost, line}, tooLarge};
    }
    return {Money::known(total), std::nullopt};
}

std::string unknownReason(const TeamSum& sum)
{
    if (!sum.unknownCell)
        return {};
    return (sum.tooLarge ? "the sum is too large at " : "") + cellName(*sum.unknownCell);
}

Agreement totalAgreement(const MoneyTexts& texts, const TeamSum& sum)
{
    const Money stated = parseMoney(texts.teamCost);
    if (!sum.value.isKnown() || stated.isUnknown())
        return Agreement::Unverifiable;
    const GoldPieces statedAmount = stated.isKnown() ? stated.amount : 0;
    return statedAmount == sum.value.amount ? Agreement::Agrees : Agreement::Disagrees;
}

std::string teamValueStatus(const MoneyTexts& texts)
{
    const TeamSum sum = teamSum(texts);
    if (!sum.value.isKnown())
        return "Team value unknown: " + unknownReason(sum);
    std::string status = "Team value " + amountLike(sum.value.amount, texts.teamCost);
    const Money stated = parseMoney(texts.teamCost);
    if (stated.isUnknown() || (stated.isKnown() && stated.amount != sum.value.amount))
        status += " - the page says " + std::string(withoutBlanksAround(texts.teamCost));
    return status;
}

std::vector<MoneyMark> moneyMarks(const MoneyTexts& texts)
{
    std::vector<MoneyMark> marks;
    const auto markUnknownAmount = [&marks](MoneyCell cell, const std::string& text) {
        if (parseMoney(text).isUnknown())
            marks.push_back({cell, "Cannot tell what amount " + quoted(withoutBlanksAround(text)) + " is"});
    };

    for (int player = 0; player < RosterPlayerCount; ++player)
        markUnknownAmount({MoneyCell::Kind::PlayerCost, player},
                          texts.playerCosts[static_cast<std::size_t>(player)]);

    for (int index = 0; index < StaffLineCount; ++index) {
        const StaffLineTexts& line = texts.lines[static_cast<std::size_t>(index)];
        if (parseCount(line.count).kind == Count::Kind::NotACount)
            marks.push_back({{MoneyCell::Kind::LineCount, index},
                             "Not a count: " + quoted(withoutBlanksAround(line.count)) + " gives no cost"});
        if (parsePrice(line.price).isUnknown())
            marks.push_back({{MoneyCell::Kind::LinePrice, index},
                             "No price can be read in " + quoted(withoutBlanksAround(line.price))});
        const MoneyCell cost{MoneyCell::Kind::LineCost, index};
        markUnknownAmount(cost, line.cost);
        if (lineAgreement(line) == Agreement::Disagrees) {
            const GoldPieces expected = lineExpectedCost(line).amount;
            const std::string parts = std::string(withoutBlanksAround(line.count)) + " x " +
                                      formatMoneyLike(parsePrice(line.price).amount, "50k") + " = " +
                                      amountLike(expected, line.cost);
            marks.push_back({cost, withoutBlanksAround(line.cost).empty() ? "Empty, but " + parts
                                                                          : "Disagrees with " + parts});
        }
    }

    const MoneyCell total{MoneyCell::Kind::TeamCost, 0};
    markUnknownAmount(total, texts.teamCost);
    const TeamSum sum = teamSum(texts);
    if (totalAgreement(texts, sum) == Agreement::Disagrees) {
        const std::string value = amountLike(sum.value.amount, texts.teamCost);
        marks.push_back({total, withoutBlanksAround(texts.teamCost).empty()
                                    ? "Empty, but the players and staff add up to " + value
                                    : "Disagrees with the players and staff, who add up to " + value});
    }
    markUnknownAmount({MoneyCell::Kind::Treasury, 0}, texts.treasury);
    return marks;
}
