// The commands at the data view's focus cell: rows and columns of tables, lists and matrices,
// deleting entries of the name tables, favourites, the text a double click types into the
// workspace, and solving a solver model for one of its variables.
#include "app/ProjectModel.h"

#include "analysis/RefusedSignChanges.h"
#include "analysis/SolverReport.h"
#include "engine/BuiltinUnits.h"
#include "engine/FunctionCatalogue.h"
#include "engine/PhysicalConstants.h"
#include "engine/SolverModel.h"
#include "framework/core/AsciiText.h"

#include <algorithm>

namespace {

constexpr std::size_t kMaxFavoriteEntries = 20;

// A record at the end, the oldest going first when the list is full.
template <class T> void AppendFavorite(std::vector<T>& list, const T& record)
{
    if (list.size() >= kMaxFavoriteEntries)
        list.erase(list.begin(),
                   list.begin() + std::ptrdiff_t(list.size() - kMaxFavoriteEntries + 1));
    list.push_back(record);
}

} // namespace

BOOL ProjectModel::InsertGridRow(int row)
{
    if (row < 1)
        return FALSE;
    if (CDataTable* table = GetSelectedTable()) {
        if (row > table->GetRowCount())
            return FALSE;
        table->InsertRow(row, kEmptyCell); // an empty row, to be typed into
    } else if (CDataColumn* list = GetSelectedList()) {
        if (row > list->GetCount())
            return FALSE;
        list->InsertValue(row);
    } else if (CMatrixObject* matrix = GetSelectedMatrix()) {
        if (row > matrix->GetRowCount() + 1 || matrix->InsertRow(row) != 0)
            return FALSE;
    } else {
        RefreshGrid();
        return FALSE;
    }
    m_pSelectedObject->SetModified();
    m_bModified = TRUE;
    RefreshSelectedItem();
    return TRUE;
}

BOOL ProjectModel::DeleteGridRow(int row)
{
    if (row < 1)
        return FALSE;
    if (CDataTable* table = GetSelectedTable()) {
        if (row > table->GetRowCount())
            return FALSE;
        table->DeleteRow(row);
    } else if (CDataColumn* list = GetSelectedList()) {
        if (row > list->GetCount())
            return FALSE;
        list->RemoveValue(row);
    } else if (CMatrixObject* matrix = GetSelectedMatrix()) {
        if (matrix->GetRowCount() < 2 || row > matrix->GetRowCount() || matrix->DeleteRow(row) != 0)
            return FALSE;
    } else {
        RefreshGrid();
        return FALSE;
    }
    m_pSelectedObject->SetModified();
    m_bModified = TRUE;
    RefreshSelectedItem();
    return TRUE;
}

BOOL ProjectModel::InsertGridColumn(int column)
{
    CMatrixObject* matrix = GetSelectedMatrix();
    if (!matrix || column < 1 || column > matrix->GetColumnCount() + 1 ||
        matrix->InsertColumn(column) != 0)
        return FALSE;
    m_bModified = TRUE;
    RefreshSelectedItem();
    return TRUE;
}

BOOL ProjectModel::DeleteGridColumn(int column)
{
    CMatrixObject* matrix = GetSelectedMatrix();
    if (!matrix || column < 1 || matrix->GetColumnCount() < 2 ||
        column > matrix->GetColumnCount() || matrix->DeleteColumn(column) != 0)
        return FALSE;
    m_bModified = TRUE;
    RefreshSelectedItem();
    return TRUE;
}

BOOL ProjectModel::DeleteGridEntry(int row)
{
    const int i = row - 1;
    if (i < 0 || i >= GetEntryCount())
        return FALSE;
    switch (m_nSelectedKind) {
    case ItemVariables:
        m_Engine.DeleteVariable(i);
        m_bModified = TRUE;
        break;
    case ItemExpressionVariables:
        m_Engine.DeleteExpressionVariable(i);
        m_bModified = TRUE;
        break;
    case ItemUserConstants:
        DeleteUserConstant(i);
        break;
    case ItemUserFunctions:
        DeleteUserFunction(i);
        break;
    case ItemUserUnits:
        DeleteUserUnit(i);
        break;
    case ItemSolverEquations:
        if (ExplorerNode node = Windows().FindExplorerItem(
                ItemSolverModel, m_UserDefinitions.GetSolverModel(i)->m_strEquation))
            Windows().DeleteExplorerItem(node);
        DeleteSolverModel(i);
        break;
    default:
        return FALSE;
    }
    RefreshGrid();
    ResampleChangedGraphs();
    return TRUE;
}

BOOL ProjectModel::DeleteGridRows(int firstRow, int lastRow, int firstColumn)
{
    // Only user functions: a solver model's rows are its variables, not models.
    if (m_nSelectedKind != ItemUserFunctions || firstColumn != 1)
        return FALSE;
    BOOL bDeleted = FALSE;
    for (int row = lastRow; row >= firstRow; --row)
        if (row >= 1 && row <= GetUserFunctionCount()) {
            DeleteUserFunction(row - 1);
            bDeleted = TRUE;
        }
    RefreshGrid();
    if (bDeleted)
        ResampleChangedGraphs();
    return bDeleted;
}

void ProjectModel::AddFavoriteFunction(const CString& name)
{
    if (name.IsEmpty())
        return;
    auto& names = m_FavoriteFunctions;
    auto same = [&](const CString& each) { return ascii::EqualNoCase(each, name); };
    if (auto found = std::find_if(names.begin(), names.end(), same); found != names.end())
        names.erase(found);
    else if (names.size() >= std::size_t(kMaxFavoriteFunctions))
        names.resize(std::size_t(kMaxFavoriteFunctions) - 1);
    names.insert(names.begin(), name);
}

