#pragma once
// An axis of the given row or column sizes, the first nFixed of them fixed.
#include "grid/GridAxis.h"

#include <vector>

inline CGridAxis Axis(const std::vector<int>& sizes, int nFixed = 1)
{
    CGridAxis axis;
    axis.Resize(int(sizes.size()), 0);
    for (std::size_t i = 0; i < sizes.size(); ++i)
        axis.SetSize(int(i), sizes[i]);
    axis.SetFixedCount(nFixed);
    return axis;
}
