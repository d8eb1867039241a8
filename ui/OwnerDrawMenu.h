#pragma once
#include "framework/core/CString.h"
#include "framework/core/Geometry.h"
#include "framework/win/CMenu.h"

#include <string>
#include <vector>

class COwnerDrawMenu;
class CDC;
class CImageList;

// What an owner-drawn item carries: its text, its image (an image of a tool-bar resource's
// strip) and how it sits in the menu.
class CMenuItemData {
public:
    CMenuItemData(COwnerDrawMenu* pOwner, std::wstring text, UINT nFlags, UINT_PTR nID);
    ~CMenuItemData();
    CMenuItemData(const CMenuItemData&) = delete;
    CMenuItemData& operator=(const CMenuItemData&) = delete;

    CString GetAnsiText() const { return ToAnsi(m_strText); }
    static CString ToAnsi(const std::wstring& text);
    void SetAnsiText(LPCTSTR lpszText);
    // Shows image nImage of tool-bar resource nResource (-1: none).
    void SetImage(int nResource, int nImage);
    // The strip's image list, or nullptr without an image.
    CImageList* GetImageList() const;

    // The record of a live owner-drawn menu item, from the item's data; nullptr for anything
    // else.
    static CMenuItemData* FromItemData(ULONG_PTR itemData);
    // Records alive in the process (tests watch it return to where it was).
    static int GetLiveCount();

    std::wstring m_strText;
    int m_nImageIndex = -1;
    int m_nImageResource = -1;
    UINT m_nFlags;
    UINT_PTR m_nID; // the command, or the pop-up's menu handle
    BOOL m_bSynced = FALSE;
    COwnerDrawMenu* m_pOwner; // the menu level the item belongs to
};

// A menu whose items draw themselves in the system menu font and colours: an image column on
// the left holding a command's tool-bar image (or a drawn check mark or bullet), the text, the
// accelerator right-aligned, disabled items embossed. Every level (the menu and each pop-up)
// is a COwnerDrawMenu object owning its item records; pop-ups converted on their way to the
// screen also draw items added at run time.
class COwnerDrawMenu : public CMenu {
    DECLARE_DYNCREATE(COwnerDrawMenu)
public:
    COwnerDrawMenu();
    ~COwnerDrawMenu() override;

    void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct) override;
    void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct) override;
    // Its items' mnemonics, whichever window tracks the pop-up (FindMnemonicItem).
    LRESULT MenuChar(UINT nChar, UINT nFlags) override
    {
        return FindMnemonicItem(nChar, nFlags, this);
    }
    // Builds the menu from the menu resource; FALSE (and no menu) when it is missing or
    // damaged. The top level stays plain text for a menu bar to draw.
    BOOL LoadMenu(LPCTSTR lpszResourceName) override;
    BOOL LoadMenu(UINT nIDResource) override { return LoadMenu(MAKEINTRESOURCEA(nIDResource)); }
    BOOL DestroyMenu() override;
    using CMenu::GetMenuString;
    int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const override;

    // Appends an owner-drawn item with a new record; nImageResource >= 0 gives it its
    // command's image on that tool-bar resource.
    BOOL AppendImageItem(LPCWSTR lpszText, UINT nFlags, UINT_PTR nID, int nImageResource = -1);
    BOOL AppendImageItem(LPCTSTR lpszText, UINT nFlags, UINT_PTR nID, int nImageResource = -1);
    // Gives every item of command nID (anywhere in the tree) text (unless null) and the image
    // of that command on tool bar nImageResource; FALSE when no item has the command.
    BOOL SetCommandImage(LPCTSTR lpszText, UINT nID, int nImageResource);
    // The level holding command nID and its position there; nullptr and -1 when absent.
    COwnerDrawMenu* FindCommandLevel(UINT nID, int& nPos);
    BOOL OwnsSubMenu(const CMenu* pMenu) const;
    // Gives every command of this menu that has a button on tool-bar resource nIDToolBar
    // that button's image; FALSE when the resource does not load.
    BOOL LoadToolBarImages(UINT nIDToolBar);
    // The records of this level, in menu order.
    const std::vector<CMenuItemData*>& GetRecords() const { return m_records; }

    // Makes every item of a pop-up owner-drawn, keeping the records of items it had and
    // dropping those of items gone; nothing for a menu that is no COwnerDrawMenu.
    static void MakePopupOwnerDrawn(CMenu* pPopup);
    // The answer to WM_MENUCHAR for a pop-up of an owner-drawn menu: execute the item whose
    // mnemonic is nChar (either case), else 0.
    static LRESULT FindMnemonicItem(UINT nChar, UINT nFlags, CMenu* pMenu);
    // The strips of every tool bar in use were drawn for the old colours: drawn again.
    static void OnSysColorChange();
    // Image strips loaded for menus now (tests watch it return to where it was).
    static int GetStripCount();

    // Draws an item's label or accelerator in the DC's font and text colour: one line,
    // vertically centred against the rectangle's left or right edge (nAlign DT_LEFT or
    // DT_RIGHT), the mnemonic underlined.
    static void DrawItemText(CDC* pDC, const std::wstring& text, CRect rect, UINT nAlign);

    // 0 16-bit hosted, 1 Windows 95 family, 2 NT before 4, 3 NT 4 and later; 1 and 3 draw
    // wide text in the menu font.
    static int GetMenuStyle();
    static void SetMenuStyle(int nStyle);
    static BOOL IsNewShell() { return GetMenuStyle() == 1 || GetMenuStyle() == 3; }

    CSize m_sizeImage{16, 15};
    COLORREF m_crMask = RGB(192, 192, 192);
    BOOL m_bUseMask = FALSE; // else the button face is the strip's transparent colour

protected:
    CMenuItemData* AddRecord(std::wstring text, UINT nFlags, UINT_PTR nID);
    COwnerDrawMenu* NewSubMenu();
    void SetItemImage(int nPos, LPCTSTR lpszText, int nImageResource);
    void DeleteRecords();
    // Aligns the accelerators of this level's items.
    void AlignAccelerators();
    void DrawImage(CDC* pDC, const CMenuItemData* pRecord, const CRect& rectBox, UINT nState);
    void DrawCheck(CDC* pDC, const CMenuItemData* pRecord, CRect rectBox, UINT nState);

    std::vector<CMenuItemData*> m_records;
    std::vector<COwnerDrawMenu*> m_subMenus;
};
