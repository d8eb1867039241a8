// Typing into the data view: which cells of the selected item take input, and what a typed
// cell changes in tables, lists, matrices and the engine's name tables. Graph, surface and
// solver-model cells are in ProjectModelGridEditItems.cpp.
#include "app/ProjectModel.h"

#include "app/LineCommand.h"
#include "engine/EngineNames.h"
#include "engine/SolverModel.h"
#include "engine/UnitRegistry.h"

namespace {

constexpr int kMinColumnWidth = 10;

// Column 1 up to the new-entry row, column 2 up to the last entry (further columns likewise).
BOOL IsEntryCellEditable(int row, int column, int count, int lastColumn)
{
    if (column == 1)
        return row <= count + 1;
    return column <= lastColumn && row <= count;
}

} // namespace

BOOL ProjectModel::IsCellEditable(int row, int column) const
{
    if (row < 1 || column < 1)
        return FALSE;
    const int count = GetEntryCount();
    switch (m_nSelectedKind) {
    case ItemDataTable: {
        auto* table = dynamic_cast<const CDataTable*>(m_pSelectedObject);
        return table && column <= table->GetColumnCount() &&
               table->IsCellEditable(column - 1, row - 1);
    }
    case ItemList: {
        auto* list = dynamic_cast<const CDataColumn*>(m_pSelectedObject);
        return list && column == 1 && row <= list->GetCount() + 1;
    }
    case ItemMatrix: {
        auto* matrix = dynamic_cast<const CMatrixObject*>(m_pSelectedObject);
        return matrix && row <= matrix->GetRowCount() && column <= matrix->GetColumnCount();
    }
    case Item2DGraph: {
        const CFunctionPlot* graph = SelectedGraph();
        if (!graph)
            return FALSE;
        if (column == 2)
            return row == 2 || (row == 3 && graph->m_nForm == GraphParametric);
        return column == 4 && (row == 2 || row == 3);
    }
    case ItemVariables:
    case ItemExpressionVariables:
    case ItemUserFunctions:
    case ItemSolverEquations:
        return IsEntryCellEditable(row, column, count, 2);
    case ItemUserConstants:
        return IsEntryCellEditable(row, column, count, 4);
    case ItemUserUnits:
        // A new conversion only once the last one has its name and its base.
        if (row == count + 1)
            return column == 1 && (count == 0 || IsUserUnitComplete(count - 1));
        return column <= 3 && row <= count;
    case ItemSolverModel: {
        const CSolverModel* model = SelectedSolverModel();
        if (!model)
            return FALSE;
        if (column == 2)
            return row >= 3 && row <= model->GetVariableCount() + 2;
        return column == 5 && row >= 3 && row <= 6;
    }
    case Item3DGraph:
        if (!SelectedSurface())
            return FALSE;
        if (column == 2)
            return row == 2 || (row >= 4 && row <= 7);
        return column == 4 && row >= 4 && row <= 6;
    default:
        return FALSE;
    }
}

BOOL ProjectModel::ApplyGridEdit(int row, int column, CString& text, double& value)
{
    value = 0;
    if (!IsCellEditable(row, column))
        return FALSE;
    CellEdit edit{row, column, text};
    edit.text.Trim();
    if (edit.text.IsEmpty())
        return FALSE;
    const int kind = m_nSelectedKind;
    CDataTable* table = GetSelectedTable();
    if (table)
        table->BeginCellEdits();
    // A refusal's "#...!" is never input: typed, it is answered like any other refusal.
    const int result = edit.text[0] == '#' ? int(ErrInvalidCharacter) : EditSelectedItem(edit);
    if (result == kCellRefused)
        return FALSE;
    value = edit.value;
    if (result != 0) {
        const CString typed = text;
        text = "#" + GetErrorText(result) + "!";
        // The cell shows no value, so the table holds none there, whatever it held before; the
        // message and what was typed stay with the cell until it is edited again.
        if (table) {
            if (table->EmptyCell(column - 1, row - 1))
                TableCellsChanged(*table);
            table->KeepRefusal({column - 1, row - 1, typed, text});
            table->EndCellEdits();
        }
        return TRUE;
    }
    if (table) {
        table->ForgetRefusal(column - 1, row - 1);
        table->EndCellEdits();
    }
    text = edit.bNumber ? GridNumberText(edit.value) : edit.text;
    // User constants, functions, conversions and solver models belong to the user data.
    if (kind <= ItemExpressionVariables || kind == Item3DGraph)
        m_bModified = TRUE;
    if (kind >= ItemVariables && kind <= ItemUserUnits)
        ResampleChangedGraphs();
    return TRUE;
}

int ProjectModel::EditSelectedItem(CellEdit& edit)
{
    switch (m_nSelectedKind) {
    case ItemDataTable:
    case ItemList:
    case ItemMatrix:
        return EditDataCell(edit);
    case Item2DGraph:
        return Edit2DGraphCell(edit);
    case ItemVariables:
    case ItemExpressionVariables:
        return EditNameCell(edit);
    case ItemUserConstants:
    case ItemUserFunctions:
    case ItemUserUnits:
        return EditUserTableCell(edit);
    case ItemSolverEquations:
        return EditSolverEquationCell(edit);
    case ItemSolverModel:
        return EditSolverModelCell(edit);
    case Item3DGraph:
        return Edit3DGraphCell(edit);
    default:
        return kCellRefused;
    }
}

int ProjectModel::ReadCellNumber(CellEdit& edit)
{
    int code = 0;
    edit.value = ParseNumber(m_Engine, edit.text, &code);
    edit.bNumber = code == 0;
    return code;
}

