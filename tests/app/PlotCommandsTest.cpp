// The 2-D and 3-D plot commands on the project: axis styles and grids by selected kind, the
// derivative, tangent and value-table results, and the 3-D menu's changes and check marks.
#include "engine/EvaluationWork.h"
#include "res/PlotIds.h"
#include "tests/app/DataViewFixture.h"
#include "tests/support/ScopedValue.h"

#include <cmath>
#include <functional>
#include <string>

namespace {

class PlotCommandsTest : public DataViewTest {
protected:
    CFunctionPlot* AddGraph(const char* expression, double lo, double hi)
    {
        auto* graph = new CFunctionPlot;
        graph->SetDefinition(expression, "", GraphRectangular, lo, hi);
        model.AddResultItem(Item2DGraph, graph);
        return graph;
    }
    CSurfacePlot* AddSurface()
    {
        auto* surface = new CSurfacePlot;
        surface->SetZRange(-2, 2);
        model.AddResultItem(Item3DGraph, surface);
        return surface;
    }
    const CFunctionPlot* LastGraph() const
    {
        const int n = model.m_FunctionPlot.GetItemCount();
        return n ? model.m_FunctionPlot.GetItem(n - 1) : nullptr;
    }
    const CDataTable* LastTable() const
    {
        const int n = model.GetItemCount(ItemDataTable);
        return n ? static_cast<CDataTable*>(model.GetItemObject(ItemDataTable, n - 1)) : nullptr;
    }
};

TEST_F(PlotCommandsTest, AxisCommandsActOnThePlotOfTheSelectedKind)
{
    struct Case {
        const char* selected; // "graph", "table" or "list"
        UINT id;
        int functionAxis, dataAxis; // axis types afterwards (-1: untouched)
        int state;                  // of the same id afterwards (-1: disabled)
    };
    // clang-format off
    const Case cases[] = {
        {"graph", ID_PLOT2D_AXES_FRAME,    AxisTypeFrame, -1, 1},
        {"graph", ID_PLOT2D_AXES_NONE,     AxisTypeNone,  -1, 1},
        {"graph", ID_DATAPLOT_AXES_FRAME,  -1,            -1, -1},
        {"table", ID_DATAPLOT_AXES_NONE,   -1, AxisTypeNone,  1},
        {"table", ID_PLOT2D_AXES_FRAME,    -1,            -1, -1},
        {"list",  ID_DATAPLOT_AXES_FRAME,  -1,            -1, -1},
    };
    // clang-format on
    for (const Case& c : cases) {
        Reset();
        if (c.selected == std::string("graph"))
            AddGraph("x^2", -1, 1);
        else if (c.selected == std::string("table"))
            AddTable("Table1", TableLayoutXY, 2, 3);
        else
            AddList("List1", {1, 2});
        const int functionBefore = model.m_FunctionPlot.m_axes.m_nAxisType;
        const int dataBefore = model.m_DataPlot.m_axes.m_nAxisType;
        EXPECT_EQ(model.ApplyPlotAxisCommand(c.id), c.state >= 0) << c.selected << " " << c.id;
        EXPECT_EQ(model.m_FunctionPlot.m_axes.m_nAxisType,
                  c.functionAxis < 0 ? functionBefore : c.functionAxis)
            << c.selected << " " << c.id;
        EXPECT_EQ(model.m_DataPlot.m_axes.m_nAxisType, c.dataAxis < 0 ? dataBefore : c.dataAxis)
            << c.selected << " " << c.id;
        EXPECT_EQ(model.m_PreviewPlot.m_axes.m_nAxisType, model.m_DataPlot.m_axes.m_nAxisType);
        EXPECT_EQ(model.GetPlotAxisCommandState(c.id), c.state) << c.selected << " " << c.id;
    }
}

TEST_F(PlotCommandsTest, DataPlotTogglesFollowTheDataPlotAndKeepThePreviewInStep)
{
    AddTable("Table1", TableLayoutXY, 2, 3);
    // The preview starts out of step: the data plot's value decides and both take it.
    model.m_DataPlot.m_axes.m_bShowGrid = TRUE;
    model.m_PreviewPlot.m_axes.m_bShowGrid = FALSE;
    windows.log.clear();
    ASSERT_TRUE(model.ApplyPlotAxisCommand(ID_DATAPLOT_SHOW_GRID));
    EXPECT_FALSE(model.m_DataPlot.m_axes.m_bShowGrid);
    EXPECT_FALSE(model.m_PreviewPlot.m_axes.m_bShowGrid);
    EXPECT_EQ(model.GetPlotAxisCommandState(ID_DATAPLOT_SHOW_GRID), 0);
    ASSERT_TRUE(model.ApplyPlotAxisCommand(ID_DATAPLOT_AXES_BOXED));
    ASSERT_TRUE(model.ApplyPlotAxisCommand(ID_DATAPLOT_AXES_BOXED));
    EXPECT_EQ(model.m_DataPlot.m_axes.m_bBoxed, model.m_PreviewPlot.m_axes.m_bBoxed);
    EXPECT_EQ(model.GetPlotAxisCommandState(ID_DATAPLOT_AXES_BOXED),
              model.m_DataPlot.m_axes.m_bBoxed != 0);
    EXPECT_NE(windows.log.find("[plot]"), std::string::npos) << windows.log;
    EXPECT_TRUE(model.IsModified());
}

TEST_F(PlotCommandsTest, DerivativeIsANewDottedGraphOverTheSourcesDomain)
{
    model.m_FunctionPlot.SetRanges(-10, 10, -10, 10);
    CFunctionPlot* source = AddGraph("x^2", -2, 5);
    source->SetName("parabola");
    model.DrawDerivative();
    ASSERT_EQ(model.m_FunctionPlot.GetItemCount(), 2) << prompts.log;
    const CFunctionPlot* derivative = LastGraph();
    EXPECT_EQ(model.m_FunctionPlot.GetItem(0)->GetExpression(), "x^2");
    model.m_Engine.SetExpression(derivative->GetExpression());
    ASSERT_EQ(model.m_Engine.Parse(), 0) << derivative->GetExpression().GetString();
    g_IndependentVariables[0].dValue = 3;
    EXPECT_NEAR(model.m_Engine.Evaluate(), 6, 1e-12) << derivative->GetExpression().GetString();
    EXPECT_EQ(derivative->m_dDomainMin, -2);
    EXPECT_EQ(derivative->m_dDomainMax, 5);
    EXPECT_EQ(derivative->m_nPenStyle, PlotPenDot);

    // In degrees the derivative graph is the slope Differentiate reports.
    Reset();
    model.m_Engine.m_nAngleMode = AngleDegrees;
    AddGraph("sin(x)", -90, 90);
    model.DrawDerivative();
    ASSERT_EQ(model.m_FunctionPlot.GetItemCount(), 2) << prompts.log;
    model.m_Engine.SetExpression("sin(x)");
    double slope = 0;
    ASSERT_EQ(model.m_Engine.DifferentiateAt(30, slope), 0);
    model.m_Engine.SetExpression(LastGraph()->GetExpression());
    ASSERT_EQ(model.m_Engine.Parse(), 0);
    g_IndependentVariables[0].dValue = 30;
    EXPECT_NEAR(model.m_Engine.Evaluate(), slope, 1e-9) << LastGraph()->GetExpression().GetString();

    // Polar graphs have no derivative graph.
    Reset();
    auto* polar = new CFunctionPlot;
    polar->SetDefinition("t", "", GraphPolar, 0, 6);
    model.AddResultItem(Item2DGraph, polar);
    model.DrawDerivative();
    EXPECT_EQ(model.m_FunctionPlot.GetItemCount(), 1);

    // A derivative that would not read back adds no graph that a project could not load.
    Reset();
    std::string product = "x";
    for (int i = 1; i < 250; ++i)
        product += "*x";
    AddGraph(product.c_str(), -1, 1);
    model.DrawDerivative();
    EXPECT_EQ(model.m_FunctionPlot.GetItemCount(), 1);
    EXPECT_EQ(prompts.CountOf("Overflow"), 1) << prompts.log;
}

TEST_F(PlotCommandsTest, TangentTextReadsBackUnderBothConventions)
{
    struct Case {
        bool comma;
        const char* f;
        double x0;
        const char* line;
    };
    const Case cases[] = {
        {false, "3*x-2", 1, "3*x-2"},
        {false, "3*x", 7, "3*x+0"},
        {false, "x^2/3", 1, "0.666666666667*x-0.333333333333"},
        {true, "x^2/2", 1, "1*x-0,5"},
    };
    for (const Case& c : cases) {
        Reset();
        if (c.comma)
            UseCommaSeparators();
        model.m_FunctionPlot.SetRanges(-4, 6, -10, 10);
        model.AddTangentLine(c.f, c.x0);
        const CFunctionPlot* line = LastGraph();
        ASSERT_NE(line, nullptr) << c.f << prompts.log;
        EXPECT_EQ(line->GetExpression(), c.line) << c.f;
        EXPECT_EQ(line->m_dDomainMin, -4);
        EXPECT_EQ(line->m_dDomainMax, 6);
        UseDotSeparators();
    }
}

TEST_F(PlotCommandsTest, ValueTableLeavesOutPointsWithoutValue)
{
    struct Case {
        const char* f;
        double lo, hi;
        int rows;
        std::vector<double> xs; // the table's x column; empty: no table and a message
    };
    const Case cases[] = {
        {"x^2", 0, 1, 3, {0, 0.5, 1}}, {"ln(x)", -1, 1, 3, {1}},
        {"x", 0, 1, 1, {0, 1}}, // fewer than two rows would divide by zero
        {"ln(x)", -2, -1, 5, {}},      {"x+", 0, 1, 5, {}},
    };
    for (const Case& c : cases) {
        Reset();
        model.AddValueTable(c.f, c.lo, c.hi, "Value table 1", c.rows);
        const CDataTable* table = LastTable();
        if (c.xs.empty()) {
            EXPECT_EQ(table, nullptr) << c.f;
            EXPECT_EQ(prompts.CountOf("[message]"), 1) << c.f << prompts.log;
            continue;
        }
        ASSERT_NE(table, nullptr) << c.f << prompts.log;
        EXPECT_EQ(table->GetName(), "Value table 1");
        ASSERT_EQ(table->GetColumnLength(0), int(c.xs.size())) << c.f;
        for (std::size_t i = 0; i < c.xs.size(); ++i) {
            const double x = table->GetValue(0, int(i) + 1);
            EXPECT_DOUBLE_EQ(x, c.xs[i]) << c.f << " row " << i;
            model.m_Engine.SetExpression(c.f);
            model.m_Engine.Parse();
            g_IndependentVariables[0].dValue = x;
            EXPECT_DOUBLE_EQ(table->GetValue(1, int(i) + 1), model.m_Engine.Evaluate()) << c.f;
        }
    }
}

// A value table is one command with one budget in time: one cut short by it would look
// complete, so none is made and the budget's message is shown.
TEST_F(PlotCommandsTest, ValueTableSharesOneBudgetInTime)
{
    {
        const ScopedValue noTime(EvaluationSecondsLimit, 0.0);
        model.AddValueTable("FSUM(x, 1, 10) + x", 0, 1, "Value table 1", 5000);
    }
    EXPECT_EQ(LastTable(), nullptr);
    EXPECT_EQ(prompts.CountOf("Maximum iterations exceeded"), 1) << prompts.log;
    model.AddValueTable("FSUM(x, 1, 10) + x", 0, 1, "Value table 1", 5000);
    ASSERT_NE(LastTable(), nullptr) << prompts.log;
    EXPECT_EQ(LastTable()->GetColumnLength(0), 5000);
}

TEST_F(PlotCommandsTest, ThreeDCommandsChangeTheSurfaceAndCarryTheirCheckMarks)
{
    // Without a selected 3-D graph every command is disabled and does nothing.
    AddGraph("x", -1, 1);
    EXPECT_FALSE(model.ApplyPlot3DCommand(ID_PLOT3D_ROTATE_LEFT));
    EXPECT_EQ(model.GetPlot3DCommandState(ID_PLOT3D_VIEWS_ONE), -1);

    CSurfacePlot* surface = AddSurface();
    const double d = std::sqrt(36 + 36 + 16.0);
    struct Step {
        UINT id;
        UINT checked;   // the item of its group that carries the mark afterwards
        UINT unchecked; // one that does not
    };
    const Step steps[] = {
        {ID_PLOT3D_NO_PERSPECTIVE, ID_PLOT3D_FAR_PERSPECTIVE, ID_PLOT3D_NO_PERSPECTIVE},
        {ID_PLOT3D_MEDIUM_PERSPECTIVE, ID_PLOT3D_MEDIUM_PERSPECTIVE, ID_PLOT3D_FAR_PERSPECTIVE},
        {ID_PLOT3D_NEAR_PERSPECTIVE, ID_PLOT3D_NEAR_PERSPECTIVE, ID_PLOT3D_MEDIUM_PERSPECTIVE},
        {ID_PLOT3D_STYLE_HIDDEN_LINE, ID_PLOT3D_STYLE_HIDDEN_LINE, ID_PLOT3D_STYLE_GRADIENT},
        {ID_PLOT3D_RESOLUTION_HIGH, ID_PLOT3D_RESOLUTION_HIGH, ID_PLOT3D_RESOLUTION_MEDIUM},
        {ID_PLOT3D_VIEWS_SIX, ID_PLOT3D_VIEWS_SIX, ID_PLOT3D_VIEWS_ONE},
        {ID_PLOT3D_AXES_NONE, ID_PLOT3D_AXES_NONE, ID_PLOT3D_AXES_FRAMED},
        {ID_PLOT3D_AXES_BOXED, ID_PLOT3D_AXES_BOXED, ID_PLOT3D_ROTATE_LEFT},
    };
    for (const Step& s : steps) {
        ASSERT_TRUE(model.ApplyPlot3DCommand(s.id)) << s.id;
        EXPECT_EQ(model.GetPlot3DCommandState(s.checked), 1) << s.id;
        EXPECT_EQ(model.GetPlot3DCommandState(s.unchecked), 0) << s.id;
    }
    EXPECT_NEAR(surface->m_dViewMu, 0.7 * d, 1e-9);

    // Resolution bands: 60 Medium, 61 High, 96 Maximum, 0 Low.
    const std::pair<int, UINT> bands[] = {{60, ID_PLOT3D_RESOLUTION_MEDIUM},
                                          {61, ID_PLOT3D_RESOLUTION_HIGH},
                                          {96, ID_PLOT3D_RESOLUTION_MAXIMUM},
                                          {0, ID_PLOT3D_RESOLUTION_LOW}};
    for (auto [resolution, id] : bands) {
        surface->SetResolution(resolution);
        EXPECT_EQ(model.GetPlot3DCommandState(id), 1) << resolution;
    }

    // Six turns left make 60 degrees; up and down cancel out.
    const double theta = surface->m_dViewTheta, phi = surface->m_dViewPhi;
    for (int i = 0; i < 6; ++i)
        model.ApplyPlot3DCommand(ID_PLOT3D_ROTATE_LEFT);
    model.ApplyPlot3DCommand(ID_PLOT3D_ROTATE_UP);
    model.ApplyPlot3DCommand(ID_PLOT3D_ROTATE_DOWN);
    EXPECT_NEAR(surface->m_dViewTheta - theta, M_PI / 3, 1e-12);
    EXPECT_NEAR(surface->m_dViewPhi, phi, 1e-12);

    // An axis type already set marks the project but does not redraw.
    model.ApplyPlot3DCommand(ID_PLOT3D_AXES_FRAMED);
    windows.log.clear();
    model.SetModified(FALSE);
    model.ApplyPlot3DCommand(ID_PLOT3D_AXES_FRAMED);
    EXPECT_EQ(windows.log, "");
    EXPECT_TRUE(model.IsModified());
    // Any other command redraws, and the grid shows the surface's view as it now is.
    model.ApplyPlot3DCommand(ID_PLOT3D_VIEWS_ONE);
    EXPECT_EQ(windows.log, "[plot3d][grid]");
}

TEST_F(PlotCommandsTest, ChooserPresetsFromTheSelectionAndKeepsItsOptionsInRange)
{
    AddGraph("x^2-1", -3, 3);
    AddGraph("sin(x)", -3, 3);
    model.SelectItemByIndex(Item2DGraph, 0);
    model.m_FunctionPlot.SetRanges(-4, 4, -2, 2);
    model.SetLastPointer(-0.0456, 2);
    ChooserPreset p = model.PresetChooser(AnalysisIntersections);
    EXPECT_EQ(p.strFirst, "x^2-1");
    EXPECT_EQ(p.strSecond, "sin(x)"); // the next graph, for intersections only
    EXPECT_EQ(p.dMin, -4);
    EXPECT_EQ(p.dMax, 4);
    EXPECT_EQ(model.PresetChooser(AnalysisArea).strSecond, "x-axis");
    EXPECT_DOUBLE_EQ(model.PresetChooser(AnalysisTangent).dPoint, -0.04);
    model.SetLastPointer(3.7, 0);
    EXPECT_DOUBLE_EQ(model.PresetChooser(AnalysisTangent).dPoint, 3);
    model.SetLastPointer(0, 0);
    EXPECT_EQ(model.PresetChooser(AnalysisTangent).dPoint, 0);
    p = model.PresetChooser(AnalysisValueTable);
    EXPECT_EQ(p.dSteps, 100);
    EXPECT_EQ(p.strTableName, "Value table 1");

    struct Case {
        int kind;
        double steps, accuracy;
        int solverSteps, decimals, rows;
    };
    const Case cases[] = {
        {AnalysisZeros, 0.5, 20, 1, 2, 100},          {AnalysisZeros, 50000, 7.9, 10000, 7, 100},
        {AnalysisArea, 1e30, -1, 10000, 2, 100},      {AnalysisValueTable, 250.7, 99, 200, 5, 250},
        {AnalysisValueTable, 1e30, 0, 200, 5, 10000},
    };
    for (const Case& c : cases) {
        model.m_Engine.m_nSolverSteps = 200;
        model.m_Engine.m_SolverFormat.SetDecimals(5);
        model.m_Settings.nValueTableRows = 100;
        model.TakeChooserOptions(c.kind, c.steps, c.accuracy);
        EXPECT_EQ(model.m_Engine.m_nSolverSteps, c.solverSteps) << c.steps;
        EXPECT_EQ(model.m_Engine.m_SolverFormat.m_nDecimals, c.decimals) << c.accuracy;
        EXPECT_EQ(model.m_Settings.nValueTableRows, c.rows) << c.steps;
    }
    EXPECT_EQ(ProjectModel::ChooserCurve("X-AXIS"), "0");
    EXPECT_EQ(ProjectModel::ChooserCurve("x"), "x");
}

TEST_F(PlotCommandsTest, GraphDialogsAnswersRelabelTheirItems)
{
    CFunctionPlot* graph = AddGraph("x^2", -3, 3);
    const CString oldLabel = graph->GetLabel();
    const GraphDefinition definition{GraphRectangular, "x^3", "", -1, 2};
    model.UpdateGraph(Item2DGraph, *graph, &definition, 0x00FF00, PlotPenDash, 3);
    EXPECT_EQ(graph->GetExpression(), "x^3");
    EXPECT_EQ(graph->m_dDomainMax, 2);
    EXPECT_EQ(graph->m_crColour, COLORREF(0x00FF00));
    EXPECT_EQ(graph->m_nPenWidth, 3);
    EXPECT_EQ(windows.FindExplorerItem(Item2DGraph, oldLabel), ExplorerNode(0));
    EXPECT_NE(windows.FindExplorerItem(Item2DGraph, graph->GetLabel()), ExplorerNode(0));

    // OK with nothing changed still draws the graph afresh.
    ASSERT_TRUE(graph->Resample());
    model.UpdateGraph(Item2DGraph, *graph, nullptr, graph->m_crColour, graph->m_nPenStyle,
                      graph->m_nPenWidth);
    EXPECT_TRUE(graph->m_bResample);

    // A 3-D graph: degrees in the dialog, radians in the surface; the label follows the
    // expression.
    CSurfacePlot* surface = AddSurface();
    ASSERT_EQ(surface->ComputeMesh(), 0);
    model.Update3DGraph(*surface, GetSurfaceValues(*surface));
    EXPECT_TRUE(surface->m_bRebuild) << "OK rebuilds the surface";
    SurfaceValues v = GetSurfaceValues(*surface);
    v.strExpression = "x*y";
    v.dViewTheta = 30;
    v.dLightPhi = 45;
    v.crLight = 0x808080;
    v.nResolution = 75;
    windows.log.clear();
    model.Update3DGraph(*surface, v);
    EXPECT_EQ(surface->GetEquationText(), "z = x*y");
    EXPECT_NE(windows.FindExplorerItem(Item3DGraph, "z = x*y"), ExplorerNode(0));
    EXPECT_NEAR(surface->m_dViewTheta, M_PI / 6, 1e-12);
    EXPECT_NEAR(surface->m_dLightPhi, M_PI / 4, 1e-12);
    EXPECT_EQ(surface->m_crLight, COLORREF(0x808080));
    EXPECT_EQ(surface->GetResolution(), 75);
    EXPECT_NE(windows.log.find("[plot3d]"), std::string::npos) << windows.log;
    const SurfaceValues back = GetSurfaceValues(*surface);
    EXPECT_NEAR(back.dViewTheta, 30, 1e-9);
    EXPECT_NEAR(back.dLightPhi, 45, 1e-9);

    // Adding one from the defaults' values with an expression of its own.
    SurfaceValues added = GetSurfaceValues(model.m_Default3DGraph);
    added.strExpression = "x+y";
    model.Add3DGraph(added);
    ASSERT_EQ(model.m_Scene.GetSurfaceCount(), 2);
    EXPECT_EQ(model.m_Scene.GetSurface(1)->GetExpression(), "x+y");
}

// Each way a user changes what an expression reads leaves the graphs, data graphs and
// surfaces that read it to be sampled again, and redraws their panes; others stay as drawn.
TEST_F(PlotCommandsTest, GraphsAreSampledAgainWhenWhatTheyReadChanges)
{
    struct Case {
        const char* what;
        const char* expression;
        int folder; // selected before the change
        std::function<void()> change;
        bool changed;
    };
    const Case cases[] = {
        {"the angle mode (Options)", "sin(x)", ItemNone,
         [&] {
             model.m_Engine.m_nAngleMode = AngleDegrees;
             model.ResampleChangedGraphs();
         },
         true},
        {"a variable typed", "a*x", ItemVariables, [&] { Type(1, 2, "4"); }, true},
        {"another variable typed", "a*x", ItemVariables, [&] { Type(2, 2, "4"); }, false},
        {"a variable deleted", "a*x", ItemVariables, [&] { model.DeleteGridEntry(1); }, true},
        {"a user function redefined", "f(x)", ItemUserFunctions, [&] { Type(1, 1, "f(p) = p*3"); },
         true},
        {"a user function's rows deleted", "f(x)", ItemUserFunctions,
         [&] { model.DeleteGridRows(1, 1, 1); }, true},
        {"a user constant typed", "k*x", ItemUserConstants, [&] { Type(1, 3, "6"); }, true},
        {"an unused constant typed", "x^2", ItemUserConstants, [&] { Type(1, 3, "6"); }, false},
        {"a user unit's factor", "CONVERT(x, \"smoot\", \"cm\")", ItemUserUnits,
         [&] { Type(1, 3, "171"); }, true},
        {"the solver's accuracy", "FINT(x, 0, 1)*x", ItemNone,
         [&] { model.TakeChooserOptions(AnalysisZeros, 200, 9); }, true},
        {"the solver's accuracy unused", "x^2", ItemNone,
         [&] { model.TakeChooserOptions(AnalysisZeros, 200, 9); }, false},
    };
    for (const Case& c : cases) {
        Reset();
        model.m_Engine.DefineVariable("a", 2, false);
        model.m_Engine.DefineVariable("b", 3, false);
        ASSERT_EQ(AddUserConstant("", "", "k", 5), 0);
        ASSERT_EQ(model.m_Engine.DefineUserFunction("f(p) = p*2", false), 0);
        ASSERT_EQ(AddUserUnit("smoot", "cm", 170.18), 0);
        CFunctionPlot* graph = AddGraph(c.expression, -6, 6);
        auto* data = new CFunctionPlot;
        data->SetDefinition(c.expression, "", GraphRectangular, 1, 6);
        model.AddResultItem(ItemDataGraph, data);
        CSurfacePlot* surface = AddSurface();
        surface->SetExpression(c.expression);
        ASSERT_TRUE(graph->Resample() && data->Resample()) << c.what;
        ASSERT_EQ(surface->ComputeMesh(), 0) << c.what;
        if (c.folder != ItemNone)
            SelectFolder(c.folder);
        windows.log.clear();
        c.change();
        EXPECT_EQ(graph->m_bResample, c.changed) << c.what;
        EXPECT_EQ(data->m_bResample, c.changed) << c.what;
        EXPECT_EQ(surface->m_bRebuild, c.changed) << c.what;
        EXPECT_EQ(windows.log.find("[plot]") != std::string::npos, c.changed) << c.what;
        EXPECT_EQ(windows.log.find("[plot3d]") != std::string::npos, c.changed) << c.what;
    }
}

} // namespace
