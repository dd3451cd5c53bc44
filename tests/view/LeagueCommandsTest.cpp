#include "Controls.h"
#include "ViewTestSupport.h"

#include "ActiveRules.h"
#include "HireDialog.h"
#include "PageFixtures.h"
#include "RosterFindings.h"
#include "RulesFile.h"
#include "SkillDialog.h"
#include "StringGrid.h"

#include <QAbstractItemView>
#include <QAction>
#include <QCheckBox>
#include <QCompleter>
#include <QFile>
#include <QLineEdit>
#include <QListWidget>
#include <QPointer>
#include <QStatusBar>
#include <QTest>
#include <QTreeWidget>

#include <functional>
#include <string>
#include <vector>

namespace {

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

// The sample page with the example league's rules loaded; each case of a
// table starts from the page as read.
class LeagueCommandsTest : public ViewTest
{
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        m_page = m_folder.filePath(QStringLiteral("team.htm"));
        ASSERT_TRUE(QFile::copy(samplePagePath(), m_page));
        loadRules(exampleLeague());
        m_view->openPage(m_page);
    }

    void loadRules(LeagueRules rules)
    {
        m_view->leagueRules().load(std::move(rules), QStringLiteral("l.json"));
    }
    void reopen() { m_view->openPage(m_page); }
    StringGrid* players() const { return control<StringGrid>(m_view.get(), "TeamGrid"); }
    StringGrid* details() const { return control<StringGrid>(m_view.get(), "TeamGrid2"); }
    void run(const char* action) const { control<QAction>(m_view.get(), action)->trigger(); }
    QString statusText() const { return m_view->statusBar()->currentMessage(); }
    void setCell(SheetGrid grid, int col, int row, const QString& text)
    {
        m_view->sheet().setCell(grid, col, row, text);
    }
    QString cell(SheetGrid grid, int col, int row) const { return m_view->sheet().cell(grid, col, row); }
    QString costOfTeam() const
    {
        const SheetCellRef at = sheetCellOf({MoneyCell::Kind::TeamCost, 0});
        return cell(at.grid, at.col, at.row);
    }
    // The slot from the name to the cost.
    QStringList row(int slot) const
    {
        QStringList cells;
        for (int col = RosterCols::Name; col <= RosterCols::Cost; ++col)
            cells.append(cell(SheetGrid::Players, col, slot));
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
        QLineEdit* editor = openEditor(grid, col, row);
        if (editor)
            QTest::keyClicks(editor, text);
        return editor;
    }
    // The entries the editor's picker shows for what was typed.
    static QStringList offered(QLineEdit* editor)
    {
        QStringList texts;
        for (int i = 0; editor->completer() && i < editor->completer()->completionModel()->rowCount(); ++i)
            texts.append(editor->completer()->completionModel()->index(i, 0).data().toString());
        return texts;
    }
    // Picks the picker's first entry with the keyboard, then leaves the cell with Return.
    static void pickFirst(QLineEdit* editor)
    {
        QAbstractItemView* popup = editor->completer()->popup();
        ASSERT_TRUE(popup->isVisible());
        popup->setCurrentIndex(editor->completer()->completionModel()->index(0, 0));
        QTest::keyClick(popup, Qt::Key_Return);
        QTest::keyClick(editor, Qt::Key_Return);
    }

    QString m_page;
};

