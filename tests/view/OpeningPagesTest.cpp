#include "Controls.h"
#include "ViewTestSupport.h"

#include "PageFixtures.h"

#include "PageHistory.h"
#include "PageNames.h"
#include "RecentPages.h"
#include "StringGrid.h"
#include "TeamEditorApplication.h"

#include <QCoreApplication>
#include <QDir>
#include <QDropEvent>
#include <QFile>
#include <QLabel>
#include <QMenu>
#include <QMimeData>
#include <QScrollArea>
#include <QScrollBar>
#include <QUrl>

namespace {

class OpeningPagesTest : public ViewTest
{
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        collectReports();
    }

    // A copy of the sample page in the test's folder.
    QString samplePage(const QString& name)
    {
        const QString path = m_folder.filePath(name);
        QFile::copy(samplePagePath(), path);
        return path;
    }

    QStringList recentPages() const { return RecentPages(PageHistory::locate(m_folder.path())).pages(); }

    QLabel* startHint() const { return m_view->findChild<QLabel*>(QStringLiteral("StartHint")); }

    bool teamShown() const { return control<StringGrid>(m_view.get(), "TeamGrid")->isVisible(); }

    void drop(QMimeData* data)
    {
        const QPoint centre = m_view->rect().center();
        QDragEnterEvent enter(centre, Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_view.get(), &enter);
        m_dropAccepted = enter.isAccepted();
        QDropEvent dropped(QPointF(centre), Qt::CopyAction, data, Qt::LeftButton, Qt::NoModifier);
        QCoreApplication::sendEvent(m_view.get(), &dropped);
        QCoreApplication::processEvents();
    }

    bool m_dropAccepted = false;
};

TEST_F(OpeningPagesTest, StartHintShowsUntilATeamIsShown)
{
    ASSERT_NE(startHint(), nullptr);
    EXPECT_TRUE(startHint()->isVisible());
    EXPECT_EQ(startHint()->text(), "Open a roster page (Ctrl+O) or start a new team (Ctrl+N).");
    EXPECT_EQ(startHint()->geometry(),
              m_view->centralWidget()->findChild<QWidget*>(QStringLiteral("qt_scrollarea_viewport"))->rect());
    // Nothing to scroll sideways to until the grids show.
    auto* area = qobject_cast<QScrollArea*>(m_view->centralWidget());
    ASSERT_NE(area, nullptr);
    QCoreApplication::processEvents();
    EXPECT_EQ(area->horizontalScrollBar()->maximum(), 0);
    m_view->Open1Click();
    EXPECT_TRUE(startHint()->isVisible());
    m_view->New1Click();
    EXPECT_FALSE(startHint()->isVisible());
    EXPECT_GT(area->widget()->minimumWidth(), 0) << "the grids' minimum width holds once they show";
}

TEST_F(OpeningPagesTest, PageFromOutsideIsReadAndRemembered)
{
    samplePage(QStringLiteral("grinders.htm"));
    // A relative name, as typed on a command line in the start folder.
    m_view->openPage(QStringLiteral("grinders.htm"));
    EXPECT_TRUE(m_reports.isEmpty());
    EXPECT_TRUE(teamShown());
    EXPECT_TRUE(control<QAction>(m_view.get(), "Save2")->isEnabled());
    EXPECT_EQ(control<QLabel>(m_view.get(), "LbTName")->text(), "Grimstone Grinders");
    const QString absolute = m_folder.filePath(QStringLiteral("grinders.htm"));
    EXPECT_EQ(m_dialog->pageSource(), absolute);
    EXPECT_EQ(recentPages(), QStringList{absolute});
}

TEST_F(OpeningPagesTest, UnreadablePageFromOutsideLeavesTheStartWindow)
{
    // Through the event loop, as the command line's page is read.
    QMetaObject::invokeMethod(
        m_view.get(), [this] { m_view->openPage(QStringLiteral("missing.htm")); }, Qt::QueuedConnection);
    QCoreApplication::processEvents();
    ASSERT_EQ(m_reports.size(), 1);
    EXPECT_TRUE(m_reports.front().startsWith("Cannot open file")) << m_reports.front().toStdString();
    EXPECT_FALSE(teamShown());
    EXPECT_TRUE(startHint()->isVisible());
    EXPECT_FALSE(m_dialog->isVisible());
    EXPECT_TRUE(recentPages().isEmpty());
}

TEST_F(OpeningPagesTest, DroppedFileIsOpenedAndOtherDropsAreRefused)
{
    auto text = std::make_unique<QMimeData>();
    text->setText(QStringLiteral("not a page"));
    drop(text.get());
    EXPECT_FALSE(m_dropAccepted);
    EXPECT_FALSE(teamShown());

    const QString path = samplePage(QStringLiteral("dropped.htm"));
    auto file = std::make_unique<QMimeData>();
    file->setUrls({QUrl::fromLocalFile(path)});
    drop(file.get());
    EXPECT_TRUE(m_dropAccepted);
    EXPECT_TRUE(m_reports.isEmpty());
    EXPECT_TRUE(teamShown());
    EXPECT_EQ(recentPages(), QStringList{path});
}

TEST_F(OpeningPagesTest, OpenRecentListsNewestFirstAndOpensTheChosenPage)
{
    const QString first = samplePage(QStringLiteral("first.htm"));
    const QString second = samplePage(QStringLiteral("second & more.htm"));
    m_view->openPage(first);
    m_view->openPage(second);
    auto* menu = m_view->findChild<QMenu*>(QStringLiteral("RecentPagesMenu"));
    ASSERT_NE(menu, nullptr);
    emit menu->aboutToShow();
    QStringList items;
    for (QAction* item : menu->actions())
        items << (item->isSeparator() ? QStringLiteral("-") : item->text());
    EXPECT_EQ(items,
              (QStringList{"&1 " + QString(second).replace("&", "&&"), "&2 " + first, "-", "&Clear List"}));

    menu->actions().at(1)->trigger();
    EXPECT_EQ(recentPages(), (QStringList{first, second}));
    EXPECT_EQ(m_dialog->pageSource(), first);

    menu->actions().constLast()->trigger();
    EXPECT_TRUE(recentPages().isEmpty());
    EXPECT_EQ(menu->actions().size(), 1);
    EXPECT_FALSE(menu->actions().front()->isEnabled());
}

TEST(PageNamesTest, NamesFromOutsideAndShortNames)
{
    struct Case
    {
        const char* given;
        QString outside;
        const char* shortName;
    };
    const QString here = QDir::currentPath();
    const Case cases[] = {
        {"https://league.example/teams/orcs.htm?x=1", "https://league.example/teams/orcs.htm?x=1",
         "orcs.htm"},
        {"HTTP://league.example/", "HTTP://league.example/", "league.example"},
        {"http://league.example/teams/", "http://league.example/teams/", "teams"},
        {"http.htm", here + "/http.htm", "http.htm"},
        {"/srv/teams/orcs.htm", "/srv/teams/orcs.htm", "orcs.htm"},
        {"file:///srv/teams/elves.htm", "/srv/teams/elves.htm", "elves.htm"},
    };
    for (const Case& c : cases) {
        const QString given = QString::fromUtf8(c.given);
        EXPECT_EQ(PageNames::fromOutside(given), c.outside) << c.given;
        EXPECT_EQ(PageNames::shortName(PageNames::fromOutside(given)), c.shortName) << c.given;
    }
}

} // namespace
