#include "ViewTestSupport.h"

#include "Controls.h"

#include "StringGrid.h"

#include <QAbstractScrollArea>
#include <QAction>
#include <QCoreApplication>
#include <QDir>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QScrollBar>

namespace {

using TeamDisplayTest = ViewTest;

QStringList column(const StringGrid* grid, int col)
{
    QStringList texts;
    for (int row = 0; row < grid->rowCount(); ++row)
        texts << grid->cell(col, row);
    return texts;
}

QStringList row(const StringGrid* grid, int rowIndex)
{
    QStringList texts;
    for (int col = 0; col < grid->colCount(); ++col)
        texts << grid->cell(col, rowIndex);
    return texts;
}

TTeam fullTeam()
{
    TTeam team = newTeam();
    team.TeamName = "Grimstone Grinders";
    team.Race = "Dwarf";
    team.Coach = "Ada";
    team.TeamRating = 130;
    team.Treasury = "40k";
    team.TeamCost = "1,170k";
    team.ReRolls = 3;
    team.ReRollCostText = "120k";
    team.FanFactor = 5;
    team.AssistantCoaches = 2;
    team.Cheerleaders = 1;
    team.CheerleaderCostText = "15k";
    team.HasApothecary = true;
    team.HasWizard = true;
    for (int slot = 1; slot <= PlayerSlotCount; ++slot) {
        TPlayer& player = team.Players[slot];
        player.PlayerName = "Player " + std::to_string(slot);
        player.Position = "Blitzer";
        player.MA = 5;
        player.ST = 3;
        player.AG = 3;
        player.AV = 9;
        player.Skills = "Block";
        player.Touchdowns = slot;
        player.SPP = 3 * slot;
        player.PlayerCost = "80k";
    }
    return team;
}

TEST_F(TeamDisplayTest, StartsEmptyWithGridsHiddenAndSavingDisabled)
{
    // No roster yet: the program's name alone, without a modified mark.
    EXPECT_EQ(m_view->windowTitle(), "Team Editor");
    EXPECT_EQ(control<QLabel>(m_view.get(), "LbTName")->text(), "");
    for (StringGrid* grid :
         {control<StringGrid>(m_view.get(), "TeamGrid"), control<StringGrid>(m_view.get(), "TeamGrid2"),
          control<StringGrid>(m_view.get(), "TeamGrid3"), control<StringGrid>(m_view.get(), "GameGrid")})
        EXPECT_TRUE(grid->isHidden());
    EXPECT_FALSE(control<QAction>(m_view.get(), "Save1")->isEnabled());
    EXPECT_FALSE(control<QAction>(m_view.get(), "Save2")->isEnabled());
    EXPECT_EQ(m_view->windowColor(), 0xFFFFFFu);
    EXPECT_EQ(m_view->tableFontColor(), 0x80000008u);
    EXPECT_EQ(m_view->tableFont().family(), "MS Sans Serif");

    QStringList menus;
    for (QAction* menu : m_view->menuBar()->actions()) {
        QStringList items{menu->text()};
        for (QAction* item : menu->menu()->actions())
            items << (item->isSeparator() ? QStringLiteral("-") : item->text());
        menus << items.join('|');
    }
    EXPECT_EQ(menus,
              QStringList(
                  {"&File|&New|&Open...|Open &Recent|&Import...|&Save|Save &As...|-|&Print...|Print "
                   "Pre&view|Print in &Black and White|Print &with Findings|Export P&DF...|Export Players as "
                   "&CSV...|-|E&xit",
                   "&Edit|&Undo|&Redo|-|Cu&t|&Copy|&Paste|&Delete|-|Select &All|-|&Find...|Find &Next",
                   "&Colors|&Background|&Table|Table &Headings", "Fo&nts|&Heading|&Table",
                   "&Team|&Update Cost of Team|-|&Insert Player Above|&Remove Player|Move Player U&p|Move "
                   "Player &Down|-|&League Rules...|N&o League Rules|Show &Findings|Update &Team Rating|-|&Hire Player...|Fir&e Player|Add S&kill...",
                   "&Help|&Keyboard Shortcuts|&About Team Editor"}));
}

TEST_F(TeamDisplayTest, StartDirectoryStaysWhenTheWorkingDirectoryMoves)
{
    EXPECT_EQ(m_view->startDirectory(), QDir::toNativeSeparators(m_folder.path()));
    QDir::setCurrent(QDir::tempPath());
    EXPECT_EQ(m_view->startDirectory(), QDir::toNativeSeparators(m_folder.path()));
}

TEST_F(TeamDisplayTest, FreshRecordShowsLabelsZeroCountsAndNumberedSlots)
{
    m_view->ShowTeam(TTeam{});

    EXPECT_EQ(column(control<StringGrid>(m_view.get(), "TeamGrid2"), 0),
              QStringList({"Team Name:", "Race:", "Team Rating:", "Treasury:", "Coach:", "Cost of Team:"}));
    EXPECT_EQ(column(control<StringGrid>(m_view.get(), "TeamGrid2"), 1),
              QStringList({"", "", "0", "", "", ""}));
    EXPECT_EQ(column(control<StringGrid>(m_view.get(), "TeamGrid3"), 0),
              QStringList({"Re-Rolls:", "Fan Factor:", "Assistant Coaches:", "Cheerleaders:", "Apothecary:",
                           "Team Wizard:"}));
    EXPECT_EQ(column(control<StringGrid>(m_view.get(), "TeamGrid3"), 1),
              QStringList({"0", "0", "0", "0", "0", "0"}));
    EXPECT_EQ(column(control<StringGrid>(m_view.get(), "TeamGrid3"), 2),
              QStringList({"", "", "", "", "", ""}));
    EXPECT_EQ(column(control<StringGrid>(m_view.get(), "TeamGrid3"), 3),
              QStringList({"", "", "", "", "", ""}));
    EXPECT_EQ(row(control<StringGrid>(m_view.get(), "TeamGrid"), 0),
              QStringList({"#", "Player Name", "Position", "MA", "ST", "AG", "AV", "Skills", "inj", "cmp",
                           "td", "int", "cas", "mvp", "spp", "Cost"}));
    for (int slot = 1; slot <= 16; ++slot) {
        QStringList expected(16, QString());
        expected[0] = QString::number(slot);
        EXPECT_EQ(row(control<StringGrid>(m_view.get(), "TeamGrid"), slot), expected) << "slot " << slot;
    }
    EXPECT_EQ(m_view->windowColor(), 0u);
    EXPECT_EQ(control<StringGrid>(m_view.get(), "TeamGrid")->color(), 0u);
    EXPECT_EQ(control<StringGrid>(m_view.get(), "GameGrid")->fixedColor(), 0u);
    EXPECT_EQ(m_view->tableFontColor(), 0u);
    // An empty face name keeps the face the window had.
    EXPECT_EQ(m_view->tableFont().family(), "MS Sans Serif");
}

TEST_F(TeamDisplayTest, FullTeamFillsEveryGridAndDerivesMissingCosts)
{
    const TTeam team = fullTeam();
    m_view->ShowTeam(team);

    EXPECT_EQ(control<QLabel>(m_view.get(), "LbTName")->text(), "Grimstone Grinders");
    EXPECT_EQ(column(control<StringGrid>(m_view.get(), "TeamGrid2"), 1),
              QStringList({"Grimstone Grinders", "Dwarf", "130", "40k", "Ada", "1,170k"}));
    EXPECT_EQ(column(control<StringGrid>(m_view.get(), "TeamGrid3"), 1),
              QStringList({"3", "5", "2", "1", "1", "1"}));
    EXPECT_EQ(column(control<StringGrid>(m_view.get(), "TeamGrid3"), 2),
              QStringList({"x $50k =", "x $10k =", "x $10k =", "x $10k =", "x $50k =", "x $150k ="}));
    // Re-rolls never derive a cost; a given cost text wins over the count.
    EXPECT_EQ(column(control<StringGrid>(m_view.get(), "TeamGrid3"), 3),
              QStringList({"120k", "50k", "20k", "15k", "50k", "150k"}));
    EXPECT_EQ(row(control<StringGrid>(m_view.get(), "TeamGrid"), 7),
              QStringList({"7", "Player 7", "Blitzer", "5", "3", "3", "9", "Block", "", "0", "7", "0", "0",
                           "0", "21", "80k"}));
    EXPECT_EQ(CurrentTeam, TTeam{}) << "ShowTeam never changes the current team";

    m_view->ShowTeam(team);
    EXPECT_EQ(row(control<StringGrid>(m_view.get(), "TeamGrid"), 16).at(14), "48")
        << "showing twice shows the same";
}

TEST_F(TeamDisplayTest, CostCellsFollowCountsAndFlags)
{
    struct Case
    {
        std::int32_t fanFactor;
        std::string costText;
        bool wizard;
        QString fanCell, fanCost, wizardCell, wizardCost;
    };
    const Case cases[] = {
        {5, "", false, "5", "50k", "0", ""},
        {5, "45k", false, "5", "45k", "0", ""},
        {0, "", true, "0", "", "1", "150k"},
        {-1, "", false, "-1", "", "0", ""},
        // Ten thousand a head stays right beyond 32 bits.
        {300000000, "", false, "300000000", "3000000000k", "0", ""},
        {2147483647, "", false, "2147483647", "21474836470k", "0", ""},
    };
    m_view->ShowTeam(fullTeam()); // leaves a fan factor cost behind
    for (const Case& c : cases) {
        TTeam team = newTeam();
        team.FanFactor = c.fanFactor;
        team.FanFactorCostText = c.costText;
        team.HasWizard = c.wizard;
        m_view->ShowTeam(team);
        EXPECT_EQ(control<StringGrid>(m_view.get(), "TeamGrid3")->cell(1, 1), c.fanCell);
        EXPECT_EQ(control<StringGrid>(m_view.get(), "TeamGrid3")->cell(3, 1), c.fanCost)
            << "fan factor " << c.fanFactor;
        EXPECT_EQ(control<StringGrid>(m_view.get(), "TeamGrid3")->cell(1, 5), c.wizardCell);
        EXPECT_EQ(control<StringGrid>(m_view.get(), "TeamGrid3")->cell(3, 5), c.wizardCost);
    }
}

TEST_F(TeamDisplayTest, EmptySlotsShowTextsButNoNumbers)
{
    TTeam team = newTeam();
    team.Players[2].PlayerName = "Reserve";
    team.Players[2].ST = 3;
    team.Players[2].PlayerCost = "60k";
    team.Players[3].MA = 4;
    m_view->ShowTeam(team);
    EXPECT_EQ(row(control<StringGrid>(m_view.get(), "TeamGrid"), 2),
              QStringList({"2", "Reserve", "", "", "", "", "", "", "", "", "", "", "", "", "", "60k"}));
    EXPECT_EQ(row(control<StringGrid>(m_view.get(), "TeamGrid"), 3),
              QStringList({"3", "", "", "4", "0", "0", "0", "", "", "0", "0", "0", "0", "0", "0", ""}));
}

TEST_F(TeamDisplayTest, FacesAndColoursComeFromTheRecordButSizeAndStyleStay)
{
    QFont bigTable = m_view->tableFont();
    bigTable.setPixelSize(20);
    bigTable.setItalic(true);
    m_choosers->fontAnswer = FontChoice{bigTable, 0x0000FF};
    m_view->Table2Click();

    TTeam team = newTeam();
    team.TableFontName = std::string(40, 'F');
    team.HeadingFontName = "Times";
    team.TableFontColor = 0x00FF00;
    team.HeadingFontColor = 0x123456;
    team.BackgroundColor = 0x0000FF;
    m_view->ShowTeam(team);

    EXPECT_EQ(m_view->tableFont().family(), QString(31, 'F'));
    EXPECT_EQ(m_view->tableFont().pixelSize(), 20);
    EXPECT_TRUE(m_view->tableFont().italic());
    EXPECT_EQ(m_view->tableFontColor(), 0x00FF00u);
    EXPECT_EQ(m_view->headingFont().family(), "Times");
    EXPECT_TRUE(m_view->headingFont().bold());
    EXPECT_EQ(m_view->headingFontColor(), 0x123456u);
    EXPECT_EQ(control<QLabel>(m_view.get(), "LbTName")->palette().color(QPalette::WindowText),
              QColor(0x56, 0x34, 0x12));
    EXPECT_EQ(m_view->windowColor(), 0x0000FFu);
}

TEST_F(TeamDisplayTest, LatinOnePageTextsAreDecodedForDisplay)
{
    TTeam team = newTeam();
    team.TeamName = "Les \xC9lus";
    m_view->setPageEncoding(TextEncoding::Latin1);
    m_view->ShowTeam(team);
    EXPECT_EQ(control<QLabel>(m_view.get(), "LbTName")->text(), QString::fromUtf8("Les \xC3\x89lus"));
}

TEST_F(TeamDisplayTest, NewTeamResetsRecordGridsAndLook)
{
    TTeam previous = fullTeam();
    previous.FanFactorCostText = "45k";
    CurrentTeam = previous;
    m_view->ShowTeam(previous);
    MatchRecord record;
    record.ColCount = 5;
    record.RowCount = 12;
    record.FixedRows = 1;
    record.Height = matchGridHeight(12);
    record.Cells.assign(12, std::vector<std::string>(5, "x"));
    m_view->applyMatchRecord(record, TextEncoding::Utf8);
    control<StringGrid>(m_view.get(), "GameGrid")->setColWidth(1, 100);
    m_choosers->colorAnswer = 0x00FF00;
    m_view->Table1Click();
    m_view->setPageEncoding(TextEncoding::Latin1);

    m_view->New1Click();
    m_view->New1Click();

    EXPECT_EQ(CurrentTeam, newTeam());
    EXPECT_TRUE(control<QAction>(m_view.get(), "Save1")->isEnabled());
    EXPECT_TRUE(control<QAction>(m_view.get(), "Save2")->isEnabled());
    for (StringGrid* grid :
         {control<StringGrid>(m_view.get(), "TeamGrid"), control<StringGrid>(m_view.get(), "TeamGrid2"),
          control<StringGrid>(m_view.get(), "TeamGrid3"), control<StringGrid>(m_view.get(), "GameGrid")}) {
        EXPECT_TRUE(grid->isVisible());
        EXPECT_EQ(grid->color(), 0xD0FFFFu);
        EXPECT_EQ(grid->fixedColor(), 0xA0D0D0u);
    }
    EXPECT_EQ(column(control<StringGrid>(m_view.get(), "TeamGrid3"), 3),
              QStringList({"", "", "", "", "", ""}));
    EXPECT_EQ(m_view->pageEncoding(), TextEncoding::Utf8);

    StringGrid* games = control<StringGrid>(m_view.get(), "GameGrid");
    EXPECT_EQ(games->colCount(), 8);
    EXPECT_EQ(games->rowCount(), 2);
    EXPECT_EQ(games->fixedRows(), 1);
    EXPECT_EQ(games->height(), 58);
    EXPECT_EQ(control<QLabel>(m_view.get(), "Label1")->y(), games->y() + 58);
    EXPECT_EQ(row(games, 0), QStringList({"Result", "Opponent", "Race", "Score", "Cas", "Gate", "Winnings",
                                          "Notes & Highlights"}));
    EXPECT_EQ(row(games, 1), QStringList(8, QString()));
    EXPECT_EQ(games->colWidth(1), 100) << "a kept column keeps its width";
    for (int col = 5; col < 8; ++col)
        EXPECT_EQ(games->colWidth(col), 80) << "a new column";
}

TEST_F(TeamDisplayTest, MatchRecordOfAReadFillsTheGameGrid)
{
    m_view->New1Click();
    MatchRecord record;
    record.ColCount = 3;
    record.RowCount = 4;
    record.FixedRows = 1;
    record.Height = 100;
    record.Cells = {
        {"Result", "Opponent", "Score"}, {"W", "", "Orcs"}, {"L", "\xC9lus", "1-2"}, {"", "", ""}};
    m_view->applyMatchRecord(record, TextEncoding::Latin1);

    StringGrid* games = control<StringGrid>(m_view.get(), "GameGrid");
    EXPECT_EQ(games->colCount(), 3);
    EXPECT_EQ(games->rowCount(), 4);
    EXPECT_EQ(games->fixedRows(), 1);
    EXPECT_EQ(row(games, 2), QStringList({"L", QString::fromUtf8("\xC3\x89lus"), "1-2"}));
    EXPECT_EQ(games->height(), 100);
    EXPECT_EQ(control<QLabel>(m_view.get(), "Label1")->y(), games->y() + 100);

    // A record storing short rows shows the rest as empty, whatever the grid
    // showed there before.
    MatchRecord shortRows = record;
    shortRows.Cells = {{"Result", "Opponent", "Score"}, {"D"}, {}, {"", "x"}};
    m_view->applyMatchRecord(shortRows, TextEncoding::Latin1);
    EXPECT_EQ(row(games, 1), QStringList({"D", "", ""}));
    EXPECT_EQ(row(games, 2), QStringList(3, QString()));
    EXPECT_EQ(row(games, 3), QStringList({"", "x", ""}));

    // A page without a match record gives no height: the grid keeps its own.
    MatchRecord reset;
    reset.ColCount = 8;
    reset.RowCount = 2;
    reset.FixedRows = 1;
    reset.Cells.assign(2, std::vector<std::string>(8));
    m_view->applyMatchRecord(reset, TextEncoding::Utf8);
    EXPECT_EQ(games->rowCount(), 2);
    EXPECT_EQ(row(games, 1), QStringList(8, QString()));
    EXPECT_EQ(games->height(), 100);
}

TEST_F(TeamDisplayTest, OpenEnablesSavingAndShowsTheDialogWithoutBlocking)
{
    m_view->Open1Click();
    EXPECT_TRUE(control<QAction>(m_view.get(), "Save1")->isEnabled());
    EXPECT_TRUE(control<QAction>(m_view.get(), "Save2")->isEnabled());
    EXPECT_TRUE(m_dialog->isVisible());
    EXPECT_TRUE(control<StringGrid>(m_view.get(), "TeamGrid")->isHidden());
    m_dialog->close();
    EXPECT_TRUE(control<QAction>(m_view.get(), "Save2")->isEnabled());
}

TEST_F(TeamDisplayTest, ClientAreaScrollsAsFarAsTheLabelBelowTheMatchGrid)
{
    m_view->New1Click();
    auto* area = qobject_cast<QAbstractScrollArea*>(m_view->centralWidget());
    ASSERT_NE(area, nullptr);
    QCoreApplication::sendPostedEvents();
    const int reach = control<QLabel>(m_view.get(), "Label1")->geometry().bottom() + 1;
    EXPECT_EQ(area->verticalScrollBar()->maximum(), reach - area->viewport()->height());

    m_view->exit1Click();
    EXPECT_FALSE(m_view->isVisible());
}

} // namespace
