// The analysis commands on the project: linear and nonlinear fits leave a data graph that owns
// its report, the recent fits, statistics and comparisons of lists and columns, and the matrix
// commands, with what each tells the user when it refuses.
#include "analysis/DefaultModels.h"
#include "analysis/ListComparison.h"
#include "analysis/ListStatistics.h"
#include "analysis/NonlinearFit.h"
#include "engine/EngineErrors.h"
#include "tests/analysis/NistData.h"
#include "tests/app/DataViewFixture.h"
#include "tests/support/StoredBytes.h"

#include <algorithm>
#include <cmath>
#include <functional>
#include <limits>
#include <string>
#include <vector>

namespace {

class AnalysisCommandsTest : public DataViewTest {
protected:
    // A table of layout 1 holding y = 1 + 2x for x = 1..n, selected.
    CDataTable* AddLineTable(const char* name, int n)
    {
        CDataTable* table = AddTable(name, TableLayoutXY, 2, n);
        for (int i = 0; i < n; ++i) {
            table->SetCell(0, i, i + 1);
            table->SetCell(1, i, 1 + 2.0 * (i + 1));
        }
        return table;
    }
    // A fit selects its new graph: the table again, as the user would click it.
    void Select(int kind, const char* name)
    {
        windows.SelectExplorerItem(windows.FindExplorerItem(kind, name));
    }
    const CFunctionPlot* LastGraph() const
    {
        const int n = model.m_DataPlot.GetItemCount();
        return n ? model.m_DataPlot.GetItem(n - 1) : nullptr;
    }
    static std::vector<std::string> Labels(const CAnalysisResult& result)
    {
        std::vector<std::string> labels;
        for (int i = 0; i < result.GetItemCount(); ++i)
            labels.emplace_back(result.GetItem(i).strLabel.GetString());
        return labels;
    }
    static ModelRecord Model(const char* name, const char* formula)
    {
        return {"Classic equations", name, formula, "", ""};
    }
    static ModelRecord LibraryModel(const char* name)
    {
        for (const ModelRecord& m : BuiltinModels())
            if (m.strName == name)
                return m;
        return ModelRecord{};
    }
    std::vector<std::string> RecentNames() const
    {
        std::vector<std::string> names;
        for (int i = 0; i < model.m_RecentFits.GetModelCount(); ++i)
            names.emplace_back(model.m_RecentFits.GetModelName(i).GetString());
        return names;
    }
};

TEST_F(AnalysisCommandsTest, ALinearFitLeavesADataGraphOfTheCurveOwningItsReport)
{
    CDataTable* table = AddLineTable("Table1", 10);
    model.LinearFitSelection(0);
    const CFunctionPlot* graph = LastGraph();
    ASSERT_NE(graph, nullptr) << prompts.log;
    EXPECT_EQ(graph->GetName(), "Linear fit - Straight line of Table1");
    EXPECT_EQ(graph->GetDataTable(), table);
    // The curve and the plot's x range span the data, without an allowance.
    EXPECT_EQ(graph->m_dDomainMin, 1);
    EXPECT_EQ(graph->m_dDomainMax, 10);
    EXPECT_EQ(model.m_DataPlot.m_dXMin, 1);
    EXPECT_EQ(model.m_DataPlot.m_dXMax, 10);
    EXPECT_EQ(graph->m_dwSpareB, 0u);
    ASSERT_NE(graph->GetReport(), nullptr);
    EXPECT_EQ(graph->GetReport()->GetTitle(), "Linear Fit of Table1");
    EXPECT_EQ(graph->GetReport()->GetNumberFormat(), &model.m_Engine.m_ResultFormat);
    // The curve is the fitted line: it goes through the data.
    model.m_Engine.SetExpression(graph->GetExpression());
    ASSERT_EQ(model.m_Engine.Parse(), 0) << graph->GetExpression().GetString();
    g_IndependentVariables[0].dValue = 4.0;
    EXPECT_NEAR(model.m_Engine.Evaluate(), 9.0, 1e-9);
    EXPECT_EQ(windows.Find(windows.selected)->name, "Linear fit - Straight line of Table1");

    // The same fit again has the same name: the overwrite rule asks first.
    Select(ItemDataTable, "Table1");
    prompts.answers = {7};
    model.LinearFitSelection(0);
    EXPECT_EQ(prompts.CountOf("[overwrite?]"), 1);
    EXPECT_EQ(model.m_DataPlot.GetItemCount(), 1);
}

TEST_F(AnalysisCommandsTest, LinearFitsRefuseWhatTheyCannotFitAndAddNothing)
{
    struct Case {
        int layout;
        int rows;
        int model;
        double y3; // the third point's y
        const char* message;
    };
    const Case cases[] = {
        {TableLayoutColumns, 5, 0, 7, ""}, // layouts without x and y do nothing
        {TableLayoutRagged, 5, 0, 7, ""},
        {TableLayoutX, 5, 0, 7, ""},
        {TableLayoutXY, 2, 0, 7, "Too few data points"},
        {TableLayoutXY, 4, 6, 7, "Too few data points"}, // a quartic needs five
        {TableLayoutXY, 5, 0, HUGE_VAL, "Bad argument"},
    };
    for (const Case& c : cases) {
        Reset();
        CDataTable* table = AddTable("T", c.layout, 3, c.rows);
        for (int i = 0; i < c.rows; ++i)
            for (int col = 0; col < table->GetColumnCount(); ++col)
                table->SetCell(col, i, i + 1 + col);
        if (c.rows > 2 && table->GetColumnCount() > 1)
            table->SetCell(1, 2, c.y3);
        model.LinearFitSelection(c.model);
        EXPECT_EQ(model.m_DataPlot.GetItemCount(), 0) << c.layout << " " << c.model;
        const std::string expected = *c.message ? std::string("[message] ") + c.message + "\n" : "";
        EXPECT_EQ(prompts.log, expected) << c.layout << " " << c.model;
    }
}

// The models fitted through logarithms refuse an x or y at or below 0 and name the rows that
// hold one, as the grid numbers them (an empty row is no point but keeps its number); a model
// without logarithms fits such points. The table: x 1..5, y 2x, then the changes.
TEST_F(AnalysisCommandsTest, FitsThroughLogarithmsNameTheRowsTheyCannotTake)
{
    struct Change {
        int column;
        int row;
        double value;
    };
    const double empty = std::numeric_limits<double>::quiet_NaN();
    const struct {
        int model;
        std::vector<Change> changes;
        const char* message; // none: a graph is added
    } cases[] = {
        {2,
         {{1, 2, -1}},
         "The exponential model a*b^x fits the logarithm of y and needs every y above 0, which "
         "the point in row 2 does not have.  Give it y above 0, or choose another model."},
        {2,
         {{1, 1, empty}, {1, 3, 0}, {1, 5, -4}},
         "The exponential model a*b^x fits the logarithm of y and needs every y above 0, which "
         "the 2 points in rows 3 and 5 do not have.  Give them y above 0, or choose another "
         "model."},
        {1,
         {{0, 4, 0}, {1, 2, -1}},
         "The logarithmic model a+b*ln(x) fits the logarithm of x and needs every x above 0, "
         "which the point in row 4 does not have.  Give it x above 0, or choose another model."},
        {3,
         {{0, 1, -1}, {1, 5, -2}},
         "The power model a*x^b fits the logarithm of x and y and needs every x and y above 0, "
         "which the 2 points in rows 1 and 5 do not have.  Give them x and y above 0, or choose "
         "another model."},
        {0, {{1, 2, -1}, {1, 3, 0}}, nullptr},
    };
    for (const auto& c : cases) {
        Reset();
        CDataTable* table = AddTable("T", TableLayoutXY, 2, 5);
        for (int i = 1; i <= 5; ++i) {
            table->GetColumn(0)->SetValue(i, i);
            table->GetColumn(1)->SetValue(i, 2 * i);
        }
        for (const Change& change : c.changes)
            table->GetColumn(change.column)->SetValue(change.row, change.value);
        model.LinearFitSelection(c.model);
        EXPECT_EQ(model.m_DataPlot.GetItemCount(), c.message ? 0 : 1) << c.model;
        EXPECT_EQ(prompts.log, c.message ? std::string("[message] ") + c.message + "\n" : "")
            << c.model;
    }
}

TEST_F(AnalysisCommandsTest, ANonlinearFitRunsWithTheDialogsStartValuesFlagsAndLimit)
{
    CDataTable* table = AddLineTable("Table1", 10);
    const ModelRecord line = Model("Line", "a+b*x");
    CNonlinearFit fit;
    ASSERT_TRUE(model.SetFitModel(line, fit));
    // What the Initial Values dialog set on the fit reaches the run.
    fit.SetAuto(1, FALSE);
    fit.SetConstant(1, TRUE);
    fit.SetInitialValue(1, 3.0);
    model.RunNonlinearFit(line, fit);
    const CFunctionPlot* graph = LastGraph();
    ASSERT_NE(graph, nullptr) << prompts.log;
    EXPECT_EQ(graph->GetName(), "Line Fit of Table1");
    EXPECT_EQ(graph->GetDataTable(), table);
    const std::vector<std::string> labels = Labels(*graph->GetReport());
    EXPECT_NE(std::find(labels.begin(), labels.end(), "b (constant)"), labels.end());
    EXPECT_EQ(fit.GetValue(2), 3.0);
    EXPECT_EQ(RecentNames(), (std::vector<std::string>{"Line"}));
    EXPECT_EQ(model.m_RecentFits.GetModel(0).strCategory, "Classic equations");

    // A limit of one iteration ends the fit unfinished: told with the values it reached, no
    // graph, the model is recent.
    Select(ItemDataTable, "Table1");
    CNonlinearFit limited;
    ASSERT_TRUE(limited.SetMaxIterations(1));
    ASSERT_TRUE(model.SetFitModel(Model("Exp", "a*exp(b*x)"), limited));
    model.RunNonlinearFit(Model("Exp", "a*exp(b*x)"), limited);
    EXPECT_EQ(model.m_DataPlot.GetItemCount(), 1);
    EXPECT_EQ(prompts.CountOf("Maximum iterations exceeded\nValues reached:\n    a = "), 1)
        << prompts.log;
    EXPECT_EQ(prompts.CountOf("\nIterations: 2"), 1) << prompts.log;
    EXPECT_EQ(RecentNames(), (std::vector<std::string>{"Exp", "Line"}));
}

// Each kind of fit tells on a line of its own how it weighted the points, since without an
// error column its values differ from an unweighted fit's.
TEST_F(AnalysisCommandsTest, EveryFitReportStatesHowItWeightedThePoints)
{
    const struct {
        std::vector<double> s; // the error column, none for layout 1
        const char* text;
    } tables[] = {
        {{},
         "each point's deviation taken as 5 % of its y value, as the table has no error "
         "column"},
        {{0.1, 0.2, 0.1, 0.2, 0.1, 0.2}, "deviations from the error column \"YSig\""},
        {{0.1, 0, 0.1, -1, 0.1, 0.2},
         "deviations from the error column \"YSig\"; 5 % of y for 2 points whose deviation is 0 "
         "or less"},
        {{0.1, NAN, 0.1, -1, 0.1, 0.2}, // an empty deviation is a missing one
         "deviations from the error column \"YSig\"; 5 % of y for 2 points whose deviation is "
         "empty, 0 or less"},
    };
    const struct {
        const char* kind;
        std::function<void(ProjectModel&)> run;
    } fits[] = {
        {"line", [](ProjectModel& p) { p.LinearFitSelection(0); }},
        {"quadratic", [](ProjectModel& p) { p.LinearFitSelection(4); }},
        {"typed model",
         [](ProjectModel& p) {
             CNonlinearFit fit;
             p.RunNonlinearFit(Model("Mine", "a+b*x^2"), fit);
         }},
        {"library model",
         [](ProjectModel& p) {
             CNonlinearFit fit;
             p.RunNonlinearFit(LibraryModel("Exponential curve"), fit);
         }},
    };
    for (const auto& t : tables) {
        for (const auto& f : fits) {
            SCOPED_TRACE(testing::Message() << f.kind << " " << t.text);
            Reset();
            CDataTable* table = AddTable("T", t.s.empty() ? TableLayoutXY : TableLayoutXYSig, 0, 6);
            for (int i = 0; i < 6; ++i) {
                table->SetCell(0, i, i + 1);
                table->SetCell(1, i, 2 * std::exp(0.3 * (i + 1)) + 0.01 * (i % 2));
                if (!t.s.empty())
                    table->SetCell(2, i, t.s[std::size_t(i)]);
            }
            f.run(model);
            ASSERT_NE(LastGraph(), nullptr) << prompts.log;
            const CAnalysisResult& report = *LastGraph()->GetReport();
            const std::vector<std::string> labels = Labels(report);
            const auto line = std::find(labels.begin(), labels.end(), "Weighting: ");
            ASSERT_NE(line, labels.end());
            const AnalysisResultItem& item = report.GetItem(int(line - labels.begin()));
            EXPECT_EQ(item.strText, t.text);
            EXPECT_FALSE(item.bIndent);
        }
    }
}

// A point at y = 0 without a deviation holds the curve: each kind of fit of (1, 2), (2, 0),
// (3, 4), (5, 6) adds a graph through (2, 0); where such points fix every parameter the user is
// told so, and nothing is added.
TEST_F(AnalysisCommandsTest, APointAtZeroHoldsTheCurveOfEveryKindOfFit)
{
    auto addTable = [this](std::vector<double> y) {
        CDataTable* table = AddTable("T", TableLayoutXY, 0, 4);
        const double x[] = {1, 2, 3, 5};
        for (int i = 0; i < 4; ++i) {
            table->SetCell(0, i, x[i]);
            table->SetCell(1, i, y[std::size_t(i)]);
        }
    };
    auto curveAt = [this](double x) {
        model.m_Engine.SetExpression(LastGraph()->GetExpression());
        EXPECT_EQ(model.m_Engine.Parse(), 0) << LastGraph()->GetExpression().GetString();
        g_IndependentVariables[0].dValue = x;
        return model.m_Engine.Evaluate();
    };
    const struct {
        const char* kind;
        std::function<void(ProjectModel&)> run;
        double atFive; // the curve at x = 5, from the fit constrained by hand
    } fits[] = {
        {"line", [](ProjectModel& p) { p.LinearFitSelection(0); }, 3 * 4.0 / 9},
        {"quadratic", [](ProjectModel& p) { p.LinearFitSelection(4); }, 22.0 / 3},
        {"typed model",
         [](ProjectModel& p) {
             CNonlinearFit fit;
             p.RunNonlinearFit(Model("Mine", "p*x+q"), fit);
         },
         3 * 4.0 / 9},
        {"library model",
         [](ProjectModel& p) {
             CNonlinearFit fit;
             p.RunNonlinearFit(LibraryModel("Quadratic"), fit);
         },
         22.0 / 3},
    };
    for (const auto& f : fits) {
        SCOPED_TRACE(f.kind);
        Reset();
        addTable({2, 0, 4, 6});
        f.run(model);
        ASSERT_NE(LastGraph(), nullptr) << prompts.log;
        EXPECT_NEAR(curveAt(2), 0.0, 1e-12);
        EXPECT_NEAR(curveAt(5), f.atFive, 1e-9);
    }

    Reset();
    addTable({0, 0, 4, 6});
    model.LinearFitSelection(0);
    EXPECT_EQ(model.m_DataPlot.GetItemCount(), 0);
    EXPECT_EQ(prompts.log,
              "[message] Passing through the 2 points at y = 0 in rows 1 and 2 fixes every "
              "parameter of the model and leaves none to fit the other points.  Give such a "
              "point a deviation in a Y Error column, or choose a model with more parameters.\n");
}

// A fit that ends before its limit because it no longer improves says so; only one that used
// its whole limit says the limit was exceeded. Either shows the values it reached.
TEST_F(AnalysisCommandsTest, AStalledFitIsToldApartFromOneThatUsedItsLimit)
{
    std::vector<double> wamplerX, ones(nist::kWampler5Count, 1.0);
    for (int i = 0; i < nist::kWampler5Count; ++i)
        wamplerX.push_back(i);
    const std::vector<double> wamplerY(nist::kWampler5Y, nist::kWampler5Y + nist::kWampler5Count);
    const struct {
        const char* what;
        std::vector<double> x, y, s;
        CString formula;
        int limit;
        const char* reason;
    } cases[] = {
        {"Wampler5, unit weights", wamplerX, wamplerY, ones, PolynomialFormula(5), 100,
         "The fit stopped improving after 15 iterations without converging"},
        {"Wampler5, limit reached as it stalls", wamplerX, wamplerY, ones, PolynomialFormula(5), 15,
         "Maximum iterations exceeded"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        const int n = int(c.x.size());
        CDataTable* table = AddTable("T", c.s.empty() ? TableLayoutXY : TableLayoutXYSig, 0, n);
        for (int i = 0; i < n; ++i) {
            table->SetCell(0, i, c.x[std::size_t(i)]);
            table->SetCell(1, i, c.y[std::size_t(i)]);
            if (!c.s.empty())
                table->SetCell(2, i, c.s[std::size_t(i)]);
        }
        CNonlinearFit fit;
        ASSERT_TRUE(fit.SetMaxIterations(c.limit));
        model.RunNonlinearFit(Model("Model", c.formula), fit);
        EXPECT_EQ(fit.StoppedImproving(), c.limit == 100);
        EXPECT_EQ(model.m_DataPlot.GetItemCount(), 0);
        EXPECT_EQ(
            prompts.CountOf(std::string("[message] ") + c.reason + "\nValues reached:\n    a = "),
            1)
            << prompts.log;
        EXPECT_EQ(prompts.CountOf("\nWeighting: "), 1) << prompts.log;
    }
}

// The fit evaluates its model in the project's angle mode, as the graph of the fitted equation
// is drawn: the curve drawn is the one fitted, through the data. One fit object serves both
// modes, its model and start values set in RAD before the project changes mode.
TEST_F(AnalysisCommandsTest, AFittedSineIsDrawnAsFittedInEitherAngleMode)
{
    const double kDegreesPerRadian = 180 / 3.14159265358979323846;
    const struct {
        const char* what;
        int mode;
        double unit; // angle units per radian
    } cases[] = {{"RAD", AngleRadians, 1}, {"DEG", AngleDegrees, kDegreesPerRadian}};
    CNonlinearFit fit;
    const ModelRecord sine = LibraryModel("Sine wave");
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Reset();
        // y = 1 + 2 sin(0.5 x + 0.3) for x = 0..11, slightly off the curve.
        CDataTable* table = AddTable("T", TableLayoutXY, 0, 12);
        std::vector<double> data;
        for (int i = 0; i < 12; ++i) {
            data.push_back(1 + 2 * std::sin(0.5 * i + 0.3) + 0.001 * (i % 3));
            table->SetCell(0, i, i);
            table->SetCell(1, i, data.back());
        }
        model.m_Engine.m_nAngleMode = AngleRadians;
        ASSERT_TRUE(model.SetFitModel(sine, fit));
        const double start[] = {1.2, 1.8, 0.45 * c.unit, 0.25 * c.unit};
        for (int j = 0; j < 4; ++j) {
            fit.SetAuto(j, FALSE);
            fit.SetInitialValue(j, start[j]);
        }
        model.m_Engine.m_nAngleMode = c.mode;
        model.RunNonlinearFit(sine, fit);
        const int count = model.m_DataPlot.GetItemCount();
        ASSERT_EQ(count, 1) << prompts.log;
        EXPECT_NEAR(fit.GetValue(3), 0.5 * c.unit, 1e-3 * c.unit);
        std::vector<double> a{0, fit.GetValue(1), fit.GetValue(2), fit.GetValue(3),
                              fit.GetValue(4)};
        std::vector<double> dyda(5);
        double y = 0;
        for (int i = 0; i < 12; ++i) {
            ASSERT_EQ(fit.EvaluateModel(i, a.data(), y, dyda.data()), 0);
            EXPECT_NEAR(y, data[std::size_t(i)], 3e-3) << "x = " << i;
        }
        CFunctionPlot* graph = model.m_DataPlot.GetItem(count - 1);
        ASSERT_TRUE(graph->Resample()) << graph->GetExpression().GetString();
        ASSERT_GT(graph->m_points.size(), 12u);
        double worst = 0; // between the drawn samples and the fitted model at their x
        for (const PlotPoint& p : graph->m_points) {
            ASSERT_EQ(fit.EvaluateModel(p.x, a.data(), y, dyda.data()), 0);
            worst = std::max(worst, std::fabs(p.y - y));
        }
        EXPECT_LT(worst, 1e-9);
    }
}

// In DEG what the project computes is what it draws: a solver model finds the roots the curve
// crosses at, SDIFF answers the slope of the curve drawn, and a curve fitted in RAD keeps its
// samples after the switch and after a save and reopen. A fitted curve of an older file, which
// holds no mode, follows the project's.
TEST_F(AnalysisCommandsTest, WhatIsComputedInDegreesIsWhatIsDrawn)
{
    using Values = std::vector<double>;
    auto samples = [](CFunctionPlot& graph) {
        graph.m_bResample = TRUE; // evaluated again, whatever it was marked
        EXPECT_TRUE(graph.Resample()) << graph.GetExpression().GetString();
        Values y;
        for (const PlotPoint& p : graph.m_points)
            y.push_back(p.bInvalid ? NAN : p.y);
        return y;
    };
    auto valueAt = [&](const CString& text, double x) {
        model.m_Engine.SetExpression(text);
        EXPECT_EQ(model.m_Engine.Parse(), 0) << text.GetString();
        g_IndependentVariables[0].dValue = x;
        return model.m_Engine.Evaluate();
    };
    auto line = [&](const char* text) {
        ProjectLineHost host(model, prompts);
        LineCommand command{model.m_Engine,         model.m_LineResult,     model.m_FunctionPlot,
                            model.m_Default2DGraph, model.m_Default3DGraph, host};
        command.ExecuteLine(text);
        EXPECT_EQ(command.GetError().nCode, 0) << text;
        return CString(model.m_LineResult.GetText());
    };
    // y = 5 + 2 sin(0.8 x + 0.5) for x = 0..10 fitted in RAD, the project then in the mode,
    // saved and opened again when asked: the samples against those of the fit, or for an older
    // file (0 where the mode is kept, which is no mode) against the curve's values in the mode.
    auto fitInRadians = [&](bool reopen, bool olderFile, int mode) {
        return [&, reopen, olderFile, mode](Values& computed, Values& drawn) {
            Reset();
            CDataTable* table = AddTable("Wave", TableLayoutXY, 0, 11);
            for (int i = 0; i <= 10; ++i) {
                table->SetCell(0, i, i);
                table->SetCell(1, i, 5 + 2 * std::sin(0.8 * i + 0.5));
            }
            CNonlinearFit fit;
            const ModelRecord sine = LibraryModel("Sine wave");
            model.m_Engine.m_nAngleMode = AngleRadians;
            ASSERT_TRUE(model.SetFitModel(sine, fit));
            const double start[] = {4.8, 1.8, 0.78, 0.45};
            for (int j = 0; j < 4; ++j) {
                fit.SetAuto(j, FALSE);
                fit.SetInitialValue(j, start[j]);
            }
            model.RunNonlinearFit(sine, fit);
            ASSERT_EQ(model.m_DataPlot.GetItemCount(), 1) << prompts.log;
            CFunctionPlot* graph = model.m_DataPlot.GetItem(0);
            const CString report = graph->GetReport()->GetWorkspaceText();
            EXPECT_NE(report.Find("\nAngles: radians\n"), -1) << report.GetString();
            drawn = samples(*graph);
            EXPECT_NEAR(drawn.back(), 5 + 2 * std::sin(8.5), 1e-6) << "through the data";
            if (olderFile)
                graph->m_dwReserved = 0;
            model.m_Engine.m_nAngleMode = mode;
            model.ResampleChangedGraphs();
            EXPECT_EQ(graph->m_bResample, olderFile) << "marked for the new mode";
            if (reopen) {
                const stored::Bytes bytes =
                    stored::Store([&](CArchive& ar) { model.SerializeProject(ar); });
                Reset();
                model.m_Engine.m_nAngleMode = mode;
                ASSERT_TRUE(stored::Load(bytes, [&](CArchive& ar) { model.SerializeProject(ar); }));
                ASSERT_EQ(model.m_DataPlot.GetItemCount(), 1);
                graph = model.m_DataPlot.GetItem(0);
            }
            computed = samples(*graph);
            if (olderFile)
                for (std::size_t i = 0; i < drawn.size(); ++i)
                    drawn[i] = valueAt(graph->GetExpression(), graph->m_points[i].x);
        };
    };

    const struct {
        const char* what;
        std::function<void(Values& computed, Values& drawn)> run;
    } cases[] = {
        {"a solver model sin(x) = 0.5 over 0..360",
         [&](Values& computed, Values& drawn) {
             Reset();
             model.m_Engine.m_nAngleMode = AngleDegrees;
             CSolverModel* solver = AddSolverModel("sin(x) = 0.5");
             solver->m_dMinimum = 0;
             solver->m_dMaximum = 360;
             CAnalysisResult report;
             ASSERT_EQ(model.SolveForVariable(0, report), 0);
             for (int i = 0; i < report.GetItemCount(); ++i)
                 if (report.GetItem(i).strLabel == "x = ")
                     computed.push_back(report.GetItem(i).dValue);
             drawn = {30, 150};
         }},
        {"SDIFF(sin(x)) and the slope of the curve drawn",
         [&](Values& computed, Values& drawn) {
             Reset();
             model.m_Engine.m_nAngleMode = AngleDegrees;
             line("PLOT(sin(x), 0, 120)");
             ASSERT_EQ(model.m_FunctionPlot.GetItemCount(), 1) << prompts.log;
             CFunctionPlot& graph = *model.m_FunctionPlot.GetItem(0);
             samples(graph);
             const CString derivative = line("SDIFF(sin(x))");
             for (std::size_t i : {50u, 166u, 200u, 350u}) {
                 const PlotPoint &p = graph.m_points[i - 1], &q = graph.m_points[i + 1];
                 drawn.push_back((q.y - p.y) / (q.x - p.x));
                 computed.push_back(valueAt(derivative, graph.m_points[i].x));
             }
         }},
        {"a curve fitted in RAD, after the switch to DEG",
         fitInRadians(false, false, AngleDegrees)},
        {"a curve fitted in RAD, saved and opened in DEG", fitInRadians(true, false, AngleDegrees)},
        {"a fitted curve of an older file, opened in GRAD",
         fitInRadians(true, true, AngleGradians)},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.what);
        Values computed, drawn;
        c.run(computed, drawn);
        ASSERT_EQ(computed.size(), drawn.size());
        ASSERT_FALSE(drawn.empty());
        for (std::size_t i = 0; i < drawn.size(); ++i)
            EXPECT_NEAR(computed[i], drawn[i], 1e-6 * (1 + std::fabs(drawn[i]))) << "at " << i;
    }
}

