#include "engine/UnitRegistry.h"

#include "engine/BuiltinUnits.h"
#include "engine/EngineErrors.h"
#include "framework/core/AsciiText.h"

#include <cmath>
#include <vector>

namespace {

std::vector<UnitRecord> g_unitRegistry;

// A conversion search over a registry whose user part forms many cycles could otherwise run
// for an exponential time; a legitimate chain needs far fewer steps than this.
constexpr int kSearchBudget = 20000;

bool IsUsableFactor(double factor) { return std::isfinite(factor) && factor != 0.0; }

int UserIndexToRecord(int i)
{
    const int record = GetBuiltinUnitCount() + i;
    return (i >= 0 && record < int(g_unitRegistry.size())) ? record : -1;
}

struct UnitSearch {
    std::vector<char> used;         // records on the current path
    std::vector<const char*> nodes; // unit names on the current path
    int budget = kSearchBudget;
};

bool OnPath(const UnitSearch& search, const std::string& name)
{
    for (const char* node : search.nodes)
        if (ascii::EqualNoCase(node, name.c_str()))
            return true;
    return false;
}

bool SearchFactor(UnitSearch& search, const char* from, const char* to, double& factor);

// Follows record i from `from` to its other end `next` (relation factor `step`), then on to `to`.
bool FollowRecord(UnitSearch& search, int i, const std::string& next, double step, const char* to,
                  double& factor)
{
    if (ascii::EqualNoCase(next.c_str(), to)) {
        factor = step;
        return true;
    }
    if (OnPath(search, next)) // a detour back to a name already passed cannot help
        return false;
    search.used[i] = 1;
    double rest = 1.0;
    const bool found = SearchFactor(search, next.c_str(), to, rest);
    search.used[i] = 0;
    if (found)
        factor = step * rest;
    return found;
}

bool SearchFactor(UnitSearch& search, const char* from, const char* to, double& factor)
{
    if (ascii::EqualNoCase(from, to)) {
        factor = 1.0;
        return true;
    }
    if (--search.budget < 0)
        return false;
    search.nodes.push_back(from);
    bool found = false;
    for (int i = 0; i < int(g_unitRegistry.size()) && !found && search.budget >= 0; ++i) {
        const UnitRecord& r = g_unitRegistry[i];
        if (r.name.empty() || r.base.empty() || search.used[i] || !IsUsableFactor(r.factor))
            continue;
        if (ascii::EqualNoCase(r.name.c_str(), from))
            found = FollowRecord(search, i, r.base, r.factor, to, factor);
        else if (ascii::EqualNoCase(r.base.c_str(), from))
            found = FollowRecord(search, i, r.name, 1.0 / r.factor, to, factor);
    }
    search.nodes.pop_back();
    return found;
}

// Drops one trailing "." (names of 2+ characters) or plural "s" (names of 4+ characters).
bool ShortenUnitName(std::string& name)
{
    const size_t n = name.size();
    if (n >= 2 && name[n - 1] == '.') {
        name.pop_back();
        return true;
    }
    if (n >= 4 && (name[n - 1] == 's' || name[n - 1] == 'S')) {
        name.pop_back();
        return true;
    }
    return false;
}

enum class TemperatureScale { None, Celsius, Kelvin, Fahrenheit };

TemperatureScale TemperatureScaleOf(const char* name)
{
    struct Row {
        const char* name;
        TemperatureScale scale;
    };
    static constexpr Row kScales[] = {
        {"DEGC", TemperatureScale::Celsius},    {"DEGREE C", TemperatureScale::Celsius},
        {"DEGK", TemperatureScale::Kelvin},     {"DEGREE K", TemperatureScale::Kelvin},
        {"DEGF", TemperatureScale::Fahrenheit}, {"DEGREE F", TemperatureScale::Fahrenheit},
    };
    for (const Row& row : kScales)
        if (ascii::EqualNoCase(row.name, name))
            return row.scale;
    return TemperatureScale::None;
}

} // namespace

std::string TrimUnitText(const char* text)
{
    std::string s = text ? text : "";
    const size_t first = s.find_first_not_of(" \t");
    if (first == std::string::npos)
        return std::string();
    const size_t last = s.find_last_not_of(" \t");
    return s.substr(first, last - first + 1);
}

void ResetUnitRegistry()
{
    g_unitRegistry.clear();
    g_unitRegistry.reserve(size_t(GetBuiltinUnitCount()) + 16);
    for (int i = 0; i < GetBuiltinUnitCount(); ++i) {
        const BuiltinUnitEntry& row = GetBuiltinUnit(i);
        g_unitRegistry.push_back(UnitRecord{row.name, row.base, row.factor});
    }
}

void ClearUnitRegistry() { g_unitRegistry.clear(); }

void TruncateUnitRegistry()
{
    if (int(g_unitRegistry.size()) > GetBuiltinUnitCount())
        g_unitRegistry.resize(size_t(GetBuiltinUnitCount()));
}

