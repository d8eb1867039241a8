#include "engine/FunctionCatalogue.h"
#include "engine/CatalogueHandlers.h"

#include "engine/ExprNode.h"
#include "engine/LocaleSeparators.h"
#include "framework/core/AsciiText.h"

#include <algorithm>
#include <array>

namespace {

// clang-format off
constexpr FunctionTableEntry FunctionTable[] = {
    {nullptr, 0, 0, OpPi, "Algebraic", "PI", "", "Returns the mathematical constant PI"},
    {nullptr, 0, 0, OpInf, "Algebraic", "INF", "", "Designates (positive) infinity"},
    {nullptr, 0, 0, OpInf, "Algebraic", "PINF", "", "Designates positive infinity"},
    {nullptr, 0, 0, OpNInf, "Algebraic", "NINF", "", "Designates negative infinity"},
    {nullptr, 0, 0, OpAns, "Algebraic", "ANS", "", "Returns the answer from the last calculation"},
    {catalogue::Fact, 1, 1, OpFact, "Algebraic", "FACT", "x", "Returns the factorial function of x"},
    {catalogue::Exp, 1, 1, OpExp, "Algebraic", "EXP", "x", "Returns the exponential function of x"},
    {catalogue::Ln, 1, 1, OpLn, "Algebraic", "LN", "x", "Returns the natural logarithm of x"},
    {catalogue::Log10, 1, 1, OpLog, "Algebraic", "LOG", "x", "Returns the base-10 logarithm of x"},
    {catalogue::Abs, 1, 1, OpAbs, "Algebraic", "ABS", "x", "Returns the absolute value of x"},
    {catalogue::Sqrt, 1, 1, OpSqrt, "Algebraic", "SQRT", "x", "Returns the square root of x"},
    {catalogue::Sqr, 1, 1, OpSqr, "Algebraic", "SQR", "x", "Returns the square of x"},
    {catalogue::IntPart, 1, 1, OpInt, "Algebraic", "INT", "x", "Returns the integer part of x"},
    {catalogue::Ceil, 1, 1, OpCeil, "Algebraic", "CEIL", "x", "Returns the smallest integer larger than x"},
    {catalogue::Floor, 1, 1, OpFloor, "Algebraic", "FLOOR", "x", "Returns the largest integer less than x"},
    {catalogue::Rad, 1, 1, OpRad, "Algebraic", "RAD", "x", "Returns the angle x in degrees converted to radians"},
    {catalogue::Deg, 1, 1, OpDeg, "Algebraic", "DEG", "x", "Returns the angle x in radians converted to degrees"},
    {catalogue::LogN, 2, 2, OpLogN, "Algebraic", "LOGN", "n, x", "Returns the base-n logarithm of x"},
    {catalogue::Mod, 2, 2, OpMod, "Algebraic", "MOD", "number, modulus", "Returns the remainder of a division"},
    {catalogue::Sin, 1, 1, OpSin, "Trigonometric", "SIN", "x", "Returns the sine function of x"},
    {catalogue::Cos, 1, 1, OpCos, "Trigonometric", "COS", "x", "Returns the cosine function of x"},
    {catalogue::Tan, 1, 1, OpTan, "Trigonometric", "TAN", "x", "Returns the tangent function of x"},
    {catalogue::Sec, 1, 1, OpSec, "Trigonometric", "SEC", "x", "Returns the secant function of x"},
    {catalogue::Csc, 1, 1, OpCsc, "Trigonometric", "CSC", "x", "Returns the cosecant function of x"},
    {catalogue::Cot, 1, 1, OpCot, "Trigonometric", "COT", "x", "Returns the cotangent function of x"},
    {catalogue::Asin, 1, 1, OpAsin, "Inverse Trig", "ASIN", "x", "Returns the inverse sine of x"},
    {catalogue::Asin, 1, 1, OpAsin, "Inverse Trig", "ARCSIN", "x", "Returns the inverse sine of x"},
    {catalogue::Acos, 1, 1, OpAcos, "Inverse Trig", "ACOS", "x", "Returns the inverse cosine of x"},
    {catalogue::Acos, 1, 1, OpAcos, "Inverse Trig", "ARCCOS", "x", "Returns the inverse cosine of x"},
    {catalogue::Atan, 1, 1, OpAtan, "Inverse Trig", "ATAN", "x", "Returns the inverse tangent of x"},
    {catalogue::Atan, 1, 1, OpAtan, "Inverse Trig", "ARCTAN", "x", "Returns the inverse tangent of x"},
    {catalogue::Asec, 1, 1, OpAsec, "Inverse Trig", "ASEC", "x", "Returns the inverse secant of x"},
    {catalogue::Asec, 1, 1, OpAsec, "Inverse Trig", "ARCSEC", "x", "Returns the inverse secant of x"},
    {catalogue::Acsc, 1, 1, OpAcsc, "Inverse Trig", "ACSC", "x", "Returns the inverse cosecant of x"},
    {catalogue::Acsc, 1, 1, OpAcsc, "Inverse Trig", "ARCCSC", "x", "Returns the inverse cosecant of x"},
    {catalogue::Acot, 1, 1, OpAcot, "Inverse Trig", "ACOT", "x", "Returns the inverse cotangent of x"},
    {catalogue::Acot, 1, 1, OpAcot, "Inverse Trig", "ARCCOT", "x", "Returns the inverse cotangent of x"},
    {catalogue::Sinh, 1, 1, OpSinh, "Hyperbolic", "SINH", "x", "Returns the hyperbolic sine of x"},
    {catalogue::Cosh, 1, 1, OpCosh, "Hyperbolic", "COSH", "x", "Returns the hyperbolic cosine of x"},
    {catalogue::Tanh, 1, 1, OpTanh, "Hyperbolic", "TANH", "x", "Returns the hyperbolic tangent of x"},
    {catalogue::Sech, 1, 1, OpSech, "Hyperbolic", "SECH", "x", "Returns the hyperbolic secant of x"},
    {catalogue::Csch, 1, 1, OpCsch, "Hyperbolic", "CSCH", "x", "Returns the hyperbolic cosecant of x"},
    {catalogue::Coth, 1, 1, OpCoth, "Hyperbolic", "COTH", "x", "Returns the hyperbolic cotangent of x"},
    {catalogue::Asinh, 1, 1, OpAsinh, "Inverse Hyperbolic", "ASINH", "x", "Returns the inverse hyperbolic sine of x"},
    {catalogue::Asinh, 1, 1, OpAsinh, "Inverse Hyperbolic", "ARCSINH", "x", "Returns the inverse hyperbolic sine of x"},
    {catalogue::Acosh, 1, 1, OpAcosh, "Inverse Hyperbolic", "ACOSH", "x", "Returns the inverse hyperbolic cosine of x"},
    {catalogue::Acosh, 1, 1, OpAcosh, "Inverse Hyperbolic", "ARCCOSH", "x", "Returns the inverse hyperbolic cosine of x"},
    {catalogue::Atanh, 1, 1, OpAtanh, "Inverse Hyperbolic", "ATANH", "x", "Returns the inverse hyperbolic tangent of x"},
    {catalogue::Atanh, 1, 1, OpAtanh, "Inverse Hyperbolic", "ARCTANH", "x", "Returns the inverse hypergolic tangent of x"},
    {catalogue::Asech, 1, 1, OpAsech, "Inverse Hyperbolic", "ASECH", "x", "Returns the inverse hyperbolic secant of x"},
    {catalogue::Asech, 1, 1, OpAsech, "Inverse Hyperbolic", "ARCSECH", "x", "Returns the inverse hyperbolic secant of x"},
    {catalogue::Acsch, 1, 1, OpAcsch, "Inverse Hyperbolic", "ACSCH", "x", "Returns the inverse hyperbolic cosecant of x"},
    {catalogue::Acsch, 1, 1, OpAcsch, "Inverse Hyperbolic", "ARCCSCH", "x", "Returns the inverse hyperbolic cosecant of x"},
    {catalogue::Acoth, 1, 1, OpAcoth, "Inverse Hyperbolic", "ACOTH", "x", "Returns the inverse hyperbolic cotangent of x"},
    {catalogue::Acoth, 1, 1, OpAcoth, "Inverse Hyperbolic", "ARCCOTH", "x", "Returns the inverse hyperbolic cotangent of x"},
    {nullptr, 1, 3, OpPlot, "Graphing", "PLOT", "y=f(x) OR r=f(t) OR x=f(t); y=g(t), [min], [max]", "Plot a 2D rectangular, polar, or parametric graph"},
    {nullptr, 1, 7, OpPlot, "Graphing", "PLOT3D", "f(x,y) [, xmin, xmax, ymin, ymax, zmin, zmax]", "Plot a 3D surface"},
    {catalogue::PV, 3, 5, OpPV, "Financial", "PV", "rate, nper, pmt, [fv=0], [type=0]", "Calculates the present value of an annuity"},
    {catalogue::FV, 3, 5, OpFV, "Financial", "FV", "rate, nper, pmt, [pv=0], [type=0]", "Calculates the future value of an annuity"},
    {catalogue::PMT, 3, 5, OpPMT, "Financial", "PMT", "rate, nper, pv, [fv=0], [type=0]", "Calculates the payment of an annuity"},
    {catalogue::NPER, 3, 5, OpNPER, "Financial", "NPER", "rate, pmt, pv, [fv=0], [type=0]", "Calculates the number of periods of an annuity"},
    {catalogue::Rate, 3, 6, OpRate, "Financial", "RATE", "nper, pmt, pv, [fv=0], [type=0], [guess=1%]", "Calculates the interest rate of an annuity"},
    {catalogue::EFR, 1, 2, OpEffectiveRate, "Financial", "EFR", "apr, [npery=12]", "Calculates the effective interest rate from the nominal rate"},
    {catalogue::EFR, 1, 2, OpEffectiveRate, "Financial", "EFFECTIVERATE", "NominalRate, [PeriodsPerYear=12]", "Calculates the effective interest rate from the nominal rate"},
    {catalogue::APR, 1, 2, OpNominalRate, "Financial", "APR", "efr, [npery=12]", "Calculates the nominal interest rate from the effective rate"},
    {catalogue::APR, 1, 2, OpNominalRate, "Financial", "NOMINALRATE", "EffectiveRate, [PeriodsPerYear=12]", "Calculates the nominal interest rate from the effective rate"},
    {nullptr, 2, 2, OpNormDist, "Statistical", "NORMDIST", "x, sigma", "returns the probability density function for a Gaussian distribution"},
    {nullptr, 3, 3, OpBetaDist, "Statistical", "BETADIST", "x, alpha, beta", "returns the probability density function for a beta distribution"},
    {nullptr, 2, 2, OpTDist, "Statistical", "TDIST", "t, df", "returns the student t's distribution"},
    {nullptr, 2, 2, OpTInv, "Statistical", "TINV", "p, df", "returns the inverse student's t"},
    {nullptr, 255, 255, OpSum, "Statistical", "SUM", "v1, v2, v3, ..., vn", "Calculates the sum of the arguments"},
    {nullptr, 255, 255, OpAve, "Statistical", "AVE", "v1, v2, v3, ..., vn", "Calculates the average of the arguments"},
    {nullptr, 255, 255, OpMin, "Statistical", "MIN", "v1, v2, v3, ..., vn", "Calculates the minimum of the arguments"},
    {nullptr, 255, 255, OpMax, "Statistical", "MAX", "v1, v2, v3, ..., vn", "Calculates the maximum of the arugments"},
    {catalogue::AiryAi, 1, 1, OpAiryAi, "Special", "AIRYAI", "x", "Returns the Airy function Ai"},
    {catalogue::AiryBi, 1, 1, OpAiryBi, "Special", "AIRYBI", "x", "Returns the Airy function Bi"},
    {catalogue::Bico, 2, 2, OpBico, "Special", "BICO", "n, k", "Returns the binomial coefficient"},
    {catalogue::Beta, 2, 2, OpBeta, "Special", "BETA", "z, w", "Returns the beta function"},
    {catalogue::BetaI, 3, 3, OpBetaI, "Special", "BETAI", "a, b, x", "Returns the incomplete beta function"},
    {catalogue::BesselJ, 2, 2, OpBesselJ, "Special", "BESSELJ", "n, x", "Returns the Bessel function J"},
    {catalogue::BesselY, 2, 2, OpBesselY, "Special", "BESSELY", "n, x", "Returns the Bessel function Y"},
    {catalogue::BesselK, 2, 2, OpBesselK, "Special", "BESSELK", "n, x", "Returns the modified Bessel function K"},
    {catalogue::BesselI, 2, 2, OpBesselI, "Special", "BESSELI", "n, x", "Returns the modified Bessel function I"},
    {catalogue::BesselJs, 2, 2, OpBesselJs, "Special", "BESSELJS", "n, x", "Returns the spherical Bessel function j"},
    {catalogue::BesselYs, 2, 2, OpBesselYs, "Special", "BESSELYS", "n, x", "Returns the spherical Bessel function y"},
    {nullptr, 1, 2, OpClausen, "Special", "CLAUSEN", "x", "Returns the Clausen integral"},
    {catalogue::Dawson, 1, 1, OpDawson, "Special", "DAWSON", "x", "Returns the Dawson integral"},
    {nullptr, 1, 1, OpDilog, "Special", "DILOG", "x", "Returns the dilogarithm"},
    {catalogue::EllipticRF, 3, 3, OpEllipticRF, "Special", "ELLIPTICRF", "x, y, z", "Returns the Carlson elliptic integral RF"},
    {catalogue::EllipticRD, 3, 3, OpEllipticRD, "Special", "ELLIPTICRD", "x, y, z", "Returns the Carlson elliptic integral RD"},
    {catalogue::EllipticRJ, 4, 4, OpEllipticRJ, "Special", "ELLIPTICRJ", "x, y, z, p", "Returns the Carlson elliptic integral RJ"},
    {catalogue::EllipticRC, 2, 2, OpEllipticRC, "Special", "ELLIPTICRC", "x, y", "Returns the Carlson elliptic integral RC"},
    {catalogue::EllipticF, 2, 2, OpEllipticF, "Special", "ELLIPTICF", "phi, k", "Returns the Legendre elliptic integral of the first kind"},
    {catalogue::EllipticE, 2, 2, OpEllipticE, "Special", "ELLIPTICE", "phi, k", "Returns the Legendre elliptic integral of the second kind"},
    {catalogue::EllipticP, 3, 3, OpEllipticP, "Special", "ELLIPTICP", "phi, n, k", "Returns the Legendre elliptic integral of the third kind"},
    {catalogue::EllipticSn, 2, 2, OpEllipticSn, "Special", "ELLIPTICSN", "u, k", "Returns the Jacobi elliptic function sn"},
    {catalogue::EllipticCn, 2, 2, OpEllipticCn, "Special", "ELLIPTICCN", "u, k", "Returns the Jacobi elliptic function cn"},
    {catalogue::EllipticDn, 2, 2, OpEllipticDn, "Special", "ELLIPTICDN", "u, k", "Returns the Jacobi elliptic function dn"},
    {catalogue::Erf, 1, 1, OpErf, "Special", "ERF", "x", "Returns the error function"},
    {catalogue::Erfc, 1, 1, OpErfc, "Special", "ERFC", "x", "Returns the complementary error function"},
    {catalogue::ExpEi, 1, 1, OpExpEi, "Special", "EXPEI", "x", "Returns the expoenential integral Ei"},
    {catalogue::FactLn, 1, 1, OpFactLn, "Special", "FACTLN", "n", "Returns the logarithm of the factorial of n"},
    {catalogue::FresnelS, 1, 1, OpFresnelS, "Special", "FRESNELS", "x", "Returns the Fresnel integral S(x)"},
    {catalogue::FresnelC, 1, 1, OpFresnelC, "Special", "FRESNELC", "x", "Returns the Fresnel integral C(x)"},
    {nullptr, 1, 1, OpGamma, "Special", "GAMMA", "x", "Returns the gamma function"},
    {catalogue::GammaLn, 1, 1, OpGammaLn, "Special", "GAMMALN", "x", "Returns the logarithm of the gamma function"},
    {catalogue::GammaP, 2, 2, OpGammaP, "Special", "GAMMAP", "a, x", "Returns the incomplete gamma function P"},
    {catalogue::GammaQ, 2, 2, OpGammaQ, "Special", "GAMMAQ", "a, x", "Returns the incomplete gamma function Q"},
    {nullptr, 1, 1, OpPsi, "Special", "PSI", "x", "Returns the digamma function"},
    {nullptr, 2, 2, OpPsiN, "Special", "PSIN", "n, x", "Returns the polygamma function"},
    {catalogue::CosInt, 1, 1, OpCosInt, "Special", "COSINT", "x", "Returns the cosine integral Ci"},
    {catalogue::SinInt, 1, 1, OpSinInt, "Special", "SININT", "x", "Returns the sine integral Si"},
    {nullptr, 1, 1, OpShi, "Special", "SHI", "x", "Returns the hyperbolic sine integral"},
    {nullptr, 1, 1, OpChi, "Special", "CHI", "x", "Returns the hyperbolic cosine integral"},
    {nullptr, 1, 1, OpZeta, "Special", "ZETA", "s", "Returns the Riemann zeta function"},
    {nullptr, 2, 2, OpHZeta, "Special", "HZETA", "s, q", "Returns the Hurwitz zeta function"},
    {nullptr, 1, 1, OpEta, "Special", "ETA", "s", "Returns the eta function"},
    {nullptr, 3, 3, OpFInt, "Solver", "FINT", "f(x), a, b", "Numerically integrates f(x) between a and b"},
    {nullptr, 2, 2, OpFDiff, "Solver", "FDIFF", "f(x), x", "Numerically differentiates f(x) at x"},
    {nullptr, 3, 3, OpFZero, "Solver", "FZERO", "f(x), a, b", "Finds the zero of f(x) between a and b"},
    {nullptr, 3, 4, OpFSum, "Solver", "FSUM", "f(x), a, b, [step=1]", "Calculates the series sum of f(x)"},
    {nullptr, 3, 3, OpConvert, "Unit Conversion", "CONVERT", "Number, FromUnit, ToUnit", "Converts a number from one unit to another"},
    {nullptr, 2, 2, OpConvertBase, "Base Conversion", "CB", "Number, ToBase", "Converts a number to another base"},
    {nullptr, 2, 2, OpConvertBase, "Base Conversion", "CONVERTBASE", "Number, ToBase", "Converts a number to another base"},
    {nullptr, 1, 1, OpBin, "Base Conversion", "BIN", "Number", "Converts a number to binary base"},
    {nullptr, 1, 1, OpOct, "Base Conversion", "OCT", "Number", "Converts a number to octal base"},
    {nullptr, 1, 1, OpDec, "Base Conversion", "DEC", "Number", "Converts a number to decimal base"},
    {nullptr, 1, 1, OpHex, "Base Conversion", "HEX", "Number", "Converts a number to hexadecimal base"},
    {catalogue::And, 2, 2, OpAnd, "Bit-wise Operations", "AND", "Number1, Number2", "Performs the AND bitwise operation"},
    {catalogue::Or, 2, 2, OpOr, "Bit-wise Operations", "OR", "Number1, Number2", "Performs the OR bitwise operation"},
    {catalogue::Xor, 2, 2, OpXor, "Bit-wise Operations", "XOR", "Number1, Number2", "Performs the XOR bitwise operation"},
    {catalogue::Not, 1, 1, OpNot, "Bit-wise Operations", "NOT", "Number", "Performs the NOT bitwise operation"},
    {catalogue::LShift, 2, 2, OpLShift, "Bit-wise Operations", "LSHIFT", "Number, ShiftBy", "Performs the left shift bitwise operation"},
    {catalogue::RShift, 2, 2, OpRShift, "Bit-wise Operations", "RSHIFT", "Number, ShiftBy", "Performs the right shift bitwise operation"},
};
// clang-format on

constexpr int FunctionTableSize = int(sizeof FunctionTable / sizeof FunctionTable[0]);
static_assert(FunctionTableSize == 134);

} // namespace

