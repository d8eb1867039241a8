// The bounding box, the three axes with their ticks and labels, and the box faces.
#include "engine/LocaleSeparators.h"
#include "engine/NumberText.h"
#include "plot/Plot3DBase.h"
#include "plot/Plot3DScene.h"

#include <algorithm>
#include <cmath>

// ---- box faces ---------------------------------------------------------------------------

BOOL CVertexGrid::Allocate(int n, BOOL bPolyline)
{
    m_vertices.assign(std::size_t(std::max(n, 0)), VertexRecord());
    m_nCount = std::max(n, 0);
    m_bPolyline = bPolyline;
    return TRUE;
}

void CVertexGrid::Translate(double dx, double dy, double dz)
{
    for (VertexRecord& v : m_vertices) {
        v.x += dx;
        v.y += dy;
        v.z += dz;
    }
}

void CVertexGrid::Project(double theta, double phi, double mu)
{
    const ViewTransform view(theta, phi, mu);
    for (VertexRecord& v : m_vertices)
        view.Apply(v);
}

BOOL CVertexGrid::IsBackFace(double theta, double phi, double mu) const
{
    if (m_vertices.size() < 3)
        return TRUE;
    const VertexRecord &a = m_vertices[0], &b = m_vertices[1], &c = m_vertices[2];
    const Vector3 A{a.x, a.y, a.z};
    const Vector3 normal = TriangleNormal(A, Vector3{b.x, b.y, b.z}, Vector3{c.x, c.y, c.z});
    return DotProduct(normal, SphericalToCartesian(theta, phi, mu) - A) < 0;
}

void CVertexGrid::Draw(CPlotCanvas& canvas, const RECT& rect, const double extents[4]) const
{
    const double sx = (rect.right - rect.left) / (extents[1] - extents[0]);
    const double sy = (rect.bottom - rect.top) / (extents[3] - extents[2]);
    if (!std::isfinite(sx) || !std::isfinite(sy) || m_vertices.empty())
        return;
    std::vector<POINT> points;
    points.reserve(m_vertices.size());
    for (const VertexRecord& v : m_vertices)
        points.push_back(POINT{TruncatePixel((v.px - extents[0]) * sx + rect.left),
                               TruncatePixel((extents[3] - v.py) * sy + rect.top)});
    if (m_bPolyline)
        canvas.Polyline(points.data(), int(points.size()));
    else
        canvas.Polygon(points.data(), int(points.size()));
}

// ---- box ---------------------------------------------------------------------------------

void CPlot3DBase::UpdateBox()
{
    m_axes[0].dMin = m_dXMin;
    m_axes[0].dMax = m_dXMax;
    m_axes[1].dMin = m_dYMin;
    m_axes[1].dMax = m_dYMax;
    m_axes[2].dMin = m_dZMin;
    m_axes[2].dMax = m_dZMax;
    const double table[8][3] = {{m_dXMax, m_dYMin, m_dZMin}, {m_dXMax, m_dYMax, m_dZMin},
                                {m_dXMin, m_dYMax, m_dZMin}, {m_dXMin, m_dYMin, m_dZMin},
                                {m_dXMax, m_dYMin, m_dZMax}, {m_dXMax, m_dYMax, m_dZMax},
                                {m_dXMin, m_dYMax, m_dZMax}, {m_dXMin, m_dYMin, m_dZMax}};
    const double dx = m_dXMax - m_dXMin, dy = m_dYMax - m_dYMin, dz = m_dZMax - m_dZMin;
    const double margin = 1e-9 * std::sqrt(dx * dx + dy * dy + dz * dz);
    bool any = false;
    for (int c = 0; c < 8; ++c) {
        VertexRecord centred;
        centred.x = table[c][0] - m_dXCentre;
        centred.y = table[c][1] - m_dYCentre;
        centred.z = table[c][2] - m_dZCentre;
        ProjectVertex(centred);
        VertexRecord& corner = m_corners[c];
        corner = centred;
        corner.x = table[c][0];
        corner.y = table[c][1];
        corner.z = table[c][2];
        corner.bBehindEye = !(centred.ze > margin);
        if (corner.bBehindEye)
            continue; // a corner behind the eye has no place on the screen
        m_dPxMin = any ? std::min(m_dPxMin, centred.px) : centred.px;
        m_dPxMax = any ? std::max(m_dPxMax, centred.px) : centred.px;
        m_dPyMin = any ? std::min(m_dPyMin, centred.py) : centred.py;
        m_dPyMax = any ? std::max(m_dPyMax, centred.py) : centred.py;
        any = true;
    }
    if (!any)
        m_dPxMin = m_dPxMax = m_dPyMin = m_dPyMax = 0; // nothing can be mapped
}

