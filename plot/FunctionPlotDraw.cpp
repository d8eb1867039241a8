// Sampling, pixel mapping, drawing, hit tests and selection marks of a 2-D graph.
#include "engine/CalcEngine.h"
#include "engine/CompiledExpression.h"
#include "engine/EvaluationWork.h"
#include "plot/BoundTable.h"
#include "plot/FunctionPlot.h"
#include "plot/Plot2D.h"
#include "plot/PlotPixelThinning.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>
#include <optional>
#include <string>

namespace {

// Independent-variable slots of the engine.
constexpr int kSlotX = 0;
constexpr int kSlotT = 3;

// The text parsed in the engine, what its values depend on added to inputs as one line.
int ParseCurve(CCalcEngine& engine, const CString& text, std::string& inputs)
{
    const int error = engine.ParseDescribingInputs(text, inputs);
    inputs += '\n';
    return error;
}

// Every evaluation of a graph goes through here: the expression parsed and compiled once, then
// valued at first + i * step for i = 0 .. n-1 in the given slot. A point is valid when the engine
// reports no error and the value is finite. Returns the parse error (0 for success).
int SampleCurve(CCalcEngine& engine, const CString& text, int slot, double first, double step,
                int n, std::vector<double>& values, std::vector<char>& valid, std::string& inputs)
{
    if (const int error = ParseCurve(engine, text, inputs))
        return error;
    values.resize(std::size_t(n));
    valid.resize(std::size_t(n));
    CCompiledExpression program(engine.m_Root);
    for (int i = 0; i < n; ++i) {
        g_IndependentVariables[slot].dValue = i * step + first;
        const double v = program.Evaluate();
        values[std::size_t(i)] = v;
        valid[std::size_t(i)] = engine.GetErrorCode() == 0 && std::isfinite(v);
    }
    return 0;
}

// The engine in a graph's own angle mode, if it has one, for as long as the graph is sampled
// or its inputs described; the engine's mode is given back afterwards.
class AngleModeScope {
public:
    AngleModeScope(CCalcEngine& engine, int mode) : m_engine(engine), m_nSaved(engine.m_nAngleMode)
    {
        if (mode != kEngineAngleMode)
            engine.m_nAngleMode = mode;
    }
    ~AngleModeScope() { m_engine.m_nAngleMode = m_nSaved; }
    AngleModeScope(const AngleModeScope&) = delete;
    AngleModeScope& operator=(const AngleModeScope&) = delete;

private:
    CCalcEngine& m_engine;
    int m_nSaved;
};

} // namespace

