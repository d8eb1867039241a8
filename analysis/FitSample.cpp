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
    held.clear();
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

bool IsHeldPoint(double y, double s)
{
    return s < kMissingDeviation && std::fabs(kDefaultRelativeDeviation * y) < kMissingDeviation;
}

void ApplyDefaultDeviations(FitSample& sample)
{
    sample.held.clear();
    for (int i = 1; i <= sample.Count(); ++i) {
        double& s = sample.s[std::size_t(i)];
        if (IsHeldPoint(sample.y[std::size_t(i)], s))
            sample.held.push_back(i);
        if (s < kMissingDeviation)
            s = kDefaultRelativeDeviation * sample.y[std::size_t(i)];
        if (std::fabs(s) < kMissingDeviation)
            s = kMissingDeviation;
    }
}

FitSample PointsNotHeld(const FitSample& sample)
{
    FitSample others;
    others.Resize(sample.Count() - int(sample.held.size()));
    std::size_t next = 0, k = 0;
    for (int i = 1; i <= sample.Count(); ++i) {
        if (next < sample.held.size() && sample.held[next] == i) {
            ++next;
            continue;
        }
        ++k;
        others.x[k] = sample.x[std::size_t(i)];
        others.y[k] = sample.y[std::size_t(i)];
        others.s[k] = sample.s[std::size_t(i)];
    }
    return others;
}

bool IsFitLayout(int layout) { return layout == TableLayoutXY || layout == TableLayoutXYSig; }

int ReadFitSample(const CDataTable* table, FitSample& sample)
{
    const int layout = table ? table->GetLayout() : -1;
    const int columns = layout == TableLayoutXYSig ? 3 : 2;
    if (!IsFitLayout(layout) || table->GetColumnCount() < columns)
        return ErrInvalidData;
    for (int c = 0; c < columns; ++c)
        if (table->GetColumn(c)->GetCount() < table->GetRowCount())
            return ErrInvalidData;
    const std::vector<int> rows = TablePointRows(*table);
    const int n = int(rows.size());
    if (n < kMinimumFitPoints)
        return ErrTooFewDataPoints;
    try {
        sample.Resize(n);
    } catch (const std::bad_alloc&) {
        return ErrOutOfMemory;
    }
    for (int k = 1; k <= n; ++k) {
        const int row = rows[std::size_t(k - 1)];
        sample.x[std::size_t(k)] = table->GetValue(0, row);
        sample.y[std::size_t(k)] = table->GetValue(1, row);
        // An empty deviation is a missing one.
        if (columns == 3 && !IsEmptyCell(table->GetColumn(2)->GetValue(row)))
            sample.s[std::size_t(k)] = table->GetColumn(2)->GetValue(row);
    }
    if (const int code = CheckSampleFinite(sample))
        return code;
    ApplyDefaultDeviations(sample);
    return 0;
}
