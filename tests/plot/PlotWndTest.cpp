// The plot windows on their own, under a parent that records what they report: pointer
// read-out and hover, selection with the mouse, context-menu points, the failed-graph relay, the
// back buffer across resizes and at no size, and copies to the clipboard.
#include "plot/PlotWnd.h"
#include "plot/Plot2D.h"
#include "tests/plot/PlotTestSupport.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/ScriptedModalHook.h"

#include <cstddef>
#include <vector>

namespace {

class CRecordingParent : public CWnd {
public:
    std::vector<PlotNotifyInfo> notes;
    std::vector<std::pair<WPARAM, LPARAM>> failed;

    std::vector<int> Codes() const
    {
        std::vector<int> codes;
        for (const PlotNotifyInfo& n : notes)
            codes.push_back(int(n.hdr.code));
        return codes;
    }

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT*) override
    {
        notes.push_back(*reinterpret_cast<const PlotNotifyInfo*>(lParam));
        return TRUE;
    }
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_PLOT_ITEMFAILED)
            failed.emplace_back(wParam, lParam);
        return CWnd::WindowProc(message, wParam, lParam);
    }
};

constexpr int kLeft = 40, kTop = 40, kSize = 200;
constexpr UINT kId = 116;

class PlotWndTest : public PlotTest {
protected:
    void SetUp() override
    {
        PlotTest::SetUp();
        m_plot.m_pEngine = &m_engine;
        m_plot.SetPlotAreaPercent(100);
        m_plot.SetRanges(-10, 10, -10, 10);
        m_plot.AddFunction("x", "", GraphRectangular, -10, 10);
        ASSERT_TRUE(m_parent.CreateEx(WS_EX_TOPMOST, AfxRegisterWndClass(0), "plots",
                                      WS_POPUP | WS_VISIBLE, kLeft, kTop, kSize, kSize, nullptr,
                                      nullptr));
        ASSERT_TRUE(
            m_wnd.Create("", WS_CHILD | WS_VISIBLE, CRect(0, 0, kSize, kSize), &m_parent, kId));
        m_wnd.SetPlot(&m_plot); // 10 pixels per unit, origin at (100, 100)
        m_wnd.Refresh(TRUE);
        AfxPumpPendingMessages();
    }
    void TearDown() override
    {
        m_parent.DestroyWindow();
        PlotTest::TearDown();
    }
    CDibImage Picture() { return AfxPrintClientToDib(&m_wnd); }
    void MouseMove(int x, int y)
    {
        ::SetCursorPos(kLeft + x, kTop + y);
        m_wnd.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(x, y));
    }
    // Pumps until the parent has heard code, for at most half a second (the hover timer).
    BOOL WaitFor(int code)
    {
        for (int i = 0; i < 100; ++i) {
            AfxPumpPendingMessages();
            for (const PlotNotifyInfo& n : m_parent.notes)
                if (int(n.hdr.code) == code)
                    return TRUE;
            ::MsgWaitForMultipleObjects(0, nullptr, FALSE, 5, QS_ALLINPUT);
        }
        return FALSE;
    }

    CPlot2D m_plot;
    CRecordingParent m_parent;
    CPlot2DWnd m_wnd;
};

TEST_F(PlotWndTest, PointerMovesReportPlotUnitsAndLeavingEndsTheReadOut)
{
    MouseMove(150, 60);
    ASSERT_EQ(m_parent.notes.size(), 1u);
    const PlotNotifyInfo& move = m_parent.notes[0];
    EXPECT_EQ(int(move.hdr.code), PLOTN_POINTERMOVE);
    EXPECT_EQ(move.hdr.idFrom, kId);
    EXPECT_DOUBLE_EQ(move.x, 5.0);
    EXPECT_DOUBLE_EQ(move.y, 4.0);
    EXPECT_TRUE(m_wnd.m_bHover);

    ::SetCursorPos(kLeft + kSize + 50, kTop + kSize + 50);
    ASSERT_TRUE(WaitFor(PLOTN_POINTERLEFT));
    EXPECT_EQ(m_parent.notes.back().item, -1) << "from the hover check";
    EXPECT_FALSE(m_wnd.m_bHover);
    m_wnd.SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(m_parent.notes.back().item, 0);
}

