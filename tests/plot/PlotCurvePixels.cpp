#include "tests/plot/PlotCurvePixels.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <numbers>

namespace {

constexpr int kSamples = 2000;

struct Exact {
    double x, y;
};

// Where the plot puts a point, before its pixel is cut to a whole one.
Exact Place(const CPlot2D& plot, double x, double y)
{
    const CRect& r = plot.m_rectPlot;
    return {(x - plot.m_dXMin) * (r.right - r.left) / (plot.m_dXMax - plot.m_dXMin) + r.left,
            (plot.m_dYMax - y) * (r.bottom - r.top) / (plot.m_dYMax - plot.m_dYMin) + r.top};
}

std::vector<Exact> Trace(const CPlot2D& plot, const KnownCurve& curve)
{
    std::vector<Exact> points;
    for (int i = 0; i < kSamples; ++i) {
        const auto [x, y] = curve.at(curve.t0 + (curve.t1 - curve.t0) * i / (kSamples - 1));
        points.push_back(Place(plot, x, y));
    }
    return points;
}

// The pixels within the tolerance of the traced curve, walked in half-pixel steps.
std::vector<char> NearMask(const CDibImage& image, const std::vector<Exact>& points, int tol)
{
    std::vector<char> nearby(image.pixels.size(), 0);
    const auto mark = [&](double x, double y) {
        const int cx = int(std::floor(x)), cy = int(std::floor(y));
        for (int py = std::max(0, cy - tol); py <= std::min(image.height - 1, cy + tol); ++py)
            for (int px = std::max(0, cx - tol); px <= std::min(image.width - 1, cx + tol); ++px)
                nearby[std::size_t(py) * std::size_t(image.width) + std::size_t(px)] = 1;
    };
    for (std::size_t i = 0; i + 1 < points.size(); ++i) {
        const Exact a = points[i], b = points[i + 1];
        const double length = std::hypot(b.x - a.x, b.y - a.y);
        if (!(length < 20000))
            continue; // off any picture
        const int steps = std::max(1, int(std::ceil(length * 2)));
        for (int k = 0; k <= steps; ++k)
            mark(a.x + (b.x - a.x) * k / steps, a.y + (b.y - a.y) * k / steps);
    }
    return nearby;
}

bool ColourNear(const CDibImage& image, const Exact& p, COLORREF colour, int tol)
{
    const int cx = int(std::floor(p.x)), cy = int(std::floor(p.y));
    for (int py = std::max(0, cy - tol); py <= std::min(image.height - 1, cy + tol); ++py)
        for (int px = std::max(0, cx - tol); px <= std::min(image.width - 1, cx + tol); ++px)
            if (image.Pixel(px, py) == colour)
                return true;
    return false;
}

} // namespace

CurveMatch MatchCurve(const CDibImage& image, const CPlot2D& plot, const KnownCurve& curve,
                      int tolerance)
{
    CurveMatch match;
    const std::vector<Exact> points = Trace(plot, curve);
    const std::vector<char> nearby = NearMask(image, points, tolerance);
    for (int y = 0; y < image.height; ++y)
        for (int x = 0; x < image.width; ++x) {
            if (image.Pixel(x, y) != curve.colour)
                continue;
            ++match.drawn;
            match.stray += !nearby[std::size_t(y) * std::size_t(image.width) + std::size_t(x)];
        }
    const CRect& r = plot.m_rectPlot;
    for (const Exact& p : points) {
        if (p.x < r.left || p.x >= r.right || p.y < r.top || p.y >= r.bottom)
            continue;
        ++match.points;
        match.missing += !ColourNear(image, p, curve.colour, tolerance);
    }
    return match;
}

void ExpectCurvesWhereTheyLie(const CDibImage& image, const CPlot2D& plot,
                              const std::vector<KnownCurve>& curves, const std::string& what,
                              int tolerance)
{
    ASSERT_GT(image.width, 0) << what;
    for (const KnownCurve& curve : curves) {
        const CurveMatch m = MatchCurve(image, plot, curve, tolerance);
        EXPECT_GT(m.points, 0) << what << ": " << curve.name << " lies in the plot";
        EXPECT_EQ(m.stray, 0) << what << ": " << curve.name << " has " << m.stray << " of "
                              << m.drawn << " pixels away from its values";
        if (curve.bCovered)
            EXPECT_GT(m.drawn, 0) << what << ": " << curve.name << " is drawn";
        else
            EXPECT_LE(m.missing * 8, m.points)
                << what << ": " << curve.name << " shows " << m.points - m.missing << " of its "
                << m.points << " points";
    }
}

KnownCurve Cardioid(COLORREF colour)
{
    return {"the cardioid", colour,
            [](double t) {
                const double r = 1 + std::cos(t);
                return std::make_pair(r * std::cos(t), r * std::sin(t));
            },
            0, 2 * std::numbers::pi};
}

KnownCurve FigureEight(COLORREF colour)
{
    return {"the figure eight", colour,
            [](double t) { return std::make_pair(std::cos(t), std::sin(2 * t)); }, 0,
            2 * std::numbers::pi};
}

KnownCurve GraphOf(const std::string& name, double (*f)(double), const CFunctionPlot& graph)
{
    return {name, graph.m_crColour, [f](double x) { return std::make_pair(x, f(x)); },
            graph.m_dDomainMin, graph.m_dDomainMax};
}

CDibImage BitmapPicture(HBITMAP hBitmap, int width, int height)
{
    return AfxDrawToDib(width, height, [&](CDC& dc) {
        HDC hSource = ::CreateCompatibleDC(dc.m_hDC);
        HGDIOBJ hOld = ::SelectObject(hSource, hBitmap);
        ::BitBlt(dc.m_hDC, 0, 0, width, height, hSource, 0, 0, SRCCOPY);
        ::SelectObject(hSource, hOld);
        ::DeleteDC(hSource);
    });
}

CDibImage MetafilePicture(HENHMETAFILE hMeta, int width, int height)
{
    return AfxDrawToDib(width, height, [&](CDC& dc) {
        const RECT all = {0, 0, width, height};
        ::PlayEnhMetaFile(dc.m_hDC, hMeta, &all);
    });
}
