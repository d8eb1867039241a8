// The program's resources as the running program loads them: menus with their pop-ups and
// commands, a prompt for every command, the accelerators, tool bars that match their image
// strips, the icons of the explorer's image list, the texts, the tool windows' dialogs and the
// radio groups of every dialog.
#include "framework/core/AsciiText.h"
#include "res/resource.h"
#include "tests/support/DialogLayout.h"
#include "ui/MenuTemplate.h"
#include "ui/OwnerDrawMenu.h"

#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <set>
#include <string>
#include <vector>

namespace {

HINSTANCE Module() { return ::GetModuleHandleA(nullptr); }

std::string LoadText(UINT nID)
{
    char text[512] = {};
    const int n = ::LoadStringA(Module(), nID, text, sizeof text);
    return std::string(text, n > 0 ? std::size_t(n) : 0);
}

std::string ItemText(HMENU hMenu, int nPos)
{
    char text[256] = {};
    ::GetMenuStringA(hMenu, UINT(nPos), text, sizeof text, MF_BYPOSITION);
    return text;
}

// The top-level texts of a menu.
std::vector<std::string> TopLevel(HMENU hMenu)
{
    std::vector<std::string> texts;
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i)
        texts.push_back(ItemText(hMenu, i));
    return texts;
}

// Every command of a menu and its pop-ups.
void CollectCommands(HMENU hMenu, std::set<UINT>& commands)
{
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
        if (HMENU hSub = ::GetSubMenu(hMenu, i))
            CollectCommands(hSub, commands);
        else if (UINT nID = ::GetMenuItemID(hMenu, i); nID != 0 && nID != UINT(-1))
            commands.insert(nID);
    }
}

// The ids of the commands of the last pop-up of a menu whose text is "Toggle Views".
std::vector<UINT> ToggleViewsOf(HMENU hPopup)
{
    const int n = ::GetMenuItemCount(hPopup);
    HMENU hToggle = ::GetSubMenu(hPopup, n - 1);
    std::vector<UINT> ids;
    if (!hToggle || ItemText(hPopup, n - 1) != "Toggle Vie&ws")
        return ids;
    for (int i = 0; i < ::GetMenuItemCount(hToggle); ++i)
        ids.push_back(::GetMenuItemID(hToggle, i));
    return ids;
}

const std::vector<UINT> kToggleIds = {ID_VIEW_TOGGLE_WORKSPACE, ID_VIEW_TOGGLE_PLOT2D,
                                      ID_VIEW_TOGGLE_PLOT3D, ID_VIEW_TOGGLE_GRID};

TEST(Resources, MenuBarsAndTheirPopups)
{
    struct Case {
        UINT nID;
        std::vector<std::string> popups;
    };
    const Case cases[] = {
        {IDR_MENUBAR, {"&File", "&Edit", "&View", "&2D Plot", "&3D Plot", "&Tools", "&Help"}},
        {IDR_MAINFRAME,
         {"&File", "&Edit", "&View", "&2D Plot", "&3D Plot", "&Data", "Data &Analysis", "&Tools",
          "&Help"}},
        {IDR_FULLMENU,
         {"&File", "&Edit", "&View", "&2D Plot", "&3D Plot", "&Data", "Data &Analysis", "&Tools",
          "&Help"}},
        {IDR_TOGGLE_VIEWS, {"Toggle Views"}},
        {IDR_EXPLORER_FOLDERS,
         {"Data Tables", "Data Plot", "2D Plot", "3D Plot", "Lists", "Matrices"}},
    };
    for (const Case& c : cases) {
        HMENU hMenu = ::LoadMenuA(Module(), MAKEINTRESOURCEA(c.nID));
        ASSERT_NE(hMenu, nullptr) << c.nID;
        EXPECT_EQ(TopLevel(hMenu), c.popups) << c.nID;
        ::DestroyMenu(hMenu);
    }

    // The fullest menu differs from the document's by its Import submenu.
    HMENU hFull = ::LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_FULLMENU));
    HMENU hDoc = ::LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    std::set<UINT> full, doc;
    CollectCommands(hFull, full);
    CollectCommands(hDoc, doc);
    for (UINT nID : {ID_IMPORT_DATA_TABLE, ID_IMPORT_LIST, ID_IMPORT_MATRIX})
        EXPECT_EQ(full.erase(nID), 1u) << nID;
    EXPECT_EQ(full, doc);
    ::DestroyMenu(hFull);
    ::DestroyMenu(hDoc);

    HMENU hToggle = ::LoadMenuA(Module(), MAKEINTRESOURCEA(IDR_TOGGLE_VIEWS));
    std::set<UINT> toggles;
    CollectCommands(hToggle, toggles);
    EXPECT_EQ(toggles, std::set<UINT>(kToggleIds.begin(), kToggleIds.end()));
    ::DestroyMenu(hToggle);
}

