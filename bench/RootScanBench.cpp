// Root scans as users run them: solver models over their own intervals and a new model's
// -1e300 .. 1e300, Find Zeros and FZERO, on equations with roots, without, with poles and jumps,
// with roots in rounding noise and with many roots. Built against two versions of the engine,
// the same cases give the ratios of their times side by side.
#include "engine/CalcEngine.h"
#include "engine/EngineStartup.h"
#include "engine/EvaluationWork.h"
#include "engine/LocaleSeparators.h"
#include "engine/SolverModel.h"

#include <benchmark/benchmark.h>

#include <cstdio>
#include <string>
#include <vector>

namespace {

struct ScanBench {
    const char* label;
    char scan; // 'M' a solver model, 'Z' Find Zeros, 'F' FZERO on [a, b]
    const char* equation;
    double a, b;
    int decimals, steps;
};

const ScanBench kScans[] = {
    {"x^2 = 2, new model", 'M', "x^2 = 2", -1e300, 1e300, 2, 200},
    {"x^2 = 2, 10000 steps", 'M', "x^2 = 2", -10, 10, 5, 10000},
    {"x^2+1 = 0, 10000 steps", 'M', "x^2+1 = 0", -10, 10, 5, 10000},
    {"sin(x) = 0.5 on +-1000", 'M', "sin(x) = 0.5", -1000, 1000, 8, 10000},
    {"tan(x) = 1, 10000 steps", 'M', "tan(x) = 1", -10, 10, 5, 10000},
    {"floor(x) = 0.5", 'M', "floor(x) = 0.5", -10, 10, 5, 10000},
    {"exp(x) = 1e6, 15 decimals", 'M', "exp(x) = 1e6", -10, 40, 15, 1000},
    {"(x+1e12)-1e12 = 3.22787", 'M', "(x+1e12)-1e12 = 3.22787", 0, 10, 5, 1000},
    {"sin(1000*x)+2 = 0, 10000 steps", 'M', "sin(1000*x)+2 = 0", -10, 10, 5, 10000},
    {"ln(sin(x)) = -0.1, new model", 'M', "ln(sin(x)) = -0.1", -1e300, 1e300, 2, 200},
    // Sines of numbers up to 1e300, and tens of thousands of roots where the doubles are sparse.
    {"ln(sin(x)) = -0.1, new model, 10000 steps", 'M', "ln(sin(x)) = -0.1", -1e300, 1e300, 5,
     10000},
    {"tan(x) = 1, new model", 'M', "tan(x) = 1", -1e300, 1e300, 5, 1000},
    {"x^3-6x^2+11x-6 = 0, new model", 'M', "x^3-6*x^2+11*x-6 = 0", -1e300, 1e300, 2, 200},
    {"(x-1)(x-1.1)(x-1.2) = 0, new model", 'M', "(x-1)*(x-1.1)*(x-1.2) = 0", -1e300, 1e300, 5, 200},
    // No roots in a new model: what looking inside the steps for turns toward 0 costs.
    {"sin(x)^2+1e-20 = 0, new model", 'M', "sin(x)^2+1e-20 = 0", -1e300, 1e300, 5, 200},
    {"cos(x)+1.000001 = 0, new model", 'M', "cos(x)+1.000001 = 0", -1e300, 1e300, 5, 200},
    {"abs(sin(x))+1e-3 = 0, new model", 'M', "abs(sin(x))+1e-3 = 0", -1e300, 1e300, 5, 200},
    {"sin(x)^2+1e-20 = 0, new model, 10000 steps", 'M', "sin(x)^2+1e-20 = 0", -1e300, 1e300, 15,
     10000},
    // Values within rounding noise of 0 all along, and a pair beside every gap in the domain.
    {"(x+1000)-1000-x = -1e-14, 10000 steps", 'M', "(x+1000)-1000-x = -1e-14", -10, 10, 15, 10000},
    {"ln(sin(x)) = -0.1 on 0..30000", 'M', "ln(sin(x)) = -0.1", 0, 30000, 5, 10000},
    {"Find Zeros sin(x) on +-1000", 'Z', "sin(x)", -1000, 1000, 5, 10000},
    {"Find Zeros ln(x)+3", 'Z', "ln(x)+3", -10, 10, 5, 200},
    {"Find Zeros tanh(x)-1", 'Z', "tanh(x)-1", 0, 100, 5, 200},
    {"FZERO x^2-2", 'F', "x^2-2", 0, 2, 5, 0},
    {"FZERO x^5", 'F', "x^5", -0.7, 6.1, 15, 0},
};

std::string Number(double x)
{
    char text[32];
    std::snprintf(text, sizeof text, "%.17g", x);
    return text;
}

int Run(const ScanBench& s, std::vector<double>& roots)
{
    roots.clear();
    if (s.scan == 'M') {
        CSolverModel model;
        model.SetEquation(s.equation);
        model.m_dMinimum = s.a;
        model.m_dMaximum = s.b;
        model.m_SolverFormat.SetDecimals(s.decimals);
        model.m_nSolverSteps = s.steps;
        const CommandWork command;
        return model.Solve(0, roots);
    }
    CCalcEngine engine;
    engine.m_SolverFormat.SetDecimals(s.decimals);
    engine.m_nSolverSteps = s.steps;
    if (s.scan == 'Z') {
        engine.SetExpression(s.equation);
        const CommandWork command;
        return engine.FindRoots(s.a, s.b, roots);
    }
    const std::string text =
        "FZERO(" + std::string(s.equation) + ", " + Number(s.a) + ", " + Number(s.b) + ")";
    engine.SetExpression(text.c_str());
    engine.Parse();
    roots.push_back(engine.Evaluate());
    return engine.GetErrorCode();
}

void BM_Scan(benchmark::State& state, const ScanBench* s)
{
    std::vector<double> roots;
    int code = 0;
    for (auto _ : state)
        code = Run(*s, roots);
    state.counters["roots"] = double(roots.size());
    state.counters["code"] = code;
}

const bool kRegistered = [] {
    InitCalcEngine();
    UseDotSeparators();
    for (const ScanBench& s : kScans)
        benchmark::RegisterBenchmark(s.label, BM_Scan, &s)->Unit(benchmark::kMillisecond);
    return true;
}();

} // namespace

BENCHMARK_MAIN();
