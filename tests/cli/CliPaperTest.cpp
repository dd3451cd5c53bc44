#include "PdfTools.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRegularExpression>
#include <QSet>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <optional>
#include <random>

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

// What a file holds, or nothing when it cannot be read.
std::optional<QByteArray> contentsOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? std::optional(file.readAll()) : std::nullopt;
}

// What tells two outputs apart: PDFs differ in their dates, not in their text.
QByteArray outputKey(const QString& command, const QString& path)
{
    return command == "pdf" ? pdfText(path).toUtf8() : contentsOf(path).value_or("<missing>");
}

// Random sets of pages for the many-pages forms: the same names in other
// folders or other cases, links to one file, pages that fail, and an output
// folder that holds inputs. No input is replaced, each page stored holds what
// the one-page form makes of it, and exactly the pages that fail or whose
// output would replace an input or an earlier page's output are reported.
// TE_BATCH_ROUNDS runs more sets.
TEST_F(CliPaper, ManyPagesFormsAgreeWithTheOnePageForm)
{
    const QByteArray page = contentsOf(sample).value();
    const int rounds =
        qEnvironmentVariableIsSet("TE_BATCH_ROUNDS") ? qEnvironmentVariableIntValue("TE_BATCH_ROUNDS") : 6;
    for (int round = 0; round < rounds; ++round) {
        std::mt19937 random(static_cast<std::uint32_t>(round));
        const auto pick = [&](const QStringList& list) {
            return list[std::uniform_int_distribution<int>(0, list.size() - 1)(random)];
        };
        const QString command = QStringList{"convert", "pdf", "csv"}[round % 3];
        QTemporaryDir dir;
        const QDir root(dir.path());
        for (const char* folder : {"in", "IN", "out"})
            root.mkdir(folder);
        ASSERT_TRUE(QFile::link("in", root.filePath("linked")));
        // Folders as they may be spelt, one of them through a link.
        const QStringList folders{"in", "IN", "out", "IN/../out", "linked"};
        QStringList args;
        QSet<QString> readable; // the pages that read as rosters
        const int pages = std::uniform_int_distribution<int>(2, 11)(random);
        for (int i = 0; i < pages; ++i) {
            const QString name =
                root.filePath(pick(folders) + "/" + pick({"a", "A", "b", QString::number(i)}) +
                              pick({".htm", ".html", ".HTM", ""}));
            const QString kind =
                args.isEmpty() ? "good" : pick({"good", "good", "bad", "missing", "link", "again"});
            if (QFileInfo(name).isSymLink() || QFileInfo::exists(name) || kind == "again") {
                args << (QFileInfo::exists(name) ? name : pick(args));
                continue;
            }
            if (kind == "link") {
                const QString target = pick(args);
                ASSERT_TRUE(QFile::link(target, name));
                if (readable.contains(target))
                    readable << name;
            } else if (kind != "missing") {
                QFile file(name);
                ASSERT_TRUE(file.open(QIODevice::WriteOnly));
                file.write(kind == "bad" ? QByteArray("<TD>Team Rating:</TD><TD>x</TD>")
                                         : QByteArray(page).replace("Grimstone Grinders",
                                                                    "Team " + QByteArray::number(i)));
                if (kind == "good")
                    readable << name;
            }
            args << name;
        }
        const QString out = root.filePath(pick(folders));
        const QString suffix = command == "convert" ? "" : "." + command;
        const auto outputOf = [&](const QString& input) {
            const QFileInfo info(input);
            return QDir(out).filePath(command == "convert" ? info.fileName()
                                                           : info.completeBaseName() + suffix);
        };
        // The files the pages are, as they were before the run.
        std::map<QString, QByteArray> inputs;
        for (const QString& input : args)
            if (QFileInfo::exists(input))
                inputs[QFileInfo(input).canonicalFilePath()] = contentsOf(input).value();
        SCOPED_TRACE(QStringLiteral("round %1: %2 --to %3 %4")
                         .arg(round)
                         .arg(command, out, args.join(' '))
                         .toStdString());

        // Which pages fail, and which of them for their output, settled before the run.
        QList<std::pair<bool, bool>> expected; // fails, clashes
        QSet<QString> outputs;
        for (const QString& input : args) {
            const QString output = outputOf(input);
            const bool replacesInput = inputs.count(QFileInfo(output).canonicalFilePath()) != 0;
            const bool clash = replacesInput || outputs.contains(output);
            if (!replacesInput)
                outputs.insert(output);
            expected.append({clash || !readable.contains(input), clash});
        }

        const CliRun run = runCli(QStringList{command, "--to", out} + args);

        QStringList failures = run.errors.split('\n', Qt::SkipEmptyParts);
        bool anyFailed = false;
        for (qsizetype i = 0; i < args.size(); ++i) {
            const auto [fails, clash] = expected[i];
            anyFailed = anyFailed || fails;
            if (fails) {
                ASSERT_FALSE(failures.isEmpty()) << args[i].toStdString();
                EXPECT_TRUE(failures.front().startsWith(args[i] + ": ")) << failures.front().toStdString();
                EXPECT_EQ(failures.front().contains("would replace"), clash)
                    << failures.front().toStdString();
                failures.pop_front();
            } else {
                const QString single = root.filePath("single" + suffix);
                const CliRun alone = runCli({command, args[i], single});
                ASSERT_EQ(alone.exitCode, 0) << alone.errors.toStdString();
                EXPECT_EQ(outputKey(command, outputOf(args[i])), outputKey(command, single))
                    << args[i].toStdString();
            }
        }
        EXPECT_TRUE(failures.isEmpty()) << failures.join('\n').toStdString();
        EXPECT_EQ(run.exitCode, anyFailed ? 1 : 0);
        for (const auto& [input, bytes] : inputs)
            EXPECT_EQ(contentsOf(input), bytes) << input.toStdString();
    }
}

} // namespace
