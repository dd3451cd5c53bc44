#include "ViewTestSupport.h"

#include "Controls.h"

#include "StringGrid.h"
#include "TForm_Parse.h"

#include <QAbstractScrollArea>
#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QFontMetrics>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSignalSpy>
#include <QTest>

namespace {

constexpr int SkillsColumn = 7;
constexpr int NotesColumn = 7;

class WindowFitTest : public ViewTest
{
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        m_view->New1Click();
    }

    std::vector<StringGrid*> grids() const
    {
        return {control<StringGrid>(m_view.get(), "TeamGrid"), control<StringGrid>(m_view.get(), "TeamGrid2"), control<StringGrid>(m_view.get(), "TeamGrid3"), control<StringGrid>(m_view.get(), "GameGrid")};
    }

    // Shows the window's sheet again with one cell changed, as reading a page would.
    void showWithCell(SheetGrid grid, int col, int row, const QString& text)
    {
        RosterSheet page(m_view->sheet());
        page.setCell(grid, col, row, text);
        m_view->showPage(page);
    }

    void resizeWindow(int width, int height)
    {
        m_view->resize(width, height);
        QCoreApplication::sendPostedEvents();
        QCoreApplication::processEvents();
    }

    QAbstractScrollArea* clientArea() const
    {
        return qobject_cast<QAbstractScrollArea*>(m_view->centralWidget());
    }

    QLineEdit* openEditor(StringGrid* grid, int col, int row)
    {
        grid->setFocus();
        grid->setCurrentCell(col, row);
        grid->edit(grid->currentIndex());
        return qobject_cast<QLineEdit*>(QApplication::focusWidget());
    }

    // Every text of every grid fits its column and its row in the grid's font.
    void expectEveryTextFits()
    {
        for (StringGrid* grid : grids()) {
            const QFontMetrics metrics(grid->font());
            for (int col = 0; col < grid->colCount(); ++col) {
                EXPECT_GE(grid->screenColWidth(col), grid->colWidth(col)) << "never below the layout's width";
                for (int row = 0; row < grid->rowCount(); ++row) {
                    const QString& text = grid->cell(col, row);
                    EXPECT_LE(metrics.horizontalAdvance(text), grid->screenColWidth(col))
                        << grid->objectName().toStdString() << " " << col << "," << row << " "
                        << text.toStdString();
                    EXPECT_LE(metrics.height(), grid->rowHeightAt(row));
                }
            }
        }
    }
};

TEST_F(WindowFitTest, ColumnsGrowToTheirWidestTextAndTheTableFont)
{
    const QString longName = QStringLiteral("Thorin Deepdelver Stonehammer of the Iron Hills");
    showWithCell(SheetGrid::Players, 1, 1, longName);
    EXPECT_EQ(control<StringGrid>(m_view.get(), "TeamGrid")->cell(1, 1), longName);
    expectEveryTextFits();
    EXPECT_GT(control<StringGrid>(m_view.get(), "TeamGrid")->screenColWidth(1), control<StringGrid>(m_view.get(), "TeamGrid")->colWidth(1));
    EXPECT_EQ(control<StringGrid>(m_view.get(), "TeamGrid")->colWidth(1), 101) << "the sheet keeps the layout's width";

    QFont big = m_view->tableFont();
    big.setPointSize(14);
    m_choosers->fontAnswer = FontChoice{big, 0};
    m_view->Table2Click();
    expectEveryTextFits();
    const QFontMetrics metrics(big);
    // The headings of the characteristics, which a narrow font cut to "M/STACAV".
    for (int col = 3; col <= 6; ++col)
        EXPECT_LE(metrics.horizontalAdvance(control<StringGrid>(m_view.get(), "TeamGrid")->cell(col, 0)),
                  control<StringGrid>(m_view.get(), "TeamGrid")->screenColWidth(col));
    EXPECT_GE(control<StringGrid>(m_view.get(), "TeamGrid")->rowHeightAt(0), metrics.height());
    // Taller rows make taller grids: nothing hides behind the next one.
    EXPECT_LE(control<StringGrid>(m_view.get(), "TeamGrid")->geometry().bottom(), control<StringGrid>(m_view.get(), "TeamGrid2")->y());
    EXPECT_LT(control<StringGrid>(m_view.get(), "TeamGrid2")->geometry().bottom(), control<StringGrid>(m_view.get(), "GameGrid")->y());
    EXPECT_EQ(control<QLabel>(m_view.get(), "Label1")->y(), control<StringGrid>(m_view.get(), "GameGrid")->geometry().bottom() + 1);
}

