// The project as a user walks it in the real main frame: a table, a list and a matrix made from
// their folders' pop-ups, values typed into the grid, a linear fit, a list's statistics and a
// recent fit re-run from its pop-up; the project saved, File/New leaving nothing of it, and
// opened again with every item under its folder showing its values; panes, caption and tabs
// following the selection and the commands; File/Exit asking as the close box does.
#include "analysis/GridView.h"
#include "engine/EngineErrors.h"
#include "engine/EngineNames.h"
#include "engine/LocaleSeparators.h"
#include "plot/PlotView.h"
#include "res/resource.h"
#include "tests/app_win/ShellTestApp.h"
#include "tests/grid/GridWinTestSupport.h"
#include "tests/support/ScriptedModalHook.h"
#include "ui/SubclassWnd.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>
#include <string>
#include <vector>

namespace {

using Names = std::vector<std::string>;

// The line through the points weighted by deviations of 5 % of y, at x, in closed form.
double WeightedLineAt(const std::vector<double>& px, const std::vector<double>& py, double x)
{
    double sw = 0, sx = 0, sy = 0, sxx = 0, sxy = 0;
    for (std::size_t i = 0; i < px.size(); ++i) {
        const double w = 1 / (0.05 * py[i] * 0.05 * py[i]);
        sw += w, sx += w * px[i], sy += w * py[i], sxx += w * px[i] * px[i];
        sxy += w * px[i] * py[i];
    }
    const double slope = (sw * sxy - sx * sy) / (sw * sxx - sx * sx);
    return (sy - slope * sx) / sw + x * slope;
}

class ProjectScenario : public FreshFrameTest {
protected:
    void SetUp() override
    {
        FreshFrameTest::SetUp();
        grid = &dynamic_cast<CGridView*>(frame->GetGridView())->GetGrid();
        Pump();
    }

    CTreeCtrl& Tree() { return Explorer()->GetTree(); }
    HTREEITEM Folder(int slot) { return Explorer()->GetFolder(slot); }
    // Right-clicks a folder and chooses its pop-up's first command, as the user would.
    UINT ChooseFromFolderMenu(int slot)
    {
        const UINT nID = RightClickAt(PointOf(Folder(slot)));
        Command(nID, Explorer());
        return nID;
    }
    // Enter in the label editor a new item opens with.
    void KeepTheProposedName()
    {
        Tree().SendMessage(TVM_ENDEDITLABELNOW, FALSE);
        Pump();
    }
    void Select(HTREEITEM hItem)
    {
        Tree().SelectItem(hItem);
        Pump();
    }
    void TypeInto(int row, int column, const char* text) { TypeIntoCell(*grid, row, column, text); }
    // The table menu's "Recent Fits" pop-up and its place there.
    HMENU RecentFits(int& nPos)
    {
        HMENU hTable = frame->GetContextMenuForType(ItemDataTable)->m_hMenu;
        nPos = 0;
        while (nPos < ::GetMenuItemCount(hTable) &&
               ::GetMenuItemID(::GetSubMenu(hTable, nPos), 0) != ID_RECENT_FIT_FIRST)
            ++nPos;
        return ::GetSubMenu(hTable, nPos);
    }
    // The items of the table menu's "Recent Fits" pop-up as it opens, "-" before a disabled one.
    std::string RecentFitsAsTheyOpen()
    {
        int nPos = 0;
        HMENU hRecent = RecentFits(nPos);
        Explorer()->SendMessage(WM_INITMENUPOPUP, WPARAM(hRecent), nPos);
        std::string items;
        for (int i = 0; i < ::GetMenuItemCount(hRecent); ++i) {
            MENUITEMINFOA info = {};
            info.cbSize = sizeof info;
            info.fMask = MIIM_DATA | MIIM_STATE;
            ::GetMenuItemInfoA(hRecent, UINT(i), TRUE, &info);
            const CMenuItemData* pRecord = CMenuItemData::FromItemData(info.dwItemData);
            items += std::string(info.fState & MFS_DISABLED ? "-" : "") +
                     (pRecord ? pRecord->GetAnsiText().GetString() : "(plain)") + ";";
        }
        return items;
    }
    std::string Cell(int row, int column) { return grid->GetItemText(row, column).GetString(); }
    // The project saved under the test folder's file, File/New, and the file opened again.
    bool SaveNewAndOpen(const char* file)
    {
        const std::string path = TestFolder() + file;
        if (!doc->OnSaveDocument(path.c_str()))
            return false;
        Command(ID_FILE_NEW);
        const bool bOpened = TestApp().OpenDocumentFile(path.c_str()) != nullptr;
        Pump();
        return bOpened;
    }
    // The last fitted curve at x.
    double FittedAt(double x)
    {
        const CFunctionPlot& line =
            *model->m_DataPlot.GetItem(model->m_DataPlot.GetItemCount() - 1);
        model->m_Engine.SetExpression(line.GetExpression());
        EXPECT_EQ(model->m_Engine.Parse(), 0);
        g_IndependentVariables[0].dValue = x;
        return model->m_Engine.Evaluate();
    }
    std::string Caption() { return frame->GetTabBar().GetCaption().GetString(); }

