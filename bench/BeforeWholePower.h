#pragma once
// x^n as the evaluator took a whole n up to 16 before: multiplied out in double precision, up
// to 10 ulp off by the 16th power. The benchmarks time it beside what the evaluator does now;
// it needs no engine header, so that bench/eval-compare builds it against older engines too.

inline double DoubleWholePower(double x, int n)
{
    unsigned k = unsigned(n < 0 ? -n : n);
    double power = (k & 1u) ? x : 1.0;
    for (k >>= 1; k != 0; k >>= 1) {
        x *= x;
        if (k & 1u)
            power *= x;
    }
    return n < 0 ? 1.0 / power : power;
}
