// The matrix commands: the determinant as a workspace line, and the inverse, the solution of
// an augmented system, eigenvalues, eigenvectors and the sum, difference or product of two
// matrices as new matrices.
#include "app/ProjectModel.h"

#include "engine/EngineErrors.h"
#include "engine/LocaleSeparators.h"
#include "engine/NumberText.h"

namespace {

constexpr const char kSymmetricOnlyText[] = "Can only find eigenvalues of a symmetric matrix";

BOOL IsSquare(const CMatrixObject& matrix)
{
    return matrix.GetRowCount() > 0 && matrix.GetRowCount() == matrix.GetColumnCount();
}

} // namespace

BOOL ProjectModel::GetDeterminantLine(CString& line)
{
    const CMatrixObject* matrix = GetSelectedMatrix();
    if (!matrix)
        return FALSE;
    if (!IsSquare(*matrix)) {
        Prompts().ShowMessage("Can only find determinant of square matrix");
        return FALSE;
    }
    double determinant = 0;
    // A singular matrix has the determinant 0, whichever pivot showed it.
    if (const int code = matrix->Determinant(determinant); code && code != ErrSingularMatrix) {
        Prompts().ShowMessage(GetErrorText(code));
        return FALSE;
    }
    line = "Determinant of matrix " + matrix->GetName() + " = " +
           numtext::General(determinant, 6, GetLocaleSeparators().chDecimal);
    return TRUE;
}

void ProjectModel::AddInverseMatrix()
{
    const CMatrixObject* matrix = GetSelectedMatrix();
    if (!matrix)
        return;
    if (!IsSquare(*matrix)) {
        Prompts().ShowMessage("Can only find inverse of square matrix");
        return;
    }
    auto inverse = std::make_unique<CMatrixObject>();
    int code = inverse->Copy(*matrix);
    if (code == 0)
        code = inverse->Invert();
    if (code) {
        Prompts().ShowMessage(GetErrorText(code));
        return;
    }
    inverse->SetName("Inverse of " + matrix->GetName());
    AddResultItem(ItemMatrix, inverse.release());
}

void ProjectModel::AddSolutionMatrix()
{
    const CMatrixObject* matrix = GetSelectedMatrix();
    if (!matrix)
        return;
    if (matrix->GetRowCount() < 1 || matrix->GetColumnCount() != matrix->GetRowCount() + 1) {
        Prompts().ShowMessage("The number of columns must be equal to the number of rows plus one");
        return;
    }
    CDataColumn solution;
    auto result = std::make_unique<CMatrixObject>();
    int code = matrix->SolveAugmented(solution);
    if (code == 0)
        code = result->FromColumn(solution);
    if (code) {
        Prompts().ShowMessage(GetErrorText(code));
        return;
    }
    result->SetName("Solution of " + matrix->GetName());
    AddResultItem(ItemMatrix, result.release());
}

void ProjectModel::AddEigenMatrix(BOOL bVectors)
{
    const CMatrixObject* matrix = GetSelectedMatrix();
    if (!matrix)
        return;
    CDataColumn values;
    auto result = std::make_unique<CMatrixObject>();
    // Only a square, symmetric matrix is decomposed; a failed decomposition adds nothing. The
    // eigenvectors are worked out only when they are asked for, which halves the work.
    const int refused = IsSquare(*matrix) ? matrix->Eigen(values, bVectors ? result.get() : nullptr)
                                          : ErrNotSupported;
    if (refused) {
        Prompts().ShowMessage(refused == ErrNotSupported ? CString(kSymmetricOnlyText)
                                                         : GetErrorText(refused));
        return;
    }
    if (!bVectors) {
        if (const int code = result->FromColumn(values)) {
            Prompts().ShowMessage(GetErrorText(code));
            return;
        }
    }
    result->SetName((bVectors ? "EigenVectors of " : "EigenValues of ") + matrix->GetName());
    AddResultItem(ItemMatrix, result.release());
}

void ProjectModel::AddCombinedMatrix(int first, int second, int operation, const CString& name)
{
    const int count = GetItemCount(ItemMatrix);
    if (first < 0 || first >= count || second < 0 || second >= count)
        return;
    auto result = std::make_unique<CMatrixObject>();
    int code = result->Copy(*m_Matrices[std::size_t(first)]);
    if (code == 0)
        code = result->Combine(*m_Matrices[std::size_t(second)], operation);
    if (code) {
        Prompts().ShowMessage(GetErrorText(code));
        return;
    }
    result->SetName(name);
    AddResultItem(ItemMatrix, result.release());
}
