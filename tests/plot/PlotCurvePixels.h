#pragma once
// Whether a picture of a 2-D plot shows a curve where its closed form puts it: the pixels of the
// curve's colour are compared with the curve computed here, mapped as the plot was laid out.
#include "plot/Plot2D.h"
#include "tests/support/GuiTestSupport.h"

#include <functional>
#include <string>
#include <utility>
#include <vector>

// A curve as the test knows it, point by point over its parameter, and the colour drawn for it.
struct KnownCurve {
    std::string name;
    COLORREF colour;
    std::function<std::pair<double, double>(double)> at; // (x, y) at the parameter
    double t0, t1;
    bool bCovered = false; // other curves drawn later may hide most of it
};

// stray: pixels of the colour farther than the tolerance from the curve; missing: of the points
// of the curve inside the plot rectangle (points), those with no pixel of the colour within it.
struct CurveMatch {
    int drawn = 0, stray = 0, points = 0, missing = 0;
};

// plot is laid out as the picture was drawn (its ranges and plot rectangle).
CurveMatch MatchCurve(const CDibImage& image, const CPlot2D& plot, const KnownCurve& curve,
                      int tolerance = 2);

// Checks every curve against the picture: no stray pixel, and at most one point in eight missing
// (where another curve drew over it), or some pixel shown of a covered curve. what names the
// picture in a failure.
void ExpectCurvesWhereTheyLie(const CDibImage& image, const CPlot2D& plot,
                              const std::vector<KnownCurve>& curves, const std::string& what,
                              int tolerance = 2);

// The cardioid r = 1 + cos(t) and the figure eight x = cos(t), y = sin(2t) over [0, 2 pi], and
// y = f(x) over a graph's domain, in the colours given.
KnownCurve Cardioid(COLORREF colour);
KnownCurve FigureEight(COLORREF colour);
KnownCurve GraphOf(const std::string& name, double (*f)(double), const CFunctionPlot& graph);

// A bitmap or an enhanced metafile as the pixels of a top-down picture of width x height.
CDibImage BitmapPicture(HBITMAP hBitmap, int width, int height);
CDibImage MetafilePicture(HENHMETAFILE hMeta, int width, int height);
