// The plot pages' and graph dialogs' checks: each row a form's values, the message the user
// sees (a string resource or a text) and the field that gets the focus.
#include "plot/PlotDialogChecks.h"
#include "engine/EngineStartup.h"
#include "res/resource.h"

#include <gtest/gtest.h>

#include <cmath>
#include <limits>

namespace {

struct Expected {
    UINT nStringId;
    const char* text; // nullptr: any text; "" for a string resource
    UINT nControl;
};

void ExpectVerdict(const FieldVerdict& verdict, const Expected& expected, const std::string& row)
{
    EXPECT_EQ(verdict.nControl, expected.nControl) << row;
    EXPECT_EQ(verdict.nStringId, expected.nStringId) << row;
    if (expected.text && *expected.text) {
        EXPECT_STREQ(verdict.strText, expected.text) << row;
    } else if (expected.nControl != 0 && expected.nStringId == 0) {
        EXPECT_FALSE(verdict.strText.IsEmpty()) << row << ": the engine's text";
    }
    EXPECT_EQ(verdict.Passed(), expected.nControl == 0) << row;
}

const Expected kPass = {0, "", 0};
const double kNaN = std::numeric_limits<double>::quiet_NaN();

class PlotDialogChecks : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitCalcEngine(); }
};

TEST_F(PlotDialogChecks, PlotPageRangesStepsAndZoom)
{
    struct Row {
        PlotPageValues v;
        Expected e;
    } rows[] = {
        {{-10, 10, -10, 10, 400, 2}, kPass},
        {{5, 5, -10, 10, 400, 2}, {IDS_INVALID_INTERVAL, "", IDC_PLOTPAGE_XMIN}},
        {{-10, 10, 3, -3, 400, 2}, {IDS_INVALID_INTERVAL, "", IDC_PLOTPAGE_YMIN}},
        {{-10, 10, -10, 10, 9, 2}, {IDS_INVALID_PARAMETER, "", IDC_PLOTPAGE_STEPS}},
        {{-10, 10, -10, 10, 10, 1}, kPass},
        {{-10, 10, -10, 10, 10000, 1}, kPass},
        {{-10, 10, -10, 10, 10001, 2}, {IDS_INVALID_PARAMETER, "", IDC_PLOTPAGE_STEPS}},
        {{-10, 10, -10, 10, 400, 0}, {IDS_INVALID_PARAMETER, "", IDC_PLOTPAGE_ZOOM}},
        {{kNaN, 10, -10, 10, 400, 2}, {IDS_INVALID_INTERVAL, "", IDC_PLOTPAGE_XMIN}},
    };
    for (const Row& r : rows)
        ExpectVerdict(CheckPlotPage(r.v), r.e,
                      "x " + std::to_string(r.v.xMin) + ".." + std::to_string(r.v.xMax) +
                          " steps " + std::to_string(r.v.steps));
    ExpectVerdict(CheckAxisPage(0.5, 2), kPass, "intervals");
    ExpectVerdict(CheckAxisPage(0, 2), {IDS_INVALID_PARAMETER, "", IDC_AXIS_XINTERVAL}, "x 0");
    ExpectVerdict(CheckAxisPage(1, -1), {IDS_INVALID_PARAMETER, "", IDC_AXIS_YINTERVAL}, "y -1");
}

