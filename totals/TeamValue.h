#pragma once

#include "Money.h"

#include <array>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

// The arithmetic of a roster's money, done on the texts the roster shows: the
// staff lines (count x price = cost), the players' values, and the team value
// that "Cost of Team" states. Texts stay the truth; these functions only read
// them, and an amount that cannot be read with certainty makes every result
// that depends on it unknown.

constexpr int RosterPlayerCount = 16;

// The staff and extras lines, in the order the roster shows them.
enum class StaffLine
{
    ReRolls,
    FanFactor,
    AssistantCoaches,
    Cheerleaders,
    Apothecary,
    Wizard,
};
constexpr int StaffLineCount = 6;

// One staff line: its count (for the apothecary and the wizard, 1 or 0), its
// price text ("x $40k =") and its cost text ("120k").
struct StaffLineTexts
{
    std::string count;
    std::string price;
    std::string cost;

    bool operator==(const StaffLineTexts&) const = default;
};

// Every text of a roster that holds money or a count of something bought.
struct MoneyTexts
{
    std::array<std::string, RosterPlayerCount> playerCosts; // player 1 first
    std::array<StaffLineTexts, StaffLineCount> lines;
    std::string teamCost; // "Cost of Team"
    std::string treasury;

    StaffLineTexts& line(StaffLine which) { return lines[static_cast<std::size_t>(which)]; }
    const StaffLineTexts& line(StaffLine which) const { return lines[static_cast<std::size_t>(which)]; }

    bool operator==(const MoneyTexts&) const = default;
};

// One of those texts.
struct MoneyCell
{
    enum class Kind
    {
        PlayerCost, // index: 0 for player 1
        LineCount,  // index: the StaffLine
        LinePrice,
        LineCost,
        TeamCost,
        Treasury,
    };

    Kind kind = Kind::TeamCost;
    int index = 0;

    bool operator==(const MoneyCell&) const = default;
};

std::string& textOf(MoneyTexts& texts, MoneyCell cell);
const std::string& textOf(const MoneyTexts& texts, MoneyCell cell);

// How a person would name the cell: "the cost of player 11", "the re-roll cost".
std::string cellName(MoneyCell cell);

// A count: blank or negative means none was given (a page that gives no fan
// factor is read as -1); anything but plain decimal digits is not a count.
struct Count
{
    enum class Kind
    {
        Known,
        NotGiven,
        NotACount,
    };

    Kind kind = Kind::NotGiven;
    std::int64_t value = 0;

    bool operator==(const Count&) const = default;
};

Count parseCount(std::string_view text);

// The price in a price text such as "x $40k =": the amount between an
// optional leading "x" and an optional trailing "=". A price text without an
// amount in it is unknown, never blank.
Money parsePrice(std::string_view text);

// count x price; unknown when either is not known or the product is too large
// to be exact.
Money lineExpectedCost(const StaffLineTexts& line);

// The cost text the roster shows for a line read without one: ten thousand a
// head for fan factor, assistant coaches and cheerleaders, the standard fee of
// apothecary and wizard, nothing for re-rolls.
std::string derivedCostText(StaffLine which, std::string_view countText);

enum class Agreement
{
    Agrees,
    Disagrees,
    Unverifiable, // a part or the stated amount cannot be read
};

// Whether the line's cost text states count x price. An empty cost agrees
// only with a cost of nothing.
Agreement lineAgreement(const StaffLineTexts& line);

// A line whose cost was worked out rather than typed: its cost is empty, is the
// text the roster derives from the count, or states count x price. Such a cost
// may follow its parts when they change.
bool lineCostIsWorkedOut(StaffLine which, const StaffLineTexts& line);

// The team value: every player's value and every staff line's cost. Empty
// texts count as nothing; the first unreadable one makes the sum unknown.
struct TeamSum
{
    Money value;                          // Known or Unknown
    std::optional<MoneyCell> unknownCell; // where the sum could not go on
    bool tooLarge = false;                // the cell's amount took the sum beyond exact amounts

    bool operator==(const TeamSum&) const = default;
};

TeamSum teamSum(const MoneyTexts& texts);

// Why an unknown sum is unknown: "the cost of player 11" when that cell
// cannot be read, "the sum is too large at the cost of player 2" when its
// amount took the sum beyond what is exact.
std::string unknownReason(const TeamSum& sum);

// Whether "Cost of Team" states the team value.
Agreement totalAgreement(const MoneyTexts& texts, const TeamSum& sum);

// The team value as the status bar shows it: "Team value 1,240k", with the
// page's own total where it differs ("Team value 1,240k - the page says
// 1,170k"), or "Team value unknown: the cost of player 11".
std::string teamValueStatus(const MoneyTexts& texts);

// A cell to be marked on screen, with the reason shown as its tooltip.
struct MoneyMark
{
    MoneyCell cell;
    std::string reason;

    bool operator==(const MoneyMark&) const = default;
};

// Unreadable amounts and counts, prices without an amount, and line costs and a
// total that disagree with their parts.
std::vector<MoneyMark> moneyMarks(const MoneyTexts& texts);
