#pragma once
// The rules of the evaluator's elementary operations, one definition each, shared by the tree
// walk and the compiled form. They are templates on the op id, so a caller that knows its
// operation gets it inlined, and one that does not dispatches over them (EvaluatorMath.cpp).
#include "engine/CalcEngine.h"
#include "engine/EngineErrors.h"
#include "engine/EvaluatorRounding.h"
#include "numeric/ExtendedPrecision.h"
#include "numeric/FloatRounding.h"
#include "numeric/NearestWholePower.h"
#include "numeric/UnderflowFlag.h"

#include <cerrno>
#include <cmath>

// Floating-point trouble of one operation, in the C runtime's terms: 0, EDOM, ERANGE, or any
// other number (a numerical-library or special-function failure).
struct MathStatus {
    int error = 0;
};

// Plain arithmetic: a NaN result (INF-INF) counts as a range error, as for the operators. LOGN
// is a quotient of two logarithms of positive numbers, so its NaN (LOGN(1, 1)) is one too.
constexpr bool IsArithmetic(int op)
{
    return (op >= OpAdd && op <= OpDivide) || op == OpPercent || op == OpAbs || op == OpSqr ||
           op == OpLogN || op == OpDeg || op == OpRad || (op >= OpSum && op <= OpMax);
}

// Operations whose result the runtime or the numerical library rounds (RunRounded); ^ rounds
// there only where its exponent is no small whole number (LibraryPower).
constexpr bool RoundsInLibrary(int op)
{
    return (op >= OpExp && op <= OpCot) || (op >= OpAsin && op <= OpLogN) ||
           (op >= OpAiryAi && op <= OpChi) || op == OpNormDist || op == OpBetaDist ||
           op == OpTDist || op == OpTInv;
}

// The tail of every operator node: a non-finite value is a range error (a domain error where a
// library function gave NaN); range errors clamp the value to +-1e300.
inline int FinishOperation(int op, int code, MathStatus status, double& value)
{
    if (code != 0)
        return code;
    if (g_nLibraryRounding != 0 && RoundsInLibrary(op)) [[unlikely]]
        value = RoundedLibraryResult(value);
    if (status.error == 0) {
        if (std::isfinite(value))
            return 0;
        status.error = (std::isnan(value) && !IsArithmetic(op)) ? EDOM : ERANGE;
    }
    if (status.error == EDOM)
        return ErrDomain;
    if (status.error == ERANGE) {
        value = (!std::isnan(value) && value < 0) ? -1e300 : 1e300;
        return ErrRange;
    }
    return ErrUnknown;
}

// Whether an operator node keeps the value its operation left: on success and on the trouble
// the tail maps (45, 46, 53); a code reported directly leaves the node's previous value.
constexpr bool OperationKeepsValue(int code)
{
    return code == 0 || code == ErrDomain || code == ErrRange || code == ErrUnknown;
}

// x^y for a whole y of at most 16 in size, without the library's pow.
constexpr bool IsSmallWholeExponent(double y) { return y == std::trunc(y) && std::fabs(y) <= 16.0; }

// 1/v where v may have overflowed (the hyperbolic secant of 800): the exact result is no 0, but
// 1/infinity raises no underflow, so it is raised here.
inline double FlagUnderflowedReciprocal(double v)
{
    const double r = 1.0 / v;
    if (r == 0.0)
        RaiseUnderflowFlag();
    return r;
}

// A result that rounded onto the limit its function only approaches (tanh(20) is 1 - 8e-18):
// what it lost is an underflow, which the flag tells as it tells exp(-1000) = 0 from an exact 0.
// A tanh may give that 1 however its operations round.
inline double FlagSaturated(double value, double limit)
{
    if (std::fabs(value) == limit)
        RaiseUnderflowFlag();
    return value;
}

// ExtendedWholePower(x, n, negative) for n from 2 to 16, out of line: the evaluation loops that
// take SmallWholePowerOf inline carry none of its code.
double DirectedWholePower(double x, unsigned n, bool negative);

// x^n (x^-n when negative) for n up to 16, the double nearest the exact power on every runtime:
// x^0, x^1, x^-1 and x^2 are one rounding in double precision, the others as NearestWholePower
// takes them. Rounded up or down (RunRounded), a power rounds as ExtendedWholePower's do.
inline double SmallWholePowerOf(double x, unsigned n, bool negative)
{
    if (n == 2 && !negative)
        return x * x;
    if (n < 2)
        return n == 0 ? 1.0 : negative ? FlagUnderflowedReciprocal(x) : x;
    if (g_bDirectedRounding) [[unlikely]]
        return DirectedWholePower(x, n, negative);
    return NearestWholePower(x, n, negative);
}

