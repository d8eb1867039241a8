// The 2-D plot's model: definitions and labels, nice numbers, ranges, zoom, automatic ranges,
// styles, replacement and sampling through the engine.
#include "engine/LocaleSeparators.h"
#include "plot/NiceNumbers.h"
#include "plot/Plot2D.h"
#include "tests/plot/PlotTestSupport.h"

#include <cmath>
#include <limits>

namespace {

class Plot2DModel : public PlotTest {
protected:
    // A plot with an engine, laid out on 500 x 400 pixels at area 80.
    void SetUp() override
    {
        PlotTest::SetUp();
        m_plot.m_pEngine = &m_engine;
        m_plot.Layout(0, 0, 500, 400);
    }
    CPlot2D m_plot;
};

TEST_F(Plot2DModel, DefinitionsParseUnderBothSeparators)
{
    struct Case {
        const char* text;
        char separator;
        BOOL ok;
        const char* expression;
        const char* second;
        int form; // starts at 7: a kept form shows as 7
    };
    const Case cases[] = {
        {"y = x^2", ';', TRUE, "x^2", "", 0},
        {"r=2*t", ';', TRUE, "2*t", "", 1},
        {"R = t", ';', TRUE, "t", "", 1},
        {"x = cos(t); y = sin(t)", ';', TRUE, "cos(t)", "sin(t)", 2},
        {"X=cos(t):Y=max(t;1)", ':', TRUE, "cos(t)", "max(t;1)", 2},
        {"x=cos(t); z=sin(t)", ';', FALSE, "", "", 7},
        {"=x", ';', FALSE, "", "", 7},
        {"y=", ';', FALSE, "", "", 7},
        {"a = x", ';', TRUE, "x", "", 7},
        {"sin(x)", ';', TRUE, "sin(x)", "", 0},
        {"y = max(x;2)", ';', TRUE, "max(x;2)", "", 0},
        {"x=t;", ';', FALSE, "", "", 7},
    };
    for (const Case& c : cases) {
        CString e, s;
        int form = 7;
        EXPECT_EQ(ParseGraphDefinition(c.text, e, s, form, c.separator), c.ok) << c.text;
        if (!c.ok)
            continue;
        EXPECT_STREQ(e, c.expression) << c.text;
        EXPECT_STREQ(s, c.second) << c.text;
        EXPECT_EQ(form, c.form) << c.text;
    }
}

TEST_F(Plot2DModel, LabelsNameTheGraphAndJoinParametricHalvesByConvention)
{
    CFunctionPlot g;
    EXPECT_STREQ(g.GetLabel(), "");
    g.SetDefinition("cos(t)", "sin(t)", GraphParametric, 0, 1);
    EXPECT_STREQ(g.GetLabel(), "x = cos(t); y = sin(t)");
    UseCommaSeparators();
    EXPECT_STREQ(g.GetLabel(), "x = cos(t): y = sin(t)");
    EXPECT_EQ(m_plot.AddFunctionFromText(g.GetLabel(), 0, 6), 0) << "a label parses back";
    EXPECT_EQ(m_plot.GetItem(0)->m_nForm, GraphParametric);
    g.SetForm(GraphPolar);
    EXPECT_STREQ(g.GetLabel(), "r = cos(t)");
    g.SetName("wave");
    EXPECT_STREQ(g.GetLabel(), "wave");
}

TEST_F(Plot2DModel, NiceNumbersOfSignsZeroAndExtremes)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    struct Case {
        double x, step, down, up, leading;
    };
    const Case cases[] = {
        {12.3, 10, 12, 13, 10},
        {-12.3, -10, -13, -12, -10},
        {2.5, 2, 2.5, 2.5, 2},
        {0.4, 0.5, 0.4, 0.4, 0.4},
        {0, 1, 0, 0, 0},
        {1e308, 1e308, 1e308, 1e308, 1e308},
        {0.123, 0.1, 0.12, 0.13, 0.1},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(NiceStep(c.x), c.step) << c.x;
        EXPECT_EQ(RoundDownTenth(c.x), c.down) << c.x;
        EXPECT_EQ(RoundUpTenth(c.x), c.up) << c.x;
        EXPECT_EQ(LeadingDigitValue(c.x), c.leading) << c.x;
    }
    for (double (*f)(double) : {NiceStep, RoundDownTenth, RoundUpTenth, LeadingDigitValue}) {
        EXPECT_TRUE(std::isnan(f(nan)));
        EXPECT_EQ(f(INFINITY), INFINITY);
        const double tiny = f(1e-310);
        EXPECT_TRUE(tiny > 0 && tiny < 1e-309) << tiny;
    }
}

