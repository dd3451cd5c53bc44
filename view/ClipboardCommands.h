#pragma once

#include "WindowGrids.h"

#include <QObject>
#include <QPointer>
#include <QRect>

class EditHistory;
class QAction;
class QMenu;
class QStatusBar;

// Edit, Cut, Copy, Paste, Delete and Select All on the grid that has or last
// had the focus: its current cell or its rectangular selection goes to and
// from the clipboard as tab-separated text, as spreadsheets take it. Each
// paste, cut or delete is one undo step, with the totals that follow it.
class ClipboardCommands : public QObject
{
    Q_OBJECT
public:
    ClipboardCommands(EditHistory& history, const WindowGrids& controls, QStatusBar* statusBar,
                      QWidget* window);

    // Adds the commands to the Edit menu.
    void addTo(QMenu* menu);
    // Cut, Copy, Paste and Delete, for a context menu.
    QList<QAction*> cellActions() const;

    void cut();
    void copy();
    void paste();
    void deleteCells();
    void selectAll();

    // Pastes tab-separated text from the grid's selection on: one cell of text
    // fills the whole selection, a larger block starts at its top-left cell
    // and is cut at the grid's edge. Whole-number cells keep their text when
    // the pasted one is no whole number.
    void pasteText(StringGrid* grid, const QString& text);
    // The grid the commands work on: the one that has or last had the focus.
    StringGrid* activeGrid() const;
    // The selected cells as columns (x) and rows (y); the current cell when
    // nothing is selected, an empty rectangle when there is no current cell.
    static QRect selectedCells(const StringGrid* grid);

private:
    void focusChanged(QWidget* now);
    void clearCells(const QString& stepName);

    EditHistory& m_history;
    WindowGrids m_controls;
    QStatusBar* m_statusBar;
    QWidget* m_window;
    QPointer<StringGrid> m_activeGrid;
    QAction* m_cut = nullptr;
    QAction* m_copy = nullptr;
    QAction* m_paste = nullptr;
    QAction* m_delete = nullptr;
    QAction* m_selectAll = nullptr;
};
