// The C runtime's mathematical functions as every program that links the numerical library calls
// them: the link routes each name below to __wrap_<name> here (numeric/CMakeLists.txt), from the
// program's own code and from the libraries it links statically (GSL on Windows). Each keeps the
// runtime's result where that is accurate and otherwise takes the runtime's extended-precision
// function or the toolchain's quad-precision library, rounded once to double. On Windows every
// one of them is linked into the program, none taken from the system's runtime library, and each
// result that relies on the x87 unit's precision sets it (numeric/ExtendedPrecision.h). The truth
// tables in tests/numeric/RuntimeMathTest.cpp hold the limits.
#include "numeric/ExtendedPrecision.h"
#include "numeric/UnderflowFlag.h"

#include <cerrno>
#include <cmath>

extern "C" {
// libquadmath, declared here because clang does not read GCC's quadmath.h.
__float128 sinq(__float128);
__float128 cosq(__float128);
__float128 tanq(__float128);
void sincosq(__float128, __float128*, __float128*);

double __real_sin(double);
double __real_cos(double);
void __real_sincos(double, double*, double*);

double __wrap_sin(double x);
double __wrap_cos(double x);
void __wrap_sincos(double x, double* s, double* c);
double __wrap_tan(double x);
double __wrap_sinh(double x);
double __wrap_cosh(double x);
double __wrap_tanh(double x);
double __wrap_log10(double x);
double __wrap_asinh(double x);
double __wrap_acosh(double x);
double __wrap_atanh(double x);

#ifdef _WIN32
__float128 powq(__float128, __float128);
__float128 asinq(__float128);
__float128 acosq(__float128);
double __real_pow(double, double);
double __real_exp(double);
double __real_expm1(double);
double __real_log1p(double);
double __wrap_pow(double x, double y);
double __wrap_exp(double x);
double __wrap_expm1(double x);
double __wrap_log1p(double x);
double __wrap_asin(double x);
double __wrap_acos(double x);
double __wrap_atan(double x);
double __wrap_hypot(double x, double y);
double __wrap_nextafter(double x, double y);
#else
double __real_tan(double);
#endif
}

namespace {

// f in extended precision, rounded once to double: within a few 2^-64 of the truth where the
// runtime's long double function is accurate, so within 0.51 ulp.
template <long double (*F)(long double)> double Extended(double x)
{
    return InExtendedPrecision([](double v) { return double(F(v)); }, x);
}

#ifdef _WIN32
// The x87 unit reduces by a 66-bit pi, off by about |x| 2^-69 in the reduced argument: a result
// of at least |x| 2^-11 is off by under 1/20 ulp for it, and beyond 2048 none is that large. A
// tangent t is off by |t| + 1/|t| times as much.
constexpr double kRuntimeReach = 2048.0;
bool RuntimeKeeps(double x, double r) { return std::fabs(r) >= std::fabs(x) * 0x1p-11; }
bool TangentKeeps(double x, double t)
{
    const double a = std::fabs(t);
    return std::fabs(x) * (a * a + 1.0) <= 0x1p11 * a;
}
double RuntimeTangent(double x) { return Extended<tanl>(x); }
#else
// glibc reduces accurately below 105414350 and to about 2^-92 absolute above: there a result of
// at least 2^-30, or a tangent of at most 2^30 near a pole, is off by under 2^-9 ulp for it.
constexpr double kRuntimeReach = HUGE_VAL;
bool RuntimeKeeps(double x, double r)
{
    return std::fabs(x) < 105414350.0 || (std::fabs(r) >= 0x1p-30 && std::fabs(r) <= 0x1p30);
}
bool TangentKeeps(double x, double t) { return RuntimeKeeps(x, t); }
double RuntimeTangent(double x) { return __real_tan(x); }
#endif

template <double (*Runtime)(double), __float128 (*Quad)(__float128),
          bool (*Keeps)(double, double) = RuntimeKeeps>
double Circular(double x)
{
    if (!std::isfinite(x))
        return Runtime(x);
    if (std::fabs(x) <= kRuntimeReach) {
        const double r = Runtime(x);
        if (Keeps(x, r))
            return r;
    }
    return double(Quad(x));
}

} // namespace

double __wrap_sin(double x) { return Circular<__real_sin, sinq>(x); }

double __wrap_cos(double x) { return Circular<__real_cos, cosq>(x); }

// The compiler turns a sin and a cos of one argument into this call.
void __wrap_sincos(double x, double* s, double* c)
{
    if (!std::isfinite(x) || std::fabs(x) <= kRuntimeReach) {
        __real_sincos(x, s, c);
        if (!std::isfinite(x) || (RuntimeKeeps(x, *s) && RuntimeKeeps(x, *c)))
            return;
    }
    __float128 qs, qc;
    sincosq(x, &qs, &qc);
    *s = double(qs);
    *c = double(qc);
}

double __wrap_tan(double x) { return Circular<RuntimeTangent, tanq, TangentKeeps>(x); }

