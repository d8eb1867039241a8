// Message maps, the window procedure, reflection, subclassing and window lifetime.
#include "framework/win/CDC.h"
#include "framework/win/Controls.h"
#include "framework/win/MessageCrackers.h"
#include "tests/support/AssertRecorder.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

constexpr UINT kMsgBase = WM_APP + 1;    // handled by the base only
constexpr UINT kMsgMiddle = WM_APP + 2;  // handled by the base and overridden by the middle
constexpr UINT kMsgDerived = WM_APP + 3; // handled by the most derived only
constexpr UINT kMsgNobody = WM_APP + 4;  // handled by no map: the default procedure answers

std::vector<std::string> g_calls;

class CLevel1 : public CWnd {
public:
    int m_createCount = 0;
    int m_sizeCx = -1;
    UINT m_lastCurrentMessage = 0;

protected:
    int OnCreate(LPCREATESTRUCT lpcs)
    {
        ++m_createCount;
        return CWnd::OnCreate(lpcs);
    }
    void OnSize(UINT nType, int cx, int cy)
    {
        m_sizeCx = cx;
        CWnd::OnSize(nType, cx, cy);
    }
    LRESULT OnBase(WPARAM, LPARAM)
    {
        g_calls.push_back("level1 base");
        m_lastCurrentMessage = GetCurrentMessage()->message;
        return 11;
    }
    LRESULT OnMiddle(WPARAM, LPARAM)
    {
        g_calls.push_back("level1 middle");
        return 12;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLevel1, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_MESSAGE(kMsgBase, &CLevel1::OnBase)
ON_MESSAGE(kMsgMiddle, &CLevel1::OnMiddle)
END_MESSAGE_MAP()

class CLevel2 : public CLevel1 {
protected:
    LRESULT OnMiddle2(WPARAM, LPARAM)
    {
        g_calls.push_back("level2 middle");
        return 22;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLevel2, CLevel1)
ON_MESSAGE(kMsgMiddle, &CLevel2::OnMiddle2)
END_MESSAGE_MAP()

class CLevel3 : public CLevel2 {
protected:
    LRESULT OnDerived(WPARAM wParam, LPARAM lParam)
    {
        g_calls.push_back("level3 derived");
        return LRESULT(wParam + lParam);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLevel3, CLevel2)
ON_MESSAGE(kMsgDerived, &CLevel3::OnDerived)
END_MESSAGE_MAP()

const RECT kRect = {0, 0, 200, 100};

BOOL CreateTopLevel(CWnd& wnd)
{
    return wnd.CreateEx(0, nullptr, "test", WS_POPUP, kRect, nullptr, 0);
}

TEST(MessageMap, DispatchWalksThreeLevelsThenTheDefaultProcedure)
{
    CLevel3 wnd;
    ASSERT_TRUE(CreateTopLevel(wnd));
    EXPECT_EQ(wnd.m_createCount, 1) << "WM_CREATE reaches the map of a window being created";

    struct Case {
        UINT message;
        LRESULT expected;
        const char* handler; // nullptr: no handler, the default procedure answers
    };
    const Case cases[] = {
        {kMsgBase, 11, "level1 base"},
        {kMsgMiddle, 22, "level2 middle"},
        {kMsgDerived, 7, "level3 derived"},
        {kMsgNobody, 0, nullptr},
    };
    for (const Case& c : cases) {
        g_calls.clear();
        EXPECT_EQ(wnd.SendMessage(c.message, 3, 4), c.expected) << "message " << c.message;
        if (c.handler) {
            ASSERT_EQ(g_calls.size(), 1u) << "message " << c.message;
            EXPECT_EQ(g_calls[0], c.handler) << "message " << c.message;
        } else {
            EXPECT_TRUE(g_calls.empty()) << "message " << c.message;
        }
    }
    EXPECT_EQ(wnd.m_lastCurrentMessage, kMsgBase) << "GetCurrentMessage inside a handler";

    // Unmapped system messages keep their default behaviour.
    wnd.SetWindowText("changed by default");
    CString text;
    wnd.GetWindowText(text);
    EXPECT_STREQ(text, "changed by default");
    wnd.MoveWindow(0, 0, 150, 80);
    EXPECT_EQ(wnd.m_sizeCx, 150) << "ON_WM_SIZE cracks the width";
    wnd.DestroyWindow();
    EXPECT_EQ(wnd.m_hWnd, nullptr);
}

TEST(MessageMap, FromHandleFindsThePermanentObjectOrATemporaryWrapper)
{
    CLevel1 wnd;
    ASSERT_TRUE(CreateTopLevel(wnd));
    EXPECT_EQ(CWnd::FromHandle(wnd.m_hWnd), &wnd);
    EXPECT_EQ(CWnd::FromHandlePermanent(wnd.m_hWnd), &wnd);

    HWND foreign = ::CreateWindowExA(0, "STATIC", "x", WS_POPUP, 0, 0, 10, 10, nullptr, nullptr,
                                     nullptr, nullptr);
    CWnd* temp = CWnd::FromHandle(foreign);
    ASSERT_NE(temp, nullptr);
    EXPECT_EQ(temp->m_hWnd, foreign);
    EXPECT_EQ(CWnd::FromHandlePermanent(foreign), nullptr);
    AfxDeleteTempMaps(); // idle time: the wrapper goes, the window stays
    EXPECT_TRUE(::IsWindow(foreign));
    ::DestroyWindow(foreign);
}

TEST(MessageMap, RegisteredWindowClassesDifferByTheirAttributes)
{
    HCURSOR hArrow = ::LoadCursorA(nullptr, IDC_ARROW);
    HBRUSH hBrush = ::GetSysColorBrush(COLOR_WINDOW);
    LPCTSTR plain = AfxRegisterWndClass(CS_DBLCLKS, hArrow);
    LPCTSTR again = AfxRegisterWndClass(CS_DBLCLKS, hArrow);
    LPCTSTR brushed = AfxRegisterWndClass(CS_DBLCLKS, hArrow, hBrush);
    LPCTSTR styled = AfxRegisterWndClass(CS_HREDRAW | CS_VREDRAW, hArrow);
    EXPECT_STREQ(plain, again);
    EXPECT_STRNE(plain, brushed);
    EXPECT_STRNE(plain, styled);
    WNDCLASSA wc = {};
    ASSERT_TRUE(::GetClassInfoA(AfxGetInstanceHandle(), brushed, &wc));
    EXPECT_EQ(wc.hbrBackground, hBrush);
    EXPECT_EQ(wc.style, UINT(CS_DBLCLKS));
}

// ---- reflection -----------------------------------------------------------------------------

constexpr UINT kIdReflecting = 101;
constexpr UINT kIdPlain = 102;
constexpr int kNotifyCustom = -105; // a negative notification code of the program's own
constexpr int kNotifyRange = -101;

class CReflectingButton : public CButton {
public:
    int m_clicks = 0;
    int m_draws = 0;
    int m_notifies = 0;
    void DrawItem(LPDRAWITEMSTRUCT) override { ++m_draws; }

protected:
    void OnClicked() { ++m_clicks; }
    void OnNotifyClick(NMHDR* pNMHDR, LRESULT* pResult)
    {
        ++m_notifies;
        *pResult = pNMHDR->idFrom == kIdReflecting ? 5 : -1;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingButton, CButton)
ON_CONTROL_REFLECT(BN_CLICKED, &CReflectingButton::OnClicked)
ON_NOTIFY_REFLECT(NM_CLICK, &CReflectingButton::OnNotifyClick)
END_MESSAGE_MAP()

class CParent : public CWnd {
public:
    std::vector<UINT> m_clicked;
    std::vector<int> m_notified;
    std::vector<UINT> m_rangeNotified;

protected:
    void OnChildClicked(UINT nID) { m_clicked.push_back(nID); }
    void OnRangeNotify(UINT nID, NMHDR* pNMHDR, LRESULT*)
    {
        m_rangeNotified.push_back(nID);
        m_rangeNotified.push_back(UINT(pNMHDR->idFrom));
    }
    void OnCustom(NMHDR* pNMHDR, LRESULT* pResult)
    {
        m_notified.push_back(int(pNMHDR->code));
        *pResult = 9;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CParent, CWnd)
ON_CONTROL_RANGE(BN_CLICKED, kIdReflecting, kIdPlain, &CParent::OnChildClicked)
ON_NOTIFY(kNotifyCustom, kIdPlain, &CParent::OnCustom)
ON_NOTIFY_RANGE(kNotifyRange, kIdReflecting, kIdPlain, &CParent::OnRangeNotify)
END_MESSAGE_MAP()

TEST(Reflection, ChildNotificationsGoBackToTheControlsOwnMap)
{
    CParent parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    CReflectingButton reflecting;
    CButton plain;
    ASSERT_TRUE(reflecting.Create("r", WS_CHILD | BS_OWNERDRAW, RECT{0, 0, 50, 20}, &parent,
                                  kIdReflecting));
    ASSERT_TRUE(plain.Create("p", WS_CHILD, RECT{0, 30, 50, 50}, &parent, kIdPlain));

    // BN_CLICKED: the reflecting control takes its own, the parent gets the other one.
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(kIdReflecting, BN_CLICKED),
                       LPARAM(reflecting.m_hWnd));
    parent.SendMessage(WM_COMMAND, MAKEWPARAM(kIdPlain, BN_CLICKED), LPARAM(plain.m_hWnd));
    EXPECT_EQ(reflecting.m_clicks, 1);
    EXPECT_EQ(parent.m_clicked, std::vector<UINT>{kIdPlain});

    // WM_NOTIFY with negative codes, reflected and not.
    NMHDR hdr = {reflecting.m_hWnd, kIdReflecting, UINT(NM_CLICK)};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, kIdReflecting, LPARAM(&hdr)), 5);
    EXPECT_EQ(reflecting.m_notifies, 1);
    NMHDR custom = {plain.m_hWnd, kIdPlain, UINT(kNotifyCustom)};
    EXPECT_EQ(parent.SendMessage(WM_NOTIFY, kIdPlain, LPARAM(&custom)), 9);
    EXPECT_EQ(parent.m_notified, std::vector<int>{kNotifyCustom});
    // A range entry hears each control of its range, with the control's id.
    for (UINT nID : {kIdPlain, kIdReflecting}) {
        NMHDR ranged = {plain.m_hWnd, nID, UINT(kNotifyRange)};
        parent.SendMessage(WM_NOTIFY, nID, LPARAM(&ranged));
    }
    EXPECT_EQ(parent.m_rangeNotified,
              (std::vector<UINT>{kIdPlain, kIdPlain, kIdReflecting, kIdReflecting}));

    // An owner-drawn button draws itself through its virtual DrawItem.
    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_BUTTON;
    dis.CtlID = kIdReflecting;
    dis.hwndItem = reflecting.m_hWnd;
    parent.SendMessage(WM_DRAWITEM, kIdReflecting, LPARAM(&dis));
    EXPECT_EQ(reflecting.m_draws, 1);
}

// A static that colours itself and a scroll bar that scrolls itself, as reflected messages.
class CColouredStatic : public CStatic {
public:
    CBrush m_brush{RGB(10, 20, 30)};
    UINT m_ctlColor = 99;

protected:
    HBRUSH CtlColor(CDC*, UINT nCtlColor)
    {
        m_ctlColor = nCtlColor;
        return m_brush;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CColouredStatic, CStatic)
ON_WM_CTLCOLOR_REFLECT()
END_MESSAGE_MAP()

class CSelfScrollBar : public CScrollBar {
public:
    UINT m_code = 99;
    UINT m_pos = 0;

protected:
    void HScroll(UINT nSBCode, UINT nPos)
    {
        m_code = nSBCode;
        m_pos = nPos;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSelfScrollBar, CScrollBar)
ON_WM_HSCROLL_REFLECT()
END_MESSAGE_MAP()

TEST(Reflection, ColourAndScrollMessagesReachTheControl)
{
    CParent parent;
    ASSERT_TRUE(CreateTopLevel(parent));
    CColouredStatic label;
    CSelfScrollBar bar;
    ASSERT_TRUE(label.Create("label", WS_CHILD, RECT{0, 0, 50, 20}, &parent, 201));
    ASSERT_TRUE(bar.Create(WS_CHILD | SBS_HORZ, RECT{0, 30, 80, 45}, &parent, 202));

    CClientDC dc(&parent);
    const LRESULT brush = parent.SendMessage(WM_CTLCOLORSTATIC, reinterpret_cast<WPARAM>(dc.m_hDC),
                                             reinterpret_cast<LPARAM>(label.m_hWnd));
    EXPECT_EQ(reinterpret_cast<HBRUSH>(brush), HBRUSH(label.m_brush));
    EXPECT_EQ(label.m_ctlColor, UINT(CTLCOLOR_STATIC));

    parent.SendMessage(WM_HSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 42),
                       reinterpret_cast<LPARAM>(bar.m_hWnd));
    EXPECT_EQ(bar.m_code, UINT(SB_THUMBPOSITION));
    EXPECT_EQ(bar.m_pos, 42u);
}

// ---- subclassing ----------------------------------------------------------------------------

class CSpyEdit : public CEdit {
public:
    int m_pings = 0;

protected:
    LRESULT OnPing(WPARAM, LPARAM)
    {
        ++m_pings;
        return 77;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CSpyEdit, CEdit)
ON_MESSAGE(kMsgBase, &CSpyEdit::OnPing)
END_MESSAGE_MAP()

TEST(Subclassing, UnsubclassRestoresTheExactPreviousProcedure)
{
    HWND hEdit = ::CreateWindowExA(0, "EDIT", "", WS_POPUP, 0, 0, 100, 20, nullptr, nullptr,
                                   nullptr, nullptr);
    ASSERT_NE(hEdit, nullptr);
    const LONG_PTR before = ::GetWindowLongPtrA(hEdit, GWLP_WNDPROC);

    CSpyEdit spy;
    ASSERT_TRUE(spy.SubclassWindow(hEdit));
    EXPECT_NE(::GetWindowLongPtrA(hEdit, GWLP_WNDPROC), before);
    EXPECT_EQ(::SendMessageA(hEdit, kMsgBase, 0, 0), 77);
    ::SetWindowTextA(hEdit, "through");
    char buffer[16] = {};
    ::GetWindowTextA(hEdit, buffer, sizeof buffer);
    EXPECT_STREQ(buffer, "through") << "unmapped messages reach the control's own procedure";
    {
        AssertRecorder asserts;
        EXPECT_FALSE(spy.SubclassWindow(hEdit)) << "a window is subclassed by one object at a time";
        EXPECT_EQ(asserts.failures.size(), 2u) << "this object holds a window and it has an owner";
    }

    EXPECT_EQ(spy.UnsubclassWindow(), hEdit);
    EXPECT_EQ(::GetWindowLongPtrA(hEdit, GWLP_WNDPROC), before);
    EXPECT_EQ(CWnd::FromHandlePermanent(hEdit), nullptr);
    EXPECT_EQ(::SendMessageA(hEdit, kMsgBase, 0, 0), 0);
    EXPECT_EQ(spy.m_pings, 1);
    ::DestroyWindow(hEdit);
}

// ---- lifetime -------------------------------------------------------------------------------

int g_postNcDestroy = 0;
int g_destructed = 0;

class CSelfDeleting : public CWnd {
public:
    explicit CSelfDeleting(bool failCreate = false, bool skipBaseNcDestroy = false,
                           const char* className = nullptr)
        : m_failCreate(failCreate), m_skipBaseNcDestroy(skipBaseNcDestroy), m_className(className)
    {
    }
    BOOL CreateTopLevel() { return CreateEx(0, m_className, "test", WS_POPUP, kRect, nullptr, 0); }
    ~CSelfDeleting() override { ++g_destructed; }

protected:
    void PostNcDestroy() override
    {
        ++g_postNcDestroy;
        delete this;
    }
    int OnCreate(LPCREATESTRUCT lpcs) { return m_failCreate ? -1 : CWnd::OnCreate(lpcs); }
    void OnNcDestroy()
    {
        if (!m_skipBaseNcDestroy)
            CWnd::OnNcDestroy();
    }
    DECLARE_MESSAGE_MAP()

private:
    bool m_failCreate;
    bool m_skipBaseNcDestroy;
    const char* m_className;
};

BEGIN_MESSAGE_MAP(CSelfDeleting, CWnd)
ON_WM_CREATE()
ON_WM_NCDESTROY()
END_MESSAGE_MAP()

TEST(Lifetime, SelfDeletingWindowIsDeletedOnce)
{
    struct Case {
        const char* name;
        bool failCreate;
        bool skipBase;
        const char* className;
    };
    const Case cases[] = {
        {"destroyed window", false, false, nullptr},
        {"handler skipping the base OnNcDestroy", false, true, nullptr},
        {"creation refused in OnCreate", true, false, nullptr},
        {"unknown window class", true, false, "NoSuchClassAnywhere"},
    };
    for (const Case& c : cases) {
        g_postNcDestroy = g_destructed = 0;
        auto* wnd = new CSelfDeleting(c.failCreate, c.skipBase, c.className);
        const BOOL created = wnd->CreateTopLevel();
        EXPECT_EQ(created, !c.failCreate) << c.name;
        if (created) {
            HWND hWnd = wnd->m_hWnd;
            ::DestroyWindow(hWnd);
            EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr) << c.name;
        }
        EXPECT_EQ(g_postNcDestroy, 1) << c.name;
        EXPECT_EQ(g_destructed, 1) << c.name;
    }
}

TEST(Lifetime, DestroyingTheObjectDestroysItsWindow)
{
    HWND hWnd = nullptr;
    {
        CLevel1 wnd;
        ASSERT_TRUE(CreateTopLevel(wnd));
        hWnd = wnd.m_hWnd;
    }
    EXPECT_FALSE(::IsWindow(hWnd));
    EXPECT_EQ(CWnd::FromHandlePermanent(hWnd), nullptr);
}

} // namespace
