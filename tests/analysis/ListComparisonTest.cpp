#include "analysis/ListComparison.h"
#include "engine/EngineErrors.h"
#include "plot/AnalysisResult.h"
#include "tests/analysis/FitTestSupport.h"

#include <gsl/gsl_statistics_double.h>

#include <cmath>
#include <vector>

namespace {

// 1-based copy of the values.
std::vector<double> List(std::initializer_list<double> values)
{
    std::vector<double> list{0.0};
    list.insert(list.end(), values);
    return list;
}

int Count(const std::vector<double>& list) { return int(list.size()) - 1; }

TEST(ListComparison, StatisticsAgreeWithTheReferenceLibrary)
{
    const std::vector<double> a = List({2.1, 3.4, 1.9, 5.6, 4.4, 3.3, 2.8, 4.9, 3.7, 2.2});
    const std::vector<double> b = List({1.8, 3.9, 2.5, 5.1, 4.0, 3.9, 2.1, 5.5, 3.0, 2.6});
    const double* ga = a.data() + 1;
    const double* gb = b.data() + 1;
    const std::size_t n = 10;
    double work[20];
    const double varA = gsl_stats_variance(ga, 1, n), varB = gsl_stats_variance(gb, 1, n);
    const double meanA = gsl_stats_mean(ga, 1, n), meanB = gsl_stats_mean(gb, 1, n);
    const double pooled = std::sqrt((varA + varB) / 2 * (2.0 / n));
    const struct {
        int test;
        double expected;
    } cases[] = {
        {ListTestCorrelation, gsl_stats_correlation(ga, 1, gb, 1, n)},
        {ListTestRankCorrelation, gsl_stats_spearman(ga, 1, gb, 1, n, work)},
        {ListTestF, std::max(varA, varB) / std::min(varA, varB)},
        {ListTestStudentT, (meanA - meanB) / pooled},
        {ListTestUnequalT, (meanA - meanB) / pooled}, // equal sizes: the same t
    };
    for (const auto& c : cases) {
        double value = 0;
        CString message;
        ASSERT_TRUE(RunListTest(c.test, a.data(), 10, b.data(), 10, value, message))
            << GetListTestLabel(c.test);
        EXPECT_TRUE(RelativelyNear(value, c.expected, 1e-12)) << GetListTestLabel(c.test);
    }
    EXPECT_EQ(a, List({2.1, 3.4, 1.9, 5.6, 4.4, 3.3, 2.8, 4.9, 3.7, 2.2}));
}

TEST(ListComparison, TestsThatCannotRunSayWhy)
{
    const std::vector<double> a = List({1, 2, 3, 4});
    const std::vector<double> shorter = List({2, 1, 5});
    const std::vector<double> constant = List({3, 3, 3, 3});
    const std::vector<double> withZero = List({1, 0, 2, 3});
    const struct {
        int test;
        const std::vector<double>* b;
        const char* message; // null: a statistic
    } cases[] = {
        {ListTestPairedT, &shorter, kListsDifferInLength},
        {ListTestChiSquare, &shorter, kListsDifferInLength},
        {ListTestKendallTau, &shorter, kListsDifferInLength},
        {ListTestStudentT, &shorter, nullptr},
        {ListTestKolmogorovSmirnov, &shorter, nullptr},
        {ListTestCorrelation, &constant, kNotDefinedForTheseData},
        {ListTestF, &constant, kNotDefinedForTheseData},
        {ListTestChiSquare, &withZero, kNotDefinedForTheseData},
    };
    for (const auto& c : cases) {
        double value = 0;
        CString message;
        const bool ran = RunListTest(c.test, a.data(), 4, c.b->data(), Count(*c.b), value, message);
        EXPECT_EQ(ran, c.message == nullptr) << GetListTestLabel(c.test) << message;
        EXPECT_EQ(message, c.message ? c.message : "") << GetListTestLabel(c.test);
    }
}

TEST(ListComparison, ReportListsNamesThenTickedTests)
{
    const std::vector<double> a = List({1, 2, 3, 4, 5});
    const std::vector<double> shifted = List({11, 12, 13, 14, 15});
    int ticked[ListTestCount] = {};
    ticked[ListTestF] = 1;
    ticked[ListTestRankCorrelation] = 1;
    CAnalysisResult result;
    ASSERT_EQ(AddListComparison(result, "L1", a.data(), 5, "L2", shifted.data(), 5, ticked), 0);
    EXPECT_EQ(result.GetText(), "' Comparing two lists");
    ASSERT_EQ(result.GetItemCount(), 4);
    EXPECT_EQ(result.GetItem(0).strLabel + result.GetItem(0).strText, "List 1 : L1");
    EXPECT_EQ(result.GetItem(1).strLabel + result.GetItem(1).strText, "List 2 : L2");
    EXPECT_EQ(result.GetItem(2).strLabel, "F-Test = ");
    EXPECT_DOUBLE_EQ(result.GetItem(2).dValue, 1.0);
    EXPECT_EQ(result.GetItem(3).strLabel, "Rank Correlation = ");
    EXPECT_DOUBLE_EQ(result.GetItem(3).dValue, 1.0);

    CAnalysisResult refused;
    EXPECT_EQ(AddListComparison(refused, "L1", a.data(), 1, "L2", shifted.data(), 5, ticked),
              ErrTooFewDataPoints);
    EXPECT_EQ(refused.GetItemCount(), 0);
}

} // namespace
