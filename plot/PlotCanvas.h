#pragma once
#include "framework/core/CString.h"
#include "framework/core/Geometry.h"

// Pen styles, with the values of the Win32 pen styles.
enum PlotPenStyle : int {
    PlotPenSolid = 0,
    PlotPenDash = 1,
    PlotPenDot = 2,
    PlotPenDashDot = 3,
    PlotPenDashDotDot = 4,
    PlotPenInsideFrame = 6,
};

// A pen as the plots ask for it: a geometric pen with flat ends when wide and not solid,
// otherwise a cosmetic one.
struct PlotPen {
    int nStyle = PlotPenSolid;
    int nWidth = 1;
    COLORREF crColour = 0;
    bool bFlatCaps = false;

    friend bool operator==(const PlotPen&, const PlotPen&) = default;
};

// What the plots draw on: a device context on Windows, a recording in tests. Coordinates are
// pixels; the pen and brush stay selected until replaced; text is drawn with a transparent
// background at its top-left corner.
class CPlotCanvas {
public:
    virtual ~CPlotCanvas() = default;

    virtual void SetPen(const PlotPen& pen) = 0;
    virtual void SetBrush(COLORREF colour) = 0;
    virtual void SetHollowBrush() = 0;
    virtual void SetFont(const LOGFONTA& font) = 0;
    virtual void SetTextColour(COLORREF colour) = 0;
    // Width and height of the text in the selected font.
    virtual CSize MeasureText(const CString& text) = 0;
    virtual void TextOut(int x, int y, const CString& text) = 0;

    virtual void FillRect(const RECT& rect, COLORREF colour) = 0;
    // From (x1, y1) to (x2, y2), the end point excluded.
    virtual void Line(int x1, int y1, int x2, int y2) = 0;
    virtual void Polyline(const POINT* points, int count) = 0;
    // Outlined with the pen, filled with the brush.
    virtual void Polygon(const POINT* points, int count) = 0;
    virtual void InvertRect(const RECT& rect) = 0;
    // Drawing is clipped to the rectangle until SetClipRect(nullptr).
    virtual void SetClipRect(const RECT* rect) = 0;
    // Whether shapes land one to one on this canvas's own pixels, lines copied with the pen:
    // then a shape that changes no pixel may be left out. Records replayed elsewhere or at
    // another scale (metafiles, printers) keep every shape.
    virtual bool DrawsOwnPixels() const { return false; }
};

// Measures text without drawing (the plot window's device context).
class ITextMeasurer {
public:
    virtual ~ITextMeasurer() = default;
    virtual CSize MeasureText(const LOGFONTA& font, const CString& text) = 0;
};

// Screen metrics the plots take sizes from. The application sets them from the primary screen
// at start-up; tests keep 96 dots per inch and 768 pixels.
struct PlotScreenMetrics {
    int nDpiY = 96;
    int nHeight = 768;
};
PlotScreenMetrics& GetPlotScreenMetrics();
