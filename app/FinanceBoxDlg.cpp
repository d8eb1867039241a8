#include "app/FinanceBoxDlg.h"

#include "app/MessageBoxes.h"
#include "app/SharedSettings.h"
#include "framework/win/DataExchange.h"
#include "framework/win/MessageCrackers.h"
#include "framework/win/RegistryProfileStore.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CFinanceBoxDlg, CDialog)
IMPLEMENT_DYNAMIC(CRateGuessDlg, CDialog)

BEGIN_MESSAGE_MAP(CFinanceBoxDlg, CDialog)
ON_COMMAND_RANGE(IDC_FINANCE_CALC_FV, IDC_FINANCE_CALC_PMT, &CFinanceBoxDlg::OnCalculate)
ON_COMMAND_RANGE(IDC_FINANCE_CALC_PV, IDC_FINANCE_CALC_PV, &CFinanceBoxDlg::OnCalculate)
ON_BN_CLICKED(IDC_FINANCE_CALC_RATE, &CFinanceBoxDlg::OnCalculateRate)
ON_BN_CLICKED(IDC_FINANCE_CLOSE, &CFinanceBoxDlg::OnClose)
ON_BN_CLICKED(IDC_FINANCE_HELP, &CFinanceBoxDlg::OnHelp)
ON_WM_HELPINFO()
ON_WM_DESTROY()
END_MESSAGE_MAP()

namespace {

const char kInvalidInputs[] = "One or more of the inputs are invalid.  Please try again.";
const char kNoRate[] =
    "No interest rate satisfies the given parameters.  Please change one or more values.";

} // namespace

CFinanceBoxDlg::CFinanceBoxDlg()
{
    CRegistryProfileStore store;
    ReadFinanceBoxSettings(store, m_Settings);
    m_SettingsAtStart = m_Settings;
}

BOOL CFinanceBoxDlg::OnInitDialog()
{
    for (const char* name : kFrequencyNames)
        GetDlgItem(IDC_FINANCE_FREQUENCY)->SendMessage(CB_ADDSTRING, 0, LPARAM(name));
    for (const char* name : kTimingNames)
        GetDlgItem(IDC_FINANCE_TIMING)->SendMessage(CB_ADDSTRING, 0, LPARAM(name));
    CDialog::OnInitDialog();
    m_place.Restore(*this, m_Settings.nLeft, m_Settings.nTop);
    if (m_Settings.nVisible)
        ShowTool(TRUE);
    return TRUE;
}

void CFinanceBoxDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_FINANCE_FREQUENCY, m_Values.nFrequency);
    DDX_CBIndex(pDX, IDC_FINANCE_TIMING, m_Values.nTiming);
    DDX_Text(pDX, IDC_FINANCE_RATE, m_Values.dRate);
    DDX_Text(pDX, IDC_FINANCE_FV, m_Values.dFutureValue);
    DDX_Text(pDX, IDC_FINANCE_PAYMENT, m_Values.dPayment);
    DDX_Text(pDX, IDC_FINANCE_PV, m_Values.dPresentValue);
    DDX_Text(pDX, IDC_FINANCE_DURATION, m_Values.dDuration);
}

// A field that does not read has been refused with its message: nothing is calculated.
void CFinanceBoxDlg::OnCalculate(UINT nID)
{
    if (!UpdateData(TRUE))
        return;
    switch (nID) {
    case IDC_FINANCE_CALC_PV:
        ShowResult(IDC_FINANCE_PV, SolveFinance(SolvePresentValue, m_Values));
        break;
    case IDC_FINANCE_CALC_FV:
        ShowResult(IDC_FINANCE_FV, SolveFinance(SolveFutureValue, m_Values));
        break;
    case IDC_FINANCE_CALC_PMT:
        ShowResult(IDC_FINANCE_PAYMENT, SolveFinance(SolvePayment, m_Values));
        break;
    case IDC_FINANCE_CALC_NPER:
        ShowResult(IDC_FINANCE_DURATION, SolveFinance(SolveDuration, m_Values));
        break;
    default:
        break;
    }
}

// A guess that does not converge asks for another until one does or the user cancels.
void CFinanceBoxDlg::OnCalculateRate()
{
    if (!UpdateData(TRUE))
        return;
    for (;;) {
        double ratePercent = 0;
        switch (SolveRate(m_Values, m_dRateGuess, ratePercent)) {
        case RateFound:
            ShowResult(IDC_FINANCE_RATE, ratePercent);
            return;
        case RateNone:
            Refuse(kNoRate, "APR Calculation");
            return;
        case RateNotConverged: {
            CRateGuessDlg guess(m_dRateGuess, this);
            if (guess.DoModal() != IDOK)
                return;
            m_dRateGuess = guess.m_dGuess;
            break;
        }
        }
    }
}

void CFinanceBoxDlg::ShowResult(int nID, double value)
{
    CString text;
    if (!FinanceResultText(value, text)) {
        Refuse(kInvalidInputs, "Finance Box");
        return;
    }
    SetDlgItemText(nID, text);
    UpdateData(TRUE);
}

void CFinanceBoxDlg::Refuse(LPCTSTR lpszText, LPCTSTR lpszCaption)
{
    MessageBoxText(this, lpszText, lpszCaption);
    GotoDlgCtrl(GetDlgItem(IDC_FINANCE_PV));
}

void CFinanceBoxDlg::OnOK() {}

void CFinanceBoxDlg::OnCancel() { ShowTool(FALSE); }

void CFinanceBoxDlg::OnClose() { ShowTool(FALSE); }

void CFinanceBoxDlg::OnHelp() { WinHelp(IDD_FINANCE_BOX); }

BOOL CFinanceBoxDlg::OnHelpInfo(HELPINFO*)
{
    WinHelp(DWORD_PTR("Finance Box"), HELP_KEY);
    return TRUE;
}

void CFinanceBoxDlg::ShowTool(BOOL bShow)
{
    m_bVisible = bShow;
    if (bShow)
        m_place.BeforeShow(*this);
    ShowWindow(bShow ? SW_SHOW : SW_HIDE);
}

void CFinanceBoxDlg::Toggle() { ShowTool(!IsWindowVisible()); }

void CFinanceBoxDlg::OnDestroy()
{
    m_place.Save(*this, m_Settings.nLeft, m_Settings.nTop);
    m_Settings.nVisible = m_bVisible;
    CRegistryProfileStore store;
    WriteChangedSettings(store, m_SettingsAtStart, m_Settings, &WriteFinanceBoxSettings);
    CDialog::OnDestroy();
}

// ---- the guess ----------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CRateGuessDlg, CDialog)
ON_WM_HELPINFO()
END_MESSAGE_MAP()

CRateGuessDlg::CRateGuessDlg(double guessPercent, CWnd* pParent)
    : CDialog(IDD_RATE_GUESS, pParent), m_dGuess(guessPercent)
{
}

void CRateGuessDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_RATE_GUESS, m_dGuess);
}

void CRateGuessDlg::OnOK()
{
    GetDlgItem(IDC_RATE_GUESS)->SendMessage(EM_SETSEL, 0, -1);
    CDialog::OnOK();
}

BOOL CRateGuessDlg::OnHelpInfo(HELPINFO*)
{
    WinHelp(DWORD_PTR("RATE"), HELP_KEY);
    return TRUE;
}
