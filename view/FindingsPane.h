#pragma once

#include "WindowGrids.h"

#include <QDockWidget>

class LiveFindings;
class QListWidget;
class QListWidgetItem;

// The Findings pane: the findings of the shown roster, errors first, titled
// with their count ("Findings (3)"). Clicking one selects its cell and gives
// its grid the focus. It shows itself when a roster that breaks a rule is
// shown; showAction() (Team, Show Findings) shows and hides it.
class FindingsPane : public QDockWidget
{
    Q_OBJECT
public:
    // The role of an item's data that holds its finding's severity name.
    static constexpr int SeverityRole = Qt::UserRole;

    FindingsPane(const LiveFindings& findings, WindowGrids grids, QWidget* parent = nullptr);

    // Checked while the pane shows. The dock's own toggle action takes the
    // pane's title as its text, which changes with the count.
    QAction* showAction() const { return m_show; }

private:
    // Where each item's finding is, kept with it: the list may be a turn of
    // the event loop behind the findings.
    static constexpr int GridRole = Qt::UserRole + 1;
    static constexpr int ColRole = Qt::UserRole + 2;
    static constexpr int RowRole = Qt::UserRole + 3;

    void showFindings();
    void goToFinding(QListWidgetItem* item);

    const LiveFindings& m_findings;
    WindowGrids m_grids;
    QListWidget* m_list;
    QAction* m_show;
};
