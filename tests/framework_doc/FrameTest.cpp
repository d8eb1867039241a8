// The frame: command routing through view, document, frame and application, CCmdUI states,
// the status bar panes updated at idle time, the title and the fly-by text.
#include "framework/win/CCmdUI.h"
#include "tests/framework_doc/DocTestApp.h"
#include "tests/framework_doc/DocTestRes.h"

#include <gtest/gtest.h>

#include <cstring>

namespace {

// Records what an update handler asked for.
class CRecordingCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        m_nEnabled = bOn ? 1 : 0;
    }
    void SetCheck(int nCheck) override { m_nChecked = nCheck; }
    int m_nEnabled = -1; // -1: not touched
    int m_nChecked = -1;
};

TEST(FrameRouting, CommandsGoToViewDocumentFrameApplicationInThatOrder)
{
    CTestFrame* pFrame = MainFrame();
    ASSERT_NE(pFrame, nullptr);
    pFrame->SetActiveView(pFrame->TextView());
    struct Case {
        UINT nID;
        const char* handler; // "" when nobody handles it
    };
    const Case cases[] = {
        {ID_TEST_ALL, "view"},
        {ID_TEST_DOC_FRAME_APP, "document"},
        {ID_TEST_FRAME_APP, "frame"},
        {ID_TEST_APP_ONLY, "application"},
        {ID_TEST_NOBODY, ""},
        {ID_TEST_DISABLED, ""}, // the frame handles it, but the document's update disables it
    };
    for (const Case& c : cases) {
        RouteLog().clear();
        pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(c.nID, 0), 0);
        if (*c.handler) {
            ASSERT_EQ(RouteLog().size(), 1u) << c.nID;
            EXPECT_EQ(RouteLog()[0], c.handler) << c.nID;
        } else {
            EXPECT_TRUE(RouteLog().empty()) << c.nID;
        }
    }
}

TEST(FrameRouting, TheActiveViewDecidesWhichViewGetsTheCommand)
{
    CTestFrame* pFrame = MainFrame();
    pFrame->SetActiveView(pFrame->DrawView());
    RouteLog().clear();
    pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_ALL, 0), 0);
    pFrame->SetActiveView(pFrame->TextView());
    pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_TEST_ALL, 0), 0);
    ASSERT_EQ(RouteLog().size(), 2u);
    EXPECT_EQ(RouteLog()[0], "second view");
    EXPECT_EQ(RouteLog()[1], "view");
    EXPECT_EQ(pFrame->GetActiveDocument(), MainDoc());
}

TEST(FrameRouting, UpdateAllViewsSkipsOnlyTheSender)
{
    CTestFrame* pFrame = MainFrame();
    CTestDrawView* pDrawView = pFrame->DrawView();
    int nBefore = pDrawView->m_nUpdates;
    MainDoc()->UpdateAllViews(pFrame->TextView());
    EXPECT_EQ(pDrawView->m_nUpdates, nBefore + 1);
    MainDoc()->UpdateAllViews(pDrawView);
    EXPECT_EQ(pDrawView->m_nUpdates, nBefore + 1);
}

TEST(FrameRouting, UpdateHandlersAlongTheRouteSetTheCommandState)
{
    CTestFrame* pFrame = MainFrame();
    pFrame->SetActiveView(pFrame->TextView());
    struct Case {
        UINT nID;
        int nEnabled; // after DoUpdate with "disable if no handler"
        int nChecked;
    };
    const Case cases[] = {
        {ID_TEST_ALL, 1, 1},           // the view's update handler checks it, its handler enables
        {ID_TEST_DOC_FRAME_APP, 1, 0}, // the document's update handler (before the frame's)
        {ID_TEST_FRAME_APP, 1, -1},    // no update handler, the frame handles it: enabled
        {ID_TEST_APP_ONLY, 1, 1},      // the application's checks it
        {ID_TEST_NOBODY, 0, -1},       // nobody handles it: disabled
        {ID_TEST_DISABLED, 0, -1},     // the document's update handler disables it
    };
    for (const Case& c : cases) {
        CRecordingCmdUI state;
        state.m_nID = c.nID;
        state.DoUpdate(pFrame, TRUE);
        EXPECT_EQ(state.m_nEnabled, c.nEnabled) << c.nID;
        EXPECT_EQ(state.m_nChecked, c.nChecked) << c.nID;
    }
}

