#pragma once

#include "WindowGrids.h"

#include <QToolBar>

class QAction;
class QLineEdit;
class QMenu;
class QStatusBar;

// Edit, Find and Find Next: a small bar under the grids whose text is looked
// for, without regard to case, in the players' names, positions, skills and
// injuries and in the match record; the next cell that holds it after the
// current one becomes current, searching on from the top after the last.
class FindBar : public QToolBar
{
    Q_OBJECT
public:
    FindBar(const WindowGrids& controls, QStatusBar* statusBar, QWidget* window);

    void addTo(QMenu* menu);
    // Shows the bar with its text selected, ready for typing.
    void start();
    // Selects the next cell holding the bar's text; false when none does.
    bool findNext();

private:
    struct Place
    {
        StringGrid* grid;
        int col;
        int row;
    };
    // The cells searched, in the order they are searched.
    std::vector<Place> searchedCells() const;
    void finish();

    WindowGrids m_controls;
    QStatusBar* m_statusBar;
    QLineEdit* m_text;
};
