#include "PageFixtures.h"
#include "PageStore.h"
#include "RosterPage.h"
#include "RosterReader.h"
#include "SheetBuilder.h"
#include "TeamGenerator.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <gtest/gtest.h>

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

    const QString noFolder = path("no folder/out.htm");
    const CliRun uncreatable = convert(path("old.htm"), noFolder);
    EXPECT_EQ(uncreatable.exitCode, 1);
    EXPECT_EQ(uncreatable.errors,
              "Cannot create file " + noFolder.toStdString() + ": No such file or directory\n");

    EXPECT_EQ(convert(path("old.htm"), path("out.htm"), {"extra"}).exitCode, 2);
}

} // namespace
