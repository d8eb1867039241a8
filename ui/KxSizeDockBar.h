#pragma once
#include "framework/win/CDockBar.h"

#include <vector>

class CKxControlBar;

// One side of a frame for resizable panes (CKxControlBar): the panes stand side by side on
// the top and bottom and one above the other on the left and right, as deep as the side, which
// a 4-pixel splitter edge on its inner side makes deeper or shallower. One pane may be
// maximised (the others keep their captions). CKxFrameWnd::EnableSizingDocking makes them.
class CKxSizeDockBar : public CDockBar {
    DECLARE_DYNAMIC(CKxSizeDockBar)
public:
    // The frame's sizing side of an alignment (CBRS_ALIGN_*): its control id, and its style.
    static UINT SideId(DWORD dwSide);
    static DWORD SideStyle(DWORD dwSide);

    // The side's depth: the panes' size across it; 0 until a pane first docks.
    int GetSideSize() const { return m_nSize; }
    void SetSideSize(int nSize);
    BOOL IsHorz() const { return (m_dwStyle & CBRS_ORIENT_HORZ) != 0; }
    // The splitter edge in screen coordinates (empty without visible panes).
    CRect GetEdgeRect() const;
    BOOL IsTracking() const { return m_bTracking; }

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    // Places the visible panes in one batch of moves.
    void LayoutBars();
    // Gives pBar nLength along the side; the panes after it share what is left.
    void ResizeBar(CKxControlBar* pBar, int nLength);
    // pBar takes the side but for the others' captions; Restore gives them back their room.
    void MaximizeBar(CKxControlBar* pBar);
    void RestoreBars();
    CKxControlBar* GetMaximizedBar() const { return m_pMaximized; }
    // The visible panes, in order along the side.
    std::vector<CKxControlBar*> GetVisibleBars() const;

    BOOL m_bNoFrame = FALSE; // no 3-D frame inside the borders

protected:
    LRESULT OnNcCalcSize(WPARAM wParam, LPARAM lParam);
    void OnNcPaint();
    LRESULT OnNcHitTest(CPoint point);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    void OnNcLButtonDown(UINT nHitTest, CPoint point);
    void OnSize(UINT nType, int cx, int cy);
    void OnCancelMode();
    DECLARE_MESSAGE_MAP()

    // Follows the mouse with the edge until the button goes up, then sets the new depth.
    void TrackEdge(CPoint point);
    // The frame's room across the side beyond the side itself.
    int GetRoomAcross() const;
    // The edge's place in window coordinates of the dock bar.
    CRect EdgeInWindow() const;

    int m_nSize = 0;
    BOOL m_bTracking = FALSE;
    BOOL m_bOverEdge = FALSE;
    CRect m_rectTracker;
    CPoint m_ptStart;
    BOOL m_bEndLoop = FALSE;
    CKxControlBar* m_pMaximized = nullptr;
};
