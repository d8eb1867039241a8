#pragma once
// How far a root scan got: the part of its interval that its zeros come from.
#include "engine/EvaluationWork.h"
#include "engine/NumericCalculus.h"

#include <algorithm>
#include <cmath>

// The span of the points where a scan evaluated its function before the command's time ran
// out: all of its interval unless it was cut short; none (lo > hi) when it evaluated nothing.
struct ScanReach {
    double lo = HUGE_VAL;
    double hi = -HUGE_VAL;

    bool Any() const { return lo <= hi; }
    void Add(double x)
    {
        lo = std::min(lo, x);
        hi = std::max(hi, x);
    }
};

// f (any callable int(double x, double& y)), noting in reach each point where it was evaluated in
// the command's time; an evaluation that the spent time ended searched nothing.
template <class Function> CalculusFunction Reaching(Function f, ScanReach& reach)
{
    return [f, &reach](double x, double& y) {
        const int code = f(x, y);
        if (!CommandWork::Spent())
            reach.Add(x);
        return code;
    };
}
