#include "numeric/TwoSampleTests.h"

#include "numeric/BetaFamily.h"
#include "numeric/GammaFamily.h"
#include "numeric/NumericCore.h"
#include "numeric/Sorting.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <new>
#include <vector>

namespace {

// 1/√2 as the tests scale a standard score for erfc.
constexpr double kInvSqrt2 = 0.7071067623730956;

// Two-sided significance of t with df degrees of freedom.
double TwoSidedT(double df, double t) { return IncompleteBeta(0.5 * df, 0.5, df / (df + t * t)); }

bool HasNaN(const double* data, int n)
{
    for (int j = 1; j <= n; ++j)
        if (std::isnan(data[j]))
            return true;
    return false;
}

// Copies data[1..n] into a new work vector, or null (105).
double* CopyVector(const double* data, int n)
{
    double* w = AllocVector(1, n);
    if (w)
        for (int j = 1; j <= n; ++j)
            w[j] = data[j];
    return w;
}

// Pairs j < k of Kendall's tau by kind, counted in O(n log n): sorted by the first sample (ties
// by the second), a pair is discordant exactly when its second values are out of order.
struct PairCounts {
    std::int64_t all = 0;
    std::int64_t tiedFirst = 0;  // equal in the first sample
    std::int64_t tiedSecond = 0; // equal in the second sample
    std::int64_t tiedBoth = 0;
    std::int64_t discordant = 0; // differ in both, in opposite directions
};

// Pairs within runs of equal values of v[begin..end).
std::int64_t TiedPairs(const std::vector<double>& v, std::size_t begin, std::size_t end)
{
    std::int64_t pairs = 0;
    for (std::size_t i = begin, run = 1; i < end; ++i) {
        run = (i > begin && v[i] == v[i - 1]) ? run + 1 : 1;
        pairs += std::int64_t(run) - 1;
    }
    return pairs;
}

// Sorts v ascending by merging, counting the pairs the merge finds out of order.
std::int64_t SortCountingInversions(std::vector<double>& v)
{
    std::vector<double> scratch(v.size());
    std::int64_t inversions = 0;
    for (std::size_t width = 1; width < v.size(); width *= 2) {
        for (std::size_t lo = 0; lo < v.size(); lo += 2 * width) {
            const std::size_t mid = std::min(lo + width, v.size());
            const std::size_t hi = std::min(lo + 2 * width, v.size());
            std::size_t i = lo, j = mid, out = lo;
            while (i < mid && j < hi) {
                if (v[j] < v[i]) {
                    inversions += std::int64_t(mid - i);
                    scratch[out++] = v[j++];
                } else {
                    scratch[out++] = v[i++];
                }
            }
            while (i < mid)
                scratch[out++] = v[i++];
            while (j < hi)
                scratch[out++] = v[j++];
        }
        v.swap(scratch);
    }
    return inversions;
}

// False without memory.
bool CountPairs(const double* data1, const double* data2, int n, PairCounts& counts)
{
    try {
        const std::size_t count = n > 0 ? std::size_t(n) : 0;
        std::vector<std::size_t> order(count);
        for (std::size_t i = 0; i < count; ++i)
            order[i] = i + 1;
        std::sort(order.begin(), order.end(), [&](std::size_t a, std::size_t b) {
            return data1[a] < data1[b] || (data1[a] == data1[b] && data2[a] < data2[b]);
        });
        std::vector<double> first(count), second(count);
        for (std::size_t i = 0; i < count; ++i) {
            first[i] = data1[order[i]];
            second[i] = data2[order[i]];
        }
        counts.all = std::int64_t(count) * (std::int64_t(count) - 1) / 2;
        counts.tiedFirst = TiedPairs(first, 0, count);
        // Within a run of equal first values, equal second values stand together.
        for (std::size_t begin = 0, end = 0; begin < count; begin = end) {
            end = begin + 1;
            while (end < count && first[end] == first[begin])
                ++end;
            counts.tiedBoth += TiedPairs(second, begin, end);
        }
        counts.discordant = SortCountingInversions(second);
        counts.tiedSecond = TiedPairs(second, 0, count);
    } catch (const std::bad_alloc&) {
        return false;
    }
    return true;
}

} // namespace

void MeanVariance(const double* data, int n, double* ave, double* var)
{
    double sum = 0.0;
    for (int j = 1; j <= n; ++j)
        sum += data[j];
    const double mean = sum / n;
    double ep = 0.0;
    double sq = 0.0;
    for (int j = 1; j <= n; ++j) {
        const double s = data[j] - mean;
        ep += s;
        sq += s * s;
    }
    *ave = mean;
    *var = (sq - ep * ep / n) / (n - 1.0);
}

void UnequalVarianceTTest(const double* data1, int n1, const double* data2, int n2, double* t,
                          double* prob)
{
    const int saved = ErrnoEnter();
    double ave1, var1, ave2, var2;
    MeanVariance(data1, n1, &ave1, &var1);
    MeanVariance(data2, n2, &ave2, &var2);
    const double s1 = var1 / n1;
    const double s2 = var2 / n2;
    *t = (ave1 - ave2) / std::sqrt(s1 + s2);
    const double df = (s1 + s2) * (s1 + s2) / (s1 * s1 / (n1 - 1.0) + s2 * s2 / (n2 - 1.0));
    *prob = TwoSidedT(df, *t);
    ErrnoLeave(saved);
}