BOOL CFunctionPlot::Resample()
{
    if (!m_bResample)
        return TRUE;
    m_bCutShort = FALSE;
    if (!m_pOwner || !m_pOwner->m_pEngine)
        return TRUE; // nothing to sample with: nothing drawn, no failure
    CCalcEngine& engine = *m_pOwner->m_pEngine;
    const AngleModeScope angles(engine, GetOwnAngleMode());
    const int n = std::clamp(m_pOwner->m_nSteps, 10, 10000);
    const double step = (m_dDomainMax - m_dDomainMin) / (n - 1);
    m_dSampledXMin = m_dSampledYMin = 1e300;
    m_dSampledXMax = m_dSampledYMax = -1e300;

    std::vector<double> first, second;
    std::vector<char> valid1, valid2;
    // One budget in time for the whole curve: past it the points left are not drawn.
    const CommandWork command;
    const bool overT = m_nForm == GraphPolar || m_nForm == GraphParametric;
    m_sampledInputs.clear();
    if (SampleCurve(engine, m_strExpression, overT ? kSlotT : kSlotX, m_dDomainMin, step, n, first,
                    valid1, m_sampledInputs) != 0)
        return FALSE;
    if (m_nForm == GraphParametric &&
        SampleCurve(engine, m_strSecondExpression, kSlotT, m_dDomainMin, step, n, second, valid2,
                    m_sampledInputs) != 0)
        return FALSE;

    m_points.assign(std::size_t(n), PlotPoint());
    for (int i = 0; i < n; ++i) {
        PlotPoint& p = m_points[std::size_t(i)];
        const double t = i * step + m_dDomainMin;
        const std::size_t k = std::size_t(i);
        switch (m_nForm) {
        case GraphPolar: // t in radians whatever the engine's angle mode
            p.x = first[k] * std::cos(t);
            p.y = first[k] * std::sin(t);
            p.bInvalid = !valid1[k];
            break;
        case GraphParametric:
            p.x = first[k];
            p.y = second[k];
            p.bInvalid = !valid1[k] || !valid2[k];
            break;
        default:
            p.x = t;
            p.y = first[k];
            p.bInvalid = !valid1[k];
            break;
        }
        if (p.bInvalid)
            continue;
        m_dSampledYMin = std::min(m_dSampledYMin, p.y);
        m_dSampledYMax = std::max(m_dSampledYMax, p.y);
        if (overT) {
            m_dSampledXMin = std::min(m_dSampledXMin, p.x);
            m_dSampledXMax = std::max(m_dSampledXMax, p.x);
        }
    }
    if (!overT) {
        m_dSampledXMin = m_dDomainMin;
        m_dSampledXMax = m_dDomainMax;
    }
    m_bRemap = TRUE;
    m_bResample = FALSE;
    m_bCutShort = CommandWork::Spent();
    return TRUE;
}

std::string CFunctionPlot::InputsNow(CCalcEngine& engine) const
{
    const AngleModeScope angles(engine, GetOwnAngleMode());
    std::string inputs;
    if (ParseCurve(engine, m_strExpression, inputs) == 0 && m_nForm == GraphParametric)
        ParseCurve(engine, m_strSecondExpression, inputs);
    return inputs;
}

BOOL CFunctionPlot::MarkIfInputsChanged()
{
    if (m_bMarkersOnly || m_sampledInputs.empty() || !m_pOwner || !m_pOwner->m_pEngine)
        return FALSE;
    if (InputsNow(*m_pOwner->m_pEngine) == m_sampledInputs)
        return FALSE;
    m_bResample = TRUE;
    return TRUE;
}

BOOL CFunctionPlot::MapToPixels()
{
    if (!m_bResample && !m_bRemap)
        return TRUE;
    if (!m_pOwner)
        return TRUE;
    for (PlotPoint& p : m_points) {
        if (p.bInvalid)
            continue;
        p.px = m_pOwner->WorldToPixelX(p.x);
        p.py = m_pOwner->WorldToPixelY(p.y);
    }
    for (PlotPoint& p : m_extraPoints) {
        p.px = m_pOwner->WorldToPixelX(p.x);
        p.py = m_pOwner->WorldToPixelY(p.y);
    }
    m_bRemap = FALSE;
    return TRUE;
}

BOOL CFunctionPlot::Draw(CPlotCanvas& canvas)
{
    if (!m_bVisible)
        return TRUE;
    m_bDrawn = FALSE;
    if (!m_bMarkersOnly && (!Resample() || !MapToPixels()))
        return FALSE;
    canvas.SetPen(GetPen());
    DrawMarkers(canvas);
    if (!m_strExpression.IsEmpty())
        DrawRuns(canvas);
    m_bDrawn = TRUE;
    return !m_bCutShort; // what was sampled shows, and the plot reports the graph as failed
}

