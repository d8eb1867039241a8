#include "analysis/ListStatistics.h"
#include "analysis/DataColumn.h"
#include "engine/EngineErrors.h"
#include "plot/AnalysisResult.h"

#include <gsl/gsl_statistics_double.h>
#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CDataColumn MakeList(const std::vector<double>& values)
{
    CDataColumn list;
    list.SetCount(int(values.size()));
    for (std::size_t i = 0; i < values.size(); ++i)
        list.SetValue(int(i) + 1, values[i]);
    return list;
}

TEST(ListStatistics, MaskSelectsLinesInTheirFixedOrder)
{
    const std::vector<double> values = {2.5, -1, 4, 7.25, 3, 3, 0.5};
    const double* v = values.data();
    const std::size_t n = values.size();
    const double mean = gsl_stats_mean(v, 1, n);
    const struct {
        int mask;
        std::vector<std::string> labels;
        std::vector<double> expected;
    } cases[] = {
        {kDefaultStatisticsMask,
         {"Std Deviation: ", "Variance: ", "Skewness: ", "Kurtosis: "},
         {gsl_stats_sd(v, 1, n), gsl_stats_variance(v, 1, n), gsl_stats_skew(v, 1, n),
          gsl_stats_kurtosis(v, 1, n)}},
        {StatisticsDataPoints, {"Data Points: "}, {7}},
        {StatisticsVariance | StatisticsAveDeviation | StatisticsMaximum | StatisticsMinimum |
             StatisticsAverage,
         {"Minimum: ", "Maximum: ", "Average: ", "Ave Deviation: ", "Variance: "},
         {-1, 7.25, mean, gsl_stats_absdev_m(v, 1, n, mean), gsl_stats_variance(v, 1, n)}},
    };
    for (const auto& c : cases) {
        CDataColumn list = MakeList(values);
        CAnalysisResult result;
        ASSERT_EQ(AddStatisticsLines(result, list, c.mask), 0) << c.mask;
        ASSERT_EQ(result.GetItemCount(), int(c.labels.size())) << c.mask;
        for (int i = 0; i < result.GetItemCount(); ++i) {
            const AnalysisResultItem& item = result.GetItem(i);
            EXPECT_EQ(item.strLabel, c.labels[std::size_t(i)].c_str()) << c.mask;
            EXPECT_NEAR(item.dValue, c.expected[std::size_t(i)], 1e-12) << item.strLabel;
            EXPECT_TRUE(item.bIndent);
            EXPECT_EQ(item.nKind, c.mask == StatisticsDataPoints ? AnalysisResultItem::kindInteger
                                                                 : AnalysisResultItem::kindNumber);
        }
    }
}

TEST(ListStatistics, OneValueGivesNoLines)
{
    CDataColumn list = MakeList({4});
    CAnalysisResult result;
    EXPECT_EQ(AddStatisticsLines(result, list, 511), ErrTooFewDataPoints);
    EXPECT_EQ(result.GetItemCount(), 0);
}

} // namespace
