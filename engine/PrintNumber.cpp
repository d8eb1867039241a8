#include "engine/PrintNumber.h"
#include "engine/LocaleSeparators.h"
#include "engine/NumberText.h"

#include <cmath>

CString FormatSignificant15(double value)
{
    if (std::isinf(value))
        return value > 0 ? "INF" : "NINF";
    if (value == 0.0)
        value = 0.0; // no "-0"
    return numtext::General(value, 15, GetLocaleSeparators().chDecimal);
}

CString FormatRoundTrip(double value)
{
    if (std::isinf(value))
        return value > 0 ? "INF" : "NINF";
    return numtext::Shortest(value, GetLocaleSeparators().chDecimal);
}

CString PrintNumberValue(double value)
{
    CString text = FormatRoundTrip(value);
    if (value < 0 && !std::isinf(value))
        return "(" + text + ")";
    return text;
}
