#include "ui/KxToolBar.h"

#include "framework/win/CFrameWnd.h"
#include "framework/win/MessageCrackers.h"
#include "framework/win/ToolBarImages.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKxToolBar, CKxToolBarBase)

BEGIN_MESSAGE_MAP(CKxToolBar, CKxToolBarBase)
ON_WM_NCCREATE()
ON_WM_PAINT()
ON_WM_DESTROY()
ON_WM_RBUTTONDOWN()
ON_WM_SYSCOLORCHANGE()
ON_MESSAGE(WM_WINDOWPOSCHANGING, &CKxToolBar::OnWindowPosChanging)
ON_WM_WINDOWPOSCHANGED()
ON_MESSAGE(TB_SETBITMAPSIZE, &CKxToolBar::OnSetSizeWithoutFlat)
ON_MESSAGE(TB_SETBUTTONSIZE, &CKxToolBar::OnSetSizeWithoutFlat)
ON_MESSAGE(WM_SETTINGCHANGE, &CKxToolBar::OnSetSizeWithoutFlat)
ON_MESSAGE(WM_SETFONT, &CKxToolBar::OnSetSizeWithoutFlat)
ON_NOTIFY_REFLECT(TBN_QUERYINSERT, &CKxToolBar::OnQueryInsertOrDelete)
ON_NOTIFY_REFLECT(TBN_QUERYDELETE, &CKxToolBar::OnQueryInsertOrDelete)
ON_NOTIFY_REFLECT(TBN_GETBUTTONINFOA, &CKxToolBar::OnGetButtonInfo)
ON_NOTIFY_REFLECT(TBN_TOOLBARCHANGE, &CKxToolBar::OnToolBarChange)
ON_NOTIFY_REFLECT(TBN_ENDADJUST, &CKxToolBar::OnEndAdjust)
ON_NOTIFY_REFLECT(TBN_RESET, &CKxToolBar::OnReset)
ON_NOTIFY_REFLECT(TBN_DROPDOWN, &CKxToolBar::OnDropDown)
END_MESSAGE_MAP()

namespace {

// Flat tool bars (menu bars too) are numbered in the order they are constructed.
int g_nBarsConstructed = 0;

// The bar's window style bits that are control-bar styles; the rest reach the control.
constexpr DWORD kBarStyleBits = 0x40FFFF;
constexpr DWORD kNotControlStyleBits = 0x40FFB1;
constexpr DWORD kControlLayoutStyles =
    CCS_NORESIZE | CCS_NOPARENTALIGN | CCS_NOMOVEY | CCS_NODIVIDER;

} // namespace

CKxToolBar::CKxToolBar() : m_nBarNumber(++g_nBarsConstructed)
{
    m_cyTopBorder = m_cyBottomBorder = 3;
}

CKxToolBar::~CKxToolBar()
{
    if (m_hWnd && CWnd::FromHandlePermanent(m_hWnd) == this)
        DestroyWindow();
    for (auto& entry : m_controls)
        delete entry.second;
    if (m_hbmImageWell)
        ::DeleteObject(m_hbmImageWell);
}

BOOL CKxToolBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    return CreateEx(pParentWnd, 0, dwStyle,
                    CRect(m_cxLeftBorder, m_cyTopBorder, m_cxRightBorder, m_cyBottomBorder), nID);
}

BOOL CKxToolBar::CreateEx(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, CRect rcBorders,
                          UINT nID)
{
    if (dwCtrlStyle)
        m_bFlatGripper = 1;
    m_cxLeftBorder = rcBorders.left;
    m_cyTopBorder = rcBorders.top;
    m_cxRightBorder = rcBorders.right;
    m_cyBottomBorder = rcBorders.bottom;
    m_dwStyle = dwStyle & kBarStyleBits;
    if (nID == AFX_IDW_TOOLBAR)
        m_dwStyle |= CBRS_HIDE_INPLACE;
    static const BOOL s_bInit = [] {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES | ICC_COOL_CLASSES};
        return ::InitCommonControlsEx(&icc);
    }();
    (void)s_bInit;
    GetComCtlVersion();
    if (!m_hWndOwner)
        m_hWndOwner = AfxSafeHwnd(pParentWnd);
    const DWORD dwWndStyle = (dwStyle & ~kNotControlStyleBits) | dwCtrlStyle | kControlLayoutStyles;
    if (!CWnd::CreateEx(0, TOOLBARCLASSNAMEA, nullptr, dwWndStyle, 0, 0, 0, 0,
                        AfxSafeHwnd(pParentWnd), reinterpret_cast<HMENU>(UINT_PTR(nID))))
        return FALSE;
    SetSizes(m_sizeButton, m_sizeImage);
    return TRUE;
}

