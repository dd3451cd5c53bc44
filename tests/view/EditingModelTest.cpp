#include "Controls.h"
#include "ViewTestSupport.h"

#include "ActiveRules.h"
#include "PageFile.h"
#include "PageFixtures.h"
#include "PageStore.h"
#include "ReadBackCheck.h"
#include "RosterDocument.h"
#include "RosterReader.h"
#include "RulesFile.h"
#include "SheetBuilder.h"
#include "SheetTotals.h"
#include "StringGrid.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCompleter>
#include <QFile>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QRegularExpression>
#include <QUndoStack>

#include <array>
#include <cstdlib>
#include <optional>
#include <random>
#include <utility>

namespace {

// What a page cannot carry, and a save warns of: a line break or a double
// quote within a cell, blanks around a text, the price and cost of a line
// without a count or with a price without its "x", a count other than 0 or 1
// of the apothecary or the wizard, and the cells of a player's row with
// blanks (or lone "0"s, which the page leaves blank): the row runs its cells together.
bool isKnownLoss(const RosterSheet& sheet, const ReadBackDifference& difference)
{
    if (!difference.readError.isEmpty())
        return false;
    const QString& shown = difference.shownText;
    if (shown.contains(QRegularExpression(QStringLiteral("[\r\n\"]|^\\s|\\s$"))))
        return true;
    const auto& extras = [&](int col) { return sheet.cell(SheetGrid::Extras, col, difference.row); };
    if (difference.grid == SheetGrid::Extras &&
        (extras(1).isEmpty() || !extras(2).contains(QLatin1Char('x'), Qt::CaseInsensitive) ||
         (difference.row >= 4 && extras(1) != QLatin1String("0") && extras(1) != QLatin1String("1"))))
        return true;
    if (difference.grid != SheetGrid::Players)
        return false;
    for (int col = 1; col < sheet.table(SheetGrid::Players).colCount(); ++col) {
        const QString& cell = sheet.cell(SheetGrid::Players, col, difference.row);
        if (cell.isEmpty() || cell == QLatin1String("0"))
            return true;
    }
    return false;
}

// Random sequences of the window's edit commands on the sample roster or a new
// team, with the example league loaded. After every command: undo and redo retrace the
// states the roster passed, the totals shown are those of the sheet as it
// stands, headings stay, and the page the window writes reads back to it.
class EditingModelTest : public ViewTest
{
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        collectReports();
        m_view->leagueRules().load(
            readRulesFile(QStringLiteral(TE_SOURCE_DIR "/examples/example-league.json")),
            QStringLiteral("l.json"));
        QFile::copy(samplePagePath(), m_folder.filePath(QStringLiteral("team.htm")));
        m_view->openPage(QStringLiteral("team.htm"));
        m_stack = &m_view->findChild<RosterDocument*>()->history().stack();
    }

    StringGrid* grid(SheetGrid which) const
    {
        static const char* const names[] = {"TeamGrid", "TeamGrid2", "TeamGrid3", "GameGrid"};
        return control<StringGrid>(m_view.get(), names[int(which)]);
    }
    void run(const char* action) const { control<QAction>(m_view.get(), action)->trigger(); }
    int between(int low, int high) { return low + int(m_random() % unsigned(high - low + 1)); }
    template <typename T, std::size_t N> const T& pick(const T (&items)[N]) { return items[m_random() % N]; }

    // A random editable cell of the grid.
    QPoint anyCell(SheetGrid which)
    {
        const SheetTable& table = m_view->sheet().table(which);
        return {between(table.shape().fixedCols, table.colCount() - 1),
                between(table.shape().fixedRows, table.rowCount() - 1)};
    }

    QString anyText()
    {
        static const char* const texts[] = {
            "",       "Grim",   "7",        "12",       "-3",           "50k",     "120k",      "$90,000",
            "1,240k", "ninety", "x $10k =", "Ünter Öl", "Block, Dodge", "a \"b\"", "  padded ", "0"};
        return QString::fromUtf8(pick(texts));
    }

