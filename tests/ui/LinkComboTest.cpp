// The link label and the flat combo box as a user meets them: the link's colours under the
// pointer and after a visit, what a click tells when the address cannot be opened, and the
// combo box completing what is typed.
#include "framework/win/MessageCrackers.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/ScriptedModalHook.h"
#include "ui/KxFlatComboBox.h"
#include "ui/LinkLabel.h"
#include "ui/ShellOpen.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

class CControlHost : public CWnd {
public:
    BOOL CreateHost()
    {
        LPCTSTR lpszClass = AfxRegisterWndClass(0, nullptr, HBRUSH(COLOR_BTNFACE + 1));
        return CreateEx(0, lpszClass, "Host", WS_POPUP | WS_VISIBLE, 100, 100, 300, 200, nullptr,
                        nullptr);
    }
};

LPARAM PointParam(int x, int y) { return MAKELPARAM(WORD(short(x)), WORD(short(y))); }

class LinkLabelTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::SetCursorPos(0, 0);
        ASSERT_TRUE(m_host.CreateHost());
        ASSERT_TRUE(m_link.Create("Zivra on the web", WS_CHILD | WS_VISIBLE | SS_LEFT,
                                  CRect(10, 10, 200, 30), &m_host, 7));
        m_link.SetAddress("http://zivra.example/");
        SetShellLaunchers(
            [this](LPCTSTR lpszTarget, int) -> INT_PTR {
                m_opened.emplace_back(lpszTarget);
                return m_openResult;
            },
            [this](LPCTSTR lpszCommand, int) -> UINT {
                m_run.emplace_back(lpszCommand);
                return 0;
            });
    }
    void TearDown() override
    {
        SetShellLaunchers(nullptr, nullptr);
        m_host.DestroyWindow();
    }
    // Whether any pixel of the label is drawn in colour.
    bool DrawsIn(COLORREF colour)
    {
        const CDibImage image = AfxPrintClientToDib(&m_link);
        for (int y = 0; y < image.height; ++y)
            for (int x = 0; x < image.width; ++x)
                if (image.Pixel(x, y) == colour)
                    return true;
        return false;
    }
    void Click()
    {
        m_link.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, PointParam(5, 5));
        m_link.SendMessage(WM_LBUTTONUP, 0, PointParam(5, 5));
        AfxPumpPendingMessages();
    }

    CControlHost m_host;
    CLinkLabel m_link;
    INT_PTR m_openResult = 33;
    std::vector<CString> m_opened, m_run;
};

TEST_F(LinkLabelTest, TheTextShowsLinkHoverAndVisitedColours)
{
    EXPECT_TRUE(DrawsIn(CLinkLabel::kLinkColour));
    m_link.SendMessage(WM_MOUSEMOVE, 0, PointParam(5, 5));
    EXPECT_TRUE(m_link.IsHovering());
    EXPECT_EQ(::GetCapture(), m_link.m_hWnd);
    EXPECT_TRUE(DrawsIn(CLinkLabel::kHoverColour));
    m_link.SendMessage(WM_MOUSEMOVE, 0, PointParam(-3, 40));
    EXPECT_FALSE(m_link.IsHovering());
    EXPECT_EQ(::GetCapture(), nullptr);
    m_link.SetVisited();
    EXPECT_TRUE(DrawsIn(CLinkLabel::kVisitedColour));
    EXPECT_FALSE(DrawsIn(CLinkLabel::kLinkColour));
}

TEST_F(LinkLabelTest, ASuccessfulOpenMarksTheLinkVisitedWithoutAWord)
{
    ScriptedModalHook hook;
    Click();
    ASSERT_EQ(m_opened.size(), 1u);
    EXPECT_EQ(m_opened[0], CString("http://zivra.example/"));
    EXPECT_TRUE(m_link.GetVisited());
    EXPECT_TRUE(hook.messages.empty());
}

