// The program worked from the keyboard alone, in the real main frame: every key goes as its
// messages to the window with the focus and through the message loop, modal loops included.
// A line typed in the workspace, F6 to the explorer, an item's context menu by key and a command
// by its mnemonic, Ctrl+S and Alt+F4; each pane reached with F6 showing the keyboard and
// opening its own context menu; every property sheet keeping the keys on the page it shows,
// whichever way the page changes, and on the field the user was on after Apply.
#include "analysis/GridView.h"
#include "framework/win/CPropertySheet.h"
#include "framework/win/CommonDialogs.h"
#include "framework/win/FrameworkIds.h"
#include "plot/Plot3DView.h"
#include "plot/PlotView.h"
#include "res/resource.h"
#include "tests/app_win/ShellTestApp.h"
#include "tests/grid/GridWinTestSupport.h"
#include "tests/support/ScriptedModalHook.h"
#include "ui/SubclassWnd.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <string>
#include <utility>
#include <vector>

namespace {

using Names = std::vector<std::string>;

// Characters typed, each with the Shift its key needs.
void Type(const char* text)
{
    for (const char* p = text; *p; ++p) {
        const SHORT scan = ::VkKeyScanA(*p);
        Press(UINT(LOBYTE(scan)), (HIBYTE(scan) & 1) ? kShift : 0);
    }
}

// A click of the left button in the middle of a window.
void Click(HWND hWnd)
{
    CRect rect;
    ::GetClientRect(hWnd, &rect);
    const LPARAM at = MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y);
    ::PostMessageA(hWnd, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(hWnd, WM_LBUTTONUP, 0, at);
    Pump();
}

// Watches the pop-up menus a window owns: notes where the first opens and, once it waits for
// input, presses a key in it; a menu the key leaves open (or with no key) is closed.
class MenuKeys : public CSubclassWnd {
public:
    explicit MenuKeys(CWnd* pOwner, UINT key = 0) : m_key(key) { AttachHook(pOwner->m_hWnd); }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_INITMENUPOPUP && !HIWORD(lParam) && !firstCommand)
            firstCommand = ::GetMenuItemID(HMENU(wParam), 0);
        if (message == WM_ENTERIDLE && wParam == MSGF_MENU) {
            if (!bOpened && m_key) {
                ::GetWindowRect(HWND(lParam), &rect);
                HoldModifiers(0);
                const LPARAM data = 1 | LPARAM(::MapVirtualKeyA(m_key, MAPVK_VK_TO_VSC)) << 16;
                ::PostMessageA(HWND(lParam), WM_KEYDOWN, m_key, data);
                ::PostMessageA(HWND(lParam), WM_KEYUP, m_key, data | 0xC0000000);
            } else {
                if (!bOpened)
                    ::GetWindowRect(HWND(lParam), &rect);
                bLeftOpen = m_key != 0;
                ::EndMenu();
            }
            bOpened = true;
        }
        return CSubclassWnd::WindowProc(message, wParam, lParam);
    }
    bool bOpened = false;
    bool bLeftOpen = false; // the key did not close the menu
    CRect rect;
    UINT firstCommand = 0;

private:
    UINT m_key;
};

class KeyboardScenario : public FreshFrameTest {
protected:
    CTreeCtrl& Tree() { return Explorer()->GetTree(); }
    HTREEITEM Folder(int slot) { return Explorer()->GetFolder(slot); }
    // Screen point below the start of an item's text, where the keyboard opens its menu.
    CPoint BelowItem(HTREEITEM hItem)
    {
        CRect rect;
        Tree().GetItemRect(hItem, &rect, TRUE);
        CPoint point(rect.left, rect.bottom);
        Tree().ClientToScreen(&point);
        return point;
    }
};