void StudentTTest(const double* data1, int n1, const double* data2, int n2, double* t, double* prob)
{
    const int saved = ErrnoEnter();
    double ave1, var1, ave2, var2;
    MeanVariance(data1, n1, &ave1, &var1);
    MeanVariance(data2, n2, &ave2, &var2);
    const double df = static_cast<double>(n1) + n2 - 2.0;
    const double svar = ((n1 - 1.0) * var1 + (n2 - 1.0) * var2) / df;
    *t = (ave1 - ave2) / std::sqrt(svar * (1.0 / n1 + 1.0 / n2));
    *prob = TwoSidedT(df, *t);
    ErrnoLeave(saved);
}

void PairedTTest(const double* data1, const double* data2, int n, double* t, double* prob)
{
    const int saved = ErrnoEnter();
    double ave1, var1, ave2, var2;
    MeanVariance(data1, n, &ave1, &var1);
    MeanVariance(data2, n, &ave2, &var2);
    double cov = 0.0;
    for (int j = 1; j <= n; ++j)
        cov += (data1[j] - ave1) * (data2[j] - ave2);
    const double df = n - 1.0;
    cov /= df;
    const double sd = std::sqrt((var1 + var2 - 2.0 * cov) / n);
    *t = (ave1 - ave2) / sd;
    *prob = TwoSidedT(df, *t);
    ErrnoLeave(saved);
}

void PearsonCorrelation(const double* x, const double* y, int n, double* r, double* prob, double* z)
{
    constexpr double kTiny = 1.0e-20;
    const int saved = ErrnoEnter();
    double ax = 0.0;
    double ay = 0.0;
    for (int j = 1; j <= n; ++j) {
        ax += x[j];
        ay += y[j];
    }
    ax /= n;
    ay /= n;
    double sxx = 0.0;
    double syy = 0.0;
    double sxy = 0.0;
    for (int j = 1; j <= n; ++j) {
        const double xt = x[j] - ax;
        const double yt = y[j] - ay;
        sxx += xt * xt;
        syy += yt * yt;
        sxy += xt * yt;
    }
    const double rv = sxy / std::sqrt(sxx * syy);
    *r = rv;
    *z = 0.5 * std::log((1.0 + rv) / (1.0 - rv + kTiny));
    const double df = n - 2.0;
    const double t = rv * std::sqrt(df / ((1.0 - rv + kTiny) * (1.0 + rv)));
    *prob = TwoSidedT(df, t);
    ErrnoLeave(saved);
}

void SpearmanCorrelation(const double* data1, const double* data2, int n, double* d, double* zd,
                         double* probd, double* rs, double* probrs)
{
    double* w1 = CopyVector(data1, n);
    if (!w1)
        return;
    double* w2 = CopyVector(data2, n);
    if (!w2) {
        FreeVector(w1, 1, n);
        return;
    }
    const int saved = ErrnoEnter();
    errno = 0;
    double sf = 0.0;
    double sg = 0.0;
    SortTwoVectors(n, w1, w2);
    RankWithTies(n, w1, &sf);
    if (errno == 0)
        SortTwoVectors(n, w2, w1);
    RankWithTies(n, w2, &sg);
    if (IsNumericErrorCode(errno)) {
        FreeVector(w2, 1, n);
        FreeVector(w1, 1, n);
        return;
    }
    double sum = 0.0;
    for (int j = 1; j <= n; ++j)
        sum += (w1[j] - w2[j]) * (w1[j] - w2[j]);
    FreeVector(w2, 1, n);
    FreeVector(w1, 1, n);
    const double en = n;
    const double en3n = en * en * en - en;
    const double aved = en3n / 6.0 - (sf + sg) / 12.0;
    double fac = (1.0 - sf / en3n) * (1.0 - sg / en3n);
    const double vard = ((en - 1.0) * en * en * (en + 1.0) * (en + 1.0) / 36.0) * fac;
    *d = sum;
    *zd = (sum - aved) / std::sqrt(vard);
    *probd = ErfcApprox(std::fabs(*zd) * kInvSqrt2);
    *rs = (1.0 - (6.0 / en3n) * (sum + (sf + sg) / 12.0)) / std::sqrt(fac);
    fac = (1.0 + *rs) * (1.0 - *rs);
    if (fac > 0.0) {
        const double t = *rs * std::sqrt((en - 2.0) / fac);
        *probrs = TwoSidedT(en - 2.0, t);
    } else {
        *probrs = 0.0;
    }
    ErrnoLeave(saved);
}