TEST(Resources, ContextMenusEndWithToggleViews)
{
    struct Case {
        UINT nID;
        const char* popup;
        UINT nSampleCommand;
    };
    const Case cases[] = {
        {IDR_CONTEXT_TABLE, "Data Table", ID_DATA_REMOVE_TABLE},
        {IDR_CONTEXT_DATA_GRAPH, "Data Graph", ID_DATAPLOT_OPTIONS_CONTEXT},
        {IDR_CONTEXT_GRAPH, "Graph", ID_PLOT2D_ANALYZE},
        {IDR_CONTEXT_LIST, "List", ID_DATA_RENAME_LIST},
        {IDR_CONTEXT_MATRIX, "Matrix", ID_MATRIX_DETERMINANT},
        {IDR_CONTEXT_GRAPH3D, "3D Graph", ID_PLOT3D_ROTATE_LEFT},
        {IDR_CONTEXT_DEFAULT, "Default", ID_VIEW_TOGGLE_GRID},
    };
    for (const Case& c : cases) {
        HMENU hMenu = ::LoadMenuA(Module(), MAKEINTRESOURCEA(c.nID));
        ASSERT_NE(hMenu, nullptr) << c.nID;
        EXPECT_EQ(ItemText(hMenu, 0), c.popup) << c.nID;
        HMENU hPopup = ::GetSubMenu(hMenu, 0);
        EXPECT_EQ(ToggleViewsOf(hPopup), kToggleIds) << c.nID;
        std::set<UINT> commands;
        CollectCommands(hPopup, commands);
        EXPECT_EQ(commands.count(c.nSampleCommand), 1u) << c.nID;
        ::DestroyMenu(hMenu);
    }
}

TEST(Resources, EveryCommandHasAPromptAndATip)
{
    std::set<UINT> commands;
    for (UINT nMenu :
         {IDR_FULLMENU, IDR_MENUBAR, IDR_TOGGLE_VIEWS, IDR_EXPLORER_FOLDERS, IDR_CONTEXT_TABLE,
          IDR_CONTEXT_DATA_GRAPH, IDR_CONTEXT_GRAPH, IDR_CONTEXT_LIST, IDR_CONTEXT_MATRIX,
          IDR_CONTEXT_GRAPH3D, IDR_CONTEXT_DEFAULT}) {
        HMENU hMenu = ::LoadMenuA(Module(), MAKEINTRESOURCEA(nMenu));
        CollectCommands(hMenu, commands);
        ::DestroyMenu(hMenu);
    }
    for (UINT nID : {ID_VIEW_SHOW_WORKSPACE, ID_VIEW_SHOW_GRID, ID_VIEW_SHOW_PLOT2D,
                     ID_VIEW_SHOW_ALL, ID_VIEW_SHOW_PLOT3D})
        commands.insert(nID);
    EXPECT_GT(commands.size(), 120u);
    for (UINT nID : commands) {
        const std::string text = LoadText(nID);
        const std::size_t nl = text.find('\n');
        EXPECT_TRUE(nl != std::string::npos && nl > 0 && nl + 1 < text.size())
            << nID << ": \"" << text << "\"";
    }
    const std::string compare = LoadText(ID_DATA_COMPARE_COLUMNS);
    EXPECT_EQ(compare.substr(0, compare.find('\n')),
              "Performs various statistical comparisons for the data columns of the selected data "
              "table");
}

