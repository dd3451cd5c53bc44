#pragma once

#include <QApplication>

#include <functional>
#include <memory>

class TForm_Parse;
class TTeamView;

// The editor's application: creates its two windows in order. Commands show
// their failures in the error report themselves (ErrorReport.h); a failure that
// escapes anything else is reported here, after which the event loop goes on.
class TeamEditorApplication : public QApplication
{
    Q_OBJECT
public:
    TeamEditorApplication(int& argc, char** argv);
    ~TeamEditorApplication() override;

    // The main window first (it records the start directory), then the page
    // source dialog (it reads its history from there); shows the main window.
    void createWindows();
    TTeamView* mainWindow() const { return m_mainWindow.get(); }
    TForm_Parse* pageSourceDialog() const { return m_pageSourceDialog.get(); }

    // The program's name and version, for the application object in use.
    static void nameApplication();
    // Reads a page named on the command line once the event loop runs.
    void openPageWhenRunning(const QString& page);
    // Loads league rules named on the command line, for this run, once the
    // event loop runs.
    void useRulesWhenRunning(const QString& path);

    // The dialog's pages go to the window; the window's File, Open and Save
    // use the dialog.
    static void connectWindows(TTeamView& mainWindow, TForm_Parse& pageSourceDialog);

    bool notify(QObject* receiver, QEvent* event) override;

    // The error report: a message box titled "Team Editor" with the message
    // followed by ".", the error icon and an OK button.
    static void reportError(const QString& message);
    // Tests receive the report's text instead of a message box; an empty
    // function restores the message box.
    static void setErrorReportHook(std::function<void(const QString& text)> hook);

private:
    std::unique_ptr<TTeamView> m_mainWindow;
    std::unique_ptr<TForm_Parse> m_pageSourceDialog;
};