void CPlot3DBase::DrawSegment(CPlotCanvas& canvas, const Vector3& a, const Vector3& b)
{
    const CPoint pa = PointToPixel(a.x, a.y, a.z), pb = PointToPixel(b.x, b.y, b.z);
    canvas.Line(pa.x, pa.y, pb.x, pb.y);
}

// ---- axes --------------------------------------------------------------------------------

namespace {

double& Coordinate(Vector3& v, int i) { return i == 0 ? v.x : i == 1 ? v.y : v.z; }
double Coordinate(const Vector3& v, int i) { return i == 0 ? v.x : i == 1 ? v.y : v.z; }

Vector3 Offset(Vector3 v, int i, double d)
{
    Coordinate(v, i) += d;
    return v;
}

// A tick value with one decimal; a value that rounds to zero reads "0.0", without a sign.
CString TickLabel(double v, char decimalPoint)
{
    CString text = numtext::Fixed(v, 1, decimalPoint);
    numtext::DropSignOfZero(text);
    return text;
}

} // namespace

void CPlot3DBase::DrawAxes(CPlotCanvas& canvas)
{
    m_axisLabels.clear();
    m_axisLetters.clear();
    if (!m_pOwner)
        return;
    const CPlot3DScene& scene = *m_pOwner;
    canvas.SetFont(scene.m_font.m_logFont);
    m_nLabelGap = canvas.MeasureText(" ").cx;
    canvas.SetPen(scene.m_font.GetPen());
    const COLORREF text = scene.m_font.m_crTextColour;
    canvas.SetTextColour(text == kAutomaticColour ? 0 : text & 0xFFFFFF);
    if (scene.m_bBoxed) {
        canvas.SetHollowBrush();
        const double extents[4] = {m_dPxMin, m_dPxMax, m_dPyMin, m_dPyMax};
        for (auto& face : m_faces) {
            face->Project(m_dViewTheta, m_dViewPhi, m_dViewMu);
            if (!face->IsBackFace(m_dViewTheta, m_dViewPhi, m_dViewMu))
                face->Draw(canvas, m_rectTarget, extents);
        }
    }
    if (scene.m_nAxisType == SceneAxesNone)
        return;
    const bool origin = scene.m_nAxisType == SceneAxesOrigin;

    // The base face lies lower on the screen; its corner nearest the eye carries the axes.
    const int base = m_corners[4].py <= m_corners[0].py ? 4 : 0;
    int nearest = base;
    for (int c = base + 1; c < base + 4; ++c) {
        if (m_corners[c].ze < m_corners[nearest].ze)
            nearest = c;
    }
    const Vector3 N{m_corners[nearest].x, m_corners[nearest].y, m_corners[nearest].z};
    for (AxisRecord3D& a : m_axes) {
        const int count = a.nTickCount >= 2 && a.nTickCount <= 20 ? a.nTickCount : 5;
        a.dRange = a.dMax - a.dMin;
        a.dStep = a.dRange / (count - 1);
        a.dTickLength = a.dRange * 0.01;
    }
    auto pixel = [&](const Vector3& v) { return PointToPixel(v.x, v.y, v.z); };
    auto otherEnd = [&](int axis, const Vector3& from) {
        Vector3 v = from;
        Coordinate(v, axis) =
            Coordinate(from, axis) == m_axes[axis].dMin ? m_axes[axis].dMax : m_axes[axis].dMin;
        return v;
    };
    const Vector3 farX = otherEnd(0, N), farY = otherEnd(1, N);

    // The z axis stands at the far end of x or y, whichever lies further left on the screen.
    double fx, fy, ignored;
    ProjectPoint(farX.x - m_dXCentre, farX.y - m_dYCentre, farX.z - m_dZCentre, fx, ignored);
    ProjectPoint(farY.x - m_dXCentre, farY.y - m_dYCentre, farY.z - m_dZCentre, fy, ignored);
    const int footAxis = fx < fy ? 0 : 1;
    const Vector3 foot = footAxis == 0 ? farX : farY;

    AxisWalk walks[3];
    for (int axis = 0; axis < 2; ++axis) {
        AxisWalk& w = walks[axis];
        w.along = axis;
        w.across = axis == 0 ? 1 : 0;
        w.first = N;
        w.second = axis == 0 ? farX : farY;
        if (Coordinate(w.first, axis) > Coordinate(w.second, axis))
            std::swap(w.first, w.second);
        const CPoint a = pixel(w.first);
        w.side = pixel(Offset(w.first, w.across, 10)).y < a.y ? -1 : 1;
        w.labelsLeft = pixel(Offset(w.first, w.across, 10.0 * w.side)).x < a.x;
        w.rightAligned = false;
        w.letter = axis == 0 ? "x" : "y";
        w.skipCrossing = axis == 1;
        w.crossing = origin ? 0 : Coordinate(N, axis);
        // Along the box edges the end label at the z axis's foot would stand in the column of
        // z labels and read as the lowest z value.
        w.skipFoot = !origin && axis == footAxis;
        w.foot = Coordinate(foot, axis);
    }
    {
        AxisWalk& w = walks[2];
        w.along = 2;
        w.across = 1;
        w.first = foot;
        w.second = otherEnd(2, foot);
        if (w.first.z > w.second.z)
            std::swap(w.first, w.second);
        w.side = pixel(Offset(foot, 1, 10)).x < pixel(foot).x ? 1 : -1;
        w.labelsLeft = true;
        w.rightAligned = true;
        w.letter = "z";
        w.skipCrossing = true;
        w.crossing = origin ? 0 : N.z;
        w.skipFoot = false;
        w.foot = 0;
    }
    for (AxisWalk& w : walks) {
        if (origin) {
            for (int i = 0; i < 3; ++i) {
                if (i != w.along) {
                    Coordinate(w.first, i) = 0;
                    Coordinate(w.second, i) = 0;
                }
            }
        }
        DrawAxisTicks(canvas, w, origin);
    }
}

