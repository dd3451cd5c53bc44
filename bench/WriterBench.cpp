#include "MatchRecordRules.h"
#include "PageStore.h"
#include "RosterPage.h"
#include "SheetBuilder.h"

#include <QDir>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>

namespace {

// A team with all sixteen slots taken, every staff row filled and a season of
// matches: the largest page a real roster gives.
TTeam fullTeam()
{
    TTeam team;
    resetToNewTeam(team);
    team.TeamName = "Grimstone Grinders";
    team.Race = "Dwarf";
    team.TeamRating = 187;
    team.Treasury = "40k";
    team.Coach = "Hilda Stonefist";
    team.TeamCost = "1,470k";
    team.ReRolls = 3;
    team.ReRollPriceText = "x $40k =";
    team.ReRollCostText = "120k";
    team.FanFactor = 9;
    team.AssistantCoaches = 2;
    team.Cheerleaders = 4;
    team.HasApothecary = true;
    for (int slot = 1; slot <= PlayerSlotCount; ++slot) {
        TPlayer& player = team.Players[slot];
        player = {"Player " + std::to_string(slot),
                  "Blitzer",
                  7,
                  3,
                  3,
                  8,
                  "Block, Dodge, Sure Hands, Guard",
                  "Niggling",
                  2,
                  5,
                  1,
                  3,
                  2,
                  37,
                  "90k"};
    }
    team.HeadingFontName = "Times New Roman";
    return team;
}

MatchRecord fullSeason()
{
    MatchRecord record = defaultMatchRecord();
    record.RowCount = 14;
    record.Cells.resize(14);
    for (std::size_t row = 1; row < 13; ++row)
        record.Cells[row] = {"W", "Night Owls", "Elf", "2-1", "3-1", "24k", "60k", "Rain all day"};
    record.Height = matchGridHeight(record.RowCount);
    return record;
}

RosterSheet fullSheet()
{
    return buildSheet(fullTeam(), fullSeason(), TextEncoding::Utf8);
}

// What the window shows for a read page.
void BuildSheet(benchmark::State& state)
{
    const TTeam team = fullTeam();
    const MatchRecord season = fullSeason();
    for (auto _ : state)
        benchmark::DoNotOptimize(buildSheet(team, season, TextEncoding::Utf8));
}
BENCHMARK(BuildSheet)->Unit(benchmark::kMicrosecond);

void WriteHTML(benchmark::State& state)
{
    const RosterSheet sheet = fullSheet();
    for (auto _ : state)
        benchmark::DoNotOptimize(buildRosterPage(sheet));
}
BENCHMARK(WriteHTML)->Unit(benchmark::kMicrosecond);

// Building the page and storing it the way Save does: temporary file, sync to
// disk and rename. The sync dominates on a real disk, so the same is measured
// on a memory file system when there is one.
void WriteHTMLAndStore(benchmark::State& state, const QString& folder)
{
    const RosterSheet sheet = fullSheet();
    QTemporaryDir dir(folder + "/writer-bench-XXXXXX");
    if (!dir.isValid()) {
        state.SkipWithError("no temporary folder");
        return;
    }
    const QString target = dir.filePath("team.htm");
    for (auto _ : state)
        storePage(buildRosterPage(sheet), target);
}
BENCHMARK_CAPTURE(WriteHTMLAndStore, temp_folder, QDir::tempPath())->Unit(benchmark::kMicrosecond);
BENCHMARK_CAPTURE(WriteHTMLAndStore, dev_shm, QStringLiteral("/dev/shm"))->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
