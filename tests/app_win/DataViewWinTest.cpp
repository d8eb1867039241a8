// The data view in the main frame, driven as the user drives it: typing through the in-place
// editor, refused and answered cells, column widths, the "Calculate" button, context menus by
// kind, Cut, Delete, paste and the double click that types an entry into the workspace; the data
// commands' dialogs and questions; the Data Analysis page; and the results dialog with its
// logging into the workspace.
#include "analysis/GridView.h"
#include "analysis/ResultsDlg.h"
#include "engine/EngineErrors.h"
#include "engine/EngineNames.h"
#include "engine/LocaleSeparators.h"
#include "engine/SolverModel.h"
#include "framework/win/CPropertySheet.h"
#include "framework/win/RegistryProfileStore.h"
#include "grid/CGridBtnCell.h"
#include "res/resource.h"
#include "tests/app_win/ShellTestApp.h"
#include "tests/grid/GridWinTestSupport.h"
#include "tests/support/ScriptedModalHook.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstring>

namespace {

class DataViewWin : public ::testing::Test {
protected:
    // One main frame serves every test; each starts with a new project (user definitions such
    // as solver models outlive projects, so tests give theirs their own names).
    void SetUp() override
    {
        frame = MainFrame();
        ASSERT_NE(frame, nullptr);
        {
            ScriptedModalHook hook;
            hook.boxAnswer = IDNO; // do not save the last test's project
            TestApp().OnFileNew();
        }
        doc = MainDocument();
        view = dynamic_cast<CGridView*>(frame->GetGridView());
        ASSERT_NE(view, nullptr);
        model = &doc->GetModel();
        frame->SetViewMask(ViewWorkspace | ViewGrid);
        Pump();
    }

    CDataGridCtrl& Grid() { return view->GetGrid(); }
    CDataColumn* AddList(const char* name, std::initializer_list<double> values)
    {
        auto* list = new CDataColumn;
        list->SetName(name);
        for (double v : values)
            list->Append(v);
        doc->AddResultItem(ItemList, list);
        Pump();
        return list;
    }
    // A solver model of the equation searching -10 .. 10, added and selected; a model of the
    // equation left in the user data by an earlier run goes first.
    CSolverModel* AddSelectedSolver(const char* equation)
    {
        if (const int old = model->FindSolverModel(equation); old >= 0)
            model->DeleteSolverModel(old);
        if (doc->AddSolverModel(equation, "") != 0)
            return nullptr;
        CSolverModel* solver =
            model->m_UserDefinitions.GetSolverModel(model->FindSolverModel(equation));
        solver->m_dMinimum = -10;
        solver->m_dMaximum = 10;
        frame->InsertExplorerItem(ItemSolverModel, equation, TRUE);
        Pump();
        return solver;
    }
    void TypeInto(int row, int column, const char* text)
    {
        TypeIntoCell(Grid(), row, column, text);
    }
    void Command(UINT nID)
    {
        frame->SendMessage(WM_COMMAND, nID);
        Pump();
    }

