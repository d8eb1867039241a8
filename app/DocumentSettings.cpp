#include "app/DocumentSettings.h"

#include "analysis/ModelLibrary.h"
#include "app/SharedSettings.h"
#include "engine/CalcEngine.h"
#include "framework/core/AsciiText.h"
#include "framework/core/ProfileTable.h"

#include <cmath>

const char kDataAnalysisSection[] = "DataAnalysis";
const char kOptionsSection[] = "Options";
const char kPlotCopySection[] = "PlotCopy";
const char kCalculationSection[] = "Calculation";
const char kSolverModelSection[] = "SolverModel";
const char kRecentFitSection[] = "RecentFit";
const char kFavFunctionsSection[] = "FavFunctions";
const char kLayoutSection[] = "Layout";
const char kDataViewsSection[] = "DataViews";

namespace {

using Key = ProfileKey<DocumentSettings>;

// clang-format off
constexpr Key kDataAnalysisKeys[] = {
    IntProfileKey<&DocumentSettings::nAnalysisOptions>("Options", 2000),
    IntProfileKey<&DocumentSettings::nAutoPlot>("AutoPlot", 1),
    IntProfileKey<&DocumentSettings::nPrompt>("Prompt", 0),
    IntProfileKey<&DocumentSettings::nMaxIterations>("MaxIters", 100),
    IntProfileKey<&DocumentSettings::nLogOutput>("LogOutput", 1),
};
constexpr Key kConfirmKeys[] = {
    IntProfileKey<&DocumentSettings::nConfirmDelete>("ConfirmDelete", 63),
    IntProfileKey<&DocumentSettings::nConfirmOverwrite>("ConfirmOverwrite", 63),
};
constexpr Key kPlotCopyKeys[] = {
    IntProfileKey<&DocumentSettings::nPlotCopyFormat>("Format", 0),
    IntProfileKey<&DocumentSettings::nPlotCopyWidth>("Width", 0),
    IntProfileKey<&DocumentSettings::nPlotCopyHeight>("Height", 0),
};
constexpr Key kSolverModelKeys[] = {
    DoubleProfileKey<&DocumentSettings::dSolverMin>("Min", -1e300),
    DoubleProfileKey<&DocumentSettings::dSolverMax>("Max", 1e300),
    // The Solve Options page's ranges: a hand-edited value outside them is not used.
    IntProfileKey<&DocumentSettings::nSolverSteps>("Steps", 200, profile_rule::InRange<1, 10000>),
    IntProfileKey<&DocumentSettings::nSolverDecimals>("DecimalPlaces", 5,
                                                      profile_rule::InRange<0, 15>),
};
// clang-format on

// Decimals outside 0..16 are read as 2 (not the default).
double Decimals(double value, double) { return value < 0 || value > 16 ? 2 : value; }

// A Calculation value after its rule.
int CalculationValue(CProfileStore& store, const char* key, int nDefault,
                     double (*rule)(double, double))
{
    return int(rule(store.GetInt(kCalculationSection, key, nDefault), nDefault));
}

double AsRead(double value, double) { return value; }

CString EntrySection(int i)
{
    CString section;
    section.Format("RecentFit%d", i);
    return section;
}

CString IndexKey(int i)
{
    CString key;
    key.Format("%d", i);
    return key;
}

} // namespace

DocumentSettings::DocumentSettings() : dRotateStepTheta(M_PI / 18), dRotateStepPhi(M_PI / 18) {}

int ReadAutoOpenLastProject(CProfileStore& store)
{
    return store.GetInt(kOptionsSection, "AutoOpenLastProject", 1);
}

void ReadDocumentSettings(CProfileStore& store, DocumentSettings& settings)
{
    ReadProfileSection(store, kDataAnalysisSection, kDataAnalysisKeys, settings);
    ReadProfileSection(store, kOptionsSection, kConfirmKeys, settings);
    ReadProfileSection(store, kPlotCopySection, kPlotCopyKeys, settings);
}

void WriteConfirmAndPlotCopySettings(CProfileStore& store, const DocumentSettings& settings)
{
    WriteProfileSection(store, kOptionsSection, kConfirmKeys, settings);
    WritePlotCopySettings(store, settings);
}

void WritePlotCopySettings(CProfileStore& store, const DocumentSettings& settings)
{
    WriteProfileSection(store, kPlotCopySection, kPlotCopyKeys, settings);
}

void WriteDataAnalysisSettings(CProfileStore& store, const DocumentSettings& settings)
{
    WriteProfileSection(store, kDataAnalysisSection, kDataAnalysisKeys, settings);
}

void ReadSolverModelSettings(CProfileStore& store, DocumentSettings& settings)
{
    ReadProfileSection(store, kSolverModelSection, kSolverModelKeys, settings);
}

void WriteSolverModelSettings(CProfileStore& store, const DocumentSettings& settings)
{
    WriteProfileSection(store, kSolverModelSection, kSolverModelKeys, settings);
}

void ReadCalculationSettings(CProfileStore& store, CCalcEngine& engine)
{
    engine.m_ResultFormat.m_nMode =
        CalculationValue(store, "NumberFormat", 0, &profile_rule::InRange<0, 5>);
    engine.m_ResultFormat.SetDecimals(CalculationValue(store, "DecimalPlaces", 5, &Decimals));
    engine.m_nAngleMode = CalculationValue(store, "AngleMode", 1, &AsRead);
    engine.m_nNumberBase = CalculationValue(store, "NumberBase", 10, &profile_rule::Clamp<2, 36>);
    engine.m_nSolverSteps =
        CalculationValue(store, "SolverSteps", 200, &profile_rule::Clamp<1, 10000>);
    engine.m_SolverFormat.m_nMode = FormatModeNumber;
    engine.m_SolverFormat.SetDecimals(CalculationValue(store, "SolverDecimalPlaces", 5, &Decimals));
}

