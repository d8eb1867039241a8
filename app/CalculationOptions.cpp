#include "app/CalculationOptions.h"

#include "app/DocumentSettings.h"
#include "engine/CalcEngine.h"
#include "framework/core/ProfileStore.h"

#include <algorithm>

const char* const kFormatModeNames[kFormatModeCount] = {
    "General", "Number", "Standard", "Scientific", "Engineering", "Currency",
};

namespace {

constexpr int kChoiceBases[kBaseChoiceOther] = {10, 16, 8, 2};

// The engine reads decimals outside 0..16 as 2.
int EngineDecimals(int decimals) { return decimals < 0 || decimals > 16 ? 2 : decimals; }

} // namespace

bool FormatModeUsesDecimals(int mode) { return mode >= 1 && mode <= 4; }

CString FormatOptionSample(int mode, int decimals)
{
    if (decimals < 0 || decimals > kMaxOptionDecimals)
        return CString();
    CNumberFormat format;
    format.m_nMode = mode;
    format.SetDecimals(EngineDecimals(decimals));
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