    // Tab-separated text as spreadsheets copy it: ragged rows, quoted cells
    // with tabs, quotes and line breaks, any line ends.
    QString anyBlock()
    {
        static const char* const ends[] = {"\n", "\r\n", "\r"};
        const QString end = QString::fromLatin1(pick(ends));
        QString text;
        const int rows = between(1, 4);
        for (int row = 0; row < rows; ++row) {
            const int cols = between(1, 4);
            for (int col = 0; col < cols; ++col) {
                if (col > 0)
                    text += QLatin1Char('\t');
                if (between(0, 5) == 0)
                    text += QStringLiteral("\"line\tone\"\"") + end + QStringLiteral("two\"");
                else
                    text += anyText();
            }
            if (row + 1 < rows || between(0, 1) == 0)
                text += end;
        }
        return text;
    }

    // Focuses the grid and selects a random rectangle of it, or one cell.
    StringGrid* selectSomething()
    {
        const SheetGrid which = SheetGrid(between(0, 3));
        StringGrid* target = grid(which);
        target->setFocus();
        const QPoint from = anyCell(which);
        const QPoint to = between(0, 2) == 0 ? from : anyCell(which);
        target->setCurrentCell(from.x(), from.y());
        const QRect cells = QRect(from, to).normalized();
        target->selectionModel()->select(
            QItemSelection(target->model()->index(cells.top(), cells.left()),
                           target->model()->index(cells.bottom(), cells.right())),
            QItemSelectionModel::ClearAndSelect);
        return target;
    }

    // The players' rows, each its cells from the name on joined by tabs; empty for an empty slot.
    QStringList playerRows() const
    {
        QStringList rows;
        for (int row = 1; row <= 16; ++row) {
            QStringList cells;
            for (int col = 1; col < 16; ++col)
                cells << m_view->sheet().cell(SheetGrid::Players, col, row);
            rows << (cells.join(QString()).isEmpty() ? QString() : cells.join(QLatin1Char('\t')));
        }
        return rows;
    }

