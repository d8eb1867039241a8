#include "analysis/LinearFit.h"
#include "analysis/NonlinearFit.h"
#include "engine/EngineErrors.h"
#include "tests/analysis/FitTestSupport.h"

#include <gsl/gsl_cdf.h>

#include <cmath>
#include <cstdlib>

namespace {

using Labels = std::vector<std::string>;

class FitReportTest : public FitTest {};

// The two ends of an interval text "low to high" written with 15 digits.
void IntervalEnds(const CString& text, double& low, double& high)
{
    const int to = text.Find(" to ");
    low = std::strtod(text.Left(to), nullptr);
    high = std::strtod(text.Mid(to + 4), nullptr);
}

TEST_F(FitReportTest, LinearReportListsValuesUncertaintiesAndIntervals)
{
    CDataTable table = MakeTable("Table1", {1, 2, 3, 4, 5}, {3, 5, 7, 9, 11});
    CLinearFit fit;
    fit.SetTable(&table);
    CAnalysisResult report;
    ASSERT_EQ(fit.Fit(&report), 0);
    EXPECT_EQ(report.GetTitle(), "Linear Fit of Table1");
    EXPECT_EQ(CLinearFit::GetModelName(0), "Straight line");
    EXPECT_EQ(ReportLabels(report),
              (Labels{"Fit to equation: ", "Weighting: ", "Result: ", "a>", "b>",
                      "Uncertainties: ", "a>", "b>", "95% Confidence Intervals:", "a>", "b>"}));
    EXPECT_EQ(report.GetItem(0).strText, "a+b*x");
    EXPECT_NEAR(report.GetItem(3).dValue, 1.0, 1e-12);
    EXPECT_NEAR(report.GetItem(4).dValue, 2.0, 1e-12);
    EXPECT_DOUBLE_EQ(report.GetItem(6).dValue, std::sqrt(fit.GetCovariance(1, 1)));
    // Three degrees of freedom: value -+ t(0.975, 3) sd.
    double low = 0, high = 0;
    IntervalEnds(report.GetItem(10).strText, low, high);
    const double h = gsl_cdf_tdist_Pinv(0.975, 3) * std::sqrt(fit.GetCovariance(2, 2));
    EXPECT_TRUE(RelativelyNear(high - low, 2 * h, 1e-6));
}

// The exponential model's constant is exp of a fitted logarithm: its uncertainty is that of the
// logarithm, and its interval is the logarithm's interval turned back, so its ends multiply to
// the value squared.
TEST_F(FitReportTest, ExponentialIntervalsAreTurnedBackFromTheLogarithms)
{
    CDataTable table =
        MakeTable("Growth", {0, 1, 2, 3, 4}, {3.1, 5.8, 12.3, 23.5, 48.9}, {0.3, 0.3, 1, 2, 4});
    CLinearFit fit;
    fit.SetTable(&table);
    fit.SetModel(2);
    CAnalysisResult report;
    ASSERT_EQ(fit.Fit(&report), 0);
    const Labels labels = ReportLabels(report);
    EXPECT_EQ(labels[6], "ln a>");
    EXPECT_EQ(labels[7], "ln b>");
    EXPECT_DOUBLE_EQ(report.GetItem(6).dValue, std::sqrt(fit.GetCovariance(1, 1)));
    for (int j = 1; j <= 2; ++j) {
        double low = 0, high = 0;
        IntervalEnds(report.GetItem(8 + j).strText, low, high);
        const double v = fit.GetValue(j);
        EXPECT_TRUE(RelativelyNear(low * high, v * v, 1e-12)) << j;
        const double h = gsl_cdf_tdist_Pinv(0.975, 3) * std::sqrt(fit.GetCovariance(j, j));
        EXPECT_TRUE(RelativelyNear(std::log(high / low), 2 * h, 1e-6)) << j;
    }
}

TEST_F(FitReportTest, NonlinearReportFollowsTheFitsItemsAndWidths)
{
    CDataTable table = MakeTable("Data", {1, 2, 3, 4}, {2.9, 5.2, 6.8, 9.1});
    CNonlinearFit fit;
    ASSERT_EQ(fit.SetModel("a+b*x"), 0);
    fit.SetModelName("Line");
    fit.SetTable(&table);
    fit.SetConstant(1, TRUE);
    fit.SetAuto(1, FALSE);
    fit.SetInitialValue(1, 2.0);
    ASSERT_EQ(fit.Fit(), 0);
    CAnalysisResult record;
    fit.Report(record);
    EXPECT_EQ(record.GetText(), "Line Fit of Data");
    EXPECT_EQ(record.GetTitle(), "Nonlinear fit of Data");
    EXPECT_EQ(
        ReportLabels(record),
        (Labels{"", "Data Table: ", "Fit Model: ", "Fit Equation: ", "Weighting: ", "Fit Results: ",
                "a>", "b>", "Uncertainties: ", "a>", "b>", "95% Confidence Intervals:", "a>", "b>",
                "Initial Values: ", "a>", "b (constant)>", "Chi Square: ", "Iterations: "}));
    EXPECT_EQ(record.GetItem(1).strText, "Data");
    EXPECT_EQ(record.GetItem(3).strText, "y = a+b*x");
    EXPECT_EQ(record.GetItem(7).dValue, 2.0);
    EXPECT_EQ(record.GetItem(15).dValue, 1.5); // Auto start of the first parameter
    EXPECT_EQ(record.GetItem(18).nKind, AnalysisResultItem::kindInteger);
    EXPECT_EQ(record.m_nColumnWidth1, 200);
    EXPECT_EQ(record.m_nColumnWidth2, 400);
    // One fitted parameter of four points leaves three degrees of freedom.
    double low = 0, high = 0;
    IntervalEnds(record.GetItem(12).strText, low, high);
    const double h = gsl_cdf_tdist_Pinv(0.975, 3) * std::sqrt(fit.GetCovariance(1, 1));
    EXPECT_TRUE(RelativelyNear(high - low, 2 * h, 1e-6));
    IntervalEnds(record.GetItem(13).strText, low, high);
    EXPECT_EQ(low, 2.0);
    EXPECT_EQ(high, 2.0);
}

TEST_F(FitReportTest, TablesAFitCannotReadAreRefused)
{
    CDataTable columns;
    columns.Create(TableLayoutColumns, 2, 5);
    CDataTable shortTable = MakeTable("Short", {1, 2}, {1, 2});
    CDataTable nan = MakeTable("NaN", {1, 2, 3}, {1, std::nan(""), 3});
    CDataTable inf = MakeTable("Inf", {1, 2, 3}, {1, HUGE_VAL, 3});
    CNonlinearFit nonlinear;
    ASSERT_EQ(nonlinear.SetModel("a*x"), 0);
    const struct {
        const char* what;
        const CDataTable* table;
        int code;
    } cases[] = {
        {"no table", nullptr, ErrInvalidData},
        {"columns layout", &columns, ErrInvalidData},
        {"two rows", &shortTable, ErrTooFewDataPoints},
        {"an empty cell leaves two points", &nan, ErrTooFewDataPoints},
        {"infinite cell", &inf, ErrBadArgument},
    };
    for (const auto& c : cases) {
        CLinearFit linear;
        linear.SetTable(c.table);
        CAnalysisResult report;
        EXPECT_EQ(linear.Fit(&report), c.code) << c.what;
        EXPECT_EQ(report.GetItemCount(), 0) << c.what;
        nonlinear.SetTable(c.table);
        EXPECT_EQ(nonlinear.Fit(), c.code) << c.what;
    }
}

} // namespace
