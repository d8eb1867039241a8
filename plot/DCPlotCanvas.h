#pragma once
#include "framework/win/CDC.h"
#include "plot/PlotCanvas.h"

#include <memory>

// A plot canvas over a device context. Plain one-pixel pens and brushes use the context's own
// DC pen and brush, so a new colour per cell costs no object; wider, styled pens and every
// object on a metafile are made as needed and reused while they repeat. The context's state
// (objects, clipping, modes) is put back when the canvas goes.
class CDCPlotCanvas : public CPlotCanvas {
public:
    explicit CDCPlotCanvas(CDC& dc);
    ~CDCPlotCanvas() override;
    CDCPlotCanvas(const CDCPlotCanvas&) = delete;
    CDCPlotCanvas& operator=(const CDCPlotCanvas&) = delete;

    void SetPen(const PlotPen& pen) override;
    void SetBrush(COLORREF colour) override;
    void SetHollowBrush() override;
    void SetFont(const LOGFONTA& font) override;
    void SetTextColour(COLORREF colour) override;
    CSize MeasureText(const CString& text) override;
    void TextOut(int x, int y, const CString& text) override;
    void FillRect(const RECT& rect, COLORREF colour) override;
    void Line(int x1, int y1, int x2, int y2) override;
    void Polyline(const POINT* points, int count) override;
    void Polygon(const POINT* points, int count) override;
    void InvertRect(const RECT& rect) override;
    void SetClipRect(const RECT* rect) override;
    // A screen-compatible context in pixel units with plain copying, not a metafile or printer.
    bool DrawsOwnPixels() const override { return m_bOwnPixels; }

private:
    HBRUSH SolidBrush(COLORREF colour);

    HDC m_hDC;
    int m_nSavedDC;
    bool m_bDCObjects; // DC pen and brush usable (not on a metafile)
    bool m_bOwnPixels;
    HRGN m_hOriginalClip = nullptr;
    bool m_bPenSet = false;
    PlotPen m_pen;
    CPen m_createdPen;
    int m_brushKind = 0; // 0 none, 1 solid, 2 hollow
    COLORREF m_crBrush = 0;
    CBrush m_createdBrush;
    bool m_bFontSet = false;
    LOGFONTA m_font{};
    CFont m_createdFont;
    CBrush m_fillBrush; // FillRect on a metafile
    COLORREF m_crFill = 0;
};

// Makes the plot pen: geometric with flat ends when wide and styled, else cosmetic; FALSE
// when the system refused it.
BOOL CreatePlotPen(CPen& pen, const PlotPen& spec);