    CMainFrame* frame = nullptr;
    CMyDocument* doc = nullptr;
    CGridView* view = nullptr;
    ProjectModel* model = nullptr;
};

TEST_F(DataViewWin, TypedCellsAreTakenRewrittenRefusedOrAnswered)
{
    ScriptedModalHook hook;
    CDataColumn* list = AddList("Prices", {1, 2});
    EXPECT_STREQ(Grid().GetItemText(0, 1), "Prices");
    EXPECT_STREQ(Grid().GetItemText(2, 0), "2") << "rows are numbered";

    TypeInto(1, 1, "2*pi");
    EXPECT_EQ(list->GetValue(1), 2 * 3.14159265358979323846);
    EXPECT_STREQ(Grid().GetItemText(1, 1), "6.28318530717959");

    // The next free row takes an entry, and the row after it becomes the next free one.
    EXPECT_NE(Grid().GetCell(4, 1)->GetBackColour(), view->GetOptions().crEditable);
    TypeInto(3, 1, "7");
    EXPECT_EQ(list->GetCount(), 3);
    EXPECT_EQ(Grid().GetCell(4, 1)->GetBackColour(), view->GetOptions().crEditable);

    TypeInto(2, 1, "#1");
    EXPECT_STREQ(Grid().GetItemText(2, 1), "#" + GetErrorText(ErrInvalidCharacter) + "!")
        << "a refusal's text is never input, and the cell says so";
    TypeInto(2, 1, "1/0");
    EXPECT_EQ(Grid().GetItemText(2, 1).Left(1), CString("#")) << "answered in the cell";
    EXPECT_EQ(list->GetValue(2), 2);

    // A cell past the list takes no editor at all.
    TypeInto(6, 1, "5");
    EXPECT_EQ(list->GetCount(), 3);
    EXPECT_STREQ(Grid().GetItemText(6, 1), "");
    EXPECT_TRUE(hook.messages.empty());
}

TEST_F(DataViewWin, RetypingACellThatShowsARefusalTakesTheNewInput)
{
    ScriptedModalHook hook;
    // User functions outlive projects: this test's own names go first.
    for (const char* name : {"gz", "hz"})
        if (const int old = FindUserFunction(name); old >= 0)
            DeleteUserFunction(old);
    doc->OnSelectItem(ItemUserFunctions, "Functions", 4545);
    Pump();
    const int row = GetUserFunctionCount() + 1; // the new-entry row
    // Types a refused input into a cell, then clicks the cell: its editor opens on the input.
    const auto refuseAndReopen = [&](int r, int c, const char* input) {
        TypeInto(r, c, input);
        EXPECT_EQ(Grid().GetItemText(r, c).Left(1), CString("#")) << input;
        Click(Grid(), CellCentre(Grid(), r, c));
        Pump();
        EXPECT_STREQ(EditorText(Grid()), input);
    };
    const auto definition = [](const char* name) {
        const int found = FindUserFunction(name);
        return found < 0 ? CString("(none)") : GetUserFunctionDefinition(found);
    };

    // The input all selected; Escape leaves the message; typing replaces the input.
    refuseAndReopen(row, 1, "gz(a = a+");
    const CString refusal = Grid().GetItemText(row, 1);
    CWnd* pEditor = Grid().GetDlgItem(IDC_GRID_INPLACE_EDIT);
    ASSERT_NE(pEditor, nullptr);
    DWORD from = 1, to = 0;
    pEditor->SendMessage(EM_GETSEL, WPARAM(&from), LPARAM(&to));
    EXPECT_EQ(from, 0u);
    EXPECT_EQ(to, DWORD(std::strlen("gz(a = a+")));
    Type(Grid(), "\x1b");
    EXPECT_STREQ(Grid().GetItemText(row, 1), refusal);
    // A double click opens it alike: the second press lands on the editor the first one opened.
    const CPoint at = CellCentre(Grid(), row, 1);
    const auto press = [](HWND hWnd, CPoint point) {
        ::PostMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
        ::PostMessageA(hWnd, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
        Pump();
    };
    const auto selection = [&] {
        DWORD first = 1, last = 0;
        Grid()
            .GetDlgItem(IDC_GRID_INPLACE_EDIT)
            ->SendMessage(EM_GETSEL, WPARAM(&first), LPARAM(&last));
        return std::make_pair(first, last);
    };
    press(Grid().m_hWnd, at);
    pEditor = Grid().GetDlgItem(IDC_GRID_INPLACE_EDIT);
    ASSERT_NE(pEditor, nullptr);
    CRect editor;
    pEditor->GetWindowRect(&editor);
    Grid().ScreenToClient(&editor);
    const CPoint inEditor(at.x - editor.left, at.y - editor.top);
    press(pEditor->m_hWnd, inEditor);
    EXPECT_EQ(selection(), std::make_pair(0ul, DWORD(std::strlen("gz(a = a+"))))
        << "the double click selects the input as F2 does";
    ::Sleep(::GetDoubleClickTime() + 100);
    press(pEditor->m_hWnd, CPoint(2, inEditor.y));
    EXPECT_EQ(selection().first, selection().second) << "a later click places the caret";
    Type(Grid(), "\x1b");
    Click(Grid(), CellCentre(Grid(), row, 1));
    Pump();
    Type(Grid(), "gz(a) = a+1\r");
    EXPECT_STREQ(definition("gz"), "gz(a) = a+1") << Grid().GetItemText(row, 1).GetString();

    // A character typed over a message starts the input afresh.
    TypeInto(row + 1, 1, "hz(a) = (");
    EXPECT_EQ(Grid().GetItemText(row + 1, 1).Left(1), CString("#"));
    TypeInto(row + 1, 1, "hz(a) = 2*a");
    EXPECT_STREQ(definition("hz"), "hz(a) = 2*a") << Grid().GetItemText(row + 1, 1).GetString();

    // The solver model's grid: a value that is no number, then the number.
    if (const int old = model->FindSolverModel("q=w*2"); old >= 0)
        model->DeleteSolverModel(old);
    ASSERT_EQ(doc->AddSolverModel("q=w*2", ""), 0);
    frame->InsertExplorerItem(ItemSolverModel, "q=w*2", TRUE);
    Pump();
    CSolverModel* solver = model->m_UserDefinitions.GetSolverModel(model->FindSolverModel("q=w*2"));
    refuseAndReopen(3, 2, "w+");
    Type(Grid(), "5\r");
    EXPECT_EQ(solver->GetVariableValue(0), 5);
    EXPECT_STREQ(Grid().GetItemText(3, 2), "5");
    for (const char* name : {"gz", "hz"})
        DeleteUserFunction(FindUserFunction(name));
    EXPECT_TRUE(hook.messages.empty());
}

TEST_F(DataViewWin, DeletingRowsAndColumnsKeepsTheUsersPlaceAndDropsTheSelection)
{
    auto* table = new CDataTable;
    table->Create(TableLayoutXY, 0, 1000);
    for (int i = 0; i < 1000; ++i)
        table->SetCell(0, i, i + 1);
    table->SetName("Long");
    doc->AddResultItem(ItemDataTable, table);
    Pump();
    // Half way down, the user clicks a value and picks Delete Row from the context menu.
    Grid().SetScrollPos32(SB_VERT, Grid().GetRowHeight(1) * 500);
    const int top = Grid().GetTopleftNonFixedCell(TRUE).row;
    Click(Grid(), CellCentre(Grid(), top + 3, 1));
    ASSERT_TRUE(Grid().IsCellSelected(top + 3, 1));
    view->SendMessage(WM_COMMAND, ID_GRID_DELETE_ROW);
    Pump();
    EXPECT_EQ(table->GetRowCount(), 999);
    EXPECT_STREQ(Grid().GetItemText(top + 3, 1), GridNumberText(top + 4));
    EXPECT_EQ(Grid().GetTopleftNonFixedCell(TRUE).row, top) << "the view stays where it was";
    EXPECT_EQ(Grid().GetSelectedCount(), 0) << "no highlight on the row that moved up";
    EXPECT_EQ(Grid().GetFocusCell(), CCellPos(top + 3, 1)) << "the next Delete Row goes on";
    // Selecting another item starts it at its first cell.
    AddList("Short", {1, 2});
    EXPECT_EQ(Grid().GetTopleftNonFixedCell(TRUE), CCellPos(1, 1));

    auto* matrix = new CMatrixObject;
    matrix->SetName("M");
    matrix->Resize(3, 3, FALSE);
    matrix->SetAt(1, 3, 13);
    doc->AddResultItem(ItemMatrix, matrix);
    Pump();
    Click(Grid(), CellCentre(Grid(), 1, 2));
    view->SendMessage(WM_COMMAND, ID_GRID_DELETE_COLUMN);
    Pump();
    EXPECT_EQ(matrix->GetColumnCount(), 2);
    EXPECT_STREQ(Grid().GetItemText(1, 2), "13");
    EXPECT_EQ(Grid().GetSelectedCount(), 0);
}

TEST_F(DataViewWin, ColumnWidthsDraggedByTheMouseAreKeptPerKind)
{
    AddList("L", {1});
    CRect header;
    Grid().GetCellRect(0, 1, header);
    const auto drag = [&](int xTo) {
        const int x = header.right - 1, y = header.top + 5;
        Grid().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        Grid().SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(x, y));
        Grid().SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(xTo, y));
        Grid().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(xTo, y));
        Pump();
    };
    drag(header.right + 39);
    const DWORD kept = model->m_ViewLayouts[ItemList][ViewLayout::FirstColumnWidth];
    EXPECT_EQ(int(kept), Grid().GetColumnWidth(1));
    EXPECT_GT(int(kept), header.Width() + 30);
    Grid().GetCellRect(0, 1, header);
    drag(header.left + 5); // 5 pixels wide: not remembered
    EXPECT_EQ(model->m_ViewLayouts[ItemList][ViewLayout::FirstColumnWidth], kept);

    AddList("Other", {2}); // the next list shows the kept width
    EXPECT_EQ(Grid().GetColumnWidth(1), int(kept));

    // The numbered column is as wide as its widest number, as measuring every row makes it.
    model->m_Lists.back()->SetCount(1000);
    doc->RefreshGrid();
    const int numbers = Grid().GetColumnWidth(0);
    Grid().AutoSizeColumn(0, 0, FALSE);
    EXPECT_EQ(Grid().GetColumnWidth(0), numbers);
    EXPECT_GT(numbers, 30);
}