TEST_F(KeyboardScenario, TheMainRoadWithKeysOnly)
{
    ScriptedModalHook hook;
    ASSERT_EQ(::GetFocus(), frame->GetWorkspaceView()->m_hWnd) << "the workspace has the keys";
    Type("2+3\r");
    EXPECT_NE(std::string(WorkspaceText()).find("2+3 =\r\n5\r\n"), std::string::npos)
        << WorkspaceText().GetString();

    Press(VK_F6);
    ASSERT_EQ(::GetFocus(), Tree().m_hWnd) << "F6 goes on to the explorer";
    EXPECT_EQ(frame->GetActiveView(), Explorer());
    Press(VK_HOME);
    Press(VK_DOWN);
    Press(VK_UP);
    ASSERT_EQ(Tree().GetSelectedItem(), Folder(SlotDataTables));

    // Shift+F10 opens the folder's menu at the folder; D is "Add &Data Table...".
    MenuKeys keys(Explorer(), 'D');
    Press(VK_F10, kShift);
    ASSERT_TRUE(keys.bOpened) << "Shift+F10 opened no menu";
    EXPECT_FALSE(keys.bLeftOpen) << "D chose nothing";
    EXPECT_EQ(keys.firstCommand, UINT(ID_DATA_ADD_TABLE));
    EXPECT_EQ(keys.rect.TopLeft(), BelowItem(Folder(SlotDataTables)));
    Press(VK_RETURN); // keeps the name proposed in the label editor
    EXPECT_EQ(ChildTexts(Folder(SlotDataTables)), Names{"Table1"});
    EXPECT_EQ(model->GetSelectedKind(), ItemDataTable);

    const std::string path = TestFolder() + "keys.zvp";
    ::DeleteFileA(path.c_str());
    hook.ChooseFile(path);
    Press('S', kCtrl);
    EXPECT_NE(::GetFileAttributesA(path.c_str()), INVALID_FILE_ATTRIBUTES) << "Ctrl+S saved";
    EXPECT_FALSE(doc->IsModified());

    const HWND hFrame = frame->m_hWnd;
    Press(VK_F4, kAlt);
    EXPECT_FALSE(::IsWindow(hFrame)) << "Alt+F4 ended the program";
    EXPECT_TRUE(hook.messages.empty()) << "nothing to ask after saving: " << hook.messages[0];
}

// Whether the window, or a window inside it, has the focus.
bool HasFocus(CWnd* pWnd)
{
    const HWND hFocus = ::GetFocus();
    return hFocus && (hFocus == pWnd->m_hWnd || ::IsChild(pWnd->m_hWnd, hFocus));
}

TEST_F(KeyboardScenario, F6GoesRoundThePanesEachShowingTheKeysAndOpeningItsMenu)
{
    ScriptedModalHook hook;
    auto* graph = new CFunctionPlot;
    graph->SetDefinition("x^2", "", GraphRectangular, -10, 10);
    doc->AddResultItem(Item2DGraph, graph);
    Command(ID_VIEW_SHOW_ALL);
    frame->FocusWorkspace();
    auto* plot2D = dynamic_cast<CPlotView*>(frame->Get2DPlotView());
    auto* grid = dynamic_cast<CGridView*>(frame->GetGridView());
    const auto firstOf = [](CMenu* pMenu) { return pMenu ? pMenu->GetMenuItemID(0) : 0u; };
    struct Pane {
        const char* name;
        CView* view;
        UINT firstCommand; // of the context menu the keyboard opens there
    };
    // The explorer, then the panes row by row: workspace, 2-D plot, grid, 3-D plot.
    const Pane round[] = {
        {"2-D plot", plot2D, firstOf(frame->GetContextMenuForType(Item2DGraph))},
        {"grid", grid, firstOf(grid->GetContextSubMenu(Item2DGraph))},
        {"3-D plot", frame->Get3DPlotView(), firstOf(frame->GetContextMenuForType(Item3DGraph))},
        {"explorer", Explorer(), firstOf(frame->GetContextMenuForType(Item2DGraph))},
        {"workspace", frame->GetWorkspaceView(), UINT(ID_WORKSPACE_CUT)},
    };
    for (const Pane& pane : round) {
        Press(VK_F6);
        ASSERT_TRUE(HasFocus(pane.view)) << pane.name;
        EXPECT_EQ(frame->GetActiveView(), pane.view) << pane.name;
        MenuKeys menu(pane.view);
        Press(VK_APPS);
        ASSERT_TRUE(menu.bOpened) << pane.name << ": the menu key opened nothing";
        EXPECT_EQ(menu.firstCommand, pane.firstCommand) << pane.name;
        CRect shown;
        pane.view->GetWindowRect(&shown);
        EXPECT_TRUE(shown.PtInRect(menu.rect.TopLeft()))
            << pane.name << ": the menu opens at " << menu.rect.left << ", " << menu.rect.top
            << ", outside the pane";
        EXPECT_TRUE(HasFocus(pane.view)) << pane.name << " keeps the keys after its menu";
        // What shows where the keys are: the plot's dotted frame, the grid's focus cell.
        EXPECT_EQ(plot2D->GetCurrentWindow()->m_bShowFocus, pane.view == plot2D) << pane.name;
        if (pane.view == grid) {
            EXPECT_TRUE(grid->GetGrid().IsValid(grid->GetGrid().GetFocusCell()));
        }
    }
    Press(VK_F6, kShift);
    EXPECT_TRUE(HasFocus(Explorer())) << "Shift+F6 goes back";
    Press(VK_F6, kShift);
    EXPECT_TRUE(HasFocus(frame->Get3DPlotView()));
}

