#include "analysis/LinearFit.h"
#include "engine/CalcEngine.h"
#include "engine/EngineErrors.h"
#include "tests/analysis/FitTestSupport.h"
#include "tests/analysis/NistData.h"

#include <gsl/gsl_fit.h>
#include <gsl/gsl_multifit.h>

#include <cmath>
#include <functional>
#include <limits>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

// Each model as the oracle sees it: the basis columns and the transforms of the data.
struct OracleModel {
    int index;
    std::vector<std::function<double(double)>> columns;
    bool logX;
    bool logY;
    std::function<double(double)> truth; // noise-free y
};

double Ln(double x) { return std::log(x); }

const std::vector<OracleModel>& OracleModels()
{
    static const auto one = [](double) { return 1.0; };
    static const auto id = [](double x) { return x; };
    static const std::vector<OracleModel> models = {
        {0, {one, id}, false, false, [](double x) { return 3 - 0.7 * x; }},
        {1, {one, Ln}, false, false, [](double x) { return 2 + 5 * std::log(x); }},
        {2, {one, id}, false, true, [](double x) { return 4 * std::pow(1.02, x); }},
        {3, {one, id}, true, true, [](double x) { return 0.5 * std::pow(x, 1.7); }},
        {4,
         {[](double x) { return x * x; }, id, one},
         false,
         false,
         [](double x) { return 0.01 * x * x - x + 7; }},
        {5,
         {[](double x) { return x * x * x; }, [](double x) { return x * x; }, id, one},
         false,
         false,
         [](double x) { return 1e-4 * x * x * x - 0.02 * x * x + x - 3; }},
        {6,
         {[](double x) { return x * x * x * x; }, [](double x) { return x * x * x; },
          [](double x) { return x * x; }, id, one},
         false,
         false,
         [](double x) { return 1e-6 * std::pow(x, 4) - 1e-4 * x * x * x + 0.01 * x * x + 2; }},
    };
    return models;
}

// Weighted generated data, x in [0.5, 100], checked against the library's weighted fits (on the
// logarithms for the exponential and power models, whose constants come back as exponentials).
TEST(LinearFit, EveryModelAgreesWithTheReferenceWeightedFit)
{
    TestRandom random(21);
    for (const OracleModel& model : OracleModels()) {
        SCOPED_TRACE(testing::Message() << "model " << CLinearFit::GetModelName(model.index));
        const int n = 60;
        FitSample sample;
        sample.Resize(n);
        for (int i = 1; i <= n; ++i) {
            const double x = random.Between(0.5, 100);
            const double y = model.truth(x);
            const double s = 0.01 + 0.05 * std::fabs(y) * random.Next();
            sample.x[std::size_t(i)] = x;
            sample.y[std::size_t(i)] = y + s * random.Between(-1, 1);
            sample.s[std::size_t(i)] = s;
        }
        CLinearFit fit;
        fit.SetModel(model.index);
        ASSERT_EQ(fit.FitPoints(sample), 0);

        const std::size_t m = model.columns.size();
        ASSERT_EQ(fit.GetParameterCount(), int(m));
        gsl_matrix* X = gsl_matrix_alloc(n, m);
        gsl_vector* w = gsl_vector_alloc(n);
        gsl_vector* y = gsl_vector_alloc(n);
        gsl_vector* c = gsl_vector_alloc(m);
        gsl_matrix* cov = gsl_matrix_alloc(m, m);
        for (int i = 0; i < n; ++i) {
            const double x = sample.x[std::size_t(i + 1)];
            const double xt = model.logX ? std::log(x) : x;
            for (std::size_t j = 0; j < m; ++j)
                gsl_matrix_set(X, std::size_t(i), j, model.columns[j](xt));
            const double yi = sample.y[std::size_t(i + 1)];
            gsl_vector_set(y, std::size_t(i), model.logY ? std::log(yi) : yi);
            const double s = sample.s[std::size_t(i + 1)];
            gsl_vector_set(w, std::size_t(i), 1 / (s * s));
        }
        double chisq = 0;
        gsl_multifit_linear_workspace* work = gsl_multifit_linear_alloc(n, m);
        gsl_multifit_wlinear(X, w, y, c, cov, &chisq, work);
        if (model.index == 0) {
            // The straight line also against the dedicated two-parameter routine.
            double c0, c1, cov00, cov01, cov11, sumsq;
            gsl_fit_wlinear(sample.x.data() + 1, 1, w->data, 1, sample.y.data() + 1, 1, n, &c0, &c1,
                            &cov00, &cov01, &cov11, &sumsq);
            EXPECT_TRUE(RelativelyNear(fit.GetValue(1), c0, 1e-9));
            EXPECT_TRUE(RelativelyNear(fit.GetValue(2), c1, 1e-9));
            EXPECT_TRUE(RelativelyNear(fit.GetCovariance(1, 2), cov01, 1e-9));
        }
        for (std::size_t j = 0; j < m; ++j) {
            const int p = int(j) + 1;
            double expected = gsl_vector_get(c, j);
            if (fit.IsBackTransformed(p))
                expected = std::exp(expected);
            EXPECT_TRUE(RelativelyNear(fit.GetValue(p), expected, 1e-9)) << "value " << p;
            for (std::size_t k = 0; k < m; ++k)
                EXPECT_TRUE(RelativelyNear(fit.GetCovariance(p, int(k) + 1),
                                           gsl_matrix_get(cov, j, k), 1e-9))
                    << "covariance " << p << "," << k + 1;
        }
        gsl_multifit_linear_free(work);
        gsl_matrix_free(cov);
        gsl_vector_free(c);
        gsl_vector_free(y);
        gsl_vector_free(w);
        gsl_matrix_free(X);
    }
}

