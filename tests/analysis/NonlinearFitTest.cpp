#include "analysis/NonlinearFit.h"
#include "engine/EngineErrors.h"
#include "tests/analysis/FitTestSupport.h"
#include "tests/analysis/NistData.h"

#include <gsl/gsl_multifit_nlinear.h>

#include <cmath>
#include <limits>
#include <vector>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

class NonlinearFitTest : public FitTest {};

TEST_F(NonlinearFitTest, CheckModelNamesWhatAModelLacks)
{
    const struct {
        const char* model;
        int code;
    } cases[] = {
        {"a*exp(b*x)", 0},
        {"A*X^B", 0},
        {"a*x+y", ErrReservedName},
        {"a*x+b*Z", ErrReservedName},
        {"2*x", ErrFitParameterRequired},
        {"a*t", ErrXRequired},
        {"a*(x", ErrUnbalancedParenthesis},
        {"a*pi*x", 0},
    };
    for (const auto& c : cases)
        EXPECT_EQ(CNonlinearFit::CheckModel(c.model), c.code) << c.model;
}

TEST_F(NonlinearFitTest, SetModelFindsParametersInOrderAndKeepsARefusedModelOut)
{
    CNonlinearFit fit;
    ASSERT_EQ(fit.SetModel("  c*exp(b*x)+a  "), 0);
    ASSERT_EQ(fit.GetParameterCount(), 3);
    EXPECT_EQ(fit.GetParameterName(0), "c");
    EXPECT_EQ(fit.GetParameterName(1), "b");
    EXPECT_EQ(fit.GetParameterName(2), "a");
    EXPECT_EQ(fit.GetModel(), "c*exp(b*x)+a");
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(fit.GetInitialValue(i), 1.0);
        EXPECT_TRUE(fit.GetAuto(i));
        EXPECT_FALSE(fit.GetConstant(i));
    }
    // The same model in other letters keeps what the user set; a refused one changes nothing.
    fit.SetAuto(1, FALSE);
    fit.SetInitialValue(1, 4.0);
    EXPECT_EQ(fit.SetModel("C*EXP(B*X)+A"), 0);
    EXPECT_EQ(fit.SetModel("c*x+y"), ErrReservedName);
    EXPECT_EQ(fit.GetModel(), "c*exp(b*x)+a");
    EXPECT_FALSE(fit.GetAuto(1));
    EXPECT_EQ(fit.GetInitialValue(1), 4.0);
}

TEST_F(NonlinearFitTest, EvaluateModelGivesTheSymbolicDerivatives)
{
    CNonlinearFit fit;
    ASSERT_EQ(fit.SetModel("a*exp(b*x)"), 0);
    g_IndependentVariables[0].dValue = -7;
    const double a[] = {0, 3, 0.5};
    double y = 0, dyda[3] = {0, 0, 0};
    ASSERT_EQ(fit.EvaluateModel(2, a, y, dyda), 0);
    EXPECT_DOUBLE_EQ(y, 3 * std::exp(1.0));
    EXPECT_DOUBLE_EQ(dyda[1], std::exp(1.0));
    EXPECT_DOUBLE_EQ(dyda[2], 6 * std::exp(1.0));
    EXPECT_EQ(g_IndependentVariables[0].dValue, -7);

    ASSERT_EQ(fit.SetModel("a*ln(b*x)"), 0);
    const double negative[] = {0, 1, -1};
    EXPECT_NE(fit.EvaluateModel(2, negative, y, dyda), 0);
}

FitSample ProblemSample(const nist::NonlinearProblem& p, double s)
{
    return MakeSample(p.count, p.x, p.y, s);
}

