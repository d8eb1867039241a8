#include "ui/KxDockContext.h"

#include "framework/win/CControlBar.h"
#include "framework/win/CFrameWnd.h"
#include "ui/CaptureLoop.h"
#include "ui/KxControlBar.h"
#include "ui/KxMiniDockFrameWnd.h"
#include "ui/KxSizeDockBar.h"

#include <algorithm>

namespace {

CKxControlBar* PaneOf(CControlBar* pBar) { return dynamic_cast<CKxControlBar*>(pBar); }

} // namespace

void CKxDockContext::StartDrag(CPoint point)
{
    CKxControlBar* pPane = PaneOf(m_pBar);
    if (!m_pBar->m_pDockSite || !pPane)
        return;
    InitDrag(point, pPane->CalcDynamicLayout(-1, LM_HORZDOCK),
             pPane->CalcDynamicLayout(-1, LM_VERTDOCK),
             CKxMiniDockFrameWnd::CalcFrameSize(pPane->GetFloatingSize()));
    DrawFocusRect();
    CaptureMouse end;
    const CaptureLoopEnd result = RunCaptureLoop(
        m_pBar, m_bEndLoop, end,
        [this](const CaptureMouse& mouse) {
            m_bFlip = (mouse.nFlags & MK_CONTROL) != 0;
            MoveDrag(mouse.point);
            return TRUE;
        },
        [this](const MSG& msg) {
            if (msg.wParam == VK_CONTROL) {
                m_bFlip = msg.message == WM_KEYDOWN;
                MoveDrag(m_ptLast);
            }
        });
    if (result == CaptureLoopEnd::Destroyed)
        return;
    if (result == CaptureLoopEnd::Released) {
        m_bFlip = (end.nFlags & MK_CONTROL) != 0;
        MoveDrag(end.point);
    }
    DrawFocusRect(TRUE);
    if (result != CaptureLoopEnd::Released || !m_bMoved)
        return; // cancelled, or a click on the caption: nothing moves
    if (m_pOverDockBar) {
        const BOOL bHorz = (m_pOverDockBar->GetBarStyle() & CBRS_ORIENT_HORZ) != 0;
        const CRect rect = bHorz ? m_rectDragHorz : m_rectDragVert;
        Dock(m_pOverDockBar, &rect);
    } else {
        Float(m_rectFrameDrag.TopLeft());
    }
}

void CKxDockContext::MoveDrag(CPoint point)
{
    const CSize delta = point - m_ptLast;
    if (delta.cx || delta.cy)
        m_bMoved = TRUE;
    m_rectDragHorz.OffsetRect(delta);
    m_rectDragVert.OffsetRect(delta);
    m_rectFrameDrag.OffsetRect(delta);
    m_ptLast = point;
    m_pOverDockBar = m_bFlip ? nullptr : FindSizeDockBar();
    DrawFocusRect();
}

CKxSizeDockBar* CKxDockContext::FindSizeDockBar() const
{
    // Of the sides the outline meets, the one nearest the pointer: a large pane's outline may
    // reach several.
    CKxSizeDockBar* pNearest = nullptr;
    long long nNearest = 0;
    for (DWORD dwSide : {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT}) {
        auto* pDockBar = dynamic_cast<CKxSizeDockBar*>(
            m_pDockSite->GetControlBar(CKxSizeDockBar::SideId(dwSide)));
        if (!pDockBar || !(pDockBar->GetStyle() & WS_VISIBLE) ||
            !(pDockBar->GetBarStyle() & m_pBar->m_dwDockStyle & CBRS_ALIGN_ANY))
            continue;
        // An empty side is a line along the frame's edge: the outline only has to reach it.
        CRect rectBar;
        pDockBar->GetWindowRect(&rectBar);
        if (rectBar.Width() == 0)
            ++rectBar.right;
        if (rectBar.Height() == 0)
            ++rectBar.bottom;
        const CRect& rectDrag = pDockBar->IsHorz() ? m_rectDragHorz : m_rectDragVert;
        CRect rectHit;
        if (!rectHit.IntersectRect(&rectBar, &rectDrag))
            continue;
        const long long dx = std::max({rectBar.left - m_ptLast.x, 0L, m_ptLast.x - rectBar.right});
        const long long dy = std::max({rectBar.top - m_ptLast.y, 0L, m_ptLast.y - rectBar.bottom});
        if (!pNearest || dx * dx + dy * dy < nNearest) {
            pNearest = pDockBar;
            nNearest = dx * dx + dy * dy;
        }
    }
    return pNearest;
}

