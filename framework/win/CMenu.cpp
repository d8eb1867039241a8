#include "framework/win/CMenu.h"

#include "framework/win/CWnd.h"
#include "framework/win/HandleMap.h"
#include "framework/win/TempMaps.h"

IMPLEMENT_DYNCREATE(CMenu, CObject)

namespace {

using MenuMap = CHandleMap<CMenu, HMENU, &CMenu::m_hMenu>;

MenuMap& TheMenuMap()
{
    static MenuMap& map = *new MenuMap; // outlives every global object
    return map;
}

} // namespace

void AfxDeleteTempMenuMap() { TheMenuMap().DeleteTemp(); }

CMenu::~CMenu()
{
    if (TheMenuMap().Owns(this))
        ::DestroyMenu(Detach());
}

CMenu* CMenu::FromHandle(HMENU hMenu) { return TheMenuMap().FromHandle(hMenu); }

CMenu* CMenu::FromHandlePermanent(HMENU hMenu) { return TheMenuMap().LookupPermanent(hMenu); }

BOOL CMenu::Attach(HMENU hNewMenu) { return TheMenuMap().Attach(this, hNewMenu); }

BOOL CMenu::AttachCreated(HMENU hNewMenu)
{
    if (Attach(hNewMenu))
        return TRUE;
    if (hNewMenu)
        ::DestroyMenu(hNewMenu);
    return FALSE;
}

HMENU CMenu::Detach() { return TheMenuMap().Detach(this); }

BOOL CMenu::LoadMenu(LPCTSTR lpszResourceName)
{
    return AttachCreated(::LoadMenuA(AfxGetResourceHandle(), lpszResourceName));
}

BOOL CMenu::DestroyMenu()
{
    if (!m_hMenu)
        return FALSE;
    return ::DestroyMenu(Detach());
}

void CMenu::DrawItem(LPDRAWITEMSTRUCT) {}

void CMenu::MeasureItem(LPMEASUREITEMSTRUCT) {}

int CMenu::GetMenuString(UINT nIDItem, CString& rString, UINT nFlags) const
{
    const int nLen = ::GetMenuStringA(LiveHmenu(), nIDItem, nullptr, 0, nFlags);
    if (nLen <= 0) {
        rString.Empty();
        return 0;
    }
    ::GetMenuStringA(LiveHmenu(), nIDItem, rString.GetBufferSetLength(nLen), nLen + 1, nFlags);
    rString.ReleaseBuffer();
    return rString.GetLength();
}

BOOL CMenu::TrackPopupMenu(UINT nFlags, int x, int y, CWnd* pWnd, LPCRECT lpRect)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    const HWND hOldWindow = state->m_hTrackingWindow;
    const HMENU hOldMenu = state->m_hTrackingMenu;
    state->m_hTrackingWindow = AfxSafeHwnd(pWnd);
    state->m_hTrackingMenu = m_hMenu;
    const BOOL result = ::TrackPopupMenu(LiveHmenu(), nFlags, x, y, 0, AfxSafeHwnd(pWnd), lpRect);
    state->m_hTrackingWindow = hOldWindow;
    state->m_hTrackingMenu = hOldMenu;
    return result;
}
