// The program's dialogs as the user opens them through their commands in the real main frame:
// each opens centred on the window that owns it and inside the work area of that window's
// monitor, shows its texts whole and nothing hidden under a group box, and so do the two tool
// windows and the colour dialog of "More Colours..."; Plot Options applies its pages with
// Apply, and the tick labels take the font chosen on the Axes page.
#include "analysis/GridView.h"
#include "framework/win/CPropertySheet.h"
#include "framework/win/CommonDialogs.h"
#include "framework/win/RegistryProfileStore.h"
#include "plot/PlotView.h"
#include "res/resource.h"
#include "tests/app_win/ShellTestApp.h"
#include "tests/support/DialogLayout.h"
#include "tests/support/ScriptedModalHook.h"
#include "ui/ColourPicker.h"
#include "ui/ColourPopup.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdlib>
#include <functional>
#include <string>
#include <vector>

namespace {

using Answer = std::function<int(CWnd*)>;

int Cancel(CWnd*) { return IDCANCEL; }
int RunLoop(CWnd*) { return 0; } // its loop runs: the hook's steps act on it
int Accept(CWnd*) { return IDOK; }
int No(CWnd*) { return IDNO; }
Answer TypeAndAccept(int nID, const char* text)
{
    return [nID, text](CWnd* pDialog) {
        ::SetDlgItemTextA(pDialog->m_hWnd, nID, text);
        return IDOK;
    };
}

// The system's colour dialog: its place once it shows, beside the dialog it was opened from;
// then it is cancelled.
namespace colour_dialog {
HWND hFrom = nullptr;
CRect from, shown;
UINT_PTR timer = 0;
BOOL CALLBACK Find(HWND hWnd, LPARAM)
{
    char cls[16] = {};
    ::GetClassNameA(hWnd, cls, sizeof cls);
    if (hWnd == hFrom || !::IsWindowVisible(hWnd) || std::string(cls) != "#32770")
        return TRUE;
    ::GetWindowRect(hWnd, &shown);
    ::GetWindowRect(hFrom, &from);
    ::PostMessageA(hWnd, WM_COMMAND, IDCANCEL, 0);
    ::KillTimer(nullptr, timer);
    return FALSE;
}
void CALLBACK Poll(HWND, UINT, UINT_PTR, DWORD)
{
    ::EnumThreadWindows(::GetCurrentThreadId(), Find, 0);
}
int Watch(CWnd*)
{
    shown.SetRectEmpty();
    timer = ::SetTimer(nullptr, 0, 50, Poll);
    return 0; // the system's dialog runs
}
// "More Colours..." from the pop-up of a colour button of the dialog.
void MoreColours(CWnd* pDialog, int nID)
{
    auto* pPicker =
        dynamic_cast<CColourPicker*>(CWnd::FromHandlePermanent(::GetDlgItem(pDialog->m_hWnd, nID)));
    ASSERT_NE(pPicker, nullptr) << nID;
    hFrom = ::GetAncestor(pDialog->m_hWnd, GA_ROOT);
    pPicker->SendMessage(BM_CLICK);
    CColourPopup* pPopup = pPicker->GetPopup();
    ASSERT_NE(pPopup, nullptr);
    const CPoint point = pPopup->GetLayout().GetCellRect(kCustomBox).CenterPoint();
    pPopup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    pPicker->SendMessage(WM_KEYDOWN, VK_RETURN, 0);
}
} // namespace colour_dialog

class DialogsScenario : public FreshFrameTest {
protected:
    void SetUp() override
    {
        // The tool windows as on a first run, but for a finance box saved off the screen.
        EnsureTestTemplate();
        ::RegDeleteTreeA(
            HKEY_CURRENT_USER,
            (std::string(kTestSettingsKey) + "\\" + AfxGetAppName() + "\\Converter").c_str());
        CRegistryProfileStore().WriteInt("FinanceBox", "Left", 5000);
        FreshFrameTest::SetUp();
        if (HasFatalFailure())
            return;
        frame->SetViewMask(View2DPlot | View3DPlot | ViewWorkspace | ViewGrid);
        work = WorkAreaOf(frame->m_hWnd);
        CRect place = work;
        place.DeflateRect(40, 30);
        frame->SetWindowPos(nullptr, place.left, place.top, place.Width(), place.Height(),
                            SWP_NOZORDER | SWP_SHOWWINDOW);
        Pump();
        hook.onStart = [this](CWnd* pDialog) { hook.startAnswer = Opened(pDialog); };
    }

