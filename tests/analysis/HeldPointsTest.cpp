// A point at y = 0 without a deviation would weigh infinitely: every kind of fit passes its
// curve through such points and fits the others by their weights. Expected values are
// constrained fits computed independently at 50 digits (the held points' equations through
// Lagrange multipliers, or one parameter eliminated by hand for the nonlinear models).
#include "analysis/LinearFit.h"
#include "analysis/NonlinearFit.h"
#include "engine/CalcEngine.h"
#include "engine/EngineErrors.h"
#include "tests/analysis/FitTestSupport.h"

#include <gsl/gsl_cdf.h>

#include <cmath>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

class HeldPointsTest : public FitTest {};

// One of the fits a user runs: a linear model by number, or a typed or library model with
// its start values (none: Auto) and the parameters marked Constant.
struct FitKind {
    const char* name;
    int linearModel; // -1 for a model formula
    const char* formula;
    std::vector<double> start = {};
    std::vector<int> constant = {};
};

const FitKind kLine{"Fit to Line", 0, ""};
const FitKind kLogarithmic{"Logarithmic", 1, ""};
const FitKind kExponential{"Exponential", 2, ""};
const FitKind kQuadratic{"Quadratic", 4, ""};
const FitKind kCubic{"Cubic", 5, ""};
const FitKind kQuartic{"Quartic", 6, ""};
const FitKind kTyped{"typed p*x+q", -1, "p*x+q"};
const FitKind kLibraryQuadratic{"library Quadratic", -1, "a+b*x+c*x^2"};

// What a test reads of a fit.
struct FitRun {
    int code = 0;
    std::vector<double> values; // 0-based
    std::vector<double> deviations;
    std::vector<AnalysisResultItem> report;
    CString message; // the failure text the user reads
    CString curve;   // the equation the fitted graph draws
    HeldPointsOutcome held;
};

template <class Fit> void ReadFit(const Fit& fit, const CAnalysisResult& report, FitRun& run)
{
    for (int j = 1; j <= fit.GetParameterCount(); ++j) {
        run.values.push_back(fit.GetValue(j));
        run.deviations.push_back(std::sqrt(fit.GetCovariance(j, j)));
    }
    for (int i = 0; i < report.GetItemCount(); ++i)
        run.report.push_back(report.GetItem(i));
    run.message = fit.GetFailureText(run.code);
    run.held = fit.GetHeldPoints();
}

FitRun RunFit(const FitKind& kind, const CDataTable& table)
{
    FitRun run;
    CAnalysisResult report;
    if (kind.linearModel >= 0) {
        CLinearFit fit;
        fit.SetModel(kind.linearModel);
        fit.SetTable(&table);
        run.code = fit.Fit(&report);
        run.curve = fit.GetEquationWithValues();
        ReadFit(fit, report, run);
        return run;
    }
    CNonlinearFit fit;
    EXPECT_EQ(fit.SetModel(kind.formula), 0);
    for (std::size_t i = 0; i < kind.start.size(); ++i) {
        fit.SetAuto(int(i), FALSE);
        fit.SetInitialValue(int(i), kind.start[i]);
    }
    for (const int i : kind.constant)
        fit.SetConstant(i, TRUE);
    fit.SetTable(&table);
    run.code = fit.Fit();
    if (run.code == 0)
        fit.Report(report);
    run.curve = fit.GetFittedEquation();
    ReadFit(fit, report, run);
    return run;
}

// The report's item `offset` places after the one labelled `label`; null when there is none.
const AnalysisResultItem* Find(const FitRun& run, const char* label, std::size_t offset = 0)
{
    for (std::size_t i = 0; i < run.report.size(); ++i)
        if (run.report[i].strLabel == label)
            return i + offset < run.report.size() ? &run.report[i + offset] : nullptr;
    return nullptr;
}

double CurveAt(const CString& curve, double x)
{
    CCalcEngine engine;
    engine.SetExpression(curve);
    EXPECT_EQ(engine.Parse(), 0) << curve;
    g_IndependentVariables[0].dValue = x;
    return engine.Evaluate();
}

// A table's points and the end of the Weighting line a fit of it reports.
struct Points {
    std::vector<double> x, y, s;
    const char* weighting;
};

CDataTable TableOf(const Points& points)
{
    CDataTable table = MakeTable("T", points.x, points.y, points.s);
    if (!points.s.empty())
        table.GetColumn(2)->SetName("YSig");
    return table;
}

bool EndsWith(const CString& text, const char* end)
{
    return std::string(text.GetString()).ends_with(end);
}

