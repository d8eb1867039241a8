// Command routing, CCmdUI on pop-up menus, owner-drawn menu items and the application's
// profile functions.
#include "framework/win/CCmdUI.h"
#include "framework/win/CMenu.h"
#include "framework/win/CWinApp.h"
#include "framework/win/MessageCrackers.h"
#include "framework/win/ModalTestHook.h"
#include "framework/win/RegistryProfileStore.h"
#include "tests/framework_win/TestResource.h"

#include <gtest/gtest.h>

#include <cstring>
#include <vector>

namespace {

enum : UINT {
    ID_DISABLED = 40001,  // update handler disables it; the command handler must not run
    ID_CHECKED = 40002,   // update handler checks it
    ID_NO_UPDATE = 40003, // command handler only
    ID_RADIO_FIRST = 40010,
    ID_RADIO_LAST = 40012,
    ID_DOC_ONLY = 40020, // handled by the document the window routes to
    ID_RENAMED = 40021,
};

// Stands for a document: a command target the window offers commands to first.
class CTestDocument : public CCmdTarget {
public:
    std::vector<UINT> m_commands;

protected:
    void OnDocOnly() { m_commands.push_back(ID_DOC_ONLY); }
    void OnUpdateDocOnly(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->ContinueRouting(); } // leaves it to the window
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CTestDocument, CCmdTarget)
ON_COMMAND(ID_DOC_ONLY, &CTestDocument::OnDocOnly)
ON_UPDATE_COMMAND_UI(ID_DOC_ONLY, &CTestDocument::OnUpdateDocOnly)
ON_UPDATE_COMMAND_UI(ID_CHECKED, &CTestDocument::OnUpdateChecked)
END_MESSAGE_MAP()

class CCommandWnd : public CWnd {
public:
    CTestDocument* m_pDocument = nullptr;
    std::vector<UINT> m_commands;
    int m_radioSelected = ID_RADIO_FIRST + 1;

    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override
    {
        if (m_pDocument && m_pDocument->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
            return TRUE;
        return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
    }

protected:
    void OnDisabled() { m_commands.push_back(ID_DISABLED); }
    void OnUpdateDisabled(CCmdUI* pCmdUI) { pCmdUI->Enable(FALSE); }
    void OnChecked() { m_commands.push_back(ID_CHECKED); }
    void OnUpdateChecked(CCmdUI* pCmdUI) { pCmdUI->SetCheck(1); }
    void OnNoUpdate() { m_commands.push_back(ID_NO_UPDATE); }
    void OnRadio(UINT nID) { m_commands.push_back(nID); }
    void OnUpdateRadio(CCmdUI* pCmdUI) { pCmdUI->SetRadio(pCmdUI->m_nID == UINT(m_radioSelected)); }
    void OnUpdateRenamed(CCmdUI* pCmdUI) { pCmdUI->SetText("&Renamed"); }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CCommandWnd, CWnd)
ON_COMMAND(ID_DISABLED, &CCommandWnd::OnDisabled)
ON_UPDATE_COMMAND_UI(ID_DISABLED, &CCommandWnd::OnUpdateDisabled)
ON_COMMAND(ID_CHECKED, &CCommandWnd::OnChecked)
ON_UPDATE_COMMAND_UI(ID_CHECKED, &CCommandWnd::OnUpdateChecked)
ON_COMMAND(ID_NO_UPDATE, &CCommandWnd::OnNoUpdate)
ON_COMMAND_RANGE(ID_RADIO_FIRST, ID_RADIO_LAST, &CCommandWnd::OnRadio)
ON_UPDATE_COMMAND_UI_RANGE(ID_RADIO_FIRST, ID_RADIO_LAST, &CCommandWnd::OnUpdateRadio)
ON_UPDATE_COMMAND_UI(ID_RENAMED, &CCommandWnd::OnUpdateRenamed)
END_MESSAGE_MAP()

TEST(Commands, PopupMenuItemsTakeTheirStateFromUpdateHandlers)
{
    CTestDocument doc;
    CCommandWnd wnd;
    wnd.m_pDocument = &doc;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "commands", WS_POPUP, RECT{0, 0, 100, 100}, nullptr, 0));

    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    for (UINT id :
         {UINT(ID_DISABLED), UINT(ID_CHECKED), UINT(ID_NO_UPDATE), UINT(ID_RADIO_FIRST),
          UINT(ID_RADIO_FIRST + 1), UINT(ID_RADIO_LAST), UINT(ID_DOC_ONLY), UINT(ID_RENAMED)})
        popup.AppendMenu(MF_STRING, id, "item");
    wnd.SendMessage(WM_INITMENUPOPUP, reinterpret_cast<WPARAM>(popup.m_hMenu), 0);

