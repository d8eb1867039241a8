#include "tools/root-truth/RootTruthRoads.h"

#include "analysis/SolverReport.h"
#include "app/GraphAnalysis.h"
#include "engine/EngineErrors.h"
#include "engine/EvaluationWork.h"
#include "engine/LocaleSeparators.h"
#include "engine/SolverModel.h"
#include "plot/AnalysisResult.h"
#include "plot/PlotDialogChecks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>

void PrepareRoads() { UseDotSeparators(); }

namespace {

// tools/root-truth/compare builds this judge against older commits too, whose commands have no
// budget in work: there the first overload drops out, and a fifth of a second stands in for it.
template <class Work>
auto LimitWork(long long work, double&, int) -> decltype(Work::LimitWork(work), void())
{
    Work::LimitWork(work);
}

template <class Work> void LimitWork(long long work, double& seconds, long)
{
    if (work >= 0)
        seconds = std::min(seconds, 0.2);
}

} // namespace

void SetCommandBudget(double seconds, long long work)
{
    LimitWork<CommandWork>(work, seconds, 0);
    EvaluationSecondsLimit = seconds;
}

RoadResult SolveAsModel(const std::string& equation, double a, double b, int decimals, int steps)
{
    RoadResult result;
    CSolverModel model;
    if ((result.code = model.SetEquation(equation.c_str())) != 0) {
        result.failed = true;
        return result;
    }
    model.m_dMinimum = a;
    model.m_dMaximum = b;
    model.m_SolverFormat.SetDecimals(decimals);
    model.m_nSolverSteps = steps;
    model.SetVariable(0, model.GetVariableName(0), 0.125);
    std::vector<double> solutions;
    result.code = model.Solve(0, solutions);
    result.keptVariable = model.GetVariableValue(0) == 0.125;
    // As the Calculate command: a search cut short lists what it found; any other failure, none.
    const bool cutShort = result.code == ErrMaxIterations && !solutions.empty();
    result.failed =
        result.code != 0 && result.code != ErrNoSolutions && result.code != ErrMaxIterations;
    if ((result.code != 0 && !cutShort) || solutions.empty())
        return result;
    CCalcEngine project; // a new project's result format
    CAnalysisResult report;
    report.SetNumberFormat(&project.m_ResultFormat);
    BuildSolverReport(model, 0, solutions, cutShort, report);
    const CString label = model.GetVariableName(0) + " = ";
    for (int i = 0; i < report.GetItemCount(); ++i) {
        const AnalysisResultItem& item = report.GetItem(i);
        if (item.nKind == AnalysisResultItem::kindNumber && item.strLabel == label)
            result.listed.push_back(item.dValue);
    }
    return result;
}

RoadResult FindZerosAsGraph(const std::string& expression, double a, double b, int decimals,
                            int steps)
{
    RoadResult result;
    CCalcEngine engine;
    engine.m_nSolverSteps = steps;
    engine.m_SolverFormat.SetDecimals(decimals);
    GraphAnalysisChoice choice;
    choice.kind = AnalysisZeros;
    choice.first = expression.c_str();
    choice.a = a;
    choice.b = b;
    CAnalysisResult report;
    if ((result.code = RunGraphAnalysis(engine, choice, report)) != 0) {
        result.failed = true;
        return result;
    }
    // The points are shown "(x = <x>, y = <y>)" to the decimals asked for.
    result.shownWithin = 0.5 * std::pow(10.0, -decimals);
    for (int i = 0; i < report.GetItemCount(); ++i) {
        const char* text = report.GetItem(i).strText.GetString();
        if (std::strncmp(text, "(x = ", 5) == 0)
            result.listed.push_back(std::strtod(text + 5, nullptr));
    }
    return result;
}

RoadResult FzeroAsLine(const std::string& expression, double lo, double hi, int decimals)
{
    RoadResult result;
    char bounds[80];
    std::snprintf(bounds, sizeof bounds, ", %.17g, %.17g)", lo, hi);
    CCalcEngine engine;
    engine.m_SolverFormat.SetDecimals(decimals);
    engine.SetExpression(("FZERO(" + expression + bounds).c_str());
    if ((result.code = engine.Parse()) != 0)
        return result;
    const double root = engine.Evaluate();
    if ((result.code = engine.GetErrorCode()) == 0)
        result.listed.push_back(root);
    return result;
}
