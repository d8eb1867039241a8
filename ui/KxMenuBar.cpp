#include "ui/KxMenuBar.h"

#include "framework/win/CFrameWnd.h"
#include "framework/win/MessageCrackers.h"
#include "ui/MenuTemplate.h"
#include "ui/SystemFonts.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKxMenuBar, CKxToolBar)

BEGIN_MESSAGE_MAP(CKxMenuBar, CKxToolBar)
ON_WM_SIZE()
ON_WM_LBUTTONDOWN()
ON_UPDATE_COMMAND_UI_RANGE(0, 256, &CKxMenuBar::OnUpdateButton)
END_MESSAGE_MAP()

void CMenuBarHook::AttachToFrame(CKxMenuBar* pMenuBar, HWND hWnd)
{
    m_pMenuBar = pMenuBar;
    AttachHook(hWnd);
}

LRESULT CMenuBarHook::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pMenuBar && message == WM_SYSCOLORCHANGE)
        m_pMenuBar->RefreshMenuFont();
    else if (m_pMenuBar && message == WM_MENUSELECT)
        m_pMenuBar->OnMenuSelect(reinterpret_cast<HMENU>(lParam), LOWORD(wParam), HIWORD(wParam));
    return CSubclassWnd::WindowProc(message, wParam, lParam);
}

CKxMenuBar::~CKxMenuBar() { m_frameHook.AttachHook(nullptr); }

BOOL CKxMenuBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle,
                    CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder), nID);
}

BOOL CKxMenuBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders,
                          UINT nID)
{
    if (!CKxToolBar::CreateEx(pParentWnd, dwCtrlStyle, dwStyle, rcBorders, nID))
        return FALSE;
    RefreshMenuFont();
    if (pParentWnd && pParentWnd->m_hWnd)
        m_frameHook.AttachToFrame(this, pParentWnd->m_hWnd);
    SetWindowText("Menu Bar");
    return TRUE;
}

void CKxMenuBar::RefreshMenuFont()
{
    if (!CreateSystemFont(m_font, SystemFont::Menu) || !m_hWnd)
        return;
    SendMessage(WM_SETFONT, WPARAM(m_font.m_hObject), TRUE);
}

BOOL CKxMenuBar::LoadMenu(UINT nIDMenu)
{
    // The new menu first: a missing one leaves the frame's menu as it was.
    HMENU hMenu = ::LoadMenuA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDMenu));
    if (!hMenu || !m_hWnd)
        return hMenu ? (::DestroyMenu(hMenu), FALSE) : FALSE;
    CFrameWnd* pFrame = AfxFindParentFrame(m_hWnd);
    if (CWnd* pOwner = GetOwner(); pOwner && dynamic_cast<CFrameWnd*>(pOwner))
        pFrame = static_cast<CFrameWnd*>(pOwner);
    if (pFrame && pFrame->m_hWnd) {
        if (HMENU hOld = ::GetMenu(pFrame->m_hWnd)) {
            ::SetMenu(pFrame->m_hWnd, nullptr);
            if (pFrame->m_hMenuDefault == hOld)
                pFrame->m_hMenuDefault = nullptr; // destroyed here, not again by the frame
            ::DestroyMenu(hOld);
        }
    }
    m_nIDMenu = nIDMenu;
    SetButtons(nullptr, 0);
    const LONG_PTR dwStyle = ::GetWindowLongPtrA(m_hWnd, GWL_STYLE);
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, dwStyle | TBSTYLE_FLAT | TBSTYLE_TRANSPARENT);
    SendMessage(TB_SETIMAGELIST, 0, 0);
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(0, 0));
    const int nItems = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < nItems; ++i) {
        char szText[257] = {};
        if (::GetMenuStringA(hMenu, UINT(i), szText, 256, MF_BYPOSITION) <= 0)
            continue; // no text, no button; the others keep their item's position as id
        auto found = std::find(m_buttonTexts.begin(), m_buttonTexts.end(), CString(szText));
        int nString = int(found - m_buttonTexts.begin());
        if (found == m_buttonTexts.end()) {
            char szList[258] = {};
            ::lstrcpynA(szList, szText, 257); // a list of one: ends with two zeros
            nString = int(SendMessage(TB_ADDSTRINGA, 0, LPARAM(szList)));
            if (nString < 0)
                continue;
            if (std::size_t(nString) >= m_buttonTexts.size())
                m_buttonTexts.resize(std::size_t(nString) + 1);
            m_buttonTexts[std::size_t(nString)] = szText;
        }
        TBBUTTON button = {};
        button.iBitmap = I_IMAGENONE;
        button.idCommand = i;
        button.fsState = TBSTATE_ENABLED;
        button.fsStyle = BTNS_AUTOSIZE | BTNS_SHOWTEXT;
        button.iString = nString;
        SendMessage(TB_ADDBUTTONSA, 1, LPARAM(&button));
    }
    ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, dwStyle);
    SendMessage(TB_AUTOSIZE);
    m_bDelayedButtonLayout = TRUE;
    if (pFrame)
        pFrame->RecalcLayout();
    if (CFrameWnd* pFloating = AfxFindParentFrame(m_hWnd); pFloating && pFloating != pFrame)
        pFloating->RecalcLayout();
    ::DestroyMenu(hMenu);
    return TRUE;
}