TEST_F(DataViewWin, CalculateSolvesForItsRowsVariable)
{
    ScriptedModalHook hook;
    CSolverModel* solver = AddSelectedSolver("x^2=a");
    ASSERT_NE(solver, nullptr);
    solver->SetVariable(1, "a", 4);
    ASSERT_NE(dynamic_cast<CGridBtnCell*>(Grid().GetCell(3, 3)), nullptr);
    ASSERT_NE(dynamic_cast<CGridBtnCell*>(Grid().GetCell(4, 3)), nullptr);
    EXPECT_EQ(dynamic_cast<CGridBtnCell*>(Grid().GetCell(5, 3)), nullptr);

    Click(Grid(), CellCentre(Grid(), 3, 3));
    Pump();
    EXPECT_NEAR(solver->GetVariableValue(0), -2, 1e-6);
    EXPECT_NE(WorkspaceText().Find("Solutions found: 2"), -1) << WorkspaceText().GetString();

    // A solve that finds nothing says why, whole, where the solutions would have been listed.
    solver->SetVariable(1, "a", -1);
    Click(Grid(), CellCentre(Grid(), 3, 3));
    Pump();
    const CString why = "No solutions found: no sign change in 200 steps from -10 to 10. Narrow "
                        "Min and Max, or raise Steps.";
    EXPECT_STREQ(Grid().GetItemText(3, 2), why);
    const CString failed = "' Solver solution\r\nEquation: x^2=a\r\nSolving for: x\r\n"
                           "Given parameters: \r\n    a = -1\r\nSolutions found: None\r\n" +
                           why + "\r\n";
    EXPECT_EQ(WorkspaceText().Right(failed.GetLength()), failed) << WorkspaceText().GetString();
    EXPECT_TRUE(hook.messages.empty()) << "no box";

    // A new model at the default settings searches -1e300 .. 1e300 and finds both roots.
    const DocumentSettings defaults;
    model->m_Settings.dSolverMin = defaults.dSolverMin;
    model->m_Settings.dSolverMax = defaults.dSolverMax;
    model->m_Settings.nSolverSteps = defaults.nSolverSteps;
    model->m_Settings.nSolverDecimals = defaults.nSolverDecimals;
    if (const int old = model->FindSolverModel("x^2=2"); old >= 0)
        model->DeleteSolverModel(old);
    ASSERT_EQ(doc->AddSolverModel("x^2=2", ""), 0);
    frame->InsertExplorerItem(ItemSolverModel, "x^2=2", TRUE);
    Pump();
    EXPECT_STREQ(Grid().GetItemText(3, 5), "-1e+300");
    Click(Grid(), CellCentre(Grid(), 3, 3));
    Pump();
    EXPECT_EQ(Grid().GetItemText(3, 2).Left(8), CString("-1.41421"));
    EXPECT_NE(WorkspaceText().Find("x = 1.41421"), -1) << WorkspaceText().GetString();
    model->DeleteSolverModel(model->FindSolverModel("x^2=2"));

    // Another kind of item turns the buttons back into plain cells.
    AddList("L", {1});
    EXPECT_EQ(dynamic_cast<CGridBtnCell*>(Grid().GetCell(3, 3)), nullptr);
}