void ProjectModel::TableCellsChanged(const CDataTable& table)
{
    m_bModified = TRUE;
    const int layout = table.GetLayout();
    if ((layout == TableLayoutXY || layout == TableLayoutXYSig) && m_Settings.nAutoPlot)
        RefreshPlot2D(FALSE);
}

int ProjectModel::EditDataCell(CellEdit& edit)
{
    const int r = edit.row, c = edit.column;
    // A refused entry stores nothing (a list or matrix keeps its value, ApplyGridEdit empties
    // a table's cell).
    if (const int code = ReadCellNumber(edit))
        return code;
    if (auto* table = dynamic_cast<CDataTable*>(m_pSelectedObject)) {
        // The other cells of a row that this entry makes hold nothing the user typed.
        table->SetCell(c - 1, r - 1, edit.value, kEmptyCell);
        // A table that does not grow by itself leaves a value past its end untaken.
        if (r > table->GetColumnLength(c - 1))
            return ErrInvalidData;
        TableCellsChanged(*table);
    } else if (auto* list = dynamic_cast<CDataColumn*>(m_pSelectedObject)) {
        if (r > list->GetCount())
            list->Append(edit.value);
        else
            list->SetValue(r, edit.value);
        list->SetModified();
    } else if (auto* matrix = dynamic_cast<CMatrixObject*>(m_pSelectedObject)) {
        matrix->SetAt(r, c, edit.value);
    }
    return 0;
}

int ProjectModel::EditNameCell(CellEdit& edit)
{
    const int i = edit.row - 1;
    const BOOL bNew = i == GetEntryCount();
    if (m_nSelectedKind == ItemVariables) {
        if (bNew)
            return m_Engine.DefineVariable(edit.text, 0.0, false);
        if (edit.column == 1)
            return m_Engine.RenameVariable(i, edit.text);
        if (const int code = ReadCellNumber(edit))
            return code;
        m_Engine.SetVariable(i, m_Engine.GetVariableName(i), edit.value);
        return 0;
    }
    int code = 0;
    if (bNew)
        code = m_Engine.DefineExpressionVariable(edit.text, "", false);
    else if (edit.column == 1)
        code = m_Engine.RenameExpressionVariable(i, edit.text);
    else
        code = m_Engine.SetExpressionVariableText(i, edit.text);
    // The values of the other expression variables may depend on the changed one.
    if (code == 0)
        RefreshGrid();
    return code;
}

int ProjectModel::EditUserTableCell(CellEdit& edit)
{
    const int i = edit.row - 1;
    const BOOL bNew = i == GetEntryCount();
    switch (m_nSelectedKind) {
    case ItemUserConstants: {
        if (bNew)
            return AddUserConstant(edit.text, "", "", 0.0);
        if (edit.column == 2)
            return RenameUserConstant(i, edit.text);
        UserConstantRecord record = GetUserConstants()[std::size_t(i)];
        if (edit.column == 1)
            record.strDescription = edit.text;
        else if (edit.column == 4)
            record.strUnit = edit.text;
        else if (const int code = ReadCellNumber(edit))
            return code;
        else
            record.dValue = edit.value;
        SetUserConstantRecord(i, record.strDescription, record.strUnit, record.strSymbol,
                              record.dValue);
        return 0;
    }
    case ItemUserFunctions:
        if (bNew)
            return m_Engine.DefineUserFunction(edit.text, false);
        if (edit.column == 1)
            return m_Engine.ReplaceUserFunction(i, edit.text);
        SetUserFunctionDescription(i, edit.text);
        return 0;
    case ItemUserUnits:
        // Factor 1 until the user types one: the registry takes no conversion by 0.
        if (bNew)
            return AddUserUnit(edit.text, "", 1.0);
        if (edit.column == 1)
            return SetUserUnitName(i, edit.text);
        if (edit.column == 2)
            return SetUserUnitBase(i, edit.text);
        if (const int code = ReadCellNumber(edit))
            return code;
        return SetUserUnitFactor(i, edit.value);
    default:
        return kCellRefused;
    }
}

int ProjectModel::EditSolverEquationCell(CellEdit& edit)
{
    const int i = edit.row - 1;
    if (i == m_UserDefinitions.GetSolverModelCount()) {
        if (const int code = AddSolverModel(edit.text, CString()))
            return code;
        Windows().InsertExplorerItem(ItemSolverModel,
                                     m_UserDefinitions.GetSolverModel(i)->m_strEquation, FALSE);
        return 0;
    }
    CSolverModel* model = m_UserDefinitions.GetSolverModel(i);
    if (edit.column == 2) {
        model->m_strNote = edit.text;
        return 0;
    }
    const int other = m_UserDefinitions.FindSolverModel(edit.text);
    if (other >= 0 && other != i)
        return ErrNameExists;
    const CString old = model->m_strEquation;
    if (const int code = model->SetEquation(edit.text))
        return code;
    RelabelItem(ItemSolverModel, old, model->m_strEquation);
    return 0;
}

void ProjectModel::StoreColumnWidth(int column, int width)
{
    const int kind = m_nSelectedKind;
    if (kind < 0 || kind >= ItemTypeCount || width < kMinColumnWidth || column < 1)
        return;
    ViewLayout& layout = m_ViewLayouts[std::size_t(kind)];
    if (kind == ItemMatrix)
        layout[ViewLayout::FirstColumnWidth] = DWORD(width);
    else if (column <= int(layout[ViewLayout::GridColumnCount]))
        layout[ViewLayout::GridColumnCount + column] = DWORD(width);
}
