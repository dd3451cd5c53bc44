#include "Errors.h"
#include "LineCleanup.h"
#include "ReadPage.h"

#include <gtest/gtest.h>

#include <filesystem>

namespace {

// A record and match record that no read would produce, to see that a failed
// read leaves them alone.
ReadResult untouched()
{
    ReadResult before;
    before.team = newTeam();
    before.team.TeamName = "Kept";
    before.team.Players[3].MA = 7;
    before.matchRecord.ColCount = 3;
    before.matchRecord.RowCount = 1;
    before.matchRecord.Cells = {{"a", "b", "c"}};
    return before;
}

} // namespace

TEST(NotARosterPage, PagesThatGiveNothingFailAndLeaveTheCallersRecords)
{
    const std::string png("\x89PNG\r\n\x1a\n\0\0\0\rIHDR\0\0\0\x10\0\0\0\x10\x08\x06\0\0\0\x1f\xf3\xff"
                          "a",
                          33);
    const std::string pages[] = {
        "",
        png,
        "Shopping list\nmilk\neggs\n",
        "<HTML><HEAD><TITLE></TITLE></HEAD>\n<BODY><P>Nothing here</P></BODY></HTML>",
        "<html><body><table><tr><td>1</td><td>2</td></tr></table></body></html>",
        // Labels without values and a colour that equals the start value.
        "<h4>Coached by:</h4>\n<td>Apothecary:</td>\n<BODY BGCOLOR=white>\n",
        // A title and a look are what any web page has.
        "<html><head><title></title></head><body><p>Nothing here.</p></body></html>",
        "<TITLE>Orcs</TITLE>",
        "<BODY BGCOLOR=\"#000000\">",
    };
    for (const std::string& page : pages) {
        ReadResult result = untouched();
        try {
            readRosterPage(splitPageBytes(page), result.team, result.matchRecord);
            ADD_FAILURE() << "read: " << page;
        } catch (const ENotRosterPage& error) {
            EXPECT_STREQ(error.what(), "Not a roster page");
        }
        EXPECT_EQ(result.team, untouched().team) << page;
        EXPECT_EQ(result.matchRecord, untouched().matchRecord) << page;
    }
}

// A page with a name, all three page colours, both font colours and both
// faces is still refused; any one field of a roster beside them makes it read.
TEST(NotARosterPage, ATitleAndALookAloneAreNoRosterButAnyFieldBesideThemIs)
{
    const std::string look = "<HTML><HEAD><TITLE>Orcs of the North</TITLE></HEAD>\n"
                             "<BODY BGCOLOR=\"#102030\" TEXT=\"#405060\">\n"
                             "<CENTER><FONT FACE=\"Georgia\" SIZE=4 COLOR=\"#708090\">\n"
                             "<TABLE BORDER=1 BGCOLOR=\"#A0B0C0\">\n"
                             "<FONT FACE=\"Verdana\">\n"
                             "<TR BGCOLOR=\"#D0E0F0\"><TD>Welcome</TD></TR>\n";
    TTeam team;
    MatchRecord record;
    EXPECT_THROW(readRosterPage(splitPageBytes(look), team, record), ENotRosterPage);
    const std::string fields[] = {
        "Coached By: Grim<BR></FONT>",
        "Race: Orc<BR>",
        "<TR><TD>Re-Rolls:</TD><TD>0</TD></TR>",
        "<TR><TD>Fan Factor:</TD><TD>0</TD></TR>",
        "<TR><TD>Team Rating:</TD><TD>0</TD></TR>",
        "<TR><TD>Treasury:</TD><TD>0</TD></TR>",
        "<TR><TD>Cheerleaders:</TD><TD>1</TD></TR>",
        "<TR><TD>Apothecary:</TD><TD>yes</TD></TR>",
        "<TR><TD>Team Wizard:</TD><TD>1</TD></TR>",
        "<TR><TD>TOTAL COST OF TEAM:</TD><TD>0</TD></TR>",
        "<P>Match Record<P>",
    };
    for (const std::string& field : fields) {
        EXPECT_NO_THROW(readRosterPage(splitPageBytes(look + field + "\n"), team, record)) << field;
        EXPECT_EQ(team.TeamName, "Orcs of the North") << field;
    }
}

TEST(NotARosterPage, AnythingAtAllStillReads)
{
    const std::pair<std::string, std::string> pages[] = {
        {"<P>Match Record</P>", "a match record heading without rows"},
        {"<TD>Treasury:</TD><TD>0</TD>", "a treasury of nothing"},
        {"<TD>Team Rating:</TD><TD>-1</TD><TD>Cheerleaders:</TD><TD>0</TD><TD>x</TD><TD>0k</TD>",
         "a cost text"},
    };
    for (const auto& [page, what] : pages) {
        TTeam team;
        MatchRecord record;
        EXPECT_NO_THROW(readRosterPage(splitPageBytes(page), team, record)) << what;
    }
}