// clang-format off
const char FunctionCategoryNames[FunctionCategoryCount][20] = {
    "Algebraic",
    "Trigonometric",
    "Inverse Trig",
    "Hyperbolic",
    "Inverse Hyperbolic",
    "Graphing",
    "Financial",
    "Statistical",
    "Special",
    "Solver",
    "Unit Conversion",
    "Base Conversion",
    "Bit-wise Operations",
};
// clang-format on

namespace {

// Display order of the rows; table order until SortFunctionTable.
std::array<int, FunctionTableSize>& DisplayOrder()
{
    static std::array<int, FunctionTableSize> order = [] {
        std::array<int, FunctionTableSize> a{};
        for (int i = 0; i < FunctionTableSize; ++i)
            a[std::size_t(i)] = i;
        return a;
    }();
    return order;
}

// The argument at position (trimmed), position moved behind its separator; -1 and an empty
// text when a parenthesis does not close.
CString NextArgument(const CString& inner, int& position, char separator)
{
    const int length = inner.GetLength();
    int i = position;
    while (i < length && inner[i] != separator) {
        if (inner[i] == '(') {
            int depth = 0;
            for (; i < length; ++i) {
                if (inner[i] == '(')
                    ++depth;
                else if (inner[i] == ')' && --depth == 0)
                    break;
            }
            if (i >= length) {
                position = -1;
                return CString();
            }
        }
        ++i;
    }
    CString arg = inner.Mid(position, i - position);
    arg.Trim();
    position = i + 1;
    return arg;
}

} // namespace

