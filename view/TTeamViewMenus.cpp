#include "TTeamView.h"

#include "AboutBox.h"
#include "CellPickers.h"
#include "ClipboardCommands.h"
#include "EditCommands.h"
#include "ErrorReport.h"
#include "FindBar.h"
#include "HiringCommands.h"
#include "PaperMenu.h"
#include "PlayerRowCommands.h"
#include "RosterDocument.h"
#include "RulesCommands.h"
#include "ShortcutsDialog.h"
#include "StringGrid.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

// The window's menus; each item runs its command through the command guard.

namespace {

// The platform's keys for a command; where its key scheme has none (Save As
// and Quit have none in some), the keys most desktops use.
void setStandardKeys(QAction* action, QKeySequence::StandardKey key, const QKeySequence& fallback)
{
    const QList<QKeySequence> keys = QKeySequence::keyBindings(key);
    if (!keys.isEmpty())
        action->setShortcuts(keys);
    else if (!fallback.isEmpty())
        action->setShortcut(fallback);
}

} // namespace

void TTeamView::createMenu()
{
    File1 = menuBar()->addMenu(QStringLiteral("&File"));
    New1 = File1->addAction(QStringLiteral("&New"), this, guarded([this] { newTeam(); }));
    Open1 = File1->addAction(QStringLiteral("&Open..."), this, guarded([this] { openPageSource(); }));
    Import1 = File1->addAction(QStringLiteral("&Import..."), this, guarded([this] { importPage(); }));
    Save2 = File1->addAction(QStringLiteral("&Save"), this, guarded([this] { save(); }));
    Save1 = File1->addAction(QStringLiteral("Save &As..."), this, guarded([this] { saveAs(); }));
    File1->addSeparator();
    exit1 = File1->addAction(QStringLiteral("E&xit"), this, guarded([this] { exitProgram(); }));
    setStandardKeys(New1, QKeySequence::New, {});
    setStandardKeys(Open1, QKeySequence::Open, {});
    setStandardKeys(Save2, QKeySequence::Save, {});
    setStandardKeys(Save1, QKeySequence::SaveAs, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_S));
    setStandardKeys(exit1, QKeySequence::Quit, QKeySequence(Qt::CTRL | Qt::Key_Q));
    // Print and export take what the window shows, like Save, and are
    // offered once saving is.
    m_paperMenu = new PaperMenu(File1, exit1, this, [this]() -> const RosterSheet& { return m_sheet; });
    Save2->setEnabled(false);
    Save1->setEnabled(false);

    createEditMenu();

    Colors1 = menuBar()->addMenu(QStringLiteral("&Colors"));
    Backgound1 =
        Colors1->addAction(QStringLiteral("&Background"), this, guarded([this] { chooseBackgroundColor(); }));
    Table1 = Colors1->addAction(QStringLiteral("&Table"), this, guarded([this] { chooseTableColor(); }));
    TableHeadings1 = Colors1->addAction(QStringLiteral("Table &Headings"), this,
                                        guarded([this] { chooseHeadingsColor(); }));

    Fonts2 = menuBar()->addMenu(QStringLiteral("Fo&nts"));
    Main1 = Fonts2->addAction(QStringLiteral("&Heading"), this, guarded([this] { chooseHeadingFont(); }));
    Table2 = Fonts2->addAction(QStringLiteral("&Table"), this, guarded([this] { chooseTableFont(); }));

    QMenu* team = menuBar()->addMenu(QStringLiteral("&Team"));
    team->setObjectName(QStringLiteral("TeamMenu"));
    m_updateCostOfTeam = team->addAction(QStringLiteral("&Update Cost of Team"), this,
                                         guarded([this] { updateCostOfTeam(); }));
    m_updateCostOfTeam->setObjectName(QStringLiteral("UpdateCostOfTeam"));
    m_updateCostOfTeam->setEnabled(false);
    m_playerRows = new PlayerRowCommands(m_document->history(), TeamGrid, statusBar(), this);
    m_playerRows->addTo(team);
    m_rulesCommands = new RulesCommands(*m_rules, m_sheet, m_document->history(), grids(), this);
    m_rulesCommands->addTo(team);
    m_paperMenu->setFindingsSource([this] {
        return PaperFindings{m_rulesCommands->paperHeading(), m_rulesCommands->paperLines()};
    });
    m_hiring = new HiringCommands(*m_rules, m_document->history(), TeamGrid, statusBar(), this);
    m_hiring->addTo(team);
    m_pickers = new CellPickers(*m_rules, m_document->history(), TeamGrid, TeamGrid2, this);
    createCellMenus();

    const std::pair<QObject*, const char*> names[] = {
        {File1, "File1"},     {New1, "New1"},
        {Open1, "Open1"},     {Save2, "Save2"},
        {Save1, "Save1"},     {exit1, "exit1"},
        {Colors1, "Colors1"}, {Backgound1, "Backgound1"},
        {Table1, "Table1"},   {TableHeadings1, "TableHeadings1"},
        {Fonts2, "Fonts2"},   {Main1, "Main1"},
        {Table2, "Table2"},   {EditMenu, "EditMenu"},
        {Undo1, "Undo1"},     {Redo1, "Redo1"}};
    for (const auto& [item, name] : names)
        item->setObjectName(QString::fromLatin1(name));
}

