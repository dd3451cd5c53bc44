#include "ReadPage.h"

#include <gtest/gtest.h>

TEST(PageLook, ColoursFromBodyTableAndRowTags)
{
    struct Case
    {
        std::string line;
        TColor TTeam::*field;
        TColor colour;
    };
    const Case cases[] = {
        {"<BODY BGCOLOR=\"#FF0000\">", &TTeam::BackgroundColor, 255},
        {"<BODY BGCOLOR=#00FF00>", &TTeam::BackgroundColor, 65280},
        {"<BODY BGCOLOR=\"#0000FF\" TEXT=\"#000080\">", &TTeam::BackgroundColor, 16711680},
        {"<BODY BGCOLOR=\"#0000FF\" TEXT=\"#000080\">", &TTeam::TableFontColor, 0x800000},
        {"<tr bgcolor=#d0d0a0>", &TTeam::HeadingsColor, 10539216},
        {"<TABLE BORDER=1 BGCOLOR=\"#FFFFD0\">", &TTeam::TableColor, 0xD0FFFF},
        // A name that is no HTML 4 colour keeps the hexadecimal reading.
        {"<BODY BGCOLOR=whitesmoke>", &TTeam::BackgroundColor, 0xDEEEEF},
        {"<BODY BGCOLOR=\"#FFF\">", &TTeam::BackgroundColor, 4095},
        // The first attribute of the line counts, whichever tag holds it.
        {"<TR><TD BGCOLOR=\"#112233\">", &TTeam::HeadingsColor, 0x332211},
        // Bad digits make the value negative; it is kept as its bit pattern.
        {"<BODY BGCOLOR=\"#GGGGGG\">", &TTeam::BackgroundColor, 0xFFEEEEEF},
        // An empty colour text leaves the start value.
        {"<BODY BGCOLOR=\"\">", &TTeam::BackgroundColor, 0xFFFFFF},
        {"<BODY BGCOLOR=\"#FF0000\"", &TTeam::BackgroundColor, 0xFFFFFF},
        {"<TABLE BGCOLOR=>", &TTeam::TableColor, 0xD0FFFF},
    };
    for (const Case& c : cases)
        EXPECT_EQ(readTeam({c.line}).*c.field, c.colour) << c.line;

    const TTeam rows = readTeam({"<TR BGCOLOR=#000001>", "<TR BGCOLOR=#000002>"});
    EXPECT_EQ(rows.HeadingsColor, 0x020000u);
}

TEST(PageLook, TheFirstFontIsTheHeadingAndTheNextFaceTheTable)
{
    const TTeam team = readTeam({
        "<FONT FACE=\"Arial, Helvetica\" SIZE=4 COLOR=\"#000080\">",
        "<FONT SIZE=2>",
        "<FONT FACE=\"Times New Roman\">",
        "<FONT FACE=\"Courier\" COLOR=\"#FF0000\">",
    });
    EXPECT_EQ(team.HeadingFontName, "Arial");
    EXPECT_EQ(team.HeadingFontColor, 0x800000u);
    EXPECT_EQ(team.TableFontName, "Times New Roman");
}

TEST(PageLook, FaceValues)
{
    const std::pair<std::string, std::string> cases[] = {
        {"<FONT FACE=Arial SIZE=2>", "Arial SIZE=2"},
        {"<FONT FACE=\"Arial\"", ""},
        {"<FONT FACE=\"Arial>", ""},
        {"<FONT FACE= Verdana ,Arial>", "Verdana"},
        {"<font face='Comic'>", "'Comic'"},
    };
    for (const auto& [line, face] : cases)
        EXPECT_EQ(readTeam({line}).HeadingFontName, face) << line;
}

TEST(PageLook, AColourOnlyFontStillMovesToTheTableFont)
{
    const TTeam team = readTeam({"<FONT COLOR=\"#00FF00\">", "<FONT FACE=\"Verdana\">"});
    EXPECT_EQ(team.HeadingFontName, "MS Sans Serif");
    EXPECT_EQ(team.HeadingFontColor, 65280u);
    EXPECT_EQ(team.TableFontName, "Verdana");

    // "COLOR=" is first found inside "BGCOLOR=".
    EXPECT_EQ(readTeam({"<FONT BGCOLOR=#0000FF COLOR=#FF0000>"}).HeadingFontColor, 0xFF0000u);
}
