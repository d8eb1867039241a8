#include "app/CalculationPages.h"

#include "app/DocumentSettings.h"
#include "engine/CalcEngine.h"
#include "framework/win/Controls.h"
#include "framework/win/DataExchange.h"
#include "framework/win/MessageCrackers.h"
#include "res/AppIds.h"

IMPLEMENT_DYNCREATE(CNumberFormatPage, CPropertyPage)
IMPLEMENT_DYNCREATE(CSolveOptionsPage, CPropertyPage)

// ---- General --------------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CNumberFormatPage, CPropertyPage)
ON_CBN_SELCHANGE(IDC_FORMAT_MODE, &CNumberFormatPage::OnModeChange)
ON_EN_CHANGE(IDC_FORMAT_DECIMALS, &CNumberFormatPage::OnDecimalsChange)
ON_NOTIFY(UDN_DELTAPOS, IDC_FORMAT_DECIMALS_SPIN, &CNumberFormatPage::OnDecimalsSpin)
END_MESSAGE_MAP()

CNumberFormatPage::CNumberFormatPage() : CPropertyPage(IDD_NUMBER_FORMAT_PAGE) {}

CNumberFormatPage::CNumberFormatPage(CCalcEngine* pEngine, CProfileStore* pStore)
    : CPropertyPage(IDD_NUMBER_FORMAT_PAGE), m_pEngine(pEngine), m_pStore(pStore)
{
}

BOOL CNumberFormatPage::OnInitDialog()
{
    if (m_pEngine)
        m_Options = ReadNumberFormatOptions(*m_pEngine);
    auto* pModes = static_cast<CComboBox*>(GetDlgItem(IDC_FORMAT_MODE));
    for (const char* name : kFormatModeNames)
        pModes->AddString(name);
    const struct {
        int nID;
        int nLower, nUpper;
    } spins[] = {{IDC_FORMAT_DECIMALS_SPIN, 0, kMaxOptionDecimals},
                 {IDC_FORMAT_WIDTH_SPIN, 1, 30},
                 {IDC_BASE_CUSTOM_SPIN, kMinBase, kMaxBase}};
    for (const auto& spin : spins)
        GetDlgItem(spin.nID)->SendMessage(UDM_SETRANGE32, WPARAM(spin.nLower), spin.nUpper);
    CPropertyPage::OnInitDialog();
    ApplyModeRule();
    return TRUE;
}

void CNumberFormatPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_CBIndex(pDX, IDC_FORMAT_MODE, m_Options.nMode);
    DDX_Text(pDX, IDC_FORMAT_DECIMALS, m_Options.nDecimals);
    DDV_MinMaxInt(pDX, m_Options.nDecimals, 0, kMaxOptionDecimals);
    DDX_Radio(pDX, IDC_BASE_DECIMAL, m_Options.nBaseChoice);
    DDX_Text(pDX, IDC_BASE_CUSTOM, m_Options.nCustomBase);
    DDX_Radio(pDX, IDC_ANGLE_DEGREE, m_Options.nAngleMode);
}

void CNumberFormatPage::OnModeChange()
{
    m_Options.nMode = int(GetDlgItem(IDC_FORMAT_MODE)->SendMessage(CB_GETCURSEL));
    ApplyModeRule();
}

void CNumberFormatPage::OnDecimalsChange() { ShowSample(); }

void CNumberFormatPage::OnDecimalsSpin(NMHDR*, LRESULT* pResult) { *pResult = 0; }

void CNumberFormatPage::ApplyModeRule()
{
    const BOOL bDecimals = FormatModeUsesDecimals(m_Options.nMode);
    for (int nID : {IDC_FORMAT_DECIMALS, IDC_FORMAT_DECIMALS_SPIN, IDC_FORMAT_DECIMALS_LABEL})
        GetDlgItem(nID)->EnableWindow(bDecimals);
    for (int nID : {IDC_FORMAT_WIDTH, IDC_FORMAT_WIDTH_SPIN, IDC_FORMAT_WIDTH_LABEL})
        GetDlgItem(nID)->EnableWindow(FALSE);
    ShowSample();
}

// The sample follows the field as it stands, keystroke by keystroke; typing shows no message
// (OK refuses what gives no decimal places).
void CNumberFormatPage::ShowSample()
{
    CString decimals;
    GetDlgItemText(IDC_FORMAT_DECIMALS, decimals);
    const int mode = int(GetDlgItem(IDC_FORMAT_MODE)->SendMessage(CB_GETCURSEL));
    SetDlgItemText(IDC_FORMAT_SAMPLE, FormatOptionSample(mode, decimals));
}

void CNumberFormatPage::OnOK()
{
    if (m_pEngine && m_pStore)
        ApplyNumberFormatOptions(m_Options, *m_pEngine, *m_pStore);
    CPropertyPage::OnOK();
}

// ---- Solve Options ----------------------------------------------------------------------------

CSolveOptionsPage::CSolveOptionsPage() : CPropertyPage(IDD_SOLVE_OPTIONS_PAGE) {}

CSolveOptionsPage::CSolveOptionsPage(DocumentSettings* pSettings, CProfileStore* pStore)
    : CPropertyPage(IDD_SOLVE_OPTIONS_PAGE), m_pSettings(pSettings), m_pStore(pStore)
{
}

BOOL CSolveOptionsPage::OnInitDialog()
{
    if (m_pSettings)
        m_Defaults = ReadSolverDefaults(*m_pSettings);
    return CPropertyPage::OnInitDialog();
}

void CSolveOptionsPage::DoDataExchange(CDataExchange* pDX)
{
    CPropertyPage::DoDataExchange(pDX);
    DDX_Text(pDX, IDC_SOLVE_DECIMALS, m_Defaults.nDecimals);
    DDV_MinMaxInt(pDX, m_Defaults.nDecimals, 0, kMaxOptionDecimals);
    DDX_Text(pDX, IDC_SOLVE_MIN, m_Defaults.dMin);
    DDX_Text(pDX, IDC_SOLVE_MAX, m_Defaults.dMax);
    DDX_Text(pDX, IDC_SOLVE_STEPS, m_Defaults.nSteps);
    DDV_MinMaxInt(pDX, m_Defaults.nSteps, 1, kMaxSolverSteps);
}

void CSolveOptionsPage::OnOK()
{
    if (m_pSettings && m_pStore)
        ApplySolverDefaults(m_Defaults, *m_pSettings, *m_pStore);
    CPropertyPage::OnOK();
}
