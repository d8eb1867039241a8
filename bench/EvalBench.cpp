// Evaluation speed of parsed expressions over 100,000 points, side by side with muparser on the
// same expressions; prints our time / muparser time for each.
#include "bench/TimeReporter.h"
#include "engine/CalcEngine.h"
#include "engine/EngineStartup.h"
#include "engine/LocaleSeparators.h"

#include <benchmark/benchmark.h>
#include <gsl/gsl_sf_bessel.h>
#include <muParser.h>

#include <cstdio>
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

void PrintRatios(const TimeReporter& reporter)
{
    std::printf("\nours / muparser per expression (%d points):\n", kPoints);
    for (const BenchExpression& e : kExpressions) {
        const double ours = reporter.TimeOf(std::string("ours/") + e.label);
        const double theirs = reporter.TimeOf(std::string("muparser/") + e.label);
        if (ours >= 0 && theirs > 0)
            std::printf("  %-14s %6.2f\n", e.label, ours / theirs);
    }
}

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
    TimeReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter);
    benchmark::Shutdown();
    return 0;
}
