// The flat tool bar's customisation: the control's dialog, the saved layout in the registry,
// the right-click menu and drop-down buttons.
#include "framework/win/CFrameWnd.h"
#include "framework/win/CMenu.h"
#include "framework/win/CWinApp.h"
#include "ui/KxToolBar.h"
#include "ui/OwnerDrawMenu.h"
#include "ui/ToolBarState.h"

#include <algorithm>

namespace {

// A saved layout is a few bytes per button; anything far bigger is not one.
constexpr DWORD kMaxStateBytes = 64 * 1024;

} // namespace

CString CKxToolBar::GetStateValueName() const
{
    CString name;
    name.Format("KxToolBar %d", m_nBarNumber);
    return name;
}

HKEY CKxToolBar::OpenStateKey(BOOL bCreate) const
{
    const CWinApp* pApp = AfxGetApp();
    if (!pApp || !pApp->m_pszRegistryKey || !*pApp->m_pszRegistryKey || !pApp->m_pszProfileName)
        return nullptr;
    CString subKey;
    subKey.Format("Software\\%s\\%s\\Settings", pApp->m_pszRegistryKey, pApp->m_pszProfileName);
    HKEY hKey = nullptr;
    const LONG result =
        bCreate ? ::RegCreateKeyExA(HKEY_CURRENT_USER, subKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                                    KEY_WRITE, nullptr, &hKey, nullptr)
                : ::RegOpenKeyExA(HKEY_CURRENT_USER, subKey, 0, KEY_READ, &hKey);
    return result == ERROR_SUCCESS ? hKey : nullptr;
}

void CKxToolBar::SaveState()
{
    if (!m_hWnd)
        return;
    HKEY hKey = OpenStateKey(TRUE);
    if (!hKey)
        return;
    std::vector<SavedToolButton> buttons;
    const int nCount = GetCount();
    for (int i = 0; i < nCount; ++i) {
        TBBUTTON button;
        GetButton(i, button);
        const bool bSeparator = (button.fsStyle & TBSTYLE_SEP) != 0;
        buttons.push_back(
            {bSeparator ? 0u : UINT(button.idCommand), (button.fsState & TBSTATE_HIDDEN) != 0});
    }
    const std::vector<BYTE> bytes = EncodeToolBarState(buttons);
    ::RegSetValueExA(hKey, GetStateValueName(), 0, REG_BINARY, bytes.data(), DWORD(bytes.size()));
    ::RegCloseKey(hKey);
}

BOOL CKxToolBar::RestoreState()
{
    if (!m_pCustomRecords || !m_hWnd)
        return FALSE;
    HKEY hKey = OpenStateKey(FALSE);
    if (!hKey)
        return FALSE;
    DWORD dwType = 0, dwSize = 0;
    std::vector<BYTE> bytes;
    const CString valueName = GetStateValueName();
    if (::RegQueryValueExA(hKey, valueName, nullptr, &dwType, nullptr, &dwSize) == ERROR_SUCCESS &&
        dwType == REG_BINARY && dwSize <= kMaxStateBytes) {
        bytes.resize(dwSize);
        if (::RegQueryValueExA(hKey, valueName, nullptr, &dwType, bytes.data(), &dwSize) !=
            ERROR_SUCCESS)
            bytes.clear();
    }
    ::RegCloseKey(hKey);
    std::vector<UINT> available;
    for (int i = 0; i < m_nCustomRecords; ++i)
        if (!(m_pCustomRecords[i].button.fsStyle & TBSTYLE_SEP))
            available.push_back(UINT(m_pCustomRecords[i].button.idCommand));
    const auto layout = DecodeToolBarState(bytes.data(), bytes.size(), available);
    if (!layout)
        return FALSE;
    SetButtons(nullptr, 0);
    const int cxSeparator =
        ((GetStyle() & TBSTYLE_FLAT) || GetComCtlVersion() == kComCtl471) ? 6 : 8;
    for (const SavedToolButton& saved : *layout) {
        TBBUTTON button = {};
        if (saved.idCommand == 0) {
            button.fsStyle = TBSTYLE_SEP;
            button.iBitmap = cxSeparator;
            button.fsState = TBSTATE_ENABLED;
        } else {
            const KxCustomButton* pEnd = m_pCustomRecords + m_nCustomRecords;
            button = std::find_if(m_pCustomRecords, pEnd, [&](const KxCustomButton& r) {
                         return UINT(r.button.idCommand) == saved.idCommand;
                     })->button;
        }
        button.fsState = BYTE(saved.bHidden ? button.fsState | TBSTATE_HIDDEN
                                            : button.fsState & ~TBSTATE_HIDDEN);
        SendMessage(TB_ADDBUTTONSA, 1, LPARAM(&button));
    }
    m_bDelayedButtonLayout = TRUE;
    Invalidate();
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->RecalcLayout();
    return TRUE;
}

