// The menu bar in a docking frame: taking over the frame's menu, Alt and mnemonics, and real
// pop-up tracking fed keys and clicks while the menu waits for input.
#include "tests/ui/KxTestFrame.h"
#include "tests/ui/UiTestApp.h"
#include "tests/ui/UiTestRes.h"

#include <gtest/gtest.h>

namespace {

class MenuBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::SetCursorPos(0, 0);
        m_pFrame = CKxTestFrame::Make();
        ASSERT_NE(m_pFrame, nullptr);
        m_pFrame->ShowWindow(SW_SHOW);
        PumpMessages();
    }
    void TearDown() override
    {
        if (m_pFrame)
            m_pFrame->DestroyWindow();
    }
    CKxMenuBar& Bar() { return m_pFrame->m_wndMenuBar; }
    // Which pop-up opened, by its first item: 0 File, 1 Format, -1 another.
    static int TopPosition(const CString& first)
    {
        return first.Find("&New") == 0 ? 0 : first == "&Bold" ? 1 : -1;
    }
    void Script(std::vector<std::function<void()>> steps)
    {
        m_pFrame->m_script = std::move(steps);
        m_pFrame->m_nStep = 0;
        m_pFrame->m_nIdleAfterScript = 0;
        m_pFrame->m_popups.clear();
        m_pFrame->m_commands.clear();
    }
    std::function<void()> Key(UINT vk)
    {
        return [this, vk] { PostKey(m_pFrame->m_hWnd, vk); };
    }
    CKxTestFrame* m_pFrame = nullptr;
};

TEST_F(MenuBarTest, TheBarTakesOverTheFramesMenuOneButtonPerItem)
{
    EXPECT_EQ(Bar().GetCount(), 2);
    EXPECT_EQ(::GetMenu(m_pFrame->m_hWnd), nullptr);
    CString text;
    Bar().GetWindowText(text);
    EXPECT_EQ(text, CString("Menu Bar"));
    // The bar spans the frame.
    CRect rectBar, rectClient;
    Bar().GetWindowRect(&rectBar);
    m_pFrame->GetClientRect(&rectClient);
    EXPECT_EQ(rectBar.Width(), rectClient.Width());

    // A missing menu leaves the frame's own; a good one replaces it, and the frame forgets its
    // default menu rather than destroy it a second time.
    HMENU hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_TESTMENU));
    ::SetMenu(m_pFrame->m_hWnd, hMenu);
    m_pFrame->m_hMenuDefault = hMenu;
    EXPECT_FALSE(Bar().LoadMenu(999));
    EXPECT_EQ(::GetMenu(m_pFrame->m_hWnd), hMenu);
    EXPECT_EQ(Bar().GetCount(), 2);
    EXPECT_TRUE(Bar().LoadMenu(IDR_TESTMENU));
    EXPECT_EQ(::GetMenu(m_pFrame->m_hWnd), nullptr);
    EXPECT_EQ(m_pFrame->m_hMenuDefault, nullptr);
    EXPECT_FALSE(::IsMenu(hMenu));
}

TEST_F(MenuBarTest, AltTogglesButtonModeThroughTheFrame)
{
    auto send = [&](UINT message, UINT vk, bool bAlt) {
        MSG msg = {m_pFrame->m_hWnd, message, vk, bAlt ? LPARAM(1 << 29) : 0, 0, {}};
        return m_pFrame->PreTranslateMessage(&msg);
    };
    EXPECT_TRUE(send(WM_SYSKEYDOWN, VK_MENU, true));
    EXPECT_TRUE(send(WM_SYSKEYUP, VK_MENU, false));
    EXPECT_EQ(Bar().GetTrackingState(), MenuBarMode::Buttons);
    EXPECT_EQ(Bar().GetHotButton(), 0);
    EXPECT_TRUE(send(WM_KEYDOWN, VK_RIGHT, false));
    EXPECT_EQ(Bar().GetHotButton(), 1);
    EXPECT_FALSE(send(WM_KEYDOWN, VK_TAB, false)); // any other key ends the mode
    EXPECT_EQ(Bar().GetTrackingState(), MenuBarMode::Idle);
}

TEST_F(MenuBarTest, DownEnterSendsTheFirstCommand)
{
    Script({Key(VK_RETURN)});
    Bar().OpenButtonPopup(0);
    PumpMessages();
    EXPECT_EQ(m_pFrame->m_commands, std::vector<UINT>{ID_TEST_NEW});
    ASSERT_FALSE(m_pFrame->m_popups.empty());
    EXPECT_EQ(TopPosition(m_pFrame->m_popups[0]), 0);
    EXPECT_EQ(Bar().GetTrackingState(), MenuBarMode::Idle);
}

