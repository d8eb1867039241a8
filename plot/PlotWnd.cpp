#include "plot/PlotWnd.h"

#include "engine/EngineErrors.h"
#include "framework/win/CDialog.h"
#include "framework/win/CFrameWnd.h"
#include "framework/win/MessageCrackers.h"
#include "plot/DCPlotCanvas.h"
#include "plot/Plot2D.h"
#include "plot/Plot3DScene.h"
#include "plot/SurfacePlot.h"

IMPLEMENT_DYNAMIC(CPlotWnd, CWnd)
IMPLEMENT_DYNAMIC(CPlot2DWnd, CPlotWnd)
IMPLEMENT_DYNAMIC(CPlot3DWnd, CPlotWnd)

namespace {

const char kCopyFailed[] = "The plot could not be copied to the clipboard.";

// Hands a metafile or bitmap to the clipboard under an owner window; the clipboard owns the
// handle once it took it, otherwise the handle is freed here.
BOOL PutOnClipboard(HWND hOwner, UINT nFormat, HANDLE hData)
{
    BOOL bTaken = FALSE;
    if (hData && ::OpenClipboard(hOwner)) {
        bTaken = ::EmptyClipboard() && ::SetClipboardData(nFormat, hData) != nullptr;
        ::CloseClipboard();
    }
    if (!bTaken && hData) {
        if (nFormat == CF_ENHMETAFILE)
            ::DeleteEnhMetaFile(static_cast<HENHMETAFILE>(hData));
        else
            ::DeleteObject(hData);
    }
    return bTaken;
}

} // namespace

// ---- plot window ----------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CPlotWnd, CWnd)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_WM_SIZE()
ON_WM_PAINT()
ON_WM_ERASEBKGND()
ON_WM_TIMER()
ON_WM_MOUSEMOVE()
ON_WM_MOUSELEAVE()
ON_MESSAGE(WM_PRINTCLIENT, &CPlotWnd::OnPrintClient)
END_MESSAGE_MAP()

CPlotWnd::CPlotWnd() = default;

CPlotWnd::~CPlotWnd()
{
    if (m_hBuffer)
        ::DeleteObject(m_hBuffer);
}

BOOL CPlotWnd::Create(LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect, CWnd* pParentWnd,
                      UINT nID)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(
        CS_HREDRAW | CS_VREDRAW, ::LoadCursor(nullptr, IDC_ARROW), HBRUSH(COLOR_WINDOW + 1));
    return CWnd::Create(lpszClass, lpszWindowName, dwStyle, rect, pParentWnd, nID);
}

int CPlotWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    CClientDC dc(this);
    if (!m_dcMemory.CreateCompatibleDC(&dc))
        return -1;
    m_hBuffer = ::CreateCompatibleBitmap(dc.m_hDC, 1, 1);
    if (!m_hBuffer)
        return -1;
    m_hOriginalBitmap = ::SelectObject(m_dcMemory.m_hDC, m_hBuffer);
    m_sizeBuffer = CSize(1, 1);
    return 0;
}

void CPlotWnd::OnDestroy()
{
    if (m_bHover)
        KillTimer(kHoverTimer);
    m_bHover = FALSE;
    if (m_dcMemory.m_hDC && m_hOriginalBitmap)
        ::SelectObject(m_dcMemory.m_hDC, m_hOriginalBitmap);
    if (m_hBuffer)
        ::DeleteObject(m_hBuffer);
    m_hBuffer = nullptr;
    m_dcMemory.DeleteDC();
    CWnd::OnDestroy();
}

void CPlotWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_RESTORED && nType != SIZE_MAXIMIZED)
        return;
    if (!m_dcMemory.m_hDC)
        return;
    if (cx <= 0 || cy <= 0) {
        // Nothing to show: no buffer is kept.
        if (m_hBuffer) {
            ::SelectObject(m_dcMemory.m_hDC, m_hOriginalBitmap);
            ::DeleteObject(m_hBuffer);
            m_hBuffer = nullptr;
        }
        m_sizeBuffer = CSize(0, 0);
    } else if (m_sizeBuffer != CSize(cx, cy)) {
        CClientDC dc(this);
        HBITMAP hNew = ::CreateCompatibleBitmap(dc.m_hDC, cx, cy);
        if (!hNew)
            return; // the old buffer and layout stay as they were
        // Selecting the new buffer deselects the old one, which can then go.
        ::SelectObject(m_dcMemory.m_hDC, hNew);
        if (m_hBuffer)
            ::DeleteObject(m_hBuffer);
        m_hBuffer = hNew;
        m_sizeBuffer = CSize(cx, cy);
    }
    m_bStale = TRUE;
    OnNewSize(std::max(cx, 0), std::max(cy, 0));
}

