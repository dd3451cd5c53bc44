#include "ViewTestSupport.h"

#include "Controls.h"

#include "Errors.h"
#include "RosterSheet.h"
#include "StringGrid.h"
#include "TForm_Parse.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <sys/stat.h>

#include <functional>
#include <vector>

namespace {

const QString samplePage = QStringLiteral(TE_SOURCE_DIR "/examples/sample-roster.htm");

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

// A new team has no file of its own, whatever the page source box names.
TEST_F(SaveCommandsTest, SaveAsksForAFileWhenTheRosterHasNoFileOfItsOwn)
{
    for (const QString& source :
         {QStringLiteral("http://example.org/team.htm"), QStringLiteral("HtTp://x"), QStringLiteral("<none>"),
          QStringLiteral("<NONE> and more"), QStringLiteral("team.htm")}) {
        m_view->New1Click();
        m_dialog->setPageSource(source);
        m_choosers->fileAnswer = m_chosen;
        const std::size_t asked = m_choosers->filePresets.size();
        m_view->Save2Click();
        EXPECT_EQ(m_choosers->filePresets.size(), asked + 1) << source.toStdString();
        EXPECT_EQ(m_dialog->pageSource(), m_chosen);
        QFile::remove(m_chosen);
    }
}

TEST_F(SaveCommandsTest, SaveWritesToTheLocalPageReadWithoutAsking)
{
    const QString existing = m_folder.filePath(QStringLiteral("team.htm"));
    QFile::copy(samplePage, existing);
    m_view->openPage(QStringLiteral("team.htm")); // relative to the working folder
    QFile file(existing);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("an older, longer page than the one written now ...................................");
    file.close();
    // The name read stays the file's, wherever the working folder goes.
    QDir::setCurrent(m_folder.filePath(QStringLiteral("pages")));
    m_view->Save2Click();
    EXPECT_TRUE(m_choosers->filePresets.empty());
    EXPECT_TRUE(stored(existing).startsWith("<!-- "));
    EXPECT_TRUE(stored(existing).endsWith("</HTML>\r\n"));
}

// Save writes without asking only to the file the shown roster was read from
// or saved to; any other roster is saved as Save As does, whatever the path
// box names. The guard's Save before File, New goes the same way.
TEST_F(SaveCommandsTest, SaveWritesOnlyToTheRostersOwnFile)
{
    const QString own = m_folder.filePath(QStringLiteral("own.htm"));
    const QString refused = m_folder.filePath(QStringLiteral("notes.htm"));
    struct Case
    {
        const char* shown;
        std::function<void()> show;
        bool hasOwnFile;
    };
    const std::vector<Case> cases = {
        {"a local page", [] {}, true},
        {"File, New", [this] { m_view->New1Click(); }, false},
        {"File, New after Discard",
         [this] {
             m_view->sheet().setCell(SheetGrid::Details, 1, 1, QStringLiteral("Goblins"));
             m_choosers->saveAnswer = Choosers::SaveAnswer::Discard;
             m_view->New1Click();
             m_choosers->saveAnswer.reset();
         },
         false},
        {"an import",
         [this, &own] {
             m_choosers->fileAnswer = own;
             m_view->importPage();
         },
         false},
        {"a page refused as not a roster",
         [this, &refused] { EXPECT_THROW(m_view->openPage(refused), ENotRosterPage); }, true},
        {"a page from the web",
         [this] {
             m_dialog->setPageSource(QStringLiteral("http://league.example/own.htm"));
             m_view->showReadPage(CurrentTeam, MatchRecord{}, TextEncoding::Utf8);
         },
         false},
        {"Save As",
         [this] {
             m_choosers->fileAnswer = m_chosen;
             m_view->Save1Click();
         },
         true},
    };
    for (const bool throughGuard : {false, true}) {
        for (const Case& c : cases) {
            SCOPED_TRACE(std::string(c.shown) + (throughGuard ? ", the guard's Save" : ", Save"));
            QFile::remove(own);
            QFile::remove(m_chosen);
            QFile::copy(samplePage, own);
            QFile notes(refused);
            ASSERT_TRUE(notes.open(QIODevice::WriteOnly));
            notes.write("Nothing here.\n");
            notes.close();
            m_view->openPage(own);
            c.show();
            const QString ownFile = c.hasOwnFile ? (QFile::exists(m_chosen) ? m_chosen : own) : QString();
            const QByteArray ownBefore = stored(own);
            m_choosers->fileAnswer.reset(); // a chooser cancels: nothing may be written then
            m_choosers->filePresets.clear();
            control<StringGrid>(m_view.get(), "TeamGrid2")->setCell(1, 0, QStringLiteral("Saved Now"));
            if (throughGuard) {
                m_choosers->saveAnswer = Choosers::SaveAnswer::Save;
                m_view->New1Click();
                m_choosers->saveAnswer.reset();
            } else {
                m_view->Save2Click();
            }
            EXPECT_EQ(m_choosers->filePresets.size(), c.hasOwnFile ? 0u : 1u);
            if (!ownFile.isEmpty()) {
                EXPECT_TRUE(stored(ownFile).contains("Saved Now"));
            }
            if (ownFile != own) {
                EXPECT_EQ(stored(own), ownBefore);
            }
            EXPECT_EQ(stored(refused), "Nothing here.\n");
        }
    }
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
    // A page source box left empty names no file: Save asks, and a cancel writes nothing.
    m_dialog->setPageSource(QString());
    m_view->Save2Click();
    EXPECT_EQ(m_choosers->filePresets.size(), 1u);

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
