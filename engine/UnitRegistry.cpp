#include "engine/UnitRegistry.h"

#include "engine/BuiltinUnits.h"
#include "engine/EngineErrors.h"
#include "engine/RecordIdentity.h"
#include "framework/core/AsciiText.h"

#include <cmath>
#include <string>
#include <unordered_map>
#include <vector>

namespace {

std::vector<UnitRecord> g_unitRegistry;

bool IsUsableFactor(double factor) { return std::isfinite(factor) && factor != 0.0; }

int UserIndexToRecord(int i)
{
    const int record = GetBuiltinUnitCount() + i;
    return (i >= 0 && record < int(g_unitRegistry.size())) ? record : -1;
}

// The registry indexed by name, so that a search step looks only at the relations of one name
// instead of the whole registry. Appending records extends it; any other change rebuilds it.
class UnitNameIndex {
public:
    void Invalidate() { m_valid = false; }

    // Brings the index up to date with the registry.
    void Update()
    {
        if (!m_valid) {
            m_ids.clear();
            m_relations.clear();
            m_nameIds.clear();
            m_baseIds.clear();
            m_ids.reserve(2 * g_unitRegistry.size());
            m_valid = true;
        }
        for (size_t i = m_nameIds.size(); i < g_unitRegistry.size(); ++i) {
            const int nameId = Intern(g_unitRegistry[i].name);
            const int baseId = Intern(g_unitRegistry[i].base);
            m_nameIds.push_back(nameId);
            m_baseIds.push_back(baseId);
            if (nameId >= 0)
                m_relations[size_t(nameId)].push_back(int(i));
            if (baseId >= 0 && baseId != nameId)
                m_relations[size_t(baseId)].push_back(int(i));
        }
    }

    // Id of a name (any case), -1 when no record names it.
    int Find(const std::string& name)
    {
        const auto it = m_ids.find(Key(name));
        return it == m_ids.end() ? -1 : it->second;
    }
    int NameCount() const { return int(m_relations.size()); }
    // Records whose name or base is name id, in registry order.
    const std::vector<int>& Relations(int id) const { return m_relations[size_t(id)]; }
    int NameId(int record) const { return m_nameIds[size_t(record)]; }
    int BaseId(int record) const { return m_baseIds[size_t(record)]; }

private:
    // Names compare like ascii::EqualNoCase: up to the first NUL, ASCII letters folded.
    const std::string& Key(const std::string& name)
    {
        m_key.assign(name.c_str());
        for (char& c : m_key)
            c = ascii::ToUpper(c);
        return m_key;
    }

    int Intern(const std::string& name)
    {
        if (name.c_str()[0] == 0)
            return -1;
        const auto [it, added] = m_ids.try_emplace(Key(name), int(m_relations.size()));
        if (added)
            m_relations.emplace_back();
        return it->second;
    }

