#include "ConvertCommand.h"

#include "Errors.h"
#include "PageStore.h"
#include "RosterReader.h"
#include "TTeamView.h"

#include <QApplication>
#include <QFile>

#include <cstdio>

namespace {

// Reads the page into the window the way a successful read in the page
// source dialog does, then builds and stores the page as Save As does.
void convertPage(const std::string& input, const QString& output)
{
    const PageLines page = loadPageFile(input);
    TTeam team;
    MatchRecord record;
    readRosterPage(page, team, record);

    TTeamView view;
    CurrentTeam = team;
    view.setPageEncoding(page.encoding);
    view.applyMatchRecord(record, page.encoding);
    view.ShowTeam(CurrentTeam);
    view.showGrids();
    view.WriteHTML();
    storePage(view.pageBuffer(), output);
}

// The offscreen platform's notes (no runtime folder, no fonts) are no output
// of the command; only Qt's own errors reach standard error.
void keepQtErrorsOnly(QtMsgType type, const QMessageLogContext&, const QString& message)
{
    if (type == QtCriticalMsg || type == QtFatalMsg)
        std::fprintf(stderr, "%s\n", message.toLocal8Bit().constData());
}

} // namespace

int runConvertCommand(const std::vector<std::string>& args)
{
    if (args.size() != 2) {
        std::fputs("usage: team-editor-cli convert IN OUT\n", stderr);
        return 2;
    }
    // The window is only a means to build the page: it needs no display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    qInstallMessageHandler(keepQtErrorsOnly);
    static int argc = 1;
    static char name[] = "team-editor-cli";
    static char* argv[] = {name, nullptr};
    const QApplication application(argc, argv);
    try {
        convertPage(args[0], QFile::decodeName(args[1].c_str()));
        return 0;
    } catch (const TeamEditorError& error) {
        std::fprintf(stderr, "%s\n", error.what());
        return 1;
    }
}
