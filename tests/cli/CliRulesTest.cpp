#include "CliProcess.h"
#include "LeagueTeams.h"
#include "PageFolder.h"
#include "PageStore.h"
#include "RosterPage.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QJsonArray>
#include <QJsonDocument>
#include <QJsonObject>

namespace {

const QString SamplePage = QStringLiteral(TE_SOURCE_DIR "/examples/sample-roster.htm");
const QString ExampleLeague = QStringLiteral(TE_SOURCE_DIR "/examples/example-league.json");

// What a run printed, as text.
struct Printed
{
    int exitCode = -1;
    QString out;
    QString err;
};

Printed cli(const QStringList& args)
{
    const CliRun run = runCli(args);
    return {run.exitCode, QString::fromUtf8(run.out), QString::fromUtf8(run.err)};
}

class CliRules : public testing::Test
{
protected:
    // The sample page with pieces of it replaced.
    QString sampleWith(std::initializer_list<std::pair<QByteArray, QByteArray>> changes)
    {
        QFile sample(SamplePage);
        EXPECT_TRUE(sample.open(QIODevice::ReadOnly));
        QByteArray bytes = sample.readAll();
        for (const auto& [from, to] : changes) {
            EXPECT_TRUE(bytes.contains(from)) << from.toStdString();
            bytes.replace(from, to);
        }
        return m_pages.write(bytes);
    }

    QString file(const QString& name, const QByteArray& bytes)
    {
        QFile out(m_pages.filePath(name));
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return out.fileName();
    }

    PageFolder m_pages;
};

// Player 8's MA as his injury makes it: the sample page then keeps the example league's rules.
const QByteArray InjuredRow =
    "Longbeard</TD><TD>4</TD><TD>3</TD><TD>2</TD><TD>9</TD><TD ALIGN=LEFT>Block, Tackle, "
    "Thick Skull</TD><TD>-1 MA</TD>";
const QByteArray MendedRow =
    "Longbeard</TD><TD>3</TD><TD>3</TD><TD>2</TD><TD>9</TD><TD ALIGN=LEFT>Block, Tackle, "
    "Thick Skull</TD><TD>-1 MA</TD>";

} // namespace

TEST_F(CliRules, ExitStatuses)
{
    const QString mended = sampleWith({{InjuredRow, MendedRow}});
    const QString brokenRules =
        file(QStringLiteral("broken.json"), "{\n  \"format\": 1,\n  \"league\": 7\n}\n");
    struct Row
    {
        const char* name;
        QStringList args;
        int exitCode;
    };
    const Row rows[] = {
        {"a page that keeps the rules", {"check", "--rules", ExampleLeague, mended}, 0},
        {"an error finding", {"check", "--rules", ExampleLeague, SamplePage}, 1},
        {"only a warning",
         {"check", "--rules", ExampleLeague, sampleWith({{InjuredRow, MendedRow}, {">130<", ">125<"}})},
         0},
        {"a page that cannot be read",
         {"check", "--rules", ExampleLeague, mended, m_pages.filePath("none.htm")},
         2},
        {"a refused rules file", {"check", "--rules", brokenRules, mended}, 2},
        {"no rules file after --rules", {"check", mended, "--rules"}, 2},
        {"two rules files", {"check", "--rules", ExampleLeague, "--rules", ExampleLeague, mended}, 2},
        {"a good rules file", {"rules", "check", ExampleLeague}, 0},
        {"a refused rules file checked", {"rules", "check", brokenRules}, 1},
        {"rules without a command", {"rules"}, 2},
        {"rules learn without pages", {"rules", "learn", "-o", m_pages.filePath("x.json")}, 2},
        {"rules learn from a page that cannot be read",
         {"rules", "learn", mended, m_pages.filePath("none.htm")},
         1},
        // The league is named after the file, or generically where its name is only an extension.
        {"rules learn into a file named .json",
         {"rules", "learn", mended, "-o", m_pages.filePath(".json")},
         0},
        {"the file learned into .json reads back", {"rules", "check", m_pages.filePath(".json")}, 0},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        const Printed run = cli(row.args);
        EXPECT_EQ(run.exitCode, row.exitCode) << run.out.toStdString() << run.err.toStdString();
    }

    // A refused file is named with its line and column and checks nothing.
    const Printed refused = cli({"check", "--rules", brokenRules, mended});
    EXPECT_EQ(refused.err, brokenRules + ":3:3: league must be a text \"...\" that is not empty\n");
    EXPECT_EQ(refused.out, QString());
}

