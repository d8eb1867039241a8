// Parsing speed of typical workspace lines: text to tree, as every Enter, graph and grid edit
// does it.
#include "engine/CalcEngine.h"
#include "engine/EngineStartup.h"

#include <benchmark/benchmark.h>

namespace {

// About 40 characters with three function calls, the size of a usual workspace line.
constexpr const char* TypicalLine = "sin(x)^2 + 3.5*logn(2, x+1) - sqrt(abs(y))";

void ParseLine(benchmark::State& state, const char* text)
{
    static bool started = (InitCalcEngine(), true);
    (void)started;
    CCalcEngine engine;
    engine.AppendVariable("a", 1);
    for (auto _ : state) {
        engine.SetExpression(text);
        int code = engine.Parse();
        benchmark::DoNotOptimize(code);
    }
    state.SetLabel(text);
}

void BM_ParseTypicalLine(benchmark::State& state) { ParseLine(state, TypicalLine); }
void BM_ParseNumber(benchmark::State& state) { ParseLine(state, "1.25e-3"); }
void BM_ParsePolynomial(benchmark::State& state)
{
    ParseLine(state, "3*x^6 - 2*x^5 + x^4 - 7*x^3 + 0.5*x^2 - x + a");
}
void BM_ParseNested(benchmark::State& state)
{
    ParseLine(state, "max(1, min(2, sum(3, 4, 5, (6+7)*(8-9)/((10)))))");
}

} // namespace

BENCHMARK(BM_ParseTypicalLine);
BENCHMARK(BM_ParseNumber);
BENCHMARK(BM_ParsePolynomial);
BENCHMARK(BM_ParseNested);
BENCHMARK_MAIN();
