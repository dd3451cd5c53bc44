// The editor's window: showing a full team, creating and showing the two
// windows, File, Open of the sample page until the team is shown, and File,
// Exit while a fetch waits: the time until the event loop has ended; and
// keystrokes in a cell, with and without league rules.
// Runs on Qt's offscreen platform unless QT_QPA_PLATFORM says otherwise.
#include "ActiveRules.h"
#include "Choosers.h"
#include "EventPump.h"
#include "RulesFile.h"
#include "SamplePage.h"
#include "ScriptedServer.h"
#include "StringGrid.h"
#include "TForm_Parse.h"
#include "TTeamView.h"
#include "TeamEditorApplication.h"

#include <QAction>
#include <QApplication>
#include <QClipboard>
#include <QCompleter>
#include <QDir>
#include <QDockWidget>
#include <QKeyEvent>
#include <QLineEdit>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <benchmark/benchmark.h>

#include <chrono>
#include <memory>

namespace {

TTeam fullTeam()
{
    TTeam team = newTeam();
    team.TeamName = "Grimstone Grinders";
    team.Race = "Dwarf";
    team.FanFactor = 7;
    team.Cheerleaders = 3;
    team.HasWizard = true;
    for (int slot = 1; slot <= PlayerSlotCount; ++slot) {
        TPlayer& player = team.Players[slot];
        player.PlayerName = "Player number " + std::to_string(slot);
        player.Position = "Longbeard";
        player.MA = 4;
        player.ST = 3;
        player.AG = 2;
        player.AV = 9;
        player.Skills = "Block, Tackle, Thick Skull";
        player.Injuries = "-1 MA";
        player.Touchdowns = slot;
        player.SPP = 3 * slot;
        player.PlayerCost = "70k";
    }
    return team;
}

// Two teams in turn, so that every call changes every cell.
void BM_ShowTeamFullTeam(benchmark::State& state)
{
    TTeamView view;
    view.New1Click();
    const TTeam teams[] = {fullTeam(), newTeam()};
    std::size_t turn = 0;
    for (auto _ : state) {
        view.ShowTeam(teams[turn]);
        turn ^= 1;
    }
}
BENCHMARK(BM_ShowTeamFullTeam)->Unit(benchmark::kMicrosecond);

// Answers the font chooser with the table font at another size.
class TableFontChooser : public Choosers
{
public:
    explicit TableFontChooser(int pointSize) : m_pointSize(pointSize) {}
    bool chooseColor(QWidget*, const QString&, TColor&) override { return false; }
    bool chooseFont(QWidget*, const QString&, FontChoice& value) override
    {
        value.font.setPointSize(m_pointSize);
        return true;
    }
    bool chooseOpenFile(QWidget*, QString&) override { return false; }
    bool chooseSaveFile(QWidget*, QString&) override { return false; }
    bool confirmSaveAnyway(QWidget*, const QString&) override { return false; }
    bool confirmImport(QWidget*, const QString&) override { return false; }
    bool chooseExportFile(QWidget*, QString&, const ExportFileKind&) override { return false; }
    bool choosePrinter(QWidget*, QPrinter&) override { return false; }
    bool chooseRulesFile(QWidget*, QString&) override { return false; }
    SaveAnswer askToSaveChanges(QWidget*, const QString&) override { return SaveAnswer::Discard; }
    bool chooseHire(QWidget*, const QString&, const std::vector<PositionOffer>&, HireChoice&) override
    {
        return false;
    }
    bool chooseSkill(QWidget*, const QString&, const SkillChoice&, QString&) override { return false; }
    bool confirmFire(QWidget*, const QString&) override { return false; }

private:
    int m_pointSize;
};

// A full team into a window on screen, the columns fitted to the texts in a
// 14 pt table font and laid out across 1280 pixels, until it is painted.
void BM_ShowFullTeamFittingColumns(benchmark::State& state)
{
    TTeamView view;
    view.resize(1280, 980);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view))
        state.SkipWithError("the main window was not shown");
    view.New1Click();
    setChoosers(std::make_unique<TableFontChooser>(14));
    view.Table2Click();
    setChoosers(nullptr);
    const TTeam teams[] = {fullTeam(), newTeam()};
    std::size_t turn = 0;
    for (auto _ : state) {
        view.ShowTeam(teams[turn]);
        turn ^= 1;
        QCoreApplication::processEvents(); // lays out and paints the team
    }
}
BENCHMARK(BM_ShowFullTeamFittingColumns)->Unit(benchmark::kMicrosecond);