TEST(NotARosterPage, ConversionErrorsComeFirst)
{
    TTeam team;
    MatchRecord record;
    EXPECT_THROW(readRosterPage(splitPageBytes("<TD>Team Rating:</TD><TD>12O</TD>"), team, record),
                 EConvertError);
}

TEST(NamedColours, TheSixteenHtmlNamesInAnyCase)
{
    const std::pair<std::string, TColor> cases[] = {
        {"black", 0x000000},  {"SILVER", 0xC0C0C0}, {"Gray", 0x808080},   {"white", 0xFFFFFF},
        {"maroon", 0x000080}, {"Red", 0x0000FF},    {"purple", 0x800080}, {"fuchsia", 0xFF00FF},
        {"Green", 0x008000},  {"lime", 0x00FF00},   {"olive", 0x008080},  {"yellow", 0x00FFFF},
        {"navy", 0x800000},   {"blue", 0xFF0000},   {"TEAL", 0x808000},   {"aQuA", 0xFFFF00},
    };
    for (const auto& [name, colour] : cases) {
        EXPECT_EQ(readTeam({"<BODY BGCOLOR=\"" + name + "\">"}).BackgroundColor, colour) << name;
        EXPECT_EQ(readTeam({"<TABLE BGCOLOR=" + name + " BORDER=1>"}).TableColor, colour) << name;
    }
}

TEST(NamedColours, OtherTextKeepsTheHexadecimalReading)
{
    const std::pair<std::string, TColor> cases[] = {
        // "#" first: a hexadecimal text, even when it spells a name.
        {"\"#Green\"", static_cast<TColor>(HexToInt("neeGr"))},
        {"#00FF00", 0x00FF00},
        {"greenish", static_cast<TColor>(HexToInt("nieegr"))},
        {"\"Green \"", 0x008000},
    };
    for (const auto& [value, colour] : cases) {
        const std::string line = "<BODY TEXT=" + value + ">";
        EXPECT_EQ(readTeam({"<TITLE>x</TITLE>", line}).TableFontColor, colour) << value;
    }
}

TEST(NbspWithSemicolon, EmptyNamesReadAsEmpty)
{
    const TTeam team = readTeam({
        "<TR BGCOLOR=\"Red\"><TH>#</TH><TH>PLAYER'S NAME</TH><TH>POSITION</TH></TR>",
        "<TR><TD>1</TD><TD>&nbsp;</TD><TD>Storm Rats</TD><TD>7</TD><TD>3</TD><TD>3</TD><TD>8</TD>"
        "<TD>Block</TD><TD>&nbsp;</TD><TD>&nbsp;</TD><TD>&nbsp;</TD><TD>&nbsp;</TD><TD>&nbsp;</TD>"
        "<TD>&nbsp;</TD><TD>0</TD><TD>90 kgp</TD></TR>",
    });
    EXPECT_EQ(team.Players[1].PlayerName, "");
    EXPECT_EQ(team.Players[1].Position, "Storm Rats");
    EXPECT_EQ(team.Players[1].MA, 7);
    EXPECT_EQ(team.Players[1].Injuries, "");
    EXPECT_EQ(team.Players[1].PlayerCost, "90 kgp");
    EXPECT_EQ(team.HeadingsColor, 0x0000FFu);
}

// The real pages of other tools, read by the keyword reader after the mends.
TEST(NbspWithSemicolon, RealPagesLoseNoSemicolonsAndKeepTheirNamedColours)
{
    const std::filesystem::path corpus = TE_SOURCE_DIR "/../shared/corpus/real";
    if (!std::filesystem::is_directory(corpus))
        GTEST_SKIP() << "no corpus at " << corpus;

    const auto readCorpusPage = [&](const char* name) {
        ReadResult result;
        readRosterPage(loadPageFile((corpus / name).string()), result.team, result.matchRecord);
        return result;
    };
    const ReadResult split = readCorpusPage("creator-tool-split-staff-rows.htm");
    for (const TPlayer& player : split.team.Players)
        EXPECT_EQ(player.PlayerName, "");
    EXPECT_EQ(split.team.Players[12].Position, "Lineman");
    EXPECT_EQ(split.team.BackgroundColor, 0x008000u);
    EXPECT_EQ(split.team.TableFontColor, 0xFFFFFFu);
    EXPECT_EQ(split.team.HeadingsColor, 0x0000FFu);

    const ReadResult upper = readCorpusPage("creator-tool-upper-case.htm");
    EXPECT_EQ(upper.team.BackgroundColor, 0xFFFFFFu);
    EXPECT_EQ(upper.team.TableFontColor, 0u);
    EXPECT_EQ(upper.team.HeadingsColor, 0xC0C0C0u);

    // The fragment gives one field: the "Yes" of a hidden drop-down list after
    // the word apothecary. That is something, so the page still reads.
    const ReadResult fragment = readCorpusPage("web-app-fragment.htm");
    TTeam expected = readerStartTeam();
    expected.HasApothecary = true;
    EXPECT_EQ(fragment.team, expected);
}
