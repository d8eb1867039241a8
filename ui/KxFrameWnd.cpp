#include "ui/KxFrameWnd.h"

#include "framework/win/MessageCrackers.h"
#include "ui/KxSizeDockBar.h"

IMPLEMENT_DYNAMIC(CKxDockBar, CDockBar)
IMPLEMENT_DYNCREATE(CKxFrameWnd, CFrameWnd)

BEGIN_MESSAGE_MAP(CKxFrameWnd, CFrameWnd)
ON_WM_MEASUREITEM()
ON_WM_MENUCHAR()
ON_WM_INITMENUPOPUP()
ON_WM_SYSCOLORCHANGE()
END_MESSAGE_MAP()

namespace {

CSize KxOverlap(const CControlBar* pBar)
{
    if (dynamic_cast<const CKxToolBar*>(pBar))
        return CSize(0, 0);
    return CSize(2 * ::GetSystemMetrics(SM_CYBORDER), 2);
}

} // namespace

CSize CKxDockBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    return LayoutRows(bStretch, bHorz, &KxOverlap);
}

BOOL CKxFrameWnd::EnableDocking(DWORD dwDockStyle)
{
    if (!CFrameWnd::EnableDocking(dwDockStyle))
        return FALSE;
    for (const DockBarSide& side : dockBarSides) {
        if (!(side.dwStyle & dwDockStyle & CBRS_ALIGN_ANY))
            continue;
        CControlBar* pOld = GetControlBar(side.nID);
        if (dynamic_cast<CKxDockBar*>(pOld))
            continue; // made by an earlier call
        if (pOld) {
            RemoveControlBar(pOld);
            pOld->m_pDockSite = nullptr;
            const BOOL bAutoDelete = pOld->m_bAutoDelete;
            pOld->DestroyWindow();
            if (!bAutoDelete)
                delete pOld;
        }
        auto* pDockBar = new CKxDockBar;
        pDockBar->m_bAutoDelete = TRUE;
        if (!pDockBar->Create(
                this, side.dwStyle | WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                side.nID))
            return FALSE; // it deleted itself
    }
    return TRUE;
}

BOOL CKxFrameWnd::EnableSizingDocking(DWORD dwDockStyle)
{
    // The order of the frame's layout: top, bottom, left, right.
    for (DWORD dwSide : {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT}) {
        const UINT nID = CKxSizeDockBar::SideId(dwSide);
        if (!(dwSide & dwDockStyle) || GetControlBar(nID))
            continue;
        auto* pDockBar = new CKxSizeDockBar;
        pDockBar->m_bAutoDelete = TRUE;
        if (!pDockBar->Create(this,
                              CKxSizeDockBar::SideStyle(dwSide) | WS_CHILD | WS_VISIBLE |
                                  WS_CLIPSIBLINGS | WS_CLIPCHILDREN,
                              nID))
            return FALSE; // it deleted itself
    }
    return TRUE;
}

void CKxFrameWnd::RecalcLayout(BOOL bNotify)
{
    CFrameWnd::RecalcLayout(bNotify);
    for (DWORD dwSide : {CBRS_ALIGN_TOP, CBRS_ALIGN_BOTTOM, CBRS_ALIGN_LEFT, CBRS_ALIGN_RIGHT})
        if (auto* pDockBar =
                dynamic_cast<CKxSizeDockBar*>(GetControlBar(CKxSizeDockBar::SideId(dwSide))))
            pDockBar->LayoutBars();
}

BOOL CKxFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (m_wndMenuBar.m_hWnd && m_wndMenuBar.FilterFrameMessage(pMsg))
        return TRUE;
    return CFrameWnd::PreTranslateMessage(pMsg);
}

void CKxFrameWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    // Any owner-drawn menu's item, pop-up headers and run-time items included.
    if (lpMeasureItemStruct->CtlType == ODT_MENU)
        if (CMenuItemData* pRecord = CMenuItemData::FromItemData(lpMeasureItemStruct->itemData)) {
            pRecord->m_pOwner->MeasureItem(lpMeasureItemStruct);
            return;
        }
    CFrameWnd::OnMeasureItem(nIDCtl, lpMeasureItemStruct);
}

LRESULT CKxFrameWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (const LRESULT lResult = COwnerDrawMenu::FindMnemonicItem(nChar, nFlags, pMenu))
        return lResult;
    return CFrameWnd::OnMenuChar(nChar, nFlags, pMenu);
}

void CKxFrameWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CFrameWnd::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (!bSysMenu)
        COwnerDrawMenu::MakePopupOwnerDrawn(pPopupMenu);
}

void CKxFrameWnd::OnSysColorChange()
{
    COwnerDrawMenu::OnSysColorChange();
    CFrameWnd::OnSysColorChange();
}
