#pragma once
#include "framework/win/CDockBar.h"
#include "framework/win/CFrameWnd.h"
#include "ui/KxMenuBar.h"
#include "ui/OwnerDrawMenu.h"

// The dock bars of a docking frame: flat tool bars in a row abut, other bars overlap by their
// borders.
class CKxDockBar : public CDockBar {
    DECLARE_DYNAMIC(CKxDockBar)
public:
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
};

// The main frame's base: dock bars of its own on the sides it docks on, a menu bar it offers
// every key to before translating it, and owner-drawn menu items (of any owner-drawn menu)
// measured, converted as their pop-ups open and answering their mnemonics.
class CKxFrameWnd : public CFrameWnd {
    DECLARE_DYNCREATE(CKxFrameWnd)
public:
    CKxFrameWnd() = default;

    // The framework's docking, with each side's dock bar a CKxDockBar; FALSE when one cannot
    // be made (the frame's creation then fails).
    BOOL EnableDocking(DWORD dwDockStyle);
    // Sides for resizable panes (CKxSizeDockBar) on the sides dwDockStyle names, inside the
    // dock bars; FALSE when one cannot be made. Existing sides are kept.
    BOOL EnableSizingDocking(DWORD dwDockStyle);
    // The framework's layout, then the panes of each sizing side placed again.
    void RecalcLayout(BOOL bNotify = TRUE) override;
    BOOL PreTranslateMessage(MSG* pMsg) override;

    COwnerDrawMenu m_menu;
    CKxMenuBar m_wndMenuBar;

protected:
    void OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct);
    LRESULT OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    void OnSysColorChange();

    DECLARE_MESSAGE_MAP()
};