// The data grid's context menu chooses by letter: the menu key on a table's cell, then D for
// "Delete Row" and I for "Insert Row".
TEST_F(KeyboardScenario, TheGridsMenuChoosesByLetter)
{
    ScriptedModalHook hook;
    CDataTable* table = AddLineTable("Keys", 3);
    auto* grid = dynamic_cast<CGridView*>(frame->GetGridView());
    for (int i = 0; i < 5 && !HasFocus(grid); ++i)
        Press(VK_F6);
    ASSERT_TRUE(HasFocus(grid));
    struct Case {
        UINT key;
        int rows;
    };
    for (const Case& c : {Case{'D', 2}, Case{'I', 3}}) {
        MenuKeys menu(grid, c.key);
        Press(VK_APPS);
        ASSERT_TRUE(menu.bOpened) << char(c.key);
        EXPECT_FALSE(menu.bLeftOpen) << char(c.key) << " chose nothing";
        EXPECT_EQ(table->GetRowCount(), c.rows) << char(c.key);
    }
}

// F6 gives the grid a cell to start from; a click chooses its own. Were the clicked cell made the
// focus cell on the way, the click would open it for editing, and Down would move the caret in
// the editor instead of on to the next row.
TEST_F(KeyboardScenario, AClickIntoANewTablesFirstCellTypesDownTheColumn)
{
    ScriptedModalHook hook;
    CDataTable* table = AddLineTable("Typed", 0);
    frame->FocusWorkspace();
    Pump();
    CGridCtrl& grid = dynamic_cast<CGridView*>(frame->GetGridView())->GetGrid();
    CRect cell;
    ASSERT_TRUE(grid.GetCellRect(1, 1, &cell));
    const LPARAM at = MAKELPARAM(cell.left + 4, cell.CenterPoint().y);
    BYTE state[256];
    ::GetKeyboardState(state);
    state[VK_LBUTTON] = 0x80;
    ::SetKeyboardState(state);
    grid.SendMessage(WM_MOUSEACTIVATE, WPARAM(frame->m_hWnd), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    state[VK_LBUTTON] = 0;
    ::SetKeyboardState(state);
    grid.SendMessage(WM_LBUTTONUP, 0, at);
    Pump();
    ASSERT_EQ(::GetFocus(), grid.m_hWnd) << "the click opened the cell for editing";
    for (const char* value : {"1", "2", "3"}) {
        Type(value);
        Press(VK_DOWN);
    }
    ASSERT_EQ(table->GetRowCount(), 3);
    EXPECT_EQ(table->GetValue(0, 1), 1);
    EXPECT_EQ(table->GetValue(0, 3), 3);
}

// Delete and Ctrl+X, pressed in a table's grid, empty the cells the keys chose; Ctrl+X copies
// them once, before it empties them.
TEST_F(KeyboardScenario, DeleteAndCtrlXEmptyATablesCells)
{
    ScriptedModalHook hook;
    CDataTable* table = AddLineTable("Keys", 3); // y = 3, 5, 7
    CGridCtrl& grid = dynamic_cast<CGridView*>(frame->GetGridView())->GetGrid();
    CRect cell;
    ASSERT_TRUE(grid.GetCellRect(1, 2, &cell));
    const LPARAM at = MAKELPARAM(cell.CenterPoint().x, cell.CenterPoint().y);
    grid.SendMessage(WM_MOUSEACTIVATE, WPARAM(frame->m_hWnd), MAKELPARAM(HTCLIENT, WM_LBUTTONDOWN));
    grid.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, at);
    grid.SendMessage(WM_LBUTTONUP, 0, at);
    Pump();
    ASSERT_EQ(::GetFocus(), grid.m_hWnd);
    Press(VK_DELETE);
    Press(VK_DOWN);
    Press(VK_DOWN, kShift);
    Press('X', kCtrl);
    EXPECT_EQ(GetClipboardText(), "5\r\n7");
    for (int row = 1; row <= 3; ++row) {
        EXPECT_TRUE(std::isnan(table->GetValue(1, row))) << row;
        EXPECT_EQ(table->GetValue(0, row), row);
        EXPECT_STREQ(grid.GetItemText(row, 2), "") << row;
    }
    EXPECT_TRUE(hook.messages.empty()) << hook.messages[0];
}

