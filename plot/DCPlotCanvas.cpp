#include "plot/DCPlotCanvas.h"

#include <cstring>

BOOL CreatePlotPen(CPen& pen, const PlotPen& spec)
{
    if (spec.bFlatCaps) {
        const LOGBRUSH brush = {BS_SOLID, spec.crColour, 0};
        return pen.CreatePen(spec.nStyle | PS_GEOMETRIC | PS_ENDCAP_FLAT, spec.nWidth, &brush);
    }
    return pen.CreatePen(spec.nStyle, spec.nWidth, spec.crColour);
}

CDCPlotCanvas::CDCPlotCanvas(CDC& dc)
    : m_hDC(dc.m_hDC), m_nSavedDC(::SaveDC(dc.m_hDC)),
      m_bDCObjects(::GetObjectType(dc.m_hDC) != OBJ_ENHMETADC),
      m_bOwnPixels(m_bDCObjects && ::GetDeviceCaps(m_hDC, TECHNOLOGY) == DT_RASDISPLAY &&
                   ::GetMapMode(m_hDC) == MM_TEXT && ::GetGraphicsMode(m_hDC) == GM_COMPATIBLE &&
                   ::GetROP2(m_hDC) == R2_COPYPEN)
{
    ::SetBkMode(m_hDC, TRANSPARENT);
    HRGN clip = ::CreateRectRgn(0, 0, 0, 0);
    if (::GetClipRgn(m_hDC, clip) == 1)
        m_hOriginalClip = clip;
    else
        ::DeleteObject(clip);
}

CDCPlotCanvas::~CDCPlotCanvas()
{
    ::RestoreDC(m_hDC, m_nSavedDC); // deselects what the canvas made before it is deleted
    if (m_hOriginalClip)
        ::DeleteObject(m_hOriginalClip);
}

void CDCPlotCanvas::SetPen(const PlotPen& pen)
{
    if (m_bPenSet && pen == m_pen)
        return;
    m_pen = pen;
    m_bPenSet = true;
    if (m_bDCObjects && pen.nStyle == PS_SOLID && pen.nWidth <= 1) {
        ::SelectObject(m_hDC, ::GetStockObject(DC_PEN));
        ::SetDCPenColor(m_hDC, pen.crColour);
        return;
    }
    CPen made;
    if (!CreatePlotPen(made, pen)) {
        ::SelectObject(m_hDC, ::GetStockObject(BLACK_PEN)); // what could be made
        return;
    }
    ::SelectObject(m_hDC, made.m_hObject);
    m_createdPen.DeleteObject();
    m_createdPen.Attach(made.Detach());
}

HBRUSH CDCPlotCanvas::SolidBrush(COLORREF colour)
{
    if (m_bDCObjects) {
        ::SetDCBrushColor(m_hDC, colour);
        return static_cast<HBRUSH>(::GetStockObject(DC_BRUSH));
    }
    CBrush made;
    if (!made.CreateSolidBrush(colour))
        return static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH));
    m_createdBrush.DeleteObject();
    m_createdBrush.Attach(made.Detach());
    return m_createdBrush;
}

void CDCPlotCanvas::SetBrush(COLORREF colour)
{
    if (m_brushKind == 1 && m_crBrush == colour)
        return;
    ::SelectObject(m_hDC, SolidBrush(colour));
    m_brushKind = 1;
    m_crBrush = colour;
}

void CDCPlotCanvas::SetHollowBrush()
{
    if (m_brushKind == 2)
        return;
    ::SelectObject(m_hDC, ::GetStockObject(HOLLOW_BRUSH));
    m_brushKind = 2;
}

void CDCPlotCanvas::SetFont(const LOGFONTA& font)
{
    if (m_bFontSet && std::memcmp(&font, &m_font, sizeof font) == 0)
        return;
    m_font = font;
    m_bFontSet = true;
    LOGFONTA safe = font;
    safe.lfFaceName[LF_FACESIZE - 1] = '\0';
    CFont made;
    if (!made.CreateFontIndirect(&safe)) {
        ::SelectObject(m_hDC, ::GetStockObject(DEFAULT_GUI_FONT));
        return;
    }
    ::SelectObject(m_hDC, made.m_hObject);
    m_createdFont.DeleteObject();
    m_createdFont.Attach(made.Detach());
}

void CDCPlotCanvas::SetTextColour(COLORREF colour) { ::SetTextColor(m_hDC, colour); }

CSize CDCPlotCanvas::MeasureText(const CString& text)
{
    SIZE size = {0, 0};
    ::GetTextExtentPoint32A(m_hDC, text, text.GetLength(), &size);
    return CSize(size);
}

void CDCPlotCanvas::TextOut(int x, int y, const CString& text)
{
    ::TextOutA(m_hDC, x, y, text, text.GetLength());
}

void CDCPlotCanvas::FillRect(const RECT& rect, COLORREF colour)
{
    if (m_bDCObjects) {
        const COLORREF previous = ::SetDCBrushColor(m_hDC, colour);
        ::FillRect(m_hDC, &rect, static_cast<HBRUSH>(::GetStockObject(DC_BRUSH)));
        ::SetDCBrushColor(m_hDC, m_brushKind == 1 ? m_crBrush : previous);
        return;
    }
    if (!m_fillBrush.m_hObject || m_crFill != colour) {
        m_fillBrush.DeleteObject();
        m_fillBrush.CreateSolidBrush(colour);
        m_crFill = colour;
    }
    ::FillRect(m_hDC, &rect,
               m_fillBrush.m_hObject ? static_cast<HBRUSH>(m_fillBrush.m_hObject)
                                     : static_cast<HBRUSH>(::GetStockObject(BLACK_BRUSH)));
}

void CDCPlotCanvas::Line(int x1, int y1, int x2, int y2)
{
    ::MoveToEx(m_hDC, x1, y1, nullptr);
    ::LineTo(m_hDC, x2, y2);
}

void CDCPlotCanvas::Polyline(const POINT* points, int count) { ::Polyline(m_hDC, points, count); }

void CDCPlotCanvas::Polygon(const POINT* points, int count) { ::Polygon(m_hDC, points, count); }

void CDCPlotCanvas::InvertRect(const RECT& rect) { ::InvertRect(m_hDC, &rect); }

void CDCPlotCanvas::SetClipRect(const RECT* rect)
{
    if (!rect) {
        ::SelectClipRgn(m_hDC, m_hOriginalClip);
        return;
    }
    HRGN region = ::CreateRectRgnIndirect(rect);
    if (m_hOriginalClip)
        ::CombineRgn(region, region, m_hOriginalClip, RGN_AND);
    ::SelectClipRgn(m_hDC, region);
    ::DeleteObject(region);
}
