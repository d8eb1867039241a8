#pragma once
#include "framework/core/CObject.h"
#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "framework/win/CGdiObject.h"

class CWnd;

// A device context. A CDC that created or attached its HDC deletes it when destroyed; the
// paint, client and window DCs release theirs. Before a DC goes, the pens, brushes, fonts and
// bitmaps it had when the framework first selected something into it are put back, so the
// selected objects can be deleted.
class CDC : public CObject {
    DECLARE_DYNCREATE(CDC)
public:
    CDC();
    ~CDC() override;
    CDC(const CDC&) = delete;
    CDC& operator=(const CDC&) = delete;

    HDC m_hDC = nullptr;
    HDC m_hAttribDC = nullptr; // the same DC: output and attribute queries go to one handle
    BOOL m_bPrinting = FALSE;

    // The DC of a member that draws or queries: calling one on a CDC without a DC is the
    // caller's error (asserted).
    HDC DrawingDC() const
    {
        ASSERT(m_hDC != nullptr);
        return m_hDC;
    }

    operator HDC() const { return m_hDC; }
    HDC GetSafeHdc() const { return m_hDC; }
    static CDC* FromHandle(HDC hDC);
    // Makes this object the owner of hDC. It must hold no DC, and hDC must have no other owner
    // (both asserted; refused with FALSE).
    BOOL Attach(HDC hDC);
    HDC Detach();
    BOOL DeleteDC();
    BOOL CreateCompatibleDC(CDC* pDC);
    BOOL CreateDC(LPCTSTR lpszDriverName, LPCTSTR lpszDeviceName, LPCTSTR lpszOutput,
                  const DEVMODEA* lpInitData);
    BOOL IsPrinting() const { return m_bPrinting; }
    CWnd* GetWindow() const;
    int SaveDC() { return ::SaveDC(DrawingDC()); }
    BOOL RestoreDC(int nSavedDC) { return ::RestoreDC(DrawingDC(), nSavedDC); }
    int GetDeviceCaps(int nIndex) const { return ::GetDeviceCaps(DrawingDC(), nIndex); }

    // Selection: each returns the object that was selected before.
    CPen* SelectObject(CPen* pPen);
    CBrush* SelectObject(CBrush* pBrush);
    CFont* SelectObject(CFont* pFont);
    CBitmap* SelectObject(CBitmap* pBitmap);
    int SelectObject(CRgn* pRgn)
    {
        return ::SelectClipRgn(DrawingDC(), pRgn ? HRGN(*pRgn) : nullptr);
    }
    CGdiObject* SelectObject(CGdiObject* pObject);
    CGdiObject* SelectStockObject(int nIndex);
    HGDIOBJ SelectObject(HGDIOBJ hObject);
    CPen* GetCurrentPen() const
    {
        return CPen::FromHandle(static_cast<HPEN>(::GetCurrentObject(DrawingDC(), OBJ_PEN)));
    }
    CBrush* GetCurrentBrush() const
    {
        return CBrush::FromHandle(static_cast<HBRUSH>(::GetCurrentObject(DrawingDC(), OBJ_BRUSH)));
    }
    CFont* GetCurrentFont() const
    {
        return CFont::FromHandle(static_cast<HFONT>(::GetCurrentObject(DrawingDC(), OBJ_FONT)));
    }
    CBitmap* GetCurrentBitmap() const
    {
        return CBitmap::FromHandle(
            static_cast<HBITMAP>(::GetCurrentObject(DrawingDC(), OBJ_BITMAP)));
    }

