// The project model with recording windows and prompts: selection and captions, pane sizes,
// adding, replacing, removing and renaming with their questions, modified marks, unique names,
// and what the end of the run writes to the settings.
#include "app/ProjectModel.h"
#include "engine/EngineNames.h"
#include "engine/LocaleSeparators.h"
#include "engine/UserFunction.h"
#include "tests/app/RecordingWindows.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>

namespace {

class ProjectModelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FreeGlobalSymbolTables();
        model.Initialize();
        UseDotSeparators();
        model.SetWindows(&windows);
        model.SetPrompts(&prompts);
    }
    void TearDown() override
    {
        model.SetWindows(nullptr);
        model.ReleaseUserDefinitions();
        ResetIndependentVariables();
    }

    CDataTable* NewTable(const char* name, int rows)
    {
        auto* table = new CDataTable;
        table->Create(TableLayoutXY, 0, rows);
        table->SetName(name);
        return table;
    }
    CFunctionPlot* DataGraph(const char* name, CDataTable* table)
    {
        auto* graph = new CFunctionPlot;
        graph->SetName(name);
        graph->AttachDataTable(table);
        return graph;
    }
    CFunctionPlot* Graph(const char* expression)
    {
        auto* graph = new CFunctionPlot;
        graph->SetDefinition(expression, "", GraphRectangular, -2, 5);
        return graph;
    }
    void Select(int kind, const char* name)
    {
        windows.SelectExplorerItem(windows.FindExplorerItem(kind, name));
    }

    ProjectModel model;
    RecordingWindows windows{&model};
    RecordingPrompts prompts;
};

TEST_F(ProjectModelTest, SelectingShowsTheKindsLayoutAndCaption)
{
    model.AddNewItem(ItemDataTable);
    EXPECT_EQ(model.GetSelectedKind(), ItemDataTable);
    EXPECT_EQ(model.GetSelectedIndex(), 0);
    EXPECT_EQ(model.GetSelectedObject(), model.m_DataTables[0].get());
    EXPECT_STREQ(windows.caption, "Table: Table1");
    EXPECT_NE(windows.log.find("[layout 9][grid][plot][caption Table: Table1 1]"),
              std::string::npos)
        << windows.log;

    windows.SelectFolder(ItemVariables, "Variables");
    EXPECT_STREQ(windows.caption, "Variables");
    EXPECT_EQ(model.GetSelectedIndex(), -1);
    EXPECT_EQ(model.GetSelectedObject(), nullptr);

    // A kind whose layout shows nothing shows the workspace and remembers that.
    model.m_ViewLayouts[ItemUserUnits][ViewLayout::Mask] = 0;
    windows.log.clear();
    windows.SelectFolder(ItemUserUnits, "Conversions");
    EXPECT_EQ(model.m_ViewLayouts[ItemUserUnits][ViewLayout::Mask], 4u);
    EXPECT_EQ(windows.log.substr(0, 9), "[layout 4");

    // A blank label and the selected node again change nothing.
    windows.log.clear();
    model.OnSelectItem(ItemList, "   ", 555);
    model.OnSelectItem(ItemList, "List1", windows.selected);
    EXPECT_EQ(windows.log, "");
    EXPECT_EQ(model.GetSelectedKind(), ItemUserUnits);

    // A folder without a kind: the selection clears, and no pane goes on showing the item: the
    // grid empties, the 2-D pane shows the function plot and the caption names the folder.
    model.OnSelectItem(ItemNone, "Project", 777);
    EXPECT_EQ(model.GetSelectedKind(), ItemNone);
    EXPECT_EQ(model.GetSelectedNode(), 0u);
    EXPECT_EQ(windows.log, "[grid][plot][caption Project 0]");
}

TEST_F(ProjectModelTest, PaneSizesAreRememberedWithTwoPanesOnly)
{
    windows.SelectFolder(ItemUserConstants, "Constants"); // mask 12: workspace and grid
    model.StorePaneSize(ViewGrid, 300, 222);
    for (int kind : {ItemUserConstants, ItemUserFunctions, ItemUserUnits})
        EXPECT_EQ(model.m_ViewLayouts[std::size_t(kind)][ViewLayout::GridHeight], 222u) << kind;
    model.StorePaneSize(View2DPlot, 300, 111); // not shown
    EXPECT_NE(model.m_ViewLayouts[ItemUserConstants][ViewLayout::Plot2DHeight], 111u);

    model.m_ViewLayouts[ItemUserConstants][ViewLayout::Mask] = 13; // three panes
    model.StorePaneSize(ViewGrid, 300, 50);
    EXPECT_EQ(model.m_ViewLayouts[ItemUserConstants][ViewLayout::GridHeight], 222u);

    model.m_ViewLayouts[ItemUserConstants][ViewLayout::Mask] = 12;
    model.ShowViewsByCommand(15, FALSE); // until the next selection nothing is remembered
    model.StorePaneSize(ViewGrid, 300, 60);
    EXPECT_EQ(model.m_ViewLayouts[ItemUserConstants][ViewLayout::GridHeight], 222u);
    EXPECT_NE(windows.log.find("[mask 15]"), std::string::npos);

    model.StorePaneSize(ViewExplorer, 0, 10);
    EXPECT_EQ(model.m_nTreeWidth, 175);
    model.StorePaneSize(ViewExplorer, 210, 10);
    EXPECT_EQ(model.m_nTreeWidth, 210);
}