// Certified problems from given starts, weighted by the certified residual deviation so that the
// uncertainties are the certified standard deviations.
TEST_F(NonlinearFitTest, ReferenceProblemsReachCertifiedValues)
{
    using namespace nist;
    const struct {
        const NonlinearProblem* problem;
        int start;
    } runs[] = {{&kMisra1a, 1}, {&kMisra1a, 2}, {&kThurber, 1}, {&kThurber, 2}, {&kMgh09, 2}};
    for (const auto& run : runs) {
        const NonlinearProblem& p = *run.problem;
        SCOPED_TRACE(testing::Message() << p.name << " start " << run.start);
        CNonlinearFit fit;
        ASSERT_EQ(fit.SetModel(p.model), 0);
        ASSERT_EQ(fit.GetParameterCount(), p.parameters);
        const double* start = run.start == 1 ? p.start1 : p.start2;
        for (int i = 0; i < p.parameters; ++i) {
            fit.SetAuto(i, FALSE);
            fit.SetInitialValue(i, start[i]);
        }
        ASSERT_TRUE(fit.SetMaxIterations(1000));
        ASSERT_EQ(fit.FitPoints(ProblemSample(p, p.residualDeviation)), 0);
        for (int j = 1; j <= p.parameters; ++j) {
            EXPECT_TRUE(RelativelyNear(fit.GetValue(j), p.values[j - 1], 1e-5)) << "b" << j;
            EXPECT_TRUE(
                RelativelyNear(std::sqrt(fit.GetCovariance(j, j)), p.deviations[j - 1], 1e-4))
                << "sd b" << j;
        }
    }
}

// Far from the minimum, ten small changes of chi-square are not convergence: Misra1a with unit
// weights from the first start creeps along a valley before it reaches the minimum.
TEST_F(NonlinearFitTest, SlowProgressIsNotTakenForConvergence)
{
    CNonlinearFit fit;
    ASSERT_EQ(fit.SetModel(nist::kMisra1a.model), 0);
    for (int i = 0; i < 2; ++i) {
        fit.SetAuto(i, FALSE);
        fit.SetInitialValue(i, nist::kMisra1a.start1[i]);
    }
    ASSERT_TRUE(fit.SetMaxIterations(1000));
    ASSERT_EQ(fit.FitPoints(ProblemSample(nist::kMisra1a, 1.0)), 0);
    EXPECT_TRUE(RelativelyNear(fit.GetChiSquare(), 1.2455138894E-01, 1e-6));
    EXPECT_TRUE(RelativelyNear(fit.GetValue(1), nist::kMisra1aValues[0], 1e-5));

    // A far start that cannot settle within the limit ends with the limit's code.
    CNonlinearFit distant;
    ASSERT_EQ(distant.SetModel(nist::kMgh09.model), 0);
    for (int i = 0; i < 4; ++i) {
        distant.SetAuto(i, FALSE);
        distant.SetInitialValue(i, nist::kMgh09.start1[i]);
    }
    EXPECT_EQ(distant.FitPoints(ProblemSample(nist::kMgh09, nist::kMgh09.residualDeviation)),
              ErrMaxIterations);
}

// Once the line is solved, chi-square is rounding noise: ten steps in a row that change it by
// nothing against its size and the data's end the fit.
TEST_F(NonlinearFitTest, ExactLineStopsAfterTenStalledSteps)
{
    double x[10], y[10];
    for (int i = 0; i < 10; ++i) {
        x[i] = i + 1;
        y[i] = 1 + 2 * x[i];
    }
    FitSample sample = MakeSample(10, x, y);
    ApplyDefaultDeviations(sample);
    CNonlinearFit fit;
    ASSERT_EQ(fit.SetModel("a+b*x"), 0);
    g_IndependentVariables[0].dValue = 42;
    ASSERT_EQ(fit.FitPoints(sample), 0);
    EXPECT_EQ(g_IndependentVariables[0].dValue, 42);
    EXPECT_EQ(fit.GetInitialValue(0), 1.5);
    EXPECT_EQ(fit.GetInitialValue(1), 1.82);
    EXPECT_NEAR(fit.GetValue(1), 1.0, 1e-9);
    EXPECT_NEAR(fit.GetValue(2), 2.0, 1e-9);
    EXPECT_EQ(fit.GetIterations(), 14);

    // A Constant parameter keeps its start value; a limit of 1 ends after the first step.
    fit.SetConstant(0, TRUE);
    fit.SetAuto(0, FALSE);
    fit.SetInitialValue(0, 1.25);
    ASSERT_EQ(fit.FitPoints(sample), 0);
    EXPECT_EQ(fit.GetValue(1), 1.25);
    EXPECT_EQ(fit.GetCovariance(1, 1), 0.0);
    EXPECT_EQ(fit.GetFittedCount(), 1);
    ASSERT_TRUE(fit.SetMaxIterations(1));
    EXPECT_EQ(fit.FitPoints(sample), ErrMaxIterations);
    EXPECT_FALSE(fit.SetMaxIterations(0));
    EXPECT_FALSE(fit.SetMaxIterations(20000));
    EXPECT_EQ(fit.GetMaxIterations(), 1);
}