void TTeamView::createEditMenu()
{
    EditMenu = menuBar()->addMenu(QStringLiteral("&Edit"));
    Undo1 = EditMenu->addAction(QStringLiteral("&Undo"), this, guarded([this] { undo(); }));
    Redo1 = EditMenu->addAction(QStringLiteral("&Redo"), this, guarded([this] { redo(); }));
    setStandardKeys(Undo1, QKeySequence::Undo, QKeySequence(Qt::CTRL | Qt::Key_Z));
    setStandardKeys(Redo1, QKeySequence::Redo, QKeySequence(Qt::CTRL | Qt::SHIFT | Qt::Key_Z));
    m_editing->followHistory(Undo1, Redo1);
    m_clipboard = new ClipboardCommands(m_document->history(), grids(), statusBar(), this);
    m_clipboard->addTo(EditMenu);
    m_findBar = new FindBar(grids(), statusBar(), this);
    m_findBar->addTo(EditMenu);
}

void TTeamView::createHelpMenu()
{
    Help1 = menuBar()->addMenu(QStringLiteral("&Help"));
    Help1->setObjectName(QStringLiteral("Help1"));
    Shortcuts1 =
        Help1->addAction(QStringLiteral("&Keyboard Shortcuts"), this, guarded([this] { showShortcuts(); }));
    Shortcuts1->setObjectName(QStringLiteral("Shortcuts1"));
    setStandardKeys(Shortcuts1, QKeySequence::HelpContents, QKeySequence(Qt::Key_F1));
    About1 = Help1->addAction(QStringLiteral("&About Team Editor"), this, [this] { AboutBox::show(this); });
    About1->setObjectName(QStringLiteral("About1"));
}

void TTeamView::showShortcuts()
{
    QList<QAction*> commands;
    for (QAction* menu : menuBar()->actions()) {
        if (menu->menu())
            commands += menu->menu()->actions();
    }
    ShortcutsDialog dialog(commands, this);
    dialog.exec();
}

void TTeamView::createCellMenus()
{
    for (StringGrid* grid : {TeamGrid, TeamGrid2, TeamGrid3, GameGrid}) {
        grid->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(grid, &QWidget::customContextMenuRequested, this, [this, grid](const QPoint& at) {
            // A click outside the selection makes the cell under it current first.
            const QModelIndex index = grid->indexAt(at);
            if (index.isValid() && !grid->selectionModel()->isSelected(index))
                grid->setCurrentCell(index.column(), index.row());
            grid->setFocus();
            QMenu menu(this);
            menu.addActions(cellMenuActions(grid));
            menu.exec(grid->viewport()->mapToGlobal(at));
        });
    }
}

QList<QAction*> TTeamView::cellMenuActions(StringGrid* grid) const
{
    QList<QAction*> actions = m_clipboard->cellActions();
    if (grid == TeamGrid)
        actions += m_playerRows->actions() + m_hiring->cellActions();
    return actions;
}
