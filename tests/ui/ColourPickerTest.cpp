// The colour button and its palette pop-up, driven by clicks, mouse moves and keys as a user
// drives them; what the button's parent hears, in order, is what a page would act on.
#include "ui/ColourPicker.h"
#include "framework/win/CDC.h"
#include "framework/win/CommonDialogs.h"
#include "framework/win/MessageCrackers.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/ScriptedModalHook.h"
#include "tests/ui/UiTestApp.h"
#include "ui/ColourPopup.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

constexpr COLORREF kLime = 0x32CD32;
constexpr int kPickerId = 77;

struct Heard {
    UINT message;
    COLORREF colour;
    bool operator==(const Heard& other) const
    {
        return message == other.message && colour == other.colour;
    }
};

// A dialog-like window holding one colour button; it records what the button tells it.
class CPickerHost : public CWnd {
public:
    BOOL CreateAt(int x, int y)
    {
        LPCTSTR lpszClass = AfxRegisterWndClass(0, nullptr, HBRUSH(COLOR_BTNFACE + 1));
        if (!CreateEx(0, lpszClass, "Host", WS_POPUP | WS_VISIBLE, x, y, 200, 60, nullptr, nullptr))
            return FALSE;
        return m_picker.Create("", WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, CRect(10, 10, 110, 32),
                               this, kPickerId);
    }
    LRESULT OnPicker(WPARAM wParam, LPARAM lParam)
    {
        EXPECT_EQ(lParam, kPickerId);
        heard.push_back({GetCurrentMessage()->message, COLORREF(wParam)});
        return 0;
    }
    CColourPicker m_picker;
    std::vector<Heard> heard;

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CPickerHost, CWnd)
ON_MESSAGE(CPN_SELCHANGE, &CPickerHost::OnPicker)
ON_MESSAGE(CPN_DROPDOWN, &CPickerHost::OnPicker)
ON_MESSAGE(CPN_CLOSEUP, &CPickerHost::OnPicker)
ON_MESSAGE(CPN_SELENDOK, &CPickerHost::OnPicker)
ON_MESSAGE(CPN_SELENDCANCEL, &CPickerHost::OnPicker)
END_MESSAGE_MAP()

class ColourPickerTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        // The pop-up follows the pointer: park it away from where the pop-up opens.
        ::SetCursorPos(0, 0);
        ASSERT_TRUE(m_host.CreateAt(100, 100));
        m_host.m_picker.SetColour(kLime);
    }
    void TearDown() override { m_host.DestroyWindow(); }
    CColourPopup* Open()
    {
        m_host.m_picker.SendMessage(BM_CLICK);
        PumpMessages();
        m_host.heard.clear();
        return m_host.m_picker.GetPopup();
    }
    // The button as it draws itself now.
    CDibImage DrawPicker()
    {
        DRAWITEMSTRUCT dis = {};
        dis.CtlType = ODT_BUTTON;
        m_host.m_picker.GetClientRect(&dis.rcItem);
        return AfxDrawToDib(dis.rcItem.right, dis.rcItem.bottom, [&](CDC& dc) {
            dis.hDC = dc.m_hDC;
            m_host.m_picker.DrawItem(&dis);
        });
    }
    void Key(UINT nChar) { m_host.m_picker.SendMessage(WM_KEYDOWN, nChar, 0); }
    void MoveTo(CColourPopup* pPopup, int nBox)
    {
        const CPoint point = pPopup->GetLayout().GetCellRect(nBox).CenterPoint();
        pPopup->SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(point.x, point.y));
    }
    CPickerHost m_host;
};