TEST_F(KeyboardScenario, ViewCommandsLeaveTheKeysWhereTheyShow)
{
    ScriptedModalHook hook;
    // View > Project Explorer (Alt+V, E) hides the explorer that has the keys: a pane shown
    // takes them; shown again, the explorer has them.
    Press(VK_F6);
    ASSERT_TRUE(HasFocus(Explorer()));
    for (bool bShown : {false, true}) {
        MenuKeys menu(frame, 'E');
        Press('V', kAlt);
        ASSERT_TRUE(menu.bOpened);
        EXPECT_FALSE(menu.bLeftOpen);
        EXPECT_EQ(frame->IsExplorerVisible(), bShown);
        EXPECT_TRUE(HasFocus(bShown ? static_cast<CView*>(Explorer()) : frame->GetWorkspaceView()))
            << "explorer shown " << bShown;
    }
    // The Workspace tab's command puts the keys into the workspace.
    Command(ID_VIEW_SHOW_WORKSPACE);
    Type("6*7\r");
    EXPECT_NE(std::string(WorkspaceText()).find("6*7 ="), std::string::npos)
        << WorkspaceText().GetString();
    // A pane switched off while it has the keys hands them to one shown; View > Workspace
    // (Alt+V, W) switching the workspace on gives it the keys.
    AddLineTable("T", 3);
    ASSERT_EQ(frame->GetViewLayout()[ViewLayout::Mask], UINT(View2DPlot | ViewGrid));
    for (int i = 0; i < 4 && !HasFocus(frame->GetGridView()); ++i)
        Press(VK_F6);
    Command(ID_VIEW_TOGGLE_GRID);
    EXPECT_TRUE(HasFocus(frame->Get2DPlotView()));
    MenuKeys menu(frame, 'W');
    Press('V', kAlt);
    EXPECT_TRUE(HasFocus(frame->GetWorkspaceView()));
    // The tables' layout, which the next run reads, as it was.
    Command(ID_VIEW_TOGGLE_WORKSPACE);
    Command(ID_VIEW_TOGGLE_GRID);
    EXPECT_EQ(frame->GetViewLayout()[ViewLayout::Mask], UINT(View2DPlot | ViewGrid));
}

// The graph dialogs open in their equation: typed at once and Enter, the graph is there.
TEST_F(KeyboardScenario, GraphDialogsOpenInTheEquation)
{
    struct Case {
        UINT nCommand;
        int kind;
        const char* equation;
    };
    for (const Case& c : {Case{ID_PLOT2D_ADD_GRAPH, Item2DGraph, "sin(x)"},
                          Case{ID_PLOT3D_ADD_GRAPH, Item3DGraph, "x*y"}}) {
        ScriptedModalHook hook;
        hook.steps = {[&](CWnd*) {
            Type(c.equation);
            Press(VK_RETURN);
        }};
        Command(c.nCommand);
        EXPECT_EQ(hook.next, 1u);
        EXPECT_EQ(model->GetSelectedKind(), c.kind) << c.equation << " made no graph";
        EXPECT_TRUE(hook.messages.empty()) << hook.messages[0];
    }
}