// A power of x != 0 is never 0: the library's 0 is an underflow, which raises the flag whatever
// library computed it.
inline double LibraryPower(double x, double y)
{
    const double value = std::pow(x, y);
    if (value == 0.0 && x != 0.0)
        RaiseUnderflowFlag();
    return g_nLibraryRounding != 0 ? RoundedLibraryResult(value) : value;
}

// a^b as the ^ operator computes it: small whole exponents as above, the rest by the library.
// The size is tested first, so that the conversion to int is defined.
inline double Power(double x, double y)
{
    if (std::fabs(y) <= 16.0) {
        const int k = int(y);
        if (double(k) == y)
            return SmallWholePowerOf(x, unsigned(k < 0 ? -k : k), k < 0);
    }
    return LibraryPower(x, y);
}

// int(v): truncation toward zero to a signed 32-bit integer; false for NaN or a value outside
// the 32-bit range (the caller reports 13 "Bad argument").
inline bool TruncateToInt32(double v, int& n)
{
    if (!(v > -2147483649.0 && v < 2147483648.0))
        return false;
    n = int(v);
    return true;
}

// n! for n = int(v) as the evaluator computes it: EDOM for n < 0, ERANGE for n >= 171.
double Factorial(int n, MathStatus& status);
// The next value of the program's own 15-bit generator (0..32767), the same on every runtime.
int NextRandom15();

// One operation of the arithmetic family over a (two values at least): 0 or a code reported
// directly (38, 39, 40, 13), the value set otherwise and trouble recorded in status.
template <int Op> inline int ArithmeticValue(const double* a, double& value, MathStatus& status)
{
    int n = 0;
    if constexpr (Op == OpAdd) {
        value = a[0] + a[1];
    } else if constexpr (Op == OpSubtract) {
        value = a[0] - a[1];
    } else if constexpr (Op == OpMultiply) {
        value = a[0] * a[1];
    } else if constexpr (Op == OpDivide) {
        if (a[1] == 0.0)
            return ErrDivisionByZero;
        value = a[0] / a[1];
    } else if constexpr (Op == OpPower) {
        value = Power(a[0], a[1]);
    } else if constexpr (Op == OpPercent) {
        value = a[0] * 0.01;
    } else if constexpr (Op == OpExp) {
        value = std::exp(a[0]);
    } else if constexpr (Op == OpAbs) {
        value = std::fabs(a[0]);
    } else if constexpr (Op == OpRand) {
        value = double(float(NextRandom15()) * 3.0518509e-05f);
    } else if constexpr (Op == OpSqr) {
        value = a[0] * a[0];
    } else if constexpr (Op == OpDeg) {
        value = a[0] * AngleUnitsPerRadian(AngleDegrees);
    } else if constexpr (Op == OpRad) {
        value = a[0] * RadiansPerAngleUnit(AngleDegrees);
    } else if constexpr (Op == OpMod) {
        value = std::fmod(a[0], a[1]);
    } else if constexpr (Op == OpLn || Op == OpLog) {
        if (a[0] <= 0.0)
            return ErrLogOfNonPositive;
        value = Op == OpLn ? std::log(a[0]) : std::log10(a[0]);
    } else if constexpr (Op == OpLogN) {
        if (a[0] <= 0.0 || a[1] <= 0.0)
            return ErrLogOfNonPositive;
        value = std::log(a[1]) / std::log(a[0]);
    } else if constexpr (Op == OpSqrt) {
        if (a[0] < 0.0)
            return ErrSqrtOfNegative;
        value = std::sqrt(a[0]);
    } else if constexpr (Op == OpInt || Op == OpFact) {
        if (!TruncateToInt32(a[0], n))
            return ErrBadArgument;
        value = Op == OpInt ? double(n) : Factorial(n, status);
    } else if constexpr (Op == OpCeil) {
        value = NumericCeil(a[0]);
    } else {
        static_assert(Op == OpFloor, "not an operation of the arithmetic family");
        value = NumericFloor(a[0]);
    }
    return 0;
}

// a^b for a small whole b = -n (negative) or n, known where the caller is compiled: the first
// branch of Power, with the tail.
inline int SmallWholePowerValue(double a, unsigned n, bool negative, double& value)
{
    value = SmallWholePowerOf(a, n, negative);
    return FinishOperation(OpPower, 0, MathStatus{}, value);
}

// The four arithmetic operators and ^ over the values of their two operands, tail included.
template <int Op> inline int OperatorValue(double a, double b, double& value)
{
    const double operands[2] = {a, b};
    MathStatus status;
    const int code = ArithmeticValue<Op>(operands, value, status);
    return FinishOperation(Op, code, status, value);
}

inline double ToRadians(double x, int angleMode)
{
    return angleMode == AngleRadians ? x : x * RadiansPerAngleUnit(angleMode);
}