void CKxDockContext::Dock(CDockBar* pDockBar, LPCRECT lpRect)
{
    m_pDockSite = m_pBar->m_pDockSite;
    if (m_pDockSite && pDockBar)
        m_pDockSite->DockControlBar(m_pBar, pDockBar, lpRect);
}

void CKxDockContext::Float(CPoint point)
{
    m_pDockSite = m_pBar->m_pDockSite;
    if (!m_pDockSite)
        return;
    // The pane floats in a frame of its own kind, whatever the frame's other bars use.
    CRuntimeClass* pOld = m_pDockSite->m_pFloatingFrameClass;
    m_pDockSite->m_pFloatingFrameClass = RUNTIME_CLASS(CKxMiniDockFrameWnd);
    m_pDockSite->FloatControlBar(m_pBar, point, CBRS_ALIGN_TOP);
    m_pDockSite->m_pFloatingFrameClass = pOld;
}

void CKxDockContext::ToggleDocking()
{
    m_pDockSite = m_pBar->m_pDockSite;
    if (!m_pDockSite)
        return;
    if (m_pBar->IsFloating()) {
        auto* pDockBar = dynamic_cast<CDockBar*>(m_pDockSite->GetControlBar(m_uMRUDockID));
        if (CKxControlBar* pPane = PaneOf(m_pBar); !pDockBar && pPane)
            pDockBar = dynamic_cast<CDockBar*>(
                m_pDockSite->GetControlBar(CKxSizeDockBar::SideId(pPane->GetDockSide())));
        Dock(pDockBar, nullptr);
        return;
    }
    CPoint point = m_ptMRUFloatPos;
    if (!m_bHasFloated) {
        CRect rect;
        m_pBar->GetWindowRect(&rect);
        point = rect.TopLeft() + CSize(20, 20);
    }
    Float(point);
}

void CKxDockContext::Stretch(UINT nHitTest, CPoint point)
{
    CKxControlBar* pPane = PaneOf(m_pBar);
    CWnd* pFrame = m_pBar->IsFloating() ? m_pBar->GetParentFrame() : nullptr;
    if (!pPane || !pFrame)
        return;
    CRect start;
    pFrame->GetWindowRect(&start);
    CRect desktop;
    ::GetWindowRect(::GetDesktopWindow(), &desktop);
    const CSize minimum = CKxMiniDockFrameWnd::CalcFrameSize(CSize(40, 1));
    m_pOverDockBar = nullptr;
    m_rectLast.SetRectEmpty();
    m_rectFrameDrag = start;
    auto follow = [&](const CaptureMouse& mouse) {
        CPoint pt = mouse.point;
        pt.x = std::clamp(int(pt.x), int(desktop.left), int(desktop.right));
        pt.y = std::clamp(int(pt.y), int(desktop.top), int(desktop.bottom));
        const CSize delta = pt - point;
        CRect rect = start;
        if (nHitTest == HTLEFT || nHitTest == HTTOPLEFT || nHitTest == HTBOTTOMLEFT)
            rect.left = std::min(int(start.left + delta.cx), int(rect.right - minimum.cx));
        if (nHitTest == HTRIGHT || nHitTest == HTTOPRIGHT || nHitTest == HTBOTTOMRIGHT)
            rect.right = std::max(int(start.right + delta.cx), int(rect.left + minimum.cx));
        if (nHitTest == HTTOP || nHitTest == HTTOPLEFT || nHitTest == HTTOPRIGHT)
            rect.top = std::min(int(start.top + delta.cy), int(rect.bottom - minimum.cy));
        if (nHitTest == HTBOTTOM || nHitTest == HTBOTTOMLEFT || nHitTest == HTBOTTOMRIGHT)
            rect.bottom = std::max(int(start.bottom + delta.cy), int(rect.top + minimum.cy));
        m_rectFrameDrag = rect;
        DrawFocusRect();
        return TRUE;
    };
    DrawFocusRect();
    CaptureMouse end;
    const CaptureLoopEnd result = RunCaptureLoop(m_pBar, m_bEndLoop, end, follow);
    if (result == CaptureLoopEnd::Destroyed)
        return;
    if (result == CaptureLoopEnd::Released)
        follow(end);
    DrawFocusRect(TRUE);
    if (result != CaptureLoopEnd::Released || m_rectFrameDrag == start)
        return;
    const CSize frame = CKxMiniDockFrameWnd::CalcFrameSize(CSize(0, 0));
    pPane->SetFloatingSize(m_rectFrameDrag.Size() - frame);
    pFrame->SetWindowPos(nullptr, m_rectFrameDrag.left, m_rectFrameDrag.top, 0, 0,
                         SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    if (auto* pMiniFrame = dynamic_cast<CFrameWnd*>(pFrame))
        pMiniFrame->RecalcLayout();
}
