// The document's matrix commands on the selected matrix, and the sum, difference or product
// of two matrices chosen in the matrix-operations dialog.
#include "analysis/MatrixOperationsDlg.h"
#include "app/MainFrame.h"
#include "app/MyDocument.h"
#include "app/RichWorkspace.h"
#include "res/resource.h"

void CMyDocument::OnDeterminant()
{
    CString line;
    if (!m_Model.GetDeterminantLine(line))
        return;
    if (CRichWorkspace* pWorkspace = GetWorkspaceView())
        pWorkspace->PrintLine(line);
}

void CMyDocument::OnInverseMatrix() { m_Model.AddInverseMatrix(); }

void CMyDocument::OnSolveMatrix() { m_Model.AddSolutionMatrix(); }

void CMyDocument::OnEigen(UINT nID) { m_Model.AddEigenMatrix(nID == ID_MATRIX_EIGENVECTORS); }

void CMyDocument::OnMatrixOperations()
{
    if (!m_Model.GetSelectedMatrix())
        return;
    std::vector<const CMatrixObject*> matrices;
    for (const auto& matrix : m_Model.m_Matrices)
        matrices.push_back(matrix.get());
    CMatrixOperationsDlg dlg(matrices, GetMainFrame());
    if (dlg.DoModal() == IDOK)
        m_Model.AddCombinedMatrix(dlg.m_nFirst, dlg.m_nSecond, dlg.m_nOperation, dlg.m_strResult);
}