void CPlotWnd::OnNewSize(int, int) {}

void CPlotWnd::Redraw() {}

void CPlotWnd::PaintFromBuffer(CDC* pDC, const CRect& rect)
{
    Redraw();
    if (m_hBuffer)
        pDC->BitBlt(rect.left, rect.top, rect.Width(), rect.Height(), &m_dcMemory, rect.left,
                    rect.top, SRCCOPY);
    else
        pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_WINDOW));
}

void CPlotWnd::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    dc.GetClipBox(&rect);
    PaintFromBuffer(&dc, rect);
    // Painted over what was just copied, so the inverting frame shows once wherever it is.
    if (m_bShowFocus) {
        CRect client;
        GetClientRect(&client);
        client.DeflateRect(1, 1);
        dc.DrawFocusRect(&client);
    }
}

void CPlotWnd::ShowFocus(BOOL bShow)
{
    if (m_bShowFocus == bShow)
        return;
    m_bShowFocus = bShow;
    if (m_hWnd)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

BOOL CPlotWnd::OnEraseBkgnd(CDC*) { return TRUE; }

LRESULT CPlotWnd::OnPrintClient(WPARAM wParam, LPARAM)
{
    CRect rect;
    GetClientRect(&rect);
    PaintFromBuffer(CDC::FromHandle(reinterpret_cast<HDC>(wParam)), rect);
    return 0;
}

void CPlotWnd::Notify(int code, int item, double x, double y)
{
    PlotNotifyInfo info = {};
    info.hdr.hwndFrom = m_hWnd;
    info.hdr.idFrom = UINT_PTR(::GetDlgCtrlID(m_hWnd));
    info.hdr.code = UINT(code);
    info.item = item;
    info.x = x;
    info.y = y;
    if (HWND hParent = ::GetParent(m_hWnd))
        ::SendMessageA(hParent, WM_NOTIFY, info.hdr.idFrom, LPARAM(&info));
}

void CPlotWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    CWnd::OnMouseMove(nFlags, point);
    if (!m_hBuffer)
        return; // a window of no size has no pointer to follow
    if (!m_bHover) {
        m_bHover = TRUE;
        SetTimer(kHoverTimer, 10);
        CheckHover();
    }
}

void CPlotWnd::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kHoverTimer)
        CheckHover();
    else
        CWnd::OnTimer(nIDEvent);
}

void CPlotWnd::CheckHover()
{
    POINT cursor = {};
    ::GetCursorPos(&cursor);
    CRect window;
    GetWindowRect(&window);
    if (window.PtInRect(cursor))
        return;
    KillTimer(kHoverTimer);
    m_bHover = FALSE;
    Notify(PLOTN_POINTERLEFT, -1, 0, 0);
}

void CPlotWnd::OnMouseLeave()
{
    Notify(PLOTN_POINTERLEFT, 0, 0, 0);
    m_bHover = FALSE;
}

CPoint CPlotWnd::ContextPoint(CPoint point) const
{
    if (point.x != -1 || point.y != -1)
        return point;
    CRect client;
    GetClientRect(&client);
    CPoint centre = client.CenterPoint();
    ClientToScreen(&centre);
    return centre;
}

HENHMETAFILE CPlotWnd::RenderMetafile(int, int) { return nullptr; }

HBITMAP CPlotWnd::RenderBitmap(int, int) { return nullptr; }

BOOL CPlotWnd::CopyToClipboard(int nFormat, int width, int height)
{
    CWaitCursor wait;
    const UINT nClipFormat = nFormat == 0 ? CF_ENHMETAFILE : CF_BITMAP;
    HANDLE hData =
        nFormat == 0 ? HANDLE(RenderMetafile(width, height)) : HANDLE(RenderBitmap(width, height));
    if (PutOnClipboard(m_hWnd, nClipFormat, hData))
        return TRUE;
    AfxMessageBox(kCopyFailed, MB_OK | MB_ICONEXCLAMATION);
    return FALSE;
}

