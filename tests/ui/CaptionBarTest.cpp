// Caption strips and flat buttons: the title and its ellipsis, the inset, the hover frame, and
// the push pin's pop-up pinned or left.
#include "ui/CaptionBar.h"
#include "framework/win/MessageCrackers.h"
#include "res/UiIds.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/ui/UiTestApp.h"
#include "ui/PushPinPopup.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// A window that holds the strip and the pane, and hears what the push pin tells.
class CStripHost : public CWnd {
public:
    BOOL CreateHost()
    {
        LPCTSTR lpszClass = AfxRegisterWndClass(0, nullptr, HBRUSH(COLOR_BTNFACE + 1));
        return CreateEx(0, lpszClass, "Host", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr,
                        nullptr);
    }
    LRESULT OnPushPin(WPARAM, LPARAM)
    {
        heard.push_back(GetCurrentMessage()->message);
        return 0;
    }
    std::vector<UINT> heard;

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CStripHost, CWnd)
ON_MESSAGE(WM_PUSHPIN_PINNED, &CStripHost::OnPushPin)
ON_MESSAGE(WM_PUSHPIN_CLOSED, &CStripHost::OnPushPin)
END_MESSAGE_MAP()

class CaptionBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::SetCursorPos(0, 0);
        ASSERT_TRUE(m_host.CreateHost());
        ASSERT_TRUE(m_strip.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, 120, 20), &m_host, 1));
    }
    void TearDown() override { m_host.DestroyWindow(); }
    // The columns of the strip where text was drawn.
    std::vector<int> TextColumns()
    {
        const CDibImage image = AfxPrintClientToDib(&m_strip);
        std::vector<int> columns;
        for (int x = 0; x < image.width; ++x)
            for (int y = 0; y < image.height; ++y)
                if (image.Pixel(x, y) == ::GetSysColor(COLOR_WINDOWTEXT)) {
                    columns.push_back(x);
                    break;
                }
        return columns;
    }
    CStripHost m_host;
    CCaptionBar m_strip;
};

TEST_F(CaptionBarTest, ALongCaptionEndsInAnEllipsisAndAnEmptyOneDrawsNothing)
{
    EXPECT_TRUE(TextColumns().empty());
    m_strip.SetCaption("Short", nullptr);
    const std::vector<int> shortText = TextColumns();
    ASSERT_FALSE(shortText.empty());
    EXPECT_GE(shortText.front(), 16 + 4); // after the icon's column
    EXPECT_LT(shortText.front(), 16 + 8);
    EXPECT_LT(shortText.back(), 80);

    m_strip.SetCaption("A caption far too long for such a narrow strip", nullptr);
    const std::vector<int> longText = TextColumns();
    ASSERT_FALSE(longText.empty());
    EXPECT_LT(longText.back(), 120);
    EXPECT_GT(longText.back(), 100);
    // The text ends in a dot, not in a cut letter: one or two dark pixels in its last column.
    const CDibImage image = AfxPrintClientToDib(&m_strip);
    int dark = 0;
    for (int y = 0; y < image.height; ++y)
        dark += image.Pixel(longText.back(), y) == ::GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_GE(dark, 1);
    EXPECT_LE(dark, 2);
}

TEST_F(CaptionBarTest, TheInsetIsFilledAndZeroArgumentsKeepWhatTheStripHas)
{
    m_strip.SetColours(RGB(200, 200, 200), RGB(100, 100, 100), RGB(255, 255, 255));
    m_strip.SetAppearance(4, nullptr, "Items", nullptr);
    CDibImage image = AfxPrintClientToDib(&m_strip);
    EXPECT_EQ(image.Pixel(1, 1), RGB(200, 200, 200));
    EXPECT_EQ(image.Pixel(5, 5), RGB(255, 255, 255));
    m_strip.SetAppearance(0, nullptr, nullptr, nullptr); // only repaints
    EXPECT_EQ(m_strip.GetCaption(), CString("Items"));
    image = AfxPrintClientToDib(&m_strip);
    EXPECT_EQ(image.Pixel(5, 5), RGB(255, 255, 255));
    m_strip.SetCaption(nullptr, nullptr);
    EXPECT_EQ(m_strip.GetCaption(), CString("Items"));
}

