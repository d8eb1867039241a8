// The 2-D and 3-D plot panes in a frame, with a document that records what they ask: the
// window chosen for the selection, the read-out, context menus, selections, failed graphs,
// zoom, copy, the Delete key, printing and the print preview.
#include "framework/win/CPreviewView.h"
#include "res/resource.h"
#include "tests/plot/PlotViewTestSupport.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/MenuWatcher.h"
#include "tests/support/ScriptedModalHook.h"
#include "tests/support/TestPrinter.h"

#include <algorithm>
#include <cmath>

namespace {

class PlotPaneTest : public PlotPaneFixture {
protected:
    CPlotView& View() { return *m_pFrame->PlotView(); }
    BOOL Logged(const std::string& entry) const
    {
        const auto& log = m_pDoc->m_log;
        return std::find(log.begin(), log.end(), entry) != log.end();
    }
    void Select(int kind, int index)
    {
        m_pDoc->m_nKind = kind;
        m_pDoc->m_nIndex = index;
        View().ShowPlotForSelection();
    }
    // Right-clicks a plot window at a client point: the first command of the menu opened.
    UINT RightClick(CPlot2DWnd& wnd, CPoint point)
    {
        MenuWatcher watcher;
        watcher.AttachHook(View().m_hWnd);
        wnd.ClientToScreen(&point);
        wnd.SendMessage(WM_CONTEXTMENU, WPARAM(wnd.m_hWnd), MAKELPARAM(point.x, point.y));
        Pump();
        watcher.AttachHook(nullptr);
        return watcher.firstCommand;
    }
    CPoint PixelOf(double x, double y) { return m_pDoc->m_function.WorldToPixel(x, y); }
};

TEST_F(PlotPaneTest, TheSelectionChoosesTheWindow)
{
    struct Case {
        int kind, index;
        UINT nShown;
        int nSelected; // in window 116
    };
    const Case cases[] =
        {
            {3, 1, IDC_PLOT_FUNCTION, 1},   {4, 0, IDC_PLOT_DATA, 1},
            {0, 0, IDC_PLOT_PREVIEW, 1},    {3, 0, IDC_PLOT_FUNCTION, 0},
            {15, 1, IDC_PLOT_FUNCTION, 0}, // a 3-D graph's index selects no 2-D graph
            {3, 7, IDC_PLOT_FUNCTION, 0},  // beyond the graphs: nothing happens
            {16, -1, IDC_PLOT_FUNCTION, 0},
        };
    for (const Case& c : cases) {
        Select(c.kind, c.index);
        CPlot2DWnd& shown = Shown();
        EXPECT_EQ(UINT(shown.GetDlgCtrlID()), c.nShown) << c.kind;
        EXPECT_EQ(View().GetPlotWindow(IDC_PLOT_FUNCTION).m_nSelected, c.nSelected) << c.kind;
        CRect client, window;
        View().GetClientRect(&client);
        shown.GetClientRect(&window);
        EXPECT_EQ(window.Size(), client.Size()) << "the shown window fills the pane";
        EXPECT_EQ(::GetWindow(View().m_hWnd, GW_CHILD), shown.m_hWnd) << "and is on top";
    }
}

TEST_F(PlotPaneTest, NotificationsReachTheDocument)
{
    Select(3, -1);
    CPlot2DWnd& function = Shown();
    const CPoint onSine = PixelOf(1.5, std::sin(1.5));
    function.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(onSine.x, onSine.y));
    ASSERT_FALSE(m_pDoc->m_log.empty());
    EXPECT_EQ(m_pDoc->m_log[0].rfind("coords ", 0), 0u);
    EXPECT_NEAR(View().GetLastX(), 1.5, 0.05);
    function.SendMessage(WM_MOUSELEAVE);
    EXPECT_TRUE(Logged("clear"));

    // A right click on a graph selects it in the explorer and opens the 2-D graph's menu; on
    // empty space it opens the plot's own menu.
    m_pDoc->m_log.clear();
    EXPECT_EQ(RightClick(function, onSine), UINT(ID_PLOT2D_ANALYZE));
    EXPECT_TRUE(Logged("select 3 0"));
    EXPECT_TRUE(Logged("menu 3"));
    const CPoint empty = PixelOf(-4, 2.5);
    EXPECT_EQ(RightClick(function, empty), UINT(ID_PLOT2D_ADD_GRAPH));