TEST_F(AnalysisCommandsTest, RefusedModelsAndTablesLeaveTheRecentFitsAlone)
{
    CNonlinearFit fit;
    AddLineTable("Short", 1);
    EXPECT_FALSE(model.SetFitModel(Model("Line", "a+b*x"), fit));
    EXPECT_EQ(prompts.CountOf(kTooFewPointsText), 1);

    AddLineTable("Long", 5);
    model.RunNonlinearFit(Model("Bad", "a*x+y"), fit);
    EXPECT_EQ(prompts.CountOf("Reserved name"), 1) << prompts.log;
    EXPECT_TRUE(RecentNames().empty());

    AddTable("Columns", TableLayoutColumns, 2, 5);
    prompts.log.clear();
    EXPECT_FALSE(model.SetFitModel(Model("Line", "a+b*x"), fit));
    model.RunNonlinearFit(Model("Line", "a+b*x"), fit);
    EXPECT_EQ(prompts.log, "");
    EXPECT_TRUE(RecentNames().empty());
}

TEST_F(AnalysisCommandsTest, RecentFitsKeepTenMostRecentFirst)
{
    for (int i = 1; i <= 11; ++i)
        model.RememberRecentFit(Model(("M" + std::to_string(i)).c_str(), "a*x"));
    std::vector<std::string> expected;
    for (int i = 11; i >= 2; --i)
        expected.push_back("M" + std::to_string(i));
    EXPECT_EQ(RecentNames(), expected);

    model.RememberRecentFit(Model("m5", "b*x")); // another case of a name moves it
    EXPECT_EQ(RecentNames()[0], "m5");
    EXPECT_EQ(model.m_RecentFits.GetModelCount(), 10);
    model.RememberRecentFit(Model("M5", "c*x")); // the front one takes a new formula
    EXPECT_EQ(model.m_RecentFits.GetModel(0).strFormula, "c*x");
    EXPECT_EQ(model.m_RecentFits.GetModel(0).strName, "M5");
    EXPECT_EQ(model.m_RecentFits.GetModelCount(), 10);
}

