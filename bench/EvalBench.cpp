// Evaluation speed of parsed expressions over 100,000 points: the compiled form, the tree walk
// and muparser on the same expressions in one run, with the ratios printed side by side; whole
// powers as the evaluator takes them beside the doubles multiplied out that it used to; and a
// 256 x 256 surface sampled through the plotting model against its 3 ms target. bench/eval-compare
// sets two commits' times side by side.
#include "bench/BeforeWholePower.h"
#include "bench/TimeReporter.h"
#include "engine/CalcEngine.h"
#include "engine/CompiledExpression.h"
#include "engine/EngineStartup.h"
#include "engine/EvaluatorKernels.h"
#include "engine/LocaleSeparators.h"
#include "plot/Plot3DScene.h"
#include "plot/SurfacePlot.h"

#include <benchmark/benchmark.h>
#include <gsl/gsl_sf_bessel.h>
#include <muParser.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

constexpr int kPoints = 100000;
constexpr int kSurfaceSize = 256;
constexpr double kSurfaceTargetMs = 3.0;
constexpr double kMuparserTarget = 1.0;

struct BenchExpression {
    const char* label;
    const char* ours;
    const char* muparser; // the same function in muparser's syntax
};

// The nested user function f(f(x)) with f(a) = a^2+1 is written out for muparser, which has no
// expression-defined functions.
const BenchExpression kExpressions[] = {
    {"linear", "x+1", "x+1"},
    {"trigonometric", "sin(x)^2+cos(x)*exp(-x/3)", "sin(x)^2+cos(x)*exp(-x/3)"},
    {"polynomial6", "3*x^6-2*x^5+x^4-4*x^3+x^2-x+7", "3*x^6-2*x^5+x^4-4*x^3+x^2-x+7"},
    {"sqrtabsln", "sqrt(abs(x))*ln(x^2+1)", "sqrt(abs(x))*ln(x^2+1)"},
    {"gaussian", "exp(-((x-2)^2)/(2*0.5^2))/(0.5*sqrt(2*PI))",
     "exp(-((x-2)^2)/(2*0.5^2))/(0.5*sqrt(2*_pi))"},
    {"rational", "(x+1)*(x-1)/(x^2+2)", "(x+1)*(x-1)/(x^2+2)"},
    {"besselj", "besselj(2,x)", "besselj(2,x)"},
    {"userfunction", "f(f(x))", "(x^2+1)^2+1"},
};

double PointAt(int i) { return 0.1 + 9.9 * i / kPoints; }

// Whole powers at the points, or at the whole numbers 1 to 10 where the result is exact.
struct WholePowerCase {
    const char* label;
    int n;
    bool wholeBases;
};

const WholePowerCase kWholePowers[] = {
    {"x^2", 2, false},   {"x^3", 3, false},   {"x^6", 6, false},
    {"x^16", 16, false}, {"x^-3", -3, false}, {"k^6 (k whole)", 6, true},
};

template <bool Now> void EvaluateWholePower(benchmark::State& state, const WholePowerCase& c)
{
    const unsigned n = unsigned(c.n < 0 ? -c.n : c.n);
    for (auto _ : state) {
        double sum = 0;
        for (int i = 0; i < kPoints; ++i) {
            const double x = c.wholeBases ? double(1 + i % 10) : PointAt(i);
            sum += Now ? SmallWholePowerOf(x, n, c.n < 0) : DoubleWholePower(x, c.n);
        }
        benchmark::DoNotOptimize(sum);
    }
}

double BesselJ(double n, double x) { return gsl_sf_bessel_Jn(int(n), x); }

