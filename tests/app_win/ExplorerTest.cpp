// The project explorer with the real document: its folders, leaves found and renamed without
// regard to case, the kinds it reports, selections that arrange the panes, in-place renaming,
// the Delete key and the menus of a right click.
#include "app/DataTreeView.h"
#include "app/ItemTypes.h"
#include "engine/SolverModel.h"
#include "res/resource.h"
#include "tests/app_win/ShellTestApp.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

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
    const std::vector<std::string> roots = {
        "Data Tables",   "Lists",        "Matrices",   "Data Graphs",
        "2-D Graphs",    "3-D Graphs",   "Variables",  "Expression variables",
        "Solver models", "User-defined", "Pre-defined"};
    std::vector<std::string> folders = ChildTexts(nullptr);
    folders.resize(std::min(folders.size(), roots.size()));
    EXPECT_EQ(folders, roots);
    const std::vector<std::string> tables = {"Constants", "Functions", "Conversions"};
    EXPECT_EQ(ChildTexts(pExplorer->GetFolder(SlotUserDefined)), tables);
    EXPECT_EQ(ChildTexts(pExplorer->GetFolder(SlotPredefined)), tables);

    const int kinds[][2] = {{Slot2DGraphs, ItemNone},
                            {SlotLists, ItemNone},
                            {SlotVariables, ItemVariables},
                            {SlotSolverModels, ItemSolverEquations},
                            {SlotUserDefined, ItemNone},
                            {SlotUserFunctions, ItemUserFunctions},
                            {SlotPredefinedConversions, ItemPredefinedUnits}};
    for (const auto& c : kinds)
        EXPECT_EQ(pExplorer->GetItemKind(pExplorer->GetFolder(c[0])), c[1]) << c[0];
    // Each data item's folder shows its kind's image, as its leaves do.
    for (int slot : {SlotDataTables, SlotLists, SlotMatrices, SlotDataGraphs}) {
        int nImage = -1, nSelected = -1;
        tree.GetItemImage(pExplorer->GetFolder(slot), nImage, nSelected);
        EXPECT_EQ(nImage, GetItemTypeImage(GetExplorerFolder(slot).nLeafKind)) << slot;
    }
}

TEST(Explorer, LeavesFoundAndRenamedWithoutCaseAndTheirKinds)
{
    CDataTreeView* pExplorer = Explorer();
    CTreeCtrl& tree = pExplorer->GetTree();
    HTREEITEM hTable = pExplorer->InsertItem(ItemDataTable, "Sales", FALSE);
    HTREEITEM hList = pExplorer->InsertItem(ItemList, "Sales", FALSE);
    HTREEITEM hDataGraph = pExplorer->InsertItem(ItemDataGraph, "Fit", FALSE);
    HTREEITEM hGraph = pExplorer->InsertItem(Item2DGraph, "Graph A", FALSE);

    // Data items sit in their kinds' folders, with their kinds' images.
    EXPECT_EQ(tree.GetParentItem(hTable), pExplorer->GetFolder(SlotDataTables));
    EXPECT_EQ(tree.GetParentItem(hList), pExplorer->GetFolder(SlotLists));
    EXPECT_EQ(tree.GetParentItem(hDataGraph), pExplorer->GetFolder(SlotDataGraphs));
    int nImage = -1, nSelected = -1;
    tree.GetItemImage(hList, nImage, nSelected);
    EXPECT_EQ(nImage, 7);
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

TEST(Explorer, RightClickMenus)
{
    CDataTreeView* pExplorer = Explorer();
    SelectNothing();
    // Empty space with nothing selected: the data tables' pop-up.
    CRect client;
    pExplorer->GetTree().GetClientRect(&client);
    EXPECT_EQ(RightClickAt(CPoint(client.right - 5, client.bottom - 5)), UINT(ID_DATA_ADD_TABLE));
    // A folder of the project's items: its own pop-up; nothing is selected by it.
    const UINT folders[][2] = {
        {SlotDataTables, ID_DATA_ADD_TABLE}, {SlotLists, ID_DATA_ADD_LIST_CONTEXT},
        {SlotMatrices, ID_DATA_ADD_MATRIX},  {SlotDataGraphs, ID_DATAPLOT_OPTIONS_CONTEXT},
        {Slot2DGraphs, ID_PLOT2D_ADD_GRAPH}, {Slot3DGraphs, ID_PLOT3D_ADD_GRAPH}};
    for (const auto& c : folders) {
        EXPECT_EQ(RightClickAt(PointOf(pExplorer->GetFolder(int(c[0])))), c[1]) << c[0];
        EXPECT_EQ(MainDocument()->GetModel().GetSelectedKind(), ItemNone) << c[0];
    }
    // "User-defined" has no pop-up of its own: the default menu's "Toggle Views".
    EXPECT_EQ(RightClickAt(PointOf(pExplorer->GetFolder(SlotUserDefined))), UINT(-1));
    // "Variables" becomes the selection, and its kind's menu shows.
    EXPECT_EQ(RightClickAt(PointOf(pExplorer->GetFolder(SlotVariables))), UINT(-1));
    EXPECT_EQ(MainDocument()->GetModel().GetSelectedKind(), ItemVariables);
    SelectNothing();
}

} // namespace
