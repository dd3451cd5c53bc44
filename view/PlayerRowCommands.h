#pragma once

#include <QList>
#include <QObject>

class EditHistory;
class QAction;
class QMenu;
class QStatusBar;
class StringGrid;

// Team, Insert Player Above, Remove Player, Move Player Up and Move Player
// Down on the player of the players' grid's current row. The sixteen slots
// stay numbered 1 to 16: the players move between them, and a player is never
// pushed out of the last slot. Each command is one undo step.
class PlayerRowCommands : public QObject
{
    Q_OBJECT
public:
    PlayerRowCommands(EditHistory& history, StringGrid* players, QStatusBar* statusBar, QObject* parent);

    void addTo(QMenu* menu);
    QList<QAction*> actions() const { return m_actions; }

    void insertAbove();
    void remove();
    void moveUp();
    void moveDown();

private:
    // The current row when it holds a player slot; 0 otherwise.
    int currentSlotRow() const;
    bool isEmptyRow(int row) const;
    // Copies row from's texts into row to, the slot number column left alone.
    void copyRow(int from, int to);
    void clearRow(int row);
    void swapRows(int row, int other);
    void moveCurrentRow(int row);

    EditHistory& m_history;
    StringGrid* m_players;
    QStatusBar* m_statusBar;
    QList<QAction*> m_actions;
};
