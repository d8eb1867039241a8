#include "analysis/ListStatistics.h"

#include "analysis/DataColumn.h"
#include "plot/AnalysisResult.h"

namespace {

struct StatisticsLine {
    int bit;
    const char* label;
    double CDataColumn::*value;
};

// clang-format off
constexpr StatisticsLine kLines[] = {
    {StatisticsMinimum,      "Minimum: ",       &CDataColumn::m_dMinimum},
    {StatisticsMaximum,      "Maximum: ",       &CDataColumn::m_dMaximum},
    {StatisticsAverage,      "Average: ",       &CDataColumn::m_dMean},
    {StatisticsStdDeviation, "Std Deviation: ", &CDataColumn::m_dStandardDeviation},
    {StatisticsAveDeviation, "Ave Deviation: ", &CDataColumn::m_dAverageDeviation},
    {StatisticsVariance,     "Variance: ",      &CDataColumn::m_dVariance},
    {StatisticsSkewness,     "Skewness: ",      &CDataColumn::m_dSkewness},
    {StatisticsKurtosis,     "Kurtosis: ",      &CDataColumn::m_dKurtosis},
};
// clang-format on

} // namespace

int AddStatisticsLines(CAnalysisResult& result, CDataColumn& list, int mask)
{
    if (const int code = list.ComputeStatistics())
        return code;
    if (mask & StatisticsDataPoints)
        result.AddInteger("Data Points: ", list.GetCount(), 1);
    for (const StatisticsLine& line : kLines)
        if (mask & line.bit)
            result.AddNumber(line.label, list.*line.value, 1);
    return 0;
}
