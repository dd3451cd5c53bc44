// What the editor works out after one keystroke in a full team: the follow-up
// of costs and total, the marks and the status bar text.
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

} // namespace

BENCHMARK_MAIN();