TEST_F(PlotDialogChecks, Plot3DPageAndGraph)
{
    struct Row {
        Plot3DPageValues v;
        Expected e;
    } rows[] = {
        {{100, 16, 1000}, kPass},
        {{1.9, 1, -9.5}, kPass},
        {{0.5, 1, 0}, {IDS_INVALID_PARAMETER, "", IDC_PLOT3D_VIEWPORT}}, // truncated to 0
        {{101, 1, 0}, {IDS_INVALID_PARAMETER, "", IDC_PLOT3D_VIEWPORT}},
        {{80, 0, 0}, {IDS_INVALID_PARAMETER, "", IDC_PLOT3D_VIEWS}},
        {{80, 17, 0}, {IDS_INVALID_PARAMETER, "", IDC_PLOT3D_VIEWS}},
        {{80, 2, -10}, {IDS_INVALID_PARAMETER, "", IDC_PLOT3D_DMU}},
        {{80, 2, 1000.5}, {IDS_INVALID_PARAMETER, "", IDC_PLOT3D_DMU}},
    };
    for (const Row& r : rows)
        ExpectVerdict(CheckPlot3DPage(r.v), r.e,
                      "viewport " + std::to_string(r.v.viewport) + " views " +
                          std::to_string(r.v.views) + " dmu " + std::to_string(r.v.deltaMu));

    const auto graph = [](const char* expr, double zMin, double viewMu) {
        Graph3DValues v;
        v.expression = expr;
        v.xMin = v.yMin = -3;
        v.xMax = v.yMax = v.zMax = 3;
        v.zMin = zMin;
        v.viewMu = viewMu;
        v.lightMu = 1000;
        return v;
    };
    ExpectVerdict(CheckGraph3D(graph("sin(x)*y", -3, 1000)), kPass, "surface");
    ExpectVerdict(CheckGraph3D(graph("", -3, 1000)), {IDS_FIELD_MISSING, "", IDC_GRAPH3D_EXPR},
                  "empty");
    ExpectVerdict(CheckGraph3D(graph("x+z", -3, 1000)), {0, nullptr, IDC_GRAPH3D_EXPR}, "x+z");
    ExpectVerdict(CheckGraph3D(graph("x*y", 3, 1000)), {IDS_INVALID_RANGE, "", IDC_GRAPH3D_ZMIN},
                  "z range");
    ExpectVerdict(CheckGraph3DSettings(graph("", -3, 0)),
                  {IDS_INVALID_PARAMETER, "", IDC_GRAPH3D_VIEWMU}, "defaults skip the expression");
}

TEST_F(PlotDialogChecks, Graph2DFormsAndDomain)
{
    struct Row {
        Graph2DValues v;
        Expected e;
    } rows[] = {
        {{0, "sin(x)", "", "", -3, 3}, kPass},
        {{0, "", "", "", -3, 3}, {0, "Please enter an expression of x", IDC_GRAPH2D_EXPR}},
        {{0, "sin(", "", "", -3, 3}, {0, nullptr, IDC_GRAPH2D_EXPR}},
        {{1, "", "", "", -3, 3}, {0, "Please enter an expression of t", IDC_GRAPH2D_EXPR}},
        {{1, "1+cos(t)", "", "", 0, 6}, kPass},
        {{2, "", "cos(t)", "sin(t)", 0, 6}, kPass},
        {{2, "", "", "sin(t)", 0, 6}, {0, "Please enter an expression of t", IDC_GRAPH2D_XT}},
        {{2, "", "cos(t)", "", 0, 6}, {0, "Please enter an expression of t", IDC_GRAPH2D_YT}},
        {{2, "", "cos(t)", "sin(", 0, 6}, {0, nullptr, IDC_GRAPH2D_YT}},
        {{0, "x^2", "", "", 5, 5}, {IDS_INVALID_DOMAIN, "", IDC_GRAPH2D_MIN}},
    };
    for (const Row& r : rows)
        ExpectVerdict(CheckGraph2D(r.v), r.e,
                      "form " + std::to_string(r.v.form) + " '" + r.v.expression.GetString() +
                          "' '" + r.v.xt.GetString() + "' '" + r.v.yt.GetString() + "'");
}

