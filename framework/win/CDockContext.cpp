#include "framework/win/CDockContext.h"

#include "framework/win/CControlBar.h"
#include "framework/win/CDockBar.h"
#include "framework/win/CFrameWnd.h"
#include "framework/win/CMiniDockFrameWnd.h"

#include <algorithm>

namespace {

// A rectangle of size around point, keeping the point where it was grabbed in the old one
// (within the new size).
CRect RectUnderPointer(CPoint point, CSize grab, CSize size)
{
    const int dx = std::clamp(int(grab.cx), 0, std::max(0, int(size.cx) - 1));
    const int dy = std::clamp(int(grab.cy), 0, std::max(0, int(size.cy) - 1));
    return CRect(CPoint(point.x - dx, point.y - dy), size);
}

// Inverts a frame of the given thickness on the screen; drawn twice it is gone.
void InvertFrame(HDC hDC, const CRect& rect, int thickness)
{
    static const WORD kPattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA,
                                     0x5555, 0xAAAA, 0x5555, 0xAAAA};
    HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, kPattern);
    HBRUSH hBrush = ::CreatePatternBrush(hBitmap);
    HGDIOBJ hOld = ::SelectObject(hDC, hBrush);
    const int w = rect.Width(), h = rect.Height(), t = thickness;
    ::PatBlt(hDC, rect.left, rect.top, w, t, PATINVERT);
    ::PatBlt(hDC, rect.left, rect.bottom - t, w, t, PATINVERT);
    ::PatBlt(hDC, rect.left, rect.top + t, t, h - 2 * t, PATINVERT);
    ::PatBlt(hDC, rect.right - t, rect.top + t, t, h - 2 * t, PATINVERT);
    ::SelectObject(hDC, hOld);
    ::DeleteObject(hBrush);
    ::DeleteObject(hBitmap);
}

} // namespace

CDockContext::CDockContext(CControlBar* pBar) : m_pBar(pBar) {}

void CDockContext::StartDrag(CPoint point)
{
    m_pDockSite = m_pBar->m_pDockSite;
    if (!m_pDockSite)
        return;
    InitDrag(
        point, m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_HORZDOCK),
        m_pBar->CalcDynamicLayout(-1, LM_VERTDOCK),
        CMiniDockFrameWnd::CalcFrameSize(m_pBar->CalcDynamicLayout(-1, LM_HORZ | LM_MRUWIDTH)));
    Track();
}

void CDockContext::InitDrag(CPoint point, CSize sizeHorz, CSize sizeVert, CSize sizeFrame)
{
    m_pDockSite = m_pBar->m_pDockSite;
    m_bMoved = FALSE;
    m_bFlip = FALSE;
    m_pOverDockBar = nullptr;
    m_ptLast = point;
    m_rectLast.SetRectEmpty();
    // Where the bar is now: its own window, or its floating frame.
    CRect rectNow;
    m_pBar->GetWindowRect(&rectNow);
    if (m_pBar->IsFloating())
        ::GetWindowRect(::GetParent(::GetParent(m_pBar->m_hWnd)), &rectNow);
    const CSize grab = point - rectNow.TopLeft();
    m_rectDragHorz = RectUnderPointer(point, grab, sizeHorz);
    m_rectDragVert = RectUnderPointer(point, grab, sizeVert);
    m_rectFrameDrag = RectUnderPointer(point, grab, sizeFrame);
}

BOOL CDockContext::Track()
{
    m_pBar->SetCapture();
    DrawFocusRect();
    while (::GetCapture() == m_pBar->m_hWnd) {
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(int(msg.wParam));
            break;
        }
        switch (msg.message) {
        case WM_LBUTTONUP:
            if (m_bMoved)
                EndDrag();
            else
                CancelLoop(); // a click: the bar stays
            return TRUE;
        case WM_MOUSEMOVE: {
            m_bFlip = (msg.wParam & MK_CONTROL) != 0;
            CPoint point(short(LOWORD(msg.lParam)), short(HIWORD(msg.lParam)));
            ::ClientToScreen(msg.hwnd, &point);
            Move(point);
            break;
        }
        case WM_KEYDOWN:
        case WM_KEYUP:
            if (msg.wParam == VK_CONTROL) {
                m_bFlip = msg.message == WM_KEYDOWN;
                Move(m_ptLast);
            } else if (msg.wParam == VK_ESCAPE && msg.message == WM_KEYDOWN) {
                CancelLoop();
                return FALSE;
            }
            break;
        case WM_RBUTTONDOWN:
            CancelLoop();
            return FALSE;
        default:
            ::DispatchMessageA(&msg);
            break;
        }
    }
    CancelLoop();
    return FALSE;
}

