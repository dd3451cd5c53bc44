#include "RosterCsv.h"
#include "RosterPaper.h"
#include "SamplePage.h"

#include <QGuiApplication>
#include <benchmark/benchmark.h>

namespace {

// Layout, fit and PDF of the sample page, as File, Export PDF makes it.
void samplePdf(benchmark::State& state)
{
    const RosterSheet sample = samplePageSheet();
    for (auto _ : state) {
        const QByteArray pdf = rosterPdf(RosterPaper(sample));
        benchmark::DoNotOptimize(pdf.data());
    }
}
BENCHMARK(samplePdf)->Unit(benchmark::kMillisecond);

// The layout and fit alone.
void sampleLayout(benchmark::State& state)
{
    const RosterSheet sample = samplePageSheet();
    for (auto _ : state) {
        const RosterPaper paper(sample);
        benchmark::DoNotOptimize(paper.fontPointSize());
    }
}
BENCHMARK(sampleLayout)->Unit(benchmark::kMillisecond);

void sampleCsv(benchmark::State& state)
{
    const RosterSheet sample = samplePageSheet();
    for (auto _ : state) {
        const std::string csv = rosterCsv(rosterTexts(sample));
        benchmark::DoNotOptimize(csv.data());
    }
}
BENCHMARK(sampleCsv)->Unit(benchmark::kMicrosecond);

} // namespace

int main(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication application(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