void CPlot3DBase::DrawAxisTicks(CPlotCanvas& canvas, const AxisWalk& w, bool origin)
{
    const CPlot3DScene& scene = *m_pOwner;
    DrawSegment(canvas, w.first, w.second);
    const AxisRecord3D& a = m_axes[w.along];
    const int count = a.nTickCount >= 2 && a.nTickCount <= 20 ? a.nTickCount : 5;
    const double tick = m_axes[w.across].dTickLength;
    const CSize letterSize = canvas.MeasureText(w.letter);
    const int letterTick = origin ? count - 1 : count / 2;
    const char dp = GetLocaleSeparators().chDecimal;
    for (int i = 0; i < count; ++i) {
        const double v = a.dMin + i * a.dStep;
        if (w.skipCrossing && scene.m_bShowTicks && std::fabs(v - w.crossing) < 1e-6)
            continue;
        Vector3 at = w.first;
        Coordinate(at, w.along) = v;
        if (scene.m_bShowTicks)
            DrawSegment(canvas, Offset(at, w.across, -tick), Offset(at, w.across, tick));
        const CString label = TickLabel(v, dp);
        const Vector3 beside = Offset(at, w.across, w.side * tick);
        const CPoint anchor = PointToPixel(beside.x, beside.y, beside.z);
        const CSize size = canvas.MeasureText(label);
        if (scene.m_bShowAxisLabels && i == letterTick) {
            // On the label's own row the letter stands clear of the label's left end.
            const int labelWidth = scene.m_bShowTickLabels ? size.cx : 0;
            if (w.rightAligned)
                DrawAxisText(canvas,
                             anchor.x - letterSize.cx -
                                 (origin ? (labelWidth > 0 ? labelWidth + 4 : 2) : labelWidth + 8),
                             anchor.y, w.letter, letterSize, true);
            else
                DrawAxisText(canvas,
                             anchor.x - letterSize.cx - (origin && w.labelsLeft ? labelWidth : 0),
                             anchor.y + (!origin && scene.m_bShowTickLabels ? size.cy : 0),
                             w.letter, letterSize, true);
        }
        if (scene.m_bShowTickLabels && !(w.skipFoot && std::fabs(v - w.foot) < 1e-6)) {
            const int left = w.rightAligned ? anchor.x - size.cx - 2
                             : w.labelsLeft ? anchor.x - size.cx
                                            : anchor.x;
            DrawAxisText(canvas, left, anchor.y, label, size, false);
        }
    }
}

void CPlot3DBase::DrawAxisText(CPlotCanvas& canvas, int x, int y, const CString& text, CSize size,
                               bool bLetter)
{
    const CRect rect(x, y, x + size.cx, y + size.cy);
    const int gap = bLetter ? 0 : m_nLabelGap;
    if (IntersectsAny(rect, m_axisLabels.data(), m_axisLabels.size(), gap) ||
        IntersectsAny(rect, m_axisLetters.data(), m_axisLetters.size()))
        return;
    (bLetter ? m_axisLetters : m_axisLabels).push_back(rect);
    canvas.TextOut(x, y, text);
}