inline double FromRadians(double x, int angleMode)
{
    return angleMode == AngleRadians ? x : x * AngleUnitsPerRadian(angleMode);
}

// Whether x lies on a multiple of pi (fmod(x, pi) == 0) or on an odd multiple of pi/2
// (fmod(x + pi/2, pi) == 0). Below pi in size fmod returns its argument, so only zero is on.
// From 16 on, x = M 2^e (e >= -48) holds pi = m 2^-48 (m odd) a whole number of times exactly
// when m divides M: asked so of the 53-bit M, since fmod(x, pi) takes a step per bit of x/pi.
inline bool OnMultipleOfPi(double x)
{
    constexpr double kPi = 3.141592653589793;
    constexpr double kOddPi = kPi * 0x1p48;
    const double size = std::fabs(x);
    if (size < kPi)
        return x == 0.0;
    if (size < 16.0 || !std::isfinite(size))
        return std::fmod(x, kPi) == 0.0;
    int exponent = 0;
    return std::fmod(std::ldexp(std::frexp(size, &exponent), 53), kOddPi) == 0.0;
}

inline bool OnOddHalfPi(double x) { return OnMultipleOfPi(x + 1.5707963267948966); }

// SIN .. COT of x in radians. Multiples of pi and odd multiples of pi/2 give exact zeros and
// poles, so SIN(180) in degrees is 0 and TAN(90) is a range error rather than 1.6e16.
template <int Op> inline double CircularValue(double x)
{
    constexpr double kInfinity = HUGE_VAL;
    if constexpr (Op == OpSin)
        return OnMultipleOfPi(x) ? 0.0 : std::sin(x);
    else if constexpr (Op == OpCos)
        return OnOddHalfPi(x) ? 0.0 : std::cos(x);
    else if constexpr (Op == OpTan)
        return OnMultipleOfPi(x) ? 0.0 : OnOddHalfPi(x) ? kInfinity : std::tan(x);
    else if constexpr (Op == OpSec)
        return OnOddHalfPi(x) ? kInfinity : 1.0 / std::cos(x);
    else if constexpr (Op == OpCsc)
        return OnMultipleOfPi(x) ? kInfinity : 1.0 / std::sin(x);
    else
        return OnMultipleOfPi(x) ? kInfinity : OnOddHalfPi(x) ? 0.0 : 1.0 / std::tan(x); // OpCot
}

// The inverse circular functions in radians, and the hyperbolic functions and their inverses;
// the library's inverse functions stay finite where the textbook logarithm formulas overflow.
template <int Op> inline double CircularOrHyperbolicValue(double x)
{
    if constexpr (Op == OpAsin)
        return std::asin(x);
    else if constexpr (Op == OpAcos)
        return std::acos(x);
    else if constexpr (Op == OpAtan)
        return std::atan(x);
    else if constexpr (Op == OpAsec)
        return std::acos(1.0 / x);
    else if constexpr (Op == OpAcsc)
        return std::asin(1.0 / x);
    else if constexpr (Op == OpAcot)
        return std::atan(1.0 / x);
    else if constexpr (Op == OpSinh)
        return std::sinh(x);
    else if constexpr (Op == OpCosh)
        return std::cosh(x);
    else if constexpr (Op == OpTanh)
        return FlagSaturated(std::tanh(x), 1.0);
    else if constexpr (Op == OpSech)
        return FlagUnderflowedReciprocal(std::cosh(x));
    else if constexpr (Op == OpCsch)
        return FlagUnderflowedReciprocal(std::sinh(x));
    else if constexpr (Op == OpCoth)
        return FlagSaturated(1.0 / std::tanh(x), 1.0);
    else if constexpr (Op == OpAsinh)
        return std::asinh(x);
    else if constexpr (Op == OpAcosh)
        return std::acosh(x);
    else if constexpr (Op == OpAtanh)
        return std::atanh(x);
    else if constexpr (Op == OpAsech)
        return std::acosh(1.0 / x);
    else if constexpr (Op == OpAcsch)
        return std::asinh(1.0 / x);
    else
        return std::atanh(1.0 / x); // OpAcoth
}

// One operation of the trigonometric family on a0 in the angle mode: circular functions take
// their argument into radians (in place), the inverse ones give their result in the mode.
template <int Op> inline double TrigonometricValue(int angleMode, double& a0)
{
    if constexpr (Op >= OpSin && Op <= OpCot) {
        a0 = ToRadians(a0, angleMode);
        return CircularValue<Op>(a0);
    } else if constexpr (Op >= OpAsin && Op <= OpAcot) {
        return FromRadians(CircularOrHyperbolicValue<Op>(a0), angleMode);
    } else {
        static_assert(Op >= OpSinh && Op <= OpAcoth, "not a trigonometric operation");
        return CircularOrHyperbolicValue<Op>(a0);
    }
}
