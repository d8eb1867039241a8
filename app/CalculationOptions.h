#pragma once
// What the General and Solve Options pages of the options sheet edit, and their rules, without
// a window: the engine's result format, angle mode and number base, and the values new solver
// models start with.
#include "framework/core/CString.h"

class CCalcEngine;
class CProfileStore;
struct DocumentSettings;

// The result format modes in the order of the page's list.
constexpr int kFormatModeCount = 6;
extern const char* const kFormatModeNames[kFormatModeCount];

// The value the page's sample shows.
constexpr double kFormatSampleValue = 123456789.0;
// Decimal places the pages accept; steps of a solver model.
constexpr int kMaxOptionDecimals = 15;
constexpr int kMaxSolverSteps = 10000;

// The number base choices: decimal, hexadecimal, octal, binary, then another base.
constexpr int kBaseChoiceOther = 4;
constexpr int kMinBase = 2;
constexpr int kMaxBase = 36;

// The General page's values.
struct NumberFormatOptions {
    int nMode = 0;       // 0 General .. 5 Currency
    int nDecimals = 2;   // decimal places
    int nAngleMode = 0;  // 0 degrees, 1 radians, 2 gradians
    int nBaseChoice = 0; // 0 decimal .. 3 binary, 4 the custom base
    int nCustomBase = 10;
};

// Number, Standard, Scientific and Engineering show a chosen number of decimals; General and
// Currency fix their own.
bool FormatModeUsesDecimals(int mode);
// The sample in the mode with the decimal places as typed into their field; for a field that
// gives no places in 0..15 (which OK refuses) the sample says why instead.
extern const char* const kSampleOutOfRange;
extern const char* const kSampleNotWhole;
CString FormatOptionSample(int mode, const CString& decimalsText);
// The choice that shows a base: 10, 16, 8, 2, or "Other" (the base itself then the custom one).
int BaseChoiceOf(int base);
// The base a choice stands for, an "Other" base brought into 2..36.
int BaseOfChoice(int choice, int customBase);

// The page's values from the engine, and back into the engine and the "Calculation" section
// (both get the base brought into range). Any angle mode but 0 and 1 shows as gradians and is
// kept while gradians stay chosen.
NumberFormatOptions ReadNumberFormatOptions(const CCalcEngine& engine);
void ApplyNumberFormatOptions(const NumberFormatOptions& options, CCalcEngine& engine,
                              CProfileStore& store);

// The Solve Options page: the interval, steps and decimals new solver models start with.
struct SolverDefaults {
    int nDecimals = 5;
    double dMin = -1e300;
    double dMax = 1e300;
    int nSteps = 200;
};
SolverDefaults ReadSolverDefaults(const DocumentSettings& settings);
// Into the document's settings and the "SolverModel" section.
void ApplySolverDefaults(const SolverDefaults& defaults, DocumentSettings& settings,
                         CProfileStore& store);
