// The panes on the roads the user walks in the main frame: each kind's arrangement as high as
// its record keeps it, whatever scroll bar the workspace shows and across a restart; the first
// click after opening a long project; a refused table entry shown again; File > New showing
// what start-up shows; the workspace's error tip going when the text moves under it.
#include "analysis/GridView.h"
#include "app/RichWorkspace.h"
#include "engine/SolverModel.h"
#include "plot/FunctionPlot.h"
#include "plot/SurfacePlot.h"
#include "res/AppIds.h"
#include "tests/app_win/ShellTestApp.h"
#include "tests/grid/GridWinTestSupport.h"
#include "tests/support/ScriptedModalHook.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <vector>

namespace {

class PanesScenario : public FreshFrameTest {
protected:
    void SetUp() override
    {
        // The records start from their defaults, as on a new machine.
        CloseMainFrame();
        ::RegDeleteTreeA(
            HKEY_CURRENT_USER,
            (std::string(kTestSettingsKey) + "\\Zivra Shell Tests\\DataViews").c_str());
        FreshFrameTest::SetUp();
    }
    CRichWorkspace* Workspace() { return doc->GetWorkspaceView(); }
    CGridView* GridView() { return dynamic_cast<CGridView*>(frame->GetGridView()); }
    // Where the first Calculate button of a solver model's grid is on the screen.
    CPoint CalculateButton()
    {
        CPoint point = CellCentre(GridView()->GetGrid(), 3, 3);
        GridView()->GetGrid().ClientToScreen(&point);
        return point;
    }
    // A click as the system delivers it: the window under the pointer is asked to activate,
    // then gets the button's messages.
    void Activate(CWnd& wnd)
    {
        wnd.SendMessage(WM_MOUSEACTIVATE, WPARAM(frame->m_hWnd),
                        MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
        Pump();
    }
    void UserClick(CWnd& wnd, CPoint point)
    {
        Activate(wnd);
        Click(wnd, point);
        Pump();
    }
    // What the main window shows: the panes in sight, the caption, the tab chosen, and whether
    // the keys go to the workspace.
    std::tuple<UINT, std::string, int, bool> Look()
    {
        UINT panes = 0;
        for (UINT bit : {View2DPlot, View3DPlot, ViewWorkspace, ViewGrid})
            panes |= frame->GetPaneView(bit)->IsWindowVisible() ? bit : 0;
        return {panes, frame->GetTabBar().GetCaption().GetString(),
                frame->GetTabBar().GetTabs().GetCurSel(), ::GetFocus() == Workspace()->m_hWnd};
    }
    static int WindowHeight(CWnd* pWnd)
    {
        CRect rect;
        pWnd->GetWindowRect(&rect);
        return rect.Height();
    }
};

// An item the explorer shows, the pane its kind puts on top and that pane's first height.
struct ExplorerItem {
    const char* name; // empty for the Variables folder
    int kind;
    UINT upper;
    double share; // of the default height
};

const ExplorerItem kItems[] = {
    {"x^2=7", ItemSolverModel, ViewWorkspace, 1}, {"", ItemVariables, ViewWorkspace, 1},
    {"T", ItemDataTable, View2DPlot, 1},          {"L", ItemList, ViewWorkspace, 1},
    {"y = x^2", Item2DGraph, View2DPlot, 1.3},    {"z = x*y", Item3DGraph, View3DPlot, 1.3},
};

// Selecting items in turn, the workspace holding a line wider than its pane, gives each
// arrangement the heights it had at first, round after round and after a restart: the upper
// pane as high as the kind's record starts (5/11 of the screen, 1.3 times that for the plot
// of a graph), the lower pane the rest. A solve between selections moves nothing.
TEST_F(PanesScenario, SelectingItemsInTurnKeepsEveryPanesHeightAcrossARestart)
{
    ScriptedModalHook hook;
    hook.boxAnswer = IDNO; // the project is not saved at the restart
    const int h = ::GetSystemMetrics(SM_CYSCREEN) * 5 / 11;
    if (const int old = model->FindSolverModel("x^2=7"); old >= 0)
        model->DeleteSolverModel(old);
    ASSERT_EQ(doc->AddSolverModel("x^2=7", ""), 0);
    std::vector<std::pair<int, int>> first; // upper and lower height of each item
    for (int run = 0; run < 2; ++run) {
        if (run == 1) {
            CloseMainFrame();
            frame = MainFrame();
            doc = MainDocument();
            model = &doc->GetModel();
        }
        // A line wider than the workspace, then the project's items (the solver model belongs
        // to the user data).
        Workspace()->TypeText("'" + CString('w', 300) + "\r");
        frame->InsertExplorerItem(ItemSolverModel, "x^2=7", FALSE);
        AddLineTable("T", 3);
        auto* list = new CDataColumn;
        list->SetName("L");
        list->Append(1);
        doc->AddResultItem(ItemList, list);
        auto* graph = new CFunctionPlot;
        graph->SetDefinition("x^2", "", GraphRectangular, -10, 10);
        doc->AddResultItem(Item2DGraph, graph);
        auto* surface = new CSurfacePlot;
        surface->SetExpression("x*y");
        doc->AddResultItem(Item3DGraph, surface);
        for (int round = 0; round < 3; ++round) {
            for (std::size_t i = 0; i < std::size(kItems); ++i) {
                const ExplorerItem& item = kItems[i];
                const HTREEITEM node =
                    *item.name ? HTREEITEM(frame->FindExplorerItem(item.kind, item.name))
                               : Explorer()->GetFolder(SlotVariables);
                ASSERT_NE(node, nullptr) << item.kind;
                Explorer()->GetTree().SelectItem(node);
                Pump();
                ASSERT_EQ(model->GetSelectedKind(), item.kind);
                const UINT mask = frame->GetViewLayout()[ViewLayout::Mask];
                ASSERT_EQ(mask & item.upper, item.upper) << item.kind;
                ASSERT_TRUE(mask & ViewGrid) << item.kind;
                if (item.upper == ViewWorkspace) {
                    ASSERT_TRUE(Workspace()->GetStyle() & WS_HSCROLL)
                        << "the long line shows the workspace's horizontal bar";
                }
                const std::pair<int, int> heights(WindowHeight(frame->GetPaneView(item.upper)),
                                                  WindowHeight(GridView()));
                if (run == 0 && round == 0) {
                    EXPECT_EQ(heights.first, int(h * item.share)) << item.kind;
                    first.push_back(heights);
                } else {
                    EXPECT_EQ(heights, first[i])
                        << "kind " << item.kind << ", run " << run << ", round " << round;
                }
            }
        }
        // A solve writes its report beside the model's grid; the next selection of the model
        // shows its Calculate button where it was.
        const HTREEITEM solver = HTREEITEM(frame->FindExplorerItem(ItemSolverModel, "x^2=7"));
        Explorer()->GetTree().SelectItem(solver);
        Pump();
        const CPoint button = CalculateButton();
        for (int solve = 0; solve < 2; ++solve) {
            Click(GridView()->GetGrid(), CellCentre(GridView()->GetGrid(), 3, 3));
            Pump();
            Explorer()->GetTree().SelectItem(Explorer()->GetFolder(SlotVariables));
            Explorer()->GetTree().SelectItem(solver);
            Pump();
            EXPECT_EQ(CalculateButton(), button) << "solve " << solve << ", run " << run;
        }
        EXPECT_NE(WorkspaceText().Find("Solutions found: 2"), -1);
    }
    model->DeleteSolverModel(model->FindSolverModel("x^2=7"));
}

// After a project of many workspace lines is opened, the first click on a solver model shows
// the model: the click bringing the focus to the explorer selects nothing by itself (the tree
// would select its top item, showing its caption and an empty grid first), then selects the
// model it hits.
TEST_F(PanesScenario, TheFirstClickAfterOpeningALongProjectShowsTheModelItHits)
{
    ScriptedModalHook hook;
    hook.boxAnswer = IDNO;
    if (const int old = model->FindSolverModel("x^2=5"); old >= 0)
        model->DeleteSolverModel(old);
    ASSERT_EQ(doc->AddSolverModel("x^2=5", ""), 0);
    std::string lines;
    for (int i = 0; i < 20000; ++i)
        lines += "    x = " + std::to_string(i) + "\n";
    Workspace()->WriteLines(lines.c_str(), TRUE, WrittenColours::AsResults);
    const std::string path = TestFolder() + "many-lines.zvp";
    ASSERT_TRUE(doc->OnSaveDocument(path.c_str()));
    Command(IDM_FILE_NEW);
    hook.ChooseFile(path);
    Command(IDM_FILE_OPEN);
    ASSERT_GT(Workspace()->SendMessage(EM_GETLINECOUNT), 20000);
    const CString startCaption = frame->GetTabBar().GetCaption();

    CTreeCtrl& tree = Explorer()->GetTree();
    const HTREEITEM solver = HTREEITEM(frame->FindExplorerItem(ItemSolverModel, "x^2=5"));
    ASSERT_NE(solver, nullptr);
    tree.EnsureVisible(solver);
    frame->FocusWorkspace();
    Pump();
    Activate(tree);
    EXPECT_EQ(::GetFocus(), tree.m_hWnd);
    EXPECT_EQ(tree.GetSelectedItem(), nullptr) << "the activation chose an item";
    EXPECT_EQ(frame->GetTabBar().GetCaption(), startCaption);
    // Posted: the tree follows the button in a loop of its own until it is released.
    const CPoint at = PointOf(solver);
    tree.PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    tree.PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    Pump();
    EXPECT_EQ(tree.GetSelectedItem(), solver);
    EXPECT_STREQ(frame->GetTabBar().GetCaption(), "Solver model: x^2=5");
    EXPECT_TRUE(GridView()->IsWindowVisible());
    EXPECT_STREQ(GridView()->GetGrid().GetItemText(1, 2), "x^2=5");
    model->DeleteSolverModel(model->FindSolverModel("x^2=5"));
}

// A refused table entry keeps its message when another item is shown and then the table again,
// and F2 edits what was typed there. Saved and opened again, the cell holds no value and shows
// nothing, as the file always kept it.
TEST_F(PanesScenario, ARefusedTableEntryKeepsItsMessageWhenTheTableIsShownAgain)
{
    ScriptedModalHook hook;
    hook.boxAnswer = IDNO;
    AddLineTable("T", 3);
    CDataGridCtrl& grid = GridView()->GetGrid();
    TypeIntoCell(grid, 2, 2, "4+");
    const CString message = grid.GetItemText(2, 2);
    ASSERT_EQ(message.Left(1), CString("#"));
    CTreeCtrl& tree = Explorer()->GetTree();
    const auto selectTable = [&] {
        tree.SelectItem(HTREEITEM(frame->FindExplorerItem(ItemDataTable, "T")));
        Pump();
    };
    tree.SelectItem(Explorer()->GetFolder(SlotVariables));
    Pump();
    selectTable();
    EXPECT_STREQ(grid.GetItemText(2, 2), message);
    Click(grid, CellCentre(grid, 2, 2));
    Press(grid, VK_F2);
    Pump();
    EXPECT_STREQ(EditorText(grid), "4+");
    Type(grid, "\x1b");
    EXPECT_STREQ(grid.GetItemText(2, 2), message);

    const std::string path = TestFolder() + "refused.zvp";
    ASSERT_TRUE(doc->OnSaveDocument(path.c_str()));
    Command(IDM_FILE_NEW);
    hook.ChooseFile(path);
    Command(IDM_FILE_OPEN);
    selectTable();
    EXPECT_STREQ(grid.GetItemText(2, 2), "");
    EXPECT_FALSE(model->GetSelectedTable()->HoldsValue(1, 2));
    EXPECT_STREQ(grid.GetItemText(2, 1), "2");
}

// File > New after an item's panes showed: the window looks as it does at start-up, and what
// is typed next goes into the workspace and is answered there.
TEST_F(PanesScenario, FileNewShowsWhatStartUpShows)
{
    ScriptedModalHook hook;
    hook.boxAnswer = IDNO; // nothing is saved
    const auto startUp = Look();
    ASSERT_EQ(std::get<0>(startUp), UINT(ViewWorkspace));
    ASSERT_TRUE(std::get<3>(startUp));
    if (const int old = model->FindSolverModel("x^2=9"); old >= 0)
        model->DeleteSolverModel(old);
    ASSERT_EQ(doc->AddSolverModel("x^2=9", ""), 0);
    struct Road {
        const char* name;
        std::function<void()> walk;
    };
    const Road roads[] = {
        {"a solver model selected",
         [&] {
             Explorer()->GetTree().SelectItem(
                 HTREEITEM(frame->InsertExplorerItem(ItemSolverModel, "x^2=9", FALSE)));
         }},
        {"a PLOT line, then a click into the plot",
         [&] {
             frame->FocusWorkspace();
             Type(*frame, "PLOT(x^2)\r");
             CWnd* pPlot = frame->Get2DPlotView();
             ASSERT_TRUE(pPlot->IsWindowVisible());
             CRect rect;
             pPlot->GetClientRect(&rect);
             CPoint point = rect.CenterPoint();
             CWnd* pTarget = pPlot->ChildWindowFromPoint(point);
             ASSERT_NE(pTarget, nullptr);
             pPlot->MapWindowPoints(pTarget, &point, 1);
             UserClick(*pTarget, point);
             ASSERT_NE(::GetFocus(), Workspace()->m_hWnd) << "the plot took the keys";
         }},
    };
    for (const Road& road : roads) {
        road.walk();
        Pump();
        ASSERT_NE(std::get<0>(Look()), UINT(ViewWorkspace)) << road.name;
        Command(IDM_FILE_NEW);
        EXPECT_EQ(Look(), startUp) << road.name;
        Type(*frame, "1+1\r");
        CString text = WorkspaceText();
        text.Remove('\n');
        EXPECT_STREQ(text, "1+1 =\r2\r") << road.name;
    }
    model->DeleteSolverModel(model->FindSolverModel("x^2=9"));
}

// An error tip raised by Enter goes when Paste, Undo or Redo changes the text, instead of
// standing at its old place over other lines. Each road starts from a line in error and a
// pasted line below it.
TEST_F(PanesScenario, TheErrorTipGoesWhenPasteUndoOrRedoChangesTheText)
{
    ScriptedModalHook hook;
    hook.boxAnswer = IDNO;
    const auto tipShown = [&] { return ::IsWindowVisible(Workspace()->GetTipWnd().m_hWnd); };
    const auto enterOnFirstLine = [&] {
        Press(VK_HOME, kCtrl);
        Press(VK_RETURN);
        ASSERT_TRUE(tipShown());
        ASSERT_FALSE(Workspace()->GetTipWnd().GetText().IsEmpty());
    };
    struct Road {
        const char* name;
        std::function<void()> before; // up to the tip
        UINT key;                     // with Ctrl
    };
    const Road roads[] = {
        {"Paste", enterOnFirstLine, 'V'},
        {"Undo", enterOnFirstLine, 'Z'},
        {"Redo",
         [&] {
             Press('Z', kCtrl);
             enterOnFirstLine();
         },
         'Y'},
    };
    for (const Road& road : roads) {
        Command(IDM_FILE_NEW);
        Type(*frame, "2*\n");
        SetClipboardText("7");
        Press('V', kCtrl);
        road.before();
        const CString before = WorkspaceText();
        Press(road.key, kCtrl);
        EXPECT_STRNE(WorkspaceText(), before) << road.name << " changed nothing";
        EXPECT_FALSE(tipShown()) << road.name;
    }
}

} // namespace
