// Importing pages of other roster tools: each real page, and pages of 10 MB
// made of a real page and a long match record, or of a real page buried in
// mark-up that holds no roster.
#include "RosterImporter.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>

namespace {

std::string corpusPage(const char* name)
{
    std::ifstream file(std::string(TE_SOURCE_DIR "/../shared/corpus/real/") + name, std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

constexpr std::size_t TenMegabytes = 10u << 20;

void importBytes(benchmark::State& state, const std::string& bytes)
{
    if (bytes.empty()) {
        state.SkipWithError("page not found");
        return;
    }
    for (auto _ : state)
        benchmark::DoNotOptimize(importRosterPage(bytes));
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void importUpperCasePage(benchmark::State& state)
{
    importBytes(state, corpusPage("creator-tool-upper-case.htm"));
}

void importSplitStaffRowsPage(benchmark::State& state)
{
    importBytes(state, corpusPage("creator-tool-split-staff-rows.htm"));
}

void importWebAppFragment(benchmark::State& state)
{
    importBytes(state, corpusPage("web-app-fragment.htm"));
}

void importLeagueSitePage(benchmark::State& state)
{
    importBytes(state, corpusPage("league-site-half-pints.html"));
}

// The roster page, then a match record of games up to 10 MB.
void importLongMatchRecord(benchmark::State& state)
{
    std::string page = corpusPage("creator-tool-upper-case.htm");
    page += "<H2>Match "
            "Record</H2><TABLE><TR><TH>Result</TH><TH>Opponent</TH><TH>Score</TH><TH>Notes</TH></TR>\r\n";
    for (int i = 0; page.size() < TenMegabytes; ++i)
        page += "<TR><TD>W</TD><TD>Opponent " + std::to_string(i) +
                "</TD><TD>2-1</TD><TD>A hard game</TD></TR>\r\n";
    page += "</TABLE>";
    importBytes(state, page);
}

// The web fragment after 10 MB of navigation, lists and prose.
void importBuriedFragment(benchmark::State& state)
{
    const std::string fragment = corpusPage("web-app-fragment.htm");
    std::string page;
    for (int i = 0; page.size() + fragment.size() < TenMegabytes; ++i)
        page += "<div class='team'><div class='name'><a href='/teams/" + std::to_string(i) +
                "'>Team</a></div><p>Some words about <b>the team</b> and its coach.</p></div>\n";
    page += fragment;
    importBytes(state, page);
}

} // namespace

BENCHMARK(importUpperCasePage)->Unit(benchmark::kMicrosecond);
BENCHMARK(importSplitStaffRowsPage)->Unit(benchmark::kMicrosecond);
BENCHMARK(importWebAppFragment)->Unit(benchmark::kMicrosecond);
BENCHMARK(importLeagueSitePage)->Unit(benchmark::kMicrosecond);
BENCHMARK(importLongMatchRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(importBuriedFragment)->Unit(benchmark::kMillisecond);

BENCHMARK_MAIN();