// What is wrong with where the keys are in a sheet: nowhere, on a control out of sight, or
// on a page not shown; "" when on the page shown, its tabs or the sheet's buttons.
std::string KeysAside(CPropertySheet* pSheet, bool bOnPage)
{
    const HWND hFocus = ::GetFocus();
    const HWND hPage = pSheet->GetActivePage()->m_hWnd;
    if (!hFocus)
        return "no focus";
    const std::string id = "control " + std::to_string(::GetDlgCtrlID(hFocus));
    if (!::IsWindowVisible(hFocus))
        return id + " out of sight has the focus";
    if (bOnPage ? !::IsChild(hPage, hFocus)
                : ::GetParent(hFocus) != pSheet->m_hWnd && !::IsChild(hPage, hFocus))
        return id + ", not on the page shown, has the focus";
    return "";
}

// The tab of a page, clicked.
void ClickTab(CPropertySheet* pSheet, int nPage)
{
    const HWND hTabs = ::GetDlgItem(pSheet->m_hWnd, AFX_IDC_TAB_CONTROL);
    CRect rect;
    ::SendMessageA(hTabs, TCM_GETITEMRECT, WPARAM(nPage), LPARAM(&rect));
    const LPARAM at = MAKELPARAM(rect.CenterPoint().x, rect.CenterPoint().y);
    ::PostMessageA(hTabs, WM_LBUTTONDOWN, MK_LBUTTON, at);
    ::PostMessageA(hTabs, WM_LBUTTONUP, 0, at);
    Pump();
}

TEST_F(KeyboardScenario, EverySheetKeepsTheKeysOnThePageItShows)
{
    struct Sheet {
        const char* name;
        UINT nCommand;
        CWnd* pTarget;
        int nPages;
    };
    const Sheet sheets[] = {
        {"Options", ID_TOOLS_OPTIONS, nullptr, 6},
        {"Plot Options", ID_PLOT2D_OPTIONS, nullptr, 2},
        {"Data Plot Options", ID_DATAPLOT_OPTIONS, nullptr, 2},
        {"3-D Plot Options", ID_PLOT3D_OPTIONS, nullptr, 1},
        {"Grid Options", ID_GRID_OPTIONS, frame->GetGridView(), 1},
    };
    for (const Sheet& sheet : sheets) {
        ScriptedModalHook hook;
        hook.steps = {[&](CWnd* pWnd) {
            auto* pSheet = dynamic_cast<CPropertySheet*>(pWnd);
            ASSERT_NE(pSheet, nullptr);
            ASSERT_EQ(pSheet->GetPageCount(), sheet.nPages);
            EXPECT_EQ(KeysAside(pSheet, true), "") << sheet.name << " as it opens";
            // Ctrl+Tab round the pages and Ctrl+Shift+Tab back, the keys on each page shown.
            for (int i = 1; i <= sheet.nPages + 1; ++i) {
                const bool bBack = i > sheet.nPages;
                Press(VK_TAB, bBack ? kCtrl | kShift : kCtrl);
                const int expected = bBack ? sheet.nPages - 1 : i % sheet.nPages;
                EXPECT_EQ(pSheet->GetActiveIndex(), expected) << sheet.name;
                EXPECT_EQ(KeysAside(pSheet, true), "") << sheet.name << ", page " << expected;
                Press(VK_TAB);
                EXPECT_EQ(KeysAside(pSheet, false), "")
                    << sheet.name << ", Tab on page " << expected;
            }
            // A click on the last tab, then the arrow back on the tabs.
            ClickTab(pSheet, sheet.nPages - 1);
            EXPECT_EQ(pSheet->GetActiveIndex(), sheet.nPages - 1) << sheet.name;
            EXPECT_EQ(KeysAside(pSheet, false), "") << sheet.name << " after a click on a tab";
            Press(VK_LEFT);
            EXPECT_EQ(pSheet->GetActiveIndex(), std::max(sheet.nPages - 2, 0)) << sheet.name;
            EXPECT_EQ(KeysAside(pSheet, false), "") << sheet.name << " after Left on the tabs";
            Press(VK_TAB);
            EXPECT_EQ(KeysAside(pSheet, true), "") << sheet.name << ": Tab from the tabs";
            Press(VK_ESCAPE);
        }};
        Command(sheet.nCommand, sheet.pTarget);
        EXPECT_EQ(hook.next, 1u) << sheet.name;
        EXPECT_FALSE(::IsWindow(::GetActiveWindow()) && ::GetActiveWindow() != frame->m_hWnd)
            << sheet.name << " still open after Escape";
    }
}

