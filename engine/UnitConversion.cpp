#include "engine/UnitRegistry.h"

#include "framework/core/AsciiText.h"

#include <cctype>

namespace {

// A unit text that is one name: a registry name as a whole (which may contain blanks, as in
// "light year"), or a single identifier.
bool IsSingleUnitName(const std::string& text)
{
    if (IsRegisteredUnitName(text.c_str()))
        return true;
    if (text.empty() || !(std::isalpha((unsigned char)text[0]) || text[0] == '_'))
        return false;
    for (char c : text)
        if (!(std::isalnum((unsigned char)c) || c == '_'))
            return false;
    return true;
}

} // namespace

int ConvertUnits(double& value, const char* from, const char* to)
{
    const std::string source = TrimUnitText(from);
    const std::string target = TrimUnitText(to);
    if (ascii::EqualNoCase(source.c_str(), target.c_str()))
        return 0;
    double converted = value;
    if (ConvertTemperature(source.c_str(), target.c_str(), converted)) {
        value = converted;
        return 0;
    }
    double factor = 1.0;
    if (IsSingleUnitName(source) && IsSingleUnitName(target)) {
        if (!FindUnitNameFactor(source.c_str(), target.c_str(), factor))
            return 13;
        value *= factor;
        return 0;
    }
    return 13;
}

bool CanConvertUnits(const char* from, const char* to)
{
    double value = 1.0;
    return ConvertUnits(value, from, to) == 0;
}
