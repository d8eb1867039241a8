// Items of the project: finding them by kind and name, adding, replacing, removing and
// renaming, each with the confirmations the settings ask for.
#include "app/ProjectModel.h"

#include "engine/SolverModel.h"
#include "framework/core/AsciiText.h"

namespace {

constexpr int kYes = 6;

template <class T> int FindByName(const std::vector<std::unique_ptr<T>>& items, const CString& name)
{
    for (std::size_t i = 0; i < items.size(); ++i)
        if (ascii::EqualNoCase(items[i]->GetName(), name))
            return int(i);
    return -1;
}

} // namespace

CString ItemPromptPrefix(int kind, BOOL bDelete)
{
    switch (kind) {
    case ItemDataTable:
        return "data table ";
    case ItemList:
        return "list ";
    case ItemMatrix:
        return "matrix ";
    case Item2DGraph:
        return bDelete ? "graph " : "2D graph ";
    case ItemDataGraph:
        return "data graph ";
    case Item3DGraph:
        return "3D graph ";
    default:
        return CString();
    }
}

int ProjectModel::FindProjectItem(int kind, const CString& name) const
{
    switch (kind) {
    case ItemDataTable:
        return FindByName(m_DataTables, name);
    case ItemList:
        return FindByName(m_Lists, name);
    case ItemMatrix:
        return FindByName(m_Matrices, name);
    case Item2DGraph:
        return m_FunctionPlot.FindItem(name);
    case ItemDataGraph:
        return m_DataPlot.FindItem(name);
    case ItemSolverModel:
        return FindSolverModel(name);
    case Item3DGraph:
        return m_Scene.FindSurface(name);
    default:
        return -1;
    }
}

int ProjectModel::GetItemCount(int kind) const
{
    switch (kind) {
    case ItemDataTable:
        return int(m_DataTables.size());
    case ItemList:
        return int(m_Lists.size());
    case ItemMatrix:
        return int(m_Matrices.size());
    case Item2DGraph:
        return m_FunctionPlot.GetItemCount();
    case ItemDataGraph:
        return m_DataPlot.GetItemCount();
    case ItemSolverModel:
        return m_UserDefinitions.GetSolverModelCount();
    case Item3DGraph:
        return m_Scene.GetSurfaceCount();
    default:
        return 0;
    }
}

CString ProjectModel::GetItemName(int kind, int index) const
{
    if (index < 0 || index >= GetItemCount(kind))
        return CString();
    switch (kind) {
    case Item2DGraph:
        return m_FunctionPlot.GetItem(index)->GetLabel();
    case ItemDataGraph:
        return m_DataPlot.GetItem(index)->GetLabel();
    case ItemSolverModel:
        return m_UserDefinitions.GetSolverModel(index)->m_strEquation;
    case Item3DGraph:
        return m_Scene.GetSurface(index)->GetEquationText();
    default:
        return GetItemObject(kind, index)->GetName();
    }
}

CDataObject* ProjectModel::GetItemObject(int kind, int index) const
{
    if (!IsDataItemKind(kind) || index < 0 || index >= GetItemCount(kind))
        return nullptr;
    if (kind == ItemDataTable)
        return m_DataTables[std::size_t(index)].get();
    if (kind == ItemList)
        return m_Lists[std::size_t(index)].get();
    return m_Matrices[std::size_t(index)].get();
}

int ProjectModel::FindSolverModel(const CString& equation) const
{
    return m_UserDefinitions.FindSolverModel(equation);
}

CString ProjectModel::MakeUniqueName(int kind, const CString& pattern) const
{
    // The pattern is the caller's text, never a format: only "%d" is filled in.
    const int at = pattern.Find("%d");
    for (int n = 1;; ++n) {
        CString number;
        number.Format("%d", n);
        const CString name =
            at < 0 ? pattern + number : pattern.Left(at) + number + pattern.Mid(at + 2);
        if (FindProjectItem(kind, name) < 0)
            return name;
    }
}

CString ProjectModel::MakeUniqueTableName(const CString& pattern) const
{
    return MakeUniqueName(ItemDataTable, pattern);
}