// Whether a push button is drawn as the one Enter presses.
bool IsDefaultButton(HWND hButton)
{
    return (::GetWindowLongA(hButton, GWL_STYLE) & 0xF) == BS_DEFPUSHBUTTON;
}

// After Apply, by any of its routes, the keys are back on the field the user was on and OK is
// the default again: the next Enter closes the sheet with OK and never presses "Set As
// Default", whose stored defaults stay as they were.
TEST_F(KeyboardScenario, AfterApplyEnterMeansOK)
{
    enum Route { ClickApply, TabSpace, TabEnter, AltA, AltAEscape };
    const char* const routeNames[] = {"a click on Apply", "Tab to Apply and Space",
                                      "Tab to Apply and Enter", "Alt+A",
                                      "Alt+A, and Escape to close"};
    struct Sheet {
        const char* name;
        UINT nCommand;
        bool bSecondPage; // Ctrl+Tab first
        UINT mnemonic;    // Alt and this letter go to the field
        UINT nField;
        const char* applied; // typed and applied
        const char* closed;  // typed after Apply, then Enter
        std::function<double()> value;
        std::function<double()> stored; // the default that "Set As Default" writes
    };
    const Sheet sheets[] = {
        {"Plot Options, Plot", ID_PLOT2D_OPTIONS, false, 'S', IDC_PLOTPAGE_STEPS, "450", "460",
         [&] { return model->m_FunctionPlot.m_nSteps; },
         [&] { return model->m_DefaultFunctionPlot.m_nSteps; }},
        {"Plot Options, Axes", ID_PLOT2D_OPTIONS, true, 'X', IDC_AXIS_XINTERVAL, "2.5", "3.5",
         [&] { return model->m_FunctionPlot.m_axes.m_dXTickInterval; },
         [&] { return model->m_DefaultFunctionPlot.m_axes.m_dXTickInterval; }},
        {"Data Plot Options", ID_DATAPLOT_OPTIONS, false, 'S', IDC_PLOTPAGE_STEPS, "450", "460",
         [&] { return model->m_DataPlot.m_nSteps; },
         [&] { return model->m_DefaultDataPlot.m_nSteps; }},
        {"3-D Plot Options", ID_PLOT3D_OPTIONS, false, 'V', IDC_PLOT3D_VIEWPORT, "70", "60",
         [&] { return model->m_Scene.m_nViewportSize; },
         [&] { return model->m_DefaultScene.m_nViewportSize; }},
    };
    for (const Sheet& sheet : sheets) {
        const double stored = sheet.stored();
        for (const Route route : {ClickApply, TabSpace, TabEnter, AltA, AltAEscape}) {
            const std::string what = std::string(sheet.name) + ", " + routeNames[route];
            ScriptedModalHook hook;
            hook.steps = {[&](CWnd* pWnd) {
                auto* pSheet = dynamic_cast<CPropertySheet*>(pWnd);
                ASSERT_NE(pSheet, nullptr);
                if (sheet.bSecondPage)
                    Press(VK_TAB, kCtrl);
                const HWND hPage = pSheet->GetActivePage()->m_hWnd;
                const HWND hApply = ::GetDlgItem(pSheet->m_hWnd, ID_APPLY_NOW);
                const HWND hOK = ::GetDlgItem(pSheet->m_hWnd, IDOK);
                Press(sheet.mnemonic, kAlt);
                ASSERT_EQ(::GetFocus(), ::GetDlgItem(hPage, int(sheet.nField))) << what;
                Type(sheet.applied);
                if (route == ClickApply) {
                    Click(hApply);
                } else if (route == AltA || route == AltAEscape) {
                    Press('A', kAlt);
                } else {
                    for (int i = 0; i < 20 && ::GetFocus() != hApply; ++i)
                        Press(VK_TAB);
                    ASSERT_EQ(::GetFocus(), hApply) << what;
                    Press(route == TabSpace ? VK_SPACE : VK_RETURN);
                }
                EXPECT_FALSE(::IsWindowEnabled(hApply)) << what << ": applied";
                EXPECT_EQ(::GetFocus(), ::GetDlgItem(hPage, int(sheet.nField)))
                    << what << ": the keys are back on the field changed";
                EXPECT_EQ(LOWORD(pSheet->SendMessage(DM_GETDEFID)), IDOK) << what;
                EXPECT_TRUE(IsDefaultButton(hOK)) << what;
                EXPECT_FALSE(IsDefaultButton(::GetDlgItem(hPage, IDC_PLOT_SET_AS_DEFAULT))) << what;
                Press(sheet.mnemonic, kAlt);
                Type(sheet.closed);
                Press(route == AltAEscape ? VK_ESCAPE : VK_RETURN);
                EXPECT_EQ(pSheet->GetActivePage(), nullptr) << what << ": still open";
            }};
            Command(sheet.nCommand);
            EXPECT_EQ(hook.next, 1u) << what;
            const char* kept = route == AltAEscape ? sheet.applied : sheet.closed;
            EXPECT_EQ(sheet.value(), std::atof(kept)) << what << ": closed with OK or Cancel";
            EXPECT_EQ(sheet.stored(), stored) << what << ": the defaults were written";
        }
    }
}

