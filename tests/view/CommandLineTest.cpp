#include "CommandLine.h"
#include "ShortcutsDialog.h"
#include "ViewTestSupport.h"

#include "AboutBox.h"

#include <QApplication>
#include <QMenu>
#include <QMenuBar>
#include <QProcess>
#include <QProcessEnvironment>

namespace {

TEST(CommandLineTest, ParsesThePageAndAnswersHelpAndVersion)
{
    ensureApplication();
    struct Case
    {
        QStringList arguments;
        CommandLine::Action action;
        QString page;
        int exitCode;
        bool toStandardError;
        QString textStart;
        QString rules = {};
    };
    using A = CommandLine::Action;
    const Case cases[] = {
        {{}, A::OpenWindow, {}, 0, false, {}},
        {{"orcs.htm"}, A::OpenWindow, "orcs.htm", 0, false, {}},
        {{"https://league.example/orcs.htm"}, A::OpenWindow, "https://league.example/orcs.htm", 0, false, {}},
        {{"--", "-odd.htm"}, A::OpenWindow, "-odd.htm", 0, false, {}},
        {{"--help"}, A::PrintAndExit, {}, 0, false, "Usage: "},
        {{"-h", "orcs.htm"}, A::PrintAndExit, {}, 0, false, "Usage: "},
        {{"--version"}, A::PrintAndExit, {}, 0, false, "Team Editor " TE_TEST_VERSION "\n"},
        {{"--bogus"}, A::PrintAndExit, {}, 1, true, "Unknown option 'bogus'."},
        {{"a.htm", "b.htm"}, A::PrintAndExit, {}, 1, true, "Only one page"},
        {{"--rules", "league.json", "orcs.htm"}, A::OpenWindow, "orcs.htm", 0, false, {}, "league.json"},
        {{"orcs.htm", "--rules=league.json"}, A::OpenWindow, "orcs.htm", 0, false, {}, "league.json"},
        {{"--rules", "league.json"}, A::OpenWindow, {}, 0, false, {}, "league.json"},
        {{"--rules"}, A::PrintAndExit, {}, 1, true, "Missing value after '--rules'."},
    };
    for (const Case& c : cases) {
        const CommandLine parsed = CommandLine::parse(QStringList{"team-editor"} + c.arguments);
        const std::string name = c.arguments.join(' ').toStdString();
        EXPECT_EQ(parsed.action, c.action) << name;
        EXPECT_EQ(parsed.page, c.page) << name;
        EXPECT_EQ(parsed.rules, c.rules) << name;
        EXPECT_EQ(parsed.exitCode, c.exitCode) << name;
        EXPECT_EQ(parsed.toStandardError, c.toStandardError) << name;
        EXPECT_TRUE(parsed.text.startsWith(c.textStart)) << name << ": " << parsed.text.toStdString();
    }
    EXPECT_TRUE(CommandLine::parse({"team-editor", "--help"}).text.contains("[PAGE]"));
    EXPECT_TRUE(CommandLine::parse({"team-editor", "--help"}).text.contains("--rules <file>"));
}

// The real program: --help and --version need no display at all.
TEST(CommandLineTest, ProgramPrintsHelpAndVersionWithoutAWindow)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    for (const char* name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        environment.remove(QString::fromLatin1(name));
    const auto run = [&environment](const QStringList& arguments) {
        QProcess program;
        program.setProcessEnvironment(environment);
        program.start(QStringLiteral(TE_BINARY_DIR "/bin/team-editor"), arguments);
        EXPECT_TRUE(program.waitForFinished(30000));
        return std::make_pair(program.exitCode(), QString::fromUtf8(program.readAllStandardOutput()));
    };
    const auto [helpStatus, help] = run({"--help"});
    EXPECT_EQ(helpStatus, 0);
    EXPECT_TRUE(help.contains("team-editor [options] [PAGE]")) << help.toStdString();
    const auto [versionStatus, version] = run({"--version"});
    EXPECT_EQ(versionStatus, 0);
    EXPECT_EQ(version, "Team Editor " TE_TEST_VERSION "\n");
}

TEST(HelpTest, AboutBoxAndShortcutTableTellTheTruth)
{
    ensureApplication();
    const QString about = AboutBox::text();
    EXPECT_TRUE(about.contains("Team Editor " TE_TEST_VERSION));
    EXPECT_TRUE(about.contains(QString::fromLatin1(qVersion())));
    EXPECT_TRUE(about.contains("Licence: MIT"));
    // The icon is drawn from the compiled-in SVG, which needs Qt's SVG plugins.
    EXPECT_FALSE(QApplication::windowIcon().pixmap(32).isNull());

    TTeamView view;
    QList<QAction*> commands;
    for (QAction* menu : view.menuBar()->actions())
        commands += menu->menu()->actions();
    const auto rows = ShortcutsDialog::rows(commands);
    const QList<QPair<QString, QString>> expected = {
        {"New", "Ctrl+N"},           {"Open", "Ctrl+O"}, {"Save", "Ctrl+S"},
        {"Save As", "Ctrl+Shift+S"}, {"Exit", "Ctrl+Q"}, {"Keyboard Shortcuts", "F1"},
    };
    for (const auto& row : expected)
        EXPECT_TRUE(rows.contains(row)) << row.first.toStdString() << " " << row.second.toStdString();
}

} // namespace
