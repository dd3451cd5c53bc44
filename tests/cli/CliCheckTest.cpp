#include "PageFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QStringDecoder>
#include <QTemporaryDir>

#include <fstream>

namespace {

const QString SamplePage = QStringLiteral(TE_SOURCE_DIR "/examples/sample-roster.htm");

class CliCheck : public testing::Test
{
protected:
    struct Run
    {
        int exitCode = -1;
        QList<QByteArray> lines;
        QByteArray err;
    };

    static Run check(const QStringList& args)
    {
        QProcess process;
        process.start(QStringLiteral(TE_BINARY_DIR "/bin/team-editor-cli"), QStringList{"check"} + args);
        process.waitForFinished(-1);
        QList<QByteArray> lines = process.readAllStandardOutput().split('\n');
        if (!lines.isEmpty() && lines.back().isEmpty())
            lines.pop_back();
        return {process.exitCode(), lines, process.readAllStandardError()};
    }

    // The sample page with one piece of it replaced.
    QString sampleWith(const QByteArray& from, const QByteArray& to)
    {
        QFile sample(SamplePage);
        EXPECT_TRUE(sample.open(QIODevice::ReadOnly));
        QByteArray bytes = sample.readAll();
        EXPECT_TRUE(bytes.contains(from)) << from.toStdString();
        bytes.replace(from, to);
        return m_pages.write(bytes);
    }

    PageFolder m_pages;
};

} // namespace

TEST_F(CliCheck, EveryExamplePageAgreesWithItsOwnTotal)
{
    const QStringList pages = QDir(TE_SOURCE_DIR "/examples").entryList({"*.htm"}, QDir::Files);
    ASSERT_FALSE(pages.isEmpty());
    for (const QString& page : pages) {
        const QString path = QStringLiteral(TE_SOURCE_DIR "/examples/") + page;
        const Run run = check({path});
        EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
        ASSERT_EQ(run.lines.size(), 1);
        EXPECT_TRUE(run.lines[0].endsWith(": agrees")) << run.lines[0].toStdString();
    }
    const Run run = check({SamplePage});
    EXPECT_EQ(run.lines[0], SamplePage.toUtf8() + ": Cost of Team 1,170k, team value 1,170k: agrees");
}

TEST_F(CliCheck, VerdictsAndExitStatuses)
{
    const QString wrongTotal = sampleWith(">1,170k<", ">1,100k<");
    const QString unknownPlayer = sampleWith(">160k<", ">160k?<");
    const QString unknownTotal = sampleWith(">1,170k<", ">1.170k<");
    // A fan factor cost the page leaves out is the roster's derived one, 40k.
    const QString derivedCost =
        sampleWith("x $10k =</TD><TD ALIGN=RIGHT>40k<", "x $10k =</TD><TD ALIGN=RIGHT>&nbsp<");

    Run run = check({wrongTotal});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.lines.value(0),
              wrongTotal.toUtf8() + ": Cost of Team 1,100k, team value 1,170k: disagrees");

    run = check({unknownPlayer});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.lines.value(0),
              unknownPlayer.toUtf8() +
                  ": Cost of Team 1,170k, team value unknown (the cost of player 12): unknown");

    run = check({unknownTotal});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.lines.value(0),
              unknownTotal.toUtf8() + ": Cost of Team 1.170k (unknown amount), team value 1170k: unknown");

    EXPECT_EQ(check({derivedCost}).exitCode, 0);

    // A page that cannot be read is reported and the others still checked.
    const QString missing = m_pages.filePath("missing.htm");
    run = check({SamplePage, missing, wrongTotal});
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_EQ(run.lines.size(), 2);
    EXPECT_TRUE(run.err.startsWith(missing.toUtf8() + ": Cannot open file")) << run.err.toStdString();

    run = check({SamplePage, SamplePage});
    EXPECT_EQ(run.exitCode, 0);
    EXPECT_EQ(run.lines.size(), 2);
    EXPECT_EQ(check({}).exitCode, 2);
}