// ---- 2-D plot window ------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CPlot2DWnd, CPlotWnd)
ON_WM_DESTROY()
ON_WM_MOUSEMOVE()
ON_WM_LBUTTONDOWN()
ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

void CPlot2DWnd::SetPlot(CPlot2D* pPlot)
{
    m_pPlot = pPlot;
    m_nSelected = kNoSelection;
    if (m_pPlot) {
        m_pPlot->SetOwnerWindow(m_hWnd);
        CRect client;
        GetClientRect(&client);
        m_pPlot->Layout(0, 0, client.Width(), client.Height());
    }
    m_bStale = TRUE;
}

void CPlot2DWnd::OnDestroy()
{
    // The plot outlives its window: it must not post to it or measure on it any more.
    if (m_pPlot && m_pPlot->GetOwnerWindow() == m_hWnd)
        m_pPlot->SetOwnerWindow(nullptr);
    CPlotWnd::OnDestroy();
}

BOOL CPlot2DWnd::HasPlotArea() const
{
    return m_hBuffer && m_pPlot && m_pPlot->m_rectPlot.Width() > 0 &&
           m_pPlot->m_rectPlot.Height() > 0;
}

void CPlot2DWnd::OnNewSize(int cx, int cy)
{
    if (m_pPlot)
        m_pPlot->Layout(0, 0, cx, cy);
}

void CPlot2DWnd::Redraw()
{
    if (!m_bStale || !m_hBuffer)
        return;
    if (m_pPlot) {
        if (m_nSelected >= m_pPlot->GetItemCount())
            m_nSelected = kNoSelection;
        if (m_nSelected >= 0)
            DrawMarks(m_nSelected, FALSE);
        m_pPlot->Draw(&m_dcMemory);
        if (m_nSelected >= 0)
            DrawMarks(m_nSelected, TRUE);
    } else {
        m_dcMemory.FillSolidRect(0, 0, m_sizeBuffer.cx, m_sizeBuffer.cy,
                                 ::GetSysColor(COLOR_WINDOW));
    }
    m_bStale = FALSE;
}

void CPlot2DWnd::Refresh(BOOL bInvalidate)
{
    m_bStale = TRUE;
    Redraw();
    if (bInvalidate)
        ::InvalidateRect(m_hWnd, nullptr, TRUE);
}

void CPlot2DWnd::DrawMarks(int i, BOOL bDraw)
{
    if (!m_pPlot || i < 0 || i >= m_pPlot->GetItemCount() || !m_hBuffer)
        return;
    CDCPlotCanvas canvas(m_dcMemory);
    if (bDraw)
        m_pPlot->GetItem(i)->DrawMarks(canvas);
    else
        m_pPlot->GetItem(i)->EraseMarks(canvas);
}

