#pragma once
// Student-t quantile and the functions it needs: regularised incomplete beta and its inverse,
// gamma, log-gamma and the normal quantile. This family reports failures through
// ReportMathError (a line on standard output) and a documented return value; it leaves errno as
// the caller set it. Its names follow their published originals and so sit in namespace tdist,
// where gamma cannot collide with the C runtime's function of that name.

namespace tdist {

// clang-format off
enum MathErrorKind : int {
    MathDomain = 1,
    MathSingularity = 2,
    MathOverflow = 3,
    MathUnderflow = 4,
    MathTotalLoss = 5,
    MathPartialLoss = 6,
};
// clang-format on

// Writes "\n<name> <kind> error\n" to standard output; returns 0.
int ReportMathError(const char* name, int kind);

// Horner value of coef[0..n] (coef[0] the highest power).
double EvaluatePolynomial(double x, const double* coef, int n);
// As EvaluatePolynomial with an implied leading coefficient 1 before coef[0..n−1].
double EvaluateMonicPolynomial(double x, const double* coef, int n);

// Γ(x); poles and x >= MAXGAM report and give ±MAXNUM; sets the sign read by LastGammaSign.
double gamma(double x);
// ln |Γ(x)|; poles and x > 2.556348e305 report overflow and give ±MAXNUM.
double lgam(double x);
// Sign (+1 or −1) of Γ at the last argument given to gamma or lgam.
int LastGammaSign();

// x with Φ(x) = y for 0 < y < 1; y <= 0 gives −MAXNUM and y >= 1 gives MAXNUM, with a domain
// report.
double ndtri(double y);

// I_x(a, b) for a, b > 0 and 0 <= x <= 1; outside that a domain report and 0; NaN gives NaN.
double incbet(double a, double b, double x);
// x with incbet(a, b, x) = y; y <= 0 gives 0, y >= 1 gives 1.
double incbi(double a, double b, double y);

// t with the Student-t distribution function of k degrees of freedom equal to p (negative for
// p < 0.5); k <= 0 or p outside (0, 1) give a domain report and 0; NaN gives NaN.
double stdtri(int k, double p);

} // namespace tdist