TEST_F(CliCheck, JsonGivesOneObjectPerLine)
{
    const QString unknownPlayer = sampleWith(">160k<", ">one hundred sixty<");
    const Run run = check({"--json", SamplePage, unknownPlayer});
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_EQ(run.lines.size(), 2);

    QJsonParseError error;
    const QJsonObject agrees = QJsonDocument::fromJson(run.lines[0], &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.lines[0].toStdString();
    EXPECT_EQ(agrees.value("Page").toString(), SamplePage);
    EXPECT_EQ(agrees.value("CostOfTeam").toString(), "1,170k");
    EXPECT_EQ(agrees.value("Stated").toInteger(), 1'170'000);
    EXPECT_EQ(agrees.value("TeamValue").toInteger(), 1'170'000);
    EXPECT_TRUE(agrees.value("UnknownIn").isNull());
    EXPECT_EQ(agrees.value("Verdict").toString(), "agrees");

    const QJsonObject unknown = QJsonDocument::fromJson(run.lines[1], &error).object();
    ASSERT_EQ(error.error, QJsonParseError::NoError) << run.lines[1].toStdString();
    EXPECT_TRUE(unknown.value("TeamValue").isNull());
    EXPECT_EQ(unknown.value("UnknownIn").toString(), "the cost of player 12");
    EXPECT_EQ(unknown.value("Verdict").toString(), "unknown");
}

// Pages of this program's form give a verdict; other tools' pages are refused
// as read and check refuse them, with the command that reads them.
TEST_F(CliCheck, RealPagesGiveAVerdictOrAreRefusedAsAnotherToolsPage)
{
    const QDir corpus(TE_SOURCE_DIR "/../shared/corpus/real");
    const QStringList pages = corpus.entryList({"*.htm"}, QDir::Files);
    if (pages.isEmpty())
        GTEST_SKIP() << "no corpus of real pages beside the source";
    QStringList paths;
    for (const QString& page : pages)
        paths.push_back(corpus.filePath(page));
    const Run run = check(paths);
    qsizetype refused = 0;
    for (const QByteArray& line : run.err.split('\n')) {
        if (line.isEmpty())
            continue;
        EXPECT_TRUE(line.endsWith(": Made by another roster tool: use team-editor-cli import"))
            << line.toStdString();
        ++refused;
    }
    EXPECT_EQ(run.lines.size() + refused, paths.size());
    EXPECT_EQ(run.exitCode == 2, refused > 0);
}

TEST_F(CliCheck, APageWithoutATotalIsMissingOne)
{
    const QString noTotal = sampleWith(">1,170k<", ">&nbsp<");
    const Run run = check({noTotal});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.lines.value(0), noTotal.toUtf8() + ": Cost of Team not given, team value 1170k: missing");
}

// File names come out whole and readable: JSON stays valid UTF-8 (bytes that
// are not become U+FFFD) and a plain line stays one line.
TEST_F(CliCheck, FileNamesStayValidJsonAndOneLine)
{
    QFile sample(SamplePage);
    ASSERT_TRUE(sample.open(QIODevice::ReadOnly));
    const QByteArray page = sample.readAll();
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    for (const std::string name : {"bad\xff.htm", "line\nbreak.htm", "back\\slash.htm"})
        std::ofstream(QFile::encodeName(dir.path()).toStdString() + "/" + name, std::ios::binary)
            << page.toStdString();
    // The shell hands the names over as the bytes they are.
    const auto runInFolder = [&dir](const QString& arguments) {
        QProcess process;
        process.setWorkingDirectory(dir.path());
        process.start("/bin/sh",
                      {"-c", "LC_ALL=C exec \"$0\" " + arguments, TE_BINARY_DIR "/bin/team-editor-cli"});
        process.waitForFinished(-1);
        return process.readAllStandardOutput();
    };
    const auto validUtf8 = [](const QByteArray& bytes) {
        QStringDecoder decoder(QStringDecoder::Utf8);
        const QString decoded = decoder(bytes);
        return !decoded.isEmpty() && !decoder.hasError();
    };

    const QByteArray plain = runInFolder("check *.htm");
    EXPECT_EQ(plain.count('\n'), 3) << plain.toStdString();
    EXPECT_TRUE(plain.contains("\nline\\nbreak.htm: Cost of Team 1,170k")) << plain.toStdString();
    EXPECT_TRUE(plain.startsWith("back\\\\slash.htm: Cost of Team 1,170k")) << plain.toStdString();

    for (const QString& arguments : {QStringLiteral("check --json *.htm"), QStringLiteral("read *.htm")}) {
        SCOPED_TRACE(arguments.toStdString());
        const QByteArray json = runInFolder(arguments);
        EXPECT_TRUE(validUtf8(json));
        QStringList pages;
        for (const QByteArray& line : json.trimmed().split('\n')) {
            QJsonParseError error;
            const QJsonObject object = QJsonDocument::fromJson(line, &error).object();
            EXPECT_EQ(error.error, QJsonParseError::NoError) << line.toStdString();
            pages << object.value("Page").toString();
        }
        EXPECT_EQ(pages, (QStringList{"back\\slash.htm", QString::fromUtf8("bad\xEF\xBF\xBD.htm"),
                                      "line\nbreak.htm"}));
    }
}

// A sum beyond exact amounts is named as such, with the cost that took it there.
TEST_F(CliCheck, ASumTooLargeSaysSo)
{
    const QString huge = sampleWith(">160k<", ">9,007,199,254,740,992<");
    const Run run = check({huge});
    EXPECT_EQ(run.exitCode, 1);
    ASSERT_EQ(run.lines.size(), 1);
    EXPECT_TRUE(run.lines[0].contains("team value unknown (the sum is too large at the cost of player 12)"))
        << run.lines[0].toStdString();
}
