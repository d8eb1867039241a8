#include "app/CalculationOptions.h"

#include "app/DocumentSettings.h"
#include "engine/CalcEngine.h"
#include "framework/core/ProfileStore.h"

#include <algorithm>
#include <charconv>
#include <string_view>

const char* const kSampleOutOfRange = "Out of range (0 to 15)";
const char* const kSampleNotWhole = "Not a whole number";

const char* const kFormatModeNames[kFormatModeCount] = {
    "General", "Number", "Standard", "Scientific", "Engineering", "Currency",
};

namespace {

constexpr int kChoiceBases[kBaseChoiceOther] = {10, 16, 8, 2};

// The engine reads decimals outside 0..16 as 2.
int EngineDecimals(int decimals) { return decimals < 0 || decimals > 16 ? 2 : decimals; }

} // namespace

bool FormatModeUsesDecimals(int mode) { return mode >= 1 && mode <= 4; }

CString FormatOptionSample(int mode, const CString& decimalsText)
{
    // Read as OK reads the field: blanks around, an optional plus, then digits only.
    std::string_view text = decimalsText.View();
    while (!text.empty() && (text.front() == ' ' || text.front() == '\t'))
        text.remove_prefix(1);
    while (!text.empty() && (text.back() == ' ' || text.back() == '\t'))
        text.remove_suffix(1);
    if (!text.empty() && text.front() == '+')
        text.remove_prefix(1);
    long long decimals = 0;
    const auto read = std::from_chars(text.data(), text.data() + text.size(), decimals);
    if (text.empty() || read.ptr != text.data() + text.size())
        return kSampleNotWhole;
    if (read.ec != std::errc() || decimals < 0 || decimals > kMaxOptionDecimals)
        return kSampleOutOfRange;
    CNumberFormat format;
    format.m_nMode = mode;
    format.SetDecimals(EngineDecimals(int(decimals)));
    return format.Format(kFormatSampleValue);
}

int BaseChoiceOf(int base)
{
    const int* choice = std::find(std::begin(kChoiceBases), std::end(kChoiceBases), base);
    return int(choice - std::begin(kChoiceBases));
}

int BaseOfChoice(int choice, int customBase)
{
    if (choice >= 0 && choice < kBaseChoiceOther)
        return kChoiceBases[choice];
    return std::clamp(customBase, kMinBase, kMaxBase);
}

NumberFormatOptions ReadNumberFormatOptions(const CCalcEngine& engine)
{
    NumberFormatOptions options;
    options.nMode = engine.m_ResultFormat.m_nMode;
    options.nDecimals = engine.m_ResultFormat.m_nDecimals;
    // The engine reads every angle mode other than 0 and 1 as gradians.
    options.nAngleMode =
        engine.m_nAngleMode == 0 || engine.m_nAngleMode == 1 ? engine.m_nAngleMode : 2;
    options.nBaseChoice = BaseChoiceOf(engine.m_nNumberBase);
    options.nCustomBase = engine.m_nNumberBase;
    return options;
}

void ApplyNumberFormatOptions(const NumberFormatOptions& options, CCalcEngine& engine,
                              CProfileStore& store)
{
    const int base = BaseOfChoice(options.nBaseChoice, options.nCustomBase);
    engine.m_ResultFormat.m_nMode = options.nMode;
    engine.m_ResultFormat.SetDecimals(EngineDecimals(options.nDecimals));
    // Gradians left as shown keep the engine's own value for them.
    if (options.nAngleMode != 2 || engine.m_nAngleMode == 0 || engine.m_nAngleMode == 1)
        engine.m_nAngleMode = options.nAngleMode;
    engine.m_nNumberBase = base;
    store.WriteInt(kCalculationSection, "NumberFormat", options.nMode);
    store.WriteInt(kCalculationSection, "DecimalPlaces", engine.m_ResultFormat.m_nDecimals);
    store.WriteInt(kCalculationSection, "AngleMode", engine.m_nAngleMode);
    store.WriteInt(kCalculationSection, "NumberBase", base);
}

SolverDefaults ReadSolverDefaults(const DocumentSettings& settings)
{
    return {settings.nSolverDecimals, settings.dSolverMin, settings.dSolverMax,
            settings.nSolverSteps};
}

void ApplySolverDefaults(const SolverDefaults& defaults, DocumentSettings& settings,
                         CProfileStore& store)
{
    settings.nSolverDecimals = defaults.nDecimals;
    settings.dSolverMin = defaults.dMin;
    settings.dSolverMax = defaults.dMax;
    settings.nSolverSteps = defaults.nSteps;
    WriteSolverModelSettings(store, settings);
}
