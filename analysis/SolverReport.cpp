#include "analysis/SolverReport.h"

#include "analysis/RefusedSignChanges.h"
#include "engine/SolverModel.h"
#include "plot/AnalysisResult.h"

#include <algorithm>
#include <cmath>

SearchCut SolverSearchCut(const CSolverModel& model)
{
    return {model.m_dMinimum, model.m_dMaximum, model.GetLastScanReach(), true,
            "a solution",     "solutions"};
}

namespace {

// The equation, the variable solved for and the values of the others.
void AddSolverHeading(const CSolverModel& model, int k, CAnalysisResult& report)
{
    report.SetTitle("Solver solution");
    report.AddText("Equation: ", model.m_strEquation);
    report.AddText("Solving for: ", model.GetVariableName(k));
    report.AddText("Given parameters: ", CString());
    for (int i = 0; i < model.GetVariableCount(); ++i)
        if (i != k)
            report.AddNumber(model.GetVariableName(i) + " = ", model.GetVariableValue(i), 1);
}

} // namespace

void BuildSolverReport(const CSolverModel& model, int k, const std::vector<double>& solutions,
                       bool cutShort, CAnalysisResult& report)
{
    const CString name = model.GetVariableName(k);
    AddSolverHeading(model, k, report);
    // Solutions the report's format shows alike are one solution as the user reads it where
    // they are one root at the decimals asked: far out, where sin(x) changes sign between most
    // neighbouring doubles, a search finds several a few doubles apart. Roots told apart there
    // are kept, however the format shows them (1e15+0.5 and 1e15+2.6 as 1E+15).
    const double tolerance = model.m_SolverFormat.m_dRoundingUnit;
    std::vector<double> shown;
    CString last;
    for (double solution : solutions) {
        const CString text = report.GetValueText({CString(), CString(), solution});
        const double ulp = std::fabs(std::nextafter(solution, HUGE_VAL) - solution);
        if (shown.empty() || text != last ||
            std::fabs(solution - shown.back()) > std::max(tolerance, 4 * ulp))
            shown.push_back(solution);
        last = text;
    }
    report.AddInteger("Solutions found: ", int(shown.size()));
    for (double solution : shown)
        report.AddNumber(name + " = ", solution, 1);
    if (!model.GetLastScanUnlooked().empty())
        report.AddText(CString(), UnlookedStepsText(model.GetLastScanUnlooked(), "solutions"));
    if (cutShort)
        AddSearchCutShort(report, 0, SolverSearchCut(model), !shown.empty());
}

void BuildSolverFailureReport(const CSolverModel& model, int k, const CString& message,
                              CAnalysisResult& report)
{
    AddSolverHeading(model, k, report);
    report.AddText("Solutions found: ", "None");
    report.AddText(CString(), message);
    if (!model.GetLastScanUnlooked().empty())
        report.AddText(CString(), UnlookedStepsText(model.GetLastScanUnlooked(), "solutions"));
}