    CDataGridCtrl* grid = nullptr;
};

TEST_F(ProjectScenario, ItemsMadeFromTheirFoldersLiveThroughSaveNewAndOpen)
{
    ScriptedModalHook hook;
    EXPECT_EQ(ChooseFromFolderMenu(SlotDataTables), UINT(ID_DATA_ADD_TABLE));
    KeepTheProposedName();
    EXPECT_EQ(ChildTexts(Folder(SlotDataTables)), Names{"Table1"});
    EXPECT_EQ(Caption(), "Table: Table1");
    const char* table[][2] = {{"1", "2.1"}, {"2", "3.9"}, {"3", "6.2"}, {"4", "7.8"}};
    for (int r = 0; r < 4; ++r)
        for (int c = 0; c < 2; ++c)
            TypeInto(r + 1, c + 1, table[r][c]);
    HTREEITEM hTable = Tree().GetSelectedItem();

    EXPECT_EQ(ChooseFromFolderMenu(SlotLists), UINT(ID_DATA_ADD_LIST_CONTEXT));
    KeepTheProposedName();
    for (const char* v : {"3", "5", "7"})
        TypeInto(model->m_Lists[0]->GetCount() + 1, 1, v);
    HTREEITEM hList = Tree().GetSelectedItem();

    hook.steps = {[](CWnd* pDialog) {
        pDialog->SetDlgItemText(IDC_MATRIX_ROWS, "2");
        pDialog->SetDlgItemText(IDC_MATRIX_COLUMNS, "2");
        ClickButton(pDialog, IDOK);
    }};
    EXPECT_EQ(ChooseFromFolderMenu(SlotMatrices), UINT(ID_DATA_ADD_MATRIX));
    EXPECT_EQ(ChildTexts(Folder(SlotMatrices)), Names{"Matrix1"});
    TypeInto(1, 1, "1");
    TypeInto(2, 2, "4");

    // A linear fit of the table, from its menu: a data graph under "Data Graphs".
    Select(hTable);
    Command(ID_FIT_LINE, Explorer());
    ASSERT_EQ(ChildTexts(Folder(SlotDataGraphs)).size(), 1u);
    EXPECT_EQ(model->GetSelectedKind(), ItemDataGraph);

    // The list's statistics in the results dialog.
    Select(hList);
    CString shown;
    hook.next = 0;
    hook.steps = {[&](CWnd* pDialog) {
        pDialog->GetWindowText(shown);
        ClickButton(pDialog, IDOK);
    }};
    Command(ID_DATA_ANALYZE_LIST, Explorer());
    EXPECT_STREQ(shown, "List Analysis");

    // The recent fits: none yet, then the model fitted before, which runs again on the table.
    Select(hTable);
    EXPECT_EQ(RecentFitsAsTheyOpen(), "-(&none);");
    model->RememberRecentFit({"Mine", "Line & offset", "a*x+b", "", ""});
    // The name with a letter to choose it by, which the pop-up answers.
    EXPECT_EQ(RecentFitsAsTheyOpen(), "&Line && offset;");
    int nPos = 0;
    EXPECT_EQ(
        Explorer()->SendMessage(WM_MENUCHAR, MAKEWPARAM('L', MF_POPUP), LPARAM(RecentFits(nPos))),
        MAKELRESULT(0, MNC_EXECUTE));
    Command(ID_RECENT_FIT_FIRST, Explorer());
    EXPECT_EQ(ChildTexts(Folder(SlotDataGraphs)).size(), 2u);
    EXPECT_TRUE(hook.messages.empty()) << hook.messages[0];
    const Names graphs = ChildTexts(Folder(SlotDataGraphs));

    const std::string path = TestFolder() + "walked.zvp";
    ASSERT_TRUE(doc->OnSaveDocument(path.c_str()));
    doc->SetPathName(path.c_str());

    // File/New: nothing of the project is left, in the explorer, the caption or the grid.
    Command(ID_FILE_NEW);
    for (int slot :
         {SlotDataTables, SlotLists, SlotMatrices, SlotDataGraphs, Slot2DGraphs, Slot3DGraphs})
        EXPECT_TRUE(ChildTexts(Folder(slot)).empty()) << slot;
    EXPECT_EQ(Tree().GetSelectedItem(), nullptr);
    EXPECT_EQ(model->GetSelectedKind(), ItemNone);
    EXPECT_EQ(Caption(), AfxGetAppName());
    EXPECT_EQ(Texts(*grid, 0, 0, 4, 3), "|||/|||/|||/|||/|||");

    // Opened again: every item under its folder, each showing its values when selected.
    ASSERT_NE(TestApp().OpenDocumentFile(path.c_str()), nullptr);
    Pump();
    EXPECT_EQ(ChildTexts(Folder(SlotDataGraphs)), graphs);
    struct Shown {
        int slot, row, column;
        const char *value, *caption;
    };
    for (const Shown& s : {Shown{SlotDataTables, 4, 2, "7.8", "Table: Table1"},
                           Shown{SlotLists, 3, 1, "7", "List: List1"},
                           Shown{SlotMatrices, 2, 2, "4", "Matrix: Matrix1"}}) {
        ASSERT_EQ(ChildTexts(Folder(s.slot)).size(), 1u) << s.caption;
        Select(Tree().GetChildItem(Folder(s.slot)));
        EXPECT_EQ(Cell(s.row, s.column), s.value) << s.caption;
        EXPECT_EQ(Caption(), s.caption);
    }
    Select(Tree().GetChildItem(Folder(SlotDataGraphs)));
    EXPECT_EQ(Caption(), "Data Graph: " + graphs[0]);
    EXPECT_FALSE(Cell(1, 1).empty()) << "the fit's report";
}

// The table of seven rows typed through the grid's editor as the user types it, x before y
// under a decimal comma and y before x under a decimal point, the x of row 3 and the y of row 4
// refused: each refused cell holds no value, and counts in no point, when the grid is filled
// again (still showing why it was refused), the line fitted, rows copied and pasted, a row
// inserted, and the project saved and opened again.
TEST_F(ProjectScenario, RefusedEntriesStayEmptyThroughRefillFitPasteAndSave)
{
    ScriptedModalHook hook;
    struct Restore {
        ~Restore() { UseDotSeparators(); }
    } restore;
    struct Typed {
        bool bComma;
        const char* cells[14]; // x and y of each row
        const char* shown;
        const char* refused; // as shown with its refusals
    };
    const Typed tables[] = {
        {true,
         {"1", "3,1", "2", "4,9", "1.5", "7,2", "4", "8.8", "5", "11,1", "6", "13,2", "7", "14,8"},
         "1|3,1/2|4,9/|7,2/4|/5|11,1/6|13,2/7|14,8",
         "1|3,1/2|4,9/#Bad number!|7,2/4|#Bad number!/5|11,1/6|13,2/7|14,8"},
        {false,
         {"1", "3.1", "2", "4.9", "1,5", "7.2", "4", "abc", "5", "11.1", "6", "13.2", "7", "14.8"},
         "1|3.1/2|4.9/|7.2/4|/5|11.1/6|13.2/7|14.8",
         "1|3.1/2|4.9/#Bad number!|7.2/4|#Unrecognized function!/5|11.1/6|13.2/7|14.8"},
    };
    const std::string refusal = "#" + std::string(GetErrorText(ErrBadNumber).GetString()) + "!";
    const double atFour = WeightedLineAt({1, 2, 5, 6, 7}, {3.1, 4.9, 11.1, 13.2, 14.8}, 4);

    for (const Typed& t : tables) {
        t.bComma ? UseCommaSeparators() : UseDotSeparators();
        ChooseFromFolderMenu(SlotDataTables);
        KeepTheProposedName();
        const HTREEITEM hTable = Tree().GetSelectedItem();
        for (int r = 0; r < 7; ++r)
            for (const int c : t.bComma ? std::vector<int>{0, 1} : std::vector<int>{1, 0})
                TypeInto(r + 1, c + 1, t.cells[2 * r + c]);
        EXPECT_EQ(Cell(3, 1), refusal);
        EXPECT_EQ(Cell(4, 2), t.bComma ? refusal : "#Unrecognized function!");
        Select(Folder(SlotPredefined));
        Select(hTable);
        EXPECT_EQ(Texts(*grid, 1, 1, 8, 2), std::string(t.refused) + "/|") << t.bComma;

        Command(ID_FIT_LINE, Explorer());
        EXPECT_TRUE(hook.messages.empty()) << hook.messages[0];
        ASSERT_EQ(model->GetSelectedKind(), ItemDataGraph);
        EXPECT_NEAR(FittedAt(4), atFour, 1e-9 * atFour) << t.bComma;
        Select(hTable);
    }

    // The grid's own copy of rows 3 and 4, pasted over rows 1 and 2 and past the last row; a
    // refusal copied leaves its cell empty, and the row inserted moves the refusals away.
    CView* view = frame->GetGridView();
    grid->SetSelectedRange(3, 1, 4, 2);
    Command(ID_EDIT_COPY, view);
    EXPECT_EQ(GetClipboardText(), "#Bad number!\t7.2\r\n4\t#Unrecognized function!");
    for (const int row : {1, 8}) {
        grid->SetFocusCell(row, 1);
        Command(ID_EDIT_PASTE, view);
    }
    grid->SetFocusCell(6, 1);
    Command(ID_GRID_INSERT_ROW, view);
    const char* kPasted = "|7.2/4|/|7.2/4|/5|11.1/|/6|13.2/7|14.8/|7.2/4|/|";
    EXPECT_EQ(Texts(*grid, 1, 1, 11, 2), kPasted);
    EXPECT_TRUE(hook.messages.empty()) << hook.messages[0];

    // Saved, and opened again after File/New: every table as it was left.
    ASSERT_TRUE(SaveNewAndOpen("refused.zvp"));
    const Names names = ChildTexts(Folder(SlotDataTables));
    ASSERT_EQ(names.size(), 2u);
    UseCommaSeparators();
    Select(Tree().GetChildItem(Folder(SlotDataTables)));
    EXPECT_EQ(Texts(*grid, 1, 1, 8, 2), std::string(tables[0].shown) + "/|");
    UseDotSeparators();
    Select(Tree().GetNextSiblingItem(Tree().GetChildItem(Folder(SlotDataTables))));
    EXPECT_EQ(Texts(*grid, 1, 1, 11, 2), kPasted);
    const CDataTable& table = *model->GetSelectedTable();
    EXPECT_TRUE(std::isnan(table.GetValue(1, 2)) && std::isnan(table.GetValue(0, 6)));
}

// A table of eight points typed through the grid, then emptied as the user empties cells: an
// entry refused over a value under a decimal point ("1,5" over 5.9) and under a decimal comma
// ("9.8" over 9,8), the Delete key, an edit erased and ended with Enter, and Edit > Cut. Each
// cell holds nothing from then on: its row has no marker in the table's plot, the line is
// fitted to the three points left, and so the table is saved and opened again; a refusal shows
// why and F2 over it brings back what was typed. Delete closes a list up.
TEST_F(ProjectScenario, EmptiedAndRefusedCellsLeaveNoPointOnScreenInAFitOrAFile)
{
    ScriptedModalHook hook;
    struct Restore {
        ~Restore() { UseDotSeparators(); }
    } restore;
    ChooseFromFolderMenu(SlotDataTables);
    KeepTheProposedName();
    const HTREEITEM hTable = Tree().GetSelectedItem();
    const char* y[] = {"2.1", "3.9", "5.9", "8.2", "9.8", "12.1", "14.2", "15.9"};
    for (int r = 1; r <= 8; ++r) {
        TypeInto(r, 1, std::to_string(r).c_str());
        TypeInto(r, 2, y[r - 1]);
    }
    // Whether the table's plot shows the marker of point (x, y).
    auto& plotView = dynamic_cast<CPlotView&>(*frame->Get2DPlotView());
    const auto marked = [&](double px, double py) {
        Pump();
        const CDibImage image = AfxPrintClientToDib(&plotView.GetPlotWindow(IDC_PLOT_PREVIEW));
        const CPoint p = model->m_PreviewPlot.WorldToPixel(px, py);
        if (p.x < 4 || p.y < 4 || p.x + 4 > image.width || p.y + 4 > image.height)
            return false;
        int black = 0;
        for (int iy = p.y - 4; iy < p.y + 4; ++iy)
            for (int ix = p.x - 4; ix < p.x + 4; ++ix)
                black += image.Pixel(ix, iy) == RGB(0, 0, 0);
        return black >= 56;
    };
    EXPECT_TRUE(marked(3, 5.9));

    TypeInto(3, 2, "1,5");
    EXPECT_EQ(Cell(3, 2), "#Bad number!");
    EXPECT_FALSE(marked(3, 5.9)) << "the refused entry took the value's place";
    EXPECT_TRUE(marked(4, 8.2));
    Press(*grid, VK_F2);
    EXPECT_STREQ(EditorText(*grid), "1,5");
    Type(*grid, "\x1b");
    UseCommaSeparators();
    Select(Folder(SlotPredefined));
    Select(hTable);
    ASSERT_EQ(Cell(5, 2), "9,8");
    TypeInto(5, 2, "9.8");
    EXPECT_EQ(Cell(5, 2), "#Bad number!");
    UseDotSeparators();
    Click(*grid, CellCentre(*grid, 1, 1));
    Press(*grid, VK_DELETE);
    Click(*grid, CellCentre(*grid, 2, 2));
    Press(*grid, VK_F2);
    Type(*grid, "\b\b\b\r");
    Click(*grid, CellCentre(*grid, 6, 1));
    Click(*grid, CellCentre(*grid, 6, 2), MK_SHIFT);
    CView* view = frame->GetGridView();
    Command(ID_EDIT_CUT, view);
    EXPECT_EQ(GetClipboardText(), "6\t12.1");
    const char* kLeft = "|2.1/2|/3|/4|8.2/5|/|/7|14.2/8|15.9/|";
    Select(Folder(SlotPredefined));
    Select(hTable);
    EXPECT_EQ(Texts(*grid, 1, 1, 9, 2),
              "|2.1/2|/3|#Bad number!/4|8.2/5|#Bad number!/|/7|14.2/8|15.9/|");
    EXPECT_FALSE(marked(6, 12.1)) << "Cut took the point";
    EXPECT_TRUE(marked(7, 14.2));

    Command(ID_FIT_LINE, Explorer());
    ASSERT_EQ(model->GetSelectedKind(), ItemDataGraph);
    const double atFive = WeightedLineAt({4, 7, 8}, {8.2, 14.2, 15.9}, 5);
    EXPECT_NEAR(FittedAt(5), atFive, 1e-9 * atFive);

    // A list closes up over a deleted value.
    ChooseFromFolderMenu(SlotLists);
    KeepTheProposedName();
    for (const char* v : {"3", "5", "7"})
        TypeInto(model->m_Lists[0]->GetCount() + 1, 1, v);
    Click(*grid, CellCentre(*grid, 2, 1));
    Press(*grid, VK_DELETE);
    EXPECT_EQ(Texts(*grid, 1, 1, 3, 1), "3/7/");
    EXPECT_TRUE(hook.messages.empty()) << hook.messages[0];

    ASSERT_TRUE(SaveNewAndOpen("emptied.zvp"));
    Select(Tree().GetChildItem(Folder(SlotDataTables)));
    EXPECT_EQ(Texts(*grid, 1, 1, 9, 2), kLeft);
    Select(Tree().GetChildItem(Folder(SlotLists)));
    EXPECT_EQ(Texts(*grid, 1, 1, 3, 1), "3/7/");
}

// The 2-D pane's window, by its control id.
UINT ShownPlot(CMainFrame* frame)
{
    auto* pView = dynamic_cast<CPlotView*>(frame->Get2DPlotView());
    return pView && pView->GetCurrentWindow() ? UINT(pView->GetCurrentWindow()->GetDlgCtrlID()) : 0;
}

TEST_F(ProjectScenario, PanesCaptionAndTabsFollowTheSelectionAndTheCommands)
{
    ScriptedModalHook hook;
    AddLineTable("T", 9);
    EXPECT_EQ(ShownPlot(frame), UINT(IDC_PLOT_PREVIEW));
    EXPECT_EQ(frame->GetTabBar().GetTabs().GetCurSel(), -1) << "two panes: no tab";
    HTREEITEM hTable = Tree().GetSelectedItem();

    // Transform: the grid and the table's plot both show the new values.
    hook.boxAnswer = IDYES;
    hook.steps = {[](CWnd* pDialog) {
        pDialog->SetDlgItemText(IDC_TRANSFORM_EXPRESSION, "x*10");
        ClickButton(pDialog, IDOK);
    }};
    Command(ID_DATA_TRANSFORM);
    EXPECT_EQ(Cell(9, 1), "90");
    EXPECT_EQ(model->m_PreviewPlot.GetItem(0)->GetXMax(), 90);

    // Renamed in place: the caption follows.
    Tree().EditLabel(hTable)->SetWindowText("Sales");
    Tree().SendMessage(TVM_ENDEDITLABELNOW, FALSE);
    Pump();
    EXPECT_EQ(Caption(), "Table: Sales");

    // A surface after the table: the 2-D pane leaves the table for the function plot, and the
    // grid's view point follows a turn from the menu.
    auto* surface = new CSurfacePlot;
    surface->SetExpression("x*y");
    doc->AddResultItem(Item3DGraph, surface);
    Pump();
    EXPECT_EQ(ShownPlot(frame), UINT(IDC_PLOT_FUNCTION));
    const double before = std::stod(Cell(4, 4));
    Command(ID_PLOT3D_ROTATE_LEFT);
    EXPECT_NE(std::stod(Cell(4, 4)), before);
    EXPECT_NEAR(std::stod(Cell(4, 4)), surface->m_dViewTheta * 57.29577951308232, 1e-9);

    // A graph's domain follows a zoom.
    auto* graph = new CFunctionPlot;
    graph->SetDefinition("x^2", "", GraphRectangular, -10, 10);
    doc->AddResultItem(Item2DGraph, graph);
    Pump();
    EXPECT_EQ(Cell(2, 4), "-10");
    Command(ID_PLOT2D_ZOOM_IN, frame->Get2DPlotView());
    EXPECT_NE(Cell(2, 4), "-10");
    EXPECT_DOUBLE_EQ(std::stod(Cell(2, 4)), graph->m_dDomainMin);

    // The tabs follow the panes shown: one pane its tab, all four "All".
    const UINT tabs[][2] = {
        {ID_VIEW_SHOW_GRID, 3}, {ID_VIEW_SHOW_ALL, 4}, {ID_VIEW_SHOW_WORKSPACE, 0}};
    for (const auto& c : tabs) {
        Command(c[0]);
        EXPECT_EQ(frame->GetTabBar().GetTabs().GetCurSel(), int(c[1])) << c[0];
    }

    // A folder without a kind: no cell of the item before shows, nor looks editable.
    Select(hTable);
    Select(Folder(SlotPredefined));
    EXPECT_EQ(Texts(*grid, 0, 0, 3, 3), "|||/|||/|||/|||");
    for (int row = 1; row < 4; ++row)
        EXPECT_NE(grid->GetCell(row, 1)->GetBackColour(),
                  dynamic_cast<CGridView*>(frame->GetGridView())->GetOptions().crEditable)
            << row;
    EXPECT_EQ(Caption(), "Pre-defined");
    EXPECT_EQ(ShownPlot(frame), UINT(IDC_PLOT_FUNCTION));
}

// Presses keys in the first menu the frame opens, once it waits for input.
class KeysInMenu : public CSubclassWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_ENTERIDLE && !bPressed) {
            bPressed = TRUE;
            ::PostMessageA(m_hWnd, WM_KEYDOWN, key, 1);
            ::PostMessageA(m_hWnd, WM_CHAR, WPARAM(std::tolower(int(key))), 1);
            ::PostMessageA(m_hWnd, WM_KEYUP, key, LPARAM(0xC0000001));
        }
        return CSubclassWnd::WindowProc(message, wParam, lParam);
    }
    UINT key = 0;
    BOOL bPressed = FALSE;
};

