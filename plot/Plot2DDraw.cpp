// Layout and drawing of a 2-D plot: background, axes, ticks, labels, grid and graphs.
#include "engine/LocaleSeparators.h"
#include "engine/NumberText.h"
#include "plot/NiceNumbers.h"
#include "plot/Plot2D.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr COLORREF kRed = 0x0000FF;
constexpr COLORREF kAutoGridColour = 0xE6E6E6;
// More ticks than this in one drawing: the automatic step serves that drawing instead.
constexpr double kMaxTicks = 1000;
// Bound of the tick loops whatever the rounding of the tick values.
constexpr int kTickLoopLimit = 1010;

bool Near(long long a, long long b, long long d) { return std::llabs(a - b) < d; }

// Sizes read from a file are bounded before they meet pixel arithmetic.
int Bounded(int v) { return std::clamp(v, -1000, 1000); }

// Whether a label would cover one drawn, or stand less than a blank (gap) beside it.
bool Overlaps(const CRect& rect, const std::vector<CRect>& drawn, int gap)
{
    return IntersectsAny(rect, drawn.data(), drawn.size(), gap);
}

CString PrintG(double v) { return numtext::Printf("%g", v, GetLocaleSeparators().chDecimal); }

} // namespace

// ---- layout ----------------------------------------------------------------------------

void CPlot2D::Layout(int left, int top, int right, int bottom)
{
    m_rectWindow.SetRect(left, top, right, bottom);
    const long long w = (long long)right - left, h = (long long)bottom - top;
    const int p = std::clamp(m_nAreaPercent, 1, 100);
    m_nMarginX = int(w * (100 - p) / 100 / 2);
    m_nMarginY = int(h * (100 - p) / 100 / 2);
    ComputePlotRect();
}

CSize CPlot2D::MeasureFrameLabel(CPlotCanvas* pCanvas)
{
    LOGFONTA font = m_axes.m_fonts[0].m_logFont;
    if (m_pOwner) {
        font.lfHeight = LONG(std::lround(font.lfHeight * m_dLabelScale));
        m_sizeFrameLabel = m_pOwner->MeasureText(font, "23");
    } else if (pCanvas) {
        pCanvas->SetFont(font);
        m_sizeFrameLabel = pCanvas->MeasureText("23");
    }
    return m_sizeFrameLabel; // else the last measured size
}

void CPlot2D::ComputePlotRect()
{
    m_nMarginX = m_nMarginY = std::min(m_nMarginX, m_nMarginY);
    const int border = std::clamp(m_nBorder, 0, 32);
    CRect r = m_rectWindow;
    r.DeflateRect(m_nMarginX + border, m_nMarginY + border);
    if (m_axes.m_nAxisType == AxisTypeFrame) {
        const CSize size = MeasureFrameLabel(m_pDrawingCanvas);
        r.left += size.cx + 5;
        r.bottom -= size.cy + 5;
    }
    if (r == m_rectPlot)
        return;
    m_rectPlot = r;
    RecomputeScales();
}

// ---- drawing ---------------------------------------------------------------------------

void CPlot2D::DrawBackground(CPlotCanvas& canvas)
{
    canvas.FillRect(m_rectWindow,
                    m_crBackColor == kAutomaticColour ? 0xFFFFFF : m_crBackColor & 0xFFFFFF);
    const int border = std::clamp(m_nBorder, 0, 32);
    if (border < 1)
        return;
    canvas.SetPen(PlotPen{PlotPenInsideFrame, border, kRed, false});
    CRect r = m_rectWindow;
    r.DeflateRect(border, border);
    const POINT frame[] = {{r.left, r.top},
                           {r.right, r.top},
                           {r.right, r.bottom},
                           {r.left, r.bottom},
                           {r.left, r.top}};
    canvas.Polyline(frame, 5);
}

BOOL CPlot2D::Draw(CPlotCanvas& canvas, double dLabelScale)
{
    if (!m_pEngine)
        return TRUE;
    m_dLabelScale = dLabelScale > 0 && std::isfinite(dLabelScale) ? dLabelScale : 1.0;
    m_pDrawingCanvas = &canvas;
    Layout(m_rectWindow.left, m_rectWindow.top, m_rectWindow.right, m_rectWindow.bottom);
    DrawBackground(canvas);
    m_nFailedItem = -1;
    if (m_rectPlot.right <= m_rectPlot.left || m_rectPlot.bottom <= m_rectPlot.top) {
        m_pDrawingCanvas = nullptr;
        return TRUE; // no room: background only
    }
    // Fitting first, so that the axes show the ranges the graphs are drawn in.
    if (m_bAutoFit)
        FitToItems();
    DrawAxes(canvas);
    const RECT clip = m_rectPlot;
    canvas.SetClipRect(&clip);
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (!m_items[i]->Draw(canvas)) {
            m_nFailedItem = int(i);
            if (m_pOwner)
                m_pOwner->OnItemDrawFailed(int(i));
        }
    }
    canvas.SetClipRect(nullptr);
    m_pDrawingCanvas = nullptr;
    return m_nFailedItem == -1;
}

