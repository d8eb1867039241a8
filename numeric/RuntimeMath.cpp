// The C runtime's functions that fall short of an ulp or so on some build, as every program that
// links the numerical library calls them: the link routes each name below to __wrap_<name> here
// (numeric/CMakeLists.txt), from the program's own code and from the libraries it links
// statically (GSL on Windows). Each keeps the runtime's result where that is accurate and
// otherwise takes the toolchain's quad-precision library, rounded once to double; exp only
// raises the underflow flag the Windows runtime leaves down. The truth tables in
// tests/numeric/RuntimeMathTest.cpp hold the limits.
#include "numeric/ExtendedPrecision.h"
#include "numeric/UnderflowFlag.h"

#include <cmath>

extern "C" {
// libquadmath, declared here because clang does not read GCC's quadmath.h.
__float128 sinq(__float128);
__float128 cosq(__float128);
void sincosq(__float128, __float128*, __float128*);

double __real_sin(double);
double __real_cos(double);
void __real_sincos(double, double*, double*);

double __wrap_sin(double x);
double __wrap_cos(double x);
void __wrap_sincos(double x, double* s, double* c);

#ifdef _WIN32
__float128 powq(__float128, __float128);
__float128 acoshq(__float128);
double __real_pow(double, double);
double __real_acosh(double);
double __real_exp(double);
double __wrap_pow(double x, double y);
double __wrap_acosh(double x);
double __wrap_exp(double x);
#else
__float128 tanq(__float128);
double __real_tan(double);
double __wrap_tan(double x);
#endif
}

namespace {

#ifdef _WIN32
// The x87 unit reduces by a 66-bit pi, off by about |x| 2^-69 in the reduced argument: a result
// of at least |x| 2^-11 is off by under 1/20 ulp for it, and beyond 2048 none is that large.
constexpr double kRuntimeReach = 2048.0;
bool RuntimeKeeps(double x, double r) { return std::fabs(r) >= std::fabs(x) * 0x1p-11; }
#else
// glibc reduces accurately below 105414350 and to about 2^-92 absolute above: there a result of
// at least 2^-30, or a tangent of at most 2^30 near a pole, is off by under 2^-9 ulp for it.
constexpr double kRuntimeReach = HUGE_VAL;
bool RuntimeKeeps(double x, double r)
{
    return std::fabs(x) < 105414350.0 || (std::fabs(r) >= 0x1p-30 && std::fabs(r) <= 0x1p30);
}
#endif

template <double (*Runtime)(double), __float128 (*Quad)(__float128)> double Circular(double x)
{
    if (!std::isfinite(x))
        return Runtime(x);
    if (std::fabs(x) <= kRuntimeReach) {
        const double r = Runtime(x);
        if (RuntimeKeeps(x, r))
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

#ifdef _WIN32
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

// The runtime's ln(x + sqrt(x^2 - 1)) cancels below 2 (2.5e7 ulp at 1 + 2^-52).
double __wrap_acosh(double x) { return x > 1.0 && x < 2.0 ? double(acoshq(x)) : __real_acosh(x); }

// The runtime's exp gives 0 below -745.13 without raising the underflow flag, which tells such a
// 0 from an exact one (numeric/UnderflowFlag.h).
double __wrap_exp(double x)
{
    const double y = __real_exp(x);
    if (y == 0.0 && x != -HUGE_VAL)
        RaiseUnderflowFlag();
    return y;
}
#else
double __wrap_tan(double x) { return Circular<__real_tan, tanq>(x); }
#endif
