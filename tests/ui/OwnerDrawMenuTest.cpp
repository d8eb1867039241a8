// Owner-drawn menus: built from a menu resource, images from a tool bar, items added and
// removed at run time, mnemonics, the look of checked and disabled items, and nothing left
// behind.
#include "ui/OwnerDrawMenu.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/ui/UiTestApp.h"
#include "tests/ui/UiTestRes.h"
#include "ui/SystemFonts.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

std::string Texts(COwnerDrawMenu* pLevel)
{
    std::string texts;
    for (const CMenuItemData* pRecord : pLevel->GetRecords()) {
        if (!texts.empty())
            texts += '|';
        texts += (pRecord->m_nFlags & MF_SEPARATOR) ? std::string("-")
                                                    : std::string(pRecord->GetAnsiText());
    }
    return texts;
}

COwnerDrawMenu* Level(CMenu* pMenu)
{
    return dynamic_cast<COwnerDrawMenu*>(CMenu::FromHandlePermanent(pMenu->m_hMenu));
}

class OwnerDrawMenuTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        m_nRecords = CMenuItemData::GetLiveCount();
        m_nStrips = COwnerDrawMenu::GetStripCount();
        ASSERT_TRUE(m_menu.LoadMenu(IDR_TESTMENU));
        m_pFile = Level(m_menu.GetSubMenu(0));
        ASSERT_NE(m_pFile, nullptr);
        m_pRecent = Level(m_pFile->GetSubMenu(4));
        ASSERT_NE(m_pRecent, nullptr);
    }
    int m_nRecords = 0, m_nStrips = 0;
    COwnerDrawMenu m_menu;
    COwnerDrawMenu* m_pFile = nullptr;
    COwnerDrawMenu* m_pRecent = nullptr;
};

TEST_F(OwnerDrawMenuTest, TheTreeFollowsTheResourceAndThePopupsDrawThemselves)
{
    // The top level stays plain text for a menu bar; the pop-ups are owner-drawn.
    EXPECT_EQ(m_menu.GetMenuItemCount(), 2u);
    auto typeOf = [](CMenu* pMenu, UINT nPos) {
        MENUITEMINFOA info = {};
        info.cbSize = sizeof info;
        info.fMask = MIIM_FTYPE;
        ::GetMenuItemInfoA(pMenu->m_hMenu, nPos, TRUE, &info);
        return info.fType;
    };
    EXPECT_FALSE(typeOf(&m_menu, 0) & MFT_OWNERDRAW);
    CString top;
    m_menu.GetMenuString(1, top, MF_BYPOSITION);
    EXPECT_EQ(top, CString("F&ormat"));
    EXPECT_TRUE(typeOf(m_pFile, 0) & MFT_OWNERDRAW);
    EXPECT_TRUE(typeOf(m_pFile, 4) & MFT_OWNERDRAW); // a pop-up's own item too
    // Their texts, which the system no longer holds, read from the records, letters and all.
    const struct {
        CMenu* pMenu;
        UINT nItem, nFlags;
        const char* text;
    } reads[] = {{m_pFile, 3, MF_BYPOSITION, "&Save"},
                 {m_pFile, ID_TEST_OTHER, MF_BYCOMMAND, "One"}, // in a sub-menu
                 {&m_menu, 0, MF_BYPOSITION, "&File"}};
    for (const auto& r : reads) {
        CString text;
        EXPECT_EQ(r.pMenu->GetMenuString(r.nItem, text, r.nFlags), int(std::strlen(r.text)));
        EXPECT_EQ(text, CString(r.text)) << r.text;
    }
    // Accelerators line up: the labels before them, padded, are equally wide within a space.
    CFont font;
    CreateSystemFont(font, SystemFont::Menu);
    CClientDC dc(nullptr);
    CFont* pOldFont = dc.SelectObject(&font);
    auto labelWidth = [&](const CMenuItemData* pRecord) {
        const std::wstring label = pRecord->m_strText.substr(0, pRecord->m_strText.find(L'\t'));
        SIZE size = {};
        ::GetTextExtentPoint32W(dc.m_hDC, label.c_str(), int(label.size()), &size);
        return int(size.cx);
    };
    SIZE space = {};
    ::GetTextExtentPoint32W(dc.m_hDC, L" ", 1, &space);
    const int newWidth = labelWidth(m_pFile->GetRecords()[0]);
    const int openWidth = labelWidth(m_pFile->GetRecords()[1]);
    dc.SelectObject(pOldFont);
    EXPECT_LE(std::abs(newWidth - openWidth), space.cx);
    EXPECT_NE(m_pFile->GetRecords()[0]->m_strText.find(L" \t"), std::wstring::npos);
    // The pop-up last in File closes its level and File's.
    EXPECT_EQ(Texts(m_pRecent), "One|Save Again");
    EXPECT_EQ(Texts(Level(m_menu.GetSubMenu(1))), "&Bold|&Plain");
    EXPECT_TRUE(m_menu.OwnsSubMenu(m_menu.GetSubMenu(1)));
    EXPECT_FALSE(m_menu.OwnsSubMenu(m_pFile->GetSubMenu(4))); // one level down

    // A separator is half a menu line high; an item fits its text and two image columns.
    MEASUREITEMSTRUCT measure = {};
    measure.CtlType = ODT_MENU;
    measure.itemData = ULONG_PTR(m_pFile->GetRecords()[2]);
    m_pFile->MeasureItem(&measure);
    EXPECT_EQ(int(measure.itemHeight), ::GetSystemMetrics(SM_CYMENU) / 2);
    measure.itemData = ULONG_PTR(m_pFile->GetRecords()[0]);
    m_pFile->MeasureItem(&measure);
    EXPECT_GT(int(measure.itemWidth), 2 * 16 + 20);
    EXPECT_GE(int(measure.itemHeight), std::max(::GetSystemMetrics(SM_CYMENU), 19));
    // The oldest menus measure per average character: an empty text is just the image columns.
    COwnerDrawMenu::SetMenuStyle(0);
    ASSERT_TRUE(m_pRecent->AppendImageItem("", MF_STRING, 998));
    measure.itemData = ULONG_PTR(m_pRecent->GetRecords().back());
    m_pRecent->MeasureItem(&measure);
    COwnerDrawMenu::SetMenuStyle(3);
    EXPECT_EQ(int(measure.itemWidth), 3 + 2 * 16 + 1);
}

