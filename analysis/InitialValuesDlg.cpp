#include "analysis/InitialValuesDlg.h"

#include "analysis/NonlinearFit.h"
#include "framework/win/MessageCrackers.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CInitialValuesDlg, CDialog)
ON_CONTROL_RANGE(BN_CLICKED, IDC_INITIAL_AUTO_FIRST, IDC_INITIAL_AUTO_FIRST + kInitialValueRows - 1,
                 &CInitialValuesDlg::OnAutoClicked)
ON_CONTROL_RANGE(BN_CLICKED, IDC_INITIAL_CONSTANT_FIRST,
                 IDC_INITIAL_CONSTANT_FIRST + kInitialValueRows - 1,
                 &CInitialValuesDlg::OnConstantClicked)
ON_BN_CLICKED(IDC_INITIAL_HELP, &CInitialValuesDlg::OnHelp)
END_MESSAGE_MAP()

CInitialValuesDlg::CInitialValuesDlg(CNonlinearFit& fit, CWnd* pParent)
    : CDialog(IDD_INITIAL_VALUES, pParent), m_Fit(fit)
{
    for (int i = 0; i < ShownRows(); ++i) {
        m_Values[i] = fit.GetInitialValue(i);
        m_Auto[i] = fit.GetAuto(i) ? 1 : 0;
        m_Constant[i] = fit.GetConstant(i) ? 1 : 0;
    }
    m_strIterations.Format("%d", fit.GetMaxIterations());
}

int CInitialValuesDlg::ShownRows() const
{
    const int n = m_Fit.GetParameterCount();
    return n <= kInitialValueRows ? n : 0;
}

BOOL CInitialValuesDlg::OnInitDialog()
{
    CDialog::OnInitDialog();
    if (m_Fit.GetParameterCount() > kInitialValueRows)
        return TRUE;
    for (int i = 0; i < kInitialValueRows; ++i) {
        const BOOL bShown = i < ShownRows();
        if (bShown)
            SetDlgItemText(IDC_INITIAL_LABEL_FIRST + i, m_Fit.GetParameterName(i));
        else if (CWnd* pLabel = GetDlgItem(IDC_INITIAL_LABEL_FIRST + i))
            pLabel->ShowWindow(SW_HIDE);
        for (int first : {IDC_INITIAL_AUTO_FIRST, IDC_INITIAL_CONSTANT_FIRST})
            if (CWnd* pBox = GetDlgItem(first + i))
                pBox->EnableWindow(bShown);
        EnableValue(i, bShown && !m_Auto[i]);
    }
    return TRUE;
}

void CInitialValuesDlg::DoDataExchange(CDataExchange* pDX)
{
    for (int i = 0; i < ShownRows(); ++i) {
        DDX_Check(pDX, IDC_INITIAL_AUTO_FIRST + i, m_Auto[i]);
        DDX_Check(pDX, IDC_INITIAL_CONSTANT_FIRST + i, m_Constant[i]);
        // An Auto value is chosen by the fit: what its disabled field holds is not read.
        if (!pDX->m_bSaveAndValidate || !m_Auto[i])
            DDX_Text(pDX, IDC_INITIAL_VALUE_FIRST + i, m_Values[i]);
    }
    DDX_Text(pDX, IDC_INITIAL_ITERATIONS, m_strIterations);
}

void CInitialValuesDlg::EnableValue(int row, BOOL bEnable)
{
    if (CWnd* pEdit = GetDlgItem(IDC_INITIAL_VALUE_FIRST + row))
        pEdit->EnableWindow(bEnable);
}

void CInitialValuesDlg::OnAutoClicked(UINT nID)
{
    const int row = int(nID) - IDC_INITIAL_AUTO_FIRST;
    CheckDlgButton(IDC_INITIAL_CONSTANT_FIRST + row, BST_UNCHECKED);
    EnableValue(row, !IsDlgButtonChecked(nID));
}

void CInitialValuesDlg::OnConstantClicked(UINT nID)
{
    const int row = int(nID) - IDC_INITIAL_CONSTANT_FIRST;
    CheckDlgButton(IDC_INITIAL_AUTO_FIRST + row, BST_UNCHECKED);
    EnableValue(row, TRUE);
}

void CInitialValuesDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return; // the refused value is selected and the dialog stays open
    for (int i = 0; i < ShownRows(); ++i) {
        m_Fit.SetAuto(i, m_Auto[i]);
        m_Fit.SetConstant(i, m_Constant[i]);
        if (!m_Auto[i])
            m_Fit.SetInitialValue(i, m_Values[i]);
    }
    m_Fit.SetMaxIterations(ReadIterationLimit(m_strIterations, m_Fit.GetMaxIterations()));
    EndDialog(IDOK);
}

void CInitialValuesDlg::OnHelp() { WinHelp(IDD_INITIAL_VALUES); }