TEST_F(ProjectModelTest, NewItemsTakeTheFirstFreeNameAndOpenTheLabelEditor)
{
    model.AddNewItem(ItemDataTable);
    model.AddNewItem(ItemDataTable);
    model.AddNewItem(ItemList);
    model.AddNewItem(ItemMatrix);
    model.AddNewItem(ItemVariables); // not a kind that can be added
    ASSERT_EQ(model.m_DataTables.size(), 2u);
    EXPECT_STREQ(model.m_DataTables[1]->GetName(), "Table2");
    EXPECT_STREQ(model.m_DataTables[1]->GetColumnName(1), "Y");
    EXPECT_EQ(model.m_DataTables[1]->GetRowCount(), 0);
    EXPECT_STREQ(model.m_Lists[0]->GetName(), "List1");
    EXPECT_STREQ(model.m_Matrices[0]->GetName(), "Matrix1");
    EXPECT_NE(windows.log.find("[edit Table2]"), std::string::npos) << windows.log;
    EXPECT_TRUE(model.IsModified());

    // Names are made from the pattern's %d alone, whatever else it holds.
    model.m_DataTables[0]->SetName("T%s1");
    EXPECT_STREQ(model.MakeUniqueTableName("T%s%d"), "T%s2");
    EXPECT_STREQ(model.MakeUniqueListName("List%d"), "List2");
    EXPECT_STREQ(model.MakeUniqueMatrixName("M"), "M1");
    EXPECT_EQ(model.FindList("LIST1"), 0);
}

TEST_F(ProjectModelTest, ReplacingATableWithDataGraphsAsksTwice)
{
    CDataTable* old = NewTable("Data", 3);
    model.AddResultItem(ItemDataTable, old);
    model.AddResultItem(ItemDataGraph, DataGraph("G1", old));
    model.AddResultItem(ItemDataGraph, DataGraph("G2", old));
    model.SetModified(FALSE);

    struct Case {
        const char* what;
        std::deque<int> answers;
        BOOL bTick;
        int tablesAfter, graphsAfter;
        bool replaced;
    };
    const Case cases[] = {
        {"overwrite declined", {7}, FALSE, 1, 2, false},
        {"data-graph question declined", {6, 7}, FALSE, 1, 2, false},
        {"both accepted, don't ask again", {6, 6}, TRUE, 1, 0, true},
    };
    for (const Case& c : cases) {
        prompts.log.clear();
        prompts.answers = c.answers;
        prompts.bTickDontAsk = c.bTick;
        CDataTable* replacement = NewTable("DATA", 5);
        model.AddResultItem(ItemDataTable, replacement);
        EXPECT_EQ(prompts.CountOf("[overwrite?] data table DATA"), 1) << c.what;
        EXPECT_EQ(prompts.CountOf("[question]"), c.answers.size() > 1 ? 1 : 0) << c.what;
        EXPECT_EQ(int(model.m_DataTables.size()), c.tablesAfter) << c.what;
        EXPECT_EQ(model.m_DataPlot.GetItemCount(), c.graphsAfter) << c.what;
        EXPECT_EQ(model.m_DataTables[0].get() == replacement, c.replaced) << c.what;
        EXPECT_EQ(model.IsModified() != FALSE, c.replaced) << c.what;
    }
    EXPECT_EQ(model.m_Settings.nConfirmOverwrite, 63 & ~4);
    EXPECT_EQ(windows.FindExplorerItem(ItemDataGraph, "G1"), 0u);

    // The bit is clear now: a further replacement asks nothing.
    prompts.log.clear();
    model.AddResultItem(ItemDataTable, NewTable("data", 1));
    EXPECT_EQ(prompts.log, "");
    EXPECT_EQ(model.m_DataTables[0]->GetRowCount(), 1);
}

