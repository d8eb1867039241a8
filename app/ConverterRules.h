#pragma once
// The unit converter's rules without its window: its "Converter" settings section, the recently
// used units, the units a category lists and the conversion itself.
#include "framework/core/CString.h"

#include <vector>

class CProfileStore;

constexpr int kMaxRecentUnits = 20;
// Longer units are not kept among the recent ones (nor read back).
constexpr int kMaxRecentUnitLength = 100;

// Start-up choices of the category list.
enum ConverterStartup : int { StartupRecent = 0, StartupUserDefined = 1, StartupLast = 2 };

// The "Converter" section; values that make no sense are read as their defaults.
struct ConverterSettings {
    int nStartupCategory = StartupRecent;
    int nIsBig = 0;
    int nLeft = -1;
    int nTop = -1;
    int nLogResults = 1;
    int nLastCategory = 0;
    int nVisible = 0;
    std::vector<CString> recent; // newest first
};
void ReadConverterSettings(CProfileStore& store, ConverterSettings& settings);
void WriteConverterSettings(CProfileStore& store, const ConverterSettings& settings);
// The end of a run: the values the run changed, and the units it used first before the recent
// units as another window may have stored them meanwhile.
void WriteConverterChanges(CProfileStore& store, const ConverterSettings& started,
                           const ConverterSettings& now);

// A trimmed, non-empty unit not yet among the recent ones (no case) goes to the front, the
// oldest dropping out of a full list; a unit already there keeps its place.
void AddRecentUnit(std::vector<CString>& recent, const CString& unit);
// The category selected when the converter opens.
int StartupCategoryIndex(int startupCategory, int lastCategory);
// What both unit lists hold for a category: its built-in units, the user conversions' names
// and bases, or the recent units.
std::vector<CString> ConverterUnitList(int category, const std::vector<CString>& recent);
// Converts value in place between two unit texts (trimmed); 0, or an engine error code with
// the value unchanged (13 for an empty unit).
int ConvertBetweenUnits(double& value, const CString& from, const CString& to);
// The workspace's record of a conversion: "' 100 meter = 328.083989501312 foot".
CString ConversionLogLine(const CString& fromValue, const CString& fromUnit, const CString& toValue,
                          const CString& toUnit);
