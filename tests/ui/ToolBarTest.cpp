// The flat tool bar: loading from its resources, the recoloured strip, button states from
// update handlers, tips and status prompts, customisation and the saved layout.
#include "framework/win/CDC.h"
#include "framework/win/CReBar.h"
#include "framework/win/CStatusBar.h"
#include "framework/win/MessageCrackers.h"
#include "framework/win/ToolBarImages.h"
#include "tests/ui/UiTestApp.h"
#include "tests/ui/UiTestRes.h"
#include "ui/KxMenuBar.h"
#include "ui/KxToolBar.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

// A frame whose update handlers disable "save" and check "bold", with a status bar for the
// prompts.
class CBarFrame : public CFrameWnd {
public:
    CKxToolBar m_wndToolBar;
    CStatusBar m_wndStatusBar;
    void OnNew() {}
    void OnUpdateSave(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnUpdateBold(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }

protected:
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CBarFrame, CFrameWnd)
ON_COMMAND(ID_TEST_NEW, &CBarFrame::OnNew)
ON_COMMAND(ID_TEST_OPEN, &CBarFrame::OnNew)
ON_UPDATE_COMMAND_UI(ID_TEST_SAVE, &CBarFrame::OnUpdateSave)
ON_UPDATE_COMMAND_UI(ID_TEST_BOLD, &CBarFrame::OnUpdateBold)
END_MESSAGE_MAP()

const KxCustomButton kRecords[] = {
    {{0, ID_TEST_NEW, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1}, "New"},
    {{1, ID_TEST_OPEN, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1}, "Open"},
    {{2, ID_TEST_SAVE, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1}, "Save"},
    {{3, ID_TEST_BOLD, TBSTATE_ENABLED, TBSTYLE_BUTTON, {}, 0, -1}, "Bold"},
};

class ToolBarTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        UseTestRegistryKey();
        m_pFrame = new CBarFrame;
        ASSERT_TRUE(m_pFrame->Create(nullptr, "Bars", WS_OVERLAPPEDWINDOW, CRect(0, 0, 500, 300)));
        ASSERT_TRUE(m_pFrame->m_wndToolBar.CreateEx(
            m_pFrame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY));
        static const UINT kIndicators[] = {ID_SEPARATOR};
        ASSERT_TRUE(m_pFrame->m_wndStatusBar.Create(m_pFrame));
        m_pFrame->m_wndStatusBar.SetIndicators(kIndicators, 1);
    }
    void TearDown() override
    {
        if (m_pFrame)
            m_pFrame->DestroyWindow();
    }
    CKxToolBar& Bar() { return m_pFrame->m_wndToolBar; }
    CBarFrame* m_pFrame = nullptr;
};

TEST_F(ToolBarTest, LoadingTakesTheButtonsSizesAndImagesOfTheResource)
{
    ASSERT_TRUE(Bar().LoadToolBar(IDR_TESTBAR));
    const UINT expected[] = {ID_TEST_NEW, ID_TEST_OPEN, 0, ID_TEST_SAVE, 0, ID_TEST_BOLD};
    ASSERT_EQ(Bar().GetCount(), 6);
    for (int i = 0; i < 6; ++i)
        EXPECT_EQ(Bar().GetItemID(i), expected[i]) << i;
    EXPECT_EQ(Bar().GetButtonStyle(2) & 0xFFFF, UINT(TBSTYLE_SEP));
    EXPECT_EQ(Bar().CommandToIndex(ID_TEST_BOLD), 5);
    // Buttons are the images plus 7 each way; flat separators are 6 wide.
    CRect button, separator;
    Bar().GetItemRect(0, &button);
    Bar().GetItemRect(2, &separator);
    EXPECT_EQ(button.Size(), CSize(23, 22));
    EXPECT_EQ(separator.Width(), 6);
    // The layout fits the bar to its buttons and its border line below them.
    const CSize size = Bar().CalcFixedLayout(FALSE, TRUE);
    EXPECT_EQ(size.cy, 22 + 2);
    EXPECT_EQ(size.cx, 4 * 23 + 2 * 6);
}