// The mnemonics of one menu level (hMenu, and hDrawn, the same level loaded owner-drawn),
// each checked against the labels around it: every item shown has one, no letter twice, none
// on a word's last letter (Wine's text drawing puts that underline after the word) while the
// label has a letter inside a word that no other item of the level claims, and each answers
// its own item in the owner-drawn pop-up. The top level of a context menu is never shown.
enum class Level { ContextMenu, MenuBar, Popup };
void CheckMnemonics(HMENU hMenu, HMENU hDrawn, Level level, const std::string& where, int& nLevels)
{
    ++nLevels;
    std::vector<std::u16string> labels; // as drawn, the ampersands read out
    std::vector<int> at;                // where the mnemonic is in the label; -1 for none
    for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i) {
        std::string text = ItemText(hMenu, i);
        if (HMENU hSub = ::GetSubMenu(hMenu, i))
            CheckMnemonics(hSub, ::GetSubMenu(hDrawn, i), Level::Popup, where + " / " + text,
                           nLevels);
        text = text.substr(0, text.find('\t'));
        labels.emplace_back();
        at.push_back(StripMnemonic(std::u16string(text.begin(), text.end()), labels.back()));
        if (level == Level::ContextMenu ||
            ::GetMenuState(hMenu, UINT(i), MF_BYPOSITION) & MF_SEPARATOR)
            at.back() = -2; // nothing to choose
    }
    std::string keys;
    for (std::size_t i = 0; i < labels.size(); ++i)
        keys += at[i] >= 0 ? ascii::ToLower(char(labels[i][std::size_t(at[i])])) : '\0';
    const auto insideWord = [](const std::u16string& text, std::size_t i) {
        return i + 1 < text.size() && ::isalnum(BYTE(text[i])) && ::isalnum(BYTE(text[i + 1]));
    };
    for (std::size_t i = 0; i < labels.size(); ++i) {
        const std::string label(labels[i].begin(), labels[i].end());
        EXPECT_NE(at[i], -1) << where << ": " << label << " has no mnemonic";
        if (at[i] < 0)
            continue;
        EXPECT_EQ(std::count(keys.begin(), keys.end(), keys[i]), 1)
            << where << ": '" << keys[i] << "' of " << label;
        if (level == Level::Popup) {
            const LRESULT answer = COwnerDrawMenu::FindMnemonicItem(UINT(keys[i]), MF_POPUP,
                                                                    CMenu::FromHandle(hDrawn));
            EXPECT_EQ(answer, MAKELRESULT(i, MNC_EXECUTE))
                << where << ": '" << keys[i] << "' in the owner-drawn " << label;
        }
        if (insideWord(labels[i], std::size_t(at[i])))
            continue;
        for (std::size_t j = 0; j < label.size(); ++j)
            EXPECT_FALSE(insideWord(labels[i], j) &&
                         keys.find(ascii::ToLower(label[j])) == std::string::npos)
                << where << ": " << label << " could take '" << label[j] << "'";
    }
}

TEST(Resources, EveryMenuItemHasAMnemonicOfItsOwnThatItsPopupAnswers)
{
    std::vector<UINT> menus;
    ::EnumResourceNamesA(
        Module(), RT_MENU,
        [](HMODULE, LPCSTR, LPSTR name, LONG_PTR param) -> BOOL {
            if (IS_INTRESOURCE(name))
                reinterpret_cast<std::vector<UINT>*>(param)->push_back(UINT(UINT_PTR(name)));
            return TRUE;
        },
        LONG_PTR(&menus));
    EXPECT_GE(menus.size(), 15u) << "every menu of the program";
    const std::set<UINT> bars = {IDR_MENUBAR, IDR_MAINFRAME, IDR_FULLMENU};
    int nLevels = 0;
    for (UINT nMenu : menus) {
        HMENU hMenu = ::LoadMenuA(Module(), MAKEINTRESOURCEA(nMenu));
        ASSERT_NE(hMenu, nullptr) << nMenu;
        COwnerDrawMenu drawn;
        ASSERT_TRUE(drawn.LoadMenu(nMenu)) << nMenu;
        CheckMnemonics(hMenu, drawn.m_hMenu,
                       bars.count(nMenu) ? Level::MenuBar : Level::ContextMenu,
                       "menu " + std::to_string(nMenu), nLevels);
        ::DestroyMenu(hMenu);
    }
    EXPECT_GT(nLevels, 50);
}

