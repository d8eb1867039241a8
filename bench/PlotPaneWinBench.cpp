// The 2-D plot pane in the program's main frame under Wine, one graph of 1,000 points in an
// 800 x 600 pane, medians beside the 60-per-second target (16.7 ms):
//   1. a pointer move through the plot window, the view and the status bar's read-out, with
//      the number of moves that made the plot render again (it should be none);
//   2. Zoom In and Zoom Out, each followed by UpdateWindow of the pane.
// Run: tools/wine-run build-win-bench/bench/PlotPaneWinBench.exe
#include "bench/BenchMainFrame.h"
#include "bench/PlainTiming.h"
#include "plot/PlotView.h"
#include "res/resource.h"

#include <cmath>
#include <cstdio>

namespace {

CMathApp theBenchApp("Zivra Plot Bench");

constexpr int kMoves = 1000;
constexpr int kZooms = 100;
constexpr double kTargetMs = 1000.0 / 60;

} // namespace

int main()
{
    CBenchMainFrame bench(theBenchApp, "zivra-bench-plot-users.dat");
    CMainFrame* frame = bench.frame;
    CMyDocument* doc = bench.doc;
    if (!doc)
        return 1;
    frame->SetViewMask(View2DPlot);
    frame->ShowWindow(SW_SHOW);
    // The frame grown until the pane is 800 x 600.
    auto* view = dynamic_cast<CPlotView*>(frame->Get2DPlotView());
    CRect pane, outer;
    view->GetClientRect(&pane);
    frame->GetWindowRect(&outer);
    frame->SetWindowPos(nullptr, 0, 0, outer.Width() + 800 - pane.Width(),
                        outer.Height() + 600 - pane.Height(), SWP_NOZORDER | SWP_NOMOVE);
    Pump();
    view->GetClientRect(&pane);

    ProjectModel& model = doc->GetModel();
    model.m_FunctionPlot.m_nSteps = 1000;
    auto* graph = new CFunctionPlot;
    graph->SetDefinition("sin(x)*exp(-x^2/50)", "", GraphRectangular, -10, 10);
    doc->AddResultItem(Item2DGraph, graph);
    Pump();
    CPlot2DWnd* wnd = view->GetCurrentWindow();
    wnd->UpdateWindow();

    int move = 0, renders = 0;
    const double moveMs = MedianMs(kMoves, [&] {
        const int x = 10 + move % 780, y = 10 + (move * 7) % 580;
        ++move;
        wnd->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
        frame->GetStatusBar().UpdateWindow();
        renders += wnd->m_bStale ? 1 : 0;
    });
    int zoom = 0, zoomRenders = 0;
    const double zoomMs = MedianMs(kZooms, [&] {
        view->SendMessage(WM_COMMAND, (zoom++ % 2) ? ID_PLOT2D_ZOOM_OUT : ID_PLOT2D_ZOOM_IN);
        view->UpdateWindow();
        wnd->UpdateWindow();
        zoomRenders += wnd->m_bStale ? 0 : 1;
    });

    std::printf("2-D pane %d x %d, one graph of %d points\n", pane.Width(), pane.Height(),
                model.m_FunctionPlot.m_nSteps);
    PrintAgainstTarget("pointer move to read-out", moveMs, kTargetMs);
    std::printf("renders during %d moves: %d\n", kMoves, renders);
    PrintAgainstTarget("zoom in/out and update", zoomMs, kTargetMs);
    std::printf("zooms drawn before the next: %d of %d\n", zoomRenders, kZooms);
    return 0;
}
