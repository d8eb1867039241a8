// Shapes left out of a drawing of many points: the rest must paint the same pixels. Polylines
// are laid on a raster one segment at a time without its end point, as the system draws a
// one-pixel pen.
#include "plot/PlotPixelThinning.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <set>
#include <utility>

namespace {

std::set<std::pair<int, int>> Drawn(const std::vector<POINT>& p)
{
    std::set<std::pair<int, int>> pixels;
    for (std::size_t i = 0; i + 1 < p.size(); ++i) {
        const int dx = std::abs(int(p[i + 1].x - p[i].x)), sx = p[i].x < p[i + 1].x ? 1 : -1;
        const int dy = -std::abs(int(p[i + 1].y - p[i].y)), sy = p[i].y < p[i + 1].y ? 1 : -1;
        for (int x = p[i].x, y = p[i].y, error = dx + dy; x != p[i + 1].x || y != p[i + 1].y;) {
            pixels.insert({x, y});
            const int e2 = 2 * error;
            if (e2 >= dy)
                error += dy, x += sx;
            if (e2 <= dx)
                error += dx, y += sy;
        }
    }
    return pixels;
}

TEST(PlotPixelThinning, ThinnedPolylinesCoverTheSamePixels)
{
    std::vector<std::vector<POINT>> cases = {
        {{5, 5}},
        {{5, 5}, {5, 5}, {5, 5}},
        {{5, 5}, {5, 10}, {5, 8}, {5, 3}, {5, 4}, {5, 7}, {6, 7}}, // down, up, down
        {{5, 5}, {5, 3}, {5, 4}, {5, 8}, {9, 1}},                  // the last the lowest
        {{5, 5}, {5, 6}, {5, 4}, {5, 9}},                          // the end beyond all
        {{5, 5}, {5, 9}, {5, 2}, {5, 9}, {5, 2}, {5, 6}},          // extremes twice
        {{1, 1}, {1, 30}, {2, 0}, {2, 31}, {3, 15}, {40, 16}},     // steep zig-zag
        {{4, 4}, {4, 9}, {5, 6}, {4, 2}, {4, 8}},                  // a column entered again
        {{5, 5}, {5, 2}, {5, 9}, {5, 4}, {5, 9}},                  // the end's pixel left before
    };
    // A dense band: thirty points a column wandering up and down.
    unsigned seed = 1;
    std::vector<POINT> band;
    for (int i = 0; i < 3000; ++i)
        band.push_back(
            POINT{i / 30, (i / 7) % 30 + int(((seed = seed * 1103515245u + 12345u) >> 16) % 25)});
    cases.push_back(band);
    for (std::size_t k = 0; k < cases.size(); ++k) {
        std::vector<POINT> thinned = cases[k];
        ThinPixelColumns(thinned);
        EXPECT_EQ(Drawn(thinned), Drawn(cases[k])) << "case " << k;
    }
    ThinPixelColumns(band);
    EXPECT_LE(band.size(), 101u * 4 + 1) << "about 4 points per column";
}

TEST(PlotPixelThinning, OnlySquaresOnPaintedPixelsAreLeftOut)
{
    CPaintedPixels painted(RECT{0, 0, 100, 100});
    const std::pair<RECT, bool> steps[] = {
        {{10, 10, 18, 18}, true},  {{10, 10, 18, 18}, false}, // the same square again
        {{12, 12, 16, 16}, false}, {{14, 10, 22, 18}, true},  // partly new
        {{11, 10, 21, 18}, false}, {{30, 30, 30, 38}, false}, // empty
        {{-4, -4, 4, 4}, true},    {{-4, -4, 4, 4}, true},    // reaching outside: always drawn
        {{60, 60, 68, 68}, true},  {{62, 60, 70, 68}, true},  // across a word of the mask
        {{63, 61, 69, 67}, false}, {{96, 96, 104, 104}, true}, {{120, 120, 128, 128}, true}};
    for (const auto& [rect, fresh] : steps)
        EXPECT_EQ(painted.Paint(rect), fresh) << rect.left << "," << rect.top;
    CPaintedPixels huge(RECT{0, 0, 5000, 5000});
    EXPECT_TRUE(huge.Paint(RECT{1, 1, 9, 9}));
    EXPECT_TRUE(huge.Paint(RECT{1, 1, 9, 9})) << "an area too large is not tracked";
}

} // namespace
