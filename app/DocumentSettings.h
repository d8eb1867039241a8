#pragma once
#include "app/ViewLayout.h"
#include "framework/core/ProfileStore.h"

#include <vector>

class CCalcEngine;
class CModelCategory;
struct ModelRecord;

// The project's own settings: what the data-analysis, confirmation, plot-copy and solver-model
// sections hold, and working values of the commands that no section keeps.
struct DocumentSettings {
    // DataAnalysis
    int nAnalysisOptions = 2000; // statistics lines of a report, by bit
    int nAutoPlot = 1;
    int nPrompt = 0;
    int nMaxIterations = 100;
    int nLogOutput = 1; // reports are also typed into the workspace
    // Options
    int nAutoOpenLastProject = 1;
    int nConfirmDelete = 63;    // bits of GetConfirmBit
    int nConfirmOverwrite = 63; // bits of GetConfirmBit
    // PlotCopy
    int nPlotCopyFormat = 0;
    int nPlotCopyWidth = 0;
    int nPlotCopyHeight = 0;
    // SolverModel: what a new solver model starts with
    double dSolverMin = -1e300;
    double dSolverMax = 1e300;
    int nSolverSteps = 200;
    int nSolverDecimals = 5;
    // Working values of the graph commands
    int nAddGraphChoice = 0;
    int nGraphAnalysisChoice = 48;
    int nValueTableRows = 100;
    double dRotateStepTheta;
    double dRotateStepPhi;
    // The pointer's last place over a 2-D plot, in plot units (0 until it moves there).
    double dLastPointerX = 0;
    double dLastPointerY = 0;

    DocumentSettings();
};

// Section names of the settings the project reads and writes.
extern const char kDataAnalysisSection[];
extern const char kOptionsSection[];
extern const char kPlotCopySection[];
extern const char kCalculationSection[];
extern const char kSolverModelSection[];
extern const char kRecentFitSection[];
extern const char kFavFunctionsSection[];
extern const char kLayoutSection[];
extern const char kDataViewsSection[];

// The tree width when none (or a senseless one) is stored.
constexpr int kDefaultTreeWidth = 175;
// Recent fits and favourite functions kept at most.
constexpr int kMaxRecentFits = 10;
constexpr int kMaxFavoriteFunctions = 20;

// Options AutoOpenLastProject (read before the other sections).
int ReadAutoOpenLastProject(CProfileStore& store);
// DataAnalysis, Options (confirmations) and PlotCopy into the settings.
void ReadDocumentSettings(CProfileStore& store, DocumentSettings& settings);
// Options ConfirmDelete and ConfirmOverwrite, and the PlotCopy section.
void WriteConfirmAndPlotCopySettings(CProfileStore& store, const DocumentSettings& settings);
// DataAnalysis, written when the results dialog or the options sheet is confirmed.
void WriteDataAnalysisSettings(CProfileStore& store, const DocumentSettings& settings);
// PlotCopy: the copy dialog's format and size.
void WritePlotCopySettings(CProfileStore& store, const DocumentSettings& settings);
// SolverModel: what new solver models start with.
void ReadSolverModelSettings(CProfileStore& store, DocumentSettings& settings);
void WriteSolverModelSettings(CProfileStore& store, const DocumentSettings& settings);
// Calculation into the engine: result format mode and decimals, angle mode, display base,
// solver steps and solver decimals (the solver format shows fixed decimals).
void ReadCalculationSettings(CProfileStore& store, CCalcEngine& engine);
void WriteSolverCalculationSettings(CProfileStore& store, const CCalcEngine& engine);

// The recent fits as records of list name (category field), name and formula; entries without
// a name or formula are left out.
void ReadRecentFits(CProfileStore& store, CModelCategory& fits);
void WriteRecentFits(CProfileStore& store, const CModelCategory& fits);
std::vector<ModelRecord> RecentFitRecords(const CModelCategory& fits);
// The recent fits and favourite functions at the end of a run: what the run put at the front
// of its list goes before the list as another window may have stored it meanwhile; a list the
// run did not change is not written.
void WriteRecentFitChanges(CProfileStore& store, const std::vector<ModelRecord>& started,
                           const CModelCategory& fits);
void WriteFavoriteFunctionChanges(CProfileStore& store, const std::vector<CString>& started,
                                  const std::vector<CString>& names);
void ReadFavoriteFunctions(CProfileStore& store, std::vector<CString>& names);
void WriteFavoriteFunctions(CProfileStore& store, const std::vector<CString>& names);
int ReadTreeWidth(CProfileStore& store);
void WriteTreeWidth(CProfileStore& store, int width);
// The stored layouts over the given ones; a value of another length than 44 bytes is ignored.
void ReadViewLayouts(CProfileStore& store, ViewLayouts& layouts);
void WriteViewLayouts(CProfileStore& store, const ViewLayouts& layouts);
