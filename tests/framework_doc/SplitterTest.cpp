// The static splitter: views created by runtime class in panes with the framework's ids,
// the layout from row and column sizes, dragging a bar, and the active pane.
#include "framework/win/CCreateContext.h"
#include "tests/framework_doc/DocTestApp.h"

#include <gtest/gtest.h>

namespace {

CRect PaneRectInSplitter(CSplitterWnd& splitter, int row, int col)
{
    CRect rect;
    splitter.GetPane(row, col)->GetWindowRect(&rect);
    splitter.ScreenToClient(&rect);
    return rect;
}

TEST(Splitter, ViewsAreCreatedByRuntimeClassWithPaneIds)
{
    CTestFrame* pFrame = MainFrame();
    CTestSplitter& splitter = pFrame->m_wndSplitter;
    struct Case {
        int row, col;
        CRuntimeClass* pClass;
        int nID;
    };
    const Case cases[] = {
        {0, 0, RUNTIME_CLASS(CTestTextView), 0xE900},
        {0, 1, RUNTIME_CLASS(CTestDrawView), 0xE901},
    };
    for (const Case& c : cases) {
        CWnd* pPane = splitter.GetPane(c.row, c.col);
        ASSERT_NE(pPane, nullptr) << c.row << "," << c.col;
        EXPECT_EQ(pPane->GetDlgCtrlID(), c.nID) << c.row << "," << c.col;
        EXPECT_EQ(splitter.IdFromRowCol(c.row, c.col), c.nID);
        CWnd* pObject = CWnd::FromHandlePermanent(pPane->GetSafeHwnd());
        ASSERT_NE(pObject, nullptr);
        EXPECT_TRUE(pObject->IsKindOf(c.pClass)) << c.row << "," << c.col;
        // Both views belong to the frame's document.
        EXPECT_EQ(static_cast<CView*>(pObject)->GetDocument(), MainDoc());
    }
    EXPECT_EQ(splitter.IdFromRowCol(2, 3), 0xE900 + 2 * 16 + 3);
    EXPECT_EQ(splitter.GetPane(1, 0), nullptr);
    EXPECT_EQ(MainDoc()->GetViewCount(), 2);
}

TEST(Splitter, ColumnWidthsFollowTheColumnInfo)
{
    CTestFrame* pFrame = MainFrame();
    pFrame->SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    CTestSplitter& splitter = pFrame->m_wndSplitter;
    CRect rectSplitter;
    splitter.GetClientRect(&rectSplitter);
    const int nGap = splitter.ColumnGap(), nBorder = splitter.Border();
    struct Case {
        int cxIdeal, cxMin;
        int cxExpected; // the first column's width after layout
    };
    const Case cases[] = {
        {150, 0, 150},
        {300, 10, 300},
        {5, 10, 0},                      // below its minimum: the column collapses
        {5000, 0, rectSplitter.Width()}, // more than there is: the second gets nothing
    };
    for (const Case& c : cases) {
        splitter.SetColumnInfo(0, c.cxIdeal, c.cxMin);
        splitter.RecalcLayout();
        int cxCur = -1, cxMin = -1;
        splitter.GetColumnInfo(0, cxCur, cxMin);
        EXPECT_EQ(cxCur, c.cxExpected) << c.cxIdeal;
        EXPECT_EQ(cxMin, c.cxMin) << c.cxIdeal;
        int cxSecond = -1;
        splitter.GetColumnInfo(1, cxSecond, cxMin);
        EXPECT_EQ(cxSecond, std::max(0, rectSplitter.Width() - c.cxExpected - nGap)) << c.cxIdeal;
        if (c.cxExpected > 2 * nBorder && cxSecond > 2 * nBorder) {
            CRect left = PaneRectInSplitter(splitter, 0, 0),
                  right = PaneRectInSplitter(splitter, 0, 1);
            EXPECT_EQ(left.Width(), c.cxExpected - 2 * nBorder) << c.cxIdeal;
            EXPECT_EQ(right.left, c.cxExpected + nGap + nBorder) << c.cxIdeal;
            EXPECT_EQ(left.Height(), rectSplitter.Height() - 2 * nBorder) << c.cxIdeal;
        }
    }
    splitter.SetColumnInfo(0, 150, 0);
    splitter.RecalcLayout();
}

TEST(Splitter, HitTestFindsTheBarBetweenTheColumns)
{
    CTestFrame* pFrame = MainFrame();
    pFrame->SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    CTestSplitter& splitter = pFrame->m_wndSplitter;
    splitter.SetColumnInfo(0, 200, 0);
    splitter.RecalcLayout();
    struct Case {
        int x;
        int ht;
    };
    const Case cases[] = {
        {100, CSplitterWnd::noHit},
        {200, CSplitterWnd::hSplitterBar1},
        {200 + splitter.ColumnGap() - 1, CSplitterWnd::hSplitterBar1},
        {200 + splitter.ColumnGap(), CSplitterWnd::noHit},
    };
    for (const Case& c : cases)
        EXPECT_EQ(splitter.HitTest(CPoint(c.x, 50)), c.ht) << c.x;
}

TEST(Splitter, DraggingTheBarResizesTheColumnsAndDrawsTheTracker)
{
    CTestFrame* pFrame = MainFrame();
    pFrame->SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    CTestSplitter& splitter = pFrame->m_wndSplitter;
    splitter.SetColumnInfo(0, 200, 0);
    splitter.RecalcLayout();
    splitter.m_trackerRects.clear();

    splitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(202, 50));
    splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(262, 60));
    splitter.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(262, 60));

    int cxCur = 0, cxMin = 0;
    splitter.GetColumnInfo(0, cxCur, cxMin);
    EXPECT_EQ(cxCur, 260);
    // Shown, moved (erase and draw), erased: every tracker drawn is erased again.
    ASSERT_EQ(splitter.m_trackerRects.size(), 4u);
    EXPECT_EQ(splitter.m_trackerRects[0], splitter.m_trackerRects[1]);
    EXPECT_EQ(splitter.m_trackerRects[2], splitter.m_trackerRects[3]);
    EXPECT_EQ(splitter.m_trackerRects[2].left, 260);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST(Splitter, EscapeCancelsADrag)
{
    CTestFrame* pFrame = MainFrame();
    CTestSplitter& splitter = pFrame->m_wndSplitter;
    splitter.SetColumnInfo(0, 200, 0);
    splitter.RecalcLayout();
    splitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(202, 50));
    splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(300, 50));
    splitter.SendMessage(WM_KEYDOWN, VK_ESCAPE, 0);
    splitter.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(300, 50));
    int cxCur = 0, cxMin = 0;
    splitter.GetColumnInfo(0, cxCur, cxMin);
    EXPECT_EQ(cxCur, 200);
}

