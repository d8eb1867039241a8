// The surface renderer: rotation and perspective, mapping the projected box onto the target
// rectangle, shading, and painting the grid cells from the far corner to the near one.
#include "plot/Plot3DBase.h"
#include "plot/Plot3DScene.h"

#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

constexpr COLORREF kDefaultFill = 0xFF0000;

COLORREF Resolved(COLORREF colour, COLORREF automatic)
{
    return colour == kAutomaticColour ? automatic : colour & 0xFFFFFF;
}

} // namespace

ViewTransform::ViewTransform(double theta, double phi, double distance)
    : st(std::sin(theta)), ct(std::cos(theta)), sp(std::sin(phi)), cp(std::cos(phi)), mu(distance)
{
}

void ViewTransform::Apply(VertexRecord& v) const
{
    const double ground = v.x * ct + v.y * st;
    v.xe = v.y * ct - v.x * st;
    v.ye = v.z * sp - ground * cp;
    v.ze = mu - (ground * sp + v.z * cp);
    v.px = v.xe / v.ze;
    v.py = v.ye / v.ze;
}

void CPlot3DBase::ProjectVertex(VertexRecord& v) const
{
    ViewTransform(m_dViewTheta, m_dViewPhi, m_dViewMu).Apply(v);
}

void CPlot3DBase::ProjectPoint(double x, double y, double z, double& px, double& py) const
{
    VertexRecord v;
    v.x = x;
    v.y = y;
    v.z = z;
    ProjectVertex(v);
    px = v.px;
    py = v.py;
}

// Depth below which a point counts as at or behind the eye: a billionth of the box diagonal.
static double EyeMargin(const CPlot3DBase& p)
{
    const double dx = p.m_dXMax - p.m_dXMin, dy = p.m_dYMax - p.m_dYMin, dz = p.m_dZMax - p.m_dZMin;
    return 1e-9 * std::sqrt(dx * dx + dy * dy + dz * dz);
}

void CPlot3DBase::ProjectMesh()
{
    const ViewTransform view(m_dViewTheta, m_dViewPhi, m_dViewMu);
    const double margin = EyeMargin(*this);
    for (VertexRecord& v : m_grid) {
        if (v.bInvalid)
            continue;
        view.Apply(v);
        v.bBehindEye = !(v.ze > margin);
    }
    UpdateBox();
    m_bReproject = FALSE;
    m_bRemap = m_bReshade = TRUE;
}

void CPlot3DBase::MapToPixels()
{
    const RECT& r = m_rectTarget;
    m_dPixelScaleX = (r.right - r.left) / (m_dPxMax - m_dPxMin);
    m_dPixelScaleY = (r.bottom - r.top) / (m_dPyMax - m_dPyMin);
    m_bViewValid = r.right > r.left && r.bottom > r.top && m_dPxMax > m_dPxMin &&
                   m_dPyMax > m_dPyMin && std::isfinite(m_dPixelScaleX) &&
                   std::isfinite(m_dPixelScaleY);
    if (m_bViewValid) {
        for (VertexRecord& v : m_grid) {
            if (v.bInvalid || v.bBehindEye)
                continue;
            v.X = TruncatePixel((v.px - m_dPxMin) * m_dPixelScaleX + r.left);
            v.Y = TruncatePixel((m_dPyMax - v.py) * m_dPixelScaleY + r.top);
        }
    }
    m_bRemap = FALSE;
}

CPoint CPlot3DBase::PointToPixel(double x, double y, double z) const
{
    double px = 0, py = 0;
    ProjectPoint(x - m_dXCentre, y - m_dYCentre, z - m_dZCentre, px, py);
    return CPoint(TruncatePixel((px - m_dPxMin) * m_dPixelScaleX + m_rectTarget.left),
                  TruncatePixel((m_dPyMax - py) * m_dPixelScaleY + m_rectTarget.top));
}

void CPlot3DBase::PrepareView()
{
    if (m_bReproject)
        ProjectMesh();
    if (m_bRemap)
        MapToPixels();
    static const int kFaces[6][4] = {{0, 1, 5, 4}, {1, 2, 6, 5}, {2, 3, 7, 6},
                                     {0, 4, 7, 3}, {4, 5, 6, 7}, {0, 3, 2, 1}};
    m_faces.clear();
    for (const auto& corners : kFaces) {
        auto face = std::make_unique<CVertexGrid>();
        face->Allocate(4, FALSE);
        for (int i = 0; i < 4; ++i) {
            VertexRecord& v = face->m_vertices[std::size_t(i)];
            v = m_corners[corners[i]];
            v.x -= m_dXCentre;
            v.y -= m_dYCentre;
            v.z -= m_dZCentre;
        }
        m_faces.push_back(std::move(face));
    }
}

