#include "analysis/AddMatrixDlg.h"

#include "analysis/DialogWarning.h"
#include "res/resource.h"

CAddMatrixDlg::CAddMatrixDlg(BOOL bResize, CWnd* pParent)
    : CDialog(IDD_ADD_MATRIX, pParent), m_bResize(bResize)
{
}

void CAddMatrixDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_Text(pDX, IDC_MATRIX_NAME, m_strName);
    DDX_Text(pDX, IDC_MATRIX_ROWS, m_nRows);
    DDX_Text(pDX, IDC_MATRIX_COLUMNS, m_nColumns);
}

void CAddMatrixDlg::OnOK()
{
    if (!UpdateData(TRUE))
        return;
    if (!AcceptOrWarn(*this, CheckMatrixFields(m_strName, m_nRows, m_nColumns, !m_bResize,
                                               IDC_MATRIX_NAME, IDC_MATRIX_ROWS)))
        return;
    m_strName.Trim();
    EndDialog(IDOK);
}