TEST_F(LeagueCommandsTest, CommandsAndPickersAreThereOnlyWithRules)
{
    for (const bool loaded : {true, false}) {
        SCOPED_TRACE(loaded ? "rules loaded" : "no rules");
        for (const char* name : {"HirePlayer", "FirePlayer", "AddSkill"})
            EXPECT_EQ(control<QAction>(m_view.get(), name)->isEnabled(), loaded) << name;
        const struct
        {
            StringGrid* grid;
            int col;
            int row;
            bool picker;
        } cells[] = {{details(), 1, DetailsRows::Race, loaded},
                     {players(), RosterCols::Position, 11, loaded},
                     {players(), RosterCols::Skills, 3, loaded},
                     {players(), RosterCols::Name, 3, false},
                     {details(), 1, DetailsRows::Treasury, false}};
        for (const auto& at : cells) {
            QLineEdit* editor = startTyping(at.grid, at.col, at.row, QString());
            ASSERT_NE(editor, nullptr);
            EXPECT_EQ(editor->completer() != nullptr, at.picker) << at.col << "," << at.row;
            QTest::keyClick(editor, Qt::Key_Escape);
        }
        m_view->leagueRules().drop();
    }
}

TEST_F(LeagueCommandsTest, HireFillsTheFirstEmptySlotPaysAndIsOneStep)
{
    const QStringList longbeard{"", "Longbeard", "4", "3", "2", "9",  "Block, Tackle, Thick Skull", "", "",
                                "", "",          "",  "",  "",  "70k"};
    QStringList runner{"", "Runner", "6", "3", "3", "8",      "Sure Hands, Thick Skull", "", "",
                       "", "",       "",  "",  "",  "$80,000"};
    struct Case
    {
        const char* name;
        std::function<void()> setup;
        QString position;
        bool pay;
        QStringList hired; // slot 11 after; empty when refused
        QString treasury;
        QString costOfTeam;
        QString status; // part of the status bar's message
    };
    const auto treasury = [this](const char* text) {
        return
            [this, text] { setCell(SheetGrid::Details, 1, DetailsRows::Treasury, QString::fromUtf8(text)); };
    };
    const Case cases[] = {
        {"paid", treasury("100k"), "Longbeard", true, longbeard, "30k", "1,240k", ""},
        {"paid to the last piece, the cost in the roster's look",
         [=, this] {
             treasury("$80,000")();
             setCell(SheetGrid::Players, RosterCols::Cost, 1, QStringLiteral("$80,000"));
         },
         "Runner", true, runner, "$0", "1,250k", ""},
        {"not paid", [] {}, "Longbeard", false, longbeard, "40k", "1,240k", ""},
        {"too little money", [] {}, "Runner", true, {}, "40k", "1,170k", "(40k) cannot pay 80k"},
        {"no amount", treasury("lots"), "Runner", true, {}, "lots", "1,170k", "not an amount"},
        {"position at its limit", [] {}, "Blitzer", false, {}, "40k", "1,170k", "at most 2 Blitzer"},
        {"race unknown",
         [this] { setCell(SheetGrid::Details, 1, DetailsRows::Race, QStringLiteral("Elf")); },
         "Runner",
         false,
         {},
         "40k",
         "1,170k",
         "no race \"Elf\""},
        {"no race",
         [this] { setCell(SheetGrid::Details, 1, DetailsRows::Race, QString()); },
         "Runner",
         false,
         {},
         "40k",
         "1,170k",
         "names no race"},
        {"no free slot",
         [this] {
             for (int slot = 11; slot <= 16; ++slot)
                 setCell(SheetGrid::Players, RosterCols::Name, slot, QStringLiteral("Reserve"));
         },
         "Runner",
         false,
         {},
         "40k",
         "1,170k",
         "every slot holds a player"},
        {"as many players as the league allows",
         [this] {
             LeagueRules rules = exampleLeague();
             rules.mostPlayers = 11;
             loadRules(rules);
         },
         "Runner",
         false,
         {},
         "40k",
         "1,170k",
         "at most 11 players"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reopen();
        c.setup();
        const std::vector<std::string> before = page();
        const QStringList slot11 = row(11);
        m_choosers->hireAnswer = c.position;
        m_choosers->payAnswer = c.pay;
        m_view->statusBar()->clearMessage();
        run("HirePlayer");
        EXPECT_EQ(row(11), c.hired.isEmpty() ? slot11 : c.hired);
        EXPECT_EQ(cell(SheetGrid::Details, 1, DetailsRows::Treasury), c.treasury);
        EXPECT_EQ(costOfTeam(), c.costOfTeam);
        EXPECT_TRUE(statusText().contains(c.status)) << statusText().toStdString();
        if (!c.hired.isEmpty()) {
            EXPECT_EQ(players()->currentCell(), QPoint(RosterCols::Name, 11)); // his name is typed next
            m_view->undo();
        }
        EXPECT_EQ(page(), before);
    }
    // Every position with how many more may be hired; paying preset as the
    // last hire chose.
    EXPECT_EQ(
        m_choosers->hireOffers.front(),
        QStringList({"Longbeard, 70k, 11 of 16 left", "Runner, 80k, 1 of 2 left", "Blitzer, 80k, 0 of 2 left",
                     "Troll Slayer, 90k, 0 of 2 left", "Deathroller, 160k, 0 of 1 left"}));
    EXPECT_EQ(m_choosers->payPresets, (std::vector<bool>{false, true, true, false, true, true}));
}

TEST_F(LeagueCommandsTest, PositionPickerFillsOnlyASlotWithoutAProfile)
{
    const QStringList runner{"", "Runner", "6", "3", "3", "8",  "Sure Hands, Thick Skull", "", "",
                             "", "",       "",  "",  "",  "80k"};
    QStringList named = runner;
    named[0] = QStringLiteral("Fili");
    named[13] = QStringLiteral("3");
    QStringList longbeardRenamed = row(6);
    longbeardRenamed[1] = QStringLiteral("Runner");
    struct Case
    {
        const char* name;
        int slot;
        std::function<void()> typedFirst;
        QString offer;
        QStringList after;
    };
    const Case cases[] = {
        {"empty slot", 11, [] {}, "Runner, 80k, 1 of 2 left", runner},
        {"name and SPP typed", 11,
         [this] {
             setCell(SheetGrid::Players, RosterCols::Name, 11, QStringLiteral("Fili"));
             setCell(SheetGrid::Players, RosterCols::Spp, 11, QStringLiteral("3"));
         },
         "Runner, 80k, 1 of 2 left", named},
        {"a player with a profile", 6, [] {}, "Runner, 80k, 1 of 2 left", longbeardRenamed},
        // The slot's own player is not counted.
        {"the Runner himself", 3, [] {}, "Runner, 80k, 2 of 2 left", row(3)},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        reopen();
        c.typedFirst();
        const std::vector<std::string> before = page();
        QLineEdit* editor = startTyping(players(), RosterCols::Position, c.slot, QStringLiteral("ru"));
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(offered(editor), QStringList{c.offer});
        pickFirst(editor);
        EXPECT_EQ(row(c.slot), c.after);
        // The choice is one step, the typing before it another.
        m_view->undo();
        EXPECT_EQ(cell(SheetGrid::Players, RosterCols::Position, c.slot), "ru");
        m_view->undo();
        EXPECT_EQ(page(), before);
    }
    // Alt+Down lists every position for an empty cell, as a drop-down list does.
    QLineEdit* editor = startTyping(players(), RosterCols::Position, 13, QString());
    ASSERT_NE(editor, nullptr);
    QTest::keyClick(editor, Qt::Key_Down, Qt::AltModifier);
    EXPECT_TRUE(editor->completer()->popup()->isVisible());
    EXPECT_EQ(offered(editor).size(), 5);
    QTest::keyClick(editor, Qt::Key_Escape);
    // A position the rules do not know stays as typed and fills nothing.
    typeInto(players(), RosterCols::Position, 11, QStringLiteral("Ogre"));
    EXPECT_EQ(row(11), QStringList({"", "Ogre", "", "", "", "", "", "", "", "", "", "", "", "", ""}));
}

TEST_F(LeagueCommandsTest, RaceAndSkillPickersCompleteTheirCell)
{
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
        {details(), 1, DetailsRows::Race, "dw", {"Dwarf"}, "Dwarf"},
        {players(),
         RosterCols::Skills,
         6,
         "Block, Tackle, Thick Skull, g",
         {"Guard"},
         "Block, Tackle, Thick Skull, Guard"},
        {players(),
         RosterCols::Skills,
         11,
         "s",
         {"Sure Hands", "Stand Firm", "Sprint", "Safe Throw", "Secret Weapon"},
         "Sure Hands"},
        {players(), RosterCols::Skills, 11, "Dodge;bl", {"Block"}, "Dodge; Block"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.typed.toStdString());
        QLineEdit* editor = startTyping(c.grid, c.col, c.row, c.typed);
        ASSERT_NE(editor, nullptr);
        EXPECT_EQ(offered(editor), c.offered);
        pickFirst(editor);
        EXPECT_EQ(cell(c.grid->sheetGrid(), c.col, c.row), c.after);
    }
    // With the list showing and nothing picked, Return ends the editing as
    // it does without a picker, and Tab goes on to the next cell.
    for (const Qt::Key key : {Qt::Key_Return, Qt::Key_Tab}) {
        QPointer<QLineEdit> editor = startTyping(players(), RosterCols::Skills, 11, QStringLiteral("Block"));
        ASSERT_NE(editor, nullptr);
        ASSERT_TRUE(editor->completer()->popup()->isVisible());
        QTest::keyClick(editor->completer()->popup(), key);
        EXPECT_EQ(cell(SheetGrid::Players, RosterCols::Skills, 11), "Block");
        EXPECT_EQ(players()->currentCell(),
                  QPoint(key == Qt::Key_Tab ? RosterCols::Skills + 1 : RosterCols::Skills, 11));
        QCoreApplication::processEvents(); // Return closes the editor once the event loop runs
        EXPECT_TRUE(!editor || !editor->isVisible()) << key;
    }
}

