// The application's message loop: idle processing with a rising count, command-state updates at
// idle time, and pre-translation from the target window up to the main window.
#include "framework/core/Exceptions.h"
#include "framework/win/CWinApp.h"
#include "framework/win/DataExchange.h"
#include "framework/win/MessageCrackers.h"
#include "tests/support/ScriptedModalHook.h"

#include <gtest/gtest.h>

#include <new>
#include <stdexcept>
#include <string>
#include <vector>

namespace {

constexpr UINT kMsgProbe = WM_APP + 20;

std::vector<std::string> g_preTranslated;

class CRecordingWnd : public CWnd {
public:
    explicit CRecordingWnd(const char* name) : m_name(name) {}
    std::string m_name;
    bool m_takes = false; // PreTranslateMessage answers TRUE for the probe
    int m_probes = 0;
    int m_idleUpdates = 0;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (pMsg->message != kMsgProbe)
            return FALSE;
        g_preTranslated.push_back(m_name);
        return m_takes;
    }

protected:
    LRESULT OnProbe(WPARAM, LPARAM)
    {
        ++m_probes;
        return 0;
    }
    LRESULT OnIdleUpdateCmdUI(WPARAM, LPARAM)
    {
        ++m_idleUpdates;
        return 0;
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CRecordingWnd, CWnd)
ON_MESSAGE(kMsgProbe, &CRecordingWnd::OnProbe)
ON_MESSAGE(WM_IDLEUPDATECMDUI, &CRecordingWnd::OnIdleUpdateCmdUI)
END_MESSAGE_MAP()

// Posts the probe when the first idle period ends and quits when the second one ends.
class CLoopApp : public CWinApp {
public:
    CLoopApp() : CWinApp("Zivra Loop Test") {}
    std::vector<LONG> m_idleCounts;
    HWND m_hWndProbe = nullptr;

    BOOL OnIdle(LONG lCount) override
    {
        m_idleCounts.push_back(lCount);
        const BOOL more = CWinApp::OnIdle(lCount);
        if (!more) {
            if (!m_posted)
                ::PostMessageA(m_hWndProbe, kMsgProbe, 0, 0);
            else
                ::PostQuitMessage(3);
            m_posted = true;
        }
        return more;
    }

private:
    bool m_posted = false;
};

TEST(MessageLoop, IdleCountRisesAndPreTranslationWalksUpToTheMainWindow)
{
    struct Case {
        const char* taker; // the window whose PreTranslateMessage takes the probe, or ""
        std::vector<std::string> walked;
        int dispatched;
    };
    const Case cases[] = {
        {"", {"button", "panel", "main"}, 1},
        {"panel", {"button", "panel"}, 0},
        {"button", {"button"}, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.taker);
        CRecordingWnd main("main"), panel("panel"), button("button");
        ASSERT_TRUE(main.CreateEx(0, nullptr, "main", WS_POPUP, RECT{0, 0, 200, 200}, nullptr, 0));
        ASSERT_TRUE(panel.Create(nullptr, "panel", WS_VISIBLE, RECT{0, 0, 100, 100}, &main, 1));
        ASSERT_TRUE(button.Create(nullptr, "button", WS_VISIBLE, RECT{0, 0, 50, 50}, &panel, 2));
        main.ShowWindow(SW_SHOWNA);
        for (CRecordingWnd* p : {&main, &panel, &button})
            p->m_takes = p->m_name == c.taker;

        CLoopApp app;
        app.m_pMainWnd = &main;
        app.m_hWndProbe = button.m_hWnd;
        g_preTranslated.clear();
        EXPECT_EQ(app.Run(), 3) << "Run ends with the WM_QUIT code";
        EXPECT_EQ(app.m_idleCounts, (std::vector<LONG>{0, 1, 0, 1}));
        EXPECT_EQ(g_preTranslated, c.walked);
        EXPECT_EQ(button.m_probes, c.dispatched);
        // Count 0 updates the command states of the main window and its descendants.
        EXPECT_EQ(main.m_idleUpdates, 2);
        EXPECT_EQ(button.m_idleUpdates, 2);
        app.m_pMainWnd = nullptr;
    }
}

TEST(MessageLoop, DestroyingTheMainWindowEndsTheProgram)
{
    CLoopApp app;
    auto* pMain = new CRecordingWnd("main");
    ASSERT_TRUE(pMain->CreateEx(0, nullptr, "main", WS_POPUP, RECT{0, 0, 50, 50}, nullptr, 0));
    app.m_pMainWnd = pMain;
    pMain->DestroyWindow();
    EXPECT_EQ(app.m_pMainWnd, nullptr);
    delete pMain;
    MSG msg;
    bool quit = false;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        quit = quit || msg.message == WM_QUIT;
    EXPECT_TRUE(quit) << "WM_QUIT posted when the main window goes";
}

// ---- exception barrier ----------------------------------------------------------------------

constexpr UINT kMsgThrow = WM_APP + 21; // wParam: which exception the handler throws

class CThrowingWnd : public CWnd {
public:
    int m_handled = 0;
    bool m_throwInPreTranslate = false;