// The stop rules are free of scale: Lanczos1 with its deviations at 1, 1e-6 and 1e6 ends at the
// certified values to 8 digits, or honestly with 35 within a short limit, never with a success
// a few digits off.
TEST_F(NonlinearFitTest, StopRulesDoNotDependOnTheScaleOfTheDeviations)
{
    const nist::NonlinearProblem& p = nist::kLanczos1;
    for (const double s : {1.0, 1e-6, 1e6}) {
        for (const int start : {1, 2}) {
            for (const int limit : {100, 10000}) {
                SCOPED_TRACE(testing::Message()
                             << "s " << s << " start " << start << " limit " << limit);
                CNonlinearFit fit;
                ASSERT_EQ(fit.SetModel(p.model), 0);
                for (int i = 0; i < p.parameters; ++i) {
                    fit.SetAuto(i, FALSE);
                    fit.SetInitialValue(i, (start == 1 ? p.start1 : p.start2)[i]);
                }
                ASSERT_TRUE(fit.SetMaxIterations(limit));
                const int code = fit.FitPoints(ProblemSample(p, s));
                EXPECT_EQ(code, limit == 100 ? ErrMaxIterations : 0);
                for (int j = 1; code == 0 && j <= p.parameters; ++j)
                    EXPECT_TRUE(RelativelyNear(fit.GetValue(j), p.values[j - 1], 1e-8)) << "b" << j;
            }
        }
    }
}

// Trial values where the model overflows are a step too long, not the end of the fit; a fit
// that gets stuck ends with 35 and keeps the best values it reached.
TEST_F(NonlinearFitTest, OverflowingTrialsAreTurnedDown)
{
    double x[20], y[20];
    for (int i = 0; i < 20; ++i) {
        x[i] = 20.0 * i / 19;
        y[i] = 3 * std::exp(-0.7 * x[i]) * (1 + 0.01 * ((7 * (i + 1)) % 5 - 2));
    }
    auto fitFrom = [&](double a, double b, CNonlinearFit& fit) {
        EXPECT_EQ(fit.SetModel("a*exp(b*x)"), 0);
        fit.SetAuto(0, FALSE);
        fit.SetAuto(1, FALSE);
        fit.SetInitialValue(0, a);
        fit.SetInitialValue(1, b);
        EXPECT_TRUE(fit.SetMaxIterations(1000));
        return fit.FitPoints(MakeSample(20, x, y, 1.0));
    };
    CNonlinearFit close, distant, stuck;
    ASSERT_EQ(fitFrom(3, -0.7, close), 0);
    ASSERT_EQ(fitFrom(1, -5, distant), 0); // its first trials overflow exp(b*x)
    for (int j = 1; j <= 2; ++j)
        EXPECT_TRUE(RelativelyNear(distant.GetValue(j), close.GetValue(j), 1e-8)) << j;
    EXPECT_EQ(fitFrom(0.1, 1, stuck), ErrMaxIterations);
    EXPECT_LT(stuck.GetIterations(), 1000);
    double start = 0; // chi-square at the starting values, which the fit must have improved on
    for (int i = 0; i < 20; ++i)
        start += std::pow(y[i] - 0.1 * std::exp(x[i]), 2);
    EXPECT_LT(stuck.GetChiSquare(), start);
}

TEST_F(NonlinearFitTest, RefusesWhatItCannotFit)
{
    const double x[] = {1, 2, 3, 4};
    const double y[] = {2, 4, 7, 9};
    const struct {
        const char* what;
        const char* model;
        std::vector<double> x;
        std::vector<double> y;
        bool allConstant;
        int code;
    } cases[] = {
        {"two points", "a+b*x", {1, 2}, {1, 2}, false, ErrTooFewDataPoints},
        {"fewer points than parameters",
         "a+b*x+c*x^2+d*x^3",
         {1, 2, 3},
         {1, 2, 3},
         false,
         ErrTooFewDataPoints},
        {"every parameter constant",
         "a+b*x",
         {x, x + 4},
         {y, y + 4},
         true,
         ErrFitParameterRequired},
        {"NaN y", "a+b*x", {1, 2, 3}, {1, kNaN, 3}, false, ErrBadArgument},
        {"parameters the points cannot tell apart",
         "a*b*x",
         {x, x + 4},
         {y, y + 4},
         false,
         ErrSingularMatrix},
    };
    for (const auto& c : cases) {
        CNonlinearFit fit;
        ASSERT_EQ(fit.SetModel(c.model), 0) << c.what;
        for (int i = 0; c.allConstant && i < fit.GetParameterCount(); ++i)
            fit.SetConstant(i, TRUE);
        g_IndependentVariables[0].dValue = 42;
        EXPECT_EQ(fit.FitPoints(MakeSample(int(c.x.size()), c.x.data(), c.y.data(), 1.0)), c.code)
            << c.what;
        EXPECT_EQ(g_IndependentVariables[0].dValue, 42) << c.what;
    }
    // No model: nothing to do.
    CNonlinearFit empty;
    EXPECT_EQ(empty.FitPoints(MakeSample(4, x, y, 1.0)), 0);
}

