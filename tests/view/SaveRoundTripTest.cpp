#include "ViewTestSupport.h"

#include "Controls.h"

#include "PageFixtures.h"
#include "RosterPage.h"
#include "SheetBuilder.h"
#include "StringGrid.h"
#include "TeamGenerator.h"

#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QLineEdit>

namespace {

std::string readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("<missing>");
}

class SaveRoundTrip : public ViewTest
{
protected:
    // Types text over the cell's text with the grid's in-place editor, the
    // way a user does: select the cell, open the editor, type, press Return.
    void type(StringGrid* grid, int col, int row, const QString& text)
    {
        grid->setCurrentCell(col, row);
        grid->edit(grid->model()->index(row, col));
        QLineEdit* editor = openEditor(grid);
        ASSERT_NE(editor, nullptr);
        editor->selectAll();
        if (text.isEmpty())
            press(editor, Qt::Key_Delete);
        // Key by key, each carrying its character, so that letters beyond
        // ASCII are typed as well.
        for (const QChar character : text)
            press(editor, Qt::Key_unknown, QString(character));
        press(editor, Qt::Key_Return);
        ASSERT_EQ(grid->cell(col, row), text) << "column " << col << ", row " << row;
    }

    static void press(QWidget* widget, int key, const QString& text = {})
    {
        QKeyEvent down(QEvent::KeyPress, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(widget, &down);
        QKeyEvent up(QEvent::KeyRelease, key, Qt::NoModifier, text);
        QCoreApplication::sendEvent(widget, &up);
    }

    // The grid's in-place editor that is open now; closed ones linger hidden
    // until their deferred deletion.
    static QLineEdit* openEditor(StringGrid* grid)
    {
        for (QLineEdit* editor : grid->findChildren<QLineEdit*>())
            if (editor->isVisible())
                return editor;
        return nullptr;
    }

    void typeGrid(StringGrid* grid, const SheetTable& wanted, int firstCol, int firstRow)
    {
        for (int row = firstRow; row < wanted.rowCount(); ++row)
            for (int col = firstCol; col < wanted.colCount(); ++col)
                if (grid->cell(col, row) != wanted.cell(col, row))
                    type(grid, col, row, wanted.cell(col, row));
    }

    QString m_page = m_folder.filePath("typed.htm");
};

// A new team with generated texts typed into every cell, saved and opened
// again, shows every cell as it was typed.
TEST_F(SaveRoundTrip, TypedTeamsComeBackCellForCell)
{
    TeamGenerator generator(1997, TextEncoding::Latin1);
    for (int i = 0; i < 6 && !HasFailure(); ++i) {
        SCOPED_TRACE("team " + std::to_string(i));
        m_view->New1Click();
        GeneratedTeam generated = generator.plainTeam();
        MatchRecord games;
        games.ColCount = 8;
        games.RowCount = 2;
        games.FixedRows = 1;
        games.Cells = {
            {"Result", "Opponent", "Race", "Score", "Cas", "Gate", "Winnings", "Notes & Highlights"},
            std::vector<std::string>(8)};
        const RosterSheet typed = buildSheet(generated.team, games, TextEncoding::Latin1);
        typeGrid(control<StringGrid>(m_view.get(), "TeamGrid"), typed.table(SheetGrid::Players), 0, 1);
        typeGrid(control<StringGrid>(m_view.get(), "TeamGrid2"), typed.table(SheetGrid::Details), 1, 0);
        typeGrid(control<StringGrid>(m_view.get(), "TeamGrid3"), typed.table(SheetGrid::Extras), 1, 0);
        // Match rows as the user adds them: typing into the last row adds the next.
        RosterSheet expected(typed);
        for (const auto& generatedRow : generated.record.Cells) {
            if (&generatedRow == &generated.record.Cells.front())
                continue;
            const int row = expected.table(SheetGrid::Matches).rowCount() - 1;
            bool anyText = false;
            for (std::size_t col = 0; col < 8 && col < generatedRow.size(); ++col) {
                const QString text = decodeText(generatedRow[col], TextEncoding::Latin1);
                expected.setCell(SheetGrid::Matches, int(col), row, text);
                anyText = anyText || !text.isEmpty();
            }
            if (anyText)
                expected.setShape(SheetGrid::Matches, {8, row + 2, 1, 0});
        }
        typeGrid(control<StringGrid>(m_view.get(), "GameGrid"), expected.table(SheetGrid::Matches), 0, 1);
        ASSERT_EQ(control<StringGrid>(m_view.get(), "GameGrid")->rowCount(),
                  expected.table(SheetGrid::Matches).rowCount());

        m_choosers->fileAnswer = m_page;
        m_view->Save1Click();
        m_view->New1Click();
        m_view->Open1Click();
        m_dialog->BtnParseClick();

        const RosterSheet& shown = m_view->sheet();
        for (const SheetGrid grid : AllSheetGrids)
            expectSameGrid(shown.table(grid), expected.table(grid), "grid");
    }
}

// Saving before any page was read writes the empty window: blank cells and
// the system text colour, which comes out as 000080.
TEST_F(SaveRoundTrip, PageOfTheWindowAsStarted)
{
    m_view->Open1Click();
    m_dialog->hide();
    m_choosers->fileAnswer = m_page;
    // Its empty price texts come back as the reader's own, and the user is told.
    m_choosers->saveAnywayAnswer = true;
    m_view->Save1Click();
    EXPECT_EQ(m_choosers->saveAnywayQuestions,
              QStringList{"This roster will not read back the same: Staff and extras, row 1, column 3: \"\" "
                          "becomes \"x $50k =\". Save anyway?"});

    EXPECT_EQ(m_view->pageBuffer(), buildRosterPage(startUpSheet()));
    const std::string stored = readFile(m_page);
    EXPECT_NE(stored.find(R"(<BODY BGCOLOR="#FFFFFF" TEXT="#000080" LINK="#000080" VLINK="#000080">)"
                          "\r\n"),
              std::string::npos);
    EXPECT_TRUE(stored.ends_with("</TABLE></BODY></HTML>\r\n"));
}

} // namespace
