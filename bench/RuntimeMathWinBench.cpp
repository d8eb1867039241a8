// The cost of accurate elementary functions in the Windows program under Wine, Release build,
// median of 9 runs:
//   1. ns per evaluation of expressions through the engine's compiled form over 100,000 points,
//      with the C runtime's functions routed to numeric/RuntimeMath.cpp as in the program;
//   2. each routed function beside the runtime's own on the same arguments, with the ratio (the
//      runtime's own asin, acos, atan, sinh, cosh, tanh, log10, tan and hypot are those of the
//      system's runtime library, which the program no longer imports);
//   3. whole powers as the evaluator takes them beside the doubles multiplied out it used before;
//   4. a switch of the rounding up and back, by the runtime's fesetround and by the program's own
//      (a root scan asks for one at nearly every point).
// Run: tools/wine-run build-win-bench/bench/RuntimeMathWinBench.exe
#include "bench/BeforeWholePower.h"
#include "bench/PlainTiming.h"
#include "engine/CalcEngine.h"
#include "engine/CompiledExpression.h"
#include "engine/EngineStartup.h"
#include "engine/EvaluatorKernels.h"
#include "engine/LocaleSeparators.h"
#include "numeric/RoundingMode.h"

#include <cfenv>
#include <cmath>
#include <cstdio>

extern "C" {
// The runtime's own functions, which the link keeps under these names.
double __real_sin(double);
double __real_cos(double);
double __real_pow(double, double);
double __real_acosh(double);
double __real_tan(double);
double __real_asin(double);
double __real_acos(double);
double __real_atan(double);
double __real_sinh(double);
double __real_cosh(double);
double __real_tanh(double);
double __real_log10(double);
double __real_hypot(double, double);
}

