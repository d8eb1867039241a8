#pragma once
#include "analysis/FitSample.h"
#include "analysis/OneBasedMatrix.h"

#include <vector>

// A model y = f(x; a) with its derivatives by the parameters a[1..m], as the Levenberg-Marquardt
// fit evaluates it point by point.
class IFitModel {
public:
    virtual ~IFitModel() = default;
    // Takes the parameter values a[1..m] for the evaluations that follow (once per pass).
    virtual int SetParameters(const double* a) = 0;
    // y and dyda[1..m] at x with the last parameters; 0 or an engine error code.
    virtual int Evaluate(double x, double& y, double* dyda) = 0;
};

// The curvature alpha[1..mfit][1..mfit] (symmetric), the gradient beta[1..mfit] and chi-square of
// the model at a[1..m] over the points, counting only parameters whose fitted flag is set.
// Results: 0, the model's code, 13 for a NaN and 17 for an infinite model value or derivative, or
// for a curvature, gradient or chi-square that overflows.
int MarquardtCoefficients(IFitModel& model, const FitSample& data, const double* a,
                          const int* fitted, int m, double** alpha, double* beta, double& chisq);

// One Levenberg-Marquardt iteration at a time, keeping its work storage between calls: the trial
// values, the gradient and step, and chi-square of the accepted values.
class MarquardtStep {
public:
    // lambda < 0 starts: curvature and chi-square at a, lambda 0.001, and one damped step; a
    // model that cannot be valued at a, or whose chi-square or curvature is not finite there,
    // ends the start with its code (17 for an overflow). lambda > 0 makes one damped step: a
    // better chi-square takes the trial values and divides lambda by 10; a worse one, or trial
    // values where the model fails or overflows, keeps a and chi-square and multiplies lambda by
    // 10, up to kMaxLambda. lambda == 0 finishes: covar becomes the covariance at a (zero for held
    // parameters) and the storage is released. Results: 0, 15 when not started, 33 no memory,
    // the codes of MarquardtCoefficients and SolveNormalEquations.
    int operator()(IFitModel& model, const FitSample& data, double* a, const int* fitted, int m,
                   double** covar, double** alpha, double& chisq, double& lambda);

    // True once a step at the largest damping has been turned down.
    bool Exhausted() const { return m_exhausted; }

    // Whether the undamped Gauss-Newton step from the accepted values a moves no fitted parameter
    // by more than kSettledFraction of its value plus kSettledDataFraction of the change that
    // would move the model by the whole data (dataChiSquare, the chi-square of a zero model).
    // 0, 15 when not started, or the code of the solution.
    int IsSettled(double** alpha, const double* a, const int* fitted, int m, double dataChiSquare,
                  bool& settled);

private:
    int Start(IFitModel& model, const FitSample& data, const double* a, const int* fitted, int m,
              double** alpha, double& chisq);
    int Fail(int code);

    bool m_started = false;
    bool m_exhausted = false;
    int m_fittedCount = 0;
    double m_previousChiSquare = 0.0;
    std::vector<double> m_trial;
    std::vector<double> m_gradient;
    std::vector<double> m_step;
    OneBasedMatrix m_oneColumn;
};

// The stop rules are free of scale: the same data with its deviations, its values or its
// parameters in other units stops at the same step.
// A step has stalled when chi-square fell by no more than this part of itself, plus
// kStallDataFraction of the data's own chi-square (changes below rounding of the data).
constexpr double kStallChiSquareFraction = 1e-12;
constexpr double kStallDataFraction = 1e-28;
// Stalled steps in a row that end a fit: converged when the Gauss-Newton step is settled, else 35.
constexpr int kStallCount = 10;
constexpr double kSettledFraction = 1e-6;
constexpr double kSettledDataFraction = 1e-12;
// The damping a fit gives up at: when a step is turned down there, the fit ends as after
// kStallCount stalled steps.
constexpr double kMaxLambda = 1e16;

// What a complete fit leaves besides the values.
struct MarquardtOutcome {
    double chiSquare = 0.0;
    int iterations = 0;
    // A 35 before the limit: the fit stopped improving without settling.
    bool stalled = false;
};

// The complete fit from the values in a[1..m]: Marquardt steps until kStallCount steps in a row
// have stalled or a step at the largest damping is turned down (converged when the Gauss-Newton
// step from the result is settled, else 35), or until maxIterations steps (35). On 35 a holds the
// best values reached. covar receives the covariance of a converged fit; alpha is work
// storage of the same size. Results as MarquardtStep, or 35.
int MarquardtFit(IFitModel& model, const FitSample& data, double* a, const int* fitted, int m,
                 int maxIterations, OneBasedMatrix& covar, OneBasedMatrix& alpha,
                 MarquardtOutcome& outcome);