    struct Case {
        UINT id;
        bool grayed;
        bool checked;
    };
    const Case cases[] = {
        {ID_DISABLED, true, false},
        {ID_CHECKED, false, true}, // the document passed it on to the window
        {ID_NO_UPDATE, false, false},
        {ID_RADIO_FIRST, false, false},
        {ID_RADIO_FIRST + 1, false, true},
        {ID_RADIO_LAST, false, false},
        {ID_DOC_ONLY, false, true},
    };
    for (const Case& c : cases) {
        const UINT state = popup.GetMenuState(c.id, MF_BYCOMMAND);
        EXPECT_EQ((state & MF_GRAYED) != 0, c.grayed) << "item " << c.id;
        EXPECT_EQ((state & MF_CHECKED) != 0, c.checked) << "item " << c.id;
    }
    CString text;
    popup.GetMenuString(ID_RENAMED, text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "&Renamed");

    // Commands: a disabled command is not run; the document gets its own ones first.
    // Menu commands (code 0) and accelerators (code 1) take the same road.
    for (WORD source : {WORD(0), WORD(1)}) {
        for (UINT id : {UINT(ID_DISABLED), UINT(ID_CHECKED), UINT(ID_NO_UPDATE),
                        UINT(ID_RADIO_LAST), UINT(ID_DOC_ONLY)})
            wnd.SendMessage(WM_COMMAND, MAKEWPARAM(id, source), 0);
    }
    EXPECT_EQ(wnd.m_commands, (std::vector<UINT>{ID_CHECKED, ID_NO_UPDATE, ID_RADIO_LAST,
                                                 ID_CHECKED, ID_NO_UPDATE, ID_RADIO_LAST}));
    EXPECT_EQ(doc.m_commands, (std::vector<UINT>{ID_DOC_ONLY, ID_DOC_ONLY}));
    wnd.DestroyWindow();
}

// A command that works, asks the user, and works again; the cursor is noted at each step.
class CLongCommandWnd : public CWnd, public CModalTestHook {
public:
    static constexpr UINT kLongCommand = 40030;
    std::vector<HCURSOR> seen; // while working, while asked, while working again

    int OnMessageBox(LPCTSTR, LPCTSTR, UINT) override
    {
        seen.push_back(::GetCursor());
        return IDOK;
    }

protected:
    void OnLong()
    {
        seen.push_back(::GetCursor());
        AfxDoMessageBox(m_hWnd, "Continue?", "", MB_OK);
        seen.push_back(::GetCursor());
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CLongCommandWnd, CWnd)
ON_COMMAND(CLongCommandWnd::kLongCommand, &CLongCommandWnd::OnLong)
END_MESSAGE_MAP()

TEST(Commands, ACommandShowsTheWaitCursorExceptWhileTheUserIsAsked)
{
    CLongCommandWnd wnd;
    ASSERT_TRUE(wnd.CreateEx(0, nullptr, "long", WS_POPUP, RECT{0, 0, 100, 100}, nullptr, 0));
    AfxSetModalTestHook(&wnd);
    const HCURSOR hArrow = ::LoadCursorA(nullptr, IDC_ARROW);
    const HCURSOR hWait = ::LoadCursorA(nullptr, IDC_WAIT);
    // By a menu (0) and by an accelerator (1): each waits the same way.
    for (WORD source : {WORD(0), WORD(1)}) {
        ::SetCursor(hArrow);
        wnd.seen.clear();
        wnd.SendMessage(WM_COMMAND, MAKEWPARAM(CLongCommandWnd::kLongCommand, source), 0);
        EXPECT_EQ(wnd.seen, (std::vector<HCURSOR>{hWait, hArrow, hWait})) << source;
        EXPECT_EQ(::GetCursor(), hArrow) << "the cursor before the command comes back";
    }
    AfxSetModalTestHook(nullptr);
    wnd.DestroyWindow();
}

TEST(Commands, DisableIfNoHandlerFollowsTheCommandHandlers)
{
    CCommandWnd wnd;
    CMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_STRING, ID_NO_UPDATE, "has a handler");
    popup.AppendMenu(MF_STRING, 40999, "has none");
    AfxUpdateMenuCmdUI(&wnd, &popup, TRUE);
    EXPECT_EQ(popup.GetMenuState(ID_NO_UPDATE, MF_BYCOMMAND) & MF_GRAYED, 0u);
    EXPECT_NE(popup.GetMenuState(40999, MF_BYCOMMAND) & MF_GRAYED, 0u);
}

