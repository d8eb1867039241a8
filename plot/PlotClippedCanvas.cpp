#include "plot/PlotClippedCanvas.h"

#include <algorithm>
#include <cmath>

namespace {

struct Point2 {
    double x, y;
};

POINT Rounded(Point2 p) { return POINT{LONG(std::lround(p.x)), LONG(std::lround(p.y))}; }

RECT Intersection(const RECT& a, const RECT& b)
{
    RECT r = {std::max(a.left, b.left), std::max(a.top, b.top), std::min(a.right, b.right),
              std::min(a.bottom, b.bottom)};
    if (r.right < r.left)
        r.right = r.left;
    if (r.bottom < r.top)
        r.bottom = r.top;
    return r;
}

bool IsEmpty(const RECT& r) { return r.right <= r.left || r.bottom <= r.top; }

// Liang-Barsky: the part t0 .. t1 of p + t (q - p), 0 <= t <= 1, within rect with its edges;
// false when no part is.
bool ClipSegment(Point2 p, Point2 q, const RECT& rect, double& t0, double& t1)
{
    const double dx = q.x - p.x, dy = q.y - p.y;
    const double limits[4][2] = {{-dx, p.x - rect.left},
                                 {dx, rect.right - p.x},
                                 {-dy, p.y - rect.top},
                                 {dy, rect.bottom - p.y}};
    t0 = 0.0;
    t1 = 1.0;
    for (const auto& [d, room] : limits) {
        if (d == 0.0) {
            if (room < 0.0)
                return false; // parallel to this edge and outside it
            continue;
        }
        const double t = room / d;
        if (d < 0.0)
            t0 = std::max(t0, t);
        else
            t1 = std::min(t1, t);
        if (t0 > t1)
            return false;
    }
    return true;
}

// One Sutherland-Hodgman pass: the polygon on the side of one edge where inside(p) holds.
template <class Inside, class Cross>
std::vector<Point2> ClipToEdge(const std::vector<Point2>& in, Inside inside, Cross cross)
{
    std::vector<Point2> out;
    for (std::size_t i = 0; i < in.size(); ++i) {
        const Point2 a = in[i], b = in[(i + 1) % in.size()];
        if (inside(a)) {
            out.push_back(a);
            if (!inside(b))
                out.push_back(cross(a, b));
        } else if (inside(b)) {
            out.push_back(cross(a, b));
        }
    }
    return out;
}

} // namespace

std::vector<std::vector<POINT>> ClipPolylineToRect(const POINT* points, int count, const RECT& rect)
{
    std::vector<std::vector<POINT>> pieces;
    std::vector<POINT> run;
    const auto flush = [&] {
        if (run.size() >= 2)
            pieces.push_back(run);
        run.clear();
    };
    for (int i = 0; i + 1 < count; ++i) {
        const Point2 p{double(points[i].x), double(points[i].y)};
        const Point2 q{double(points[i + 1].x), double(points[i + 1].y)};
        double t0 = 0.0, t1 = 1.0;
        if (!ClipSegment(p, q, rect, t0, t1)) {
            flush();
            continue;
        }
        if (t0 > 0.0)
            flush(); // the segment comes in from outside
        if (run.empty())
            run.push_back(t0 > 0.0 ? Rounded({p.x + t0 * (q.x - p.x), p.y + t0 * (q.y - p.y)})
                                   : points[i]);
        run.push_back(t1 < 1.0 ? Rounded({p.x + t1 * (q.x - p.x), p.y + t1 * (q.y - p.y)})
                               : points[i + 1]);
        if (t1 < 1.0)
            flush(); // and leaves it
    }
    flush();
    return pieces;
}

std::vector<POINT> ClipPolygonToRect(const POINT* points, int count, const RECT& rect)
{
    std::vector<Point2> shape;
    for (int i = 0; i < count; ++i)
        shape.push_back({double(points[i].x), double(points[i].y)});
    const auto atX = [](double x) {
        return [x](Point2 a, Point2 b) {
            return Point2{x, a.y + (b.y - a.y) * (x - a.x) / (b.x - a.x)};
        };
    };
    const auto atY = [](double y) {
        return [y](Point2 a, Point2 b) {
            return Point2{a.x + (b.x - a.x) * (y - a.y) / (b.y - a.y), y};
        };
    };
    const double left = rect.left, right = rect.right, top = rect.top, bottom = rect.bottom;
    shape = ClipToEdge(
        shape, [left](Point2 p) { return p.x >= left; }, atX(left));
    shape = ClipToEdge(
        shape, [right](Point2 p) { return p.x <= right; }, atX(right));
    shape = ClipToEdge(
        shape, [top](Point2 p) { return p.y >= top; }, atY(top));
    shape = ClipToEdge(
        shape, [bottom](Point2 p) { return p.y <= bottom; }, atY(bottom));
    std::vector<POINT> out;
    for (const Point2& p : shape) {
        const POINT r = Rounded(p);
        if (out.empty() || r.x != out.back().x || r.y != out.back().y)
            out.push_back(r);
    }
    return out;
}

CClippedPlotCanvas::CClippedPlotCanvas(CPlotCanvas& target, const RECT& picture)
    : m_target(target), m_picture(picture), m_clip(picture)
{
    m_target.SetClipRect(&m_clip);
}

RECT CClippedPlotCanvas::CutRect() const
{
    return RECT{m_clip.left - 1, m_clip.top - 1, m_clip.right, m_clip.bottom};
}

void CClippedPlotCanvas::SetClipRect(const RECT* rect)
{
    m_clip = rect ? Intersection(*rect, m_picture) : m_picture;
    m_target.SetClipRect(&m_clip);
}

void CClippedPlotCanvas::TextOut(int x, int y, const CString& text)
{
    const CSize size = m_target.MeasureText(text);
    const RECT box = {x, y, x + size.cx, y + size.cy};
    if (!IsEmpty(Intersection(box, m_clip)))
        m_target.TextOut(x, y, text);
}

void CClippedPlotCanvas::FillRect(const RECT& rect, COLORREF colour)
{
    const RECT part = Intersection(rect, m_clip);
    if (!IsEmpty(part))
        m_target.FillRect(part, colour);
}

void CClippedPlotCanvas::InvertRect(const RECT& rect)
{
    const RECT part = Intersection(rect, m_clip);
    if (!IsEmpty(part))
        m_target.InvertRect(part);
}

void CClippedPlotCanvas::Line(int x1, int y1, int x2, int y2)
{
    const POINT ends[] = {{x1, y1}, {x2, y2}};
    for (const std::vector<POINT>& piece : ClipPolylineToRect(ends, 2, CutRect()))
        m_target.Line(piece[0].x, piece[0].y, piece[1].x, piece[1].y);
}

void CClippedPlotCanvas::Polyline(const POINT* points, int count)
{
    for (const std::vector<POINT>& piece : ClipPolylineToRect(points, count, CutRect()))
        m_target.Polyline(piece.data(), int(piece.size()));
}

void CClippedPlotCanvas::Polygon(const POINT* points, int count)
{
    const std::vector<POINT> part = ClipPolygonToRect(points, count, CutRect());
    if (part.size() >= 3)
        m_target.Polygon(part.data(), int(part.size()));
}
