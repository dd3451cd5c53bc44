#include "Controls.h"
#include "ViewTestSupport.h"

#include "MatchRecord.h"
#include "PageFixtures.h"
#include "StringGrid.h"

#include <QAccessible>
#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCoreApplication>
#include <QFile>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QStatusBar>

#include <functional>
#include <string>
#include <vector>

namespace {

class CellCommandsTest : public ViewTest
{
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        const QString page = m_folder.filePath(QStringLiteral("team.htm"));
        ASSERT_TRUE(QFile::copy(samplePagePath(), page));
        m_view->openPage(page);
        ASSERT_EQ(players()->cell(1, 1), samplePageSheet().cell(SheetGrid::Players, 1, 1));
    }

    StringGrid* players() const { return control<StringGrid>(m_view.get(), "TeamGrid"); }
    StringGrid* grid(const char* name) const { return control<StringGrid>(m_view.get(), name); }
    void run(const char* action) const { control<QAction>(m_view.get(), action)->trigger(); }
    std::vector<std::string> page()
    {
        m_view->buildPage();
        return m_view->pageBuffer();
    }
    // Selects the cells from (col, row) to (lastCol, lastRow) with (col, row) current.
    static void select(StringGrid* grid, int col, int row, int lastCol, int lastRow)
    {
        grid->setFocus();
        grid->setCurrentCell(col, row);
        grid->selectionModel()->select(
            QItemSelection(grid->model()->index(row, col), grid->model()->index(lastRow, lastCol)),
            QItemSelectionModel::ClearAndSelect);
    }
    QString statusText() const { return m_view->statusBar()->currentMessage(); }
};

