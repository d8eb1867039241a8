// Arithmetic, elementary and trigonometric operations of the evaluator.
#include "engine/CalcEngine.h"
#include "engine/EngineErrors.h"
#include "engine/EvaluatorOperations.h"
#include "numeric/FloatRounding.h"

#include <cerrno>
#include <cmath>
#include <cstdint>

namespace {

constexpr double kPi = 3.141592653589793;
constexpr double kHalfPi = 1.5707963267948966;
constexpr double kInfinity = HUGE_VAL;

double ToRadians(double x, int angleMode)
{
    return angleMode == AngleRadians ? x : x * RadiansPerAngleUnit(angleMode);
}

double FromRadians(double x, int angleMode)
{
    return angleMode == AngleRadians ? x : x * AngleUnitsPerRadian(angleMode);
}

// Multiples of pi and odd multiples of pi/2 give exact zeros and poles, so SIN(180) in degrees
// is 0 and TAN(90) is a range error rather than 1.6e16.
double CircularFunction(int op, double x)
{
    auto onAxis = [x] { return std::fmod(x, kPi) == 0.0; };              // sin x = 0
    auto onQuarter = [x] { return std::fmod(x + kHalfPi, kPi) == 0.0; }; // cos x = 0
    switch (op) {
    case OpSin:
        return onAxis() ? 0.0 : std::sin(x);
    case OpCos:
        return onQuarter() ? 0.0 : std::cos(x);
    case OpTan:
        return onAxis() ? 0.0 : onQuarter() ? kInfinity : std::tan(x);
    case OpSec:
        return onQuarter() ? kInfinity : 1.0 / std::cos(x);
    case OpCsc:
        return onAxis() ? kInfinity : 1.0 / std::sin(x);
    default:
        return onAxis() ? kInfinity : onQuarter() ? 0.0 : 1.0 / std::tan(x); // OpCot
    }
}

double InverseCircularFunction(int op, double x)
{
    switch (op) {
    case OpAsin:
        return std::asin(x);
    case OpAcos:
        return std::acos(x);
    case OpAtan:
        return std::atan(x);
    case OpAsec:
        return std::acos(1.0 / x);
    case OpAcsc:
        return std::asin(1.0 / x);
    default:
        return std::atan(1.0 / x); // OpAcot
    }
}

// The library's inverse functions stay finite where the textbook logarithm formulas overflow.
double HyperbolicFunction(int op, double x)
{
    switch (op) {
    case OpSinh:
        return std::sinh(x);
    case OpCosh:
        return std::cosh(x);
    case OpTanh:
        return std::tanh(x);
    case OpSech:
        return 1.0 / std::cosh(x);
    case OpCsch:
        return 1.0 / std::sinh(x);
    case OpCoth:
        return 1.0 / std::tanh(x);
    case OpAsinh:
        return std::asinh(x);
    case OpAcosh:
        return std::acosh(x);
    case OpAtanh:
        return std::atanh(x);
    case OpAsech:
        return std::acosh(1.0 / x);
    case OpAcsch:
        return std::asinh(1.0 / x);
    default:
        return std::atanh(1.0 / x); // OpAcoth
    }
}

// Logarithms and roots with the domain errors the engine reports itself.
int ApplyLogarithm(int op, const double* a, double& value)
{
    switch (op) {
    case OpLn:
        if (a[0] <= 0.0)
            return ErrLogOfNonPositive;
        value = std::log(a[0]);
        return 0;
    case OpLog:
        if (a[0] <= 0.0)
            return ErrLogOfNonPositive;
        value = std::log10(a[0]);
        return 0;
    case OpLogN:
        if (a[0] <= 0.0 || a[1] <= 0.0)
            return ErrLogOfNonPositive;
        value = std::log(a[1]) / std::log(a[0]);
        return 0;
    default: // OpSqrt
        if (a[0] < 0.0)
            return ErrSqrtOfNegative;
        value = std::sqrt(a[0]);
        return 0;
    }
}

int ApplyRounding(int op, const double* a, double& value, MathStatus& status)
{
    int n = 0;
    switch (op) {
    case OpInt:
        if (!TruncateToInt32(a[0], n))
            return ErrBadArgument;
        value = n;
        return 0;
    case OpCeil:
        value = NumericCeil(a[0]);
        return 0;
    case OpFloor:
        value = NumericFloor(a[0]);
        return 0;
    default: // OpFact
        if (!TruncateToInt32(a[0], n))
            return ErrBadArgument;
        value = Factorial(n, status);
        return 0;
    }
}

} // namespace

