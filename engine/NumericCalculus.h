#pragma once
#include "engine/EngineErrors.h"

#include <functional>
#include <vector>

// A real function of one variable as the calculus routines see it: writes f(x) into y and returns
// an engine error code (0 = success). A non-zero code ends the routine that called it.
using CalculusFunction = std::function<int(double x, double& y)>;

// Smallest tolerance any routine works with: below it the rounding of doubles is all that is left.
constexpr double kMinimumTolerance = 1e-15;

// Definite integral of f over [a, b] (either end may be infinite) to relative tolerance eps.
// Returns 0 with the result, 13 for a NaN end, 35 when the refinement does not converge, or the
// first error of f (result 0 then). Each call keeps its own state, so integrands may nest.
int IntegrateFunction(const CalculusFunction& f, double a, double b, double eps, double& result);
// Numerical derivative at x by Ridders' extrapolation; tol is the relative accuracy wanted on
// entry and the error estimate on return. 13 when tol < 1e-15, 35 without convergence.
int DifferentiateFunction(const CalculusFunction& f, double x, double& result, double& tol);
// One Ridders extrapolation from the initial step h; err receives its error estimate. 13 for h = 0.
int RiddersDerivative(const CalculusFunction& f, double x, double h, double& err, double& result);
// A zero of f in [a, b] by Brent's method (tol below 1e-15 means 1e-5). The zero returned lies
// within tol of a sign change of f, or between neighbouring doubles where those lie farther
// apart than tol (beyond 2^52 tol, 4.5e10 at tol 1e-5), and f's values there shrink as the
// bracket around it narrows, or lie within its rounding noise, which those beside a pole or a
// jump do not. A 0 that f gives only through rounding, a result that underflowed (exp(-1000)) or
// rounded onto a value it only approaches (tanh(20) = 1), is no zero and has no sign; where such
// zeros lie between values of two signs wider apart than tol, f's values beside them must be
// within its rounding noise (exp(-x^2) = 1e-320). Errors: sameSignCode
// (36 by default) when f(a) and f(b) have no two signs, 13 when the bracket closes on no zero
// (a pole, a jump, or a gap in f's domain), or the error of f met on the way; where Brent's
// interpolation stalls (100 iterations on a root of high order, x^5), halving goes on. The root
// is 0 on failure.
int FindZeroOfFunction(const CalculusFunction& f, double a, double b, double tol, double& root,
                       int sameSignCode = ErrNoSolutions);
// What a scan does with a step in which Brent's method found no zero and whose end values say
// nothing of the roots inside: a step with one end where f has no value (an error or no finite
// value) is searched again on points that halve the distance to each end and to 0 down to the
// tolerance, narrowing toward the valued end where a point has no value, down to neighbouring
// doubles (ln(x)+3 on [-0.1, 0.1] has its root beside its domain's edge). A searching scan does
// so too where f has a value at neither end, or where the step meets the numbers where doubles
// hold tol (|x| <= tol * 2^52) and is wider than all of them: it finds the roots of a huge
// interval (-1e300 .. 1e300 overflows almost everywhere, and its steps around 0 are 1e298 wide).
// A searching scan takes its steps nearest 0 first, so that one cut short has resolved the roots
// nearest 0. Either scan looks inside a step without a sign change where the values turn toward
// 0 (smaller at a point than at its neighbours) for the two roots that may hide there, inside a
// step beside a point without a value, which cannot show such a turn, and inside a span of a
// searched step that changes sign, which may hold three roots (a new model's steps are octaves
// near 0). Looking inside costs at most as many evaluations as the scan's own points took, and a
// few hundred more, spent in the order the steps are taken.
enum class BlindSteps { Skip, Search };
// Told of each zero as a scan finds it, so that work on it is done within the scan's time.
using ZeroFound = std::function<void(double zero)>;
// What a scan notes beside its zeros: where f changes sign without a zero (a pole, a jump or a
// gap in its domain), and where a step may still hold roots its points do not show, where the
// scan did not look inside, its evaluations for that being spent.
struct ScanNotes {
    std::vector<double> refused, unlooked;
};
// Scans [a, b] in n equal steps and appends every zero found to zeros, in ascending order,
// telling found of each, and to notes (when given) what it noted beside them. 13 unless a < b,
// n > 0 and tol >= 1e-15; 35 when the running command's time (CommandWork) ran out, zeros
// holding what was found before; 36 when nothing was appended; otherwise 0.
int FindZerosOfFunction(const CalculusFunction& f, double a, double b, int n, double tol,
                        std::vector<double>& zeros, int sameSignCode = ErrNoSolutions,
                        BlindSteps blindSteps = BlindSteps::Skip, const ZeroFound& found = {},
                        ScanNotes* notes = nullptr);
// A local minimum by bracketing from a, b and golden-section search (tol below 1e-15 means 1e-5).
// Returns 0 with xmin and fmin = f(xmin), or the error of f.
int FindMinimumOfFunction(const CalculusFunction& f, double a, double b, double tol, double& xmin,
                          double& fmin);
