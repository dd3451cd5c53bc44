// Reading roster pages: the sample page, pages of 10 MB in 100,000 lines, and
// the tag pass over a line made of nothing but tags.
#include "LineCleanup.h"
#include "RosterReader.h"

#include <benchmark/benchmark.h>

#include <fstream>
#include <iterator>

namespace {

std::string sampleBytes()
{
    std::ifstream file(TE_SOURCE_DIR "/examples/sample-roster.htm", std::ios::binary);
    return std::string(std::istreambuf_iterator<char>(file), std::istreambuf_iterator<char>());
}

// The team part of the sample page, then rows of 100 bytes each (CR LF
// included) up to 100,000 lines in all.
std::string largePage(const std::string& header, const std::string& (*rowFor)(int))
{
    std::string page = header;
    const std::size_t headerLines = static_cast<std::size_t>(std::count(header.begin(), header.end(), '\n'));
    for (std::size_t i = headerLines; i < 100000; ++i)
        page += rowFor(static_cast<int>(i));
    return page;
}

std::string padded(std::string row)
{
    if (row.size() < 98)
        row.insert(row.rfind("</TD>"), 98 - row.size(), '.');
    return row + "\r\n";
}

const std::string& gameRow(int i)
{
    static std::string row;
    row = padded("<TR><TD>W</TD><TD>Opp " + std::to_string(i) +
                 "</TD><TD>Orc</TD><TD>2-1</TD><TD>1-0</TD><TD>n</TD></TR>");
    return row;
}

// Cells opened but not closed keep the row within 100 bytes.
const std::string& playerRow(int i)
{
    static std::string row;
    row = padded("<TR><TD>" + std::to_string(i % 9 + 1) +
                 "<TD>P<TD>L<TD>6<TD>3<TD>3<TD>8<TD>B<TD><TD>1<TD>2<TD>0<TD>1<TD>0<TD>5<TD>50k</TD></TR>");
    return row;
}

std::string sampleHead(std::size_t lineCount)
{
    const std::string sample = sampleBytes();
    std::size_t end = 0;
    for (std::size_t i = 0; i < lineCount; ++i)
        end = sample.find('\n', end) + 1;
    return sample.substr(0, end);
}

void readBytes(benchmark::State& state, const std::string& bytes)
{
    for (auto _ : state) {
        TTeam team;
        MatchRecord record;
        readRosterPage(splitPageBytes(bytes), team, record);
        benchmark::DoNotOptimize(team);
        benchmark::DoNotOptimize(record);
    }
    state.SetBytesProcessed(static_cast<std::int64_t>(state.iterations() * bytes.size()));
}

void readSamplePage(benchmark::State& state)
{
    readBytes(state, sampleBytes());
}

// A match record of almost 100,000 games: every line adds a grid row.
void readLargeMatchRecord(benchmark::State& state)
{
    readBytes(state, largePage(sampleHead(38) + "<P><P>Match Record<P></FONT>\r\n", gameRow));
}

// A player table that never ends: every line is read as a player row.
void readLargePlayerTable(benchmark::State& state)
{
    readBytes(state, largePage(sampleHead(13), playerRow));
}

void removeHtmlOfManyTags(benchmark::State& state)
{
    std::string line;
    for (int i = 0; i < 1365; ++i)
        line += "<a>";
    line += 'x';
    for (auto _ : state)
        benchmark::DoNotOptimize(RemoveHTML(line));
}

} // namespace

BENCHMARK(readSamplePage)->Unit(benchmark::kMicrosecond);
BENCHMARK(readLargeMatchRecord)->Unit(benchmark::kMillisecond);
BENCHMARK(readLargePlayerTable)->Unit(benchmark::kMillisecond);
BENCHMARK(removeHtmlOfManyTags)->Unit(benchmark::kMicrosecond);

BENCHMARK_MAIN();
