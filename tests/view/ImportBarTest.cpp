#include "Controls.h"
#include "RosterSheet.h"
#include "StringGrid.h"
#include "ViewTestSupport.h"

#include <QAction>
#include <QFile>
#include <QLabel>
#include <QPushButton>
#include <QToolBar>

#include <filesystem>

namespace {

const QString corpus = QStringLiteral(TE_SOURCE_DIR "/../shared/corpus/real/");
const QString offer = QStringLiteral("This page was made by another tool. Import it instead?");

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

    QString player(int col, int row) const
    {
        return m_view->sheet().table(SheetGrid::Players).cell(col, row);
    }
};

} // namespace

TEST_F(ImportBar, OffersTheImportOfAnotherToolsPageAndShowsItOnImport)
{
    open(corpus + "creator-tool-upper-case.htm");
    ASSERT_TRUE(control<QToolBar>(m_view.get(), "ImportBar")->isVisible());
    EXPECT_EQ(control<QLabel>(m_view.get(), "ImportBarText")->text(), offer);
    EXPECT_TRUE(control<QPushButton>(m_view.get(), "ImportButton")->isVisible());
    // The page as read stays until the import is asked for.
    EXPECT_EQ(player(1, 14), "");

    control<QPushButton>(m_view.get(), "ImportButton")->click();
    EXPECT_EQ(control<QLabel>(m_view.get(), "LbTName")->text(), "Iron Chefs");
    EXPECT_EQ(player(1, 1), "Kaga Takeshi");
    EXPECT_EQ(player(1, 14), "Okada Masumi Jr.");
    EXPECT_TRUE(control<QLabel>(m_view.get(), "ImportBarText")->text().startsWith("Imported 14 players"))
        << control<QLabel>(m_view.get(), "ImportBarText")->text().toStdString();
    EXPECT_FALSE(control<QPushButton>(m_view.get(), "ImportButton")->isVisible());
    // Save must not write this program's layout over the other tool's page.
    EXPECT_EQ(m_dialog->pageSource(), "<none>");
    EXPECT_TRUE(control<QAction>(m_view.get(), "Save2")->isEnabled());

    // The next page read takes the report away.
    m_view->New1Click();
    EXPECT_FALSE(control<QToolBar>(m_view.get(), "ImportBar")->isVisible());
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