void CPlot2DWnd::MarkItem(int i, BOOL bInvalidate)
{
    DrawMarks(i, TRUE);
    if (bInvalidate)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CPlot2DWnd::UnmarkItem(int i, BOOL bInvalidate)
{
    DrawMarks(i, FALSE);
    if (bInvalidate)
        ::InvalidateRect(m_hWnd, nullptr, FALSE);
}

void CPlot2DWnd::SelectItem(int i)
{
    if (!m_bInteractive || !m_pPlot || i == m_nSelected || i < 0 || i >= m_pPlot->GetItemCount() ||
        !m_pPlot->GetItem(i)->m_bVisible)
        return;
    ClearSelection(FALSE);
    MarkItem(i, TRUE);
    Notify(PLOTN_SELECTED, i, 0, 0);
    m_nSelected = i;
}

void CPlot2DWnd::ClearSelection(BOOL bInvalidate)
{
    if (m_nSelected < 0)
        return;
    if (!m_pPlot || m_nSelected >= m_pPlot->GetItemCount()) {
        m_nSelected = kNoSelection;
        return;
    }
    UnmarkItem(m_nSelected, bInvalidate);
    m_nSelected = kNoSelection;
}

void CPlot2DWnd::OnMouseMove(UINT nFlags, CPoint point)
{
    if (HasPlotArea())
        Notify(PLOTN_POINTERMOVE, 0, m_pPlot->PixelToWorldX(point.x),
               m_pPlot->PixelToWorldY(point.y));
    CPlotWnd::OnMouseMove(nFlags, point);
}

void CPlot2DWnd::OnLButtonDown(UINT nFlags, CPoint point)
{
    CPlotWnd::OnLButtonDown(nFlags, point);
    if (!HasPlotArea())
        return;
    const int i = m_pPlot->HitTestPixel(point.x, point.y);
    if (i < 0)
        ClearSelection(TRUE);
    else
        SelectItem(i);
}

void CPlot2DWnd::OnContextMenu(CWnd*, CPoint point)
{
    const CPoint screen = ContextPoint(point);
    int i = -1;
    if (point.x == -1 && point.y == -1) {
        // The keyboard's menu is the selected graph's, whatever lies under the centre.
        if (m_pPlot && m_nSelected >= 0 && m_nSelected < m_pPlot->GetItemCount())
            i = m_nSelected;
    } else if (HasPlotArea()) {
        CPoint client = screen;
        ScreenToClient(&client);
        i = m_pPlot->HitTestPixel(client.x, client.y);
        SelectItem(i);
    }
    Notify(PLOTN_CONTEXTMENU, i, screen.x, screen.y);
}

LRESULT CPlot2DWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (message == WM_PLOT_ITEMFAILED)
        if (HWND hParent = ::GetParent(m_hWnd))
            ::PostMessageA(hParent, WM_PLOT_ITEMFAILED, WPARAM(::GetDlgCtrlID(m_hWnd)), lParam);
    return CPlotWnd::WindowProc(message, wParam, lParam);
}

HENHMETAFILE CPlot2DWnd::RenderMetafile(int width, int height)
{
    return m_pPlot ? m_pPlot->RenderToMetafile(width, height) : nullptr;
}

HBITMAP CPlot2DWnd::RenderBitmap(int width, int height)
{
    return m_pPlot ? m_pPlot->RenderToBitmap(width, height) : nullptr;
}

// ---- 3-D plot window ------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CPlot3DWnd, CPlotWnd)
ON_WM_CONTEXTMENU()
END_MESSAGE_MAP()

void CPlot3DWnd::SetScene(CPlot3DScene* pScene)
{
    m_pScene = pScene;
    if (m_pScene) {
        CRect client;
        GetClientRect(&client);
        m_pScene->SetRect(0, 0, client.Width(), client.Height());
    }
    m_bStale = TRUE;
}

void CPlot3DWnd::OnNewSize(int cx, int cy)
{
    if (m_pScene)
        m_pScene->SetRect(0, 0, cx, cy);
}

void CPlot3DWnd::Redraw()
{
    if (!m_bStale || !m_hBuffer)
        return;
    if (m_pScene) {
        // The rows appear on the window as they fill the buffer.
        CClientDC dc(this);
        const CSurfacePlot* pSurface = m_pScene->GetCurrentSurface();
        // A surface whose sampling ran out of time says so where the user looks next.
        if (!m_pScene->Draw(&m_dcMemory, &dc) && pSurface && pSurface->m_bCutShort)
            if (CFrameWnd* pFrame = AfxFindParentFrame(m_hWnd))
                pFrame->SetMessageText(GetErrorText(ErrMaxIterations));
    } else {
        m_dcMemory.FillSolidRect(0, 0, m_sizeBuffer.cx, m_sizeBuffer.cy,
                                 ::GetSysColor(COLOR_WINDOW));
    }
    m_bStale = FALSE;
}

void CPlot3DWnd::RefreshNoInvalidate()
{
    m_bStale = TRUE;
    Redraw();
}

void CPlot3DWnd::OnContextMenu(CWnd*, CPoint point)
{
    const CPoint screen = ContextPoint(point);
    Notify(PLOTN_CONTEXTMENU, 0, screen.x, screen.y);
}

HENHMETAFILE CPlot3DWnd::RenderMetafile(int width, int height)
{
    return m_pScene ? m_pScene->RenderToMetafile(width, height) : nullptr;
}

HBITMAP CPlot3DWnd::RenderBitmap(int width, int height)
{
    return m_pScene ? m_pScene->RenderToBitmap(width, height) : nullptr;
}
