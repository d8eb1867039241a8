#pragma once
// What the zero finder of a bracket and the scan of an interval share: f's value at a point as
// both see it, and the search of a bracket whose ends are sampled already.
#include "engine/NumericCalculus.h"

#include <cmath>

namespace zeros {

inline bool SameSign(double u, double v) { return (u > 0.0 && v > 0.0) || (u < 0.0 && v < 0.0); }

// f at x as the zero finders see it. A 0 that is there only through rounding is no zero, and no
// sign either: the point is unsigned. So is a result that underflowed (exp(-1000)), or one that
// rounded onto a value it only approaches (tanh(20) onto 1), or a sum that lost its smaller part
// (1+exp(-40) is 1), each of which the exact value is not.
struct Sample {
    double x = 0.0, y = 0.0;
    int code = 0;
    bool rounded = false;

    // A finite value, with or without a sign.
    bool HasValue() const { return code == 0 && std::isfinite(y); }
    // A finite value whose sign, or whose exact 0, counts.
    bool Valued() const { return HasValue() && !rounded; }
};

// f at x; where it is 0, whether only through rounding.
Sample SampleAt(const CalculusFunction& f, double x);

// Whether a sign change between p and q places a root as closely as asked: within tol, or between
// neighbouring doubles where those lie farther apart.
inline bool Resolved(double p, double q, double tol)
{
    return std::fabs(q - p) <= tol || std::nextafter(p, q) == q;
}

// A zero of f between the ends first and second, sampled already (the steps of a scan share
// theirs), into root, as FindZeroOfFunction finds it; reach bounds how far beside an end that is
// 0 only through rounding the signs around it are looked for. Where it finds a sign change that
// is no zero (13: a pole, a jump or a gap), root receives where that lies.
int ZeroBetween(const CalculusFunction& f, Sample first, Sample second, double tol, double reach,
                int sameSignCode, double& root);

} // namespace zeros