BOOL CKxToolBar::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!CKxToolBarBase::PreCreateWindow(cs))
        return FALSE;
    cs.style |= TBSTYLE_FLAT | TBSTYLE_TRANSPARENT | WS_CLIPSIBLINGS;
    return TRUE;
}

BOOL CKxToolBar::OnNcCreate(LPCREATESTRUCT lpcs)
{
    // A bar in a rebar belongs to the rebar's frame and draws itself as part of the rebar.
    char szClass[32] = {};
    if (lpcs->hwndParent)
        ::GetClassNameA(lpcs->hwndParent, szClass, sizeof szClass);
    if (::lstrcmpiA(szClass, "ReBarWindow32") == 0) {
        m_hWndOwner = AfxSafeHwnd(AfxFindParentFrame(lpcs->hwndParent));
        m_bInReBar = 1;
        m_bFlatGripper = 0;
    }
    if (!CKxToolBarBase::OnNcCreate(lpcs))
        return FALSE;
    if (m_hWndOwner)
        SendMessage(TB_SETPARENT, WPARAM(m_hWndOwner));
    SendMessage(TB_BUTTONSTRUCTSIZE, sizeof(TBBUTTON));
    return TRUE;
}

void CKxToolBar::SetOwner(CWnd* pOwnerWnd)
{
    m_hWndOwner = AfxSafeHwnd(pOwnerWnd);
    if (m_hWnd)
        SendMessage(TB_SETPARENT, WPARAM(m_hWndOwner));
}

BOOL CKxToolBar::LoadToolBar(LPCTSTR lpszResourceName, const KxCustomButton* pRecords, int nRecords)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    ToolBarResource res;
    if (!m_hWnd || !AfxLoadToolBarResource(hInst, lpszResourceName, res))
        return FALSE;
    // The strip must hold an image for every button before the bar changes at all.
    HRSRC hRsrc = ::FindResourceA(hInst, lpszResourceName, MAKEINTRESOURCEA(2)); // RT_BITMAP
    HBITMAP hBitmap = hRsrc ? AfxLoadSysColorBitmap(hInst, hRsrc) : nullptr;
    if (!hBitmap)
        return FALSE;
    BITMAP bm = {};
    ::GetObjectA(hBitmap, sizeof bm, &bm);
    const auto nImages =
        std::count_if(res.ids.begin(), res.ids.end(), [](UINT id) { return id != 0; });
    if (bm.bmWidth / res.imageWidth < nImages || bm.bmHeight < res.imageHeight ||
        !SetButtons(res.ids.data(), int(res.ids.size()))) {
        ::DeleteObject(hBitmap);
        SetButtons(nullptr, 0);
        return FALSE;
    }
    SetSizes(CSize(res.imageWidth + 7, res.imageHeight + 7),
             CSize(res.imageWidth, res.imageHeight));
    if (!SetBitmap(hBitmap)) {
        ::DeleteObject(hBitmap);
        SetButtons(nullptr, 0);
        return FALSE;
    }
    m_hInstImageWell = hInst;
    m_hRsrcImageWell = hRsrc;
    if (pRecords && nRecords > 0) {
        m_pCustomRecords = pRecords;
        m_nCustomRecords = nRecords;
        m_nInitialCount = GetCount();
        ModifyStyle(0, CCS_ADJUSTABLE);
        RestoreState();
    }
    return TRUE;
}

