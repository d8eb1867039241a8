// The splitter with hideable panes, driven as the main frame drives it: rows and columns hidden
// and shown in every order, views swapped, bars locked or thinned.
#include "tests/ui/UiTestApp.h"
#include "ui/PaneSplitterWnd.h"

#include <gtest/gtest.h>

#include <set>
#include <string>
#include <vector>

namespace {

class PaneSplitterTest : public ::testing::Test {
protected:
    void Build(int n)
    {
        m_n = n;
        m_pFrame = NewTestFrame();
        ASSERT_NE(m_pFrame, nullptr);
        ASSERT_TRUE(m_splitter.CreateStatic(m_pFrame, n, n));
        for (int row = 0; row < n; ++row)
            for (int col = 0; col < n; ++col)
                ASSERT_TRUE(m_splitter.CreateView(row, col, RUNTIME_CLASS(CBlankView),
                                                  CSize(100 + 20 * col, 80 + 10 * row), nullptr));
        m_pFrame->RecalcLayout();
        m_cells.clear();
        for (int row = 0; row < n; ++row)
            for (int col = 0; col < n; ++col)
                m_cells.push_back(m_splitter.GetPane(row, col)->GetSafeHwnd());
    }
    void TearDown() override
    {
        if (m_pFrame)
            m_pFrame->DestroyWindow();
    }
    HWND Cell(int row, int col) const { return m_cells[std::size_t(row * m_n + col)]; }
    std::vector<int> Sizes(bool bRows) const
    {
        std::vector<int> sizes;
        const int count = bRows ? m_splitter.GetRowCount() : m_splitter.GetColumnCount();
        for (int i = 0; i < count; ++i) {
            int cur = 0, min = 0;
            if (bRows)
                m_splitter.GetRowInfo(i, cur, min);
            else
                m_splitter.GetColumnInfo(i, cur, min);
            sizes.push_back(cur);
        }
        return sizes;
    }
    // What the user sees: the visible panes in reading order are the cells of the rows and
    // columns not hidden, each shown; hidden cells are not shown; no two panes share an id.
    void ExpectLayout(int hiddenRow, int hiddenCol, const std::string& what)
    {
        std::vector<int> rows, cols;
        for (int i = 0; i < m_n; ++i) {
            if (i != hiddenRow)
                rows.push_back(i);
            if (i != hiddenCol)
                cols.push_back(i);
        }
        ASSERT_EQ(m_splitter.GetRowCount(), int(rows.size())) << what;
        ASSERT_EQ(m_splitter.GetColumnCount(), int(cols.size())) << what;
        for (std::size_t i = 0; i < rows.size(); ++i)
            for (std::size_t j = 0; j < cols.size(); ++j) {
                CWnd* pPane = m_splitter.GetPane(int(i), int(j));
                ASSERT_NE(pPane, nullptr) << what;
                EXPECT_EQ(pPane->GetSafeHwnd(), Cell(rows[i], cols[j]))
                    << what << " slot " << i << "," << j;
                EXPECT_TRUE(pPane->GetStyle() & WS_VISIBLE) << what;
            }
        std::set<int> ids;
        for (int row = 0; row < m_n; ++row)
            for (int col = 0; col < m_n; ++col) {
                const BOOL bShown = (::GetWindowLongPtrA(Cell(row, col), GWL_STYLE) & WS_VISIBLE);
                EXPECT_EQ(bShown != 0, row != hiddenRow && col != hiddenCol)
                    << what << " cell " << row << "," << col;
                EXPECT_TRUE(ids.insert(::GetDlgCtrlID(Cell(row, col))).second)
                    << what << " id of cell " << row << "," << col;
            }
    }

