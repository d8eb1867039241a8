// The handler column of the built-in catalogue: one small wrapper per function over the same
// numerical routines the evaluator uses.
#include "engine/CatalogueHandlers.h"
#include "engine/CalcEngine.h"
#include "engine/CompiledExpression.h"
#include "engine/Finance.h"
#include "engine/FunctionCatalogue.h"
#include "engine/NumericCalculus.h"
#include "numeric/Airy.h"
#include "numeric/Bessel.h"
#include "numeric/BetaFamily.h"
#include "numeric/Elliptic.h"
#include "numeric/ExponentialIntegrals.h"
#include "numeric/FloatRounding.h"
#include "numeric/GammaFamily.h"

#include <cerrno>
#include <climits>
#include <cmath>
#include <cstdint>

namespace {

int g_LastHandlerError = 0;

constexpr double kRadiansPerDegree = 0.017453292519943295;
constexpr double kDegreesPerRadian = 57.29577951308232;
constexpr double kHandlerTolerance = 1e-5;
constexpr double kDefaultRateGuess = 0.01;
constexpr int kLargestFactorial = 170;

int Int(double x) { return TruncateToInt32(x); }
// Optional periods per year: 0 means monthly.
double PeriodsPerYear(double n) { return n == 0 ? 12 : n; }

// The integer-order routines start at order 2; orders 0 and 1 have their own, and a negative
// order mirrors a positive one ((-1)^n for J and Y, unchanged for I and K).
double OrderSign(int n) { return n % 2 == 0 ? 1.0 : -1.0; }
double BesselJOfOrder(int n, double x)
{
    if (n < 0)
        return n == INT_MIN ? BesselJOfOrder(INT_MAX, x) : OrderSign(n) * BesselJOfOrder(-n, x);
    return n == 0 ? BesselJ0(x) : n == 1 ? BesselJ1(x) : BesselJn(n, x);
}
double BesselYOfOrder(int n, double x)
{
    if (n < 0)
        return n == INT_MIN ? BesselYOfOrder(INT_MAX, x) : OrderSign(n) * BesselYOfOrder(-n, x);
    return n == 0 ? BesselY0(x) : n == 1 ? BesselY1(x) : BesselYn(n, x);
}
double BesselIOfOrder(int n, double x)
{
    if (n < 0)
        n = n == INT_MIN ? INT_MAX : -n;
    return n == 0 ? BesselI0(x) : n == 1 ? BesselI1(x) : BesselIn(n, x);
}
double BesselKOfOrder(int n, double x)
{
    if (n < 0)
        n = n == INT_MIN ? INT_MAX : -n;
    return n == 0 ? BesselK0(x) : n == 1 ? BesselK1(x) : BesselKn(n, x);
}

// The catalogue writes (u, k); the routine takes the complementary parameter 1 - k^2.
void Jacobi(const double* a, double& sn, double& cn, double& dn)
{
    sn = cn = dn = 0;
    JacobiEllipticSnCnDn(a[0], 1 - a[1] * a[1], &sn, &cn, &dn);
}

// Bit patterns of 32-bit integers for the bit-wise rows.
std::uint32_t Bits(double x) { return std::uint32_t(Int(x)); }
double Signed(std::uint32_t bits) { return double(std::int32_t(bits)); }

double Finish(int code, double value)
{
    g_LastHandlerError = code;
    return code == 0 ? value : 0;
}

} // namespace

