#include "HiringCommands.h"

#include "ActiveRules.h"
#include "Choosers.h"
#include "EditHistory.h"
#include "ErrorReport.h"
#include "PlayerFindings.h"
#include "PlayerTexts.h"
#include "RosterOffers.h"
#include "RosterRows.h"
#include "StringGrid.h"

#include <QAction>
#include <QMenu>
#include <QStatusBar>

namespace {

constexpr int NoteMilliseconds = 8000;

// "Gorm Ironbrow (player 3)", or "player 3 (Runner)" before he has a name.
QString playerLabel(const RosterSheet& sheet, int slot)
{
    const QString name = sheet.cell(SheetGrid::Players, RosterCols::Name, slot).trimmed();
    if (!name.isEmpty())
        return QStringLiteral("%1 (player %2)").arg(name).arg(slot);
    const QString position = sheet.cell(SheetGrid::Players, RosterCols::Position, slot).trimmed();
    return position.isEmpty() ? QStringLiteral("player %1").arg(slot)
                              : QStringLiteral("player %1 (%2)").arg(slot).arg(position);
}

} // namespace

HiringCommands::HiringCommands(const ActiveRules& rules, EditHistory& history, StringGrid* players,
                               QStatusBar* statusBar, QObject* parent)
    : QObject(parent), m_rules(rules), m_history(history), m_players(players), m_statusBar(statusBar)
{
}

void HiringCommands::addTo(QMenu* menu)
{
    const auto add = [this, menu](const QString& text, const char* name, void (HiringCommands::*command)()) {
        QAction* action = menu->addAction(text, menu, guarded([this, command] { (this->*command)(); }));
        action->setObjectName(QString::fromLatin1(name));
        return action;
    };
    menu->addSeparator();
    m_hire = add(QStringLiteral("&Hire Player..."), "HirePlayer", &HiringCommands::hirePlayer);
    m_fire = add(QStringLiteral("Fir&e Player"), "FirePlayer", &HiringCommands::firePlayer);
    m_addSkill = add(QStringLiteral("Add S&kill..."), "AddSkill", &HiringCommands::addSkill);
    connect(&m_rules, &ActiveRules::changed, this, &HiringCommands::followRules);
    followRules();
}

void HiringCommands::followRules()
{
    for (QAction* action : {m_hire, m_fire, m_addSkill})
        action->setEnabled(m_rules.rules() != nullptr);
}

int HiringCommands::currentSlot() const
{
    const int row = m_players->currentCell().y();
    return row >= 1 && row <= RosterPlayerCount && row < m_players->rowCount() ? row : 0;
}

void HiringCommands::refuse(const QString& why)
{
    m_statusBar->showMessage(why, NoteMilliseconds);
}

void HiringCommands::hirePlayer()
{
    const LeagueRules* rules = m_rules.rules();
    if (!rules)
        return;
    RosterSheet& sheet = m_players->sheet();
    const RaceRules* race = rules->findRace(raceOf(sheet));
    if (!race) {
        const QString named = raceOf(sheet);
        refuse(named.isEmpty()
                   ? QStringLiteral("No player hired: the team names no race")
                   : QStringLiteral("No player hired: the league's rules have no race \"%1\"").arg(named));
        return;
    }
    const std::optional<int> slot = firstEmptySlot(sheet);
    if (!slot) {
        refuse(QStringLiteral("No player hired: every slot holds a player"));
        return;
    }
    if (int(playerRows(sheet).size()) >= rules->mostPlayers) {
        refuse(QStringLiteral("No player hired: a team may have at most %1 players").arg(rules->mostPlayers));
        return;
    }
    const std::vector<PositionOffer> offers = positionOffers(*race, sheet);
    HireChoice choice{0, m_payFromTreasury};
    if (!choosers().chooseHire(m_players->window(), race->name, offers, choice) || choice.offer < 0 ||
        choice.offer >= int(offers.size()))
        return;
    m_payFromTreasury = choice.payFromTreasury;
    const PositionOffer& offer = offers[std::size_t(choice.offer)];
    if (offer.left() == 0) {
        refuse(QStringLiteral("No player hired: a %1 team may field at most %2 %3")
                   .arg(race->name)
                   .arg(offer.position->most)
                   .arg(offer.position->title));
        return;
    }
    std::optional<QString> treasury;
    if (choice.payFromTreasury && !(treasury = treasuryAfterPaying(offer.position->cost)))
        return;
    const PlayerCells cells = newPlayerCells(*offer.position, moneyLookOf(sheet));
    m_history.asOneStep(QStringLiteral("Hire Player"), [&] {
        for (std::size_t i = 0; i < cells.size(); ++i)
            m_players->setCell(RosterCols::Position + int(i), *slot, cells[i]);
        if (treasury)
            sheet.setCell(SheetGrid::Details, DetailsRows::ValueCol, DetailsRows::Treasury, *treasury);
    });
    // The coach names the new player next.
    m_players->setCurrentCell(RosterCols::Name, *slot);
}

