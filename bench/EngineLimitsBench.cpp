// Hostile inputs against the engine's bounds: each case runs once and prints its time, the
// bound it must stay within, their ratio, and the code it ended with.
#include "engine/CalcEngine.h"
#include "engine/EngineStartup.h"
#include "engine/LocaleSeparators.h"
#include "engine/UnitRegistry.h"

#include <chrono>
#include <cstdio>
#include <string>

namespace {

struct Outcome {
    int code = 0;
    double seconds = 0;
};

template <class Run> Outcome Time(Run run)
{
    const auto start = std::chrono::steady_clock::now();
    const int code = run();
    const std::chrono::duration<double> spent = std::chrono::steady_clock::now() - start;
    return {code, spent.count()};
}

void Report(const char* what, const Outcome& outcome, double boundSeconds)
{
    std::printf("  %-60s %9.1f ms  bound %7.0f ms  ratio %5.2f  code %d\n", what,
                outcome.seconds * 1e3, boundSeconds * 1e3, outcome.seconds / boundSeconds,
                outcome.code);
}

int EvaluateText(CCalcEngine& engine, const char* text)
{
    engine.SetExpression(text);
    if (const int code = engine.Parse())
        return code;
    engine.Evaluate();
    return engine.GetErrorCode();
}

// d0 ... d19 each read d{i+1}*d{i+1} and d20 is a 20,000-digit literal.
void ExpandDoublingVariables()
{
    CCalcEngine engine;
    for (int i = 0; i < 20; ++i) {
        const std::string next = "d" + std::to_string(i + 1);
        engine.AddExpressionVariable(("d" + std::to_string(i)).c_str(),
                                     (next + "*" + next).c_str());
    }
    engine.AddExpressionVariable("d20", ("0." + std::string(19998, '3')).c_str());
    Report("evaluate d0 (20 doubling expression variables)",
           Time([&] { return EvaluateText(engine, "d0"); }), 0.05);
}

void NestedCalculus()
{
    CCalcEngine engine;
    Report("FSUM(FSUM(x,1,1e5),1,1e5)",
           Time([&] { return EvaluateText(engine, "FSUM(FSUM(x,1,1e5),1,1e5)"); }), 5.0);
    engine.DefineUserFunction("h(a) = FSUM(x*a,1,1e6)", false);
    Report("FSUM(h(x),1,1e6), h(a) = FSUM(x*a,1,1e6)",
           Time([&] { return EvaluateText(engine, "FSUM(h(x),1,1e6)"); }), 5.0);
    Report("FINT(FSUM(x,1,1e7),0,1)",
           Time([&] { return EvaluateText(engine, "FINT(FSUM(x,1,1e7),0,1)"); }), 5.0);
    Report("FSUM(x,1,1e7) (the most terms one sum takes)",
           Time([&] { return EvaluateText(engine, "FSUM(x,1,1e7)"); }), 5.0);
}

// A chain of user relations w0 = 2 w1 = ... and searches that fail over it.
void FailedUnitSearches(int relations)
{
    ResetUnitRegistry();
    for (int i = 0; i < relations; ++i)
        AddUserUnit(("w" + std::to_string(i)).c_str(), ("w" + std::to_string(i + 1)).c_str(), 2);
    CCalcEngine engine;
    const std::string label = std::to_string(relations) + " relations: ";
    Report((label + "CONVERT(1,\"w0\",\"nosuch\")").c_str(),
           Time([&] { return EvaluateText(engine, "CONVERT(1,\"w0\",\"nosuch\")"); }), 0.05);
    Report((label + "CONVERT(1,\"w0\",\"kg\") (searches every w)").c_str(),
           Time([&] { return EvaluateText(engine, "CONVERT(1,\"w0\",\"kg\")"); }), 0.05);
    ResetUnitRegistry();
}

// A sum over a conversion through a chain of user units q0 = 1 q1 = ... = 1 ft: each search
// walks the whole chain, and the budget charges it for every step.
void ChainedUnitSum(int relations)
{
    ResetUnitRegistry();
    for (int i = 0; i < relations; ++i)
        AddUserUnit(("q" + std::to_string(i)).c_str(),
                    i + 1 == relations ? "ft" : ("q" + std::to_string(i + 1)).c_str(), 1);
    CCalcEngine engine;
    const std::string label = std::to_string(relations) + " chained units: ";
    Report((label + "FSUM(CONVERT(x,\"q0\",\"ft\"),1,1e6)").c_str(),
           Time([&] { return EvaluateText(engine, "FSUM(CONVERT(x,\"q0\",\"ft\"),1,1e6)"); }), 5.0);
    ResetUnitRegistry();
}

void SlowSpecialFunctions()
{
    CCalcEngine engine;
    Report("FSUM(BETAI(x,x,0.5),1,1e6)",
           Time([&] { return EvaluateText(engine, "FSUM(BETAI(x,x,0.5),1,1e6)"); }), 5.0);
}

} // namespace

int main()
{
    InitCalcEngine();
    UseDotSeparators();
    std::printf("Hostile inputs: time, bound and time / bound\n");
    ExpandDoublingVariables();
    NestedCalculus();
    FailedUnitSearches(60000);
    FailedUnitSearches(100000);
    ChainedUnitSum(10000);
    SlowSpecialFunctions();
    return 0;
}