CString ProjectModel::MakeUniqueListName(const CString& pattern) const
{
    return MakeUniqueName(ItemList, pattern);
}

CString ProjectModel::MakeUniqueMatrixName(const CString& pattern) const
{
    return MakeUniqueName(ItemMatrix, pattern);
}

CString ProjectModel::MakeDefaultName(int kind) const
{
    switch (kind) {
    case ItemDataTable:
        return MakeUniqueTableName("Table%d");
    case ItemList:
        return MakeUniqueListName("List%d");
    case ItemMatrix:
        return MakeUniqueMatrixName("Matrix%d");
    default:
        return CString();
    }
}

BOOL ProjectModel::HasDataGraphsOf(const CDataTable* pTable) const
{
    for (int i = 0; i < m_DataPlot.GetItemCount(); ++i)
        if (m_DataPlot.GetItem(i)->GetDataTable() == pTable)
            return TRUE;
    return FALSE;
}

void ProjectModel::RemoveDataGraphsOf(const CDataTable* pTable)
{
    for (int i = m_DataPlot.GetItemCount() - 1; i >= 0; --i) {
        CFunctionPlot* graph = m_DataPlot.GetItem(i);
        if (graph->GetDataTable() != pTable)
            continue;
        if (ExplorerNode node = Windows().FindExplorerItem(ItemDataGraph, graph->GetLabel()))
            Windows().DeleteExplorerItem(node);
        m_DataPlot.RemoveItem(i);
    }
    ResolveSelection();
}

void ProjectModel::AddNewItem(int kind)
{
    const CString name = MakeDefaultName(kind);
    if (kind == ItemDataTable) {
        auto table = std::make_unique<CDataTable>();
        table->Create(TableLayoutXY, 0, 0);
        table->SetName(name);
        m_DataTables.push_back(std::move(table));
    } else if (kind == ItemList) {
        m_Lists.push_back(std::make_unique<CDataColumn>());
        m_Lists.back()->SetName(name);
    } else if (kind == ItemMatrix) {
        m_Matrices.push_back(std::make_unique<CMatrixObject>());
        m_Matrices.back()->SetName(name);
    } else {
        return;
    }
    const ExplorerNode node = Windows().InsertExplorerItem(kind, name, TRUE);
    Windows().EditExplorerLabel(node);
    m_bModified = TRUE;
}

BOOL ProjectModel::ConfirmReplace(int kind, const CString& name)
{
    const UINT bit = GetConfirmBit(kind);
    if (!(UINT(m_Settings.nConfirmOverwrite) & bit))
        return TRUE;
    BOOL bDontAsk = FALSE;
    if (Prompts().ConfirmOverwrite(ItemPromptPrefix(kind, FALSE) + name, bDontAsk) != kYes)
        return FALSE;
    if (bDontAsk)
        m_Settings.nConfirmOverwrite &= ~int(bit);
    return TRUE;
}

void ProjectModel::AddResultItem(int kind, CObject* pObject)
{
    std::unique_ptr<CObject> object(pObject);
    if (IsDataItemKind(kind)) {
        auto* data = dynamic_cast<CDataObject*>(object.get());
        const bool fits = kind == ItemDataTable ? dynamic_cast<CDataTable*>(data) != nullptr
                          : kind == ItemList    ? dynamic_cast<CDataColumn*>(data) != nullptr
                                                : dynamic_cast<CMatrixObject*>(data) != nullptr;
        if (fits) {
            object.release();
            AddDataObject(kind, std::unique_ptr<CDataObject>(data));
        }
    } else if (kind == Item2DGraph || kind == ItemDataGraph) {
        if (auto* graph = dynamic_cast<CFunctionPlot*>(object.get())) {
            object.release();
            AddGraph(kind, std::unique_ptr<CFunctionPlot>(graph));
        }
    } else if (kind == Item3DGraph) {
        if (auto* surface = dynamic_cast<CSurfacePlot*>(object.get())) {
            object.release();
            AddSurface(std::unique_ptr<CSurfacePlot>(surface));
        }
    }
}

