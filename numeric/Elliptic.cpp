#include "numeric/Elliptic.h"

#include "numeric/NumericCore.h"

#include <algorithm>
#include <cmath>

namespace {

double Reject()
{
    SetMathErrno(NumericBadArgument);
    return 0.0;
}

bool AnyNaN(double a, double b, double c = 0.0, double d = 0.0)
{
    return std::isnan(a) || std::isnan(b) || std::isnan(c) || std::isnan(d);
}

double Max3(double a, double b, double c) { return std::max(a, std::max(b, c)); }
double Min3(double a, double b, double c) { return std::min(a, std::min(b, c)); }

// The core routines below set the library's code but leave the errno discipline to the public
// entry points, so that RJ and the Legendre forms can call them freely.

double RcCore(double x, double y)
{
    constexpr double ERRTOL = 0.04, TINY = 1.69e-38, BIG = 3.0e37;
    constexpr double COMP1 = 1.72e19, COMP2 = 0.01028196;
    constexpr double C1 = 0.3, C2 = 1.0 / 7.0, C3 = 0.375, C4 = 9.0 / 22.0;
    // NaN fails every comparison below, and the loop would then never end.
    if (AnyNaN(x, y) || x < 0.0 || y == 0.0 || x + std::fabs(y) < TINY || x + std::fabs(y) > BIG ||
        (y < -COMP1 && x > 0.0 && x < COMP2))
        return Reject();
    double xt, yt, w;
    if (y > 0.0) {
        xt = x;
        yt = y;
        w = 1.0;
    } else {
        xt = x - y;
        yt = -y;
        w = std::sqrt(x) / std::sqrt(xt);
    }
    double ave, s;
    do {
        const double lambda = 2.0 * std::sqrt(xt) * std::sqrt(yt) + yt;
        xt = 0.25 * (xt + lambda);
        yt = 0.25 * (yt + lambda);
        ave = (xt + 2.0 * yt) / 3.0;
        s = (yt - ave) / ave;
    } while (std::fabs(s) > ERRTOL);
    return w * (1.0 + s * s * (C1 + s * (C2 + s * (C3 + s * C4)))) / std::sqrt(ave);
}

double RfCore(double x, double y, double z)
{
    constexpr double ERRTOL = 0.08, TINY = 1.5e-38, BIG = 3.0e37;
    constexpr double C1 = 1.0 / 24.0, C2 = 0.1, C3 = 3.0 / 44.0, C4 = 1.0 / 14.0;
    if (AnyNaN(x, y, z) || Min3(x, y, z) < 0.0 || Min3(x + y, x + z, y + z) < TINY ||
        Max3(x, y, z) > BIG)
        return Reject();
    double xt = x, yt = y, zt = z;
    double ave, delx, dely, delz;
    do {
        const double sqrtx = std::sqrt(xt), sqrty = std::sqrt(yt), sqrtz = std::sqrt(zt);
        const double lambda = sqrtx * (sqrty + sqrtz) + sqrty * sqrtz;
        xt = 0.25 * (xt + lambda);
        yt = 0.25 * (yt + lambda);
        zt = 0.25 * (zt + lambda);
        ave = (xt + yt + zt) / 3.0;
        delx = (ave - xt) / ave;
        dely = (ave - yt) / ave;
        delz = (ave - zt) / ave;
    } while (Max3(std::fabs(delx), std::fabs(dely), std::fabs(delz)) > ERRTOL);
    const double e2 = delx * dely - delz * delz;
    const double e3 = delx * dely * delz;
    return (1.0 + (C1 * e2 - C2 - C3 * e3) * e2 + C4 * e3) / std::sqrt(ave);
}

double RdCore(double x, double y, double z)
{
    constexpr double ERRTOL = 0.05, TINY = 1.0e-25, BIG = 4.5e21;
    constexpr double C1 = 3.0 / 14.0, C2 = 1.0 / 6.0, C3 = 9.0 / 22.0, C4 = 3.0 / 26.0;
    constexpr double C5 = 0.25 * C3, C6 = 1.5 * C4;
    if (AnyNaN(x, y, z) || std::min(x, y) < 0.0 || std::min(x + y, z) < TINY || Max3(x, y, z) > BIG)
        return Reject();
    double xt = x, yt = y, zt = z;
    double sum = 0.0, fac = 1.0;
    double ave, delx, dely, delz;
    do {
        const double sqrtx = std::sqrt(xt), sqrty = std::sqrt(yt), sqrtz = std::sqrt(zt);
        const double lambda = sqrtx * (sqrty + sqrtz) + sqrty * sqrtz;
        sum += fac / (sqrtz * (zt + lambda));
        fac = 0.25 * fac;
        xt = 0.25 * (xt + lambda);
        yt = 0.25 * (yt + lambda);
        zt = 0.25 * (zt + lambda);
        ave = 0.2 * (xt + yt + 3.0 * zt);
        delx = (ave - xt) / ave;
        dely = (ave - yt) / ave;
        delz = (ave - zt) / ave;
    } while (Max3(std::fabs(delx), std::fabs(dely), std::fabs(delz)) > ERRTOL);
    const double ea = delx * dely;
    const double eb = delz * delz;
    const double ec = ea - eb;
    const double ed = ea - 6.0 * eb;
    const double ee = ed + ec + ec;
    return 3.0 * sum + fac *
                           (1.0 + ed * (-C1 + C5 * ed - C6 * delz * ee) +
                            delz * (C2 * ee + delz * (-C3 * ec + delz * C4 * ea))) /
                           (ave * std::sqrt(ave));
}

// State of the RJ duplication: the four variables, and for p < 0 the terms of the
// principal-value transformation.
struct RjStart {
    double xt, yt, zt, pt;
    double a = 0.0, b = 0.0, rcx = 0.0;
};

RjStart RjPrincipalValueStart(double x, double y, double z, double p)
{
    RjStart s;
    s.xt = Min3(x, y, z);
    s.zt = Max3(x, y, z);
    s.yt = x + y + z - s.xt - s.zt;
    s.a = 1.0 / (s.yt - p);
    s.b = s.a * (s.zt - s.yt) * (s.yt - s.xt);
    s.pt = s.yt + s.b;
    const double rho = s.xt * s.zt / s.yt;
    const double tau = p * s.pt / s.yt;
    s.rcx = RcCore(rho, tau);
    return s;
}

double RjCore(double x, double y, double z, double p)
{
    constexpr double ERRTOL = 0.05, TINY = 2.5e-13, BIG = 9.0e11;
    constexpr double C1 = 3.0 / 14.0, C2 = 1.0 / 3.0, C3 = 3.0 / 22.0, C4 = 3.0 / 26.0;
    constexpr double C5 = 0.75 * C3, C6 = 1.5 * C4, C7 = 0.5 * C2, C8 = C3 + C3;
    const double ap = std::fabs(p);
    if (AnyNaN(x, y, z, p) || Min3(x, y, z) < 0.0 ||
        std::min(Min3(x + y, x + z, y + z), ap) < TINY || std::max(Max3(x, y, z), ap) > BIG)
        return Reject();
    RjStart s = p > 0.0 ? RjStart{x, y, z, p} : RjPrincipalValueStart(x, y, z, p);
    double sum = 0.0, fac = 1.0;
    double ave, delx, dely, delz, delp;
    do {
        const double sqrtx = std::sqrt(s.xt), sqrty = std::sqrt(s.yt), sqrtz = std::sqrt(s.zt);
        const double lambda = sqrtx * (sqrty + sqrtz) + sqrty * sqrtz;
        const double root = s.pt * (sqrtx + sqrty + sqrtz) + sqrtx * sqrty * sqrtz;
        const double alpha = root * root;
        const double beta = s.pt * (s.pt + lambda) * (s.pt + lambda);
        sum += fac * RcCore(alpha, beta);
        fac = 0.25 * fac;
        s.xt = 0.25 * (s.xt + lambda);
        s.yt = 0.25 * (s.yt + lambda);
        s.zt = 0.25 * (s.zt + lambda);
        s.pt = 0.25 * (s.pt + lambda);
        ave = 0.2 * (s.xt + s.yt + s.zt + s.pt + s.pt);
        delx = (ave - s.xt) / ave;
        dely = (ave - s.yt) / ave;
        delz = (ave - s.zt) / ave;
        delp = (ave - s.pt) / ave;
    } while (std::max(Max3(std::fabs(delx), std::fabs(dely), std::fabs(delz)), std::fabs(delp)) >
             ERRTOL);
    const double ea = delx * (dely + delz) + dely * delz;
    const double eb = delx * dely * delz;
    const double ec = delp * delp;
    const double ed = ea - 3.0 * ec;
    const double ee = eb + 2.0 * delp * (ea - ec);
    double ans = 3.0 * sum +
                 fac *
                     (1.0 + ed * (-C1 + C5 * ed - C6 * ee) + eb * (C7 + delp * (-C8 + delp * C4)) +
                      delp * ea * (C2 - delp * C3) - C2 * delp * ec) /
                     (ave * std::sqrt(ave));
    if (p <= 0.0)
        ans = s.a * (s.b * ans + 3.0 * (s.rcx - RfCore(s.xt, s.yt, s.zt)));
    return ans;
}

// q = 1 - (k sin phi)^2, written as a product to keep its digits near q = 0.
double LegendreQ(double s, double k) { return (1.0 - s * k) * (1.0 + s * k); }

void JacobiCore(double u, double mc, double* sn, double* cn, double* dn)
{
    constexpr double CA = 0.0003;
    constexpr int LEVELS = 13;
    double emc = mc;
    if (emc == 0.0) {
        // tanh through expm1: the runtimes' own tanh differ in the last bit, expm1 agrees.
        const double t = std::expm1(-2.0 * std::fabs(u));
        *cn = 1.0 / std::cosh(u);
        *dn = *cn;
        *sn = std::copysign(-t / (2.0 + t), u);
        return;
    }
    // k^2 > 1: work with the reciprocal modulus 1/k and exchange cn and dn at the end.
    const bool reciprocal = emc < 0.0;
    double d = 1.0;
    if (reciprocal) {
        d = 1.0 - emc;
        emc /= -d;
        d = std::sqrt(d);
        u *= d;
    }
    double em[LEVELS + 1], en[LEVELS + 1];
    double a = 1.0, c = 1.0;
    double dnv = 1.0;
    int l = 1;
    for (int i = 1; i <= LEVELS; ++i) {
        l = i;
        em[i] = a;
        emc = std::sqrt(emc);
        en[i] = emc;
        c = 0.5 * (a + emc);
        if (std::fabs(a - emc) <= CA * a)
            break;
        emc *= a;
        a = c;
    }
    u *= c;
    const double sinu = std::sin(u);
    double snv = sinu, cnv = std::cos(u);
    if (snv != 0.0) {
        a = cnv / snv;
        c *= a;
        for (int ii = l; ii >= 1; --ii) {
            const double b = em[ii];
            a *= c;
            c *= dnv;
            dnv = (en[ii] + a) / (b + a);
            a = c / b;
        }
        a = 1.0 / std::sqrt(c * c + 1.0);
        snv = sinu >= 0.0 ? a : -a;
        cnv = c * snv;
    }
    if (reciprocal) {
        std::swap(cnv, dnv);
        snv /= d;
    }
    *sn = snv;
    *cn = cnv;
    *dn = dnv;
}

} // namespace

