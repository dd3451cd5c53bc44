#include "ActiveRules.h"
#include "Controls.h"
#include "Errors.h"
#include "LiveFindings.h"
#include "PageFixtures.h"
#include "PageHistory.h"
#include "PdfTools.h"
#include "RulesCommands.h"
#include "SheetTotals.h"
#include "StringGrid.h"
#include "TeamEditorApplication.h"
#include "ViewTestSupport.h"
#include "WindowState.h"

#include <QAction>
#include <QApplication>
#include <QDockWidget>
#include <QFile>
#include <QLabel>
#include <QListWidget>
#include <QTest>

namespace {

const QString ExampleLeague = QStringLiteral(TE_SOURCE_DIR "/examples/example-league.json");
// The sample page's one finding with the example league.
const QString SampleError = QStringLiteral(
    "player 8 (Longbeard): MA 4 should be 3: the Longbeard profile has MA 4, less 1 for injuries");
const QColor FindingMarkColor(0xF0, 0x80, 0x00);

class LeagueRulesTest : public ViewTest
{
protected:
    void SetUp() override
    {
        ViewTest::SetUp();
        collectReports();
    }

    QAction* action(const char* name) const { return control<QAction>(m_view.get(), name); }
    StringGrid* grid(const char* name) const { return control<StringGrid>(m_view.get(), name); }
    QDockWidget* pane() const { return control<QDockWidget>(m_view.get(), "FindingsDock"); }
    QListWidget* list() const { return control<QListWidget>(m_view.get(), "FindingsList"); }
    QLabel* league() const { return control<QLabel>(m_view.get(), "LeagueName"); }
    const LeagueRules* rules() const { return m_view->leagueRules().rules(); }

    void chooseRules(const QString& path)
    {
        m_choosers->rulesFileAnswer = path;
        action("LeagueRules1")->trigger();
    }

    QString file(const QString& name, const QByteArray& bytes) const
    {
        const QString path = m_folder.filePath(name);
        QFile out(path);
        EXPECT_TRUE(out.open(QIODevice::WriteOnly));
        out.write(bytes);
        return path;
    }

    QString settingsPath() const
    {
        return WindowState::pathBeside(PageHistory::locate(m_view->startDirectory()));
    }
    QString rememberedRules() const
    {
        for (const auto& [key, value] : IniFile(settingsPath()).readEntries("League Rules")) {
            if (key == "Path")
                return QString::fromStdString(value);
        }
        return {};
    }

    // The pane's items as "severity: sentence", once the edits have been worked through.
    QStringList shownFindings() const
    {
        QCoreApplication::processEvents();
        QStringList shown;
        for (int row = 0; row < list()->count(); ++row)
            shown << list()->item(row)->data(Qt::UserRole).toString() + ": " + list()->item(row)->text();
        return shown;
    }

    QColor topLeftOf(StringGrid* grid, int col, int row)
    {
        QCoreApplication::processEvents();
        const QRect cell = grid->cellRect(col, row);
        return imageOf(grid).pixelColor(cell.left() + 1, cell.top() + 1);
    }
};

} // namespace

TEST_F(LeagueRulesTest, LoadingAFileNamesTheLeagueAndRemembersItOnlyWhenItLoads)
{
    struct Row
    {
        const char* name;
        QByteArray bytes; // empty: no file at all
        bool cancel;
        bool loads;
        QString reportStart;
    };
    const QByteArray example = [] {
        QFile in(ExampleLeague);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }();
    const Row rows[] = {
        {"the example league", example, false, true, {}},
        {"the chooser cancelled", example, true, false, {}},
        {"no such file", {}, false, false, "League rules not loaded: Cannot open file"},
        {"not JSON", "{ \"league\": ", false, false, "League rules not loaded: "},
        {"a league without races", "{\"format\": 1, \"league\": \"Empty\"}", false, false,
         "League rules not loaded: "},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m_view->leagueRules().drop();
        m_reports.clear();
        const QString path =
            row.bytes.isEmpty() ? m_folder.filePath("missing.json") : file("league.json", row.bytes);
        m_choosers->rulesFileAnswer = row.cancel ? std::nullopt : std::optional(path);
        action("LeagueRules1")->trigger();
        ASSERT_EQ(rules() != nullptr, row.loads);
        EXPECT_EQ(!league()->isHidden(), row.loads);
        EXPECT_EQ(action("NoLeagueRules1")->isEnabled(), row.loads);
        if (row.loads) {
            EXPECT_EQ(league()->text(), "League: Grimstone Valley League");
            EXPECT_EQ(rememberedRules(), path);
        }
        if (row.reportStart.isEmpty()) {
            EXPECT_TRUE(m_reports.isEmpty()) << m_reports.join('\n').toStdString();
        } else {
            ASSERT_EQ(m_reports.size(), 1);
            EXPECT_TRUE(m_reports[0].startsWith(row.reportStart)) << m_reports[0].toStdString();
        }
    }
}