// Every command that changes cells is one step: undo gives back the page
// byte for byte, redo the page the command made.
TEST_F(CellCommandsTest, EachCommandIsOneStepThatUndoTakesBackWhole)
{
    struct Case
    {
        const char* name;
        std::function<void()> command;
        std::function<void()> check;           // on the grids after the command
        std::function<void()> prepare = [] {}; // before the command, not part of its step
    };
    const QString sample1 = samplePageSheet().cell(SheetGrid::Players, 1, 1);
    const QString sample2 = samplePageSheet().cell(SheetGrid::Players, 1, 2);
    const Case cases[] = {
        {"paste a block with a number column",
         [this] {
             select(players(), 1, 2, 1, 2);
             m_view->activateWindow();
             QApplication::clipboard()->setText(QStringLiteral("Ann\tCatcher\t8\nBob\tBlitzer\t7\n"));
             run("Paste1");
         },
         [this] {
             EXPECT_EQ(players()->cell(1, 3), "Bob");
             EXPECT_EQ(players()->cell(3, 2), "8");
         }},
        {"paste one text into a selection",
         [this] {
             select(grid("GameGrid"), 1, 1, 2, 1);
             QApplication::clipboard()->setText(QStringLiteral("same"));
             run("Paste1");
         },
         [this] {
             EXPECT_EQ(grid("GameGrid")->cell(1, 1), "same");
             EXPECT_EQ(grid("GameGrid")->cell(2, 1), "same");
         }},
        {"delete a range",
         [this] {
             select(players(), 1, 1, 8, 2);
             run("Delete1");
         },
         [this] { EXPECT_EQ(players()->cell(8, 2), ""); }},
        {"cut a cell",
         [this] {
             select(players(), 1, 1, 1, 1);
             run("Cut1");
         },
         [this, sample1] {
             EXPECT_EQ(players()->cell(1, 1), "");
             EXPECT_EQ(QApplication::clipboard()->text(), sample1 + "\n");
         }},
        {"insert a player above the second",
         [this] {
             select(players(), 2, 2, 2, 2);
             run("InsertPlayer");
         },
         [this, sample2] {
             EXPECT_EQ(players()->cell(1, 2), "");
             EXPECT_EQ(players()->cell(1, 3), sample2);
             EXPECT_EQ(players()->cell(0, 3), "3");
         }},
        {"remove the first player",
         [this] {
             select(players(), 1, 1, 1, 1);
             run("RemovePlayer");
         },
         [this, sample2] {
             EXPECT_EQ(players()->cell(1, 1), sample2);
             EXPECT_EQ(players()->cell(0, 1), "1");
         }},
        {"move the second player up",
         [this] {
             select(players(), 1, 2, 1, 2);
             run("MovePlayerUp");
         },
         [this, sample1, sample2] {
             EXPECT_EQ(players()->cell(1, 1), sample2);
             EXPECT_EQ(players()->cell(1, 2), sample1);
             EXPECT_EQ(players()->currentCell(), QPoint(1, 1));
         }},
        {"move the first player down",
         [this] {
             select(players(), 1, 1, 1, 1);
             run("MovePlayerDown");
         },
         [this, sample1] { EXPECT_EQ(players()->cell(1, 2), sample1); }},
        // A menu command while the cell's editor is still open is no part of
        // the typing there.
        {"update cost of team over a cost being typed", [this] { run("UpdateCostOfTeam"); },
         [this] { EXPECT_EQ(grid("TeamGrid2")->cell(1, 5), "1170000"); },
         [this] {
             QLineEdit* editor = openEditor(grid("TeamGrid2"), 1, 5);
             ASSERT_NE(editor, nullptr);
             QKeyEvent seven(QEvent::KeyPress, Qt::Key_7, Qt::NoModifier, QStringLiteral("7"));
             QCoreApplication::sendEvent(editor, &seven);
             ASSERT_EQ(grid("TeamGrid2")->cell(1, 5), "7");
         }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.prepare();
        const std::vector<std::string> before = page();
        c.command();
        c.check();
        const std::vector<std::string> after = page();
        EXPECT_NE(after, before);
        run("Undo1");
        EXPECT_EQ(page(), before);
        run("Redo1");
        EXPECT_EQ(page(), after);
        run("Undo1");
    }
}

TEST_F(CellCommandsTest, PasteIsCutAtTheGridsEdgeAndNumberCellsRefuseLetters)
{
    StringGrid* details = grid("TeamGrid2");
    const int lastRow = details->rowCount() - 1;
    select(details, 1, lastRow - 1, 1, lastRow - 1);
    QApplication::clipboard()->setText(QStringLiteral("a\tb\nc\td\ne\tf\n"));
    run("Paste1");
    EXPECT_EQ(details->cell(1, lastRow - 1), "a");
    EXPECT_EQ(details->cell(1, lastRow), "c");
    EXPECT_TRUE(statusText().contains("Paste cut at the grid's edge: 4 cells left out"))
        << statusText().toStdString();

    // A ragged block, one long line over many short ones, spans 50000 x 50000
    // cells: more than an int counts, and far too many to visit one by one.
    QApplication::clipboard()->setText("x" + QString(49999, QLatin1Char('\t')) +
                                       QString(50000, QLatin1Char('\n')));
    select(details, 1, 1, 1, 1);
    run("Paste1");
    EXPECT_EQ(details->cell(1, 1), "x");
    EXPECT_TRUE(statusText().contains("Paste cut at the grid's edge: 2499999995 cells left out"))
        << statusText().toStdString();

    // The team rating takes whole numbers only.
    const QString rating = details->cell(1, 2);
    select(details, 1, 2, 1, 2);
    QApplication::clipboard()->setText(QStringLiteral("lots"));
    run("Paste1");
    EXPECT_EQ(details->cell(1, 2), rating);
    EXPECT_TRUE(statusText().contains("no whole number"));
}

// A match record of its heading row alone has no heading row, so its cells
// can be selected. Once another roster gives the grid its heading row again,
// a selection left there must not let a command write into the headings.
TEST_F(CellCommandsTest, CommandsLeaveHeadingsAloneThatWereCellsWhenSelected)
{
    MatchRecord headingsOnly;
    headingsOnly.ColCount = 8;
    headingsOnly.RowCount = 1;
    headingsOnly.Cells = {{"Result", "Opponent"}};
    m_view->applyMatchRecord(headingsOnly, TextEncoding::Utf8);
    StringGrid* games = grid("GameGrid");
    ASSERT_EQ(games->fixedRows(), 0);
    const char* const commands[] = {"Delete1", "Cut1", "Paste1"};
    for (const char* command : commands) {
        SCOPED_TRACE(command);
        select(games, 0, 0, 1, 0);
        m_view->New1Click();
        ASSERT_EQ(games->fixedRows(), 1);
        QApplication::clipboard()->setText(QStringLiteral("pasted"));
        run(command);
        EXPECT_EQ(games->cell(0, 0), "Result");
        EXPECT_EQ(games->cell(1, 0), "Opponent");
        m_view->applyMatchRecord(headingsOnly, TextEncoding::Utf8);
    }
}

TEST_F(CellCommandsTest, CopyGivesTheSelectionAsTabSeparatedRows)
{
    select(players(), 0, 1, 2, 2);
    run("Copy1");
    const RosterSheet sample = samplePageSheet();
    QString expected;
    for (int row = 1; row <= 2; ++row) {
        // Column 0 numbers the slots and is no heading: it is copied too.
        expected += sample.cell(SheetGrid::Players, 0, row) + '\t' + sample.cell(SheetGrid::Players, 1, row) +
                    '\t' + sample.cell(SheetGrid::Players, 2, row) + '\n';
    }
    EXPECT_EQ(QApplication::clipboard()->text(), expected);
}

TEST_F(CellCommandsTest, InsertIsRefusedWhenTheLastSlotHoldsAPlayer)
{
    StringGrid* grid = players();
    grid->setCell(1, 16, QStringLiteral("Last"));
    select(grid, 1, 1, 1, 1);
    const std::vector<std::string> before = page();
    run("InsertPlayer");
    EXPECT_EQ(page(), before);
    EXPECT_TRUE(statusText().startsWith("No free slot"));
}

TEST_F(CellCommandsTest, FindSelectsTheNextCellHoldingTheTextAndGoesRound)
{
    const RosterSheet sample = samplePageSheet();
    // Two players' skills hold the same word; Find starts at the top.
    const QString word = QStringLiteral("zebraword");
    players()->setCell(7, 3, "Block, " + word);
    players()->setCell(8, 9, word.toUpper());
    run("Find1");
    auto* text = control<QLineEdit>(m_view.get(), "FindText");
    ASSERT_TRUE(text->isVisible());
    text->setText(word);
    QMetaObject::invokeMethod(text, "returnPressed");
    EXPECT_EQ(players()->currentCell(), QPoint(7, 3));
    run("FindNext1");
    EXPECT_EQ(players()->currentCell(), QPoint(8, 9));
    run("FindNext1");
    EXPECT_EQ(players()->currentCell(), QPoint(7, 3));

    text->setText(QStringLiteral("no such text anywhere"));
    run("FindNext1");
    EXPECT_EQ(players()->currentCell(), QPoint(7, 3));
    EXPECT_TRUE(statusText().startsWith("Not found"));
}

// A text cut at its cell's edge shows whole in the cell's tooltip; one that
// fits has none.
TEST_F(CellCommandsTest, ACutTextShowsWholeInItsTooltip)
{
    const QString longName = QStringLiteral("Grimbold Stonefist, Keeper of the Deepest Halls of the North");
    players()->setCell(1, 5, longName);
    players()->setCell(1, 6, QStringLiteral("Ann"));
    players()->setCell(1, 7, QString());
    // A tooltip shown stays a moment after it is hidden: the empty ones first.
    EXPECT_EQ(toolTipOf(players(), 1, 6), "");
    EXPECT_EQ(toolTipOf(players(), 1, 7), "");
    EXPECT_EQ(toolTipOf(players(), 1, 5), longName);
}

// Screen readers hear where a cell stands and what it holds, through Qt's
// accessibility interface of the grids.
TEST_F(CellCommandsTest, CellsTellScreenReadersWhereTheyStand)
{
    players()->setCell(7, 3, QStringLiteral("Block, Dodge"));
    grid("TeamGrid3")->setCell(3, 0, QStringLiteral("150k"));
    grid("GameGrid")->setCell(1, 1, QStringLiteral("Orcs"));
    const RosterSheet& sheet = m_view->sheet();
    struct Case
    {
        const char* grid;
        int col, row;
        QString name;
    };
    const Case cases[] = {
        {"TeamGrid", 7, 3, "Player 3, Skills: Block, Dodge"},
        {"TeamGrid", 7, 16, "Player 16, Skills"},
        {"TeamGrid", 7, 0, "Skills"},
        {"TeamGrid2", 1, 0, "Team Name: " + sheet.cell(SheetGrid::Details, 1, 0)},
        {"TeamGrid3", 3, 0, "Re-Rolls cost: 150k"},
        {"GameGrid", 1, 1, "Match 1, " + sheet.cell(SheetGrid::Matches, 1, 0) + ": Orcs"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        QAccessibleInterface* table = QAccessible::queryAccessibleInterface(grid(c.grid));
        ASSERT_NE(table, nullptr);
        ASSERT_NE(table->tableInterface(), nullptr);
        QAccessibleInterface* cell = table->tableInterface()->cellAt(c.row, c.col);
        ASSERT_NE(cell, nullptr);
        EXPECT_EQ(cell->text(QAccessible::Name), c.name);
    }
}

} // namespace

// Every command of the menu bar is reachable from the keyboard: its menu has a
// mnemonic, and the item has one of its own or a key, no two items of a menu
// sharing a mnemonic. A disabled item (a placeholder such as "No recent
// pages") is no command.
TEST_F(CellCommandsTest, EveryMenuCommandHasAKeyOrAMnemonic)
{
    const auto mnemonicOf = [](const QString& text) {
        const qsizetype at = text.indexOf(QLatin1Char('&'));
        return at >= 0 && at + 1 < text.size() ? text.at(at + 1).toLower() : QChar();
    };
    const std::function<void(const QMenu*)> checkMenu = [&](const QMenu* menu) {
        QList<QChar> taken;
        for (const QAction* action : menu->actions()) {
            if (action->isSeparator() || !action->isVisible() || !action->isEnabled())
                continue;
            const QChar mnemonic = mnemonicOf(action->text());
            EXPECT_TRUE(!mnemonic.isNull() || !action->shortcut().isEmpty())
                << menu->title().toStdString() << ": " << action->text().toStdString();
            if (!mnemonic.isNull()) {
                EXPECT_FALSE(taken.contains(mnemonic))
                    << menu->title().toStdString() << ": " << action->text().toStdString();
                taken.push_back(mnemonic);
            }
            if (action->menu())
                checkMenu(action->menu());
        }
    };
    for (const QAction* top : m_view->menuBar()->actions()) {
        EXPECT_FALSE(mnemonicOf(top->text()).isNull()) << top->text().toStdString();
        checkMenu(top->menu());
    }
}