void ProjectModel::AddEntryToFavorites(int row)
{
    const int i = row - 1;
    const int kind = m_nSelectedKind;
    const int count = kind == ItemPredefinedConstants   ? GetPhysicalConstantCount()
                      : kind == ItemPredefinedFunctions ? GetFunctionTableSize()
                      : kind == ItemPredefinedUnits     ? GetBuiltinUnitCount()
                                                        : GetEntryCount();
    if (i < 0 || i >= count)
        return;
    UserConstantRecord constant;
    UnitRecord unit;
    switch (kind) {
    case ItemUserFunctions:
        AddFavoriteFunction(GetUserFunctionName(i));
        return;
    case ItemPredefinedFunctions:
        AddFavoriteFunction(GetFunctionEntry(GetSortedFunctionRow(i)).name);
        return;
    case ItemUserConstants:
        constant = GetUserConstants()[std::size_t(i)];
        break;
    case ItemPredefinedConstants: {
        const PhysicalConstantEntry& entry = GetPhysicalConstant(GetSortedPhysicalConstantRow(i));
        constant = {entry.description, entry.unit, entry.symbol, entry.value, entry.uncertainty};
        break;
    }
    case ItemUserUnits:
        unit = GetUserUnit(i);
        break;
    case ItemPredefinedUnits: {
        const BuiltinUnitEntry& entry = GetBuiltinUnit(GetSortedBuiltinUnitRow(i));
        unit = {entry.name, entry.base, entry.factor};
        break;
    }
    default:
        return;
    }
    if (kind == ItemUserConstants || kind == ItemPredefinedConstants) {
        for (const UserConstantRecord& each : m_FavoriteConstants)
            if (ascii::EqualNoCase(each.strDescription, constant.strDescription))
                return;
        AppendFavorite(m_FavoriteConstants, constant);
    } else {
        for (const UnitRecord& each : m_FavoriteUnits)
            if (each.name == unit.name && each.base == unit.base)
                return;
        AppendFavorite(m_FavoriteUnits, unit);
    }
}

CString ProjectModel::GetEntryWorkspaceText(int row) const
{
    const int i = row - 1;
    if (i < 0)
        return CString();
    switch (m_nSelectedKind) {
    case ItemUserConstants:
        if (i < GetUserConstantCount()) {
            const UserConstantRecord& constant = GetUserConstants()[std::size_t(i)];
            return constant.strSymbol.IsEmpty() ? GridNumberText(constant.dValue)
                                                : constant.strSymbol;
        }
        break;
    case ItemUserFunctions:
        if (i < GetUserFunctionCount())
            return GetUserFunctionName(i);
        break;
    case ItemUserUnits:
        if (i < GetUserUnitCount())
            return "*" + GridNumberText(GetUserUnitFactor(i));
        break;
    case ItemPredefinedConstants:
        if (i < GetPhysicalConstantCount())
            return GetPhysicalConstant(GetSortedPhysicalConstantRow(i)).symbol;
        break;
    case ItemPredefinedFunctions:
        if (i < GetFunctionTableSize())
            return GetFunctionEntry(GetSortedFunctionRow(i)).name;
        break;
    case ItemPredefinedUnits:
        if (i < GetBuiltinUnitCount())
            return "*" + GridNumberText(GetBuiltinUnit(GetSortedBuiltinUnitRow(i)).factor);
        break;
    default:
        break;
    }
    return CString();
}

int ProjectModel::SolveForVariable(int k, CAnalysisResult& report)
{
    CSolverModel* model = SelectedSolverModel();
    if (!model || k < 0 || k >= model->GetVariableCount())
        return ErrInvalidVariable;
    // In the project's angle mode, in which the workspace's FZERO finds the same roots; the
    // model keeps no mode of its own in the user data.
    model->m_nAngleMode = m_Engine.m_nAngleMode;
    std::vector<double> solutions;
    const int code = model->Solve(k, solutions);
    // A search cut short by its time reports the solutions it found by then.
    const bool cutShort = code == ErrMaxIterations && !solutions.empty();
    const int failure = code != 0 && !cutShort ? code : solutions.empty() ? ErrNoSolutions : 0;
    if (failure != 0) {
        BuildSolverFailureReport(*model, k, SolverFailureText(failure), report);
        return failure;
    }
    model->SetVariable(k, model->GetVariableName(k), solutions.front());
    RefreshGrid();
    BuildSolverReport(*model, k, solutions, cutShort, report);
    return 0;
}

CString ProjectModel::SolverFailureText(int code) const
{
    const CSolverModel* model = SelectedSolverModel();
    if ((code != ErrNoSolutions && code != ErrMaxIterations) || !model)
        return GetErrorText(code);
    if (code == ErrMaxIterations)
        return SearchCutShortText(SolverSearchCut(*model), false);
    // A sign change refused as a pole or a jump is no want of steps.
    if (!model->GetLastScanRefusals().empty())
        return NoSolutionButRefusedText(model->GetLastScanRefusals(), model->m_SolverFormat,
                                        model->m_nSolverSteps, model->m_dMinimum,
                                        model->m_dMaximum);
    CString text;
    text.Format("%s: no sign change in %d steps from %s to %s. Narrow Min and Max, or raise "
                "Steps.",
                GetErrorText(code).GetString(), model->m_nSolverSteps,
                GridNumberText(model->m_dMinimum).GetString(),
                GridNumberText(model->m_dMaximum).GetString());
    return text;
}