TEST_F(OwnerDrawMenuTest, ACommandOnTheToolBarShowsItsImageWhereverItIs)
{
    ASSERT_TRUE(m_menu.LoadToolBarImages(IDR_TESTBAR));
    const CMenuItemData* pSave = m_pFile->GetRecords()[3];
    const CMenuItemData* pSaveAgain = m_pRecent->GetRecords()[1];
    EXPECT_EQ(pSave->m_nImageIndex, 2);
    EXPECT_EQ(pSaveAgain->m_nImageIndex, 2);
    EXPECT_EQ(pSave->GetImageList(), pSaveAgain->GetImageList()); // one list per strip
    EXPECT_EQ(COwnerDrawMenu::GetStripCount(), m_nStrips + 1);
    EXPECT_EQ(m_pRecent->GetRecords()[0]->m_nImageIndex, -1); // not on the bar
    EXPECT_EQ(Level(m_menu.GetSubMenu(1))->GetRecords()[1]->m_nImageIndex, -1);
    EXPECT_FALSE(m_menu.LoadToolBarImages(999));
    int nPos = -1;
    EXPECT_EQ(m_menu.FindCommandLevel(ID_TEST_PLAIN, nPos), Level(m_menu.GetSubMenu(1)));
    EXPECT_EQ(nPos, 1);
    EXPECT_EQ(m_menu.FindCommandLevel(9999, nPos), nullptr);
    EXPECT_EQ(nPos, -1);
}

TEST_F(OwnerDrawMenuTest, ItemsAddedOrRemovedAtRunTimeGetOrLoseTheirRecords)
{
    ::AppendMenuA(m_pRecent->m_hMenu, MF_STRING | MF_CHECKED, 4321, "C:\\Two.zvp");
    ::DeleteMenu(m_pRecent->m_hMenu, 0, MF_BYPOSITION);
    COwnerDrawMenu::MakePopupOwnerDrawn(m_pRecent);
    EXPECT_EQ(Texts(m_pRecent), "Save Again|C:\\Two.zvp");
    MENUITEMINFOA info = {};
    info.cbSize = sizeof info;
    info.fMask = MIIM_FTYPE | MIIM_STATE | MIIM_DATA;
    ASSERT_TRUE(::GetMenuItemInfoA(m_pRecent->m_hMenu, 1, TRUE, &info));
    EXPECT_TRUE(info.fType & MFT_OWNERDRAW);
    EXPECT_TRUE(info.fState & MFS_CHECKED); // the check mark stays
    EXPECT_EQ(info.dwItemData, ULONG_PTR(m_pRecent->GetRecords()[1]));
    COwnerDrawMenu::MakePopupOwnerDrawn(nullptr); // nothing to do
}

