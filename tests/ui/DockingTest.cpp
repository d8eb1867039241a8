// Docking: bars on the four sides around the view, rows of abutting flat bars, wrapping,
// floating and docking again, and dragging a bar with the mouse.
#include "framework/win/CMiniDockFrameWnd.h"
#include "tests/ui/KxTestFrame.h"
#include "tests/ui/UiTestApp.h"
#include "tests/ui/UiTestRes.h"

#include <gtest/gtest.h>

#include <memory>

namespace {

CRect RectIn(CWnd* pWnd, CWnd* pParent)
{
    CRect rect;
    pWnd->GetWindowRect(&rect);
    pParent->ScreenToClient(&rect);
    return rect;
}

class DockingTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::SetCursorPos(0, 0);
        m_pFrame = CKxTestFrame::Make(600, 400);
        ASSERT_NE(m_pFrame, nullptr);
    }
    void TearDown() override
    {
        if (m_pFrame)
            m_pFrame->DestroyWindow();
    }
    // Another flat tool bar on the test strip, docked where given.
    CKxToolBar* AddBar(UINT nDockBarID, LPCRECT lpRect = nullptr)
    {
        auto pBar = std::make_unique<CKxToolBar>();
        pBar->m_bAutoDelete = TRUE;
        if (!pBar->CreateEx(m_pFrame, TBSTYLE_FLAT,
                            WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER | CBRS_SIZE_DYNAMIC,
                            CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR + 0x50 + UINT(m_nBars++)) ||
            !pBar->LoadToolBar(IDR_TESTBAR))
            return nullptr;
        pBar->EnableDocking(CBRS_ALIGN_ANY);
        m_pFrame->DockControlBar(pBar.get(), nDockBarID, lpRect);
        return pBar.release();
    }
    CDockBar* DockBar(UINT nID) { return dynamic_cast<CDockBar*>(m_pFrame->GetControlBar(nID)); }
    CKxToolBar& Bar() { return m_pFrame->m_wndToolBar; }
    // A press on the bar's grip, moves to screen points, and the release (or Escape).
    void Drag(CKxToolBar& bar, std::initializer_list<CPoint> screenPoints, UINT nKeys, bool bEscape)
    {
        CRect rectWindow, rectClient;
        bar.GetWindowRect(&rectWindow);
        bar.GetClientRect(&rectClient);
        bar.ClientToScreen(&rectClient);
        const CPoint grip(rectWindow.left + 3 - rectClient.left, 5); // left of the client area
        auto post = [&](UINT message, WPARAM wParam, CPoint client) {
            bar.PostMessage(message, wParam, MAKELPARAM(client.x, client.y));
        };
        if (bar.IsFloating()) { // by the floating frame's caption
            CWnd* pMiniFrame = bar.GetParent()->GetParent();
            CRect rectFrame;
            pMiniFrame->GetWindowRect(&rectFrame);
            pMiniFrame->PostMessage(WM_NCLBUTTONDOWN, HTCAPTION,
                                    MAKELPARAM(rectFrame.left + 20, rectFrame.top + 5));
        } else {
            post(WM_LBUTTONDOWN, MK_LBUTTON, grip);
        }
        CPoint last = grip;
        for (CPoint screen : screenPoints) {
            last = CPoint(screen.x - rectClient.left, screen.y - rectClient.top);
            post(WM_MOUSEMOVE, MK_LBUTTON | nKeys, last);
        }
        if (bEscape)
            bar.PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
        else
            post(WM_LBUTTONUP, nKeys, last);
        PumpMessages();
    }
    CKxTestFrame* m_pFrame = nullptr;
    int m_nBars = 0;
};

TEST_F(DockingTest, BarsOnEverySideLeaveTheRestToTheView)
{
    ASSERT_NE(AddBar(AFX_IDW_DOCKBAR_LEFT), nullptr);
    ASSERT_NE(AddBar(AFX_IDW_DOCKBAR_RIGHT), nullptr);
    ASSERT_NE(AddBar(AFX_IDW_DOCKBAR_BOTTOM), nullptr);
    m_pFrame->RecalcLayout();
    CRect client;
    m_pFrame->GetClientRect(&client);
    const CRect top = RectIn(DockBar(AFX_IDW_DOCKBAR_TOP), m_pFrame);
    const CRect bottom = RectIn(DockBar(AFX_IDW_DOCKBAR_BOTTOM), m_pFrame);
    const CRect left = RectIn(DockBar(AFX_IDW_DOCKBAR_LEFT), m_pFrame);
    const CRect right = RectIn(DockBar(AFX_IDW_DOCKBAR_RIGHT), m_pFrame);
    const CRect status = RectIn(&m_pFrame->m_wndStatusBar, m_pFrame);
    const CRect pane = RectIn(&m_pFrame->m_wndPane, m_pFrame);
    EXPECT_EQ(top.TopLeft(), client.TopLeft());
    EXPECT_EQ(top.Width(), client.Width());
    EXPECT_GT(top.Height(), 2 * 22); // two rows: the menu bar and the tool bar
    EXPECT_EQ(status.bottom, client.bottom);
    EXPECT_EQ(bottom.bottom, status.top);
    EXPECT_EQ(left.top, top.bottom);
    EXPECT_EQ(left.bottom, bottom.top);
    EXPECT_EQ(right.right, client.right);
    EXPECT_EQ(pane, CRect(left.right, top.bottom, right.left, bottom.top));
    // The side bars stand upright.
    const CDockBar* pLeft = DockBar(AFX_IDW_DOCKBAR_LEFT);
    ASSERT_EQ(pLeft->GetRows().size(), 1u);
    const CRect leftBar = RectIn(pLeft->GetRows()[0][0], m_pFrame);
    EXPECT_GT(leftBar.Height(), leftBar.Width());
    EXPECT_EQ(pLeft->GetRows()[0][0]->GetBarStyle() & CBRS_ALIGN_ANY, CBRS_ALIGN_LEFT);
}

