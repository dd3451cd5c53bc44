#include "LeagueRules.h"

#include "PlayerFindings.h"

#include <algorithm>

const char* characteristicName(Characteristic which)
{
    static const char* const names[] = {"MA", "ST", "AG", "AV"};
    return names[std::size_t(which)];
}

AdvanceKind advanceOf(Characteristic which)
{
    switch (which) {
    case Characteristic::MA:
        return AdvanceKind::MA;
    case Characteristic::ST:
        return AdvanceKind::ST;
    case Characteristic::AG:
        return AdvanceKind::AG;
    case Characteristic::AV:
        break;
    }
    return AdvanceKind::AV;
}

namespace {

// Names are compared after every keystroke, and nearly all of them have no
// blanks around them to trim.
QStringView trimmedName(QStringView name)
{
    return !name.isEmpty() && (name.front().isSpace() || name.back().isSpace()) ? name.trimmed() : name;
}

} // namespace

bool sameName(QStringView a, QStringView b)
{
    a = trimmedName(a);
    b = trimmedName(b);
    // Most names differ in length; only those of equal length need the slower comparison.
    return a.size() == b.size() && a.compare(b, Qt::CaseInsensitive) == 0;
}

bool containsName(const QStringList& names, QStringView name)
{
    return std::any_of(names.begin(), names.end(),
                       [&](const QString& listed) { return sameName(listed, name); });
}

QString nameKey(QStringView name)
{
    // A case-insensitive comparison folds the case of each character as this does.
    return trimmedName(name).toString().toCaseFolded();
}

namespace {

template <typename Item, typename Key>
const Item* findNamed(const std::vector<Item>& items, QStringView name, Key key)
{
    const auto found =
        std::find_if(items.begin(), items.end(), [&](const Item& item) { return sameName(item.*key, name); });
    return found == items.end() ? nullptr : &*found;
}

} // namespace

const PositionRules* RaceRules::findPosition(QStringView title) const
{
    return findNamed(positions, title, &PositionRules::title);
}

const RaceRules* LeagueRules::findRace(QStringView name) const
{
    return findNamed(races, name, &RaceRules::name);
}

const SkillRules* LeagueRules::findSkill(QStringView name) const
{
    return findNamed(skills, name, &SkillRules::name);
}

std::optional<int> Advancement::advancesEarned(std::optional<int> spp) const
{
    if (sppForAdvance.empty() || !spp)
        return std::nullopt;
    return int(std::upper_bound(sppForAdvance.begin(), sppForAdvance.end(), *spp) - sppForAdvance.begin());
}

std::int64_t TeamRatingFormula::rating(GoldPieces teamValue, std::int64_t totalSpp) const
{
    return teamValue / valueDivisor + totalSpp / sppDivisor;
}

SkillChoice skillsOpenTo(const LeagueRules& rules, const PositionRules& position, const QStringList& taken)
{
    SkillChoice choice;
    for (const SkillRules& skill : rules.skills) {
        // A starting skill he lacks is no advance, so it is not one to take.
        if (containsName(taken, skill.name) || containsName(position.startingSkills, skill.name))
            continue;
        // As the findings judge it: a skill the league has not placed yet is a normal one.
        const std::optional<AdvanceKind> kind = skillAdvanceKind(position, skill);
        if (kind == AdvanceKind::Skill)
            choice.normal.append(skill.name);
        else if (kind == AdvanceKind::DoubleSkill)
            choice.onDouble.append(skill.name);
    }
    return choice;
}
