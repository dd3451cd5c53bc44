#pragma once

#include <QString>
#include <QStringList>

// What the editor's command line asks for: "team-editor [--rules FILE] [PAGE]",
// where PAGE is a roster page's path or an http(s) URL and FILE a league
// rules file for this run, plus --help and --version, which are answered on
// standard output without a window.
struct CommandLine
{
    enum class Action
    {
        OpenWindow,   // run the editor, reading page if it is not empty
        PrintAndExit, // print text and end with exitCode
    };

    Action action = Action::OpenWindow;
    QString page;
    QString rules; // the league rules for this run; empty keeps the remembered ones
    QString text;
    bool toStandardError = false;
    int exitCode = 0;

    // Needs a QCoreApplication for the program's name and version. The first
    // argument is the program.
    static CommandLine parse(const QStringList& arguments);
    // Writes text to its stream and gives the exit code.
    int print() const;
    // Whether the arguments ask only for --help or --version, which can be
    // answered before the windowing system is brought up.
    static bool asksForTextOnly(int argc, char** argv);
};