TEST_F(DockingTest, FlatBarsAbutAndAFrameworkBarOverlapsItsNeighbourByItsBorder)
{
    // In the tool bar's row, each dropped over the end of the bar before it: a flat bar, a
    // framework bar, another flat bar.
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    auto overEndOf = [](CWnd* pBar) {
        CRect rect;
        pBar->GetWindowRect(&rect);
        rect.OffsetRect(rect.Width() - 10, 0);
        return rect;
    };
    CRect rect = overEndOf(&Bar());
    CKxToolBar* pSecond = AddBar(AFX_IDW_DOCKBAR_TOP, &rect);
    ASSERT_NE(pSecond, nullptr);
    auto* pFixed = new CFixedBar;
    pFixed->m_bAutoDelete = TRUE;
    ASSERT_TRUE(pFixed->Create(m_pFrame, AFX_IDW_TOOLBAR + 0x60));
    pFixed->EnableDocking(CBRS_ALIGN_ANY);
    rect = overEndOf(pSecond);
    rect.right = rect.left + 40;
    m_pFrame->DockControlBar(pFixed, AFX_IDW_DOCKBAR_TOP, &rect);
    rect = overEndOf(pFixed);
    CKxToolBar* pThird = AddBar(AFX_IDW_DOCKBAR_TOP, &rect);
    ASSERT_NE(pThird, nullptr);
    ASSERT_EQ(pTop->GetRows().size(), 2u);
    ASSERT_EQ(pTop->GetRows()[1].size(), 4u);
    m_pFrame->RecalcLayout();
    EXPECT_EQ(RectIn(pSecond, pTop).left, RectIn(&Bar(), pTop).right);
    EXPECT_EQ(RectIn(pFixed, pTop).left, RectIn(pSecond, pTop).right);
    EXPECT_EQ(RectIn(pThird, pTop).left,
              RectIn(pFixed, pTop).right - 2 * ::GetSystemMetrics(SM_CYBORDER));
}

TEST_F(DockingTest, ABarThatNoLongerFitsWrapsToARowOfItsOwn)
{
    CRect rect;
    Bar().GetWindowRect(&rect);
    rect.OffsetRect(rect.Width(), 0);
    CKxToolBar* pSecond = AddBar(AFX_IDW_DOCKBAR_TOP, &rect);
    ASSERT_NE(pSecond, nullptr);
    CDockBar* pTop = DockBar(AFX_IDW_DOCKBAR_TOP);
    ASSERT_EQ(pTop->GetRows().size(), 2u);
    // So narrow that the second bar would start beyond the right edge.
    auto setClientWidth = [&](int cx) {
        CRect window(0, 0, cx, 300);
        ::AdjustWindowRectEx(&window, WS_OVERLAPPEDWINDOW, FALSE, 0);
        m_pFrame->SetWindowPos(nullptr, 0, 0, window.Width(), window.Height(),
                               SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
        m_pFrame->RecalcLayout();
    };
    setClientWidth(RectIn(&Bar(), pTop).Width() - 10);
    ASSERT_EQ(pTop->GetRows().size(), 3u);
    EXPECT_EQ(pTop->GetRows()[2][0], pSecond);
    EXPECT_EQ(RectIn(pSecond, pTop).left, 0);
    // The first bar of a row stays on it however narrow the frame gets.
    setClientWidth(40);
    EXPECT_EQ(pTop->GetRows().size(), 3u);
}

TEST_F(DockingTest, EnablingTopAndBottomOnlyReplacesThoseDockBars)
{
    auto* pFrame = new CKxFrameWnd;
    ASSERT_TRUE(pFrame->Create(nullptr, "Sides", WS_OVERLAPPEDWINDOW, CRect(0, 0, 300, 200)));
    ASSERT_TRUE(pFrame->CFrameWnd::EnableDocking(CBRS_ALIGN_ANY));
    ASSERT_TRUE(pFrame->EnableDocking(CBRS_ALIGN_TOP | CBRS_ALIGN_BOTTOM));
    EXPECT_TRUE(dynamic_cast<CKxDockBar*>(pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP)));
    EXPECT_TRUE(dynamic_cast<CKxDockBar*>(pFrame->GetControlBar(AFX_IDW_DOCKBAR_BOTTOM)));
    CControlBar* pLeft = pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT);
    ASSERT_NE(pLeft, nullptr);
    EXPECT_FALSE(dynamic_cast<CKxDockBar*>(pLeft));
    // A second call keeps the flat dock bars it made.
    CControlBar* pTop = pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP);
    ASSERT_TRUE(pFrame->EnableDocking(CBRS_ALIGN_ANY));
    EXPECT_EQ(pFrame->GetControlBar(AFX_IDW_DOCKBAR_TOP), pTop);
    EXPECT_TRUE(dynamic_cast<CKxDockBar*>(pFrame->GetControlBar(AFX_IDW_DOCKBAR_LEFT)));
    pFrame->DestroyWindow();
}

