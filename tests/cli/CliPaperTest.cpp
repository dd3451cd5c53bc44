#include "PdfTools.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

namespace {

struct CliRun
{
    int exitCode = -1;
    QString errors;
};

const QString sample = QStringLiteral(TE_SOURCE_DIR "/examples/sample-roster.htm");

// Runs the companion with no display and no platform chosen: it must need neither.
CliRun runCli(const QStringList& args)
{
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.remove("DISPLAY");
    environment.remove("WAYLAND_DISPLAY");
    environment.remove("QT_QPA_PLATFORM");
    QProcess process;
    process.setProcessEnvironment(environment);
    process.start(QStringLiteral(TE_BINARY_DIR "/bin/team-editor-cli"), args);
    process.waitForFinished(-1);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            QString::fromUtf8(process.readAllStandardError())};
}

QStringList entries(const QString& folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot, QDir::Name);
}

class CliPaper : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QString copyOfSample(const QString& folder, const QString& name)
    {
        EXPECT_TRUE(QDir().mkpath(path(folder)));
        const QString copy = path(folder + "/" + name);
        EXPECT_TRUE(QFile::copy(sample, copy));
        return copy;
    }

    QTemporaryDir m_dir;
};

TEST_F(CliPaper, OnePageGivesAOnePagePdfAndACsv)
{
    const CliRun pdf = runCli({"pdf", sample, path("team.pdf")});
    ASSERT_EQ(pdf.exitCode, 0) << pdf.errors.toStdString();
    EXPECT_EQ(pdf.errors, "");
    EXPECT_TRUE(toolOutput("pdfinfo", {path("team.pdf")}).contains(QRegularExpression("Pages:\\s+1\n")));
    EXPECT_TRUE(toolOutput("pdftotext", {path("team.pdf"), "-"}).contains("Grimstone Grinders"));

    const CliRun csv = runCli({"csv", sample, path("team.csv")});
    ASSERT_EQ(csv.exitCode, 0) << csv.errors.toStdString();
    QFile file(path("team.csv"));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.startsWith("\xEF\xBB\xBF#,Player Name,"));
    EXPECT_TRUE(bytes.contains("\r\n1,Thorin Deepdelve,Blitzer,5,3,3,9,\"Block, Thick Skull, Tackle\","));
    EXPECT_TRUE(bytes.contains("\r\nTeam Name,Grimstone Grinders\r\n"));
}

// Each page goes under its own name; a page that fails is named with its
// error and the others are still written.
TEST_F(CliPaper, ManyPagesGoOnAfterOneThatFails)
{
    for (const QString command : {"pdf", "csv"}) {
        SCOPED_TRACE(command.toStdString());
        const QString out = path(command + "-out");
        ASSERT_TRUE(QDir().mkpath(out));
        const QString first = copyOfSample(command + "-a", "grinders.htm");
        const QString second = copyOfSample(command + "-b", "grinders.htm");
        const QString other = copyOfSample(command + "-a", "reavers.html");
        const QString missing = path("no-such-page.htm");

        const CliRun run = runCli({command, "--to", out, first, missing, second, other});

        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(entries(out), (QStringList{"grinders." + command, "reavers." + command}));
        const QStringList errors = run.errors.split('\n', Qt::SkipEmptyParts);
        ASSERT_EQ(errors.size(), 2) << run.errors.toStdString();
        EXPECT_TRUE(errors[0].startsWith(missing + ": ")) << errors[0].toStdString();
        EXPECT_TRUE(errors[0].contains("no-such-page.htm", Qt::CaseSensitive));
        EXPECT_EQ(errors[1],
                  second + ": " + out + "/grinders." + command + " would replace the output of " + first);
    }
}

// Many PDFs are printed together, in batches on several threads: each file
// still holds its own page under its own title, also past the first few
// dozen, and the failures are reported in the order of the pages, though the
// first page's long match record has its batch finish after the next one.
TEST_F(CliPaper, ManyPdfsEachHoldTheirOwnPage)
{
    QFile file(sample);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray page = file.readAll();
    QByteArray longRecord;
    for (int row = 0; row < 200; ++row)
        longRecord += "<TR><TD>W</TD><TD>Opponent " + QByteArray::number(row) + "</TD>" +
                      QByteArray("<TD>2-1</TD>").repeated(28) + "</TR>\n";
    const QString out = path("out");
    ASSERT_TRUE(QDir().mkpath(out));
    QStringList args{"pdf", "--to", out};
    QStringList missing;
    for (int i = 0; i < 70; ++i) {
        const QString name = path(QStringLiteral("team%1.htm").arg(i, 2, 10, QChar('0')));
        if (i == 1 || i == 20 || i == 40) {
            missing << name;
        } else {
            QFile copy(name);
            ASSERT_TRUE(copy.open(QIODevice::WriteOnly));
            QByteArray text = QByteArray(page).replace("Grimstone Grinders", "Team " + QByteArray::number(i));
            if (i == 0)
                text.replace("</TABLE></BODY>", longRecord + "</TABLE></BODY>");
            copy.write(text);
        }
        args << name;
    }

    const CliRun run = runCli(args);

    EXPECT_EQ(run.exitCode, 1);
    const QStringList errors = run.errors.split('\n', Qt::SkipEmptyParts);
    ASSERT_EQ(errors.size(), 3) << run.errors.toStdString();
    for (int i = 0; i < 3; ++i)
        EXPECT_TRUE(errors[i].startsWith(missing[i] + ": ")) << errors[i].toStdString();
    EXPECT_EQ(entries(out).size(), 67);
    for (int i : {0, 2, 39, 41, 69}) {
        const QString pdf = QDir(out).filePath(QStringLiteral("team%1.pdf").arg(i, 2, 10, QChar('0')));
        EXPECT_EQ(pdfPageCount(pdf), 1) << i;
        EXPECT_TRUE(toolOutput("pdfinfo", {pdf})
                        .contains(QRegularExpression(QStringLiteral("Title:\\s+Team %1\n").arg(i))))
            << i;
        EXPECT_TRUE(pdfText(pdf).contains(QStringLiteral("Team %1 ").arg(i))) << i;
    }
}

TEST_F(CliPaper, FolderThatIsNotThereFailsEveryPageWithTheStoreMessage)
{
    const QString out = path("missing-folder");
    const CliRun run = runCli({"pdf", "--to", out, sample});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.errors,
              sample + ": Cannot create file " + out + "/sample-roster.pdf: No such file or directory\n");
    EXPECT_FALSE(QFileInfo::exists(out));

    const CliRun one = runCli({"csv", sample, out + "/team.csv"});
    EXPECT_EQ(one.exitCode, 1);
    EXPECT_EQ(one.errors, "Cannot create file " + out + "/team.csv: No such file or directory\n");
}

TEST_F(CliPaper, WrongCallsPrintTheUsage)
{
    const QStringList calls[] = {{"pdf"},
                                 {"pdf", sample},
                                 {"csv", "--to", path("")},
                                 {"csv", "--to"},
                                 {"pdf", "a", "b", "c"},
                                 {"pdf", sample, "--to"},
                                 {"csv", sample, "--to"}};
    for (const QStringList& call : calls) {
        const CliRun run = runCli(call);
        EXPECT_EQ(run.exitCode, 2) << call.join(' ').toStdString();
        EXPECT_TRUE(run.errors.startsWith("usage: team-editor-cli " + call[0])) << run.errors.toStdString();
    }
}

} // namespace
