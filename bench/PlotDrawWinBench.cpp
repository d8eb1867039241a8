// Drawing times of the plots on an 800 x 600 memory device context under Windows GDI: a 2-D
// graph of 10,000 points redrawn after a range change and repainted, and a 256 x 256 surface
// in the lit style drawn first and repainted. Plain timing, median of 21 runs, printed in ms
// beside the target.
#include "bench/PlainTiming.h"
#include "engine/CalcEngine.h"
#include "engine/EngineStartup.h"
#include "framework/win/CDC.h"
#include "plot/Plot2D.h"
#include "plot/Plot3DScene.h"

#include <cstdio>

namespace {

constexpr int kRuns = 21;

void Report(const char* what, double ms, double targetMs)
{
    std::printf("%-58s %8.2f ms   target %6.1f ms   ratio %.2f %s\n", what, ms, targetMs,
                ms / targetMs, ms <= targetMs ? "ok" : "OVER");
}

// An 800 x 600 top-down 32-bit DIB selected into a memory DC.
struct BackBuffer {
    CDC dc;
    HBITMAP hBitmap = nullptr;
    HGDIOBJ hOld = nullptr;
    BackBuffer(int width, int height)
    {
        dc.CreateCompatibleDC(nullptr);
        BITMAPINFO bi = {};
        bi.bmiHeader.biSize = sizeof bi.bmiHeader;
        bi.bmiHeader.biWidth = width;
        bi.bmiHeader.biHeight = -height;
        bi.bmiHeader.biPlanes = 1;
        bi.bmiHeader.biBitCount = 32;
        bi.bmiHeader.biCompression = BI_RGB;
        void* bits = nullptr;
        hBitmap = ::CreateDIBSection(dc, &bi, DIB_RGB_COLORS, &bits, nullptr, 0);
        hOld = ::SelectObject(dc, hBitmap);
    }
    ~BackBuffer()
    {
        ::SelectObject(dc, hOld);
        ::DeleteObject(hBitmap);
    }
};

void Graph2D(CCalcEngine& engine)
{
    BackBuffer buffer(800, 600);
    CPlot2D plot;
    plot.m_pEngine = &engine;
    plot.m_nSteps = 10000;
    plot.Layout(0, 0, 800, 600);
    plot.AddFunction("sin(3*x)*x+cos(x)", "", GraphRectangular, -10, 10);
    plot.Draw(&buffer.dc);
    int run = 0;
    const double redraw = MedianMs(kRuns, [&] {
        const double shift = 0.01 * ++run;
        plot.SetRanges(-10 + shift, 10 + shift, -10, 10);
        plot.Draw(&buffer.dc);
    });
    const double repaint = MedianMs(kRuns, [&] { plot.Draw(&buffer.dc); });
    Report("2-D, 10,000 points: redraw after a range change", redraw, 10);
    Report("2-D, 10,000 points: repaint", repaint, 10);
}

void Surface3D(CCalcEngine& engine)
{
    BackBuffer buffer(800, 600);
    CPlot3DScene scene;
    scene.m_pEngine = &engine;
    scene.SetRect(0, 0, 800, 600);
    auto* surface = new CSurfacePlot;
    surface->SetResolution(100);
    surface->SetFillStyle(FillShadedGrid);
    scene.AddSurface(surface);
    std::printf("surface grid: %d x %d\n", surface->m_nRows, surface->m_nColumns);
    scene.Draw(&buffer.dc);
    const double first = MedianMs(kRuns, [&] {
        surface->m_bRebuild = TRUE;
        scene.Draw(&buffer.dc);
    });
    const double repaint = MedianMs(kRuns, [&] { scene.Draw(&buffer.dc); });
    Report("3-D, 256 x 256 lit with grid: first drawing", first, 100);
    Report("3-D, 256 x 256 lit with grid: repaint", repaint, 100);
}

} // namespace

int main()
{
    InitCalcEngine();
    CCalcEngine engine;
    Graph2D(engine);
    Surface3D(engine);
    return 0;
}