// "Set As Default", pressed by a click or by its mnemonic, leaves Enter to OK in every sheet
// and dialog that has it: Enter closes the form with OK and does not press it once more.
TEST_F(KeyboardScenario, AfterSetAsDefaultEnterMeansOK)
{
    struct Form {
        const char* name;
        UINT nCommand;
        std::function<void(HWND, int)> fill; // a value typed, an expression given (by run)
        std::function<bool()> closedWithOK;
    };
    const auto typeInto = [](UINT mnemonic, const char* text) {
        return [mnemonic, text](HWND, int) {
            Press(mnemonic, kAlt);
            Type(text);
        };
    };
    // Each run adds a graph of its own: the same one twice would be asked about.
    const auto setText = [](int nID, const char* text) {
        return [nID, text](HWND hDialog, int run) {
            ::SetDlgItemTextA(hDialog, nID, (text + std::to_string(run)).c_str());
        };
    };
    const int nGraphs = model->m_FunctionPlot.GetItemCount();
    const int nSurfaces = model->m_Scene.GetSurfaceCount();
    int nRun = 0; // each run of a dialog adds one graph
    const Form forms[] = {
        {"Plot Options", ID_PLOT2D_OPTIONS, typeInto('S', "470"),
         [&] { return model->m_FunctionPlot.m_nSteps == 470; }},
        {"3-D Plot Options", ID_PLOT3D_OPTIONS, typeInto('V', "65"),
         [&] { return model->m_Scene.m_nViewportSize == 65; }},
        {"Add 2D Graph", ID_PLOT2D_ADD_GRAPH, setText(IDC_GRAPH2D_EXPR, "x^"),
         [&] { return model->m_FunctionPlot.GetItemCount() == nGraphs + nRun; }},
        {"Add 3D Graph", ID_PLOT3D_ADD_GRAPH, setText(IDC_GRAPH3D_EXPR, "x*y*"),
         [&] { return model->m_Scene.GetSurfaceCount() == nSurfaces + nRun; }},
    };
    for (const Form& form : forms) {
        nRun = 0;
        for (const bool bClick : {true, false}) {
            const std::string what = std::string(form.name) + (bClick ? ", click" : ", Alt+D");
            ScriptedModalHook hook;
            hook.steps = {[&](CWnd* pWnd) {
                auto* pSheet = dynamic_cast<CPropertySheet*>(pWnd);
                const HWND hForm = pSheet ? pSheet->GetActivePage()->m_hWnd : pWnd->m_hWnd;
                form.fill(hForm, nRun);
                if (bClick)
                    Click(::GetDlgItem(hForm, IDC_PLOT_SET_AS_DEFAULT));
                else
                    Press('D', kAlt);
                EXPECT_TRUE(hook.messages.empty()) << what << ": " << hook.messages.front();
                Press(VK_RETURN);
                EXPECT_FALSE(pWnd->ContinueModal()) << what << ": still open";
            }};
            ++nRun;
            Command(form.nCommand);
            EXPECT_EQ(hook.next, 1u) << what;
            EXPECT_TRUE(form.closedWithOK()) << what;
        }
    }
}

} // namespace