TEST_F(LeagueRulesTest, AFailedChoiceKeepsTheRulesLoadedAndRemembered)
{
    chooseRules(ExampleLeague);
    chooseRules(file("broken.json", "]"));
    EXPECT_EQ(m_reports.size(), 1);
    ASSERT_NE(rules(), nullptr);
    EXPECT_EQ(rememberedRules(), ExampleLeague);
}

TEST_F(LeagueRulesTest, ANewWindowReloadsTheRememberedRulesUntilTheyAreDropped)
{
    chooseRules(ExampleLeague);
    {
        TTeamView next;
        ASSERT_NE(next.leagueRules().rules(), nullptr);
        EXPECT_EQ(next.leagueRules().path(), ExampleLeague);
        EXPECT_TRUE(next.rulesCommands().startProblem().isEmpty());
    }
    action("NoLeagueRules1")->trigger();
    EXPECT_EQ(rules(), nullptr);
    EXPECT_TRUE(league()->isHidden());
    TTeamView next;
    EXPECT_EQ(next.leagueRules().rules(), nullptr);
    EXPECT_TRUE(m_reports.isEmpty());
}

// At start the remembered rules load, or their failure is reported once the
// window shows; rules named on the command line then replace them, or their
// failure is reported the same way.
TEST_F(LeagueRulesTest, RulesAtStartAreReportedOnceWhenTheyFailToLoad)
{
    const QString broken = file("broken.json", "{}");
    const QString missing = m_folder.filePath("missing.json");
    struct Row
    {
        const char* name;
        QString remembered;
        QString forThisRun;
        QString loaded; // none: no rules
        QStringList reportStarts;
    };
    const Row rows[] = {
        {"remembered rules", ExampleLeague, {}, ExampleLeague, {}},
        {"remembered rules that no longer load", broken, {}, {}, {"League rules not loaded: " + broken}},
        {"rules for this run", {}, ExampleLeague, ExampleLeague, {}},
        {"rules for this run replace broken remembered ones",
         broken,
         ExampleLeague,
         ExampleLeague,
         {"League rules not loaded: " + broken}},
        {"rules for this run that do not load",
         ExampleLeague,
         missing,
         {},
         {"League rules not loaded: Cannot open file " + missing}},
    };
    auto* application = static_cast<TeamEditorApplication*>(QCoreApplication::instance());
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m_reports.clear();
        IniFile(settingsPath()).writeString("League Rules", "Path", row.remembered.toStdString());
        application->createWindows();
        if (!row.forThisRun.isEmpty())
            application->useRulesWhenRunning(row.forThisRun);
        QCoreApplication::processEvents();
        const ActiveRules& rules = application->mainWindow()->leagueRules();
        EXPECT_EQ(rules.rules() ? rules.path() : QString(), row.loaded);
        ASSERT_EQ(m_reports.size(), row.reportStarts.size()) << m_reports.join('\n').toStdString();
        for (qsizetype at = 0; at < m_reports.size(); ++at)
            EXPECT_TRUE(m_reports[at].startsWith(row.reportStarts[at])) << m_reports[at].toStdString();
        EXPECT_TRUE(application->mainWindow()->isVisible());
    }
}

TEST_F(LeagueRulesTest, RulesForThisRunLeaveTheRememberedChoiceAlone)
{
    chooseRules(ExampleLeague);
    const QString copy = file("copy.json", [] {
        QFile in(ExampleLeague);
        return in.open(QIODevice::ReadOnly) ? in.readAll() : QByteArray();
    }());
    m_view->rulesCommands().useRulesForThisRun(copy);
    EXPECT_EQ(m_view->leagueRules().path(), copy);
    EXPECT_EQ(rememberedRules(), ExampleLeague);
    // One that fails leaves the editor without rules rather than with others.
    EXPECT_THROW(m_view->rulesCommands().useRulesForThisRun(m_folder.filePath("missing.json")),
                 TeamEditorError);
    EXPECT_EQ(rules(), nullptr);
    EXPECT_EQ(rememberedRules(), ExampleLeague);
}

