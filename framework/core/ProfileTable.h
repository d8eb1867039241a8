#pragma once
#include "framework/core/ProfileStore.h"

#include <cmath>
#include <cstddef>

// A settings section as one table: each row names a key, the field of a plain values record
// that it fills, its default and the rule a stored value must pass. Reading gives every field
// its stored value, or the default when the value is missing, of another type or not finite,
// then applies the rule; writing stores every field as it stands. Rows are made with
// IntProfileKey<&Values::field>(key, default, rule), DoubleProfileKey<...> and
// StringProfileKey<...>.
template <class Values> struct ProfileKey {
    const char* key;
    double dDefault;
    const char* lpszDefault;
    // The value to keep for a read number (the default to refuse it); none: as read.
    double (*rule)(double value, double dDefault);
    void (*read)(CProfileStore& store, const char* section, const ProfileKey& k, Values& v);
    BOOL (*write)(CProfileStore& store, const char* section, const ProfileKey& k, const Values& v);
    void (*setDefault)(const ProfileKey& k, Values& v);
};

namespace zivra_detail {

template <class M> struct MemberOf;
template <class T, class C> struct MemberOf<T C::*> {
    using Class = C;
    using Type = T;
};

template <class Values> double ApplyRule(const ProfileKey<Values>& k, double value)
{
    if (!std::isfinite(value))
        value = k.dDefault;
    return k.rule ? k.rule(value, k.dDefault) : value;
}

template <auto Field, class Values = typename MemberOf<decltype(Field)>::Class>
void ReadInt(CProfileStore& store, const char* section, const ProfileKey<Values>& k, Values& v)
{
    v.*Field = int(ApplyRule(k, double(store.GetInt(section, k.key, int(k.dDefault)))));
}
template <auto Field, class Values = typename MemberOf<decltype(Field)>::Class>
BOOL WriteInt(CProfileStore& store, const char* section, const ProfileKey<Values>& k,
              const Values& v)
{
    return store.WriteInt(section, k.key, v.*Field);
}
template <auto Field, class Values = typename MemberOf<decltype(Field)>::Class>
void DefaultInt(const ProfileKey<Values>& k, Values& v)
{
    v.*Field = int(k.dDefault);
}

template <auto Field, class Values = typename MemberOf<decltype(Field)>::Class>
void ReadDouble(CProfileStore& store, const char* section, const ProfileKey<Values>& k, Values& v)
{
    v.*Field = ApplyRule(k, store.GetDouble(section, k.key, k.dDefault));
}
template <auto Field, class Values = typename MemberOf<decltype(Field)>::Class>
BOOL WriteDouble(CProfileStore& store, const char* section, const ProfileKey<Values>& k,
                 const Values& v)
{
    return store.WriteDouble(section, k.key, v.*Field);
}
template <auto Field, class Values = typename MemberOf<decltype(Field)>::Class>
void DefaultDouble(const ProfileKey<Values>& k, Values& v)
{
    v.*Field = k.dDefault;
}

template <auto Field, class Values = typename MemberOf<decltype(Field)>::Class>
void ReadString(CProfileStore& store, const char* section, const ProfileKey<Values>& k, Values& v)
{
    v.*Field = store.GetString(section, k.key, k.lpszDefault);
}
template <auto Field, class Values = typename MemberOf<decltype(Field)>::Class>
BOOL WriteString(CProfileStore& store, const char* section, const ProfileKey<Values>& k,
                 const Values& v)
{
    return store.WriteString(section, k.key, v.*Field);
}
template <auto Field, class Values = typename MemberOf<decltype(Field)>::Class>
void DefaultString(const ProfileKey<Values>& k, Values& v)
{
    v.*Field = k.lpszDefault;
}

} // namespace zivra_detail

template <auto Field, class Values = typename zivra_detail::MemberOf<decltype(Field)>::Class>
constexpr ProfileKey<Values> IntProfileKey(const char* key, int nDefault,
                                           double (*rule)(double, double) = nullptr)
{
    return {key,
            double(nDefault),
            nullptr,
            rule,
            &zivra_detail::ReadInt<Field>,
            &zivra_detail::WriteInt<Field>,
            &zivra_detail::DefaultInt<Field>};
}

template <auto Field, class Values = typename zivra_detail::MemberOf<decltype(Field)>::Class>
constexpr ProfileKey<Values> DoubleProfileKey(const char* key, double dDefault,
                                              double (*rule)(double, double) = nullptr)
{
    return {key,
            dDefault,
            nullptr,
            rule,
            &zivra_detail::ReadDouble<Field>,
            &zivra_detail::WriteDouble<Field>,
            &zivra_detail::DefaultDouble<Field>};
}

template <auto Field, class Values = typename zivra_detail::MemberOf<decltype(Field)>::Class>
constexpr ProfileKey<Values> StringProfileKey(const char* key, const char* lpszDefault)
{
    return {key,
            0,
            lpszDefault,
            nullptr,
            &zivra_detail::ReadString<Field>,
            &zivra_detail::WriteString<Field>,
            &zivra_detail::DefaultString<Field>};
}

// The values record with every default of the table.
template <class Values, std::size_t N>
void SetProfileDefaults(const ProfileKey<Values> (&keys)[N], Values& values)
{
    for (const ProfileKey<Values>& k : keys)
        k.setDefault(k, values);
}

// Reads the section's keys in table order.
template <class Values, std::size_t N>
void ReadProfileSection(CProfileStore& store, const char* section,
                        const ProfileKey<Values> (&keys)[N], Values& values)
{
    for (const ProfileKey<Values>& k : keys)
        k.read(store, section, k, values);
}

// Writes every key of the table; FALSE when any write failed.
template <class Values, std::size_t N>
BOOL WriteProfileSection(CProfileStore& store, const char* section,
                         const ProfileKey<Values> (&keys)[N], const Values& values)
{
    BOOL ok = TRUE;
    for (const ProfileKey<Values>& k : keys) {
        if (!k.write(store, section, k, values))
            ok = FALSE;
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
// Values outside lo..hi give the default.
template <int lo, int hi> double InRange(double value, double dDefault)
{
    return value < lo || value > hi ? dDefault : value;
}
// Zero or negative values give the default.
inline double Positive(double value, double dDefault) { return value > 0 ? value : dDefault; }
} // namespace profile_rule