// Calculate writes its report into the workspace, which comes into view beside the model's grid
// whatever showed before, each a useful height: the grid keeps its buttons in sight for the next
// solve, and the model's own arrangement is what selecting it shows again.
TEST_F(DataViewWin, CalculateShowsItsReportBesideTheModelsGrid)
{
    ScriptedModalHook hook;
    CSolverModel* solver = AddSelectedSolver("x^2=b");
    ASSERT_NE(solver, nullptr);
    CView* workspace = frame->GetWorkspaceView();
    ASSERT_EQ(model->m_ViewLayouts[ItemSolverModel][ViewLayout::Mask], ViewWorkspace | ViewGrid);
    const UINT all = View2DPlot | View3DPlot | ViewWorkspace | ViewGrid;
    struct Case {
        UINT command; // how the user arranged the panes before: a tab, or Toggle Views
        double b;
        const char* lastLine;
        UINT shown; // after Calculate
    };
    const Case cases[] = {
        {ID_VIEW_SHOW_GRID, 4, "    x = 2", ViewWorkspace | ViewGrid},
        {ID_VIEW_SHOW_GRID, -1, "raise Steps.", ViewWorkspace | ViewGrid},
        {ID_VIEW_SHOW_ALL, 4, "    x = 2", all},
        {ID_VIEW_TOGGLE_WORKSPACE, -1, "raise Steps.", ViewWorkspace | ViewGrid},
    };
    for (const Case& c : cases) {
        Command(c.command);
        ASSERT_EQ(workspace->IsWindowVisible(), c.shown == all) << c.command;
        const ViewLayout record = model->m_ViewLayouts[ItemSolverModel];
        solver->SetVariable(1, "b", c.b);
        Click(Grid(), CellCentre(Grid(), 3, 3));
        Pump();
        const std::string text = WorkspaceText().GetString();
        const std::string end = std::string(c.lastLine) + "\r\n";
        EXPECT_TRUE(text.size() > end.size() &&
                    text.compare(text.size() - end.size(), end.size(), end) == 0)
            << c.command << ", b = " << c.b << ": the workspace ends \"" << text << "\"";
        EXPECT_EQ(frame->GetViewLayout()[ViewLayout::Mask], c.shown) << c.command;
        EXPECT_TRUE(workspace->IsWindowVisible()) << c.command;
        EXPECT_TRUE(view->IsWindowVisible() && Grid().IsCellVisible(4, 3)) << c.command;
        CRect typed, grid;
        workspace->GetClientRect(&typed);
        view->GetClientRect(&grid);
        const int third = frame->GetPaneAreaHeight() / 3 - 16; // less borders and bar
        if (c.shown != all) {
            EXPECT_TRUE(typed.Height() >= third && grid.Height() >= third)
                << c.command << ": " << typed.Height() << " and " << grid.Height() << " of "
                << frame->GetPaneAreaHeight();
        }
        EXPECT_EQ(std::memcmp(&record, &model->m_ViewLayouts[ItemSolverModel], sizeof record), 0)
            << c.command << ": the model's arrangement changed";
    }
    // Toggled off, the workspace stays off for the model's next selection.
    AddList("L2", {1});
    model->SelectItemByName(ItemSolverModel, "x^2=b");
    Pump();
    ASSERT_EQ(model->GetSelectedKind(), ItemSolverModel);
    EXPECT_FALSE(workspace->IsWindowVisible());
    Command(ID_VIEW_TOGGLE_WORKSPACE);
    model->DeleteSolverModel(model->FindSolverModel("x^2=b"));
    EXPECT_TRUE(hook.messages.empty()) << "no box";
}

