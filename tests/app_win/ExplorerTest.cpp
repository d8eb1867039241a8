// The project explorer with the real document: its folders, leaves found and renamed without
// regard to case, the kinds it reports, selections that arrange the panes, in-place renaming,
// the Delete key, the menus of a right click, graphs refreshed under a selection and solver
// models shown once.
#include "app/DataTreeView.h"
#include "app/ItemTypes.h"
#include "engine/SolverModel.h"
#include "res/resource.h"
#include "tests/app_win/ShellTestApp.h"
#include "tests/support/MenuWatcher.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

CDataTreeView* Explorer() { return MainFrame()->GetExplorerView(); }

std::vector<std::string> ChildTexts(CTreeCtrl& tree, HTREEITEM hParent)
{
    std::vector<std::string> texts;
    HTREEITEM hItem = hParent ? tree.GetChildItem(hParent) : tree.GetRootItem();
    for (; hItem; hItem = tree.GetNextSiblingItem(hItem))
        texts.emplace_back(tree.GetItemText(hItem).GetString());
    return texts;
}

// Selects a folder without a kind, so the document has no selection.
void SelectNothing()
{
    Explorer()->GetTree().SelectItem(Explorer()->GetFolder(SlotPredefined));
    Pump();
}

TEST(Explorer, FoldersAndTheKindsTheyReport)
{
    CDataTreeView* pExplorer = Explorer();
    CTreeCtrl& tree = pExplorer->GetTree();
    const std::vector<std::string> roots = {"2-D Graphs",           "3-D Graphs",    "Variables",
                                            "Expression variables", "Solver models", "User-defined",
                                            "Pre-defined"};
    std::vector<std::string> folders = ChildTexts(tree, nullptr);
    folders.resize(std::min(folders.size(), roots.size()));
    EXPECT_EQ(folders, roots);
    const std::vector<std::string> tables = {"Constants", "Functions", "Conversions"};
    EXPECT_EQ(ChildTexts(tree, pExplorer->GetFolder(SlotUserDefined)), tables);
    EXPECT_EQ(ChildTexts(tree, pExplorer->GetFolder(SlotPredefined)), tables);

    const int kinds[][2] = {{Slot2DGraphs, ItemNone},
                            {SlotVariables, ItemVariables},
                            {SlotSolverModels, ItemSolverEquations},
                            {SlotUserDefined, ItemNone},
                            {SlotUserFunctions, ItemUserFunctions},
                            {SlotPredefinedConversions, ItemPredefinedUnits}};
    for (const auto& c : kinds)
        EXPECT_EQ(pExplorer->GetItemKind(pExplorer->GetFolder(c[0])), c[1]) << c[0];
    int nImage = -1, nSelected = -1;
    tree.GetItemImage(pExplorer->GetFolder(SlotVariables), nImage, nSelected);
    EXPECT_EQ(nImage, 10);
    EXPECT_EQ(pExplorer->GetFolder(SlotDataTables), nullptr);
}

TEST(Explorer, LeavesFoundAndRenamedWithoutCaseAndTheirKinds)
{
    CDataTreeView* pExplorer = Explorer();
    CTreeCtrl& tree = pExplorer->GetTree();
    HTREEITEM hTable = pExplorer->InsertItem(ItemDataTable, "Sales", FALSE);
    HTREEITEM hList = pExplorer->InsertItem(ItemList, "Sales", FALSE);
    HTREEITEM hDataGraph = pExplorer->InsertItem(ItemDataGraph, "Fit", FALSE);
    HTREEITEM hGraph = pExplorer->InsertItem(Item2DGraph, "Graph A", FALSE);

    // Data items sit at the root and keep their own kinds apart.
    EXPECT_EQ(tree.GetParentItem(hTable), nullptr);
    EXPECT_EQ(pExplorer->GetItemKind(hTable), ItemDataTable);
    EXPECT_EQ(pExplorer->GetItemKind(hList), ItemList);
    EXPECT_EQ(pExplorer->GetItemKind(hDataGraph), ItemDataGraph);
    EXPECT_EQ(pExplorer->FindItem(ItemList, "SALES"), hList);
    EXPECT_EQ(pExplorer->FindItem(ItemDataTable, "sales"), hTable);
    EXPECT_EQ(pExplorer->FindItem(ItemMatrix, "Sales"), nullptr);

    EXPECT_EQ(tree.GetParentItem(hGraph), pExplorer->GetFolder(Slot2DGraphs));
    EXPECT_EQ(pExplorer->GetItemKind(hGraph), Item2DGraph);
    EXPECT_EQ(pExplorer->FindItem(Item2DGraph, "graph a"), hGraph);
    pExplorer->RenameItem(Item2DGraph, "GRAPH A", "Graph B");
    EXPECT_STREQ(tree.GetItemText(hGraph), "Graph B");
    EXPECT_EQ(pExplorer->GetItemKind(nullptr), ItemNone);

    for (HTREEITEM hItem : {hTable, hList, hDataGraph, hGraph})
        tree.DeleteItem(hItem);
}