    // Colours, modes and coordinates.
    COLORREF SetTextColor(COLORREF crColor) { return ::SetTextColor(DrawingDC(), crColor); }
    COLORREF GetTextColor() const { return ::GetTextColor(DrawingDC()); }
    COLORREF SetBkColor(COLORREF crColor) { return ::SetBkColor(DrawingDC(), crColor); }
    COLORREF GetBkColor() const { return ::GetBkColor(DrawingDC()); }
    int SetBkMode(int nBkMode) { return ::SetBkMode(DrawingDC(), nBkMode); }
    int GetBkMode() const { return ::GetBkMode(DrawingDC()); }
    int SetROP2(int nDrawMode) { return ::SetROP2(DrawingDC(), nDrawMode); }
    int SetPolyFillMode(int nPolyFillMode) { return ::SetPolyFillMode(DrawingDC(), nPolyFillMode); }
    int SetStretchBltMode(int nStretchMode)
    {
        return ::SetStretchBltMode(DrawingDC(), nStretchMode);
    }
    UINT SetTextAlign(UINT nFlags) { return ::SetTextAlign(DrawingDC(), nFlags); }
    int SetMapMode(int nMapMode) { return ::SetMapMode(DrawingDC(), nMapMode); }
    int GetMapMode() const { return ::GetMapMode(DrawingDC()); }
    CPoint SetViewportOrg(int x, int y);
    CPoint SetViewportOrg(POINT point) { return SetViewportOrg(point.x, point.y); }
    CPoint GetViewportOrg() const;
    CPoint SetWindowOrg(int x, int y);
    CPoint SetWindowOrg(POINT point) { return SetWindowOrg(point.x, point.y); }
    // Moves the window origin by (dx, dy): what is drawn next lands (-dx, -dy) further on.
    CPoint OffsetWindowOrg(int dx, int dy)
    {
        POINT old = {};
        ::OffsetWindowOrgEx(DrawingDC(), dx, dy, &old);
        return old;
    }
    CSize SetViewportExt(int cx, int cy);
    CSize SetWindowExt(int cx, int cy);
    CPoint SetBrushOrg(int x, int y);
    void DPtoLP(LPPOINT lpPoints, int nCount = 1) const { ::DPtoLP(DrawingDC(), lpPoints, nCount); }
    void DPtoLP(LPRECT lpRect) const
    {
        ::DPtoLP(DrawingDC(), reinterpret_cast<LPPOINT>(lpRect), 2);
    }
    void LPtoDP(LPPOINT lpPoints, int nCount = 1) const { ::LPtoDP(DrawingDC(), lpPoints, nCount); }
    void LPtoDP(LPRECT lpRect) const
    {
        ::LPtoDP(DrawingDC(), reinterpret_cast<LPPOINT>(lpRect), 2);
    }

