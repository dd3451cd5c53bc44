// What the editor works out after one keystroke in a full team: the follow-up
// of costs and total, the marks and the status bar text.
#include "SheetBuilder.h"
#include "SheetTotals.h"
#include "TotalsFollower.h"

#include <benchmark/benchmark.h>

namespace {

MoneyTexts fullTeam()
{
    MoneyTexts texts;
    for (std::size_t i = 0; i < texts.playerCosts.size(); ++i)
        texts.playerCosts[i] = std::to_string(50 + 10 * (i % 8)) + "k";
    for (StaffLineTexts& line : texts.lines)
        line = {"3", "x $40k =", "120k"};
    texts.teamCost = formatMoneyLike(teamSum(texts).value.amount, "1,000k");
    texts.treasury = "40k";
    return texts;
}

// A count typed over and over: every keystroke moves a line cost and the total.
void countKeystroke(benchmark::State& state)
{
    TotalsFollower follower;
    follower.reset(fullTeam());
    const MoneyCell count{MoneyCell::Kind::LineCount, static_cast<int>(StaffLine::ReRolls)};
    int keystroke = 0;
    for (auto _ : state) {
        const auto changes = follower.edited(count, std::to_string(keystroke++ % 9));
        benchmark::DoNotOptimize(changes);
        benchmark::DoNotOptimize(moneyMarks(follower.texts()));
        benchmark::DoNotOptimize(teamValueStatus(follower.texts()));
    }
}
BENCHMARK(countKeystroke);

// A player's value typed letter by letter.
void playerValueKeystroke(benchmark::State& state)
{
    TotalsFollower follower;
    follower.reset(fullTeam());
    const MoneyCell cost{MoneyCell::Kind::PlayerCost, 10};
    const std::string typed = "$1,250,000";
    std::size_t length = 0;
    for (auto _ : state) {
        length = length % typed.size() + 1;
        const auto changes = follower.edited(cost, typed.substr(0, length));
        benchmark::DoNotOptimize(changes);
        benchmark::DoNotOptimize(moneyMarks(follower.texts()));
        benchmark::DoNotOptimize(teamValueStatus(follower.texts()));
    }
}
BENCHMARK(playerValueKeystroke);

// The same keystroke through a roster sheet of a full team, as the window
// makes it: the count's change reported, the follow-up written back through
// the sheet and heard by every observer, marks and status worked out.
void sheetKeystroke(benchmark::State& state)
{
    // Only money and counts matter here: sixteen players' values and every staff line.
    TTeam team = newTeam();
    team.ReRolls = 3;
    team.ReRollPriceText = "x $40k =";
    team.ReRollCostText = "120k";
    team.FanFactor = 7;
    team.AssistantCoaches = 2;
    team.Cheerleaders = 3;
    team.HasApothecary = team.HasWizard = true;
    for (int slot = 1; slot <= PlayerSlotCount; ++slot)
        team.Players[slot].PlayerCost = std::to_string(50 + 10 * (slot % 8)) + "k";
    RosterSheet sheet;
    SheetTotals totals(sheet);
    RosterSheet shown = buildSheet(team, MatchRecord{}, TextEncoding::Utf8);
    // A total that states the team value, so that it follows every keystroke.
    const GoldPieces value = teamSum(moneyTextsOf(shown)).value.amount;
    shown.setCell(SheetGrid::Details, 1, 5, QString::fromStdString(formatMoneyLike(value, "1,000k")));
    sheet.replaceWith(shown);
    int keystroke = 0;
    const QString counts[] = {"1", "2", "3", "4", "5", "6", "7", "8", "9"};
    for (auto _ : state) {
        sheet.setCell(SheetGrid::Extras, 1, 0, counts[keystroke++ % 9]);
        benchmark::DoNotOptimize(totals.status());
    }
}
BENCHMARK(sheetKeystroke);

} // namespace

BENCHMARK_MAIN();
