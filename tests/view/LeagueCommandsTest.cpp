#include "Controls.h"
#include "ViewTestSupport.h"

#include "ActiveRules.h"
#include "PageFixtures.h"
#include "RosterFindings.h"
#include "RulesFile.h"
#include "StringGrid.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCompleter>
#include <QFile>
#include <QLineEdit>
#include <QStatusBar>
#include <QTest>

#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int NameCol = 1;
constexpr int PositionCol = 2;
constexpr int SkillsCol = 7;
constexpr int SppCol = 14;
constexpr int CostCol = 15;
constexpr int RaceRow = 1;
constexpr int TeamRatingRow = 2;
constexpr int TreasuryRow = 3;

LeagueRules exampleLeague()
{
    return readRulesFile(QStringLiteral(TE_SOURCE_DIR "/examples/example-league.json"));
}

// The example league where a skill adds 20k to a player's value and one
// taken on a double 30k.
LeagueRules leagueWithAdvanceValues()
{
    LeagueRules rules = exampleLeague();
    rules.advancement.values = {20'000, 30'000, 30'000, 50'000, 40'000, 30'000};
    return rules;
}

class LeagueCommandsTest : public ViewTest
{
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        const QString page = m_folder.filePath(QStringLiteral("team.htm"));
        ASSERT_TRUE(QFile::copy(samplePagePath(), page));
        m_view->openPage(page);
    }

    void loadRules(LeagueRules rules = exampleLeague())
    {
        m_view->leagueRules().load(std::move(rules), QStringLiteral("league.json"));
    }

    StringGrid* players() const { return control<StringGrid>(m_view.get(), "TeamGrid"); }
    StringGrid* details() const { return control<StringGrid>(m_view.get(), "TeamGrid2"); }
    QAction* action(const char* name) const { return control<QAction>(m_view.get(), name); }
    QString statusText() const { return m_view->statusBar()->currentMessage(); }
    QString detail(int row) const { return m_view->sheet().cell(SheetGrid::Details, 1, row); }
    QString costOfTeam() const
    {
        const SheetCellRef cell = sheetCellOf({MoneyCell::Kind::TeamCost, 0});
        return m_view->sheet().cell(cell.grid, cell.col, cell.row);
    }
    QStringList row(int slot) const
    {
        QStringList cells;
        for (int col = NameCol; col <= CostCol; ++col)
            cells.append(m_view->sheet().cell(SheetGrid::Players, col, slot));
        return cells;
    }
    std::vector<std::string> page()
    {
        m_view->buildPage();
        return m_view->pageBuffer();
    }

    // Opens the cell's in-place editor and types text into it key by key.
    QLineEdit* startTyping(StringGrid* grid, int col, int row, const QString& text)
    {
        grid->setFocus();
        grid->setCurrentCell(col, row);
        grid->edit(grid->model()->index(row, col));
        QLineEdit* editor = nullptr;
        for (QLineEdit* candidate : grid->findChildren<QLineEdit*>())
            if (candidate->isVisible())
                editor = candidate;
        if (!editor)
            return nullptr;
        editor->selectAll();
        QTest::keyClicks(editor, text);
        return editor;
    }
    // The entries the editor's picker shows for what was typed.
    static QStringList offered(QLineEdit* editor)
    {
        QStringList texts;
        if (QCompleter* completer = editor->completer()) {
            for (int i = 0; i < completer->completionModel()->rowCount(); ++i)
                texts.append(completer->completionModel()->index(i, 0).data().toString());
        }
        return texts;
    }
    // Picks the picker's entry at index with the keyboard, then leaves the cell with Return.
    static void pick(QLineEdit* editor, int index)
    {
        QAbstractItemView* popup = editor->completer()->popup();
        ASSERT_TRUE(popup->isVisible());
        popup->setCurrentIndex(editor->completer()->completionModel()->index(index, 0));
        QTest::keyClick(popup, Qt::Key_Return);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
    }
    // Types text into a cell and picks the first entry offered for it.
    void typeAndPick(StringGrid* grid, int col, int row, const QString& text)
    {
        QLineEdit* editor = startTyping(grid, col, row, text);
        ASSERT_NE(editor, nullptr);
        pick(editor, 0);
    }
};

