#include "PageHistory.h"
#include "IniFile.h"
#include "RecentPages.h"

#include <QCoreApplication>
#include <QFile>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/resource.h>

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

// However many editors added URLs, all of them up to the file's size limit
// are listed, in memory of the order of the file's size.
TEST_F(PageHistoryTest, ListsEveryUrlUpToTheSizeLimit)
{
    QByteArray file = "[Team HTML]\r\n";
    QStringList urls;
    const QByteArray tail = "[Current]\r\nTeam HTML=0\r\n";
    for (int n = 0;; ++n) {
        const QByteArray url = "http://league.example/teams/" + QByteArray::number(n) + ".htm?view=full";
        if (file.size() + url.size() + 3 + tail.size() > IniFile::SizeLimit)
            break;
        file += url + "=\r\n";
        urls << QString::fromLatin1(url);
    }
    setContent(file + tail);
    ASSERT_GT(urls.size(), 15'000);

    rusage before{};
    getrusage(RUSAGE_SELF, &before);
    EXPECT_EQ(PageHistory(path()).urls(), urls);
    rusage after{};
    getrusage(RUSAGE_SELF, &after);
    // ru_maxrss is in kilobytes: the peak grows by well under 32 MiB.
    EXPECT_LT(after.ru_maxrss - before.ru_maxrss, 32 * 1024);
}

// The recent pages share the history file with the URL history.
class RecentPagesTest : public PageHistoryTest
{
protected:
    QByteArray content() const
    {
        QFile file(path());
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    }
};

TEST_F(RecentPagesTest, NewestFirstWithoutRepeatsAndAtMostTen)
{
    const RecentPages recent(path());
    EXPECT_TRUE(recent.pages().isEmpty());
    for (int n = 1; n <= 12; ++n)
        recent.add(QStringLiteral("/teams/t%1.htm").arg(n));
    QStringList expected;
    for (int n = 12; n >= 3; --n)
        expected.append(QStringLiteral("/teams/t%1.htm").arg(n));
    EXPECT_EQ(recent.pages(), expected);

    // Reading a page again moves it to the top instead of adding it twice.
    recent.add(QStringLiteral("/teams/t7.htm"));
    expected.removeAll(QStringLiteral("/teams/t7.htm"));
    expected.prepend(QStringLiteral("/teams/t7.htm"));
    EXPECT_EQ(recent.pages(), expected);
}

TEST_F(RecentPagesTest, SurvivesARestartAndLeavesTheUrlHistoryAlone)
{
    const QByteArray history =
        "[Team HTML]\r\nhttp://a/=\r\nhttp://b/?x=1=\r\n\r\n[Current]\r\nTeam HTML=1\r\n";
    setContent(history);
    const QString url = QStringLiteral("https://example.org/roster.htm?team=12&view=full");
    const QString file = QString::fromUtf8("/home/coach/\u00e9quipe = 1.htm");
    RecentPages(path()).add(url);
    RecentPages(path()).add(file);

    // A new object reads the file afresh, as the next run of the editor does.
    EXPECT_EQ(RecentPages(path()).pages(), (QStringList{file, url}));
    EXPECT_TRUE(content().startsWith(history));
    EXPECT_EQ(IniFile(path()).readInteger("Current", "Team HTML", 0), 1);
    EXPECT_EQ(IniFile(path()).readKeyNames("Team HTML", IniFile::KeyEnd::LastEquals),
              (std::vector<std::string>{"http://a/", "http://b/?x=1"}));
}

TEST_F(RecentPagesTest, SkipsNamesTheFileCannotHoldAndBrokenEntries)
{
    // A lone CR is no line end: Page5 holds one, which no entry written may.
    setContent(
        "[recent pages]\r\npage3=/c.htm\r\nPAGE1=/a.htm\r\nPage2=\r\nPage4=/a.htm\r\nPage5=/d\r.htm\r\n"
        "Page11=/z.htm\r\n");
    const RecentPages recent(path());
    EXPECT_EQ(recent.pages(), (QStringList{"/a.htm", "/c.htm"}));

    for (const QString& odd : {QStringLiteral("/x\n[Current]\nTeam HTML=5"), QStringLiteral(" /lead.htm"),
                               QStringLiteral("/trail.htm "), QString()})
        recent.add(odd);
    EXPECT_EQ(recent.pages(), (QStringList{"/a.htm", "/c.htm"}));
    EXPECT_FALSE(content().contains("Team HTML=5"));

    // A broken entry does not keep the next page from being remembered.
    recent.add(QStringLiteral("/new.htm"));
    EXPECT_EQ(recent.pages(), (QStringList{"/new.htm", "/a.htm", "/c.htm"}));
}

// The settings live in the desktop's configuration folder, unless the start
// folder holds a file of its own, which is then used (a portable set-up).
TEST(SettingsLocationTest, TheStartFoldersFileElseTheDesktopsConfigurationFolder)
{
    QTemporaryDir config;
    QTemporaryDir start;
    const QByteArray previous = qgetenv("XDG_CONFIG_HOME");
    qputenv("XDG_CONFIG_HOME", QFile::encodeName(config.path()));
    QCoreApplication::setApplicationName(QStringLiteral("Team Editor"));

    const QString desktop = PageHistory::locate(start.path());
    EXPECT_EQ(desktop, config.path() + "/Team Editor/SkarnIRC.ini");
    PageHistory(desktop).appendUrl(QStringLiteral("http://league.example/a.htm"));
    EXPECT_EQ(PageHistory(PageHistory::locate(start.path())).urls(),
              QStringList{"http://league.example/a.htm"});
    EXPECT_FALSE(QFile::exists(start.filePath("SkarnIRC.ini")));

    QFile portable(start.filePath("SkarnIRC.ini"));
    ASSERT_TRUE(portable.open(QIODevice::WriteOnly));
    portable.close();
    EXPECT_EQ(PageHistory::locate(start.path()), start.path() + "/SkarnIRC.ini");
    EXPECT_TRUE(PageHistory(PageHistory::locate(start.path())).urls().isEmpty());

    qputenv("XDG_CONFIG_HOME", previous);
}

} // namespace
