// Every command that reads a page as a roster, run as a process over pages of
// every kind: this program's own, another roster tool's, and pages that hold
// no roster at all.
#include "PageFolder.h"
#include "ScriptedServer.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <gtest/gtest.h>

namespace {

struct CliRun
{
    int exitCode = -1;
    QByteArray err;
};

CliRun runCli(const QStringList& args)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    QProcess process;
    process.setProcessEnvironment(environment);
    process.setStandardOutputFile(QProcess::nullDevice());
    process.start(QStringLiteral(TE_BINARY_DIR "/bin/team-editor-cli"), args);
    process.waitForFinished(-1);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardError()};
}

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

// A roster table another tool wrote: its headings name the fields, but no
// line holds the keywords the reader looks for.
const QByteArray otherToolPage = "<html><head><title>Roster - Iron Chefs</title></head><body>\n"
                                 "<h1>Iron Chefs</h1>\n<table><tr><th>No.</th><th>Name</th><th>Position</th>"
                                 "<th>MA</th><th>ST</th><th>AG</th><th>AV</th><th>Skills</th></tr>\n"
                                 "<tr><td>1</td><td>Kaga</td><td>Blitzer</td><td>7</td><td>3</td><td>3</td>"
                                 "<td>8</td><td>Block</td></tr>\n"
                                 "<tr><td>2</td><td>Okada</td><td>Lineman</td><td>6</td><td>3</td><td>3</td>"
                                 "<td>8</td><td></td></tr>\n</table></body></html>\n";

enum class Kind
{
    Own,
    OtherTool,
    NoRoster
};

struct Page
{
    const char* name;
    QByteArray bytes;
    Kind kind;
};

struct Command
{
    const char* name;
    // The arguments for the page and the output file (when it writes one).
    QStringList (*args)(const QString& page, const QString& output);
    int refusedStatus;
};

} // namespace

TEST(CliPageKinds, OnlyRosterPagesAreReadAndWrittenOut)
{
    const QByteArray sample = readFile(TE_SOURCE_DIR "/examples/sample-roster.htm");
    ASSERT_FALSE(sample.isEmpty());
    const Page pages[] = {
        {"own", sample, Kind::Own},
        {"other tool", otherToolPage, Kind::OtherTool},
        {"title only", "<html><head><title></title></head><body><p>Nothing here.</p></body></html>",
         Kind::NoRoster},
        {"image", QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10", 20), Kind::NoRoster},
        {"text", "Shopping list\nmilk\n", Kind::NoRoster},
    };
    const Command commands[] = {
        {"read",
         [](const QString& page, const QString&) {
             return QStringList{"read", page};
         },
         1},
        {"convert",
         [](const QString& page, const QString& out) {
             return QStringList{"convert", page, out};
         },
         1},
        {"convert --strict",
         [](const QString& page, const QString& out) {
             return QStringList{"convert", "--strict", page, out};
         },
         1},
        {"csv",
         [](const QString& page, const QString& out) {
             return QStringList{"csv", page, out};
         },
         1},
        {"pdf",
         [](const QString& page, const QString& out) {
             return QStringList{"pdf", page, out};
         },
         1},
        {"check",
         [](const QString& page, const QString&) {
             return QStringList{"check", page};
         },
         2},
        {"read of many",
         [](const QString& page, const QString&) {
             return QStringList{"read", page, TE_SOURCE_DIR "/examples/sample-roster.htm"};
         },
         1},
    };
    for (const Page& page : pages) {
        for (const Command& command : commands) {
            SCOPED_TRACE(std::string(page.name) + ", " + command.name);
            PageFolder folder;
            const QString path = folder.write(page.bytes);
            const QString output = folder.filePath("output");
            const CliRun run = runCli(command.args(path, output));
            const QByteArray refusal = page.kind == Kind::OtherTool
                                           ? ": Made by another roster tool: use team-editor-cli import\n"
                                           : ": Not a roster page\n";
            if (page.kind == Kind::Own) {
                EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
                EXPECT_TRUE(run.err.isEmpty());
            } else {
                EXPECT_EQ(run.exitCode, command.refusedStatus);
                EXPECT_EQ(run.err, path.toUtf8() + refusal);
                EXPECT_FALSE(QFile::exists(output)) << "written from a refused page";
            }
            EXPECT_EQ(readFile(path), page.bytes) << "the page read was changed";
        }

        // fetch keeps the page it fetched, read or refused.
        SCOPED_TRACE(std::string(page.name) + ", fetch");
        PageFolder folder;
        const QString fetched = folder.filePath("fetched.htm");
        ScriptedServer server("HTTP/1.0 200 OK\r\nContent-Type: text/html\r\n\r\n" +
                              page.bytes.toStdString());
        const CliRun run = runCli({"fetch", QString::fromStdString(server.url("/team.htm")), "-o", fetched,
                                   "--head", folder.filePath("head.txt")});
        EXPECT_EQ(readFile(fetched), page.bytes);
        if (page.kind == Kind::Own) {
            EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        } else {
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_TRUE(run.err.endsWith(page.kind == Kind::OtherTool ? "Made by another roster tool: use "
                                                                        "team-editor-cli import\n"
                                                                      : "Not a roster page\n"))
                << run.err.toStdString();
        }
    }
}
