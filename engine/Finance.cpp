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

} // namespace

double CalcPV(double rate, double nper, double pmt, double fv, int type, int* error)
{
    if (rate == 0.0)
        return -fv - nper * pmt;
    const double q = std::pow(1.0 + rate, nper);
    const double w = 1.0 + rate * type;
    return -Divide((q - 1.0) * w * pmt / rate + fv, q, error);
}

double CalcFV(double rate, double nper, double pmt, double pv, int type, int*)
{
    if (rate == 0.0)
        return -pv - nper * pmt;
    const double q = std::pow(1.0 + rate, nper);
    const double w = 1.0 + rate * type;
    return -(q * pv + w * ((q - 1.0) / rate) * pmt);
}

double CalcPMT(double rate, double nper, double pv, double fv, int type, int* error)
{
    if (rate == 0.0)
        return -Divide(pv + fv, nper, error);
    const double q = std::pow(1.0 + rate, nper);
    const double w = 1.0 + rate * type;
    return -Divide((q * pv + fv) * rate, (q - 1.0) * w, error);
}

double CalcNPER(double rate, double pmt, double pv, double fv, int type, int* error)
{
    if (rate == 0.0)
        return -Divide(pv + fv, pmt, error);
    const double w = 1.0 + rate * type;
    const double ratio = Divide(w * pmt - rate * fv, rate * pv + w * pmt, error);
    if (std::isnan(ratio))
        return ratio;
    if (ratio <= 0.0 || 1.0 + rate <= 0.0)
        return Fail(error, ErrLogOfNonPositive);
    return std::log(ratio) / std::log(1.0 + rate);
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
    return std::pow(1.0 + periodRate, npery) - 1.0;
}

double CalcAPR(double efr, double npery, int* error)
{
    const double exponent = Divide(1.0, npery, error);
    if (std::isnan(exponent))
        return exponent;
    return (std::pow(1.0 + efr, exponent) - 1.0) * npery;
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