TEST_F(ProjectModelTest, ReplacingTheSelectedTableSelectsTheNewOneAndFreesThePreview)
{
    model.AddResultItem(ItemDataTable, NewTable("T", 2));
    ASSERT_EQ(model.GetSelectedKind(), ItemDataTable);
    CFunctionPlot* preview = model.m_PreviewPlot.GetItem(0);
    EXPECT_EQ(preview->GetDataTable(), model.m_DataTables[0].get());
    CDataTable* replacement = NewTable("T", 4);
    model.AddResultItem(ItemDataTable, replacement);
    EXPECT_EQ(model.GetSelectedObject(), replacement);
    EXPECT_EQ(preview->GetDataTable(), replacement); // the panes show the new table

    prompts.answers = {6};
    model.RemoveSelectedItem();
    EXPECT_TRUE(model.m_DataTables.empty());
    EXPECT_EQ(preview->GetDataTable(), nullptr);
    EXPECT_EQ(model.GetSelectedObject(), nullptr);
}

TEST_F(ProjectModelTest, GraphsAndSurfacesAreAddedOrReplacedByLabel)
{
    model.AddResultItem(Item2DGraph, Graph("x^2"));
    EXPECT_EQ(model.m_FunctionPlot.m_dXMin, -2);
    EXPECT_EQ(model.m_FunctionPlot.m_dXMax, 5);
    EXPECT_EQ(model.FindProjectItem(Item2DGraph, "y = x^2"), 0);
    prompts.answers = {7};
    model.AddResultItem(Item2DGraph, Graph("x^2"));
    EXPECT_EQ(prompts.CountOf("[overwrite?] 2D graph y = x^2"), 1);
    EXPECT_EQ(model.m_FunctionPlot.GetItemCount(), 1);

    auto* surface = new CSurfacePlot;
    surface->SetExpression("x*y");
    model.AddResultItem(Item3DGraph, surface);
    EXPECT_EQ(model.FindProjectItem(Item3DGraph, "Z = X*Y"), 0);
    EXPECT_STREQ(windows.caption, "3D Graph: z = x*y");
    // An object of the wrong class for its kind, or without a name, is not taken.
    model.AddResultItem(ItemList, new CMatrixObject);
    model.AddResultItem(ItemDataTable, NewTable("  ", 1));
    EXPECT_TRUE(model.m_Lists.empty());
    EXPECT_TRUE(model.m_DataTables.empty());
    model.AddResultItem(ItemDataTable, NewTable(" T ", 1));
    EXPECT_EQ(model.FindDataTable("T"), 0);
}

TEST_F(ProjectModelTest, RemovingAsksByKindAndMarksTheProject)
{
    CDataTable* table = NewTable("T", 2);
    model.AddResultItem(ItemDataTable, table);
    model.AddResultItem(ItemDataGraph, DataGraph("G", table));
    ASSERT_EQ(model.AddSolverModel("a*b = 6", ""), 0);
    windows.InsertExplorerItem(ItemSolverModel, "a*b = 6", FALSE);

    Select(ItemDataTable, "T");
    model.SetModified(FALSE);
    prompts.answers = {6, 7}; // delete it, but not its data graphs
    model.RemoveSelectedItem();
    EXPECT_EQ(model.m_DataTables.size(), 1u);
    EXPECT_EQ(prompts.CountOf("[delete?] data table T"), 1);
    EXPECT_FALSE(model.IsModified());

    prompts.answers = {6, 6};
    model.RemoveSelectedItem();
    EXPECT_TRUE(model.m_DataTables.empty());
    EXPECT_EQ(model.m_DataPlot.GetItemCount(), 0);
    EXPECT_TRUE(model.IsModified());

    Select(ItemSolverModel, "a*b = 6");
    model.SetModified(FALSE);
    prompts.log.clear();
    model.RemoveSelectedItem();
    EXPECT_EQ(model.m_UserDefinitions.GetSolverModelCount(), 0);
    EXPECT_EQ(prompts.log, "");       // removed without a question
    EXPECT_FALSE(model.IsModified()); // user data, not the project
    EXPECT_EQ(model.GetSelectedIndex(), -1);

    model.AddNewItem(ItemList);
    model.m_Settings.nConfirmDelete = 0;
    model.RemoveSelectedItem();
    EXPECT_TRUE(model.m_Lists.empty());
    EXPECT_EQ(prompts.log, "");
}

