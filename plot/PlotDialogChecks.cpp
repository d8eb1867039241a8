#include "plot/PlotDialogChecks.h"

#include "engine/EngineErrors.h"
#include "engine/EngineStartup.h"
#include "framework/core/AsciiText.h"
#include "res/resource.h"

#include <cmath>

const char kXAxisText[] = "x-axis";

namespace {

FieldVerdict Pass() { return FieldVerdict(); }

// The first failing of an ordered list of (condition, message, field) rows.
struct Rule {
    bool bHolds;
    UINT nStringId;
    UINT nControl;
};
template <std::size_t N> FieldVerdict FirstFailure(const Rule (&rules)[N])
{
    for (const Rule& r : rules)
        if (!r.bHolds)
            return FieldVerdict::Fail(r.nStringId, r.nControl);
    return Pass();
}

// The engine's verdict on a curve expression of a form (0 y = f(x), 1 r = f(t), 2 x(t), y(t)).
FieldVerdict CheckCurve(const CString& text, int kind, const char* missing, UINT nControl)
{
    if (text.IsEmpty())
        return FieldVerdict::FailText(missing, nControl);
    const int code = ValidateCurveExpression(kind, text, kind == 2 ? text : CString());
    return code == 0 ? Pass() : FieldVerdict::FailText(GetErrorText(code), nControl);
}

BOOL IsXAxis(const CString& text) { return ascii::EqualNoCase(text, kXAxisText); }

// A scan of the interval needs it in order; integrals take it either way.
bool NeedsOrderedInterval(int kind)
{
    return kind == AnalysisZeros || kind == AnalysisExtrema || kind == AnalysisIntersections ||
           kind == AnalysisGraph;
}

FieldVerdict CheckStepsAndAccuracy(const AnalysisValues& v)
{
    const bool bTable = v.kind == AnalysisValueTable;
    const Rule rules[] = {
        {!NeedsOrderedInterval(v.kind) || v.dMin < v.dMax, IDS_INVALID_INTERVAL, IDC_ANALYSIS_MIN},
        {bTable ? v.steps >= 2 && v.steps <= 10000 : v.steps > 0 && v.steps <= 1e30,
         IDS_INVALID_PARAMETER, IDC_ANALYSIS_STEPS},
        {bTable || v.accuracy >= 0, IDS_INVALID_PARAMETER, IDC_ANALYSIS_ACCURACY},
    };
    return FirstFailure(rules);
}

} // namespace

// ---- copy -----------------------------------------------------------------------------------

int InitialCopyChoice(int storedWidth, int storedHeight)
{
    return storedWidth > 0 && storedHeight > 0 ? CopySpecified : CopyOnScreen;
}

CSize CopySizeOfChoice(int choice, CSize typed, CSize screen)
{
    // The third choice's label reads "640 x 480": it copies 640 x 480.
    static const CSize fixed[] = {{640, 480}, {800, 600}, {1024, 768}, {1280, 1024}, {1600, 1200}};
    switch (choice) {
    case CopyOnScreen:
        return CSize(0, 0);
    case CopyFullScreen:
        return screen;
    case CopySpecified:
        return typed;
    default:
        return choice >= Copy640x480 && choice <= Copy1600x1200 ? fixed[choice - Copy640x480]
                                                                : CSize(0, 0);
    }
}

FieldVerdict CheckCopySize(int width, int height)
{
    const Rule rules[] = {
        {width > 0 && width < 10000, IDS_INVALID_PARAMETER, IDC_COPY_WIDTH},
        {height > 0 && height < 10000, IDS_INVALID_PARAMETER, IDC_COPY_HEIGHT},
    };
    return FirstFailure(rules);
}

// ---- 2-D plot pages -------------------------------------------------------------------------

FieldVerdict CheckPlotPage(const PlotPageValues& v)
{
    const Rule rules[] = {
        {v.xMin < v.xMax, IDS_INVALID_INTERVAL, IDC_PLOTPAGE_XMIN},
        {v.yMin < v.yMax, IDS_INVALID_INTERVAL, IDC_PLOTPAGE_YMIN},
        {v.steps >= 10 && v.steps <= 10000, IDS_INVALID_PARAMETER, IDC_PLOTPAGE_STEPS},
        {v.zoomFactor >= 1, IDS_INVALID_PARAMETER, IDC_PLOTPAGE_ZOOM},
    };
    return FirstFailure(rules);
}

FieldVerdict CheckAxisPage(double xInterval, double yInterval)
{
    const Rule rules[] = {
        {xInterval > 0, IDS_INVALID_PARAMETER, IDC_AXIS_XINTERVAL},
        {yInterval > 0, IDS_INVALID_PARAMETER, IDC_AXIS_YINTERVAL},
    };
    return FirstFailure(rules);
}

// ---- 3-D ------------------------------------------------------------------------------------

FieldVerdict CheckPlot3DPage(const Plot3DPageValues& v)
{
    // The viewport is stored truncated: 0.5 would become 0.
    const double viewport = std::isfinite(v.viewport) ? std::trunc(v.viewport) : 0;
    const Rule rules[] = {
        {viewport >= 1 && viewport <= 100, IDS_INVALID_PARAMETER, IDC_PLOT3D_VIEWPORT},
        {v.views >= 1 && v.views <= 16, IDS_INVALID_PARAMETER, IDC_PLOT3D_VIEWS},
        {v.deltaMu > -10 && v.deltaMu <= 1000, IDS_INVALID_PARAMETER, IDC_PLOT3D_DMU},
    };
    return FirstFailure(rules);
}

