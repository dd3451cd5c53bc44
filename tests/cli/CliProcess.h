#pragma once

#include <QByteArray>
#include <QProcess>
#include <QStringList>

// team-editor-cli run as a process, with what it printed.
struct CliRun
{
    int exitCode = -1; // -1 when it did not exit normally
    QByteArray out;
    QByteArray err;
};

inline CliRun runCli(const QStringList& args)
{
    QProcess process;
    process.start(QStringLiteral(TE_BINARY_DIR "/bin/team-editor-cli"), args);
    process.waitForFinished(-1);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardOutput(), process.readAllStandardError()};
}