// clang-format off
// The table, the same with a zero at x = 0 (which once happened to survive), two zeros,
// an error column that leaves the zero without a deviation, and the zero twice.
const Points kAtTwo{{1, 2, 3, 5}, {2, 0, 4, 6}, {}, "held through the point at y = 0 in row 2"};
const Points kAtZero{{0, 1, 3, 5}, {0, 2, 4, 6}, {}, "held through the point at y = 0 in row 1"};
const Points kTwoZeros{{-2, -1, 0, 1, 2, 3, 4}, {0, 1.5, 2.2, 1.4, 0, -2.6, -6.1}, {},
                       "held through the 2 points at y = 0 in rows 1 and 5"};
const Points kErrorColumn{{1, 2, 3, 5}, {2, 0, 4, 6}, {0.5, 0, 0.25, 1},
                          "deviations from the error column \"YSig\"; 5 % of y for 1 point whose "
                          "deviation is 0 or less; the curve is held through the point at y = 0 in row 2"};
const Points kRepeated{{1, 2, 2, 3, 5}, {2, 0, 0, 4, 6}, {},
                       "held through the 2 points at y = 0 in rows 2 and 3"};
// clang-format on

struct HeldCase {
    const Points* points;
    FitKind kind;
    int fixed;        // parameters the held points fix
    int freedom;      // degrees of freedom of the intervals, by hand
    double chiSquare; // of the other points; -1 where the report has none
    std::vector<double> values;
    std::vector<double> deviations = {}; // empty: not checked
};

// The fit answers with the expected values and deviations, its curve through the held points,
// its report naming them, chi-square of the others and intervals of the stated freedom.
void CheckHeldFit(const HeldCase& c)
{
    const Points& p = *c.points;
    const FitRun run = RunFit(c.kind, TableOf(p));
    ASSERT_EQ(run.code, 0) << run.message;
    ASSERT_EQ(run.values.size(), c.values.size());
    // Linear fits are solved exactly; the others to their convergence.
    const double tolerance = c.kind.linearModel >= 0 ? 1e-9 : 1e-7;
    for (std::size_t j = 0; j < c.values.size(); ++j) {
        EXPECT_NEAR(run.values[j], c.values[j], tolerance * (1 + std::fabs(c.values[j])))
            << "value " << j + 1;
        if (!c.deviations.empty()) {
            EXPECT_NEAR(run.deviations[j], c.deviations[j], 1e-9 * (1 + c.deviations[j]))
                << "deviation " << j + 1;
        }
    }
    // The drawn curve goes through every held point, to rounding of the data's size.
    for (std::size_t i = 0; i < p.x.size(); ++i)
        if (p.y[i] == 0 && (p.s.empty() || p.s[i] == 0)) {
            EXPECT_NEAR(CurveAt(run.curve, p.x[i]), 0.0, 1e-12) << "x = " << p.x[i];
        }
    EXPECT_EQ(run.held.fixed, c.fixed);
    const AnalysisResultItem* weighting = Find(run, "Weighting: ");
    ASSERT_NE(weighting, nullptr);
    EXPECT_TRUE(EndsWith(weighting->strText, p.weighting)) << weighting->strText;
    const AnalysisResultItem* chi = Find(run, "Chi Square: ");
    EXPECT_TRUE(c.chiSquare < 0 ||
                (chi && std::fabs(chi->dValue - c.chiSquare) <= 1e-9 * (1 + c.chiSquare)))
        << (chi ? chi->dValue : 0);
    // The last parameter's interval spans -+ t(freedom) times its deviation.
    const AnalysisResultItem* interval = Find(run, "95% Confidence Intervals:", c.values.size());
    ASSERT_NE(interval, nullptr);
    const int to = interval->strText.Find(" to ");
    const double width = std::strtod(interval->strText.Mid(to + 4), nullptr) -
                         std::strtod(interval->strText.Left(to), nullptr);
    EXPECT_NEAR(width, 2 * gsl_cdf_tdist_Pinv(0.975, c.freedom) * run.deviations.back(),
                1e-9 + 1e-6 * width)
        << interval->strText;
}