FieldVerdict CheckGraph3DSettings(const Graph3DValues& v)
{
    const Rule rules[] = {
        {v.xMin < v.xMax, IDS_INVALID_DOMAIN, IDC_GRAPH3D_XMIN},
        {v.yMin < v.yMax, IDS_INVALID_DOMAIN, IDC_GRAPH3D_YMIN},
        {v.zMin < v.zMax, IDS_INVALID_RANGE, IDC_GRAPH3D_ZMIN},
        {v.viewMu > 0, IDS_INVALID_PARAMETER, IDC_GRAPH3D_VIEWMU},
        {v.lightMu > 0, IDS_INVALID_PARAMETER, IDC_GRAPH3D_LIGHTMU},
    };
    return FirstFailure(rules);
}

FieldVerdict CheckGraph3D(const Graph3DValues& v)
{
    if (v.expression.IsEmpty())
        return FieldVerdict::Fail(IDS_FIELD_MISSING, IDC_GRAPH3D_EXPR);
    if (const int code = ValidateSurfaceExpression(v.expression))
        return FieldVerdict::FailText(GetErrorText(code), IDC_GRAPH3D_EXPR);
    return CheckGraph3DSettings(v);
}

// ---- 2-D graph --------------------------------------------------------------------------------

FieldVerdict CheckGraph2DDomain(double dMin, double dMax)
{
    return dMax > dMin ? Pass() : FieldVerdict::Fail(IDS_INVALID_DOMAIN, IDC_GRAPH2D_MIN);
}

FieldVerdict CheckGraph2D(const Graph2DValues& v)
{
    FieldVerdict verdict;
    if (v.form == 2) {
        verdict = CheckCurve(v.xt, 2, "Please enter an expression of t", IDC_GRAPH2D_XT);
        if (verdict.Passed())
            verdict = CheckCurve(v.yt, 2, "Please enter an expression of t", IDC_GRAPH2D_YT);
    } else {
        verdict = CheckCurve(v.expression, v.form == 1 ? 1 : 0,
                             v.form == 1 ? "Please enter an expression of t"
                                         : "Please enter an expression of x",
                             IDC_GRAPH2D_EXPR);
    }
    return verdict.Passed() ? CheckGraph2DDomain(v.dMin, v.dMax) : verdict;
}

// ---- analysis -------------------------------------------------------------------------------

AnalysisDialog AnalysisDialogOf(int kind)
{
    switch (kind) {
    case AnalysisDifferentiate:
    case AnalysisTangent:
        return DialogDifferentiate;
    case AnalysisIntegrate:
    case AnalysisArea:
    case AnalysisIntersections:
    case AnalysisVolume:
    case AnalysisCenterOfMass:
        return DialogTwoCurve;
    case AnalysisZeros:
    case AnalysisExtrema:
    case AnalysisValueTable:
    case AnalysisArcLength:
    case AnalysisSurfaceArea:
    case AnalysisGraph:
        return DialogFunction;
    default:
        return DialogNone;
    }
}

CString AnalysisTitle(int kind)
{
    struct Title {
        int kind;
        const char* text;
    };
    static const Title titles[] = {
        {AnalysisDifferentiate, "Differentiate function"},
        {AnalysisTangent, "Draw tangent of function"},
        {AnalysisIntegrate, "Integrate between two curves"},
        {AnalysisArea, "Find area between two curves"},
        {AnalysisIntersections, "Find intersections between two curves"},
        {AnalysisVolume, "Find volume of revolution between two curves"},
        {AnalysisCenterOfMass, "Find center of mass of area under curve"},
        {AnalysisZeros, "Find zeros of function"},
        {AnalysisExtrema, "Find extrema of function"},
        {AnalysisValueTable, "Generate value table"},
        {AnalysisArcLength, "Find arc length of function"},
        {AnalysisSurfaceArea, "Find area of surface of revolution"},
        {AnalysisGraph, "Analyze function"},
    };
    for (const Title& t : titles)
        if (t.kind == kind)
            return t.text;
    return CString();
}

FieldVerdict CheckDifferentiate(const CString& expression)
{
    return CheckCurve(expression, 0, "Please select or enter an expression of x",
                      IDC_ANALYSIS_EXPR);
}

FieldVerdict CheckFunctionAnalysis(const AnalysisValues& v)
{
    FieldVerdict verdict = CheckDifferentiate(v.first);
    if (!verdict.Passed())
        return verdict;
    verdict = CheckStepsAndAccuracy(v);
    if (!verdict.Passed())
        return verdict;
    if (v.kind == AnalysisValueTable && v.tableName.IsEmpty())
        return FieldVerdict::Fail(IDS_FIELD_MISSING, IDC_ANALYSIS_TABLENAME);
    return Pass();
}

FieldVerdict CheckTwoCurveAnalysis(const AnalysisValues& v)
{
    const char* missing = "Please select or enter an expression of x";
    const std::pair<const CString*, UINT> curves[] = {{&v.first, IDC_ANALYSIS_EXPR},
                                                      {&v.second, IDC_ANALYSIS_EXPR2}};
    for (const auto& [pText, nControl] : curves) {
        if (pText->IsEmpty())
            return FieldVerdict::FailText(missing, nControl);
        if (!IsXAxis(*pText)) {
            const FieldVerdict verdict = CheckCurve(*pText, 0, missing, nControl);
            if (!verdict.Passed())
                return verdict;
        }
    }
    if (ascii::EqualNoCase(v.first, v.second))
        return FieldVerdict::FailText("The two equations must be different", IDC_ANALYSIS_EXPR);
    return CheckStepsAndAccuracy(v);
}
