#include "numeric/Airy.h"

#include "numeric/Bessel.h"
#include "numeric/NumericCore.h"

#include <cmath>

namespace {

// pi and 1/sqrt(3) to eight digits, and the products the formulas use, each rounded once.
constexpr double PI8 = 3.1415927;
constexpr double ONOVRT = 0.57735027;
constexpr double THIRD = 1.0 / 3.0;
constexpr double TWOTHR = 2.0 / 3.0;
constexpr double OnovrtOverPi = ONOVRT / PI8;
constexpr double OneOverPi = 1.0 / PI8;
constexpr double TwoOnovrt = 2.0 * ONOVRT;

// Ai(0), -Ai'(0) to eight digits; Bi(0) = Ai(0) sqrt(3), Bi'(0) = -Ai'(0) sqrt(3).
constexpr double Ai0 = 0.35502805;
constexpr double MinusAip0 = 0.2588194;

} // namespace

void AiryFunctions(double x, double* ai, double* bi, double* aip, double* bip)
{
    const int saved = ErrnoEnter();
    if (x == 0.0) {
        *ai = Ai0;
        *bi = Ai0 / ONOVRT;
        *aip = -MinusAip0;
        *bip = MinusAip0 / ONOVRT;
        ErrnoLeave(saved);
        return;
    }
    const double absx = std::fabs(x);
    const double rootx = std::sqrt(absx);
    const double z = TWOTHR * absx * rootx;
    // A failed Bessel call leaves its outputs unwritten; the Airy outputs are then NaN.
    double first = NAN, second = NAN, unused1 = NAN, unused2 = NAN;
    if (x > 0.0) {
        BesselIK(z, THIRD, &first, &second, &unused1, &unused2);
        *ai = rootx * second * OnovrtOverPi;
        *bi = rootx * (second * OneOverPi + TwoOnovrt * first);
        first = second = NAN;
        BesselIK(z, TWOTHR, &first, &second, &unused1, &unused2);
        *aip = -x * second * OnovrtOverPi;
        *bip = x * (second * OneOverPi + TwoOnovrt * first);
    } else {
        // NaN comes here too, and BesselJY refuses it.
        BesselJY(z, THIRD, &first, &second, &unused1, &unused2);
        *ai = 0.5 * rootx * (first - ONOVRT * second);
        *bi = -0.5 * rootx * (second + ONOVRT * first);
        first = second = NAN;
        BesselJY(z, TWOTHR, &first, &second, &unused1, &unused2);
        *aip = 0.5 * absx * (ONOVRT * second + first);
        *bip = 0.5 * absx * (ONOVRT * first - second);
    }
    ErrnoLeave(saved);
}