TEST(Splitter, ActivePaneFollowsTheFramesActiveView)
{
    CTestFrame* pFrame = MainFrame();
    CTestSplitter& splitter = pFrame->m_wndSplitter;
    splitter.SetActivePane(0, 1);
    int row = -1, col = -1;
    EXPECT_EQ(splitter.GetActivePane(&row, &col), pFrame->DrawView());
    EXPECT_EQ(col, 1);
    EXPECT_EQ(pFrame->GetActiveView(), pFrame->DrawView());
    splitter.ActivateNext();
    splitter.GetActivePane(&row, &col);
    EXPECT_EQ(col, 0);
    EXPECT_EQ(pFrame->GetActiveView(), pFrame->TextView());
}

TEST(Splitter, NextPaneCommandsCycleThroughThePanes)
{
    CTestFrame* pFrame = MainFrame();
    pFrame->SetActiveView(pFrame->TextView());
    struct Case {
        UINT nID;
        CView* pExpected;
    };
    const Case cases[] = {
        {ID_NEXT_PANE, pFrame->DrawView()},
        {ID_NEXT_PANE, pFrame->TextView()}, // wraps around
        {ID_PREV_PANE, pFrame->DrawView()},
    };
    for (const Case& c : cases) {
        pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(c.nID, 0), 0);
        EXPECT_EQ(pFrame->GetActiveView(), c.pExpected) << c.nID;
    }
    pFrame->SetActiveView(pFrame->TextView());
}

} // namespace