// x^n for a whole n of at most 16 by repeated squaring: exact where the result is, and the
// same on every runtime; other exponents go to the library's pow.
double Power(double x, double y)
{
    if (y == std::trunc(y) && std::fabs(y) <= 16.0) {
        unsigned n = unsigned(std::fabs(y));
        double result = 1.0, base = x;
        for (; n != 0; n >>= 1, base *= base)
            if (n & 1u)
                result *= base;
        return y < 0 ? 1.0 / result : result;
    }
    return std::pow(x, y);
}

bool TruncateToInt32(double v, int& n)
{
    if (!(v > -2147483649.0 && v < 2147483648.0))
        return false;
    n = int(v);
    return true;
}

double Factorial(int n, MathStatus& status)
{
    if (n < 0) {
        status.error = EDOM;
        return 0.0;
    }
    if (n >= 171) {
        status.error = ERANGE;
        return 0.0;
    }
    double product = 1.0;
    for (int k = 2; k <= n; ++k)
        product *= k;
    return product;
}

namespace {
// The classic 15-bit linear congruential generator, seeded with 1 as a C runtime starts.
std::uint32_t g_randomState = 1;
} // namespace

int NextRandom15()
{
    g_randomState = g_randomState * 214013u + 2531011u;
    return int((g_randomState >> 16) & 0x7fffu);
}

void ResetRandomGenerator() { g_randomState = 1; }

int ApplyArithmetic(int op, const double* a, double& value, MathStatus& status, bool& handled)
{
    handled = true;
    switch (op) {
    case OpAdd:
        value = a[0] + a[1];
        return 0;
    case OpSubtract:
        value = a[0] - a[1];
        return 0;
    case OpMultiply:
        value = a[0] * a[1];
        return 0;
    case OpDivide:
        if (a[1] == 0.0)
            return ErrDivisionByZero;
        value = a[0] / a[1];
        return 0;
    case OpPower:
        value = Power(a[0], a[1]);
        return 0;
    case OpPercent:
        value = a[0] * 0.01;
        return 0;
    case OpExp:
        value = std::exp(a[0]);
        return 0;
    case OpAbs:
        value = std::fabs(a[0]);
        return 0;
    case OpRand:
        value = double(float(NextRandom15()) * 3.0518509e-05f);
        return 0;
    case OpSqr:
        value = a[0] * a[0];
        return 0;
    case OpDeg:
        value = a[0] * AngleUnitsPerRadian(AngleDegrees);
        return 0;
    case OpRad:
        value = a[0] * RadiansPerAngleUnit(AngleDegrees);
        return 0;
    case OpMod:
        value = std::fmod(a[0], a[1]);
        return 0;
    case OpLn:
    case OpLog:
    case OpLogN:
    case OpSqrt:
        return ApplyLogarithm(op, a, value);
    case OpInt:
    case OpCeil:
    case OpFloor:
    case OpFact:
        return ApplyRounding(op, a, value, status);
    default:
        handled = false;
        return 0;
    }
}

int ApplyTrigonometric(int op, int angleMode, double* a, double& value, MathStatus&, bool& handled)
{
    handled = true;
    if (op >= OpSin && op <= OpCot) {
        a[0] = ToRadians(a[0], angleMode);
        value = CircularFunction(op, a[0]);
    } else if (op >= OpAsin && op <= OpAcot) {
        value = FromRadians(InverseCircularFunction(op, a[0]), angleMode);
    } else if (op >= OpSinh && op <= OpAcoth) {
        value = HyperbolicFunction(op, a[0]);
    } else {
        handled = false;
    }
    return 0;
}
