#pragma once
#include "framework/win/CDockBar.h"
#include "framework/win/CFrameWnd.h"

// The small tool window a floating control bar lives in, owned by the frame the bar belongs
// to. It is as big as its bar; dragging its caption drags the bar (to dock it again), its
// close box hides the bar, and it goes when its last bar leaves.
class CMiniDockFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CMiniDockFrameWnd)
public:
    CMiniDockFrameWnd();

    // A hidden floating frame owned by pParent, whose dock bar has the alignment of
    // dwBarStyle.
    virtual BOOL Create(CWnd* pParent, DWORD dwBarStyle);
    // Fits the frame around its bars.
    void RecalcLayout(BOOL bNotify = TRUE) override;
    // The window size of a floating frame whose client area is client.
    static CSize CalcFrameSize(CSize client) { return FrameSizeFor(client, kFrameStyle); }

    CDockBar m_wndDockBar;

protected:
    static constexpr DWORD kFrameStyle = WS_POPUP | WS_CAPTION | WS_SYSMENU | WS_CLIPCHILDREN;
    static constexpr DWORD kFrameExStyle = WS_EX_TOOLWINDOW;

    // Creates the frame with the window style dwFrameStyle (and kFrameExStyle).
    BOOL CreateFrame(CWnd* pParent, DWORD dwBarStyle, DWORD dwFrameStyle);
    static CSize FrameSizeFor(CSize client, DWORD dwFrameStyle);
    // The window size of this frame around a client area of that size.
    virtual CSize FrameSize(CSize client) const { return CalcFrameSize(client); }
    void OnClose();
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    LRESULT OnNcLButtonDblClk(WPARAM wParam, LPARAM lParam);
    LRESULT OnFloatEmpty(WPARAM wParam, LPARAM lParam);
    // The one bar of the frame that can be dragged, or nullptr.
    CControlBar* GetDraggableBar() const;

    DECLARE_MESSAGE_MAP()
};