namespace {

// A splitter that hides its last column the way the window library's hideable splitter does:
// the pane gets an id beyond the visible columns and the column count drops.
class CHidingSplitter : public CSplitterWnd {
public:
    void HideLastColumn()
    {
        int col = m_nCols - 1;
        for (int row = 0; row < m_nRows; row++) {
            CWnd* pPane = GetPane(row, col);
            pPane->ShowWindow(SW_HIDE);
            pPane->SetDlgCtrlID(IdFromRowCol(row, m_nMaxCols));
        }
        --m_nCols;
        RecalcLayout();
    }
    int RowGap() const { return m_cySplitterGap; }
    int Border() const { return m_cyBorder; }
};

class SplitterGrid : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_pFrame = new CFrameWnd;
        ASSERT_TRUE(m_pFrame->Create(nullptr, "grid", WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 400)));
        ASSERT_TRUE(m_splitter.CreateStatic(m_pFrame, 2, 2));
        CCreateContext context; // views without a document
        for (int row = 0; row < 2; row++)
            for (int col = 0; col < 2; col++)
                ASSERT_TRUE(m_splitter.CreateView(row, col, RUNTIME_CLASS(CTestDrawView),
                                                  CSize(100, 80), &context));
        m_pFrame->RecalcLayout();
        m_splitter.RecalcLayout();
    }
    void TearDown() override { m_pFrame->DestroyWindow(); }

    CFrameWnd* m_pFrame = nullptr;
    CHidingSplitter m_splitter;
};

TEST_F(SplitterGrid, PaneIdsRowHeightsAndACreatedPaneCannotBeCreatedAgain)
{
    struct Case {
        int row, col, nID;
    };
    const Case cases[] = {{0, 0, 0xE900}, {0, 1, 0xE901}, {1, 0, 0xE910}, {1, 1, 0xE911}};
    for (const Case& c : cases)
        EXPECT_EQ(m_splitter.GetPane(c.row, c.col)->GetDlgCtrlID(), c.nID) << c.row << "," << c.col;
    CRect rect;
    m_splitter.GetClientRect(&rect);
    int cyCur = 0, cyMin = 0;
    m_splitter.GetRowInfo(0, cyCur, cyMin);
    EXPECT_EQ(cyCur, 80);
    m_splitter.GetRowInfo(1, cyCur, cyMin);
    EXPECT_EQ(cyCur, rect.Height() - 80 - m_splitter.RowGap());
    m_splitter.SetRowInfo(0, 150, 10);
    m_splitter.RecalcLayout();
    CRect pane;
    m_splitter.GetPane(1, 1)->GetWindowRect(&pane);
    m_splitter.ScreenToClient(&pane);
    EXPECT_EQ(pane.top, 150 + m_splitter.RowGap() + m_splitter.Border());
    CCreateContext context;
    EXPECT_FALSE(
        m_splitter.CreateView(0, 0, RUNTIME_CLASS(CTestDrawView), CSize(10, 10), &context));
}

TEST_F(SplitterGrid, DraggingTheCrossingMovesBothBars)
{
    CPoint ptCross(100 + 1, 80 + 1);
    EXPECT_EQ(m_splitter.HitTest(ptCross), CSplitterWnd::splitterIntersection1);
    m_splitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(ptCross.x, ptCross.y));
    m_splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(ptCross.x + 40, ptCross.y + 20));
    m_splitter.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(ptCross.x + 40, ptCross.y + 20));
    int cxCur = 0, cyCur = 0, nMin = 0;
    m_splitter.GetColumnInfo(0, cxCur, nMin);
    m_splitter.GetRowInfo(0, cyCur, nMin);
    EXPECT_EQ(cxCur, 140);
    EXPECT_EQ(cyCur, 100);
}

TEST_F(SplitterGrid, ADerivedSplitterHidesAColumnByRenumberingItsPanes)
{
    CRect rect;
    m_splitter.GetClientRect(&rect);
    m_splitter.HideLastColumn();
    EXPECT_EQ(m_splitter.GetColumnCount(), 1);
    EXPECT_EQ(m_splitter.GetPane(0, 1), nullptr);
    EXPECT_NE(m_splitter.GetPane(0, 2), nullptr); // kept under the id past the visible columns
    CRect pane;
    m_splitter.GetPane(0, 0)->GetWindowRect(&pane);
    EXPECT_EQ(pane.Width(),
              rect.Width() - 2 * m_splitter.Border()); // the one column fills the width
    EXPECT_EQ(m_splitter.HitTest(CPoint(101, 40)), CSplitterWnd::noHit);
}

} // namespace