int GetUnitRecordCount() { return int(g_unitRegistry.size()); }

const UnitRecord& GetUnitRecord(int i) { return g_unitRegistry[size_t(i)]; }

int GetUserUnitCount()
{
    const int n = int(g_unitRegistry.size()) - GetBuiltinUnitCount();
    return n > 0 ? n : 0;
}

int AddUserUnit(const char* name, const char* base, double factor)
{
    if (!IsUsableFactor(factor))
        return ErrBadArgument;
    g_unitRegistry.push_back(UnitRecord{name ? name : "", base ? base : "", factor});
    return 0;
}

void DeleteUserUnit(int i)
{
    const int record = UserIndexToRecord(i);
    if (record >= 0)
        g_unitRegistry.erase(g_unitRegistry.begin() + record);
}

UnitRecord GetUserUnit(int i)
{
    const int record = UserIndexToRecord(i);
    return record >= 0 ? g_unitRegistry[size_t(record)] : UnitRecord{};
}

std::string GetUserUnitName(int i) { return GetUserUnit(i).name; }
std::string GetUserUnitBase(int i) { return GetUserUnit(i).base; }
double GetUserUnitFactor(int i) { return GetUserUnit(i).factor; }

int SetUserUnit(int i, const char* name, const char* base, double factor)
{
    const int record = UserIndexToRecord(i);
    if (record < 0 || !IsUsableFactor(factor))
        return ErrBadArgument;
    g_unitRegistry[size_t(record)] = UnitRecord{name ? name : "", base ? base : "", factor};
    return 0;
}

int SetUserUnitFactor(int i, double factor)
{
    const int record = UserIndexToRecord(i);
    if (record < 0 || !IsUsableFactor(factor))
        return ErrBadArgument;
    g_unitRegistry[size_t(record)].factor = factor;
    return 0;
}

int SetUserUnitName(int i, const char* name)
{
    const int record = UserIndexToRecord(i);
    if (record < 0)
        return ErrBadArgument;
    const std::string base = g_unitRegistry[size_t(record)].base;
    if (!base.empty() && CanConvertUnits(name, base.c_str()))
        return ErrConversionExists;
    g_unitRegistry[size_t(record)].name = name ? name : "";
    return 0;
}

int SetUserUnitBase(int i, const char* base)
{
    const int record = UserIndexToRecord(i);
    if (record < 0)
        return ErrBadArgument;
    const std::string name = g_unitRegistry[size_t(record)].name;
    if (!name.empty() && CanConvertUnits(name.c_str(), base))
        return ErrConversionExists;
    g_unitRegistry[size_t(record)].base = base ? base : "";
    return 0;
}

bool IsUserUnitComplete(int i)
{
    const int record = UserIndexToRecord(i);
    return record >= 0 && !g_unitRegistry[size_t(record)].name.empty() &&
           !g_unitRegistry[size_t(record)].base.empty();
}

namespace {

bool IsRecordName(const std::string& name)
{
    for (const UnitRecord& r : g_unitRegistry)
        if (ascii::EqualNoCase(r.name.c_str(), name.c_str()) ||
            ascii::EqualNoCase(r.base.c_str(), name.c_str()))
            return true;
    return false;
}

} // namespace

bool IsRegisteredUnitName(const char* text)
{
    std::string name = TrimUnitText(text);
    if (name.empty())
        return false;
    // Abbreviations with a full stop and plurals count as the name they shorten to.
    return IsRecordName(name) || (ShortenUnitName(name) && IsRecordName(name));
}

bool FindUnitFactor(const char* from, const char* to, double& factor)
{
    UnitSearch search;
    search.used.assign(g_unitRegistry.size(), 0);
    return SearchFactor(search, from, to, factor);
}

bool FindUnitNameFactor(const char* from, const char* to, double& factor)
{
    if (FindUnitFactor(from, to, factor))
        return true;
    std::string a = from, b = to;
    const bool changedA = ShortenUnitName(a);
    const bool changedB = ShortenUnitName(b);
    return (changedA || changedB) && FindUnitFactor(a.c_str(), b.c_str(), factor);
}

bool ConvertTemperature(const char* from, const char* to, double& value)
{
    const TemperatureScale source = TemperatureScaleOf(from);
    const TemperatureScale target = TemperatureScaleOf(to);
    if (source == TemperatureScale::None || target == TemperatureScale::None)
        return false;
    constexpr double kFiveNinths = 0.5555555555555556;
    double celsius = value;
    if (source == TemperatureScale::Kelvin)
        celsius = value - 273.15;
    else if (source == TemperatureScale::Fahrenheit)
        celsius = (value - 32.0) * kFiveNinths;
    if (source == target)
        return true; // value unchanged, exactly
    if (target == TemperatureScale::Celsius)
        value = celsius;
    else if (target == TemperatureScale::Kelvin)
        value = celsius + 273.15;
    else
        value = celsius * 1.8 + 32.0;
    return true;
}