class ExplorerWithTable : public ::testing::Test {
protected:
    void SetUp() override
    {
        CMyDocument* pDoc = MainDocument();
        ASSERT_NE(pDoc, nullptr);
        pDoc->AddNewItem(ItemDataTable); // selected, its name being edited
        Pump();
        Explorer()->GetTree().SendMessage(TVM_ENDEDITLABELNOW, TRUE);
        Pump();
        hTable = Explorer()->GetTree().GetSelectedItem();
        ASSERT_NE(hTable, nullptr);
        name = Explorer()->GetTree().GetItemText(hTable).GetString();
    }
    void TearDown() override { CloseMainFrame(); }

    // Edits the selected item's label in place, typing text and pressing Enter.
    void EditLabel(const char* text)
    {
        CTreeCtrl& tree = Explorer()->GetTree();
        CEdit* pEdit = tree.EditLabel(tree.GetSelectedItem());
        if (!pEdit)
            return;
        pEdit->SetWindowText(text);
        tree.SendMessage(TVM_ENDEDITLABELNOW, FALSE);
        Pump();
    }

    HTREEITEM hTable = nullptr;
    std::string name;
};

TEST_F(ExplorerWithTable, SelectionArrangesThePanesAndNamesTheItem)
{
    CMainFrame* pFrame = MainFrame();
    EXPECT_EQ(MainDocument()->GetModel().GetSelectedKind(), ItemDataTable);
    EXPECT_EQ(pFrame->GetTabBar().GetCaption(), CString(("Table: " + name).c_str()));
    EXPECT_EQ(pFrame->GetViewLayout()[ViewLayout::Mask], DWORD(View2DPlot | ViewGrid));
    EXPECT_TRUE(pFrame->Get2DPlotView()->IsWindowVisible());
    EXPECT_TRUE(pFrame->GetGridView()->IsWindowVisible());
    EXPECT_FALSE(pFrame->GetWorkspaceView()->IsWindowVisible());
    EXPECT_TRUE(Explorer()->GetTree().GetItemState(hTable, TVIS_BOLD) & TVIS_BOLD);

    // Another selection: the table goes back to normal weight.
    Explorer()->GetTree().SelectItem(Explorer()->GetFolder(SlotVariables));
    Pump();
    EXPECT_FALSE(Explorer()->GetTree().GetItemState(hTable, TVIS_BOLD) & TVIS_BOLD);
    EXPECT_EQ(pFrame->GetViewLayout()[ViewLayout::Mask], DWORD(ViewWorkspace | ViewGrid));
}

TEST_F(ExplorerWithTable, RenamedInPlaceOnlyWhenSomethingIsLeft)
{
    CTreeCtrl& tree = Explorer()->GetTree();
    EditLabel("   ");
    EXPECT_EQ(tree.GetItemText(hTable), CString(name.c_str()));
    EditLabel("  Sales  ");
    EXPECT_STREQ(tree.GetItemText(hTable), "Sales");
    EXPECT_STREQ(MainDocument()->GetItemName(ItemDataTable, 0), "Sales");

    // Folders and graphs are never edited in place.
    tree.SelectItem(Explorer()->GetFolder(SlotVariables));
    Pump();
    EXPECT_EQ(tree.EditLabel(tree.GetSelectedItem()), nullptr);
    HTREEITEM hGraph = Explorer()->InsertItem(Item2DGraph, "y = x", TRUE);
    Pump();
    EXPECT_EQ(tree.EditLabel(hGraph), nullptr);
    tree.DeleteItem(hGraph);
}

TEST_F(ExplorerWithTable, DeleteAsksForRemovalOtherKeysNothing)
{
    CTreeCtrl& tree = Explorer()->GetTree();
    HWND hExplorer = Explorer()->m_hWnd;
    MSG msg;
    for (UINT key : {UINT('A'), UINT(VK_BACK), UINT(VK_INSERT), UINT(VK_DELETE)}) {
        tree.SendMessage(WM_KEYDOWN, key, 0);
        const BOOL bPosted = ::PeekMessageA(&msg, hExplorer, WM_COMMAND, WM_COMMAND, PM_REMOVE);
        EXPECT_EQ(bPosted, key == VK_DELETE) << key;
        EXPECT_TRUE(!bPosted || LOWORD(msg.wParam) == ID_DATA_REMOVE) << key;
    }
    EXPECT_EQ(MainDocument()->GetModel().GetItemCount(ItemDataTable), 1);
}

