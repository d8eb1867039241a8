#include "app/ConverterRules.h"

#include "app/ConverterTables.h"
#include "app/SharedSettings.h"
#include "engine/UnitRegistry.h"
#include "framework/core/AsciiText.h"
#include "framework/core/ProfileTable.h"

namespace {

constexpr const char* kSection = "Converter";

// clang-format off
constexpr ProfileKey<ConverterSettings> kKeys[] = {
    IntProfileKey<&ConverterSettings::nStartupCategory>("StartupCategory", 0,
                                                        &profile_rule::InRange<0, 2>),
    IntProfileKey<&ConverterSettings::nIsBig>("IsBig", 0, &profile_rule::InRange<0, 1>),
    IntProfileKey<&ConverterSettings::nLeft>("Left", -1),
    IntProfileKey<&ConverterSettings::nTop>("Top", -1),
    IntProfileKey<&ConverterSettings::nLogResults>("LogResults", 1, &profile_rule::InRange<0, 1>),
    IntProfileKey<&ConverterSettings::nLastCategory>("LastCategory", 0,
                                                     &profile_rule::InRange<0, 16>),
    IntProfileKey<&ConverterSettings::nVisible>("Visible", 0, &profile_rule::InRange<0, 1>),
};
// clang-format on

CString RecentKey(int i)
{
    CString key;
    key.Format("Recent%d", i);
    return key;
}

void WriteRecentUnits(CProfileStore& store, const std::vector<CString>& recent)
{
    store.WriteInt(kSection, "RecentCount", int(recent.size()));
    for (int i = 0; i < int(recent.size()); ++i)
        store.WriteString(kSection, RecentKey(i), recent[std::size_t(i)]);
}

} // namespace

void ReadConverterSettings(CProfileStore& store, ConverterSettings& settings)
{
    ReadProfileSection(store, kSection, kKeys, settings);
    settings.recent.clear();
    const int count =
        int(profile_rule::InRange<0, kMaxRecentUnits>(store.GetInt(kSection, "RecentCount", 0), 0));
    for (int i = 0; i < count; ++i) {
        CString unit = store.GetString(kSection, RecentKey(i), "");
        unit.Trim();
        if (!unit.IsEmpty() && unit.GetLength() <= kMaxRecentUnitLength)
            settings.recent.push_back(unit);
    }
}

void WriteConverterSettings(CProfileStore& store, const ConverterSettings& settings)
{
    WriteProfileSection(store, kSection, kKeys, settings);
    WriteRecentUnits(store, settings.recent);
}

void WriteConverterChanges(CProfileStore& store, const ConverterSettings& started,
                           const ConverterSettings& now)
{
    WriteChangedSettings(store, started, now,
                         [](CProfileStore& out, const ConverterSettings& settings) {
                             WriteProfileSection(out, kSection, kKeys, settings);
                         });
    ConverterSettings stored;
    ReadConverterSettings(store, stored);
    const auto same = [](const CString& a, const CString& b) { return ascii::EqualNoCase(a, b); };
    if (MergeRecentList(started.recent, now.recent, stored.recent, kMaxRecentUnits, same, same))
        WriteRecentUnits(store, stored.recent);
}

void AddRecentUnit(std::vector<CString>& recent, const CString& unit)
{
    CString text = unit;
    text.Trim();
    if (text.IsEmpty() || text.GetLength() > kMaxRecentUnitLength)
        return;
    for (const CString& each : recent)
        if (ascii::EqualNoCase(each, text))
            return;
    if (int(recent.size()) >= kMaxRecentUnits)
        recent.resize(kMaxRecentUnits - 1);
    recent.insert(recent.begin(), text);
}

int StartupCategoryIndex(int startupCategory, int lastCategory)
{
    switch (startupCategory) {
    case StartupUserDefined:
        return ConverterUserDefined;
    case StartupLast:
        return lastCategory >= 0 && lastCategory < kConverterCategoryCount ? lastCategory : 0;
    default:
        return ConverterRecentlyUsed;
    }
}

std::vector<CString> ConverterUnitList(int category, const std::vector<CString>& recent)
{
    std::vector<CString> units;
    if (category == ConverterRecentlyUsed)
        return recent;
    if (category == ConverterUserDefined) {
        for (int i = 0; i < GetUserUnitCount(); ++i)
            for (const std::string& text : {GetUserUnitName(i), GetUserUnitBase(i)})
                if (!text.empty())
                    units.emplace_back(text.c_str());
        return units;
    }
    for (const ConverterUnit& unit : kConverterUnits)
        if (unit.category == category)
            units.emplace_back(unit.name);
    return units;
}

int ConvertBetweenUnits(double& value, const CString& from, const CString& to)
{
    CString fromUnit = from, toUnit = to;
    fromUnit.Trim();
    toUnit.Trim();
    if (fromUnit.IsEmpty() || toUnit.IsEmpty())
        return 13;
    return ConvertUnits(value, fromUnit, toUnit);
}

CString ConversionLogLine(const CString& fromValue, const CString& fromUnit, const CString& toValue,
                          const CString& toUnit)
{
    CString from = fromUnit, to = toUnit;
    from.Trim();
    to.Trim();
    return "' " + fromValue + " " + from + " = " + toValue + " " + to;
}