TEST(StatusBar, IndicatorsComeFromTheStringTable)
{
    CloseMainFrame(); // a new frame, with the texts of its resources
    CTestFrame* pFrame = MainFrame();
    CStatusBar& bar = pFrame->m_wndStatusBar;
    ASSERT_EQ(bar.GetCount(), 4);
    EXPECT_EQ(bar.CommandToIndex(ID_SEPARATOR), 0);
    EXPECT_EQ(bar.CommandToIndex(IDS_INDICATOR_BASE), 2);
    EXPECT_EQ(bar.CommandToIndex(12345), -1);
    EXPECT_STREQ(bar.GetPaneText(2), " DEC ");
    // Panes are laid out left to right, the message pane stretching over what is left.
    CRect rects[4];
    for (int i = 0; i < 4; i++)
        bar.GetItemRect(i, &rects[i]);
    for (int i = 1; i < 4; i++) {
        EXPECT_GE(rects[i].left, rects[i - 1].right - 1) << "pane " << i;
        EXPECT_GT(rects[i].Width(), 0) << "pane " << i;
    }
    CRect rectBar;
    bar.GetClientRect(&rectBar);
    EXPECT_GT(rects[0].Width(), rectBar.Width() / 3);
}

TEST(StatusBar, IdleUpdateSetsPanesWithHandlersAndKeepsTheOthers)
{
    CTestFrame* pFrame = MainFrame();
    CStatusBar& bar = pFrame->m_wndStatusBar;
    MainDoc()->m_strAngle = "RAD";
    bar.SetPaneText(2, "HEX"); // no update handler: the text must stay
    theTestApp.OnIdle(0);
    EXPECT_STREQ(bar.GetPaneText(1), "RAD");
    EXPECT_STREQ(bar.GetPaneText(2), "HEX");
    // What the control shows, not only what the bar remembers.
    char szText[64] = {};
    bar.SendMessage(SB_GETTEXTA, 1, LPARAM(szText));
    EXPECT_STREQ(szText, "RAD");
}

TEST(StatusBar, PaneWidthCanBeSetKeepingIdAndStyle)
{
    CStatusBar& bar = MainFrame()->m_wndStatusBar;
    UINT nID = 0, nStyle = 0;
    int cxWidth = 0;
    bar.GetPaneInfo(1, nID, nStyle, cxWidth);
    bar.SetPaneInfo(1, nID, nStyle, 120);
    CRect rect;
    bar.GetItemRect(1, &rect);
    EXPECT_GE(rect.Width(), 120);
    UINT nID2 = 0, nStyle2 = 0;
    int cxWidth2 = 0;
    bar.GetPaneInfo(1, nID2, nStyle2, cxWidth2);
    EXPECT_EQ(nID2, nID);
    EXPECT_EQ(nStyle2, nStyle);
    EXPECT_EQ(cxWidth2, 120);
    bar.SetPaneInfo(1, nID, nStyle, cxWidth);
}

TEST(FrameText, MessagePaneShowsMenuPromptsAndReadyAfterwards)
{
    CTestFrame* pFrame = MainFrame();
    CStatusBar& bar = pFrame->m_wndStatusBar;
    pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(ID_FILE_NEW, MF_STRING),
                        LPARAM(::GetMenu(pFrame->m_hWnd)));
    EXPECT_STREQ(bar.GetPaneText(0), "Create a new document"); // the prompt without its tool tip
    pFrame->SendMessage(WM_MENUSELECT, MAKEWPARAM(0, 0xFFFF), 0);
    EXPECT_STREQ(bar.GetPaneText(0), "Ready");
    pFrame->SetMessageText("Working");
    EXPECT_STREQ(bar.GetPaneText(0), "Working");
}

