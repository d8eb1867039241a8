#include "plot/Plot2D.h"

#include "framework/core/AsciiText.h"
#include "plot/NiceNumbers.h"

#include <algorithm>
#include <cmath>

namespace {

constexpr COLORREF kGraphColours[7] = {0xFF0000, 0x00FF00, 0x0000FF, 0x00FFFF,
                                       0xFF00FF, 0xFFFF00, 0x000000};

// The C library's classic generator, kept here so every runtime draws the same 15-bit values.
int ClassicRandom()
{
    static unsigned int seed = 1;
    seed = seed * 214013u + 2531011u;
    return int((seed >> 16) & 0x7FFF);
}

} // namespace

CPlot2D::CPlot2D() : m_random(ClassicRandom) { m_axes.m_gridLine.m_crColour = 0xE1E1E1; }

CPlot2D::~CPlot2D() { DeleteAll(); }

// ---- transforms ------------------------------------------------------------------------

int CPlot2D::WorldToPixelX(double x) const
{
    return TruncatePixel((x - m_dXMin) * m_dXScale + m_rectPlot.left);
}

int CPlot2D::WorldToPixelY(double y) const
{
    return TruncatePixel((m_dYMax - y) * m_dYScale + m_rectPlot.top);
}

CRect CPlot2D::GetMarkerArea() const
{
    CRect area = m_rectPlot;
    area.InflateRect(kDataMarkerHalfSize, kDataMarkerHalfSize);
    area.IntersectRect(&area, &m_rectWindow);
    return area;
}

CPoint CPlot2D::WorldToPixel(double x, double y) const
{
    return CPoint(WorldToPixelX(x), WorldToPixelY(y));
}

double CPlot2D::PixelToWorldX(int px) const
{
    return m_dXScale != 0 ? (px - m_rectPlot.left) / m_dXScale + m_dXMin : m_dXMin;
}

double CPlot2D::PixelToWorldY(int py) const
{
    return m_dYScale != 0 ? m_dYMax - (py - m_rectPlot.top) / m_dYScale : m_dYMax;
}

// Every graph's pixels were mapped with the old scales: a curve over t keeps its samples but
// must be mapped again, or it stays where the old ranges put it.
void CPlot2D::RecomputeScales()
{
    m_dXScale = (m_rectPlot.right - m_rectPlot.left) / (m_dXMax - m_dXMin);
    m_dYScale = (m_rectPlot.bottom - m_rectPlot.top) / (m_dYMax - m_dYMin);
    for (auto& item : m_items)
        item->m_bRemap = TRUE;
}

// ---- ranges and zoom -------------------------------------------------------------------

// Equal bounds become a range below the maximum wide enough to stay a range at any size.
static void OrderBounds(double& lo, double& hi)
{
    if (lo > hi)
        std::swap(lo, hi);
    if (lo == hi)
        lo = hi - std::max(1.0, std::fabs(hi) * 1e-9);
}

BOOL CPlot2D::SetRanges(double xMin, double xMax, double yMin, double yMax)
{
    if (!std::isfinite(xMin) || !std::isfinite(xMax) || !std::isfinite(yMin) ||
        !std::isfinite(yMax))
        return FALSE;
    return SetRangesUnchecked(xMin, xMax, yMin, yMax);
}

BOOL CPlot2D::SetRangesUnchecked(double xMin, double xMax, double yMin, double yMax)
{
    OrderBounds(xMin, xMax);
    OrderBounds(yMin, yMax);
    m_dXMin = xMin;
    m_dXMax = xMax;
    m_dYMin = yMin;
    m_dYMax = yMax;
    RecomputeScales();
    for (auto& item : m_items) {
        if (item->m_nForm != GraphPolar && item->m_nForm != GraphParametric &&
            (item->m_dDomainMin != xMin || item->m_dDomainMax != xMax)) {
            item->m_dDomainMin = xMin;
            item->m_dDomainMax = xMax;
            item->m_bResample = item->m_bModified = TRUE;
        }
    }
    return TRUE;
}

void CPlot2D::SetSteps(int steps)
{
    if (steps == m_nSteps)
        return;
    m_nSteps = steps;
    for (auto& item : m_items)
        item->m_bResample = TRUE;
}

