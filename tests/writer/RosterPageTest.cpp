#include "RosterPage.h"
#include "PageFixtures.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

void expectLines(const std::vector<std::string>& actual, const std::vector<std::string>& expected)
{
    ASSERT_EQ(actual.size(), expected.size());
    for (std::size_t i = 0; i < expected.size(); ++i)
        EXPECT_EQ(actual[i], expected[i]) << "line " << i + 1;
}

// Page lines are counted from 1 as in a text editor.
const std::string& line(const std::vector<std::string>& page, std::size_t number)
{
    return page.at(number - 1);
}

std::string emptyPlayerRow(const std::string& slot)
{
    return "<TR ALIGN=CENTER><TD>" + slot +
           "</TD><TD ALIGN=LEFT>&nbsp</TD><TD ALIGN=LEFT>&nbsp</TD><TD>&nbsp</TD><TD>&nbsp</TD><TD>&nbsp</TD>"
           "<TD>&nbsp</TD><TD ALIGN=LEFT>&nbsp</TD><TD>&nbsp</TD><TD>&nbsp</TD><TD>&nbsp</TD><TD>&nbsp</TD>"
           "<TD>&nbsp</TD><TD>&nbsp</TD><TD>&nbsp</TD><TD ALIGN=RIGHT>&nbsp</TD></TR>";
}

