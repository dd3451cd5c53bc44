#pragma once

#include "WindowGrids.h"

#include <QObject>

class EditHistory;
class QAction;

// Edit, Undo and Redo over the roster's edit history; the menu items name the
// step they would take back or do again.
class EditCommands : public QObject
{
    Q_OBJECT
public:
    EditCommands(EditHistory& history, const WindowGrids& controls, QObject* parent = nullptr);

    // Keeps Undo and Redo enabled and named as the history allows.
    void followHistory(QAction* undo, QAction* redo);
    void undo();
    void redo();
    // Closes an open cell editor, keeping what it holds.
    void finishCellEditing();

private:
    EditHistory& m_history;
    WindowGrids m_controls;
};