// The first tick at or below the minimum's multiple of the step, and the step itself: the
// stored interval, or the automatic one when it is not usable for this range.
static void TickStart(double lo, double hi, double stored, bool automatic, double& first,
                      double& step)
{
    const double autoStep = NiceStep(0.125 * (hi - lo));
    step = automatic ? autoStep : stored;
    if (!(step > 0) || !std::isfinite(step) || (hi - lo) / step > kMaxTicks)
        step = autoStep;
    first = std::trunc(lo / step) * step;
}

void CPlot2D::DrawAxes(CPlotCanvas& canvas)
{
    CPlotAxes& a = m_axes;
    canvas.SetPen(a.m_axisLine.GetPen());
    const COLORREF textColour = a.m_fonts[0].m_crTextColour;
    canvas.SetTextColour(textColour == kAutomaticColour ? 0 : textColour & 0xFFFFFF);
    m_dXRange = m_dXMax - m_dXMin;
    m_dYRange = m_dYMax - m_dYMin;
    m_xLabelRects.clear();
    m_yLabelRects.clear();
    const int xl = WorldToPixelX(m_dXMin), xr = WorldToPixelX(m_dXMax);
    const int yb = WorldToPixelY(m_dYMin), yt = WorldToPixelY(m_dYMax);
    if (a.m_bBoxed) {
        const POINT box[] = {{xl, yt}, {xl, yb}, {xr, yb}, {xr, yt}, {xl, yt}};
        canvas.Polyline(box, 5);
    }
    if (a.m_nAxisType == AxisTypeNone)
        return;
    switch (a.m_nAxisType) {
    case AxisTypeNormal:
        a.m_dCrossX = (m_dXMin > 0 || m_dXMax < 0) ? m_dXMin : 0;
        a.m_dCrossY = (m_dYMin > 0 || m_dYMax < 0) ? m_dYMin : 0;
        break;
    case AxisTypeFrame:
    case AxisTypeFrameInside:
        a.m_dCrossX = m_dXMin;
        a.m_dCrossY = m_dYMin;
        break;
    default:
        a.m_dCrossX = a.m_dCrossY = 0;
        break;
    }
    const int cx = a.m_nYAxisPixel = WorldToPixelX(a.m_dCrossX);
    const int cy = a.m_nXAxisPixel = WorldToPixelY(a.m_dCrossY);
    canvas.Line(xl, cy, xr, cy);
    canvas.Line(cx, yb, cx, yt);
    if (a.m_bShowArrows) {
        const int xLen = Bounded(a.m_nXArrowLength), xHalf = Bounded(a.m_nXArrowHalfWidth);
        const int yLen = Bounded(a.m_nYArrowLength), yHalf = Bounded(a.m_nYArrowHalfWidth);
        canvas.Line(xr, cy, xr - xLen, cy - xHalf);
        canvas.Line(xr, cy, xr - xLen, cy + xHalf);
        canvas.Line(cx, yt, cx - yHalf, yt + yLen);
        canvas.Line(cx, yt, cx + yHalf, yt + yLen);
    }
    LOGFONTA font = a.m_fonts[0].m_logFont;
    font.lfHeight = LONG(std::lround(font.lfHeight * m_dLabelScale));
    canvas.SetFont(font);
    m_nLabelGap = canvas.MeasureText(" ").cx;
    if (a.m_bShowAxisNames) {
        DrawXTickLabel(canvas, m_dXMax - 0.01 * m_dXRange, "x");
        DrawYTickLabel(canvas, m_dYMax - 0.01 * m_dYRange, "y");
    }
    double x0, xStep, y0, yStep;
    TickStart(m_dXMin, m_dXMax, a.m_dXTickInterval, a.m_bAutoTicks, x0, xStep);
    TickStart(m_dYMin, m_dYMax, a.m_dYTickInterval, a.m_bAutoTicks, y0, yStep);
    if (a.m_bAutoTicks) {
        a.m_dXTickInterval = xStep;
        a.m_dYTickInterval = yStep;
    }
    DrawTicksAndGrid(canvas, x0, xStep, y0, yStep);
}

