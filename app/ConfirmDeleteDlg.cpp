#include "app/ConfirmDeleteDlg.h"

#include "res/resource.h"

BEGIN_MESSAGE_MAP(CConfirmDeleteDlg, CDialog)
ON_BN_CLICKED(IDYES, &CConfirmDeleteDlg::OnYes)
ON_BN_CLICKED(IDNO, &CConfirmDeleteDlg::OnNo)
END_MESSAGE_MAP()

CConfirmDeleteDlg::CConfirmDeleteDlg(CWnd* pParent) : CDialog(IDD_CONFIRM_DELETE, pParent) {}

void CConfirmDeleteDlg::DoDataExchange(CDataExchange* pDX)
{
    CDialog::DoDataExchange(pDX);
    DDX_Check(pDX, IDC_CONFIRM_DONTASK, m_bDontAsk);
    DDX_Text(pDX, IDC_CONFIRM_QUESTION, m_strQuestion);
}

BOOL CConfirmDeleteDlg::OnInitDialog()
{
    SetWindowText(m_strCaption);
    const BOOL bResult = CDialog::OnInitDialog();
    SetDlgItemText(IDC_CONFIRM_DONTASK, m_strCheckLabel);
    return bResult;
}

void CConfirmDeleteDlg::OnYes()
{
    m_nAnswer = IDYES;
    OnOK();
}

void CConfirmDeleteDlg::OnNo()
{
    m_nAnswer = IDNO;
    OnOK();
}
