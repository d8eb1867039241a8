#pragma once
// Timing of benchmark programs that time themselves (the Windows ones under Wine, and native
// ones measured against a target): the median of repeated runs, printed beside its target.
#include <algorithm>
#include <chrono>
#include <cstddef>
#include <cstdio>
#include <vector>

// Milliseconds of the median of runs calls of run().
template <class F> double MedianMs(int runs, F&& run)
{
    std::vector<double> times;
    for (int i = 0; i < runs; ++i) {
        const auto start = std::chrono::steady_clock::now();
        run();
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(times.begin(), times.end());
    return times[times.size() / 2];
}

// "<what>  <ms> ms  target <ms> ms  ratio <r>" on one line.
inline void PrintAgainstTarget(const char* what, double ms, double targetMs)
{
    std::printf("%-34s %9.1f ms   target %6.0f ms   ratio %.3f\n", what, ms, targetMs,
                ms / targetMs);
}

inline double MillisecondsSince(std::chrono::steady_clock::time_point start)
{
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
        .count();
}

// The median of runs timed one by one (the mean of the middle two of an even count).
inline double Median(std::vector<double> values)
{
    std::sort(values.begin(), values.end());
    const std::size_t n = values.size();
    return n % 2 ? values[n / 2] : (values[n / 2 - 1] + values[n / 2]) / 2;
}

// "<what>  median <ms> ms  target <ms> ms  ratio <r>  ok|OVER" on one line.
inline void ReportMedian(const char* what, const std::vector<double>& runs, double targetMs)
{
    const double median = Median(runs);
    std::printf("%-46s median %9.3f ms   target %7.1f ms   ratio %.3f  %s\n", what, median,
                targetMs, median / targetMs, median <= targetMs ? "ok" : "OVER");
}