// Right-clicks the explorer at a tree point (client coordinates of the tree).
UINT RightClickAt(CPoint point)
{
    MenuWatcher watcher;
    watcher.AttachHook(Explorer()->m_hWnd);
    Explorer()->GetTree().ClientToScreen(&point);
    Explorer()->SendMessage(WM_CONTEXTMENU, WPARAM(Explorer()->m_hWnd),
                            MAKELPARAM(point.x, point.y));
    Pump();
    watcher.AttachHook(nullptr);
    return watcher.firstCommand;
}

CPoint PointOf(HTREEITEM hItem)
{
    CRect rect;
    Explorer()->GetTree().GetItemRect(hItem, &rect, TRUE);
    return rect.CenterPoint();
}

TEST(Explorer, RightClickMenus)
{
    CDataTreeView* pExplorer = Explorer();
    SelectNothing();
    // Empty space with nothing selected: the data tables' pop-up.
    CRect client;
    pExplorer->GetTree().GetClientRect(&client);
    EXPECT_EQ(RightClickAt(CPoint(client.right - 5, client.bottom - 5)), UINT(ID_DATA_ADD_TABLE));
    // A folder without a kind: its plot's pop-up.
    EXPECT_EQ(RightClickAt(PointOf(pExplorer->GetFolder(Slot3DGraphs))), UINT(ID_PLOT3D_ADD_GRAPH));
    EXPECT_EQ(MainDocument()->GetModel().GetSelectedKind(), ItemNone);
    // "User-defined" has no pop-up of its own: the default menu's "Toggle Views".
    EXPECT_EQ(RightClickAt(PointOf(pExplorer->GetFolder(SlotUserDefined))), UINT(-1));
    // "Variables" becomes the selection, and its kind's menu shows.
    EXPECT_EQ(RightClickAt(PointOf(pExplorer->GetFolder(SlotVariables))), UINT(-1));
    EXPECT_EQ(MainDocument()->GetModel().GetSelectedKind(), ItemVariables);
    SelectNothing();
}

TEST(Explorer, RefreshedGraphsKeepTheSelectedGraph)
{
    CMyDocument* pDoc = MainDocument();
    CDataTreeView* pExplorer = Explorer();
    CTreeCtrl& tree = pExplorer->GetTree();
    ProjectModel& model = pDoc->GetModel();
    model.m_FunctionPlot.AddFunction("x^2", "", 0, -5, 5);
    model.m_FunctionPlot.AddFunction("SIN(x)", "", 0, -5, 5);
    pExplorer->RefreshGraphs();
    HTREEITEM hFolder = pExplorer->GetFolder(Slot2DGraphs);
    ASSERT_EQ(ChildTexts(tree, hFolder).size(), 2u);
    tree.SelectItem(tree.GetNextSiblingItem(tree.GetChildItem(hFolder)));
    Pump();
    ASSERT_EQ(model.GetSelectedKind(), Item2DGraph);
    ASSERT_EQ(model.GetSelectedIndex(), 1);

    model.m_FunctionPlot.AddFunction("x^3", "", 0, -5, 5);
    pExplorer->RefreshGraphs();
    Pump();
    EXPECT_EQ(ChildTexts(tree, hFolder).size(), 3u);
    HTREEITEM hSelected = tree.GetSelectedItem();
    EXPECT_EQ(ExplorerNode(hSelected), model.GetSelectedNode());
    EXPECT_EQ(tree.GetItemText(hSelected), model.m_FunctionPlot.GetItem(1)->GetLabel());
    EXPECT_EQ(model.GetSelectedIndex(), 1);
    CloseMainFrame();
}

TEST(Explorer, SolverModelsShownOnce)
{
    CMyDocument* pDoc = MainDocument();
    CDataTreeView* pExplorer = Explorer();
    CTreeCtrl& tree = pExplorer->GetTree();
    HTREEITEM hFolder = pExplorer->GetFolder(SlotSolverModels);
    const std::size_t count = ChildTexts(tree, hFolder).size();
    // The user's models joined the tree at the program's first update: a new project's update
    // adds none again, not even one that came since.
    pDoc->AddSolverModel("a*b = 12", "");
    const UserDefinitions& user = pDoc->GetModel().m_UserDefinitions;
    pExplorer->SendMessage(WM_INITIALUPDATE);
    pExplorer->SendMessage(WM_INITIALUPDATE);
    EXPECT_EQ(ChildTexts(tree, hFolder).size(), count);
    pDoc->DeleteSolverModel(user.GetSolverModelCount() - 1);
    CloseMainFrame();
}

} // namespace