TEST_F(DataViewWin, TheContextMenuFollowsTheKind)
{
    struct Case {
        int kind;
        std::vector<UINT> items;
    };
    const Case cases[] = {
        {ItemList, {ID_GRID_INSERT_ROW, ID_GRID_DELETE_ROW}},
        {ItemMatrix,
         {ID_GRID_INSERT_ROW, ID_GRID_INSERT_COLUMN, ID_GRID_DELETE_ROW, ID_GRID_DELETE_COLUMN}},
        {ItemExpressionVariables, {ID_GRID_DELETE_ITEM}},
        {ItemPredefinedUnits, {ID_GRID_ADD_TO_FAVORITES}},
        {ItemUserUnits, {ID_GRID_ADD_TO_FAVORITES, ID_GRID_DELETE_ITEM}},
        {Item3DGraph, {ID_GRID_CUT, ID_GRID_COPY, ID_GRID_PASTE, ID_GRID_SEND_TO_WORKSPACE}},
    };
    for (const Case& c : cases) {
        CMenu* pMenu = view->GetContextSubMenu(c.kind);
        ASSERT_NE(pMenu, nullptr) << c.kind;
        ASSERT_EQ(pMenu->GetMenuItemCount(), int(c.items.size())) << c.kind;
        for (std::size_t i = 0; i < c.items.size(); ++i)
            EXPECT_EQ(pMenu->GetMenuItemID(int(i)), c.items[i]) << c.kind;
    }
    CPoint corner(5, 5);
    view->ClientToScreen(&corner);
    view->GetGrid().SetFocusCell(-1, -1);
    EXPECT_EQ(view->ContextMenuPoint(CPoint(-1, -1)), corner) << "keyboard (Shift+F10)";
    EXPECT_EQ(view->ContextMenuPoint(CPoint(300, 200)), CPoint(300, 200));
    // With a focus cell, the keyboard's menu opens below it.
    view->GetGrid().SetFocusCell(2, 1);
    CRect cell;
    ASSERT_TRUE(view->GetGrid().GetCellRect(2, 1, &cell));
    CPoint below(cell.left, cell.bottom);
    view->GetGrid().ClientToScreen(&below);
    EXPECT_EQ(view->ContextMenuPoint(CPoint(-1, -1)), below);
}

TEST_F(DataViewWin, CutCopiesOnlyAndDeleteRemovesTheEntry)
{
    model->m_Engine.DefineVariable("speed", 1.5, false);
    model->m_Engine.DefineVariable("mass", 2, false);
    doc->OnSelectItem(ItemVariables, "Variables", 4242);
    Pump();
    Grid().SetFocus();
    Click(Grid(), CellCentre(Grid(), 1, 2));
    view->SendMessage(WM_COMMAND, ID_EDIT_CUT);
    EXPECT_EQ(GetClipboardText(), "1.5");
    EXPECT_STREQ(Grid().GetItemText(1, 2), "1.5");
    EXPECT_EQ(model->m_Engine.GetVariableValue(0), 1.5);

    Click(Grid(), CellCentre(Grid(), 1, 1));
    Press(Grid(), VK_DELETE);
    Pump();
    ASSERT_EQ(model->m_Engine.GetVariableCount(), 1);
    EXPECT_STREQ(Grid().GetItemText(1, 1), "mass");
}

TEST_F(DataViewWin, PastedAndDroppedCellsEnterTheItem)
{
    ScriptedModalHook hook;
    CDataColumn* list = AddList("L", {1});
    Grid().SetFocusCell(1, 1);
    SetClipboardText("0.12345678901234567\t9\r\n3\r\n");
    view->SendMessage(WM_COMMAND, ID_EDIT_PASTE);
    Pump();
    ASSERT_EQ(list->GetCount(), 2);
    EXPECT_EQ(list->GetValue(1), 0.12345678901234567);
    EXPECT_EQ(list->GetValue(2), 3);
    ASSERT_EQ(hook.messages.size(), 1u);
    EXPECT_NE(hook.messages[0].Find("more than one columns"), -1);
    EXPECT_STREQ(Grid().GetItemText(1, 2), "") << "the extra column went with the refill";

    // A drop lands only on a table, list or matrix, and goes the same way.
    EXPECT_TRUE(view->CanAcceptDrop());
    Grid().SetModified(FALSE);
    Grid().SetItemText(3, 1, "8");
    view->OnCellsDropped(CCellBlock(3, 1, 3, 1));
    ASSERT_EQ(list->GetCount(), 3);
    EXPECT_EQ(list->GetValue(3), 8);
    doc->OnSelectItem(ItemVariables, "Variables", 4343);
    EXPECT_FALSE(view->CanAcceptDrop());
}