TEST_F(LeagueCommandsTest, CommandsAndPickersComeAndGoWithTheRules)
{
    const auto check = [this](bool on, const char* when) {
        SCOPED_TRACE(when);
        for (const char* name : {"HirePlayer", "FirePlayer", "AddSkill"})
            EXPECT_EQ(action(name)->isEnabled(), on) << name;
        const struct
        {
            StringGrid* grid;
            int col;
            int row;
        } cells[] = {{details(), 1, RaceRow}, {players(), PositionCol, 11}, {players(), SkillsCol, 3}};
        for (const auto& cell : cells) {
            QLineEdit* editor = startTyping(cell.grid, cell.col, cell.row, QString());
            ASSERT_NE(editor, nullptr);
            EXPECT_EQ(editor->completer() != nullptr, on) << cell.col << "," << cell.row;
            QTest::keyClick(editor, Qt::Key_Escape);
        }
        // Cells without a picker never get one.
        QLineEdit* name = startTyping(players(), NameCol, 3, QString());
        ASSERT_NE(name, nullptr);
        EXPECT_EQ(name->completer(), nullptr);
        QTest::keyClick(name, Qt::Key_Escape);
    };
    check(false, "no rules");
    loadRules();
    check(true, "rules loaded");
    m_view->leagueRules().drop();
    check(false, "rules dropped");
}