TEST_F(Plot2DModel, RangesAreOrderedWidenedAndRefusedWhenNotFinite)
{
    struct Case {
        double x0, x1, y0, y1;
        BOOL ok;
        double ex0, ex1, ey0, ey1;
    };
    const double big = 1e17; // beyond 2^53 a width of 1 would vanish
    const Case cases[] = {
        {5, 5, 3, -3, TRUE, 4, 5, -3, 3},
        {-2, 8, 1, 2, TRUE, -2, 8, 1, 2},
        {NAN, 1, 0, 1, FALSE, -2, 8, 1, 2},
        {0, INFINITY, 0, 1, FALSE, -2, 8, 1, 2},
        {big, big, 0, 1, TRUE, big - 1e8, big, 0, 1},
    };
    m_plot.AddFunction("x", "", GraphRectangular, -1, 1);
    m_plot.AddFunction("t", "", GraphPolar, 0, 1);
    for (const Case& c : cases) {
        EXPECT_EQ(m_plot.SetRanges(c.x0, c.x1, c.y0, c.y1), c.ok) << c.x0;
        if (c.ok) {
            EXPECT_EQ(m_plot.m_dXMin, c.ex0) << c.x0;
            EXPECT_EQ(m_plot.m_dXMax, c.ex1) << c.x0;
            EXPECT_EQ(m_plot.GetItem(0)->m_dDomainMax, c.ex1) << "form 0 follows the x range";
        }
        EXPECT_EQ(m_plot.m_dYMin, c.ey0) << c.x0;
        EXPECT_EQ(m_plot.m_dYMax, c.ey1) << c.x0;
        EXPECT_EQ(m_plot.GetItem(1)->m_dDomainMax, 1) << "a polar graph keeps its t domain";
    }
}

TEST_F(Plot2DModel, LayoutMarginsAndTransforms)
{
    EXPECT_EQ(m_plot.m_rectPlot, CRect(40, 40, 460, 360));
    EXPECT_EQ(m_plot.WorldToPixelX(0), 250);
    EXPECT_EQ(m_plot.WorldToPixelY(10), 40);
    EXPECT_EQ(m_plot.WorldToPixelX(-0.01), 249) << "truncated toward zero";
    EXPECT_EQ(m_plot.WorldToPixelX(1e300), 134217728) << "huge values clamp to 2^27";
    EXPECT_EQ(m_plot.WorldToPixelY(NAN), 0);
    EXPECT_DOUBLE_EQ(m_plot.PixelToWorldX(460), 10);
    m_plot.Layout(0, 0, 0, 0);
    EXPECT_EQ(m_plot.PixelToWorldY(5), 10) << "an empty rectangle divides by nothing";
}

TEST_F(Plot2DModel, ZoomSavesOneLevelAndRefusesDegenerateWidths)
{
    m_plot.Zoom(0.5, 99, 99);
    EXPECT_EQ(m_plot.m_dXMin, -5);
    m_plot.Zoom(0.5, 0, 0);
    EXPECT_EQ(m_plot.m_dXMax, 2.5);
    m_plot.Recenter(10, 0);
    EXPECT_EQ(m_plot.m_dXMin, 7.5);
    EXPECT_EQ(m_plot.m_dXMax, 12.5);
    m_plot.Zoom(0, 0, 0);
    EXPECT_EQ(m_plot.m_dXMin, -10);
    EXPECT_EQ(m_plot.m_dYMax, 10);
    m_plot.Zoom(0, 0, 0);
    EXPECT_EQ(m_plot.m_dXMin, -10) << "nothing saved: nothing changes";

    m_plot.SetRanges(1e6, 1e6 + 1e-3, 0, 1);
    EXPECT_FALSE(m_plot.Zoom(1e-6, 0, 0)) << "narrower than 1e-10 of its centre";
    EXPECT_EQ(m_plot.m_dXMin, 1e6);
    EXPECT_FALSE(m_plot.Zoom(1e306, 0, 0)) << "wider than 1e300";
    EXPECT_EQ(m_plot.m_dSavedXMax, 0) << "a refused zoom saves nothing";
}

