// The plots in the real main frame as a user works with them: a graph added through its
// dialog, the pointer's read-out in the status bar, zoom, copies in both formats, printing to a
// file and the preview, a 3-D graph added, turned and restyled, the menus' states, and the
// project saved and opened again with the same plots.
#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "framework/win/CCmdUI.h"
#include "framework/win/CPreviewView.h"
#include "plot/Plot3DView.h"
#include "plot/PlotView.h"
#include "res/resource.h"
#include "tests/app_win/ShellTestApp.h"
#include "tests/support/ScriptedModalHook.h"
#include "tests/support/TestPrinter.h"

#include <gtest/gtest.h>

#include <cmath>
#include <cstdio>
#include <string>

namespace {

// Checks one radio button of a group and clears the others, as a click would.
void ChooseRadio(CWnd* pDialog, std::initializer_list<int> group, int nChosen)
{
    for (int nID : group)
        ::SendDlgItemMessageA(pDialog->m_hWnd, nID, BM_SETCHECK,
                              nID == nChosen ? BST_CHECKED : BST_UNCHECKED, 0);
}

class CStateCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override { m_nEnabled = bOn ? 1 : 0; }
    void SetCheck(int nCheck) override { m_nChecked = nCheck; }
    int m_nEnabled = -1;
    int m_nChecked = -1;
};

class PlotScenario : public FreshFrameTest {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(InstallTestPrinters()); }
    void SetUp() override
    {
        FreshFrameTest::SetUp();
        frame->SetViewMask(View2DPlot | View3DPlot);
        Pump();
        view = dynamic_cast<CPlotView*>(frame->Get2DPlotView());
        view3d = dynamic_cast<CPlot3DView*>(frame->Get3DPlotView());
    }

    // Enabled and checked as the menu would show the item (-1: the handler leaves it).
    std::pair<int, int> State(UINT nID)
    {
        CStateCmdUI ui;
        ui.m_nID = nID;
        ui.DoUpdate(frame, FALSE);
        return {ui.m_nEnabled, ui.m_nChecked};
    }
    // The stored form of the project's plots: what a save writes and an open reads.
    std::string PlotRecords()
    {
        CMemFile file;
        {
            CArchive ar(&file, CArchive::store);
            model->m_FunctionPlot.Serialize(ar);
            model->m_Scene.Serialize(ar);
        }
        const auto size = std::size_t(file.GetLength());
        std::string bytes(size, '\0');
        file.SeekToBegin();
        file.Read(bytes.data(), UINT(size));
        return bytes;
    }

    CPlotView* view = nullptr;
    CPlot3DView* view3d = nullptr;
};

