#include "engine/NumberText.h"

#include <charconv>
#include <cmath>
#include <string>

namespace numtext {

namespace {

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// Value of a digit character in bases up to 36, else 99.
int DigitValue(char c)
{
    if (c >= '0' && c <= '9')
        return c - '0';
    if (c >= 'a' && c <= 'z')
        return c - 'a' + 10;
    if (c >= 'A' && c <= 'Z')
        return c - 'A' + 10;
    return 99;
}

// Precision as printf reads it, bounded so that buffers stay small (digits past the exact
// binary expansion of a double are zeros anyway).
int ClampPrecision(int precision)
{
    return precision < 0 ? 6 : (precision > 1100 ? 1100 : precision);
}

CString NonFinite(double x)
{
    if (std::isnan(x))
        return CString("NAN");
    return CString(x < 0 ? "-INF" : "INF");
}

// Rewrites the runtime-neutral text of to_chars: exponent with a sign and at least three
// digits, the given decimal point, optional upper case.
CString Finish(const char* first, const char* last, char decimalPoint, bool upper)
{
    std::string s(first, last);
    std::size_t e = s.find('e');
    if (e != std::string::npos) {
        std::string mant = s.substr(0, e);
        char sign = s[e + 1];
        std::string digits = s.substr(e + 2);
        while (digits.size() < 3)
            digits.insert(digits.begin(), '0');
        s = mant + (upper ? 'E' : 'e') + sign + digits;
    }
    for (char& c : s)
        if (c == '.')
            c = decimalPoint;
    return CString(std::string_view(s));
}

CString Convert(double x, std::chars_format fmt, int precision, char decimalPoint, bool upper)
{
    if (!std::isfinite(x))
        return NonFinite(x);
    std::string buf(1500, '\0');
    auto res =
        std::to_chars(buf.data(), buf.data() + buf.size(), x, fmt, ClampPrecision(precision));
    return Finish(buf.data(), res.ptr, decimalPoint, upper);
}

} // namespace

bool ScanDecimal(std::string_view text, char decimalPoint, double& value)
{
    std::string norm;
    std::size_t i = 0, n = text.size();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    std::size_t digits = 0;
    for (; i < n && IsDigit(text[i]); ++i, ++digits)
        norm += text[i];
    if (i < n && text[i] == decimalPoint) {
        norm += '.';
        for (++i; i < n && IsDigit(text[i]); ++i, ++digits)
            norm += text[i];
    }
    if (digits == 0)
        return false;
    if (i < n && (text[i] == 'e' || text[i] == 'E' || text[i] == 'd' || text[i] == 'D')) {
        norm += 'e';
        ++i;
        if (i < n && (text[i] == '+' || text[i] == '-'))
            norm += text[i++];
        std::size_t expDigits = 0;
        for (; i < n && IsDigit(text[i]); ++i, ++expDigits)
            norm += text[i];
        if (expDigits == 0)
            return false;
    }
    if (i != n)
        return false;
    double v = 0;
    auto res =
        std::from_chars(norm.data(), norm.data() + norm.size(), v, std::chars_format::general);
    if (res.ec != std::errc() || res.ptr != norm.data() + norm.size() || !std::isfinite(v))
        return false;
    value = negative ? -v : v;
    return true;
}

bool ScanInteger(std::string_view text, int base, int& value)
{
    if (base < 2 || base > 36)
        return false;
    std::size_t i = 0, n = text.size();
    bool negative = false;
    if (i < n && (text[i] == '+' || text[i] == '-'))
        negative = text[i++] == '-';
    if (i == n)
        return false;
    long long v = 0;
    for (; i < n; ++i) {
        int d = DigitValue(text[i]);
        if (d >= base)
            return false;
        v = v * base + d;
        if (v > 2147483648LL)
            return false;
    }
    if (negative)
        v = -v;
    if (v > 2147483647LL)
        return false;
    value = int(v);
    return true;
}

CString Fixed(double x, int decimals, char decimalPoint)
{
    return Convert(x, std::chars_format::fixed, decimals, decimalPoint, false);
}

CString Exponent(double x, int decimals, char decimalPoint, bool upper)
{
    return Convert(x, std::chars_format::scientific, decimals, decimalPoint, upper);
}

CString General(double x, int precision, char decimalPoint, bool upper)
{
    return Convert(x, std::chars_format::general, precision == 0 ? 1 : precision, decimalPoint,
                   upper);
}

CString Shortest(double x, char decimalPoint)
{
    if (!std::isfinite(x))
        return NonFinite(x);
    if (x == 0.0)
        return CString("0");
    char buf[64];
    const auto res = std::to_chars(buf, buf + sizeof buf, x, std::chars_format::scientific);
    const std::string_view s(buf, std::size_t(res.ptr - buf));
    const std::size_t e = s.find('e');
    std::string digits;
    for (std::size_t i = 0; i < e; ++i)
        if (IsDigit(s[i]))
            digits += s[i];
    int exponent = 0;
    std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), exponent);
    std::string text = x < 0 ? "-" : "";
    if (exponent < -4 || exponent >= 15) {
        text += digits[0];
        if (digits.size() > 1) {
            text += decimalPoint;
            text.append(digits, 1);
        }
        std::string power = std::to_string(exponent < 0 ? -exponent : exponent);
        while (power.size() < 3)
            power.insert(power.begin(), '0');
        text += exponent < 0 ? "e-" : "e+";
        text += power;
    } else if (exponent < 0) {
        text += '0';
        text += decimalPoint;
        text.append(std::size_t(-exponent - 1), '0');
        text += digits;
    } else {
        const std::size_t whole = std::size_t(exponent) + 1;
        if (digits.size() <= whole) {
            text += digits;
            text.append(whole - digits.size(), '0');
        } else {
            text.append(digits, 0, whole);
            text += decimalPoint;
            text.append(digits, whole);
        }
    }
    return CString(std::string_view(text));
}

