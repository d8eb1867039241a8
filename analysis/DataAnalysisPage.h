#pragma once
#include "analysis/DataDialogRules.h"
#include "framework/win/CPropertySheet.h"

// The "Data Analysis" page of the options sheet: the statistics a report lists, automatic
// plotting of entered data, the nonlinear fit's prompt for initial values and its iteration
// limit (1 to 10000). OK writes the page's values into the options; only the nine boxes make
// the new statistics mask.
class CDataAnalysisPage : public CPropertyPage {
    DECLARE_DYNCREATE(CDataAnalysisPage)
public:
    CDataAnalysisPage();
    explicit CDataAnalysisPage(DataAnalysisOptions* pOptions);

    BOOL OnInitDialog() override;
    void OnOK() override;

    int m_bAutoPlot = 1;
    int m_bPrompt = 0;
    int m_nMaxIterations = 100;
    int m_Statistics[kStatisticsBoxCount] = {};

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    DataAnalysisOptions* m_pOptions = nullptr;
};
