#pragma once

#include "RosterFindings.h"
#include "RosterSheet.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <vector>

class ActiveRules;

// The findings of the shown roster against the league rules, kept up to date
// with its edits. A change of many cells (a paste, an undo, the follow-up of
// totals) is worked through once, on the event loop's next turn, but whoever
// asks earlier gets the findings of the sheet as it stands.
class LiveFindings : public QObject
{
    Q_OBJECT
public:
    LiveFindings(RosterSheet& sheet, const ActiveRules& rules, QObject* parent = nullptr);
    ~LiveFindings() override;

    // Errors first, otherwise in the order the rules check them; none
    // without rules.
    const std::vector<RulesFinding>& findings() const;
    // The sentences of the findings about a cell, one a line; empty when it has none.
    QString markAt(SheetGrid grid, int col, int row) const;
    bool hasMark(SheetGrid grid, int col, int row) const;

signals:
    // The findings differ from those told last; cells holds every cell whose
    // findings differ, once each.
    void changed(const std::vector<SheetCellRef>& cells);
    // Told after every refresh, changed or not: what depends on the sheet
    // besides the findings follows here.
    void refreshed();
    // A roster just shown (or newly checked against other rules) breaks a rule.
    void shownWithErrors();

private:
    void sheetChanged(const SheetChange& change);
    void rulesChanged();
    void scheduleRefresh();
    void refresh();
    // Works the findings out again when the sheet changed since.
    void bringUpToDate() const;

    RosterSheet& m_sheet;
    const ActiveRules& m_rules;
    int m_observer = 0;
    QTimer m_pending;
    mutable bool m_stale = false;
    mutable std::vector<RulesFinding> m_findings;
    std::vector<RulesFinding> m_told;
    // A new roster or new rules: the pane shows itself if they break a rule.
    bool m_freshRoster = false;
};
