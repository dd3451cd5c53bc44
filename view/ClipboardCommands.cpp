#include "ClipboardCommands.h"

#include "CellBlock.h"
#include "EditHistory.h"
#include "ErrorReport.h"
#include "StringGrid.h"
#include "WholeNumberValidator.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QItemSelectionModel>
#include <QMenu>
#include <QStatusBar>

#include <algorithm>

namespace {

// How long a note about a paste stays in the status bar.
constexpr int NoteMilliseconds = 8000;

bool isWholeNumber(QString text)
{
    int position = 0;
    return WholeNumberValidator().validate(text, position) == QValidator::Acceptable;
}

QAction* addCommand(QMenu* menu, const QString& text, const char* name, QKeySequence::StandardKey key,
                    std::function<void()> command)
{
    QAction* action = menu->addAction(text, menu, guarded(std::move(command)));
    action->setObjectName(QString::fromLatin1(name));
    action->setShortcuts(key);
    return action;
}

} // namespace

ClipboardCommands::ClipboardCommands(EditHistory& history, const WindowGrids& controls, QStatusBar* statusBar,
                                     QWidget* window)
    : QObject(window), m_history(history), m_controls(controls), m_statusBar(statusBar), m_window(window),
      m_activeGrid(controls.TeamGrid)
{
    for (StringGrid* grid : m_controls.all())
        grid->setSelectionMode(QAbstractItemView::ContiguousSelection);
    connect(qApp, &QApplication::focusChanged, this, [this](QWidget*, QWidget* now) { focusChanged(now); });
}

void ClipboardCommands::addTo(QMenu* menu)
{
    menu->addSeparator();
    m_cut = addCommand(menu, QStringLiteral("Cu&t"), "Cut1", QKeySequence::Cut, [this] { cut(); });
    m_copy = addCommand(menu, QStringLiteral("&Copy"), "Copy1", QKeySequence::Copy, [this] { copy(); });
    m_paste = addCommand(menu, QStringLiteral("&Paste"), "Paste1", QKeySequence::Paste, [this] { paste(); });
    m_delete = addCommand(menu, QStringLiteral("&Delete"), "Delete1", QKeySequence::Delete,
                          [this] { deleteCells(); });
    menu->addSeparator();
    m_selectAll = addCommand(menu, QStringLiteral("Select &All"), "SelectAll1", QKeySequence::SelectAll,
                             [this] { selectAll(); });
}

QList<QAction*> ClipboardCommands::cellActions() const
{
    return {m_cut, m_copy, m_paste, m_delete};
}

void ClipboardCommands::focusChanged(QWidget* now)
{
    for (StringGrid* grid : m_controls.all()) {
        if (now && (now == grid || grid->isAncestorOf(now)))
            m_activeGrid = grid;
    }
}

StringGrid* ClipboardCommands::activeGrid() const
{
    // The window's focus widget stays while a menu is open or the window is
    // in the background.
    QWidget* focused = m_window->focusWidget();
    for (StringGrid* grid : m_controls.all()) {
        if (focused && (focused == grid || grid->isAncestorOf(focused)))
            return grid;
    }
    return m_activeGrid ? m_activeGrid.data() : m_controls.TeamGrid;
}

QRect ClipboardCommands::selectedCells(const StringGrid* grid)
{
    // Headings are never offered for selection, but a selection stays when
    // another roster turns its cells into headings.
    const auto isCell = [](const QModelIndex& index) {
        return index.isValid() && index.flags().testFlag(Qt::ItemIsSelectable);
    };
    QRect cells;
    for (const QModelIndex& index : grid->selectionModel()->selectedIndexes()) {
        if (isCell(index))
            cells |= QRect(index.column(), index.row(), 1, 1);
    }
    const QModelIndex current = grid->currentIndex();
    if (cells.isEmpty() && isCell(current))
        cells = QRect(current.column(), current.row(), 1, 1);
    return cells;
}

void ClipboardCommands::copy()
{
    const StringGrid* grid = activeGrid();
    const QRect cells = selectedCells(grid);
    if (cells.isEmpty())
        return;
    CellBlock block;
    for (int row = cells.top(); row <= cells.bottom(); ++row) {
        QStringList texts;
        for (int col = cells.left(); col <= cells.right(); ++col)
            texts.append(grid->cell(col, row));
        block.rows.push_back(texts);
    }
    QApplication::clipboard()->setText(block.toTabText());
}

void ClipboardCommands::cut()
{
    copy();
    clearCells(QStringLiteral("Cut"));
}

void ClipboardCommands::deleteCells()
{
    clearCells(QStringLiteral("Delete"));
}

void ClipboardCommands::clearCells(const QString& stepName)
{
    StringGrid* grid = activeGrid();
    const QRect cells = selectedCells(grid);
    m_history.asOneStep(stepName, [&] {
        for (int row = cells.top(); row <= cells.bottom(); ++row) {
            for (int col = cells.left(); col <= cells.right(); ++col)
                grid->setCell(col, row, QString());
        }
    });
}

void ClipboardCommands::paste()
{
    const QString text = QApplication::clipboard()->text();
    if (!text.isEmpty())
        pasteText(activeGrid(), text);
}

void ClipboardCommands::pasteText(StringGrid* grid, const QString& text)
{
    const QRect selection = selectedCells(grid);
    if (selection.isEmpty())
        return;
    const CellBlock block = CellBlock::fromTabText(text);
    const bool fill = block.rowCount() == 1 && block.colCount() == 1;
    const QRect target =
        fill ? selection : QRect(selection.topLeft(), QSize(block.colCount(), block.rowCount()));
    // Only the cells within the grid are visited: a ragged block of a long
    // first line and many short lines spans billions of cells beyond it.
    const QRect pasted = target & QRect(0, 0, grid->colCount(), grid->rowCount());
    const qint64 leftOut =
        qint64(target.width()) * target.height() - qint64(pasted.width()) * pasted.height();
    int refused = 0;
    m_history.asOneStep(QStringLiteral("Paste"), [&] {
        for (int row = pasted.top(); row <= pasted.bottom(); ++row) {
            for (int col = pasted.left(); col <= pasted.right(); ++col) {
                const QString cell =
                    fill ? block.at(0, 0) : block.at(col - target.left(), row - target.top());
                if (grid->isWholeNumberCell(col, row) && !isWholeNumber(cell)) {
                    ++refused;
                } else {
                    grid->setCell(col, row, cell);
                }
            }
        }
    });
    grid->selectionModel()->select(QItemSelection(grid->model()->index(pasted.top(), pasted.left()),
                                                  grid->model()->index(pasted.bottom(), pasted.right())),
                                   QItemSelectionModel::ClearAndSelect);
    QStringList notes;
    if (leftOut > 0)
        notes << QStringLiteral("Paste cut at the grid's edge: %1 cells left out").arg(leftOut);
    if (refused > 0)
        notes << QStringLiteral("%1 number cells kept their text: the pasted text is no whole number")
                     .arg(refused);
    if (!notes.isEmpty())
        m_statusBar->showMessage(notes.join(QStringLiteral("; ")), NoteMilliseconds);
}

void ClipboardCommands::selectAll()
{
    activeGrid()->selectAll();
}