    int m_n = 0;
    CFrameWnd* m_pFrame = nullptr;
    CPaneSplitterWnd m_splitter;
    std::vector<HWND> m_cells;
};

enum Step { HideR, HideC, ShowR, ShowC };

TEST_F(PaneSplitterTest, RowsAndColumnsHideAndShowInEveryOrder)
{
    // Each order in which a row and a column go and come back.
    const std::vector<std::vector<Step>> orders = {
        {HideR, HideC, ShowR, ShowC}, {HideR, HideC, ShowC, ShowR}, {HideC, HideR, ShowR, ShowC},
        {HideC, HideR, ShowC, ShowR}, {HideR, ShowR, HideC, ShowC}, {HideC, ShowC, HideR, ShowR},
    };
    for (int n : {2, 3}) {
        Build(n);
        const std::vector<int> rowSizes = Sizes(true), colSizes = Sizes(false);
        for (int row = 0; row < n; ++row) {
            for (int col = 0; col < n; ++col) {
                for (std::size_t o = 0; o < orders.size(); ++o) {
                    int hiddenRow = -1, hiddenCol = -1;
                    for (Step step : orders[o]) {
                        switch (step) {
                        case HideR:
                            m_splitter.HideRow(row);
                            hiddenRow = row;
                            break;
                        case HideC:
                            m_splitter.HideColumn(col);
                            hiddenCol = col;
                            break;
                        case ShowR:
                            m_splitter.ShowRow();
                            hiddenRow = -1;
                            break;
                        case ShowC:
                            m_splitter.ShowColumn();
                            hiddenCol = -1;
                            break;
                        }
                        ExpectLayout(hiddenRow, hiddenCol,
                                     std::to_string(n) + "x" + std::to_string(n) + " row " +
                                         std::to_string(row) + " col " + std::to_string(col) +
                                         " order " + std::to_string(o) + " step " +
                                         std::to_string(int(step)));
                    }
                    EXPECT_EQ(Sizes(true), rowSizes) << n << " " << row << " " << col << " " << o;
                    EXPECT_EQ(Sizes(false), colSizes) << n << " " << row << " " << col << " " << o;
                }
            }
        }
        for (int row = 0; row < n; ++row)
            for (int col = 0; col < n; ++col)
                EXPECT_EQ(::GetDlgCtrlID(Cell(row, col)), m_splitter.IdFromRowCol(row, col));
        m_pFrame->DestroyWindow();
        m_pFrame = nullptr;
    }
}

TEST_F(PaneSplitterTest, HidingKeepsTheOtherColumnsWidthsAndShowingRestoresTheHiddenOne)
{
    Build(3);
    const std::vector<int> before = Sizes(false);
    m_splitter.HideColumn(0);
    // The columns right of the hidden one keep their widths; the last takes the rest.
    ASSERT_EQ(Sizes(false).size(), 2u);
    EXPECT_EQ(Sizes(false)[0], before[1]);
    m_splitter.ShowColumn();
    EXPECT_EQ(Sizes(false), before);
}

TEST_F(PaneSplitterTest, APaneThatMovesIsDrawnAgainWholeWithItsChildren)
{
    // Copied pixels of a moved pane can be those of a neighbour just shown in its old place
    // (the grid showed the explorer's blank background after the explorer came back).
    Build(2);
    m_pFrame->ShowWindow(SW_SHOWNA); // a hidden window has nothing to draw
    HWND hChild = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE, 0, 0, 30, 20,
                                    Cell(0, 1), nullptr, nullptr, nullptr);
    ASSERT_NE(hChild, nullptr);
    auto pending = [](HWND hWnd) {
        RECT rc{};
        return ::GetUpdateRect(hWnd, &rc, FALSE) != 0;
    };
    for (const bool bHide : {true, false}) {
        ::RedrawWindow(m_pFrame->m_hWnd, nullptr, nullptr,
                       RDW_VALIDATE | RDW_NOERASE | RDW_ALLCHILDREN);
        ASSERT_FALSE(pending(hChild));
        if (bHide)
            m_splitter.HideColumn(0); // the second column moves to the left edge
        else
            m_splitter.ShowColumn();
        EXPECT_TRUE(pending(Cell(0, 1))) << (bHide ? "hidden" : "shown again");
        EXPECT_TRUE(pending(hChild)) << (bHide ? "hidden" : "shown again");
    }
}