TEST_F(LeagueCommandsTest, AddSkillAppendsAnOpenSkillAndRaisesTheCostByItsAdvance)
{
    struct Case
    {
        const char* name;
        LeagueRules rules;
        QString position; // of slot 3, the Runner
        QString cost;     // of slot 3
        QString spp;      // of slot 3
        QString skill;
        QString skillsAfter; // empty when refused
        QString costAfter;
        QString costOfTeam;
        QString status;
    };
    const Case cases[] = {
        {"double", leagueWithAdvanceValues(), "Runner", "80k", "19", "Dodge",
         "Sure Hands, Thick Skull, Dodge", "110k", "1,200k", ""},
        {"normal", leagueWithAdvanceValues(), "Runner", "80k", "19", "Kick", "Sure Hands, Thick Skull, Kick",
         "100k", "1,190k", ""},
        {"no advance values", exampleLeague(), "Runner", "80k", "19", "Pass", "Sure Hands, Thick Skull, Pass",
         "80k", "1,170k", ""},
        {"taken already", leagueWithAdvanceValues(), "Runner", "80k", "19", "Sure Hands", "", "80k", "1,170k",
         ""},
        {"position unknown", leagueWithAdvanceValues(), "Ogre", "80k", "19", "Kick", "", "80k", "1,170k",
         "no position \"Ogre\""},
        {"cost not an amount", leagueWithAdvanceValues(), "Runner", "eighty", "19", "Kick", "", "eighty",
         "1,170k", "cost \"eighty\" is not an amount"},
        // The example league's first advance takes 5 SPP.
        {"SPP earn the advance", exampleLeague(), "Runner", "80k", "5", "Pass",
         "Sure Hands, Thick Skull, Pass", "80k", "1,170k", ""},
        {"SPP earn no advance", exampleLeague(), "Runner", "80k", "4", "Pass", "", "80k", "1,170k",
         "4 SPP earn no further advance (0 earned, 0 taken)"},
        {"no SPP", exampleLeague(), "Runner", "80k", "", "Pass", "", "80k", "1,170k",
         "0 SPP earn no further advance"},
        // Block starts a Blitzer's skills: it is no advance to pay for.
        {"a starting skill he lacks", leagueWithAdvanceValues(), "Blitzer", "80k", "19", "Block", "", "80k",
         "1,170k", ""},
        {"SPP not a number", exampleLeague(), "Runner", "80k", "many", "Pass",
         "Sure Hands, Thick Skull, Pass", "80k", "1,170k", ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        loadRules(c.rules);
        reopen();
        setCell(SheetGrid::Players, RosterCols::Position, 3, c.position);
        setCell(SheetGrid::Players, RosterCols::Cost, 3, c.cost);
        setCell(SheetGrid::Players, RosterCols::Spp, 3, c.spp);
        const std::vector<std::string> before = page();
        const QString skillsBefore = cell(SheetGrid::Players, RosterCols::Skills, 3);
        players()->setCurrentCell(RosterCols::Skills, 3);
        m_choosers->skillAnswer = c.skill;
        run("AddSkill");
        EXPECT_EQ(cell(SheetGrid::Players, RosterCols::Skills, 3),
                  c.skillsAfter.isEmpty() ? skillsBefore : c.skillsAfter);
        EXPECT_EQ(cell(SheetGrid::Players, RosterCols::Cost, 3), c.costAfter);
        EXPECT_EQ(costOfTeam(), c.costOfTeam);
        EXPECT_TRUE(statusText().contains(c.status)) << statusText().toStdString();
        if (!c.skillsAfter.isEmpty())
            m_view->undo();
        EXPECT_EQ(page(), before);
    }
    // His categories' skills but those he has: normal (General, Passing)
    // and double (Agility, Strength) apart.
    const SkillChoice& runner = m_choosers->skillOffers.front();
    EXPECT_EQ(runner.normal, QStringList({"Block", "Dauntless", "Dirty Player", "Frenzy", "Kick", "Pro",
                                          "Tackle", "Accurate", "Pass", "Safe Throw"}));
    EXPECT_EQ(runner.onDouble, QStringList({"Break Tackle", "Guard", "Juggernaut", "Mighty Blow",
                                            "Stand Firm", "Catch", "Dodge", "Sprint"}));
    EXPECT_EQ(m_choosers->skillPlayers.front(), "Gorm Ironbrow (player 3)");
}

TEST_F(LeagueCommandsTest, FirePlayerEmptiesTheSlotOnceConfirmed)
{
    const std::vector<std::string> before = page();
    players()->setCurrentCell(RosterCols::Skills, 3);
    for (const bool confirmed : {false, true}) {
        m_choosers->fireAnswer = confirmed;
        run("FirePlayer");
        EXPECT_EQ(row(3) == QStringList(15, QString()), confirmed);
    }
    EXPECT_EQ(m_choosers->fireQuestions,
              QStringList(2, "Fire Gorm Ironbrow (player 3)? The slot is emptied."));
    // The players below keep their slots; Cost of Team loses his 80k.
    EXPECT_EQ(cell(SheetGrid::Players, RosterCols::Name, 4), "Dwalin Redbeard");
    EXPECT_EQ(costOfTeam(), "1,090k");
    m_view->undo();
    EXPECT_EQ(page(), before);
    // An empty slot is not asked about.
    players()->setCurrentCell(RosterCols::Name, 11);
    run("FirePlayer");
    EXPECT_EQ(m_choosers->fireQuestions.size(), 2);
    EXPECT_TRUE(statusText().contains("Slot 11 holds no player"));
}

// The dialogs behind Hire Player and Add Skill let only what may be taken
// be chosen: positions at their limit and the headings are not.
TEST_F(LeagueCommandsTest, DialogsOfferOnlyWhatMayBeTaken)
{
    const LeagueRules rules = exampleLeague();
    const std::vector<PositionOffer> offers = positionOffers(*rules.findRace(u"Dwarf"), m_view->sheet());
    for (const int preset : {2, 1}) {
        HireDialog hire(QStringLiteral("Dwarf"), offers, {preset, true});
        auto* positions = control<QTreeWidget>(&hire, "HirePositions");
        QStringList disabled;
        for (int i = 0; i < positions->topLevelItemCount(); ++i) {
            if (positions->topLevelItem(i)->isDisabled())
                disabled.append(positions->topLevelItem(i)->text(0));
        }
        EXPECT_EQ(disabled, QStringList({"Blitzer", "Troll Slayer", "Deathroller"}));
        // A preset at its limit gives way to the first that is not.
        EXPECT_EQ(hire.choice().offer, preset == 2 ? 0 : 1);
        control<QCheckBox>(&hire, "PayFromTreasury")->setChecked(preset == 2);
        EXPECT_EQ(hire.choice().payFromTreasury, preset == 2);
    }

    SkillDialog skills(QStringLiteral("player 3"), {{"Kick"}, {"Dodge"}});
    auto* list = control<QListWidget>(&skills, "SkillList");
    QStringList entries;
    for (int i = 0; i < list->count(); ++i) {
        list->setCurrentRow(i);
        entries.append(skills.skill());
    }
    EXPECT_EQ(entries, QStringList({"", "Kick", "", "Dodge"}));
}

// A coach builds the example page's team on a new roster: the race picked,
// every player hired and paid for, the skills beyond the starting ones added.
// Names and SPP are typed as a coach records them, the team rating as the
// formula gives it for what was hired (93) and the SPP (13). The rules find
// nothing wrong, and every player's profile, skills and cost are the page's.
TEST_F(LeagueCommandsTest, BuildsTheExamplePagesTeamFromANewRoster)
{
    m_view->newTeam();
    QLineEdit* race = startTyping(details(), 1, DetailsRows::Race, QStringLiteral("Dw"));
    ASSERT_NE(race, nullptr);
    pickFirst(race);
    typeInto(details(), 1, DetailsRows::Treasury, QStringLiteral("1,000k"));

    const RosterSheet sample = samplePageSheet();
    m_choosers->payAnswer = true;
    int slot = 0;
    for (int sampleSlot = 1; sampleSlot <= 16; ++sampleSlot) {
        const auto sampleCell = [&](int col) { return sample.cell(SheetGrid::Players, col, sampleSlot); };
        if (sampleCell(RosterCols::Position).isEmpty())
            continue;
        ++slot;
        SCOPED_TRACE(sampleCell(RosterCols::Name).toStdString());
        m_choosers->hireAnswer = sampleCell(RosterCols::Position);
        run("HirePlayer");
        typeInto(players(), RosterCols::Name, slot, sampleCell(RosterCols::Name));
        typeInto(players(), RosterCols::Spp, slot, sampleCell(RosterCols::Spp));
        for (const QString& skill : sampleCell(RosterCols::Skills).split(QStringLiteral(", "))) {
            if (cell(SheetGrid::Players, RosterCols::Skills, slot).contains(skill))
                continue;
            players()->setCurrentCell(RosterCols::Skills, slot);
            m_choosers->skillAnswer = skill;
            run("AddSkill");
        }
        for (const int col : {RosterCols::Position, 3, 4, 5, 6, RosterCols::Skills, RosterCols::Cost})
            EXPECT_EQ(cell(SheetGrid::Players, col, slot), sampleCell(col)) << col;
    }
    EXPECT_EQ(slot, 11);
    EXPECT_EQ(cell(SheetGrid::Details, 1, DetailsRows::Race), "Dwarf");
    EXPECT_EQ(cell(SheetGrid::Details, 1, DetailsRows::Treasury), "70k");
    typeInto(details(), 1, DetailsRows::TeamRating, QStringLiteral("106"));

    QStringList findings;
    for (const RulesFinding& finding : rosterFindings(m_view->sheet(), exampleLeague()))
        findings.append(finding.text);
    EXPECT_EQ(findings, QStringList());
}

} // namespace