void ProjectModel::AddDataObject(int kind, std::unique_ptr<CDataObject> object)
{
    CString name = object->GetName();
    name.Trim();
    if (name.IsEmpty())
        return; // an item without a name could never be selected
    object->SetName(name);
    const int existing = FindProjectItem(kind, name);
    if (existing >= 0) {
        if (!ConfirmReplace(kind, name))
            return;
        if (kind == ItemDataTable) {
            CDataTable* old = m_DataTables[std::size_t(existing)].get();
            if (HasDataGraphsOf(old)) {
                if (Prompts().AskQuestion(
                        "Adding this data table will overwrite an existing table that has data "
                        "graphs associated with it.  Overwriting the existing data table will "
                        "also remove all of its associated data graphs. Proceed?") != kYes)
                    return;
                RemoveDataGraphsOf(old);
            }
            if (CFunctionPlot* preview = PreviewGraph(); preview && preview->GetDataTable() == old)
                preview->AttachDataTable(nullptr);
        }
    }
    auto place = [&](auto& items, auto* item) {
        using Item = std::remove_pointer_t<decltype(item)>;
        if (existing >= 0)
            items[std::size_t(existing)] = std::unique_ptr<Item>(item);
        else
            items.push_back(std::unique_ptr<Item>(item));
    };
    CDataObject* raw = object.release();
    if (kind == ItemDataTable)
        place(m_DataTables, static_cast<CDataTable*>(raw));
    else if (kind == ItemList)
        place(m_Lists, static_cast<CDataColumn*>(raw));
    else
        place(m_Matrices, static_cast<CMatrixObject*>(raw));
    ResolveSelection();
    ShowAddedItem(kind, name, existing >= 0);
    m_bModified = TRUE;
}

void ProjectModel::AddGraph(int kind, std::unique_ptr<CFunctionPlot> graph)
{
    const CString label = graph->GetLabel();
    const int existing = FindProjectItem(kind, label);
    if (existing >= 0 && !ConfirmReplace(kind, label))
        return;
    if (kind == Item2DGraph) {
        const CFunctionPlot& added =
            *m_FunctionPlot.GetItem(m_FunctionPlot.AddItem(graph.release()));
        if (added.m_nForm == GraphRectangular)
            m_FunctionPlot.SetRanges(added.m_dDomainMin, added.m_dDomainMax, m_FunctionPlot.m_dYMin,
                                     m_FunctionPlot.m_dYMax);
    } else {
        const CFunctionPlot& added = *m_DataPlot.GetItem(m_DataPlot.AddItem(graph.release()));
        // A graph without data (an empty or unbound table) leaves the ranges.
        if (added.GetXMin() <= added.GetXMax() && added.GetYMin() <= added.GetYMax())
            m_DataPlot.SetRanges(added.GetXMin(), added.GetXMax(), added.GetYMin(),
                                 added.GetYMax());
    }
    ShowAddedItem(kind, label, existing >= 0);
    m_bModified = TRUE;
}

void ProjectModel::AddSurface(std::unique_ptr<CSurfacePlot> surface)
{
    const CString label = surface->GetEquationText();
    const int existing = FindProjectItem(Item3DGraph, label);
    if (existing >= 0 && !ConfirmReplace(Item3DGraph, label))
        return;
    m_Scene.AddSurface(surface.release());
    ShowAddedItem(Item3DGraph, label, existing >= 0);
    m_bModified = TRUE;
}

void ProjectModel::ShowAddedItem(int kind, const CString& name, BOOL bReplaced)
{
    const ExplorerNode node = bReplaced ? Windows().FindExplorerItem(kind, name) : 0;
    if (!node) {
        Windows().InsertExplorerItem(kind, name, TRUE);
    } else if (node != m_SelectedNode) {
        Windows().SelectExplorerItem(node);
    } else {
        // The selected item itself was replaced: its node stays selected, so the panes are told.
        ResolveSelection();
        RefreshSelectedItem();
    }
}