int GetFunctionTableSize() { return FunctionTableSize; }

const FunctionTableEntry& GetFunctionEntry(int row)
{
    return FunctionTable[row >= 0 && row < FunctionTableSize ? row : 0];
}

int GetFunctionCategoryCount() { return FunctionCategoryCount; }

const char* GetFunctionCategoryName(int i)
{
    return i >= 0 && i < GetFunctionCategoryCount() ? FunctionCategoryNames[i] : "";
}

int FindFunctionEntry(const char* name)
{
    if (!name)
        return -1;
    for (int i = 0; i < FunctionTableSize; ++i)
        if (ascii::EqualNoCase(FunctionTable[i].name, name))
            return i;
    return -1;
}

bool IsFunctionName(const char* name)
{
    CString trimmed(name);
    trimmed.Trim();
    return !trimmed.IsEmpty() && FindFunctionEntry(trimmed) >= 0;
}

void SortFunctionTable()
{
    auto& order = DisplayOrder();
    std::stable_sort(order.begin(), order.end(), [](int a, int b) {
        return ascii::CompareNoCase(FunctionTable[a].name, FunctionTable[b].name) < 0;
    });
}

int GetSortedFunctionRow(int i)
{
    return i >= 0 && i < FunctionTableSize ? DisplayOrder()[std::size_t(i)] : -1;
}

bool SplitFunctionCall(const CString& text, CString& name, CStringArray& arguments, char separator)
{
    if (separator == 0)
        separator = GetLocaleSeparators().chList;
    CString t(text);
    t.Trim();
    if (t.IsEmpty())
        return false;
    int p = t.Find('(');
    if (p < 1 || t[t.GetLength() - 1] != ')')
        return false;
    name = t.Left(p);
    name.TrimRight();
    CString inner = t.Mid(p + 1, t.GetLength() - p - 2);
    inner.Trim();
    if (inner.IsEmpty())
        return false;
    arguments.RemoveAll();
    int position = 0;
    while (position >= 0 && position < inner.GetLength()) {
        arguments.Add(NextArgument(inner, position, separator));
        if (position < 0)
            return false;
    }
    return true;
}
