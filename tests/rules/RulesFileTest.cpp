#include "RulesFile.h"
#include "JsonLocation.h"
#include "RulesFileWriter.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

namespace {

// A small valid file, one key a line, so that every row knows its line.
const char* const ValidFile = R"({
  "format": 1,
  "league": "Test League",
  "team": {"fewestPlayers": 11, "mostPlayers": 16},
  "prices": {"fanFactor": "10k", "assistantCoach": "10k", "cheerleader": "10k", "apothecary": "50k", "wizard": "150k"},
  "races": [
    {
      "name": "Dwarf",
      "reRoll": "40k",
      "apothecary": true,
      "wizard": false,
      "positions": [
        {"title": "Longbeard", "most": 16, "cost": "70k", "MA": 4, "ST": 3, "AG": 2, "AV": 9, "skills": ["Block"], "normal": ["General"], "double": ["Agility"]}
      ]
    }
  ],
  "skills": [
    {"name": "Block", "category": "General"},
    {"name": "Dodge", "category": "Agility"}
  ],
  "advancement": {"spp": [6, 16], "values": {"skill": "20k", "doubleSkill": "30k", "MA": "30k", "ST": "50k", "AG": "40k", "AV": "30k"}},
  "teamRating": {"valueDivisor": "10k", "sppDivisor": 5}
}
)";

QByteArray validWith(const char* from, const char* to)
{
    QByteArray text(ValidFile);
    EXPECT_TRUE(text.contains(from)) << from;
    return text.replace(from, to);
}

std::string refusal(const QByteArray& json)
{
    try {
        parseRules(json, QStringLiteral("league.json"));
    } catch (const ERulesFileError& error) {
        return error.what();
    }
    return "accepted";
}

} // namespace

TEST(RulesFile, RefusesWhatBreaksTheFormatWithItsPlace)
{
    struct Row
    {
        QByteArray json;
        const char* refusal;
    };
    const Row rows[] = {
        {"", "league.json:1:1: not JSON: illegal value"},
        {validWith("\"league\": \"Test League\",", "\"league\": \"Test League\""),
         "league.json:4:4: not JSON: unterminated object"},
        {"[1, 2]", "league.json:1:1: the file must be an object { ... }"},
        {validWith("  \"format\": 1,\n", ""), "league.json:1:1: the file lacks \"format\""},
        {validWith("\"format\": 1", "\"format\": 2"),
         "league.json:2:3: format 2 is newer than this program reads (1)"},
        {validWith("\"league\"", "\"leage\""), "league.json:3:3: unknown key \"leage\" in the file"},
        {validWith("\"league\": \"Test League\"", "\"league\": \" \""),
         "league.json:3:3: league must be a text \"...\" that is not empty"},
        {validWith("\"MA\": 4", "\"MA\": \"4\""),
         "league.json:13:59: races[0].positions[0].MA must be a whole number from 1 to 10"},
        {validWith("\"AV\": 9", "\"AV\": 11"),
         "league.json:13:86: races[0].positions[0].AV must be a whole number from 1 to 10"},
        {validWith("\"ST\": 3", "\"ST\": 2.5"),
         "league.json:13:68: races[0].positions[0].ST must be a whole number from 1 to 10"},
        {validWith("\"most\": 16", "\"most\": 0"),
         "league.json:13:32: races[0].positions[0].most must be a whole number from 1 to 16"},
        {validWith("\"cost\": \"70k\"", "\"cost\": \"-70k\""),
         "league.json:13:44: races[0].positions[0].cost must not be negative"},
        {validWith("\"cheerleader\": \"10k\"", "\"cheerleader\": -10000"),
         "league.json:5:59: prices.cheerleader must not be negative"},
        {validWith("\"cheerleader\": \"10k\"", "\"cheerleader\": \"ten\""),
         "league.json:5:59: prices.cheerleader must be an amount of money such as \"70k\""},
        {validWith("\"wizard\": false", "\"wizard\": 0"),
         "league.json:11:7: races[0].wizard must be true or false"},
        {validWith("\"double\": [\"Agility\"]", "\"double\": [\"Mutation\"]"),
         "league.json:13:150: no skill has the category Mutation"},
        {validWith("\"skills\": [\"Block\"]", "\"skills\": [\"Block\", \"Guard\"]"),
         "league.json:13:115: starting skill Guard is not in \"skills\""},
        {validWith("\"skills\": [\"Block\"]", "\"skills\": [\"Block\", \"block\"]"),
         "league.json:13:115: block is listed twice in races[0].positions[0].skills"},
        {validWith("{\"name\": \"Dodge\"", "{\"name\": \"BLOCK\""),
         "league.json:19:6: skill BLOCK is listed twice"},
        {validWith("\"wizard\": false,", "\"wizard\": false, \"positions\": []}, {\"name\": \" DWARF \", "
                                         "\"reRoll\": \"40k\", \"apothecary\": true, \"wizard\": false,"),
         "league.json:11:43: race DWARF is listed twice"},
        {validWith("\"double\": [\"Agility\"]}",
                   "\"double\": [\"Agility\"]}, {\"title\": \"longbeard\", \"most\": 1, "
                   "\"cost\": \"1k\", \"MA\": 1, \"ST\": 1, \"AG\": 1, \"AV\": 1, "
                   "\"skills\": [], \"normal\": [\"general\"], \"double\": []}"),
         "league.json:13:164: position longbeard is listed twice for the Dwarf race"},
        {validWith("\"positions\": [", "\"positions\": \"Longbeard\", \"list\": ["),
         "league.json:12:33: unknown key \"list\" in races[0]"},
        {validWith("\"wizard\": false,", "\"wizard\": false, \"positions\": 5}, {\"name\": \"Elf\","),
         "league.json:11:24: races[0].positions must be a list [ ... ]"},
        {validWith("\"double\": [\"Agility\"]}", "\"double\": [\"Agility\"]}, 7"),
         "league.json:13:163: races[0].positions[1] must be an object { ... }"},
        {validWith("\"positions\": [", "\"positionz\": ["),
         "league.json:12:7: unknown key \"positionz\" in races[0]"},
        {validWith("\"spp\": [6, 16]", "\"spp\": [16, 6]"),
         "league.json:21:31: advancement.spp[1] must be more than the SPP before it"},
        {validWith("\"valueDivisor\": \"10k\"", "\"valueDivisor\": \"0\""),
         "league.json:22:18: teamRating.valueDivisor must be more than nothing"},
        {validWith("\"fewestPlayers\": 11, \"mostPlayers\": 16",
                   "\"fewestPlayers\": 12, \"mostPlayers\": 11"),
         "league.json:4:12: team.fewestPlayers must be a whole number from 0 to 11"},
        {validWith("\"AV\": \"30k\"}", "\"AV\": \"30k\", \"Pass\": \"10k\"}"),
         "league.json:21:136: unknown key \"Pass\" in advancement.values"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.json.toStdString());
        EXPECT_EQ(refusal(row.json), row.refusal);
    }
    // A file name of a download keeps its escapes ("%2C" for a comma) in the message.
    try {
        parseRules("[]", QStringLiteral("Grimstone%2CValley%1.json"));
        ADD_FAILURE() << "accepted";
    } catch (const ERulesFileError& error) {
        EXPECT_STREQ(error.what(), "Grimstone%2CValley%1.json:1:1: the file must be an object { ... }");
    }
}