namespace catalogue {

double Fact(const double* a)
{
    const int n = Int(a[0]);
    if (n < 0) {
        errno = EDOM;
        return 0;
    }
    if (n > kLargestFactorial) {
        errno = ERANGE;
        return 0;
    }
    double product = 1;
    for (int k = 2; k <= n; ++k)
        product *= k;
    return product;
}

double Log10(const double* a) { return std::log10(a[0]); }
double Abs(const double* a) { return std::fabs(a[0]); }
double Sqrt(const double* a) { return std::sqrt(a[0]); }
double IntPart(const double* a) { return double(Int(a[0])); }
double Ceil(const double* a) { return NumericCeil(a[0]); }
double Floor(const double* a) { return NumericFloor(a[0]); }
double Rad(const double* a) { return a[0] * kRadiansPerDegree; }
double Deg(const double* a) { return a[0] * kDegreesPerRadian; }
double LogN(const double* a) { return std::log(a[1]) / std::log(a[0]); }
double Mod(const double* a) { return std::fmod(a[0], a[1]); }

double Sin(const double* a) { return std::sin(a[0]); }
double Cos(const double* a) { return std::cos(a[0]); }
double Tan(const double* a) { return std::tan(a[0]); }
double Sec(const double* a) { return 1 / std::cos(a[0]); }
double Csc(const double* a) { return 1 / std::sin(a[0]); }
double Cot(const double* a) { return 1 / std::tan(a[0]); }
double Asin(const double* a) { return std::asin(a[0]); }
double Acos(const double* a) { return std::acos(a[0]); }
double Atan(const double* a) { return std::atan(a[0]); }
double Asec(const double* a) { return std::acos(1 / a[0]); }
double Acsc(const double* a) { return std::asin(1 / a[0]); }
double Acot(const double* a) { return std::atan(1 / a[0]); }

double Sinh(const double* a) { return std::sinh(a[0]); }
double Cosh(const double* a) { return std::cosh(a[0]); }
double Tanh(const double* a) { return std::tanh(a[0]); }
double Sech(const double* a) { return 1 / std::cosh(a[0]); }
double Csch(const double* a) { return 1 / std::sinh(a[0]); }
double Coth(const double* a) { return 1 / std::tanh(a[0]); }
// The library forms stay finite where ln(x + sqrt(x*x + 1)) cancels or overflows.
double Asinh(const double* a) { return std::asinh(a[0]); }
double Acosh(const double* a) { return std::acosh(a[0]); }
double Atanh(const double* a) { return std::atanh(a[0]); }
double Asech(const double* a) { return std::acosh(1 / a[0]); }
double Acsch(const double* a) { return std::asinh(1 / a[0]); }
double Acoth(const double* a) { return std::atanh(1 / a[0]); }

double PV(const double* a) { return CalcPV(a[0], a[1], a[2], a[3], Int(a[4])); }
double FV(const double* a) { return CalcFV(a[0], a[1], a[2], a[3], Int(a[4])); }
double PMT(const double* a) { return CalcPMT(a[0], a[1], a[2], a[3], Int(a[4])); }
double NPER(const double* a) { return CalcNPER(a[0], a[1], a[2], a[3], Int(a[4])); }
double Rate(const double* a)
{
    double rate = 0;
    const double guess = a[5] == 0 ? kDefaultRateGuess : a[5];
    if (CalcRate(rate, a[0], a[1], a[2], a[3], Int(a[4]), guess) != 0)
        return 0;
    return rate;
}
double EFR(const double* a) { return CalcEFR(a[0], PeriodsPerYear(a[1])); }
double APR(const double* a) { return CalcAPR(a[0], PeriodsPerYear(a[1])); }

double AiryAi(const double* a)
{
    double ai = 0, bi = 0, aip = 0, bip = 0;
    AiryFunctions(a[0], &ai, &bi, &aip, &bip);
    return ai;
}
double AiryBi(const double* a)
{
    double ai = 0, bi = 0, aip = 0, bip = 0;
    AiryFunctions(a[0], &ai, &bi, &aip, &bip);
    return bi;
}
double Bico(const double* a) { return BinomialCoefficient(Int(a[0]), Int(a[1])); }
double Beta(const double* a) { return BetaFunction(a[0], a[1]); }
double BetaI(const double* a) { return IncompleteBeta(a[0], a[1], a[2]); }
double BesselJ(const double* a) { return BesselJOfOrder(Int(a[0]), a[1]); }
double BesselY(const double* a) { return BesselYOfOrder(Int(a[0]), a[1]); }
double BesselK(const double* a) { return BesselKOfOrder(Int(a[0]), a[1]); }
double BesselI(const double* a) { return BesselIOfOrder(Int(a[0]), a[1]); }
double BesselJs(const double* a)
{
    double sj = 0, sy = 0, sjp = 0, syp = 0;
    SphericalBessel(Int(a[0]), a[1], &sj, &sy, &sjp, &syp);
    return sj;
}
double BesselYs(const double* a)
{
    double sj = 0, sy = 0, sjp = 0, syp = 0;
    SphericalBessel(Int(a[0]), a[1], &sj, &sy, &sjp, &syp);
    return sy;
}
double EllipticRF(const double* a) { return CarlsonRF(a[0], a[1], a[2]); }
double EllipticRD(const double* a) { return CarlsonRD(a[0], a[1], a[2]); }
double EllipticRJ(const double* a) { return CarlsonRJ(a[0], a[1], a[2], a[3]); }
double EllipticRC(const double* a) { return CarlsonRC(a[0], a[1]); }
double Dawson(const double* a) { return DawsonIntegral(a[0]); }
double EllipticF(const double* a) { return LegendreEllipticF(a[0], a[1]); }
double EllipticE(const double* a) { return LegendreEllipticE(a[0], a[1]); }
double EllipticP(const double* a) { return LegendreEllipticPi(a[0], a[1], a[2]); }
double EllipticSn(const double* a)
{
    double sn, cn, dn;
    Jacobi(a, sn, cn, dn);
    return sn;
}
double EllipticCn(const double* a)
{
    double sn, cn, dn;
    Jacobi(a, sn, cn, dn);
    return cn;
}
double EllipticDn(const double* a)
{
    double sn, cn, dn;
    Jacobi(a, sn, cn, dn);
    return dn;
}
double Erf(const double* a) { return ErrorFunction(a[0]); }
double Erfc(const double* a) { return ComplementaryErrorFunction(a[0]); }
double ExpEi(const double* a) { return ExponentialIntegralEi(a[0]); }
double FactLn(const double* a) { return LogFactorial(Int(a[0])); }
double FresnelS(const double* a)
{
    double s = 0, c = 0;
    FresnelIntegrals(a[0], &s, &c);
    return s;
}
double FresnelC(const double* a)
{
    double s = 0, c = 0;
    FresnelIntegrals(a[0], &s, &c);
    return c;
}
double GammaLn(const double* a) { return LogGamma(a[0]); }
double GammaP(const double* a) { return IncompleteGammaP(a[0], a[1]); }
double GammaQ(const double* a) { return IncompleteGammaQ(a[0], a[1]); }
double CosInt(const double* a)
{
    double ci = 0, si = 0;
    CosineSineIntegrals(a[0], &ci, &si);
    return ci;
}
double SinInt(const double* a)
{
    double ci = 0, si = 0;
    CosineSineIntegrals(a[0], &ci, &si);
    return si;
}

// Shift counts are taken modulo 32.
double And(const double* a) { return Signed(Bits(a[0]) & Bits(a[1])); }
double Or(const double* a) { return Signed(Bits(a[0]) | Bits(a[1])); }
double Xor(const double* a) { return Signed(Bits(a[0]) ^ Bits(a[1])); }
double Not(const double* a) { return Signed(~Bits(a[0])); }
double LShift(const double* a) { return Signed(Bits(a[0]) << (Bits(a[1]) & 31)); }
double RShift(const double* a)
{
    const std::int32_t value = std::int32_t(Bits(a[0]));
    const unsigned count = Bits(a[1]) & 31;
    // Arithmetic shift written out: the sign bit is copied into the vacated places.
    return double(value < 0 ? ~(~value >> count) : value >> count);
}

} // namespace catalogue

