#pragma once
#include "framework/win/CGdiObject.h"
#include "ui/KxToolBar.h"
#include "ui/MenuBarKeys.h"
#include "ui/OwnerDrawMenu.h"
#include "ui/SubclassWnd.h"

#include <vector>

class CKxMenuBar;

// The menu bar's hook on its frame: the bar follows the system's menu font and learns which
// menu item the user has selected.
class CMenuBarHook : public CSubclassWnd {
public:
    void AttachToFrame(CKxMenuBar* pMenuBar, HWND hWnd);
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override;

    CKxMenuBar* m_pMenuBar = nullptr;
};

// A frame's menu as a dockable bar of flat text buttons, one per top-level item of a menu
// resource. A button opens its item's pop-up as an owner-drawn menu with the command images
// of the tool-bar resource of the same id; while one is open, Left and Right and the mouse go
// from button to button. Alt, F10 and Alt+letter work as on a system menu bar. Clicking a
// button only opens its pop-up; the bar sends no command of its own.
class CKxMenuBar : public CKxToolBar {
    DECLARE_DYNAMIC(CKxMenuBar)
public:
    CKxMenuBar() = default;
    ~CKxMenuBar() override;

    BOOL Create(CWnd* pParentWnd,
                DWORD dwStyle = WS_CHILD | WS_VISIBLE | CBRS_TOP | CBRS_TOOLTIPS | CBRS_FLYBY,
                UINT nID = AFX_IDW_TOOLBAR) override;
    BOOL CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle,
                  CRect rcBorders = CRect(0, 0, 0, 0), UINT nID = AFX_IDW_TOOLBAR) override;

    // Takes menu nIDMenu over from the frame: one button per top-level item with text. FALSE,
    // and the frame's menu kept, when the resource is missing.
    BOOL LoadMenu(UINT nIDMenu);
    // Opens the pop-up of button nButton (then of each button the user moves to).
    void OpenButtonPopup(int nButton);
    // The frame offers each message here before translating it; TRUE when the bar took it.
    virtual BOOL FilterFrameMessage(MSG* pMsg);
    // Input to an open pop-up; TRUE swallows it.
    virtual BOOL FilterPopupInput(MSG* pMsg);
    // The user selected item nItem (flags nFlags) of hMenu.
    void OnMenuSelect(HMENU hMenu, UINT nItem, UINT nFlags);
    void RefreshMenuFont();

    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;

    MenuBarMode GetTrackingState() const { return m_keys.GetMode(); }
    int GetOpenButton() const { return m_nPopupButton; }
    int GetHotButton() const { return int(SendMessage(TB_GETHOTITEM)); }
    UINT GetMenuID() const { return m_nIDMenu; }
    // The button under a client point, -1 for none.
    int HitTestButton(CPoint point) const;

protected:
    void OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle) override;
    void OnSize(UINT nType, int cx, int cy);
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnUpdateButton(CCmdUI* pCmdUI);
    // Ends the open pop-up and opens button nButton's next (-1: none).
    void SwitchToButton(int nButton);
    void ReFrame();
    CPoint PopupOrigin(int nButton, UINT& nAlign) const;
    static LRESULT CALLBACK MessageFilter(int nCode, WPARAM wParam, LPARAM lParam);

    CMenuBarHook m_frameHook;
    std::vector<CString> m_buttonTexts; // by the control's string index
    UINT m_nIDMenu = 0;
    COwnerDrawMenu m_trackingMenu;
    int m_nPopupButton = -1;
    int m_nNextPopupButton = -1;
    BOOL m_bRightArrow = FALSE;
    BOOL m_bLeftArrow = FALSE;
    BOOL m_bEscape = FALSE;
    CPoint m_ptLastMouse{-1, -1};
    HMENU m_hTrackedPopup = nullptr;
    CFont m_font;
    CMenuBarKeys m_keys;

    DECLARE_MESSAGE_MAP()
};