TEST_F(ProjectModelTest, RenamingChecksTheNewName)
{
    model.AddNewItem(ItemList);
    model.AddNewItem(ItemList);
    struct Case {
        const char* name;
        BOOL accepted;
        const char* after;
    };
    const Case cases[] = {
        {"list1", FALSE, "List2"},     // another list has it
        {"   ", FALSE, "List2"},       // blank
        {"  Prices ", TRUE, "Prices"}, // trimmed
    };
    for (const Case& c : cases) {
        EXPECT_EQ(model.RenameSelectedItem(c.name), c.accepted) << c.name;
        EXPECT_STREQ(model.m_Lists[1]->GetName(), c.after) << c.name;
    }
    EXPECT_STREQ(windows.caption, "List: Prices");
    model.AddResultItem(Item2DGraph, Graph("x"));
    EXPECT_FALSE(model.RenameSelectedItem("line"));
}

TEST_F(ProjectModelTest, ShownAnewTheExplorerHoldsEveryItemInTheModelsOrder)
{
    ASSERT_EQ(model.AddSolverModel("p = 2*q", ""), 0);
    CDataTable* table = NewTable("T2", 3);
    model.AddResultItem(ItemDataTable, NewTable("T1", 3));
    model.AddResultItem(ItemDataTable, table);
    model.AddNewItem(ItemMatrix);
    model.AddNewItem(ItemList);
    model.AddResultItem(Item3DGraph, [] {
        auto* surface = new CSurfacePlot;
        surface->SetExpression("x*y");
        return surface;
    }());
    model.AddResultItem(Item2DGraph, Graph("x^2"));
    model.AddResultItem(ItemDataGraph, DataGraph("Fit", table));
    model.AddResultItem(Item2DGraph, Graph("x"));
    const std::vector<std::pair<int, std::string>> expected = {
        {ItemDataTable, "T1"},   {ItemDataTable, "T2"},    {ItemList, "List1"},
        {ItemMatrix, "Matrix1"}, {ItemDataGraph, "Fit"},   {Item2DGraph, "y = x^2"},
        {Item2DGraph, "y = x"},  {Item3DGraph, "z = x*y"}, {ItemSolverModel, "p = 2*q"},
    };
    std::vector<std::pair<int, std::string>> leaves;
    for (const ExplorerLeaf& leaf : model.GetExplorerLeaves())
        leaves.emplace_back(leaf.kind, leaf.name.GetString());
    EXPECT_EQ(leaves, expected);

    // The windows show the same leaves, and the item selected before is selected again.
    windows.log.clear();
    model.ShowProjectAnew();
    leaves.clear();
    for (const RecordingWindows::Node& node : windows.nodes)
        leaves.emplace_back(node.kind, node.name);
    EXPECT_EQ(leaves, expected);
    EXPECT_EQ(windows.log.rfind("[rebuild 9][plot3d][select y = x]", 0), 0u) << windows.log;
    EXPECT_EQ(model.GetSelectedNode(), windows.selected);
    EXPECT_STREQ(windows.caption, "Graph: y = x");

    // A cleared project: only the user's solver model stays, nothing is selected, the
    // workspace shows alone with the keys as at start-up and the caption names no item.
    model.DeleteContents();
    windows.log.clear();
    model.ShowProjectAnew();
    ASSERT_EQ(windows.nodes.size(), 1u);
    EXPECT_EQ(windows.nodes[0].kind, ItemSolverModel);
    EXPECT_EQ(windows.selected, 0u);
    EXPECT_EQ(model.GetSelectedKind(), ItemNone);
    EXPECT_EQ(windows.log, "[rebuild 1][plot3d][mask 4][focus workspace][grid][plot][caption  0]");
}

TEST_F(ProjectModelTest, ChangingTheSelectedItemRedrawsEveryPaneThatShowsIt)
{
    model.AddResultItem(ItemDataTable, NewTable("T1", 3));
    Select(ItemDataTable, "T1");
    struct Case {
        const char* what;
        std::function<void()> change;
    };
    const Case cases[] = {
        {"transform", [&] { model.ApplyExpressionToSelection("x*10", "Go?"); }},
        {"sort", [&] { model.SortSelectedTable(1, 0, FALSE); }},
        {"delete row", [&] { model.DeleteGridRow(1); }},
        {"replaced", [&] { model.AddResultItem(ItemDataTable, NewTable("T1", 2)); }},
        {"replaced graph",
         [&] {
             model.AddResultItem(Item2DGraph, Graph("x"));
             windows.log.clear();
             model.AddResultItem(Item2DGraph, Graph("x"));
         }},
    };
    for (const Case& c : cases) {
        windows.log.clear();
        c.change();
        EXPECT_EQ(windows.log, "[grid][plot]") << c.what;
    }
}