void KendallTau(const double* data1, const double* data2, int n, double* tau, double* z,
                double* prob)
{
    if (HasNaN(data1, n) || HasNaN(data2, n)) {
        SetMathErrno(NumericBadArgument);
        return;
    }
    const int saved = ErrnoEnter();
    PairCounts counts;
    if (!CountPairs(data1, data2, n, counts)) {
        SetMathErrno(NumericOutOfMemory);
        return;
    }
    // Pairs that differ in the first sample (m1), in the second (m2), and in both, concordant
    // minus discordant (is).
    const std::int64_t m1 = counts.all - counts.tiedFirst;
    const std::int64_t m2 = counts.all - counts.tiedSecond;
    const std::int64_t is =
        counts.all - counts.tiedFirst - counts.tiedSecond + counts.tiedBoth - 2 * counts.discordant;
    *tau = static_cast<double>(is) /
           (std::sqrt(static_cast<double>(m1)) * std::sqrt(static_cast<double>(m2)));
    const double en = n;
    const double svar = (4.0 * en + 10.0) / (9.0 * en * (en - 1.0));
    *z = *tau / std::sqrt(svar);
    *prob = ErfcApprox(std::fabs(*z) * kInvSqrt2);
    ErrnoLeave(saved);
}

void KolmogorovSmirnovTest(double* data1, int n1, double* data2, int n2, double* d, double* prob)
{
    if (HasNaN(data1, n1) || HasNaN(data2, n2)) {
        SetMathErrno(NumericBadArgument);
        return;
    }
    const int saved = ErrnoEnter();
    errno = 0;
    SortVector(n1, data1);
    if (errno == 0)
        SortVector(n2, data2);
    if (IsNumericErrorCode(errno))
        return;
    const double en1 = n1;
    const double en2 = n2;
    int j1 = 1;
    int j2 = 1;
    double fn1 = 0.0;
    double fn2 = 0.0;
    double dmax = 0.0;
    while (j1 <= n1 && j2 <= n2) {
        const double d1 = data1[j1];
        const double d2 = data2[j2];
        if (d1 <= d2)
            fn1 = j1++ / en1;
        if (d2 <= d1)
            fn2 = j2++ / en2;
        const double dt = std::fabs(fn2 - fn1);
        if (dt > dmax)
            dmax = dt;
    }
    const double en = std::sqrt(en1 * en2 / (en1 + en2));
    *d = dmax;
    *prob = KolmogorovSmirnovProbability((en + 0.12 + 0.11 / en) * dmax);
    ErrnoLeave(saved);
}

void FTest(const double* data1, int n1, const double* data2, int n2, double* f, double* prob)
{
    const int saved = ErrnoEnter();
    double ave1, var1, ave2, var2;
    MeanVariance(data1, n1, &ave1, &var1);
    MeanVariance(data2, n2, &ave2, &var2);
    double df1;
    double df2;
    if (var1 > var2) {
        *f = var1 / var2;
        df1 = n1 - 1.0;
        df2 = n2 - 1.0;
    } else {
        *f = var2 / var1;
        df1 = n2 - 1.0;
        df2 = n1 - 1.0;
    }
    double p = 2.0 * IncompleteBeta(0.5 * df2, 0.5 * df1, df2 / (df2 + df1 * *f));
    if (p > 1.0)
        p = 2.0 - p;
    *prob = p;
    ErrnoLeave(saved);
}

void ChiSquareTest(const double* bins, const double* ebins, int nbins, int knstrn, double* df,
                   double* chsq, double* prob)
{
    *df = static_cast<double>(nbins) - knstrn;
    *chsq = 0.0;
    for (int j = 1; j <= nbins; ++j) {
        if (ebins[j] <= 0.0) {
            SetMathErrno(NumericBadArgument);
            return;
        }
        const double temp = bins[j] - ebins[j];
        *chsq += temp * temp / ebins[j];
    }
    *prob = IncompleteGammaQ(0.5 * *df, 0.5 * *chsq);
}

double ErfcApprox(double x)
{
    const int saved = ErrnoEnter();
    const double z = std::fabs(x);
    const double t = 1.0 / (1.0 + 0.5 * z);
    const double ans =
        t * std::exp(-z * z - 1.26551223 +
                     t * (1.00002368 +
                          t * (0.37409196 +
                               t * (0.09678418 +
                                    t * (-0.18628806 +
                                         t * (0.27886807 +
                                              t * (-1.13520398 +
                                                   t * (1.48851587 +
                                                        t * (-0.82215223 + t * 0.17087277)))))))));
    return ErrnoLeave(saved, x >= 0.0 ? ans : 2.0 - ans);
}

double KolmogorovSmirnovProbability(double lambda)
{
    constexpr double kEps1 = 0.001;
    constexpr double kEps2 = 1.0e-8;
    if (std::isnan(lambda)) {
        SetMathErrno(NumericBadArgument);
        return 0.0;
    }
    const int saved = ErrnoEnter();
    const double a2 = -2.0 * lambda * lambda;
    double fac = 2.0;
    double sum = 0.0;
    double termbf = 0.0;
    for (int j = 1; j <= 100; ++j) {
        const double term = fac * std::exp(a2 * j * j);
        sum += term;
        if (std::fabs(term) <= kEps1 * termbf || std::fabs(term) <= kEps2 * sum) {
            return ErrnoLeave(saved, sum);
        }
        fac = -fac;
        termbf = std::fabs(term);
    }
    return ErrnoLeave(saved, 1.0);
}