TEST_F(WindowFitTest, SpareWidthGoesToSkillsAndTheMatchNotes)
{
    resizeWindow(900, 700);
    StringGrid* players = control<StringGrid>(m_view.get(), "TeamGrid");
    std::vector<int> narrow;
    for (int col = 0; col < players->colCount(); ++col)
        narrow.push_back(players->screenColWidth(col));
    const int narrowSkills = players->screenColWidth(SkillsColumn);
    const int narrowNotes = control<StringGrid>(m_view.get(), "GameGrid")->screenColWidth(NotesColumn);

    resizeWindow(1280, 1000);
    EXPECT_EQ(players->width(), clientArea()->viewport()->width() - 16);
    for (StringGrid* grid : {players, control<StringGrid>(m_view.get(), "GameGrid")}) {
        int sum = 0;
        for (int col = 0; col < grid->colCount(); ++col)
            sum += grid->screenColWidth(col) + 1;
        EXPECT_EQ(sum, grid->width()) << grid->objectName().toStdString() << " fills its width";
    }
    EXPECT_EQ(players->screenColWidth(SkillsColumn), narrowSkills + 380);
    EXPECT_EQ(control<StringGrid>(m_view.get(), "GameGrid")->screenColWidth(NotesColumn), narrowNotes + 380);
    for (int col = 0; col < players->colCount(); ++col) {
        if (col != SkillsColumn) {
            EXPECT_EQ(players->screenColWidth(col), narrow[std::size_t(col)]) << "column " << col;
        }
    }
    EXPECT_FALSE(clientArea()->horizontalScrollBar()->isVisible());
    EXPECT_FALSE(clientArea()->verticalScrollBar()->isVisible());

    // Below the grids' minimum the client area scrolls instead.
    resizeWindow(500, 400);
    EXPECT_TRUE(clientArea()->horizontalScrollBar()->isVisible());
    EXPECT_EQ(players->screenColWidth(SkillsColumn), 241);
}

TEST_F(WindowFitTest, ADraggedWidthStaysForTheSessionAndThePageDoesNotChange)
{
    resizeWindow(1280, 1000);
    StringGrid* players = control<StringGrid>(m_view.get(), "TeamGrid");
    const int edge = players->columnViewportPosition(2) + players->columnWidth(2) - 1;
    const int y = players->cellRect(2, 0).center().y();
    QWidget* surface = players->viewport();
    QTest::mousePress(surface, Qt::LeftButton, {}, QPoint(edge, y));
    QMouseEvent move(QEvent::MouseMove, QPointF(edge + 60, y), surface->mapToGlobal(QPointF(edge + 60, y)),
                     Qt::NoButton, Qt::LeftButton, Qt::NoModifier);
    QApplication::sendEvent(surface, &move);
    QTest::mouseRelease(surface, Qt::LeftButton, {}, QPoint(edge + 60, y));
    const int dragged = players->screenColWidth(2);
    EXPECT_GT(dragged, 75 + 50);

    m_view->WriteHTML();
    const std::vector<std::string> before = m_view->pageBuffer();
    // Another page shown, and another font: the dragged width stays.
    showWithCell(SheetGrid::Players, 2, 3, QStringLiteral("Blitzer"));
    EXPECT_EQ(players->screenColWidth(2), dragged);
    QFont big = m_view->tableFont();
    big.setPointSize(14);
    m_choosers->fontAnswer = FontChoice{big, 0};
    m_view->Table2Click();
    EXPECT_EQ(players->screenColWidth(2), dragged);
    // The spare width still fills the grid.
    int sum = 0;
    for (int col = 0; col < players->colCount(); ++col)
        sum += players->screenColWidth(col) + 1;
    EXPECT_EQ(sum, players->width());

    m_view->New1Click();
    m_view->WriteHTML();
    EXPECT_EQ(m_view->pageBuffer(), before) << "widths belong to the screen, not to the page";
}

TEST_F(WindowFitTest, TheClientAreaStartsAtTheTopWithItsThumbThere)
{
    resizeWindow(1024, 500);
    m_view->New1Click();
    QScrollBar* bar = clientArea()->verticalScrollBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->value(), bar->minimum());
    EXPECT_FALSE(bar->invertedAppearance());
    // The thumb's top half is where the bar's top is.
    const QImage image = bar->grab().toImage();
    const QColor top = image.pixelColor(image.width() / 2, image.height() / 6);
    const QColor bottom = image.pixelColor(image.width() / 2, image.height() * 5 / 6);
    EXPECT_NE(top, bottom) << "the thumb fills only its own part of the bar";
    bar->setValue(bar->maximum());
    const QImage scrolled = bar->grab().toImage();
    EXPECT_EQ(scrolled.pixelColor(image.width() / 2, image.height() * 5 / 6), top) << "the thumb moved down";
}

