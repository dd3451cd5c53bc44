#include "ViewTestSupport.h"

#include "Controls.h"

#include "StringGrid.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QTest>

namespace {

const QColor PaleYellow(0xFF, 0xFF, 0xD0); // 0xD0FFFF, red in the low byte
const QColor HeadingColour(0xD0, 0xD0, 0xA0);
const QColor Black(0, 0, 0);

class CellPaintingTest : public ViewTest
{
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        m_view->New1Click();
    }

    // Opens the in-place editor on a cell and returns it.
    QLineEdit* openEditor(StringGrid* grid, int col, int row)
    {
        grid->setFocus();
        grid->setCurrentCell(col, row);
        grid->edit(grid->currentIndex());
        return qobject_cast<QLineEdit*>(QApplication::focusWidget());
    }

    QPoint cellCentre(StringGrid* grid, int col, int row) { return grid->cellRect(col, row).center(); }
};

bool holdsColour(const QImage& image, const QRect& area, const QColor& colour)
{
    for (int y = area.top(); y <= area.bottom(); ++y)
        for (int x = area.left(); x <= area.right(); ++x)
            if (image.pixelColor(x, y) == colour)
                return true;
    return false;
}

TEST_F(CellPaintingTest, HeadingBodyAndFocusedCellsHaveTheirLooks)
{
    StringGrid* players = control<StringGrid>(m_view.get(), "TeamGrid");
    players->setCell(2, 3, QStringLiteral("HHHH"));
    players->setFocus();
    players->setCurrentCell(2, 3);

    EXPECT_EQ(fillOf(players, 4, 0), HeadingColour);
    EXPECT_EQ(fillOf(players, 4, 5), PaleYellow);
    EXPECT_EQ(fillOf(players, 2, 3), Black);
    const QImage image = imageOf(players);
    EXPECT_TRUE(holdsColour(image, players->cellRect(2, 3), PaleYellow)) << "focused text in the cell colour";

    // Details and extras: the heading part is column 0.
    EXPECT_EQ(fillOf(control<StringGrid>(m_view.get(), "TeamGrid2"), 0, 3), HeadingColour);
    EXPECT_EQ(fillOf(control<StringGrid>(m_view.get(), "TeamGrid3"), 2, 3), PaleYellow);
    EXPECT_EQ(fillOf(control<StringGrid>(m_view.get(), "GameGrid"), 3, 0), HeadingColour);
    EXPECT_EQ(fillOf(control<StringGrid>(m_view.get(), "GameGrid"), 3, 1), PaleYellow);

    // Another control becomes active: the current cell turns into a body cell.
    control<StringGrid>(m_view.get(), "TeamGrid2")->setFocus();
    control<StringGrid>(m_view.get(), "TeamGrid2")->setCurrentCell(1, 2);
    EXPECT_EQ(fillOf(players, 2, 3), PaleYellow);
    EXPECT_EQ(fillOf(control<StringGrid>(m_view.get(), "TeamGrid2"), 1, 2), Black);
}

TEST_F(CellPaintingTest, TextStartsAtTheTopLeftAndIsCutAtTheCellEdge)
{
    StringGrid* players = control<StringGrid>(m_view.get(), "TeamGrid");
    players->setCell(3, 2, QStringLiteral("WWWWWWWWWWWW"));
    const QImage image = imageOf(players);
    const QRect cell = players->cellRect(3, 2);
    const QRect next = players->cellRect(4, 2);
    EXPECT_TRUE(holdsColour(image, cell.adjusted(0, 0, 0, -cell.height() / 2), Black));
    for (int y = next.top(); y <= next.bottom(); ++y)
        for (int x = next.left(); x <= next.right(); ++x)
            ASSERT_EQ(image.pixelColor(x, y), PaleYellow)
                << "spilled into the next cell at " << x << "," << y;
}