TEST_F(AnalysisCommandsTest, StatisticsOfListsAndTablesFollowTheMask)
{
    struct Case {
        int mask;
        std::vector<std::string> labels;
    };
    const Case cases[] = {
        {2000,
         {"List: ", "    Std Deviation: ", "    Variance: ", "    Skewness: ", "    Kurtosis: "}},
        {1, {"List: ", "    Data Points: "}},
    };
    AddList("L", {1, 2, 4, 8});
    for (const Case& c : cases) {
        model.m_Settings.nAnalysisOptions = c.mask;
        CAnalysisResult result;
        ASSERT_TRUE(model.BuildStatisticsReport(result));
        EXPECT_EQ(result.GetTitle(), "List Analysis");
        std::vector<std::string> labels;
        for (int i = 0; i < result.GetItemCount(); ++i)
            labels.push_back((result.GetItem(i).bIndent ? "    " : "") +
                             std::string(result.GetItem(i).strLabel.GetString()));
        EXPECT_EQ(labels, c.labels) << c.mask;
    }
    CAnalysisResult counted;
    ASSERT_TRUE(model.BuildStatisticsReport(counted));
    EXPECT_EQ(counted.GetItem(1).nKind, AnalysisResultItem::kindInteger);
    EXPECT_EQ(counted.GetValueText(counted.GetItem(1)), "4");

    // A ragged table's short second column says so; a one-column table has one block.
    model.m_Settings.nAnalysisOptions = 8;
    CDataTable* ragged = AddTable("R", TableLayoutRagged, 2, 3);
    ragged->GetColumn(1)->SetCount(1);
    CAnalysisResult table;
    ASSERT_TRUE(model.BuildStatisticsReport(table));
    EXPECT_EQ(table.GetTitle(), "Table Analysis");
    ASSERT_EQ(table.GetItemCount(), 4);
    EXPECT_EQ(table.GetItem(3).strText, "Too few data points");
    // Without x, an empty cell is left out of its own column only.
    model.m_Settings.nAnalysisOptions = StatisticsDataPoints;
    AddTable("C", TableLayoutColumns, 2, 4)->SetCell(0, 1, NAN);
    CAnalysisResult columns;
    ASSERT_TRUE(model.BuildStatisticsReport(columns));
    ASSERT_EQ(columns.GetItemCount(), 5);
    EXPECT_EQ(columns.GetValueText(columns.GetItem(2)), "3");
    EXPECT_EQ(columns.GetValueText(columns.GetItem(4)), "4");
    AddTable("One", TableLayoutX, 1, 3);
    CAnalysisResult single;
    ASSERT_TRUE(model.BuildStatisticsReport(single));
    EXPECT_EQ(single.GetItemCount(), 3);

    AddList("Two", {1, 2});
    CAnalysisResult none;
    EXPECT_FALSE(model.BuildStatisticsReport(none));
    EXPECT_EQ(prompts.CountOf(kTooFewPointsText), 1);
}

