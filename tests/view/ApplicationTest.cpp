#include "ViewTestSupport.h"

#include "Controls.h"
#include "ScriptedServer.h"
#include "StringGrid.h"
#include "TForm_Parse.h"
#include "TeamEditorApplication.h"

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QMenu>
#include <QMessageBox>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>

namespace {

class ApplicationTest : public ViewTest
{
protected:
    void TearDown() override
    {
        TeamEditorApplication::setErrorReportHook({});
        ViewTest::TearDown();
    }
};

TEST_F(ApplicationTest, FailureOfACommandIsReportedAndTheLoopGoesOn)
{
    QStringList reports;
    TeamEditorApplication::setErrorReportHook([&reports](const QString& text) { reports << text; });
    m_view->New1Click();
    // Save asks for a file for the new team, in a folder that is not there.
    const QString unwritable = m_folder.filePath(QStringLiteral("no folder/team.htm"));
    m_choosers->fileAnswer = unwritable;

    // A click on File, Save in the open menu.
    control<QMenu>(m_view.get(), "File1")->popup(m_view->mapToGlobal(QPoint(0, 0)));
    ASSERT_TRUE(QTest::qWaitForWindowExposed(control<QMenu>(m_view.get(), "File1")));
    QTest::mouseClick(control<QMenu>(m_view.get(), "File1"), Qt::LeftButton, {},
                      control<QMenu>(m_view.get(), "File1")
                          ->actionGeometry(control<QAction>(m_view.get(), "Save2"))
                          .center());
    EXPECT_EQ(reports, QStringList{"Cannot create file " + unwritable + "."});
    EXPECT_FALSE(control<QMenu>(m_view.get(), "File1")->isVisible());

    // The same through the event loop; afterwards commands work as before.
    QMetaObject::invokeMethod(control<QAction>(m_view.get(), "Save2"), &QAction::trigger,
                              Qt::QueuedConnection);
    QCoreApplication::processEvents();
    EXPECT_EQ(reports.size(), 2);
    control<StringGrid>(m_view.get(), "TeamGrid2")->setCell(1, 0, QStringLiteral("Orcs"));
    QMetaObject::invokeMethod(control<QAction>(m_view.get(), "New1"), &QAction::trigger,
                              Qt::QueuedConnection);
    QCoreApplication::processEvents();
    EXPECT_EQ(reports.size(), 2);
    EXPECT_EQ(control<StringGrid>(m_view.get(), "TeamGrid2")->cell(1, 0), "");
}

TEST_F(ApplicationTest, ReportIsAnErrorBoxTitledTeamEditor)
{
    QString title, text;
    QMessageBox::Icon icon = QMessageBox::NoIcon;
    QMessageBox::StandardButtons buttons;
    // The report is modal: look at it from inside its own loop, then close it.
    QTimer::singleShot(0, [&] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        ASSERT_NE(box, nullptr);
        title = box->windowTitle();
        text = box->text();
        icon = box->icon();
        buttons = box->standardButtons();
        box->accept();
    });
    TeamEditorApplication::reportError(QStringLiteral("Host Lookup Failed."));
    EXPECT_EQ(title, "Team Editor");
    EXPECT_EQ(text, "Host Lookup Failed..");
    EXPECT_EQ(icon, QMessageBox::Critical);
    EXPECT_EQ(buttons, QMessageBox::StandardButtons(QMessageBox::Ok));
}

// Makes the folder the working folder, with the history file holding bytes.
void startWithHistory(const QTemporaryDir& folder, const QByteArray& bytes)
{
    QDir::setCurrent(folder.path());
    QFile history(folder.filePath(QStringLiteral("SkarnIRC.ini")));
    ASSERT_TRUE(history.open(QIODevice::WriteOnly));
    history.write(bytes);
}

TEST(ApplicationStartTest, DialogReadsItsHistoryFromTheStartFolderAndClosesWithTheMainWindow)
{
    ensureApplication();
    QTemporaryDir folder;
    const QString previousFolder = QDir::currentPath();
    startWithHistory(folder, "[Team HTML]\r\nhttp://league.example/orcs.htm=\r\n");

    auto* application = static_cast<TeamEditorApplication*>(QCoreApplication::instance());
    application->createWindows();
    QDir::setCurrent(previousFolder);
    TTeamView* view = application->mainWindow();
    EXPECT_TRUE(view->isVisible());
    EXPECT_EQ(view->startDirectory(), QDir::toNativeSeparators(folder.path()));
    EXPECT_EQ(application->pageSourceDialog()->pageSource(), "http://league.example/orcs.htm");
    EXPECT_FALSE(application->pageSourceDialog()->isVisible());

    // File, Exit ends the event loop, even with the dialog open. Should the
    // dialog keep the program running, the guard ends the loop with a failure.
    view->Open1Click();
    QTimer::singleShot(0, view, &TTeamView::exit1Click);
    QTimer guard;
    guard.callOnTimeout([] { QCoreApplication::exit(1); });
    guard.start(30000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
}

// A history too large to read is reported once the main window shows.
TEST(ApplicationStartTest, AHistoryTooLargeIsReportedAtStart)
{
    ensureApplication();
    QTemporaryDir folder;
    const QString previousFolder = QDir::currentPath();
    startWithHistory(folder, QByteArray(2 << 20, '\n'));

    QStringList reports;
    TeamEditorApplication::setErrorReportHook([&reports](const QString& text) { reports << text; });
    auto* application = static_cast<TeamEditorApplication*>(QCoreApplication::instance());
    application->createWindows();
    TeamEditorApplication::setErrorReportHook({});
    QDir::setCurrent(previousFolder);
    EXPECT_EQ(reports, QStringList{"History file too large: " + application->mainWindow()->startDirectory() +
                                   "/SkarnIRC.ini."});
    EXPECT_TRUE(application->mainWindow()->isVisible());
    EXPECT_EQ(control<QComboBox>(application->pageSourceDialog(), "Cmb_HTML")->count(), 0);
}

// File, Exit while a fetch waits on a server that never answers ends the
// fetch at once, without an error report, and the event loop with it.
TEST(ApplicationStartTest, FileExitDuringAFetchEndsTheProgram)
{
    ensureApplication();
    QStringList reports;
    TeamEditorApplication::setErrorReportHook([&reports](const QString& text) { reports << text; });
    QTemporaryDir folder;
    const QString previousFolder = QDir::currentPath();
    startWithHistory(folder, "");
    auto* application = static_cast<TeamEditorApplication*>(QCoreApplication::instance());
    application->createWindows();
    QDir::setCurrent(previousFolder);

    ScriptedServer silent("", "", true);
    TForm_Parse* dialog = application->pageSourceDialog();
    dialog->setPageSource(QString::fromStdString(silent.url("/team.htm")));
    QTimer::singleShot(0, dialog, &TForm_Parse::BtnParseClick);
    QTimer exitOnceFetching;
    exitOnceFetching.callOnTimeout([&] {
        if (dialog->fetching() && silent.requestReceived()) {
            exitOnceFetching.stop();
            application->mainWindow()->exitProgram();
        }
    });
    exitOnceFetching.start(5);
    QTimer guard;
    guard.callOnTimeout([] { QCoreApplication::exit(1); });
    guard.start(20000);
    EXPECT_EQ(QCoreApplication::exec(), 0);
    EXPECT_FALSE(dialog->fetching());
    EXPECT_TRUE(dialog->NMHTTP1.BeenCanceled);
    EXPECT_EQ(reports, QStringList());
    TeamEditorApplication::setErrorReportHook({});
}

} // namespace
