#pragma once
#include "framework/core/Geometry.h"
#include "framework/win/CWnd.h"
#include "framework/win/FrameworkIds.h"

#include <vector>

class CDC;
class CView;
struct CCreateContext;

// A static splitter: a fixed grid of panes (views or nested splitters) separated by bars the
// user can drag. Pane (row, col) is the child with id IdFromRowCol(row, col); a derived class
// may renumber panes and change m_nRows/m_nCols to hide rows or columns in place.
class CSplitterWnd : public CWnd {
    DECLARE_DYNAMIC(CSplitterWnd)
public:
    CSplitterWnd();
    ~CSplitterWnd() override;

    using CWnd::Create;
    BOOL CreateStatic(CWnd* pParentWnd, int nRows, int nCols, DWORD dwStyle = WS_CHILD | WS_VISIBLE,
                      UINT nID = AFX_IDW_PANE_FIRST);
    // Creates the pane's view from its runtime class; sizeInit gives the column's width and
    // the row's height. Without a context the new view joins the active view's document.
    virtual BOOL CreateView(int row, int col, CRuntimeClass* pViewClass, SIZE sizeInit,
                            CCreateContext* pContext);

    int GetRowCount() const { return m_nRows; }
    int GetColumnCount() const { return m_nCols; }
    // cyCur: the height of the last layout; cyMin: below it the row collapses to nothing.
    void GetRowInfo(int row, int& cyCur, int& cyMin) const;
    void SetRowInfo(int row, int cyIdeal, int cyMin);
    void GetColumnInfo(int col, int& cxCur, int& cxMin) const;
    // The border drawn round each pane inside its cell: a row is this much higher (twice, top
    // and bottom) than the view in it.
    CSize GetPaneBorder() const { return CSize(m_cxBorder, m_cyBorder); }
    void SetColumnInfo(int col, int cxIdeal, int cxMin);

    CWnd* GetPane(int row, int col) const;
    BOOL IsChildPane(CWnd* pWnd, int* pRow, int* pCol);
    int IdFromRowCol(int row, int col) const { return int(AFX_IDW_PANE_FIRST) + row * 16 + col; }

    virtual void RecalcLayout();
    virtual CWnd* GetActivePane(int* pRow = nullptr, int* pCol = nullptr);
    virtual void SetActivePane(int row, int col, CWnd* pWnd = nullptr);
    virtual BOOL CanActivateNext(BOOL bPrev = FALSE);
    virtual void ActivateNext(BOOL bPrev = FALSE);

    enum ESplitType { splitBox, splitBar, splitIntersection, splitBorder };
    // Draws one part; with no DC the part's rectangle is only invalidated.
    virtual void OnDrawSplitter(CDC* pDC, ESplitType nType, const CRect& rect);
    // Shows or hides (it inverts) the drag tracker.
    virtual void OnInvertTracker(const CRect& rect);

    // Hit-test answers: noHit, a bar between rows (vSplitterBar1 + row), a bar between columns
    // (hSplitterBar1 + col), or a crossing (splitterIntersection1 + row * 15 + col).
    enum HitTestValue {
        noHit = 0,
        vSplitterBox = 1,
        hSplitterBox = 2,
        bothSplitterBox = 3,
        vSplitterBar1 = 101,
        vSplitterBar15 = 115,
        hSplitterBar1 = 201,
        hSplitterBar15 = 215,
        splitterIntersection1 = 301,
        splitterIntersection225 = 525,
    };
    virtual int HitTest(CPoint pt) const;

protected:
    struct CRowColInfo {
        int nMinSize = 0;
        int nIdealSize = 0;
        int nCurSize = 0;
    };

    // Sizes of the first n entries so they fill nSize with nGap between them: each takes
    // its ideal size while room is left (0 when its ideal is below its minimum), the last
    // takes the rest.
    static void LayoutRowCol(CRowColInfo* pInfo, int n, int nSize, int nGap);

    void GetInsideRect(CRect& rect) const;
    // The cell of pane (row, col): the pane window plus its border.
    CRect GetCellRect(int row, int col) const;
    // The bar after column col (or row), widened by the border share.
    CRect GetColumnBarRect(int col) const;
    CRect GetRowBarRect(int row) const;
    void GetHitRect(int ht, CRect& rect) const;
    void StartTracking(int ht);
    void StopTracking(BOOL bAccept);
    void SetSplitCursor(int ht);
    CView* GetActiveFrameView() const;

    void OnPaint();
    void OnSize(UINT nType, int cx, int cy);
    void OnLButtonDown(UINT nFlags, CPoint pt);
    void OnMouseMove(UINT nFlags, CPoint pt);
    void OnLButtonUp(UINT nFlags, CPoint pt);
    void OnCancelMode();
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    BOOL OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message);
    BOOL OnEraseBkgnd(CDC* pDC);

    int m_nMaxRows = 0;
    int m_nMaxCols = 0;
    int m_nRows = 0;
    int m_nCols = 0;
    BOOL m_bHasHScroll = FALSE;
    BOOL m_bHasVScroll = FALSE;
    CRowColInfo* m_pColInfo = nullptr;
    CRowColInfo* m_pRowInfo = nullptr;

    // Metrics: bar width, how far a bar reaches into the panes, the distance between two
    // panes, and the border drawn around each pane.
    int m_cxSplitter, m_cySplitter;
    int m_cxBorderShare, m_cyBorderShare;
    int m_cxSplitterGap, m_cySplitterGap;
    int m_cxBorder, m_cyBorder;

    // Dragging.
    BOOL m_bTracking = FALSE;
    BOOL m_bTracking2 = FALSE;
    CPoint m_ptTrackOffset;
    CRect m_rectLimit;
    CRect m_rectTracker;
    CRect m_rectTracker2;
    int m_htTrack = noHit;
    HWND m_hWndFocusBefore = nullptr;

    DECLARE_MESSAGE_MAP()

private:
    std::vector<CRowColInfo> m_rowInfo;
    std::vector<CRowColInfo> m_colInfo;
};
