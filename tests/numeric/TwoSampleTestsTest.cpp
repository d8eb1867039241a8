#include "numeric/TwoSampleTests.h"
#include "numeric/NumericCore.h"
#include "numeric/Sorting.h"
#include "tests/support/TestRandom.h"

#include <gsl/gsl_sf_erf.h>
#include <gtest/gtest.h>

#include <algorithm>
#include <cerrno>
#include <cmath>
#include <limits>
#include <vector>

namespace {

// Samples with a slot 0 so that element 1 is the first value.
const std::vector<double> kSampleA = {0, 5.1, 4.9, 6.2, 5.8, 6.0, 5.5, 5.3, 6.1};
const std::vector<double> kSampleB = {0, 4.2, 4.8, 5.0, 4.6, 5.2, 4.4, 4.9};
const std::vector<double> kPairedB = {0, 4.8, 5.0, 5.7, 5.9, 5.4, 5.1, 5.2, 5.6};
// Paired values with ties in both, for the rank statistics.
const std::vector<double> kTiedX = {0, 1, 2, 2, 3, 4, 5, 5, 6, 7, 8};
const std::vector<double> kTiedY = {0, 2, 1, 4, 3, 3, 6, 5, 8, 7, 7};

// Expected statistics and significances below were computed with 40-digit arithmetic from
// the textbook definitions (paired t from the differences, Spearman's rs as the correlation of
// midranks, Kendall's tau from concordant pairs, the KS series summed to convergence).
constexpr double kStatTolerance = 1e-12;
constexpr double kProbTolerance = 1e-6;

TEST(TwoSampleTests, TTestsOnSmallSamples)
{
    struct Case {
        const char* name;
        void (*run)(double*, double*);
        double t, prob;
    };
    const Case cases[] = {
        {"pooled",
         [](double* t, double* p) { StudentTTest(kSampleA.data(), 8, kSampleB.data(), 7, t, p); },
         3.989072747680468, 0.0015435217355227573},
        {"unequal",
         [](double* t, double* p) {
             UnequalVarianceTTest(kSampleA.data(), 8, kSampleB.data(), 7, t, p);
         },
         4.0805173429731732, 0.0013831282566634231},
        {"paired",
         [](double* t, double* p) { PairedTTest(kSampleA.data(), kPairedB.data(), 8, t, p); },
         2.813518766681198, 0.026014155334358974},
        {"F", [](double* f, double* p) { FTest(kSampleA.data(), 8, kSampleB.data(), 7, f, p); },
         1.9246108949416342, 0.44292680793496108},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        double t = 0;
        double prob = 0;
        errno = 0;
        c.run(&t, &prob);
        EXPECT_EQ(errno, 0);
        EXPECT_NEAR(t, c.t, kStatTolerance * std::fabs(c.t));
        EXPECT_NEAR(prob, c.prob, kProbTolerance * c.prob);
    }
}

TEST(TwoSampleTests, FTestWithEqualVariancesPutsTheSecondSampleFirst)
{
    const std::vector<double> shifted = {0, 1, 2, 3, 4};
    const std::vector<double> other = {0, 11, 12, 13, 14, 15, 16, 17, 18, 19};
    const std::vector<double> same = {0, 3, 4, 5, 6};
    double f = 0;
    double prob = 0;
    FTest(shifted.data(), 4, same.data(), 4, &f, &prob);
    EXPECT_EQ(f, 1);
    EXPECT_NEAR(prob, 1, 1e-6);
    // Unequal sizes: the larger-variance sample's degrees of freedom stand first.
    FTest(shifted.data(), 4, other.data(), 9, &f, &prob);
    EXPECT_NEAR(f, 7.5 / (5.0 / 3), 1e-12);
}

TEST(TwoSampleTests, CorrelationsWithTies)
{
    double r = 0, prob = 0, z = 0;
    errno = 0;
    PearsonCorrelation(kTiedX.data(), kTiedY.data(), 10, &r, &prob, &z);
    EXPECT_NEAR(r, 0.87739658639908659, kStatTolerance);
    EXPECT_NEAR(prob, 0.00085038985157864016, kProbTolerance * 0.00085);
    EXPECT_NEAR(z, 1.3643432175631838, 1e-12);

    double d = 0, zd = 0, probd = 0, rs = 0, probrs = 0;
    SpearmanCorrelation(kTiedX.data(), kTiedY.data(), 10, &d, &zd, &probd, &rs, &probrs);
    EXPECT_NEAR(d, 19.0, 1e-12);
    EXPECT_NEAR(zd, -2.6503067484662577, kStatTolerance * 3);
    EXPECT_NEAR(probd, 0.0080418719302406769, 1.2e-7 * 0.008 * 10);
    EXPECT_NEAR(rs, 0.88343558282208589, kStatTolerance);
    EXPECT_NEAR(probrs, 0.00070010398723640341, kProbTolerance * 0.0007);

    double tau = 0;
    KendallTau(kTiedX.data(), kTiedY.data(), 10, &tau, &z, &prob);
    EXPECT_NEAR(tau, 0.72093023255813953, kStatTolerance);
    EXPECT_NEAR(z, 2.9016882126625178, kStatTolerance * 3);
    EXPECT_NEAR(prob, 0.0037115774476291785, 1.2e-7 * 0.0037 * 10);
    EXPECT_EQ(errno, 0);
}

// Kendall's tau pair by pair, as the statistic is defined: the counted version must give the
// same tau, z and significance to the last bit.
void PairwiseKendall(const std::vector<double>& x, const std::vector<double>& y, double& tau,
                     double& z, double& prob)
{
    const int n = int(x.size()) - 1;
    long long m1 = 0, m2 = 0, is = 0;
    for (int j = 1; j < n; ++j) {
        for (int k = j + 1; k <= n; ++k) {
            const int a1 = (x[j] > x[k]) - (x[j] < x[k]), a2 = (y[j] > y[k]) - (y[j] < y[k]);
            m1 += a1 != 0;
            m2 += a2 != 0;
            is += a1 * a2;
        }
    }
    tau = double(is) / (std::sqrt(double(m1)) * std::sqrt(double(m2)));
    z = tau / std::sqrt((4.0 * n + 10.0) / (9.0 * n * (n - 1.0)));
    prob = ErfcApprox(std::fabs(z) * 0.7071067623730956);
}

TEST(TwoSampleTests, KendallTauCountsPairsLikeThePairwiseDefinition)
{
    TestRandom random(7);
    const struct {
        int n;
        int levels; // distinct values per sample (0: all distinct), so that ties abound
        double slope;
    } cases[] = {{2, 0, 1},       {3, 2, -1},      {40, 0, 0.5}, {500, 5, 1},
                 {2000, 0, -0.2}, {2000, 30, 0.1}, {1999, 2, 0}, {64, 1, 1}};
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << "n=" << c.n << " levels=" << c.levels);
        std::vector<double> x(std::size_t(c.n) + 1), y(std::size_t(c.n) + 1);
        auto draw = [&] { return c.levels ? std::floor(random.Next() * c.levels) : random.Next(); };
        for (int i = 1; i <= c.n; ++i) {
            x[std::size_t(i)] = draw();
            y[std::size_t(i)] = c.slope * x[std::size_t(i)] + draw();
        }
        double tau = 0, z = 0, prob = 0, wantTau = 0, wantZ = 0, wantProb = 0;
        errno = 0;
        KendallTau(x.data(), y.data(), c.n, &tau, &z, &prob);
        PairwiseKendall(x, y, wantTau, wantZ, wantProb);
        EXPECT_EQ(errno, 0);
        if (std::isnan(wantTau)) { // a sample with one value: no pair differs in it
            EXPECT_TRUE(std::isnan(tau));
            continue;
        }
        EXPECT_EQ(tau, wantTau);
        EXPECT_EQ(z, wantZ);
        EXPECT_EQ(prob, wantProb);
    }
    // A NaN has no order: refused, nothing written.
    const std::vector<double> withNaN = {0, 1, std::numeric_limits<double>::quiet_NaN(), 3};
    double tau = -1, z = -1, prob = -1;
    errno = 0;
    KendallTau(kTiedX.data(), withNaN.data(), 3, &tau, &z, &prob);
    EXPECT_EQ(errno, NumericBadArgument);
    EXPECT_EQ(tau, -1);
}

