#pragma once

#include "Money.h"

#include <QList>
#include <QObject>
#include <QString>

#include <optional>

class ActiveRules;
class EditHistory;
class QAction;
class QMenu;
class QStatusBar;
class StringGrid;

// Team, Hire Player..., Fire Player and Add Skill...: a player joins the team
// in the first empty slot as the league's rules make him, leaves it, or
// learns a skill open to his position. They are offered while league rules
// are loaded, and each is one undo step with the totals that follow it.
class HiringCommands : public QObject
{
    Q_OBJECT
public:
    HiringCommands(const ActiveRules& rules, EditHistory& history, StringGrid* players, QStatusBar* statusBar,
                   QObject* parent);

    void addTo(QMenu* menu);
    // The commands of the players' grid's cell menu.
    QList<QAction*> cellActions() const { return {m_addSkill}; }

    void hirePlayer();
    void firePlayer();
    void addSkill();

private:
    void followRules();
    // The players' grid's current slot, 0 when the current row is none.
    int currentSlot() const;
    // Tells on the status bar why a command did nothing.
    void refuse(const QString& why);
    // The treasury's text once cost is paid from it; none, with the reason
    // on the status bar, when it cannot pay.
    std::optional<QString> treasuryAfterPaying(GoldPieces cost);

    const ActiveRules& m_rules;
    EditHistory& m_history;
    StringGrid* m_players;
    QStatusBar* m_statusBar;
    QAction* m_hire = nullptr;
    QAction* m_fire = nullptr;
    QAction* m_addSkill = nullptr;
    // The last hire's answer is the next one's preset.
    bool m_payFromTreasury = false;
};
