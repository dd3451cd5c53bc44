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

TEST_F(PageHistoryTest, KeepsUrlsWholeInEitherEncoding)
{
    // An 8-bit URL written by another program next to a UTF-8 one.
    setContent("[Team HTML]\r\nhttp://a/=\r\nhttp://b/\xe9quipe.htm=\r\nhttp://c/\xc3\xa9quipe.htm=\r\n"
               "[Current]\r\nTeam HTML=0x1\r\n");
    const PageHistory history(path());
    EXPECT_EQ(history.urls(), (QStringList{"http://a/", QString::fromUtf8("http://b/\u00e9quipe.htm"),
                                           QString::fromUtf8("http://c/\u00e9quipe.htm")}));
    EXPECT_EQ(history.currentIndex(), 1);

    // URLs written back come back whole, and as UTF-8.
    const QString query = QString::fromUtf8("http://d/\u00e9quipe?team=12&view=full");
    history.appendUrl(query);
    history.storeCurrentIndex(3);
    EXPECT_EQ(history.urls().back(), query);
    EXPECT_EQ(history.currentIndex(), 3);
}

} // namespace