TEST_F(LinkLabelTest, AFailedOpenTellsTheShellsReasonAndStaysUnvisited)
{
    ScriptedModalHook hook;
    m_openResult = 2;
    Click();
    ASSERT_EQ(hook.messages.size(), 1u);
    EXPECT_EQ(hook.messages[0],
              CString("Unable to open hyperlink:\n\nThe specified file was not found."));
    EXPECT_TRUE(hook.types[0] & MB_ICONEXCLAMATION);
    EXPECT_FALSE(m_link.GetVisited());

    // Without an associated program the web-page program is tried with the address as one
    // argument, where the system names one.
    m_openResult = 31;
    Click();
    ASSERT_EQ(hook.messages.size(), 2u);
    if (m_run.empty()) {
        EXPECT_NE(hook.messages[1].Find("There is no application associated"), -1);
    } else {
        EXPECT_EQ(m_run[0].Right(24), CString(" \"http://zivra.example/\""));
        EXPECT_NE(hook.messages[1].Find("out\nof memory"), -1); // the second attempt's result 0
    }
}

class FlatComboTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        ::SetCursorPos(0, 0);
        ASSERT_TRUE(m_host.CreateHost());
        ASSERT_TRUE(m_combo.Create(WS_CHILD | WS_VISIBLE | CBS_DROPDOWN | CBS_AUTOHSCROLL,
                                   CRect(10, 10, 200, 150), &m_host, 8));
        for (const char* unit : {"degree Celsius", "degree Fahrenheit", "meter", "mile"})
            m_combo.AddString(unit);
        m_edit = ::GetWindow(m_combo.m_hWnd, GW_CHILD);
        ASSERT_NE(m_edit, nullptr);
        ::SetFocus(m_edit);
        AfxPumpPendingMessages();
    }
    void TearDown() override { m_host.DestroyWindow(); }
    // Presses keys in the edit field as the keyboard does.
    void Type(const char* keys)
    {
        for (const char* p = keys; *p; ++p) {
            const UINT vk = *p == '\b' ? VK_BACK : UINT(LOBYTE(::VkKeyScanA(*p)));
            ::PostMessageA(m_edit, WM_KEYDOWN, vk, 1);
            ::PostMessageA(m_edit, WM_KEYUP, vk, 0xC0000001);
            AfxPumpPendingMessages();
        }
    }
    CString Text()
    {
        CString text;
        m_combo.GetWindowText(text);
        return text;
    }
    CString Selected()
    {
        const DWORD sel = m_combo.GetEditSel();
        return Text().Mid(LOWORD(sel), HIWORD(sel) - LOWORD(sel));
    }

    CControlHost m_host;
    CKxFlatComboBox m_combo;
    HWND m_edit = nullptr;
};

TEST_F(FlatComboTest, TypingCompletesFromTheListAndBackspaceDoesNotCompleteAgain)
{
    Type("mi");
    EXPECT_EQ(Text(), CString("mile"));
    EXPECT_EQ(Selected(), CString("le"));

    Type("\b");
    EXPECT_EQ(Text(), CString("mi"));
    EXPECT_FALSE(m_combo.IsAutoCompleting());

    Type("\bet");
    EXPECT_EQ(Text(), CString("meter"));
    EXPECT_EQ(Selected(), CString("er"));

    m_combo.SetWindowText("");
    Type("deq");
    EXPECT_EQ(Text(), CString("deq")); // nothing matches: the text stays as typed
    EXPECT_EQ(Selected(), CString(""));
}

TEST_F(FlatComboTest, TheBoxRisesWithTheFocusAndLiesFlatWithoutIt)
{
    EXPECT_EQ(m_combo.GetLook(), CKxFlatComboBox::Look::Raised);
    ::SetFocus(m_host.m_hWnd);
    AfxPumpPendingMessages();
    EXPECT_EQ(m_combo.GetLook(), CKxFlatComboBox::Look::Flat);
    EXPECT_FALSE(m_combo.GetExStyle() & WS_EX_CLIENTEDGE);
}

} // namespace
