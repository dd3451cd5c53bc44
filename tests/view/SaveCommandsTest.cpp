#include "ViewTestSupport.h"

#include "Controls.h"

#include "Errors.h"
#include "StringGrid.h"
#include "TForm_Parse.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

namespace {

class SaveCommandsTest : public ViewTest
{
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        m_view->New1Click();
        control<StringGrid>(m_view.get(), "TeamGrid2")->setCell(1, 0, QStringLiteral("Orc Raiders"));
        QDir(m_folder.path()).mkdir(QStringLiteral("pages"));
        m_chosen = m_folder.filePath(QStringLiteral("pages/raiders.htm"));
    }

    QByteArray stored(const QString& fileName) const
    {
        QFile file(fileName);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }

    QString m_chosen;
};

TEST_F(SaveCommandsTest, SaveAsStoresThePageAndMakesItThePageSource)
{
    m_choosers->fileAnswer = m_chosen;
    m_view->Save1Click();

    const QByteArray page = stored(m_chosen);
    EXPECT_TRUE(page.contains("<H1><B>Orc Raiders</B></H1>\r\n"));
    EXPECT_TRUE(page.endsWith("</TABLE></BODY></HTML>\r\n"));
    EXPECT_EQ(page.count("\r\n"), qsizetype(m_view->pageBuffer().size()));
    EXPECT_EQ(m_dialog->pageSource(), m_chosen);
    EXPECT_EQ(QDir::currentPath(), QFileInfo(m_chosen).absolutePath());

    // Save now writes there without asking; the next Save As starts from the name.
    control<StringGrid>(m_view.get(), "TeamGrid2")->setCell(1, 0, QStringLiteral("Orc Raiders II"));
    m_view->Save2Click();
    EXPECT_EQ(m_choosers->filePresets.size(), 1u);
    EXPECT_TRUE(stored(m_chosen).contains("Orc Raiders II"));
    m_choosers->fileAnswer.reset();
    m_view->Save1Click();
    EXPECT_EQ(m_choosers->filePresets.back(), m_chosen);
}

TEST_F(SaveCommandsTest, SaveAsksForAFileWhenThePageSourceNamesNone)
{
    for (const QString& source : {QStringLiteral("http://example.org/team.htm"), QStringLiteral("HtTp://x"),
                                  QStringLiteral("<none>"), QStringLiteral("<NONE> and more")}) {
        m_dialog->setPageSource(source);
        m_choosers->fileAnswer = m_chosen;
        const std::size_t asked = m_choosers->filePresets.size();
        m_view->Save2Click();
        EXPECT_EQ(m_choosers->filePresets.size(), asked + 1) << source.toStdString();
        EXPECT_EQ(m_dialog->pageSource(), m_chosen);
        QFile::remove(m_chosen);
    }
}

TEST_F(SaveCommandsTest, SaveWritesToALocalPageSourceWithoutAsking)
{
    const QString existing = m_folder.filePath(QStringLiteral("team.htm"));
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("an older, longer page than the one written now ...................................");
    file.close();
    m_dialog->setPageSource(QStringLiteral("team.htm")); // relative to the working folder
    m_view->Save2Click();
    EXPECT_TRUE(m_choosers->filePresets.empty());
    EXPECT_TRUE(stored(existing).startsWith("<!-- "));
    EXPECT_TRUE(stored(existing).endsWith("</HTML>\r\n"));
}

TEST_F(SaveCommandsTest, CancelledSaveWritesNothingButRebuildsTheBuffer)
{
    m_dialog->setPageSource(QStringLiteral("http://example.org/"));
    m_view->Save2Click();
    EXPECT_FALSE(QFile::exists(m_chosen));
    EXPECT_FALSE(m_view->pageBuffer().empty());
    EXPECT_EQ(m_dialog->pageSource(), "http://example.org/");
}

// A note holding the words of the match record's heading would restart the
// record when the page is read: the save asks first, and Cancel writes nothing.
TEST_F(SaveCommandsTest, APageThatWillNotReadBackTheSameIsSavedOnlyWhenTheUserSaysSo)
{
    control<StringGrid>(m_view.get(), "GameGrid")->setCell(0, 1, QStringLiteral("W"));
    control<StringGrid>(m_view.get(), "GameGrid")->setCell(7, 1, QStringLiteral("Record gate for this game"));
    m_dialog->setPageSource(QStringLiteral("http://example.org/"));
    m_choosers->fileAnswer = m_chosen;

    m_view->Save1Click();
    EXPECT_EQ(m_choosers->saveAnywayQuestions,
              QStringList{"This roster will not read back the same: Match record, row 1, column 1: "
                          "\"Result\" becomes \"W\". Save anyway?"});
    EXPECT_FALSE(QFile::exists(m_chosen));
    EXPECT_TRUE(m_choosers->filePresets.empty()) << "asked for a file after Cancel";
    EXPECT_EQ(m_dialog->pageSource(), "http://example.org/");

    m_choosers->saveAnywayAnswer = true;
    m_view->Save1Click();
    EXPECT_TRUE(stored(m_chosen).contains("Record gate for this game"));

    // Save to the page source asks as well.
    m_choosers->saveAnywayAnswer = false;
    control<StringGrid>(m_view.get(), "GameGrid")->setCell(7, 1, QStringLiteral("Record gate, second game"));
    m_view->Save2Click();
    EXPECT_EQ(m_choosers->saveAnywayQuestions.size(), 3);
    EXPECT_FALSE(stored(m_chosen).contains("second game"));

    // The other saves of this test suite ask nothing.
    control<StringGrid>(m_view.get(), "GameGrid")->setCell(7, 1, QStringLiteral("Plain note"));
    m_view->Save2Click();
    EXPECT_EQ(m_choosers->saveAnywayQuestions.size(), 3);
    EXPECT_TRUE(stored(m_chosen).contains("Plain note"));
}

TEST_F(SaveCommandsTest, UnwritableFilesRaiseTheFileError)
{
    m_dialog->setPageSource(QString());
    try {
        m_view->Save2Click();
        FAIL() << "an empty page source was saved";
    } catch (const EFileError& error) {
        EXPECT_STREQ(error.what(), "Cannot create file ");
    }

    // Save As has set the page source before the store fails.
    const QString missingFolder = m_folder.filePath(QStringLiteral("missing/team.htm"));
    m_choosers->fileAnswer = missingFolder;
    EXPECT_THROW(m_view->Save1Click(), EFileError);
    EXPECT_EQ(m_dialog->pageSource(), missingFolder);

    // Save and Save As never replace a FIFO with the page.
    const QString fifo = m_folder.filePath(QStringLiteral("fifo.htm"));
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    m_choosers->fileAnswer = fifo;
    for (const auto save : {&TTeamView::Save1Click, &TTeamView::Save2Click}) {
        try {
            (m_view.get()->*save)();
            ADD_FAILURE() << "saved over a FIFO";
        } catch (const EFileError& error) {
            EXPECT_EQ(error.what(), "Not a regular file: " + fifo.toStdString());
        }
        EXPECT_FALSE(QFileInfo(fifo).isFile());
    }
}

} // namespace