    // One random command; returns its name for the trace.
    std::string anyCommand()
    {
        switch (between(0, 21)) {
        case 0:
        case 1: {
            const SheetGrid which = SheetGrid(between(0, 3));
            const QPoint at = anyCell(which);
            QString text = anyText();
            // Typing a cell's own text again is no edit at all.
            if (grid(which)->isWholeNumberCell(at.x(), at.y()))
                text = QString::number(between(-2, 30));
            if (text == grid(which)->cell(at.x(), at.y()))
                text = grid(which)->isWholeNumberCell(at.x(), at.y()) ? QString::number(text.toInt() + 1)
                                                                      : text + QLatin1Char('1');
            typeInto(grid(which), at.x(), at.y(), text);
            m_typedCell = {int(which), at.x(), at.y()};
            return "type \"" + text.toStdString() + "\" at " + std::to_string(int(which)) + " (" +
                   std::to_string(at.x()) + ", " + std::to_string(at.y()) + ")";
        }
        case 2:
        case 3:
        case 6: {
            static const char* const commands[] = {"Copy1", "Cut1", "Delete1", "SelectAll1"};
            const char* command = pick(commands);
            selectSomething();
            run(command);
            // Select All is followed by Delete.
            if (command == commands[3])
                run("Delete1");
            return command;
        }
        case 4:
        case 5: {
            QApplication::clipboard()->setText(between(0, 2) == 0 ? anyText() : anyBlock());
            selectSomething();
            run("Paste1");
            return "paste \"" + QApplication::clipboard()->text().toStdString() + "\"";
        }
        case 7: {
            static const char* const commands[] = {"InsertPlayer", "RemovePlayer", "MovePlayerUp",
                                                   "MovePlayerDown"};
            const char* command = pick(commands);
            const int row = between(1, 16);
            grid(SheetGrid::Players)->setFocus();
            grid(SheetGrid::Players)->setCurrentCell(between(1, 15), row);
            QStringList players = playerRows();
            run(command);
            // The players only move between the slots; one taken out leaves an empty slot.
            if (command == commands[1]) {
                players.removeAt(row - 1);
                players.append(QString());
            }
            QStringList now = playerRows();
            players.sort();
            now.sort();
            EXPECT_EQ(now, players) << command;
            return command + std::string(" at ") + std::to_string(row);
        }
        case 8: {
            static const char* const positions[] = {"Longbeard", "Runner", "Blitzer", "Troll Slayer"};
            m_choosers->hireAnswer = QString::fromLatin1(pick(positions));
            m_choosers->payAnswer = between(0, 1) == 1;
            m_choosers->fireAnswer = true;
            if (between(0, 2) == 0) {
                grid(SheetGrid::Players)->setCurrentCell(1, between(1, 16));
                run("FirePlayer");
                return "fire";
            }
            run("HirePlayer");
            return "hire " + m_choosers->hireAnswer->toStdString();
        }
        case 9: {
            static const char* const skills[] = {"Block", "Dodge", "Mighty Blow", "Sure Hands", "Tackle"};
            grid(SheetGrid::Players)->setCurrentCell(7, between(1, 16));
            m_choosers->skillAnswer = QString::fromLatin1(pick(skills));
            run("AddSkill");
            return "add skill " + m_choosers->skillAnswer->toStdString();
        }
        case 10: {
            static const char* const looks[] = {"Backgound1", "Table1", "TableHeadings1"};
            const char* command = pick(looks);
            m_choosers->colorAnswer = TColor(m_random() & 0xFFFFFF);
            run(command);
            return command;
        }
        case 11: {
            static const char* const faces[] = {"Courier", "Arial", "Times", "MS Sans Serif"};
            const bool table = between(0, 1) == 1;
            m_choosers->fontAnswer =
                FontChoice{QFont(QString::fromLatin1(pick(faces))), TColor(m_random() & 0xFFFFFF)};
            run(table ? "Table2" : "Main1");
            return table ? "table font" : "heading font";
        }
        case 12:
            grid(SheetGrid::Matches)->moveColumn(between(0, 7), between(0, 7));
            return "move match column";
        case 14:
        case 15: {
            // Keys into a cell whose editor stays open for the next command.
            const SheetGrid which = SheetGrid(between(0, 3));
            const QPoint at = anyCell(which);
            QLineEdit* editor = openEditor(grid(which), at.x(), at.y());
            if (!editor)
                return "no editor";
            m_typedCell = {int(which), at.x(), at.y()};
            // A number cell may be left with a number only begun.
            static const char* const numbers[] = {"4", "-", "-4"};
            const QString text = grid(which)->isWholeNumberCell(at.x(), at.y())
                                     ? QString::fromLatin1(pick(numbers))
                                     : anyText();
            std::string keys;
            const int count = between(1, 4);
            for (int key = count; key > 0; --key) {
                bool erase = between(0, 2) == 0;
                // The first key replaces the whole text; one that leaves it as
                // it was would add a match row as a step of its own.
                if (key == count && (erase ? QString() : text.left(1 + key % 3)) == editor->text())
                    erase = !erase;
                QKeyEvent press(QEvent::KeyPress, erase ? Qt::Key_Backspace : Qt::Key_unknown, Qt::NoModifier,
                                erase ? QString() : text.left(1 + key % 3));
                QCoreApplication::sendEvent(editor, &press);
                keys += erase ? "<bs>" : text.left(1 + key % 3).toStdString();
            }
            return "keys \"" + keys + "\" left open at " + std::to_string(int(which)) + " (" +
                   std::to_string(at.x()) + ", " + std::to_string(at.y()) + ")";
        }
        case 16:
            run(between(0, 1) == 0 ? "UpdateTeamRating1" : "UpdateCostOfTeam");
            return "update rating or cost";
        case 17:
            m_choosers->saveAnywayAnswer = true;
            m_choosers->fileAnswer = m_folder.filePath(QStringLiteral("saved.htm"));
            run("Save1");
            m_clean = m_stack->index();
            return "save";
        case 19: {
            // A pick from the position or skill list of a player's cell.
            static const char* const positions[] = {"Longbeard", "Runner", "Blitzer", "Deathroller"};
            static const char* const skills[] = {"Block", "Guard", "Sure Hands"};
            const bool position = between(0, 1) == 0;
            const QPoint at(position ? 2 : 7, between(1, 16));
            QLineEdit* editor = openEditor(grid(SheetGrid::Players), at.x(), at.y());
            if (!editor || !editor->completer())
                return "no picker";
            const QString picked = QString::fromLatin1(position ? pick(positions) : pick(skills));
            emit editor->completer()->activated(picked);
            m_typedCell = {int(SheetGrid::Players), at.x(), at.y()};
            return "pick " + picked.toStdString() + " at (" + std::to_string(at.x()) + ", " +
                   std::to_string(at.y()) + ")";
        }
        case 13:
        case 18:
            run("Undo1");
            m_wentBack = true;
            return "undo";
        default:
            run("Redo1");
            m_wentBack = true;
            return "redo";
        }
    }

