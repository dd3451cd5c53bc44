// The findings of a full team against its league's rules, as the editor works
// them out after every keystroke. Target: under 0.2 ms.
#include "RosterFindings.h"
#include "RulesFile.h"
#include "SamplePage.h"

#include <benchmark/benchmark.h>

namespace {

// The sample page with its five empty slots taken by Longbeards who have each
// taken a skill: sixteen players, every skill looked up.
RosterSheet fullTeam()
{
    RosterSheet sheet = samplePageSheet();
    for (int slot : {11, 13, 14, 15, 16}) {
        const QStringList cells = {"Longbeard", "4", "3", "2", "9", "Block, Tackle, Thick Skull, Guard"};
        for (int col = 0; col < cells.size(); ++col)
            sheet.setCell(SheetGrid::Players, 2 + col, slot, cells[col]);
        sheet.setCell(SheetGrid::Players, 14, slot, QStringLiteral("8"));
        sheet.setCell(SheetGrid::Players, 15, slot, QStringLiteral("70k"));
    }
    return sheet;
}

void fullTeamFindings(benchmark::State& state)
{
    const LeagueRules rules = readRulesFile(QStringLiteral(TE_SOURCE_DIR "/examples/example-league.json"));
    const RosterSheet sheet = fullTeam();
    for (auto _ : state)
        benchmark::DoNotOptimize(rosterFindings(sheet, rules));
}
BENCHMARK(fullTeamFindings)->Unit(benchmark::kMicrosecond);

} // namespace

BENCHMARK_MAIN();