// A bar claims the state update of its own buttons through a reflected entry.
class CReflectingBar : public CCmdTarget {
public:
    int m_updates = 0;

protected:
    afx_msg void OnUpdateReflect(CCmdUI* pCmdUI)
    {
        ++m_updates;
        pCmdUI->Enable(FALSE);
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CReflectingBar, CCmdTarget)
ON_UPDATE_COMMAND_UI_REFLECT(&CReflectingBar::OnUpdateReflect)
END_MESSAGE_MAP()

TEST(Commands, ReflectedStateUpdateIsSeparateFromCommandUpdates)
{
    CReflectingBar bar;
    CCmdUI state;
    state.m_nID = ID_CHECKED;
    EXPECT_TRUE(bar.OnCmdMsg(0,
                             int(MAKELONG(CN_UPDATE_COMMAND_UI_CODE, WM_REFLECT_BASE + WM_COMMAND)),
                             &state, nullptr));
    EXPECT_EQ(bar.m_updates, 1);
    EXPECT_TRUE(state.m_bEnableChanged);
    EXPECT_FALSE(bar.OnCmdMsg(ID_CHECKED, CN_UPDATE_COMMAND_UI, &state, nullptr));
    EXPECT_EQ(bar.m_updates, 1);
}

// An owner-drawn menu measures and draws its own items when its owner is asked.
class COwnerMenu : public CMenu {
public:
    int m_measured = 0;
    int m_drawn = 0;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMIS) override
    {
        ++m_measured;
        lpMIS->itemWidth = 80;
        lpMIS->itemHeight = 18;
    }
    void DrawItem(LPDRAWITEMSTRUCT) override { ++m_drawn; }
};

TEST(Menus, OwnerDrawnItemsReachTheirMenuObject)
{
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP, RECT{0, 0, 100, 100}, nullptr, 0));
    CMenu bar;
    ASSERT_TRUE(bar.CreateMenu());
    COwnerMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_OWNERDRAW, ID_NO_UPDATE, nullptr);
    bar.AppendMenu(MF_POPUP, reinterpret_cast<UINT_PTR>(popup.m_hMenu), "&Menu");
    ASSERT_TRUE(owner.SetMenu(&bar));

    MEASUREITEMSTRUCT mis = {};
    mis.CtlType = ODT_MENU;
    mis.itemID = ID_NO_UPDATE;
    owner.SendMessage(WM_MEASUREITEM, 0, reinterpret_cast<LPARAM>(&mis));
    EXPECT_EQ(popup.m_measured, 1);
    EXPECT_EQ(mis.itemWidth, 80u);

    DRAWITEMSTRUCT dis = {};
    dis.CtlType = ODT_MENU;
    dis.itemID = ID_NO_UPDATE;
    dis.hwndItem = reinterpret_cast<HWND>(popup.m_hMenu);
    owner.SendMessage(WM_DRAWITEM, 0, reinterpret_cast<LPARAM>(&dis));
    EXPECT_EQ(popup.m_drawn, 1);

    owner.SetMenu(nullptr);
    bar.RemoveMenu(0, MF_BYPOSITION); // the pop-up object owns its own menu
    owner.DestroyWindow();
}

