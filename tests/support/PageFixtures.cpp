#include "PageFixtures.h"

#include "PageFile.h"
#include "RosterReader.h"
#include "SheetBuilder.h"

#include <QFile>
#include <QStringList>
#include <gtest/gtest.h>

RosterSheet sheetOfPage(const QString& path)
{
    const PageLines page = loadPageFile(QFile::encodeName(path).toStdString());
    TTeam team;
    MatchRecord record;
    readRosterPage(page, team, record);
    return buildSheet(team, record, page.encoding);
}

QString samplePagePath()
{
    return QStringLiteral(TE_SOURCE_DIR "/examples/sample-roster.htm");
}

RosterSheet samplePageSheet()
{
    return sheetOfPage(samplePagePath());
}

void emptyGrid(RosterSheet& sheet, SheetGrid grid, int cols, int rows)
{
    GridShape shape = sheet.table(grid).shape();
    shape.cols = 0;
    shape.rows = 0;
    sheet.setShape(grid, shape);
    shape.cols = cols;
    shape.rows = rows;
    sheet.setShape(grid, shape);
}

void setRow(RosterSheet& sheet, SheetGrid grid, int row, const QStringList& texts)
{
    for (int col = 0; col < texts.size(); ++col)
        sheet.setCell(grid, col, row, texts[col]);
}

namespace {

void setColumn(RosterSheet& sheet, SheetGrid grid, int col, const QStringList& texts)
{
    for (int row = 0; row < texts.size(); ++row)
        sheet.setCell(grid, col, row, texts[row]);
}

} // namespace

RosterSheet startUpSheet()
{
    RosterSheet sheet;
    sheet.setShape(SheetGrid::Players, {0, 0, 0, 0});
    sheet.setShape(SheetGrid::Players, {16, 17, 1, 0});
    sheet.setShape(SheetGrid::Details, {0, 0, 0, 0});
    sheet.setShape(SheetGrid::Details, {2, 6, 0, 1});
    sheet.setShape(SheetGrid::Extras, {0, 0, 0, 0});
    sheet.setShape(SheetGrid::Extras, {4, 6, 0, 1});
    sheet.setShape(SheetGrid::Matches, {0, 0, 0, 0});
    sheet.setShape(SheetGrid::Matches, {8, 2, 1, 0});
    sheet.setColor(SheetColor::Window, 0xFFFFFF);
    sheet.setColor(SheetColor::Table, 0xD0FFFF);
    sheet.setColor(SheetColor::Headings, 0xA0D0D0);
    sheet.setFont(SheetFont::Table, "MS Sans Serif", 0x80000008);
    sheet.setFont(SheetFont::Heading, "MS Sans Serif", 0);
    sheet.setEncoding(TextEncoding::Utf8);
    return sheet;
}

RosterSheet newTeamSheet()
{
    RosterSheet sheet = startUpSheet();
    sheet.setFont(SheetFont::Table, "MS Sans Serif", 0);
    setRow(sheet, SheetGrid::Players, 0,
           {"#", "Player Name", "Position", "MA", "ST", "AG", "AV", "Skills", "inj", "cmp", "td", "int",
            "cas", "mvp", "spp", "Cost"});
    for (int slot = 1; slot <= 16; ++slot)
        setRow(sheet, SheetGrid::Players, slot, {QString::number(slot)});
    setColumn(sheet, SheetGrid::Details, 0,
              {"Team Name:", "Race:", "Team Rating:", "Treasury:", "Coach:", "Cost of Team:"});
    setColumn(sheet, SheetGrid::Details, 1, {"", "", "0", "", "", ""});
    setColumn(
        sheet, SheetGrid::Extras, 0,
        {"Re-Rolls:", "Fan Factor:", "Assistant Coaches:", "Cheerleaders:", "Apothecary:", "Team Wizard:"});
    setColumn(sheet, SheetGrid::Extras, 1, {"0", "0", "0", "0", "0", "0"});
    setColumn(sheet, SheetGrid::Extras, 2,
              {"x $50k =", "x $10k =", "x $10k =", "x $10k =", "x $50k =", "x $150k ="});
    setRow(sheet, SheetGrid::Matches, 0,
           {"Result", "Opponent", "Race", "Score", "Cas", "Gate", "Winnings", "Notes & Highlights"});
    return sheet;
}

void expectSameGrid(const SheetTable& actual, const SheetTable& expected, const char* name)
{
    SCOPED_TRACE(name);
    ASSERT_EQ(actual.colCount(), expected.colCount());
    ASSERT_EQ(actual.rowCount(), expected.rowCount());
    EXPECT_EQ(actual.shape().fixedRows, expected.shape().fixedRows);
    EXPECT_EQ(actual.shape().fixedCols, expected.shape().fixedCols);
    for (int row = 0; row < expected.rowCount(); ++row)
        for (int col = 0; col < expected.colCount(); ++col)
            EXPECT_EQ(actual.cell(col, row), expected.cell(col, row)) << "column " << col << ", row " << row;
}

void expectSameSheet(const RosterSheet& actual, const RosterSheet& expected)
{
    expectSameGrid(actual.table(SheetGrid::Players), expected.table(SheetGrid::Players), "TeamGrid");
    expectSameGrid(actual.table(SheetGrid::Details), expected.table(SheetGrid::Details), "TeamGrid2");
    expectSameGrid(actual.table(SheetGrid::Extras), expected.table(SheetGrid::Extras), "TeamGrid3");
    expectSameGrid(actual.table(SheetGrid::Matches), expected.table(SheetGrid::Matches), "GameGrid");
    for (const SheetColor color : {SheetColor::Window, SheetColor::Table, SheetColor::Headings,
                                   SheetColor::TableFont, SheetColor::HeadingFont})
        EXPECT_EQ(actual.color(color), expected.color(color)) << "colour " << int(color);
    EXPECT_EQ(actual.fontName(SheetFont::Table), expected.fontName(SheetFont::Table));
    EXPECT_EQ(actual.fontName(SheetFont::Heading), expected.fontName(SheetFont::Heading));
}