TEST_F(PlotDialogChecks, AnalysisDialogs)
{
    const char* kMissing = "Please select or enter an expression of x";
    struct Row {
        AnalysisValues v;
        bool bTwoCurves;
        Expected e;
    } rows[] = {
        {{AnalysisZeros, "sin(x)", "", -4, 4, 100, 1e-10, ""}, false, kPass},
        {{AnalysisZeros, "", "", -4, 4, 100, 0, ""}, false, {0, kMissing, IDC_ANALYSIS_EXPR}},
        {{AnalysisZeros, "sin(x)", "", 4, -4, 100, 0, ""},
         false,
         {IDS_INVALID_INTERVAL, "", IDC_ANALYSIS_MIN}},
        {{AnalysisArcLength, "sin(x)", "", 4, -4, 100, 0, ""}, false, kPass},
        {{AnalysisExtrema, "sin(x)", "", -4, 4, 0, 0, ""},
         false,
         {IDS_INVALID_PARAMETER, "", IDC_ANALYSIS_STEPS}},
        {{AnalysisExtrema, "sin(x)", "", -4, 4, 2e30, 0, ""},
         false,
         {IDS_INVALID_PARAMETER, "", IDC_ANALYSIS_STEPS}},
        {{AnalysisExtrema, "sin(x)", "", -4, 4, 10, -1, ""},
         false,
         {IDS_INVALID_PARAMETER, "", IDC_ANALYSIS_ACCURACY}},
        {{AnalysisValueTable, "sin(x)", "", -4, 4, 1, 0, "t"},
         false,
         {IDS_INVALID_PARAMETER, "", IDC_ANALYSIS_STEPS}},
        {{AnalysisValueTable, "sin(x)", "", -4, 4, 10001, 0, "t"},
         false,
         {IDS_INVALID_PARAMETER, "", IDC_ANALYSIS_STEPS}},
        {{AnalysisValueTable, "sin(x)", "", 4, -4, 10000, -1, "t"}, false, kPass},
        {{AnalysisValueTable, "sin(x)", "", -4, 4, 2, 0, ""},
         false,
         {IDS_FIELD_MISSING, "", IDC_ANALYSIS_TABLENAME}},
        {{AnalysisIntegrate, "x^2", "X-AXIS", 3, 0, 100, 0, ""}, true, kPass},
        {{AnalysisIntersections, "x^2", "x-axis", 3, 0, 100, 0, ""},
         true,
         {IDS_INVALID_INTERVAL, "", IDC_ANALYSIS_MIN}},
        {{AnalysisArea, "", "x", 0, 1, 100, 0, ""}, true, {0, kMissing, IDC_ANALYSIS_EXPR}},
        {{AnalysisArea, "x", "", 0, 1, 100, 0, ""}, true, {0, kMissing, IDC_ANALYSIS_EXPR2}},
        {{AnalysisArea, "x", "x^(", 0, 1, 100, 0, ""}, true, {0, nullptr, IDC_ANALYSIS_EXPR2}},
        {{AnalysisArea, "SIN(x)", "sin(x)", 0, 1, 100, 0, ""},
         true,
         {0, "The two equations must be different", IDC_ANALYSIS_EXPR}},
    };
    for (const Row& r : rows)
        ExpectVerdict(r.bTwoCurves ? CheckTwoCurveAnalysis(r.v) : CheckFunctionAnalysis(r.v), r.e,
                      "kind " + std::to_string(r.v.kind) + " '" + r.v.first.GetString() + "' '" +
                          r.v.second.GetString() + "' steps " + std::to_string(r.v.steps));
    ExpectVerdict(CheckDifferentiate("x^3"), kPass, "derivative");
    ExpectVerdict(CheckDifferentiate(""), {0, kMissing, IDC_ANALYSIS_EXPR}, "empty");
    EXPECT_STREQ(AnalysisTitle(AnalysisTangent), "Draw tangent of function");
    EXPECT_EQ(AnalysisDialogOf(AnalysisValueTable), DialogFunction);
    EXPECT_EQ(AnalysisDialogOf(AnalysisIntersections), DialogTwoCurve);
}

TEST_F(PlotDialogChecks, CopySizes)
{
    EXPECT_EQ(InitialCopyChoice(0, 0), CopyOnScreen);
    EXPECT_EQ(InitialCopyChoice(300, 200), CopySpecified);
    const CSize screen(1920, 1080);
    EXPECT_EQ(CopySizeOfChoice(Copy640x480, CSize(1, 1), screen), CSize(640, 480));
    EXPECT_EQ(CopySizeOfChoice(CopyFullScreen, CSize(1, 1), screen), screen);
    EXPECT_EQ(CopySizeOfChoice(CopySpecified, CSize(7, 9), screen), CSize(7, 9));
    EXPECT_EQ(CopySizeOfChoice(CopyOnScreen, CSize(7, 9), screen), CSize(0, 0));
    ExpectVerdict(CheckCopySize(9999, 1), kPass, "9999 x 1");
    ExpectVerdict(CheckCopySize(10000, 1), {IDS_INVALID_PARAMETER, "", IDC_COPY_WIDTH}, "10000");
    ExpectVerdict(CheckCopySize(5, 0), {IDS_INVALID_PARAMETER, "", IDC_COPY_HEIGHT}, "0 high");
}

} // namespace