void CPlot3DBase::ComputeShading()
{
    if (!m_bReshade && !m_bRedraw)
        return;
    const int k = m_nRows;
    const double ambient = std::clamp(m_pOwner ? m_pOwner->m_nAmbientLight : 20, 0, 100) / 100.0;
    const Vector3 eye = SphericalToCartesian(m_dViewTheta, m_dViewPhi, m_dViewMu);
    const Vector3 light = SphericalToCartesian(m_dLightTheta, m_dLightPhi, m_dLightMu);
    std::vector<double> intensity(m_grid.size(), 0.0);
    auto at = [&](int i, int j) -> double& { return intensity[std::size_t(i) * k + j]; };
    auto usable = [](const VertexRecord& v) { return !v.bInvalid && std::isfinite(v.z); };
    double maximum = 0;
    for (int i = 0; i + 1 < k; ++i) {
        for (int j = 0; j + 1 < k; ++j) {
            const VertexRecord &p = Vertex(i, j), &a = Vertex(i + 1, j), &b = Vertex(i, j + 1);
            if (!usable(p) || !usable(a) || !usable(b))
                continue; // no light where the surface has no value
            const Vector3 P{p.x, p.y, p.z};
            Vector3 n = NormalizeVector(
                CrossProduct(Vector3{a.x, a.y, a.z} - P, Vector3{b.x, b.y, b.z} - P));
            const Vector3 v = NormalizeVector(eye - P);
            const Vector3 l = NormalizeVector(light - P);
            const double dist = VectorLength(light - P);
            if (VectorLength(n) == 0 || !(dist > 0))
                continue;
            if (DotProduct(v, n) < 0)
                n = -1.0 * n;
            const double d = DotProduct(l, n);
            double value = 0;
            if (d >= 0) {
                const double s = DotProduct(2 * d * n - l, v);
                value = (0.75 * d + (s >= 0 ? 0.2 * std::pow(s, 10) : 0)) / dist;
            }
            if (std::isfinite(value)) {
                at(i, j) = value;
                maximum = std::max(maximum, value);
            }
        }
    }
    for (int i = 0; i < k; ++i)
        at(i, k - 1) = at(i, k - 2);
    for (int j = 0; j < k; ++j)
        at(k - 1, j) = at(k - 2, j);
    const COLORREF fill = Resolved(m_crFillColour, kDefaultFill);
    const COLORREF lightColour = Resolved(m_crLight, 0xFFFFFF);
    int fr, fg, fb, lr, lg, lb;
    SplitColour(fill, fr, fg, fb);
    SplitColour(lightColour, lr, lg, lb);
    for (std::size_t n = 0; n < m_grid.size(); ++n) {
        if (maximum <= 0) {
            m_grid[n].shade = fill;
            continue;
        }
        const int t =
            int(std::min(255.0, 256 * (ambient + intensity[n] * (1 - ambient) / maximum)));
        m_grid[n].shade = RGB((fr * (255 - t) + lr * t) / 255, (fg * (255 - t) + lg * t) / 255,
                              (fb * (255 - t) + lb * t) / 255);
    }
    m_bReshade = m_bRedraw = FALSE;
}

// ---- cells -------------------------------------------------------------------------------

void CPlot3DBase::BeginCells(Progress& p)
{
    const int k = m_nRows;
    // Depth of each grid corner; a corner without a value is taken at the centre's height.
    const ViewTransform view(m_dViewTheta, m_dViewPhi, m_dViewMu);
    auto depth = [&](int i, int j) {
        VertexRecord v = Vertex(i, j);
        if (v.bInvalid || !std::isfinite(v.z))
            v.z = 0;
        view.Apply(v);
        return v.ze;
    };
    const int corners[4][2] = {{0, 0}, {0, k - 1}, {k - 1, k - 1}, {k - 1, 0}};
    int start = 0;
    double farthest = depth(0, 0);
    for (int c = 1; c < 4; ++c) {
        const double d = depth(corners[c][0], corners[c][1]);
        if (d > farthest) {
            farthest = d;
            start = c;
        }
    }
    // Cells whose four corners lie in rows and columns 1 .. k-2: the outer ring is never painted.
    p.rowStep = corners[start][0] == 0 ? 1 : -1;
    p.columnStep = corners[start][1] == 0 ? 1 : -1;
    p.row = p.rowStep > 0 ? 1 : k - 2;
    p.lastRow = p.rowStep > 0 ? k - 3 : 2;
    p.firstColumn = p.columnStep > 0 ? 1 : k - 2;
    p.lastColumn = p.columnStep > 0 ? k - 3 : 2;
    p.done = k < 4;
}

namespace {

// What draws the outline and the inside of a cell in each fill style.
enum CellPaint { PaintLine, PaintFill, PaintBack, PaintHollow, PaintShade };
constexpr CellPaint kStylePen[6] = {PaintLine, PaintLine, PaintLine,
                                    PaintFill, PaintLine, PaintShade};
constexpr CellPaint kStyleBrush[6] = {PaintHollow, PaintBack,  PaintFill,
                                      PaintFill,   PaintShade, PaintShade};

} // namespace

