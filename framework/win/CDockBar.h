#pragma once
#include "framework/win/CControlBar.h"

#include <vector>

// A strip along one side of a frame (or the inside of a floating frame) where control bars
// dock. Bars sit in rows: the slot array holds the bars in order and an empty slot ends each
// row (the array starts with one). A bar that no longer fits its row wraps to a new one.
class CDockBar : public CControlBar {
    DECLARE_DYNAMIC(CDockBar)
public:
    explicit CDockBar(BOOL bFloating = FALSE) : m_bFloating(bFloating) {}

    // dwStyle: the window style with the side's CBRS_ALIGN_* and CBRS_BORDER_* bits.
    virtual BOOL Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID);
    // Lays the rows out (moving the bars unless the frame only asks) and answers the strip's
    // thickness.
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {} // the bars update themselves

    // Docks pBar here: at lpRect (screen) in the row under its middle, else on a new last
    // row. The bar takes this side's alignment.
    void DockControlBar(CControlBar* pBar, LPCRECT lpRect = nullptr);
    // Takes pBar out; an emptied row goes with it. FALSE when the bar is not here.
    BOOL RemoveControlBar(CControlBar* pBar);
    int GetDockedCount() const;
    int GetDockedVisibleCount() const;
    // The bars of each row, in order.
    std::vector<std::vector<CControlBar*>> GetRows() const;

    BOOL m_bFloating;

protected:
    // The row layout; overlapOf gives how far a bar overlaps its neighbours along and across
    // the row.
    CSize LayoutRows(BOOL bStretch, BOOL bHorz, CSize (*overlapOf)(const CControlBar* pBar));
    // Framework bars overlap by their borders.
    static CSize BorderOverlap(const CControlBar* pBar);
    CSize LayoutFloating();
    // The slot pBar goes in for rect (client coordinates); the slot is inserted.
    std::size_t Insert(CControlBar* pBar, const CRect& rect);
    void MoveBar(HDWP& hDWP, CControlBar* pBar, const CRect& rect);

    LRESULT OnSizeParent(WPARAM wParam, LPARAM lParam);
    void OnPaint();

    std::vector<CControlBar*> m_arrBars{nullptr};
    CRect m_rectLayout;          // the room the frame offered at the last layout
    BOOL m_bLayoutQuery = FALSE; // the frame only asks for sizes

    DECLARE_MESSAGE_MAP()
};
