#pragma once
#include "app/FinanceRules.h"
#include "app/ToolWindows.h"
#include "framework/win/CDialog.h"

// The finance box: a modeless tool window of the main frame, made hidden, holding the five
// quantities of an annuity with a Calculate button beside each that solves for it from the
// others. Close, Escape and the close box hide it; Enter does nothing. It keeps its place and
// whether it shows in the "FinanceBox" settings section.
class CFinanceBoxDlg : public CDialog {
    DECLARE_DYNAMIC(CFinanceBoxDlg)
public:
    CFinanceBoxDlg();

    // Tools/Finance Box: shown when hidden, hidden when shown.
    void Toggle();
    BOOL IsShown() const { return m_bVisible; }

    BOOL OnInitDialog() override;
    void OnOK() override;
    void OnCancel() override;

    double m_dRateGuess = 10.0; // percent: where the interest-rate iteration starts
    BOOL m_bVisible = FALSE;
    FinanceValues m_Values;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    void OnCalculate(UINT nID);
    void OnCalculateRate();
    void OnClose();
    void OnHelp();
    BOOL OnHelpInfo(HELPINFO* pInfo);
    void OnDestroy();
    DECLARE_MESSAGE_MAP()

private:
    // The result into its field and back into the values; the invalid-inputs message (and
    // nothing changed) for a result that is not finite.
    void ShowResult(int nID, double value);
    void Refuse(LPCTSTR lpszText, LPCTSTR lpszCaption);
    void ShowTool(BOOL bShow);

    FinanceBoxSettings m_Settings;
    ToolWindowPlace m_place;
    FinanceBoxSettings m_SettingsAtStart; // only what differs from it is written back
};

// The question for another guess of the interest rate when the iteration did not converge.
class CRateGuessDlg : public CDialog {
    DECLARE_DYNAMIC(CRateGuessDlg)
public:
    explicit CRateGuessDlg(double guessPercent, CWnd* pParent = nullptr);

    void OnOK() override;

    double m_dGuess;

protected:
    void DoDataExchange(CDataExchange* pDX) override;
    BOOL OnHelpInfo(HELPINFO* pInfo);
    DECLARE_MESSAGE_MAP()
};
