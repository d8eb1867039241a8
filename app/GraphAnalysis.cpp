#include "app/GraphAnalysis.h"

#include "analysis/RefusedSignChanges.h"
#include "analysis/SearchCut.h"
#include "engine/CalcEngine.h"
#include "engine/EngineErrors.h"
#include "engine/EvaluationWork.h"
#include "plot/AnalysisResult.h"
#include "plot/FunctionPlot.h"
#include "plot/PlotDialogChecks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <optional>
#include <vector>

namespace {

constexpr int kIndent = 1;

// The point of f at each x in ascending xs, in the solver format; points shown alike are one as
// the user reads them (two zeros closer than the decimals asked for).
std::vector<CString> PointTexts(CCalcEngine& engine, const CString& f,
                                const std::vector<double>& xs)
{
    engine.SetExpression(f);
    engine.Parse();
    std::vector<CString> points;
    for (double x : xs) {
        const CString point = engine.FormatSolverPoint(x, engine.m_Root.EvaluateAt(x));
        if (points.empty() || point != points.back())
            points.push_back(point);
    }
    return points;
}

// "label n" and the points, or "label None" when there are none.
void AddCount(CCalcEngine& engine, const CString& f, const char* label,
              const std::vector<double>& xs, CAnalysisResult& report)
{
    if (xs.empty()) {
        report.AddText(label, "None", kIndent);
        return;
    }
    const std::vector<CString> points = PointTexts(engine, f, xs);
    report.AddInteger(label, int(points.size()), kIndent);
    for (const CString& point : points)
        report.AddText("", point, kIndent);
}

// A scan's code: nothing found is no failure, nor a scan cut short by its time (35), which lists
// what it found by then.
int ScanCode(int code) { return (code == ErrNoSolutions || code == ErrMaxIterations) ? 0 : code; }

// The cut of a scan of [a, b] that ran out of time, in the words of what it looks for.
SearchCut CutOf(const CCalcEngine& engine, double a, double b, const char* aPoint,
                const char* points)
{
    return {a, b, engine.GetLastScanReach(), false, aPoint, points};
}

// What the zero and extremum scans of f found over [a, b], all within one command's time, and
// where each scan cut short got to.
struct ScanFindings {
    std::vector<double> zeros, maxima, minima;
    std::vector<double> refusedZeros;  // sign changes that are no zeros: poles, jumps, gaps
    std::vector<double> unlookedZeros; // steps the zero scan did not look inside
    std::optional<SearchCut> zerosCut, extremaCut;
};

int ScanFunction(CCalcEngine& engine, const CString& f, double a, double b, int sections,
                 ScanFindings& found)
{
    int zerosCode = 0, extremaCode = 0;
    {
        const CommandWork command;
        if (sections & kGraphAnalysisZeros) {
            engine.SetExpression(f);
            zerosCode = engine.FindRoots(a, b, found.zeros);
            found.refusedZeros = engine.GetLastScanRefusals();
            found.unlookedZeros = engine.GetLastScanUnlooked();
            if (zerosCode == ErrMaxIterations)
                found.zerosCut = CutOf(engine, a, b, "a zero", "zeros");
        }
        if (sections & kGraphAnalysisExtrema) {
            engine.SetExpression(f);
            extremaCode = engine.FindExtrema(a, b, found.maxima, found.minima);
            if (extremaCode == ErrMaxIterations)
                found.extremaCut = CutOf(engine, a, b, "an extremum", "extrema");
        }
    }
    if (const int code = ScanCode(zerosCode))
        return code;
    return ScanCode(extremaCode);
}

// The sections of the findings; their points are evaluated once the command's time is over. A
// section cut short says where its points come from.
void AddFindings(CCalcEngine& engine, const CString& f, int sections, const ScanFindings& found,
                 CAnalysisResult& report)
{
    if (sections & kGraphAnalysisZeros) {
        AddCount(engine, f, "Zeros found: ", found.zeros, report);
        // None found, though the function changes sign: at a pole or a jump, not through 0.
        if (found.zeros.empty() && !found.refusedZeros.empty())
            report.AddText("",
                           "The function " +
                               RefusedSignChangesText(found.refusedZeros, engine.m_SolverFormat) +
                               ".",
                           kIndent);
        if (!found.unlookedZeros.empty())
            report.AddText("", UnlookedStepsText(found.unlookedZeros, "zeros"), kIndent);
        if (found.zerosCut)
            AddSearchCutShort(report, kIndent, *found.zerosCut, !found.zeros.empty());
    }
    if (sections & kGraphAnalysisExtrema) {
        AddCount(engine, f, "Maxima found: ", found.maxima, report);
        AddCount(engine, f, "Minima found: ", found.minima, report);
        if (found.extremaCut)
            AddSearchCutShort(report, kIndent, *found.extremaCut,
                              !found.maxima.empty() || !found.minima.empty());
    }
}

// The operations of two curves that give one number.
struct TwoCurveRow {
    int kind;
    const char* title;
    const char* label;
    int (CCalcEngine::*operation)(const CString&, const CString&, double, double, double&);
};
const TwoCurveRow kTwoCurveRows[] = {
    {AnalysisIntegrate, "Integrate between two curves",
     "Integral = ", &CCalcEngine::IntegrateBetween},
    {AnalysisArea, "Area between two curves", "Area = ", &CCalcEngine::AreaBetween},
    {AnalysisVolume, "Volume of revolution between two curves",
     "Volume = ", &CCalcEngine::VolumeOfRevolution},
};

// The operations of one function that give one number.
struct OneCurveRow {
    int kind;
    const char* title;
    const char* label;
    int (CCalcEngine::*operation)(double, double, double&);
};
const OneCurveRow kOneCurveRows[] = {
    {AnalysisArcLength, "Find arc length of function", "Arc Length = ", &CCalcEngine::ArcLength},
    {AnalysisSurfaceArea, "Area of surface of revolution of function",
     "Area = ", &CCalcEngine::SurfaceOfRevolution},
};

void AddTwoCurveHeader(const GraphAnalysisChoice& c, CAnalysisResult& report)
{
    report.AddText("y1 = ", c.first, kIndent);
    report.AddText("y2 = ", c.second, kIndent);
    report.AddText("Inverval: ", FormatInterval(c.a, c.b), kIndent);
}

void AddOneCurveHeader(const GraphAnalysisChoice& c, CAnalysisResult& report)
{
    report.AddText("y = ", c.first, kIndent);
    report.AddText("Interval: ", FormatInterval(c.a, c.b), kIndent);
}

int RunTwoCurves(CCalcEngine& engine, const GraphAnalysisChoice& c, CAnalysisResult& report)
{
    for (const TwoCurveRow& row : kTwoCurveRows)
        if (row.kind == c.kind) {
            double r = 0;
            const int code = AsOneCommand(
                [&] { return (engine.*row.operation)(c.first, c.second, c.a, c.b, r); });
            if (code != 0)
                return code;
            report.SetTitle(row.title);
            AddTwoCurveHeader(c, report);
            report.AddNumber(row.label, r, kIndent);
            return 0;
        }
    if (c.kind == AnalysisIntersections) {
        std::vector<double> xs;
        const int code =
            AsOneCommand([&] { return engine.FindIntersections(c.first, c.second, c.a, c.b, xs); });
        const bool cutShort = code == ErrMaxIterations;
        if (code != 0 && !cutShort)
            return code;
        report.SetTitle("Intersections between curves: ");
        AddTwoCurveHeader(c, report);
        AddCount(engine, c.first, "Intersections found: ", xs, report);
        if (cutShort)
            AddSearchCutShort(report, kIndent,
                              CutOf(engine, c.a, c.b, "an intersection", "intersections"),
                              !xs.empty());
        return 0;
    }
    double xc = 0, yc = 0;
    const int code =
        AsOneCommand([&] { return engine.CenterOfMass(c.first, c.second, c.a, c.b, xc, yc); });
    if (code != 0)
        return code;
    report.SetTitle("Center of mass of bounded area");
    AddTwoCurveHeader(c, report);
    report.AddText("Center of mass: ", engine.FormatPoint(xc, yc), kIndent);
    return 0;
}

int RunOneCurve(CCalcEngine& engine, const GraphAnalysisChoice& c, CAnalysisResult& report)
{
    for (const OneCurveRow& row : kOneCurveRows)
        if (row.kind == c.kind) {
            double r = 0;
            engine.SetExpression(c.first);
            const int code = AsOneCommand([&] { return (engine.*row.operation)(c.a, c.b, r); });
            if (code != 0)
                return code;
            report.SetTitle(row.title);
            AddOneCurveHeader(c, report);
            report.AddNumber(row.label, r, kIndent);
            return 0;
        }
    const int sections = c.kind == AnalysisZeros ? kGraphAnalysisZeros : kGraphAnalysisExtrema;
    ScanFindings found;
    if (const int code = ScanFunction(engine, c.first, c.a, c.b, sections, found))
        return code;
    report.SetTitle(c.kind == AnalysisZeros ? "Zeros of function" : "Extrema of function");
    AddOneCurveHeader(c, report);
    AddFindings(engine, c.first, sections, found, report);
    return 0;
}

} // namespace