TEST_F(LeagueRulesTest, ThePaneFollowsEditsAndUndoWithErrorsFirst)
{
    EXPECT_EQ(pane()->windowTitle(), "Findings (0)");
    m_view->showPage(samplePageSheet());
    EXPECT_FALSE(pane()->isVisible());
    chooseRules(ExampleLeague);
    EXPECT_EQ(shownFindings(), QStringList{"error: " + SampleError});
    EXPECT_TRUE(pane()->isVisible()) << "a roster with an error shows the pane";
    EXPECT_EQ(pane()->windowTitle(), "Findings (1)");
    EXPECT_TRUE(action("ShowFindings1")->isChecked());

    // A warning about player 3 comes before player 8's error in the rules'
    // order, and after it in the pane.
    typeInto(grid("TeamGrid"), 6, 3, "7");
    const QString warning =
        "warning: player 3 (Runner): AV 7 should be 8: the Runner profile has AV 8, and no "
        "advance (+1 AV) or injury (-1 AV) is listed";
    EXPECT_EQ(shownFindings(), (QStringList{"error: " + SampleError, warning}));
    EXPECT_EQ(pane()->windowTitle(), "Findings (2)");

    typeInto(grid("TeamGrid"), 3, 8, "3");
    EXPECT_EQ(shownFindings(), QStringList{warning});
    m_view->undo();
    EXPECT_EQ(shownFindings(), (QStringList{"error: " + SampleError, warning}));

    // A click on a finding takes the user to its cell.
    grid("TeamGrid2")->setFocus();
    const QRect second = list()->visualItemRect(list()->item(1));
    QTest::mouseClick(list()->viewport(), Qt::LeftButton, {}, second.center());
    EXPECT_EQ(grid("TeamGrid")->currentCell(), QPoint(6, 3));
    EXPECT_TRUE(grid("TeamGrid")->hasFocus());

    action("ShowFindings1")->trigger();
    EXPECT_FALSE(pane()->isVisible());
    action("NoLeagueRules1")->trigger();
    EXPECT_EQ(shownFindings(), QStringList());
    EXPECT_EQ(pane()->windowTitle(), "Findings (0)");
}

TEST_F(LeagueRulesTest, MarkedCellsTellTheirFindingsBesideTheTotalsMarks)
{
    m_view->showPage(samplePageSheet());
    StringGrid* players = grid("TeamGrid");
    const QColor unmarked = topLeftOf(players, 3, 8);
    chooseRules(ExampleLeague);
    EXPECT_EQ(topLeftOf(players, 3, 8), FindingMarkColor);
    EXPECT_EQ(toolTipOf(players, 3, 8), SampleError);
    EXPECT_NE(topLeftOf(players, 3, 7), FindingMarkColor);

    // The totals' marks stay: an unreadable cost, which the rules leave to them.
    typeInto(players, 15, 1, "lots");
    const QString totalsMark = m_view->totals().markAt(SheetGrid::Players, 15, 1);
    ASSERT_FALSE(totalsMark.isEmpty());
    EXPECT_EQ(toolTipOf(players, 15, 1), totalsMark);
    // A cell with two findings tells both, a line each.
    typeInto(players, 7, 1, "Block, Thick Skull, Blok, Blok");
    EXPECT_EQ(toolTipOf(players, 7, 1), "player 1 (Blitzer): skill Blok is not one of the league's skills\n"
                                        "player 1 (Blitzer): skill Blok is listed twice");

    action("NoLeagueRules1")->trigger();
    EXPECT_EQ(topLeftOf(players, 3, 8), unmarked);
    EXPECT_EQ(toolTipOf(players, 15, 1), totalsMark);
}

TEST_F(LeagueRulesTest, TextsTheRulesDoNotKnowAreKeptAndNamedInTheFindings)
{
    struct Row
    {
        const char* name;
        const char* grid;
        int col;
        int row;
        const char* text;
        QString finding;
    };
    const Row rows[] = {
        {"a race the rules do not know", "TeamGrid2", 1, 1, "Elf",
         "error: the league's rules have no race Elf (they have Dwarf)"},
        {"a position typed by hand", "TeamGrid", 2, 8, "Ogre",
         "error: player 8 (Ogre): the Dwarf race has no Ogre position"},
        {"a skill of a house rule", "TeamGrid", 7, 1, "Block, Thick Skull, Iron Hide",
         "error: player 1 (Blitzer): skill Iron Hide is not one of the league's skills"},
    };
    for (const Row& row : rows) {
        SCOPED_TRACE(row.name);
        m_view->showPage(samplePageSheet());
        chooseRules(ExampleLeague);
        typeInto(grid(row.grid), row.col, row.row, QString::fromUtf8(row.text));
        EXPECT_EQ(grid(row.grid)->cell(row.col, row.row), QString::fromUtf8(row.text));
        EXPECT_TRUE(shownFindings().contains(row.finding)) << shownFindings().join('\n').toStdString();
        EXPECT_EQ(toolTipOf(grid(row.grid), row.col, row.row), row.finding.section(": ", 1));
    }
}

