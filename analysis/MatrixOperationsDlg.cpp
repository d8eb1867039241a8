#include "analysis/MatrixOperationsDlg.h"

#include "analysis/DialogWarning.h"
#include "analysis/FitDialogRules.h"
#include "analysis/MatrixObject.h"
#include "framework/win/MessageCrackers.h"
#include "res/resource.h"

BEGIN_MESSAGE_MAP(CMatrixOperationsDlg, CDialog)
ON_CBN_SELCHANGE(IDC_MATRIX_OP_FIRST, &CMatrixOperationsDlg::OnChoiceChanged)
ON_CBN_SELCHANGE(IDC_MATRIX_OP_SECOND, &CMatrixOperationsDlg::OnChoiceChanged)
ON_BN_CLICKED(IDC_MATRIX_OP_ADD, &CMatrixOperationsDlg::OnChoiceChanged)
ON_BN_CLICKED(IDC_MATRIX_OP_SUBTRACT, &CMatrixOperationsDlg::OnChoiceChanged)
ON_BN_CLICKED(IDC_MATRIX_OP_MULTIPLY, &CMatrixOperationsDlg::OnChoiceChanged)
ON_BN_CLICKED(IDC_MATRIX_OP_EXECUTE, &CMatrixOperationsDlg::OnExecute)
ON_BN_CLICKED(IDC_MATRIX_OP_CLOSE, &CMatrixOperationsDlg::OnCloseButton)
ON_BN_CLICKED(IDC_MATRIX_OP_HELP, &CMatrixOperationsDlg::OnHelp)
END_MESSAGE_MAP()

CMatrixOperationsDlg::CMatrixOperationsDlg(const std::vector<const CMatrixObject*>& matrices,
                                           CWnd* pParent)
    : CDialog(IDD_MATRIX_OPERATIONS, pParent), m_Matrices(matrices)
{
}

BOOL CMatrixOperationsDlg::OnInitDialog()
{
    for (int nID : {IDC_MATRIX_OP_FIRST, IDC_MATRIX_OP_SECOND})
        for (const CMatrixObject* matrix : m_Matrices)
            SendDlgItemMessage(nID, CB_ADDSTRING, 0,
                               reinterpret_cast<LPARAM>(matrix->GetName().GetString()));
    CDialog::OnInitDialog();
    OnChoiceChanged();
    return TRUE;
}

void CMatrixOperationsDlg::DoDataExchange(CDataExchange* pDX)
{
    DDX_CBIndex(pDX, IDC_MATRIX_OP_FIRST, m_nFirst);
    DDX_CBIndex(pDX, IDC_MATRIX_OP_SECOND, m_nSecond);
    DDX_Radio(pDX, IDC_MATRIX_OP_ADD, m_nOperation);
    DDX_Text(pDX, IDC_MATRIX_OP_RESULT, m_strResult);
}

void CMatrixOperationsDlg::OnChoiceChanged()
{
    const auto first = int(SendDlgItemMessage(IDC_MATRIX_OP_FIRST, CB_GETCURSEL));
    const auto second = int(SendDlgItemMessage(IDC_MATRIX_OP_SECOND, CB_GETCURSEL));
    const int count = int(m_Matrices.size());
    if (first < 0 || second < 0 || first >= count || second >= count)
        return;
    const int operation = IsDlgButtonChecked(IDC_MATRIX_OP_MULTIPLY)   ? MatrixMultiply
                          : IsDlgButtonChecked(IDC_MATRIX_OP_SUBTRACT) ? MatrixSubtract
                                                                       : MatrixAdd;
    SetDlgItemText(IDC_MATRIX_OP_RESULT,
                   MatrixOperationName(operation, m_Matrices[std::size_t(first)]->GetName(),
                                       m_Matrices[std::size_t(second)]->GetName()));
}

void CMatrixOperationsDlg::OnExecute()
{
    if (!UpdateData(TRUE))
        return;
    const int count = int(m_Matrices.size());
    if (m_nFirst < 0 || m_nSecond < 0 || m_nFirst >= count || m_nSecond >= count)
        return;
    const CMatrixObject& first = *m_Matrices[std::size_t(m_nFirst)];
    const CMatrixObject& second = *m_Matrices[std::size_t(m_nSecond)];
    if (!AcceptOrWarn(*this, CheckMatrixOperation(m_strResult, m_nOperation, first.GetRowCount(),
                                                  first.GetColumnCount(), second.GetRowCount(),
                                                  second.GetColumnCount(), IDC_MATRIX_OP_RESULT)))
        return;
    m_strResult.Trim();
    EndDialog(IDOK);
}

void CMatrixOperationsDlg::OnCloseButton() { EndDialog(IDCANCEL); }

void CMatrixOperationsDlg::OnHelp() { WinHelp(IDD_MATRIX_OPERATIONS); }