CString FormatInterval(double a, double b)
{
    char text[64];
    std::snprintf(text, sizeof text, "[%g, %g]", a, b);
    return text;
}

int RunGraphAnalysis(CCalcEngine& engine, const GraphAnalysisChoice& c, CAnalysisResult& report)
{
    switch (AnalysisDialogOf(c.kind)) {
    case DialogDifferentiate: {
        double d = 0;
        engine.SetExpression(c.first);
        const int code = AsOneCommand([&] { return engine.DifferentiateAt(c.a, d); });
        if (code != 0)
            return code;
        report.SetTitle("Differentiate function");
        report.AddText("y = ", c.first, kIndent);
        report.AddNumber("at x = ", c.a, kIndent);
        report.AddNumber("Result = ", d, kIndent);
        return 0;
    }
    case DialogTwoCurve:
        return RunTwoCurves(engine, c, report);
    case DialogFunction:
        return RunOneCurve(engine, c, report);
    default:
        return ErrBadArgument;
    }
}

int BuildGraphAnalysis(CCalcEngine& engine, const CFunctionPlot& graph, int mask,
                       CAnalysisResult& report)
{
    const CString f = graph.GetExpression();
    const double a = graph.m_dDomainMin, b = graph.m_dDomainMax;
    const int sections = mask & (kGraphAnalysisZeros | kGraphAnalysisExtrema);
    ScanFindings found;
    if (const int code = ScanFunction(engine, f, a, b, sections, found))
        return code;
    CAnalysisResult built;
    built.SetTitle("Graph Analysis: ");
    built.AddText("y = ", f, kIndent);
    built.AddText("Interval: ", FormatInterval(a, b), kIndent);
    AddFindings(engine, f, sections, found, built);
    built.SetNumberFormat(report.GetNumberFormat());
    report = built;
    return 0;
}
