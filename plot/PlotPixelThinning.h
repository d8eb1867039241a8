#pragma once
#include "framework/core/Geometry.h"

#include <cstdint>
#include <vector>

// Leaving out of a drawing on a canvas's own pixels the shapes that change no pixel, so that a
// graph of many points costs the pixels it covers rather than one call per point.

// The pixels of an area (the plot rectangle) painted so far by rectangles of one opaque colour.
// An area of more than 2^24 pixels is not tracked: every rectangle counts as new there.
class CPaintedPixels {
public:
    explicit CPaintedPixels(const RECT& area);

    // Marks the rectangle painted. FALSE when it is empty or lies inside the area on pixels all
    // painted before, so that painting it again changes nothing; a rectangle reaching outside
    // the area counts as new.
    bool Paint(const RECT& rect);

private:
    RECT m_area;
    std::size_t m_nWords = 0;             // 64-bit words per row
    std::vector<std::uint64_t> m_painted; // a bit per pixel, row by row; empty when not tracked
};

// Drops the inner points of every stretch of consecutive points in one pixel column, keeping
// the stretch's first and last point and its topmost and bottommost (first found, in their
// order), and in the polyline's last column whatever decides whether its end pixel is drawn.
// A one-pixel solid pen then lays the polyline on the same pixels: the segments into and out
// of a column are unchanged and the column's own segments cover the same span.
void ThinPixelColumns(std::vector<POINT>& points);
