#pragma once

class CAnalysisResult;
class CDataColumn;

// Bits of the statistics mask, one per line of a list's statistics. The default mask also holds
// the bits 512 and 1024, which select no line.
enum StatisticsBit : int {
    StatisticsDataPoints = 1,
    StatisticsMinimum = 2,
    StatisticsMaximum = 4,
    StatisticsAverage = 8,
    StatisticsStdDeviation = 16,
    StatisticsAveDeviation = 32,
    StatisticsSkewness = 64,
    StatisticsKurtosis = 128,
    StatisticsVariance = 256,
};
constexpr int kDefaultStatisticsMask = 2000;

// Computes the list's statistics and appends the lines the mask selects, indented, in the fixed
// order Data Points (an integer), Minimum, Maximum, Average, Std Deviation, Ave Deviation,
// Variance, Skewness, Kurtosis. 52 "Too few data points", with nothing appended, for a list of
// fewer than two values.
int AddStatisticsLines(CAnalysisResult& result, CDataColumn& list, int mask);