// With a decimal comma: "1.5" typed into x is refused and stays so when y then makes its row,
// as does an x not typed at all (no x of 0 is stored or plotted), and "7<Tab>1,5" from another
// program pastes two numbers.
TEST_F(DataViewWin, UnderADecimalCommaARefusedCellStaysRefusedAndPastesKeepTheComma)
{
    ScriptedModalHook hook;
    UseCommaSeparators();
    struct Restore {
        ~Restore() { UseDotSeparators(); }
    } restore;
    auto* table = new CDataTable;
    table->Create(TableLayoutXY, 0, 1);
    table->SetName("Comma");
    doc->AddResultItem(ItemDataTable, table);
    Pump();
    TypeInto(2, 1, "1.5");
    const CString refusal = Grid().GetItemText(2, 1);
    EXPECT_EQ(refusal.Left(1), CString("#"));
    TypeInto(2, 2, "3");
    ASSERT_EQ(table->GetRowCount(), 2);
    EXPECT_TRUE(std::isnan(table->GetValue(0, 2))) << table->GetValue(0, 2);
    EXPECT_EQ(table->GetValue(1, 2), 3);
    EXPECT_STREQ(Grid().GetItemText(2, 1), refusal) << "the cell still says why";
    TypeInto(3, 2, "4");
    ASSERT_EQ(table->GetRowCount(), 3);
    EXPECT_TRUE(std::isnan(table->GetValue(0, 3))) << "the new row's x holds nothing";
    EXPECT_STREQ(Grid().GetItemText(3, 1), "");

    Grid().SetFocusCell(4, 1);
    SetClipboardText("7\t1,5\r\n");
    view->SendMessage(WM_COMMAND, ID_EDIT_PASTE);
    Pump();
    ASSERT_EQ(table->GetRowCount(), 4);
    EXPECT_EQ(table->GetValue(0, 4), 7);
    EXPECT_EQ(table->GetValue(1, 4), 1.5);
    EXPECT_TRUE(hook.messages.empty()) << "no extra column";
}

TEST_F(DataViewWin, DataCommandsShowTheEnginesErrorsAndAsk)
{
    ScriptedModalHook hook;
    hook.boxAnswer = IDYES;
    CDataColumn* list = AddList("L", {1, 0});
    const auto runWith = [&](const char* text, UINT nField) {
        hook.next = 0;
        hook.steps = {[=](CWnd* pDialog) {
            pDialog->SetDlgItemText(int(nField), text);
            ClickButton(pDialog, IDOK);
        }};
    };
    runWith("1/x", IDC_TRANSFORM_EXPRESSION);
    Command(ID_DATA_TRANSFORM);
    ASSERT_EQ(hook.messages.size(), 2u); // the question, then the failure
    EXPECT_NE(hook.messages[0].Find("transformed data"), -1);
    EXPECT_STREQ(hook.messages[1], GetErrorText(ErrDivisionByZero));
    EXPECT_EQ(list->GetValue(1), 1);

    hook.messages.clear();
    runWith("x+", IDC_FILL_EXPRESSION);
    hook.steps.push_back([](CWnd* pDialog) { ClickButton(pDialog, IDCANCEL); });
    Command(ID_DATA_FILL);
    ASSERT_EQ(hook.messages.size(), 1u) << "the field's check, and the dialog stayed open";
    EXPECT_STREQ(hook.messages[0], "The expression you've entered is invalid.");

    hook.messages.clear();
    auto* table = new CDataTable;
    table->Create(TableLayoutXYSig, 0, 2);
    table->SetName("T");
    table->SetCell(2, 0, 0.5);
    doc->AddResultItem(ItemDataTable, table);
    hook.boxAnswer = IDNO;
    Command(ID_DATA_ERROR_COLUMN);
    EXPECT_EQ(table->GetColumnCount(), 3);
    ASSERT_EQ(hook.messages.size(), 1u);

    hook.messages.clear();
    table->SetLayout(TableLayoutRagged);
    table->GetColumn(0)->SetCount(5);
    hook.next = 0;
    hook.steps = {[](CWnd* pDialog) { ClickButton(pDialog, IDOK); }};
    Command(ID_DATA_SORT_DESCENDING);
    ASSERT_EQ(hook.messages.size(), 1u);
    EXPECT_STREQ(hook.messages[0], GetErrorText(ErrInvalidData));

    // The sort dialog opens at the order of its command; the order chosen there holds.
    auto* pairs = new CDataTable;
    pairs->Create(TableLayoutXY, 0, 2);
    pairs->SetName("Pairs");
    pairs->SetCell(0, 0, 1); // rows from 0 here
    pairs->SetCell(1, 0, 10);
    pairs->SetCell(0, 1, 2);
    pairs->SetCell(1, 1, 20);
    doc->AddResultItem(ItemDataTable, pairs);
    struct Case {
        UINT command;
        int shown;  // the order button checked on opening
        int chosen; // the order button clicked before OK, or 0
        double firstX, firstY;
    };
    for (const Case& c : std::initializer_list<Case>{
             {ID_DATA_SORT_DESCENDING, IDC_SORT_DESCENDING, 0, 2, 20},
             {ID_DATA_SORT_ASCENDING, IDC_SORT_ASCENDING, 0, 1, 10},
             {ID_DATA_SORT_ASCENDING, IDC_SORT_ASCENDING, IDC_SORT_DESCENDING, 2, 20},
             {ID_DATA_SORT_DESCENDING, IDC_SORT_DESCENDING, IDC_SORT_ASCENDING, 1, 10},
         }) {
        int shown = 0;
        hook.next = 0;
        hook.steps = {[&](CWnd* pDialog) {
            for (int id : {IDC_SORT_ASCENDING, IDC_SORT_DESCENDING})
                if (pDialog->IsDlgButtonChecked(id))
                    shown = shown ? -1 : id;
            if (c.chosen)
                pDialog->GetDlgItem(c.chosen)->SendMessage(BM_CLICK);
            ClickButton(pDialog, IDOK);
        }};
        Command(c.command);
        EXPECT_EQ(shown, c.shown) << c.command << " " << c.chosen;
        EXPECT_EQ(pairs->GetValue(0, 1), c.firstX) << c.command << " " << c.chosen;
        EXPECT_EQ(pairs->GetValue(1, 1), c.firstY) << "rows stay paired";
        EXPECT_EQ(pairs->GetValue(0, 2), 3 - c.firstX) << c.command << " " << c.chosen;
    }
    EXPECT_EQ(hook.messages.size(), 1u);
}

