// Evaluation speed of parsed expressions over 100,000 points, side by side with muparser on the
// same expressions; prints our time / muparser time for each.
#include "engine/CalcEngine.h"
#include "engine/EngineStartup.h"
#include "engine/LocaleSeparators.h"

#include <benchmark/benchmark.h>
#include <gsl/gsl_sf_bessel.h>
#include <muParser.h>

#include <cstdio>
#include <map>
#include <string>
#include <vector>

namespace {

constexpr int kPoints = 100000;

struct BenchExpression {
    const char* label;
    const char* ours;
    const char* muparser; // the same function in muparser's syntax
};

// The nested user function f(f(x)) with f(a) = a^2+1 is written out for muparser, which has no
// expression-defined functions.
const BenchExpression kExpressions[] = {
    {"trigonometric", "sin(x)^2+cos(x)*exp(-x/3)", "sin(x)^2+cos(x)*exp(-x/3)"},
    {"polynomial6", "3*x^6-2*x^5+x^4-4*x^3+x^2-x+7", "3*x^6-2*x^5+x^4-4*x^3+x^2-x+7"},
    {"sqrtabsln", "sqrt(abs(x))*ln(x^2+1)", "sqrt(abs(x))*ln(x^2+1)"},
    {"userfunction", "f(f(x))", "(x^2+1)^2+1"},
    {"besselj", "besselj(2,x)", "besselj(2,x)"},
};

double PointAt(int i) { return 0.1 + 9.9 * i / kPoints; }

double BesselJ(double n, double x) { return gsl_sf_bessel_Jn(int(n), x); }

void EvaluateOurs(benchmark::State& state, const BenchExpression& e)
{
    CCalcEngine engine;
    engine.SetExpression(e.ours);
    if (engine.Parse() != 0) {
        state.SkipWithError("parse failed");
        return;
    }
    for (auto _ : state) {
        double sum = 0;
        for (int i = 0; i < kPoints; ++i)
            sum += engine.m_Root.EvaluateAt(PointAt(i));
        benchmark::DoNotOptimize(sum);
    }
}

void EvaluateMuparser(benchmark::State& state, const BenchExpression& e)
{
    mu::Parser parser;
    double x = 0;
    parser.DefineVar("x", &x);
    parser.DefineFun("besselj", BesselJ);
    parser.SetExpr(e.muparser);
    for (auto _ : state) {
        double sum = 0;
        for (int i = 0; i < kPoints; ++i) {
            x = PointAt(i);
            sum += parser.Eval();
        }
        benchmark::DoNotOptimize(sum);
    }
}

// Keeps each run's time per iteration so that the ratios can be printed at the end.
class RatioReporter : public benchmark::ConsoleReporter {
public:
    void ReportRuns(const std::vector<Run>& runs) override
    {
        // With repetitions the median stands for the expression; a single run stands for itself.
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                m_times[run.run_name.function_name] = run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    void PrintRatios() const
    {
        std::printf("\nours / muparser per expression (%d points):\n", kPoints);
        for (const BenchExpression& e : kExpressions) {
            const auto ours = m_times.find(std::string("ours/") + e.label);
            const auto theirs = m_times.find(std::string("muparser/") + e.label);
            if (ours != m_times.end() && theirs != m_times.end() && theirs->second > 0)
                std::printf("  %-14s %6.2f\n", e.label, ours->second / theirs->second);
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
    CCalcEngine definitions;
    definitions.DefineUserFunction("f(a) = a^2+1", false);
    for (const BenchExpression& e : kExpressions) {
        benchmark::RegisterBenchmark((std::string("ours/") + e.label).c_str(), EvaluateOurs, e)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("muparser/") + e.label).c_str(), EvaluateMuparser,
                                     e)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::Initialize(&argc, argv);
    RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.PrintRatios();
    benchmark::Shutdown();
    return 0;
}
