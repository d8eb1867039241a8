#pragma once
#include "framework/win/CDC.h"
#include "framework/win/CWnd.h"

class CPlot2D;
class CPlot3DScene;

// What a plot window tells its parent through WM_NOTIFY (wParam its control id).
struct PlotNotifyInfo {
    NMHDR hdr;
    int item; // see the codes
    double x; // see the codes
    double y;
    int spare; // 0
};

// Notification codes.
constexpr int PLOTN_POINTERMOVE = 512; // every pointer move over a 2-D plot: x, y in plot units
constexpr int PLOTN_CONTEXTMENU = 123; // item the graph under the pointer (< 0: none), x, y the
                                       // screen point
constexpr int PLOTN_SELECTED = -101;   // a graph became selected: item its index
constexpr int PLOTN_POINTERLEFT = 675; // item -1 from the hover check, 0 from WM_MOUSELEAVE
// A graph failed to draw: posted to the parent, wParam the window's id, lParam the graph.
constexpr UINT WM_PLOT_ITEMFAILED = WM_USER + 1;
constexpr UINT_PTR kHoverTimer = 1;
constexpr int kNoSelection = -10;

// A double-buffered plot window: a back buffer that Redraw renders into when it is stale,
// painting by copying the buffer, pointer tracking with a 10 ms hover timer, and notifications
// to the parent. A window of no size keeps no buffer and paints its background.
class CPlotWnd : public CWnd {
    DECLARE_DYNAMIC(CPlotWnd)
public:
    CPlotWnd();
    ~CPlotWnd() override;

    // A child window of its own class (arrow cursor, window-colour background).
    BOOL Create(LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                UINT nID);

    // Renders the buffer when it is stale.
    virtual void Redraw();
    // The plot put on the clipboard at the window's size.
    virtual BOOL CopyAsMetafile() { return CopyToClipboard(0, 0, 0); }
    virtual BOOL CopyAsBitmap() { return CopyToClipboard(1, 0, 0); }
    // The plot rendered anew at width x height (either below 1: the window's size) and put on
    // the clipboard, owned by this window: format 0 an enhanced metafile, else a bitmap. FALSE,
    // with the user told and nothing left behind, when it could not be done.
    BOOL CopyToClipboard(int nFormat, int width, int height);

    // Builds a PlotNotifyInfo and sends it to the parent.
    void Notify(int code, int item, double x, double y);
    // A dotted frame round the window while the pane that holds it has the keyboard.
    void ShowFocus(BOOL bShow);

    BOOL m_bInteractive = TRUE; // FALSE: graphs are never selected with the mouse
    BOOL m_bStale = TRUE;
    int m_nSelected = kNoSelection;
    BOOL m_bHover = FALSE;
    BOOL m_bShowFocus = FALSE;

    // The back buffer (nullptr while the window has no size) and its device context.
    HBITMAP GetBackBuffer() const { return m_hBuffer; }
    CDC& GetMemoryDC() { return m_dcMemory; }

protected:
    virtual HENHMETAFILE RenderMetafile(int width, int height);
    virtual HBITMAP RenderBitmap(int width, int height);
    // The size changed: the plot is laid out anew.
    virtual void OnNewSize(int cx, int cy);

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnSize(UINT nType, int cx, int cy);
    void OnPaint();
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnTimer(UINT_PTR nIDEvent);
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnMouseLeave();
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    // The hover check: the pointer has left the window.
    void CheckHover();
    // The screen point of a context menu; the keyboard's (-1, -1) means the window's centre.
    CPoint ContextPoint(CPoint point) const;
    // Copies the buffer's part under rect to pDC (the background when there is no buffer).
    void PaintFromBuffer(CDC* pDC, const CRect& rect);

    CDC m_dcMemory;
    HBITMAP m_hBuffer = nullptr;
    HGDIOBJ m_hOriginalBitmap = nullptr;
    CSize m_sizeBuffer{0, 0};

    DECLARE_MESSAGE_MAP()
};

// Shows a 2-D plot and lets the user select its graphs with the mouse.
class CPlot2DWnd : public CPlotWnd {
    DECLARE_DYNAMIC(CPlot2DWnd)
public:
    // The plot shown (not owned); the window becomes its owner window.
    void SetPlot(CPlot2D* pPlot);
    CPlot2D* GetPlot() const { return m_pPlot; }

    void Redraw() override;
    // Re-renders the buffer, and invalidates the whole window when asked.
    void Refresh(BOOL bInvalidate);
    // Selects graph i (interactive windows, a visible graph not selected yet): its marks are
    // drawn and the parent hears PLOTN_SELECTED.
    void SelectItem(int i);
    void ClearSelection(BOOL bInvalidate);
    void MarkItem(int i, BOOL bInvalidate);
    void UnmarkItem(int i, BOOL bInvalidate);

protected:
    HENHMETAFILE RenderMetafile(int width, int height) override;
    HBITMAP RenderBitmap(int width, int height) override;
    void OnNewSize(int cx, int cy) override;
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    void OnDestroy();
    void OnMouseMove(UINT nFlags, CPoint point);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    // Whether the plot can turn pixels into plot units (it has a plot rectangle).
    BOOL HasPlotArea() const;
    // Draws (or erases) graph i's marks in the buffer.
    void DrawMarks(int i, BOOL bDraw);

    CPlot2D* m_pPlot = nullptr;

    DECLARE_MESSAGE_MAP()
};

// Shows the 3-D scene; its drawing builds up row by row on the window while it fills the buffer.
class CPlot3DWnd : public CPlotWnd {
    DECLARE_DYNAMIC(CPlot3DWnd)
public:
    void SetScene(CPlot3DScene* pScene);
    CPlot3DScene* GetScene() const { return m_pScene; }

    void Redraw() override;
    void RefreshNoInvalidate();

protected:
    HENHMETAFILE RenderMetafile(int width, int height) override;
    HBITMAP RenderBitmap(int width, int height) override;
    void OnNewSize(int cx, int cy) override;
    void OnContextMenu(CWnd* pWnd, CPoint point);

    CPlot3DScene* m_pScene = nullptr;

    DECLARE_MESSAGE_MAP()
};
