#include "framework/win/CFrameWnd.h"
#include "framework/win/MessageCrackers.h"

#include "framework/win/CCmdUI.h"
#include "framework/win/CControlBar.h"
#include "framework/win/CCreateContext.h"
#include "framework/win/CDocManager.h"
#include "framework/win/CDocTemplate.h"
#include "framework/win/CDocument.h"
#include "framework/win/CStatusBar.h"
#include "framework/win/CView.h"
#include "framework/win/CWinApp.h"

#include <algorithm>
#include <cstring>

IMPLEMENT_DYNCREATE(CFrameWnd, CWnd)

BEGIN_MESSAGE_MAP(CFrameWnd, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_CLOSE()
ON_WM_DESTROY()
ON_WM_SETFOCUS()
ON_WM_MENUSELECT()
ON_MESSAGE(WM_SETMESSAGESTRING, &CFrameWnd::OnSetMessageString)
ON_MESSAGE(WM_IDLEUPDATECMDUI, &CFrameWnd::OnIdleUpdateCmdUI)
ON_MESSAGE(WM_ENTERSIZEMOVE, &CFrameWnd::OnEnterSizeMove)
ON_MESSAGE(WM_EXITSIZEMOVE, &CFrameWnd::OnExitSizeMove)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_CAPS, &CFrameWnd::OnUpdateKeyIndicator)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_NUM, &CFrameWnd::OnUpdateKeyIndicator)
ON_UPDATE_COMMAND_UI(ID_INDICATOR_SCRL, &CFrameWnd::OnUpdateKeyIndicator)
END_MESSAGE_MAP()

void AfxRepositionBars(CWnd* pParent, UINT nIDFirst, UINT nIDLast, UINT nIDLeftOver)
{
    HWND hWndParent = pParent->GetSafeHwnd();
    AFX_SIZEPARENTPARAMS layout;
    ::GetClientRect(hWndParent, &layout.rect);
    layout.hDWP = ::BeginDeferWindowPos(8);
    HWND hWndLeftOver = nullptr;
    for (HWND hWndChild = ::GetTopWindow(hWndParent); hWndChild;
         hWndChild = ::GetNextWindow(hWndChild, GW_HWNDNEXT)) {
        UINT nID = UINT(::GetDlgCtrlID(hWndChild));
        if (nID == nIDLeftOver)
            hWndLeftOver = hWndChild;
        else if (nID >= nIDFirst && nID <= nIDLast)
            ::SendMessageA(hWndChild, WM_SIZEPARENT, 0, LPARAM(&layout));
    }
    if (hWndLeftOver && layout.hDWP) {
        const RECT& rc = layout.rect;
        layout.hDWP = ::DeferWindowPos(layout.hDWP, hWndLeftOver, nullptr, rc.left, rc.top,
                                       std::max(0L, long(rc.right - rc.left)),
                                       std::max(0L, long(rc.bottom - rc.top)),
                                       SWP_NOACTIVATE | SWP_NOZORDER | SWP_NOCOPYBITS);
    }
    if (layout.hDWP)
        ::EndDeferWindowPos(layout.hDWP);
}

CFrameWnd* AfxFindParentFrame(HWND hWnd)
{
    for (HWND hParent = hWnd ? ::GetParent(hWnd) : nullptr; hParent; hParent = ::GetParent(hParent))
        if (auto* pFrame = dynamic_cast<CFrameWnd*>(CWnd::FromHandlePermanent(hParent)))
            return pFrame;
    return nullptr;
}

CFrameWnd::~CFrameWnd()
{
    if (m_hMenuDefault)
        ::DestroyMenu(m_hMenuDefault);
}

BOOL CFrameWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                           HBRUSH(COLOR_BTNFACE + 1));
    return CWnd::PreCreateWindow(cs);
}