TEST(TwoSampleTests, KolmogorovSmirnovSortsAndCompares)
{
    std::vector<double> a = kSampleA;
    std::vector<double> b = kSampleB;
    double d = 0, prob = 0;
    errno = 0;
    KolmogorovSmirnovTest(a.data(), 8, b.data(), 7, &d, &prob);
    EXPECT_EQ(errno, 0);
    EXPECT_EQ(d, 0.75);
    EXPECT_NEAR(prob, 0.013416632640790533, 1e-8);
    EXPECT_TRUE(std::is_sorted(a.begin() + 1, a.end()));
    EXPECT_TRUE(std::is_sorted(b.begin() + 1, b.end()));

    // Identical samples: d = 0 and the series for λ = 0 never settles, giving 1.
    std::vector<double> c = kSampleA;
    KolmogorovSmirnovTest(a.data(), 8, c.data(), 8, &d, &prob);
    EXPECT_EQ(d, 0);
    EXPECT_EQ(prob, 1.0);
    EXPECT_EQ(KolmogorovSmirnovProbability(0), 1.0);
    errno = 0;
    EXPECT_EQ(KolmogorovSmirnovProbability(std::numeric_limits<double>::quiet_NaN()), 0);
    EXPECT_EQ(errno, NumericBadArgument);

    // A NaN would stall the merge: refused before anything is touched.
    std::vector<double> withNaN = {0, 3, std::numeric_limits<double>::quiet_NaN(), 1};
    d = prob = -1;
    errno = 0;
    KolmogorovSmirnovTest(withNaN.data(), 3, c.data(), 8, &d, &prob);
    EXPECT_EQ(errno, NumericBadArgument);
    EXPECT_EQ(d, -1);
    EXPECT_EQ(withNaN[1], 3);
}

