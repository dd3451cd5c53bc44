#include "Controls.h"
#include "ViewTestSupport.h"

#include "EditHistory.h"
#include "MatchRecord.h"
#include "PageFixtures.h"
#include "RosterPage.h"
#include "RosterSheet.h"
#include "SheetTotals.h"
#include "StringGrid.h"
#include "TeamEditorApplication.h"

#include <QAction>
#include <QCoreApplication>
#include <QFile>
#include <QUndoStack>

#include <random>

namespace {

class UndoTest : public ViewTest
{
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        m_reports.clear();
        TeamEditorApplication::setErrorReportHook([this](const QString& text) { m_reports << text; });
    }

    void TearDown() override
    {
        TeamEditorApplication::setErrorReportHook({});
        ViewTest::TearDown();
    }

    QString cell(SheetGrid grid, int col, int row) const { return m_view->sheet().cell(grid, col, row); }
    bool modified() const { return m_view->isWindowModified(); }

    QStringList m_reports;
};

TEST_F(UndoTest, OneStepPerSpellOfTypingInACellAndPerChoice)
{
    m_view->New1Click();
    EXPECT_FALSE(control<QAction>(m_view.get(), "Undo1")->isEnabled());
    typeInto(control<StringGrid>(m_view.get(), "TeamGrid"), 1, 1, "Grim");
    EXPECT_EQ(control<QAction>(m_view.get(), "Undo1")->text(), "&Undo Typing");
    typeInto(control<StringGrid>(m_view.get(), "TeamGrid"), 2, 1, "Blitzer");
    // Back in the first cell after leaving it: a step of its own.
    typeInto(control<StringGrid>(m_view.get(), "TeamGrid"), 1, 1, "Grimm");
    m_choosers->colorAnswer = 0x0000FF;
    m_view->Table1Click();
    m_choosers->fontAnswer = FontChoice{QFont(QStringLiteral("Courier")), 0x00FF00};
    m_view->Table2Click();
    control<StringGrid>(m_view.get(), "GameGrid")->moveColumn(0, 2);
    // A chooser cancelled changes nothing and adds no step.
    m_choosers->colorAnswer.reset();
    m_view->Backgound1Click();
    EXPECT_TRUE(modified());

    struct Expected
    {
        const char* undoText;
        QString name, position, firstMatchHeading;
        TColor table;
        QString tableFace;
    };
    const QString courier = m_view->sheet().fontName(SheetFont::Table);
    const QString plain = QStringLiteral("MS Sans Serif");
    // The state before each undo, last step first.
    const Expected states[] = {
        {"&Undo Column Move", "Grimm", "Blitzer", "Opponent", 0x0000FF, courier},
        {"&Undo Font", "Grimm", "Blitzer", "Result", 0x0000FF, courier},
        {"&Undo Colour", "Grimm", "Blitzer", "Result", 0x0000FF, plain},
        {"&Undo Typing", "Grimm", "Blitzer", "Result", 0xD0FFFF, plain},
        {"&Undo Typing", "Grim", "Blitzer", "Result", 0xD0FFFF, plain},
        {"&Undo Typing", "Grim", "", "Result", 0xD0FFFF, plain},
    };
    for (const Expected& state : states) {
        SCOPED_TRACE(state.undoText);
        EXPECT_EQ(control<QAction>(m_view.get(), "Undo1")->text(), state.undoText);
        EXPECT_EQ(cell(SheetGrid::Players, 1, 1), state.name);
        EXPECT_EQ(cell(SheetGrid::Players, 2, 1), state.position);
        EXPECT_EQ(cell(SheetGrid::Matches, 0, 0), state.firstMatchHeading);
        EXPECT_EQ(m_view->sheet().color(SheetColor::Table), state.table);
        EXPECT_EQ(m_view->sheet().fontName(SheetFont::Table), state.tableFace);
        EXPECT_TRUE(modified());
        control<QAction>(m_view.get(), "Undo1")->trigger();
    }
    EXPECT_EQ(cell(SheetGrid::Players, 1, 1), "");
    EXPECT_FALSE(control<QAction>(m_view.get(), "Undo1")->isEnabled());
    EXPECT_FALSE(modified());

    // Redo brings everything back in order.
    for (int step = 0; step < 6; ++step)
        control<QAction>(m_view.get(), "Redo1")->trigger();
    EXPECT_EQ(cell(SheetGrid::Players, 1, 1), "Grimm");
    EXPECT_EQ(cell(SheetGrid::Matches, 2, 0), "Result");
    EXPECT_EQ(m_view->sheet().fontName(SheetFont::Table), courier);
    EXPECT_FALSE(control<QAction>(m_view.get(), "Redo1")->isEnabled());
}

TEST_F(UndoTest, UndoingBackToTheSavedStateClearsTheMark)
{
    m_view->New1Click();
    EXPECT_EQ(m_view->windowTitle(), "New team[*] - Team Editor");
    typeInto(control<StringGrid>(m_view.get(), "TeamGrid2"), 1, 1, "Orc");
    EXPECT_TRUE(modified());
    m_choosers->fileAnswer = m_folder.filePath("orcs.htm");
    m_view->Save1Click();
    EXPECT_EQ(m_view->windowTitle(), "orcs.htm[*] - Team Editor");
    EXPECT_FALSE(modified());

    typeInto(control<StringGrid>(m_view.get(), "TeamGrid2"), 1, 4, "Ada");
    EXPECT_TRUE(modified());
    m_view->undo();
    EXPECT_FALSE(modified());
    m_view->undo();
    EXPECT_TRUE(modified());
    EXPECT_EQ(cell(SheetGrid::Details, 1, 1), "");
    m_view->redo();
    EXPECT_FALSE(modified());
    m_view->redo();
    EXPECT_TRUE(modified());

    // Saving through the path box marks the state saved as well.
    m_view->Save2Click();
    EXPECT_FALSE(modified());
    EXPECT_NE(QFile(m_folder.filePath("orcs.htm")).size(), 0);
}