BOOL CFrameWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                       const RECT& rect, CWnd* pParentWnd, LPCTSTR lpszMenuName, DWORD dwExStyle,
                       CCreateContext* pContext)
{
    HMENU hMenu = nullptr;
    if (lpszMenuName) {
        hMenu = ::LoadMenuA(AfxGetResourceHandle(), lpszMenuName);
        if (!hMenu)
            return FALSE;
    }
    m_strTitle = lpszWindowName;
    // An empty rectangle lets Windows choose the frame's place and size.
    BOOL bDefault = rect.left == 0 && rect.top == 0 && rect.right == 0 && rect.bottom == 0;
    int x = bDefault ? CW_USEDEFAULT : rect.left, y = bDefault ? CW_USEDEFAULT : rect.top;
    int cx = bDefault ? CW_USEDEFAULT : rect.right - rect.left;
    int cy = bDefault ? CW_USEDEFAULT : rect.bottom - rect.top;
    // On failure the object may already be deleted (see PostNcDestroy): touch nothing.
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, x, y, cx, cy,
                    pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, hMenu, pContext);
}

BOOL CFrameWnd::LoadFrame(UINT nIDResource, DWORD dwDefaultStyle, CWnd* pParentWnd,
                          CCreateContext* pContext)
{
    m_nIDHelp = nIDResource;
    HINSTANCE hInst = AfxGetResourceHandle();
    char szDocStrings[1024];
    int n = ::LoadStringA(hInst, nIDResource, szDocStrings, int(sizeof(szDocStrings)));
    CString strTitle;
    ExtractDocStringPart(CString(szDocStrings, n > 0 ? n : 0), CDocTemplate::windowTitle, strTitle);

    m_bAddToTitle = (dwDefaultStyle & FWS_ADDTOTITLE) != 0;
    DWORD dwStyle = dwDefaultStyle & ~FWS_ADDTOTITLE;
    HICON hIcon = ::LoadIconA(hInst, MAKEINTRESOURCEA(nIDResource));
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                            HBRUSH(COLOR_BTNFACE + 1), hIcon);
    m_hMenuDefault = ::LoadMenuA(hInst, MAKEINTRESOURCEA(nIDResource));
    m_strTitle = strTitle;
    HMENU hMenu = m_hMenuDefault;
    if (!CreateEx(0, lpszClass, strTitle, dwStyle, CW_USEDEFAULT, CW_USEDEFAULT, CW_USEDEFAULT,
                  CW_USEDEFAULT, pParentWnd ? pParentWnd->GetSafeHwnd() : nullptr, hMenu, pContext))
        return FALSE; // a window that got as far as WM_NCDESTROY has deleted this object
    m_hAccelTable = ::LoadAcceleratorsA(hInst, MAKEINTRESOURCEA(nIDResource));
    if (!pContext)
        SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    return TRUE;
}

int CFrameWnd::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    auto* pContext = static_cast<CCreateContext*>(lpcs->lpCreateParams);
    if (!OnCreateClient(lpcs, pContext))
        return -1;
    RecalcLayout();
    return 0;
}

BOOL CFrameWnd::OnCreateClient(LPCREATESTRUCT, CCreateContext* pContext)
{
    if (pContext && pContext->m_pNewViewClass)
        return CreateView(pContext, AFX_IDW_PANE_FIRST) != nullptr;
    return TRUE;
}

CWnd* CFrameWnd::CreateView(CCreateContext* pContext, UINT nID)
{
    if (!pContext || !pContext->m_pNewViewClass)
        return nullptr;
    CObject* pObject = pContext->m_pNewViewClass->CreateObject();
    auto* pView = dynamic_cast<CWnd*>(pObject);
    if (!pView) {
        delete pObject;
        return nullptr;
    }
    // A view whose creation failed has been destroyed and has deleted itself.
    if (!pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE | WS_BORDER, RECT{0, 0, 0, 0}, this,
                       nID, pContext))
        return nullptr;
    return pView;
}

void CFrameWnd::SetActiveView(CView* pViewNew, BOOL bNotify)
{
    CView* pViewOld = m_pViewActive;
    if (pViewNew == pViewOld)
        return;
    m_pViewActive = nullptr;
    if (pViewOld && bNotify)
        pViewOld->OnActivateView(FALSE, pViewNew, pViewOld);
    m_pViewActive = pViewNew;
    if (pViewNew && bNotify)
        pViewNew->OnActivateView(TRUE, pViewNew, pViewOld);
}

