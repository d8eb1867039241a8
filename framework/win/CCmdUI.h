#pragma once
#include "framework/win/CCmdTarget.h"

class CMenu;
class CWnd;

// The state of one command's user interface (a menu item, a tool-bar button, a dialog control)
// handed to ON_UPDATE_COMMAND_UI handlers. Bars derive from it to apply the state to buttons.
class CCmdUI {
public:
    CCmdUI() = default;
    virtual ~CCmdUI() = default;

    virtual void Enable(BOOL bOn = TRUE);
    // 0 unchecked, 1 checked, 2 indeterminate (menus show 2 as checked).
    virtual void SetCheck(int nCheck = 1);
    virtual void SetRadio(BOOL bOn = TRUE);
    virtual void SetText(LPCTSTR lpszText);

    // Lets the command go on to the next target after this update handler.
    void ContinueRouting() { m_bContinueRouting = TRUE; }

    // Asks pTarget's update handler; without one, and with bDisableIfNoHndler, the item is
    // enabled exactly when a command handler exists. TRUE when an update handler ran.
    BOOL DoUpdate(CCmdTarget* pTarget, BOOL bDisableIfNoHndler);

    UINT m_nID = 0;
    UINT m_nIndex = 0;           // position in m_pMenu
    CMenu* m_pMenu = nullptr;    // the pop-up being updated, or nullptr
    CMenu* m_pSubMenu = nullptr; // the sub-menu whose header is at m_nIndex, or nullptr
    CWnd* m_pOther = nullptr;    // a control being updated, or nullptr
    BOOL m_bEnableChanged = FALSE;
    BOOL m_bContinueRouting = FALSE;
    UINT m_nIndexMax = 0;
};

// Updates every item of a pop-up menu through pTarget's command routing (WM_INITMENUPOPUP).
// Items with ids below 0xF000 and no handler are disabled when bDisableIfNoHndler.
void AfxUpdateMenuCmdUI(CCmdTarget* pTarget, CMenu* pPopup, BOOL bDisableIfNoHndler);
