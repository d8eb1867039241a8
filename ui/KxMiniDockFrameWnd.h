#pragma once
#include "framework/win/CMiniDockFrameWnd.h"

class CKxControlBar;

// The floating frame of a resizable pane: a tool window with a sizing border that the pane's
// dock context stretches, its caption dragging the pane to dock it again and a double click
// on it (or the middle button's) docking it where it was. Frames of other bars behave as the
// framework's.
class CKxMiniDockFrameWnd : public CMiniDockFrameWnd {
    DECLARE_DYNCREATE(CKxMiniDockFrameWnd)
public:
    BOOL Create(CWnd* pParent, DWORD dwBarStyle) override;
    // The window size of such a frame whose client area is client.
    static CSize CalcFrameSize(CSize client)
    {
        return FrameSizeFor(client, kFrameStyle | WS_THICKFRAME);
    }
    // The pane the frame holds, or nullptr.
    CKxControlBar* GetPane() const;

protected:
    CSize FrameSize(CSize client) const override { return CalcFrameSize(client); }
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    LRESULT OnNcLButtonDblClk(WPARAM wParam, LPARAM lParam);
    void OnMButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()
};
