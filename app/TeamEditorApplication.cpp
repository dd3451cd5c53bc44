#include "TeamEditorApplication.h"

#include "ErrorReport.h"
#include "EventPump.h"
#include "RulesCommands.h"
#include "TForm_Parse.h"
#include "TTeamView.h"

#include <QIcon>
#include <QStatusBar>

#include <exception>

// The resources live in this static library: nothing would pull them into a
// program without this call.
static void loadIconResources()
{
    Q_INIT_RESOURCE(icons);
}

TeamEditorApplication::TeamEditorApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    nameApplication();
    loadIconResources();
    setWindowIcon(QIcon(QStringLiteral(":/icons/team-editor.svg")));
}

void TeamEditorApplication::nameApplication()
{
    // The application's title; window captions stay as each window sets them.
    QCoreApplication::setApplicationName(QStringLiteral("Team Editor"));
    QCoreApplication::setApplicationVersion(QStringLiteral(TE_VERSION));
}

void TeamEditorApplication::openPageWhenRunning(const QString& page)
{
    // Through the event loop, so that a failure reaches the error report and
    // the window stays as it was.
    QMetaObject::invokeMethod(
        m_mainWindow.get(),
        [window = m_mainWindow.get(), page] { runCommand([window, page] { window->openPage(page); }); },
        Qt::QueuedConnection);
}

void TeamEditorApplication::useRulesWhenRunning(const QString& path)
{
    QMetaObject::invokeMethod(
        m_mainWindow.get(),
        [window = m_mainWindow.get(), path] {
            runCommand([window, path] { window->rulesCommands().useRulesForThisRun(path); });
        },
        Qt::QueuedConnection);
}

TeamEditorApplication::~TeamEditorApplication()
{
    setEventPump({});
    // The dialog is a window of the main window's, so it goes first.
    m_pageSourceDialog.reset();
    m_mainWindow.reset();
}

void TeamEditorApplication::createWindows()
{
    // The dialog is a child of the main window: it goes first, or the old
    // main window would delete it under its owner.
    m_pageSourceDialog.reset();
    m_mainWindow = std::make_unique<TTeamView>();
    // A window of the main window's, so that closing the main window ends the program.
    m_pageSourceDialog = std::make_unique<TForm_Parse>(m_mainWindow->startDirectory(), m_mainWindow.get());
    connectWindows(*m_mainWindow, *m_pageSourceDialog);
    // Socket waits keep the windows responsive.
    setEventPump([] { QCoreApplication::processEvents(); });
    m_mainWindow->show();
    if (!m_pageSourceDialog->historyProblem().isEmpty())
        reportError(m_pageSourceDialog->historyProblem());
    if (const QString& problem = m_mainWindow->rulesCommands().startProblem(); !problem.isEmpty())
        reportError(problem);
}

void TeamEditorApplication::connectWindows(TTeamView& mainWindow, TForm_Parse& pageSourceDialog)
{
    mainWindow.setPageSourceDialog(&pageSourceDialog);
    // A page read replaces the shown roster only once its changes are saved or given up.
    pageSourceDialog.setReplaceCheck([&mainWindow] { return mainWindow.mayReplaceWithReadPage(); });
    QObject::connect(&pageSourceDialog, &TForm_Parse::pageRead, &mainWindow, &TTeamView::showReadPage);
    QObject::connect(&pageSourceDialog, &TForm_Parse::otherToolPageImported, &mainWindow,
                     &TTeamView::showImport);
    QObject::connect(&pageSourceDialog, &TForm_Parse::matchRecordRead, &mainWindow,
                     &TTeamView::applyMatchRecord);
    // Told in passing: the team's value comes back in the status bar after a while.
    QObject::connect(&pageSourceDialog, &TForm_Parse::historyNotSaved, &mainWindow,
                     [&mainWindow](const QString& message) {
                         mainWindow.statusBar()->show();
                         mainWindow.statusBar()->showMessage(message, 15'000);
                     });
}

bool TeamEditorApplication::notify(QObject* receiver, QEvent* event)
{
    // Commands run through their own guard; this catches what escapes
    // elsewhere, as a last resort.
    try {
        return QApplication::notify(receiver, event);
    } catch (const std::exception& error) {
        reportError(QString::fromUtf8(error.what()));
    } catch (...) {
        reportError(tr("Unknown failure"));
    }
    return false;
}

void TeamEditorApplication::reportError(const QString& message)
{
    ::reportError(message);
}

void TeamEditorApplication::setErrorReportHook(std::function<void(const QString& text)> hook)
{
    ::setErrorReportHook(std::move(hook));
}
