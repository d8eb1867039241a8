#pragma once
// A console reporter that also keeps each benchmark's time per iteration (the median when runs
// are repeated), so that a benchmark program can print ratios at the end.
#include <benchmark/benchmark.h>

#include <map>
#include <string>

class TimeReporter : public benchmark::ConsoleReporter {
public:
    // With processorTime, the time the program ran rather than the clock's: a busy machine
    // disturbs it less where a benchmark neither waits nor sleeps.
    explicit TimeReporter(bool processorTime = false) : m_processorTime(processorTime) {}

    void ReportRuns(const std::vector<Run>& runs) override
    {
        for (const Run& run : runs)
            if (run.run_type == Run::RT_Iteration || run.aggregate_name == "median")
                m_times[run.run_name.function_name] =
                    m_processorTime ? run.GetAdjustedCPUTime() : run.GetAdjustedRealTime();
        ConsoleReporter::ReportRuns(runs);
    }
    // The time of the named benchmark in its unit, or a negative value when it did not run.
    double TimeOf(const std::string& name) const
    {
        const auto found = m_times.find(name);
        return found == m_times.end() ? -1.0 : found->second;
    }

private:
    bool m_processorTime;
    std::map<std::string, double> m_times;
};
