#include "engine/LocaleSeparators.h"

#ifdef _WIN32
#include "framework/core/Platform.h"
#else
#include <clocale>
#include <langinfo.h>
#include <locale.h>
#endif

namespace {

constexpr LocaleSeparators DotConvention = {',', '.', ','};
constexpr LocaleSeparators CommaConvention = {';', ',', '.'};

LocaleSeparators g_Separators = DotConvention;

} // namespace

const LocaleSeparators& GetLocaleSeparators() { return g_Separators; }

void UseDotSeparators() { g_Separators = DotConvention; }

void UseCommaSeparators() { g_Separators = CommaConvention; }

int GetDecimalPointFlag() { return g_Separators.chDecimal == '.' ? 1 : 0; }

void InitLocaleSeparators()
{
    if (QueryUserDecimalPoint() == ",")
        UseCommaSeparators();
    else
        UseDotSeparators();
}

CString QueryUserDecimalPoint()
{
#ifdef _WIN32
    char buf[16] = {};
    if (::GetLocaleInfoA(LOCALE_USER_DEFAULT, LOCALE_SDECIMAL, buf, int(sizeof buf)) <= 0)
        return CString(".");
    return CString(buf);
#else
    // A locale object of its own, so the process-wide C locale is never switched.
    locale_t loc = ::newlocale(LC_NUMERIC_MASK, "", locale_t(nullptr));
    if (loc == locale_t(nullptr))
        return CString(".");
    CString text(::nl_langinfo_l(RADIXCHAR, loc));
    ::freelocale(loc);
    return text;
#endif
}