TEST_F(Plot2DModel, AutoRangeFromVisibleDataAndFitFromSamples)
{
    TestTable table;
    table.x = {1, 2, 3};
    table.y = {-2, 5, 3.3};
    auto* data = new CFunctionPlot;
    data->AttachDataTable(&table);
    m_plot.AddItem(data);
    m_plot.AutoRange();
    EXPECT_EQ(m_plot.m_dXMin, 1) << "x gets no allowance";
    EXPECT_EQ(m_plot.m_dXMax, 3);
    EXPECT_EQ(m_plot.m_dYMin, -2.7) << "-2 less 10 % of 7, to a tenth of its decade";
    EXPECT_EQ(m_plot.m_dYMax, 5.7) << "5.7 up to a tenth of its decade";

    table.y = {NAN, 5, 3.3};
    data->AttachDataTable(&table);
    m_plot.AutoRange();
    EXPECT_EQ(m_plot.m_dYMin, 3.1) << "a missing first value leaves the others' extent";

    m_plot.ShowSingleItem(5);
    m_plot.SetRanges(-1, 1, -1, 1);
    m_plot.AutoRange();
    EXPECT_EQ(m_plot.m_dXMin, -1) << "no visible data: the ranges stay";
    TestTable empty;
    CFunctionPlot unbound;
    EXPECT_GT(unbound.GetXMin(), unbound.GetXMax()) << "an unbound extent is empty";
    unbound.AttachDataTable(&empty);
    EXPECT_EQ(unbound.GetXMin(), 0);

    CPlot2D fitted;
    fitted.m_pEngine = &m_engine;
    fitted.Layout(0, 0, 200, 200);
    fitted.FitToItems();
    EXPECT_EQ(fitted.m_dXMin, -10) << "nothing sampled: the ranges stay";
    fitted.AddFunction("1/0", "", GraphRectangular, -1, 1);
    fitted.FitToItems();
    EXPECT_EQ(fitted.m_dXMin, -1) << "its domain";
    EXPECT_EQ(fitted.m_dYMin, -10) << "no valid point: y keeps its range";
    fitted.AddFunction("r", "", GraphPolar, 0, 6.28);
    fitted.AddFunction("x^2", "", GraphRectangular, -1, 1);
    m_engine.DefineVariable("r", 1, true);
    fitted.FitToItems();
    EXPECT_NEAR(fitted.m_dXMin, -1, 1e-3);
    EXPECT_NEAR(fitted.m_dYMax, 1, 1e-3);
    EXPECT_NEAR(fitted.m_dYMin, -1, 1e-3);
}

TEST_F(Plot2DModel, AutomaticStylesTakeFreeColoursThenRandomDottedOnes)
{
    const COLORREF table[7] = {0xFF0000, 0x00FF00, 0x0000FF, 0x00FFFF, 0xFF00FF, 0xFFFF00, 0};
    for (int i = 0; i < 7; ++i) {
        m_plot.AddFunction(CString("x+") + char('0' + i), "", 0, -1, 1);
        EXPECT_EQ(m_plot.GetItem(i)->m_crColour, table[i]) << i;
        EXPECT_EQ(m_plot.GetItem(i)->m_nPenStyle, PlotPenSolid) << i;
        EXPECT_EQ(m_plot.GetItem(i)->m_nPenWidth, 1) << i;
    }
    struct Case {
        int random;
        COLORREF colour;
    };
    for (const Case c :
         {Case{0, table[0]}, Case{32767, table[6]}, Case{99999, table[6]}, Case{16383, table[2]}}) {
        m_plot.SetRandomSource([&] { return c.random; });
        const int i =
            m_plot.AddFunction(CString("y") + std::to_string(c.random).c_str(), "", 0, -1, 1);
        EXPECT_EQ(m_plot.GetItem(i)->m_crColour, c.colour) << c.random;
        EXPECT_EQ(m_plot.GetItem(i)->m_nPenStyle, PlotPenDot) << c.random;
    }
}

TEST_F(Plot2DModel, GraphsWithTheSameLabelAreReplacedInPlace)
{
    m_plot.AddFunction("sin(x)", "", 0, -1, 1);
    m_plot.AddFunction("cos(x)", "", 0, -1, 1);
    auto* again = new CFunctionPlot;
    again->SetDefinition("SIN(x)", "", 0, -1, 1);
    again->m_crColour = 0x123456;
    EXPECT_EQ(m_plot.AddItem(again), -1 + 1) << "unnamed graphs compare by equation";
    EXPECT_EQ(m_plot.GetItemCount(), 2);
    EXPECT_EQ(m_plot.GetItem(0), again);
    EXPECT_EQ(m_plot.AddFunction("cos(x)", "", 0, -2, 2), 1) << "AddFunction replaces too";
    EXPECT_EQ(m_plot.GetItemCount(), 2);
    EXPECT_EQ(m_plot.FindItem("Y = COS(X)"), 1);
    EXPECT_EQ(m_plot.AddFunctionFromText("x=; y=t", -1, 1), -1);
    m_plot.RemoveItem(0);
    m_plot.RemoveItem(7);
    EXPECT_EQ(m_plot.GetItemCount(), 1);
}

