#pragma once

#include "RosterSheet.h"
#include "WindowGrids.h"

#include <QObject>
#include <QSize>

#include <memory>
#include <vector>

class ColumnFitter;

// Fits the main window's grids to their texts and its fonts, and places the
// heading and the grids across the client area's width: rows as high as the
// table font needs, columns as wide as their texts or as the user dragged
// them, the spare width in one stretch column of each grid.
class GridLayout : public QObject
{
    Q_OBJECT
public:
    GridLayout(RosterSheet& sheet, const WindowGrids& controls, QObject* parent = nullptr);
    ~GridLayout() override;

    // Fits the columns to their texts and the rows to the table font, then lays out.
    void fitGrids();
    void fitRowHeights(StringGrid* grid);
    // Places the heading and the grids across the client area's width; the
    // client area scrolls only when the window is smaller than their minimum.
    void layoutGrids();
    void setGameGridHeight(int height);
    // Rows added by typing, or taken away again by undo.
    void matchRowsChanged(int rows);
    ColumnFitter& fitterOf(SheetGrid grid);
    // The client area that shows the whole roster as it is laid out now.
    QSize wholeRosterSize();

private:
    int minimumGridsWidth();
    bool eventFilter(QObject* watched, QEvent* event) override;

    RosterSheet& m_sheet;
    WindowGrids m_controls;
    std::vector<std::unique_ptr<ColumnFitter>> m_fitters; // one per grid, in sheet order
    int m_gameGridHeight = 42;                            // before rows grow with the font
};