TEST_F(LeagueRulesTest, TeamRatingFollowsTheFormulaUntilTypedOver)
{
    m_view->showPage(samplePageSheet());
    chooseRules(ExampleLeague);
    StringGrid* players = grid("TeamGrid");
    StringGrid* details = grid("TeamGrid2");
    QAction* update = action("UpdateTeamRating1");
    EXPECT_EQ(details->cell(1, 2), "130") << "loading rules changes no text";
    EXPECT_FALSE(update->isEnabled());

    typeInto(players, 15, 11, "70k");
    EXPECT_EQ(details->cell(1, 5), "1,240k");
    EXPECT_EQ(details->cell(1, 2), "137");
    m_view->undo();
    EXPECT_EQ(players->cell(15, 11), "");
    EXPECT_EQ(details->cell(1, 2), "130") << "one undo takes back the cost and its rating";
    m_view->redo();
    EXPECT_EQ(details->cell(1, 2), "137");

    typeInto(details, 1, 2, "150");
    typeInto(players, 15, 11, "80k");
    EXPECT_EQ(details->cell(1, 2), "150") << "a typed rating is never overwritten";
    QCoreApplication::processEvents();
    ASSERT_TRUE(update->isEnabled());
    update->trigger();
    EXPECT_EQ(details->cell(1, 2), "138");
    QCoreApplication::processEvents();
    EXPECT_FALSE(update->isEnabled());
    m_view->undo();
    EXPECT_EQ(details->cell(1, 2), "150");
    EXPECT_EQ(players->cell(15, 11), "80k") << "Update Team Rating is a step of its own";

    action("NoLeagueRules1")->trigger();
    details->setCell(1, 2, QString());
    typeInto(players, 15, 11, "70k");
    EXPECT_EQ(details->cell(1, 2), "") << "without rules nothing follows";
    EXPECT_FALSE(update->isEnabled());
}

TEST_F(LeagueRulesTest, LoadingRulesChangesNothingThePageWrites)
{
    const auto savedPage = [this](const QString& name) {
        m_choosers->fileAnswer = m_folder.filePath(name);
        m_view->saveAs();
        QFile saved(m_folder.filePath(name));
        EXPECT_TRUE(saved.open(QIODevice::ReadOnly));
        return saved.readAll();
    };
    m_view->openPage(samplePagePath());
    const QByteArray without = savedPage("without.htm");
    ASSERT_FALSE(without.isEmpty());
    chooseRules(ExampleLeague);
    EXPECT_EQ(savedPage("with.htm"), without);
    m_view->openPage(samplePagePath());
    EXPECT_EQ(savedPage("read-with.htm"), without);
    EXPECT_FALSE(m_view->isModified());
}

TEST_F(LeagueRulesTest, PrintWithFindingsAddsTheListToThePdf)
{
    m_view->openPage(samplePagePath());
    const auto exportedText = [this](const QString& name) {
        m_choosers->fileAnswer = m_folder.filePath(name);
        action("ExportPdf1")->trigger();
        return pdfText(m_folder.filePath(name));
    };
    const QString plain = exportedText("plain.pdf");
    ASSERT_FALSE(plain.isEmpty());
    action("PrintWithFindings1")->setChecked(true);
    EXPECT_EQ(exportedText("no-rules.pdf"), plain) << "without rules there is no list";
    chooseRules(ExampleLeague);
    const QString listed = exportedText("listed.pdf");
    EXPECT_TRUE(listed.contains("Findings (1) against the rules of Grimstone Valley League"))
        << listed.toStdString();
    EXPECT_TRUE(listed.contains("Error: " + SampleError)) << listed.toStdString();
    action("PrintWithFindings1")->setChecked(false);
    EXPECT_EQ(exportedText("unchecked.pdf"), plain);
}
