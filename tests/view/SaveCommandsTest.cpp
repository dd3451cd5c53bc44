#include "ViewTestSupport.h"

#include "Controls.h"

#include "Errors.h"
#include "StringGrid.h"
#include "TForm_Parse.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

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
}

} // namespace