TEST_F(AnalysisCommandsTest, ComparisonsOfferListsOrATablesFirstTwoColumns)
{
    CDataColumn* a = AddList("A", {1, 2, 3, 5});
    CDataColumn* b = AddList("B", {2, 4, 6, 11});
    BOOL bFixed = TRUE;
    EXPECT_EQ(model.GetComparisonLists(bFixed), (std::vector<CDataColumn*>{a, b}));
    EXPECT_FALSE(bFixed);

    int ticked[ListTestCount] = {};
    ticked[ListTestF] = 1;
    CAnalysisResult result;
    ASSERT_TRUE(model.BuildComparisonReport(*a, *b, ticked, result));
    EXPECT_EQ(result.GetText(), "' Comparing two lists");
    EXPECT_EQ(Labels(result), (std::vector<std::string>{"List 1 : ", "List 2 : ", "F-Test = "}));

    CDataColumn* one = AddList("One", {1});
    CAnalysisResult refused;
    EXPECT_FALSE(model.BuildComparisonReport(*a, *one, ticked, refused));
    EXPECT_EQ(prompts.CountOf("Too few data points"), 1);

    CDataTable* table = AddTable("T", TableLayoutXY, 2, 3);
    EXPECT_EQ(model.GetComparisonLists(bFixed),
              (std::vector<CDataColumn*>{table->GetColumn(0), table->GetColumn(1)}));
    EXPECT_TRUE(bFixed);
    AddTable("X", TableLayoutX, 1, 3);
    EXPECT_TRUE(model.GetComparisonLists(bFixed).empty());

    // Columns of one length pair as their rows do: a row with an empty cell is left out of both.
    CDataTable* rows = AddTable("C", TableLayoutColumns, 2, 5);
    const double cells[5][2] = {{1, 2}, {NAN, 3}, {4, 9}, {5, NAN}, {7, 15}};
    for (int r = 0; r < 5; ++r)
        for (int c = 0; c < 2; ++c)
            rows->SetCell(c, r, cells[r][c]);
    std::fill(std::begin(ticked), std::end(ticked), 1);
    CAnalysisResult paired;
    ASSERT_TRUE(
        model.BuildComparisonReport(*rows->GetColumn(0), *rows->GetColumn(1), ticked, paired));
    CDataColumn* first = AddList("P", {1, 4, 7});
    CDataColumn* second = AddList("Q", {2, 9, 15});
    CAnalysisResult expected;
    ASSERT_TRUE(model.BuildComparisonReport(*first, *second, ticked, expected));
    for (int i = 2; i < expected.GetItemCount(); ++i)
        EXPECT_EQ(paired.GetValueText(paired.GetItem(i)),
                  expected.GetValueText(expected.GetItem(i)))
            << expected.GetItem(i).strLabel;
}

