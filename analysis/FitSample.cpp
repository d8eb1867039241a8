#include "analysis/FitSample.h"

#include "engine/EngineErrors.h"

#include <cmath>

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
