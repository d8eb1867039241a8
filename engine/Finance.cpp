#include "engine/Finance.h"

#include "engine/EngineErrors.h"

#include <cmath>
#include <limits>

namespace {

constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();

double Fail(int* error, int code)
{
    if (error)
        *error = code;
    return kNaN;
}

// The quotient, or NaN with error 38 when the divisor is zero.
double Divide(double numerator, double denominator, int* error)
{
    return denominator == 0.0 ? Fail(error, ErrDivisionByZero) : numerator / denominator;
}

// (1 + rate)^n - 1 without losing the digits of a small rate to the sum 1 + rate.
double GrowthMinusOne(double rate, double n)
{
    if (rate > -1.0)
        return std::expm1(n * std::log1p(rate));
    return std::pow(1.0 + rate, n) - 1.0; // a base of 0 or below: only whole powers are defined
}

} // namespace

double CalcPV(double rate, double nper, double pmt, double fv, int type, int* error)
{
    if (rate == 0.0)
        return -fv - nper * pmt;
    const double growth = GrowthMinusOne(rate, nper);
    const double w = 1.0 + rate * type;
    return -Divide(growth * w * pmt / rate + fv, 1.0 + growth, error);
}

double CalcFV(double rate, double nper, double pmt, double pv, int type, int*)
{
    if (rate == 0.0)
        return -pv - nper * pmt;
    const double growth = GrowthMinusOne(rate, nper);
    const double w = 1.0 + rate * type;
    return -((1.0 + growth) * pv + w * (growth / rate) * pmt);
}

double CalcPMT(double rate, double nper, double pv, double fv, int type, int* error)
{
    if (rate == 0.0)
        return -Divide(pv + fv, nper, error);
    const double growth = GrowthMinusOne(rate, nper);
    const double w = 1.0 + rate * type;
    return -Divide(((1.0 + growth) * pv + fv) * rate, growth * w, error);
}

double CalcNPER(double rate, double pmt, double pv, double fv, int type, int* error)
{
    if (rate == 0.0)
        return -Divide(pv + fv, pmt, error);
    // ln(ratio) with ratio = (w pmt - rate fv) / (rate pv + w pmt) = 1 + shift, taken through
    // log1p so that a small rate keeps its digits.
    const double w = 1.0 + rate * type;
    const double shift = Divide(-rate * (pv + fv), rate * pv + w * pmt, error);
    if (std::isnan(shift))
        return shift;
    if (shift <= -1.0 || rate <= -1.0)
        return Fail(error, ErrLogOfNonPositive);
    return std::log1p(shift) / std::log1p(rate);
}

// For payments at the start of a period the first payment carries no interest, and payment
// number per pays the interest on the balance left after payment per - 1.
double CalcIPMT(double rate, double per, double nper, double pv, double fv, int type, int* error)
{
    const double p = CalcPMT(rate, nper, pv, fv, type, error);
    if (std::isnan(p))
        return p;
    if (type == 0)
        return CalcFV(rate, per - 1.0, p, pv, 0, error) * rate;
    if (per == 1.0)
        return 0.0;
    return (CalcFV(rate, per - 2.0, p, pv, 1, error) - p) * rate;
}

double CalcPPMT(double rate, double per, double nper, double pv, double fv, int type, int* error)
{
    const double p = CalcPMT(rate, nper, pv, fv, type, error);
    if (std::isnan(p))
        return p;
    return p - CalcIPMT(rate, per, nper, pv, fv, type, error);
}

double CalcEFR(double apr, double npery, int* error)
{
    const double periodRate = Divide(apr, npery, error);
    if (std::isnan(periodRate))
        return periodRate;
    return GrowthMinusOne(periodRate, npery);
}

double CalcAPR(double efr, double npery, int* error)
{
    const double exponent = Divide(1.0, npery, error);
    if (std::isnan(exponent))
        return exponent;
    return GrowthMinusOne(efr, exponent) * npery;
}

int CalcRate(double& rate, double nper, double pmt, double pv, double fv, int type, double guess)
{
    auto g = [&](double r) { return pv - CalcPV(r, nper, pmt, fv, type); };
    double r1 = 1.1 * guess;
    double r0 = guess;
    for (int i = 0; i < 20; ++i) {
        const double g1 = g(r1);
        const double g0 = g(r0);
        const double d = g1 - g0;
        if (std::fabs(d) < 1e-200) {
            if (std::fabs(g1) >= 1e-13)
                return 1;
            rate = r1; // flat only because the guess already solves the equation
            return 0;
        }
        if (std::fabs((r1 - r0) * g1 / d) < std::fabs(r1 * 1e-13)) {
            rate = r1;
            return 0;
        }
        const double r = (g1 * r0 - g0 * r1) / d;
        r0 = r1;
        r1 = r;
    }
    return 2;
}