TEST_F(ToolBarTest, DamagedResourcesLeaveNoHalfBuiltBar)
{
    for (UINT nID : {UINT(IDR_SHORTBAR), UINT(IDR_NARROWBAR), UINT(IDR_NOBITMAPBAR), 999u}) {
        EXPECT_FALSE(Bar().LoadToolBar(nID)) << nID;
        EXPECT_EQ(Bar().GetCount(), 0) << nID;
    }
}

COLORREF StripPixel(UINT nID, int x, int y, BOOL bMono = FALSE)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HBITMAP hBitmap = AfxLoadSysColorBitmap(
        hInst, ::FindResourceA(hInst, MAKEINTRESOURCEA(nID), RT_BITMAP), bMono);
    if (!hBitmap)
        return CLR_INVALID;
    HDC hDC = ::CreateCompatibleDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hBitmap);
    const COLORREF colour = ::GetPixel(hDC, x, y);
    ::SelectObject(hDC, hOld);
    ::DeleteDC(hDC);
    ::DeleteObject(hBitmap);
    return colour;
}

TEST_F(ToolBarTest, TheStripTakesTheButtonColoursOfThePalettedDepthsOnly)
{
    // Distinct button colours, so that a pixel shows whether it was recoloured.
    const int kElements[] = {COLOR_BTNSHADOW, COLOR_BTNFACE};
    const COLORREF kSaved[] = {::GetSysColor(COLOR_BTNSHADOW), ::GetSysColor(COLOR_BTNFACE)};
    const COLORREF kScheme[] = {RGB(10, 20, 30), RGB(200, 210, 220)};
    ::SetSysColors(2, kElements, kScheme);
    struct Case {
        UINT nID;
        int x, y;
        COLORREF expected;
        const char* what;
    };
    const Case cases[] = {
        {IDR_TESTBAR, 11, 5, RGB(10, 20, 30), "4-bit dark grey"},
        {IDR_TESTBAR, 0, 0, RGB(200, 210, 220), "4-bit light grey"},
        {IDR_TESTBAR, 6, 7, RGB(255, 0, 0), "4-bit red stays"},
        {IDB_STRIP8, 11, 5, RGB(10, 20, 30), "8-bit dark grey"},
        {IDB_STRIP24, 11, 5, RGB(128, 128, 128), "24-bit unchanged"},
        {IDB_STRIP24, 0, 0, RGB(192, 192, 192), "24-bit face unchanged"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(StripPixel(c.nID, c.x, c.y), c.expected) << c.what;
    EXPECT_EQ(StripPixel(IDR_TESTBAR, 11, 5, TRUE), RGB(255, 255, 255)); // monochrome
    EXPECT_EQ(StripPixel(IDR_TESTBAR, 2, 1, TRUE), RGB(0, 0, 0));
    ::SetSysColors(2, kElements, kSaved);
}

TEST_F(ToolBarTest, UpdateHandlersEnableAndCheckButtonsAndDisablingLetsGoOfAPress)
{
    ASSERT_TRUE(Bar().LoadToolBar(IDR_TESTBAR));
    Bar().SetButtonStyle(3, Bar().GetButtonStyle(3) | TBBS_PRESSED);
    Bar().OnUpdateCmdUI(m_pFrame, TRUE);
    const UINT save = Bar().GetButtonStyle(3), bold = Bar().GetButtonStyle(5);
    EXPECT_TRUE(save & TBBS_DISABLED);
    EXPECT_FALSE(save & TBBS_PRESSED);
    EXPECT_TRUE(bold & TBBS_CHECKED);
    EXPECT_EQ(bold & 0xFFFF, UINT(TBSTYLE_CHECK));
    EXPECT_FALSE(Bar().GetButtonStyle(0) & TBBS_DISABLED); // has a handler
    EXPECT_TRUE(::SendMessageA(Bar(), TB_ISBUTTONENABLED, ID_TEST_NEW, 0));
    EXPECT_FALSE(::SendMessageA(Bar(), TB_ISBUTTONENABLED, ID_TEST_SAVE, 0));

    // The states one handler can give.
    CKxToolCmdUI state;
    state.m_pOther = &Bar();
    state.m_nIndex = 0;
    struct Step {
        std::function<void()> apply;
        UINT set, clear;
    };
    const Step steps[] = {
        {[&] { state.SetCheck(2); }, TBBS_INDETERMINATE | TBBS_CHECKBOX, TBBS_CHECKED},
        {[&] { state.SetCheck(1); }, TBBS_CHECKED, TBBS_INDETERMINATE},
        {[&] { state.SetCheck(0); }, 0, TBBS_CHECKED | TBBS_INDETERMINATE},
        {[&] { state.Enable(FALSE); }, TBBS_DISABLED, TBBS_PRESSED},
        {[&] { state.Enable(TRUE); }, 0, TBBS_DISABLED},
    };
    for (std::size_t i = 0; i < std::size(steps); ++i) {
        steps[i].apply();
        const UINT style = Bar().GetButtonStyle(0);
        EXPECT_EQ(style & steps[i].set, steps[i].set) << i;
        EXPECT_EQ(style & steps[i].clear, 0u) << i;
    }
}

TEST_F(ToolBarTest, TheToolUnderThePointerShowsItsPromptAndTip)
{
    ASSERT_TRUE(Bar().LoadToolBar(IDR_TESTBAR));
    m_pFrame->RecalcLayout();
    CRect rect;
    Bar().GetItemRect(1, &rect);
    EXPECT_EQ(Bar().OnToolHitTest(rect.CenterPoint(), nullptr), INT_PTR(ID_TEST_OPEN));
    EXPECT_EQ(Bar().OnToolHitTest(CPoint(rect.right, rect.top), nullptr), INT_PTR(ID_TEST_OPEN));
    Bar().GetItemRect(2, &rect);
    EXPECT_EQ(Bar().OnToolHitTest(rect.CenterPoint(), nullptr), -1); // a separator

    Bar().GetItemRect(0, &rect);
    MSG msg = {Bar().m_hWnd, WM_MOUSEMOVE, 0, MAKELPARAM(rect.left + 3, rect.top + 3), 0, {}};
    Bar().PreTranslateMessage(&msg);
    EXPECT_EQ(m_pFrame->m_wndStatusBar.GetPaneText(0), CString("Create a new thing"));
    Bar().SendMessage(WM_MOUSELEAVE);
    EXPECT_EQ(m_pFrame->m_wndStatusBar.GetPaneText(0), CString("Ready"));

    // The tip is asked of the bar; the frame gives none, so the command's own short text.
    NMTTDISPINFOA info = {};
    info.hdr.hwndFrom = Bar().m_hWnd;
    info.hdr.idFrom = ID_TEST_SAVE;
    info.hdr.code = TTN_NEEDTEXTA;
    Bar().SendMessage(WM_NOTIFY, ID_TEST_SAVE, LPARAM(&info));
    EXPECT_STREQ(info.lpszText, "Save");
}

TEST_F(ToolBarTest, CustomisationOffersOnlyTheRecordsAndNothingWhileFloating)
{
    ASSERT_TRUE(Bar().LoadToolBar(IDR_TESTBAR, kRecords, 3)); // fewer records than buttons
    EXPECT_TRUE(Bar().GetStyle() & CCS_ADJUSTABLE);
    struct Case {
        int iItem;
        LRESULT answer;
    };
    for (const Case& c :
         {Case{0, TRUE}, Case{2, TRUE}, Case{3, FALSE}, Case{5, FALSE}, Case{-1, FALSE}}) {
        char text[16] = {};
        NMTOOLBARA info = {};
        info.hdr = {Bar().m_hWnd, UINT_PTR(AFX_IDW_TOOLBAR), UINT(TBN_GETBUTTONINFOA)};
        info.iItem = c.iItem;
        info.pszText = text;
        info.cchText = 3;
        EXPECT_EQ(m_pFrame->SendMessage(WM_NOTIFY, AFX_IDW_TOOLBAR, LPARAM(&info)), c.answer)
            << c.iItem;
        if (c.answer) {
            EXPECT_EQ(info.tbButton.idCommand, kRecords[c.iItem].button.idCommand);
            EXPECT_EQ(std::string(text), std::string(kRecords[c.iItem].lpszText).substr(0, 2));
        }
    }
    NMHDR query = {Bar().m_hWnd, UINT_PTR(AFX_IDW_TOOLBAR), UINT(TBN_QUERYINSERT)};
    EXPECT_EQ(m_pFrame->SendMessage(WM_NOTIFY, AFX_IDW_TOOLBAR, LPARAM(&query)), TRUE);
}

std::vector<UINT> Commands(CKxToolBar& bar)
{
    std::vector<UINT> ids;
    for (int i = 0; i < bar.GetCount(); ++i)
        ids.push_back(bar.GetItemID(i) | ((bar.GetButtonStyle(i) & TBBS_HIDDEN) ? 0x10000 : 0));
    return ids;
}

void WriteStateValue(const CString& name, DWORD dwType, const std::vector<BYTE>& bytes)
{
    HKEY hKey = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Zivra Ui Tests\\Ui Tests\\Settings", 0, nullptr,
                      0, KEY_WRITE, nullptr, &hKey, nullptr);
    ::RegSetValueExA(hKey, name, 0, dwType, bytes.data(), DWORD(bytes.size()));
    ::RegCloseKey(hKey);
}

TEST_F(ToolBarTest, TheLayoutComesBackAndADamagedOneIsIgnored)
{
    ASSERT_TRUE(Bar().LoadToolBar(IDR_TESTBAR, kRecords, 4));
    // The user hides "open" and drops the last separator.
    ::SendMessageA(Bar(), TB_HIDEBUTTON, ID_TEST_OPEN, TRUE);
    ::SendMessageA(Bar(), TB_DELETEBUTTON, 4, 0);
    const std::vector<UINT> customised = Commands(Bar());
    Bar().SaveState();
    Bar().SetButtons(nullptr, 0);
    ASSERT_TRUE(Bar().RestoreState());
    EXPECT_EQ(Commands(Bar()), customised);

    const std::vector<BYTE> good = {1, 0, 0, 0, 1, 0, 0, 0, ID_TEST_NEW & 0xFF, ID_TEST_NEW >> 8,
                                    0, 0, 0, 0, 0, 0};
    struct Case {
        const char* what;
        DWORD dwType;
        std::vector<BYTE> bytes;
    };
    std::vector<BYTE> unknown = good, repeated = good;
    unknown[8] = 7;
    repeated[4] = 2;
    repeated.insert(repeated.end(), good.begin() + 8, good.end());
    const Case cases[] = {
        {"a text value", REG_SZ, good},
        {"cut short", REG_BINARY, std::vector<BYTE>(good.begin(), good.end() - 1)},
        {"another version", REG_BINARY, {2, 0, 0, 0, 0, 0, 0, 0}},
        {"an unknown command", REG_BINARY, unknown},
        {"a command twice", REG_BINARY, repeated},
    };
    for (const Case& c : cases) {
        WriteStateValue(Bar().GetStateValueName(), c.dwType, c.bytes);
        EXPECT_FALSE(Bar().RestoreState()) << c.what;
        EXPECT_EQ(Commands(Bar()), customised) << c.what;
    }
    WriteStateValue(Bar().GetStateValueName(), REG_BINARY, good);
    EXPECT_TRUE(Bar().RestoreState());
    EXPECT_EQ(Commands(Bar()), std::vector<UINT>{ID_TEST_NEW});
}

TEST_F(ToolBarTest, BarsAreNumberedInTheOrderTheyAreMadeAndOnlyARegistryKeyKeepsALayout)
{
    CKxToolBar first, second;
    EXPECT_EQ(second.GetBarNumber(), first.GetBarNumber() + 1);
    EXPECT_EQ(first.GetStateValueName(),
              CString("KxToolBar ") + CString(std::to_string(first.GetBarNumber()).c_str()));

    // Without a registry key the program writes nothing.
    ASSERT_TRUE(Bar().LoadToolBar(IDR_TESTBAR, kRecords, 4));
    HKEY hKey = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, "Software\\Zivra Ui Tests\\Ui Tests\\Settings", 0, nullptr,
                      0, KEY_ALL_ACCESS, nullptr, &hKey, nullptr);
    ::RegDeleteValueA(hKey, Bar().GetStateValueName());
    LPCTSTR lpszKey = theUiTestApp.m_pszRegistryKey;
    theUiTestApp.m_pszRegistryKey = nullptr;
    Bar().SaveState();
    theUiTestApp.m_pszRegistryKey = lpszKey;
    EXPECT_NE(
        ::RegQueryValueExA(hKey, Bar().GetStateValueName(), nullptr, nullptr, nullptr, nullptr),
        ERROR_SUCCESS);
    ::RegCloseKey(hKey);
}