void CPlot3DBase::SelectStylePens(CPlotCanvas& canvas)
{
    auto colour = [&](CellPaint paint) {
        switch (paint) {
        case PaintLine:
            return Resolved(m_crColour, 0);
        case PaintBack:
            return Resolved(m_pOwner ? m_pOwner->m_crBackColor : 0xFFFFFF, 0xFFFFFF);
        default:
            return Resolved(m_crFillColour, kDefaultFill);
        }
    };
    const CellPaint pen = kStylePen[m_nFillStyle], brush = kStyleBrush[m_nFillStyle];
    if (pen != PaintShade) // shaded outlines and insides are set cell by cell
        canvas.SetPen({PlotPenSolid, 1, colour(pen), false});
    if (brush == PaintHollow)
        canvas.SetHollowBrush();
    else if (brush != PaintShade)
        canvas.SetBrush(colour(brush));
}

void CPlot3DBase::DrawCell(CPlotCanvas& canvas, int i, int j, int r, int c)
{
    const VertexRecord* v[4] = {&Vertex(i, j), &Vertex(i, j + c), &Vertex(i + r, j + c),
                                &Vertex(i + r, j)};
    for (const VertexRecord* p : v) {
        if (p->bInvalid || p->bBehindEye)
            return;
    }
    if (!m_bAutoSize) {
        const double lo = m_dZMin - m_dZCentre, hi = m_dZMax - m_dZCentre;
        for (const VertexRecord* p : v) {
            if (p->z < lo || p->z > hi)
                return;
        }
    }
    // Cells blown up by the perspective: an edge wider or taller than the target.
    const long long width = (long long)m_rectTarget.right - m_rectTarget.left;
    const long long height = (long long)m_rectTarget.bottom - m_rectTarget.top;
    for (int e = 0; e < 3; ++e) {
        if (std::llabs((long long)v[e]->X - v[e + 1]->X) > width ||
            std::llabs((long long)v[e]->Y - v[e + 1]->Y) > height)
            return;
    }
    if (m_nFillStyle == FillShadedGrid) {
        canvas.SetBrush(v[0]->shade);
    } else if (m_nFillStyle == FillShaded) {
        canvas.SetPen({PlotPenSolid, 1, v[0]->shade, false});
        canvas.SetBrush(v[0]->shade);
    }
    const POINT points[4] = {
        {v[0]->X, v[0]->Y}, {v[1]->X, v[1]->Y}, {v[2]->X, v[2]->Y}, {v[3]->X, v[3]->Y}};
    canvas.Polygon(points, 4);
}

void CPlot3DBase::DrawRow(CPlotCanvas& canvas, const Progress& p, int row)
{
    for (int j = p.firstColumn;; j += p.columnStep) {
        DrawCell(canvas, row, j, p.rowStep, p.columnStep);
        if (j == p.lastColumn)
            break;
    }
}

// Prepares the view and the shades; false when there is nothing to paint.
static bool ReadyToPaint(CPlot3DBase& p)
{
    if (p.m_grid.empty() || p.m_nRows < 4 || p.m_nRows != p.m_nColumns)
        return false;
    if (p.m_nFillStyle < FillWireframe || p.m_nFillStyle > FillShaded)
        p.m_nFillStyle = FillShaded;
    p.PrepareView();
    return true;
}

BOOL CPlot3DBase::Draw(CPlotCanvas& canvas)
{
    if (!ReadyToPaint(*this) || !HasView())
        return TRUE;
    if (m_nFillStyle >= FillShadedGrid)
        ComputeShading();
    Progress p;
    BeginCells(p);
    SelectStylePens(canvas);
    for (int i = p.row; !p.done; i += p.rowStep) {
        DrawRow(canvas, p, i);
        if (i == p.lastRow)
            break;
    }
    DrawAxes(canvas);
    return TRUE;
}

BOOL CPlot3DBase::DrawProgressive(CPlotCanvas& first, CPlotCanvas* pSecond, BOOL bStart)
{
    Progress& p = m_progress;
    if (bStart) {
        p.done = true;
        if (!ReadyToPaint(*this) || !HasView())
            return TRUE;
        if (m_nFillStyle >= FillShadedGrid)
            ComputeShading();
        BeginCells(p);
        SelectStylePens(first);
        if (pSecond)
            SelectStylePens(*pSecond);
    }
    if (p.done)
        return TRUE;
    DrawRow(first, p, p.row);
    if (pSecond)
        DrawRow(*pSecond, p, p.row);
    if (p.row != p.lastRow) {
        p.row += p.rowStep;
        return FALSE;
    }
    p.done = true;
    DrawAxes(first);
    if (pSecond)
        DrawAxes(*pSecond);
    return TRUE;
}