TEST_F(UndoTest, ReadingOrCreatingClearsTheStepsAndAFailedReadKeepsThem)
{
    m_view->New1Click();
    typeInto(control<StringGrid>(m_view.get(), "TeamGrid"), 1, 1, "Grim");
    QFile::copy(samplePagePath(), m_folder.filePath("team.htm"));

    QMetaObject::invokeMethod(
        m_view.get(), [this] { m_view->openPage(QStringLiteral("missing.htm")); }, Qt::QueuedConnection);
    QCoreApplication::processEvents();
    EXPECT_EQ(m_reports.size(), 1);
    EXPECT_TRUE(modified());
    EXPECT_EQ(m_view->windowTitle(), "New team[*] - Team Editor");
    EXPECT_TRUE(control<QAction>(m_view.get(), "Undo1")->isEnabled());
    EXPECT_EQ(cell(SheetGrid::Players, 1, 1), "Grim");

    m_view->openPage(QStringLiteral("team.htm"));
    EXPECT_EQ(m_view->windowTitle(), "team.htm[*] - Team Editor");
    EXPECT_FALSE(modified());
    EXPECT_FALSE(control<QAction>(m_view.get(), "Undo1")->isEnabled());

    typeInto(control<StringGrid>(m_view.get(), "TeamGrid"), 1, 1, "Grim");
    m_view->New1Click();
    EXPECT_FALSE(modified());
    EXPECT_FALSE(control<QAction>(m_view.get(), "Undo1")->isEnabled());
    EXPECT_EQ(m_choosers->saveQuestions, (std::vector<QString>{"New team", "team.htm"}));
}

TEST_F(UndoTest, UndoTakesBackTheRowTypingAddedToTheMatchRecord)
{
    m_view->New1Click();
    ASSERT_EQ(control<StringGrid>(m_view.get(), "GameGrid")->rowCount(), 2);
    typeInto(control<StringGrid>(m_view.get(), "GameGrid"), 1, 1, "Elves");
    EXPECT_EQ(control<StringGrid>(m_view.get(), "GameGrid")->rowCount(), 3);
    EXPECT_EQ(control<StringGrid>(m_view.get(), "GameGrid")->height(), matchGridHeight(3));
    m_view->undo();
    EXPECT_EQ(control<StringGrid>(m_view.get(), "GameGrid")->rowCount(), 2);
    EXPECT_EQ(control<StringGrid>(m_view.get(), "GameGrid")->height(), matchGridHeight(2));
    EXPECT_EQ(cell(SheetGrid::Matches, 1, 1), "");
    EXPECT_FALSE(modified());
    m_view->redo();
    EXPECT_EQ(control<StringGrid>(m_view.get(), "GameGrid")->rowCount(), 3);
    EXPECT_EQ(cell(SheetGrid::Matches, 1, 1), "Elves");
}

// Edits of money cells make costs and Cost of Team follow. Each edit is one
// undo step with its follow-up: undo walks back through every state the roster
// passed, to the byte of the page it writes, and redo walks forward again.
TEST(EditHistoryTest, UndoAndRedoRetraceEditsWithTheirFollowUp)
{
    struct Place
    {
        SheetGrid grid;
        int col, row;
    };
    const Place places[] = {
        {SheetGrid::Players, 15, 1}, {SheetGrid::Players, 15, 11}, {SheetGrid::Extras, 1, 0},
        {SheetGrid::Extras, 2, 0},   {SheetGrid::Extras, 1, 2},    {SheetGrid::Extras, 3, 2},
        {SheetGrid::Details, 1, 5},  {SheetGrid::Details, 1, 3},   {SheetGrid::Players, 1, 4}};
    const QString texts[] = {"", "0", "3", "5", "50k", "70k", "$90,000", "1,240k", "ninety", "Grim"};
    const RosterSheet sample = samplePageSheet();
    std::mt19937 random(20261209);
    for (int round = 0; round < 30; ++round) {
        RosterSheet sheet;
        sheet.replaceWith(sample);
        const SheetTotals totals(sheet);
        EditHistory history(sheet);
        std::vector<std::vector<std::string>> states{buildRosterPage(sheet)};
        for (int edit = 0; edit < 20; ++edit) {
            const Place& at = places[random() % std::size(places)];
            const QString& text = texts[random() % std::size(texts)];
            // Keystroke by keystroke, as the cell editor writes.
            sheet.setCell(at.grid, at.col, at.row, {});
            for (qsizetype length = 1; length <= text.size(); ++length)
                sheet.setCell(at.grid, at.col, at.row, text.left(length));
            history.endTyping();
            if (history.stack().count() == int(states.size()))
                states.push_back(buildRosterPage(sheet));
        }
        ASSERT_EQ(history.stack().count() + 1, int(states.size()));
        for (std::size_t state = states.size() - 1; state > 0; --state) {
            history.stack().undo();
            ASSERT_EQ(buildRosterPage(sheet), states[state - 1]) << "round " << round << ", step " << state;
        }
        EXPECT_FALSE(history.isModified());
        for (std::size_t state = 1; state < states.size(); ++state) {
            history.stack().redo();
            ASSERT_EQ(buildRosterPage(sheet), states[state]) << "round " << round << ", step " << state;
        }
    }
}

} // namespace