TEST_F(CellPaintingTest, HeadingCellsCannotBeSelectedOrEdited)
{
    StringGrid* details = control<StringGrid>(m_view.get(), "TeamGrid2");
    details->setFocus();
    details->setCurrentCell(1, 0);
    QTest::mouseClick(details->viewport(), Qt::LeftButton, {}, cellCentre(details, 0, 2));
    EXPECT_EQ(details->currentCell(), QPoint(1, 0));
    details->setCurrentCell(0, 4);
    EXPECT_EQ(details->currentCell(), QPoint(1, 0));
    QTest::mouseDClick(control<StringGrid>(m_view.get(), "TeamGrid")->viewport(), Qt::LeftButton, {},
                       cellCentre(control<StringGrid>(m_view.get(), "TeamGrid"), 3, 0));
    EXPECT_EQ(qobject_cast<QLineEdit*>(QApplication::focusWidget()), nullptr);

    // Tab goes to the next cell, past the labels, not to the next control.
    details->setFocus();
    QTest::keyClick(details, Qt::Key_Tab);
    EXPECT_EQ(details->currentCell(), QPoint(1, 1));
    EXPECT_EQ(QApplication::focusWidget(), details);
}

// Reached by Tab from another control, a grid has a current cell at once, so
// the keys typed next go into a cell rather than nowhere.
TEST_F(CellPaintingTest, AGridReachedByTabHasACurrentCellThatTypingEdits)
{
    StringGrid* details = control<StringGrid>(m_view.get(), "TeamGrid2");
    ASSERT_EQ(details->currentCell(), QPoint(-1, -1));
    details->setFocus(Qt::TabFocusReason);
    EXPECT_EQ(details->currentCell(), QPoint(1, 0));

    // The first key opens the cell's editor, which takes the keys after it.
    for (const char key : {'O', 'r', 'c', 's'})
        QTest::keyClick(QApplication::focusWidget(), key);
    QTest::keyClick(QApplication::focusWidget(), Qt::Key_Enter);
    EXPECT_EQ(details->cell(1, 0), "Orcs");
    EXPECT_EQ(control<QLabel>(m_view.get(), "LbTName")->text(), "Orcs");
}

TEST_F(CellPaintingTest, ClickSelectsAndPaintsTheCellFocused)
{
    StringGrid* extras = control<StringGrid>(m_view.get(), "TeamGrid3");
    QTest::mouseClick(extras->viewport(), Qt::LeftButton, {}, cellCentre(extras, 2, 4));
    EXPECT_EQ(extras->currentCell(), QPoint(2, 4));
    EXPECT_EQ(fillOf(extras, 2, 4), Black);
}

TEST_F(CellPaintingTest, TypingTheTeamNameUpdatesTheHeadingAfterEveryKey)
{
    QLineEdit* editor = openEditor(control<StringGrid>(m_view.get(), "TeamGrid2"), 1, 0);
    ASSERT_NE(editor, nullptr);
    QString typed;
    for (const QChar letter : QStringLiteral("Orcs")) {
        QTest::keyClick(editor, letter.toLatin1());
        typed += letter;
        EXPECT_EQ(control<QLabel>(m_view.get(), "LbTName")->text(), typed);
        EXPECT_EQ(control<StringGrid>(m_view.get(), "TeamGrid2")->cell(1, 0), typed);
    }
    QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_EQ(control<QLabel>(m_view.get(), "LbTName")->text(), "Orc");

    QTest::keyClick(editor, Qt::Key_Enter);
    editor = openEditor(control<StringGrid>(m_view.get(), "TeamGrid2"), 1, 1);
    ASSERT_NE(editor, nullptr);
    QTest::keyClicks(editor, QStringLiteral("Elf"));
    EXPECT_EQ(control<StringGrid>(m_view.get(), "TeamGrid2")->cell(1, 1), "Elf");
    EXPECT_EQ(control<QLabel>(m_view.get(), "LbTName")->text(), "Orc");
}

