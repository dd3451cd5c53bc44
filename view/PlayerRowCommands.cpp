#include "PlayerRowCommands.h"

#include "EditHistory.h"
#include "ErrorReport.h"
#include "StringGrid.h"

#include <QAction>
#include <QMenu>
#include <QStatusBar>

namespace {

// Column 0 numbers the slots.
constexpr int FirstPlayerColumn = 1;
constexpr int NoteMilliseconds = 8000;

} // namespace

PlayerRowCommands::PlayerRowCommands(EditHistory& history, StringGrid* players, QStatusBar* statusBar,
                                     QObject* parent)
    : QObject(parent), m_history(history), m_players(players), m_statusBar(statusBar)
{
}

void PlayerRowCommands::addTo(QMenu* menu)
{
    const auto add = [this, menu](const QString& text, const char* name, const QKeySequence& keys,
                                  void (PlayerRowCommands::*command)()) {
        QAction* action = menu->addAction(text, menu, guarded([this, command] { (this->*command)(); }));
        action->setObjectName(QString::fromLatin1(name));
        action->setShortcut(keys);
        m_actions.append(action);
    };
    menu->addSeparator();
    add(QStringLiteral("&Insert Player Above"), "InsertPlayer",
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_I), &PlayerRowCommands::insertAbove);
    add(QStringLiteral("&Remove Player"), "RemovePlayer", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Delete),
        &PlayerRowCommands::remove);
    add(QStringLiteral("Move Player U&p"), "MovePlayerUp", QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Up),
        &PlayerRowCommands::moveUp);
    add(QStringLiteral("Move Player &Down"), "MovePlayerDown",
        QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Down), &PlayerRowCommands::moveDown);
}

int PlayerRowCommands::currentSlotRow() const
{
    const int row = m_players->currentCell().y();
    return row >= m_players->fixedRows() && row < m_players->rowCount() ? row : 0;
}

bool PlayerRowCommands::isEmptyRow(int row) const
{
    for (int col = FirstPlayerColumn; col < m_players->colCount(); ++col) {
        if (!m_players->cell(col, row).isEmpty())
            return false;
    }
    return true;
}

void PlayerRowCommands::copyRow(int from, int to)
{
    for (int col = FirstPlayerColumn; col < m_players->colCount(); ++col)
        m_players->setCell(col, to, m_players->cell(col, from));
}

void PlayerRowCommands::clearRow(int row)
{
    for (int col = FirstPlayerColumn; col < m_players->colCount(); ++col)
        m_players->setCell(col, row, QString());
}

void PlayerRowCommands::swapRows(int row, int other)
{
    for (int col = FirstPlayerColumn; col < m_players->colCount(); ++col) {
        const QString text = m_players->cell(col, row);
        m_players->setCell(col, row, m_players->cell(col, other));
        m_players->setCell(col, other, text);
    }
}

void PlayerRowCommands::moveCurrentRow(int row)
{
    m_players->setCurrentCell(m_players->currentCell().x(), row);
}

void PlayerRowCommands::insertAbove()
{
    const int row = currentSlotRow();
    if (row == 0)
        return;
    const int last = m_players->rowCount() - 1;
    if (!isEmptyRow(last)) {
        m_statusBar->showMessage(QStringLiteral("No free slot: the last slot holds a player"),
                                 NoteMilliseconds);
        return;
    }
    m_history.asOneStep(QStringLiteral("Insert Player"), [&] {
        for (int to = last; to > row; --to)
            copyRow(to - 1, to);
        clearRow(row);
    });
}

void PlayerRowCommands::remove()
{
    const int row = currentSlotRow();
    if (row == 0)
        return;
    const int last = m_players->rowCount() - 1;
    m_history.asOneStep(QStringLiteral("Remove Player"), [&] {
        for (int to = row; to < last; ++to)
            copyRow(to + 1, to);
        clearRow(last);
    });
}

void PlayerRowCommands::moveUp()
{
    const int row = currentSlotRow();
    if (row <= m_players->fixedRows())
        return;
    m_history.asOneStep(QStringLiteral("Move Player"), [&] { swapRows(row, row - 1); });
    moveCurrentRow(row - 1);
}

void PlayerRowCommands::moveDown()
{
    const int row = currentSlotRow();
    if (row == 0 || row + 1 >= m_players->rowCount())
        return;
    m_history.asOneStep(QStringLiteral("Move Player"), [&] { swapRows(row, row + 1); });
    moveCurrentRow(row + 1);
}