// Sums f over the points, f evaluated through the compiled form or through the tree walk.
template <bool Compiled> void EvaluateOurs(benchmark::State& state, const BenchExpression& e)
{
    CCalcEngine engine;
    engine.SetExpression(e.ours);
    if (engine.Parse() != 0) {
        state.SkipWithError("parse failed");
        return;
    }
    CCompiledExpression program(engine.m_Root);
    for (auto _ : state) {
        double sum = 0;
        for (int i = 0; i < kPoints; ++i)
            if constexpr (Compiled)
                sum += program.EvaluateAt(PointAt(i));
            else
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

// The plotting model's default surface, sampled afresh on the full grid.
void SampleSurface(benchmark::State& state)
{
    CCalcEngine engine;
    CPlot3DScene scene;
    scene.m_pEngine = &engine;
    CSurfacePlot surface;
    surface.m_pOwner = &scene;
    surface.SetGridSize(kSurfaceSize, kSurfaceSize);
    for (auto _ : state) {
        surface.m_bRebuild = TRUE;
        if (surface.ComputeMesh() != 0)
            state.SkipWithError("parse failed");
    }
}

// Nanoseconds per point of a benchmark measured in milliseconds per pass; negative when absent.
double PerPoint(const TimeReporter& reporter, const char* path, const char* label)
{
    const double ms = reporter.TimeOf(std::string(path) + label);
    return ms < 0 ? ms : ms * 1e6 / kPoints;
}

void PrintRatios(const TimeReporter& reporter)
{
    std::printf("\nns per evaluation (%d points); compiled / muparser, target <= %.1f:\n", kPoints,
                kMuparserTarget);
    std::printf("  %-14s %9s %9s %9s %10s %10s\n", "expression", "compiled", "tree walk",
                "muparser", "/muparser", "/tree walk");
    for (const BenchExpression& e : kExpressions) {
        const double compiled = PerPoint(reporter, "compiled/", e.label);
        const double walked = PerPoint(reporter, "treewalk/", e.label);
        const double theirs = PerPoint(reporter, "muparser/", e.label);
        if (compiled > 0 && walked > 0 && theirs > 0)
            std::printf("  %-14s %9.1f %9.1f %9.1f %9.2fx %9.2fx%s\n", e.label, compiled, walked,
                        theirs, compiled / theirs, compiled / walked,
                        compiled / theirs > kMuparserTarget ? "  over target" : "");
    }
    std::printf("\nns per whole power (%d points), in doubles as before and as now:\n", kPoints);
    std::printf("  %-14s %9s %9s %9s\n", "power", "before", "now", "now/before");
    for (const WholePowerCase& c : kWholePowers) {
        const double before = PerPoint(reporter, "power/before/", c.label);
        const double now = PerPoint(reporter, "power/now/", c.label);
        if (before > 0 && now > 0)
            std::printf("  %-14s %9.2f %9.2f %9.2fx\n", c.label, before, now, now / before);
    }
    const double surface = reporter.TimeOf("surface256");
    if (surface > 0)
        std::printf("\n%d x %d surface: %.2f ms (target %.1f ms, %.2fx)\n", kSurfaceSize,
                    kSurfaceSize, surface, kSurfaceTargetMs, surface / kSurfaceTargetMs);
}

} // namespace

int main(int argc, char** argv)
{
    InitCalcEngine();
    UseDotSeparators();
    CCalcEngine definitions;
    definitions.DefineUserFunction("f(a) = a^2+1", false);
    for (const BenchExpression& e : kExpressions) {
        benchmark::RegisterBenchmark((std::string("compiled/") + e.label).c_str(),
                                     EvaluateOurs<true>, e)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("treewalk/") + e.label).c_str(),
                                     EvaluateOurs<false>, e)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("muparser/") + e.label).c_str(), EvaluateMuparser,
                                     e)
            ->Unit(benchmark::kMillisecond);
    }
    for (const WholePowerCase& c : kWholePowers) {
        benchmark::RegisterBenchmark((std::string("power/before/") + c.label).c_str(),
                                     EvaluateWholePower<false>, c)
            ->Unit(benchmark::kMillisecond);
        benchmark::RegisterBenchmark((std::string("power/now/") + c.label).c_str(),
                                     EvaluateWholePower<true>, c)
            ->Unit(benchmark::kMillisecond);
    }
    benchmark::RegisterBenchmark("surface256", SampleSurface)->Unit(benchmark::kMillisecond);
    // Repeated runs in random order, so that a change of load on the machine meets every
    // benchmark alike; flags on the command line come after these and win.
    std::vector<char*> args{argv[0], const_cast<char*>("--benchmark_repetitions=5"),
                            const_cast<char*>("--benchmark_enable_random_interleaving=true"),
                            const_cast<char*>("--benchmark_report_aggregates_only=true")};
    args.insert(args.end(), argv + 1, argv + argc);
    int count = int(args.size());
    benchmark::Initialize(&count, args.data());
    TimeReporter reporter(true);
    benchmark::RunSpecifiedBenchmarks(&reporter);
    PrintRatios(reporter);
    benchmark::Shutdown();
    return 0;
}