void CPlot2D::DrawTicksAndGrid(CPlotCanvas& canvas, double x0, double xStep, double y0,
                               double yStep)
{
    CPlotAxes& a = m_axes;
    const int cx = a.m_nYAxisPixel, cy = a.m_nXAxisPixel;
    const int xHalf = Bounded(a.m_nXTickHalfLength), yHalf = Bounded(a.m_nYTickHalfLength);
    // Ticks close to the maximum get neither mark nor label; a first tick below the minimum
    // would mark a place outside the plot and label the edge with its value.
    auto walk = [](double first, double step, double lo, double hi, double range, auto&& visit) {
        for (int i = 0; i <= kTickLoopLimit; ++i) {
            const double t = first + i * step;
            if (t > hi)
                break;
            if (t >= lo - 1e-9 * range && std::fabs(t - hi) >= 0.005 * range)
                visit(t);
        }
    };
    auto xTicks = [&](auto&& visit) { walk(x0, xStep, m_dXMin, m_dXMax, m_dXRange, visit); };
    auto yTicks = [&](auto&& visit) { walk(y0, yStep, m_dYMin, m_dYMax, m_dYRange, visit); };
    if (a.m_bShowTicks) {
        xTicks([&](double t) {
            const int px = WorldToPixelX(t);
            canvas.Line(px, cy - xHalf, px, cy + xHalf);
        });
        yTicks([&](double t) {
            const int py = WorldToPixelY(t);
            canvas.Line(cx - yHalf, py, cx + yHalf, py);
        });
    }
    if (a.m_bShowGrid) {
        canvas.SetPen(a.m_gridLine.GetPen(kAutoGridColour, PlotPenDot));
        const bool edgesX = a.m_bBoxed || m_nMarginX == 0;
        const bool edgesY = a.m_bBoxed || m_nMarginY == 0;
        const int xl = WorldToPixelX(m_dXMin), xr = WorldToPixelX(m_dXMax);
        const int yb = WorldToPixelY(m_dYMin), yt = WorldToPixelY(m_dYMax);
        xTicks([&](double t) {
            const int px = WorldToPixelX(t);
            if (Near(px, cx, 1) ||
                (edgesX && (Near(px, m_rectPlot.left, 2) || Near(px, m_rectPlot.right, 2))))
                return;
            canvas.Line(px, yb, px, yt);
        });
        yTicks([&](double t) {
            const int py = WorldToPixelY(t);
            if (Near(py, cy, 1) ||
                (edgesY && (Near(py, m_rectPlot.top, 2) || Near(py, m_rectPlot.bottom, 2))))
                return;
            canvas.Line(xl, py, xr, py);
        });
    }
    // Labels last, so that they lie above the grid.
    if (a.m_bShowLabels && (a.m_bShowTicks || a.m_bShowGrid)) {
        xTicks([&](double t) { DrawXTickLabel(canvas, t, CString()); });
        yTicks([&](double t) { DrawYTickLabel(canvas, t, CString()); });
    }
}

void CPlot2D::DrawXTickLabel(CPlotCanvas& canvas, double x, const CString& text)
{
    if (m_dXRange != 0 && std::fabs(x / m_dXRange) < 1e-15)
        x = 0;
    const CString label = text.IsEmpty() ? PrintG(x) : text;
    const CSize size = canvas.MeasureText(label);
    const int half = Bounded(m_axes.m_nXTickHalfLength);
    const int cy = m_axes.m_nXAxisPixel;
    int top = cy + half + 2;
    if (m_axes.m_nAxisType != AxisTypeFrame && top + size.cy > m_rectPlot.bottom)
        top = cy - half - size.cy;
    int left = WorldToPixelX(x) - size.cx / 2;
    left = std::max<int>(left, m_rectPlot.left + 4);
    if (left + size.cx > m_rectPlot.right - 4)
        left = m_rectPlot.right - size.cx - 4;
    if (x == 0)
        left += size.cx / 2 + 4; // right of the y axis
    const CRect rect(left, top, left + size.cx, top + size.cy);
    if (label != "x" && Overlaps(rect, m_xLabelRects, m_nLabelGap))
        return; // the name, or a label before it where the plot is too narrow for them all
    m_xLabelRects.push_back(rect);
    canvas.TextOut(left, top, label);
}

void CPlot2D::DrawYTickLabel(CPlotCanvas& canvas, double y, const CString& text)
{
    if (m_dYRange != 0 && std::fabs(y / m_dYRange) < 1e-15)
        y = 0;
    const int cx = m_axes.m_nYAxisPixel, cy = m_axes.m_nXAxisPixel;
    const int py = WorldToPixelY(y);
    if (Near(py, cy, 1))
        return; // where the x axis runs
    const CString label = text.IsEmpty() ? PrintG(y) : text;
    const CSize size = canvas.MeasureText(label);
    const int half = Bounded(m_axes.m_nYTickHalfLength);
    int left = cx - half - size.cx - 2;
    if (m_axes.m_nAxisType != AxisTypeFrame && left < m_rectPlot.left)
        left = cx + half + 2;
    const int top = std::clamp<int>(py - size.cy / 2, m_rectPlot.top,
                                    std::max<int>(m_rectPlot.top, m_rectPlot.bottom - size.cy));
    const CRect rect(left, top, left + size.cx, top + size.cy);
    if (label != "y" && Overlaps(rect, m_yLabelRects, m_nLabelGap))
        return; // the name, or a label before it where the plot is too low for them all
    // Where the axes meet, the x labels came first.
    if (Overlaps(rect, m_xLabelRects, m_nLabelGap))
        return;
    m_yLabelRects.push_back(rect);
    canvas.TextOut(left, top, label);
}