TEST_F(ProjectScenario, FileExitAsksAsTheCloseBoxDoes)
{
    ScriptedModalHook hook;
    HWND hFrame = frame->m_hWnd;
    doc->AddNewItem(ItemList);
    KeepTheProposedName();

    // Changed, and Cancel to the question: the program and its project stay.
    hook.boxAnswer = IDCANCEL;
    Command(ID_APP_EXIT);
    ASSERT_TRUE(::IsWindow(hFrame));
    ASSERT_EQ(hook.messages.size(), 1u);
    EXPECT_NE(std::string(hook.messages[0]).find("Save changes"), std::string::npos)
        << hook.messages[0];
    EXPECT_EQ(ChildTexts(Folder(SlotLists)), Names{"List1"});

    // Alt+F, X and No: the program ends without saving.
    hook.boxAnswer = IDNO;
    KeysInMenu keys;
    keys.key = 'X';
    keys.AttachHook(hFrame);
    ::PostMessageA(hFrame, WM_SYSKEYDOWN, 'F', LPARAM(1) << 29);
    Pump();
    EXPECT_TRUE(keys.bPressed) << "the File menu opened";
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(hook.messages.size(), 2u);

    // Unchanged: Exit ends the program without a question.
    CloseMainFrame();
    hFrame = MainFrame()->m_hWnd;
    MainFrame()->SendMessage(WM_COMMAND, ID_APP_EXIT);
    Pump();
    EXPECT_FALSE(::IsWindow(hFrame));
    EXPECT_EQ(hook.messages.size(), 2u);
}

} // namespace