void CFunctionPlot::DrawMarkers(CPlotCanvas& canvas)
{
    if (!m_pTable || !m_pOwner)
        return;
    const int layout = m_pTable->GetLayout();
    if (layout != 1 && layout != 2)
        return;
    // A marker on an edge of the ranges overhangs the plot rectangle rather than being cut.
    const RECT area = m_pOwner->GetMarkerArea();
    canvas.SetClipRect(&area);
    // The squares are all of one opaque colour: one on pixels that earlier ones painted
    // changes nothing and is left out where the canvas shows its own pixels.
    std::optional<CPaintedPixels> painted;
    if (canvas.DrawsOwnPixels())
        painted.emplace(area);
    for (const int i : TablePointRows(*m_pTable)) {
        const double x = m_pTable->GetValue(0, i), y = m_pTable->GetValue(1, i);
        if (!std::isfinite(x) || !std::isfinite(y))
            continue; // no place to draw it
        const int px = m_pOwner->WorldToPixelX(x);
        const int py = m_pOwner->WorldToPixelY(y);
        const int h = kDataMarkerHalfSize;
        const RECT square = {px - h, py - h, px + h, py + h};
        if (!painted || painted->Paint(square))
            canvas.FillRect(square, 0);
    }
    const RECT plot = m_pOwner->m_rectPlot;
    canvas.SetClipRect(&plot);
}

void CFunctionPlot::DrawRuns(CPlotCanvas& canvas)
{
    const long long width = m_pOwner ? m_pOwner->m_rectPlot.Width() : 0;
    const long long height = m_pOwner ? m_pOwner->m_rectPlot.Height() : 0;
    // A one-pixel solid line on the canvas's own pixels needs no more than the span of each
    // pixel column it stays in; a styled or wide pen depends on every point.
    const PlotPen pen = GetPen();
    const bool thin = canvas.DrawsOwnPixels() && pen.nStyle == PlotPenSolid && pen.nWidth == 1;
    std::vector<POINT> run;
    run.reserve(m_points.size());
    const auto flush = [&] {
        if (thin)
            ThinPixelColumns(run);
        if (!run.empty())
            canvas.Polyline(run.data(), int(run.size()));
        run.clear();
    };
    const std::size_t n = m_points.size();
    for (std::size_t i = 0; i < n; ++i) {
        const PlotPoint& p = m_points[i];
        if (p.bInvalid) {
            flush();
            continue;
        }
        run.push_back(POINT{p.px, p.py});
        // A jump larger than the plot (a pole) closes the run at this point.
        if (i + 1 < n && !m_points[i + 1].bInvalid &&
            (std::llabs((long long)p.px - m_points[i + 1].px) > width ||
             std::llabs((long long)p.py - m_points[i + 1].py) > height))
            flush();
    }
    flush();
}

BOOL CFunctionPlot::HitTest(double x, double y)
{
    if (m_bMarkersOnly || !m_pOwner)
        return FALSE;
    const long long px = m_pOwner->WorldToPixelX(x);
    const long long py = m_pOwner->WorldToPixelY(y);
    for (const PlotPoint& p : m_points) {
        if (!p.bInvalid && std::llabs(px - p.px) < 10 && std::llabs(py - p.py) < 10)
            return TRUE;
    }
    return FALSE;
}

void CFunctionPlot::DrawMarks(CPlotCanvas& canvas)
{
    if (m_bMarksShown || m_points.empty() || !m_pOwner)
        return;
    const std::size_t n = m_points.size();
    const std::size_t k = std::max<std::size_t>(1, n / 20);
    m_marks.clear();
    for (std::size_t i = k; i + 1 < n; i += k) {
        const PlotPoint& p = m_points[i];
        if (!p.bInvalid)
            m_marks.push_back(RECT{p.px - 4, p.py - 4, p.px + 4, p.py + 4});
    }
    const RECT clip = m_pOwner->m_rectPlot;
    canvas.SetClipRect(&clip);
    for (const RECT& r : m_marks)
        canvas.InvertRect(r);
    canvas.SetClipRect(nullptr);
    m_marksClip = clip;
    m_bMarksShown = TRUE;
}

void CFunctionPlot::EraseMarks(CPlotCanvas& canvas)
{
    if (!m_bMarksShown)
        return;
    m_bMarksShown = FALSE;
    canvas.SetClipRect(&m_marksClip);
    for (const RECT& r : m_marks)
        canvas.InvertRect(r);
    canvas.SetClipRect(nullptr);
    m_marks.clear();
}