TEST_F(PaneSplitterTest, CallsThatCannotApplyChangeNothing)
{
    Build(2);
    m_splitter.HideColumn(7);
    m_splitter.HideRow(-1);
    m_splitter.ShowRow();
    m_splitter.ShowColumn();
    ExpectLayout(-1, -1, "bad calls");
    m_splitter.HideColumn(1);
    m_splitter.HideColumn(0); // one is hidden already
    ExpectLayout(-1, 1, "second hide");
    m_splitter.ShowColumn();

    CFrameWnd* pOther = NewTestFrame();
    EXPECT_FALSE(m_splitter.SwapView(0, 0, pOther, TRUE)); // not a child of the splitter
    EXPECT_FALSE(m_splitter.SwapView(0, 0, CWnd::FromHandle(Cell(0, 0)), TRUE));
    EXPECT_FALSE(m_splitter.SwapView(5, 0, CWnd::FromHandle(Cell(1, 1)), TRUE));
    pOther->DestroyWindow();
    ExpectLayout(-1, -1, "bad swaps");
}

TEST_F(PaneSplitterTest, SwappingPutsAnotherWindowInThePane)
{
    Build(2);
    // A view created outside the grid, hidden, as the main frame keeps its spare views.
    auto* pSpare = static_cast<CView*>(RUNTIME_CLASS(CBlankView)->CreateObject());
    ASSERT_TRUE(pSpare->Create(nullptr, nullptr, WS_CHILD, CRect(0, 0, 10, 10), &m_splitter, 1234));
    ASSERT_TRUE(m_splitter.SwapView(0, 1, pSpare, TRUE));
    EXPECT_EQ(m_splitter.GetPane(0, 1)->GetSafeHwnd(), pSpare->GetSafeHwnd());
    EXPECT_TRUE(pSpare->GetStyle() & WS_VISIBLE);
    CRect rectPane;
    pSpare->GetWindowRect(&rectPane);
    EXPECT_GT(rectPane.Width(), 10); // laid out in the pane
    EXPECT_EQ(::GetDlgCtrlID(Cell(0, 1)), 1234);
    EXPECT_FALSE(::GetWindowLongPtrA(Cell(0, 1), GWL_STYLE) & WS_VISIBLE);

    // Two panes exchange places and both stay visible.
    ASSERT_TRUE(m_splitter.SwapView(0, 0, CWnd::FromHandle(Cell(1, 1)), TRUE));
    EXPECT_EQ(m_splitter.GetPane(0, 0)->GetSafeHwnd(), Cell(1, 1));
    EXPECT_EQ(m_splitter.GetPane(1, 1)->GetSafeHwnd(), Cell(0, 0));
    EXPECT_TRUE(::GetWindowLongPtrA(Cell(0, 0), GWL_STYLE) & WS_VISIBLE);
}

TEST_F(PaneSplitterTest, LockedBarsDoNotDragAndThinBarsLeaveOnePixel)
{
    Build(2);
    int cx = 0, cxMin = 0;
    m_splitter.GetColumnInfo(0, cx, cxMin);
    const CPoint onBar(cx + 2, 40);
    ASSERT_NE(m_splitter.HitTest(onBar), int(CSplitterWnd::noHit));

    m_splitter.SetFlags(PSF_NODRAG);
    EXPECT_EQ(m_splitter.HitTest(onBar), int(CSplitterWnd::noHit));
    m_splitter.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(onBar.x, onBar.y));
    m_splitter.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(onBar.x + 60, onBar.y));
    m_splitter.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(onBar.x + 60, onBar.y));
    int cxAfter = 0;
    m_splitter.GetColumnInfo(0, cxAfter, cxMin);
    EXPECT_EQ(cxAfter, cx);

    m_splitter.SetFlags(PSF_THINBARS);
    m_splitter.RecalcLayout();
    CRect left, right;
    ::GetWindowRect(Cell(0, 0), &left);
    ::GetWindowRect(Cell(0, 1), &right);
    const int border = 2; // each pane sits inside a two-pixel sunken border
    EXPECT_EQ((right.left - border) - (left.right + border), 1);
}

} // namespace