TEST_F(Plot2DModel, SamplingValuesTheDomainAndMarksFailures)
{
    m_plot.m_nSteps = 400;
    const int i = m_plot.AddFunction("sqrt(x)", "", GraphRectangular, -3, 3);
    CFunctionPlot* g = m_plot.GetItem(i);
    g->m_dDomainMin = -3;
    g->m_dDomainMax = 3;
    ASSERT_TRUE(g->Resample());
    ASSERT_EQ(g->m_points.size(), 400u);
    EXPECT_EQ(g->m_points.back().x, 3) << "the last sample is the domain's end";
    EXPECT_EQ(g->m_points[1].x, -3 + 6.0 / 399);
    EXPECT_TRUE(g->m_points[0].bInvalid);
    EXPECT_FALSE(g->m_points[200].bInvalid) << "x = 0.0075";
    EXPECT_TRUE(g->m_points[199].bInvalid) << "x = -0.0075";
    EXPECT_EQ(g->m_dSampledXMin, -3) << "form 0 spans its domain";
    EXPECT_NEAR(g->m_dSampledYMax, std::sqrt(3.0), 1e-12);
    EXPECT_FALSE(g->m_bResample);

    struct Steps {
        int steps;
        std::size_t points;
    };
    // A new count samples the graph again (the plot page sets it on OK).
    for (Steps s : {Steps{1, 10}, Steps{1000, 1000}, Steps{-5, 10}, Steps{20000000, 10000}}) {
        m_plot.SetSteps(s.steps);
        ASSERT_TRUE(g->Resample()) << s.steps;
        EXPECT_EQ(g->m_points.size(), s.points) << s.steps;
    }

    g->SetExpression("1/(x-x)+");
    EXPECT_FALSE(g->Resample()) << "a parse failure";
    EXPECT_EQ(g->m_points.size(), 10000u) << "the points stay";
    EXPECT_EQ(g->m_dSampledXMin, 1e300);
    EXPECT_EQ(g->m_dSampledXMax, -1e300);

    const int p = m_plot.AddFunction("1", "", GraphPolar, 0, 6.28);
    CFunctionPlot* polar = m_plot.GetItem(p);
    m_engine.m_nAngleMode = AngleDegrees;
    ASSERT_TRUE(polar->Resample());
    EXPECT_NEAR(polar->m_dSampledXMin, -1, 1e-3) << "t in radians whatever the angle mode";
    EXPECT_NEAR(polar->m_dSampledYMax, 1, 1e-3);

    const int q = m_plot.AddFunction("t", "ln(t)", GraphParametric, -1, 1);
    CFunctionPlot* para = m_plot.GetItem(q);
    ASSERT_TRUE(para->Resample());
    EXPECT_TRUE(para->m_points[0].bInvalid) << "either half failing marks the point";
    EXPECT_FALSE(para->m_points.back().bInvalid);
    EXPECT_EQ(para->m_dSampledXMax, 1);
    para->SetSecondExpression("ln(");
    EXPECT_FALSE(para->Resample());
}

TEST_F(Plot2DModel, CopiesTakeSettingsAndDefinitionsOnly)
{
    m_plot.AddFunction("x", "", 0, -1, 1);
    m_plot.m_axes.m_nAxisType = AxisTypeFrame;
    m_plot.m_axes.m_fonts[3].m_strText = "four";
    m_plot.SetRanges(1, 2, 3, 4);
    m_plot.Zoom(2, 0, 0);
    CPlot2D copy;
    copy.CopySettings(m_plot);
    EXPECT_EQ(copy.GetItemCount(), 0);
    EXPECT_EQ(copy.m_axes.m_nAxisType, AxisTypeFrame);
    EXPECT_STREQ(copy.m_axes.m_fonts[3].m_strText, "four");
    EXPECT_EQ(copy.m_dXMax, 2.5);
    EXPECT_EQ(copy.m_dSavedXMax, 0) << "the saved zoom is the plot's own";
    EXPECT_EQ(copy.m_pEngine, nullptr);

    CFunctionPlot g;
    TestTable table;
    g.CopyFrom(*m_plot.GetItem(0));
    EXPECT_STREQ(g.GetExpression(), "x");
    EXPECT_EQ(g.m_pOwner, &m_plot);
    EXPECT_EQ(g.m_crColour, 0xFF0000u);
    EXPECT_TRUE(g.m_points.empty());
    g.AttachDataTable(&table);
    EXPECT_STREQ(g.GetTableName(), "Table1");
}

} // namespace
