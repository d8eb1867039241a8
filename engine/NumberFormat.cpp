#include "engine/NumberFormat.h"

#include "engine/LocaleSeparators.h"
#include "engine/NumberText.h"

#include <cmath>

namespace {

// Floored integer division: the exponent group of -4 is -2 (10^-6), not -1.
int FloorDiv(int a, int b) { return a / b - ((a % b != 0) && ((a < 0) != (b < 0)) ? 1 : 0); }

CString ExponentSuffix(int e) { return CString("E") + numtext::Integer(e, true); }

// digits with a decimal point after intDigits of them; trailing zeros of the fraction are
// dropped when trim is set (the %g style).
CString PlacePoint(const CString& digits, int intDigits, bool trim, char dp)
{
    CString whole = digits.Left(intDigits);
    CString frac = digits.Mid(intDigits);
    if (trim)
        frac.TrimRight('0');
    return frac.IsEmpty() ? whole : whole + dp + frac;
}

// Mantissa with exponent, the mantissa having intDigits digits before the point and either
// decimals after it or (decimals < 0) up to 15 significant digits. Carries are handled by
// taking the digits again for the larger exponent.
CString MantissaText(double x, int exponent, int groupExponent, int decimals, char dp)
{
    int intDigits = exponent - groupExponent + 1;
    int count = decimals < 0 ? 15 : intDigits + decimals;
    CString digits;
    int e = 0;
    numtext::Digits(x, count, digits, e);
    CString sign = x < 0 ? CString("-") : CString();
    return sign + PlacePoint(digits, intDigits, decimals < 0, dp);
}

} // namespace

double SplitMantissaExponent(double x, int& e)
{
    e = 0;
    if (x == 0 || !std::isfinite(x))
        return x;
    CString digits;
    numtext::Digits(x, 17, digits, e);
    double m = 0;
    numtext::ScanDecimal(PlacePoint(digits, 1, false, '.').View(), '.', m);
    // 17 digits just below a power of ten (9.9999999999999992) read back as 10.
    if (m >= 10) {
        m /= 10;
        ++e;
    }
    return x < 0 ? -m : m;
}

void InitNumberFormatSeparators()
{
    // The formatter reads the engine's separators, so there is nothing of its own to set.
}

void CNumberFormat::SetDecimals(int decimals)
{
    m_nDecimals = decimals;
    m_dRoundingUnit = std::pow(10.0, -decimals);
}

// Exponent of x after rounding to the significant digits the mode shows: a mantissa that
// rounds up to 10 moves into the next exponent.
static int RoundedExponent(double x, int groupDigitsBelow, int decimals)
{
    CString digits;
    int e = 0;
    numtext::Digits(x, 17, digits, e);
    int count = decimals < 0 ? 15 : 1 + groupDigitsBelow + decimals;
    int e2 = 0;
    numtext::Digits(x, count, digits, e2);
    return e2 > e ? e2 : e;
}

static CString FixedOrExponentFormat(int decimals, char conversion)
{
    if (decimals < 0)
        return CString("%") + conversion;
    return CString("%.") + numtext::Integer(decimals) + conversion;
}

CString CNumberFormat::Format(double x)
{
    const char dp = GetLocaleSeparators().chDecimal;
    if (!std::isfinite(x))
        return std::isnan(x) ? CString("NAN") : CString(x < 0 ? "-INF" : "INF");
    int e = 0;
    SplitMantissaExponent(x, e);
    switch (m_nMode) {
    case FormatModeGeneral:
        m_strFormat = "%.15g";
        break;
    case FormatModeNumber:
        m_strFormat = FixedOrExponentFormat(m_nDecimals, 'f');
        break;
    case FormatModeStandard:
        m_strFormat = FixedOrExponentFormat(m_nDecimals, (e <= 14 && e >= -14) ? 'f' : 'e');
        break;
    case FormatModeScientific: {
        if (x == 0)
            return MantissaText(0, 0, 0, m_nDecimals, dp) + ExponentSuffix(0);
        int re = RoundedExponent(x, 0, m_nDecimals);
        return MantissaText(x, re, re, m_nDecimals, dp) + ExponentSuffix(re);
    }
    case FormatModeEngineering: {
        if (x == 0)
            return MantissaText(0, 0, 0, m_nDecimals, dp) + ExponentSuffix(0);
        int group = 3 * FloorDiv(e, 3);
        int re = RoundedExponent(x, e - group, m_nDecimals);
        group = 3 * FloorDiv(re, 3);
        return MantissaText(x, re, group, m_nDecimals, dp) + ExponentSuffix(group);
    }
    case FormatModeCurrency:
        m_strFormat = "%.2f";
        break;
    default:
        break;
    }
    if (m_strFormat.IsEmpty())
        m_strFormat = "%g";
    CString text = numtext::Printf(m_strFormat, x, dp);
    if (std::signbit(x))
        numtext::DropSignOfZero(text);
    if (m_nMode == FormatModeCurrency) {
        int p = text.Find(dp);
        if (p < 0)
            p = text.GetLength();
        for (int i = p - 3; i > 0; i -= 3) {
            if (i == 1 && x < 0)
                break;
            text.Insert(i, GetLocaleSeparators().chThousands);
        }
    }
    return text;
}

CString CNumberFormat::FormatPoint(double x, double y)
{
    return CString("(x = ") + Format(x) + GetLocaleSeparators().chList + " y = " + Format(y) + ")";
}