std::optional<QString> HiringCommands::treasuryAfterPaying(GoldPieces cost)
{
    const QString& text =
        m_players->sheet().cell(SheetGrid::Details, DetailsRows::ValueCol, DetailsRows::Treasury);
    const Money treasury = parseMoney(text.toStdString());
    if (!treasury.isKnown()) {
        refuse(QStringLiteral("No player hired: the treasury \"%1\" is not an amount to pay from").arg(text));
        return std::nullopt;
    }
    if (treasury.amount < cost) {
        refuse(QStringLiteral("No player hired: the treasury (%1) cannot pay %2")
                   .arg(text, moneyTextLike(cost)));
        return std::nullopt;
    }
    return moneyPlus(text, -cost);
}

void HiringCommands::firePlayer()
{
    const int slot = currentSlot();
    if (slot == 0)
        return;
    const RosterSheet& sheet = m_players->sheet();
    if (isEmptySlot(sheet, slot)) {
        refuse(QStringLiteral("Slot %1 holds no player").arg(slot));
        return;
    }
    if (!choosers().confirmFire(
            m_players->window(),
            QStringLiteral("Fire %1? The slot is emptied.").arg(playerLabel(sheet, slot))))
        return;
    m_history.asOneStep(QStringLiteral("Fire Player"), [&] {
        for (int col = RosterCols::Name; col < m_players->colCount(); ++col)
            m_players->setCell(col, slot, QString());
    });
}

void HiringCommands::addSkill()
{
    const LeagueRules* rules = m_rules.rules();
    const int slot = currentSlot();
    if (!rules || slot == 0)
        return;
    const RosterSheet& sheet = m_players->sheet();
    const RaceRules* race = rules->findRace(raceOf(sheet));
    const QString& title = sheet.cell(SheetGrid::Players, RosterCols::Position, slot);
    const PositionRules* position = race ? race->findPosition(title) : nullptr;
    if (!position) {
        refuse(
            QStringLiteral("No skill added: the league's rules have no position \"%1\" for the team's race")
                .arg(title.trimmed()));
        return;
    }
    const QString& skills = sheet.cell(SheetGrid::Players, RosterCols::Skills, slot);
    const SkillsText taken = readSkillsText(skills);
    // A skill beyond what his SPP earn would break the rule the findings check.
    const std::optional<int> spp = cellNumber(sheet.cell(SheetGrid::Players, RosterCols::Spp, slot), 0);
    const std::optional<int> earned = rules->advancement.advancesEarned(spp);
    const int advances = advancesTaken(*rules, *position, taken).count;
    if (earned && advances >= *earned) {
        refuse(QStringLiteral("No skill added: %1 SPP earn no further advance (%2 earned, %3 taken)")
                   .arg(*spp)
                   .arg(*earned)
                   .arg(advances));
        return;
    }
    const SkillChoice open = skillsOpenTo(*rules, *position, taken.skills);
    QString skill;
    if (!choosers().chooseSkill(m_players->window(), playerLabel(sheet, slot), open, skill))
        return;
    const bool onDouble = containsName(open.onDouble, skill);
    if (!onDouble && !containsName(open.normal, skill))
        return;
    const GoldPieces value =
        rules->advancement.valueOf(onDouble ? AdvanceKind::DoubleSkill : AdvanceKind::Skill);
    std::optional<QString> cost;
    if (value != 0) {
        const QString& costText = sheet.cell(SheetGrid::Players, RosterCols::Cost, slot);
        if (!(cost = moneyPlus(costText, value))) {
            refuse(QStringLiteral("No skill added: the cost \"%1\" is not an amount to add the skill's %2 to")
                       .arg(costText, moneyTextLike(value)));
            return;
        }
    }
    m_history.asOneStep(QStringLiteral("Add Skill"), [&] {
        m_players->setCell(RosterCols::Skills, slot, withSkillAdded(skills, skill));
        if (cost)
            m_players->setCell(RosterCols::Cost, slot, *cost);
    });
}
