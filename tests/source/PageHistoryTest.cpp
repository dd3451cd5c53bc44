#include "PageHistory.h"

#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

class PageHistoryTest : public ::testing::Test
{
protected:
    QString path() const { return m_dir.filePath("SkarnIRC.ini"); }

    void setContent(const QByteArray& bytes) const
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
    }

    QTemporaryDir m_dir;
};

TEST_F(PageHistoryTest, UrlsWithEqualsSignsComeBackWhole)
{
    const PageHistory history(path());
    const QStringList urls{"http://league.example/roster?team=12&view=full",
                           "http://a.example/page=", "http://b.example/x.htm"};
    for (const QString& url : urls)
        history.appendUrl(url);
    history.storeCurrentIndex(2);

    const PageHistory reread(path());
    EXPECT_EQ(reread.urls(), urls);
    EXPECT_EQ(reread.currentIndex(), 2);
}

TEST_F(PageHistoryTest, ReadsFilesOfTheUsualForm)
{
    // An 8-bit URL written by another program next to a UTF-8 one.
    setContent("[Team HTML]\r\nhttp://a/=\r\nhttp://b/\xe9quipe.htm=\r\nhttp://c/\xc3\xa9quipe.htm=\r\n"
               "[Current]\r\nTeam HTML=0x1\r\n");
    const PageHistory history(path());
    EXPECT_EQ(history.urls(), (QStringList{"http://a/", QString::fromUtf8("http://b/\u00e9quipe.htm"),
                                           QString::fromUtf8("http://c/\u00e9quipe.htm")}));
    EXPECT_EQ(history.currentIndex(), 1);
}

TEST_F(PageHistoryTest, NothingStoredMeansTheFirstEntry)
{
    const PageHistory history(path());
    EXPECT_TRUE(history.urls().isEmpty());
    EXPECT_EQ(history.currentIndex(), 0);
    EXPECT_FALSE(QFile::exists(path()));
}

} // namespace