    // What must hold after every command, checked with the test's expectations.
    void checkInvariants(std::vector<RosterSheet>& states, int before)
    {
        const RosterSheet& sheet = m_view->sheet();
        const int index = m_stack->index();
        const auto typed = std::exchange(m_typedCell, std::nullopt);
        const bool wentBack = std::exchange(m_wentBack, false);
        if (index != before)
            m_spellCell.reset();
        if (index == before && typed && typed == m_spellCell) {
            // More typing in the cell whose editor is still open: the same step.
            states[std::size_t(index)].replaceWith(sheet);
        } else if (index == before + 1 && m_stack->count() == index && !wentBack) {
            m_spellCell = typed;
            // A step past an undone save leaves the saved state out of reach.
            if (m_clean >= index)
                m_clean = -1;
            states.resize(std::size_t(index));
            states.push_back(sheet);
        } else {
            ASSERT_LT(std::size_t(index), states.size());
            SCOPED_TRACE("step " + std::to_string(index) + " of the undo stack");
            expectSameSheet(sheet, states[std::size_t(index)]);
        }
        EXPECT_EQ(m_view->isModified(), index != m_clean) << "step " << index;

        // Headings stay; the match record's move with their columns.
        const RosterSheet& start = states.front();
        for (const SheetGrid which : AllSheetGrids) {
            const SheetTable& now = sheet.table(which);
            const SheetTable& then = start.table(which);
            EXPECT_EQ(now.colCount(), then.colCount());
            EXPECT_TRUE(which == SheetGrid::Matches ? now.rowCount() >= then.rowCount()
                                                    : now.rowCount() == then.rowCount());
            QStringList headings, startHeadings;
            for (int row = 0; row < now.rowCount(); ++row)
                for (int col = 0; col < now.colCount(); ++col)
                    if (now.isFixed(col, row)) {
                        headings << now.cell(col, row);
                        startHeadings << then.cell(col, row);
                    }
            if (which == SheetGrid::Matches) {
                headings.sort();
                startHeadings.sort();
            }
            EXPECT_EQ(headings, startHeadings) << "grid " << int(which);
        }

        // The totals shown are the sheet's, and so are the heading, faces,
        // sizes and colours.
        RosterSheet copy(sheet);
        const SheetTotals fresh(copy);
        EXPECT_EQ(m_view->totals().status(), fresh.status());
        EXPECT_TRUE(m_view->totals().marks() == fresh.marks());
        EXPECT_EQ(control<QLabel>(m_view.get(), "TeamValue")->text(), fresh.status());
        const QLabel* heading = control<QLabel>(m_view.get(), "LbTName");
        EXPECT_EQ(heading->text(), sheet.cell(SheetGrid::Details, 1, 0));
        EXPECT_EQ(heading->font().family(), sheet.fontName(SheetFont::Heading));
        EXPECT_EQ(m_view->tableFont().family(), sheet.fontName(SheetFont::Table));
        for (const SheetGrid which : AllSheetGrids) {
            const StringGrid* shown = grid(which);
            EXPECT_EQ(shown->model()->rowCount(), sheet.table(which).rowCount());
            EXPECT_EQ(shown->model()->columnCount(), sheet.table(which).colCount());
            EXPECT_EQ(shown->color(), sheet.color(SheetColor::Table));
            EXPECT_EQ(shown->fixedColor(), sheet.color(SheetColor::Headings));
        }

        // The page written reads back to the sheet: texts, colours and faces.
        m_view->buildPage();
        const auto difference = readBackDifference(sheet, m_view->pageBuffer());
        ASSERT_TRUE(!difference || isKnownLoss(sheet, *difference))
            << readBackWarning(*difference).toStdString();
        const PageLines page = splitPageBytes(pageBytes(m_view->pageBuffer()));
        TTeam team;
        MatchRecord record;
        readRosterPage(page, team, record);
        const RosterSheet read = buildSheet(team, record, page.encoding);
        for (int which = 0; which < 5; ++which)
            EXPECT_EQ(read.color(SheetColor(which)), sheet.color(SheetColor(which))) << "colour " << which;
        EXPECT_EQ(read.fontName(SheetFont::Table), sheet.fontName(SheetFont::Table));
        EXPECT_EQ(read.fontName(SheetFont::Heading), sheet.fontName(SheetFont::Heading));
    }