// Published problems whose points deviate by the certified residual deviation: the uncertainties
// then equal the certified standard deviations.
TEST(LinearFit, NorrisAndPontiusMatchCertifiedResults)
{
    using namespace nist;
    struct Problem {
        int model;
        FitSample sample;
        std::vector<double> values; // in the model's parameter order
        std::vector<double> deviations;
    };
    const Problem problems[] = {
        {0,
         MakeSample(kNorrisCount, kNorrisX, kNorrisY, kNorrisResidualDeviation),
         {kNorrisValues[0], kNorrisValues[1]},
         {kNorrisDeviations[0], kNorrisDeviations[1]}},
        {4,
         MakeSample(kPontiusCount, kPontiusX, kPontiusY, kPontiusResidualDeviation),
         {kPontiusValues[2], kPontiusValues[1], kPontiusValues[0]},
         {kPontiusDeviations[2], kPontiusDeviations[1], kPontiusDeviations[0]}},
    };
    for (const Problem& problem : problems) {
        CLinearFit fit;
        fit.SetModel(problem.model);
        ASSERT_EQ(fit.FitPoints(problem.sample), 0) << CLinearFit::GetModelName(problem.model);
        for (int j = 1; j <= fit.GetParameterCount(); ++j) {
            EXPECT_TRUE(RelativelyNear(fit.GetValue(j), problem.values[std::size_t(j - 1)], 1e-9))
                << CLinearFit::GetModelName(problem.model) << " " << fit.GetParameterName(j);
            EXPECT_TRUE(RelativelyNear(std::sqrt(fit.GetCovariance(j, j)),
                                       problem.deviations[std::size_t(j - 1)], 1e-9))
                << CLinearFit::GetModelName(problem.model) << " sd " << fit.GetParameterName(j);
        }
    }
}

struct LinearFitError {
    const char* what;
    int model;
    std::vector<double> x;
    std::vector<double> y;
    int code;
};

TEST(LinearFit, RefusesPointsTheModelCannotFit)
{
    const LinearFitError cases[] = {
        {"two points", 0, {1, 2}, {1, 2}, ErrTooFewDataPoints},
        {"quartic on four points", 6, {1, 2, 3, 4}, {1, 2, 3, 5}, ErrTooFewDataPoints},
        {"one x value", 0, {3, 3, 3}, {1, 2, 3}, ErrSingularMatrix},
        {"quadratic on two x values", 4, {1, 1, 2, 2}, {1, 2, 3, 4}, ErrSingularMatrix},
        {"NaN x", 0, {1, kNaN, 3}, {1, 2, 3}, ErrBadArgument},
        {"exponential with y = 0", 2, {1, 2, 3}, {1, 0, 3}, ErrBadArgument},
        {"exponential with y < 0", 2, {1, 2, 3}, {1, -2, 3}, ErrBadArgument},
        {"logarithmic with x = 0", 1, {0, 2, 3}, {1, 2, 3}, ErrBadArgument},
        {"power with x < 0", 3, {1, -2, 3}, {1, 2, 3}, ErrBadArgument},
        {"quartic term overflows", 6, {1, 2, 3, 4, 1e80}, {1, 2, 3, 4, 5}, ErrResultTooLarge},
        {"constant overflows when turned back",
         2,
         {100, 101, 102},
         {std::exp(700.0), std::exp(699.0), std::exp(698.0)},
         ErrResultTooLarge},
    };
    for (const LinearFitError& c : cases) {
        CLinearFit fit;
        fit.SetModel(c.model);
        FitSample sample = MakeSample(int(c.x.size()), c.x.data(), c.y.data(), 1.0);
        EXPECT_EQ(fit.FitPoints(sample), c.code) << c.what;
    }
}