TEST_F(ColourPickerTest, TheInitialColourIsDrawnAsChosenAndTheButtonPressed)
{
    CColourPopup* pPopup = Open();
    ASSERT_NE(pPopup, nullptr);
    EXPECT_EQ(pPopup->GetChosenBox(), 18);
    EXPECT_EQ(pPopup->GetCurrentBox(), kNoBox);
    EXPECT_EQ(::GetCapture(), pPopup->GetSafeHwnd());
    const CDibImage image = AfxPrintClientToDib(pPopup);
    const CRect lime = pPopup->GetLayout().GetCellRect(18);
    const CRect next = pPopup->GetLayout().GetCellRect(17);
    // Chosen: a light ring inside the sunken edge; the others keep the face colour.
    EXPECT_EQ(image.Pixel(lime.left + 1, lime.top + 1), ::GetSysColor(COLOR_3DHILIGHT));
    EXPECT_EQ(image.Pixel(lime.left, lime.top), ::GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(image.Pixel(next.left + 1, next.top + 1), ::GetSysColor(COLOR_3DFACE));
    EXPECT_EQ(image.Pixel(lime.CenterPoint().x, lime.CenterPoint().y), kLime);

    // The button shows itself pressed while the pop-up is open.
    const CDibImage button = DrawPicker();
    EXPECT_EQ(button.Pixel(10, button.height / 2), kLime);
    Key(VK_ESCAPE);
    EXPECT_NE(DrawPicker().pixels, button.pixels);
}

TEST_F(ColourPickerTest, APopupThatCannotBeMadeLeavesTheButtonAsItWas)
{
    const CDibImage before = DrawPicker();
    {
        const HWND hWndPicker = m_host.m_picker.GetSafeHwnd();
        CRefuseCreation refuse(
            [&](const CREATESTRUCTA& cs) { return cs.hwndParent == hWndPicker; });
        m_host.m_picker.SendMessage(BM_CLICK);
        PumpMessages();
        EXPECT_EQ(m_host.m_picker.GetPopup(), nullptr);
        EXPECT_EQ(refuse.m_nRefused, 1);
    }
    EXPECT_TRUE(m_host.heard.empty());
    EXPECT_EQ(DrawPicker().pixels, before.pixels);
    // The next click opens it.
    ASSERT_NE(Open(), nullptr);
    Key(VK_ESCAPE);
}

TEST_F(ColourPickerTest, KeysWalkFromTheChosenColourAndEscapeRestoresIt)
{
    CColourPopup* pPopup = Open();
    ASSERT_NE(pPopup, nullptr);
    Key(VK_RIGHT);
    EXPECT_EQ(pPopup->GetCurrentBox(), 19);
    Key(VK_DOWN);
    EXPECT_EQ(pPopup->GetCurrentBox(), 27);
    Key(VK_ESCAPE);
    EXPECT_EQ(m_host.m_picker.GetPopup(), nullptr);
    EXPECT_EQ(m_host.m_picker.GetColour(), kLime);
    const std::vector<Heard> expected = {{CPN_SELCHANGE, 0x71B33C},
                                         {CPN_SELCHANGE, 0x00FF00},
                                         {CPN_CLOSEUP, kLime},
                                         {CPN_SELENDCANCEL, kLime}};
    EXPECT_EQ(m_host.heard, expected);
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(ColourPickerTest, OkSendsCloseUpOkAndThenChangeOnlyForANewColour)
{
    CColourPopup* pPopup = Open();
    ASSERT_NE(pPopup, nullptr);
    MoveTo(pPopup, 13); // "Blue"
    Key(VK_RETURN);
    EXPECT_EQ(m_host.m_picker.GetColour(), COLORREF(0xFF0000));
    std::vector<Heard> expected = {{CPN_SELCHANGE, 0xFF0000},
                                   {CPN_CLOSEUP, 0xFF0000},
                                   {CPN_SELENDOK, 0xFF0000},
                                   {CPN_SELCHANGE, 0xFF0000}};
    EXPECT_EQ(m_host.heard, expected);

    pPopup = Open();
    ASSERT_NE(pPopup, nullptr);
    MoveTo(pPopup, 13);
    Key(VK_SPACE);
    expected = {{CPN_SELCHANGE, 0xFF0000}, {CPN_CLOSEUP, 0xFF0000}, {CPN_SELENDOK, 0xFF0000}};
    EXPECT_EQ(m_host.heard, expected);
}

TEST_F(ColourPickerTest, AutomaticIsTheDefaultColourAndShowsWhiteWithItsName)
{
    CColourPopup* pPopup = Open();
    ASSERT_NE(pPopup, nullptr);
    MoveTo(pPopup, kAutomaticBox);
    Key(VK_RETURN);
    EXPECT_EQ(m_host.m_picker.GetColour(), kPickerAutomaticColour);

    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    m_host.m_picker.GetClientRect(&dis.rcItem);
    const CDibImage button = AfxDrawToDib(dis.rcItem.right, dis.rcItem.bottom, [&](CDC& dc) {
        dis.hDC = dc.m_hDC;
        m_host.m_picker.DrawItem(&dis);
    });
    int white = 0, black = 0;
    for (int x = 3; x < dis.rcItem.right - 20; ++x)
        for (int y = 3; y < dis.rcItem.bottom - 3; ++y) {
            white += button.Pixel(x, y) == RGB(255, 255, 255);
            black += button.Pixel(x, y) == RGB(0, 0, 0);
        }
    EXPECT_GT(white, 100); // a white field
    EXPECT_GT(black, 5);   // with black text on it
}

TEST_F(ColourPickerTest, MoreColoursRunsTheColourDialog)
{
    for (int answer : {IDOK, IDCANCEL}) {
        ScriptedModalHook hook;
        hook.onStart = [](CWnd* pDialog) {
            auto* pColour = dynamic_cast<CColorDialog*>(pDialog);
            ASSERT_NE(pColour, nullptr);
            EXPECT_EQ(pColour->m_cc.rgbResult, kLime); // it starts from the initial colour
            pColour->m_cc.rgbResult = RGB(1, 2, 3);
        };
        hook.startAnswer = answer;
        CColourPopup* pPopup = Open();
        ASSERT_NE(pPopup, nullptr);
        MoveTo(pPopup, kCustomBox);
        Key(VK_RETURN);
        const COLORREF expected = answer == IDOK ? RGB(1, 2, 3) : kLime;
        EXPECT_EQ(m_host.m_picker.GetColour(), expected) << answer;
        ASSERT_FALSE(m_host.heard.empty());
        EXPECT_EQ(m_host.heard.back().message,
                  UINT(answer == IDOK ? CPN_SELCHANGE : CPN_SELENDCANCEL))
            << answer;
        m_host.m_picker.SetColour(kLime);
    }
}

TEST_F(ColourPickerTest, LosingTheApplicationDuringTheColourDialogEndsNothing)
{
    ScriptedModalHook hook;
    CColourPopup* pPopup = Open();
    ASSERT_NE(pPopup, nullptr);
    const HWND hWndPopup = pPopup->GetSafeHwnd();
    hook.onStart = [&](CWnd* pDialog) {
        // The dialog takes the activation from the program's windows.
        ::SendMessageA(hWndPopup, WM_ACTIVATEAPP, FALSE, 0);
        EXPECT_TRUE(::IsWindow(hWndPopup));
        static_cast<CColorDialog*>(pDialog)->m_cc.rgbResult = RGB(9, 9, 9);
    };
    hook.startAnswer = IDOK;
    MoveTo(pPopup, kCustomBox);
    Key(VK_RETURN);
    int endings = 0;
    for (const Heard& h : m_host.heard)
        endings += h.message == CPN_SELENDOK || h.message == CPN_SELENDCANCEL;
    EXPECT_EQ(endings, 1);
    EXPECT_EQ(m_host.m_picker.GetColour(), RGB(9, 9, 9));
    EXPECT_FALSE(::IsWindow(hWndPopup));

    // Outside the dialog, losing the application cancels.
    pPopup = Open();
    ASSERT_NE(pPopup, nullptr);
    MoveTo(pPopup, 5);
    pPopup->SendMessage(WM_ACTIVATEAPP, FALSE, 0);
    EXPECT_EQ(m_host.heard.back().message, UINT(CPN_SELENDCANCEL));
    EXPECT_EQ(m_host.m_picker.GetColour(), RGB(9, 9, 9));
}

TEST_F(ColourPickerTest, AButtonDestroyedWhileOpenTakesItsPopupSilently)
{
    CColourPopup* pPopup = Open();
    ASSERT_NE(pPopup, nullptr);
    const HWND hWndPopup = pPopup->GetSafeHwnd();
    m_host.m_picker.DestroyWindow();
    EXPECT_FALSE(::IsWindow(hWndPopup));
    EXPECT_TRUE(m_host.heard.empty());
    EXPECT_EQ(::GetCapture(), nullptr);
}

TEST_F(ColourPickerTest, EachSwatchHasItsOwnTipNamedAfterItsColour)
{
    CColourPopup* pPopup = Open();
    ASSERT_NE(pPopup, nullptr);
    HWND hWndTip = nullptr;
    for (HWND h = ::GetWindow(::GetDesktopWindow(), GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT))
        if (::GetWindow(h, GW_OWNER) == pPopup->GetSafeHwnd())
            hWndTip = h;
    ASSERT_NE(hWndTip, nullptr);
    EXPECT_EQ(::SendMessageA(hWndTip, TTM_GETTOOLCOUNT, 0, 0), 40);
    for (int box : {0, 18, 35, 39}) {
        char text[80] = {};
        TTTOOLINFOA info = {};
        info.cbSize = sizeof info;
        info.hwnd = pPopup->GetSafeHwnd();
        info.uId = UINT_PTR(box + 1);
        info.lpszText = text;
        ASSERT_TRUE(::SendMessageA(hWndTip, TTM_GETTOOLINFOA, 0, LPARAM(&info))) << box;
        EXPECT_STREQ(text, g_colourTable[box].name) << box;
        EXPECT_EQ(CRect(info.rect), pPopup->GetLayout().GetCellRect(box)) << box;
    }
    Key(VK_ESCAPE);
}

TEST_F(ColourPickerTest, APopupNearTheScreenBottomOpensAboveTheButton)
{
    CPickerHost low;
    const int screenHeight = ::GetSystemMetrics(SM_CYSCREEN);
    ASSERT_TRUE(low.CreateAt(::GetSystemMetrics(SM_CXSCREEN) - 60, screenHeight - 45));
    low.m_picker.SendMessage(BM_CLICK);
    CColourPopup* pPopup = low.m_picker.GetPopup();
    ASSERT_NE(pPopup, nullptr);
    CRect rectPopup, rectButton;
    pPopup->GetWindowRect(&rectPopup);
    low.m_picker.GetWindowRect(&rectButton);
    EXPECT_EQ(rectPopup.bottom, rectButton.top);
    EXPECT_LE(rectPopup.right, ::GetSystemMetrics(SM_CXSCREEN));
    EXPECT_GE(rectPopup.left, 0);
    low.DestroyWindow();
}

} // namespace
