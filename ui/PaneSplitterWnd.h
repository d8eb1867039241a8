#pragma once
#include "framework/win/CSplitterWnd.h"
#include "ui/PaneTable.h"

#include <vector>

// Flags of CPaneSplitterWnd::SetFlags.
constexpr DWORD PSF_NODRAG = 0x01;   // the bars cannot be grabbed, so no pane is resized
constexpr DWORD PSF_THINBARS = 0x02; // neighbouring panes are one pixel apart

// A static splitter whose panes can hide and come back: one row and one column at a time may
// be hidden, keeping their views, and an existing child window can be swapped into a pane.
// Bars are drawn flat. Pane ids always follow the pane table (ui/PaneTable.h), so hidden
// panes never share an id with each other or with a visible pane.
class CPaneSplitterWnd : public CSplitterWnd {
    DECLARE_DYNAMIC(CPaneSplitterWnd)
public:
    CPaneSplitterWnd() = default;

    // Each acts only when nothing of its kind is hidden (or when one is, for Show), on a
    // valid index, and never hides the last visible row or column. bRecalc lays out again.
    void HideColumn(int col, BOOL bRecalc = TRUE);
    void ShowColumn(BOOL bRecalc = TRUE);
    void HideRow(int row, BOOL bRecalc = TRUE);
    void ShowRow(BOOL bRecalc = TRUE);
    int GetHiddenColumn() const { return m_table.GetHiddenCol(); }
    int GetHiddenRow() const { return m_table.GetHiddenRow(); }

    // Puts pWnd, a child of the splitter, in the visible pane (row, col): the two windows
    // exchange their ids, pWnd shows and the old view hides unless it lands in a visible
    // pane. FALSE when pWnd is there already, is no child of the splitter, or there is no
    // such pane.
    BOOL SwapView(int row, int col, CWnd* pWnd, BOOL bRecalc = TRUE);

    // PSF_NODRAG, PSF_THINBARS.
    void SetFlags(DWORD dwFlags);
    DWORD GetFlags() const { return m_dwFlags; }

    void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect) override;
    int HitTest(CPoint pt) const override;

protected:
    struct Extent {
        int nIdeal = 0;
        int nMin = 0;
    };

    // Records each pane's window and each row's and column's size before the table changes,
    // then renumbers, shows and hides the panes and writes the sizes back after it.
    void BeginChange();
    void EndChange(BOOL bRecalc);
    void MoveActivePaneOff(BOOL bRow, int nIndex);
    void OnPaint();

    CPaneTable m_table;
    BOOL m_bFlatLook = TRUE;
    DWORD m_dwFlags = 0;

    DECLARE_MESSAGE_MAP()

private:
    std::vector<HWND> m_cells; // full grid, row by row, filled by BeginChange
    std::vector<Extent> m_rowExtent;
    std::vector<Extent> m_colExtent;
};