int TruncateToInt32(double x)
{
    if (std::isnan(x))
        return 0;
    if (x >= double(INT_MAX))
        return INT_MAX;
    if (x <= double(INT_MIN))
        return INT_MIN;
    return int(x);
}

double catalogue::Exp(const double* args) { return std::exp(args[0]); }
double catalogue::Ln(const double* args) { return std::log(args[0]); }
double catalogue::Sqr(const double* args) { return args[0] * args[0]; }

CatalogueHandler FindCatalogueHandler(const char* name)
{
    const int row = FindFunctionEntry(name);
    return row < 0 ? nullptr : GetFunctionEntry(row).handler;
}

double HandleFInt(CExprNode& f, double a, double b)
{
    const double tolerance =
        f.m_pOwner ? f.m_pOwner->m_SolverFormat.m_dRoundingUnit : kHandlerTolerance;
    double result = 0;
    CCompiledExpression program(f);
    const int code = IntegrateFunction(FunctionOfX(program), a, b, tolerance, result);
    return Finish(code, result);
}

double HandleFDiff(CExprNode& f, double x)
{
    double tolerance = kHandlerTolerance;
    double result = 0;
    CCompiledExpression program(f);
    const int code = DifferentiateFunction(FunctionOfX(program), x, result, tolerance);
    return Finish(code, result);
}

double HandleFZero(CExprNode& f, double a, double b)
{
    double root = 0;
    CCompiledExpression program(f);
    const int code = FindZeroOfFunction(FunctionOfX(program), a, b, kHandlerTolerance, root);
    return Finish(code, root);
}

int GetLastHandlerError() { return g_LastHandlerError; }
