// The calculus commands of the function plot: each report's title and items, scans that find
// nothing, failures that leave no report, and the graph analysis report.
#include "app/GraphAnalysis.h"
#include "engine/CalcEngine.h"
#include "engine/EngineStartup.h"
#include "engine/EvaluationWork.h"
#include "plot/AnalysisResult.h"
#include "plot/FunctionPlot.h"
#include "plot/PlotDialogChecks.h"
#include "tests/support/ScopedValue.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>

namespace {

// "label|value" for each item, the value as the results grid shows it.
std::string Items(const CAnalysisResult& report)
{
    std::string out;
    for (int i = 0; i < report.GetItemCount(); ++i) {
        const AnalysisResultItem& item = report.GetItem(i);
        out += std::string(item.strLabel.GetString()) + "|" +
               report.GetValueText(item).GetString() + ";";
    }
    return out;
}

class GraphAnalysis : public ::testing::Test {
protected:
    static void SetUpTestSuite() { InitCalcEngine(); }
    void SetUp() override
    {
        engine.m_nSolverSteps = 200;
        engine.m_SolverFormat.SetDecimals(5);
        engine.m_SolverFormat.m_nMode = FormatModeNumber;
    }
    CCalcEngine engine;
};

TEST_F(GraphAnalysis, ReportsOfEachCommand)
{
    struct Row {
        int kind;
        const char *f, *g;
        double a, b;
        const char* title;
        const char* items; // the last number's value apart, when it has one
        double last = NAN;
    } rows[] = {
        {AnalysisZeros, "sin(x)", "", -4, 4, "Zeros of function",
         "y = |sin(x)"
         ";Interval: |[-4, 4];Zeros found: |3;|(x = -3.14159, y = 0.00000);|(x = 0.00000, y = "
         "0.00000);|(x = 3.14159, y = 0.00000);"},
        {AnalysisZeros, "x^2+1", "", -3, 3, "Zeros of function",
         "y = |x^2+1;Interval: |[-3, 3];Zeros found: |None;"},
        // Both zeros, 2e-6 apart, are found; at 5 decimals they show as one point.
        {AnalysisZeros, "(x-1)^2-1e-12", "", 0, 2, "Zeros of function",
         "y = |(x-1)^2-1e-12;Interval: |[0, 2];Zeros found: |1;|(x = 1.00000, y = 0.00000);"},
        // A sign change at a jump or a pole is named, and no zero.
        {AnalysisZeros, "floor(x)-0.5", "", -10, 10, "Zeros of function",
         "y = |floor(x)-0.5;Interval: |[-10, 10];Zeros found: |None;|The function changes sign "
         "only across a pole or a jump, at x = 1.00000, where it does not pass through 0.;"},
        {AnalysisZeros, "1/x", "", -10, 10, "Zeros of function",
         "y = |1/x;Interval: |[-10, 10];Zeros found: |None;|The function changes sign only "
         "across a pole or a jump, at x = 0.00000, where it does not pass through 0.;"},
        {AnalysisExtrema, "x^3-3*x", "", -3, 3, "Extrema of function",
         "y = |x^3-3*x;Interval: |[-3, 3];Maxima found: |1;|(x = -1.00000, y = "
         "2.00000);Minima found: |1;|(x = 1.00000, y = -2.00000);"},
        {AnalysisExtrema, "x", "", -3, 3, "Extrema of function",
         "y = |x;Interval: |[-3, 3];Maxima found: |None;Minima found: |None;"},
        {AnalysisIntegrate, "x", "0", 0, 2, "Integrate between two curves",
         "y1 = |x;y2 = |0;Inverval: |[0, 2];Integral = |2;"},
        {AnalysisIntegrate, "x", "0", 2, 0, "Integrate between two curves",
         "y1 = |x;y2 = |0;Inverval: |[2, 0];Integral = |-2;"},
        {AnalysisArea, "x", "0", -1, 1, "Area between two curves",
         "y1 = |x;y2 = |0;Inverval: |[-1, 1];Area = |1;"},
        {AnalysisIntersections, "x^2-1", "0", -3, 3, "Intersections between curves: ",
         "y1 = |x^2-1;y2 = |0;Inverval: |[-3, 3];Intersections found: |2;|(x = -1.00000, y = "
         "0.00000);|(x = 1.00000, y = 0.00000);"},
        {AnalysisArcLength, "2*x", "", 0, 1, "Find arc length of function",
         "y = |2*x;Interval: |[0, 1];Arc Length = |", std::sqrt(5.0)},
        {AnalysisDifferentiate, "x^2", "", 3, 0, "Differentiate function",
         "y = |x^2;at x = |3;Result = |", 6},
    };
    for (const Row& r : rows) {
        CAnalysisResult report;
        const int code = RunGraphAnalysis(engine, {r.kind, r.f, r.g, r.a, r.b}, report);
        EXPECT_EQ(code, 0) << r.f;
        EXPECT_STREQ(report.GetTitle(), r.title) << r.f;
        std::string items = Items(report);
        if (!std::isnan(r.last)) {
            const AnalysisResultItem& last = report.GetItem(report.GetItemCount() - 1);
            EXPECT_NEAR(last.dValue, r.last, 1e-9) << r.f;
            items.erase(items.size() - report.GetValueText(last).GetLength() - 1);
        }
        EXPECT_EQ(items, r.items) << "kind " << r.kind << " " << r.f;
    }
    CAnalysisResult report;
    EXPECT_NE(RunGraphAnalysis(engine, {AnalysisCenterOfMass, "x", "x", 0, 1}, report), 0)
        << "no area";
    EXPECT_EQ(report.GetItemCount(), 0);
    EXPECT_EQ(RunGraphAnalysis(engine, {AnalysisCenterOfMass, "1", "0", 0, 2}, report), 0);
    EXPECT_STREQ(report.GetItem(3).strText, engine.FormatPoint(1, 0.5));
}

TEST_F(GraphAnalysis, GraphAnalysisCoversTheGraphsDomainAndTheMasksSections)
{
    CFunctionPlot graph;
    graph.SetDefinition("x^2-1", CString(), GraphRectangular, -3, 3);
    CAnalysisResult report;
    ASSERT_EQ(BuildGraphAnalysis(engine, graph, kDefaultAnalysisOptions, report), 0);
    EXPECT_STREQ(report.GetTitle(), "Graph Analysis: ");
    EXPECT_EQ(Items(report), "y = |x^2-1;Interval: |[-3, 3];Zeros found: |2;|(x = -1.00000, y = "
                             "0.00000);|(x = 1.00000, y = 0.00000);Maxima found: |None;Minima "
                             "found: |1;|(x = 0.00000, y = -1.00000);");
    ASSERT_EQ(BuildGraphAnalysis(engine, graph, kGraphAnalysisExtrema, report), 0);
    EXPECT_EQ(Items(report), "y = |x^2-1;Interval: |[-3, 3];Maxima found: |None;Minima found: "
                             "|1;|(x = 0.00000, y = -1.00000);");
    const int count = report.GetItemCount();
    graph.SetDefinition("sin(", CString(), GraphRectangular, 0, 3);
    EXPECT_NE(BuildGraphAnalysis(engine, graph, kDefaultAnalysisOptions, report), 0);
    EXPECT_EQ(report.GetItemCount(), count) << "a failure leaves the report as it was";
}

// Past the command's time a search lists what it found by then and says where from: it goes up
// from Min, so the part from Min to where it got. Judged by the closed forms (sin(x) is 0 at
// k*pi and 1 at pi/2 + 2k*pi): every point listed is one, and it lists each one of the part it
// names but those of the one step it was in when its time ran out. The points are evaluated
// after, so each shows its value. Both sections of the graph analysis share one time: extrema
// that the zeros left no time for say so.
TEST_F(GraphAnalysis, ASearchCutShortByItsTimeSaysWhereItsPointsComeFrom)
{
    const ScopedValue noTime(EvaluationSecondsLimit, 0.0);
    engine.m_nSolverSteps = 10000;
    const double step = 2e4 / 10000;
    const struct {
        int kind;
        const char* count;
        const char* value; // of f at each point listed
        const char* points;
        double first, period; // the points listed: first + k * period
    } rows[] = {
        {AnalysisZeros, "Zeros found: ", "y = 0.00000", "zeros", 0, M_PI},
        {AnalysisExtrema, "Maxima found: ", "y = 1.00000", "extrema", M_PI / 2, 2 * M_PI},
        {AnalysisIntersections, "Intersections found: ", "y = 0.00000", "intersections", 0, M_PI}};
    for (const auto& r : rows) {
        CAnalysisResult report;
        ASSERT_EQ(RunGraphAnalysis(engine, {r.kind, "sin(x)", "0", -1e4, 1e4}, report), 0);
        const std::string items = Items(report);
        const std::string head = "Search cut short: |Maximum iterations exceeded: the search from "
                                 "-10000 to 10000 ran out of time after it had searched from "
                                 "-10000 to ";
        const std::size_t cut = items.find(head);
        ASSERT_NE(cut, std::string::npos) << items.substr(items.rfind("|(x"));
        const std::size_t from = cut + head.size();
        const std::size_t to = items.find(std::string(". The ") + r.points +
                                              " listed lie there; others may lie beyond it. "
                                              "Narrow Min and Max, or lower Steps.;",
                                          from);
        ASSERT_NE(to, std::string::npos) << items.substr(cut);
        const double hi = std::stod(items.substr(from, to - from));
        EXPECT_LT(hi, 1e4) << "the time ran out before the search ended";
        const std::size_t count = items.find(r.count);
        ASSERT_NE(count, std::string::npos) << items;
        const int found = std::atoi(items.c_str() + count + std::strlen(r.count) + 1);
        const double truth =
            std::floor((hi - r.first) / r.period) - std::ceil((-1e4 - r.first) / r.period) + 1;
        EXPECT_LE(found, truth) << r.count << hi;
        EXPECT_GE(found, truth - std::ceil(step / r.period)) << r.count << hi;
        EXPECT_NE(items.find(r.value), std::string::npos) << r.count;
    }
    CFunctionPlot graph;
    graph.SetDefinition("sin(x)", CString(), GraphRectangular, -1e4, 1e4);
    CAnalysisResult report;
    ASSERT_EQ(BuildGraphAnalysis(engine, graph, kDefaultAnalysisOptions, report), 0);
    const std::string items = Items(report);
    EXPECT_NE(items.find("others may lie beyond it. Narrow Min and Max, or lower Steps.;Maxima "
                         "found: |None;Minima found: |None;Search cut short: |Maximum iterations "
                         "exceeded: the search from -10000 to 10000 ran out of time before it "
                         "found an extremum. Narrow Min and Max, or lower Steps.;"),
              std::string::npos)
        << items.substr(items.rfind("|(x"));
}

TEST_F(GraphAnalysis, IntervalsPrintShortest)
{
    EXPECT_STREQ(FormatInterval(-4, 0.25), "[-4, 0.25]");
    EXPECT_STREQ(FormatInterval(1e-7, 123456789), "[1e-07, 1.23457e+08]");
}

} // namespace