    // Notes the dialog, checks where it stands and what it shows, and gives the next answer.
    int Opened(CWnd* pDialog)
    {
        const Answer answer = next < answers.size() ? answers[next++] : Answer(Cancel);
        if (!pDialog->m_hWnd)
            return answer(pDialog); // a common dialog of the system
        CString caption;
        pDialog->GetWindowText(caption);
        opened.emplace_back(caption.GetString());
        CRect rc, owner;
        pDialog->GetWindowRect(&rc);
        HWND hOwner = ::GetWindow(pDialog->m_hWnd, GW_OWNER);
        ::GetWindowRect(hOwner, &owner);
        const CRect area = WorkAreaOf(hOwner);
        EXPECT_TRUE(rc.left >= area.left && rc.top >= area.top && rc.right <= area.right &&
                    rc.bottom <= area.bottom)
            << caption.GetString() << " stands outside the work area";
        if (centred) {
            EXPECT_LE(std::abs(rc.CenterPoint().x - owner.CenterPoint().x), 1) << caption;
            EXPECT_LE(std::abs(rc.CenterPoint().y - owner.CenterPoint().y), 1) << caption;
        }
        for (const auto& faults :
             {ClippedTexts(pDialog->m_hWnd), HiddenUnderGroupBoxes(pDialog->m_hWnd)})
            for (const std::string& fault : faults)
                ADD_FAILURE() << caption.GetString() << ": " << fault;
        if (check)
            check(pDialog);
        return answer(pDialog);
    }
    // Gives the command with the dialogs it opens answered in turn.
    void Open(UINT nID, std::vector<Answer> script, CWnd* pTarget = nullptr)
    {
        answers = std::move(script);
        next = 0;
        Command(nID, pTarget);
        EXPECT_EQ(next, answers.size()) << "command " << nID << " opened too few dialogs";
    }