TEST_F(HeldPointsTest, EveryKindOfFitPassesThroughThePointsAtZeroAndFitsTheOthers)
{
    // clang-format off
    const FitKind logistic{"library Logistic regression", -1, "a/(1+b*exp(c*x))+d", {10, 20, -0.8, -2}};
    const FitKind sigmoid{"library Sigmoidal dose-response", -1,
                          "Bottom + (Top-Bottom)/(1+10^((LogEC50-X)))", {-3, 7, 2}};
    const FitKind logCurve{"library Logarithmic curve", -1, "a*ln(b*x)"};
    const Points rising{{0, 1, 2, 3, 4, 5, 6, 7, 8}, {-1.55, -1.09, 0, 1.53, 3.47, 5.03, 6.35, 7.0, 7.45},
                        {}, "in row 3"};
    const Points dose{{-1, 0, 1, 2, 3, 4, 5}, {-2.9, -2.6, -1.2, 0, 4.9, 6.6, 7.1}, {}, "in row 4"};
    const Points logPoints{{1, 2, 3, 4, 6}, {-0.71, 0, 0.42, 0.68, 1.12}, {}, "in row 2"};
    const double ninth = 4.0 / 9;
    const HeldCase cases[] = {
        {&kAtTwo, kLine, 1, 2, -1, {-2 * ninth, ninth}, {0.133333333333, 0.0666666666667}},
        {&kAtTwo, kLogarithmic, 1, 2, -1, {0.41708791307934344, -0.6017306638142958},
         {0.0883983182504, 0.127531815363}},
        {&kAtTwo, kCubic, 1, 1, -1, {-1, 9, -22, 16},
         {0.053033008589, 0.425734659148, 0.944225873401, 0.629483915601}},
        {&kAtTwo, kTyped, 1, 2, 1155.55555556, {ninth, -2 * ninth}, {0.0666666666667, 0.133333333333}},
        {&kAtTwo, kLibraryQuadratic, 1, 1, 355.555555556, {46 * ninth / 4, -41 * ninth / 4, 1},
         {0.25055493964, 0.188929734146, 0.0353553390593}},
        {&kAtZero, kQuadratic, 1, 1, -1, {-0.17280453257790368, 2.0028328611898017, 0},
         {0.027720274128, 0.107524949341, 0}},
        {&kAtZero, kLibraryQuadratic, 1, 1, 9.06515580737, {0, 2.0028328611898017, -0.17280453257790368},
         {0, 0.107524949341, 0.027720274128}},
        {&kTwoZeros, kQuartic, 2, 2, -1,
         {-0.0025085349144507979, 0.0072457402115657299, -0.49278664087940345, -0.02898296084626292,
          2.0112831221488266},
         {0.00459763308929, 0.0154648586919, 0.0271363628296, 0.0618594347674, 0.059947423472}},
        {&kTwoZeros, kLibraryQuadratic, 2, 4, 5.75754556345, {2.0243384975421159, 0, -0.50608462438552897},
         {0.0453308805791, 0, 0.0113327201448}},
        {&kErrorColumn, kLine, 1, 2, -1, {-5.103448275862069, 2.5517241379310345},
         {0.371390676354, 0.185695338177}},
        // The same point twice fixes no more than once, and counts for nothing more.
        {&kRepeated, kLine, 1, 2, -1, {-2 * ninth, ninth}, {0.133333333333, 0.0666666666667}},
        {&rising, logistic, 1, 5, 2.17836991543837,
         {9.90862971282986, 16.4121047054067, -0.765186140927336, -2.17653292022193}},
        {&dose, sigmoid, 1, 4, 139.258615368463, {-1.8421034058673, 7.12446885692022, 2.58743848686218}},
        // Solving a for the point would leave a = 0 and b undetermined: b is solved instead.
        {&logPoints, logCurve, 1, 3, 0.681561230117464, {1.0143082031162, 0.5}},
    };
    // clang-format on
    for (const HeldCase& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind.name << " on " << c.points->weighting);
        CheckHeldFit(c);
    }
}

