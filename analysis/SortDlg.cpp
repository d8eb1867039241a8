#include "analysis/SortDlg.h"

#include "framework/win/Controls.h"
#include "framework/win/MessageCrackers.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CSortDlg, CDialog)
ON_BN_CLICKED(IDC_SORT_COLUMN_ONLY, &CSortDlg::OnColumnOnly)
END_MESSAGE_MAP()

CSortDlg::CSortDlg(const std::vector<CString>& columnNames, CWnd* pParent)
    : CDialog(IDD_SORT, pParent), m_ColumnNames(columnNames)
{
}

BOOL CSortDlg::OnInitDialog()
{
    for (const CString& name : m_ColumnNames)
        SendDlgItemMessage(IDC_SORT_KEY, CB_ADDSTRING, 0,
                           reinterpret_cast<LPARAM>(name.GetString()));
    return CDialog::OnInitDialog();
}

void CSortDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Radio(pDX, IDC_SORT_ASCENDING, m_nOrder);
    DDX_Check(pDX, IDC_SORT_COLUMN_ONLY, m_bColumnOnly);
    DDX_CBIndex(pDX, IDC_SORT_KEY, m_nKey);
}

void CSortDlg::OnColumnOnly()
{
    if (IsDlgButtonChecked(IDC_SORT_COLUMN_ONLY))
        AfxMessageBox("Sorting only the selected column will cause the data columns to be "
                      "non-synchronous.  Do not select this option if you have paired data values.",
                      MB_OK | MB_ICONEXCLAMATION);
}
