#include "PageFolder.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>

namespace {

struct CliRun
{
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

CliRun runCli(const QStringList& args, const QString& outputFile = {})
{
    QProcess process;
    if (!outputFile.isEmpty())
        process.setStandardOutputFile(outputFile);
    process.start(QStringLiteral(TE_BINARY_DIR "/bin/team-editor-cli"), args);
    process.waitForFinished(-1);
    return {process.exitCode(), process.readAllStandardOutput(), process.readAllStandardError()};
}

QJsonObject parsedObject(const QByteArray& json)
{
    QJsonParseError error;
    const QJsonDocument document = QJsonDocument::fromJson(json, &error);
    EXPECT_EQ(error.error, QJsonParseError::NoError) << error.errorString().toStdString();
    return document.object();
}

class CliRead : public testing::Test
{
protected:
    QString writePage(const QByteArray& bytes) { return m_pages.write(bytes); }

    PageFolder m_pages;
};

} // namespace

TEST_F(CliRead, PrintsTheSamplePageAsJsonWithFieldsInRecordOrder)
{
    const CliRun run = runCli({"read", TE_SOURCE_DIR "/examples/sample-roster.htm"});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_TRUE(run.err.isEmpty());

    QStringList keys;
    const QRegularExpression topLevelKey(QStringLiteral("^  \"(\\w+)\":"),
                                         QRegularExpression::MultilineOption);
    for (const QRegularExpressionMatch& match : topLevelKey.globalMatch(QString::fromUtf8(run.out)))
        keys << match.captured(1);
    const QStringList expectedKeys = {"TeamName",
                                      "Coach",
                                      "Race",
                                      "FanFactor",
                                      "ReRolls",
                                      "TeamRating",
                                      "Players",
                                      "Treasury",
                                      "TeamCost",
                                      "AssistantCoaches",
                                      "Cheerleaders",
                                      "HasApothecary",
                                      "HasWizard",
                                      "ReRollPriceText",
                                      "ReRollCostText",
                                      "FanFactorPriceText",
                                      "FanFactorCostText",
                                      "AssistantCoachPriceText",
                                      "AssistantCoachCostText",
                                      "CheerleaderPriceText",
                                      "CheerleaderCostText",
                                      "ApothecaryPriceText",
                                      "ApothecaryCostText",
                                      "WizardPriceText",
                                      "WizardCostText",
                                      "BackgroundColor",
                                      "TableColor",
                                      "HeadingsColor",
                                      "TableFontColor",
                                      "TableFontName",
                                      "HeadingFontColor",
                                      "HeadingFontName",
                                      "MatchRecord"};
    EXPECT_EQ(keys, expectedKeys);

    const QJsonObject team = parsedObject(run.out);
    EXPECT_EQ(team["TeamName"].toString(), "Grimstone Grinders");
    EXPECT_EQ(team["ReRolls"].toInt(), 3);
    EXPECT_EQ(team["HasApothecary"].toBool(), true);
    EXPECT_EQ(team["BackgroundColor"].toInteger(), 0xFFFFFF);
    const QJsonArray players = team["Players"].toArray();
    ASSERT_EQ(players.size(), 16);
    EXPECT_EQ(players[0].toObject()["PlayerName"].toString(), "Thorin Deepdelve");
    EXPECT_EQ(players[0].toObject().keys().size(), 15);
    const QJsonObject record = team["MatchRecord"].toObject();
    EXPECT_EQ(record["ColCount"].toInt(), 8);
    EXPECT_EQ(record["RowCount"].toInt(), 5);
    EXPECT_EQ(record["FixedRows"].toInt(), 1);
    EXPECT_EQ(record["Height"].toInt(), 121);
    EXPECT_EQ(record["Cells"].toArray()[1].toArray()[1].toString(), "Redmarsh Raiders");
}

TEST_F(CliRead, ShowsTextsInThePagesEncodingAndColoursUnsigned)
{
    const CliRun latin1 = runCli({"read", writePage("<TITLE>Caf\xE9 \"Crew\"\t\x01 X</TITLE>\r\n<BODY "
                                                    "BGCOLOR=\"#GGGGGG\">\r\n<TD>Team Wizard:</TD>")});
    ASSERT_EQ(latin1.exitCode, 0);
    const QJsonObject team = parsedObject(latin1.out);
    EXPECT_EQ(team["TeamName"].toString(), QString::fromUtf8("Caf\u00e9 Crew\t\x01 X"));
    EXPECT_EQ(team["BackgroundColor"].toInteger(), 0xFFEEEEEFLL);
    EXPECT_TRUE(team["MatchRecord"].toObject()["Height"].isNull());

    const CliRun utf8 = runCli({"read", writePage("Race:\xC3\xA9lf\r\n<TITLE>\xC3\xA9</TITLE>")});
    ASSERT_EQ(utf8.exitCode, 0);
    const QJsonObject utf8Team = parsedObject(utf8.out);
    EXPECT_EQ(utf8Team["Race"].toString(), QString::fromUtf8("\u00e9lf"));
    EXPECT_EQ(utf8Team["TeamName"].toString(), QString::fromUtf8("\u00e9"));
    // The cost of team starts five bytes after "COST", inside the two bytes of
    // the e acute; the lone continuation byte is shown as U+FFFD.
    const CliRun cut = runCli({"read", writePage("COST\xC3\xA9 TEAM")});
    EXPECT_EQ(parsedObject(cut.out)["TeamCost"].toString(), QString::fromUtf8("\xEF\xBF\xBD TEAM"));
}

TEST_F(CliRead, ReportsFailuresOnStandardError)
{
    // A page refused for what it holds is named, even when it is the only one.
    const QString text = writePage("A shopping list\nmilk\n");
    const QString image = writePage(QByteArray("\x89PNG\r\n\x1a\n\0\0\0\rIHDR", 16));
    const struct
    {
        QString path;
        QByteArray message;
    } cases[] = {
        {writePage("<TD>Team Rating:</TD><TD>12O</TD>"), "'12O' is not a valid integer value\n"},
        {writePage("<TD>Fan Factor:</TD><TD>\xB0</TD>"), "'\xC2\xB0' is not a valid integer value\n"},
        {text, text.toUtf8() + ": Not a roster page\n"},
        {image, image.toUtf8() + ": Not a roster page\n"},
        {m_pages.filePath("missing.htm"),
         "Cannot open file " + m_pages.filePath("missing.htm").toUtf8() + ": No such file or directory\n"},
        {m_pages.path(), "Cannot open file " + m_pages.path().toUtf8() + ": Is a directory\n"},
    };
    for (const auto& c : cases) {
        const CliRun run = runCli({"read", c.path});
        EXPECT_EQ(run.exitCode, 1) << c.path.toStdString();
        EXPECT_EQ(run.err, c.message);
        EXPECT_TRUE(run.out.isEmpty());
    }
    EXPECT_EQ(runCli({"read"}).exitCode, 2);

    if (QFile::exists("/dev/full")) {
        const CliRun full = runCli({"read", TE_SOURCE_DIR "/examples/sample-roster.htm"}, "/dev/full");
        EXPECT_EQ(full.exitCode, 1);
        EXPECT_EQ(full.err, "Unable to write to standard output\n");
    }
}

// A wide record with many rows makes a report of megabytes: every row must
// still list every column, whole and in order, and a failed write must still
// be reported.
TEST_F(CliRead, PrintsLargeMatchRecordsWhole)
{
    QByteArray page = "Match Record\n<TR>";
    for (int col = 0; col < 256; ++col)
        page += "<TD>h" + QByteArray::number(col) + "</TD>";
    page += "</TR>\n<TR><TD>W</TD><TD>\xC3\xA9</TD></TR>\n";
    for (int row = 0; row < 2000; ++row)
        page += "<TR\n";
    const QString path = writePage(page);

    const CliRun run = runCli({"read", path});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_GT(run.out.size(), 1000000);
    const QJsonObject record = parsedObject(run.out)["MatchRecord"].toObject();
    EXPECT_EQ(record["ColCount"].toInt(), 256);
    EXPECT_EQ(record["RowCount"].toInt(), 2003);
    const QJsonArray cells = record["Cells"].toArray();
    ASSERT_EQ(cells.size(), 2003);
    for (const QJsonValue& row : cells)
        ASSERT_EQ(row.toArray().size(), 256);
    EXPECT_EQ(cells[0].toArray()[0].toString(), "h0");
    EXPECT_EQ(cells[0].toArray()[255].toString(), "h255");
    EXPECT_EQ(cells[1].toArray()[1].toString(), QString::fromUtf8("\xC3\xA9"));
    EXPECT_EQ(cells[1].toArray()[2].toString(), "");
    EXPECT_EQ(cells[2002].toArray()[255].toString(), "");
    // Inline rows of empty texts are written as the smaller reports write them.
    EXPECT_TRUE(run.out.contains("\n      [\"\", \"\", \"\""));

    if (QFile::exists("/dev/full")) {
        const CliRun full = runCli({"read", path}, "/dev/full");
        EXPECT_EQ(full.exitCode, 1);
        EXPECT_EQ(full.err, "Unable to write to standard output\n");
    }
}

// A page of a megabyte that asks for a match record of 2,040 columns and
// 250,000 rows would print gigabytes: it is refused. At the record's limits
// the report stays within a few megabytes.
TEST_F(CliRead, RefusesAMatchRecordBeyondItsLimits)
{
    // A heading row of that many cells, then that many row lines setting nothing.
    const auto matchRecordPage = [](int columns, int rows) {
        QByteArray page = "Match Record\n<TR>";
        for (int col = 0; col < columns; ++col)
            page += "a<>";
        page += "\n";
        for (int row = 0; row < rows; ++row)
            page += "<TR\n";
        return page;
    };
    const CliRun refused = runCli({"read", writePage(matchRecordPage(2040, 250000))});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "Match record too large\n");
    EXPECT_TRUE(refused.out.isEmpty());

