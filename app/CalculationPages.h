#pragma once
#include "app/CalculationOptions.h"
#include "framework/win/CPropertySheet.h"

class CCalcEngine;
class CProfileStore;
struct DocumentSettings;

// The "General" page of the options sheet: the result format with a sample of it, the number
// base and the angle mode of the engine it edits. OK puts them into the engine and the
// "Calculation" settings section; choosing a format or typing decimal places only refreshes
// the sample.
class CNumberFormatPage : public CPropertyPage {
    DECLARE_DYNCREATE(CNumberFormatPage)
public:
    CNumberFormatPage();
    CNumberFormatPage(CCalcEngine* pEngine, CProfileStore* pStore);

    BOOL OnInitDialog() override;
    void OnOK() override;

    NumberFormatOptions m_Options;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnModeChange();
    void OnDecimalsChange();
    void OnDecimalsSpin(NMHDR* pNMHDR, LRESULT* pResult);
    // Enables the decimal places for the chosen mode and shows the sample.
    void ApplyModeRule();
    void ShowSample();
    DECLARE_MESSAGE_MAP()

private:
    CCalcEngine* m_pEngine = nullptr;
    CProfileStore* m_pStore = nullptr;
};

// The "Solve Options" page: the interval, steps and decimals new solver models start with. OK
// puts them into the document's settings and the "SolverModel" section; a minimum that is not
// below the maximum is kept (new models then keep their own interval).
class CSolveOptionsPage : public CPropertyPage {
    DECLARE_DYNCREATE(CSolveOptionsPage)
public:
    CSolveOptionsPage();
    CSolveOptionsPage(DocumentSettings* pSettings, CProfileStore* pStore);

    BOOL OnInitDialog() override;
    void OnOK() override;

    SolverDefaults m_Defaults;

protected:
    void DoDataExchange(CDataExchange* pDX) override;

private:
    DocumentSettings* m_pSettings = nullptr;
    CProfileStore* m_pStore = nullptr;
};