TEST(RosterPage, NewTeamPage)
{
    const std::string heading = R"(<CENTER><FONT FACE="MS Sans Serif" SIZE=4 COLOR="#000000">)";
    const std::string table =
        R"(<TABLE BORDER=1 BGCOLOR="#FFFFD0" BORDERCOLORLIGHT="#FFFFF0" BORDERCOLORDARK="#BFBF90">)";
    const std::string tableFont = R"(<FONT FACE="MS Sans Serif">)";
    std::vector<std::string> expected = {
        "<!-- This file created by Skarn Team Editor             --!>",
        "<!-- Version 0.02, July 1997, by the Team Editor authors--!>",
        "<!-- Get your free copy at:                             --!>",
        "<!-- http://www.example.org/team-editor/                --!>",
        R"(<HTML><HEAD><META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8"><TITLE></TITLE></HEAD>)",
        R"(<BODY BGCOLOR="#FFFFFF" TEXT="#000000" LINK="#000000" VLINK="#000000">)",
        heading,
        "<H1><B></B></H1>",
        "Race: <BR>",
        "Coached By: <BR></FONT>",
        table,
        tableFont,
        R"(<TR BGCOLOR="#D0D0A0"><TH>#</TH><TH>Player Name</TH><TH>Position</TH><TH>ma</TH><TH>st</TH>)"
        R"(<TH>ag</TH><TH>av</TH><TH>Player Skills</TH><TH>ij</TH><TH>cp</TH><TH>td</TH><TH>in</TH><TH>cs</TH>)"
        R"(<TH>vp</TH><TH>sp</TH><TH>Cost</TH></TR>)",
    };
    for (int slot = 1; slot <= 16; ++slot)
        expected.push_back(emptyPlayerRow(std::to_string(slot)));
    const std::vector<std::string> rest = {
        "<TR><TD></TD></TR><TR><TD></TD></TR>",
        R"(<TR ALIGN=CENTER><TD ALIGN=RIGHT BGCOLOR="#D0D0A0" COLSPAN=2>Team Name:</TD><TD COLSPAN=5>&nbsp</TD>)"
        R"(<TD ALIGN=RIGHT BGCOLOR="#D0D0A0" COLSPAN=2>Re-Rolls:</TD><TD COLSPAN=2>0</TD>)"
        R"(<TD BGCOLOR="#D0D0A0" COLSPAN=4>x $50k =</TD><TD ALIGN=RIGHT>&nbsp</TD></TR>)",
        R"(<TR ALIGN=CENTER><TD ALIGN=RIGHT BGCOLOR="#D0D0A0" COLSPAN=2>Race:</TD><TD COLSPAN=5>&nbsp</TD>)"
        R"(<TD ALIGN=RIGHT BGCOLOR="#D0D0A0" COLSPAN=2>Fan Factor:</TD><TD COLSPAN=2>0</TD>)"
        R"(<TD BGCOLOR="#D0D0A0" COLSPAN=4>x $10k =</TD><TD ALIGN=RIGHT>&nbsp</TD></TR>)",
        R"(<TR ALIGN=CENTER><TD ALIGN=RIGHT BGCOLOR="#D0D0A0" COLSPAN=2>Team Rating:</TD><TD COLSPAN=5>0</TD>)"
        R"(<TD ALIGN=RIGHT BGCOLOR="#D0D0A0" COLSPAN=2>Assistant Coaches:</TD><TD COLSPAN=2>0</TD>)"
        R"(<TD BGCOLOR="#D0D0A0" COLSPAN=4>x $10k =</TD><TD ALIGN=RIGHT>&nbsp</TD></TR>)",
        R"(<TR ALIGN=CENTER><TD ALIGN=RIGHT BGCOLOR="#D0D0A0" COLSPAN=2>Treasury:</TD><TD COLSPAN=5>&nbsp</TD>)"
        R"(<TD ALIGN=RIGHT BGCOLOR="#D0D0A0" COLSPAN=2>Cheerleaders:</TD><TD COLSPAN=2>0</TD>)"
        R"(<TD BGCOLOR="#D0D0A0" COLSPAN=4>x $10k =</TD><TD ALIGN=RIGHT>&nbsp</TD></TR>)",
        R"(<TR ALIGN=CENTER><TD ALIGN=RIGHT BGCOLOR="#D0D0A0" COLSPAN=2>Coach:</TD><TD COLSPAN=5>&nbsp</TD>)"
        R"(<TD ALIGN=RIGHT BGCOLOR="#D0D0A0" COLSPAN=2>Apothecary:</TD><TD COLSPAN=2>0</TD>)"
        R"(<TD BGCOLOR="#D0D0A0" COLSPAN=4>x $50k =</TD><TD ALIGN=RIGHT>&nbsp</TD></TR>)",
        R"(<TR ALIGN=CENTER><TD COLSPAN=7 ROWSPAN=2>&nbsp</TD>)"
        R"(<TD ALIGN=RIGHT BGCOLOR="#D0D0A0" COLSPAN=2>Team Wizard:</TD><TD COLSPAN=2>0</TD>)"
        R"(<TD BGCOLOR="#D0D0A0" COLSPAN=4>x $150k =</TD><TD ALIGN=RIGHT>&nbsp</TD></TR>)",
        R"(<TR ALIGN=CENTER><TD ALIGN=RIGHT BGCOLOR="#D0D0A0" COLSPAN=8>TOTAL COST OF TEAM:</TD>)"
        R"(<TD ALIGN=RIGHT>&nbsp</TD></TR>)",
        "</TABLE>",
        heading,
        "<P><P>Match Record<P></FONT>",
        table,
        tableFont,
        R"(<TR BGCOLOR="#D0D0A0" ALIGN=CENTER><TH>Result</TH><TH>Opponent</TH><TH>Race</TH><TH>Score</TH>)"
        R"(<TH>Cas</TH><TH>Gate</TH><TH>Winnings</TH><TH>Notes & Highlights</TH></TR>)",
        "</TABLE></BODY></HTML>",
    };
    expected.insert(expected.end(), rest.begin(), rest.end());

    expectLines(buildRosterPage(newTeamSheet()), expected);
}