TEST_F(CliRules, FindingsFollowTheMoneyLine)
{
    const Printed plain = cli({"check", "--rules", ExampleLeague, SamplePage});
    EXPECT_EQ(plain.out,
              SamplePage + ": Cost of Team 1,170k, team value 1,170k: agrees\n" + SamplePage +
                  ": player 8 (Longbeard): MA 4 should be 3: the Longbeard profile has MA 4, less 1 for "
                  "injuries (error)\n");

    const Printed json = cli({"check", "--rules", ExampleLeague, SamplePage, "--json"});
    const QJsonObject page = QJsonDocument::fromJson(json.out.toUtf8()).object();
    EXPECT_EQ(page.value("Verdict").toString(), "agrees");
    const QJsonArray findings = page.value("Findings").toArray();
    ASSERT_EQ(findings.size(), 1);
    const QJsonObject finding = findings[0].toObject();
    EXPECT_EQ(finding.value("Severity").toString(), "error");
    EXPECT_EQ(finding.value("Grid").toString(), "Players");
    EXPECT_EQ(finding.value("Column").toInt(), 3);
    EXPECT_EQ(finding.value("Row").toInt(), 8);
    // One page, one line, as check --json gives without rules.
    EXPECT_EQ(json.out.count('\n'), 1) << json.out.toStdString();
}

// Texts from a page are written as the file names are: a control character
// would otherwise reach the terminal, which could rewrite the lines before it.
TEST_F(CliRules, PageTextsInPlainLinesHaveTheirControlCharactersEscaped)
{
    const QString page =
        sampleWith({{InjuredRow, MendedRow},
                    {"Block, Thick Skull, Tackle", "Block, Thick Skull, Tackle, Hex\x1b[1A\x1b[2K"},
                    {">1,170k<", ">1,170k\x1b[2K<"}});
    const Printed plain = cli({"check", "--rules", ExampleLeague, page});
    const QString expected =
        page + ": Cost of Team 1,170k\\x1b[2K (unknown amount), team value 1170k: unknown\n" + page +
        ": player 1 (Blitzer): skill Hex\\x1b[1A\\x1b[2K is not one of the league's skills (error)\n";
    EXPECT_EQ(plain.out.toStdString(), expected.toStdString());

    // So are a rules file's names in its summary, and a page's in what learn says of the pages.
    QFile example(ExampleLeague);
    ASSERT_TRUE(example.open(QIODevice::ReadOnly));
    const QString rules = file(QStringLiteral("escapes.json"),
                               example.readAll().replace("Valley League", "Valley\\u001b[2J League"));
    const Printed summary = cli({"rules", "check", rules});
    EXPECT_TRUE(summary.out.startsWith("Grimstone Valley\\x1b[2J League: 1 race"))
        << summary.out.toStdString();
    const QString renamed = sampleWith({{">Dwarf<", ">Dwarf\x1b[2K<"}});
    const QString cheaper = sampleWith({{">Dwarf<", ">Dwarf\x1b[2K<"}, {">70k<", ">60k<"}});
    const Printed learned = cli({"rules", "learn", renamed, cheaper});
    EXPECT_TRUE(learned.err.startsWith("Dwarf\\x1b[2K Longbeard: cost 70k")) << learned.err.toStdString();
}

// Pages generated from known rules: the file learned from them reads back,
// and every page keeps it.
TEST_F(CliRules, LearnThenCheckFindsNothing)
{
    LeagueTeams league(2024);
    QStringList pages;
    for (int i = 0; i < 30; ++i) {
        const QString page = m_pages.filePath(QStringLiteral("team%1.htm").arg(i));
        storePage(buildRosterPage(league.roster()), page);
        pages.append(page);
    }
    const QString learned = m_pages.filePath(QStringLiteral("league.json"));
    QStringList learnArgs = {"rules", "learn"};
    learnArgs << pages << "-o" << learned;
    const Printed learn = cli(learnArgs);
    EXPECT_EQ(learn.exitCode, 0) << learn.err.toStdString();
    EXPECT_EQ(learn.err, QString());
    EXPECT_EQ(cli({"rules", "check", learned}).exitCode, 0);

    QStringList checkArgs = {"check", "--rules", learned};
    checkArgs << pages;
    const Printed check = cli(checkArgs);
    EXPECT_EQ(check.exitCode, 0) << check.out.toStdString();
    EXPECT_EQ(check.out.count('\n'), pages.size()) << check.out.toStdString();
    EXPECT_FALSE(check.out.contains("(error)") || check.out.contains("(warning)"));
}

TEST_F(CliRules, LearnNamesThePagesThatDisagree)
{
    const QByteArray kili =
        "Kili Oakenshield</TD><TD ALIGN=LEFT>Longbeard</TD><TD>4</TD><TD>3</TD><TD>2</TD><TD>9</TD>"
        "<TD ALIGN=LEFT>Block, Tackle, Thick Skull</TD><TD>&nbsp</TD><TD>&nbsp</TD><TD>&nbsp</TD>"
        "<TD>&nbsp</TD><TD>&nbsp</TD><TD>&nbsp</TD><TD>&nbsp</TD><TD ALIGN=RIGHT>";
    const QString cheap = sampleWith({{kili + "70k<", kili + "60k<"}});
    const Printed learn = cli({"rules", "learn", SamplePage, cheap});
    EXPECT_EQ(learn.exitCode, 0);
    EXPECT_EQ(learn.err, "Dwarf Longbeard: cost 70k (" + SamplePage + ", " + cheap + ") or 60k (" + cheap +
                             "); 70k taken\n");
    EXPECT_TRUE(learn.out.startsWith("{\n  \"format\": 1,\n  \"league\": \"Learned league\""));
}