TEST(LinearFit, ExponentialValuesAreTheExponentialsOfTheFittedLine)
{
    // ln y = ln 3 + x ln 2 exactly.
    const double x[] = {0, 1, 2, 3};
    const double y[] = {3, 6, 12, 24};
    FitSample sample = MakeSample(4, x, y);
    ApplyDefaultDeviations(sample);
    CLinearFit fit;
    fit.SetModel(2);
    ASSERT_EQ(fit.FitPoints(sample), 0);
    EXPECT_NEAR(fit.GetValue(1), 3.0, 1e-12);
    EXPECT_NEAR(fit.GetValue(2), 2.0, 1e-12);
    EXPECT_TRUE(fit.IsBackTransformed(1));
    EXPECT_TRUE(fit.IsBackTransformed(2));
    EXPECT_EQ(fit.GetEquation(), "a*b^x");
}

TEST(LinearFit, MissingDeviationsWeightByFivePercentOfY)
{
    const double x[] = {1, 2, 3, 4};
    const double y[] = {10, 20, 0, -40};
    FitSample sample = MakeSample(4, x, y);
    sample.s = {0, 0, -1, 0, 2};
    ApplyDefaultDeviations(sample);
    EXPECT_EQ(sample.s, (std::vector<double>{0, 0.5, 1.0, kMissingDeviation, 2}));

    // The help's example: relative weights move the line away from the unweighted one that an
    // error column of ones gives.
    const double hx[] = {1, 2, 3, 4, 5};
    const double hy[] = {2, 4.1, 5.9, 8.2, 9.9};
    FitSample relative = MakeSample(5, hx, hy);
    ApplyDefaultDeviations(relative);
    CLinearFit fit;
    ASSERT_EQ(fit.FitPoints(relative), 0);
    EXPECT_NEAR(fit.GetValue(1), 0.00411, 5e-6);
    EXPECT_NEAR(fit.GetValue(2), 2.00625, 5e-6);
    ASSERT_EQ(fit.FitPoints(MakeSample(5, hx, hy, 1.0)), 0);
    EXPECT_NEAR(fit.GetValue(1), 0.05, 1e-12);
    EXPECT_NEAR(fit.GetValue(2), 1.99, 1e-12);
}

// The fitted curve is an expression the engine reads back under either decimal convention.
TEST_F(FitTest, EquationWithValuesIsAnExpressionInX)
{
    const double x[] = {1, 2, 3, 4, 5};
    const double y[] = {3.5, 5.5, 7.5, 9.5, 11.5};
    for (bool comma : {false, true}) {
        if (comma)
            UseCommaSeparators();
        CLinearFit fit;
        FitSample sample = MakeSample(5, x, y);
        ApplyDefaultDeviations(sample);
        ASSERT_EQ(fit.FitPoints(sample), 0);
        const CString text = fit.GetEquationWithValues();
        EXPECT_EQ(text, comma ? "(1,5)+(2)*x" : "(1.5)+(2)*x");
        CCalcEngine engine;
        engine.SetExpression(text);
        ASSERT_EQ(engine.Parse(), 0) << text;
        g_IndependentVariables[0].dValue = 2;
        EXPECT_DOUBLE_EQ(engine.Evaluate(), 5.5) << text;
    }

    UseDotSeparators();

    // A cubic keeps the template's order, each value bracketed, and draws the fitted curve.
    const double xc[] = {-2, -1, 0, 1, 2, 3};
    double yc[6];
    for (int i = 0; i < 6; ++i)
        yc[i] = xc[i] * xc[i] * xc[i] - 2 * xc[i] + 3;
    CLinearFit cubic;
    cubic.SetModel(5);
    ASSERT_EQ(cubic.FitPoints(MakeSample(6, xc, yc, 1.0)), 0);
    const CString text = cubic.GetEquationWithValues();
    EXPECT_EQ(text.Left(1), "(");
    EXPECT_NE(text.Find(")*x^3+("), -1) << text;
    CCalcEngine engine;
    engine.SetExpression(text);
    ASSERT_EQ(engine.Parse(), 0) << text;
    g_IndependentVariables[0].dValue = 1.5;
    EXPECT_NEAR(engine.Evaluate(), 1.5 * 1.5 * 1.5 - 3 + 3, 1e-12) << text;
}

} // namespace
