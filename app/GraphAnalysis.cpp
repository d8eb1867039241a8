#include "app/GraphAnalysis.h"

#include "engine/CalcEngine.h"
#include "engine/EngineErrors.h"
#include "plot/AnalysisResult.h"
#include "plot/FunctionPlot.h"
#include "plot/PlotDialogChecks.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <vector>

namespace {

constexpr int kIndent = 1;

// One report line per value of f at each x, in the solver format.
void AddPoints(CCalcEngine& engine, const CString& f, const std::vector<double>& xs,
               CAnalysisResult& report)
{
    engine.SetExpression(f);
    engine.Parse();
    for (double x : xs)
        report.AddText("", engine.FormatSolverPoint(x, engine.m_Root.EvaluateAt(x)), kIndent);
}

// "label n" and the points, or "label None" when there are none.
void AddCount(CCalcEngine& engine, const CString& f, const char* label,
              const std::vector<double>& xs, CAnalysisResult& report)
{
    if (xs.empty()) {
        report.AddText(label, "None", kIndent);
        return;
    }
    report.AddInteger(label, int(xs.size()), kIndent);
    AddPoints(engine, f, xs, report);
}

// A scan's code: nothing found is no failure.
int ScanCode(int code) { return code == ErrNoSolutions ? 0 : code; }

int AddZeros(CCalcEngine& engine, const CString& f, double a, double b, CAnalysisResult& report)
{
    std::vector<double> zeros;
    engine.SetExpression(f);
    if (const int code = ScanCode(engine.FindRoots(a, b, zeros)))
        return code;
    AddCount(engine, f, "Zeros found: ", zeros, report);
    return 0;
}

int AddExtrema(CCalcEngine& engine, const CString& f, double a, double b, CAnalysisResult& report)
{
    std::vector<double> maxima, minima;
    engine.SetExpression(f);
    if (const int code = ScanCode(engine.FindExtrema(a, b, maxima, minima)))
        return code;
    AddCount(engine, f, "Maxima found: ", maxima, report);
    AddCount(engine, f, "Minima found: ", minima, report);
    return 0;
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
            if (const int code = (engine.*row.operation)(c.first, c.second, c.a, c.b, r))
                return code;
            report.SetTitle(row.title);
            AddTwoCurveHeader(c, report);
            report.AddNumber(row.label, r, kIndent);
            return 0;
        }
    if (c.kind == AnalysisIntersections) {
        std::vector<double> xs;
        if (const int code = engine.FindIntersections(c.first, c.second, c.a, c.b, xs))
            return code;
        report.SetTitle("Intersections between curves: ");
        AddTwoCurveHeader(c, report);
        AddCount(engine, c.first, "Intersections found: ", xs, report);
        return 0;
    }
    double xc = 0, yc = 0;
    if (const int code = engine.CenterOfMass(c.first, c.second, c.a, c.b, xc, yc))
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
            if (const int code = (engine.*row.operation)(c.a, c.b, r))
                return code;
            report.SetTitle(row.title);
            AddOneCurveHeader(c, report);
            report.AddNumber(row.label, r, kIndent);
            return 0;
        }
    CAnalysisResult body;
    const int code = c.kind == AnalysisZeros ? AddZeros(engine, c.first, c.a, c.b, body)
                                             : AddExtrema(engine, c.first, c.a, c.b, body);
    if (code != 0)
        return code;
    report.SetTitle(c.kind == AnalysisZeros ? "Zeros of function" : "Extrema of function");
    AddOneCurveHeader(c, report);
    for (int i = 0; i < body.GetItemCount(); ++i) {
        const AnalysisResultItem& item = body.GetItem(i);
        if (item.nKind == AnalysisResultItem::kindInteger)
            report.AddInteger(item.strLabel, int(item.dValue), item.bIndent);
        else
            report.AddText(item.strLabel, item.strText, item.bIndent);
    }
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
        if (const int code = engine.DifferentiateAt(c.a, d))
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
    CAnalysisResult built;
    built.SetTitle("Graph Analysis: ");
    built.AddText("y = ", f, kIndent);
    built.AddText("Interval: ", FormatInterval(a, b), kIndent);
    if (mask & kGraphAnalysisZeros)
        if (const int code = AddZeros(engine, f, a, b, built))
            return code;
    if (mask & kGraphAnalysisExtrema)
        if (const int code = AddExtrema(engine, f, a, b, built))
            return code;
    built.SetNumberFormat(report.GetNumberFormat());
    report = built;
    return 0;
}
