#include "PageFixtures.h"
#include "PageStore.h"
#include "RosterPage.h"
#include "RosterReader.h"
#include "SheetBuilder.h"
#include "TeamGenerator.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <sys/stat.h>

namespace {

struct CliRun
{
    int exitCode = -1;
    std::string errors;
};

CliRun convert(const QString& input, const QString& output, const QStringList& extra = {})
{
    QProcess process;
    process.start(TE_BINARY_DIR "/bin/team-editor-cli", QStringList{"convert", input, output} + extra);
    process.waitForFinished(-1);
    return {process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1,
            process.readAllStandardError().toStdString()};
}

std::string readFile(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll().toStdString() : std::string("<missing>");
}

class ConvertCommand : public ::testing::Test
{
protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }
    QString path(const QString& name) const { return m_dir.filePath(name); }

    QTemporaryDir m_dir;
};

// The sample page comes out as the page the window writes for what it shows
// of it, and converting that output again changes no byte.
TEST_F(ConvertCommand, SamplePageAndItsOwnOutput)
{
    const std::string sample = TE_SOURCE_DIR "/examples/sample-roster.htm";
    const PageLines page = loadPageFile(sample);
    TTeam team;
    MatchRecord record;
    readRosterPage(page, team, record);
    const std::string expected = pageBytes(buildRosterPage(buildSheet(team, record, page.encoding)));

    const CliRun first = convert(QString::fromStdString(sample), path("first.htm"));
    ASSERT_EQ(first.exitCode, 0) << first.errors;
    EXPECT_EQ(first.errors, "");
    EXPECT_EQ(readFile(path("first.htm")), expected);

    ASSERT_EQ(convert(path("first.htm"), path("second.htm")).exitCode, 0);
    EXPECT_EQ(readFile(path("second.htm")), expected);
}

// Pages of generated teams without the reader's keywords, in both encodings,
// pass through the window unchanged.
TEST_F(ConvertCommand, OwnPagesPassThroughUnchanged)
{
    for (const TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Latin1}) {
        TeamGenerator generator(4242, encoding);
        for (int i = 0; i < 8; ++i) {
            SCOPED_TRACE("team " + std::to_string(i));
            const GeneratedTeam generated = generator.plainTeam();
            const std::vector<std::string> lines =
                buildRosterPage(buildSheet(generated.team, generated.record, encoding));
            storePage(lines, path("in.htm"));
            ASSERT_EQ(convert(path("in.htm"), path("out.htm")).exitCode, 0);
            EXPECT_EQ(readFile(path("out.htm")), pageBytes(lines));
        }
    }
}

TEST_F(ConvertCommand, FailuresAreReportedAndLeaveTheOutputAlone)
{
    const QString missing = path("missing.htm");
    const CliRun unreadable = convert(missing, path("out.htm"));
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_EQ(unreadable.errors,
              "Cannot open file " + missing.toStdString() + ": No such file or directory\n");
    EXPECT_FALSE(QFile::exists(path("out.htm")));

    storePage({"<TR><TD>Team Rating:</TD><TD>12O</TD></TR>"}, path("bad.htm"));
    storePage({"an older page"}, path("old.htm"));
    const CliRun badValue = convert(path("bad.htm"), path("old.htm"));
    EXPECT_EQ(badValue.exitCode, 1);
    EXPECT_EQ(badValue.errors, "'12O' is not a valid integer value\n");
    EXPECT_EQ(readFile(path("old.htm")), "an older page\r\n");

    // A page that gives no roster is refused before anything is written.
    const CliRun notRoster = convert(path("old.htm"), path("out.htm"));
    EXPECT_EQ(notRoster.exitCode, 1);
    EXPECT_EQ(notRoster.errors, path("old.htm").toStdString() + ": Not a roster page\n");
    EXPECT_FALSE(QFile::exists(path("out.htm")));

    storePage({"<TITLE>Old Team</TITLE>", "Race: Orc<BR>"}, path("titled.htm"));
    const QString noFolder = path("no folder/out.htm");
    const CliRun uncreatable = convert(path("titled.htm"), noFolder);
    EXPECT_EQ(uncreatable.exitCode, 1);
    EXPECT_EQ(uncreatable.errors,
              "Cannot create file " + noFolder.toStdString() + ": No such file or directory\n");

    EXPECT_EQ(convert(path("old.htm"), path("out.htm"), {"extra"}).exitCode, 2);

    // A FIFO as the output stays a FIFO, and one as the input is not waited on.
    const QString fifo = path("fifo");
    ASSERT_EQ(::mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const CliRun intoFifo = convert(TE_SOURCE_DIR "/examples/sample-roster.htm", fifo);
    EXPECT_EQ(intoFifo.exitCode, 1);
    EXPECT_EQ(intoFifo.errors, "Not a regular file: " + fifo.toStdString() + "\n");
    EXPECT_FALSE(QFileInfo(fifo).isFile());
    const CliRun fromFifo = convert(fifo, path("out.htm"));
    EXPECT_EQ(fromFifo.exitCode, 1);
    EXPECT_EQ(fromFifo.errors, "Not a regular file: " + fifo.toStdString() + "\n");
}

// A note that fits the line it was read from but not the longer line it is
// written on would be cut: convert says so, and with --strict stores nothing.
TEST_F(ConvertCommand, APageThatWillNotReadBackTheSameIsReported)
{
    // 4,094 bytes on the line read; 4,097 on the line written.
    const std::string note(4066, 'n');
    storePage({"<P>Match Record</P>", "<TR><TH>Result</TH><TH>Notes</TH></TR>",
               "<TR><TD>W</TD><TD>" + note + "</TD></TR>"},
              path("long-note.htm"));
    // The written row line is cut inside the note, which then ends no cell.
    const std::string warning = "This roster will not read back the same: Match record, row 2, column 2: \"" +
                                note + "\" becomes \"\".\n";

    const CliRun strict = convert(path("long-note.htm"), path("strict.htm"), {"--strict"});
    EXPECT_EQ(strict.exitCode, 3);
    EXPECT_TRUE(strict.errors == warning) << strict.errors.substr(0, 120);
    EXPECT_FALSE(QFile::exists(path("strict.htm")));

    // One page held back and another failing: the failure's status wins.
    ASSERT_TRUE(QDir(m_dir.path()).mkdir("to"));
    const CliRun mixed =
        convert("--to", path("to"), {path("long-note.htm"), path("missing.htm"), "--strict"});
    EXPECT_EQ(mixed.exitCode, 1);
    EXPECT_TRUE(QDir(path("to")).isEmpty());

    const CliRun lenient = convert(path("long-note.htm"), path("out.htm"));
    EXPECT_EQ(lenient.exitCode, 0);
    EXPECT_TRUE(lenient.errors == warning) << lenient.errors.substr(0, 120);
    EXPECT_TRUE(QFile::exists(path("out.htm")));

    // A page that reads back the same passes --strict without a word.
    const CliRun same =
        convert(TE_SOURCE_DIR "/examples/sample-roster.htm", path("sample.htm"), {"--strict"});
    EXPECT_EQ(same.exitCode, 0);
    EXPECT_EQ(same.errors, "");
}

} // namespace