CDocument* CFrameWnd::GetActiveDocument()
{
    return m_pViewActive ? m_pViewActive->GetDocument() : nullptr;
}

void CFrameWnd::InitialUpdateFrame(CDocument* pDoc, BOOL bMakeVisible)
{
    if (!m_pViewActive) {
        // The view (or the first pane of a splitter) becomes the active view.
        CWnd* pWnd = GetDlgItem(AFX_IDW_PANE_FIRST);
        auto* pView =
            dynamic_cast<CView*>(CWnd::FromHandlePermanent(pWnd ? pWnd->GetSafeHwnd() : nullptr));
        if (!pView && pDoc && pDoc->GetViewCount() > 0)
            pView = pDoc->GetView(0);
        if (pView)
            SetActiveView(pView, FALSE);
    }
    SendMessageToDescendants(WM_INITIALUPDATE, 0, 0, TRUE, TRUE);
    if (bMakeVisible) {
        ActivateFrame();
        if (m_pViewActive)
            m_pViewActive->OnActivateView(TRUE, m_pViewActive, m_pViewActive);
    }
    OnUpdateFrameTitle(TRUE);
}

void CFrameWnd::ActivateFrame(int nCmdShow)
{
    if (nCmdShow == -1) {
        // The main frame first shows the way the application says (maximised, for example).
        CWinApp* pApp = AfxGetApp();
        if (IsWindowVisible())
            nCmdShow = IsIconic() ? SW_RESTORE : SW_SHOW;
        else if (pApp && pApp->m_pMainWnd == this && pApp->m_nCmdShow >= 0)
            nCmdShow = pApp->m_nCmdShow;
        else
            nCmdShow = SW_SHOWNORMAL;
    }
    ShowWindow(nCmdShow);
    if (!IsIconic())
        BringWindowToTop();
}

void CFrameWnd::RecalcLayout(BOOL)
{
    if (m_bInRecalcLayout || !m_hWnd)
        return;
    m_bInRecalcLayout = TRUE;
    RepositionBars(0, 0xFFFF, AFX_IDW_PANE_FIRST);
    m_bInRecalcLayout = FALSE;
}

void CFrameWnd::AddControlBar(CControlBar* pBar)
{
    if (std::find(m_listControlBars.begin(), m_listControlBars.end(), pBar) ==
        m_listControlBars.end())
        m_listControlBars.push_back(pBar);
}

void CFrameWnd::RemoveControlBar(CControlBar* pBar)
{
    m_listControlBars.erase(std::remove(m_listControlBars.begin(), m_listControlBars.end(), pBar),
                            m_listControlBars.end());
}

CControlBar* CFrameWnd::GetControlBar(UINT nID) const
{
    for (CControlBar* pBar : m_listControlBars)
        if (pBar->GetSafeHwnd() && UINT(pBar->GetDlgCtrlID()) == nID)
            return pBar;
    return nullptr;
}

CWnd* CFrameWnd::GetMessageBar()
{
    // Another bar may carry the status bar's identifier (a dock bar the status bar sits in).
    for (CControlBar* pBar : m_listControlBars)
        if (pBar->GetSafeHwnd() && UINT(pBar->GetDlgCtrlID()) == AFX_IDW_STATUS_BAR &&
            dynamic_cast<CStatusBar*>(pBar))
            return pBar;
    return GetControlBar(AFX_IDW_STATUS_BAR);
}

void CFrameWnd::SetMessageText(LPCTSTR lpszText)
{
    if (auto* pBar = dynamic_cast<CStatusBar*>(GetMessageBar()))
        pBar->SetPaneText(0, lpszText);
}

void CFrameWnd::SetMessageText(UINT nID)
{
    CString strMessage;
    GetMessageString(nID, strMessage);
    SetMessageText(strMessage);
}

