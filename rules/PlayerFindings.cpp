#include "PlayerFindings.h"

namespace {

using Severity = RulesFinding::Severity;

QString advancesText(int count)
{
    return count == 1 ? QStringLiteral("1 advance") : QStringLiteral("%1 advances").arg(count);
}

class PlayerCheck
{
public:
    PlayerCheck(const PlayerRow& row, const RaceRules* race, const LeagueRules& rules,
                std::vector<RulesFinding>& findings)
        : m_row(row), m_rules(rules), m_findings(findings),
          m_position(race ? race->findPosition(row.position) : nullptr), m_skills(readSkillsText(row.skills))
    {
        if (race)
            checkPosition(*race);
        checkCharacteristics();
        checkSkills();
        if (m_position) {
            const AdvancesTaken advances = advancesTaken(m_rules, *m_position, m_skills);
            checkAdvances(advances);
            checkCost(advances);
        }
    }

private:
    void add(Severity severity, int col, const QString& text)
    {
        // Named only when there is something to say: most players have nothing.
        const QString who = m_row.position.isEmpty()
                                ? QStringLiteral("player %1: ").arg(m_row.slot)
                                : QStringLiteral("player %1 (%2): ").arg(m_row.slot).arg(m_row.position);
        m_findings.push_back({severity, playerCell(m_row.slot, col), who + text});
    }

    void checkPosition(const RaceRules& race)
    {
        if (m_row.position.isEmpty())
            add(Severity::Error, RosterCols::Position, QStringLiteral("no position is given"));
        else if (!m_position)
            add(Severity::Error, RosterCols::Position,
                QStringLiteral("the %1 race has no %2 position").arg(race.name, m_row.position));
    }

    void checkCharacteristics()
    {
        const Profile losses = injuryLosses(m_row.injuries);
        for (int i = 0; i < CharacteristicCount; ++i) {
            const auto index = std::size_t(i);
            const QString name = QLatin1StringView(characteristicName(Characteristic(i)));
            const int col = RosterCols::FirstCharacteristic + i;
            const std::optional<int> value = m_row.characteristics[index];
            if (!value) {
                add(Severity::Error, col, QStringLiteral("%1 is not a whole number").arg(name));
                continue;
            }
            if (*value < LowestCharacteristic || *value > HighestCharacteristic) {
                add(Severity::Error, col,
                    QStringLiteral("%1 %2 is outside %3 to %4")
                        .arg(name)
                        .arg(*value)
                        .arg(LowestCharacteristic)
                        .arg(HighestCharacteristic));
                continue;
            }
            if (!m_position)
                continue;
            const int start = m_position->profile[index];
            const int expected = start + m_skills.gained[index] - losses[index];
            if (*value == expected)
                continue;
            QString text = QStringLiteral("%1 %2 should be %3: the %4 profile has %1 %5")
                               .arg(name, QString::number(*value), QString::number(expected),
                                    m_position->title, QString::number(start));
            if (m_skills.gained[index] != 0)
                text += QStringLiteral(", plus %1 for advances").arg(m_skills.gained[index]);
            if (losses[index] != 0)
                text += QStringLiteral(", less %1 for injuries").arg(losses[index]);
            if (m_skills.gained[index] == 0 && losses[index] == 0)
                text += QStringLiteral(", and no advance (+1 %1) or injury (-1 %1) is listed").arg(name);
            // A player better than his rules allow is a broken rule; a worse
            // one may be an injury the coach wrote some other way.
            add(*value > expected ? Severity::Error : Severity::Warning, col, text);
        }
    }

