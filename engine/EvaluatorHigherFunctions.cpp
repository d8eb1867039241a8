// Special functions of the evaluator: the special-function library for most, the program's
// numerical library for the rest.
#include "engine/EngineErrors.h"
#include "engine/EvaluatorOperations.h"
#include "engine/ExprNode.h"
#include "numeric/Bessel.h"
#include "numeric/BetaFamily.h"
#include "numeric/ExponentialIntegrals.h"
#include "numeric/GammaFamily.h"
#include "numeric/NumericCore.h"
#include "numeric/UnderflowFlag.h"

#include <gsl/gsl_errno.h>
#include <gsl/gsl_mode.h>
#include <gsl/gsl_sf.h>

#include <cerrno>
#include <climits>

// Declared by the library's own source, not by its headers.
extern "C" gsl_error_handler_t* gsl_error_handler;

namespace {

constexpr int kNotThisFamily = INT_MIN; // no status of the library, which uses -1 itself

// The library's status: an underflow is no error (the value stands), but raises the flag, which
// the library's own arithmetic may not have done; any other failure reaches the user as 53
// "Unknown Error". Its handler may have written errno; that is not ours to keep.
void TakeLibraryStatus(int gslStatus, const gsl_sf_result& result, double& value,
                       MathStatus& status)
{
    errno = 0;
    value = result.val;
    if (gslStatus == GSL_EUNDRFLW)
        RaiseUnderflowFlag();
    else if (gslStatus != GSL_SUCCESS)
        status.error = gslStatus;
}

// Calls of the numerical library report through errno; only its own codes count, so an
// underflow flag a C runtime may have left in errno is no error on any runtime.
struct NumericCall {
    explicit NumericCall(MathStatus& status) : m_status(status) { errno = 0; }
    ~NumericCall()
    {
        if (IsNumericErrorCode(errno))
            m_status.error = errno;
        errno = 0;
    }
    MathStatus& m_status;
};

int ApplyGslOneArgument(int op, double x, gsl_sf_result& r)
{
    switch (op) {
    case OpAiryAi:
        return gsl_sf_airy_Ai_e(x, GSL_PREC_DOUBLE, &r);
    case OpAiryBi:
        return gsl_sf_airy_Bi_e(x, GSL_PREC_DOUBLE, &r);
    case OpClausen:
        return gsl_sf_clausen_e(x, &r);
    case OpDawson:
        return gsl_sf_dawson_e(x, &r);
    case OpDilog:
        return gsl_sf_dilog_e(x, &r);
    case OpErf:
        return gsl_sf_erf_e(x, &r);
    case OpErfc:
        return gsl_sf_erfc_e(x, &r);
    case OpGamma:
        return gsl_sf_gamma_e(x, &r);
    case OpGammaLn:
        return gsl_sf_lngamma_e(x, &r);
    case OpPsi:
        return gsl_sf_psi_e(x, &r);
    case OpZeta:
        return gsl_sf_zeta_e(x, &r);
    case OpEta:
        return gsl_sf_eta_e(x, &r);
    case OpShi:
        return gsl_sf_Shi_e(x, &r);
    case OpChi:
        return gsl_sf_Chi_e(x, &r);
    default:
        return kNotThisFamily;
    }
}

// ELLIPTICF, E and P take the modulus k, and ELLIPTICP its arguments as the catalogue shows
// them (phi, n, k); the Jacobi functions take the modulus k too (the library wants m = k^2).
int ApplyGslSeveralArguments(int op, const double* a, gsl_sf_result& r)
{
    switch (op) {
    case OpBeta:
        return gsl_sf_beta_e(a[0], a[1], &r);
    case OpBetaI:
        return gsl_sf_beta_inc_e(a[0], a[1], a[2], &r);
    case OpEllipticRF:
        return gsl_sf_ellint_RF_e(a[0], a[1], a[2], GSL_PREC_DOUBLE, &r);
    case OpEllipticRD:
        return gsl_sf_ellint_RD_e(a[0], a[1], a[2], GSL_PREC_DOUBLE, &r);
    case OpEllipticRJ:
        return gsl_sf_ellint_RJ_e(a[0], a[1], a[2], a[3], GSL_PREC_DOUBLE, &r);
    case OpEllipticRC:
        return gsl_sf_ellint_RC_e(a[0], a[1], GSL_PREC_DOUBLE, &r);
    case OpEllipticF:
        return gsl_sf_ellint_F_e(a[0], a[1], GSL_PREC_DOUBLE, &r);
    case OpEllipticE:
        return gsl_sf_ellint_E_e(a[0], a[1], GSL_PREC_DOUBLE, &r);
    case OpEllipticP:
        return gsl_sf_ellint_P_e(a[0], a[2], a[1], GSL_PREC_DOUBLE, &r);
    case OpHZeta:
        return gsl_sf_hzeta_e(a[0], a[1], &r);
    default:
        return kNotThisFamily;
    }
}

int ApplyJacobiElliptic(int op, const double* a, double& value, MathStatus& status)
{
    double sn = 0, cn = 0, dn = 0;
    const int gslStatus = gsl_sf_elljac_e(a[0], a[1] * a[1], &sn, &cn, &dn);
    gsl_sf_result r{op == OpEllipticSn ? sn : op == OpEllipticCn ? cn : dn, 0.0};
    TakeLibraryStatus(gslStatus, r, value, status);
    return 0;
}

int ApplyNumericLibrary(int op, const double* a, double& value, MathStatus& status, bool& handled)
{
    handled = true;
    int n = 0, k = 0;
    const bool needsOrder = op == OpBico || op == OpBesselJs || op == OpBesselYs || op == OpFactLn;
    if (needsOrder && (!TruncateToInt32(a[0], n) || (op == OpBico && !TruncateToInt32(a[1], k))))
        return ErrBadArgument;
    NumericCall call(status);
    double first = 0, second = 0, unused1 = 0, unused2 = 0;
    switch (op) {
    case OpBico:
        value = BinomialCoefficient(n, k);
        return 0;
    case OpExpEi:
        value = ExponentialIntegralEi(a[0]);
        return 0;
    case OpFactLn:
        value = LogFactorial(n);
        return 0;
    case OpGammaP:
        value = IncompleteGammaP(a[0], a[1]);
        return 0;
    case OpGammaQ:
        value = IncompleteGammaQ(a[0], a[1]);
        return 0;
    case OpBesselJs:
    case OpBesselYs:
        SphericalBessel(n, a[1], &first, &second, &unused1, &unused2);
        value = op == OpBesselJs ? first : second;
        return 0;
    case OpFresnelS:
    case OpFresnelC:
        FresnelIntegrals(a[0], &first, &second);
        value = op == OpFresnelS ? first : second;
        return 0;
    case OpCosInt:
    case OpSinInt:
        CosineSineIntegrals(a[0], &first, &second);
        value = op == OpCosInt ? first : second;
        return 0;
    default:
        handled = false;
        return 0;
    }
}

// The library's default handler aborts the program on any error; an engine used before start-up
// installed the engine's handler must still report the error instead. A handler already set
// stays in place. The library keeps its handler in this exported variable: reading it is one
// load on every call, where setting and restoring it took two calls into the library.
void EnsureLibraryErrorHandler()
{
    if (!gsl_error_handler)
        gsl_set_error_handler(&GslErrorHandler);
}

// A function with a whole order first, at the order n already taken from its first argument.
template <int Op, int (*Routine)(int, double, gsl_sf_result*)>
double OrderedValue(int n, double x, int& code)
{
    EnsureLibraryErrorHandler();
    gsl_sf_result r{0.0, 0.0};
    MathStatus status;
    double value = 0;
    TakeLibraryStatus(Routine(n, x, &r), r, value, status);
    code = FinishOperation(Op, 0, status, value);
    return value;
}

int ApplySpecialFunction(int op, const double* a, double& value, MathStatus& status, bool& handled)
{
    handled = true;
    EnsureLibraryErrorHandler();
    gsl_sf_result r{0.0, 0.0};
    if (const int gslStatus = ApplyGslOneArgument(op, a[0], r); gslStatus != kNotThisFamily) {
        TakeLibraryStatus(gslStatus, r, value, status);
        if (op == OpErf || op == OpErfc) // erf(6) is 1 and erfc(-6) is 2 only through rounding
            FlagSaturated(value, op == OpErf ? 1.0 : 2.0);
        return 0;
    }
    if (const int gslStatus = ApplyGslSeveralArguments(op, a, r); gslStatus != kNotThisFamily) {
        TakeLibraryStatus(gslStatus, r, value, status);
        return 0;
    }
    if (op >= OpEllipticSn && op <= OpEllipticDn)
        return ApplyJacobiElliptic(op, a, value, status);
    return ApplyNumericLibrary(op, a, value, status, handled);
}

} // namespace