namespace {

constexpr int kRuns = 9;
constexpr int kPoints = 100000;

volatile double g_sink;

double PointIn(double low, double high, int i) { return low + (high - low) * i / kPoints; }

struct Expression {
    const char* text;
    double low, high; // the range of x
};

void TimeExpressions()
{
    const Expression expressions[] = {
        {"sin(x)^2+cos(x)*exp(-x/3)", 0.1, 10},
        {"sin(x)", 0.1, 10},
        {"sin(1000*x)", 0.1, 10},
        {"x^2.5", 0.1, 10},
        {"x^20", 0.1, 10},
        {"(1+x/100)^360", 0.1, 10},
        {"BESSELJ(0, 1000*x)", 0.1, 10},
        {"ACOSH(1+x/10)", 0.1, 10},
    };
    std::printf("ns per evaluation, compiled form, %d points:\n", kPoints);
    for (const Expression& e : expressions) {
        CCalcEngine engine;
        engine.SetExpression(e.text);
        if (engine.Parse() != 0) {
            std::printf("  %-28s does not parse\n", e.text);
            continue;
        }
        CCompiledExpression program(engine.m_Root);
        const double ms = MedianMs(kRuns, [&] {
            double sum = 0;
            for (int i = 0; i < kPoints; ++i)
                sum += program.EvaluateAt(PointIn(e.low, e.high, i));
            g_sink = sum;
        });
        std::printf("  %-28s x in [%g, %g]  %8.1f\n", e.text, e.low, e.high, ms * 1e6 / kPoints);
    }
}

struct Pair {
    const char* what;
    double (*routed)(double);
    double (*runtime)(double);
    double low, high;
};

template <class F> double TimeOver(F f, double low, double high)
{
    return MedianMs(kRuns,
                    [&] {
                        double sum = 0;
                        for (int i = 0; i < kPoints; ++i)
                            sum += f(PointIn(low, high, i));
                        g_sink = sum;
                    }) *
           1e6 / kPoints;
}

void TimeFunctions()
{
    const Pair pairs[] = {
        {"sin", [](double x) { return std::sin(x); }, __real_sin, 0.1, 10},
        {"sin", [](double x) { return std::sin(x); }, __real_sin, 1e3, 1e4},
        {"sin", [](double x) { return std::sin(x); }, __real_sin, 1e15, 1e16},
        {"cos", [](double x) { return std::cos(x); }, __real_cos, 0.1, 10},
        {"pow(x, 2.5)", [](double x) { return std::pow(x, 2.5); },
         [](double x) { return __real_pow(x, 2.5); }, 0.1, 10},
        {"pow(x, 10)", [](double x) { return std::pow(x, 10.0); },
         [](double x) { return __real_pow(x, 10.0); }, 0.1, 10},
        {"pow(1+x/100, 360)", [](double x) { return std::pow(1 + x / 100, 360.0); },
         [](double x) { return __real_pow(1 + x / 100, 360.0); }, 0.1, 10},
        {"acosh", [](double x) { return std::acosh(x); }, __real_acosh, 1, 2},
        {"acosh", [](double x) { return std::acosh(x); }, __real_acosh, 2, 100},
        {"tan", [](double x) { return std::tan(x); }, __real_tan, 0.1, 10},
        {"tan", [](double x) { return std::tan(x); }, __real_tan, 1e3, 1e4},
        {"asin", [](double x) { return std::asin(x); }, __real_asin, -1, 1},
        {"acos", [](double x) { return std::acos(x); }, __real_acos, -1, 1},
        {"atan", [](double x) { return std::atan(x); }, __real_atan, -10, 10},
        {"sinh", [](double x) { return std::sinh(x); }, __real_sinh, -10, 10},
        {"cosh", [](double x) { return std::cosh(x); }, __real_cosh, -10, 10},
        {"tanh", [](double x) { return std::tanh(x); }, __real_tanh, -10, 10},
        {"log10", [](double x) { return std::log10(x); }, __real_log10, 0.1, 10},
        {"hypot(x, 1.5)", [](double x) { return std::hypot(x, 1.5); },
         [](double x) { return __real_hypot(x, 1.5); }, -10, 10},
    };
    std::printf("\nns per call, accurate (as the program calls it) beside the runtime's own:\n");
    std::printf("  %-20s %-16s %9s %9s %7s\n", "function", "x in", "accurate", "runtime", "ratio");
    for (const Pair& p : pairs) {
        const double routed = TimeOver(p.routed, p.low, p.high);
        const double runtime = TimeOver(p.runtime, p.low, p.high);
        char range[32];
        std::snprintf(range, sizeof range, "[%g, %g]", p.low, p.high);
        std::printf("  %-20s %-16s %9.1f %9.1f %6.2fx\n", p.what, range, routed, runtime,
                    routed / runtime);
    }
}

void TimeWholePowers()
{
    std::printf("\nns per whole power x^n, x in [0.1, 10], in doubles as before and as now:\n");
    std::printf("  %-6s %9s %9s %7s\n", "n", "before", "now", "ratio");
    for (int n : {2, 3, 6, 16, -3, 40}) {
        const unsigned size = unsigned(n < 0 ? -n : n);
        const double before = TimeOver([n](double x) { return DoubleWholePower(x, n); }, 0.1, 10);
        const double now = TimeOver(
            [n, size](double x) {
                return size <= 16 ? SmallWholePowerOf(x, size, n < 0) : std::pow(x, double(n));
            },
            0.1, 10);
        std::printf("  %-6d %9.1f %9.1f %6.2fx\n", n, before, now, now / before);
    }
}

void TimeRoundingSwitch()
{
    const auto perSwitch = [](auto get, auto set) {
        return TimeOver(
            [&](double x) {
                const int kept = get();
                set(FE_UPWARD);
                const double y = x * 3.0;
                set(kept);
                return y;
            },
            0.1, 10);
    };
    const double before =
        perSwitch([] { return std::fegetround(); }, [](int mode) { std::fesetround(mode); });
    const double now = perSwitch(CurrentRounding, SetRounding);
    std::printf("\nns per switch of the rounding up and back:\n");
    std::printf("  %9s %9s %7s\n", "fesetround", "own", "ratio");
    std::printf("  %9.1f %9.1f %6.3fx\n", before, now, now / before);
}

} // namespace

int main()
{
    InitCalcEngine();
    UseDotSeparators();
    TimeExpressions();
    TimeFunctions();
    TimeWholePowers();
    TimeRoundingSwitch();
    return 0;
}