TEST_F(CellPaintingTest, TypingIntoTheLastMatchRowAddsARow)
{
    StringGrid* games = control<StringGrid>(m_view.get(), "GameGrid");
    QLineEdit* editor = openEditor(games, 0, 1);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, 'W');
    EXPECT_EQ(games->rowCount(), 3);
    EXPECT_EQ(games->height(), 79);
    EXPECT_EQ(control<QLabel>(m_view.get(), "Label1")->y(), games->y() + 79);
    QTest::keyClicks(editor, QStringLiteral("on"));
    QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_EQ(games->rowCount(), 3);
    QTest::keyClick(editor, Qt::Key_Enter);

    editor = openEditor(games, 3, 2);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, '2');
    EXPECT_EQ(games->rowCount(), 4);
    EXPECT_EQ(games->height(), 100);
    QTest::keyClick(editor, Qt::Key_Backspace);
    EXPECT_EQ(games->rowCount(), 4) << "rows are never removed by editing";
    QTest::keyClick(editor, Qt::Key_Enter);

    games->setRowCount(5);
    editor = openEditor(games, 1, 1);
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, 'x');
    EXPECT_EQ(games->rowCount(), 5);
}

TEST_F(CellPaintingTest, EditingInTheMiddleKeepsTheCursorWhereItIs)
{
    StringGrid* players = control<StringGrid>(m_view.get(), "TeamGrid");
    players->setCell(7, 1, QStringLiteral("Blck"));
    QLineEdit* editor = openEditor(players, 7, 1);
    ASSERT_NE(editor, nullptr);
    editor->setCursorPosition(2);
    QTest::keyClick(editor, 'o');
    EXPECT_EQ(players->cell(7, 1), "Block");
    QTest::keyClick(editor, 'x');
    EXPECT_EQ(players->cell(7, 1), "Bloxck") << "each key lands where the cursor is";
}

TEST_F(CellPaintingTest, OnlyMatchColumnsCanBeDraggedAndAllColumnsResized)
{
    StringGrid* games = control<StringGrid>(m_view.get(), "GameGrid");
    games->setCell(0, 1, QStringLiteral("W"));
    QTest::mousePress(games->viewport(), Qt::LeftButton, {}, cellCentre(games, 0, 0));
    QTest::mouseMove(games->viewport(), cellCentre(games, 2, 0));
    QTest::mouseRelease(games->viewport(), Qt::LeftButton, {}, cellCentre(games, 2, 0));
    EXPECT_EQ(games->cell(0, 0), "Opponent");
    EXPECT_EQ(games->cell(2, 0), "Result");
    EXPECT_EQ(games->cell(2, 1), "W");
    EXPECT_EQ(games->colWidth(2), 60) << "the column keeps its width";
    EXPECT_EQ(games->colWidth(0), 164);
    EXPECT_EQ(m_view->sheet().cell(SheetGrid::Matches, 2, 0), "Result");

    StringGrid* players = control<StringGrid>(m_view.get(), "TeamGrid");
    QTest::mousePress(players->viewport(), Qt::LeftButton, {}, cellCentre(players, 1, 0));
    QTest::mouseMove(players->viewport(), cellCentre(players, 3, 0));
    QTest::mouseRelease(players->viewport(), Qt::LeftButton, {}, cellCentre(players, 3, 0));
    EXPECT_EQ(players->cell(1, 0), "Player Name");

    // Dragging the grid line right of column 0 widens the column from the width it shows.
    const int shown = players->screenColWidth(0);
    const QPoint line(players->cellRect(0, 0).right() + 1, 5);
    QTest::mousePress(players->viewport(), Qt::LeftButton, {}, line);
    QTest::mouseMove(players->viewport(), line + QPoint(10, 0));
    QTest::mouseRelease(players->viewport(), Qt::LeftButton, {}, line + QPoint(10, 0));
    EXPECT_EQ(players->colWidth(0), shown + 10);
    EXPECT_EQ(players->screenColWidth(0), shown + 10);
}

} // namespace