TEST_F(PlotScenario, AUserPlotsCopiesPrintsAndKeepsTheirGraphs)
{
    ASSERT_NE(view, nullptr);
    ASSERT_NE(view3d, nullptr);
    ScriptedModalHook hook;

    // Add 2D Graph: y = sin(x), typed into the dialog.
    EXPECT_EQ(State(ID_PLOT2D_DRAW_TANGENT).first, 0) << "no 2-D graph selected yet";
    hook.steps = {[](CWnd* pDialog) {
        ::SetDlgItemTextA(pDialog->m_hWnd, IDC_GRAPH2D_EXPR, "sin(x)");
        ClickButton(pDialog, IDOK);
    }};
    Command(ID_PLOT2D_ADD_GRAPH);
    ASSERT_EQ(model->m_FunctionPlot.GetItemCount(), 1)
        << (hook.messages.empty() ? "" : hook.messages[0].GetString());
    EXPECT_EQ(model->m_FunctionPlot.GetItem(0)->GetExpression(), "sin(x)");
    EXPECT_EQ(model->GetSelectedKind(), Item2DGraph);
    EXPECT_EQ(State(ID_PLOT2D_DRAW_TANGENT).first, 1);
    EXPECT_EQ(State(ID_PLOT2D_AXES_NORMAL), std::make_pair(1, 1));
    CPlot2DWnd& wnd = view->GetPlotWindow(IDC_PLOT_FUNCTION);
    EXPECT_EQ(view->GetCurrentWindow(), &wnd);

    // The pointer over the curve: the status bar's pane 1 reads its place.
    CPlot2D& plot = model->m_FunctionPlot;
    const CPoint onCurve = plot.WorldToPixel(1.5, std::sin(1.5));
    CPoint screen = onCurve;
    wnd.ClientToScreen(&screen);
    ::SetCursorPos(screen.x, screen.y);
    wnd.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(onCurve.x, onCurve.y));
    const CString readOut = frame->GetStatusBar().GetPaneText(1);
    char expected[64];
    std::snprintf(expected, sizeof expected, " x = %.2f, y = %.2f", view->GetLastX(),
                  view->GetLastY());
    EXPECT_STREQ(readOut, expected);
    EXPECT_NEAR(view->GetLastX(), 1.5, 0.05);

    // Zoom in and back.
    const double xMin = plot.m_dXMin, xMax = plot.m_dXMax;
    Command(ID_PLOT2D_ZOOM_IN, view);
    EXPECT_NEAR(plot.m_dXMax - plot.m_dXMin, (xMax - xMin) / 2, 1e-9);
    Command(ID_PLOT2D_ZOOM_ORIGINAL, view);
    EXPECT_DOUBLE_EQ(plot.m_dXMin, xMin);
    EXPECT_DOUBLE_EQ(plot.m_dXMax, xMax);

    // Copy as a metafile, then as a bitmap of 640 x 480: the window owns the clipboard.
    hook.next = 0;
    hook.steps = {[](CWnd* pDialog) {
        ChooseRadio(pDialog, {IDC_COPY_METAFILE, IDC_COPY_BITMAP}, IDC_COPY_METAFILE);
        ClickButton(pDialog, IDOK);
    }};
    Command(ID_EDIT_COPY, view);
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_ENHMETAFILE));
    EXPECT_EQ(::GetClipboardOwner(), wnd.m_hWnd);
    hook.next = 0;
    hook.steps = {[](CWnd* pDialog) {
        ChooseRadio(pDialog, {IDC_COPY_METAFILE, IDC_COPY_BITMAP}, IDC_COPY_BITMAP);
        ChooseRadio(pDialog,
                    {IDC_COPY_ONSCREEN, IDC_COPY_FULLSCREEN, IDC_COPY_640, IDC_COPY_800,
                     IDC_COPY_1024, IDC_COPY_1280, IDC_COPY_1600, IDC_COPY_SPECIFY},
                    IDC_COPY_640);
        ClickButton(pDialog, IDOK);
    }};
    Command(ID_EDIT_COPY, view);
    ASSERT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
    ASSERT_TRUE(::OpenClipboard(nullptr));
    BITMAP bm = {};
    ::GetObjectA(::GetClipboardData(CF_BITMAP), sizeof bm, &bm);
    ::CloseClipboard();
    EXPECT_EQ(CSize(bm.bmWidth, bm.bmHeight), CSize(640, 480));
    EXPECT_EQ(model->m_Settings.nPlotCopyFormat, 1) << "the copy settings are kept";

    // Workspace/Insert/2D Plot copies the shown plot as a bitmap for the workspace's paste
    // (Wine's rich edit control does not take a pasted bitmap, so the text is not checked).
    frame->SetViewMask(View2DPlot | ViewWorkspace);
    Pump();
    ::OpenClipboard(nullptr);
    ::EmptyClipboard();
    ::CloseClipboard();
    Command(ID_WORKSPACE_INSERT_PLOT2D);
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_BITMAP));
    EXPECT_EQ(::GetClipboardOwner(), wnd.m_hWnd);

    // Print to a file: one PostScript page.
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string output = std::string(temp) + "zivra-plot-scenario.prn";
    ::DeleteFileA(output.c_str());
    hook.steps.clear();
    hook.onStart = [&](CWnd* pDialog) {
        if (auto* pFile = dynamic_cast<CFileDialog*>(pDialog))
            ::lstrcpynA(pFile->m_ofn.lpstrFile, output.c_str(), int(pFile->m_ofn.nMaxFile));
    };
    hook.startAnswer = IDOK;
    Command(ID_FILE_PRINT, view);
    EXPECT_EQ(CountPostScriptPages(output), 1);
    hook.onStart = nullptr;
    hook.startAnswer = 0;

    // The preview takes the frame and gives it back on Escape.
    Command(ID_FILE_PRINT_PREVIEW, view);
    auto* pPreview = dynamic_cast<CPreviewView*>(frame->GetActiveView());
    ASSERT_NE(pPreview, nullptr);
    pPreview->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    Pump();
    EXPECT_EQ(dynamic_cast<CPreviewView*>(frame->GetActiveView()), nullptr);
    EXPECT_TRUE(view->IsWindowVisible());

    // Draw Tangent at x = 0 and a Value Table, each through its analysis dialog preset from
    // the selected graph.
    doc->SelectItemByIndex(Item2DGraph, 0);
    Pump();
    hook.next = 0;
    hook.steps = {[](CWnd* pDialog) {
        ::SetDlgItemTextA(pDialog->m_hWnd, IDC_ANALYSIS_X, "0");
        ClickButton(pDialog, IDOK);
    }};
    Command(ID_PLOT2D_DRAW_TANGENT);
    ASSERT_EQ(plot.GetItemCount(), 2);
    EXPECT_EQ(plot.GetItem(1)->GetExpression(), "1*x+0");
    doc->SelectItemByIndex(Item2DGraph, 0);
    Pump();
    hook.next = 0;
    hook.steps = {[](CWnd* pDialog) { ClickButton(pDialog, IDOK); }};
    Command(ID_PLOT2D_VALUE_TABLE);
    const int table = model->FindDataTable("Value table of y = sin(x)");
    ASSERT_GE(table, 0);
    EXPECT_EQ(
        static_cast<CDataTable*>(model->GetItemObject(ItemDataTable, table))->GetColumnLength(0),
        100);

    // Add 3D Graph, then turn it and draw it as a wire frame.
    hook.next = 0;
    hook.steps = {[](CWnd* pDialog) {
        ::SetDlgItemTextA(pDialog->m_hWnd, IDC_GRAPH3D_EXPR, "sin(x)*cos(y)");
        ClickButton(pDialog, IDOK);
    }};
    Command(ID_PLOT3D_ADD_GRAPH);
    ASSERT_EQ(model->m_Scene.GetSurfaceCount(), 1);
    EXPECT_EQ(model->GetSelectedKind(), Item3DGraph);
    CSurfacePlot* surface = model->m_Scene.GetSurface(0);
    EXPECT_EQ(surface->GetExpression(), "sin(x)*cos(y)");
    const double theta = surface->m_dViewTheta;
    Command(ID_PLOT3D_ROTATE_LEFT);
    EXPECT_NEAR(surface->m_dViewTheta - theta, M_PI / 18, 1e-12);
    Command(ID_PLOT3D_STYLE_WIREFRAME);
    EXPECT_EQ(surface->m_nFillStyle, FillWireframe);
    EXPECT_EQ(State(ID_PLOT3D_STYLE_WIREFRAME), std::make_pair(1, 1));
    EXPECT_EQ(State(ID_PLOT3D_STYLE_GRADIENT), std::make_pair(1, 0));
    EXPECT_EQ(State(ID_PLOT2D_DRAW_TANGENT).first, 0) << "a 3-D graph is selected";

    // Saved and opened again: the same plot records.
    const std::string before = PlotRecords();
    const std::string path = TestFolder() + "plots.zvp";
    ASSERT_TRUE(doc->OnSaveDocument(path.c_str()));
    ASSERT_TRUE(doc->OnOpenDocument(path.c_str()));
    EXPECT_EQ(PlotRecords(), before);
    EXPECT_TRUE(hook.messages.empty()) << hook.messages[0].GetString();
}

} // namespace
