// The many-pages forms of team-editor-cli and its own options, run as a process.
#include "CliProcess.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QPair>
#include <QTemporaryDir>

namespace {

QByteArray readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray("<missing>");
}

const QString Sample = QStringLiteral(TE_SOURCE_DIR "/examples/sample-roster.htm");

class CliBatch : public testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    QString writePage(const QString& name, const QByteArray& bytes)
    {
        const QString path = m_dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir m_dir;
};

// Many pages give one object a line, the page's path first and then exactly
// the members one page gives; failures are reported with their path and the
// rest goes on.
TEST_F(CliBatch, ReadOfManyPagesPrintsOneObjectALine)
{
    const QString bad = writePage("bad.htm", "<TD>Team Rating:</TD><TD>12O</TD>");
    const QString missing = m_dir.filePath("missing.htm");
    const CliRun single = runCli({"read", Sample});
    const CliRun many = runCli({"read", Sample, bad, missing, Sample});

    EXPECT_EQ(many.exitCode, 1);
    EXPECT_EQ(many.err, bad.toUtf8() + ": '12O' is not a valid integer value\n" + missing.toUtf8() +
                            ": Cannot open file " + missing.toUtf8() + ": No such file or directory\n");
    const QList<QByteArray> lines = many.out.split('\n');
    ASSERT_EQ(lines.size(), 3) << "two objects and the end of the last line";
    EXPECT_TRUE(lines[2].isEmpty());
    QJsonObject expected = QJsonDocument::fromJson(single.out).object();
    expected.insert("Page", Sample);
    for (int i = 0; i < 2; ++i) {
        QJsonParseError error;
        const QJsonDocument line = QJsonDocument::fromJson(lines[i], &error);
        ASSERT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
        EXPECT_EQ(line.object(), expected);
        EXPECT_TRUE(lines[i].startsWith("{\"Page\":\"" + Sample.toUtf8() + "\","));
    }

    const CliRun allGood = runCli({"read", Sample, Sample});
    EXPECT_EQ(allGood.exitCode, 0);
    EXPECT_TRUE(allGood.err.isEmpty());
}

TEST_F(CliBatch, ConvertIntoAFolderKeepsTheNamesAndGoesOnAfterAFailure)
{
    const QString single = m_dir.filePath("single.htm");
    ASSERT_EQ(runCli({"convert", Sample, single}).exitCode, 0);

    QDir(m_dir.path()).mkdir("in");
    QDir(m_dir.path()).mkdir("out");
    const QString other = writePage("in/other.htm", readFile(single));
    const QString bad = writePage("in/bad.htm", "<TD>Team Rating:</TD><TD>x</TD>");
    const QString twin = writePage("in/sample-roster.htm", readFile(single));
    const QString out = m_dir.filePath("out");
    const CliRun run = runCli({"convert", "--to", out, Sample, bad, other, twin});

    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, bad.toUtf8() + ": 'x' is not a valid integer value\n" + twin.toUtf8() + ": " +
                           QDir(out).filePath("sample-roster.htm").toUtf8() +
                           " would replace the output of " + Sample.toUtf8() + "\n");
    EXPECT_EQ(QDir(out).entryList(QDir::Files), QStringList({"other.htm", "sample-roster.htm"}));
    EXPECT_EQ(readFile(QDir(out).filePath("sample-roster.htm")), readFile(single));
    EXPECT_EQ(readFile(QDir(out).filePath("other.htm")), readFile(single));

    EXPECT_EQ(runCli({"convert", "--to", out, Sample}).exitCode, 0);
    for (const QStringList& args : {QStringList{"convert", "--to", out}, QStringList{"convert", "--to"},
                                    QStringList{"convert", Sample}, QStringList{"convert", Sample, "--to"}})
        EXPECT_EQ(runCli(args).exitCode, 2) << args.join(' ').toStdString();
}

