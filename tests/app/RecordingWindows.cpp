#include "tests/app/RecordingWindows.h"

#include "app/ProjectModel.h"
#include "framework/core/AsciiText.h"

#include <algorithm>

ExplorerNode RecordingWindows::InsertExplorerItem(int kind, const CString& name, BOOL bSelect)
{
    const ExplorerNode id = m_next++;
    nodes.push_back({id, kind, name.GetString()});
    log += "[insert " + std::to_string(kind) + " " + name.GetString() + "]";
    if (bSelect)
        SelectExplorerItem(id);
    return id;
}

ExplorerNode RecordingWindows::FindExplorerItem(int kind, const CString& name)
{
    for (const Node& node : nodes)
        if (node.kind == kind && ascii::EqualNoCase(node.name.c_str(), name))
            return node.id;
    return 0;
}

void RecordingWindows::RenameExplorerItem(int kind, const CString& oldName, const CString& newName)
{
    for (Node& node : nodes)
        if (node.kind == kind && ascii::EqualNoCase(node.name.c_str(), oldName))
            node.name = newName.GetString();
}

const RecordingWindows::Node* RecordingWindows::Find(ExplorerNode id) const
{
    for (const Node& node : nodes)
        if (node.id == id)
            return &node;
    return nullptr;
}

void RecordingWindows::DeleteExplorerItem(ExplorerNode id)
{
    auto it = std::find_if(nodes.begin(), nodes.end(), [id](const Node& n) { return n.id == id; });
    if (it == nodes.end())
        return;
    log += "[delete " + it->name + "]";
    const int kind = it->kind;
    it = nodes.erase(it);
    if (id != selected)
        return;
    selected = 0;
    // The next leaf of the kind, else the one before it.
    for (auto next = it; next != nodes.end(); ++next)
        if (next->kind == kind)
            return SelectExplorerItem(next->id);
    for (auto prev = it; prev != nodes.begin();)
        if ((--prev)->kind == kind)
            return SelectExplorerItem(prev->id);
}

void RecordingWindows::SelectExplorerItem(ExplorerNode id)
{
    const Node* node = Find(id);
    if (!node)
        return;
    selected = id;
    log += "[select " + node->name + "]";
    if (m_pModel)
        m_pModel->OnSelectItem(node->kind, node->name.c_str(), id);
}

void RecordingWindows::SelectFolder(int kind, const char* label)
{
    selected = m_next++;
    if (m_pModel)
        m_pModel->OnSelectItem(kind, label, selected);
}

void RecordingWindows::EditExplorerLabel(ExplorerNode id)
{
    const Node* node = Find(id);
    log += std::string("[edit ") + (node ? node->name : "?") + "]";
}

void RecordingWindows::SetExplorerItemImage(int kind, const CString& name, int image)
{
    log += "[image " + std::to_string(kind) + " " + name.GetString() + " " + std::to_string(image) +
           "]";
}

void RecordingWindows::RebuildExplorer(const std::vector<ExplorerLeaf>& leaves)
{
    nodes.clear();
    selected = 0;
    for (const ExplorerLeaf& leaf : leaves)
        nodes.push_back({m_next++, leaf.kind, leaf.name.GetString()});
    log += "[rebuild " + std::to_string(leaves.size()) + "]";
}

void RecordingWindows::ApplyViewLayout(const ViewLayout& layout)
{
    shown = layout;
    log += "[layout " + std::to_string(layout[ViewLayout::Mask]) + "]";
}

void RecordingWindows::ApplyViewMask(UINT mask)
{
    shown[ViewLayout::Mask] = mask;
    log += "[mask " + std::to_string(mask) + "]";
}

void RecordingWindows::SetItemCaption(const CString& text, int image)
{
    caption = text;
    log += "[caption " + std::string(text.GetString()) + " " + std::to_string(image) + "]";
}