// In extended precision in both builds: glibc's double versions are up to 2 ulp off (tanh 1.8 ulp
// near 0.55, log10 1.4 ulp near 1), and Windows has them only in the system's runtime library.
double __wrap_sinh(double x) { return Extended<sinhl>(x); }

double __wrap_cosh(double x) { return Extended<coshl>(x); }

double __wrap_tanh(double x) { return Extended<tanhl>(x); }

double __wrap_log10(double x) { return Extended<log10l>(x); }

// The inverse hyperbolic functions, the same in both builds: glibc's are up to 1.4 ulp off and
// the Windows runtime's atanh 2.1 ulp. Each is a logarithm ln(1 + u) of a u >= 0 computed in
// extended precision, where an error in u moves the result by at most as much relatively, and
// whose squares neither overflow nor underflow for any double. The sign is taken off first:
// near -1 the logarithm's argument would cancel. Domain and pole errors set errno as the
// runtime does.
namespace {
double DomainError()
{
    errno = EDOM;
    return NAN;
}

double PoleError(double x)
{
    errno = ERANGE;
    return std::copysign(HUGE_VAL, x);
}
} // namespace

double __wrap_asinh(double x)
{
    if (!std::isfinite(x) || x == 0.0)
        return x + x; // infinities and zeros keep their sign, NaN stays NaN
    return InExtendedPrecision(
        [](double v) {
            const long double a = std::fabs(v), square = a * a;
            const long double u = a + square / (1.0L + std::sqrt(1.0L + square));
            return std::copysign(double(std::log1p(u)), v);
        },
        x);
}

double __wrap_acosh(double x)
{
    if (std::isnan(x))
        return x + x;
    if (x < 1.0)
        return DomainError();
    if (x == HUGE_VAL)
        return x;
    return InExtendedPrecision(
        [](double v) {
            const long double t = static_cast<long double>(v) - 1.0L;
            return double(std::log1p(t + std::sqrt(t * (t + 2.0L))));
        },
        x);
}

double __wrap_atanh(double x)
{
    const double a = std::fabs(x);
    if (std::isnan(x) || x == 0.0)
        return x + x;
    if (a > 1.0)
        return DomainError();
    if (a == 1.0)
        return PoleError(x);
    return InExtendedPrecision(
        [](double v) {
            const long double b = std::fabs(v);
            return std::copysign(double(0.5L * std::log1p(2.0L * b / (1.0L - b))), v);
        },
        x);
}

#ifdef _WIN32
namespace {
// The runtime's own function where its result depends on the x87 precision.
template <double (*F)(double)> double AtExtendedPrecision(double x)
{
    return InExtendedPrecision(F, x);
}
} // namespace

// The runtime multiplies a whole exponent out in double precision, its error growing with the
// exponent (1e5 ulp in 1.0001^1000000); x^-1, x^0, x^1 and x^2 are one rounding, and other
// exponents it takes accurately through logarithms in extended precision. Up to the 64th power a
// whole power is multiplied out in extended precision, beyond it the quad library takes it.
double __wrap_pow(double x, double y)
{
    const bool multipliedOut =
        y == std::trunc(y) && y >= -2147483648.0 && y < 2147483648.0 && !(y >= -1.0 && y <= 2.0);
    if (!multipliedOut || !std::isfinite(x) || x == 0.0)
        return InExtendedPrecision(__real_pow, x, y);
    if (std::fabs(y) <= 64.0)
        return ExtendedWholePower(x, unsigned(std::fabs(y)), y < 0);
    return double(powq(x, y));
}

// The runtime's exp gives 0 below -745.13 without raising the underflow flag, which tells such a
// 0 from an exact one (numeric/UnderflowFlag.h).
double __wrap_exp(double x)
{
    const double y = AtExtendedPrecision<__real_exp>(x);
    if (y == 0.0 && x != -HUGE_VAL)
        RaiseUnderflowFlag();
    return y;
}

double __wrap_expm1(double x) { return AtExtendedPrecision<__real_expm1>(x); }

double __wrap_log1p(double x) { return AtExtendedPrecision<__real_log1p>(x); }

// The extended arcsine and arccosine take the square root of 1 - x^2 from a rounded square,
// which loses digits within 1% of +-1 (2e5 ulp in acos(1 - 2^-34)): there the quad library.
double __wrap_asin(double x)
{
    return std::fabs(x) <= 0.99 ? Extended<asinl>(x) : double(asinq(x));
}

double __wrap_acos(double x)
{
    return std::fabs(x) <= 0.99 ? Extended<acosl>(x) : double(acosq(x));
}

double __wrap_atan(double x) { return Extended<atanl>(x); }

double __wrap_hypot(double x, double y)
{
    return InExtendedPrecision([](double a, double b) { return double(hypotl(a, b)); }, x, y);
}

// Exact: the neighbour of x towards y, which a long double holds exactly.
double __wrap_nextafter(double x, double y) { return nexttoward(x, static_cast<long double>(y)); }
#endif