TEST_F(DataViewWin, TheMatrixDialogKeepsRefusedFieldsOpen)
{
    ScriptedModalHook hook;
    for (const char* name : {"Matrix1", "matrix2"}) {
        auto* matrix = new CMatrixObject;
        matrix->SetName(name);
        doc->AddResultItem(ItemMatrix, matrix);
    }
    CString proposed;
    HWND hFocus = nullptr;
    hook.steps = {
        [&](CWnd* pDialog) {
            pDialog->GetDlgItemText(IDC_MATRIX_NAME, proposed);
            pDialog->SetDlgItemText(IDC_MATRIX_ROWS, "0");
            pDialog->SetDlgItemText(IDC_MATRIX_COLUMNS, "3");
            ClickButton(pDialog, IDOK);
        },
        [&](CWnd* pDialog) {
            hFocus = ::GetFocus();
            EXPECT_EQ(hFocus, ::GetDlgItem(pDialog->m_hWnd, IDC_MATRIX_ROWS));
            pDialog->SetDlgItemText(IDC_MATRIX_ROWS, "2");
            ClickButton(pDialog, IDOK);
        },
    };
    Command(ID_DATA_ADD_MATRIX);
    EXPECT_STREQ(proposed, "Matrix3");
    ASSERT_EQ(hook.messages.size(), 1u);
    EXPECT_STREQ(hook.messages[0], "The number of rows and of columns must be greater than zero.");
    ASSERT_EQ(model->m_Matrices.size(), 3u);
    EXPECT_EQ(model->m_Matrices[2]->GetRowCount(), 2);
    EXPECT_EQ(model->m_Matrices[2]->GetColumnCount(), 3);
}

TEST_F(DataViewWin, RemovingAsksFirst)
{
    ScriptedModalHook hook;
    AddList("Keep", {1});
    hook.steps = {[](CWnd* pDialog) { ClickButton(pDialog, IDNO); }};
    Command(ID_DATA_REMOVE);
    EXPECT_EQ(model->m_Lists.size(), 1u);
    hook.next = 0;
    hook.steps = {[](CWnd* pDialog) { ClickButton(pDialog, IDYES); }};
    Command(ID_DATA_REMOVE_LIST);
    EXPECT_TRUE(model->m_Lists.empty());
}