TEST(RulesFile, ReadsEveryPartAndWritesItBackTheSame)
{
    const LeagueRules rules = parseRules(ValidFile, QStringLiteral("league.json"));
    EXPECT_EQ(rules.league, "Test League");
    ASSERT_EQ(rules.races.size(), 1u);
    const RaceRules& dwarf = rules.races[0];
    EXPECT_EQ(dwarf.reRollPrice, 40'000);
    EXPECT_TRUE(dwarf.mayHireApothecary);
    EXPECT_FALSE(dwarf.mayHireWizard);
    ASSERT_EQ(dwarf.positions.size(), 1u);
    EXPECT_EQ(dwarf.positions[0].profile, (Profile{4, 3, 2, 9}));
    EXPECT_EQ(dwarf.positions[0].cost, 70'000);
    EXPECT_EQ(rules.prices.wizard, 150'000);
    EXPECT_EQ(rules.advancement.sppForAdvance, (std::vector<int>{6, 16}));
    ASSERT_TRUE(rules.advancement.values.has_value());
    EXPECT_EQ(rules.advancement.valueOf(AdvanceKind::ST), 50'000);
    EXPECT_EQ(rules.advancement.valueOf(AdvanceKind::AG), 40'000);
    ASSERT_TRUE(rules.teamRating.has_value());
    EXPECT_EQ(rules.teamRating->rating(1'170'000, 66), 130);

    // The written file reads back as the same rules, for this file and the example league.
    const QString example = QStringLiteral(TE_SOURCE_DIR "/examples/example-league.json");
    for (const LeagueRules& original : {rules, readRulesFile(example)}) {
        const QByteArray written = rulesFileText(original);
        EXPECT_EQ(parseRules(written, QStringLiteral("written.json")), original) << written.toStdString();
    }
    // Left out, the optional parts take their defaults.
    const LeagueRules plain =
        parseRules(validWith("  \"team\": {\"fewestPlayers\": 11, \"mostPlayers\": 16},\n", ""),
                   QStringLiteral("plain.json"));
    EXPECT_EQ(plain.fewestPlayers, 11);
    EXPECT_EQ(plain.mostPlayers, 16);
    EXPECT_FALSE(plain.startingTreasury.has_value());
    // A league of fewer players than a team needs by default needs no more than it may field.
    const LeagueRules sevens =
        parseRules(validWith("{\"fewestPlayers\": 11, \"mostPlayers\": 16}", "{\"mostPlayers\": 7}"),
                   QStringLiteral("sevens.json"));
    EXPECT_EQ(sevens.fewestPlayers, 7);
    EXPECT_EQ(sevens.mostPlayers, 7);
}

TEST(RulesFile, RefusesFilesItCannotOrMustNotRead)
{
    QTemporaryDir dir;
    const QString big = dir.filePath(QStringLiteral("big.json"));
    QFile file(big);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    // Valid JSON, but more than a league's rules ever take.
    file.write("[\"");
    file.write(QByteArray(MaxRulesFileBytes, 'x'));
    file.write("\"]");
    file.close();
    const auto failure = [](const QString& path) -> std::string {
        try {
            readRulesFile(path);
        } catch (const EFileError& error) {
            return error.what();
        }
        return "read";
    };
    EXPECT_EQ(failure(big), "Rules file too large: " + big.toStdString());
    EXPECT_EQ(failure(dir.path()), "Cannot open file " + dir.path().toStdString());
    EXPECT_EQ(failure(dir.filePath(QStringLiteral("none.json"))),
              "Cannot open file " + dir.filePath("none.json").toStdString());
}

TEST(JsonLocation, LinesAndColumnsCountCharacters)
{
    const QByteArray text = "{\n  \"n\u00e4me\": \"\u00e9\u00e9\",\r\n  \"x\": [1, {\"y\": 2}]\n}";
    EXPECT_EQ(textPositionAt(text, 0), (TextPosition{1, 1}));
    EXPECT_EQ(textPositionAt(text, text.indexOf("\"x\"")), (TextPosition{3, 3}));
    // Two-byte characters count once.
    EXPECT_EQ(textPositionAt(text, text.indexOf(',')), (TextPosition{2, 15}));
    EXPECT_EQ(textPositionAt(text, 10'000), (TextPosition{4, 2}));

    const auto at = [&text](const JsonPath& path) {
        return textPositionAt(text, jsonPathOffset(text, path));
    };
    EXPECT_EQ(at({QStringLiteral("x"), 1, QStringLiteral("y")}), (TextPosition{3, 13}));
    EXPECT_EQ(at({QStringLiteral("x"), 0}), (TextPosition{3, 9}));
    // A path that goes further than the text ends at its deepest part.
    EXPECT_EQ(at({QStringLiteral("x"), 5}), (TextPosition{3, 3}));
    EXPECT_EQ(at({QStringLiteral("n\u00e4me")}), (TextPosition{2, 3}));
    EXPECT_EQ(jsonPathText({QStringLiteral("races"), 0, QStringLiteral("MA")}), "races[0].MA");
}

// Names are looked up by their keys where a file lists many: a key must be
// shared exactly by the names sameName finds the same, whatever their case,
// blanks and script.
TEST(LeagueRules, NameKeysAgreeWithSameName)
{
    // Sharp s, dotted and dotless i, Kelvin and ohm signs, final sigma, a
    // title-case digraph, a ligature, a script beyond 16 bits and lone halves of one.
    QStringList names =
        QString::fromUtf8("Block|block| BLOCK\t|Blocks||  |\u00df|\u1e9e|ss|SS|\u0130|i|I|\u0131|K|"
                          "\u212a|k|\u03a3|\u03c3|\u03c2|\u2126|\u03c9|\u01c4|\u01c5|\u01c6|"
                          "\ufb00|ff|\U00010400|\U00010428|Thick Skull|thick  skull")
            .split(u'|');
    names << QString(QChar(0xd801)) << QString(QChar(0xdc00));
    for (const QString& a : names) {
        for (const QString& b : names)
            EXPECT_EQ(sameName(a, b), nameKey(a) == nameKey(b))
                << a.toStdString() << " / " << b.toStdString();
    }
}

// The complete example of the format's description is a file the program reads.
TEST(RulesFile, TheDocumentedExampleReads)
{
    QFile docs(QStringLiteral(TE_SOURCE_DIR "/docs/league-rules.md"));
    ASSERT_TRUE(docs.open(QIODevice::ReadOnly));
    const QByteArray text = docs.readAll();
    const qsizetype start = text.indexOf("```json\n");
    ASSERT_GE(start, 0);
    const qsizetype end = text.indexOf("```", start + 8);
    const LeagueRules rules = parseRules(text.mid(start + 8, end - start - 8), QStringLiteral("docs"));
    EXPECT_EQ(rules.races.at(0).positions.size(), 2u);
    EXPECT_TRUE(rules.advancement.values.has_value());
}
