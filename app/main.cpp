#include "CommandLine.h"
#include "TeamEditorApplication.h"

#include <QCoreApplication>

int main(int argc, char** argv)
{
    // --help and --version are answered without a display.
    if (CommandLine::asksForTextOnly(argc, argv)) {
        QCoreApplication core(argc, argv);
        TeamEditorApplication::nameApplication();
        return CommandLine::parse(QCoreApplication::arguments()).print();
    }
    TeamEditorApplication application(argc, argv);
    // Qt's own options are gone from arguments() by now.
    const CommandLine commandLine = CommandLine::parse(QCoreApplication::arguments());
    if (commandLine.action == CommandLine::Action::PrintAndExit)
        return commandLine.print();
    application.createWindows();
    if (!commandLine.rules.isEmpty())
        application.useRulesWhenRunning(commandLine.rules);
    if (!commandLine.page.isEmpty())
        application.openPageWhenRunning(commandLine.page);
    return application.exec();
}