TEST(TwoSampleTests, ChiSquareAgainstExpectedCounts)
{
    const double observed[] = {0, 12, 18, 25, 30, 15};
    const double expected[] = {0, 15, 20, 20, 25, 20};
    double df = 0, chsq = 0, prob = 0;
    errno = 0;
    ChiSquareTest(observed, expected, 5, 1, &df, &chsq, &prob);
    EXPECT_EQ(errno, 0);
    EXPECT_EQ(df, 4);
    EXPECT_NEAR(chsq, 4.3, 1e-12);
    EXPECT_NEAR(prob, 0.36692509698651542, kProbTolerance * 0.37);

    const double zeroExpected[] = {0, 15, 0, 20};
    prob = 42;
    errno = 0;
    ChiSquareTest(observed, zeroExpected, 3, 0, &df, &chsq, &prob);
    EXPECT_EQ(errno, NumericBadArgument);
    EXPECT_EQ(prob, 42);
    EXPECT_EQ(chsq, 0.6);
}

TEST(TwoSampleTests, ErfcApproximationAndMeanVariance)
{
    for (double x : {-3.0, -1.0, -0.2, 0.0, 0.3, 1.0, 2.5, 5.0, 9.0}) {
        const double expected = gsl_sf_erfc(x);
        EXPECT_NEAR(ErfcApprox(x), expected, 1.2e-7 * expected) << x;
    }
    double ave = 0, var = 0;
    MeanVariance(kSampleB.data(), 7, &ave, &var);
    EXPECT_NEAR(ave, 4.728571428571429, 1e-14);
    EXPECT_NEAR(var, 0.12238095238095238, 1e-14);
}

