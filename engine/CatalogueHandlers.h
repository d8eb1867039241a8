#pragma once
#include "engine/FunctionCatalogue.h"

class CExprNode;

// The catalogue's own form of a built-in function (the handler column of its rows): the row's
// arguments as doubles in the order of its argument template (omitted optional ones passed as
// 0), the value returned. Integer arguments are truncated toward zero and saturated to 32 bits;
// trigonometric ones are in radians. Failures are reported the numerical library's way, in
// errno. EXP, LN and SQR also serve the linear curve fit as transforms.
namespace catalogue {
double Fact(const double* a);
double Exp(const double* a);
double Ln(const double* a);
double Log10(const double* a);
double Abs(const double* a);
double Sqrt(const double* a);
double Sqr(const double* a);
double IntPart(const double* a);
double Ceil(const double* a);
double Floor(const double* a);
double Rad(const double* a);
double Deg(const double* a);
double LogN(const double* a);
double Mod(const double* a);
double Sin(const double* a);
double Cos(const double* a);
double Tan(const double* a);
double Sec(const double* a);
double Csc(const double* a);
double Cot(const double* a);
double Asin(const double* a);
double Acos(const double* a);
double Atan(const double* a);
double Asec(const double* a);
double Acsc(const double* a);
double Acot(const double* a);
double Sinh(const double* a);
double Cosh(const double* a);
double Tanh(const double* a);
double Sech(const double* a);
double Csch(const double* a);
double Coth(const double* a);
double Asinh(const double* a);
double Acosh(const double* a);
double Atanh(const double* a);
double Asech(const double* a);
double Acsch(const double* a);
double Acoth(const double* a);
double PV(const double* a);
double FV(const double* a);
double PMT(const double* a);
double NPER(const double* a);
double Rate(const double* a);
double EFR(const double* a);
double APR(const double* a);
double AiryAi(const double* a);
double AiryBi(const double* a);
double Bico(const double* a);
double Beta(const double* a);
double BetaI(const double* a);
double BesselJ(const double* a);
double BesselY(const double* a);
double BesselK(const double* a);
double BesselI(const double* a);
double BesselJs(const double* a);
double BesselYs(const double* a);
double EllipticRF(const double* a);
double EllipticRD(const double* a);
double EllipticRJ(const double* a);
double EllipticRC(const double* a);
double Dawson(const double* a);
double EllipticF(const double* a);
double EllipticE(const double* a);
double EllipticP(const double* a);
double EllipticSn(const double* a);
double EllipticCn(const double* a);
double EllipticDn(const double* a);
double Erf(const double* a);
double Erfc(const double* a);
double ExpEi(const double* a);
double FactLn(const double* a);
double FresnelS(const double* a);
double FresnelC(const double* a);
double GammaLn(const double* a);
double GammaP(const double* a);
double GammaQ(const double* a);
double CosInt(const double* a);
double SinInt(const double* a);
double And(const double* a);
double Or(const double* a);
double Xor(const double* a);
double Not(const double* a);
double LShift(const double* a);
double RShift(const double* a);
} // namespace catalogue

// The handler of the catalogue row with this name (no case), or null for the rows that only the
// evaluator can serve (constants, statistics, lists, conversions, plots, FSUM, and the solver
// rows, whose first argument is an expression: see below).
CatalogueHandler FindCatalogueHandler(const char* name);

// The solver rows take the expression node of their first argument. Each leaves its error code
// (0 on success) in GetLastHandlerError and returns 0 on failure.
// Definite integral of f over [a, b].
double HandleFInt(CExprNode& f, double a, double b);
// Numerical derivative of f at x, to the relative accuracy 1e-5.
double HandleFDiff(CExprNode& f, double x);
// A zero of f in [a, b], to the tolerance 1e-5.
double HandleFZero(CExprNode& f, double a, double b);
int GetLastHandlerError();

// x truncated toward zero into a 32-bit int, saturated at the ends of the range; NaN gives 0.
int TruncateToInt32(double x);