    const CliRun run = runCli({"read", writePage(matchRecordPage(256, 9998))});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(parsedObject(run.out)["MatchRecord"].toObject()["RowCount"].toInt(), 10000);
    EXPECT_LT(run.out.size(), 16 << 20);
}

TEST_F(CliRead, PrintsValidJsonForEveryCorpusPageThatReads)
{
    const QDir corpus(QStringLiteral(TE_SOURCE_DIR "/../shared/corpus/real"));
    if (!corpus.exists())
        GTEST_SKIP() << "no corpus";
    for (const QString& name : corpus.entryList({"*.htm", "*.html"}, QDir::Files)) {
        const CliRun run = runCli({"read", corpus.filePath(name)});
        if (run.exitCode == 0) {
            EXPECT_EQ(parsedObject(run.out)["Players"].toArray().size(), 16) << name.toStdString();
        } else {
            EXPECT_EQ(run.exitCode, 1);
            EXPECT_TRUE(run.err.endsWith("' is not a valid integer value\n") ||
                        run.err.endsWith(": Not a roster page\n") || run.err == "Match record too large\n" ||
                        run.err.endsWith(": Made by another roster tool: use team-editor-cli import\n"))
                << name.toStdString();
        }
    }
}

// The import command prints what read prints, field for field, and its
// summary on standard error.
TEST_F(CliRead, ImportPrintsTheJsonOfReadAndASummary)
{
    const CliRun read = runCli({"read", TE_SOURCE_DIR "/examples/sample-roster.htm"});
    const CliRun imported = runCli({"import", TE_SOURCE_DIR "/examples/sample-roster.htm"});
    ASSERT_EQ(imported.exitCode, 0) << imported.err.toStdString();
    EXPECT_EQ(imported.err, "Imported 11 players, team value 1,170k\n");
    QJsonObject readTeam = parsedObject(read.out);
    QJsonObject importedTeam = parsedObject(imported.out);
    EXPECT_EQ(importedTeam.keys(), readTeam.keys());
    for (const char* font : {"HeadingFontName", "HeadingFontColor", "TableFontName"}) {
        readTeam.remove(font);
        importedTeam.remove(font);
    }
    EXPECT_EQ(importedTeam, readTeam);

    const QDir corpus(QStringLiteral(TE_SOURCE_DIR "/../shared/corpus/real"));
    if (corpus.exists()) {
        const CliRun chefs = runCli({"import", corpus.filePath("creator-tool-upper-case.htm")});
        ASSERT_EQ(chefs.exitCode, 0);
        EXPECT_EQ(parsedObject(chefs.out)["TeamName"].toString(), "Iron Chefs");
        EXPECT_TRUE(chefs.err.startsWith("Imported 14 players")) << chefs.err.toStdString();
    }

    const QString list = writePage("A shopping list\nmilk\n");
    const CliRun text = runCli({"import", list});
    EXPECT_EQ(text.exitCode, 1);
    EXPECT_EQ(text.err, list.toUtf8() + ": Not a roster page\n");
    EXPECT_TRUE(text.out.isEmpty());
    EXPECT_EQ(runCli({"import"}).exitCode, 2);
}
