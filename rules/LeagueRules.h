#pragma once

#include "Money.h"

#include <QString>
#include <QStringList>

#include <array>
#include <optional>
#include <vector>

// A league's rules as its rules file gives them: what each race may field and
// what it costs, the skills and their categories, how star player points turn
// into advances, the staff prices and the team rating. Names are compared
// without regard to case or the blanks around them.

// The four characteristics, in the order a roster shows them.
enum class Characteristic
{
    MA,
    ST,
    AG,
    AV
};
constexpr int CharacteristicCount = 4;
constexpr int LowestCharacteristic = 1;
constexpr int HighestCharacteristic = 10;
const char* characteristicName(Characteristic which);

using Profile = std::array<int, CharacteristicCount>;

struct PositionRules
{
    QString title;
    int most = 0; // most of them a team may field
    GoldPieces cost = 0;
    Profile profile{};
    QStringList startingSkills;
    QStringList normalCategories; // the categories it takes on any advance
    QStringList doubleCategories; // the further ones it takes on a double

    bool operator==(const PositionRules&) const = default;
};

struct RaceRules
{
    QString name;
    GoldPieces reRollPrice = 0;
    bool mayHireApothecary = true;
    bool mayHireWizard = true;
    std::vector<PositionRules> positions;

    const PositionRules* findPosition(QStringView title) const;

    bool operator==(const RaceRules&) const = default;
};

// The category of a skill the league has not placed yet: a learned file gives
// it to every skill it saw, and such a skill is never outside a position's
// categories.
inline constexpr QStringView UnknownCategory = u"unknown";

struct SkillRules
{
    QString name;
    QString category;

    bool operator==(const SkillRules&) const = default;
};

// What each kind of advance adds to a player's value.
enum class AdvanceKind
{
    Skill,
    DoubleSkill,
    MA,
    ST,
    AG,
    AV
};
constexpr int AdvanceKindCount = 6;
AdvanceKind advanceOf(Characteristic which);

struct Advancement
{
    std::vector<int> sppForAdvance; // ascending: the n-th advance is earned at sppForAdvance[n-1]
    std::optional<std::array<GoldPieces, AdvanceKindCount>> values;

    // How many advances a player with this many star player points has
    // earned; none to judge when the league gives no SPP for advances or the
    // SPP are not a whole number.
    std::optional<int> advancesEarned(std::optional<int> spp) const;
    GoldPieces valueOf(AdvanceKind kind) const { return values ? (*values)[std::size_t(kind)] : 0; }

    bool operator==(const Advancement&) const = default;
};

// team value / valueDivisor + total SPP / sppDivisor, each part rounded down.
struct TeamRatingFormula
{
    GoldPieces valueDivisor = 10'000;
    int sppDivisor = 5;

    std::int64_t rating(GoldPieces teamValue, std::int64_t totalSpp) const;

    bool operator==(const TeamRatingFormula&) const = default;
};

// The staff and extras whose price the league sets for every race.
struct StaffPrices
{
    GoldPieces fanFactor = 10'000;
    GoldPieces assistantCoach = 10'000;
    GoldPieces cheerleader = 10'000;
    GoldPieces apothecary = 50'000;
    GoldPieces wizard = 150'000;

    bool operator==(const StaffPrices&) const = default;
};

struct LeagueRules
{
    static constexpr int FormatVersion = 1;

    QString league;
    int fewestPlayers = 11;
    int mostPlayers = 16;
    std::optional<GoldPieces> startingTreasury;
    StaffPrices prices;
    std::vector<RaceRules> races;
    std::vector<SkillRules> skills;
    Advancement advancement;
    std::optional<TeamRatingFormula> teamRating;

    const RaceRules* findRace(QStringView name) const;
    const SkillRules* findSkill(QStringView name) const;

    bool operator==(const LeagueRules&) const = default;
};

// Whether two names from a roster or a rules file name the same thing.
bool sameName(QStringView a, QStringView b);
bool containsName(const QStringList& names, QStringView name);
// What two names have in common exactly when sameName finds them the same, so
// that many names can be looked up by it.
QString nameKey(QStringView name);

// The skills a player of the position may still take as advances, normal and
// double apart, leaving out those he has and the position's starting skills;
// for the editor's Add Skill.
struct SkillChoice
{
    QStringList normal;
    QStringList onDouble;
};
SkillChoice skillsOpenTo(const LeagueRules& rules, const PositionRules& position, const QStringList& taken);
