// The application's message loop: idle processing with a rising count, command-state updates at
// idle time, and pre-translation from the target window up to the main window.
#include "framework/win/CWinApp.h"
#include "framework/win/MessageCrackers.h"

#include <gtest/gtest.h>

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

} // namespace