TEST_F(PlotWndTest, ClicksSelectAndMarkOnlyInAnInteractiveWindow)
{
    const CDibImage plain = Picture();
    // On the graph y = x at (3, 3): selected, marked in the buffer, the parent told.
    m_wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(130, 70));
    EXPECT_EQ(m_wnd.m_nSelected, 0);
    ASSERT_FALSE(m_parent.notes.empty());
    EXPECT_EQ(int(m_parent.notes.back().hdr.code), PLOTN_SELECTED);
    EXPECT_EQ(m_parent.notes.back().item, 0);
    EXPECT_FALSE(Picture().pixels == plain.pixels) << "the marks show";
    // Clicking it again changes nothing; clicking empty space takes the marks away.
    const std::size_t heard = m_parent.notes.size();
    m_wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(130, 70));
    EXPECT_EQ(m_parent.notes.size(), heard);
    m_wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(40, 60));
    EXPECT_EQ(m_wnd.m_nSelected, kNoSelection);
    EXPECT_TRUE(Picture().pixels == plain.pixels);

    // The data and preview windows never select.
    m_wnd.m_bInteractive = FALSE;
    m_parent.notes.clear();
    m_wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(130, 70));
    m_wnd.SelectItem(0);
    EXPECT_EQ(m_wnd.m_nSelected, kNoSelection);
    EXPECT_TRUE(m_parent.notes.empty());
}

TEST_F(PlotWndTest, ContextMenusCarryTheGraphAndTheScreenPoint)
{
    struct Case {
        POINT screen;   // as WM_CONTEXTMENU carries it
        int selected;   // the graph selected before, kNoSelection for none
        int item;       // expected graph (-3: empty space far from both axes)
        POINT expected; // the point the parent hears
        std::size_t notes;
    };
    const POINT centre = {kLeft + 100, kTop + 100}; // where y = x passes
    const Case cases[] = {
        // A graph under the pointer is selected first.
        {{kLeft + 130, kTop + 70}, kNoSelection, 0, {kLeft + 130, kTop + 70}, 2},
        {{kLeft + 40, kTop + 60}, kNoSelection, -3, {kLeft + 40, kTop + 60}, 1},
        // The keyboard's, at the window's centre: the selected graph's, whatever lies there.
        {{-1, -1}, kNoSelection, -1, centre, 1},
        {{-1, -1}, 0, 0, centre, 1},
    };
    for (const Case& c : cases) {
        m_wnd.ClearSelection(FALSE);
        if (c.selected != kNoSelection)
            m_wnd.SelectItem(c.selected);
        m_parent.notes.clear();
        m_wnd.SendMessage(WM_CONTEXTMENU, WPARAM(m_wnd.m_hWnd), MAKELPARAM(c.screen.x, c.screen.y));
        ASSERT_FALSE(m_parent.notes.empty());
        const PlotNotifyInfo& n = m_parent.notes.back();
        EXPECT_EQ(int(n.hdr.code), PLOTN_CONTEXTMENU);
        EXPECT_EQ(n.item, c.item) << c.screen.x << " with " << c.selected;
        EXPECT_EQ(int(n.x), c.expected.x);
        EXPECT_EQ(int(n.y), c.expected.y);
        EXPECT_EQ(m_parent.Codes().size(), c.notes) << c.screen.x << " with " << c.selected;
    }
}

TEST_F(PlotWndTest, AFailedGraphIsRelayedWithTheWindowsId)
{
    m_plot.AddFunction("sin(", "", GraphRectangular, -10, 10);
    m_wnd.Refresh(TRUE);
    AfxPumpPendingMessages();
    ASSERT_EQ(m_parent.failed.size(), 1u);
    EXPECT_EQ(m_parent.failed[0].first, WPARAM(kId));
    EXPECT_EQ(m_parent.failed[0].second, LPARAM(1));
}