// Ends a tracked pop-up menu as soon as the menu loop is idle (or a timer fires).
class CMenuOwner : public CWnd {
public:
    int m_endRequests = 0;

protected:
    LRESULT OnEnterIdle(WPARAM wParam, LPARAM)
    {
        if (wParam == MSGF_MENU) {
            ++m_endRequests;
            ::EndMenu();
        }
        return 0;
    }
    void OnTimer(UINT_PTR)
    {
        ++m_endRequests;
        ::EndMenu();
    }
    DECLARE_MESSAGE_MAP()
};

BEGIN_MESSAGE_MAP(CMenuOwner, CWnd)
ON_MESSAGE(WM_ENTERIDLE, &CMenuOwner::OnEnterIdle)
ON_WM_TIMER()
END_MESSAGE_MAP()

TEST(Menus, TrackedPopupMeasuresItsOwnerDrawnItems)
{
    CMenuOwner owner;
    ASSERT_TRUE(owner.CreateEx(0, nullptr, "owner", WS_POPUP | WS_VISIBLE, RECT{0, 0, 100, 100},
                               nullptr, 0));
    COwnerMenu popup;
    ASSERT_TRUE(popup.CreatePopupMenu());
    popup.AppendMenu(MF_OWNERDRAW, ID_NO_UPDATE, nullptr);
    owner.SetTimer(1, 200, nullptr);
    popup.TrackPopupMenu(TPM_LEFTALIGN | TPM_RETURNCMD, 10, 10, &owner);
    owner.KillTimer(1);
    EXPECT_GE(owner.m_endRequests, 1);
    EXPECT_GE(popup.m_measured, 1) << "the owner found the tracked menu for WM_MEASUREITEM";
    EXPECT_EQ(AfxGetThreadState()->m_hTrackingMenu, nullptr) << "the record ends with the tracking";
    owner.DestroyWindow();
}

TEST(Menus, LoadedMenuResourceKeepsItsPopupsAndTexts)
{
    CMenu menu;
    ASSERT_TRUE(menu.LoadMenu(IDR_TEST_MENU));
    EXPECT_EQ(CMenu::FromHandlePermanent(menu.m_hMenu), &menu);
    ASSERT_EQ(menu.GetMenuItemCount(), 2u);
    CString text;
    menu.GetMenuString(1, text, MF_BYPOSITION);
    EXPECT_STREQ(text, "&View");
    CMenu* pFile = menu.GetSubMenu(0);
    ASSERT_NE(pFile, nullptr);
    EXPECT_EQ(pFile->GetMenuItemID(0), UINT(ID_TEST_OPEN));
    pFile->GetMenuString(ID_TEST_OPEN, text, MF_BYCOMMAND);
    EXPECT_STREQ(text, "&Open...\tCtrl+O");
    EXPECT_EQ(CMenu::FromHandlePermanent(pFile->m_hMenu), nullptr) << "a sub-menu is only borrowed";
    HMENU hMenu = menu.Detach();
    EXPECT_EQ(CMenu::FromHandlePermanent(hMenu), nullptr);
    EXPECT_TRUE(::IsMenu(hMenu));
    ::DestroyMenu(hMenu);
}

// ---- profile --------------------------------------------------------------------------------

const char* const kCompany = "Zivra Framework Test Company";

