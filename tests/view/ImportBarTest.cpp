#include "Controls.h"
#include "Errors.h"
#include "RosterSheet.h"
#include "StringGrid.h"
#include "ViewTestSupport.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QToolBar>

#include <filesystem>

namespace {

const QString corpus = QStringLiteral(TE_SOURCE_DIR "/../shared/corpus/real/");
const QString question = QStringLiteral("This page was made by another roster tool. Import it?");

class ImportBar : public ViewTest
{
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        if (!std::filesystem::is_directory(corpus.toStdString()))
            GTEST_SKIP() << "no corpus";
    }

    void open(const QString& path)
    {
        m_dialog->setPageSource(path);
        m_dialog->BtnParseClick();
    }

    static QByteArray readAll(const QString& path)
    {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString player(int col, int row) const
    {
        return m_view->sheet().table(SheetGrid::Players).cell(col, row);
    }
};

} // namespace

// Another tool's page is never shown as read: the editor asks, Cancel keeps
// the window as it was, and Import shows the import as File, Import... does.
TEST_F(ImportBar, OpeningAnotherToolsPageAsksToImportIt)
{
    m_view->New1Click();
    m_view->sheet().setCell(SheetGrid::Details, 1, 0, QStringLiteral("Kept"));
    const QString title = m_view->windowTitle();
    open(corpus + "creator-tool-upper-case.htm");
    EXPECT_EQ(m_choosers->importQuestions, QStringList{question});
    EXPECT_EQ(m_view->sheet().cell(SheetGrid::Details, 1, 0), "Kept");
    EXPECT_EQ(m_view->windowTitle(), title);
    EXPECT_FALSE(control<QToolBar>(m_view.get(), "ImportBar")->isVisible());

    m_choosers->importAnswer = true;
    open(corpus + "creator-tool-upper-case.htm");
    EXPECT_EQ(control<QLabel>(m_view.get(), "LbTName")->text(), "Iron Chefs");
    EXPECT_EQ(player(1, 1), "Kaga Takeshi");
    EXPECT_EQ(player(1, 14), "Okada Masumi Jr.");
    ASSERT_TRUE(control<QToolBar>(m_view.get(), "ImportBar")->isVisible());
    EXPECT_TRUE(control<QLabel>(m_view.get(), "ImportBarText")->text().startsWith("Imported 14 players"))
        << control<QLabel>(m_view.get(), "ImportBarText")->text().toStdString();
    EXPECT_EQ(m_view->windowTitle(), "creator-tool-upper-case.htm[*] - Team Editor");
    // Save must not write this program's layout over the other tool's page.
    EXPECT_EQ(m_dialog->pageSource(), "<none>");
    EXPECT_TRUE(control<QAction>(m_view.get(), "Save2")->isEnabled());

    // The next page read takes the report away.
    m_view->New1Click();
    EXPECT_FALSE(control<QToolBar>(m_view.get(), "ImportBar")->isVisible());
}

// Whatever opens a page, only a roster page of this program's form is shown as
// read; the window keeps its roster through a refusal or a cancelled import.
TEST_F(ImportBar, OpeningEachKindOfPage)
{
    QFile sample(QStringLiteral(TE_SOURCE_DIR "/examples/sample-roster.htm"));
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    enum class Kind
    {
        Own,
        OtherTool,
        NoRoster
    };
    const struct
    {
        const char* name;
        QByteArray bytes;
        Kind kind;
    } pages[] = {
        {"own.htm", sample.readAll(), Kind::Own},
        {"other.htm",
         "<html><head><title>Iron Chefs</title></head><body><table>\n"
         "<tr><th>No.</th><th>Name</th><th>Position</th><th>MA</th><th>ST</th><th>AG</th><th>AV</th></tr>\n"
         "<tr><td>1</td><td>Kaga</td><td>Blitzer</td><td>7</td><td>3</td><td>3</td><td>8</td></tr>\n"
         "</table></body></html>\n",
         Kind::OtherTool},
        {"title.htm", "<html><head><title></title></head><body><p>Nothing here.</p></body></html>",
         Kind::NoRoster},
        {"image.htm", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16), Kind::NoRoster},
        {"text.htm", "Shopping list\nmilk\n", Kind::NoRoster},
    };
    for (const auto& page : pages) {
        SCOPED_TRACE(page.name);
        const QString path = m_folder.filePath(page.name);
        QFile file(path);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(page.bytes);
        file.close();
        m_view->New1Click();
        m_view->sheet().setCell(SheetGrid::Details, 1, 0, QStringLiteral("Kept"));
        m_choosers->importQuestions.clear();
        m_choosers->saveQuestions.clear();
        try {
            m_view->openPage(path);
            EXPECT_NE(page.kind, Kind::NoRoster) << "read as a roster";
        } catch (const ENotRosterPage& error) {
            EXPECT_EQ(page.kind, Kind::NoRoster);
            EXPECT_EQ(error.what(), "Not a roster page: " + path.toStdString());
        }
        EXPECT_EQ(m_choosers->importQuestions.size(), page.kind == Kind::OtherTool ? 1 : 0);
        EXPECT_EQ(m_choosers->saveQuestions.size(), page.kind == Kind::Own ? 1u : 0u);
        EXPECT_EQ(m_view->sheet().cell(SheetGrid::Details, 1, 0),
                  page.kind == Kind::Own ? "Grimstone Grinders" : "Kept");
        EXPECT_EQ(m_view->windowTitle(),
                  page.kind == Kind::Own ? "own.htm[*] - Team Editor" : "New team[*] - Team Editor");
        EXPECT_EQ(readAll(path), page.bytes);
    }
}

TEST_F(ImportBar, NoOfferForOwnPagesOrWhenTheImportFindsNoMore)
{
    const QString sample = QStringLiteral(TE_SOURCE_DIR "/examples/sample-roster.htm");
    open(sample);
    EXPECT_FALSE(control<QToolBar>(m_view.get(), "ImportBar")->isVisible());

    // The same page without its credit lines is another tool's, but the
    // import finds the same players and name in it.
    QFile source(sample);
    ASSERT_TRUE(source.open(QIODevice::ReadOnly));
    QByteArray bytes = source.readAll();
    for (int line = 0; line < 4; ++line)
        bytes.remove(0, bytes.indexOf('\n') + 1);
    QFile copy(m_folder.filePath("copied.htm"));
    ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
    copy.write(bytes);
    copy.close();
    open(copy.fileName());
    EXPECT_EQ(control<QLabel>(m_view.get(), "LbTName")->text(), "Grimstone Grinders");
    EXPECT_FALSE(control<QToolBar>(m_view.get(), "ImportBar")->isVisible());
    EXPECT_TRUE(m_choosers->importQuestions.isEmpty());
}

TEST_F(ImportBar, FileImportShowsTheImportedPage)
{
    m_choosers->fileAnswer = corpus + "web-app-fragment.htm";
    m_view->importPage();
    EXPECT_EQ(control<QLabel>(m_view.get(), "LbTName")->text(), "Blades of Xixhuan");
    EXPECT_EQ(player(1, 1), "Imjal");
    EXPECT_EQ(player(7, 1), "Block, Dodge");
    EXPECT_TRUE(control<StringGrid>(m_view.get(), "TeamGrid")->isVisible());
    EXPECT_TRUE(control<QLabel>(m_view.get(), "ImportBarText")->text().startsWith("Imported 12 players"));

    // A cancelled chooser changes nothing.
    m_choosers->fileAnswer.reset();
    m_view->importPage();
    EXPECT_EQ(player(1, 1), "Imjal");
}
