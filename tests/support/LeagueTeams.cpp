#include "LeagueTeams.h"

#include "SheetBuilder.h"
#include "SheetTotals.h"

#include <QStringList>

#include <algorithm>

namespace {

QString moneyText(GoldPieces amount)
{
    return QString::fromStdString(formatMoney(amount, defaultMoneyStyle()));
}

} // namespace

LeagueTeams::LeagueTeams(std::uint32_t seed) : m_engine(seed)
{
    m_rules.league = QStringLiteral("Generated League");
    for (int i = 0; i < 12; ++i)
        m_rules.skills.push_back(
            {QStringLiteral("Skill %1").arg(QChar(u'A' + i)), UnknownCategory.toString()});
    m_rules.prices.fanFactor = between(1, 3) * 10'000;
    m_rules.prices.cheerleader = between(1, 2) * 10'000;
    const int races = between(2, 4);
    for (int r = 0; r < races; ++r) {
        RaceRules race;
        race.name = QStringLiteral("Race %1").arg(r + 1);
        race.reRollPrice = between(4, 7) * 10'000;
        const int positions = between(2, 5);
        for (int p = 0; p < positions; ++p) {
            PositionRules position;
            position.title = QStringLiteral("Position %1%2").arg(r + 1).arg(QChar(u'a' + p));
            position.most = p == 0 ? 16 : between(1, 4);
            position.cost = between(4, 15) * 10'000;
            for (int& value : position.profile)
                value = between(2, 9);
            for (int s = between(0, 3); s > 0; --s) {
                const QString skill = m_rules.skills[std::size_t(between(0, 11))].name;
                if (!position.startingSkills.contains(skill))
                    position.startingSkills.append(skill);
            }
            race.positions.push_back(std::move(position));
        }
        m_rules.races.push_back(std::move(race));
    }
}

int LeagueTeams::between(int low, int high)
{
    return std::uniform_int_distribution<int>(low, high)(m_engine);
}

RosterSheet LeagueTeams::roster()
{
    RosterSheet sheet = buildNewTeamSheet();
    const RaceRules& race = m_rules.races[std::size_t(between(0, int(m_rules.races.size()) - 1))];
    sheet.setCell(SheetGrid::Details, 1, 0, QStringLiteral("Generated Team"));
    sheet.setCell(SheetGrid::Details, 1, 1, race.name);
    sheet.setCell(SheetGrid::Details, 1, 3, moneyText(between(0, 30) * 10'000));

    std::vector<int> fielded(race.positions.size(), 0);
    const int players = between(11, 16);
    for (int slot = 1; slot <= players; ++slot) {
        std::size_t index = std::size_t(between(0, int(race.positions.size()) - 1));
        if (fielded[index] == race.positions[index].most)
            index = 0;
        ++fielded[index];
        addPlayer(sheet, slot, race.positions[index]);
    }

    const auto line = [&sheet, this](int row, GoldPieces price, int most) {
        const int count = between(0, most);
        sheet.setCell(SheetGrid::Extras, 1, row, QString::number(count));
        sheet.setCell(SheetGrid::Extras, 2, row, QStringLiteral("x $%1 =").arg(moneyText(price)));
        sheet.setCell(SheetGrid::Extras, 3, row, count == 0 ? QString() : moneyText(count * price));
    };
    line(0, race.reRollPrice, 8);
    line(1, m_rules.prices.fanFactor, 9);
    line(2, m_rules.prices.assistantCoach, 3);
    line(3, m_rules.prices.cheerleader, 5);
    line(4, m_rules.prices.apothecary, 1);
    line(5, m_rules.prices.wizard, 1);
    sheet.setCell(SheetGrid::Details, 1, 5, moneyText(teamSum(moneyTextsOf(sheet)).value.amount));
    return sheet;
}

void LeagueTeams::addPlayer(RosterSheet& sheet, int slot, const PositionRules& position)
{
    Profile profile = position.profile;
    QStringList skills = position.startingSkills;
    std::shuffle(skills.begin(), skills.end(), m_engine);
    QStringList injuries;
    int spp = 0;
    if (between(1, 100) <= 40) {
        spp = between(1, 60);
        if (between(0, 1) == 0) {
            const QString extra = m_rules.skills[std::size_t(between(0, 11))].name;
            if (!skills.contains(extra))
                skills.append(extra);
        } else if (profile[1] < HighestCharacteristic) {
            ++profile[1];
            skills.append(QStringLiteral("+1 ST"));
        }
    }
    if (between(1, 100) <= 15 && profile[3] > LowestCharacteristic) {
        --profile[3];
        injuries.append(QStringLiteral("-1 AV"));
        injuries.append(QStringLiteral("Niggling Injury"));
    }
    const SheetGrid players = SheetGrid::Players;
    sheet.setCell(players, 1, slot, QStringLiteral("Player %1").arg(slot));
    sheet.setCell(players, 2, slot, position.title);
    for (int i = 0; i < CharacteristicCount; ++i)
        sheet.setCell(players, 3 + i, slot, QString::number(profile[std::size_t(i)]));
    sheet.setCell(players, 7, slot, skills.join(QStringLiteral(", ")));
    sheet.setCell(players, 8, slot, injuries.join(QStringLiteral(", ")));
    sheet.setCell(players, 14, slot, spp == 0 ? QString() : QString::number(spp));
    sheet.setCell(players, 15, slot, moneyText(position.cost));
}