// Lines typed one after another, Enter and on, as a user types them: a line that adds a graph
// shows it beside the workspace, which keeps a third of the height, so that the lines typed
// before and their answers stay in sight, and the keys after its Enter go on reaching it.
TEST_F(KeyboardScenario, LinesTypedAfterAGraphLineReachTheWorkspace)
{
    ScriptedModalHook hook;
    CView* workspace = frame->GetWorkspaceView();
    ASSERT_EQ(::GetFocus(), workspace->m_hWnd);
    // A window less high than the screen, whose height a graph's pane height is reckoned from.
    frame->ShowWindow(SW_RESTORE);
    frame->SetWindowPos(nullptr, 0, 0, 800, 600, SWP_NOZORDER);
    Pump();
    const ViewLayouts records = model->m_ViewLayouts;
    struct Case {
        const char* keys;
        const char* textEnd; // the workspace text after the line
        CView* shown;        // the pane that shows what the line made
        int selectedKind;
    };
    CView* plot2D = frame->Get2DPlotView();
    CView* plot3D = frame->Get3DPlotView();
    const Case cases[] = {
        {"plot(sin(x))\r", "plot(sin(x))\r\n", plot2D, Item2DGraph},
        {"2+3\r", "plot(sin(x))\r\n2+3 =\r\n5\r\n", plot2D, Item2DGraph},
        {"plot3d(x*y)\r", "5\r\nplot3d(x*y)\r\n", plot3D, Item3DGraph},
        {"sdiff(x^3)\r", "plot3d(x*y)\r\nsdiff(x^3) =\r\n3*x^2\r\n", plot3D, Item3DGraph},
        {"plot(r = 1 + cos(t), 0, 2*pi)\r", "3*x^2\r\nplot(r = 1 + cos(t), 0, 2*pi)\r\n", plot2D,
         Item2DGraph},
        {"plot(x^2, 1)\r", "2*pi)\r\nplot(x^2, 1)", plot2D, Item2DGraph},
        {"\x08\x08\x08\x08)\r", "2*pi)\r\nplot(x^2)\r\n", plot2D, Item2DGraph},
        {"2 -> b\r", "plot(x^2)\r\n2 -> b\r\n", plot2D, Item2DGraph},
    };
    for (const Case& c : cases) {
        Type(c.keys);
        const std::string text = WorkspaceText().GetString();
        const std::string end = c.textEnd;
        EXPECT_TRUE(text.size() >= end.size() &&
                    text.compare(text.size() - end.size(), end.size(), end) == 0)
            << c.keys << ": the workspace text ends \"" << text << "\"";
        EXPECT_EQ(::GetFocus(), workspace->m_hWnd) << c.keys << ": the keys left the workspace";
        EXPECT_TRUE(workspace->IsWindowVisible()) << c.keys;
        EXPECT_TRUE(c.shown->IsWindowVisible()) << c.keys << ": the new graph does not show";
        CRect typed, graph;
        workspace->GetClientRect(&typed);
        c.shown->GetClientRect(&graph);
        // A third of the panes' height, less their borders and the bar between them.
        const int third = frame->GetPaneAreaHeight() / 3 - 16;
        EXPECT_GE(typed.Height(), third) << c.keys << ": the workspace is a strip";
        EXPECT_GE(graph.Height(), third) << c.keys << ": the graph is a strip";
        EXPECT_EQ(model->GetSelectedKind(), c.selectedKind) << c.keys;
    }
    EXPECT_EQ(hook.messages.size(), 0u);
    // The arrangement was the line's: each kind keeps its own for the next selection.
    EXPECT_EQ(std::memcmp(&records, &model->m_ViewLayouts, sizeof records), 0);
}