void CKxMenuBar::OnUpdateButton(CCmdUI* pCmdUI)
{
    // The buttons are menu positions, no commands: always there to press.
    pCmdUI->Enable(int(pCmdUI->m_nIndex) < GetCount());
}

CSize CKxMenuBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    CSize size = CKxToolBar::CalcFixedLayout(bStretch, bHorz);
    if (m_bInReBar)
        return size;
    // The bar spans its frame.
    CRect rect;
    if (CFrameWnd* pFrame = AfxFindParentFrame(m_hWnd)) {
        if (CWnd* pOwner = GetOwner(); pOwner && dynamic_cast<CFrameWnd*>(pOwner))
            pFrame = static_cast<CFrameWnd*>(pOwner);
        pFrame->GetClientRect(&rect);
    }
    if (bHorz)
        size.cx = std::max(size.cx, LONG(rect.Width()));
    else
        size.cy = std::max(size.cy, LONG(rect.Height()));
    return size;
}

void CKxMenuBar::ReFrame()
{
    if (m_hWnd)
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void CKxMenuBar::OnSize(UINT nType, int cx, int cy)
{
    CKxToolBar::OnSize(nType, cx, cy);
    ReFrame();
}

void CKxMenuBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    CKxToolBar::OnBarStyleChange(dwOldStyle, dwNewStyle);
    ReFrame();
}

int CKxMenuBar::HitTestButton(CPoint point) const
{
    const int nHit = int(SendMessage(TB_HITTEST, 0, LPARAM(&point)));
    CRect rect;
    GetClientRect(&rect);
    return nHit >= 0 && nHit < GetCount() && rect.PtInRect(point) ? nHit : -1;
}

void CKxMenuBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    const int nButton = HitTestButton(point);
    if (nButton < 0) {
        CKxToolBar::OnLButtonDown(nFlags, point); // the bar's own space: a drag
        return;
    }
    // A button only opens its pop-up: the control never sees the press, so no command goes.
    OpenButtonPopup(nButton);
}

BOOL CKxMenuBar::FilterFrameMessage(MSG* pMsg)
{
    MenuBarInput input;
    const UINT message = pMsg->message;
    if (message >= WM_LBUTTONDOWN && message <= WM_MBUTTONDBLCLK) {
        input.kind = MenuBarInput::MouseButton;
        input.bOnBar = pMsg->hwnd == m_hWnd;
    } else if (message == WM_KEYDOWN || message == WM_SYSKEYDOWN || message == WM_SYSKEYUP) {
        input.kind = message == WM_KEYDOWN      ? MenuBarInput::KeyDown
                     : message == WM_SYSKEYDOWN ? MenuBarInput::SysKeyDown
                                                : MenuBarInput::SysKeyUp;
        input.key = LOBYTE(pMsg->wParam);
        input.bAlt = (pMsg->lParam & (1 << 29)) != 0;
        input.bShift = ::GetKeyState(VK_SHIFT) < 0;
        input.bCtrl = ::GetKeyState(VK_CONTROL) < 0;
        if ((input.key >= 'A' && input.key <= 'Z') || (input.key >= '0' && input.key <= '9')) {
            // The mnemonic from the buttons' own texts.
            std::vector<std::u16string> texts;
            for (int i = 0; i < GetCount(); ++i) {
                TBBUTTON button;
                GetButton(i, button);
                const CString text =
                    button.iString >= 0 && std::size_t(button.iString) < m_buttonTexts.size()
                        ? m_buttonTexts[std::size_t(button.iString)]
                        : CString();
                std::u16string wide;
                for (int c = 0; c < text.GetLength(); ++c)
                    wide.push_back(char16_t(static_cast<unsigned char>(text[c])));
                texts.push_back(wide);
            }
            input.nMnemonicButton = FindMnemonic(texts, char(input.key));
        }
    } else {
        return FALSE;
    }
    const MenuBarAction action = m_keys.Filter(input, GetCount(), GetHotButton());
    if (action.nHot != -2)
        SendMessage(TB_SETHOTITEM, WPARAM(action.nHot));
    if (action.bBeep)
        ::MessageBeep(0);
    if (action.nOpen >= 0)
        OpenButtonPopup(action.nOpen);
    return action.bConsumed;
}