TEST_F(DockingTest, ADockBarThatCannotBeMadeFailsTheFramesCreation)
{
    CRefuseCreation refuse([](const CREATESTRUCTA& cs) {
        return (cs.style & WS_CHILD) && UINT(UINT_PTR(cs.hMenu)) == AFX_IDW_DOCKBAR_LEFT;
    });
    EXPECT_EQ(CKxTestFrame::Make(300, 200), nullptr);
    EXPECT_EQ(refuse.m_nRefused, 1);
    // A frame made before still docks.
    EXPECT_NE(AddBar(AFX_IDW_DOCKBAR_RIGHT), nullptr);
}

TEST_F(DockingTest, AFloatingBarDocksAgainOnTheLeft)
{
    m_pFrame->FloatControlBar(&Bar(), CPoint(300, 250));
    ASSERT_TRUE(Bar().IsFloating());
    CWnd* pMiniFrame = Bar().GetParent()->GetParent();
    EXPECT_TRUE(dynamic_cast<CMiniDockFrameWnd*>(CWnd::FromHandlePermanent(pMiniFrame->m_hWnd)));
    EXPECT_TRUE(pMiniFrame->GetStyle() & WS_VISIBLE);
    CRect rectFloat;
    pMiniFrame->GetWindowRect(&rectFloat);
    EXPECT_EQ(rectFloat.TopLeft(), CPoint(300, 250));
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_TOP)->GetRows().size(), 1u);
    const HWND hWndMiniFrame = pMiniFrame->m_hWnd;

    m_pFrame->DockControlBar(&Bar(), AFX_IDW_DOCKBAR_LEFT);
    PumpMessages();
    EXPECT_FALSE(Bar().IsFloating());
    EXPECT_FALSE(::IsWindow(hWndMiniFrame)); // the emptied floating frame went
    EXPECT_EQ(Bar().GetBarStyle() & CBRS_ALIGN_ANY, CBRS_ALIGN_LEFT);
    const CRect rect = RectIn(&Bar(), m_pFrame);
    EXPECT_GT(rect.Height(), rect.Width());
    // Floating far off the screen, the frame is kept on it.
    m_pFrame->FloatControlBar(&Bar(), CPoint(-500, 20000));
    Bar().GetParent()->GetParent()->GetWindowRect(&rectFloat);
    EXPECT_GE(rectFloat.left, 0);
    EXPECT_LE(rectFloat.bottom, ::GetSystemMetrics(SM_CYSCREEN));
}

TEST_F(DockingTest, DraggingDocksWhereDroppedCtrlFloatsEscapeRestores)
{
    CRect client;
    m_pFrame->GetClientRect(&client);
    m_pFrame->ClientToScreen(&client);
    const CPoint leftEdge(client.left + 4, client.top + 200);
    const CRect before = RectIn(&Bar(), m_pFrame);

    Drag(Bar(), {CPoint(client.left + 150, client.top + 150), leftEdge}, 0, true);
    EXPECT_EQ(RectIn(&Bar(), m_pFrame), before);
    EXPECT_EQ(::GetCapture(), nullptr);

    Drag(Bar(), {leftEdge}, MK_CONTROL, false);
    ASSERT_TRUE(Bar().IsFloating());

    Drag(Bar(), {CPoint(client.left + 150, client.top + 150), leftEdge}, 0, false);
    EXPECT_FALSE(Bar().IsFloating());
    EXPECT_EQ(Bar().GetBarStyle() & CBRS_ALIGN_ANY, CBRS_ALIGN_LEFT);
    EXPECT_EQ(DockBar(AFX_IDW_DOCKBAR_LEFT)->GetDockedCount(), 1);
}

} // namespace