    bool m_valid = false;
    std::unordered_map<std::string, int> m_ids;
    std::vector<std::vector<int>> m_relations;
    std::vector<int> m_nameIds, m_baseIds;
    std::string m_key; // scratch for Key
};

UnitNameIndex g_unitIndex;
long long g_searchSteps = 0;

UnitNameIndex& CurrentUnitIndex()
{
    g_unitIndex.Update();
    return g_unitIndex;
}

// Depth-first search from one name to another over the relations in registry order, each usable
// in both directions; the first chain found decides. A name whose search has failed is not
// entered again: everything it reaches without the names on the path was searched already, so
// the answer is the one an exhaustive search of all simple chains would give, in linear time.
bool SearchFactor(UnitNameIndex& index, int fromId, int toId, double& factor)
{
    enum : char { Unseen, OnPath, Exhausted };
    struct Step {
        int id;        // name reached
        size_t next;   // its next relation to try
        double factor; // of the relation that led here
    };
    std::vector<char> state(size_t(index.NameCount()), Unseen);
    std::vector<Step> path{{fromId, 0, 1.0}};
    state[size_t(fromId)] = OnPath;
    while (!path.empty()) {
        ++g_searchSteps;
        Step& top = path.back();
        const std::vector<int>& relations = index.Relations(top.id);
        if (top.next == relations.size()) {
            state[size_t(top.id)] = Exhausted;
            path.pop_back();
            continue;
        }
        const int record = relations[top.next++];
        const UnitRecord& r = g_unitRegistry[size_t(record)];
        const int nameId = index.NameId(record), baseId = index.BaseId(record);
        if (nameId < 0 || baseId < 0 || !IsUsableFactor(r.factor))
            continue;
        const bool forward = nameId == top.id;
        const int nextId = forward ? baseId : nameId;
        const double step = forward ? r.factor : 1.0 / r.factor;
        if (nextId == toId) {
            // Multiplied from the far end back, as the chain is walked.
            factor = step;
            for (size_t i = path.size(); i-- > 1;)
                factor = path[i].factor * factor;
            return true;
        }
        if (state[size_t(nextId)] != Unseen)
            continue;
        state[size_t(nextId)] = OnPath;
        path.push_back({nextId, 0, step});
    }
    return false;
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
    g_unitIndex.Invalidate();
    g_unitRegistry.reserve(size_t(GetBuiltinUnitCount()) + 16);
    for (int i = 0; i < GetBuiltinUnitCount(); ++i) {
        const BuiltinUnitEntry& row = GetBuiltinUnit(i);
        g_unitRegistry.push_back(UnitRecord{row.name, row.base, row.factor});
    }
}

void ClearUnitRegistry()
{
    g_unitRegistry.clear();
    g_unitIndex.Invalidate();
}

void TruncateUnitRegistry()
{
    if (int(g_unitRegistry.size()) > GetBuiltinUnitCount()) {
        g_unitRegistry.resize(size_t(GetBuiltinUnitCount()));
        g_unitIndex.Invalidate();
    }
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
    return AddUserUnit(UnitRecord{name ? name : "", base ? base : "", factor});
}

int AddUserUnit(const UnitRecord& unit)
{
    if (!IsUsableFactor(unit.factor))
        return ErrBadArgument;
    g_unitRegistry.push_back(unit);
    if (unit.nIdentity == 0)
        g_unitRegistry.back().nIdentity = NewRecordIdentity();
    return 0;
}

void DeleteUserUnit(int i)
{
    const int record = UserIndexToRecord(i);
    if (record >= 0) {
        g_unitRegistry.erase(g_unitRegistry.begin() + record);
        g_unitIndex.Invalidate();
    }
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
    const unsigned identity = g_unitRegistry[size_t(record)].nIdentity;
    g_unitRegistry[size_t(record)] =
        UnitRecord{name ? name : "", base ? base : "", factor, identity};
    g_unitIndex.Invalidate();
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
    g_unitIndex.Invalidate();
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
    g_unitIndex.Invalidate();
    return 0;
}

bool IsUserUnitComplete(int i)
{
    const int record = UserIndexToRecord(i);
    return record >= 0 && !g_unitRegistry[size_t(record)].name.empty() &&
           !g_unitRegistry[size_t(record)].base.empty();
}

bool IsRegisteredUnitName(const char* text)
{
    std::string name = TrimUnitText(text);
    if (name.empty())
        return false;
    // Abbreviations with a full stop and plurals count as the name they shorten to.
    UnitNameIndex& index = CurrentUnitIndex();
    return index.Find(name) >= 0 || (ShortenUnitName(name) && index.Find(name) >= 0);
}

bool FindUnitFactor(const char* from, const char* to, double& factor)
{
    if (ascii::EqualNoCase(from, to)) {
        factor = 1.0;
        return true;
    }
    UnitNameIndex& index = CurrentUnitIndex();
    const int fromId = index.Find(from), toId = index.Find(to);
    return fromId >= 0 && toId >= 0 && SearchFactor(index, fromId, toId, factor);
}

long long UnitSearchSteps() { return g_searchSteps; }

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