void CFrameWnd::GetMessageString(UINT nID, CString& rMessage) const
{
    char szBuffer[512];
    int n = nID ? ::LoadStringA(AfxGetResourceHandle(), nID, szBuffer, int(sizeof(szBuffer))) : 0;
    if (n <= 0) {
        rMessage = nID == AFX_IDS_IDLEMESSAGE ? "Ready" : "";
        return;
    }
    rMessage = CString(szBuffer, n);
    int nNewLine = rMessage.Find('\n');
    if (nNewLine >= 0)
        rMessage = rMessage.Left(nNewLine);
}

BOOL CFrameWnd::ReadWindowPlacement(LPCTSTR lpszSection, LPCTSTR lpszEntry, WINDOWPLACEMENT& wp)
{
    CWinApp* pApp = AfxGetApp();
    LPBYTE pData = nullptr;
    UINT nBytes = 0;
    if (!pApp || !pApp->GetProfileBinary(lpszSection, lpszEntry, &pData, &nBytes))
        return FALSE;
    BOOL bOk = nBytes == sizeof(WINDOWPLACEMENT);
    if (bOk)
        std::memcpy(&wp, pData, sizeof(WINDOWPLACEMENT));
    delete[] pData;
    return bOk;
}

BOOL CFrameWnd::WriteWindowPlacement(LPCTSTR lpszSection, LPCTSTR lpszEntry) const
{
    WINDOWPLACEMENT wp{};
    CWinApp* pApp = AfxGetApp();
    if (!pApp || !GetWindowPlacement(&wp))
        return FALSE;
    return pApp->WriteProfileBinary(lpszSection, lpszEntry, reinterpret_cast<LPBYTE>(&wp),
                                    sizeof(wp));
}

void CFrameWnd::OnUpdateFrameTitle(BOOL bAddToTitle)
{
    CString strTitle = m_strTitle;
    CDocument* pDoc = GetActiveDocument();
    if (bAddToTitle && m_bAddToTitle && pDoc && !pDoc->GetTitle().IsEmpty())
        strTitle = pDoc->GetTitle() + " - " + m_strTitle;
    CString strOld;
    GetWindowText(strOld);
    if (strOld != strTitle)
        SetWindowText(strTitle);
}

BOOL CFrameWnd::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The active view first (it passes on to its document), then the frame, then the application.
    if (m_pViewActive && m_pViewActive->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    if (CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo))
        return TRUE;
    CWinApp* pApp = AfxGetApp();
    return pApp && pApp->OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

namespace {

bool KeyHeld(int vk) { return (::GetKeyState(vk) & 0x8000) != 0; }

// Shift+F10 (down) and the menu key (down and up): the keyboard's context menu.
bool IsContextMenuKey(const MSG& msg)
{
    const bool bDown = msg.message == WM_KEYDOWN || msg.message == WM_SYSKEYDOWN;
    const bool bUp = msg.message == WM_KEYUP || msg.message == WM_SYSKEYUP;
    if (msg.wParam == VK_APPS)
        return bDown || bUp;
    return bDown && msg.wParam == VK_F10 && KeyHeld(VK_SHIFT) && !KeyHeld(VK_CONTROL) &&
           !(HIWORD(msg.lParam) & KF_ALTDOWN);
}

} // namespace

BOOL CFrameWnd::PreTranslateMessage(MSG* pMsg)
{
    if (CWnd::PreTranslateMessage(pMsg))
        return TRUE;
    // The window with the focus is asked for its context menu at (-1, -1), as the system's
    // default handling does where it does so at all (Wine's does not); the key goes no further,
    // so that no second menu follows.
    if (IsContextMenuKey(*pMsg)) {
        if (pMsg->message == WM_KEYDOWN || pMsg->message == WM_SYSKEYDOWN)
            ::SendMessageA(pMsg->hwnd, WM_CONTEXTMENU, WPARAM(pMsg->hwnd), MAKELPARAM(-1, -1));
        return TRUE;
    }
    if (pMsg->message >= WM_KEYFIRST && pMsg->message <= WM_KEYLAST && m_hAccelTable)
        return ::TranslateAcceleratorA(m_hWnd, m_hAccelTable, pMsg) != 0;
    return FALSE;
}