TEST_F(CaptionBarTest, AFlatButtonIsFramedOnlyWhileThePointerIsOverIt)
{
    CHoverButton button;
    ASSERT_TRUE(button.Create("Go", WS_CHILD | WS_VISIBLE, CRect(10, 30, 50, 50), &m_host, 2));
    CRect rect;
    button.GetWindowRect(&rect);
    ::SetCursorPos(rect.left + 5, rect.top + 5);
    button.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(5, 5));
    EXPECT_TRUE(button.IsHoverFramed());
    ::SetCursorPos(rect.right + 30, rect.top + 5);
    button.SendMessage(WM_TIMER, 1);
    EXPECT_FALSE(button.IsHoverFramed());
    // Held down, it gets no hover frame.
    ::SetCursorPos(rect.left + 5, rect.top + 5);
    button.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(5, 5));
    button.SendMessage(WM_MOUSEMOVE, MK_LBUTTON, MAKELPARAM(6, 5));
    EXPECT_FALSE(button.IsHoverFramed());
    button.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(6, 5));
    ::ReleaseCapture();

    // Drawn pressed: sunken, shadow on the top and left.
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_BUTTON;
    draw.itemState = ODS_SELECTED;
    draw.rcItem = {0, 0, 40, 20};
    const CDibImage pressed = AfxDrawToDib(40, 20, [&](CDC& dc) {
        draw.hDC = dc.m_hDC;
        button.DrawItem(&draw);
    });
    EXPECT_EQ(pressed.Pixel(0, 10), ::GetSysColor(COLOR_3DSHADOW));
    EXPECT_EQ(pressed.Pixel(39, 10), ::GetSysColor(COLOR_3DHILIGHT));
}

TEST_F(CaptionBarTest, ThePushPinShowsThePaneUntilPinnedOrLeft)
{
    // Without a pane to show, the pin does nothing.
    m_strip.SendMessage(WM_COMMAND, IDC_PUSHPIN);
    EXPECT_EQ(m_strip.GetPopup(), nullptr);

    CStatic pane;
    ASSERT_TRUE(pane.Create("pane", WS_CHILD | WS_VISIBLE, CRect(0, 20, 120, 120), &m_host, 3));
    CRect rectPane(100, 140, 300, 260);
    m_strip.SetPushPinPane(&pane, &m_host, rectPane);
    EXPECT_TRUE(m_strip.GetPinButton().GetStyle() & WS_VISIBLE);
    for (UINT end : {UINT(WM_PUSHPIN_PINNED), UINT(WM_PUSHPIN_CLOSED)}) {
        m_strip.GetPinButton().ShowWindow(SW_SHOW);
        m_strip.SendMessage(WM_COMMAND, IDC_PUSHPIN);
        CPushPinPopup* pPopup = m_strip.GetPopup();
        ASSERT_NE(pPopup, nullptr) << end;
        EXPECT_EQ(pane.GetParent()->m_hWnd, pPopup->m_hWnd) << end;
        EXPECT_TRUE(m_strip.GetPinButton().GetState() & BST_PUSHED) << end;
        const HWND hWndPopup = pPopup->m_hWnd;
        if (end == WM_PUSHPIN_PINNED) {
            pPopup->SendMessage(WM_COMMAND, IDC_PUSHPIN);
        } else {
            m_host.SetFocus(); // the focus leaves for another window
            pPopup->SendMessage(WM_TIMER, 1);
        }
        PumpMessages();
        EXPECT_EQ(m_host.heard, std::vector<UINT>{end});
        EXPECT_FALSE(::IsWindow(hWndPopup));
        EXPECT_EQ(pane.GetParent()->m_hWnd, m_host.m_hWnd);
        EXPECT_EQ(m_strip.GetPopup(), nullptr);
        EXPECT_FALSE(m_strip.GetPinButton().GetState() & BST_PUSHED);
        m_host.heard.clear();
    }
    // Pinned, the pane took the pane rectangle.
    m_strip.GetPinButton().ShowWindow(SW_SHOW);
    m_strip.SendMessage(WM_COMMAND, IDC_PUSHPIN);
    m_strip.GetPopup()->SendMessage(WM_COMMAND, IDC_PUSHPIN);
    PumpMessages();
    CRect rect;
    pane.GetWindowRect(&rect);
    EXPECT_EQ(rect, rectPane);
    EXPECT_FALSE(m_strip.GetPinButton().GetStyle() & WS_VISIBLE);
}

} // namespace
