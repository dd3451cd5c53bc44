#include "PageStore.h"
#include "RosterPage.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

GridSnapshot grid(int cols, int rows)
{
    GridSnapshot snapshot;
    snapshot.colCount = cols;
    snapshot.rowCount = rows;
    snapshot.cells.assign(static_cast<std::size_t>(rows),
                          std::vector<QString>(static_cast<std::size_t>(cols)));
    return snapshot;
}

// A team with all sixteen slots taken, every staff row filled and a season of
// matches: the largest page a real roster gives.
PageSnapshot fullTeam()
{
    PageSnapshot snapshot;
    snapshot.teamGrid = grid(16, 17);
    for (int slot = 1; slot <= 16; ++slot) {
        const QString n = QString::number(slot);
        snapshot.teamGrid.cells[static_cast<std::size_t>(slot)] = {
            n,          "Player " + n, "Blitzer", "7", "3", "3", "8",  "Block, Dodge, Sure Hands, Guard",
            "Niggling", "2",           "5",       "1", "3", "2", "37", "90k"};
    }
    snapshot.teamGrid2 = grid(2, 6);
    snapshot.teamGrid2.cells = {{"Team Name:", "Grimstone Grinders"},
                                {"Race:", "Dwarf"},
                                {"Team Rating:", "187"},
                                {"Treasury:", "40k"},
                                {"Coach:", "Hilda Stonefist"},
                                {"Cost of Team:", "1,470k"}};
    snapshot.teamGrid3 = grid(4, 6);
    snapshot.teamGrid3.cells = {
        {"Re-Rolls:", "3", "x $40k =", "120k"},         {"Fan Factor:", "9", "x $10k =", "90k"},
        {"Assistant Coaches:", "2", "x $10k =", "20k"}, {"Cheerleaders:", "4", "x $10k =", "40k"},
        {"Apothecary:", "1", "x $50k =", "50k"},        {"Team Wizard:", "0", "x $150k =", ""}};
    snapshot.gameGrid = grid(8, 14);
    snapshot.gameGrid.cells[0] = {"Result", "Opponent", "Race",     "Score",
                                  "Cas",    "Gate",     "Winnings", "Notes & Highlights"};
    for (std::size_t row = 1; row < 13; ++row)
        snapshot.gameGrid.cells[row] = {"W", "Night Owls", "Elf", "2-1", "3-1", "24k", "60k", "Rain all day"};
    snapshot.windowColor = 0xFFFFFF;
    snapshot.tableColor = 0xD0FFFF;
    snapshot.headingsColor = 0xA0D0D0;
    snapshot.tableFontName = DefaultFaceName;
    snapshot.headingFontName = "Times New Roman";
    return snapshot;
}

void WriteHTML(benchmark::State& state)
{
    const PageSnapshot snapshot = fullTeam();
    for (auto _ : state)
        benchmark::DoNotOptimize(buildRosterPage(snapshot));
}
BENCHMARK(WriteHTML)->Unit(benchmark::kMicrosecond);

// Building the page and storing it the way Save does: temporary file, sync to
// disk and rename. The sync dominates on a real disk, so the same is measured
// on a memory file system when there is one.
void WriteHTMLAndStore(benchmark::State& state, const QString& folder)
{
    const PageSnapshot snapshot = fullTeam();
    QTemporaryDir dir(folder + "/writer-bench-XXXXXX");
    if (!dir.isValid()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const QString target = dir.filePath("team.htm");
    for (auto _ : state)
        storePage(buildRosterPage(snapshot), target);
}
BENCHMARK_CAPTURE(WriteHTMLAndStore, temp_folder, QDir::tempPath())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(WriteHTMLAndStore, dev_shm, QStringLiteral("/dev/shm"))->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