TEST(Profile, ValuesRoundTripUnderTheApplicationKey)
{
    {
        CWinApp app("Zivra Framework Test");
        EXPECT_EQ(app.GetProfileInt("Options", "Missing", 5), 5u)
            << "no registry key yet: defaults";
        EXPECT_FALSE(app.WriteProfileInt("Options", "Value", 1));
        app.SetRegistryKey(kCompany);

        struct IntCase {
            const char* entry;
            int value;
        };
        for (IntCase c :
             {IntCase{"Zero", 0}, IntCase{"Negative", -7}, IntCase{"Large", 0x7FFFFFFF}}) {
            EXPECT_TRUE(app.WriteProfileInt("Options", c.entry, c.value)) << c.entry;
            EXPECT_EQ(int(app.GetProfileInt("Options", c.entry, 99)), c.value) << c.entry;
        }
        EXPECT_EQ(app.GetProfileInt("Options", "Missing", 5), 5u);

        for (const char* text : {"", "LastOpenFile.zvp", "with spaces and \\ backslash"}) {
            EXPECT_TRUE(app.WriteProfileString("Strings", "Entry", text)) << text;
            EXPECT_STREQ(app.GetProfileString("Strings", "Entry", "default"), text) << text;
        }
        EXPECT_STREQ(app.GetProfileString("Strings", "Missing", "default"), "default");
        EXPECT_TRUE(app.WriteProfileString("Strings", "Entry", nullptr)); // deletes the entry
        EXPECT_STREQ(app.GetProfileString("Strings", "Entry", "gone"), "gone");

        const double value = -1234.5678e-9;
        BYTE bytes[sizeof value];
        std::memcpy(bytes, &value, sizeof value);
        EXPECT_TRUE(app.WriteProfileBinary("Plot2DDef", "XMin", bytes, sizeof bytes));
        LPBYTE pData = nullptr;
        UINT nBytes = 0;
        ASSERT_TRUE(app.GetProfileBinary("Plot2DDef", "XMin", &pData, &nBytes));
        ASSERT_EQ(nBytes, sizeof value);
        double back = 0;
        std::memcpy(&back, pData, sizeof back);
        delete[] pData;
        EXPECT_EQ(back, value);
        EXPECT_FALSE(app.GetProfileBinary("Plot2DDef", "Missing", &pData, &nBytes));
        EXPECT_EQ(pData, nullptr);

        // The values live under HKCU\Software\<company>\<application>\<section>.
        HKEY hKey = nullptr;
        ASSERT_EQ(
            ::RegOpenKeyExA(HKEY_CURRENT_USER,
                            "Software\\Zivra Framework Test Company\\Zivra Framework Test\\Options",
                            0, KEY_READ, &hKey),
            ERROR_SUCCESS);
        ::RegCloseKey(hKey);
    }
    HKEY hSoftware = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, &hSoftware),
              ERROR_SUCCESS);
    EXPECT_EQ(::RegDeleteTreeA(hSoftware, kCompany), ERROR_SUCCESS);
    HKEY hGone = nullptr;
    EXPECT_NE(::RegOpenKeyExA(hSoftware, kCompany, 0, KEY_READ, &hGone), ERROR_SUCCESS);
    ::RegCloseKey(hSoftware);
}

TEST(Profile, RegistryStoreKeepsRealsAsEightBytesAndTypesApart)
{
    {
        CWinApp app("Zivra Framework Test");
        CRegistryProfileStore store(&app);
        EXPECT_EQ(store.GetDouble("Plot2DDef", "xmin", 4.5), 4.5) << "no registry key yet";
        EXPECT_FALSE(store.WriteDouble("Plot2DDef", "xmin", 1.0));
        app.SetRegistryKey(kCompany);

        EXPECT_TRUE(store.WriteDouble("Plot2DDef", "xmin", -0.1));
        EXPECT_EQ(store.GetDouble("Plot2DDef", "xmin", 4.5), -0.1);
        EXPECT_TRUE(store.WriteInt("Plot2DDef", "Steps", 250));
        EXPECT_EQ(store.GetDouble("Plot2DDef", "Steps", 4.5), 4.5) << "an integer is no real";
        const BYTE three[3] = {1, 2, 3};
        EXPECT_TRUE(store.WriteBinary("Plot2DDef", "xmax", three, 3));
        EXPECT_EQ(store.GetDouble("Plot2DDef", "xmax", 4.5), 4.5) << "three bytes are no real";
        EXPECT_EQ(store.GetInt("Plot2DDef", "xmax", 7), 7) << "bytes are no integer";
        EXPECT_TRUE(store.WriteString("Options", "LastOpenFile", "c:\\a.zvp"));
        EXPECT_STREQ(store.GetString("Options", "LastOpenFile", ""), "c:\\a.zvp");
        EXPECT_EQ(store.GetInt("Options", "LastOpenFile", 7), 7);
    }
    HKEY hSoftware = nullptr;
    ASSERT_EQ(::RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_ALL_ACCESS, &hSoftware),
              ERROR_SUCCESS);
    EXPECT_EQ(::RegDeleteTreeA(hSoftware, kCompany), ERROR_SUCCESS);
    ::RegCloseKey(hSoftware);
}

} // namespace
