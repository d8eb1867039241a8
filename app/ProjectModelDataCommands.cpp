// The data commands on the selected table, list or matrix: adding and resizing matrices,
// transposing, filling and transforming by an expression, sorting and the error column.
#include "app/ProjectModel.h"

#include "analysis/DataDialogRules.h"

namespace {

constexpr int kYes = 6;
constexpr int kErrorColumn = 2;

// Whether removing the column loses nothing the user typed: every cell 0 or empty.
BOOL HoldsNoValues(const CDataColumn& column)
{
    for (int i = 1; i <= column.GetCount(); ++i)
        if (column.GetValue(i) != 0.0 && !IsEmptyCell(column.GetValue(i)))
            return FALSE;
    return TRUE;
}

} // namespace

CDataTable* ProjectModel::GetSelectedTable() const
{
    return m_nSelectedKind == ItemDataTable ? dynamic_cast<CDataTable*>(m_pSelectedObject)
                                            : nullptr;
}

CDataColumn* ProjectModel::GetSelectedList() const
{
    return m_nSelectedKind == ItemList ? dynamic_cast<CDataColumn*>(m_pSelectedObject) : nullptr;
}

CMatrixObject* ProjectModel::GetSelectedMatrix() const
{
    return m_nSelectedKind == ItemMatrix ? dynamic_cast<CMatrixObject*>(m_pSelectedObject)
                                         : nullptr;
}

void ProjectModel::AddMatrix(const CString& name, int rows, int columns)
{
    if (static_cast<long long>(rows) * columns > kMaxMatrixElements) {
        Prompts().ShowMessage(kMatrixTooLargeText);
        return;
    }
    auto matrix = std::make_unique<CMatrixObject>();
    if (const int code = matrix->Resize(rows, columns, FALSE)) {
        Prompts().ShowMessage(GetErrorText(code));
        return;
    }
    matrix->SetName(name);
    AddResultItem(ItemMatrix, matrix.release());
}

void ProjectModel::ResizeSelectedMatrix(int rows, int columns)
{
    CMatrixObject* matrix = GetSelectedMatrix();
    if (!matrix)
        return;
    if (static_cast<long long>(rows) * columns > kMaxMatrixElements) {
        Prompts().ShowMessage(kMatrixTooLargeText);
        return;
    }
    if (const int code = matrix->Resize(rows, columns, TRUE)) {
        Prompts().ShowMessage(GetErrorText(code));
        return;
    }
    matrix->SetModified();
    m_bModified = TRUE;
    RefreshSelectedItem();
}

void ProjectModel::TransposeSelectedMatrix()
{
    CMatrixObject* matrix = GetSelectedMatrix();
    if (!matrix)
        return;
    if (const int code = matrix->Transpose()) {
        Prompts().ShowMessage(GetErrorText(code));
        return;
    }
    m_bModified = TRUE;
    RefreshSelectedItem();
}

void ProjectModel::ApplyExpressionToSelection(const CString& expression, const CString& question)
{
    CDataObject* object = IsDataItemKind(m_nSelectedKind) ? m_pSelectedObject : nullptr;
    if (!object)
        return;
    m_Engine.SetExpression(expression);
    if (const int code = m_Engine.Parse()) {
        Prompts().ShowMessage(GetErrorText(code));
        return;
    }
    if (Prompts().AskQuestion(question) != kYes)
        return;
    if (const int code = object->ApplyExpression(m_Engine)) {
        Prompts().ShowMessage(GetErrorText(code));
        return;
    }
    object->SetModified();
    m_bModified = TRUE;
    RefreshSelectedItem();
}

void ProjectModel::SortSelectedList(int order)
{
    if (CDataColumn* list = GetSelectedList()) {
        list->Sort(order, 0);
        m_bModified = TRUE;
        RefreshSelectedItem();
    }
}

void ProjectModel::SortSelectedTable(int order, int key, BOOL bColumnOnly)
{
    CDataTable* table = GetSelectedTable();
    if (!table || key < 0 || key >= table->GetColumnCount())
        return;
    const int code = bColumnOnly ? table->GetColumn(key)->Sort(order, 0) : table->Sort(order, key);
    if (code != 0) {
        Prompts().ShowMessage(GetErrorText(code));
        return;
    }
    table->SetModified();
    m_bModified = TRUE;
    RefreshSelectedItem();
}

void ProjectModel::ToggleErrorColumn()
{
    CDataTable* table = GetSelectedTable();
    if (!table)
        return;
    if (table->GetLayout() == TableLayoutXY) {
        table->SetLayout(TableLayoutXYSig);
    } else if (table->GetLayout() == TableLayoutXYSig) {
        if (table->GetColumnCount() > kErrorColumn &&
            !HoldsNoValues(*table->GetColumn(kErrorColumn)) &&
            Prompts().AskQuestion("The error column holds values that will be lost.  Remove "
                                  "the error column?") != kYes)
            return;
        table->SetLayout(TableLayoutXY);
    } else {
        return;
    }
    m_bModified = TRUE;
    RefreshSelectedItem();
}
