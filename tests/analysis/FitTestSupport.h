#pragma once
#include "analysis/FitSample.h"
#include "engine/EngineNames.h"
#include "engine/EngineStartup.h"
#include "engine/LocaleSeparators.h"
#include "tests/support/TestRandom.h"

#include <gtest/gtest.h>

#include <cmath>

// |actual - expected| <= rel * |expected| (or both equal).
inline ::testing::AssertionResult RelativelyNear(double actual, double expected, double rel)
{
    const double diff = std::fabs(actual - expected);
    if (actual == expected || diff <= rel * std::fabs(expected))
        return ::testing::AssertionSuccess();
    return ::testing::AssertionFailure()
           << "actual " << actual << " expected " << expected << " relative error "
           << diff / std::fabs(expected) << " > " << rel;
}

// Points from 0-based arrays, every deviation s (0 leaves the deviation rule to the caller).
inline FitSample MakeSample(int n, const double* x, const double* y, double s = 0.0)
{
    FitSample sample;
    sample.Resize(n);
    for (int i = 1; i <= n; ++i) {
        sample.x[std::size_t(i)] = x[i - 1];
        sample.y[std::size_t(i)] = y[i - 1];
        sample.s[std::size_t(i)] = s;
    }
    return sample;
}

// Fit tests run with the program's start-up names (physical constants among them) and the dot
// convention, and leave the program-wide tables as they found none.
class FitTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FreeGlobalSymbolTables();
        InitCalcEngine();
        UseDotSeparators();
    }
    void TearDown() override
    {
        FreeGlobalSymbolTables();
        ResetIndependentVariables();
        UseDotSeparators();
    }
};

#include "analysis/DataTable.h"
#include "plot/AnalysisResult.h"

#include <string>
#include <vector>

// A named table of layout 1 (no deviations given) or 2 (deviations s).
inline CDataTable MakeTable(const char* name, const std::vector<double>& x,
                            const std::vector<double>& y, const std::vector<double>& s = {})
{
    CDataTable table;
    table.SetName(name);
    table.Create(s.empty() ? TableLayoutXY : TableLayoutXYSig, 0, int(x.size()));
    for (std::size_t i = 0; i < x.size(); ++i) {
        table.SetCell(0, int(i), x[i]);
        table.SetCell(1, int(i), y[i]);
        if (!s.empty())
            table.SetCell(2, int(i), s[i]);
    }
    return table;
}

// Each item of a report as "label" with a trailing '>' when it is indented.
inline std::vector<std::string> ReportLabels(const CAnalysisResult& report)
{
    std::vector<std::string> labels;
    for (int i = 0; i < report.GetItemCount(); ++i)
        labels.push_back(std::string(report.GetItem(i).strLabel.GetString()) +
                         (report.GetItem(i).bIndent ? ">" : ""));
    return labels;
}