BOOL CKxToolBar::SetButtons(const UINT* lpIDArray, int nIDCount)
{
    while (SendMessage(TB_BUTTONCOUNT) > 0)
        if (!SendMessage(TB_DELETEBUTTON, 0))
            break;
    const int cxSeparator =
        ((GetStyle() & TBSTYLE_FLAT) || GetComCtlVersion() == kComCtl471) ? 6 : 8;
    int iImage = 0;
    BOOL bResult = TRUE;
    for (int i = 0; i < nIDCount && bResult; ++i) {
        TBBUTTON button = {};
        button.fsState = TBSTATE_ENABLED;
        button.iString = -1;
        if (!lpIDArray) {
            button.iBitmap = -1;
        } else if (lpIDArray[i] == 0) {
            button.fsStyle = TBSTYLE_SEP;
            button.iBitmap = cxSeparator;
        } else {
            button.fsStyle = TBSTYLE_BUTTON;
            button.idCommand = int(lpIDArray[i]);
            button.iBitmap = iImage++;
        }
        bResult = SendMessage(TB_ADDBUTTONSA, 1, LPARAM(&button)) != 0;
    }
    m_bDelayedButtonLayout = TRUE;
    return bResult;
}

void CKxToolBar::SetSizes(SIZE sizeButton, SIZE sizeImage)
{
    if (!m_hWnd) {
        m_sizeButton = sizeButton;
        m_sizeImage = sizeImage;
        return;
    }
    SendMessage(TB_SETBITMAPSIZE, 0, MAKELONG(sizeImage.cx, sizeImage.cy));
    SendMessage(TB_SETBUTTONSIZE, 0, MAKELONG(sizeButton.cx, sizeButton.cy));
    Invalidate();
}

LRESULT CKxToolBar::OnSetSizeWithoutFlat(WPARAM, LPARAM lParam)
{
    // Newer controls mis-measure flat, transparent bars while they take new sizes or fonts.
    const UINT message = GetCurrentMessage()->message;
    const LONG_PTR dwStyle = ::GetWindowLongPtrA(m_hWnd, GWL_STYLE);
    const BOOL bStrip = GetComCtlVersion() >= kComCtl471;
    if (bStrip)
        ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, dwStyle & ~(TBSTYLE_FLAT | TBSTYLE_TRANSPARENT));
    const LRESULT lResult = Default();
    if (bStrip)
        ::SetWindowLongPtrA(m_hWnd, GWL_STYLE, dwStyle);
    if (lResult && message == TB_SETBITMAPSIZE)
        m_sizeImage = CSize(LOWORD(lParam), HIWORD(lParam));
    else if (lResult && message == TB_SETBUTTONSIZE)
        m_sizeButton = CSize(LOWORD(lParam), HIWORD(lParam));
    return lResult;
}

BOOL CKxToolBar::LoadBitmap(LPCTSTR lpszResourceName)
{
    HINSTANCE hInst = AfxGetResourceHandle();
    HRSRC hRsrc = ::FindResourceA(hInst, lpszResourceName, MAKEINTRESOURCEA(2)); // RT_BITMAP
    HBITMAP hBitmap = hRsrc ? AfxLoadSysColorBitmap(hInst, hRsrc) : nullptr;
    if (!hBitmap)
        return FALSE;
    if (!SetBitmap(hBitmap)) {
        ::DeleteObject(hBitmap);
        return FALSE;
    }
    m_hInstImageWell = hInst;
    m_hRsrcImageWell = hRsrc;
    return TRUE;
}

BOOL CKxToolBar::SetBitmap(HBITMAP hBitmap)
{
    BITMAP bm = {};
    if (!hBitmap || !::GetObjectA(hBitmap, sizeof bm, &bm) || m_sizeImage.cx <= 0)
        return FALSE;
    const int nCount = bm.bmWidth / m_sizeImage.cx;
    if (!m_hbmImageWell) {
        TBADDBITMAP add = {nullptr, UINT_PTR(hBitmap)};
        if (SendMessage(TB_ADDBITMAP, WPARAM(nCount), LPARAM(&add)) == -1)
            return FALSE;
    } else {
        TBREPLACEBITMAP replace = {nullptr, UINT_PTR(m_hbmImageWell), nullptr, UINT_PTR(hBitmap),
                                   nCount};
        if (!SendMessage(TB_REPLACEBITMAP, 0, LPARAM(&replace)))
            return FALSE;
        ::DeleteObject(m_hbmImageWell);
    }
    m_hbmImageWell = hBitmap;
    Invalidate();
    return TRUE;
}

