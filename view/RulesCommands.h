#pragma once

#include "WindowGrids.h"

#include <QObject>
#include <QString>
#include <QStringList>

#include <memory>

class ActiveRules;
class EditHistory;
class FindingsPane;
class LiveFindings;
class QAction;
class QLabel;
class QMainWindow;
class QMenu;
class RosterSheet;
class TeamRatingFollower;

// The Team menu's league rules commands: League Rules... loads a rules file
// and remembers it in the settings for the next start, No League Rules drops
// them, Show Findings toggles the Findings pane, Update Team Rating writes
// the rules' team rating. While rules are loaded the status bar names the
// league, the findings follow every edit and the team rating follows the
// rules' formula.
class RulesCommands : public QObject
{
    Q_OBJECT
public:
    RulesCommands(ActiveRules& rules, RosterSheet& sheet, EditHistory& history, WindowGrids grids,
                  QMainWindow* window);
    ~RulesCommands() override;

    void addTo(QMenu* menu);

    // Loads the rules file the settings file at settingsPath remembers. One
    // that fails to load leaves the editor without rules, and why in
    // startProblem(), for the start-up to report.
    void restore(const QString& settingsPath);
    const QString& startProblem() const { return m_startProblem; }

    // Team, League Rules...: a rules file chosen, loaded and remembered.
    void chooseRules();
    // Team, No League Rules: the editor goes on without rules, and starts without them.
    void dropRules();
    // Rules for this run only, leaving the remembered choice as it is. Throws
    // when the file fails to load, and the editor goes on without rules.
    void useRulesForThisRun(const QString& path);
    // Team, Update Team Rating: one undo step.
    void updateTeamRating();

    const LiveFindings& findings() const { return *m_findings; }
    // The findings as lines for paper, each with its severity, and a
    // heading; an empty heading while no rules are loaded.
    QString paperHeading() const;
    QStringList paperLines() const;

private:
    // The rules in the file, or an error that names what failed.
    static void load(ActiveRules& rules, const QString& path);
    void remember(const QString& path) const;
    void rulesChanged();
    void followSheet();

    ActiveRules& m_rules;
    EditHistory& m_history;
    WindowGrids m_grids;
    QMainWindow* m_window;
    std::unique_ptr<TeamRatingFollower> m_rating;
    LiveFindings* m_findings;
    FindingsPane* m_pane;
    QLabel* m_league;
    QAction* m_dropRules = nullptr;
    QAction* m_updateRating = nullptr;
    QString m_settingsPath;
    QString m_startProblem;
};
