// Resizable panes in a docking frame: a side made deeper or shallower by its edge (never below
// its edge's width, Escape putting it back), panes dragged from side to side or floating, the
// expand button, and the pane's state read back as saved or refused when damaged.
#include "framework/win/CDockContext.h"
#include "framework/win/RegistryProfileStore.h"
#include "res/UiIds.h"
#include "tests/ui/KxTestFrame.h"
#include "tests/ui/UiTestApp.h"
#include "ui/KxControlBar.h"
#include "ui/KxMiniDockFrameWnd.h"
#include "ui/KxSizeDockBar.h"
#include "ui/SizingBarLayout.h"

#include <gtest/gtest.h>

namespace {

LPARAM Param(CPoint point) { return MAKELPARAM(WORD(short(point.x)), WORD(short(point.y))); }

class SizingBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::SetCursorPos(0, 0);
        UseTestRegistryKey();
        m_pFrame = CKxTestFrame::Make(600, 400);
        ASSERT_NE(m_pFrame, nullptr);
        ASSERT_TRUE(m_pFrame->EnableSizingDocking(CBRS_ALIGN_ANY));
        for (CKxControlBar* pPane : {&m_pane, &m_second}) {
            ASSERT_TRUE(pPane->Create("Explorer", m_pFrame, CSize(180, 240),
                                      pPane == &m_pane ? 0xE860 : 0xE861));
            pPane->EnableDocking(CBRS_ALIGN_ANY);
        }
        m_pFrame->DockControlBar(&m_pane, IDW_KXSIZEDOCK_LEFT);
        m_pFrame->ShowControlBar(&m_second, FALSE, FALSE);
        m_pFrame->ShowWindow(SW_SHOW);
        PumpMessages();
    }
    void TearDown() override { m_pFrame->DestroyWindow(); }

    CKxSizeDockBar* Side(DWORD dwSide)
    {
        return dynamic_cast<CKxSizeDockBar*>(
            m_pFrame->GetControlBar(CKxSizeDockBar::SideId(dwSide)));
    }
    // Moves to screen points with the button held (posted to whatever holds the mouse), then
    // the release, or Escape; the press itself is sent last so its loop finds them queued.
    void Drag(CWnd& capture, std::initializer_list<CPoint> points, UINT nKeys, bool bEscape,
              const std::function<void()>& press)
    {
        CPoint last;
        for (CPoint screen : points) {
            last = screen;
            capture.ScreenToClient(&last);
            capture.PostMessage(WM_MOUSEMOVE, MK_LBUTTON | nKeys, Param(last));
        }
        if (bEscape)
            capture.PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
        else
            capture.PostMessage(WM_LBUTTONUP, nKeys, Param(last));
        press();
        PumpMessages();
    }
    // Drags the side's edge by dx.
    void DragEdge(CKxSizeDockBar* pSide, int dx, bool bEscape = false)
    {
        const CPoint start = pSide->GetEdgeRect().CenterPoint();
        Drag(*pSide, {start + CSize(dx / 2, 0), start + CSize(dx, 0)}, 0, bEscape,
             [&] { pSide->SendMessage(WM_NCLBUTTONDOWN, HTBORDER, Param(start)); });
    }
    // Drags the pane by its caption (or its floating frame's) to a screen point.
    void DragPane(CKxControlBar& pane, CPoint to, UINT nKeys = 0, bool bEscape = false)
    {
        CRect rect;
        pane.GetWindowRect(&rect);
        CWnd* pMiniFrame = pane.IsFloating() ? pane.GetParentFrame() : nullptr;
        if (pMiniFrame)
            pMiniFrame->GetWindowRect(&rect);
        const CPoint grip(rect.left + 20, rect.top + 5);
        Drag(pane, {grip + CSize(30, 30), to}, nKeys, bEscape, [&] {
            if (pMiniFrame) {
                pMiniFrame->SendMessage(WM_NCLBUTTONDOWN, HTCAPTION, Param(grip));
            } else {
                CPoint client = grip;
                pane.ScreenToClient(&client);
                pane.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, Param(client));
            }
        });
    }
    CRect FrameClient()
    {
        CRect client;
        m_pFrame->GetClientRect(&client);
        m_pFrame->ClientToScreen(&client);
        return client;
    }

    CKxTestFrame* m_pFrame = nullptr;
    CKxControlBar m_pane, m_second;
};

TEST_F(SizingBarTest, TheEdgeMakesTheSideDeeperButNeverBelowItsOwnWidth)
{
    CKxSizeDockBar* pLeft = Side(CBRS_ALIGN_LEFT);
    ASSERT_NE(pLeft, nullptr);
    EXPECT_EQ(pLeft->GetSideSize(), 180);
    CRect pane;
    m_pane.GetWindowRect(&pane);
    EXPECT_EQ(pane.Width(), 180);

    DragEdge(pLeft, 50);
    EXPECT_EQ(pLeft->GetSideSize(), 230);
    m_pane.GetWindowRect(&pane);
    EXPECT_EQ(pane.Width(), 230);

    DragEdge(pLeft, 80, true); // Escape: as it was
    EXPECT_EQ(pLeft->GetSideSize(), 230);
    EXPECT_EQ(::GetCapture(), nullptr);

    DragEdge(pLeft, -1000);
    EXPECT_EQ(pLeft->GetSideSize(), kSizingEdge);
    DragEdge(pLeft, 5000); // no further than the frame's room
    EXPECT_LT(pLeft->GetSideSize(), FrameClient().Width());
}

