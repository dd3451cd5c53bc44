#include "PageFixtures.h"
#include "StringGrid.h"
#include "ViewTestSupport.h"

#include <QAction>
#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

const QColor MarkColor(0xC0, 0x00, 0x00);

class TotalsViewTest : public ViewTest
{
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        m_view->showPage(samplePageSheet());
    }

    QLineEdit* openEditor(StringGrid* grid, int col, int row)
    {
        grid->setFocus();
        grid->setCurrentCell(col, row);
        grid->edit(grid->currentIndex());
        return qobject_cast<QLineEdit*>(QApplication::focusWidget());
    }

    // Types text at the end of what the cell holds, after erasing `erase` characters.
    void typeInto(StringGrid* grid, int col, int row, const QString& text, int erase = 0)
    {
        QLineEdit* editor = openEditor(grid, col, row);
        ASSERT_NE(editor, nullptr);
        editor->end(false);
        for (int i = 0; i < erase; ++i)
            QTest::keyClick(editor, Qt::Key_Backspace);
        QTest::keyClicks(editor, text);
        QTest::keyClick(editor, Qt::Key_Enter);
        // The editor closes on the next turn of the event loop.
        QCoreApplication::processEvents();
        ASSERT_EQ(grid->indexWidget(grid->currentIndex()), nullptr);
    }

    StringGrid* grid(const char* name) const { return m_view->findChild<StringGrid*>(name); }
    StringGrid* players() const { return grid("TeamGrid"); }
    StringGrid* details() const { return grid("TeamGrid2"); }
    StringGrid* extras() const { return grid("TeamGrid3"); }

    QString status() const { return m_view->findChild<QLabel*>("TeamValue")->text(); }
    QAction* updateCostOfTeam() const { return m_view->findChild<QAction*>("UpdateCostOfTeam"); }

    // The pixel in the top-right corner of a cell as far as it can be seen, where its mark goes.
    QColor cornerOf(StringGrid* grid, int col, int row)
    {
        const QRect cell = grid->cellRect(col, row) & grid->viewport()->rect();
        return imageOf(grid).pixelColor(cell.right() - 1, cell.top() + 1);
    }
};

} // namespace

TEST_F(TotalsViewTest, NewPlayerAndTwoReRollsOnTheSamplePage)
{
    EXPECT_EQ(status(), "Team value 1,170k");
    typeInto(players(), 15, 11, "70k");
    EXPECT_EQ(details()->cell(1, 5), "1,240k");
    typeInto(extras(), 1, 0, "5", 1);
    EXPECT_EQ(extras()->cell(3, 0), "200k");
    EXPECT_EQ(details()->cell(1, 5), "1,320k");
    EXPECT_EQ(status(), "Team value 1,320k");

    // The page written holds the totals that followed.
    m_view->WriteHTML();
    const std::vector<std::string>& page = m_view->pageBuffer();
    EXPECT_NE(page[30].find("x $40k =</TD><TD ALIGN=RIGHT>200k</TD>"), std::string::npos) << page[30];
    EXPECT_NE(page[36].find(">1,320k</TD>"), std::string::npos) << page[36];

    // After Undo or Redo the totals start over from the texts the sheet is
    // back to: the status shows them, and the next edit adds to them.
    QAction* undo = m_view->findChild<QAction*>("Undo1");
    QAction* redo = m_view->findChild<QAction*>("Redo1");
    undo->trigger();
    EXPECT_EQ(status(), "Team value 1,240k");
    redo->trigger();
    EXPECT_EQ(status(), "Team value 1,320k");
    undo->trigger();
    EXPECT_EQ(extras()->cell(3, 0), "120k");
    typeInto(players(), 15, 11, "90k", 3);
    EXPECT_EQ(details()->cell(1, 5), "1,260k");
    EXPECT_EQ(status(), "Team value 1,260k");
}

TEST_F(TotalsViewTest, ACostThatDisagreesIsMarkedOnScreenOnly)
{
    StringGrid* extras = TotalsViewTest::extras();
    EXPECT_NE(cornerOf(extras, 3, 0), MarkColor);
    EXPECT_EQ(toolTipOf(extras, 3, 0), "");

    typeInto(extras, 3, 0, "130k", 4);
    typeInto(extras, 1, 0, "4", 1);
    EXPECT_EQ(extras->cell(3, 0), "130k");
    EXPECT_EQ(cornerOf(extras, 3, 0), MarkColor);
    EXPECT_EQ(toolTipOf(extras, 3, 0), "Disagrees with 4 x 40k = 160k");
    // The mark sits in the corner; the cell keeps the table colour.
    EXPECT_EQ(fillOf(extras, 3, 0), QColor(0xFF, 0xFF, 0xD0));
    // The total took the typed cost, as it stated the team value before.
    EXPECT_EQ(details()->cell(1, 5), "1,180k");
    EXPECT_NE(cornerOf(details(), 1, 5), MarkColor);

    m_view->WriteHTML();
    const std::vector<std::string> marked = m_view->pageBuffer();
    typeInto(extras, 3, 0, "160k", 4);
    EXPECT_NE(cornerOf(extras, 3, 0), MarkColor);
    typeInto(extras, 3, 0, "130k", 4);
    m_view->WriteHTML();
    EXPECT_EQ(m_view->pageBuffer(), marked);
}

TEST_F(TotalsViewTest, UnknownAmountsAreMarkedAndNamed)
{
    StringGrid* players = TotalsViewTest::players();
    typeInto(players, 15, 11, "$");
    EXPECT_EQ(status(), "Team value unknown: the cost of player 11");
    EXPECT_EQ(cornerOf(players, 15, 11), MarkColor);
    EXPECT_EQ(toolTipOf(players, 15, 11), "Cannot tell what amount \"$\" is");
    EXPECT_FALSE(updateCostOfTeam()->isEnabled());
    EXPECT_EQ(details()->cell(1, 5), "1,170k");
}

TEST_F(TotalsViewTest, UpdateCostOfTeamWritesTheTeamValue)
{
    StringGrid* details = TotalsViewTest::details();
    EXPECT_FALSE(updateCostOfTeam()->isEnabled());
    typeInto(details, 1, 5, "1,000k", 6);
    EXPECT_EQ(status(), "Team value 1,170k - the page says 1,000k");
    EXPECT_EQ(cornerOf(details, 1, 5), MarkColor);
    EXPECT_EQ(toolTipOf(details, 1, 5), "Disagrees with the players and staff, who add up to 1,170k");
    // A total typed by hand stays when the team changes.
    typeInto(players(), 15, 11, "70k");
    EXPECT_EQ(details->cell(1, 5), "1,000k");
    ASSERT_TRUE(updateCostOfTeam()->isEnabled());

    int changes = 0;
    m_view->sheet().addObserver([&changes](const SheetChange&) { ++changes; });
    updateCostOfTeam()->trigger();
    EXPECT_EQ(changes, 1);
    EXPECT_EQ(details->cell(1, 5), "1,240k");
    EXPECT_EQ(status(), "Team value 1,240k");
    EXPECT_NE(cornerOf(details, 1, 5), MarkColor);
    EXPECT_FALSE(updateCostOfTeam()->isEnabled());
    // From here on the total follows again.
    typeInto(players(), 15, 11, "", 3);
    EXPECT_EQ(details->cell(1, 5), "1,170k");
}
