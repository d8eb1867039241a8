// The document's options sheet and help: the six pages of Tools/Options, each editing the
// project's settings or a pane's, and the Help menu's contents and web page.
#include "analysis/DataAnalysisPage.h"
#include "analysis/GridView.h"
#include "app/CalculationPages.h"
#include "app/HyperLink.h"
#include "app/MathApp.h"
#include "app/MoreOptionsPage.h"
#include "app/MyDocument.h"
#include "app/RichWorkspace.h"
#include "app/WorkspacePage.h"
#include "framework/win/CPropertySheet.h"
#include "framework/win/RegistryProfileStore.h"
#include "grid/CGridOptionsPage.h"
#include "grid/GridSettings.h"
#include "res/HelpTopics.h"

void CMyDocument::DoOptionsSheet(int startPage)
{
    CRegistryProfileStore store;
    CPropertySheet sheet("Options");
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;

    CNumberFormatPage general(&m_Model.m_Engine, &store);
    CWorkspacePage workspace;
    workspace.m_pView = GetWorkspaceView();
    // The Grid page edits the data view's options (the font goes to its grid at once).
    CGridView* pGridView = GetGridView();
    GridViewOptions gridOptions = pGridView ? pGridView->GetOptions() : GridViewOptions();
    if (!pGridView) {
        GridSettings gridSettings;
        ReadGridSettings(store, gridSettings);
        gridOptions.bEditable = gridSettings.nEditable;
        gridOptions.crBack = COLORREF(gridSettings.nBackColor);
        gridOptions.crEditable = COLORREF(gridSettings.nEditableColor);
        gridOptions.crText = COLORREF(gridSettings.nTextColor);
    }
    CGridOptionsPage grid(&gridOptions, &store, pGridView ? &pGridView->GetGrid() : nullptr);
    const DocumentSettings& settings = m_Model.m_Settings;
    DataAnalysisOptions analysis{settings.nAnalysisOptions, settings.nAutoPlot, settings.nPrompt,
                                 settings.nMaxIterations};
    CDataAnalysisPage dataAnalysis(&analysis);
    dataAnalysis.SetModelEditor([this](CWnd* pParent) { EditRegressionModels(pParent); });
    CMoreOptionsPage more(&m_Model.m_Settings, &m_Model.m_ViewLayouts, &store);
    CSolveOptionsPage solve(&m_Model.m_Settings, &store);

    // The pages that exist, each with its place in the sheet's order.
    const struct {
        int nOrder;
        CPropertyPage* pPage;
    } pages[] = {
        {OptionsGeneral, &general}, {OptionsWorkspace, &workspace},
        {OptionsGrid, &grid},       {OptionsDataAnalysis, &dataAnalysis},
        {OptionsMore, &more},       {OptionsSolve, &solve},
    };
    for (const auto& page : pages) {
        if (page.nOrder == startPage)
            sheet.m_psh.nStartPage = UINT(sheet.GetPageCount());
        sheet.AddPage(page.pPage);
    }
    if (sheet.DoModal() != IDOK)
        return;
    if (pGridView)
        pGridView->SetOptions(gridOptions);
    TakeDataAnalysisOptions(analysis, store);
    m_Model.RefreshGrid();
    // The angle mode, number base or format may read the graphs' expressions differently now.
    m_Model.ResampleChangedGraphs();
}

void CMyDocument::TakeDataAnalysisOptions(const DataAnalysisOptions& options, CProfileStore& store)
{
    DocumentSettings& settings = m_Model.m_Settings;
    settings.nAnalysisOptions = options.nStatisticsMask;
    settings.nAutoPlot = options.nAutoPlot;
    settings.nPrompt = options.nPrompt;
    settings.nMaxIterations = options.nMaxIterations;
    WriteDataAnalysisSettings(store, settings);
}

void CMyDocument::OnWorkspaceOptions() { DoOptionsSheet(OptionsWorkspace); }

void CMyDocument::OnToolsOptions() { DoOptionsSheet(OptionsGeneral); }

void CMyDocument::OnHelpContents()
{
    if (CMathApp* pApp = GetMathApp())
        pApp->ShowHelp(kHelpContentsPage);
}

void CMyDocument::OnHelpHomepage() { OpenLinkTarget(kWebPageAddress); }
