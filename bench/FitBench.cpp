// Speed of the fits on large data: straight-line and quartic fits of 1,000,000 points and the
// logistic model on 10,000 noisy points (model set up and fitted), and the inverse of a 200 x 200
// matrix; prints each time against its target.
#include "analysis/DataTable.h"
#include "analysis/LinearFit.h"
#include "analysis/MatrixObject.h"
#include "analysis/NonlinearFit.h"
#include "bench/TimeReporter.h"
#include "engine/EngineStartup.h"
#include "engine/LocaleSeparators.h"
#include "plot/AnalysisResult.h"
#include "tests/support/TestRandom.h"

#include <benchmark/benchmark.h>

#include <cmath>
#include <cstdint>
#include <cstdio>
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
    {"inverse/200", 50},
};

// A table of layout 2 with n points of the curve plus noise, each with that deviation.
void FillTable(CDataTable& table, int n, double lo, double hi, double (*curve)(double),
               double noise)
{
    TestRandom random(12345);
    table.SetName("Bench");
    table.Create(TableLayoutXYSig, 0, n);
    double* x = table.GetColumn(0)->GetData();
    double* y = table.GetColumn(1)->GetData();
    double* s = table.GetColumn(2)->GetData();
    for (int i = 1; i <= n; ++i) {
        x[i] = lo + (hi - lo) * (i - 1) / (n - 1);
        y[i] = curve(x[i]) + noise * random.Between(-1, 1);
        s[i] = noise;
    }
}

double Line(double x) { return 3 - 0.5 * x; }
double Quartic(double x) { return 0.01 * x * x * x * x - 0.2 * x * x * x + x - 4; }
double Logistic(double x) { return 10 / (1 + 20 * std::exp(-0.8 * x)) + 1; }

void LinearFit(benchmark::State& state, int model, double (*curve)(double))
{
    CDataTable table;
    FillTable(table, 1000000, -10, 10, curve, 0.1);
    for (auto _ : state) {
        CLinearFit fit;
        fit.SetTable(&table);
        fit.SetModel(model);
        CAnalysisResult report;
        if (fit.Fit(&report) != 0)
            state.SkipWithError("fit failed");
    }
}

void LogisticFit(benchmark::State& state)
{
    CDataTable table;
    FillTable(table, 10000, -2, 10, Logistic, 0.2);
    const double starts[] = {12, 16, -0.7, 1.2}; // within 20 % of 10, 20, -0.8, 1
    for (auto _ : state) {
        CNonlinearFit fit;
        fit.SetModel("a/(1+b*exp(c*x))+d");
        fit.SetTable(&table);
        for (int i = 0; i < 4; ++i) {
            fit.SetAuto(i, FALSE);
            fit.SetInitialValue(i, starts[i]);
        }
        if (fit.Fit() != 0)
            state.SkipWithError("fit failed");
    }
}

void Inverse(benchmark::State& state)
{
    const int n = 200;
    TestRandom random(12345);
    CMatrixObject matrix;
    matrix.Resize(n, n, FALSE);
    for (int i = 1; i <= n; ++i)
        for (int j = 1; j <= n; ++j)
            matrix.SetAt(i, j, random.Between(-1, 1));
    for (auto _ : state) {
        CMatrixObject inverse;
        inverse.Copy(matrix);
        if (inverse.Invert() != 0)
            state.SkipWithError("inverse failed");
    }
}

void PrintRatios(const TimeReporter& reporter)
{
    std::printf("\ntime / target:\n");
    for (const BenchCase& c : kCases) {
        const double ms = reporter.TimeOf(c.label);
        if (ms >= 0)
            std::printf("  %-16s %8.1f ms  target %5.0f ms  ratio %5.2f\n", c.label, ms, c.targetMs,
                        ms / c.targetMs);
    }
}

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
    benchmark::RegisterBenchmark(kCases[3].label, Inverse)->Unit(benchmark::kMillisecond);
    benchmark::Initialize(&argc, argv);
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter);
    benchmark::Shutdown();
    return 0;
}
