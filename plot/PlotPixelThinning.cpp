#include "plot/PlotPixelThinning.h"

#include <algorithm>

namespace {

constexpr long long kMaxTrackedPixels = 1LL << 24;

// The bits first .. last (inclusive, 0 .. 63) of a word.
std::uint64_t BitSpan(unsigned first, unsigned last)
{
    const std::uint64_t upTo = last == 63 ? ~std::uint64_t(0) : (std::uint64_t(2) << last) - 1;
    return upTo & (~std::uint64_t(0) << first);
}

} // namespace

CPaintedPixels::CPaintedPixels(const RECT& area) : m_area(area)
{
    const long long width = (long long)area.right - area.left;
    const long long height = (long long)area.bottom - area.top;
    if (width > 0 && height > 0 && width * height <= kMaxTrackedPixels) {
        m_nWords = std::size_t(width + 63) / 64;
        m_painted.assign(m_nWords * std::size_t(height), 0);
    }
}

bool CPaintedPixels::Paint(const RECT& rect)
{
    if (rect.left >= rect.right || rect.top >= rect.bottom)
        return false;
    if (m_painted.empty())
        return true;
    const LONG left = std::max(rect.left, m_area.left), right = std::min(rect.right, m_area.right);
    const LONG top = std::max(rect.top, m_area.top), bottom = std::min(rect.bottom, m_area.bottom);
    bool fresh =
        left != rect.left || right != rect.right || top != rect.top || bottom != rect.bottom;
    if (left >= right || top >= bottom)
        return fresh;
    const unsigned first = unsigned(left - m_area.left), last = unsigned(right - 1 - m_area.left);
    const std::size_t w0 = first / 64, w1 = last / 64;
    const std::uint64_t all = ~std::uint64_t(0);
    const std::uint64_t head = BitSpan(first % 64, w0 == w1 ? last % 64 : 63);
    const std::uint64_t tail = BitSpan(0, last % 64);
    for (LONG y = top; y < bottom; ++y) {
        std::uint64_t* row = &m_painted[std::size_t(y - m_area.top) * m_nWords];
        for (std::size_t w = w0; w <= w1; ++w) {
            const std::uint64_t bits = w == w0 ? head : w == w1 ? tail : all;
            fresh = fresh || (row[w] & bits) != bits;
            row[w] |= bits;
        }
    }
    return fresh;
}

void ThinPixelColumns(std::vector<POINT>& points)
{
    const std::size_t n = points.size();
    std::size_t out = 0;
    for (std::size_t first = 0; first < n;) {
        std::size_t last = first, top = first, bottom = first;
        while (last + 1 < n && points[last + 1].x == points[first].x) {
            ++last;
            if (points[last].y < points[top].y)
                top = last;
            if (points[last].y > points[bottom].y)
                bottom = last;
        }
        std::size_t keep[] = {first, std::min(top, bottom), std::max(top, bottom), last, last};
        // The polyline's end pixel is drawn only by a segment leaving it: the end column keeps
        // the last point off that pixel when the later extreme lies on it.
        if (last + 1 == n && points[keep[2]].y == points[last].y) {
            std::size_t off = last;
            while (off > keep[2] && points[off].y == points[last].y)
                --off;
            keep[3] = off > keep[2] ? off : last;
        }
        // In order, each once; every index read lies at or after every place written so far.
        for (std::size_t k = 0; k < 5; ++k)
            if (k == 0 || keep[k] != keep[k - 1])
                points[out++] = points[keep[k]];
        first = last + 1;
    }
    points.resize(out);
}
