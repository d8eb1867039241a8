#pragma once
#include "framework/core/ProfileStore.h"

#include <cmath>
#include <cstddef>

// A settings section as one table: each row names a key, the field of a plain values record
// that it fills, its default and the rule a stored value must pass. Reading gives every field
// its stored value, or the default when the value is missing, of another type, not finite or
// refused by the rule; writing stores every field as it stands.
template <class Values> struct ProfileKey {
    enum Kind { kindInt, kindDouble, kindString };

    const char* key;
    Kind kind;
    int Values::*intField;
    double Values::*doubleField;
    CString Values::*stringField;
    double dDefault;
    const char* lpszDefault;
    // The value to keep for a read value (the default when it returns the default); none: as read.
    double (*rule)(double value, double dDefault);
};

template <class Values>
constexpr ProfileKey<Values> IntProfileKey(const char* key, int Values::*field, int nDefault,
                                           double (*rule)(double, double) = nullptr)
{
    return {key, ProfileKey<Values>::kindInt, field, nullptr, nullptr, double(nDefault), nullptr,
            rule};
}

template <class Values>
constexpr ProfileKey<Values> DoubleProfileKey(const char* key, double Values::*field,
                                              double dDefault,
                                              double (*rule)(double, double) = nullptr)
{
    return {key, ProfileKey<Values>::kindDouble, nullptr, field, nullptr, dDefault, nullptr, rule};
}

template <class Values>
constexpr ProfileKey<Values> StringProfileKey(const char* key, CString Values::*field,
                                              const char* lpszDefault)
{
    return {key, ProfileKey<Values>::kindString, nullptr, nullptr, field, 0, lpszDefault, nullptr};
}

// The values record with every default of the table.
template <class Values, std::size_t N>
void SetProfileDefaults(const ProfileKey<Values> (&keys)[N], Values& values)
{
    for (const ProfileKey<Values>& k : keys) {
        switch (k.kind) {
        case ProfileKey<Values>::kindInt:
            values.*k.intField = int(k.dDefault);
            break;
        case ProfileKey<Values>::kindDouble:
            values.*k.doubleField = k.dDefault;
            break;
        case ProfileKey<Values>::kindString:
            values.*k.stringField = k.lpszDefault;
            break;
        }
    }
}

// Reads the section's keys in table order.
template <class Values, std::size_t N>
void ReadProfileSection(CProfileStore& store, const char* section,
                        const ProfileKey<Values> (&keys)[N], Values& values)
{
    for (const ProfileKey<Values>& k : keys) {
        if (k.kind == ProfileKey<Values>::kindString) {
            values.*k.stringField = store.GetString(section, k.key, k.lpszDefault);
            continue;
        }
        double value = k.kind == ProfileKey<Values>::kindInt
                           ? double(store.GetInt(section, k.key, int(k.dDefault)))
                           : store.GetDouble(section, k.key, k.dDefault);
        if (!std::isfinite(value))
            value = k.dDefault;
        if (k.rule)
            value = k.rule(value, k.dDefault);
        if (k.kind == ProfileKey<Values>::kindInt)
            values.*k.intField = int(value);
        else
            values.*k.doubleField = value;
    }
}

// Writes every key of the table; FALSE when any write failed.
template <class Values, std::size_t N>
BOOL WriteProfileSection(CProfileStore& store, const char* section,
                         const ProfileKey<Values> (&keys)[N], const Values& values)
{
    BOOL ok = TRUE;
    for (const ProfileKey<Values>& k : keys) {
        switch (k.kind) {
        case ProfileKey<Values>::kindInt:
            ok &= store.WriteInt(section, k.key, values.*k.intField);
            break;
        case ProfileKey<Values>::kindDouble:
            ok &= store.WriteDouble(section, k.key, values.*k.doubleField);
            break;
        case ProfileKey<Values>::kindString:
            ok &= store.WriteString(section, k.key, values.*k.stringField);
            break;
        }
    }
    return ok;
}

// Common rules.
namespace profile_rule {
// Values outside lo..hi are brought to the nearer bound.
template <int lo, int hi> double Clamp(double value, double)
{
    return value < lo ? lo : value > hi ? hi : value;
}
// Zero or negative values give the default.
inline double Positive(double value, double dDefault) { return value > 0 ? value : dDefault; }
// Values below lo or above hi give the default.
template <int lo, int hi> double InRange(double value, double dDefault)
{
    return value < lo || value > hi ? dDefault : value;
}
} // namespace profile_rule