    CRect work;
    ScriptedModalHook hook;
    std::vector<Answer> answers;
    std::size_t next = 0;
    std::vector<std::string> opened;
    bool centred = true;
    std::function<void(CWnd*)> check;
};

TEST_F(DialogsScenario, EveryDialogOpensCentredOnItsOwnerInsideTheWorkArea)
{
    Open(ID_TOOLS_OPTIONS, {Cancel});
    Open(ID_PLOT2D_ADD_GRAPH, {TypeAndAccept(IDC_GRAPH2D_EXPR, "sin(x)")});
    Open(ID_PLOT2D_ADD_GRAPH, {TypeAndAccept(IDC_GRAPH2D_EXPR, "sin(x)"), No});
    ASSERT_EQ(model->GetSelectedKind(), Item2DGraph);
    Open(ID_PLOT2D_GRAPH_PROPERTIES, {Cancel});
    Open(ID_PLOT2D_OPTIONS, {Cancel});
    Open(ID_PLOT2D_FIND_ZEROS, {Accept, Accept});
    Open(ID_PLOT2D_FIND_INTERSECTIONS, {Cancel});
    Open(ID_PLOT2D_DIFFERENTIATE, {Cancel});
    Open(ID_PLOT2D_VALUE_TABLE, {Cancel});
    Open(ID_EDIT_COPY, {Cancel}, frame->Get2DPlotView());
    check = [](CWnd* pDialog) {
        // Every category shows whole.
        HWND hList = ::GetDlgItem(pDialog->m_hWnd, IDC_FUNCTION_CATEGORIES);
        CRect client, last;
        ::GetClientRect(hList, &client);
        const int count = int(::SendMessageA(hList, LB_GETCOUNT, 0, 0));
        ::SendMessageA(hList, LB_GETITEMRECT, WPARAM(count - 1), LPARAM(&last));
        EXPECT_EQ(::SendMessageA(hList, LB_GETTOPINDEX, 0, 0), 0);
        EXPECT_LE(last.bottom, client.bottom) << "the last of " << count << " categories";
    };
    Open(ID_INSERT_FUNCTION, {Cancel});
    check = nullptr;
    answers = {Accept};
    next = 0;
    TestApp().OnCmdMsg(ID_APP_ABOUT, CN_COMMAND, nullptr, nullptr);

    Open(ID_PLOT3D_ADD_GRAPH, {TypeAndAccept(IDC_GRAPH3D_EXPR, "x*y")});
    ASSERT_EQ(model->GetSelectedKind(), Item3DGraph);
    Open(ID_PLOT3D_GRAPH_PROPERTIES, {Cancel});
    Open(ID_PLOT3D_OPTIONS, {Cancel});
    Open(ID_DATA_REMOVE, {No});

    AddLineTable("Table1", 10);
    Open(ID_DATA_FILL, {Cancel});
    Open(ID_DATA_TRANSFORM, {Cancel});
    Open(ID_DATA_SORT_ASCENDING, {Cancel});
    Open(ID_DATA_ANALYZE, {Accept});
    Open(ID_FIT_NONLINEAR, {Cancel});
    Open(ID_DATAPLOT_OPTIONS, {Cancel});
    Open(ID_DATA_ADD_MATRIX, {Cancel});

    // The data plot's Graph Properties belongs to data graphs only.
    EXPECT_FALSE(Enabled(ID_DATAPLOT_GRAPH_PROPERTIES));
    Open(ID_FIT_LINE, {});
    ASSERT_EQ(model->GetSelectedKind(), ItemDataGraph);
    EXPECT_TRUE(Enabled(ID_DATAPLOT_GRAPH_PROPERTIES));
    Open(ID_DATAPLOT_GRAPH_PROPERTIES, {Cancel});

    std::string captions;
    for (const std::string& caption : opened)
        captions += caption + "|";
    EXPECT_EQ(captions, "Options|Add 2D Graph|Add 2D Graph|Confirm overwrite|Graph Properties|"
                        "Plot Options|Find zeros of function|Zeros of function|"
                        "Find intersections between two curves|Differentiate function|"
                        "Generate value table|Copy plot to clipboard|Insert Function|"
                        "About Zivra Kelmora|Add 3D Graph|Add 3D Graph|Plot Options|"
                        "Confirm deletion|Fill Data|Transform data|Sort|Table Analysis|"
                        "Select a Regression Model|Plot Options|Add new matrix|"
                        "Graph Properties|");

    // The colour dialog of "More Colours..." opens on the dialog of the colour button.
    const auto checkColourDialog = [&](const char* from) {
        ASSERT_FALSE(colour_dialog::shown.IsRectEmpty()) << from;
        EXPECT_EQ(colour_dialog::shown.TopLeft(),
                  CenteredInWorkArea(colour_dialog::shown.Size(), colour_dialog::from, work))
            << from;
    };
    hook.steps = {[](CWnd* pSheet) {
        colour_dialog::MoreColours(static_cast<CPropertySheet*>(pSheet)->GetActivePage(),
                                   IDC_WORKSPACE_BACK_COLOR);
        static_cast<CPropertySheet*>(pSheet)->PressButton(PSBTN_CANCEL);
    }};
    hook.next = 0;
    Open(ID_WORKSPACE_OPTIONS, {RunLoop, colour_dialog::Watch});
    checkColourDialog("Options");
    hook.steps = {[](CWnd* pDialog) {
        colour_dialog::MoreColours(pDialog, IDC_GRAPH2D_COLOR);
        ClickButton(pDialog, IDCANCEL);
    }};
    hook.next = 0;
    Open(ID_PLOT2D_ADD_GRAPH, {RunLoop, colour_dialog::Watch});
    checkColourDialog("Add 2D Graph");
    hook.steps.clear();

    // The tool windows, made with the main window before it took its place, open centred on
    // it where it stands at their first use.
    frame->SetWindowPos(nullptr, work.left + 300, work.top + 220, work.Width() / 2,
                        work.Height() / 2, SWP_NOZORDER);
    for (UINT nID : {ID_TOOLS_UNIT_CONVERTER, ID_TOOLS_FINANCE_BOX}) {
        Command(nID);
        CWnd* pTool = nID == ID_TOOLS_UNIT_CONVERTER
                          ? static_cast<CWnd*>(&frame->GetUnitConverter())
                          : &frame->GetFinanceBox();
        ASSERT_TRUE(pTool->IsWindowVisible()) << nID;
        CRect rc, owner;
        pTool->GetWindowRect(&rc);
        frame->GetWindowRect(&owner);
        EXPECT_EQ(rc.TopLeft(), CenteredInWorkArea(rc.Size(), owner, work)) << nID;
        Command(nID);
    }

    // A main window mostly off the right edge: its dialogs keep to the work area.
    CRect rc;
    frame->GetWindowRect(&rc);
    frame->SetWindowPos(nullptr, work.right - 150, rc.top, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    centred = false;
    std::vector<CRect> placed;
    check = [&](CWnd* pDialog) {
        pDialog->GetWindowRect(&rc);
        placed.push_back(rc);
    };
    Open(ID_TOOLS_OPTIONS, {Cancel});
    Open(ID_PLOT2D_ADD_GRAPH, {Cancel});
    ASSERT_EQ(placed.size(), 2u);
    for (const CRect& r : placed)
        EXPECT_EQ(r.right, work.right);
}

// The text in the grid to the right of the first cell that reads label.
CString GridValueBeside(CMainFrame* pFrame, const char* label)
{
    CDataGridCtrl& grid = dynamic_cast<CGridView*>(pFrame->GetGridView())->GetGrid();
    for (int row = 0; row < grid.GetRowCount(); ++row)
        for (int col = 0; col + 1 < grid.GetColumnCount(); ++col)
            if (grid.GetItemText(row, col) == label)
                return grid.GetItemText(row, col + 1);
    return CString();
}

TEST_F(DialogsScenario, PlotOptionsApplyAndTheTickLabelFontShowInThePlot)
{
    constexpr int kApplyButton = 0x3021;
    constexpr COLORREF kLabelColour = RGB(0, 160, 0);
    Open(ID_PLOT2D_ADD_GRAPH, {TypeAndAccept(IDC_GRAPH2D_EXPR, "sin(x)")});
    CPlot2D& plot = model->m_FunctionPlot;
    CPlot2DWnd& wnd =
        dynamic_cast<CPlotView*>(frame->Get2DPlotView())->GetPlotWindow(IDC_PLOT_FUNCTION);
    const auto labelPixels = [&] {
        const CDibImage image = AfxPrintClientToDib(&wnd);
        return std::count(image.pixels.begin(), image.pixels.end(), DWORD(0x00A000));
    };
    ASSERT_EQ(labelPixels(), 0);

    const auto applyEnabled = [](CWnd* pSheet) {
        return ::IsWindowEnabled(::GetDlgItem(pSheet->m_hWnd, kApplyButton)) != FALSE;
    };
    hook.steps = {[&](CWnd* pWnd) {
        auto* pSheet = dynamic_cast<CPropertySheet*>(pWnd);
        ASSERT_NE(pSheet, nullptr);
        CWnd* pPage = pSheet->GetActivePage();
        EXPECT_FALSE(applyEnabled(pSheet)) << "nothing changed yet";
        ::SetDlgItemTextA(pPage->m_hWnd, IDC_PLOTPAGE_XMIN, "-5");
        EXPECT_TRUE(applyEnabled(pSheet));
        pSheet->PressButton(PSBTN_APPLYNOW);
        EXPECT_EQ(plot.m_dXMin, -5) << "applied while the sheet stays open";
        EXPECT_STREQ(GridValueBeside(frame, "min = "), "-5") << "the graph's domain in the grid";
        EXPECT_FALSE(applyEnabled(pSheet));
        // A refused value is not applied: the message, and the plot as it was.
        ::SetDlgItemTextA(pPage->m_hWnd, IDC_PLOTPAGE_XMIN, "20");
        pSheet->PressButton(PSBTN_APPLYNOW);
        ASSERT_EQ(hook.messages.size(), 1u);
        EXPECT_STREQ(hook.messages[0], "The interval you've entered is invalid");
        EXPECT_EQ(plot.m_dXMin, -5);
        ::SetDlgItemTextA(pPage->m_hWnd, IDC_PLOTPAGE_XMIN, "-5");
        // The Axes page's font is the one the tick labels are drawn with.
        pSheet->SetActivePage(1);
        ClickButton(pSheet->GetActivePage(), IDC_AXIS_FONT);
        pSheet->PressButton(PSBTN_CANCEL);
    }};
    Open(ID_PLOT2D_OPTIONS, {RunLoop, [&](CWnd* pDialog) {
                                 auto* pFont = dynamic_cast<CFontDialog*>(pDialog);
                                 EXPECT_NE(pFont, nullptr);
                                 if (pFont)
                                     pFont->m_cf.rgbColors = kLabelColour;
                                 return IDOK;
                             }});
    EXPECT_EQ(hook.next, 1u);
    EXPECT_EQ(plot.m_dXMin, -5);
    wnd.RedrawWindow();
    EXPECT_GT(labelPixels(), 20) << "the tick labels are drawn in the chosen colour";
}

} // namespace
