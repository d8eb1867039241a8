#pragma once
// What the zero finder of a bracket and the scan of an interval share: f's value at a point as
// both see it, the rule for values lost in f's rounding noise, and the search of a bracket whose
// ends are sampled already.
#include "engine/NumericCalculus.h"

#include <cmath>
#include <map>
#include <vector>

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

// The rounding noise of f at x, where its value is y: how far the value moves when every
// operation rounds up or down instead of to the nearest ((x+1e12)-1e12 by one double of 1e12,
// 1.2e-4), 0 where f is exact; f's code.
int RoundingNoise(const CalculusFunction& f, double x, double y, double& noise);

// What a search found where it found no zero and no pole, jump or gap either: a sign change
// that does not last beyond f's rounding noise (BandVerdict), which the scans do not report.
constexpr int kNoLastingSign = -1;

// The noise bands a search has decided, each between the points beside it where f's sign is
// certain, with the root listed in it where there is one: each band is decided, and its root
// listed, once, whichever of the steps that meet it comes first.
class BandMemo {
public:
    struct Band {
        double lo = 0.0, hi = 0.0; // the nearest points with a certain sign on either side
        bool holdsRoot = false;
        double root = 0.0;
        int loSign = 0, hiSign = 0; // f's signs there, 0 where not known
    };
    // The band decided around [p, q] (p <= q), or none.
    const Band* Around(double p, double q) const;
    void Add(const Band& band);

private:
    // By lo; a scan far out of a new model decides tens of thousands, added in no order.
    std::multimap<double, Band> m_bands;
};

// One search of f for zeros within tol: how far beside its bracket or interval the noise rule
// walks to find f's sign (16 times as far as the interval is wide), and the bands it decided.
struct ZeroSearch {
    ZeroSearch(const CalculusFunction& function, double a, double b, double tolerance);
    const CalculusFunction& f;
    double tol;
    double lo, hi;
    BandMemo bands;
};

// The rule for values lost in f's rounding noise, stated once: see NumericCalculusBands.cpp.
// Decides the band around [p, q] (p <= q), where f's values are no larger than its noise, or
// where f is 0 only through rounding, and inside it are as large as inside: 0 with root at
// place where f's certain signs on either side differ, or, for a 0 that f gives through rounding
// (zeroInside), where the band is no wider than tol; otherwise kNoLastingSign. Once decided, a
// band answers from the memo, with the root it listed first.
int BandRoot(ZeroSearch& s, double p, double q, double inside, double place, bool zeroInside,
             double& root);

// A 0 that f gives at x however it rounds: a root there (x - x, (x-2)^2 at 2), unless x lies
// inside a noise band decided already (x^5-5*x^4+10*x^3-10*x^2+5*x-1 is 0 at points across
// 1 +- 1e-3), whose one root, or none, it is.
int ExactZero(const ZeroSearch& s, double x, double& root);

// The zero between neighbouring doubles p and q where f has values of two signs and does not
// jump: the nearer to 0 where both signs are certain, otherwise as BandRoot decides.
int SignChangeRoot(ZeroSearch& s, const Sample& p, const Sample& q, double& root);

// A zero of f between the ends first and second, sampled already (the steps of a scan share
// theirs), into root, as FindZeroOfFunction finds it; reach bounds how far beside an end that is
// 0 only through rounding the signs around it are looked for. Where it finds a sign change that
// is no zero (13: a pole, a jump or a gap), root receives where that lies; where the sign change
// does not last beyond f's rounding noise, kNoLastingSign.
int ZeroBetween(ZeroSearch& s, Sample first, Sample second, double reach, int sameSignCode,
                double& root);

} // namespace zeros