TEST_F(PlotWndTest, ResizesReplaceTheBufferAndNoSizeKeepsNone)
{
    for (int i = 0; i < 100; ++i) {
        HBITMAP hOld = m_wnd.GetBackBuffer();
        m_wnd.MoveWindow(0, 0, 100 + i, 150 - i);
        HBITMAP hNew = m_wnd.GetBackBuffer();
        ASSERT_NE(hNew, hOld);
        // The old buffer is gone, not left selected or leaked.
        ASSERT_EQ(::GetObjectType(hOld), 0u) << i;
        ASSERT_EQ(::GetCurrentObject(m_wnd.GetMemoryDC().m_hDC, OBJ_BITMAP), hNew);
    }
    EXPECT_EQ(m_plot.m_rectWindow, CRect(0, 0, 199, 51));

    // No size: no buffer, a painted background, no read-out, nothing selected.
    HBITMAP hLast = m_wnd.GetBackBuffer();
    m_wnd.MoveWindow(0, 0, 0, 0);
    EXPECT_EQ(m_wnd.GetBackBuffer(), nullptr);
    EXPECT_EQ(::GetObjectType(hLast), 0u);
    m_parent.notes.clear();
    m_wnd.SendMessage(WM_MOUSEMOVE, 0, MAKELPARAM(0, 0));
    m_wnd.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(0, 0));
    EXPECT_TRUE(m_parent.notes.empty());
    const CDibImage none = AfxDrawToDib(
        4, 4, [&](CDC& dc) { m_wnd.SendMessage(WM_PRINTCLIENT, WPARAM(dc.m_hDC), PRF_CLIENT); });
    EXPECT_EQ(none.width, 4);
    m_wnd.MoveWindow(0, 0, kSize, kSize);
    EXPECT_NE(m_wnd.GetBackBuffer(), nullptr);
    MouseMove(100, 100);
    EXPECT_EQ(m_parent.Codes(), std::vector<int>{PLOTN_POINTERMOVE});
}

// Reads the clipboard's formats and owner.
struct ClipboardState {
    HWND hOwner = nullptr;
    BOOL bMetafile = FALSE, bBitmap = FALSE;
    std::string description;
    CSize frame, bitmap;
};

ClipboardState ReadClipboard()
{
    ClipboardState s;
    s.hOwner = ::GetClipboardOwner();
    if (!::OpenClipboard(nullptr))
        return s;
    if (auto hMeta = static_cast<HENHMETAFILE>(::GetClipboardData(CF_ENHMETAFILE))) {
        s.bMetafile = TRUE;
        char text[64] = {};
        ::GetEnhMetaFileDescriptionA(hMeta, sizeof text, text);
        s.description = text;
        ENHMETAHEADER header = {};
        ::GetEnhMetaFileHeader(hMeta, sizeof header, &header);
        s.frame = CSize(header.rclFrame.right - header.rclFrame.left,
                        header.rclFrame.bottom - header.rclFrame.top);
    } else if (auto hBitmap = static_cast<HBITMAP>(::GetClipboardData(CF_BITMAP))) {
        s.bBitmap = TRUE;
        BITMAP bm = {};
        ::GetObjectA(hBitmap, sizeof bm, &bm);
        s.bitmap = CSize(bm.bmWidth, bm.bmHeight);
    }
    ::CloseClipboard();
    return s;
}

TEST_F(PlotWndTest, CopiesPutTheRenderOnTheClipboardUnderTheWindow)
{
    ScriptedModalHook hook;
    ASSERT_TRUE(m_wnd.CopyToClipboard(0, 640, 480));
    ClipboardState s = ReadClipboard();
    EXPECT_EQ(s.hOwner, m_wnd.m_hWnd);
    EXPECT_TRUE(s.bMetafile);
    EXPECT_EQ(s.description, "the_name");
    // The frame is in hundredths of a millimetre: 640 x 480 screen pixels, in proportion.
    EXPECT_NEAR(double(s.frame.cx) / s.frame.cy, 640.0 / 480.0, 0.02);

    ASSERT_TRUE(m_wnd.CopyAsBitmap());
    s = ReadClipboard();
    EXPECT_TRUE(s.bBitmap);
    EXPECT_EQ(s.bitmap, CSize(kSize, kSize)) << "the window's size";
    ASSERT_TRUE(m_wnd.CopyToClipboard(1, 321, 123));
    EXPECT_EQ(ReadClipboard().bitmap, CSize(321, 123));
    EXPECT_EQ(m_plot.m_rectWindow, CRect(0, 0, kSize, kSize)) << "the layout is put back";
    EXPECT_TRUE(hook.messages.empty());

    // Someone else holds the clipboard: the user is told and nothing is left behind.
    ASSERT_TRUE(::OpenClipboard(m_parent.m_hWnd));
    EXPECT_FALSE(m_wnd.CopyToClipboard(1, 50, 50));
    ::CloseClipboard();
    ASSERT_EQ(hook.messages.size(), 1u);
    EXPECT_EQ(hook.messages[0], "The plot could not be copied to the clipboard.");
    EXPECT_EQ(ReadClipboard().bitmap, CSize(321, 123)) << "the earlier copy stays";
}

} // namespace