TEST_F(ProjectModelTest, ClearingKeepsTheUserDefinitions)
{
    CCalcEngine engine;
    ASSERT_EQ(engine.DefineUserFunction("f(u) = u+1", false), 0);
    ASSERT_EQ(model.AddSolverModel("p = 2*q", ""), 0);
    model.AddNewItem(ItemMatrix);
    model.m_Engine.AppendVariable("v", 1);
    model.DeleteContents();
    EXPECT_TRUE(model.m_Matrices.empty());
    EXPECT_EQ(model.m_Engine.GetVariableCount(), 0);
    EXPECT_EQ(model.GetSelectedKind(), ItemNone);
    EXPECT_EQ(model.m_UserDefinitions.GetSolverModelCount(), 1);
    EXPECT_EQ(GetUserFunctionCount(), 1);
}

TEST_F(ProjectModelTest, TheEndOfTheRunWritesOnlyWhatItChangedOverAnotherWindows)
{
    CMemoryProfileStore store;
    model.ReadSettings(store, 768);
    model.WriteSettingsAtExit(store, "c:\\p\\a.zvp"); // a run that changed nothing
    auto entries = [&] {
        std::string text;
        for (const CString& entry : store.GetEntries())
            text += std::string(entry.GetString()) + ";";
        return text;
    };
    EXPECT_EQ(entries(), "Options\\LastOpenFile;");

    // Two windows read the same settings; the first changes a layout, the solver steps, a fit
    // and a favourite and ends first, the second changes the tree width and the same kinds of
    // lists and ends last.
    store.WriteInt("RecentFit", "Count", 1);
    store.WriteString("RecentFit0", "Name", "Old");
    store.WriteString("RecentFit0", "Equation", "a");
    ProjectModel first;
    first.ReadSettings(store, 768);
    model.ReadSettings(store, 768);
    first.m_ViewLayouts[Item2DGraph][ViewLayout::Plot2DHeight] = 500;
    first.m_Engine.m_nSolverSteps = 300;
    first.RememberRecentFit({"L1", "Line", "a+b*x", "", ""});
    first.AddFavoriteFunction("SIN");
    first.WriteSettingsAtExit(store, "c:\\p\\a.zvp");
    model.m_nTreeWidth = 220;
    model.RememberRecentFit({"L2", "Power", "a*x^b", "", ""});
    model.AddFavoriteFunction("COS");
    model.WriteSettingsAtExit(store, "c:\\p\\b.zvp");

    ProjectModel next;
    next.ReadSettings(store, 600);
    EXPECT_EQ(next.m_ViewLayouts[Item2DGraph][ViewLayout::Plot2DHeight], 500u);
    EXPECT_EQ(next.m_ViewLayouts[Item3DGraph][ViewLayout::Plot3DHeight], 353u); // not written
    EXPECT_EQ(next.m_Engine.m_nSolverSteps, 300);
    EXPECT_EQ(next.m_nTreeWidth, 220);
    std::string fits;
    for (int i = 0; i < next.m_RecentFits.GetModelCount(); ++i)
        fits += std::string(next.m_RecentFits.GetModelName(i).GetString()) + " ";
    EXPECT_EQ(fits, "Power Line Old ");
    EXPECT_EQ(next.m_FavoriteFunctions, (std::vector<CString>{"COS", "SIN"}));
    EXPECT_STREQ(store.GetString("Options", "LastOpenFile", ""), "c:\\p\\b.zvp");
}

TEST_F(ProjectModelTest, ToggledPanesApplyToTheKindAndItsGroup)
{
    windows.log.clear();
    model.ToggleView(ViewGrid); // nothing selected: nothing happens
    EXPECT_EQ(windows.log, "");

    windows.SelectFolder(ItemVariables, "Variables"); // workspace and grid
    windows.log.clear();
    model.ToggleView(ViewGrid);
    EXPECT_EQ(windows.log, "[layout 4]");
    EXPECT_EQ(model.m_ViewLayouts[ItemExpressionVariables][ViewLayout::Mask], 4u);
    windows.log.clear();
    model.ToggleView(ViewWorkspace); // the last pane off: the workspace stays, and has the keys
    EXPECT_EQ(model.m_ViewLayouts[ItemVariables][ViewLayout::Mask], 4u);
    EXPECT_EQ(windows.log, "[layout 4][focus workspace]");
    windows.log.clear();
    model.ToggleView(ViewGrid);
    model.ToggleView(ViewWorkspace); // off, with the grid left: no focus to give
    EXPECT_EQ(windows.log, "[layout 12][layout 8]");
}

} // namespace