TEST_F(ToolBarTest, AMovedBarRepaintsThePlaceItLeft)
{
    struct CRecordingBar : CKxToolBar {
        std::vector<CRect> uncovered;
        void RepaintUncoveredArea(const CRect& rect) override
        {
            uncovered.push_back(rect);
            CKxToolBar::RepaintUncoveredArea(rect);
        }
    } bar;
    ASSERT_TRUE(bar.CreateEx(m_pFrame, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP,
                             CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR + 0x47));
    bar.SetWindowPos(nullptr, 10, 40, 120, 26, SWP_NOZORDER | SWP_NOACTIVATE);
    bar.uncovered.clear();
    bar.SetWindowPos(nullptr, 30, 90, 120, 26, SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_EQ(bar.uncovered, std::vector<CRect>{CRect(10, 40, 130, 66)});
    bar.SetWindowPos(nullptr, 0, 0, 150, 26, SWP_NOZORDER | SWP_NOACTIVATE | SWP_NOMOVE);
    EXPECT_EQ(bar.uncovered.size(), 1u); // sizing alone uncovers nothing to the side
    bar.DestroyWindow();
}

TEST_F(ToolBarTest, ABarInARebarBelongsToTheRebarsFrame)
{
    CReBar rebar;
    ASSERT_TRUE(rebar.Create(m_pFrame));
    CKxToolBar bar;
    ASSERT_TRUE(bar.CreateEx(&rebar, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_GRIPPER,
                             CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR + 0x45));
    ASSERT_TRUE(bar.LoadToolBar(IDR_TESTBAR));
    EXPECT_EQ(bar.m_bInReBar, 1);
    EXPECT_EQ(bar.m_bFlatGripper, 0); // the rebar draws the grip
    EXPECT_EQ(bar.GetOwner()->m_hWnd, m_pFrame->m_hWnd);
    ASSERT_TRUE(rebar.AddBar(&bar));
    EXPECT_EQ(rebar.GetBandCount(), 1);
    EXPECT_GE(rebar.CalcFixedLayout(TRUE, TRUE).cy, 22);

    // A menu bar in a rebar is as wide as its buttons, not as its frame.
    CKxMenuBar menuBar;
    ASSERT_TRUE(menuBar.CreateEx(&rebar, TBSTYLE_FLAT, WS_CHILD | WS_VISIBLE | CBRS_TOP,
                                 CRect(0, 0, 0, 0), AFX_IDW_TOOLBAR + 0x46));
    ASSERT_TRUE(menuBar.LoadMenu(IDR_TESTMENU));
    CRect client;
    m_pFrame->GetClientRect(&client);
    EXPECT_LT(menuBar.CalcFixedLayout(FALSE, TRUE).cx, client.Width());
}

} // namespace