    std::mt19937 m_random;
    QUndoStack* m_stack = nullptr;
    // The cell typed into by the command that just ran, and by the one whose
    // step is on top of the stack.
    std::optional<std::array<int, 3>> m_typedCell, m_spellCell;
    // The command that just ran was Undo or Redo.
    bool m_wentBack = false;
    // The step of the state last saved or read; -1 when no step leads back to it.
    int m_clean = 0;
};

unsigned environmentCount(const char* name, unsigned fallback)
{
    const char* value = std::getenv(name);
    return value ? unsigned(std::strtoul(value, nullptr, 10)) : fallback;
}

TEST_F(EditingModelTest, UndoRedoTotalsAndPageFollowRandomEdits)
{
    // TE_EDIT_SEEDS and TE_EDIT_STEPS run more of them locally.
    const unsigned seeds = environmentCount("TE_EDIT_SEEDS", 8);
    const unsigned steps = environmentCount("TE_EDIT_STEPS", 25);
    const unsigned firstSeed = environmentCount("TE_EDIT_FIRST_SEED", 1);
    for (unsigned seed = firstSeed; seed < firstSeed + seeds && !HasFailure(); ++seed) {
        SCOPED_TRACE("seed " + std::to_string(seed));
        // Every third roster starts as a new team, the others as the sample page.
        if (seed % 3 == 0)
            m_view->New1Click();
        else
            m_view->openPage(QStringLiteral("team.htm"));
        m_random.seed(seed);
        m_clean = 0;
        m_spellCell.reset();
        std::vector<RosterSheet> states{m_view->sheet()};
        std::vector<std::string> trace;
        for (unsigned step = 0; step < steps; ++step) {
            const int before = m_stack->index();
            trace.push_back(anyCommand());
            checkInvariants(states, before);
            if (HasFailure()) {
                std::string commands;
                for (const std::string& command : trace)
                    commands += "\n  " + command;
                FAIL() << "after:" << commands;
            }
        }
        ASSERT_TRUE(m_reports.isEmpty()) << m_reports.join('\n').toStdString();
        // Undo of everything gives back the page as read, redo of everything the last state.
        while (m_stack->canUndo())
            run("Undo1");
        expectSameSheet(m_view->sheet(), states.front());
        EXPECT_EQ(m_view->isModified(), m_clean != 0);
        while (m_stack->canRedo())
            run("Redo1");
        expectSameSheet(m_view->sheet(), states.back());
    }
}

} // namespace
