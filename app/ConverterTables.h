#pragma once
// The unit converter's fixed tables: its categories in the order of its list, and the units of
// each built-in category. The names go to the engine's conversion as they stand.

// The categories; the list index is the category.
enum ConverterCategory : int {
    ConverterLength = 0,
    ConverterArea,
    ConverterVolume,
    ConverterMass,
    ConverterTime,
    ConverterAcceleration,
    ConverterDensity,
    ConverterSpeed,
    ConverterTemperature,
    ConverterForce,
    ConverterPressure,
    ConverterEnergy,
    ConverterPower,
    ConverterElectricityMagnetism,
    ConverterMiscellaneous,
    ConverterUserDefined,
    ConverterRecentlyUsed,
};
constexpr int kConverterCategoryCount = 17;
extern const char* const kConverterCategories[kConverterCategoryCount];

// A unit of a built-in category; each category's units form one run, in list order.
struct ConverterUnit {
    int category;
    const char* name;
};
constexpr int kConverterUnitCount = 197;
extern const ConverterUnit kConverterUnits[kConverterUnitCount];
