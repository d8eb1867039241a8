#pragma once
#include "analysis/HeldPoints.h"
#include "analysis/Marquardt.h"

// MarquardtFit with the curve held through the data's held points: the fitted parameters that
// those points fix are solved from them (by Newton's method) for every set of values tried, so
// every curve tried passes through them, and the free parameters are fitted to the other points.
// a, covar (the covariance of every parameter, through their dependence on the free ones) and
// outcome (chi-square of the other points) as MarquardtFit; held tells what the held points did.
// Results as MarquardtFit, 52 when the other points are fewer than the free parameters, or the
// held points' failure.
int HeldMarquardtFit(IFitModel& model, const FitSample& data, double* a, const int* fitted, int m,
                     int maxIterations, OneBasedMatrix& covar, MarquardtOutcome& outcome,
                     HeldPointsOutcome& held);

// A curve is through a held point when its value there is below this part of the size of its
// terms (the sum of |parameter times derivative|) and of the data (the largest |y|), once
// Newton's method no longer brings it closer.
constexpr double kHeldTolerance = 1e-8;
