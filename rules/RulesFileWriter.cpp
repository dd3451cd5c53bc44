#include "RulesFileWriter.h"

#include <QJsonArray>
#include <QJsonDocument>

namespace {

QByteArray quoted(const QString& text)
{
    // A one-element array is the shortest way to have Qt escape a string.
    const QByteArray array = QJsonDocument(QJsonArray{text}).toJson(QJsonDocument::Compact);
    return array.mid(1, array.size() - 2);
}

QByteArray money(GoldPieces amount)
{
    return quoted(QString::fromStdString(formatMoney(amount, defaultMoneyStyle())));
}

QByteArray number(std::int64_t value)
{
    return QByteArray::number(value);
}

QByteArray flag(bool value)
{
    return value ? "true" : "false";
}

QByteArray nameList(const QStringList& names)
{
    QByteArrayList items;
    for (const QString& name : names)
        items.append(quoted(name));
    return '[' + items.join(", ") + ']';
}

// Members of one object, written on one line or one a line at the given indent.
class Members
{
public:
    Members& add(const char* key, const QByteArray& value)
    {
        m_items.append('"' + QByteArray(key) + "\": " + value);
        return *this;
    }

    QByteArray inline_() const { return "{" + m_items.join(", ") + "}"; }

    QByteArray block(int indent) const
    {
        const QByteArray inner(indent + 2, ' ');
        return "{\n" + inner + m_items.join(",\n" + inner) + "\n" + QByteArray(indent, ' ') + "}";
    }

private:
    QByteArrayList m_items;
};

QByteArray list(const QByteArrayList& items, int indent)
{
    if (items.isEmpty())
        return "[]";
    const QByteArray inner(indent + 2, ' ');
    return "[\n" + inner + items.join(",\n" + inner) + "\n" + QByteArray(indent, ' ') + "]";
}

QByteArray position(const PositionRules& position)
{
    Members members;
    members.add("title", quoted(position.title))
        .add("most", number(position.most))
        .add("cost", money(position.cost));
    for (int i = 0; i < CharacteristicCount; ++i)
        members.add(characteristicName(Characteristic(i)), number(position.profile[std::size_t(i)]));
    return members.add("skills", nameList(position.startingSkills))
        .add("normal", nameList(position.normalCategories))
        .add("double", nameList(position.doubleCategories))
        .inline_();
}

QByteArray race(const RaceRules& race)
{
    QByteArrayList positions;
    for (const PositionRules& rules : race.positions)
        positions.append(position(rules));
    return Members()
        .add("name", quoted(race.name))
        .add("reRoll", money(race.reRollPrice))
        .add("apothecary", flag(race.mayHireApothecary))
        .add("wizard", flag(race.mayHireWizard))
        .add("positions", list(positions, 6))
        .block(4);
}

QByteArray advancement(const Advancement& advancement)
{
    QByteArrayList spp;
    for (int points : advancement.sppForAdvance)
        spp.append(number(points));
    Members members;
    members.add("spp", '[' + spp.join(", ") + ']');
    if (advancement.values) {
        static const char* const keys[AdvanceKindCount] = {"skill", "doubleSkill", "MA", "ST", "AG", "AV"};
        Members values;
        for (int i = 0; i < AdvanceKindCount; ++i)
            values.add(keys[i], money((*advancement.values)[std::size_t(i)]));
        members.add("values", values.inline_());
    }
    return members.block(2);
}

} // namespace

QByteArray rulesFileText(const LeagueRules& rules)
{
    Members team;
    team.add("fewestPlayers", number(rules.fewestPlayers)).add("mostPlayers", number(rules.mostPlayers));
    if (rules.startingTreasury)
        team.add("startingTreasury", money(*rules.startingTreasury));
    const StaffPrices& prices = rules.prices;
    QByteArrayList races;
    for (const RaceRules& rules : rules.races)
        races.append(race(rules));
    QByteArrayList skills;
    for (const SkillRules& skill : rules.skills)
        skills.append(
            Members().add("name", quoted(skill.name)).add("category", quoted(skill.category)).inline_());

    Members file;
    file.add("format", number(LeagueRules::FormatVersion))
        .add("league", quoted(rules.league))
        .add("team", team.inline_())
        .add("prices", Members()
                           .add("fanFactor", money(prices.fanFactor))
                           .add("assistantCoach", money(prices.assistantCoach))
                           .add("cheerleader", money(prices.cheerleader))
                           .add("apothecary", money(prices.apothecary))
                           .add("wizard", money(prices.wizard))
                           .inline_())
        .add("races", list(races, 2))
        .add("skills", list(skills, 2));
    if (!rules.advancement.sppForAdvance.empty() || rules.advancement.values)
        file.add("advancement", advancement(rules.advancement));
    if (rules.teamRating)
        file.add("teamRating", Members()
                                   .add("valueDivisor", money(rules.teamRating->valueDivisor))
                                   .add("sppDivisor", number(rules.teamRating->sppDivisor))
                                   .inline_());
    return file.block(0) + '\n';
}
