// Financial, bitwise and statistical operations of the evaluator.
#include "engine/EngineErrors.h"
#include "engine/EvaluatorOperations.h"
#include "engine/ExprNode.h"
#include "engine/Finance.h"

#include <cmath>
#include <cstdint>

namespace {

// The type argument of the annuity functions; 13 when it does not fit 32 bits.
int FinancialType(double v, int& type) { return TruncateToInt32(v, type) ? 0 : ErrBadArgument; }

int ApplyRate(const double* a, double& value)
{
    int type = 0;
    if (const int code = FinancialType(a[4], type))
        return code;
    double rate = 0.0;
    const double guess = a[5] == 0.0 ? 0.01 : a[5];
    // A rate that does not converge is an error, not the old value passed off as a result.
    if (CalcRate(rate, a[0], a[1], a[2], a[3], type, guess) != 0)
        return ErrMaxIterations;
    value = rate;
    return 0;
}

} // namespace

int ApplyFinancial(int op, const double* a, double& value, bool& handled)
{
    handled = true;
    int type = 0, error = 0;
    switch (op) {
    case OpPV:
    case OpFV:
    case OpPMT:
    case OpNPER:
        if (const int code = FinancialType(a[4], type))
            return code;
        value = op == OpPV    ? CalcPV(a[0], a[1], a[2], a[3], type, &error)
                : op == OpFV  ? CalcFV(a[0], a[1], a[2], a[3], type, &error)
                : op == OpPMT ? CalcPMT(a[0], a[1], a[2], a[3], type, &error)
                              : CalcNPER(a[0], a[1], a[2], a[3], type, &error);
        return error;
    case OpRate:
        return ApplyRate(a, value);
    case OpEffectiveRate:
        value = CalcEFR(a[0], a[1] == 0.0 ? 12.0 : a[1], &error);
        return error;
    case OpNominalRate:
        value = CalcAPR(a[0], a[1] == 0.0 ? 12.0 : a[1], &error);
        return error;
    default:
        handled = false;
        return 0;
    }
}

int ApplyBitwise(int op, const double* a, double& value, bool& handled)
{
    handled = op >= OpAnd && op <= OpRShift;
    if (!handled)
        return 0;
    int x = 0, y = 0;
    if (!TruncateToInt32(a[0], x) || (op != OpNot && !TruncateToInt32(a[1], y)))
        return ErrBadArgument;
    const std::uint32_t bits = std::uint32_t(x);
    const unsigned count = unsigned(y) & 31u; // shift counts wrap modulo 32
    switch (op) {
    case OpAnd:
        value = std::int32_t(bits & std::uint32_t(y));
        break;
    case OpOr:
        value = std::int32_t(bits | std::uint32_t(y));
        break;
    case OpXor:
        value = std::int32_t(bits ^ std::uint32_t(y));
        break;
    case OpNot:
        value = std::int32_t(~bits);
        break;
    case OpLShift:
        value = std::int32_t(bits << count);
        break;
    default:
        value = std::int32_t(x >> count);
        break; // OpRShift keeps the sign
    }
    return 0;
}

double SumValues(const double* a, int count)
{
    double sum = 0.0;
    for (int i = 0; i < count; ++i)
        sum += a[i];
    return sum;
}

double AverageValues(const double* a, int count) { return SumValues(a, count) / count; }

double MinValue(const double* a, int count)
{
    double result = a[0];
    for (int i = 1; i < count; ++i)
        if (a[i] < result)
            result = a[i];
    return result;
}

double MaxValue(const double* a, int count)
{
    double result = a[0];
    for (int i = 1; i < count; ++i)
        if (a[i] > result)
            result = a[i];
    return result;
}

int ApplyStatistics(int op, const double* a, int count, double& value, bool& handled)
{
    handled = op >= OpSum && op <= OpMax;
    if (!handled || count <= 0)
        return 0;
    value = op == OpSum   ? SumValues(a, count)
            : op == OpAve ? AverageValues(a, count)
            : op == OpMin ? MinValue(a, count)
                          : MaxValue(a, count);
    return 0;
}

void FormatInBase(int v, int base, char* text)
{
    static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
    char reversed[40];
    int length = 0;
    const bool negative = base == 10 && v < 0;
    std::uint32_t rest = negative ? 0u - std::uint32_t(v) : std::uint32_t(v);
    do {
        reversed[length++] = kDigits[rest % unsigned(base)];
        rest /= unsigned(base);
    } while (rest != 0);
    int i = 0;
    if (negative)
        text[i++] = '-';
    while (length > 0)
        text[i++] = reversed[--length];
    text[i] = 0;
}