// What each command that reads a table gives on the selected table "T", as text.
std::string Items(const CAnalysisResult& result)
{
    std::string text;
    for (int i = 0; i < result.GetItemCount(); ++i)
        text += std::string(result.GetItem(i).strLabel) + "[" +
                std::string(result.GetValueText(result.GetItem(i))) + "] ";
    return text;
}

// In a comma locale a typed "1.5" is refused; typed into a row that another cell then makes,
// it leaves that cell empty. Such a row is no point: every command that reads the table gives
// what it gives without it.
TEST_F(AnalysisCommandsTest, ARowWithARefusedCellCountsForNothing)
{
    const struct {
        const char* what;
        int refusedColumn; // typed first, refused; the other column then makes the row
    } rows[] = {{"x refused", 1}, {"y refused", 2}};
    const auto fit = [this](const std::function<void()>& run) {
        run();
        std::string text = LastGraph() ? std::string(LastGraph()->GetExpression()) : prompts.log;
        Select(ItemDataTable, "T");
        return text;
    };
    const struct {
        const char* what;
        std::function<std::string()> run;
    } consumers[] = {
        {"ranges",
         [this] {
             model.RefreshPlot2D(FALSE);
             const CPlot2D& p = model.m_PreviewPlot;
             return std::to_string(p.m_dXMin) + ".." + std::to_string(p.m_dXMax) + " " +
                    std::to_string(p.m_dYMin) + ".." + std::to_string(p.m_dYMax);
         }},
        {"line", [&] { return fit([this] { model.LinearFitSelection(0); }); }},
        {"quadratic", [&] { return fit([this] { model.LinearFitSelection(4); }); }},
        {"typed model",
         [&] {
             return fit([this] {
                 CNonlinearFit nonlinear;
                 model.RunNonlinearFit(Model("Mine", "a+b*x^2"), nonlinear);
             });
         }},
        {"library model",
         [&] {
             return fit([this] {
                 CNonlinearFit nonlinear;
                 model.RunNonlinearFit(LibraryModel("Exponential curve"), nonlinear);
             });
         }},
        {"fitted domain",
         [&] {
             model.LinearFitSelection(0);
             const CFunctionPlot* graph = LastGraph();
             const std::string domain = graph ? std::to_string(graph->m_dDomainMin) + ".." +
                                                    std::to_string(graph->m_dDomainMax)
                                              : prompts.log;
             Select(ItemDataTable, "T");
             return domain;
         }},
        {"statistics",
         [this] {
             model.m_Settings.nAnalysisOptions =
                 StatisticsDataPoints | StatisticsMinimum | StatisticsMaximum | StatisticsAverage;
             CAnalysisResult result;
             return model.BuildStatisticsReport(result) ? Items(result) : prompts.log;
         }},
        {"comparison",
         [this] {
             BOOL bFixed = FALSE;
             const std::vector<CDataColumn*> lists = model.GetComparisonLists(bFixed);
             int ticked[ListTestCount];
             std::fill(std::begin(ticked), std::end(ticked), 1);
             CAnalysisResult result;
             return model.BuildComparisonReport(*lists[0], *lists[1], ticked, result)
                        ? Items(result)
                        : prompts.log;
         }},
    };
    // The table typed row by row; the refused row, when there is one, third.
    const auto typeTable = [this](int refusedColumn) {
        Reset();
        UseCommaSeparators();
        AddTable("T", TableLayoutXY, 0, 0);
        const char* points[][2] = {{"1", "2"}, {"2", "2,5"}, {"3", "3,5"}, {"4", "5"}};
        int row = 1;
        for (int i = 0; i < 4; ++i, ++row) {
            if (i == 2 && refusedColumn) {
                EXPECT_EQ(Type(row, refusedColumn, "1.5").substr(0, 1), "#");
                EXPECT_EQ(Type(row, 3 - refusedColumn, "10"), "10");
                ++row;
            }
            EXPECT_EQ(Type(row, 1, points[i][0]), points[i][0]);
            EXPECT_EQ(Type(row, 2, points[i][1]), points[i][1]);
        }
        EXPECT_EQ(model.m_DataTables[0]->GetRowCount(), refusedColumn ? 5 : 4);
    };
    for (const auto& consumer : consumers) {
        typeTable(0);
        const std::string clean = consumer.run();
        for (const auto& row : rows) {
            typeTable(row.refusedColumn);
            EXPECT_EQ(consumer.run(), clean) << consumer.what << ", " << row.what;
        }
    }
    UseDotSeparators();
}