TEST(FrameText, TitleIsDocumentThenApplication)
{
    CTestFrame* pFrame = MainFrame();
    MainDoc()->SetTitle("curves.tdc");
    CString strTitle;
    pFrame->GetWindowText(strTitle);
    EXPECT_STREQ(strTitle, "curves.tdc - Doc Test");
}

TEST(FrameLayout, StatusBarAtTheBottomAndTheSplitterAboveIt)
{
    CTestFrame* pFrame = MainFrame();
    pFrame->SetWindowPos(nullptr, 0, 0, 640, 480, SWP_NOZORDER | SWP_NOACTIVATE);
    CRect rectClient, rectBar, rectSplitter;
    pFrame->GetClientRect(&rectClient);
    pFrame->m_wndStatusBar.GetWindowRect(&rectBar);
    pFrame->ScreenToClient(&rectBar);
    pFrame->m_wndSplitter.GetWindowRect(&rectSplitter);
    pFrame->ScreenToClient(&rectSplitter);
    EXPECT_EQ(rectBar.bottom, rectClient.bottom);
    EXPECT_EQ(rectBar.Width(), rectClient.Width());
    EXPECT_EQ(rectSplitter.top, rectClient.top);
    EXPECT_EQ(rectSplitter.bottom, rectBar.top);
    EXPECT_EQ(rectSplitter.Width(), rectClient.Width());
}

TEST(FrameClose, ClosingAsksToSaveAndCancelKeepsTheFrame)
{
    struct Case {
        int nAnswer;
        bool bClosed;
    };
    const Case cases[] = {
        {IDCANCEL, false},
        {IDNO, true},
    };
    for (const Case& c : cases) {
        ScopedHook hook;
        hook.hook.m_nAnswer = c.nAnswer;
        CTestFrame* pFrame = MainFrame();
        MainDoc()->SetModifiedFlag();
        pFrame->SendMessage(WM_CLOSE);
        PumpMessages();
        EXPECT_EQ(hook.hook.m_texts.size(), 1u) << c.nAnswer;
        EXPECT_EQ(theTestApp.m_pMainWnd == nullptr, c.bClosed) << c.nAnswer;
        if (!c.bClosed)
            MainDoc()->SetModifiedFlag(FALSE);
    }
}

TEST(FramePlacement, PlacementRoundTripsThroughTheRegistryAndOtherSizesAreRefused)
{
    CTestFrame* pFrame = MainFrame();
    pFrame->SetWindowPos(nullptr, 30, 40, 500, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    ASSERT_TRUE(pFrame->WriteWindowPlacement("Layout", "MainFrame"));
    WINDOWPLACEMENT wp{};
    ASSERT_TRUE(CFrameWnd::ReadWindowPlacement("Layout", "MainFrame", wp));
    EXPECT_EQ(wp.length, 44u); // the record the program stores: 44 bytes
    EXPECT_EQ(CRect(wp.rcNormalPosition), CRect(30, 40, 530, 340));

    struct Case {
        UINT nBytes;
        bool bAccepted;
    };
    const Case cases[] = {{4, false}, {43, false}, {45, false}, {44, true}};
    for (const Case& c : cases) {
        BYTE bytes[64] = {};
        std::memcpy(bytes, &wp, sizeof(wp));
        theTestApp.WriteProfileBinary("Layout", "Odd", bytes, c.nBytes);
        WINDOWPLACEMENT read{};
        EXPECT_EQ(CFrameWnd::ReadWindowPlacement("Layout", "Odd", read) != FALSE, c.bAccepted)
            << c.nBytes;
    }
    WINDOWPLACEMENT none{};
    EXPECT_FALSE(CFrameWnd::ReadWindowPlacement("Layout", "Missing", none));
}

TEST(FramePlacement, TheMainFrameFirstShowsWithTheApplicationsShowCommand)
{
    CloseMainFrame();
    int nCmdShow = theTestApp.m_nCmdShow;
    theTestApp.m_nCmdShow = SW_SHOWMAXIMIZED;
    CTestFrame* pFrame = MainFrame();
    theTestApp.m_nCmdShow = nCmdShow;
    ASSERT_NE(pFrame, nullptr);
    EXPECT_TRUE(pFrame->IsZoomed());
    CloseMainFrame();
}

} // namespace
