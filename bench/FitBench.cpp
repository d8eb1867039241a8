// Speed of the fits on large data: straight-line and quartic fits of 1,000,000 points and the
// logistic model on 10,000 noisy points (model set up and fitted); prints each time against its
// target.
#include "analysis/FitSample.h"
#include "analysis/LinearFit.h"
#include "analysis/NonlinearFit.h"
#include "engine/EngineStartup.h"
#include "engine/LocaleSeparators.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
#include <map>
#include <string>

namespace {

struct BenchCase {
    const char* label;
    double targetMs;
};

const BenchCase kCases[] = {
    {"line/1000000", 100},
    {"quartic/1000000", 100},
    {"logistic/10000", 200},
};

// Repeatable noise in [-1, 1).
class Noise {
public:
    double Next()
    {
        m_state = m_state * 6364136223846793005ULL + 1442695040888963407ULL;
        return double(m_state >> 11) * (2.0 / 9007199254740992.0) - 1.0;
    }

private:
    std::uint64_t m_state = 12345;
};

FitSample Points(int n, double lo, double hi, double (*curve)(double), double noise)
{
    Noise random;
    FitSample sample;
    sample.Resize(n);
    for (int i = 1; i <= n; ++i) {
        const double x = lo + (hi - lo) * (i - 1) / (n - 1);
        sample.x[std::size_t(i)] = x;
        sample.y[std::size_t(i)] = curve(x) + noise * random.Next();
        sample.s[std::size_t(i)] = noise;
    }
    return sample;
}

double Line(double x) { return 3 - 0.5 * x; }
double Quartic(double x) { return 0.01 * x * x * x * x - 0.2 * x * x * x + x - 4; }
double Logistic(double x) { return 10 / (1 + 20 * std::exp(-0.8 * x)) + 1; }

void LinearFit(benchmark::State& state, int model, double (*curve)(double))
{
    const FitSample sample = Points(1000000, -10, 10, curve, 0.1);
    for (auto _ : state) {
        CLinearFit fit;
        fit.SetModel(model);
        if (fit.FitPoints(sample) != 0)
            state.SkipWithError("fit failed");
    }
}

void LogisticFit(benchmark::State& state)
{
    const FitSample sample = Points(10000, -2, 10, Logistic, 0.2);
    const double starts[] = {12, 16, -0.7, 1.2}; // within 20 % of 10, 20, -0.8, 1
    for (auto _ : state) {
        CNonlinearFit fit;
        fit.SetModel("a/(1+b*exp(c*x))+d");
        for (int i = 0; i < 4; ++i) {
            fit.SetAuto(i, FALSE);
            fit.SetInitialValue(i, starts[i]);
        }
        if (fit.FitPoints(sample) != 0)
            state.SkipWithError("fit failed");
    }
}

// Keeps each case's time so that the ratios to the targets can be printed at the end.
class TargetReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                m_times[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatios() const
    {
        std::printf("\ntime / target:\n");
        for (const BenchCase& c : kCases) {
            const auto found = m_times.find(c.label);
            if (found != m_times.end())
                std::printf("  %-16s %8.1f ms  target %5.0f ms  ratio %5.2f\n", c.label,
                            found->second, c.targetMs, found->second / c.targetMs);
        }
    }

private:
    std::map<std::string, double> m_times;
};

} // namespace

int main(int argc, char** argv)
{
    InitCalcEngine();
    UseDotSeparators();
    benchmark::RegisterBenchmark(kCases[0].label, LinearFit, 0, Line)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(kCases[1].label, LinearFit, 6, Quartic)
        ->Unit(benchmark::kMillisecond);
    benchmark::RegisterBenchmark(kCases[2].label, LogisticFit)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    TargetReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