int ProjectModel::AddSolverModel(const CString& equation, const CString& label)
{
    return m_UserDefinitions.AddSolverModel(equation, label, m_Settings);
}

void ProjectModel::DeleteSolverModel(int index)
{
    m_UserDefinitions.DeleteSolverModel(index);
    ResolveSelection();
}

void ProjectModel::DeleteSelectedObject(int kind, int index)
{
    switch (kind) {
    case ItemDataTable:
        if (CFunctionPlot* preview = PreviewGraph();
            preview && preview->GetDataTable() == m_DataTables[std::size_t(index)].get())
            preview->AttachDataTable(nullptr);
        m_DataTables.erase(m_DataTables.begin() + index);
        break;
    case ItemList:
        m_Lists.erase(m_Lists.begin() + index);
        break;
    case ItemMatrix:
        m_Matrices.erase(m_Matrices.begin() + index);
        break;
    case Item2DGraph:
        m_FunctionPlot.RemoveItem(index);
        RefreshPlot2D(TRUE);
        break;
    case ItemDataGraph:
        m_DataPlot.RemoveItem(index);
        break;
    case ItemSolverModel:
        m_UserDefinitions.DeleteSolverModel(index);
        break;
    case Item3DGraph:
        m_Scene.RemoveSurface(index);
        break;
    default:
        break;
    }
}

void ProjectModel::RemoveSelectedItem()
{
    const int kind = m_nSelectedKind, index = m_nSelectedIndex;
    if (index < 0 || index >= GetItemCount(kind))
        return;
    if (const UINT bit = GetConfirmBit(kind)) {
        if (UINT(m_Settings.nConfirmDelete) & bit) {
            BOOL bDontAsk = FALSE;
            const CString text = ItemPromptPrefix(kind, TRUE) + GetItemName(kind, index);
            if (Prompts().ConfirmDelete(text, bDontAsk) != kYes)
                return;
            if (bDontAsk)
                m_Settings.nConfirmDelete &= ~int(bit);
        }
    } else if (kind != ItemSolverModel) {
        return;
    }
    if (kind == ItemDataTable) {
        const CDataTable* table = m_DataTables[std::size_t(index)].get();
        if (HasDataGraphsOf(table)) {
            if (Prompts().AskQuestion("This data table has one or more data graphs associated "
                                      "with it.  Removing it will also remove the associated "
                                      "data graphs.  Proceed?") != kYes)
                return;
            RemoveDataGraphsOf(table);
        }
    }
    DeleteSelectedObject(kind, index);
    // Solver models are user data, not part of the project file.
    if (kind != ItemSolverModel)
        m_bModified = TRUE;
    // The explorer selects another node at once, which may select another item.
    const ExplorerNode node = m_SelectedNode;
    m_nSelectedIndex = -1;
    m_pSelectedObject = nullptr;
    m_SelectedNode = 0;
    Windows().DeleteExplorerItem(node);
    if (m_nSelectedKind == Item2DGraph)
        RefreshPlot2D(TRUE);
}

BOOL ProjectModel::RenameSelectedItem(const CString& newName)
{
    CString name = newName;
    name.Trim();
    const int kind = m_nSelectedKind, index = m_nSelectedIndex;
    if (name.IsEmpty() || index < 0 || index >= GetItemCount(kind))
        return FALSE;
    if (FindProjectItem(kind, name) >= 0)
        return FALSE;
    if (IsDataItemKind(kind))
        GetItemObject(kind, index)->SetName(name);
    else if (kind == ItemDataGraph)
        m_DataPlot.GetItem(index)->SetName(name);
    else
        return FALSE;
    m_bModified = TRUE;
    Windows().SetItemCaption(FormatItemCaption(kind, name), GetItemTypeImage(kind));
    if (kind == ItemList)
        RefreshGrid(); // a list's column is titled with its name
    return TRUE;
}

void ProjectModel::EditSelectedItemLabel()
{
    if (m_SelectedNode)
        Windows().EditExplorerLabel(m_SelectedNode);
}
