// Workspace lines through the line command, as Enter hands them over: plain evaluations, a
// definition, a store and a symbolic derivative. Prints each line's time beside the 50 us
// target with the ratio (above 1 misses it).
#include "app/LineCommand.h"
#include "bench/TimeReporter.h"
#include "engine/CalcEngine.h"
#include "engine/EngineStartup.h"
#include "engine/LocaleSeparators.h"
#include "plot/AnalysisResult.h"
#include "plot/FunctionPlot.h"
#include "plot/Plot2D.h"
#include "plot/SurfacePlot.h"

#include <cstdio>
#include <memory>

namespace {

constexpr double kTargetMicroseconds = 50;

const char* const kLines[] = {
    "2+3*4",      "sin(3)^2+cos(3)*exp(-1/3)", "a = sin(3)+cos(3)", "sin(3)+cos(3) -> v",
    "sdiff(x^3)", "  ' a comment line",
};

class DiscardingHost : public ILineCommandHost {
public:
    int GetSelectedKind() const override { return 16; }
    void RefreshGrid() override {}
    void AddResultItem(int, CObject* pObject) override { delete pObject; }
    void ShowMessage(const CString&) override {}
};

void RunLine(benchmark::State& state, const char* line)
{
    CCalcEngine engine;
    CAnalysisResult result;
    CPlot2D plot;
    CFunctionPlot graph;
    CSurfacePlot surface;
    DiscardingHost host;
    LineCommand command(engine, result, plot, graph, surface, host);
    for (auto _ : state) {
        command.ExecuteLine(line);
        benchmark::DoNotOptimize(result.GetText());
    }
    if (command.GetError().nCode != 0)
        state.SkipWithError("the line failed");
}

} // namespace

int main(int argc, char** argv)
{
    InitCalcEngine();
    UseDotSeparators();
    for (const char* line : kLines)
        benchmark::RegisterBenchmark(line, RunLine, line)->Unit(benchmark::kMicrosecond);
    benchmark::Initialize(&argc, argv);
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    std::printf("\ntime / target (%.0f us per line):\n", kTargetMicroseconds);
    for (const char* line : kLines) {
        double us = reporter.TimeOf(line);
        if (us >= 0)
            std::printf("  %-28s %8.2f us  ratio %5.3f\n", line, us, us / kTargetMicroseconds);
    }
    benchmark::Shutdown();
    return 0;
}
