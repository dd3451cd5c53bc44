// Makes a picture of the editor's main window for the documentation:
//   team-editor-screenshot PAGE OUTPUT.png     with the roster page read
//   team-editor-screenshot --new OUTPUT.png    after File, New
//   team-editor-screenshot --start OUTPUT.png  right after start
// With --fill-screen after OUTPUT.png the window takes the whole screen, as a
// maximised window would. --rules FILE, first, checks the roster against the
// league rules in FILE, with the Findings pane.
#include "ErrorReport.h"
#include "RulesCommands.h"
#include "StringGrid.h"
#include "TForm_Parse.h"
#include "TTeamView.h"
#include "TeamEditorApplication.h"

#include <QPixmap>
#include <QScreen>
#include <QTextStream>

int main(int argc, char** argv)
{
    TeamEditorApplication application(argc, argv);
    QStringList arguments = QCoreApplication::arguments();
    QString rules;
    if (arguments.size() > 2 && arguments.at(1) == QLatin1String("--rules")) {
        rules = arguments.at(2);
        arguments.remove(1, 2);
    }
    const bool fillScreen = arguments.size() == 4 && arguments.at(3) == QLatin1String("--fill-screen");
    if (arguments.size() != 3 && !fillScreen) {
        QTextStream(stderr)
            << "usage: team-editor-screenshot [--rules FILE] PAGE|--new|--start OUTPUT.png [--fill-screen]\n";
        return 2;
    }
    int status = 0;
    TeamEditorApplication::setErrorReportHook([&status](const QString& text) {
        QTextStream(stderr) << text << '\n';
        status = 1;
    });
    application.createWindows();
    TTeamView* view = application.mainWindow();
    if (fillScreen && view->screen())
        view->setGeometry(view->screen()->availableGeometry());
    if (!rules.isEmpty())
        runCommand([view, &rules] { view->rulesCommands().useRulesForThisRun(rules); });
    const QString source = arguments.at(1);
    if (source == QLatin1String("--new")) {
        view->New1Click();
    } else if (source != QLatin1String("--start")) {
        application.pageSourceDialog()->setPageSource(source);
        // Through the event loop, so that a failure reaches the error report.
        QMetaObject::invokeMethod(application.pageSourceDialog(), &TForm_Parse::BtnParseClick,
                                  Qt::QueuedConnection);
    }
    QCoreApplication::processEvents();
    // Show the current-cell look on the first player's name.
    auto* players = view->findChild<StringGrid*>(QStringLiteral("TeamGrid"));
    players->setFocus();
    players->setCurrentCell(1, 1);
    QCoreApplication::processEvents();
    if (status != 0)
        return status;
    return view->grab().save(arguments.at(2)) ? 0 : 1;
}
