#pragma once
// Machine constants of the Student-t family (IEEE binary64).

namespace tdist {

constexpr double MACHEP = 1.11022302462515654042E-16; // 2^-53
constexpr double MAXLOG = 7.09782712893383996843E2;   // ln of the largest double
constexpr double MINLOG = -7.451332191019412076235E2; // ln of the smallest denormal
constexpr double MAXNUM = 1.79769313486231570815E308; // largest double
constexpr double MAXGAM = 171.624376956302725;        // largest argument of gamma
constexpr double BIG = 4.503599627370496e15;          // 2^52, rescaling in the fractions
constexpr double BIGINV = 2.22044604925031308085e-16; // 2^-52
constexpr double MAXSTIR = 143.01608;                 // switch inside StirlingGamma
constexpr double MAXLGM = 2.556348e305;               // largest argument of lgam
constexpr double LOGPI = 1.14472988584940017414;      // ln π
constexpr double LS2PI = 0.91893853320467274178;      // ln √(2π)
constexpr double SQTPI = 2.50662827463100050242E0;    // √(2π)

} // namespace tdist