void CKxToolBar::OnSysColorChange()
{
    // The strip takes the new button colours.
    if (m_hRsrcImageWell)
        if (HBITMAP hBitmap = AfxLoadSysColorBitmap(m_hInstImageWell, m_hRsrcImageWell))
            if (!SetBitmap(hBitmap))
                ::DeleteObject(hBitmap);
    CKxToolBarBase::OnSysColorChange();
}

int CKxToolBar::GetCount() const { return int(SendMessage(TB_BUTTONCOUNT)); }

BOOL CKxToolBar::GetButton(int nIndex, TBBUTTON& button) const
{
    button = {};
    return m_hWnd && SendMessage(TB_GETBUTTON, WPARAM(nIndex), LPARAM(&button)) != 0;
}

void CKxToolBar::SetButton(int nIndex, const TBBUTTON& button)
{
    TBBUTTON old;
    if (!GetButton(nIndex, old))
        return;
    if (old.fsStyle == button.fsStyle && old.idCommand == button.idCommand &&
        old.iBitmap == button.iBitmap) {
        // Only the state changes: the button keeps its place and image.
        TBBUTTONINFOA info = {};
        info.cbSize = sizeof info;
        info.dwMask = TBIF_BYINDEX | TBIF_STATE;
        info.fsState = button.fsState;
        SendMessage(TB_SETBUTTONINFOA, WPARAM(nIndex), LPARAM(&info));
    } else {
        SendMessage(TB_DELETEBUTTON, WPARAM(nIndex));
        SendMessage(TB_INSERTBUTTONA, WPARAM(nIndex), LPARAM(&button));
    }
}

UINT CKxToolBar::GetItemID(int nIndex) const
{
    TBBUTTON button;
    return GetButton(nIndex, button) ? UINT(button.idCommand) : 0;
}

int CKxToolBar::CommandToIndex(UINT nIDFind) const
{
    return int(SendMessage(TB_COMMANDTOINDEX, nIDFind));
}

void CKxToolBar::GetItemRect(int nIndex, LPRECT lpRect)
{
    if (m_bDelayedButtonLayout)
        CommitDelayedLayout();
    if (!SendMessage(TB_GETITEMRECT, WPARAM(nIndex), LPARAM(lpRect)))
        ::SetRectEmpty(lpRect);
}

UINT CKxToolBar::GetButtonStyle(int nIndex) const
{
    TBBUTTON button;
    if (!GetButton(nIndex, button))
        return 0;
    return MAKELONG(button.fsStyle, BYTE(button.fsState ^ TBSTATE_ENABLED));
}

void CKxToolBar::SetButtonStyle(int nIndex, UINT nStyle)
{
    TBBUTTON button;
    if (!GetButton(nIndex, button))
        return;
    const BYTE fsStyle = LOBYTE(LOWORD(nStyle));
    const BYTE fsState = BYTE(LOBYTE(HIWORD(nStyle)) ^ TBSTATE_ENABLED);
    if (button.fsStyle == fsStyle && button.fsState == fsState)
        return;
    button.fsStyle = fsStyle;
    button.fsState = fsState;
    SetButton(nIndex, button);
    m_bDelayedButtonLayout = TRUE;
}

