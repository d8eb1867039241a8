#include "tests/engine/EvaluatorTestSupport.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_math.h>
#include <gsl/gsl_mode.h>
#include <gsl/gsl_sf.h>

#include <cmath>

namespace {

constexpr double kPi = 3.141592653589793;

// Each catalogue function against the library it wraps or against a closed form.
TEST_F(EvaluatorTest, SpecialFunctionsAgainstTheLibraryAndClosedForms)
{
    double sn = 0, cn = 0, dn = 0;
    gsl_sf_elljac_e(0.5, 0.36, &sn, &cn, &dn);
    const double x2 = 2.0;
    const ValueCase values[] = {
        {"AIRYAI(1)", gsl_sf_airy_Ai(1, GSL_PREC_DOUBLE)},
        {"AIRYBI(-2)", gsl_sf_airy_Bi(-2, GSL_PREC_DOUBLE)},
        {"BICO(40, 20)", 137846528820.0, 0},
        {"BICO(5, 2)", 10, 0},
        {"BETA(2, 3)", 1.0 / 12},
        {"BETAI(2, 3, 0.4)", gsl_sf_beta_inc(2, 3, 0.4)},
        {"BESSELJ(2, 1.5)", gsl_sf_bessel_Jn(2, 1.5)},
        {"BESSELY(1, 2.5)", gsl_sf_bessel_Yn(1, 2.5)},
        {"BESSELK(0, 1)", gsl_sf_bessel_Kn(0, 1)},
        {"BESSELI(3, 2)", gsl_sf_bessel_In(3, 2)},
        {"BESSELJS(1, 2)", std::sin(x2) / (x2 * x2) - std::cos(x2) / x2, 1e-7},
        {"BESSELYS(0, 2)", -std::cos(x2) / x2, 1e-7},
        {"ELLIPTICRF(1, 2, 3)", gsl_sf_ellint_RF(1, 2, 3, GSL_PREC_DOUBLE)},
        {"ELLIPTICRD(1, 2, 3)", gsl_sf_ellint_RD(1, 2, 3, GSL_PREC_DOUBLE)},
        {"ELLIPTICRJ(1, 2, 3, 4)", gsl_sf_ellint_RJ(1, 2, 3, 4, GSL_PREC_DOUBLE)},
        {"ELLIPTICRC(1, 2)", gsl_sf_ellint_RC(1, 2, GSL_PREC_DOUBLE)},
        {"CLAUSEN(1)", gsl_sf_clausen(1)},
        {"DAWSON(1)", gsl_sf_dawson(1)},
        {"DILOG(0.5)", kPi * kPi / 12 - std::log(2.0) * std::log(2.0) / 2},
        {"ELLIPTICF(1, 0.5)", gsl_sf_ellint_F(1, 0.5, GSL_PREC_DOUBLE)},
        {"ELLIPTICE(1, 0.5)", gsl_sf_ellint_E(1, 0.5, GSL_PREC_DOUBLE)},
        {"ELLIPTICE(PI/2, 0)", kPi / 2},
        // Arguments as the catalogue shows them: phi, n, k.
        {"ELLIPTICP(1, 0.3, 0.5)", gsl_sf_ellint_P(1, 0.5, 0.3, GSL_PREC_DOUBLE)},
        // The Jacobi functions take the modulus k, as ELLIPTICF and ELLIPTICE do.
        {"ELLIPTICSN(0.5, 0.6)", sn},
        {"ELLIPTICCN(0.5, 0.6)", cn},
        {"ELLIPTICDN(0.5, 0.6)", dn},
        {"ELLIPTICSN(0.5, 0)", std::sin(0.5)},
        {"ERF(0.5)", std::erf(0.5)},
        {"ERFC(0.5)", std::erfc(0.5)},
        {"EXPEI(1)", 1.8951178163559368, 1e-6},
        {"FACTLN(10)", std::log(3628800.0), 1e-10},
        {"FRESNELS(1)", 0.4382591473903548, 1e-6},
        {"FRESNELC(1)", 0.7798934003768228, 1e-6},
        {"GAMMA(5)", 24},
        {"GAMMA(0.5)", std::sqrt(kPi)},
        {"GAMMALN(10)", std::log(362880.0)},
        {"GAMMAP(2, 1)", 1 - 2 / std::exp(1.0), 1e-6},
        {"GAMMAQ(2, 1)", 2 / std::exp(1.0), 1e-6},
        {"PSI(1)", -0.5772156649015329},
        {"PSIN(1, 1)", kPi * kPi / 6},
        {"ZETA(2)", kPi * kPi / 6},
        {"ETA(1)", std::log(2.0)},
        {"HZETA(2, 1)", kPi * kPi / 6},
        {"COSINT(1)", 0.3374039229009681, 1e-6},
        {"SININT(1)", 0.946083070367183, 1e-6},
        {"SHI(1)", gsl_sf_Shi(1)},
        {"CHI(1)", gsl_sf_Chi(1)},
    };
    ExpectValues(values, std::size(values));
}

TEST_F(EvaluatorTest, SpecialFunctionFailures)
{
    const ErrorCase errors[] = {
        {"GAMMA(-1)", ErrUnknown},  // a domain error of the library reaches the user as 53
        {"GAMMA(200)", ErrUnknown}, // and so does its overflow
        {"BESSELJ(1e10, 1)", ErrBadArgument},
        {"BICO(1e10, 2)", ErrBadArgument},
        {"FACTLN(-1)", ErrUnknown}, // the numerical library's own code
        {"PSIN(3e9, 1)", ErrBadArgument},
    };
    ExpectErrors(errors, std::size(errors));
}

TEST_F(EvaluatorTest, LibraryErrorsNeverAbortEvenWithoutStartUp)
{
    gsl_set_error_handler(nullptr); // the library's own handler would abort the program
    EXPECT_EQ(Evaluate("GAMMA(-1)").code, ErrUnknown);
    EXPECT_EQ(Evaluate("ERFC(30)").code, 0);
}

} // namespace