TEST_F(LeagueCommandsTest, HiringFillsTheFirstEmptySlotAndMayPayFromTheTreasury)
{
    loadRules();
    struct Case
    {
        const char* name;
        QString treasury;
        QString position;
        bool pay;
        QStringList hired; // slot 11 from the name to the cost; empty when refused
        QString treasuryAfter;
        QString costOfTeam;
        QString status; // part of the status bar's message
    };
    const QStringList longbeard{"", "Longbeard", "4", "3", "2", "9",  "Block, Tackle, Thick Skull", "", "",
                                "", "",          "",  "",  "",  "70k"};
    const QStringList runner{"", "Runner", "6", "3", "3", "8",  "Sure Hands, Thick Skull", "", "",
                             "", "",       "",  "",  "",  "80k"};
    const Case cases[] = {
        {"paid", "100k", "Longbeard", true, longbeard, "30k", "1,240k", ""},
        {"paid to the last piece", "$80,000", "Runner", true, runner, "$0", "1,250k", ""},
        {"not paid", "40k", "Runner", false, runner, "40k", "1,250k", ""},
        {"too little money", "40k", "Runner", true, {}, "40k", "1,170k", "cannot pay 80k"},
        {"no amount", "lots", "Runner", true, {}, "lots", "1,170k", "not an amount"},
        {"blank treasury", "", "Runner", true, {}, "", "1,170k", "not an amount"},
        {"position at its limit", "100k", "Blitzer", false, {}, "100k", "1,170k", "at most 2 Blitzer"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_view->sheet().setCell(SheetGrid::Details, 1, TreasuryRow, c.treasury);
        const std::vector<std::string> before = page();
        const QStringList emptySlot = row(11);
        m_choosers->hireAnswer = c.position;
        m_choosers->payAnswer = c.pay;
        m_view->statusBar()->clearMessage();
        action("HirePlayer")->trigger();
        EXPECT_EQ(row(11), c.hired.isEmpty() ? emptySlot : c.hired);
        EXPECT_EQ(detail(TreasuryRow), c.treasuryAfter);
        EXPECT_EQ(costOfTeam(), c.costOfTeam);
        EXPECT_TRUE(statusText().contains(c.status)) << statusText().toStdString();
        if (c.hired.isEmpty()) {
            EXPECT_EQ(page(), before);
            continue;
        }
        // The new player's name is typed next.
        EXPECT_EQ(players()->currentCell(), QPoint(NameCol, 11));
        // One step takes back the player, the payment and Cost of Team.
        m_view->undo();
        EXPECT_EQ(page(), before);
    }
    // The dialog offers every position with how many more may be hired, and
    // presets paying as the last hire chose.
    ASSERT_FALSE(m_choosers->hireOffers.empty());
    EXPECT_EQ(
        m_choosers->hireOffers.back(),
        QStringList({"Longbeard, 70k, 11 of 16 left", "Runner, 80k, 1 of 2 left", "Blitzer, 80k, 0 of 2 left",
                     "Troll Slayer, 90k, 0 of 2 left", "Deathroller, 160k, 0 of 1 left"}));
    EXPECT_EQ(m_choosers->payPresets, (std::vector<bool>{false, true, true, false, true, true, true}));
}

TEST_F(LeagueCommandsTest, HiringRefusesWithoutAKnownRaceOrAFreeSlot)
{
    loadRules();
    m_choosers->hireAnswer = QStringLiteral("Longbeard");
    m_view->sheet().setCell(SheetGrid::Details, 1, RaceRow, QStringLiteral("Elf"));
    action("HirePlayer")->trigger();
    EXPECT_TRUE(statusText().contains("no race \"Elf\"")) << statusText().toStdString();

    m_view->sheet().setCell(SheetGrid::Details, 1, RaceRow, QStringLiteral("Dwarf"));
    for (int slot = 11; slot <= 16; ++slot)
        m_view->sheet().setCell(SheetGrid::Players, NameCol, slot, QStringLiteral("Reserve"));
    const std::vector<std::string> full = page();
    action("HirePlayer")->trigger();
    EXPECT_TRUE(statusText().contains("every slot holds a player")) << statusText().toStdString();
    EXPECT_EQ(page(), full);
    EXPECT_TRUE(m_choosers->hireOffers.empty());
}

TEST_F(LeagueCommandsTest, PositionPickerFillsARowWithoutAProfileOnly)
{
    loadRules();
    struct Case
    {
        const char* name;
        int slot;
        std::function<void()> before; // what the coach typed first
        QString offer;
        QStringList after; // the slot from the name to the cost
    };
    const QStringList sampleLongbeard = row(6);
    QStringList runnerOverLongbeard = sampleLongbeard;
    runnerOverLongbeard[1] = QStringLiteral("Runner");
    const Case cases[] = {
        {"empty slot",
         11,
         [] {},
         "Runner, 80k, 1 of 2 left",
         {"", "Runner", "6", "3", "3", "8", "Sure Hands, Thick Skull", "", "", "", "", "", "", "", "80k"}},
        {"named, with statistics",
         11,
         [this] {
             m_view->sheet().setCell(SheetGrid::Players, NameCol, 11, QStringLiteral("Fili"));
             m_view->sheet().setCell(SheetGrid::Players, SppCol, 11, QStringLiteral("3"));
         },
         "Runner, 80k, 1 of 2 left",
         {"Fili", "Runner", "6", "3", "3", "8", "Sure Hands, Thick Skull", "", "", "", "", "", "", "3",
          "80k"}},
        {"a player with a profile", 6, [] {}, "Runner, 80k, 1 of 2 left", runnerOverLongbeard},
        // The slot's own player is not counted.
        {"the Runner himself", 3, [] {}, "Runner, 80k, 2 of 2 left", row(3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        c.before();
        const std::vector<std::string> before = page();
        QLineEdit* editor = startTyping(players(), PositionCol, c.slot, QStringLiteral("ru"));
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(offered(editor), QStringList{c.offer});
        pick(editor, 0);
        EXPECT_EQ(row(c.slot), c.after);
        // The choice is one step, the typing before it another.
        m_view->undo();
        EXPECT_EQ(m_view->sheet().cell(SheetGrid::Players, PositionCol, c.slot), "ru");
        m_view->undo();
        EXPECT_EQ(page(), before);
    }
    // A position the rules do not know stays as typed, and fills nothing.
    typeInto(players(), PositionCol, 11, QStringLiteral("Ogre"));
    EXPECT_EQ(row(11), QStringList({"Fili", "Ogre", "", "", "", "", "", "", "", "", "", "", "", "3", ""}));
}

TEST_F(LeagueCommandsTest, RaceAndSkillPickersCompleteTheirCell)
{
    loadRules();
    struct Case
    {
        StringGrid* grid;
        int col;
        int row;
        QString typed;
        QStringList offered;
        QString after;
    };
    const Case cases[] = {
        {details(), 1, RaceRow, "dw", {"Dwarf"}, "Dwarf"},
        {players(),
         SkillsCol,
         6,
         "Block, Tackle, Thick Skull, g",
         {"Guard"},
         "Block, Tackle, Thick Skull, Guard"},
        {players(),
         SkillsCol,
         11,
         "s",
         {"Sure Hands", "Stand Firm", "Sprint", "Safe Throw", "Secret Weapon"},
         "Sure Hands"},
        {players(), SkillsCol, 11, "Dodge;bl", {"Block"}, "Dodge; Block"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        QLineEdit* editor = startTyping(c.grid, c.col, c.row, c.typed);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(offered(editor), c.offered);
        pick(editor, 0);
        EXPECT_EQ(m_view->sheet().cell(c.grid->sheetGrid(), c.col, c.row), c.after);
    }
}

TEST_F(LeagueCommandsTest, AddSkillOffersTheOpenSkillsAndRaisesTheCostByTheAdvance)
{
    struct Case
    {
        const char* name;
        LeagueRules rules;
        int slot;
        QString skill;
        QString skillsAfter; // empty when refused
        QString costAfter;
        QString costOfTeamAfter;
    };
    const Case cases[] = {
        {"double", leagueWithAdvanceValues(), 3, "Dodge", "Sure Hands, Thick Skull, Dodge", "110k", "1,200k"},
        {"normal", leagueWithAdvanceValues(), 6, "Kick", "Block, Tackle, Thick Skull, Kick", "90k", "1,190k"},
        {"no advance values", exampleLeague(), 3, "Pass", "Sure Hands, Thick Skull, Pass", "80k", "1,170k"},
        {"not open to him", leagueWithAdvanceValues(), 3, "Sure Hands", "", "80k", "1,170k"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        loadRules(c.rules);
        const std::vector<std::string> before = page();
        const QString skillsBefore = m_view->sheet().cell(SheetGrid::Players, SkillsCol, c.slot);
        players()->setCurrentCell(SkillsCol, c.slot);
        m_choosers->skillAnswer = c.skill;
        action("AddSkill")->trigger();
        EXPECT_EQ(m_view->sheet().cell(SheetGrid::Players, SkillsCol, c.slot),
                  c.skillsAfter.isEmpty() ? skillsBefore : c.skillsAfter);
        EXPECT_EQ(m_view->sheet().cell(SheetGrid::Players, CostCol, c.slot), c.costAfter);
        EXPECT_EQ(costOfTeam(), c.costOfTeamAfter);
        if (c.skillsAfter.isEmpty()) {
            EXPECT_EQ(page(), before);
            continue;
        }
        m_view->undo();
        EXPECT_EQ(page(), before);
    }
    // The Runner of slot 3 is offered his categories' skills, those he has
    // left out: normal (General, Passing) and double (Agility, Strength) apart.
    ASSERT_FALSE(m_choosers->skillOffers.empty());
    const SkillChoice& runner = m_choosers->skillOffers.front();
    EXPECT_EQ(runner.normal, QStringList({"Block", "Dauntless", "Dirty Player", "Frenzy", "Kick", "Pro",
                                          "Tackle", "Accurate", "Pass", "Safe Throw"}));
    EXPECT_EQ(runner.onDouble, QStringList({"Break Tackle", "Guard", "Juggernaut", "Mighty Blow",
                                            "Stand Firm", "Catch", "Dodge", "Sprint"}));
    EXPECT_EQ(m_choosers->skillPlayers.front(), "Gorm Ironbrow (player 3)");
}

TEST_F(LeagueCommandsTest, AddSkillRefusesWhereItCannotWorkOutThePlayer)
{
    struct Case
    {
        const char* name;
        int slot;
        QString position;
        QString cost;
        QString status;
    };
    const Case cases[] = {
        {"unknown position", 3, "Ogre", "80k", "no position \"Ogre\""},
        {"cost not an amount", 3, "Runner", "eighty", "cost \"eighty\" is not an amount"},
    };
    loadRules(leagueWithAdvanceValues());
    m_choosers->skillAnswer = QStringLiteral("Kick");
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_view->sheet().setCell(SheetGrid::Players, PositionCol, c.slot, c.position);
        m_view->sheet().setCell(SheetGrid::Players, CostCol, c.slot, c.cost);
        const std::vector<std::string> before = page();
        players()->setCurrentCell(SkillsCol, c.slot);
        action("AddSkill")->trigger();
        EXPECT_EQ(page(), before);
        EXPECT_TRUE(statusText().contains(c.status)) << statusText().toStdString();
    }
}

TEST_F(LeagueCommandsTest, FirePlayerEmptiesTheSlotOnlyWhenConfirmed)
{
    loadRules();
    const std::vector<std::string> before = page();
    const QStringList gorm = row(3);
    players()->setCurrentCell(SkillsCol, 3);
    action("FirePlayer")->trigger();
    EXPECT_EQ(m_choosers->fireQuestions, QStringList{"Fire Gorm Ironbrow (player 3)? The slot is emptied."});
    EXPECT_EQ(row(3), gorm);

    m_choosers->fireAnswer = true;
    action("FirePlayer")->trigger();
    EXPECT_EQ(row(3), QStringList(15, QString()));
    // The players below keep their slots; Cost of Team loses his 80k.
    EXPECT_EQ(m_view->sheet().cell(SheetGrid::Players, NameCol, 4), "Dwalin Redbeard");
    EXPECT_EQ(costOfTeam(), "1,090k");
    m_view->undo();
    EXPECT_EQ(page(), before);

    // An empty slot is not asked about.
    players()->setCurrentCell(NameCol, 11);
    action("FirePlayer")->trigger();
    EXPECT_EQ(m_choosers->fireQuestions.size(), 2);
    EXPECT_TRUE(statusText().contains("Slot 11 holds no player"));
}

// A coach builds the example page's team on a new roster with the pickers and
// Hire Player: the race picked, every player hired and paid for, the skills
// beyond the starting ones added. Names and SPP are typed as a coach records
// them, and the team rating as the page gives it. The rules find nothing
// wrong, and every player's profile, skills and cost are the page's.
TEST_F(LeagueCommandsTest, BuildsTheExamplePagesTeamFromANewRoster)
{
    const LeagueRules rules = exampleLeague();
    loadRules(rules);
    m_view->newTeam();
    typeAndPick(details(), 1, RaceRow, QStringLiteral("Dw"));
    ASSERT_EQ(detail(RaceRow), "Dwarf");
    typeInto(details(), 1, TreasuryRow, QStringLiteral("1,000k"));

    const RosterSheet sample = samplePageSheet();
    m_choosers->payAnswer = true;
    int slot = 0;
    for (int sampleSlot = 1; sampleSlot <= 16; ++sampleSlot) {
        const auto sampleCell = [&](int col) { return sample.cell(SheetGrid::Players, col, sampleSlot); };
        if (sampleCell(PositionCol).isEmpty())
            continue;
        ++slot;
        SCOPED_TRACE(sampleCell(NameCol).toStdString());
        m_choosers->hireAnswer = sampleCell(PositionCol);
        action("HirePlayer")->trigger();
        typeInto(players(), NameCol, slot, sampleCell(NameCol));
        typeInto(players(), SppCol, slot, sampleCell(SppCol));
        const QStringList skills = sampleCell(SkillsCol).split(QStringLiteral(", "));
        for (const QString& skill : skills) {
            if (m_view->sheet().cell(SheetGrid::Players, SkillsCol, slot).contains(skill))
                continue;
            players()->setCurrentCell(SkillsCol, slot);
            m_choosers->skillAnswer = skill;
            action("AddSkill")->trigger();
        }
        for (const int col : {PositionCol, 3, 4, 5, 6, SkillsCol, CostCol})
            EXPECT_EQ(m_view->sheet().cell(SheetGrid::Players, col, slot), sampleCell(col)) << col;
    }
    EXPECT_EQ(slot, 11);
    EXPECT_EQ(detail(TreasuryRow), "70k");
    typeInto(details(), 1, TeamRatingRow, QStringLiteral("106"));

    std::vector<QString> findings;
    for (const RulesFinding& finding : rosterFindings(m_view->sheet(), rules))
        findings.push_back(finding.text);
    EXPECT_EQ(findings, std::vector<QString>{});
}

} // namespace
