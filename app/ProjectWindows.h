#pragma once
#include "app/ViewLayout.h"
#include "framework/core/CString.h"

#include <cstdint>
#include <vector>

// A node of the project explorer's tree, as the explorer hands it out; 0 is none.
using ExplorerNode = std::uintptr_t;

// A leaf of the explorer: an item of the project by its kind and name.
struct ExplorerLeaf {
    int kind;
    CString name;
};

// What the project asks of the windows that show it: the explorer's nodes, the main frame's
// layout and caption, and the panes that redraw. The shell implements it; until its windows
// exist the project talks to NullProjectWindows.
class IProjectWindows {
public:
    virtual ~IProjectWindows() = default;

    // A leaf with the kind's image under the kind's folder; selecting it notifies the project.
    virtual ExplorerNode InsertExplorerItem(int kind, const CString& name, BOOL bSelect) = 0;
    // The first leaf of the kind whose label equals name (no case), or 0.
    virtual ExplorerNode FindExplorerItem(int kind, const CString& name) = 0;
    virtual void RenameExplorerItem(int kind, const CString& oldName, const CString& newName) = 0;
    // Deleting the selected node selects another, which notifies the project at once.
    virtual void DeleteExplorerItem(ExplorerNode node) = 0;
    virtual ExplorerNode GetSelectedExplorerItem() = 0;
    virtual void SelectExplorerItem(ExplorerNode node) = 0;
    // Starts in-place editing of the node's label.
    virtual void EditExplorerLabel(ExplorerNode node) = 0;
    // The node of that kind and name shows the image normal and selected.
    virtual void SetExplorerItemImage(int kind, const CString& name, int image) = 0;
    // Every leaf goes and the leaves given take their places under their folders, in their
    // order; no node is selected afterwards, and the project is not told of it.
    virtual void RebuildExplorer(const std::vector<ExplorerLeaf>& leaves) = 0;

    virtual void ApplyViewLayout(const ViewLayout& layout) = 0;
    virtual void ApplyViewMask(UINT mask) = 0;
    // The layout the panes show now, and the height of the area the four panes share.
    virtual ViewLayout GetShownLayout() = 0;
    virtual int GetPaneAreaHeight() = 0;
    // The caption strip names the selected item with the kind's image; an empty caption shows
    // the program's name and icon.
    virtual void SetItemCaption(const CString& caption, int image) = 0;
    virtual void FocusWorkspace() = 0;

    // The grid refills itself from the project's selection.
    virtual void FillGrid() = 0;
    // The 2-D plot view shows the plot that belongs to the selection and redraws it.
    virtual void ShowPlotForSelection() = 0;
    virtual void RedrawPlot3D() = 0;
};

// The project's questions and notices to the user. Answers are the button ids 6 Yes, 7 No.
class IProjectPrompts {
public:
    virtual ~IProjectPrompts() = default;

    // A notice with the exclamation icon.
    virtual void ShowMessage(const CString& text) = 0;
    // A Yes/No question.
    virtual int AskQuestion(const CString& text) = 0;
    // "Delete <name>?" / "Overwrite <name>?" with a box for not asking again; bDontAsk is in and
    // out.
    virtual int ConfirmDelete(const CString& name, BOOL& bDontAsk) = 0;
    virtual int ConfirmOverwrite(const CString& name, BOOL& bDontAsk) = 0;
};

// Windows that do not exist yet: nothing shows and nothing is found.
class NullProjectWindows : public IProjectWindows {
public:
    ExplorerNode InsertExplorerItem(int, const CString&, BOOL) override { return 0; }
    ExplorerNode FindExplorerItem(int, const CString&) override { return 0; }
    void RenameExplorerItem(int, const CString&, const CString&) override {}
    void DeleteExplorerItem(ExplorerNode) override {}
    ExplorerNode GetSelectedExplorerItem() override { return 0; }
    void SelectExplorerItem(ExplorerNode) override {}
    void EditExplorerLabel(ExplorerNode) override {}
    void SetExplorerItemImage(int, const CString&, int) override {}
    void RebuildExplorer(const std::vector<ExplorerLeaf>&) override {}
    void ApplyViewLayout(const ViewLayout&) override {}
    void ApplyViewMask(UINT) override {}
    ViewLayout GetShownLayout() override { return {}; }
    int GetPaneAreaHeight() override { return 0; }
    void SetItemCaption(const CString&, int) override {}
    void FocusWorkspace() override {}
    void FillGrid() override {}
    void ShowPlotForSelection() override {}
    void RedrawPlot3D() override {}
};
