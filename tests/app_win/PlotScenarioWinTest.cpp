// The plots in the real main frame as a user works with them: a graph added through its
// dialog, the pointer's read-out in the status bar, zoom, copies in both formats, printing to a
// file and the preview, a 3-D graph added, turned and restyled, the menus' states, the project
// saved and opened again with the same plots; graphs drawn again when the angle mode or a
// variable changes, agreeing with their analysis; a fitted line's data plot over the data's own
// range with its edge markers whole.
#include "analysis/ResultsDlg.h"
#include "engine/EngineNames.h"
#include "framework/core/CArchive.h"
#include "framework/core/CFile.h"
#include "framework/win/CCmdUI.h"
#include "framework/win/CPreviewView.h"
#include "framework/win/CPropertySheet.h"
#include "plot/Plot3DView.h"
#include "plot/PlotView.h"
#include "res/resource.h"
#include "tests/app_win/ShellTestApp.h"
#include "tests/plot/PlotCurvePixels.h"
#include "tests/support/ScriptedModalHook.h"
#include "tests/support/TestPrinter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

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

    // Tools > Options > General with an angle mode's button clicked, then OK.
    void ChooseAngleMode(ScriptedModalHook& hook, int nRadio)
    {
        hook.next = 0;
        hook.steps = {[nRadio](CWnd* pWnd) {
            auto* pSheet = dynamic_cast<CPropertySheet*>(pWnd);
            ASSERT_NE(pSheet, nullptr);
            pSheet->GetActivePage()->GetDlgItem(nRadio)->SendMessage(BM_CLICK);
            pSheet->PressButton(PSBTN_OK);
        }};
        Command(ID_TOOLS_OPTIONS);
    }
    // Where the curve last drawn crosses zero: between two valid samples of opposite signs.
    static std::vector<double> DrawnZeros(const CFunctionPlot& graph)
    {
        std::vector<double> zeros;
        const std::vector<PlotPoint>& p = graph.m_points;
        for (std::size_t i = 1; i < p.size(); ++i)
            if (!p[i - 1].bInvalid && !p[i].bInvalid && (p[i - 1].y < 0) != (p[i].y < 0))
                zeros.push_back((p[i - 1].x + p[i].x) / 2);
        return zeros;
    }
    // Draw Tangent of 2-D graph i at x = 0 through its dialog.
    void DrawTangentAtZero(ScriptedModalHook& hook, int i)
    {
        doc->SelectItemByIndex(Item2DGraph, i);
        Pump();
        hook.next = 0;
        hook.steps = {[](CWnd* pDialog) {
            ::SetDlgItemTextA(pDialog->m_hWnd, IDC_ANALYSIS_X, "0");
            ClickButton(pDialog, IDOK);
        }};
        Command(ID_PLOT2D_DRAW_TANGENT);
    }
    // Find Zeros over [-6, 6] through its dialog: the x of each zero its report lists.
    std::vector<double> ReportedZeros(ScriptedModalHook& hook)
    {
        std::vector<double> zeros;
        hook.next = 0;
        hook.steps = {
            [](CWnd* p) {
                ::SetDlgItemTextA(p->m_hWnd, IDC_ANALYSIS_MIN, "-6");
                ::SetDlgItemTextA(p->m_hWnd, IDC_ANALYSIS_MAX, "6");
                ::SetDlgItemTextA(p->m_hWnd, IDC_ANALYSIS_STEPS, "200");
                ::SetDlgItemTextA(p->m_hWnd, IDC_ANALYSIS_ACCURACY, "5");
                ClickButton(p, IDOK);
            },
            [&](CWnd* p) {
                CGridCtrl& grid = static_cast<CResultsDlg*>(p)->GetGrid();
                for (int r = 1; r < grid.GetRowCount(); ++r) {
                    const std::string text = grid.GetItemText(r, 1).GetString();
                    if (const std::size_t at = text.find("(x = "); at != std::string::npos)
                        zeros.push_back(std::strtod(text.c_str() + at + 5, nullptr));
                }
                ClickButton(p, IDCANCEL);
            },
        };
        Command(ID_PLOT2D_FIND_ZEROS);
        return zeros;
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
    hook.ChooseFile(output);
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
    DrawTangentAtZero(hook, 0);
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

TEST_F(PlotScenario, GraphsAreDrawnInTheAngleModeTheirAnalysisUses)
{
    ScriptedModalHook hook;
    CCalcEngine& engine = model->m_Engine;
    engine.m_nAngleMode = AngleRadians; // whatever earlier tests left behind
    ASSERT_TRUE(doc->ExecuteLine("PLOT(sin(x), -6, 6)"));
    Pump();
    ASSERT_EQ(model->m_FunctionPlot.GetItemCount(), 1);
    const CFunctionPlot& sine = *model->m_FunctionPlot.GetItem(0);
    CPlot2DWnd& wnd = view->GetPlotWindow(IDC_PLOT_FUNCTION);

    // In radians the curve crosses zero at -pi, 0 and pi; in degrees only at 0. What the pane
    // shows after each OK is what Find Zeros reports.
    const struct {
        int radio;
        std::size_t zeros;
    } modes[] = {{IDC_ANGLE_RADIAN, 3}, {IDC_ANGLE_DEGREE, 1}};
    for (const auto& m : modes) {
        ChooseAngleMode(hook, m.radio);
        AfxPrintClientToDib(&wnd);
        const std::vector<double> drawn = DrawnZeros(sine);
        const std::vector<double> reported = ReportedZeros(hook);
        ASSERT_EQ(drawn.size(), m.zeros) << m.radio;
        ASSERT_EQ(reported.size(), drawn.size()) << m.radio;
        for (std::size_t i = 0; i < drawn.size(); ++i)
            EXPECT_NEAR(reported[i], drawn[i], 12.0 / 399) << m.radio;
    }

    // A surface added in degrees is all but flat; after OK in radians the pane draws it from
    // -1 to 1, each vertex the engine's value; Graph Properties > OK rebuilds it as well.
    hook.next = 0;
    hook.steps = {[](CWnd* p) {
        ::SetDlgItemTextA(p->m_hWnd, IDC_GRAPH3D_EXPR, "sin(x)*cos(y)");
        ClickButton(p, IDOK);
    }};
    Command(ID_PLOT3D_ADD_GRAPH);
    ASSERT_EQ(model->m_Scene.GetSurfaceCount(), 1);
    frame->SetViewMask(View2DPlot | View3DPlot);
    Pump();
    const CSurfacePlot& surface = *model->m_Scene.GetSurface(0);
    auto drawnPeak = [&] {
        AfxPrintClientToDib(&view3d->GetPlotWindow());
        double peak = 0, x = 0, y = 0;
        for (const VertexRecord& v : surface.m_grid)
            if (std::fabs(v.z + surface.m_dZCentre) > peak) {
                peak = std::fabs(v.z + surface.m_dZCentre);
                x = v.x + surface.m_dXCentre;
                y = v.y + surface.m_dYCentre;
            }
        engine.SetExpression(surface.GetExpression());
        EXPECT_EQ(engine.Parse(), 0);
        g_IndependentVariables[0].dValue = x;
        g_IndependentVariables[1].dValue = y;
        EXPECT_NEAR(std::fabs(engine.Evaluate()), peak, 1e-9) << "at " << x << ", " << y;
        return peak;
    };
    EXPECT_LT(drawnPeak(), 0.06) << "sin(3 degrees) at most";
    ChooseAngleMode(hook, IDC_ANGLE_RADIAN);
    EXPECT_GT(drawnPeak(), 0.99);
    engine.m_nAngleMode = AngleDegrees; // unseen by the panes
    hook.next = 0;
    hook.steps = {[](CWnd* p) { ClickButton(p, IDOK); }};
    Command(ID_PLOT3D_GRAPH_PROPERTIES);
    EXPECT_LT(drawnPeak(), 0.06);
    engine.m_nAngleMode = AngleRadians; // as the settings hold it

    // A user function defined again in the workspace: the graph that calls it is drawn again
    // at once.
    ASSERT_TRUE(doc->ExecuteLine("half(p) = p/2"));
    ASSERT_TRUE(doc->ExecuteLine("PLOT(half(x), -6, 6)"));
    frame->SetViewMask(View2DPlot | View3DPlot);
    Pump();
    ASSERT_EQ(model->m_FunctionPlot.GetItemCount(), 2) << doc->GetLineError().nCode;
    const CFunctionPlot& line = *model->m_FunctionPlot.GetItem(1);
    AfxPrintClientToDib(&wnd);
    EXPECT_DOUBLE_EQ(line.m_points.back().y, 3);
    ASSERT_TRUE(doc->ExecuteLine("half(p) = p*2"));
    AfxPrintClientToDib(&wnd);
    EXPECT_DOUBLE_EQ(line.m_points.back().y, 12);
    EXPECT_TRUE(hook.messages.empty()) << hook.messages[0].GetString();
}

// The curves of a new project drawn where their values lie whatever changes the x range: a
// sine over a million units, the plot's page, zoom, derivative and tangent graphs added, the
// project saved and opened again, and the plot printed.
TEST_F(PlotScenario, CurvesAreDrawnWhereTheirValuesLieWhateverTheXRange)
{
    ScriptedModalHook hook;
    CPlot2D& plot = model->m_FunctionPlot;
    CPlot2DWnd& wnd = view->GetPlotWindow(IDC_PLOT_FUNCTION);
    // The window as the user sees it, without the marks of the selected graph.
    const auto screen = [&] {
        wnd.Refresh(FALSE);
        wnd.ClearSelection(FALSE);
        return AfxPrintClientToDib(&wnd);
    };
    for (const char* line :
         {"PLOT(r = 1 + cos(t), 0, 2*pi)", "PLOT(x = cos(t); y = sin(2*t), 0, 2*pi)"})
        ASSERT_TRUE(doc->ExecuteLine(line));
    Pump();
    ASSERT_EQ(plot.GetItemCount(), 2) << doc->GetLineError().nCode;
    screen(); // drawn at the first ranges
    ASSERT_TRUE(doc->ExecuteLine("PLOT(sin(x), -1e6, 1e6)"));
    Pump();
    ASSERT_EQ(plot.GetItemCount(), 3);
    std::vector<KnownCurve> curves = {Cardioid(plot.GetItem(0)->m_crColour),
                                      FigureEight(plot.GetItem(1)->m_crColour)};
    // Both are squeezed into the middle column, where the sine's aliased samples cover them.
    curves[0].bCovered = curves[1].bCovered = true;
    ExpectCurvesWhereTheyLie(screen(), plot, curves, "the sine's range of +-1e6");
    curves[0].bCovered = curves[1].bCovered = false;

    // The plot's page: x from -3 to 3, y from -2 to 2.
    hook.steps = {[](CWnd* pWnd) {
        auto* pSheet = dynamic_cast<CPropertySheet*>(pWnd);
        ASSERT_NE(pSheet, nullptr);
        CWnd* pPage = pSheet->GetActivePage();
        const std::pair<int, const char*> fields[] = {{IDC_PLOTPAGE_XMIN, "-3"},
                                                      {IDC_PLOTPAGE_XMAX, "3"},
                                                      {IDC_PLOTPAGE_YMIN, "-2"},
                                                      {IDC_PLOTPAGE_YMAX, "2"}};
        for (const auto& [nID, text] : fields)
            ::SetDlgItemTextA(pPage->m_hWnd, nID, text);
        pSheet->PressButton(PSBTN_OK);
    }};
    Command(ID_PLOT2D_OPTIONS);
    ASSERT_EQ(plot.m_dXMin, -3);
    const auto sine = [](double x) { return std::sin(x); };
    curves.push_back(GraphOf("the sine", sine, *plot.GetItem(2)));
    const auto check = [&](const std::string& what) {
        curves[2] = GraphOf("the sine", sine, *plot.GetItem(2));
        ExpectCurvesWhereTheyLie(screen(), plot, curves, what);
    };
    check("the plot's page at [-3, 3]");
    Command(ID_PLOT2D_ZOOM_IN, view);
    check("zoomed in");
    Command(ID_PLOT2D_ZOOM_ORIGINAL, view);
    check("zoomed back");

    // The sine's derivative, recoloured apart from the sine, and its tangent at 0.
    doc->SelectItemByIndex(Item2DGraph, 2);
    Pump();
    Command(ID_PLOT2D_DRAW_DERIVATIVE);
    ASSERT_EQ(plot.GetItemCount(), 4);
    plot.GetItem(3)->SetColour(RGB(160, 0, 160));
    DrawTangentAtZero(hook, 2);
    ASSERT_EQ(plot.GetItemCount(), 5);
    curves.push_back(GraphOf(
        "the derivative", [](double x) { return std::cos(x); }, *plot.GetItem(3)));
    curves.push_back(GraphOf(
        "the tangent", [](double x) { return x; }, *plot.GetItem(4)));
    check("with the derivative and the tangent");

    const std::string path = TestFolder() + "curves.zvp";
    ASSERT_TRUE(doc->OnSaveDocument(path.c_str()));
    ASSERT_TRUE(doc->OnOpenDocument(path.c_str()));
    Pump();
    ASSERT_EQ(plot.GetItemCount(), 5);
    check("saved and opened again");

    // Printed on a page of its own size.
    const CRect window = plot.m_rectWindow;
    CPrintInfo info;
    info.m_rectDraw = CRect(0, 0, 520, 380);
    const CDibImage page = AfxDrawToDib(520, 380, [&](CDC& dc) { view->OnPrint(&dc, &info); });
    plot.Layout(0, 0, 520, 380);
    ExpectCurvesWhereTheyLie(page, plot, curves, "printed");
    plot.Layout(window.left, window.top, window.right, window.bottom);
    EXPECT_TRUE(hook.messages.empty()) << hook.messages[0].GetString();
}

TEST_F(PlotScenario, AFittedLineKeepsTheDataRangeAndDrawsItsEdgeMarkersWhole)
{
    ScriptedModalHook hook;
    AddLineTable("Table1", 6); // x = 1 .. 6, y = 1 + 2x
    Command(ID_FIT_LINE);
    ASSERT_EQ(model->GetSelectedKind(), ItemDataGraph);
    const CPlot2D& plot = model->m_DataPlot;
    ASSERT_EQ(plot.GetItemCount(), 1);
    const CFunctionPlot& graph = *plot.GetItem(0);
    EXPECT_EQ(plot.m_dXMin, 1);
    EXPECT_EQ(plot.m_dXMax, 6);
    EXPECT_EQ(graph.m_dDomainMin, 1);
    EXPECT_EQ(graph.m_dDomainMax, 6);
    std::string xMin, xMax;
    hook.steps = {[&](CWnd* p) {
        xMin = DlgItemText(p, IDC_GRAPH2D_MIN);
        xMax = DlgItemText(p, IDC_GRAPH2D_MAX);
        ClickButton(p, IDCANCEL);
    }};
    Command(ID_VIEW_PROPERTIES);
    EXPECT_EQ(xMin, "1");
    EXPECT_EQ(xMax, "6");

    // The markers on the ends of the x range overhang the plot rectangle whole: a line of the
    // fit may cross one, but no edge cuts it.
    frame->SetViewMask(View2DPlot | View3DPlot);
    Pump();
    const CDibImage image = AfxPrintClientToDib(&view->GetPlotWindow(IDC_PLOT_DATA));
    for (double x : {1.0, 6.0}) {
        const CPoint p = plot.WorldToPixel(x, 1 + 2 * x);
        int black = 0;
        for (int py = p.y - 4; py < p.y + 4; ++py)
            for (int px = p.x - 4; px < p.x + 4; ++px)
                black += image.Pixel(px, py) == RGB(0, 0, 0);
        EXPECT_GE(black, 56) << "marker at x = " << x << ", pixel " << p.x << ", " << p.y;
    }
    EXPECT_LT(plot.WorldToPixelX(1) - 4, plot.m_rectPlot.left);
    EXPECT_GT(plot.WorldToPixelX(6) + 3, plot.m_rectPlot.right - 1);
    EXPECT_TRUE(hook.messages.empty()) << hook.messages[0].GetString();
}

} // namespace