TEST_F(SizingBarTest, APaneDocksWhereDroppedFloatsElsewhereAndWithCtrl)
{
    // Dropped where its outline meets no side: clear of the bars above and the status below.
    const CRect client = FrameClient();
    DragPane(m_pane, CPoint(client.CenterPoint().x, client.top + 100));
    ASSERT_TRUE(m_pane.IsFloating());
    EXPECT_NE(dynamic_cast<CKxMiniDockFrameWnd*>(m_pane.GetParentFrame()), nullptr);
    EXPECT_EQ(Side(CBRS_ALIGN_LEFT)->GetVisibleBars().size(), 0u);

    // Its frame's right border stretches it.
    CWnd* pMiniFrame = m_pane.GetParentFrame();
    CRect frame;
    pMiniFrame->GetWindowRect(&frame);
    const CPoint border(frame.right - 2, frame.CenterPoint().y);
    Drag(m_pane, {border + CSize(60, 0)}, 0, false,
         [&] { pMiniFrame->SendMessage(WM_NCLBUTTONDOWN, HTRIGHT, Param(border)); });
    EXPECT_EQ(m_pane.GetFloatingSize().cx, 180 + 60);
    CRect stretched;
    pMiniFrame->GetWindowRect(&stretched);
    EXPECT_EQ(stretched.Width(), frame.Width() + 60);

    const CPoint rightEdge(client.right - 3, client.CenterPoint().y);
    DragPane(m_pane, rightEdge, 0, true); // Escape: it stays afloat
    EXPECT_TRUE(m_pane.IsFloating());
    DragPane(m_pane, rightEdge, MK_CONTROL); // Ctrl: afloat wherever it is dropped
    EXPECT_TRUE(m_pane.IsFloating());
    DragPane(m_pane, rightEdge);
    ASSERT_FALSE(m_pane.IsFloating());
    EXPECT_EQ(m_pane.GetSizeDockBar(), Side(CBRS_ALIGN_RIGHT));
    EXPECT_EQ(m_pane.GetDockSide(), DWORD(CBRS_ALIGN_RIGHT));

    // The caption's double click floats it and docks it back where it was.
    m_pane.m_pDockContext->ToggleDocking();
    EXPECT_TRUE(m_pane.IsFloating());
    m_pane.m_pDockContext->ToggleDocking();
    EXPECT_EQ(m_pane.GetSizeDockBar(), Side(CBRS_ALIGN_RIGHT));
}

TEST_F(SizingBarTest, TwoPanesShareASideAndOneIsExpandedByItsButton)
{
    m_pFrame->ShowControlBar(&m_second, TRUE, FALSE);
    m_pFrame->DockControlBar(&m_second, IDW_KXSIZEDOCK_LEFT);
    PumpMessages();
    CKxSizeDockBar* pLeft = Side(CBRS_ALIGN_LEFT);
    ASSERT_EQ(pLeft->GetVisibleBars().size(), 2u);
    CRect side, first, second;
    pLeft->GetClientRect(&side);
    m_pane.GetWindowRect(&first);
    m_second.GetWindowRect(&second);
    EXPECT_EQ(first.Height(), 240);
    EXPECT_EQ(first.Height() + second.Height(), side.Height()); // the last takes the rest

    m_pane.SendMessage(WM_COMMAND, ID_KXBAR_EXPAND);
    EXPECT_TRUE(m_pane.IsMaximized());
    m_second.GetWindowRect(&second);
    EXPECT_EQ(second.Height(), m_second.GetCaptionSize());
    m_pane.SendMessage(WM_COMMAND, ID_KXBAR_EXPAND);
    EXPECT_FALSE(m_pane.IsMaximized());
    m_pane.GetWindowRect(&first);
    EXPECT_EQ(first.Height(), 240);

    m_second.SendMessage(WM_COMMAND, ID_KXBAR_HIDE);
    EXPECT_FALSE(m_second.IsVisible());
    EXPECT_EQ(pLeft->GetVisibleBars().size(), 1u);
}

TEST_F(SizingBarTest, StateComesBackAsSavedAndDamageChangesNothing)
{
    DragEdge(Side(CBRS_ALIGN_LEFT), 30);
    m_pane.SaveState("Test Pane");
    CRegistryProfileStore store;
    EXPECT_EQ(store.GetInt("Test Pane", "CX", 0), 210);
    EXPECT_EQ(store.GetInt("Test Pane", "CY", 0), 240);
    EXPECT_EQ(store.GetInt("Test Pane", "Floating", -1), 0);
    EXPECT_EQ(store.GetInt("Test Pane", "Style", 0), int(CBRS_ALIGN_LEFT));

    store.WriteInt("Test Pane", "Style", int(CBRS_ALIGN_BOTTOM));
    m_pFrame->ShowControlBar(&m_second, TRUE, FALSE);
    ASSERT_TRUE(m_second.LoadState("Test Pane"));
    EXPECT_EQ(m_second.GetSizeDockBar(), Side(CBRS_ALIGN_BOTTOM));
    EXPECT_EQ(m_second.GetDockedSize(TRUE), CSize(210, 240));

    store.WriteInt("Test Pane", "Floating", 7);
    EXPECT_FALSE(m_pane.LoadState("Test Pane"));
    EXPECT_EQ(m_pane.GetSizeDockBar(), Side(CBRS_ALIGN_LEFT));
    EXPECT_FALSE(m_pane.LoadState("No Such Pane"));
}

} // namespace