    // Clipping.
    int IntersectClipRect(int x1, int y1, int x2, int y2)
    {
        return ::IntersectClipRect(DrawingDC(), x1, y1, x2, y2);
    }
    int IntersectClipRect(LPCRECT lpRect)
    {
        return IntersectClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    }
    int ExcludeClipRect(int x1, int y1, int x2, int y2)
    {
        return ::ExcludeClipRect(DrawingDC(), x1, y1, x2, y2);
    }
    int ExcludeClipRect(LPCRECT lpRect)
    {
        return ExcludeClipRect(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    }
    int SelectClipRgn(CRgn* pRgn)
    {
        return ::SelectClipRgn(DrawingDC(), pRgn ? HRGN(*pRgn) : nullptr);
    }
    int GetClipBox(LPRECT lpRect) const { return ::GetClipBox(DrawingDC(), lpRect); }

    // Lines and shapes.
    CPoint MoveTo(int x, int y);
    CPoint MoveTo(POINT point) { return MoveTo(point.x, point.y); }
    BOOL LineTo(int x, int y) { return ::LineTo(DrawingDC(), x, y); }
    BOOL LineTo(POINT point) { return LineTo(point.x, point.y); }
    BOOL Polyline(const POINT* lpPoints, int nCount)
    {
        return ::Polyline(DrawingDC(), lpPoints, nCount);
    }
    BOOL Polygon(const POINT* lpPoints, int nCount)
    {
        return ::Polygon(DrawingDC(), lpPoints, nCount);
    }
    BOOL PolyPolygon(const POINT* lpPoints, const INT* lpPolyCounts, int nCount)
    {
        return ::PolyPolygon(DrawingDC(), lpPoints, lpPolyCounts, nCount);
    }
    BOOL Rectangle(int x1, int y1, int x2, int y2)
    {
        return ::Rectangle(DrawingDC(), x1, y1, x2, y2);
    }
    BOOL Rectangle(LPCRECT lpRect)
    {
        return Rectangle(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    }
    BOOL RoundRect(int x1, int y1, int x2, int y2, int x3, int y3)
    {
        return ::RoundRect(DrawingDC(), x1, y1, x2, y2, x3, y3);
    }
    BOOL Ellipse(int x1, int y1, int x2, int y2) { return ::Ellipse(DrawingDC(), x1, y1, x2, y2); }
    BOOL Ellipse(LPCRECT lpRect)
    {
        return Ellipse(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom);
    }
    BOOL Arc(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
    {
        return ::Arc(DrawingDC(), x1, y1, x2, y2, x3, y3, x4, y4);
    }
    BOOL Arc(LPCRECT lpRect, POINT ptStart, POINT ptEnd)
    {
        return Arc(lpRect->left, lpRect->top, lpRect->right, lpRect->bottom, ptStart.x, ptStart.y,
                   ptEnd.x, ptEnd.y);
    }
    BOOL Pie(int x1, int y1, int x2, int y2, int x3, int y3, int x4, int y4)
    {
        return ::Pie(DrawingDC(), x1, y1, x2, y2, x3, y3, x4, y4);
    }
    COLORREF SetPixel(int x, int y, COLORREF crColor)
    {
        return ::SetPixel(DrawingDC(), x, y, crColor);
    }
    COLORREF SetPixel(POINT point, COLORREF crColor)
    {
        return ::SetPixel(DrawingDC(), point.x, point.y, crColor);
    }
    COLORREF GetPixel(int x, int y) const { return ::GetPixel(DrawingDC(), x, y); }
    COLORREF GetPixel(POINT point) const { return ::GetPixel(DrawingDC(), point.x, point.y); }

    // Rectangles, edges and regions.
    void FillRect(LPCRECT lpRect, CBrush* pBrush) { ::FillRect(DrawingDC(), lpRect, *pBrush); }
    void FillSolidRect(LPCRECT lpRect, COLORREF clr);
    void FillSolidRect(int x, int y, int cx, int cy, COLORREF clr);
    void FrameRect(LPCRECT lpRect, CBrush* pBrush) { ::FrameRect(DrawingDC(), lpRect, *pBrush); }
    void InvertRect(LPCRECT lpRect) { ::InvertRect(DrawingDC(), lpRect); }
    void DrawFocusRect(LPCRECT lpRect) { ::DrawFocusRect(DrawingDC(), lpRect); }
    // A rectangle outline, top and left in one colour, right and bottom in the other.
    void Draw3dRect(LPCRECT lpRect, COLORREF clrTopLeft, COLORREF clrBottomRight);
    void Draw3dRect(int x, int y, int cx, int cy, COLORREF clrTopLeft, COLORREF clrBottomRight);
    BOOL DrawEdge(LPRECT lpRect, UINT nEdge, UINT nFlags)
    {
        return ::DrawEdge(DrawingDC(), lpRect, nEdge, nFlags);
    }
    BOOL DrawFrameControl(LPRECT lpRect, UINT nType, UINT nState)
    {
        return ::DrawFrameControl(DrawingDC(), lpRect, nType, nState);
    }
    BOOL DrawIcon(int x, int y, HICON hIcon) { return ::DrawIcon(DrawingDC(), x, y, hIcon); }
    BOOL DrawIcon(POINT point, HICON hIcon)
    {
        return ::DrawIcon(DrawingDC(), point.x, point.y, hIcon);
    }
    BOOL DrawState(CPoint pt, CSize size, HICON hIcon, UINT nFlags, HBRUSH hBrush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, HBITMAP hBitmap, UINT nFlags, HBRUSH hBrush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, CBitmap* pBitmap, UINT nFlags, CBrush* pBrush = nullptr);
    BOOL DrawState(CPoint pt, CSize size, LPCTSTR lpszText, UINT nFlags, BOOL bPrefixText = TRUE,
                   int nTextLen = 0, CBrush* pBrush = nullptr);
    BOOL FillRgn(CRgn* pRgn, CBrush* pBrush) { return ::FillRgn(DrawingDC(), *pRgn, *pBrush); }
    BOOL FrameRgn(CRgn* pRgn, CBrush* pBrush, int nWidth, int nHeight)
    {
        return ::FrameRgn(DrawingDC(), *pRgn, *pBrush, nWidth, nHeight);
    }
    BOOL InvertRgn(CRgn* pRgn) { return ::InvertRgn(DrawingDC(), *pRgn); }

    // Bitmaps.
    BOOL BitBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc, DWORD dwRop)
    {
        return ::BitBlt(DrawingDC(), x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr, xSrc,
                        ySrc, dwRop);
    }
    BOOL StretchBlt(int x, int y, int nWidth, int nHeight, CDC* pSrcDC, int xSrc, int ySrc,
                    int nSrcWidth, int nSrcHeight, DWORD dwRop)
    {
        return ::StretchBlt(DrawingDC(), x, y, nWidth, nHeight, pSrcDC ? pSrcDC->m_hDC : nullptr,
                            xSrc, ySrc, nSrcWidth, nSrcHeight, dwRop);
    }
    BOOL PatBlt(int x, int y, int nWidth, int nHeight, DWORD dwRop)
    {
        return ::PatBlt(DrawingDC(), x, y, nWidth, nHeight, dwRop);
    }

    // Text.
    BOOL TextOut(int x, int y, LPCTSTR lpszString, int nCount)
    {
        return ::TextOutA(DrawingDC(), x, y, lpszString, nCount);
    }
    BOOL TextOut(int x, int y, const CString& str) { return TextOut(x, y, str, str.GetLength()); }
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, LPCTSTR lpszString, UINT nCount,
                    LPINT lpDxWidths)
    {
        return ::ExtTextOutA(DrawingDC(), x, y, nOptions, lpRect, lpszString, nCount, lpDxWidths);
    }
    BOOL ExtTextOut(int x, int y, UINT nOptions, LPCRECT lpRect, const CString& str,
                    LPINT lpDxWidths)
    {
        return ExtTextOut(x, y, nOptions, lpRect, str, UINT(str.GetLength()), lpDxWidths);
    }
    int DrawText(LPCTSTR lpszString, int nCount, LPRECT lpRect, UINT nFormat)
    {
        return ::DrawTextA(DrawingDC(), lpszString, nCount, lpRect, nFormat);
    }
    int DrawText(const CString& str, LPRECT lpRect, UINT nFormat)
    {
        return DrawText(str, str.GetLength(), lpRect, nFormat);
    }
    // Text with tabs: at the given stops, or every eight average character widths, counted
    // from nTabOrigin (from 0 for the extent).
    CSize TabbedTextOut(int x, int y, const CString& str, int nTabPositions,
                        LPINT lpnTabStopPositions, int nTabOrigin)
    {
        const LONG extent = ::TabbedTextOutA(DrawingDC(), x, y, str, str.GetLength(), nTabPositions,
                                             lpnTabStopPositions, nTabOrigin);
        return CSize(LOWORD(extent), HIWORD(extent));
    }
    CSize GetTabbedTextExtent(const CString& str, int nTabPositions,
                              LPINT lpnTabStopPositions) const
    {
        const DWORD extent = ::GetTabbedTextExtentA(DrawingDC(), str, str.GetLength(),
                                                    nTabPositions, lpnTabStopPositions);
        return CSize(LOWORD(extent), HIWORD(extent));
    }
    CSize GetTextExtent(LPCTSTR lpszString, int nCount) const;
    CSize GetTextExtent(const CString& str) const { return GetTextExtent(str, str.GetLength()); }
    BOOL GetTextMetrics(LPTEXTMETRICA lpMetrics) const
    {
        return ::GetTextMetricsA(DrawingDC(), lpMetrics);
    }

    // Printing.
    int StartDoc(LPDOCINFOA lpDocInfo) { return ::StartDocA(DrawingDC(), lpDocInfo); }
    int StartPage() { return ::StartPage(DrawingDC()); }
    int EndPage() { return ::EndPage(DrawingDC()); }
    int EndDoc() { return ::EndDoc(DrawingDC()); }
    int AbortDoc() { return ::AbortDoc(DrawingDC()); }

protected:
    // Puts back the objects the DC had before the framework's first selections.
    void RestoreOriginalObjects();
    // Attach; a shared DC (a window's DC, which the system may hand to several callers) may have
    // several holders.
    BOOL AttachAs(HDC hDC, bool shared);
    // Attaches a DC just made for this object; when refused, the DC is deleted again.
    BOOL AttachCreated(HDC hDC);

private:
    void RememberOriginal(HGDIOBJ hOld, DWORD objectType);
    // Puts the original object back into every framework DC that has hObject selected.
    static void UnselectEverywhere(HGDIOBJ hObject);
    HGDIOBJ m_hOriginal[4] = {}; // pen, brush, font, bitmap
    friend class CGdiObject;
};

// The device context of a WM_PAINT: BeginPaint in the constructor, EndPaint in the destructor.
class CPaintDC : public CDC {
    DECLARE_DYNAMIC(CPaintDC)
public:
    explicit CPaintDC(CWnd* pWnd);
    ~CPaintDC() override;
    PAINTSTRUCT m_ps{};

protected:
    HWND m_hWnd = nullptr;
};

// The client-area DC of a window (the screen for nullptr), released in the destructor.
class CClientDC : public CDC {
    DECLARE_DYNAMIC(CClientDC)
public:
    explicit CClientDC(CWnd* pWnd);
    ~CClientDC() override;

protected:
    HWND m_hWnd = nullptr;
};

// The whole-window DC of a window, released in the destructor.
class CWindowDC : public CDC {
    DECLARE_DYNAMIC(CWindowDC)
public:
    explicit CWindowDC(CWnd* pWnd);
    ~CWindowDC() override;

protected:
    HWND m_hWnd = nullptr;
};

// A DC recording an enhanced metafile: CreateEnhanced, draw, CloseEnhanced hands the metafile
// to the caller.
class CMetaFileDC : public CDC {
    DECLARE_DYNAMIC(CMetaFileDC)
public:
    CMetaFileDC() = default;
    ~CMetaFileDC() override;
    // lpBounds in .01 millimetres; pDCRef the reference device (the screen when nullptr).
    BOOL CreateEnhanced(CDC* pDCRef, LPCTSTR lpszFileName, LPCRECT lpBounds,
                        LPCTSTR lpszDescription);
    HENHMETAFILE CloseEnhanced();
};
