#include "RosterCsv.h"

#include "PageFixtures.h"
#include "PaperFixtures.h"
#include "SheetBuilder.h"
#include "TeamGenerator.h"

#include <QRegularExpression>
#include <QTemporaryDir>
#include <gtest/gtest.h>

#include <map>
#include <optional>

namespace {

using Records = std::vector<QStringList>;

// A strict reader of RFC 4180 text: records end with CR LF, a quoted field
// may hold commas, line breaks and doubled quotes. Nothing when the text
// breaks the rules.
std::optional<Records> readCsv(const std::string& bytes)
{
    const QString text = QString::fromUtf8(bytes);
    Records records;
    QStringList record;
    QString field;
    qsizetype i = 0;
    const auto at = [&](qsizetype index) { return index < text.size() ? text[index] : QChar(); };
    while (i < text.size()) {
        if (at(i) == u'"') {
            ++i;
            for (;;) {
                if (i >= text.size())
                    return std::nullopt;
                if (at(i) == u'"' && at(i + 1) == u'"') {
                    field += u'"';
                    i += 2;
                } else if (at(i) == u'"') {
                    ++i;
                    break;
                } else {
                    field += at(i++);
                }
            }
        } else {
            while (i < text.size() && at(i) != u',' && at(i) != u'\r' && at(i) != u'\n') {
                if (at(i) == u'"')
                    return std::nullopt;
                field += at(i++);
            }
        }
        if (at(i) == u',') {
            record.push_back(field);
            field.clear();
            ++i;
        } else if (at(i) == u'\r' && at(i + 1) == u'\n') {
            record.push_back(field);
            records.push_back(record);
            record.clear();
            field.clear();
            i += 2;
        } else {
            return std::nullopt;
        }
    }
    return records;
}

const std::string bom = "\xEF\xBB\xBF";

// What a spreadsheet shows of a field: an apostrophe before a text that would
// run as a formula (after any further apostrophes) shows it as text and is
// not part of it. A plain number is no formula.
QString shownCell(const QString& field)
{
    static const QRegularExpression formula(QStringLiteral("^'+[=+\\-@\t\r]"));
    static const QRegularExpression plainNumber(QStringLiteral("^'+[+-]?(\\d+(\\.\\d*)?|\\.\\d+)$"));
    if (formula.match(field).hasMatch() && !plainNumber.match(field).hasMatch())
        return field.mid(1);
    return field;
}

// The CSV of a sheet, read back: the slot rows and the team fields by name.
struct ReadBack
{
    QStringList headings;
    Records slotRows;
    std::map<QString, QString> fields;
};

ReadBack readBack(const std::string& csv)
{
    EXPECT_EQ(csv.substr(0, 3), bom);
    std::optional<Records> records = readCsv(csv.substr(3));
    EXPECT_TRUE(records.has_value());
    ReadBack result;
    if (!records || records->size() < 19)
        return result;
    for (QStringList& record : *records)
        for (QString& field : record)
            field = shownCell(field);
    result.headings = records->at(0);
    result.slotRows.assign(records->begin() + 1, records->begin() + 17);
    EXPECT_EQ(records->at(17), QStringList{""}) << "an empty line parts the sections";
    EXPECT_EQ(records->at(18), (QStringList{"Field", "Value"}));
    for (auto record = records->begin() + 19; record != records->end(); ++record) {
        EXPECT_EQ(record->size(), 2);
        if (record->size() == 2)
            result.fields[record->at(0)] = record->at(1);
    }
    return result;
}

void expectSameCells(const RosterSheet& sheet)
{
    const ReadBack back = readBack(rosterCsv(rosterTexts(sheet)));
    ASSERT_EQ(back.headings.size(), 16);
    EXPECT_EQ(back.headings.front(), "#");
    EXPECT_EQ(back.headings[1], "Player Name");
    EXPECT_EQ(back.headings.back(), "Cost");
    ASSERT_EQ(back.slotRows.size(), 16u);
    for (int row = 1; row <= 16; ++row) {
        ASSERT_EQ(back.slotRows[row - 1].size(), 16);
        for (int col = 0; col < 16; ++col)
            EXPECT_EQ(back.slotRows[row - 1][col], sheet.cell(SheetGrid::Players, col, row))
                << "slot " << row << " column " << col;
    }
    const char* details[] = {"Team Name", "Race", "Team Rating", "Treasury", "Coach", "Cost of Team"};
    for (int row = 0; row < 6; ++row)
        EXPECT_EQ(back.fields.at(details[row]), sheet.cell(SheetGrid::Details, 1, row)) << details[row];
    const char* extras[] = {"Re-Rolls",     "Fan Factor", "Assistant Coaches",
                            "Cheerleaders", "Apothecary", "Team Wizard"};
    for (int row = 0; row < 6; ++row) {
        const QString name = extras[row];
        EXPECT_EQ(back.fields.at(name), sheet.cell(SheetGrid::Extras, 1, row)) << extras[row];
        EXPECT_EQ(back.fields.at(name + " Price"), sheet.cell(SheetGrid::Extras, 2, row)) << extras[row];
        EXPECT_EQ(back.fields.at(name + " Cost"), sheet.cell(SheetGrid::Extras, 3, row)) << extras[row];
    }
    EXPECT_EQ(back.fields.size(), 24u);
}

TEST(RosterCsv, SamplePageReadsBackToTheSameCells)
{
    const RosterSheet sample = sheetOfPage(samplePagePath());
    ASSERT_FALSE(sample.cell(SheetGrid::Players, 1, 1).isEmpty());
    expectSameCells(sample);
}

TEST(RosterCsv, CellsThatNeedQuotingReadBackWhole)
{
    RosterSheet sheet = newTeamSheet();
    const QStringList awkward = {
        "Block, Dodge",
        "the \"Hammer\"",
        "\"",
        "two\r\nlines",
        "line\nfeed",
        QString::fromUtf8("J\xc3\xb6rg \xe6\xbc\xa2"),
        " padded ",
        ",",
        "",
        "=1+1",
    };
    for (int i = 0; i < awkward.size(); ++i)
        sheet.setCell(SheetGrid::Players, 1 + int(i), 1 + int(i), awkward[i]);
    sheet.setCell(SheetGrid::Details, 1, 0, "Reavers, \"the\"");
    sheet.setCell(SheetGrid::Extras, 3, 1, "45k\r\n");
    expectSameCells(sheet);
}

// Cells a spreadsheet would run as formulas are written with an apostrophe,
// plain numbers and other texts as they are, and all read back whole.
TEST(RosterCsv, FormulaLikeCellsAreWrittenAsText)
{
    const struct
    {
        QString cell;
        QString written;
    } cases[] = {
        {"=HYPERLINK(\"http://x\",\"y\")", "'=HYPERLINK(\"http://x\",\"y\")"},
        {"@SUM(1+1)", "'@SUM(1+1)"},
        {"+cmd|' /C calc'!A0", "'+cmd|' /C calc'!A0"},
        {"-50k", "'-50k"},
        {"-", "'-"},
        {"\tTab", "'\tTab"},
        {"\rReturn", "'\rReturn"},
        {"'=kept", "''=kept"},
        {"''@x", "'''@x"},
        {"-1", "-1"},
        {"+2", "+2"},
        {"-1.5", "-1.5"},
        {"'-1", "'-1"},
        {"'plain", "'plain"},
        {"a=b", "a=b"},
        {"120k", "120k"},
    };
    for (const auto& c : cases) {
        RosterSheet sheet = newTeamSheet();
        sheet.setCell(SheetGrid::Players, 7, 3, c.cell);
        sheet.setCell(SheetGrid::Details, 1, 4, c.cell);
        const std::string csv = rosterCsv(rosterTexts(sheet));
        const std::optional<Records> records = readCsv(csv.substr(3));
        ASSERT_TRUE(records.has_value()) << c.cell.toStdString();
        EXPECT_EQ(records->at(3).at(7), c.written) << c.cell.toStdString();
        EXPECT_EQ(records->at(19 + 4).at(1), c.written) << c.cell.toStdString();
        expectSameCells(sheet);
    }
}

TEST(RosterCsv, EmptyRostersGiveEverySlotAndField)
{
    expectSameCells(newTeamSheet());
    expectSameCells(startUpSheet());
}

TEST(RosterCsv, GeneratedTeamsReadBackToTheSameCells)
{
    for (const TextEncoding encoding : {TextEncoding::Utf8, TextEncoding::Latin1}) {
        TeamGenerator generator(20261208, encoding);
        for (int i = 0; i < 50; ++i) {
            const GeneratedTeam generated = generator.plainTeam();
            expectSameCells(buildSheet(generated.team, generated.record, encoding));
        }
    }
}

TEST(RosterCsv, LinesEndWithCrLfAndPlainFieldsStayUnquoted)
{
    const std::string csv = rosterCsv(rosterTexts(newTeamSheet()));
    EXPECT_EQ(csv.substr(0, 3), bom);
    EXPECT_EQ(csv.substr(3, 54), "#,Player Name,Position,MA,ST,AG,AV,Skills,Injuries,Com");
    EXPECT_NE(csv.find("\r\n1,,,,,,,,,,,,,,,\r\n"), std::string::npos);
    EXPECT_NE(csv.find("\r\n\r\nField,Value\r\nTeam Name,\r\n"), std::string::npos);
    EXPECT_NE(csv.find("\r\nRe-Rolls Price,x $50k =\r\n"), std::string::npos);
    for (std::size_t at = csv.find('\n'); at != std::string::npos; at = csv.find('\n', at + 1))
        EXPECT_EQ(csv[at - 1], '\r');
    EXPECT_EQ(csv.substr(csv.size() - 2), "\r\n");
}

TEST(RosterCsv, UnwritableFolderFailsWithTheStoreMessageAndLeavesNoFile)
{
    QTemporaryDir dir;
    ASSERT_TRUE(dir.isValid());
    const RosterSheet sample = sheetOfPage(samplePagePath());
    EXPECT_TRUE(failsInReadOnlyFolder(dir.path(), "team.csv",
                                      [&](const QString& target) { storeRosterCsv(sample, target); }));
}

} // namespace