static bool AcceptableWidth(double lo, double hi)
{
    const double width = hi - lo;
    const double centre = std::fabs((lo + hi) / 2);
    return std::isfinite(lo) && std::isfinite(hi) && width <= 1e300 &&
           width >= 1e-10 * std::max(1.0, centre);
}

BOOL CPlot2D::Zoom(double f, double cx, double cy)
{
    const bool saved = m_dSavedXMin != 0 || m_dSavedXMax != 0;
    if (f == 0) {
        if (!saved)
            return TRUE;
        const double x0 = m_dSavedXMin, x1 = m_dSavedXMax, y0 = m_dSavedYMin, y1 = m_dSavedYMax;
        m_dSavedXMin = m_dSavedXMax = 0;
        return SetRanges(x0, x1, y0, y1);
    }
    const double w = m_dXMax - m_dXMin, h = m_dYMax - m_dYMin;
    double x0, x1, y0, y1;
    if (f < 0) {
        x0 = cx - w / 2;
        x1 = cx + w / 2;
        y0 = cy - h / 2;
        y1 = cy + h / 2;
    } else {
        const double xc = (m_dXMin + m_dXMax) / 2, yc = (m_dYMin + m_dYMax) / 2;
        x0 = xc - f * w / 2;
        x1 = xc + f * w / 2;
        y0 = yc - f * h / 2;
        y1 = yc + f * h / 2;
    }
    if (!AcceptableWidth(x0, x1) || !AcceptableWidth(y0, y1))
        return FALSE;
    if (!saved) {
        m_dSavedXMin = m_dXMin;
        m_dSavedXMax = m_dXMax;
        m_dSavedYMin = m_dYMin;
        m_dSavedYMax = m_dYMax;
    }
    return SetRanges(x0, x1, y0, y1);
}

void CPlot2D::AutoRange()
{
    double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
    for (const auto& item : m_items) {
        if (!item->m_bVisible)
            continue;
        x0 = std::min(x0, item->GetXMin());
        x1 = std::max(x1, item->GetXMax());
        y0 = std::min(y0, item->GetYMin());
        y1 = std::max(y1, item->GetYMax());
    }
    if (x0 > x1 || y0 > y1)
        return; // no visible data
    const double d = (y1 - y0) * m_dAutoRangeAllowance;
    SetRanges(x0, x1, RoundDownTenth(y0 - d), RoundUpTenth(y1 + d));
}

void CPlot2D::FitToItems()
{
    double x0 = 1e300, x1 = -1e300, y0 = 1e300, y1 = -1e300;
    for (const auto& item : m_items) {
        item->Resample();
        // An item that sampled nothing on an axis carries a reversed extent there.
        if (item->m_dSampledXMin <= item->m_dSampledXMax) {
            x0 = std::min(x0, item->m_dSampledXMin);
            x1 = std::max(x1, item->m_dSampledXMax);
        }
        if (item->m_dSampledYMin <= item->m_dSampledYMax) {
            y0 = std::min(y0, item->m_dSampledYMin);
            y1 = std::max(y1, item->m_dSampledYMax);
        }
    }
    const bool xFound = x0 <= x1, yFound = y0 <= y1;
    if (!xFound && !yFound)
        return;
    SetRanges(xFound ? x0 : m_dXMin, xFound ? x1 : m_dXMax, yFound ? y0 : m_dYMin,
              yFound ? y1 : m_dYMax);
}

// ---- graphs ----------------------------------------------------------------------------

void CPlot2D::AssignDefaultStyle(CFunctionPlot* pGraph)
{
    auto taken = [&](COLORREF c) {
        return std::any_of(m_items.begin(), m_items.end(), [&](const auto& item) {
            return item.get() != pGraph && item->m_crColour == c;
        });
    };
    if (pGraph->m_crColour == kAutomaticColour) {
        const COLORREF* free = std::find_if(std::begin(kGraphColours), std::end(kGraphColours),
                                            [&](COLORREF c) { return !taken(c); });
        if (free != std::end(kGraphColours)) {
            pGraph->SetColour(*free);
        } else {
            const int r = std::clamp(m_random ? m_random() : 0, 0, 32767);
            pGraph->SetColour(kGraphColours[6 * r / 32767]);
        }
    }
    if (pGraph->m_nPenStyle == kAutomatic)
        pGraph->SetPenStyle(taken(pGraph->m_crColour) ? PlotPenDot : PlotPenSolid);
    if (pGraph->m_nPenWidth == kAutomatic)
        pGraph->SetPenWidth(1);
}

