#pragma once
#include <string>

// One relation of the program-wide unit registry: 1 name = factor base. Records 0..274 are the
// built-in relations; user conversions follow.
struct UnitRecord {
    std::string name;
    std::string base;
    double factor = 1.0;
    // Which user conversion of the run this is (NewRecordIdentity), kept through edits; 0 for
    // none.
    unsigned nIdentity = 0;
};

// Start-up: the registry holds exactly the built-in relations, in table order.
void ResetUnitRegistry();
// Empties the whole registry, built-in relations included (program-wide clean-up).
void ClearUnitRegistry();
// Cuts the registry back to its built-in relations (before user conversions are loaded).
void TruncateUnitRegistry();
// Number of records in the registry, built-in and user ones.
int GetUnitRecordCount();
// Registry record i (0-based over the whole registry); i must be in range.
const UnitRecord& GetUnitRecord(int i);

// Number of user conversions (registry size minus the built-in relations; 0 when not loaded).
int GetUserUnitCount();
// Appends a user conversion with an identity of its own; 0, or 13 "Bad argument" when the
// factor is 0 or not finite.
int AddUserUnit(const char* name, const char* base, double factor);
// Appends the conversion as it stands, its identity kept (a new one when it has none); 0 or 13.
int AddUserUnit(const UnitRecord& unit);
// Removes user conversion i; later ones move down. Out-of-range i does nothing.
void DeleteUserUnit(int i);
// Copy of user conversion i (an empty record when i is out of range).
UnitRecord GetUserUnit(int i);
std::string GetUserUnitName(int i);
std::string GetUserUnitBase(int i);
double GetUserUnitFactor(int i);
// Overwrites user conversion i, whose identity stays; 0, or 13 for a bad index or a factor of 0
// or not finite.
int SetUserUnit(int i, const char* name, const char* base, double factor);
// 0, or 13 for a bad index or a factor of 0 or not finite (nothing changes then).
int SetUserUnitFactor(int i, double factor);
// Renames user conversion i; 27 "Conversion already exists" when the registry already converts
// the new name to its base (nothing changes), 13 for a bad index, else 0.
int SetUserUnitName(int i, const char* name);
// Sets the base of user conversion i; 27 when the registry already converts its name to the new
// base (nothing changes), 13 for a bad index, else 0.
int SetUserUnitBase(int i, const char* base);
// True when user conversion i has both a name and a base.
bool IsUserUnitComplete(int i);

// The text without blanks and tabs at both ends.
std::string TrimUnitText(const char* text);
// True when the registry holds a record whose name or base is the (trimmed) text as a whole,
// or the text without a trailing "." or plural "s".
bool IsRegisteredUnitName(const char* text);
// Depth-first search over the registry for a chain of relations from one unit name to another;
// false when there is none. Linear in the size of the registry.
bool FindUnitFactor(const char* from, const char* to, double& factor);
// Steps all unit searches have taken so far (a relation tried, or a name left), the measure of
// their cost.
long long UnitSearchSteps();
// FindUnitFactor, retried once with a trailing "." or plural "s" dropped from the names.
bool FindUnitNameFactor(const char* from, const char* to, double& factor);
// Converts between Celsius, Kelvin and Fahrenheit (as absolute temperatures); false when either
// name is not one of DEGC, DEGREE C, DEGK, DEGREE K, DEGF, DEGREE F (any case).
bool ConvertTemperature(const char* from, const char* to, double& value);

// Converts value in place from one unit text to another (names, or products, quotients and
// integer powers of names); 0, or 13 "Bad argument" with the value unchanged.
int ConvertUnits(double& value, const char* from, const char* to);
// True when ConvertUnits of the value 1 succeeds.
bool CanConvertUnits(const char* from, const char* to);