TEST(Resources, Accelerators)
{
    HACCEL hAccel = ::LoadAcceleratorsA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME));
    ASSERT_NE(hAccel, nullptr);
    ACCEL table[32];
    const int n = ::CopyAcceleratorTableA(hAccel, table, 32);
    std::set<std::vector<UINT>> got;
    for (int i = 0; i < n; ++i)
        got.insert({UINT(table[i].fVirt & ~FNOINVERT), table[i].key, table[i].cmd});
    const UINT V = FVIRTKEY, C = FVIRTKEY | FCONTROL, S = FVIRTKEY | FSHIFT, A = FVIRTKEY | FALT;
    const std::set<std::vector<UINT>> expected = {
        {C, 'N', IDM_FILE_NEW},        {C, 'O', IDM_FILE_OPEN},      {C, 'S', IDM_FILE_SAVE},
        {C, 'P', IDM_FILE_PRINT},      {C, 'Z', IDM_EDIT_UNDO},      {A, VK_BACK, IDM_EDIT_UNDO},
        {C, 'X', IDM_EDIT_CUT},        {S, VK_DELETE, IDM_EDIT_CUT}, {C, 'C', IDM_EDIT_COPY},
        {C, VK_INSERT, IDM_EDIT_COPY}, {C, 'V', IDM_EDIT_PASTE},     {S, VK_INSERT, IDM_EDIT_PASTE},
        {V, VK_F6, IDM_NEXT_PANE},     {S, VK_F6, IDM_PREV_PANE},
    };
    EXPECT_EQ(got, expected);
}

// The buttons (command ids, separators left out) of a tool-bar resource, checking its header.
std::vector<UINT> ToolBarButtons(UINT nID)
{
    std::vector<UINT> buttons;
    HRSRC hRes = ::FindResourceA(Module(), MAKEINTRESOURCEA(nID), MAKEINTRESOURCEA(241));
    if (!hRes)
        return buttons;
    const auto* words = static_cast<const WORD*>(::LockResource(::LoadResource(Module(), hRes)));
    const DWORD bytes = ::SizeofResource(Module(), hRes);
    EXPECT_EQ(words[0], 1) << nID;  // version
    EXPECT_EQ(words[1], 16) << nID; // image width
    EXPECT_EQ(words[2], 15) << nID; // image height
    EXPECT_EQ(bytes, DWORD(8 + 2 * words[3])) << nID;
    for (int i = 0; i < words[3]; ++i)
        if (words[4 + i] != 0)
            buttons.push_back(words[4 + i]);
    return buttons;
}

BITMAP BitmapInfo(UINT nID)
{
    BITMAP bm{};
    HANDLE hBitmap =
        ::LoadImageA(Module(), MAKEINTRESOURCEA(nID), IMAGE_BITMAP, 0, 0, LR_CREATEDIBSECTION);
    if (hBitmap) {
        ::GetObjectA(hBitmap, sizeof bm, &bm);
        ::DeleteObject(hBitmap);
    }
    return bm;
}