// The outputs of convert, pdf and csv --to are settled before any is written:
// none replaces an input (named as it is, through a link to the file or to its
// folder), and no two pages go to one file.
TEST_F(CliBatch, ManyPageOutputsNeverReplaceAnInput)
{
    const QByteArray sample = readFile(Sample);
    struct Case
    {
        const char* name;
        QStringList files;                    // made from the sample page
        QList<QPair<QString, QString>> links; // link, target
        QStringList args;                     // after "--to"; S stands for the suffix
        QStringList kept;                     // inputs that must stay as they were
        QStringList clashes;                  // what each failure says, in order
    };
    const QList<Case> cases = {
        {"an input in the folder",
         {"other/a.S", "out/a.S"},
         {},
         {"out", "other/a.S", "out/a.S"},
         {"other/a.S", "out/a.S"},
         {"would replace the input page", "would replace the input page"}},
        {"a link to the input's folder",
         {"in/b.S"},
         {{"linked", "in"}},
         {"linked", "in/b.S"},
         {"in/b.S"},
         {"would replace the input page"}},
        {"a link to an input",
         {"in/c.S", "other/d.S"},
         {{"out/d.S", "../in/c.S"}},
         {"out", "other/d.S", "in/c.S"},
         {"in/c.S"},
         {"would replace the input page"}},
        {"one page twice",
         {"in/e.S"},
         {},
         {"out", "in/e.S", "in/e.S"},
         {"in/e.S"},
         {"would replace the output of"}},
    };
    for (const auto& [command, suffix] :
         {QPair<QString, QString>{"convert", ".htm"}, {"pdf", ".pdf"}, {"csv", ".csv"}}) {
        for (const Case& c : cases) {
            SCOPED_TRACE((command + ": " + c.name).toStdString());
            QTemporaryDir dir;
            const QDir root(dir.path());
            const auto path = [&](QString name) { return root.filePath(name.replace(".S", suffix)); };
            for (const char* folder : {"in", "out", "other"})
                root.mkdir(folder);
            for (const QString& file : c.files) {
                QFile page(path(file));
                ASSERT_TRUE(page.open(QIODevice::WriteOnly));
                page.write(sample);
            }
            for (const auto& [link, target] : c.links) {
                QFile::remove(path(link));
                ASSERT_TRUE(QFile::link(QString(target).replace(".S", suffix), path(link)));
            }
            QStringList args{command, "--to"};
            for (const QString& arg : c.args)
                args << path(arg);
            const CliRun run = runCli(args);
            EXPECT_EQ(run.exitCode, 1);
            const QList<QByteArray> errors = run.err.trimmed().split('\n');
            ASSERT_EQ(errors.size(), c.clashes.size()) << run.err.toStdString();
            for (qsizetype i = 0; i < errors.size(); ++i)
                EXPECT_TRUE(errors[i].contains(c.clashes[i].toUtf8())) << errors[i].toStdString();
            for (const QString& input : c.kept)
                EXPECT_EQ(readFile(path(input)), sample) << input.toStdString();
        }
    }
}

// The IN OUT forms of pdf and csv hold to the same rule: an OUT that names the input, as it
// is or through a link, fails and leaves the page as it was.
TEST_F(CliBatch, OnePageOutputNeverReplacesItsInput)
{
    const QByteArray sample = readFile(Sample);
    for (const char* command : {"pdf", "csv"}) {
        const QString input = writePage(QStringLiteral("%1.htm").arg(command), sample);
        const QString link = m_dir.filePath(QStringLiteral("%1-link.htm").arg(command));
        ASSERT_TRUE(QFile::link(input, link));
        for (const QString& output : {input, link}) {
            SCOPED_TRACE(std::string(command) + " " + output.toStdString());
            const CliRun run = runCli({command, input, output});
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_EQ(run.err, output.toUtf8() + " would replace the input page " + input.toUtf8() + "\n");
            EXPECT_EQ(readFile(input), sample);
        }
    }
    // A page converted into itself stays a roster page: it is read whole before it is stored.
    const QString page = writePage(QStringLiteral("in-place.htm"), sample);
    EXPECT_EQ(runCli({"convert", page, page}).exitCode, 0);
    EXPECT_EQ(runCli({"read", page}).out, runCli({"read", Sample}).out);
}

TEST_F(CliBatch, HelpVersionAndUnknownCommands)
{
    const CliRun help = runCli({"--help"});
    EXPECT_EQ(help.exitCode, 0);
    EXPECT_TRUE(help.err.isEmpty());
    for (const char* command : {"read", "fetch", "convert", "--version"})
        EXPECT_TRUE(help.out.contains(QByteArray("\n  ") + command + ' ')) << command;

    const CliRun version = runCli({"--version"});
    EXPECT_EQ(version.exitCode, 0);
    EXPECT_EQ(version.out, QByteArray("team-editor-cli " TE_VERSION "\n"));

    const CliRun unknown = runCli({"frobnicate", Sample});
    EXPECT_EQ(unknown.exitCode, 2);
    EXPECT_TRUE(unknown.out.isEmpty());
    EXPECT_TRUE(unknown.err.startsWith("team-editor-cli: unknown command 'frobnicate'\n"));
    EXPECT_EQ(unknown.err.mid(unknown.err.indexOf('\n') + 1), help.out);

    const CliRun none = runCli({});
    EXPECT_EQ(none.exitCode, 2);
    EXPECT_EQ(none.err, help.out);
}

} // namespace