CString Printf(const char* format, double x, char decimalPoint)
{
    std::string_view f(format ? format : "");
    std::string prefix;
    std::size_t i = 0;
    for (; i < f.size(); ++i) {
        if (f[i] != '%')
            prefix += f[i];
        else if (i + 1 < f.size() && f[i + 1] == '%')
            prefix += f[++i];
        else
            break;
    }
    int precision = 6;
    char conv = 0;
    std::size_t j = i + 1;
    if (i < f.size()) {
        if (j < f.size() && f[j] == '.') {
            precision = 0;
            for (++j; j < f.size() && IsDigit(f[j]) && precision < 10000; ++j)
                precision = precision * 10 + (f[j] - '0');
        }
        if (j < f.size())
            conv = f[j++];
    }
    CString body;
    switch (conv) {
    case 'f':
    case 'F':
        body = Fixed(x, precision, decimalPoint);
        break;
    case 'e':
    case 'E':
        body = Exponent(x, precision, decimalPoint, conv == 'E');
        break;
    case 'g':
    case 'G':
        body = General(x, precision, decimalPoint, conv == 'G');
        break;
    default:
        return General(x, 6, decimalPoint);
    }
    CString text{std::string_view(prefix)};
    text += body;
    while (j < f.size()) {
        bool escaped = f[j] == '%' && j + 1 < f.size() && f[j + 1] == '%';
        text += f[j];
        j += escaped ? 2 : 1;
    }
    return text;
}

CString Integer(long long v, bool plus)
{
    char buf[32];
    char* p = buf;
    if (plus && v >= 0)
        *p++ = '+';
    auto res = std::to_chars(p, buf + sizeof buf, v);
    return CString(buf, int(res.ptr - buf));
}

CString IntegerInBase(int v, int base)
{
    if (base < 2 || base > 36)
        return CString();
    if (base == 10)
        return Integer(v);
    char buf[40];
    auto res = std::to_chars(buf, buf + sizeof buf, static_cast<unsigned int>(v), base);
    return CString(buf, int(res.ptr - buf));
}

void Digits(double x, int count, CString& digits, int& exponent)
{
    char buf[64];
    if (count < 1)
        count = 1;
    if (count > 40)
        count = 40;
    auto res = std::to_chars(buf, buf + sizeof buf, std::fabs(x), std::chars_format::scientific,
                             count - 1);
    std::string_view s(buf, std::size_t(res.ptr - buf));
    std::size_t e = s.find('e');
    std::string d;
    for (std::size_t i = 0; i < e; ++i)
        if (IsDigit(s[i]))
            d += s[i];
    int ev = 0;
    std::from_chars(s.data() + e + (s[e + 1] == '+' ? 2 : 1), s.data() + s.size(), ev);
    digits = CString(std::string_view(d));
    exponent = ev;
}

void DropSignOfZero(CString& text)
{
    if (text.IsEmpty() || text[0] != '-')
        return;
    for (int i = 1; i < text.GetLength() && text[i] != 'e' && text[i] != 'E'; ++i)
        if (text[i] >= '1' && text[i] <= '9')
            return;
    text.Delete(0);
}

} // namespace numtext