    BOOL PreTranslateMessage(MSG* pMsg) override
    {
        if (m_throwInPreTranslate && pMsg->message == kMsgProbe)
            throw std::runtime_error("pre-translation");
        return FALSE;
    }

protected:
    LRESULT OnThrow(WPARAM wParam, LPARAM)
    {
        ++m_handled;
        switch (wParam) {
        case 0:
            throw std::bad_alloc();
        case 1:
            throw std::out_of_range("row 7");
        case 2:
            throw CFileException(CFileException::diskFull, -1, "a.zvp");
        case 3:
            throw CUserException();
        default:
            throw 42;
        }
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CThrowingWnd, CWnd)
ON_MESSAGE(kMsgThrow, &CThrowingWnd::OnThrow)
END_MESSAGE_MAP()

// Answers each message box after raising a second failure in the window, as a repaint behind
// the box would.
struct CFailingAgainHook : ScriptedModalHook {
    CWnd* pWnd = nullptr;
    int OnMessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) override
    {
        pWnd->SendMessage(kMsgThrow, 0);
        return ScriptedModalHook::OnMessageBox(lpszText, lpszCaption, nType);
    }
};

TEST(ExceptionBarrier, EveryExceptionStopsAtTheWindowProcedureAndIsReportedOnce)
{
    struct Case {
        WPARAM kind;
        const char* shown; // "" when nothing is shown
    };
    const Case cases[] = {
        {0, "Out of memory."},
        {1, "An unexpected error occurred: row 7"},
        {2, "The disk is full while accessing a.zvp."},
        {3, ""}, // the user was told already, or cancelled
        {4, "An unexpected error occurred."},
    };
    CThrowingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "t", WS_POPUP, RECT{0, 0, 20, 20}, nullptr, 0));
    for (const Case& c : cases) {
        CFailingAgainHook hook;
        hook.pWnd = &wnd;
        const int before = wnd.m_handled;
        EXPECT_EQ(wnd.SendMessage(kMsgThrow, c.kind), 0);
        // The failure raised while the box is up is dropped, not stacked as a second box.
        const auto expected = *c.shown ? std::vector<CString>{c.shown} : std::vector<CString>{};
        EXPECT_EQ(hook.messages, expected) << c.kind;
        EXPECT_EQ(wnd.m_handled - before, *c.shown ? 2 : 1) << c.kind;
    }
    EXPECT_TRUE(::IsWindow(wnd.m_hWnd)) << "the window lives on";
}

TEST(ExceptionBarrier, TheMessageLoopGoesOn)
{
    ScriptedModalHook hook;
    CThrowingWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "t", WS_POPUP, RECT{0, 0, 20, 20}, nullptr, 0));
    wnd.m_throwInPreTranslate = true;
    CWinApp app("Zivra Barrier Test");
    ::PostMessageA(wnd.m_hWnd, kMsgThrow, 1, 0);
    ::PostMessageA(wnd.m_hWnd, kMsgProbe, 0, 0);
    ::PostMessageA(wnd.m_hWnd, kMsgThrow, 0, 0);
    ::PostQuitMessage(5);
    EXPECT_EQ(app.Run(), 5) << "the loop reaches WM_QUIT";
    EXPECT_EQ(wnd.m_handled, 2);
    EXPECT_EQ(hook.messages, (std::vector<CString>{"An unexpected error occurred: row 7",
                                                   "An unexpected error occurred: pre-translation",
                                                   "Out of memory."}));
}

} // namespace
