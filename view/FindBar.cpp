#include "FindBar.h"

#include "StringGrid.h"

#include <QAction>
#include <QApplication>
#include <QLineEdit>
#include <QMainWindow>
#include <QMenu>
#include <QStatusBar>

namespace {

// The players' name, position, skills and injuries columns.
constexpr int PlayerColumns[] = {1, 2, 7, 8};
constexpr int NoteMilliseconds = 5000;

} // namespace

FindBar::FindBar(const WindowGrids& controls, QStatusBar* statusBar, QWidget* window)
    : QToolBar(QStringLiteral("Find"), window), m_controls(controls), m_statusBar(statusBar),
      m_text(new QLineEdit(this))
{
    setObjectName(QStringLiteral("FindBar"));
    setMovable(false);
    setFloatable(false);
    m_text->setObjectName(QStringLiteral("FindText"));
    m_text->setPlaceholderText(QStringLiteral("Find in names, positions, skills, injuries and matches"));
    m_text->setClearButtonEnabled(true);
    m_text->setMaximumWidth(360);
    addWidget(m_text);
    addAction(QStringLiteral("Next"), this, [this] {
        findNext();
    })->setObjectName(QStringLiteral("FindBarNext"));
    addAction(QStringLiteral("Close"), this, [this] {
        finish();
    })->setObjectName(QStringLiteral("FindBarClose"));
    connect(m_text, &QLineEdit::returnPressed, this, [this] { findNext(); });
    auto* escape = new QAction(this);
    escape->setShortcut(Qt::Key_Escape);
    escape->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(escape, &QAction::triggered, this, &FindBar::finish);
    QWidget::addAction(escape);
    if (auto* mainWindow = qobject_cast<QMainWindow*>(window))
        mainWindow->addToolBar(Qt::BottomToolBarArea, this);
    hide();
}

void FindBar::addTo(QMenu* menu)
{
    menu->addSeparator();
    QAction* find = menu->addAction(QStringLiteral("&Find..."), this, [this] { start(); });
    find->setObjectName(QStringLiteral("Find1"));
    find->setShortcuts(QKeySequence::Find);
    QAction* next = menu->addAction(QStringLiteral("Find &Next"), this, [this] {
        if (m_text->text().isEmpty())
            start();
        else
            findNext();
    });
    next->setObjectName(QStringLiteral("FindNext1"));
    next->setShortcuts(QKeySequence::FindNext);
}

void FindBar::start()
{
    show();
    m_text->setFocus();
    m_text->selectAll();
}

void FindBar::finish()
{
    hide();
    for (StringGrid* grid : m_controls.all()) {
        if (grid->currentCell().y() >= 0 && grid->isVisible()) {
            grid->setFocus();
            break;
        }
    }
}

std::vector<FindBar::Place> FindBar::searchedCells() const
{
    std::vector<Place> cells;
    StringGrid* players = m_controls.TeamGrid;
    for (int row = players->fixedRows(); row < players->rowCount(); ++row) {
        for (int col : PlayerColumns)
            cells.push_back({players, col, row});
    }
    StringGrid* matches = m_controls.GameGrid;
    for (int row = matches->fixedRows(); row < matches->rowCount(); ++row) {
        for (int col = matches->fixedCols(); col < matches->colCount(); ++col)
            cells.push_back({matches, col, row});
    }
    return cells;
}

bool FindBar::findNext()
{
    const QString text = m_text->text();
    if (text.isEmpty())
        return false;
    const std::vector<Place> cells = searchedCells();
    // The search starts after the current cell of the grid that has the focus,
    // or from the top.
    std::size_t start = 0;
    for (std::size_t i = 0; i < cells.size(); ++i) {
        const Place& place = cells[i];
        if (window()->focusWidget() == place.grid &&
            place.grid->currentCell() == QPoint(place.col, place.row))
            start = i + 1;
    }
    for (std::size_t step = 0; step < cells.size(); ++step) {
        const Place& place = cells[(start + step) % cells.size()];
        if (place.grid->cell(place.col, place.row).contains(text, Qt::CaseInsensitive)) {
            place.grid->setCurrentCell(place.col, place.row);
            place.grid->setFocus();
            return true;
        }
    }
    m_statusBar->showMessage(QStringLiteral("Not found: %1").arg(text), NoteMilliseconds);
    return false;
}