TEST_F(DataViewWin, ResultsAreLoggedOnOkOnly)
{
    ScriptedModalHook hook;
    CAnalysisResult result;
    result.SetTitle("Area");
    result.AddNumber("Area = ", 2.5);
    frame->SetViewMask(ViewGrid);
    model->m_Settings.nLogOutput = 0;
    int rows = 0;
    CString caption;
    hook.steps = {[&](CWnd* pDialog) {
        auto* pResults = static_cast<CResultsDlg*>(pDialog);
        rows = pResults->GetGrid().GetRowCount();
        pDialog->GetWindowText(caption);
        EXPECT_FALSE(pDialog->IsDlgButtonChecked(IDC_RESULTS_LOG));
        // Copy with no cell chosen takes the whole report, rows ended as Windows programs expect.
        ClickButton(pDialog, IDC_RESULTS_COPY);
        const CGridCtrl& grid = pResults->GetGrid();
        EXPECT_EQ(GetClipboardText(),
                  std::string("Area\t\r\nArea = \t") + grid.GetItemText(2, 1).GetString());
        EXPECT_EQ(grid.GetItemText(2, 1).Left(3), CString("2.5"));
        // A double click in the results grid types nothing into the workspace.
        const CPoint at = CellCentre(pResults->GetGrid(), 1, 1);
        pResults->GetGrid().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
        pDialog->CheckDlgButton(IDC_RESULTS_LOG, BST_CHECKED);
        ClickButton(pDialog, IDOK);
    }};
    const CString before = WorkspaceText();
    doc->ShowResults(result);
    Pump();
    EXPECT_STREQ(caption, "Area");
    EXPECT_GE(rows, 4);
    EXPECT_EQ(model->m_Settings.nLogOutput, 1);
    EXPECT_EQ(CRegistryProfileStore().GetInt("DataAnalysis", "LogOutput", -1), 1);
    EXPECT_NE(WorkspaceText().Find("' Area"), -1);
    EXPECT_EQ(WorkspaceText().Find("' Area"), WorkspaceText().ReverseFind('\'')) << "typed once";
    EXPECT_TRUE(frame->GetViewLayout()[ViewLayout::Mask] & ViewWorkspace) << "121 showed it";
    EXPECT_EQ(WorkspaceText().Find(before), 0);

    const CString logged = WorkspaceText();
    hook.next = 0;
    hook.steps = {[](CWnd* pDialog) { pDialog->SendMessage(WM_COMMAND, IDCANCEL); }};
    doc->ShowResults(result);
    Pump();
    EXPECT_STREQ(WorkspaceText(), logged) << "Escape logs nothing";
}

TEST_F(DataViewWin, DoubleClickTypesTheEntryIntoTheWorkspace)
{
    doc->OnSelectItem(ItemPredefinedUnits, "Units", 4444);
    Pump();
    int row = 1;
    while (row < Grid().GetRowCount() && Grid().GetItemText(row, 3) != "0.001")
        ++row;
    ASSERT_LT(row, Grid().GetRowCount()) << "a unit of factor 0.001";
    Grid().EnsureVisible(row, 1);
    Grid().SetFocus();
    const CPoint at = CellCentre(Grid(), row, 1);
    Click(Grid(), at);
    Grid().SendMessage(WM_LBUTTONDBLCLK, MK_LBUTTON, MAKELPARAM(at.x, at.y));
    Grid().SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(at.x, at.y));
    Pump();
    EXPECT_NE(WorkspaceText().Find("*0.001"), -1) << WorkspaceText().GetString();
}

TEST_F(DataViewWin, TheDataAnalysisPageStoresItsBoxesAndRefusesNoIterations)
{
    ScriptedModalHook hook;
    model->m_Settings.nAnalysisOptions = 2000;
    CString active;
    const auto page = [](CWnd* pWnd) {
        auto* pSheet = dynamic_cast<CPropertySheet*>(pWnd);
        return pSheet ? pSheet->GetActivePage() : nullptr;
    };
    hook.steps = {
        [&](CWnd* pWnd) {
            CPropertyPage* p = page(pWnd);
            ASSERT_NE(p, nullptr);
            active = p->GetRuntimeClass()->m_lpszClassName;
            EXPECT_TRUE(p->IsDlgButtonChecked(IDC_ANALYSIS_STDDEV)) << "16 of 2000";
            EXPECT_FALSE(p->IsDlgButtonChecked(IDC_ANALYSIS_MEAN));
            p->SetDlgItemText(IDC_ANALYSIS_ITERATIONS, "0");
            static_cast<CPropertySheet*>(pWnd)->PressButton(PSBTN_OK);
        },
        [&](CWnd* pWnd) {
            CPropertyPage* p = page(pWnd);
            ASSERT_NE(p, nullptr) << "still open";
            EXPECT_EQ(::GetFocus(), ::GetDlgItem(p->m_hWnd, IDC_ANALYSIS_ITERATIONS));
            p->SetDlgItemText(IDC_ANALYSIS_ITERATIONS, "250");
            static_cast<CPropertySheet*>(pWnd)->PressButton(PSBTN_OK);
        },
    };
    Command(ID_DATA_ANALYSIS_OPTIONS);
    EXPECT_STREQ(active, "CDataAnalysisPage");
    ASSERT_EQ(hook.messages.size(), 1u);
    EXPECT_STREQ(hook.messages[0], "The maximum number of iterations must be between 1 and 10000.");
    // The nine boxes keep what they show: 512 and 1024 of 2000 stay.
    EXPECT_EQ(model->m_Settings.nAnalysisOptions, 2000);
    EXPECT_EQ(model->m_Settings.nMaxIterations, 250);
    CRegistryProfileStore store;
    EXPECT_EQ(store.GetInt("DataAnalysis", "Options", 0), 2000);
    EXPECT_EQ(store.GetInt("DataAnalysis", "MaxIters", 0), 250);
    // Later tests and runs start from the defaults again.
    model->m_Settings.nAnalysisOptions = 2000;
    model->m_Settings.nMaxIterations = 100;
    store.WriteInt("DataAnalysis", "Options", 2000);
    store.WriteInt("DataAnalysis", "MaxIters", 100);
}

} // namespace