TEST_F(OwnerDrawMenuTest, AMnemonicAnswersEitherCaseWhicheverWindowOwnsTheMenu)
{
    // Any window that tracks the pop-up (an explorer, a plot) answers WM_MENUCHAR for it.
    CWnd owner;
    ASSERT_TRUE(owner.CreateEx(0, "Static", "", WS_POPUP, CRect(0, 0, 10, 10), nullptr, 0));
    EXPECT_EQ(owner.SendMessage(WM_MENUCHAR, MAKEWPARAM('o', MF_POPUP), LPARAM(m_pFile->m_hMenu)),
              MAKELRESULT(1, MNC_EXECUTE));
    owner.DestroyWindow();
    for (UINT ch : {UINT('o'), UINT('O')})
        EXPECT_EQ(COwnerDrawMenu::FindMnemonicItem(ch, MF_POPUP, m_pFile),
                  MAKELRESULT(1, MNC_EXECUTE))
            << char(ch);
    EXPECT_EQ(COwnerDrawMenu::FindMnemonicItem('r', MF_POPUP, m_pFile),
              MAKELRESULT(4, MNC_EXECUTE));
    EXPECT_EQ(COwnerDrawMenu::FindMnemonicItem('z', MF_POPUP, m_pFile), 0);
    EXPECT_EQ(COwnerDrawMenu::FindMnemonicItem('o', 0, m_pFile), 0); // not a pop-up
}

CDibImage DrawRecord(COwnerDrawMenu* pLevel, std::size_t nIndex, UINT nState)
{
    DRAWITEMSTRUCT draw = {};
    draw.CtlType = ODT_MENU;
    draw.itemID = UINT(pLevel->GetRecords()[nIndex]->m_nID);
    draw.itemState = nState;
    draw.hwndItem = reinterpret_cast<HWND>(pLevel->m_hMenu);
    draw.itemData = ULONG_PTR(pLevel->GetRecords()[nIndex]);
    draw.rcItem = {0, 0, 160, 20};
    return AfxDrawToDib(160, 20, [&](CDC& dc) {
        draw.hDC = dc.m_hDC;
        pLevel->DrawItem(&draw);
    });
}

TEST_F(OwnerDrawMenuTest, CheckedItemsShowADrawnMarkAndDisabledOnesEngravedText)
{
    // "One" has no image: checked, it gets the 7-column mark in the menu text colour.
    const CDibImage checked = DrawRecord(m_pRecent, 0, ODS_CHECKED);
    const COLORREF clrMark = ::GetSysColor(COLOR_MENUTEXT);
    const int left = 1 + 4, top = (20 - 15 - 4) / 2 + 1 + 4;
    const int tops[7] = {2, 3, 4, 3, 2, 1, 0};
    for (int column = 0; column < 7; ++column) {
        for (int y = 0; y < 8; ++y) {
            const bool bMark = y >= tops[column] && y < tops[column] + 3;
            EXPECT_EQ(checked.Pixel(left + column, top + y) == clrMark, bMark)
                << "column " << column << " row " << y;
        }
    }
    // Disabled text: grey, with a highlight copy one pixel down and right.
    const CDibImage disabled = DrawRecord(m_pFile, 3, ODS_GRAYED);
    int grey = 0, highlight = 0;
    for (int x = 25; x < 120; ++x)
        for (int y = 0; y < 20; ++y) {
            grey += disabled.Pixel(x, y) == ::GetSysColor(COLOR_GRAYTEXT);
            highlight += disabled.Pixel(x, y) == ::GetSysColor(COLOR_BTNHIGHLIGHT);
        }
    EXPECT_GT(grey, 5);
    EXPECT_GT(highlight, 5);
    // Selected: the highlight bar behind the text.
    const CDibImage selected = DrawRecord(m_pFile, 0, ODS_SELECTED);
    EXPECT_EQ(selected.Pixel(60, 1), ::GetSysColor(COLOR_HIGHLIGHT));
}

// Where a text's last character and its underline lie: what it draws more than the text
// without them. The letter must have no descender.
struct LetterAndLine {
    int inkLeft = -1, inkRight = -1, lineLeft = -1, lineRight = -1;
};

