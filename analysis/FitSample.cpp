#include "analysis/FitSample.h"

#include "analysis/DataTable.h"
#include "engine/EngineErrors.h"

#include <algorithm>
#include <cmath>
#include <new>

void FitSample::Resize(int n)
{
    const std::size_t size = std::size_t(n < 0 ? 0 : n) + 1;
    x.assign(size, 0.0);
    y.assign(size, 0.0);
    s.assign(size, 0.0);
}

int CheckSampleFinite(const FitSample& sample)
{
    for (int i = 1; i <= sample.Count(); ++i) {
        const std::size_t k = std::size_t(i);
        if (!std::isfinite(sample.x[k]) || !std::isfinite(sample.y[k]) ||
            !std::isfinite(sample.s[k]))
            return ErrBadArgument;
    }
    return 0;
}

void ApplyDefaultDeviations(FitSample& sample)
{
    for (int i = 1; i <= sample.Count(); ++i) {
        double& s = sample.s[std::size_t(i)];
        if (s < kMissingDeviation)
            s = kDefaultRelativeDeviation * sample.y[std::size_t(i)];
        if (std::fabs(s) < kMissingDeviation)
            s = kMissingDeviation;
    }
}

bool IsFitLayout(int layout) { return layout == TableLayoutXY || layout == TableLayoutXYSig; }

int ReadFitSample(const CDataTable* table, FitSample& sample)
{
    const int layout = table ? table->GetLayout() : -1;
    const int columns = layout == TableLayoutXYSig ? 3 : 2;
    if (!IsFitLayout(layout) || table->GetColumnCount() < columns)
        return ErrInvalidData;
    const int n = table->GetRowCount();
    if (n < kMinimumFitPoints)
        return ErrTooFewDataPoints;
    for (int c = 0; c < columns; ++c)
        if (table->GetColumn(c)->GetCount() < n)
            return ErrInvalidData;
    try {
        sample.Resize(n);
    } catch (const std::bad_alloc&) {
        return ErrOutOfMemory;
    }
    const double* x = table->GetColumn(0)->GetData();
    const double* y = table->GetColumn(1)->GetData();
    std::copy(x + 1, x + n + 1, sample.x.begin() + 1);
    std::copy(y + 1, y + n + 1, sample.y.begin() + 1);
    if (columns == 3) {
        const double* s = table->GetColumn(2)->GetData();
        std::copy(s + 1, s + n + 1, sample.s.begin() + 1);
    }
    if (const int code = CheckSampleFinite(sample))
        return code;
    ApplyDefaultDeviations(sample);
    return 0;
}
