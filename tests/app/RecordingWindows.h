#pragma once
// Recording doubles of the project's windows and prompts: every call is appended to a log as
// one bracketed line, and the prompts answer from queues the test fills.
#include "app/ProjectWindows.h"

#include <deque>
#include <string>
#include <vector>

class RecordingPrompts : public IProjectPrompts {
public:
    void ShowMessage(const CString& text) override { Log("message", text); }
    int AskQuestion(const CString& text) override
    {
        Log("question", text);
        return Next();
    }
    int ConfirmDelete(const CString& name, BOOL& bDontAsk) override
    {
        Log("delete?", name);
        bDontAsk = bTickDontAsk;
        return Next();
    }
    int ConfirmOverwrite(const CString& name, BOOL& bDontAsk) override
    {
        Log("overwrite?", name);
        bDontAsk = bTickDontAsk;
        return Next();
    }

    int CountOf(const std::string& tag) const
    {
        int n = 0;
        for (std::size_t at = log.find(tag); at != std::string::npos; at = log.find(tag, at + 1))
            ++n;
        return n;
    }

    std::deque<int> answers; // 6 Yes, 7 No; Yes when empty
    BOOL bTickDontAsk = FALSE;
    std::string log;

private:
    void Log(const char* what, const CString& text)
    {
        log += std::string("[") + what + "] " + text.GetString() + "\n";
    }
    int Next()
    {
        if (answers.empty())
            return 6;
        const int answer = answers.front();
        answers.pop_front();
        return answer;
    }
};

class ProjectModel;

// The explorer as a flat list of leaves, and the frame and panes as a log. Selecting a leaf
// tells the model, as the real explorer does; deleting the selected leaf selects the next one
// of its kind (or none).
class RecordingWindows : public IProjectWindows {
public:
    struct Node {
        ExplorerNode id;
        int kind;
        std::string name;
    };

    explicit RecordingWindows(ProjectModel* pModel = nullptr) : m_pModel(pModel) {}

    ExplorerNode InsertExplorerItem(int kind, const CString& name, BOOL bSelect) override;
    ExplorerNode FindExplorerItem(int kind, const CString& name) override;
    void RenameExplorerItem(int kind, const CString& oldName, const CString& newName) override;
    void DeleteExplorerItem(ExplorerNode node) override;
    ExplorerNode GetSelectedExplorerItem() override { return selected; }
    void SelectExplorerItem(ExplorerNode node) override;
    void EditExplorerLabel(ExplorerNode node) override;
    void SetExplorerItemImage(int kind, const CString& name, int image) override;
    void RebuildExplorer(const std::vector<ExplorerLeaf>& leaves) override;
    void ApplyViewLayout(const ViewLayout& layout) override;
    void ApplyViewMask(UINT mask) override;
    ViewLayout GetShownLayout() override { return shown; }
    int GetPaneAreaHeight() override { return paneAreaHeight; }
    void SetItemCaption(const CString& caption, int image) override;
    void FocusWorkspace() override { log += "[focus workspace]"; }
    void FillGrid() override { log += "[grid]"; }
    void ShowPlotForSelection() override { log += "[plot]"; }
    void RedrawPlot3D() override { log += "[plot3d]"; }

    // A folder node the model does not know as an item (kind 5 "Variables", ...), selected.
    void SelectFolder(int kind, const char* label);
    const Node* Find(ExplorerNode node) const;

    std::vector<Node> nodes;
    ExplorerNode selected = 0;
    std::string log;
    CString caption;
    ViewLayout shown;         // what the frame shows after the last layout or mask
    int paneAreaHeight = 600; // the four panes' area

private:
    ProjectModel* m_pModel;
    ExplorerNode m_next = 100;
};
