#include "TeamEditorApplication.h"

#include "ErrorReport.h"
#include "EventPump.h"
#include "TForm_Parse.h"
#include "TTeamView.h"

#include <exception>

TeamEditorApplication::TeamEditorApplication(int& argc, char** argv) : QApplication(argc, argv)
{
    // The application's title; window captions stay as each window sets them.
    setApplicationName(QStringLiteral("Team Editor"));
    setApplicationVersion(QStringLiteral(TE_VERSION));
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
}

void TeamEditorApplication::connectWindows(TTeamView& mainWindow, TForm_Parse& pageSourceDialog)
{
    mainWindow.setPageSourceDialog(&pageSourceDialog);
    QObject::connect(&pageSourceDialog, &TForm_Parse::pageRead, &mainWindow, &TTeamView::showReadPage);
    QObject::connect(&pageSourceDialog, &TForm_Parse::otherToolPageRead, &mainWindow,
                     &TTeamView::offerImport);
    QObject::connect(&pageSourceDialog, &TForm_Parse::matchRecordRead, &mainWindow,
                     &TTeamView::applyMatchRecord);
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