// Tables without such points give the numbers the fits gave before points were held, bit for
// bit (recorded then), a point at y = 0 with a deviation among them.
TEST_F(HeldPointsTest, TablesWithoutSuchPointsKeepTheirNumbers)
{
    const Points plain{{1, 2, 3, 5}, {2, 0.5, 4, 6}, {}, "as the table has no error column"};
    const Points weightedZero{{1, 2, 3, 5}, {2, 0, 4, 6}, {0.5, 0.2, 0.25, 1}, "column \"YSig\""};
    // clang-format off
    const struct {
        const Points* points;
        FitKind kind;
        std::vector<double> values;
    } cases[] = {
        {&plain, kLine, {-0x1.d41d41d41d48ap-2, 0x1.24924924924aep-1}},
        {&plain, kQuadratic, {0x1.a062b2e43dbeep-1, -0x1.c250315972351p+1, 0x1.15f9d4d1bc336p+2}},
        {&plain, kTyped, {0x1.249249249249p-1, -0x1.d41d41d41d414p-2}},
        {&plain, kLibraryQuadratic, {0x1.15f9d47b04745p+2, -0x1.c25030d18ad96p+1, 0x1.a062b285812aep-1}},
        {&weightedZero, kLine, {-0x1.7ebafab0d285p+1, 0x1.01d8c1e787f63p+1}},
        {&weightedZero, kTyped, {0x1.01d8c1e777f7dp+1, -0x1.7ebafab0ab8e8p+1}},
    };
    // clang-format on
    for (const auto& c : cases) {
        SCOPED_TRACE(testing::Message() << c.kind.name << " on " << c.points->weighting);
        const FitRun run = RunFit(c.kind, TableOf(*c.points));
        EXPECT_EQ(run.code, 0) << run.message;
        EXPECT_EQ(run.values, c.values);
        EXPECT_EQ(run.held.points, 0);
        const AnalysisResultItem* weighting = Find(run, "Weighting: ");
        EXPECT_TRUE(weighting && EndsWith(weighting->strText, c.points->weighting));
    }
}

// Where the points at y = 0 leave no curve to fit, the fit says why and what to do, and adds
// nothing.
TEST_F(HeldPointsTest, PointsThatLeaveNothingToFitAreExplained)
{
    const std::string remedy = "  Give such a point a deviation in a Y Error column, ";
    const std::string fixesBoth =
        "Passing through the 2 points at y = 0 in rows 1 and 5 fixes every parameter of the "
        "model and leaves none to fit the other points." +
        remedy + "or choose a model with more parameters.";
    const auto notFound = [&](const char* points) {
        return std::string("No curve of the model was found that passes through ") + points +
               ", as a point at y = 0 without a deviation must." + remedy +
               "try other initial values, or choose another model.";
    };
    const Points exponential{{0, 1, 2, 6.2832, 6.3246}, {0, 5, 3, 10.05, 8.83}, {}, ""};
    const Points threeZeros{{-1, 0, 1, 2, 3}, {0, 0, 0, 3, 5}, {}, ""};
    const Points twiceAtZero{{0, 0, 1, 3, 5}, {0, 0, 2, 4, 6}, {}, ""};
    const struct {
        const char* what;
        const Points* points;
        FitKind kind;
        int code;
        std::string message;
    } cases[] = {
        {"a line through two zeros", &kTwoZeros, kLine, ErrTooFewParameters, fixesBoth},
        {"a typed line through two zeros", &kTwoZeros, kTyped, ErrTooFewParameters, fixesBoth},
        {"a quadratic through three zeros", &threeZeros, kQuadratic, ErrTooFewParameters,
         "Passing through the 3 points at y = 0 in rows 1, 2 and 3 fixes every parameter of the "
         "model and leaves none to fit the other points." +
             remedy + "or choose a model with more parameters."},
        {"a logarithm of y = 0", &kAtTwo, kExponential, ErrBadArgument,
         "The exponential model a*b^x fits the logarithm of y and needs every y above 0, which "
         "the point in row 2 does not have.  Give it y above 0, or choose another model."},
        {"a*exp(b*x) through (0, 0) is 0 whatever b", &exponential,
         FitKind{"typed", -1, "a*exp(b*x)"}, ErrSingularMatrix,
         "Singular matrix encountered: with the curve through the point at y = 0 in row 1, the "
         "other points cannot determine the parameters left free."},
        {"exp(a*x) is never 0", &kAtTwo, FitKind{"typed", -1, "exp(a*x)"}, ErrNoSolutions,
         notFound("the point at y = 0 in row 2")},
        {"a constant a = 1 keeps a+b*x from 0 at x = 0", &kAtZero,
         FitKind{"typed", -1, "a+b*x", {1, 1}, {0}}, ErrNoSolutions,
         notFound("the point at y = 0 in row 1")},
        {"the same point twice leaves too few others", &twiceAtZero, kQuartic, ErrTooFewDataPoints,
         "Too few data points"},
    };
    for (const auto& c : cases) {
        const FitRun run = RunFit(c.kind, TableOf(*c.points));
        EXPECT_EQ(run.code, c.code) << c.what;
        EXPECT_EQ(std::string(run.message), c.message) << c.what;
        EXPECT_TRUE(run.report.empty()) << c.what;
    }
}

} // namespace
