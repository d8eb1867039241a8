#pragma once
// x^n as the evaluator took a whole n up to 16 before: multiplied out in double precision, up
// to 10 ulp off by the 16th power. The benchmarks time it beside what the evaluator does now.
#include "numeric/ExtendedPrecision.h"

inline double DoubleWholePower(double x, int n)
{
    const double power = RepeatedSquaring<double>(x, unsigned(n < 0 ? -n : n));
    return n < 0 ? 1.0 / power : power;
}