TEST_F(WindowFitTest, NumericCellsTakeWholeNumbersOnly)
{
    struct Case
    {
        StringGrid* grid;
        int col, row;
        const char* name;
    };
    const Case numeric[] = {{control<StringGrid>(m_view.get(), "TeamGrid"), 3, 1, "MA"},      {control<StringGrid>(m_view.get(), "TeamGrid"), 9, 2, "cmp"},
                            {control<StringGrid>(m_view.get(), "TeamGrid"), 14, 16, "spp"},   {control<StringGrid>(m_view.get(), "TeamGrid3"), 1, 0, "re-rolls"},
                            {control<StringGrid>(m_view.get(), "TeamGrid3"), 1, 5, "wizard"}, {control<StringGrid>(m_view.get(), "TeamGrid2"), 1, 2, "rating"}};
    for (const Case& cell : numeric) {
        cell.grid->setCell(cell.col, cell.row, QStringLiteral("4"));
        QLineEdit* editor = openEditor(cell.grid, cell.col, cell.row);
        ASSERT_NE(editor, nullptr) << cell.name;
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("abc"));
        EXPECT_EQ(cell.grid->cell(cell.col, cell.row), "4") << cell.name << ": letters are refused";
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("-12"));
        EXPECT_EQ(cell.grid->cell(cell.col, cell.row), "-12") << cell.name;

        // Pasting text keeps the old value, and the editor says no.
        QSignalSpy rejected(editor, &QLineEdit::inputRejected);
        QGuiApplication::clipboard()->setText(QStringLiteral("twelve"));
        editor->selectAll();
        editor->paste();
        EXPECT_EQ(editor->text(), "-12") << cell.name;
        EXPECT_EQ(cell.grid->cell(cell.col, cell.row), "-12") << cell.name;
        EXPECT_EQ(rejected.count(), 1) << cell.name;
        QGuiApplication::clipboard()->setText(QStringLiteral("99999999999"));
        editor->selectAll();
        editor->paste();
        EXPECT_EQ(editor->text(), "-12") << cell.name << ": beyond a 32-bit count";

        // A lone minus is a number still being typed: the cell keeps its
        // number, also once the editor is left with it.
        editor->selectAll();
        QTest::keyClicks(editor, QStringLiteral("-"));
        EXPECT_EQ(cell.grid->cell(cell.col, cell.row), "-12") << cell.name;
        cell.grid->setCurrentCell(cell.col, cell.row == 1 ? 2 : 1);
        EXPECT_EQ(cell.grid->cell(cell.col, cell.row), "-12") << cell.name << ": left with a lone minus";
    }
}

TEST_F(WindowFitTest, TextCellsTakeAnyTextOnOneLine)
{
    const std::pair<StringGrid*, QPoint> textCells[] = {{control<StringGrid>(m_view.get(), "TeamGrid"), {1, 1}},
                                                        {control<StringGrid>(m_view.get(), "TeamGrid"), {7, 2}},
                                                        {control<StringGrid>(m_view.get(), "TeamGrid2"), {1, 3}},
                                                        {control<StringGrid>(m_view.get(), "TeamGrid3"), {2, 0}},
                                                        {control<StringGrid>(m_view.get(), "GameGrid"), {3, 1}}};
    for (const auto& [grid, at] : textCells) {
        QLineEdit* editor = openEditor(grid, at.x(), at.y());
        ASSERT_NE(editor, nullptr);
        QTest::keyClicks(editor, QStringLiteral("12k"));
        QGuiApplication::clipboard()->setText(QStringLiteral("Block,\r\nDodge\nx"));
        editor->paste();
        EXPECT_EQ(grid->cell(at.x(), at.y()), "12kBlock, Dodge x") << grid->objectName().toStdString();
        QTest::keyClick(editor, Qt::Key_Escape);
    }
}

TEST_F(WindowFitTest, OpenDialogTakesTypingAndReturnReadsWhateverWasPressedBefore)
{
    EXPECT_EQ(control<QAction>(m_view.get(), "Open1")->text(), "&Open...");
    m_dialog->setPageSource(QStringLiteral("<none>"));
    m_view->Open1Click();
    ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
    QLineEdit* pathBox = control<QComboBox>(m_dialog.get(), "Cmb_HTML")->lineEdit();
    EXPECT_TRUE(control<QComboBox>(m_dialog.get(), "Cmb_HTML")->hasFocus());
    EXPECT_TRUE(pathBox->hasFocus());
    EXPECT_EQ(pathBox->selectedText(), "<none>");
    EXPECT_TRUE(control<QPushButton>(m_dialog.get(), "BtnParse")->isDefault());

    // Browse was used and cancelled: Return still presses OK, which reads "<none>" and closes.
    control<QPushButton>(m_dialog.get(), "Button1")->setFocus();
    QTest::mouseClick(control<QPushButton>(m_dialog.get(), "Button1"), Qt::LeftButton);
    EXPECT_TRUE(m_dialog->isVisible());
    QTest::keyClick(control<QPushButton>(m_dialog.get(), "Button1"), Qt::Key_Return);
    EXPECT_FALSE(m_dialog->isVisible()) << "OK read the path";

    // Cancel and Escape close it without reading.
    m_dialog->setPageSource(QStringLiteral("no such file.htm"));
    for (int way = 0; way < 2; ++way) {
        m_view->Open1Click();
        ASSERT_TRUE(QTest::qWaitForWindowActive(m_dialog.get()));
        if (way == 0) {
            auto* cancel = m_dialog->findChild<QPushButton*>(QStringLiteral("Cancel"));
            ASSERT_NE(cancel, nullptr);
            QTest::mouseClick(cancel, Qt::LeftButton);
        } else {
            QTest::keyClick(QApplication::focusWidget(), Qt::Key_Escape);
        }
        EXPECT_FALSE(m_dialog->isVisible()) << way;
    }
}

} // namespace