void CKxToolBar::OnDestroy()
{
    SaveState();
    CKxToolBarBase::OnDestroy();
}

void CKxToolBar::OnQueryInsertOrDelete(NMHDR*, LRESULT* pResult) { *pResult = !IsFloating(); }

void CKxToolBar::OnGetButtonInfo(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pInfo = reinterpret_cast<NMTOOLBARA*>(pNMHDR);
    // The dialog offers the records the bar started with, and never more than there are.
    const int nOffered = std::min(m_nInitialCount, m_nCustomRecords);
    *pResult = FALSE;
    if (!m_pCustomRecords || pInfo->iItem < 0 || pInfo->iItem >= nOffered)
        return;
    const KxCustomButton& record = m_pCustomRecords[pInfo->iItem];
    pInfo->tbButton = record.button;
    if (pInfo->pszText && pInfo->cchText > 0)
        ::lstrcpynA(pInfo->pszText, record.lpszText ? record.lpszText : "", pInfo->cchText);
    *pResult = TRUE;
}

void CKxToolBar::OnToolBarChange(NMHDR*, LRESULT* pResult)
{
    m_bDelayedButtonLayout = TRUE;
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->RecalcLayout();
    *pResult = 0;
}

void CKxToolBar::OnEndAdjust(NMHDR*, LRESULT* pResult)
{
    SaveState();
    *pResult = 0;
}

void CKxToolBar::OnReset(NMHDR*, LRESULT* pResult)
{
    RestoreState();
    *pResult = 0;
}

void CKxToolBar::OnRButtonDown(UINT nFlags, CPoint point)
{
    if (!m_pCustomRecords) {
        CKxToolBarBase::OnRButtonDown(nFlags, point);
        return;
    }
    CMenu menu;
    if (!menu.CreatePopupMenu())
        return;
    menu.AppendMenu(MF_STRING, ID_KXTOOLBAR_CUSTOMIZE, "&Customize...");
    ClientToScreen(&point);
    const UINT nCommand = UINT(
        menu.TrackPopupMenu(TPM_RETURNCMD | TPM_VERTICAL | TPM_LEFTALIGN, point.x, point.y, this));
    if (nCommand == ID_KXTOOLBAR_CUSTOMIZE)
        SendMessage(TB_CUSTOMIZE);
}

void CKxToolBar::AddDropDownMenu(UINT nIDCommand, UINT nIDMenu)
{
    m_dropDowns.push_back({nIDCommand, nIDMenu});
    if (!m_hWnd)
        return;
    SendMessage(TB_SETEXTENDEDSTYLE, 0, SendMessage(TB_GETEXTENDEDSTYLE) | TBSTYLE_EX_DRAWDDARROWS);
    const int nIndex = CommandToIndex(nIDCommand);
    if (nIndex >= 0)
        SetButtonStyle(nIndex, GetButtonStyle(nIndex) | TBSTYLE_DROPDOWN);
}

void CKxToolBar::OnDropDown(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pNotify = reinterpret_cast<NMTOOLBARA*>(pNMHDR);
    CRect rect;
    SendMessage(TB_GETRECT, WPARAM(pNotify->iItem), LPARAM(&rect));
    ClientToScreen(&rect);
    TrackCommandMenu(pNotify, UINT(pNotify->iItem), rect);
    *pResult = TBDDRET_DEFAULT;
}

void CKxToolBar::TrackCommandMenu(NMTOOLBARA*, UINT nIDCommand, const CRect& rectButton)
{
    auto found =
        std::find_if(m_dropDowns.begin(), m_dropDowns.end(),
                     [nIDCommand](const DropDown& d) { return d.nIDCommand == nIDCommand; });
    if (found == m_dropDowns.end() || !found->nIDMenu)
        return;
    COwnerDrawMenu menu;
    if (!menu.LoadMenu(found->nIDMenu))
        return;
    if (CMenu* pPopup = menu.GetSubMenu(0))
        pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_LEFTBUTTON | TPM_VERTICAL, rectButton.left,
                               rectButton.bottom, GetParentFrame());
}