TEST(TwoSampleTests, ErrnoLeftAloneByUnderflow)
{
    // Far-apart samples drive exp and the series to underflow.
    const std::vector<double> low = {0, 1, 1.001, 1.002, 0.999, 1.0005};
    const std::vector<double> high = {0, 1e3, 1e3 + 0.001, 1e3 - 0.002, 1e3 + 0.0015, 1e3 + 0.0007};
    double t = 0, prob = 0;
    errno = 0;
    StudentTTest(low.data(), 5, high.data(), 5, &t, &prob);
    EXPECT_LT(prob, 1e-40);
    EXPECT_EQ(ErfcApprox(40), 0);
    EXPECT_NEAR(KolmogorovSmirnovProbability(30), 0, 1e-300);
    EXPECT_EQ(errno, 0);
}

TEST(Sorting, SortsSmallAndLargeVectorsWithCompanions)
{
    for (int n : {0, 1, 2, 7, 8, 9, 50, 1000, 100000}) {
        SCOPED_TRACE(testing::Message() << "n=" << n);
        std::vector<double> arr(n + 1);
        std::vector<double> brr(n + 1);
        unsigned state = 12345;
        for (int i = 1; i <= n; ++i) {
            state = state * 1103515245u + 12345u;
            arr[i] = static_cast<double>((state >> 8) % 997) - 400; // many ties
            brr[i] = arr[i] * 2 + 1;
        }
        std::vector<double> plain = arr;
        errno = 0;
        SortTwoVectors(n, arr.data(), brr.data());
        SortVector(n, plain.data());
        EXPECT_EQ(errno, 0);
        EXPECT_TRUE(std::is_sorted(arr.begin() + 1, arr.end()));
        EXPECT_EQ(plain, arr);
        for (int i = 1; i <= n; ++i)
            ASSERT_EQ(brr[i], arr[i] * 2 + 1) << i;
    }
}

// Orders that defeat a poor pivot choice: each sorts completely, with its companions, and sets
// no error. (Their times are in the sort benchmark.)
TEST(Sorting, AdversarialOrders)
{
    constexpr int n = 200000;
    struct Order {
        const char* name;
        double (*key)(int i);
    };
    const Order orders[] = {
        {"ascending", [](int i) { return double(i); }},
        {"descending", [](int i) { return double(n - i); }},
        {"constant", [](int) { return 7.0; }},
        {"organ pipe", [](int i) { return double(i <= n / 2 ? i : n - i); }},
        {"sawtooth", [](int i) { return double(i % 1000); }},
        {"alternating ends", [](int i) { return double(i % 2 ? i : n - i); }},
    };
    for (const Order& order : orders) {
        std::vector<double> arr(n + 1);
        std::vector<double> brr(n + 1);
        for (int i = 1; i <= n; ++i) {
            arr[i] = order.key(i);
            brr[i] = -arr[i];
        }
        errno = 0;
        SortTwoVectors(n, arr.data(), brr.data());
        EXPECT_EQ(errno, 0) << order.name;
        EXPECT_TRUE(std::is_sorted(arr.begin() + 1, arr.end())) << order.name;
        for (int i = 1; i <= n; ++i)
            ASSERT_EQ(brr[i], -arr[i]) << order.name << " at " << i;
    }
}

TEST(Sorting, MidranksAndTieSums)
{
    struct Case {
        std::vector<double> sorted;
        std::vector<double> ranks;
        double s;
    };
    const Case cases[] = {
        {{0, 1, 2, 2, 3}, {0, 1, 2.5, 2.5, 4}, 6},
        {{0, 5}, {0, 1}, 0},
        {{0, 4, 4, 4}, {0, 2, 2, 2}, 24},
        {{0, 1, 1, 2, 3, 3}, {0, 1.5, 1.5, 3, 4.5, 4.5}, 12},
    };
    for (const Case& c : cases) {
        std::vector<double> w = c.sorted;
        double s = -1;
        RankWithTies(static_cast<int>(w.size()) - 1, w.data(), &s);
        EXPECT_EQ(w, c.ranks) << "first=" << c.sorted[1];
        EXPECT_EQ(s, c.s) << "first=" << c.sorted[1];
    }
    double s = -1;
    RankWithTies(0, nullptr, &s);
    EXPECT_EQ(s, 0);
}

} // namespace
