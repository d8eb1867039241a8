#pragma once
#include "plot/PlotCanvas.h"

#include <vector>

// Passes on to another canvas only what lies inside a picture rectangle and the clip rectangle
// set on it: lines cut at the edges, polygons cut to the rectangle, rectangles trimmed, texts
// wholly outside left out. A recorder that sizes its picture by all it is given, clipped or not
// (an enhanced metafile), then holds nothing outside the picture.
class CClippedPlotCanvas : public CPlotCanvas {
public:
    CClippedPlotCanvas(CPlotCanvas& target, const RECT& picture);

    void SetPen(const PlotPen& pen) override { m_target.SetPen(pen); }
    void SetBrush(COLORREF colour) override { m_target.SetBrush(colour); }
    void SetHollowBrush() override { m_target.SetHollowBrush(); }
    void SetFont(const LOGFONTA& font) override { m_target.SetFont(font); }
    void SetTextColour(COLORREF colour) override { m_target.SetTextColour(colour); }
    CSize MeasureText(const CString& text) override { return m_target.MeasureText(text); }
    void TextOut(int x, int y, const CString& text) override;
    void FillRect(const RECT& rect, COLORREF colour) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Polyline(const POINT* points, int count) override;
    void Polygon(const POINT* points, int count) override;
    void InvertRect(const RECT& rect) override;
    void SetClipRect(const RECT* rect) override;
    bool DrawsOwnPixels() const override { return m_target.DrawsOwnPixels(); }

private:
    // Shapes are cut one pixel outside the clip rectangle, so that a cut end (which a line
    // leaves out) or a cut edge (which a polygon outlines) lies on no pixel that shows.
    RECT CutRect() const;

    CPlotCanvas& m_target;
    RECT m_picture;
    RECT m_clip;
};

// The pieces of a polyline within rect (its edges included), each a polyline of two points or
// more; ends cut at an edge are rounded to whole pixels.
std::vector<std::vector<POINT>> ClipPolylineToRect(const POINT* points, int count,
                                                   const RECT& rect);
// A polygon cut to rect (edges included): fewer than three points when nothing is inside.
std::vector<POINT> ClipPolygonToRect(const POINT* points, int count, const RECT& rect);