void BM_StartUpToMainWindowShown(benchmark::State& state)
{
    for (auto _ : state) {
        auto view = std::make_unique<TTeamView>();
        auto dialog = std::make_unique<TForm_Parse>(view->startDirectory());
        TeamEditorApplication::connectWindows(*view, *dialog);
        view->show();
        if (!QTest::qWaitForWindowExposed(view.get()))
            state.SkipWithError("the main window was not shown");
        state.PauseTiming();
        dialog.reset();
        view.reset();
        state.ResumeTiming();
    }
}
BENCHMARK(BM_StartUpToMainWindowShown)->Unit(benchmark::kMillisecond);

void BM_OpenSamplePage(benchmark::State& state)
{
    TTeamView view;
    TForm_Parse dialog(view.startDirectory());
    TeamEditorApplication::connectWindows(view, dialog);
    view.show();
    const QString page = QStringLiteral(TE_SOURCE_DIR "/examples/sample-roster.htm");
    for (auto _ : state) {
        view.Open1Click();
        dialog.setPageSource(page);
        dialog.BtnParseClick();
        QCoreApplication::processEvents(); // paints the team
    }
}
BENCHMARK(BM_OpenSamplePage)->Unit(benchmark::kMillisecond);

// A fetch from a server that never answers, File, Exit once the request has
// gone: the time from Exit to the end of the event loop.
void BM_ExitDuringAFetch(benchmark::State& state)
{
    using Clock = std::chrono::steady_clock;
    setEventPump([] { QCoreApplication::processEvents(); });
    for (auto _ : state) {
        ScriptedServer silent("", "", true);
        TTeamView view;
        TForm_Parse dialog(view.startDirectory());
        TeamEditorApplication::connectWindows(view, dialog);
        view.show();
        dialog.setPageSource(QString::fromStdString(silent.url("/team.htm")));
        QTimer::singleShot(0, &dialog, &TForm_Parse::BtnParseClick);
        Clock::time_point exited;
        QTimer exitOnceWaiting;
        exitOnceWaiting.callOnTimeout([&] {
            if (dialog.fetching() && silent.requestReceived()) {
                exitOnceWaiting.stop();
                exited = Clock::now();
                view.exit1Click();
            }
        });
        exitOnceWaiting.start(5);
        QCoreApplication::exec();
        state.SetIterationTime(std::chrono::duration<double>(Clock::now() - exited).count());
    }
    setEventPump({});
}
BENCHMARK(BM_ExitDuringAFetch)->Iterations(10)->UseManualTime()->Unit(benchmark::kMillisecond);

// The in-place editor of the first player's cell in column.
QLineEdit* openPlayerCellEditor(TTeamView& view, int column)
{
    auto* grid = view.findChild<StringGrid*>(QStringLiteral("TeamGrid"));
    grid->setFocus();
    grid->setCurrentCell(column, 1);
    grid->edit(grid->model()->index(1, column));
    QLineEdit* editor = nullptr;
    for (QLineEdit* candidate : grid->findChildren<QLineEdit*>())
        if (candidate->isVisible())
            editor = candidate;
    return editor;
}

// Keystrokes in player 1's cell of the column, which add a character and take
// it away in turn; drainEvents lets the event loop run after each, for what
// follows an edit on its next turn.
void typeKeystrokes(benchmark::State& state, TTeamView& view, int column, bool drainEvents)
{
    const bool money = column == 15;
    QLineEdit* editor = openPlayerCellEditor(view, column);
    if (!editor) {
        state.SkipWithError("no cell editor opened");
        return;
    }
    QKeyEvent key(QEvent::KeyPress, money ? Qt::Key_5 : Qt::Key_A, Qt::NoModifier,
                  money ? QStringLiteral("5") : QStringLiteral("a"));
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    // Some text before the cursor, so that Backspace always has a character to take.
    QCoreApplication::sendEvent(editor, &key);
    bool add = true;
    for (auto _ : state) {
        QCoreApplication::sendEvent(editor, add ? &key : &backspace);
        if (drainEvents)
            QCoreApplication::processEvents();
        add = !add;
    }
    if (!view.isWindowModified() || !view.findChild<QAction*>(QStringLiteral("Undo1"))->isEnabled())
        state.SkipWithError("the keystrokes did not reach the undo history");
    if (money && !add && view.sheet().cell(SheetGrid::Details, 1, 5).isEmpty())
        state.SkipWithError("Cost of Team did not follow the player's cost");
}

// One keystroke in a cell's in-place editor, the whole way: the editor's
// text, the sheet's change report, the undo step it merges into, the window's
// title and modified mark. Keystrokes add a character and take it away in
// turn: a letter in Skills (column 7), or a digit in the player's cost (column
// 15), which Cost of Team follows into the same undo step.
void BM_KeystrokeInACell(benchmark::State& state)
{
    TTeamView view;
    view.show();
    view.New1Click();
    typeKeystrokes(state, view, int(state.range(0)), false);
}
BENCHMARK(BM_KeystrokeInACell)->Arg(7)->Arg(15)->Unit(benchmark::kMicrosecond);