OrderedSpecialFunction OrderedSpecialFunctionOf(int op)
{
    switch (op) {
    case OpBesselJ:
        return OrderedValue<OpBesselJ, gsl_sf_bessel_Jn_e>;
    case OpBesselY:
        return OrderedValue<OpBesselY, gsl_sf_bessel_Yn_e>;
    case OpBesselK:
        return OrderedValue<OpBesselK, gsl_sf_bessel_Kn_e>;
    case OpBesselI:
        return OrderedValue<OpBesselI, gsl_sf_bessel_In_e>;
    case OpPsiN:
        return OrderedValue<OpPsiN, gsl_sf_psi_n_e>;
    default:
        return nullptr;
    }
}

int SpecialFunctionValue(int op, int, double* a, int, double& value)
{
    // The functions with an order first: the Bessel functions are the most used of the family.
    // Orders that do not fit 32 bits are refused with 13.
    if (const OrderedSpecialFunction ordered = OrderedSpecialFunctionOf(op)) {
        int n = 0;
        if (!TruncateToInt32(a[0], n))
            return ErrBadArgument;
        int code = 0;
        value = ordered(n, a[1], code);
        return code;
    }
    MathStatus status;
    bool handled = true;
    const int code = ApplySpecialFunction(op, a, value, status, handled);
    return FinishOperation(op, code, status, value);
}