double CarlsonRF(double x, double y, double z)
{
    const int saved = ErrnoEnter();
    return ErrnoLeave(saved, RfCore(x, y, z));
}

double CarlsonRD(double x, double y, double z)
{
    const int saved = ErrnoEnter();
    return ErrnoLeave(saved, RdCore(x, y, z));
}

double CarlsonRJ(double x, double y, double z, double p)
{
    const int saved = ErrnoEnter();
    return ErrnoLeave(saved, RjCore(x, y, z, p));
}

double CarlsonRC(double x, double y)
{
    const int saved = ErrnoEnter();
    return ErrnoLeave(saved, RcCore(x, y));
}

double LegendreEllipticF(double phi, double k)
{
    const int saved = ErrnoEnter();
    const double s = std::sin(phi);
    const double cc = std::cos(phi) * std::cos(phi);
    return ErrnoLeave(saved, s * RfCore(cc, LegendreQ(s, k), 1.0));
}

double LegendreEllipticE(double phi, double k)
{
    const int saved = ErrnoEnter();
    const double s = std::sin(phi);
    const double cc = std::cos(phi) * std::cos(phi);
    const double q = LegendreQ(s, k);
    const double sk = s * k;
    const double result = s * (RfCore(cc, q, 1.0) - sk * sk * RdCore(cc, q, 1.0) / 3.0);
    return ErrnoLeave(saved, result);
}

double LegendreEllipticPi(double phi, double n, double k)
{
    const int saved = ErrnoEnter();
    const double s = std::sin(phi);
    const double enss = n * s * s;
    const double cc = std::cos(phi) * std::cos(phi);
    const double q = LegendreQ(s, k);
    const double result = s * (RfCore(cc, q, 1.0) - enss * RjCore(cc, q, 1.0, 1.0 + enss) / 3.0);
    return ErrnoLeave(saved, result);
}

void JacobiEllipticSnCnDn(double u, double mc, double* sn, double* cn, double* dn)
{
    const int saved = ErrnoEnter();
    // A NaN or infinite argument has no sn, cn, dn; refused rather than answered with NaN.
    if (!std::isfinite(u) || !std::isfinite(mc))
        SetMathErrno(NumericBadArgument);
    else
        JacobiCore(u, mc, sn, cn, dn);
    ErrnoLeave(saved);
}