    // The data plot's window opens its own menu and selects nothing.
    Select(4, 0);
    m_pDoc->m_log.clear();
    EXPECT_EQ(RightClick(Shown(), CPoint(50, 50)), UINT(ID_DATAPLOT_GRAPH_PROPERTIES));
    EXPECT_FALSE(Logged("select 3 0"));

    // The Delete key removes the selected item.
    View().SendMessage(WM_KEYDOWN, VK_DELETE);
    EXPECT_TRUE(Logged("remove"));
}

TEST_F(PlotPaneTest, OnlyTheFunctionPlotsFailedGraphsAreFlagged)
{
    m_pDoc->m_data.AddFunction("cos(", "", 0, -5, 5);
    Select(4, 0);
    Pump();
    EXPECT_FALSE(std::any_of(m_pDoc->m_log.begin(), m_pDoc->m_log.end(),
                             [](const std::string& e) { return e.rfind("failed", 0) == 0; }));
    m_pDoc->m_function.AddFunction("sin(", "", 0, -5, 5);
    Select(3, -1);
    Pump();
    EXPECT_TRUE(Logged("failed 2"));
}

TEST_F(PlotPaneTest, ZoomAndRecenterActOnTheFunctionPlot)
{
    Select(3, -1);
    const CPoint p = PixelOf(2, 1);
    Shown().SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(p.x, p.y));
    Select(4, 0); // the data plot shows; zoom still works on the function plot
    const double dataRange = m_pDoc->m_data.m_dXMax - m_pDoc->m_data.m_dXMin;
    CPlot2D& plot = m_pDoc->m_function;
    View().SendMessage(WM_COMMAND, ID_PLOT2D_ZOOM_IN);
    EXPECT_NEAR(plot.m_dXMax - plot.m_dXMin, 5.0, 1e-9);
    EXPECT_DOUBLE_EQ(m_pDoc->m_data.m_dXMax - m_pDoc->m_data.m_dXMin, dataRange);
    View().SendMessage(WM_COMMAND, ID_PLOT2D_ZOOM_OUT);
    EXPECT_NEAR(plot.m_dXMax - plot.m_dXMin, 10.0, 1e-9);
    // Recenter moves the centre to the pointer's last place.
    View().SendMessage(WM_COMMAND, ID_PLOT2D_RECENTER);
    EXPECT_NEAR((plot.m_dXMax + plot.m_dXMin) / 2, View().GetLastX(), 1e-9);
    EXPECT_NEAR((plot.m_dYMax + plot.m_dYMin) / 2, View().GetLastY(), 1e-9);
    View().SendMessage(WM_COMMAND, ID_PLOT2D_ZOOM_ORIGINAL);
    EXPECT_DOUBLE_EQ(plot.m_dXMin, -5);
    EXPECT_DOUBLE_EQ(plot.m_dYMax, 3);
}

TEST_F(PlotPaneTest, PanesReportTheirSizes)
{
    m_pFrame->m_wndSplitter.SetColumnInfo(0, 250, 10);
    m_pFrame->m_wndSplitter.RecalcLayout();
    CRect r2, r3;
    View().GetClientRect(&r2);
    m_pFrame->Plot3DView()->GetClientRect(&r3);
    EXPECT_TRUE(Logged("size 1 " + std::to_string(r2.Width()) + " " + std::to_string(r2.Height())));
    EXPECT_TRUE(Logged("size 2 " + std::to_string(r3.Width()) + " " + std::to_string(r3.Height())));
}

