#pragma once
#include "framework/win/CDockContext.h"

class CKxSizeDockBar;

// Moves a resizable pane (CKxControlBar) between the frame's sizing sides and floating frames
// of its own kind, and stretches such a frame by its borders. Both run a loop of their own
// while the mouse is held, ended by the button going up, Escape, cancel mode or a lost
// capture; holding Ctrl while dragging floats the pane wherever it is dropped.
class CKxDockContext : public CDockContext {
public:
    explicit CKxDockContext(CControlBar* pBar) : CDockContext(pBar) {}

    void StartDrag(CPoint point) override;
    void ToggleDocking() override;
    // Stretches the pane's floating frame by its border nHitTest (HTLEFT .. HTBOTTOMRIGHT),
    // pressed at point (screen), within the desktop.
    void Stretch(UINT nHitTest, CPoint point);

    // Floats the pane in a frame of its own at point (screen); docks it on a side.
    void Float(CPoint point);
    void Dock(CDockBar* pDockBar, LPCRECT lpRect);
    // Ends a running drag or stretch as cancelled.
    void EndLoop() { m_bEndLoop = TRUE; }

protected:
    void MoveDrag(CPoint point);
    // The visible sizing side under the drag rectangle that the pane may dock on.
    CKxSizeDockBar* FindSizeDockBar() const;

    BOOL m_bEndLoop = FALSE;
};