// The logistic curve on noisy points against the library's trust-region solver.
struct LogisticPoints {
    std::vector<double> x, y;
};

int LogisticResidual(const gsl_vector* b, void* data, gsl_vector* r)
{
    const auto* points = static_cast<const LogisticPoints*>(data);
    const double a = gsl_vector_get(b, 0), bb = gsl_vector_get(b, 1), c = gsl_vector_get(b, 2),
                 d = gsl_vector_get(b, 3);
    for (std::size_t i = 0; i < points->x.size(); ++i)
        gsl_vector_set(r, i, a / (1 + bb * std::exp(c * points->x[i])) + d - points->y[i]);
    return GSL_SUCCESS;
}

TEST_F(NonlinearFitTest, NoisyLogisticAgreesWithTheReferenceSolver)
{
    TestRandom random(5);
    const double truth[] = {10, 20, -0.8, 1};
    LogisticPoints points;
    for (int i = 0; i < 200; ++i) {
        const double x = -2 + 12.0 * i / 199;
        points.x.push_back(x);
        points.y.push_back(truth[0] / (1 + truth[1] * std::exp(truth[2] * x)) + truth[3] +
                           0.2 * random.Between(-1, 1));
    }
    CNonlinearFit fit;
    ASSERT_EQ(fit.SetModel("a/(1+b*exp(c*x))+d"), 0);
    for (int i = 0; i < 4; ++i) {
        fit.SetAuto(i, FALSE);
        fit.SetInitialValue(i, truth[i] * 1.2);
    }
    ASSERT_EQ(fit.FitPoints(MakeSample(200, points.x.data(), points.y.data(), 0.2)), 0);

    gsl_multifit_nlinear_fdf fdf{};
    fdf.f = LogisticResidual;
    fdf.n = 200;
    fdf.p = 4;
    fdf.params = &points;
    gsl_multifit_nlinear_parameters params = gsl_multifit_nlinear_default_parameters();
    gsl_multifit_nlinear_workspace* work =
        gsl_multifit_nlinear_alloc(gsl_multifit_nlinear_trust, &params, 200, 4);
    double start[4];
    for (int i = 0; i < 4; ++i)
        start[i] = truth[i] * 1.2;
    gsl_vector_view x0 = gsl_vector_view_array(start, 4);
    gsl_multifit_nlinear_init(&x0.vector, &fdf, work);
    int info = 0;
    ASSERT_EQ(gsl_multifit_nlinear_driver(500, 1e-14, 1e-14, 1e-14, nullptr, nullptr, &info, work),
              GSL_SUCCESS);
    for (int j = 1; j <= 4; ++j)
        EXPECT_TRUE(
            RelativelyNear(fit.GetValue(j), gsl_vector_get(work->x, std::size_t(j - 1)), 1e-6))
            << fit.GetParameterName(j - 1);
    gsl_multifit_nlinear_free(work);
}

TEST_F(NonlinearFitTest, FittedEquationIsTheModelWithItsValues)
{
    const double x[] = {0, 1, 2, 3};
    const double y[] = {5, 1.5, -2, -5.5};
    CNonlinearFit fit;
    ASSERT_EQ(fit.SetModel("a+b*x"), 0);
    ASSERT_EQ(fit.FitPoints(MakeSample(4, x, y, 1.0)), 0);
    EXPECT_EQ(fit.GetFittedEquation(), "5+(-3.5)*x");
    // The model itself is unchanged for the next fit.
    const double a[] = {0, 1, 1};
    double v = 0, d[3];
    ASSERT_EQ(fit.EvaluateModel(2, a, v, d), 0);
    EXPECT_EQ(v, 3);
}

} // namespace