LetterAndLine FindLetterAndLine(const CDibImage& with, const CDibImage& before)
{
    int lineRow = -1; // the lowest row that differs
    for (int y = 0; y < with.height; ++y)
        for (int x = 0; x < with.width; ++x)
            if (with.Pixel(x, y) != before.Pixel(x, y))
                lineRow = y;
    LetterAndLine found;
    for (int y = 0; y <= lineRow; ++y)
        for (int x = 0; x < with.width; ++x) {
            if (with.Pixel(x, y) == before.Pixel(x, y))
                continue;
            int& left = y == lineRow ? found.lineLeft : found.inkLeft;
            int& right = y == lineRow ? found.lineRight : found.inkRight;
            left = left < 0 ? x : std::min(left, x);
            right = std::max(right, x);
        }
    return found;
}

TEST_F(OwnerDrawMenuTest, AMnemonicIsUnderlinedUnderItsLetterInCommandsAndSubMenus)
{
    // Items draw in the system's menu font; Wine's Tahoma measures characters at the menu size
    // wider than it draws them, where an underline placed by measuring alone drifts right.
    const WineTahoma tahoma;
    EXPECT_TRUE(tahoma.Loaded()) << "drawn in the prefix's fonts only";
    CFont font;
    ASSERT_TRUE(
        font.CreateFont(-11, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET, 0, 0, 0, 0, "Tahoma"));
    enum Route { Command, SubMenu, InTahoma };
    auto draw = [&](Route route, const std::wstring& text) {
        if (route == Command || route == SubMenu) {
            const std::size_t index = route == Command ? 3 : 4; // "&Save", "&Recent"
            m_pFile->GetRecords()[index]->m_strText = text;
            return DrawRecord(m_pFile, index, 0);
        }
        return AfxDrawToDib(160, 20, [&](CDC& dc) {
            dc.FillSolidRect(0, 0, 160, 20, RGB(255, 255, 255));
            CFont* pOldFont = dc.SelectObject(&font);
            dc.SetBkMode(TRANSPARENT);
            COwnerDrawMenu::DrawItemText(&dc, text, CRect(4, 0, 156, 20), DT_LEFT);
            dc.SelectObject(pOldFont);
        });
    };
    struct Case {
        Route route;
        const wchar_t* text; // up to the mnemonic's letter
    };
    const Case cases[] = {
        {SubMenu, L"Toggle Vie&w"}, {Command, L"Sort &D"},     {InTahoma, L"Toggle Vie&w"},
        {InTahoma, L"Rena&m"},      {InTahoma, L"&&Print &P"}, {InTahoma, L"Compare Col&u"},
        {InTahoma, L"&T"},
    };
    for (const Case& c : cases) {
        const std::wstring text = c.text;
        const LetterAndLine found =
            FindLetterAndLine(draw(c.route, text), draw(c.route, text.substr(0, text.size() - 2)));
        const char* const routes[] = {"command", "sub-menu", "in Tahoma"};
        const std::string what =
            std::string(routes[c.route]) + " \"" + CMenuItemData::ToAnsi(text).GetString() + "\"";
        ASSERT_GE(found.inkLeft, 0) << what;
        EXPECT_LE(std::abs(found.lineLeft - found.inkLeft), 1)
            << what << ": the line starts at " << found.lineLeft << ", the letter at "
            << found.inkLeft;
        EXPECT_LE(std::abs(found.lineRight - found.inkRight), 2)
            << what << ": the line ends at " << found.lineRight << ", the letter at "
            << found.inkRight;
    }
}

TEST_F(OwnerDrawMenuTest, DestroyingTheMenuLeavesNoRecordOrStripBehind)
{
    for (int round = 0; round < 3; ++round) {
        ASSERT_TRUE(m_menu.LoadMenu(IDR_TESTMENU));
        ASSERT_TRUE(m_menu.LoadToolBarImages(IDR_TESTBAR));
        EXPECT_GT(CMenuItemData::GetLiveCount(), m_nRecords);
    }
    m_menu.DestroyMenu();
    EXPECT_EQ(CMenuItemData::GetLiveCount(), m_nRecords);
    EXPECT_EQ(COwnerDrawMenu::GetStripCount(), m_nStrips);
    EXPECT_FALSE(m_menu.LoadMenu(999)); // a missing resource: no menu
    EXPECT_EQ(m_menu.m_hMenu, nullptr);
}

} // namespace