// count values spread over [-limit, limit], the same on every run.
std::vector<double> Spread(int count, double limit)
{
    std::vector<double> values;
    unsigned state = 1;
    for (int i = 0; i < count; ++i) {
        state = state * 1103515245u + 12345u;
        values.push_back(limit * ((state >> 8) % 20001 / 10000.0 - 1));
    }
    return values;
}

TEST_F(AnalysisCommandsTest, MatrixCommandsAddResultsOrSayWhyNot)
{
    const double nan = std::numeric_limits<double>::quiet_NaN();
    enum Command { Determinant, Inverse, Solve, EigenValues, EigenVectors };
    struct Case {
        Command command;
        int rows, columns;
        std::vector<double> values; // row by row
        const char* outcome;        // the determinant line, the added matrix's name or a message
        std::vector<double> result; // the added matrix, row by row
    };
    const Case cases[] = {
        {Determinant, 2, 2, {1, 2, 3, 4}, "Determinant of matrix M = -2", {}},
        {Determinant, 3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9}, "Determinant of matrix M = 0", {}},
        {Determinant, 2, 2, {1, 2, 0, 0}, "Determinant of matrix M = 0", {}},
        {Determinant, 2, 3, {1, 2, 3, 4, 5, 6}, "Can only find determinant of square matrix", {}},
        {Determinant, 0, 0, {}, "Can only find determinant of square matrix", {}},
        {Determinant, 1, 1, {nan}, "Invalid data", {}},
        {Determinant, 200, 200, Spread(200 * 200, 10), "Result too large", {}},
        {Inverse, 2, 2, {2, 0, 0, 4}, "Inverse of M", {0.5, 0, 0, 0.25}},
        {Inverse, 3, 4, std::vector<double>(12, 1.0), "Can only find inverse of square matrix", {}},
        {Inverse, 3, 3, {1, 2, 3, 4, 5, 6, 7, 8, 9}, "Singular matrix encountered", {}},
        {Solve, 2, 3, {1, 1, 3, 1, -1, 1}, "Solution of M", {2, 1}},
        {Solve,
         2,
         2,
         {1, 1, 1, -1},
         "The number of columns must be equal to the number of rows plus one",
         {}},
        {Solve, 2, 3, {1, 1, 3, 2, 2, 6}, "Singular matrix encountered", {}},
        {EigenValues, 2, 2, {2, 1, 1, 2}, "EigenValues of M", {1, 3}},
        {EigenVectors, 1, 1, {5}, "EigenVectors of M", {1}},
        {EigenValues,
         3,
         2,
         {1, 2, 3, 4, 5, 6},
         "Can only find eigenvalues of a symmetric matrix",
         {}},
        {EigenVectors, 2, 2, {1, 2, 3, 4}, "Can only find eigenvalues of a symmetric matrix", {}},
        {EigenValues, 2, 2, {1, nan, nan, 1}, "Invalid data", {}},
    };
    for (const Case& c : cases) {
        Reset();
        CMatrixObject* matrix = AddMatrix("M", c.rows, c.columns);
        for (int i = 0; i < c.rows * c.columns; ++i)
            matrix->SetAt(i / c.columns + 1, i % c.columns + 1, c.values[std::size_t(i)]);
        CString line;
        switch (c.command) {
        case Determinant:
            if (model.GetDeterminantLine(line))
                prompts.log += std::string("[line] ") + line.GetString() + "\n";
            break;
        case Inverse:
            model.AddInverseMatrix();
            break;
        case Solve:
            model.AddSolutionMatrix();
            break;
        default:
            model.AddEigenMatrix(c.command == EigenVectors);
            break;
        }
        const std::string context = c.outcome;
        const std::size_t added = model.m_Matrices.size() - 1;
        if (c.result.empty()) {
            EXPECT_EQ(added, 0u) << context;
            EXPECT_NE(prompts.log.find(c.outcome), std::string::npos) << context << prompts.log;
            continue;
        }
        ASSERT_EQ(added, 1u) << context << prompts.log;
        const CMatrixObject& result = *model.m_Matrices[1];
        EXPECT_EQ(result.GetName(), c.outcome);
        ASSERT_EQ(result.GetRowCount() * result.GetColumnCount(), int(c.result.size())) << context;
        std::vector<double> values;
        for (int i = 1; i <= result.GetRowCount(); ++i)
            for (int j = 1; j <= result.GetColumnCount(); ++j)
                values.push_back(result.GetAt(i, j));
        if (c.command == EigenValues)
            std::sort(values.begin(), values.end());
        for (std::size_t i = 0; i < values.size(); ++i)
            EXPECT_NEAR(std::fabs(values[i]), std::fabs(c.result[i]), 1e-12) << context;
    }
}

TEST_F(AnalysisCommandsTest, CombinedMatricesTakeTheNameGiven)
{
    CMatrixObject* m = AddMatrix("M", 2, 2);
    m->SetAt(1, 1, 1);
    m->SetAt(2, 1, 3);
    model.AddCombinedMatrix(0, 0, MatrixAdd, "Sum of M and M");
    ASSERT_EQ(model.m_Matrices.size(), 2u);
    EXPECT_EQ(model.m_Matrices[1]->GetName(), "Sum of M and M");
    EXPECT_EQ(model.m_Matrices[1]->GetAt(2, 1), 6);
    AddMatrix("Wide", 2, 3);
    model.AddCombinedMatrix(2, 2, MatrixMultiply, "P"); // 2 x 3 by 2 x 3
    EXPECT_EQ(model.m_Matrices.size(), 3u);
    EXPECT_EQ(prompts.CountOf("[message]"), 1);
}

} // namespace