BOOL CKxToolBar::InsertControl(int nIndex, CWnd* pControl, int nWidth)
{
    TBBUTTON button;
    if (!pControl || !pControl->m_hWnd || !GetButton(nIndex, button))
        return FALSE;
    const UINT nID = UINT(pControl->GetDlgCtrlID());
    if (::GetParent(pControl->m_hWnd) != m_hWnd)
        pControl->SetParent(this);
    button = {};
    button.iBitmap = nWidth;
    button.idCommand = int(nID);
    button.fsStyle = TBSTYLE_SEP;
    button.fsState = TBSTATE_ENABLED;
    SetButton(nIndex, button);
    m_controls[nID] = pControl;
    m_bDelayedButtonLayout = TRUE;
    CRect rect;
    if (SendMessage(TB_GETITEMRECT, WPARAM(nIndex), LPARAM(&rect)))
        pControl->SetWindowPos(nullptr, rect.left, rect.top, nWidth, rect.Height(),
                               SWP_NOZORDER | SWP_NOACTIVATE);
    return TRUE;
}

INT_PTR CKxToolBar::OnToolHitTest(CPoint point, TOOLINFOA* pTI) const
{
    const INT_PTR nHit = CKxToolBarBase::OnToolHitTest(point, pTI);
    if (nHit != -1)
        return nHit;
    const int nCount = GetCount();
    for (int i = 0; i < nCount; ++i) {
        TBBUTTON button;
        CRect rect;
        if (!GetButton(i, button) || (button.fsStyle & TBSTYLE_SEP) ||
            !SendMessage(TB_GETITEMRECT, WPARAM(i), LPARAM(&rect)))
            continue;
        ++rect.right; // the edge between two buttons belongs to the left one
        ++rect.bottom;
        if (!rect.PtInRect(point))
            continue;
        if (pTI && pTI->cbSize >= TTTOOLINFOA_V1_SIZE) {
            pTI->hwnd = m_hWnd;
            pTI->rect = rect;
            pTI->uId = UINT_PTR(button.idCommand);
            pTI->lpszText = LPSTR_TEXTCALLBACKA;
        }
        return button.idCommand;
    }
    return -1;
}

void CKxToolBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL bDisableIfNoHndler)
{
    CKxToolCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = UINT(GetCount());
    for (state.m_nIndex = 0; state.m_nIndex < state.m_nIndexMax; ++state.m_nIndex) {
        TBBUTTON button;
        if (!GetButton(int(state.m_nIndex), button) || (button.fsStyle & TBSTYLE_SEP))
            continue;
        state.m_nID = UINT(button.idCommand);
        // The bar's own handlers first: its reflected update, then one for the command.
        if (CWnd::OnCmdMsg(0,
                           int(MAKELONG(CN_UPDATE_COMMAND_UI_CODE, WM_REFLECT_BASE + WM_COMMAND)),
                           &state, nullptr))
            continue;
        if (CWnd::OnCmdMsg(state.m_nID, CN_UPDATE_COMMAND_UI, &state, nullptr))
            continue;
        state.DoUpdate(pTarget, bDisableIfNoHndler);
    }
    // Then the controls in the bar.
    for (auto& entry : m_controls) {
        CCmdUI control;
        control.m_pOther = entry.second;
        control.m_nID = entry.first;
        control.DoUpdate(pTarget, bDisableIfNoHndler);
    }
}

void CKxToolCmdUI::Enable(BOOL bOn)
{
    m_bEnableChanged = TRUE;
    auto* pBar = static_cast<CKxToolBar*>(m_pOther);
    UINT nNewStyle = pBar->GetButtonStyle(int(m_nIndex)) & ~TBBS_DISABLED;
    if (!bOn)
        nNewStyle = (nNewStyle | TBBS_DISABLED) & ~TBBS_PRESSED;
    pBar->SetButtonStyle(int(m_nIndex), nNewStyle);
}

void CKxToolCmdUI::SetCheck(int nCheck)
{
    auto* pBar = static_cast<CKxToolBar*>(m_pOther);
    UINT nNewStyle = pBar->GetButtonStyle(int(m_nIndex)) & ~(TBBS_CHECKED | TBBS_INDETERMINATE);
    if (nCheck == 1)
        nNewStyle |= TBBS_CHECKED;
    else if (nCheck == 2)
        nNewStyle |= TBBS_INDETERMINATE;
    pBar->SetButtonStyle(int(m_nIndex), nNewStyle | TBBS_CHECKBOX);
}