TEST_F(MenuBarTest, RightMovesToTheNextButtonUnlessTheItemOpensASubMenu)
{
    // On "New" (no sub-menu) Right opens the next button's pop-up; Escape then leaves the
    // keyboard on that button, a second Escape leaves the bar.
    Script({Key(VK_RIGHT), Key(VK_ESCAPE)});
    Bar().OpenButtonPopup(0);
    ASSERT_EQ(m_pFrame->m_popups.size(), 2u);
    EXPECT_EQ(TopPosition(m_pFrame->m_popups[1]), 1);
    EXPECT_EQ(Bar().GetTrackingState(), MenuBarMode::Buttons);
    EXPECT_EQ(Bar().GetHotButton(), 1);
    MSG msg = {m_pFrame->m_hWnd, WM_KEYDOWN, VK_ESCAPE, 0, 0, {}};
    EXPECT_TRUE(m_pFrame->PreTranslateMessage(&msg));
    EXPECT_EQ(Bar().GetTrackingState(), MenuBarMode::Idle);

    // On "Recent" Right opens its sub-menu; Left from there closes it and stays on File.
    Script({Key(VK_UP), Key(VK_RIGHT), Key(VK_LEFT), Key(VK_ESCAPE)});
    Bar().OpenButtonPopup(0);
    ASSERT_EQ(m_pFrame->m_popups.size(), 2u);
    EXPECT_EQ(TopPosition(m_pFrame->m_popups[0]), 0);
    EXPECT_EQ(TopPosition(m_pFrame->m_popups[1]), -1); // the sub-menu, not Format
    EXPECT_TRUE(m_pFrame->m_commands.empty());
}

TEST_F(MenuBarTest, LeftWrapsFromTheFirstButtonToTheLast)
{
    Script({Key(VK_LEFT), Key(VK_ESCAPE), Key(VK_ESCAPE)});
    Bar().OpenButtonPopup(0);
    ASSERT_EQ(m_pFrame->m_popups.size(), 2u);
    EXPECT_EQ(TopPosition(m_pFrame->m_popups[1]), 1);
}

TEST_F(MenuBarTest, AClickOnTheOpenButtonClosesItsPopup)
{
    CRect rect;
    ::SendMessageA(Bar(), TB_GETITEMRECT, 0, LPARAM(&rect));
    Bar().ClientToScreen(&rect);
    Script({[&] {
        ::SetCursorPos(rect.left + 3, rect.top + 3);
        ::PostMessageA(m_pFrame->m_hWnd, WM_LBUTTONDOWN, MK_LBUTTON, 0);
    }});
    Bar().OpenButtonPopup(0);
    EXPECT_EQ(m_pFrame->m_popups.size(), 1u);
    EXPECT_EQ(Bar().GetTrackingState(), MenuBarMode::Idle);
    EXPECT_TRUE(m_pFrame->m_commands.empty());
    EXPECT_EQ(m_pFrame->m_nIdleAfterScript, 0); // closed by the click, not by the test's guard
}

TEST_F(MenuBarTest, AClickOnAButtonOpensItsPopupAndSendsNoCommand)
{
    CRect rect;
    ::SendMessageA(Bar(), TB_GETITEMRECT, 1, LPARAM(&rect));
    Script({Key(VK_ESCAPE), Key(VK_ESCAPE)});
    Bar().PostMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(rect.left + 3, rect.top + 3));
    Bar().PostMessage(WM_LBUTTONUP, 0, MAKELPARAM(rect.left + 3, rect.top + 3));
    PumpMessages();
    ASSERT_FALSE(m_pFrame->m_popups.empty());
    EXPECT_EQ(TopPosition(m_pFrame->m_popups[0]), 1);
    EXPECT_TRUE(m_pFrame->m_commands.empty()); // not the button's position as a command
}

TEST_F(MenuBarTest, TheFrameServesTheItemsOfAnyOwnerDrawnMenu)
{
    // A context menu the frame does not own: its pop-up header is measured, its mnemonics
    // answer, and items added at run time are converted as the pop-up opens.
    COwnerDrawMenu context;
    ASSERT_TRUE(context.LoadMenu(IDR_TESTMENU));
    CMenu* pFile = context.GetSubMenu(0);
    auto* pLevel = dynamic_cast<COwnerDrawMenu*>(CMenu::FromHandlePermanent(pFile->m_hMenu));
    ASSERT_NE(pLevel, nullptr);
    MEASUREITEMSTRUCT measure = {};
    measure.CtlType = ODT_MENU;
    measure.itemID = UINT(UINT_PTR(pFile->GetSubMenu(4)->m_hMenu)); // "Recent"
    measure.itemData = ULONG_PTR(pLevel->GetRecords()[4]);
    m_pFrame->SendMessage(WM_MEASUREITEM, 0, LPARAM(&measure));
    EXPECT_GE(int(measure.itemHeight), ::GetSystemMetrics(SM_CYMENU));
    EXPECT_GT(int(measure.itemWidth), 32);
    EXPECT_EQ(m_pFrame->SendMessage(WM_MENUCHAR, MAKEWPARAM('O', MF_POPUP), LPARAM(pFile->m_hMenu)),
              MAKELRESULT(1, MNC_EXECUTE));
    ::AppendMenuA(pFile->m_hMenu, MF_STRING, 999, "&Later");
    m_pFrame->SendMessage(WM_INITMENUPOPUP, WPARAM(pFile->m_hMenu), 0);
    EXPECT_EQ(pLevel->GetRecords().size(), 6u);
    EXPECT_EQ(pLevel->GetRecords().back()->GetAnsiText(), CString("&Later"));
}

} // namespace
