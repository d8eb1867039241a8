#pragma once
#include "analysis/DataDialogRules.h"
#include "framework/win/CPropertySheet.h"

#include <functional>

// The "Data Analysis" page of the options sheet: the statistics a report lists, automatic
// plotting of entered data, the nonlinear fit's prompt for initial values and its iteration
// limit (1 to 10000). OK writes the page's values into the options; only the nine boxes make
// the new statistics mask. "Edit Regression Models..." runs the editor it is given, offered only
// with one.
class CDataAnalysisPage : public CPropertyPage {
    DECLARE_DYNCREATE(CDataAnalysisPage)
public:
    CDataAnalysisPage();
    explicit CDataAnalysisPage(DataAnalysisOptions* pOptions);

    // What "Edit Regression Models..." opens, over the page.
    void SetModelEditor(std::function<void(CWnd*)> editor) { m_ModelEditor = std::move(editor); }

    BOOL OnInitDialog() override;
    void OnOK() override;

    int m_bAutoPlot = 1;
    int m_bPrompt = 0;
    int m_nMaxIterations = 100;
    int m_Statistics[kStatisticsBoxCount] = {};

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnEditModels();
    DECLARE_MESSAGE_MAP()

private:
    DataAnalysisOptions* m_pOptions = nullptr;
    std::function<void(CWnd*)> m_ModelEditor;
};