TEST(RosterPage, PageBeforeAnyTeamWasShown)
{
    const std::vector<std::string> page = buildRosterPage(startUpSheet());

    ASSERT_EQ(page.size(), 44u);
    EXPECT_EQ(line(page, 6), R"(<BODY BGCOLOR="#FFFFFF" TEXT="#000080" LINK="#000080" VLINK="#000080">)");
    EXPECT_EQ(line(page, 7), R"(<CENTER><FONT FACE="MS Sans Serif" SIZE=4 COLOR="#000000">)");
    for (std::size_t number = 14; number <= 29; ++number)
        EXPECT_EQ(line(page, number), emptyPlayerRow("&nbsp")) << "line " << number;
    EXPECT_EQ(line(page, 31), R"(<TR ALIGN=CENTER><TD ALIGN=RIGHT BGCOLOR="#D0D0A0" COLSPAN=2></TD>)"
                              R"(<TD COLSPAN=5>&nbsp</TD><TD ALIGN=RIGHT BGCOLOR="#D0D0A0" COLSPAN=2></TD>)"
                              R"(<TD COLSPAN=2>&nbsp</TD><TD BGCOLOR="#D0D0A0" COLSPAN=4>&nbsp</TD>)"
                              R"(<TD ALIGN=RIGHT>&nbsp</TD></TR>)");
    EXPECT_EQ(line(page, 43),
              R"(<TR BGCOLOR="#D0D0A0" ALIGN=CENTER><TH></TH><TH></TH><TH></TH><TH></TH><TH></TH><TH></TH>)"
              R"(<TH></TH><TH></TH></TR>)");
}

// How one cell text is written in a player cell and in the staff and match
// tables, which blank out only empty cells.
struct CellCase
{
    QString text;
    std::string playerCell;
    std::string otherCell;
};

TEST(RosterPage, BlankCellRules)
{
    const std::vector<CellCase> cases = {
        {"", "&nbsp", "&nbsp"}, {"0", "&nbsp", "0"}, {"00", "00", "00"}, {" 0", " 0", " 0"},
        {"0 ", "0 ", "0 "},     {"-0", "-0", "-0"},  {"12", "12", "12"}, {"&nbsp", "&nbsp", "&nbsp"},
    };
    for (const CellCase& c : cases) {
        SCOPED_TRACE(c.text.toStdString());
        RosterSheet sheet = newTeamSheet();
        sheet.setCell(SheetGrid::Players, 10, 3, c.text); // touchdowns of slot 3
        sheet.setCell(SheetGrid::Extras, 1, 4, c.text);   // apothecary count
        emptyGrid(sheet, SheetGrid::Matches, 2, 2);
        setRow(sheet, SheetGrid::Matches, 1, {"W", c.text});
        const std::vector<std::string> page = buildRosterPage(sheet);

        EXPECT_NE(line(page, 16).find("<TD>&nbsp</TD><TD>" + c.playerCell + "</TD><TD>&nbsp</TD>"),
                  std::string::npos);
        EXPECT_NE(line(page, 35).find("<TD COLSPAN=2>" + c.otherCell + "</TD>"), std::string::npos);
        EXPECT_EQ(line(page, 44), "<TR ALIGN=CENTER><TD>W</TD><TD>" + c.otherCell + "</TD></TR>");
    }
}

TEST(RosterPage, PlayerRowExample)
{
    RosterSheet sheet = newTeamSheet();
    setRow(sheet, SheetGrid::Players, 3,
           {"3", "Grim", "Blitzer", "7", "3", "3", "8", "Block", "", "0", "2", "0", "1", "0", "11", "90k"});
    EXPECT_EQ(
        line(buildRosterPage(sheet), 16),
        "<TR ALIGN=CENTER><TD>3</TD><TD ALIGN=LEFT>Grim</TD><TD ALIGN=LEFT>Blitzer</TD><TD>7</TD><TD>3</TD>"
        "<TD>3</TD><TD>8</TD><TD ALIGN=LEFT>Block</TD><TD>&nbsp</TD><TD>&nbsp</TD><TD>2</TD><TD>&nbsp</TD>"
        "<TD>1</TD><TD>&nbsp</TD><TD>11</TD><TD ALIGN=RIGHT>90k</TD></TR>");
}

TEST(RosterPage, TeamDetailsAndHeadingsComeFromTheirCells)
{
    RosterSheet sheet = newTeamSheet();
    sheet.setCell(SheetGrid::Details, 1, 0, "Night Owls");
    sheet.setCell(SheetGrid::Details, 1, 1, "Elf");
    sheet.setCell(SheetGrid::Details, 1, 4, "Mira");
    sheet.setCell(SheetGrid::Details, 0, 5, "ignored label");
    sheet.setCell(SheetGrid::Details, 1, 5, "1,020k");
    sheet.setCell(SheetGrid::Details, 0, 2, "");
    sheet.setCell(SheetGrid::Players, 3, 0, "Movement"); // the player heading row is fixed text
    const std::vector<std::string> page = buildRosterPage(sheet);

    EXPECT_EQ(line(page, 5),
              R"(<HTML><HEAD><META HTTP-EQUIV="Content-Type" CONTENT="text/html; charset=UTF-8">)"
              R"(<TITLE>Night Owls</TITLE></HEAD>)");
    EXPECT_EQ(line(page, 8), "<H1><B>Night Owls</B></H1>");
    EXPECT_EQ(line(page, 9), "Race: Elf<BR>");
    EXPECT_EQ(line(page, 10), "Coached By: Mira<BR></FONT>");
    EXPECT_NE(line(page, 13).find("<TH>ma</TH>"), std::string::npos);
    EXPECT_TRUE(line(page, 33).starts_with(
        R"(<TR ALIGN=CENTER><TD ALIGN=RIGHT BGCOLOR="#D0D0A0" COLSPAN=2></TD><TD COLSPAN=5>0</TD>)"));
    EXPECT_EQ(line(page, 37), R"(<TR ALIGN=CENTER><TD ALIGN=RIGHT BGCOLOR="#D0D0A0" COLSPAN=8>)"
                              R"(TOTAL COST OF TEAM:</TD><TD ALIGN=RIGHT>1,020k</TD></TR>)");
}

TEST(RosterPage, MatchRows)
{
    RosterSheet sheet = newTeamSheet();
    emptyGrid(sheet, SheetGrid::Matches, 3, 6);
    setRow(sheet, SheetGrid::Matches, 0, {"Result", "", "Score"});
    setRow(sheet, SheetGrid::Matches, 1, {"W", "Orcs", "2-1"});
    setRow(sheet, SheetGrid::Matches, 3, {"", "", "Rain"}); // rows 2, 4 and 5 stay empty
    const std::vector<std::string> page = buildRosterPage(sheet);

    ASSERT_EQ(page.size(), 46u);
    EXPECT_EQ(line(page, 43),
              R"(<TR BGCOLOR="#D0D0A0" ALIGN=CENTER><TH>Result</TH><TH></TH><TH>Score</TH></TR>)");
    EXPECT_EQ(line(page, 44), "<TR ALIGN=CENTER><TD>W</TD><TD>Orcs</TD><TD>2-1</TD></TR>");
    EXPECT_EQ(line(page, 45), "<TR ALIGN=CENTER><TD>&nbsp</TD><TD>&nbsp</TD><TD>Rain</TD></TR>");
    EXPECT_EQ(line(page, 46), "</TABLE></BODY></HTML>");
}

TEST(RosterPage, ColoursAndFacesAsChosen)
{
    RosterSheet sheet = newTeamSheet();
    sheet.setColor(SheetColor::Window, 0x123456);
    sheet.setColor(SheetColor::Table, 0x0000FF);
    sheet.setColor(SheetColor::Headings, 0xFF0000);
    sheet.setFont(SheetFont::Table, "Times New Roman", 0x00FF00);
    sheet.setFont(SheetFont::Heading, "Arial", 0x800000);
    const std::vector<std::string> page = buildRosterPage(sheet);

    EXPECT_EQ(line(page, 6), R"(<BODY BGCOLOR="#563412" TEXT="#00FF00" LINK="#00FF00" VLINK="#00FF00">)");
    EXPECT_EQ(line(page, 7), R"(<CENTER><FONT FACE="Arial" SIZE=4 COLOR="#000080">)");
    EXPECT_EQ(line(page, 39), line(page, 7));
    EXPECT_EQ(line(page, 11),
              R"(<TABLE BORDER=1 BGCOLOR="#FF0000" BORDERCOLORLIGHT="#FF4040" BORDERCOLORDARK="#BF0000">)");
    EXPECT_EQ(line(page, 41), line(page, 11));
    EXPECT_EQ(line(page, 12), R"(<FONT FACE="Times New Roman">)");
    EXPECT_EQ(line(page, 42), line(page, 12));
    EXPECT_TRUE(line(page, 13).starts_with(R"(<TR BGCOLOR="#0000FF"><TH>#</TH>)"));
    EXPECT_TRUE(
        line(page, 31).starts_with(R"(<TR ALIGN=CENTER><TD ALIGN=RIGHT BGCOLOR="#0000FF" COLSPAN=2>)"));
    EXPECT_TRUE(line(page, 43).starts_with(R"(<TR BGCOLOR="#0000FF" ALIGN=CENTER><TH>)"));
}

TEST(RosterPage, TextPassesThroughUnescapedAndRepeatable)
{
    RosterSheet sheet = newTeamSheet();
    sheet.setCell(SheetGrid::Players, 7, 1, R"(<B>Block</B> & "Dodge")");
    const std::vector<std::string> first = buildRosterPage(sheet);

    EXPECT_NE(line(first, 14).find(R"(<TD ALIGN=LEFT><B>Block</B> & "Dodge"</TD>)"), std::string::npos);
    EXPECT_EQ(buildRosterPage(sheet), first);
}

TEST(RosterPage, LineBreaksInCellsBecomeBlanks)
{
    RosterSheet sheet = newTeamSheet();
    sheet.setCell(SheetGrid::Details, 1, 0, "Night\r\nOwls");
    sheet.setCell(SheetGrid::Players, 7, 1, "Block\nDodge");
    sheet.setCell(SheetGrid::Matches, 7, 1, "Rain\r");
    const std::vector<std::string> page = buildRosterPage(sheet);

    ASSERT_EQ(page.size(), 45u);
    EXPECT_EQ(line(page, 8), "<H1><B>Night  Owls</B></H1>");
    EXPECT_NE(line(page, 14).find("<TD ALIGN=LEFT>Block Dodge</TD>"), std::string::npos);
    EXPECT_NE(line(page, 44).find("<TD>Rain </TD>"), std::string::npos);
}

// Texts are written in the encoding the page was read with; a page whose
// texts Latin-1 cannot hold, or whose Latin-1 bytes would read back as UTF-8,
// is written as UTF-8 so nothing is lost.
struct EncodingCase
{
    TextEncoding encoding;
    QString name;
    std::string expectedTitle;
    std::string expectedCharset; // what the head line names, and so how a browser takes the bytes
};

TEST(RosterPage, Encodings)
{
    const std::vector<EncodingCase> cases = {
        {TextEncoding::Utf8, QString::fromUtf8("Caf\xc3\xa9"), "Caf\xc3\xa9", "UTF-8"},
        {TextEncoding::Latin1, QString::fromUtf8("Caf\xc3\xa9"), "Caf\xe9", "ISO-8859-1"},
        {TextEncoding::Latin1, QString::fromUtf8("Caf\xc3\xa9 \xce\xa9"), "Caf\xc3\xa9 \xce\xa9", "UTF-8"},
        {TextEncoding::Latin1, QString::fromLatin1("\xc3\xa9"), "\xc3\x83\xc2\xa9", "UTF-8"},
        {TextEncoding::Latin1, "Plain", "Plain", "UTF-8"},
        {TextEncoding::Utf8, "Two\nLines", "Two Lines", "UTF-8"},
    };
    for (const EncodingCase& c : cases) {
        SCOPED_TRACE(c.name.toStdString());
        RosterSheet sheet = newTeamSheet();
        sheet.setEncoding(c.encoding);
        sheet.setCell(SheetGrid::Details, 1, 0, c.name);
        const std::vector<std::string> page = buildRosterPage(sheet);
        EXPECT_EQ(line(page, 8), "<H1><B>" + c.expectedTitle + "</B></H1>");
        EXPECT_EQ(line(page, 5),
                  "<HTML><HEAD><META HTTP-EQUIV=\"Content-Type\" CONTENT=\"text/html; charset=" +
                      c.expectedCharset + "\"><TITLE>" + c.expectedTitle + "</TITLE></HEAD>");
    }
}

} // namespace