void CFrameWnd::PostNcDestroy() { delete this; }

void CFrameWnd::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_MINIMIZED)
        RecalcLayout();
}

void CFrameWnd::OnClose()
{
    // The main frame asks every document; another frame only its own.
    CWinApp* pApp = AfxGetApp();
    if (pApp && pApp->m_pMainWnd == this) {
        if (pApp->m_pDocManager && !pApp->m_pDocManager->SaveAllModified())
            return;
    } else if (CDocument* pDoc = GetActiveDocument()) {
        if (!pDoc->CanCloseFrame(this))
            return;
    }
    DestroyWindow();
}

void CFrameWnd::OnDestroy()
{
    // A preview still running ends first, while the view it prints is alive.
    if (m_pPreviewState && ::IsWindow(m_pPreviewState->hWndPreview))
        ::SendMessageA(m_pPreviewState->hWndPreview, WM_COMMAND, AFX_ID_PREVIEW_CLOSE, 0);
    // The views die with the frame; the active one must not be used on the way.
    m_pViewActive = nullptr;
    // The default menu is freed by the destructor, not with the window.
    if (m_hMenuDefault && ::GetMenu(m_hWnd) == m_hMenuDefault)
        ::SetMenu(m_hWnd, nullptr);
    CWnd::OnDestroy();
}

void CFrameWnd::OnSetFocus(CWnd* pOldWnd)
{
    if (m_pViewActive && m_pViewActive->GetSafeHwnd())
        m_pViewActive->SetFocus();
    else
        CWnd::OnSetFocus(pOldWnd);
}

void CFrameWnd::OnMenuSelect(UINT nItemID, UINT nFlags, HMENU hSysMenu)
{
    if (nFlags == 0xFFFF && !hSysMenu) {
        // The menu closed: back to the idle text.
        m_nIDTracking = AFX_IDS_IDLEMESSAGE;
        SetMessageText(AFX_IDS_IDLEMESSAGE);
        return;
    }
    if (nItemID != 0 && !(nFlags & (MF_SEPARATOR | MF_POPUP | MF_MENUBREAK | MF_MENUBARBREAK))) {
        m_nIDTracking = nItemID;
        SetMessageText(nItemID);
    }
}

LRESULT CFrameWnd::OnSetMessageString(WPARAM wParam, LPARAM lParam)
{
    if (lParam)
        SetMessageText(reinterpret_cast<LPCTSTR>(lParam));
    else
        SetMessageText(wParam ? UINT(wParam) : AFX_IDS_IDLEMESSAGE);
    return 0;
}

LRESULT CFrameWnd::OnEnterSizeMove(WPARAM wParam, LPARAM lParam)
{
    SendMessageToDescendants(WM_SIZEMOVELOOP, TRUE, 0, TRUE, TRUE);
    return DefWindowProc(WM_ENTERSIZEMOVE, wParam, lParam);
}

LRESULT CFrameWnd::OnExitSizeMove(WPARAM wParam, LPARAM lParam)
{
    SendMessageToDescendants(WM_SIZEMOVELOOP, FALSE, 0, TRUE, TRUE);
    return DefWindowProc(WM_EXITSIZEMOVE, wParam, lParam);
}

LRESULT CFrameWnd::OnIdleUpdateCmdUI(WPARAM wParam, LPARAM)
{
    OnUpdateFrameTitle(TRUE);
    // Floating bars live in frames of their own, outside this frame's windows.
    for (CControlBar* pBar : std::vector<CControlBar*>(m_listControlBars))
        if (pBar->IsFloating())
            pBar->SendMessage(WM_IDLEUPDATECMDUI, wParam);
    return 0;
}

void CFrameWnd::OnUpdateKeyIndicator(CCmdUI* pCmdUI)
{
    int nVirtKey = pCmdUI->m_nID == ID_INDICATOR_CAPS  ? VK_CAPITAL
                   : pCmdUI->m_nID == ID_INDICATOR_NUM ? VK_NUMLOCK
                                                       : VK_SCROLL;
    pCmdUI->Enable(::GetKeyState(nVirtKey) & 1);
}
