#include "EditCommands.h"

#include "EditHistory.h"
#include "StringGrid.h"

#include <QAbstractItemDelegate>
#include <QAction>
#include <QApplication>

EditCommands::EditCommands(EditHistory& history, const WindowGrids& controls, QObject* parent)
    : QObject(parent), m_history(history), m_controls(controls)
{
}

void EditCommands::followHistory(QAction* Undo1, QAction* Redo1)
{
    QUndoStack& steps = m_history.stack();
    const auto follow = [](QAction* action, const QString& command, const QString& step) {
        action->setText(step.isEmpty() ? command : command + QLatin1Char(' ') + step);
    };
    connect(&steps, &QUndoStack::undoTextChanged, Undo1,
            [Undo1, follow](const QString& step) { follow(Undo1, QStringLiteral("&Undo"), step); });
    connect(&steps, &QUndoStack::redoTextChanged, Redo1,
            [Redo1, follow](const QString& step) { follow(Redo1, QStringLiteral("&Redo"), step); });
    connect(&steps, &QUndoStack::canUndoChanged, Undo1, &QAction::setEnabled);
    connect(&steps, &QUndoStack::canRedoChanged, Redo1, &QAction::setEnabled);
    Undo1->setEnabled(false);
    Redo1->setEnabled(false);
    // Leaving a cell ends its spell of typing: the next edit is a step of its own.
    for (StringGrid* grid : m_controls.all()) {
        connect(grid->itemDelegate(), &QAbstractItemDelegate::closeEditor, this,
                [this] { m_history.endTyping(); });
    }
}

void EditCommands::undo()
{
    finishCellEditing();
    m_history.stack().undo();
}

void EditCommands::redo()
{
    finishCellEditing();
    m_history.stack().redo();
}

void EditCommands::finishCellEditing()
{
    // An editor left open over a cell would write its text back after the
    // cell changed under it; taking its focus commits and closes it.
    QWidget* focused = QApplication::focusWidget();
    for (StringGrid* grid : m_controls.all()) {
        if (focused && grid->isAncestorOf(focused) && focused != grid && focused != grid->viewport()) {
            grid->setFocus();
            break;
        }
    }
    m_history.endTyping();
}