int CPlot2D::AddItem(CFunctionPlot* pGraph)
{
    std::unique_ptr<CFunctionPlot> graph(pGraph);
    graph->m_pOwner = this;
    AssignDefaultStyle(graph.get());
    graph->m_bRemap = TRUE;
    const int i = FindItem(graph->GetLabel());
    if (i >= 0) {
        m_items[std::size_t(i)] = std::move(graph);
        return i;
    }
    m_items.push_back(std::move(graph));
    return GetItemCount() - 1;
}

int CPlot2D::AddFunction(const CString& expression, const CString& second, int form, double dMin,
                         double dMax)
{
    auto* graph = new CFunctionPlot;
    graph->m_nForm = form;
    graph->m_strExpression = expression;
    graph->m_strSecondExpression = second;
    graph->SetDomain(dMin, dMax);
    return AddItem(graph);
}

int CPlot2D::AddFunctionFromText(const CString& text, double dMin, double dMax)
{
    CString expression, second;
    int form = GraphRectangular;
    if (!ParseGraphDefinition(text, expression, second, form, GetGraphSeparator()))
        return -1;
    return AddFunction(expression, second, form, dMin, dMax);
}

int CPlot2D::FindItem(const CString& label) const
{
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (ascii::EqualNoCase(m_items[i]->GetLabel(), label))
            return int(i);
    }
    return -1;
}

void CPlot2D::RemoveItem(int i)
{
    if (i >= 0 && i < GetItemCount())
        m_items.erase(m_items.begin() + i);
}

void CPlot2D::ShowSingleItem(int i)
{
    for (auto& item : m_items) {
        item->m_bVisible = FALSE;
        item->m_bModified = item->m_bRedraw = TRUE;
    }
    if (i >= 0 && i < GetItemCount()) {
        CFunctionPlot* item = GetItem(i);
        item->m_bVisible = TRUE;
        item->m_bModified = item->m_bRedraw = TRUE;
    }
}

void CPlot2D::DeleteAll()
{
    m_items.clear();
    m_labels.clear();
}

// ---- hit tests -------------------------------------------------------------------------

int CPlot2D::HitTest(double x, double y)
{
    for (std::size_t i = 0; i < m_items.size(); ++i) {
        if (m_items[i]->HitTest(x, y))
            return int(i);
    }
    if (std::llabs((long long)WorldToPixelX(x) - WorldToPixelX(m_axes.m_dCrossX)) < 10)
        return -1;
    if (std::llabs((long long)WorldToPixelY(y) - WorldToPixelY(m_axes.m_dCrossY)) < 10)
        return -2;
    return -3;
}

int CPlot2D::HitTestPixel(int px, int py) { return HitTest(PixelToWorldX(px), PixelToWorldY(py)); }

// ---- settings --------------------------------------------------------------------------

void CPlot2D::CopySettings(const CPlot2D& other)
{
    m_axes.CopyFrom(other.m_axes);
    m_crBackColor = other.m_crBackColor;
    m_dAutoRangeAllowance = other.m_dAutoRangeAllowance;
    m_bAutoFit = other.m_bAutoFit;
    m_nBorder = other.m_nBorder;
    SetSteps(other.m_nSteps);
    m_nAreaPercent = other.m_nAreaPercent;
    m_nMarginX = other.m_nMarginX;
    m_nMarginY = other.m_nMarginY;
    m_dXMin = other.m_dXMin;
    m_dXMax = other.m_dXMax;
    m_dYMin = other.m_dYMin;
    m_dYMax = other.m_dYMax;
    m_dZoomFactor = other.m_dZoomFactor;
    RecomputeScales();
}

void CPlot2D::SetPlotAreaPercent(int percent) { m_nAreaPercent = percent; }