TEST_F(PlotPaneTest, CopyAsksForTheSizeAndCopiesTheShownPlot)
{
    ScriptedModalHook hook;
    Select(3, -1);
    const CRect window = m_pDoc->m_function.m_rectWindow;
    m_pDoc->m_nCopyFormat = 1;
    m_pDoc->m_nCopyWidth = 300;
    m_pDoc->m_nCopyHeight = 200;
    View().SendMessage(WM_COMMAND, ID_EDIT_COPY);
    EXPECT_TRUE(
        Logged("copy " + std::to_string(window.Width()) + " " + std::to_string(window.Height())));
    ASSERT_TRUE(::OpenClipboard(nullptr));
    BITMAP bm = {};
    ::GetObjectA(::GetClipboardData(CF_BITMAP), sizeof bm, &bm);
    ::CloseClipboard();
    EXPECT_EQ(CSize(bm.bmWidth, bm.bmHeight), CSize(300, 200));
    EXPECT_EQ(::GetClipboardOwner(), Shown().m_hWnd);

    // Cancelled: the clipboard keeps what it had.
    m_pDoc->m_bCopyAnswer = FALSE;
    m_pDoc->m_nCopyFormat = 0;
    View().SendMessage(WM_COMMAND, ID_EDIT_COPY);
    EXPECT_FALSE(::IsClipboardFormatAvailable(CF_ENHMETAFILE));

    // The 3-D pane asks with the scene's size and copies the scene.
    m_pDoc->m_bCopyAnswer = TRUE;
    m_pDoc->m_nCopyWidth = 0;
    const RECT& scene = m_pDoc->m_scene.m_rect;
    m_pFrame->Plot3DView()->SendMessage(WM_COMMAND, ID_EDIT_COPY);
    EXPECT_TRUE(Logged("copy " + std::to_string(scene.right - scene.left) + " " +
                       std::to_string(scene.bottom - scene.top)));
    EXPECT_TRUE(::IsClipboardFormatAvailable(CF_ENHMETAFILE));
    EXPECT_EQ(::GetClipboardOwner(), m_pFrame->Plot3DView()->GetPlotWindow().m_hWnd);
    EXPECT_TRUE(hook.messages.empty());
}

TEST_F(PlotPaneTest, TheSurfaceShowsAndItsMenuIsTheGraphKinds)
{
    CPlot3DView& view3d = *m_pFrame->Plot3DView();
    view3d.Refresh();
    Pump();
    const CDibImage image = AfxPrintClientToDib(&view3d.GetPlotWindow());
    const COLORREF back = image.Pixel(1, 1);
    const long painted = std::count_if(image.pixels.begin(), image.pixels.end(), [&](DWORD px) {
        return RGB(px >> 16, px >> 8 & 0xFF, px & 0xFF) != back;
    });
    EXPECT_GT(painted, long(image.pixels.size() / 20)) << "the surface covers part of the pane";

    MenuWatcher watcher;
    watcher.AttachHook(view3d.m_hWnd);
    view3d.GetPlotWindow().SendMessage(WM_CONTEXTMENU, 0, MAKELPARAM(-1, -1));
    Pump();
    watcher.AttachHook(nullptr);
    EXPECT_TRUE(Logged("menu 15"));
    EXPECT_NE(watcher.firstCommand, 0u);
}

// --- printing --------------------------------------------------------------------------------

class PlotPrintTest : public PlotPaneTest {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(InstallTestPrinters()); }
};

TEST_F(PlotPrintTest, ThePlotPrintsOnOnePageAndKeepsItsWindowLayout)
{
    ScriptedModalHook hook;
    char temp[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, temp);
    const std::string output = std::string(temp) + "zivra-plot-print.prn";
    ::DeleteFileA(output.c_str());
    hook.ChooseFile(output);
    Select(3, -1);
    const CRect window = m_pDoc->m_function.m_rectWindow;
    View().SendMessage(WM_COMMAND, ID_FILE_PRINT);
    EXPECT_EQ(CountPostScriptPages(output), 1);
    EXPECT_EQ(m_pDoc->m_function.m_rectWindow, window);
    EXPECT_TRUE(hook.messages.empty());
}

TEST_F(PlotPrintTest, ThePreviewShowsThePlotOnItsPage)
{
    Select(3, -1);
    m_pDoc->m_function.GetItem(0)->m_crColour = RGB(255, 0, 0);
    m_pDoc->m_function.GetItem(0)->m_nPenWidth = 3;
    View().SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW);
    auto* pPreview = dynamic_cast<CPreviewView*>(m_pFrame->GetActiveView());
    ASSERT_NE(pPreview, nullptr);
    const CDibImage image = AfxPrintClientToDib(pPreview);
    const CRect paper = pPreview->GetPaperRect(0);
    int red = 0;
    for (int y = std::max(0L, paper.top); y < std::min(long(image.height), paper.bottom); ++y)
        for (int x = std::max(0L, paper.left); x < std::min(long(image.width), paper.right); ++x) {
            const COLORREF c = image.Pixel(x, y);
            red += GetRValue(c) > 200 && GetGValue(c) < 120 && GetBValue(c) < 120;
        }
    EXPECT_GT(red, 20) << "the sine curve on the page";
    pPreview->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    Pump();
    EXPECT_EQ(m_pFrame->GetActiveView(), &View());
    EXPECT_TRUE(::IsWindowVisible(m_pFrame->m_wndSplitter.m_hWnd));
}

} // namespace