    void checkSkills()
    {
        QStringList seen;
        for (const QString& skill : m_skills.skills) {
            if (containsName(seen, skill)) {
                add(Severity::Error, RosterCols::Skills,
                    QStringLiteral("skill %1 is listed twice").arg(skill));
                continue;
            }
            seen.append(skill);
            const SkillRules* rules = m_rules.findSkill(skill);
            if (!rules) {
                add(Severity::Error, RosterCols::Skills,
                    QStringLiteral("skill %1 is not one of the league's skills").arg(skill));
                continue;
            }
            if (m_position && !containsName(m_position->startingSkills, skill) &&
                !skillAdvanceKind(*m_position, *rules))
                add(Severity::Error, RosterCols::Skills,
                    QStringLiteral("skill %1 (%2) is outside the %3's categories (%4)")
                        .arg(skill, rules->category, m_position->title, categoriesText()));
        }
        if (!m_position)
            return;
        for (const QString& starting : m_position->startingSkills) {
            if (!containsName(seen, starting))
                add(Severity::Warning, RosterCols::Skills,
                    QStringLiteral("the %2's starting skill %1 is missing").arg(starting, m_position->title));
        }
    }

    QString categoriesText() const
    {
        QString text = m_position->normalCategories.isEmpty()
                           ? QStringLiteral("none")
                           : m_position->normalCategories.join(QStringLiteral(", "));
        if (!m_position->doubleCategories.isEmpty())
            text += QStringLiteral("; %1 on a double")
                        .arg(m_position->doubleCategories.join(QStringLiteral(", ")));
        return text;
    }

    void checkAdvances(const AdvancesTaken& advances)
    {
        const std::optional<int> earned = m_rules.advancement.advancesEarned(m_row.spp);
        if (earned && advances.count > *earned)
            add(Severity::Error, RosterCols::Spp,
                QStringLiteral("%1 listed, but %2 SPP earn %3")
                    .arg(advancesText(advances.count))
                    .arg(*m_row.spp)
                    .arg(advancesText(*earned)));
    }

    void checkCost(const AdvancesTaken& advances)
    {
        if (!m_rules.advancement.values)
            return;
        const std::string stated = m_row.cost.toStdString();
        const Money cost = parseMoney(stated);
        const GoldPieces expected = m_position->cost + advances.value;
        // An unreadable cost is marked by the totals already.
        if (cost.isUnknown() || (cost.isKnown() && cost.amount == expected))
            return;
        const QString expectedText = QString::fromStdString(formatMoneyLike(expected, stated));
        const QString what = advances.count == 0
                                 ? QStringLiteral("the %1's cost is %2").arg(m_position->title, expectedText)
                                 : QStringLiteral("the %1's cost with these advances is %2")
                                       .arg(m_position->title, expectedText);
        add(Severity::Error, RosterCols::Cost,
            cost.isBlank() ? QStringLiteral("no cost is given: %1").arg(what)
                           : QStringLiteral("cost %1, but %2").arg(m_row.cost.trimmed(), what));
    }

    const PlayerRow& m_row;
    const LeagueRules& m_rules;
    std::vector<RulesFinding>& m_findings;
    const PositionRules* m_position;
    SkillsText m_skills;
};

} // namespace

std::optional<AdvanceKind> skillAdvanceKind(const PositionRules& position, const SkillRules& skill)
{
    if (sameName(skill.category, UnknownCategory) || containsName(position.normalCategories, skill.category))
        return AdvanceKind::Skill;
    if (containsName(position.doubleCategories, skill.category))
        return AdvanceKind::DoubleSkill;
    return std::nullopt;
}

AdvancesTaken advancesTaken(const LeagueRules& rules, const PositionRules& position, const SkillsText& skills)
{
    AdvancesTaken taken;
    QStringList counted;
    for (const QString& skill : skills.skills) {
        if (containsName(position.startingSkills, skill) || containsName(counted, skill))
            continue;
        counted.append(skill);
        const SkillRules* known = rules.findSkill(skill);
        const std::optional<AdvanceKind> kind = known ? skillAdvanceKind(position, *known) : std::nullopt;
        ++taken.count;
        taken.value += rules.advancement.valueOf(kind.value_or(AdvanceKind::Skill));
    }
    for (int i = 0; i < CharacteristicCount; ++i) {
        const int gained = skills.gained[std::size_t(i)];
        taken.count += gained;
        taken.value += gained * rules.advancement.valueOf(advanceOf(Characteristic(i)));
    }
    return taken;
}

void addPlayerFindings(const PlayerRow& row, const RaceRules* race, const LeagueRules& rules,
                       std::vector<RulesFinding>& findings)
{
    PlayerCheck(row, race, rules, findings);
}
