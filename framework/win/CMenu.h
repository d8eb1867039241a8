#pragma once
#include "framework/core/CObject.h"
#include "framework/core/CString.h"
#include "framework/win/AfxState.h"

class CWnd;

// A menu: owns its HMENU (destroyed with the object) unless it was only borrowed through
// FromHandle or Detach'ed. Owner-drawn menus derive from it and draw their items in
// DrawItem/MeasureItem, which the owner window calls for menus it tracks or shows.
class CMenu : public CObject {
    DECLARE_DYNCREATE(CMenu)
public:
    CMenu() = default;
    ~CMenu() override;
    CMenu(const CMenu&) = delete;
    CMenu& operator=(const CMenu&) = delete;

    HMENU m_hMenu = nullptr;
    // The menu of a member that works on it: calling one without a live menu is the caller's
    // error (asserted).
    HMENU LiveHmenu() const
    {
        ASSERT(::IsMenu(m_hMenu));
        return m_hMenu;
    }
    operator HMENU() const { return m_hMenu; }
    HMENU GetSafeHmenu() const { return m_hMenu; }

    static CMenu* FromHandle(HMENU hMenu);
    static CMenu* FromHandlePermanent(HMENU hMenu);
    // Makes this object the owner of hNewMenu. It must hold no menu, and hNewMenu must have no
    // other owner (both asserted; refused with FALSE).
    BOOL Attach(HMENU hNewMenu);
    HMENU Detach();

    BOOL CreateMenu() { return AttachCreated(::CreateMenu()); }
    BOOL CreatePopupMenu() { return AttachCreated(::CreatePopupMenu()); }
    virtual void DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct);
    virtual void MeasureItem(LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    // The answer to WM_MENUCHAR for a character typed in this pop-up (flags as the message
    // gives them), whichever window owns it: 0 leaves it to the system, which finds nothing
    // in owner-drawn items.
    virtual LRESULT MenuChar(UINT nChar, UINT nFlags)
    {
        (void)nChar;
        (void)nFlags;
        return 0;
    }
    virtual BOOL LoadMenu(LPCTSTR lpszResourceName);
    virtual BOOL LoadMenu(UINT nIDResource) { return LoadMenu(MAKEINTRESOURCEA(nIDResource)); }
    virtual BOOL DestroyMenu();

    BOOL AppendMenu(UINT nFlags, UINT_PTR nIDNewItem = 0, LPCTSTR lpszNewItem = nullptr)
    {
        return ::AppendMenuA(LiveHmenu(), nFlags, nIDNewItem, lpszNewItem);
    }
    BOOL InsertMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0,
                    LPCTSTR lpszNewItem = nullptr)
    {
        return ::InsertMenuA(LiveHmenu(), nPosition, nFlags, nIDNewItem, lpszNewItem);
    }
    BOOL ModifyMenu(UINT nPosition, UINT nFlags, UINT_PTR nIDNewItem = 0,
                    LPCTSTR lpszNewItem = nullptr)
    {
        return ::ModifyMenuA(LiveHmenu(), nPosition, nFlags, nIDNewItem, lpszNewItem);
    }
    BOOL DeleteMenu(UINT nPosition, UINT nFlags)
    {
        return ::DeleteMenu(LiveHmenu(), nPosition, nFlags);
    }
    BOOL RemoveMenu(UINT nPosition, UINT nFlags)
    {
        return ::RemoveMenu(LiveHmenu(), nPosition, nFlags);
    }
    UINT CheckMenuItem(UINT nIDCheckItem, UINT nCheck)
    {
        return ::CheckMenuItem(LiveHmenu(), nIDCheckItem, nCheck);
    }
    UINT EnableMenuItem(UINT nIDEnableItem, UINT nEnable)
    {
        return ::EnableMenuItem(LiveHmenu(), nIDEnableItem, nEnable);
    }
    BOOL CheckMenuRadioItem(UINT nIDFirst, UINT nIDLast, UINT nIDItem, UINT nFlags)
    {
        return ::CheckMenuRadioItem(LiveHmenu(), nIDFirst, nIDLast, nIDItem, nFlags);
    }

    // Item state.
    UINT GetMenuItemCount() const { return UINT(::GetMenuItemCount(LiveHmenu())); }
    UINT GetMenuItemID(int nPos) const { return ::GetMenuItemID(LiveHmenu(), nPos); }
    UINT GetMenuState(UINT nID, UINT nFlags) const
    {
        return ::GetMenuState(LiveHmenu(), nID, nFlags);
    }
    int GetMenuString(UINT nIDItem, LPTSTR lpString, int nMaxCount, UINT nFlags) const
    {
        return ::GetMenuStringA(LiveHmenu(), nIDItem, lpString, nMaxCount, nFlags);
    }
    // The text the item shows, '&' marks included; an owner-drawn menu answers with the text it
    // draws, which the system does not hold.
    virtual int GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const;
    BOOL GetMenuItemInfo(UINT uItem, LPMENUITEMINFOA lpMenuItemInfo, BOOL fByPos = FALSE)
    {
        return ::GetMenuItemInfoA(LiveHmenu(), uItem, fByPos, lpMenuItemInfo);
    }
    BOOL SetMenuItemInfo(UINT uItem, LPMENUITEMINFOA lpMenuItemInfo, BOOL fByPos = FALSE)
    {
        return ::SetMenuItemInfoA(LiveHmenu(), uItem, fByPos, lpMenuItemInfo);
    }
    CMenu* GetSubMenu(int nPos) const { return FromHandle(::GetSubMenu(LiveHmenu(), nPos)); }

    // Shows the pop-up; while it is open the owner's WM_MEASUREITEM finds this menu, so an
    // owner-drawn menu measures and draws its own items. With TPM_RETURNCMD, the command.
    BOOL TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect = nullptr);

protected:
    // Attaches a menu just made for this object; when refused, the menu is destroyed again.
    BOOL AttachCreated(HMENU hNewMenu);
};