TEST(Resources, ToolBarsMatchTheirImageStrips)
{
    const std::vector<UINT> bar = ToolBarButtons(IDR_MENUBAR);
    const std::vector<UINT> full = ToolBarButtons(IDR_MAINFRAME);
    ASSERT_FALSE(bar.empty());
    for (UINT nID : {IDR_MENUBAR, IDR_MAINFRAME}) {
        const BITMAP bm = BitmapInfo(nID);
        const std::size_t count = nID == IDR_MENUBAR ? bar.size() : full.size();
        EXPECT_EQ(bm.bmWidth, LONG(16 * count)) << nID;
        EXPECT_EQ(bm.bmHeight, 15) << nID;
        EXPECT_EQ(bm.bmBitsPixel, 4) << nID;
    }
    // The fuller bar holds every button of the menu bar's, in the same order.
    std::vector<UINT> common;
    for (UINT nID : full)
        if (std::find(bar.begin(), bar.end(), nID) != bar.end())
            common.push_back(nID);
    EXPECT_EQ(common, bar);
    EXPECT_GT(full.size(), bar.size());
    // The view toggles have buttons, so context menus show their images.
    for (UINT nID : kToggleIds)
        EXPECT_NE(std::find(bar.begin(), bar.end(), nID), bar.end()) << nID;

    EXPECT_EQ(BitmapInfo(IDB_VIEW_TABS).bmWidth, 5 * 16);
    EXPECT_EQ(BitmapInfo(IDB_CAPTION_BUTTONS).bmWidth % 18, 0);
    EXPECT_GT(BitmapInfo(IDB_CAPTION_BUTTONS).bmWidth, 0);
}

TEST(Resources, Icons)
{
    const UINT explorer[] = {IDI_FOLDER,           IDI_TABLE,        IDI_ITEM_2,
                             IDI_ITEM_3,           IDI_ITEM_4,       IDI_GRAPH,
                             IDI_ITEM_6,           IDI_LIST,         IDI_ITEM_8,
                             IDI_MATRIX,           IDI_VARIABLES,    IDI_EXPRESSION_VARIABLES,
                             IDI_SOLVER_EQUATIONS, IDI_SOLVER_MODEL, IDI_USER_DEFINED,
                             IDI_CONSTANTS,        IDI_FUNCTIONS,    IDI_CONVERSIONS,
                             IDI_PREDEFINED,       IDI_FAILED_GRAPH, IDI_GRAPH_3D};
    for (UINT nID : explorer) {
        HICON hIcon = HICON(::LoadImageA(Module(), MAKEINTRESOURCEA(nID), IMAGE_ICON, 16, 16, 0));
        EXPECT_NE(hIcon, nullptr) << nID;
        ::DestroyIcon(hIcon);
    }
    for (int size : {16, 32}) {
        HICON hIcon = HICON(
            ::LoadImageA(Module(), MAKEINTRESOURCEA(IDR_MAINFRAME), IMAGE_ICON, size, size, 0));
        ICONINFO info{};
        ASSERT_TRUE(::GetIconInfo(hIcon, &info)) << size;
        BITMAP bm{};
        ::GetObjectA(info.hbmMask, sizeof bm, &bm);
        EXPECT_EQ(bm.bmWidth, size);
        ::DeleteObject(info.hbmMask);
        ::DeleteObject(info.hbmColor);
        ::DestroyIcon(hIcon);
    }
}

