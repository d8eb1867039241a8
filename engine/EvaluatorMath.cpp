// Arithmetic, elementary and trigonometric operations of the evaluator.
#include "engine/CalcEngine.h"
#include "engine/EngineErrors.h"
#include "engine/EvaluatorOperations.h"
#include "numeric/FloatRounding.h"

#include <cerrno>
#include <cmath>
#include <cstdint>
#include <iterator>

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

double DirectedWholePower(double x, unsigned n, bool negative)
{
    return ExtendedWholePower(x, n, negative);
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

double RoundedLibraryResult(double value)
{
    if (g_nLibraryRounding == 0 || value == 0.0)
        return value;
    return std::nextafter(value, g_nLibraryRounding > 0 ? HUGE_VAL : -HUGE_VAL);
}

int ApplyArithmetic(int op, const double* a, double& value, MathStatus& status, bool& handled)
{
    handled = true;
    switch (op) {
    case OpAdd:
        return ArithmeticValue<OpAdd>(a, value, status);
    case OpSubtract:
        return ArithmeticValue<OpSubtract>(a, value, status);
    case OpMultiply:
        return ArithmeticValue<OpMultiply>(a, value, status);
    case OpDivide:
        return ArithmeticValue<OpDivide>(a, value, status);
    case OpPower:
        return ArithmeticValue<OpPower>(a, value, status);
    case OpPercent:
        return ArithmeticValue<OpPercent>(a, value, status);
    case OpExp:
        return ArithmeticValue<OpExp>(a, value, status);
    case OpLn:
        return ArithmeticValue<OpLn>(a, value, status);
    case OpLog:
        return ArithmeticValue<OpLog>(a, value, status);
    case OpAbs:
        return ArithmeticValue<OpAbs>(a, value, status);
    case OpRand:
        return ArithmeticValue<OpRand>(a, value, status);
    case OpSqrt:
        return ArithmeticValue<OpSqrt>(a, value, status);
    case OpSqr:
        return ArithmeticValue<OpSqr>(a, value, status);
    case OpInt:
        return ArithmeticValue<OpInt>(a, value, status);
    case OpCeil:
        return ArithmeticValue<OpCeil>(a, value, status);
    case OpFloor:
        return ArithmeticValue<OpFloor>(a, value, status);
    case OpFact:
        return ArithmeticValue<OpFact>(a, value, status);
    case OpDeg:
        return ArithmeticValue<OpDeg>(a, value, status);
    case OpRad:
        return ArithmeticValue<OpRad>(a, value, status);
    case OpLogN:
        return ArithmeticValue<OpLogN>(a, value, status);
    case OpMod:
        return ArithmeticValue<OpMod>(a, value, status);
    default:
        handled = false;
        return 0;
    }
}

namespace {

template <int Op> double Trigonometric(int angleMode, double* a)
{
    return TrigonometricValue<Op>(angleMode, a[0]);
}

using TrigonometricFunction = double (*)(int angleMode, double* a);

// SIN .. ACOTH in op id order.
constexpr TrigonometricFunction kTrigonometric[] = {
    Trigonometric<OpSin>,
    Trigonometric<OpCos>,
    Trigonometric<OpTan>,
    Trigonometric<OpSec>,
    Trigonometric<OpCsc>,
    Trigonometric<OpCot>,
    nullptr,
    nullptr,
    nullptr, // ABS .. SQRT
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr,
    nullptr, // SQR .. RAD
    nullptr,
    Trigonometric<OpAsin>,
    Trigonometric<OpAcos>,
    Trigonometric<OpAtan>,
    Trigonometric<OpAsec>,
    Trigonometric<OpAcsc>,
    Trigonometric<OpAcot>,
    Trigonometric<OpSinh>,
    Trigonometric<OpCosh>,
    Trigonometric<OpTanh>,
    Trigonometric<OpSech>,
    Trigonometric<OpCsch>,
    Trigonometric<OpCoth>,
    Trigonometric<OpAsinh>,
    Trigonometric<OpAcosh>,
    Trigonometric<OpAtanh>,
    Trigonometric<OpAsech>,
    Trigonometric<OpAcsch>,
    Trigonometric<OpAcoth>,
};
static_assert(std::size(kTrigonometric) == OpAcoth - OpSin + 1);

} // namespace

int ApplyTrigonometric(int op, int angleMode, double* a, double& value, MathStatus&, bool& handled)
{
    const TrigonometricFunction f =
        op >= OpSin && op <= OpAcoth ? kTrigonometric[op - OpSin] : nullptr;
    handled = f != nullptr;
    if (handled)
        value = f(angleMode, a);
    return 0;
}