void CDockContext::Move(CPoint point)
{
    const CSize delta = point - m_ptLast;
    if (delta.cx || delta.cy)
        m_bMoved = TRUE;
    m_rectDragHorz.OffsetRect(delta);
    m_rectDragVert.OffsetRect(delta);
    m_rectFrameDrag.OffsetRect(delta);
    m_ptLast = point;
    m_pOverDockBar = FindDockBar();
    DrawFocusRect();
}

CDockBar* CDockContext::FindDockBar()
{
    if (m_bFlip)
        return nullptr;
    const DWORD dwDockStyle = m_pBar->m_dwDockStyle;
    CDockBar* pDockBar = nullptr;
    if ((dwDockStyle & CBRS_ORIENT_HORZ) &&
        m_pDockSite->CanDock(m_rectDragHorz, dwDockStyle & CBRS_ORIENT_HORZ, &pDockBar))
        return pDockBar;
    if ((dwDockStyle & CBRS_ORIENT_VERT) &&
        m_pDockSite->CanDock(m_rectDragVert, dwDockStyle & CBRS_ORIENT_VERT, &pDockBar))
        return pDockBar;
    return nullptr;
}

void CDockContext::EndDrag()
{
    CancelLoop();
    if (m_pOverDockBar) {
        const BOOL bHorz = (m_pOverDockBar->GetBarStyle() & CBRS_ORIENT_HORZ) != 0;
        const CRect rect = bHorz ? m_rectDragHorz : m_rectDragVert;
        m_pDockSite->DockControlBar(m_pBar, m_pOverDockBar, &rect);
    } else {
        m_pDockSite->FloatControlBar(m_pBar, m_rectFrameDrag.TopLeft(),
                                     CBRS_ALIGN_TOP | (m_pBar->m_dwDockStyle & CBRS_FLOAT_MULTI));
    }
}

void CDockContext::CancelLoop()
{
    DrawFocusRect(TRUE);
    if (::GetCapture() == m_pBar->m_hWnd)
        ::ReleaseCapture();
}

void CDockContext::DrawFocusRect(BOOL bRemoveRect)
{
    CRect rect;
    int thickness = 3;
    if (!bRemoveRect) {
        if (m_pOverDockBar) {
            const BOOL bHorz = (m_pOverDockBar->GetBarStyle() & CBRS_ORIENT_HORZ) != 0;
            rect = bHorz ? m_rectDragHorz : m_rectDragVert;
            thickness = 1;
        } else {
            rect = m_rectFrameDrag;
        }
    }
    if (rect == m_rectLast && thickness == m_nLastThickness)
        return;
    HDC hDC = ::GetDC(nullptr);
    if (!m_rectLast.IsRectEmpty())
        InvertFrame(hDC, m_rectLast, m_nLastThickness);
    if (!rect.IsRectEmpty())
        InvertFrame(hDC, rect, thickness);
    ::ReleaseDC(nullptr, hDC);
    m_rectLast = rect;
    m_nLastThickness = thickness;
}

void CDockContext::ToggleDocking()
{
    m_pDockSite = m_pBar->m_pDockSite;
    if (!m_pDockSite)
        return;
    if (m_pBar->IsFloating()) {
        auto* pDockBar = dynamic_cast<CDockBar*>(m_pDockSite->GetControlBar(m_uMRUDockID));
        if (!pDockBar || !(pDockBar->GetBarStyle() & m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY))
            return;
        CRect rect = m_rectMRUDockPos;
        pDockBar->ClientToScreen(&rect);
        m_pDockSite->DockControlBar(m_pBar, pDockBar, &rect);
        return;
    }
    CPoint point = m_ptMRUFloatPos;
    if (!m_bHasFloated) {
        CRect rect;
        m_pBar->GetWindowRect(&rect);
        point = rect.TopLeft() + CSize(20, 20);
    }
    m_pDockSite->FloatControlBar(m_pBar, point,
                                 CBRS_ALIGN_TOP | (m_pBar->m_dwDockStyle & CBRS_FLOAT_MULTI));
}
