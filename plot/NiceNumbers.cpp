#include "plot/NiceNumbers.h"

#include "engine/NumberFormat.h"
#include "engine/NumberText.h"
#include "numeric/FloatRounding.h"

#include <cmath>

// 10^e correctly rounded, by the engine's own scanner: the same bits in every build, where the
// runtimes' pow differ in the last place for large exponents.
static double PowerOfTen(int e)
{
    double value = 0;
    numtext::ScanDecimal(("1e" + numtext::Integer(e)).View(), '.', value);
    return value;
}

// n * 10^e with n whole: a division by an exact power of ten for small negative e keeps
// 0.1-steps exact to the last bit.
static double Scale(double n, int e)
{
    if (e < 0 && e >= -22)
        return n / PowerOfTen(-e);
    return n * PowerOfTen(e);
}

double NiceStep(double x)
{
    if (!std::isfinite(x))
        return x;
    int e = 0;
    const double m = std::fabs(SplitMantissaExponent(x, e));
    const double n = m < 1.5 ? 1 : m < 3.5 ? 2 : 5;
    const double step = Scale(n, e);
    return x < 0 ? -step : step;
}

// x rounded to a tenth of its decade by round (floor or ceil).
static double RoundTenth(double x, double (*round)(double))
{
    if (!std::isfinite(x) || x == 0)
        return x;
    int e = 0;
    const double m = SplitMantissaExponent(x, e);
    return Scale(round(m * 10), e - 1);
}

double RoundDownTenth(double x) { return RoundTenth(x, NumericFloor); }

double RoundUpTenth(double x) { return RoundTenth(x, NumericCeil); }

double LeadingDigitValue(double x)
{
    if (!std::isfinite(x) || x == 0)
        return x;
    int e = 0;
    const double m = SplitMantissaExponent(x, e);
    return Scale(std::trunc(m), e);
}