// The same keystroke in the sample roster, with the event loop's next turn,
// without league rules and with the example league's rules loaded and the
// Findings pane shown: then the findings of the roster are worked out again,
// the pane and the marks follow, and after a cost the team rating too.
void BM_KeystrokeWithLeagueRules(benchmark::State& state)
{
    const int column = int(state.range(0));
    const bool withRules = state.range(1) != 0;
    TTeamView view;
    view.show();
    view.New1Click();
    view.showPage(samplePageSheet());
    if (withRules) {
        const QString path = QStringLiteral(TE_SOURCE_DIR "/examples/example-league.json");
        view.leagueRules().load(readRulesFile(path), path);
        view.findChild<QDockWidget*>(QStringLiteral("FindingsDock"))->show();
    }
    QCoreApplication::processEvents();
    typeKeystrokes(state, view, column, true);
    if (withRules && column == 15 && view.sheet().cell(SheetGrid::Details, 1, 2) == QStringLiteral("130"))
        state.SkipWithError("the team rating did not follow the player's cost");
}
BENCHMARK(BM_KeystrokeWithLeagueRules)
    ->Args({7, 0})
    ->Args({7, 1})
    ->Args({15, 0})
    ->Args({15, 1})
    ->Unit(benchmark::kMicrosecond);

// The same in the Skills cell while league rules are loaded: its picker
// filters the league's skills by the word after the last comma, "Block, D"
// and "Block, Do" in turn.
void BM_KeystrokeInASkillsCellWithRules(benchmark::State& state)
{
    TTeamView view;
    view.show();
    view.New1Click();
    view.leagueRules().load(readRulesFile(QStringLiteral(TE_SOURCE_DIR "/examples/example-league.json")),
                            QStringLiteral("example-league.json"));
    QLineEdit* editor = openPlayerCellEditor(view, 7);
    if (!editor || !editor->completer()) {
        state.SkipWithError("no cell editor with a picker opened");
        return;
    }
    QTest::keyClicks(editor, QStringLiteral("Block, D"));
    QKeyEvent key(QEvent::KeyPress, Qt::Key_O, Qt::NoModifier, QStringLiteral("o"));
    QKeyEvent backspace(QEvent::KeyPress, Qt::Key_Backspace, Qt::NoModifier);
    bool add = true;
    for (auto _ : state) {
        QCoreApplication::sendEvent(editor, add ? &key : &backspace);
        add = !add;
    }
    if (editor->completer()->completionModel()->rowCount() == 0)
        state.SkipWithError("the picker offered no skill");
}
BENCHMARK(BM_KeystrokeInASkillsCellWithRules)->Unit(benchmark::kMicrosecond);

// Edit, Paste of a 16 x 16 block over every player cell: the cells, the
// totals that follow (line costs, Cost of Team) and the one undo step. Two
// blocks in turn, so that every paste changes every cell.
void BM_PastePlayerBlock(benchmark::State& state)
{
    TTeamView view;
    view.show();
    view.New1Click();
    auto* grid = view.findChild<StringGrid*>(QStringLiteral("TeamGrid"));
    grid->setFocus();
    grid->setCurrentCell(0, 1);
    QString blocks[2];
    for (int turn = 0; turn < 2; ++turn) {
        for (int row = 1; row <= PlayerSlotCount; ++row) {
            QStringList cells;
            for (int col = 0; col < 16; ++col) {
                const bool number = (col >= 3 && col <= 6) || (col >= 9 && col <= 14);
                cells << (col == 15 ? QStringLiteral("%1k").arg(50 + 10 * turn)
                          : number  ? QString::number(row + turn)
                                    : QStringLiteral("Cell %1 %2 %3").arg(col).arg(row).arg(turn));
            }
            blocks[turn] += cells.join(QLatin1Char('\t')) + QLatin1Char('\n');
        }
    }
    QAction* paste = view.findChild<QAction*>(QStringLiteral("Paste1"));
    int turn = 0;
    for (auto _ : state) {
        QApplication::clipboard()->setText(blocks[turn]);
        paste->trigger();
        turn ^= 1;
    }
    if (view.sheet().cell(SheetGrid::Players, 1, 16).isEmpty() ||
        view.sheet().cell(SheetGrid::Details, 1, 5).isEmpty())
        state.SkipWithError("the paste or its totals did not reach the sheet");
}
BENCHMARK(BM_PastePlayerBlock)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    if (!qEnvironmentVariableIsSet("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    TeamEditorApplication application(argc, argv);
    // The page source dialog reads its history from the start folder: keep it empty.
    QTemporaryDir folder;
    QDir::setCurrent(folder.path());
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