void WriteSolverCalculationSettings(CProfileStore& store, const CCalcEngine& engine)
{
    store.WriteInt(kCalculationSection, "SolverDecimalPlaces", engine.m_SolverFormat.m_nDecimals);
    store.WriteInt(kCalculationSection, "SolverSteps", engine.m_nSolverSteps);
}

void ReadRecentFits(CProfileStore& store, CModelCategory& fits)
{
    fits.RemoveAll();
    const int count =
        int(profile_rule::Clamp<0, kMaxRecentFits>(store.GetInt(kRecentFitSection, "Count", 0), 0));
    for (int i = 0; i < count; ++i) {
        const CString section = EntrySection(i);
        const CString name = store.GetString(section, "Name", "");
        const CString equation = store.GetString(section, "Equation", "");
        const CString list = store.GetString(section, "ListName", "");
        if (!name.IsEmpty() && !equation.IsEmpty())
            fits.AppendModel({list, name, equation, "", ""});
    }
}

void WriteRecentFits(CProfileStore& store, const CModelCategory& fits)
{
    store.WriteInt(kRecentFitSection, "Count", fits.GetModelCount());
    for (int i = 0; i < fits.GetModelCount(); ++i) {
        const CString section = EntrySection(i);
        const ModelRecord& fit = fits.GetModel(i);
        store.WriteString(section, "Name", fit.strName);
        store.WriteString(section, "Equation", fit.strFormula);
        store.WriteString(section, "ListName", fit.strCategory);
    }
}

std::vector<ModelRecord> RecentFitRecords(const CModelCategory& fits)
{
    std::vector<ModelRecord> records;
    for (int i = 0; i < fits.GetModelCount(); ++i)
        records.push_back(fits.GetModel(i));
    return records;
}

void WriteRecentFitChanges(CProfileStore& store, const std::vector<ModelRecord>& started,
                           const CModelCategory& fits)
{
    CModelCategory stored;
    ReadRecentFits(store, stored);
    std::vector<ModelRecord> merged = RecentFitRecords(stored);
    const auto same = [](const ModelRecord& a, const ModelRecord& b) {
        return ascii::EqualNoCase(a.strName, b.strName);
    };
    const auto equal = [](const ModelRecord& a, const ModelRecord& b) {
        return a.strName == b.strName && a.strFormula == b.strFormula &&
               a.strCategory == b.strCategory;
    };
    if (!MergeRecentList(started, RecentFitRecords(fits), merged, kMaxRecentFits, same, equal))
        return;
    stored.RemoveAll();
    for (const ModelRecord& fit : merged)
        stored.AppendModel(fit);
    WriteRecentFits(store, stored);
}

void WriteFavoriteFunctionChanges(CProfileStore& store, const std::vector<CString>& started,
                                  const std::vector<CString>& names)
{
    std::vector<CString> merged;
    ReadFavoriteFunctions(store, merged);
    const auto same = [](const CString& a, const CString& b) { return ascii::EqualNoCase(a, b); };
    if (MergeRecentList(started, names, merged, kMaxFavoriteFunctions, same, same))
        WriteFavoriteFunctions(store, merged);
}

void ReadFavoriteFunctions(CProfileStore& store, std::vector<CString>& names)
{
    const int count = int(profile_rule::Clamp<0, kMaxFavoriteFunctions>(
        store.GetInt(kFavFunctionsSection, "Count", 0), 0));
    names.clear();
    for (int i = 0; i < count; ++i)
        names.push_back(store.GetString(kFavFunctionsSection, IndexKey(i), ""));
}

void WriteFavoriteFunctions(CProfileStore& store, const std::vector<CString>& names)
{
    store.WriteInt(kFavFunctionsSection, "Count", int(names.size()));
    for (std::size_t i = 0; i < names.size(); ++i)
        store.WriteString(kFavFunctionsSection, IndexKey(int(i)), names[i]);
}

int ReadTreeWidth(CProfileStore& store)
{
    const int width = store.GetInt(kLayoutSection, "TreeViewWidth", kDefaultTreeWidth);
    return width > 0 && width <= 32767 ? width : kDefaultTreeWidth;
}

void WriteTreeWidth(CProfileStore& store, int width)
{
    store.WriteInt(kLayoutSection, "TreeViewWidth", width);
}

void ReadViewLayouts(CProfileStore& store, ViewLayouts& layouts)
{
    for (int kind = 0; kind < ItemTypeCount; ++kind) {
        CString key;
        key.Format("DataType%d", kind);
        std::vector<BYTE> bytes;
        if (store.GetBinary(kDataViewsSection, key, bytes) && bytes.size() == ViewLayout::Bytes)
            layouts[std::size_t(kind)] =
                ViewLayout::FromBytes(bytes.data()).Sanitized(layouts[std::size_t(kind)]);
    }
}

void WriteViewLayouts(CProfileStore& store, const ViewLayouts& layouts)
{
    for (int kind = 0; kind < ItemTypeCount; ++kind) {
        CString key;
        key.Format("DataType%d", kind);
        BYTE bytes[ViewLayout::Bytes];
        layouts[std::size_t(kind)].ToBytes(bytes);
        store.WriteBinary(kDataViewsSection, key, bytes, ViewLayout::Bytes);
    }
}