TEST(Resources, Texts)
{
    struct Case {
        UINT nID;
        const char* text;
    };
    const Case cases[] = {
        {IDR_MAINFRAME, "Zivra Kelmora\nUntitled\nZivra Project\nZivra Project (*.zvp)\n.zvp\n"
                        "Zivra.Project.1\nZivra Project"},
        {IDS_COMPANY, "Zivra Software"},
        {IDS_APP_TITLE, "Zivra Kelmora"},
        {IDS_IDLE_MESSAGE, "Ready"},
        {IDS_INDICATOR_ANGLE, " DEG "},
        {IDS_INDICATOR_BASE, " DEC "},
        {IDS_INDICATOR_COORDINATES, " x = 0, y = 0 "},
        {IDS_INDICATOR_CAPS, "CAP"},
        {IDS_ENTER_EQUATION, "Please enter an equation"},
        {IDS_UNITS_NOT_COMPATIBLE, "The conversion cannot be carried out.  Please make sure that "
                                   "the two units are the same dimensionally"},
        {IDS_FIELD_MISSING, "Required field missing"},
        {IDS_INVALID_RANGE, "The range you've entered is invalid"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(LoadText(c.nID), c.text) << c.nID;
}

INT_PTR CALLBACK QuietDialogProc(HWND, UINT, WPARAM, LPARAM) { return FALSE; }

TEST(Resources, ToolWindowDialogs)
{
    struct Case {
        UINT nID;
        const char* caption;
        std::vector<int> controls;
    };
    const Case cases[] = {
        {IDD_UNIT_CONVERTER,
         "Unit Converter",
         {1020, 1021, 1022, 1033, 1034, 1035, 1083, 1084, 1085, 1086, 1087, 1088, 1090}},
        {IDD_FINANCE_BOX,
         "Finance Box",
         {1002, 1005, 1006, 1007, 1008, 1053, 1055, 1056, 1057, 1058, 1059, 1060, 1061, 1062}},
        {IDD_CONFIRM_DELETE, "Confirm deletion", {IDYES, IDNO, 1330, 1331}},
    };
    for (const Case& c : cases) {
        HWND hDlg =
            ::CreateDialogParamA(Module(), MAKEINTRESOURCEA(c.nID), nullptr, &QuietDialogProc, 0);
        ASSERT_NE(hDlg, nullptr) << c.nID;
        char caption[64] = {};
        ::GetWindowTextA(hDlg, caption, sizeof caption);
        EXPECT_STREQ(caption, c.caption);
        for (int nControl : c.controls)
            EXPECT_NE(::GetDlgItem(hDlg, nControl), nullptr) << c.nID << " control " << nControl;
        EXPECT_FALSE(::IsWindowVisible(hDlg));
        ::DestroyWindow(hDlg);
    }
}

bool IsRadio(HWND hWnd)
{
    const LONG type = ::GetWindowLongA(hWnd, GWL_STYLE) & BS_TYPEMASK;
    char cls[16] = {};
    ::GetClassNameA(hWnd, cls, sizeof cls);
    return lstrcmpiA(cls, "Button") == 0 && (type == BS_RADIOBUTTON || type == BS_AUTORADIOBUTTON);
}

// Labels and group boxes take no focus: they neither join nor end a group.
bool TakesNoFocus(HWND hWnd)
{
    char cls[16] = {};
    ::GetClassNameA(hWnd, cls, sizeof cls);
    const LONG type = ::GetWindowLongA(hWnd, GWL_STYLE) & BS_TYPEMASK;
    return lstrcmpiA(cls, "Static") == 0 || (lstrcmpiA(cls, "Button") == 0 && type == BS_GROUPBOX);
}

// A page reads and sets its radio buttons by their place from the group's first button to the
// next control marked as a group's start: every group must start with the mark, and a control
// after it that takes the focus must come after a mark, or a stored choice shows on the wrong
// button.
TEST(Resources, RadioGroupsStartAndEndAtAGroupMark)
{
    int radios = 0;
    const int dialogs = ForEachDialogTemplate([&](UINT nDialog, HWND hDlg) {
        ASSERT_NE(hDlg, nullptr) << nDialog;
        bool bInGroup = false;
        for (HWND h = ::GetWindow(hDlg, GW_CHILD); h; h = ::GetWindow(h, GW_HWNDNEXT)) {
            const bool bMark = ::GetWindowLongA(h, GWL_STYLE) & WS_GROUP;
            const int nID = ::GetDlgCtrlID(h);
            if (IsRadio(h)) {
                ++radios;
                EXPECT_TRUE(bInGroup || bMark) << nDialog << ": radio " << nID;
                bInGroup = true;
            } else if (bInGroup && (bMark || !TakesNoFocus(h))) {
                EXPECT_TRUE(bMark) << nDialog << ": control " << nID << " joins a group";
                bInGroup = false;
            }
        }
    });
    EXPECT_GT(dialogs, 20);
    EXPECT_GT(radios, 30);
}

} // namespace
