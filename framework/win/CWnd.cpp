#include "framework/win/CWnd.h"

#include "framework/core/Exceptions.h"
#include "framework/win/CCmdUI.h"
#include "framework/win/CDC.h"
#include "framework/win/CMenu.h"
#include "framework/win/CWaitCursor.h"
#include "framework/win/CWinApp.h"
#include "framework/win/Controls.h"
#include "framework/win/HandleMap.h"
#include "framework/win/MessageCrackers.h"
#include "framework/win/TempMaps.h"

#include <cstdio>
#include <new>
#include <set>
#include <string>

IMPLEMENT_DYNCREATE(CWnd, CCmdTarget)

BEGIN_MESSAGE_MAP(CWnd, CCmdTarget)
ON_WM_NCDESTROY()
ON_WM_DRAWITEM()
ON_WM_MEASUREITEM()
ON_WM_DELETEITEM()
ON_WM_COMPAREITEM()
ON_WM_CTLCOLOR()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_INITMENUPOPUP()
ON_WM_MENUCHAR()
END_MESSAGE_MAP()

const CWnd CWnd::wndTop(HWND_TOP);
const CWnd CWnd::wndBottom(HWND_BOTTOM);
const CWnd CWnd::wndTopMost(HWND_TOPMOST);
const CWnd CWnd::wndNoTopMost(HWND_NOTOPMOST);

namespace {

using WndMap = CHandleMap<CWnd, HWND, &CWnd::m_hWnd>;

WndMap& TheWndMap()
{
    static WndMap& map = *new WndMap; // outlives every global object (see HandleMap.h)
    return map;
}

// Attaches the window being created to the object waiting for it, before its first message.
LRESULT CALLBACK CbtFilterHook(int code, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (code == HCBT_CREATEWND && state->m_pWndInit) {
        // Another hook may refuse the window; its handle then goes without a message, so the
        // object is attached only to a window that will be made.
        if (::CallNextHookEx(state->m_hHookOldCbtFilter, code, wParam, lParam))
            return 1;
        HWND hWnd = reinterpret_cast<HWND>(wParam);
        char className[16] = {};
        ::GetClassNameA(hWnd, className, sizeof className);
        if (::lstrcmpiA(className, "IME") != 0) { // input-method windows are never ours
            CWnd* pWnd = state->m_pWndInit;
            state->m_pWndInit = nullptr;
            pWnd->Attach(hWnd);
            pWnd->PreSubclassWindow();
            auto old = reinterpret_cast<WNDPROC>(
                ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
            if (old != &AfxWndProc)
                pWnd->m_pfnSuper = old;
        }
        return 0;
    }
    return ::CallNextHookEx(state->m_hHookOldCbtFilter, code, wParam, lParam);
}

} // namespace

void AfxDeleteTempWndMap() { TheWndMap().DeleteTemp(); }

AFX_THREAD_STATE* AfxGetThreadState()
{
    static thread_local AFX_THREAD_STATE state;
    return &state;
}

void AfxHookWindowCreate(CWnd* pWnd)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (!state->m_hHookOldCbtFilter)
        state->m_hHookOldCbtFilter =
            ::SetWindowsHookExA(WH_CBT, CbtFilterHook, nullptr, ::GetCurrentThreadId());
    state->m_pWndInit = pWnd;
}

BOOL AfxUnhookWindowCreate()
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (state->m_hHookOldCbtFilter) {
        ::UnhookWindowsHookEx(state->m_hHookOldCbtFilter);
        state->m_hHookOldCbtFilter = nullptr;
    }
    if (state->m_pWndInit) {
        state->m_pWndInit = nullptr;
        return FALSE; // the window was never created
    }
    return TRUE;
}

LRESULT CALLBACK AfxWndProc(HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    CWnd* pWnd = CWnd::FromHandlePermanent(hWnd);
    if (!pWnd)
        return ::DefWindowProcA(hWnd, nMsg, wParam, lParam);
    return AfxCallWndProc(pWnd, hWnd, nMsg, wParam, lParam);
}

LRESULT AfxCallWndProc(CWnd* pWnd, HWND hWnd, UINT nMsg, WPARAM wParam, LPARAM lParam)
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    const MSG oldMsg = state->m_lastSentMsg;
    state->m_lastSentMsg.hwnd = hWnd;
    state->m_lastSentMsg.message = nMsg;
    state->m_lastSentMsg.wParam = wParam;
    state->m_lastSentMsg.lParam = lParam;

    LRESULT lResult = 0;
    try {
        lResult = pWnd->WindowProc(nMsg, wParam, lParam);
    } catch (...) {
        // Exceptions never cross the system's window procedure frames; the user is told.
        AfxReportBarrierException();
    }
    // A handler of WM_NCDESTROY that skipped the base one: finish the detach here. Otherwise
    // pWnd may already be deleted and is not touched.
    if (nMsg == WM_NCDESTROY && CWnd::FromHandlePermanent(hWnd) == pWnd)
        pWnd->CleanUpAfterNcDestroy();

    state->m_lastSentMsg = oldMsg;
    return lResult;
}

void AfxReportBarrierException()
{
    CString text;
    try {
        throw;
    } catch (const CException& e) {
        text = e.GetErrorMessage(); // empty for a user exception: already reported
    } catch (const std::bad_alloc&) {
        text = CMemoryException().GetErrorMessage();
    } catch (const std::exception& e) {
        text = CString("An unexpected error occurred: ") + e.what();
    } catch (...) {
        text = "An unexpected error occurred.";
    }
    static thread_local bool reporting = false;
    if (text.IsEmpty() || reporting)
        return;
    reporting = true;
    AfxMessageBox(text, MB_ICONEXCLAMATION);
    reporting = false;
}

LPCTSTR AfxRegisterWndClass(UINT nClassStyle, HCURSOR hCursor, HBRUSH hbrBackground, HICON hIcon)
{
    static std::set<std::string> registered;
    HINSTANCE hInst = AfxGetInstanceHandle();
    char name[96];
    std::snprintf(name, sizeof name, "Afx:%p:%x:%p:%p:%p", static_cast<void*>(hInst), nClassStyle,
                  static_cast<void*>(hCursor), static_cast<void*>(hbrBackground),
                  static_cast<void*>(hIcon));
    auto it = registered.find(name);
    if (it != registered.end())
        return it->c_str();
    WNDCLASSA wc = {};
    if (!::GetClassInfoA(hInst, name, &wc)) {
        wc.style = nClassStyle;
        wc.lpfnWndProc = ::DefWindowProcA;
        wc.hInstance = hInst;
        wc.hIcon = hIcon;
        wc.hCursor = hCursor;
        wc.hbrBackground = hbrBackground;
        wc.lpszClassName = name;
        if (!::RegisterClassA(&wc))
            throw CResourceException("window class");
    }
    return registered.insert(name).first->c_str();
}

// ---- handle map, attaching and subclassing --------------------------------------------------

CWnd::~CWnd()
{
    if (TheWndMap().Owns(this)) {
        ::DestroyWindow(m_hWnd);
        if (m_hWnd) // the window belonged to another thread or refused to go
            Detach();
    }
}

CWnd* CWnd::FromHandle(HWND hWnd) { return TheWndMap().FromHandle(hWnd); }

CWnd* CWnd::FromHandlePermanent(HWND hWnd) { return TheWndMap().LookupPermanent(hWnd); }

BOOL CWnd::Attach(HWND hWndNew) { return TheWndMap().Attach(this, hWndNew); }

HWND CWnd::Detach() { return TheWndMap().Detach(this); }

void CWnd::PreSubclassWindow() {}

BOOL CWnd::SubclassWindow(HWND hWnd)
{
    if (!hWnd || !::IsWindow(hWnd) || !Attach(hWnd))
        return FALSE;
    PreSubclassWindow();
    auto old = reinterpret_cast<WNDPROC>(
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&AfxWndProc)));
    if (old != &AfxWndProc)
        m_pfnSuper = old;
    return TRUE;
}

BOOL CWnd::SubclassDlgItem(UINT nID, CWnd* pParent)
{
    HWND hWndControl = ::GetDlgItem(AfxSafeHwnd(pParent), int(nID));
    return hWndControl && SubclassWindow(hWndControl);
}

HWND CWnd::UnsubclassWindow()
{
    if (m_pfnSuper)
        ::SetWindowLongPtrA(m_hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    return Detach();
}

// ---- creation and destruction ---------------------------------------------------------------

BOOL CWnd::PreCreateWindow(CREATESTRUCT& cs)
{
    if (!cs.lpszClass)
        cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW));
    return TRUE;
}

BOOL CWnd::Create(LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                  CWnd* pParentWnd, UINT nID, CCreateContext* pContext)
{
    return CreateEx(0, lpszClassName, lpszWindowName, dwStyle | WS_CHILD, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, AfxSafeHwnd(pParentWnd),
                    reinterpret_cast<HMENU>(UINT_PTR(nID)), pContext);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    const RECT& rect, CWnd* pParentWnd, UINT nID, LPVOID lpParam)
{
    return CreateEx(dwExStyle, lpszClassName, lpszWindowName, dwStyle, rect.left, rect.top,
                    rect.right - rect.left, rect.bottom - rect.top, AfxSafeHwnd(pParentWnd),
                    reinterpret_cast<HMENU>(UINT_PTR(nID)), lpParam);
}

BOOL CWnd::CreateEx(DWORD dwExStyle, LPCTSTR lpszClassName, LPCTSTR lpszWindowName, DWORD dwStyle,
                    int x, int y, int nWidth, int nHeight, HWND hWndParent, HMENU nIDorHMenu,
                    LPVOID lpParam)
{
    CREATESTRUCT cs = {};
    cs.dwExStyle = dwExStyle;
    cs.lpszClass = lpszClassName;
    cs.lpszName = lpszWindowName;
    cs.style = LONG(dwStyle);
    cs.x = x;
    cs.y = y;
    cs.cx = nWidth;
    cs.cy = nHeight;
    cs.hwndParent = hWndParent;
    cs.hMenu = nIDorHMenu;
    cs.hInstance = AfxGetInstanceHandle();
    cs.lpCreateParams = lpParam;
    // A second window for an object that has one would leave the first without its object.
    ASSERT(m_hWnd == nullptr);
    if (m_hWnd)
        return FALSE;
    if (!PreCreateWindow(cs)) {
        PostNcDestroy();
        return FALSE;
    }

    AfxHookWindowCreate(this);
    HWND hWnd =
        ::CreateWindowExA(cs.dwExStyle, cs.lpszClass, cs.lpszName, DWORD(cs.style), cs.x, cs.y,
                          cs.cx, cs.cy, cs.hwndParent, cs.hMenu, cs.hInstance, cs.lpCreateParams);
    if (!AfxUnhookWindowCreate())
        PostNcDestroy(); // failed before the first message: a self-deleting object goes now
    return hWnd != nullptr;
}

BOOL CWnd::DestroyWindow()
{
    if (!m_hWnd)
        return FALSE;
    return ::DestroyWindow(m_hWnd);
}

void CWnd::PostNcDestroy() {}

void CWnd::OnNcDestroy()
{
    Default(); // the original procedure sees WM_NCDESTROY too
    CleanUpAfterNcDestroy();
}

void CWnd::CleanUpAfterNcDestroy()
{
    if (CWinThread* pThread = AfxGetThread(); pThread && pThread->m_pMainWnd == this) {
        if (pThread == AfxGetApp())
            ::PostQuitMessage(0); // the main window is gone: the program ends
        pThread->m_pMainWnd = nullptr;
    }
    HWND hWnd = m_hWnd;
    if (m_pfnSuper &&
        reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) == &AfxWndProc)
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(m_pfnSuper));
    m_pfnSuper = nullptr;
    Detach();
    PostNcDestroy(); // may delete this
}

// ---- message dispatch -----------------------------------------------------------------------

LRESULT CWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    LRESULT lResult = 0;
    if (!OnWndMsg(message, wParam, lParam, &lResult))
        lResult = DefWindowProc(message, wParam, lParam);
    return lResult;
}

BOOL CWnd::OnWndMsg(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    LRESULT unused = 0;
    if (!pResult)
        pResult = &unused;
    if (message == WM_COMMAND) {
        if (!OnCommand(wParam, lParam))
            return FALSE;
        *pResult = 1;
        return TRUE;
    }
    if (message == WM_NOTIFY) {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        return pNMHDR && pNMHDR->hwndFrom && OnNotify(wParam, lParam, pResult);
    }

    // Every WM_CTLCOLOR* message is one entry, ON_WM_CTLCOLOR (or its reflected form).
    UINT lookup = message;
    const UINT base = message >= WM_REFLECT_BASE ? message - WM_REFLECT_BASE : message;
    if (base >= WM_CTLCOLORMSGBOX && base <= WM_CTLCOLORSTATIC)
        lookup = message - base + WM_CTLCOLOR;

    const AFX_MSGMAP_ENTRY* entry = FindMessageEntry(GetMessageMap(), lookup, 0, 0);
    if (!entry)
        return FALSE;
    AFX_MSG_CALL call;
    call.message = message;
    call.wParam = wParam;
    call.lParam = lParam;
    *pResult = entry->pfnDispatch(this, call);
    return TRUE;
}

LRESULT CWnd::DefWindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pfnSuper)
        return ::CallWindowProcA(m_pfnSuper, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

LRESULT CWnd::Default()
{
    const MSG& msg = AfxGetThreadState()->m_lastSentMsg;
    return DefWindowProc(msg.message, msg.wParam, msg.lParam);
}

const MSG* CWnd::GetCurrentMessage() { return &AfxGetThreadState()->m_lastSentMsg; }

BOOL CWnd::PreTranslateMessage(MSG*) { return FALSE; }

BOOL CWnd::WalkPreTranslateTree(HWND hWndStop, MSG* pMsg)
{
    for (HWND hWnd = pMsg->hwnd; hWnd; hWnd = ::GetParent(hWnd)) {
        if (CWnd* pWnd = FromHandlePermanent(hWnd); pWnd && pWnd->PreTranslateMessage(pMsg))
            return TRUE;
        if (hWnd == hWndStop)
            break;
    }
    return FALSE;
}

namespace {

// Learns whether a menu or accelerator command is enabled, without touching any menu.
class CTestCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnabled = bOn;
        m_bEnableChanged = TRUE;
    }
    void SetCheck(int) override {}
    void SetRadio(BOOL) override {}
    void SetText(LPCTSTR) override {}
    BOOL m_bEnabled = TRUE;
};

} // namespace

BOOL CWnd::OnCommand(WPARAM wParam, LPARAM lParam)
{
    const UINT nID = LOWORD(wParam);
    HWND hWndCtrl = reinterpret_cast<HWND>(lParam);
    int nCode = HIWORD(wParam);
    if (!hWndCtrl) {
        if (nID == 0)
            return FALSE;
        // A command disabled since its menu was shown (or an accelerator of one) is ignored.
        CTestCmdUI state;
        state.m_nID = nID;
        OnCmdMsg(nID, CN_UPDATE_COMMAND_UI, &state, nullptr);
        if (!state.m_bEnabled)
            return TRUE;
        nCode = CN_COMMAND;
        // What the closed menu uncovered is painted before a command that may run long.
        if (HWND hTop = ::GetAncestor(m_hWnd, GA_ROOT))
            ::RedrawWindow(hTop, nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
    } else {
        if (ReflectLastMsg(hWndCtrl))
            return TRUE; // the control handled its own notification
        if (nID == 0)
            return FALSE;
    }
    if (nCode != CN_COMMAND) // a notification such as a changed text: never long
        return OnCmdMsg(nID, nCode, nullptr, nullptr);
    // Any command may run long: the user sees the wait cursor until it ends.
    CWaitCursor wait;
    return OnCmdMsg(nID, nCode, nullptr, nullptr);
}

BOOL CWnd::OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult)
{
    auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
    if (ReflectLastMsg(pNMHDR->hwndFrom, pResult))
        return TRUE;
    AFX_NOTIFY notify = {pResult, pNMHDR};
    return OnCmdMsg(UINT(pNMHDR->idFrom), int(MAKELONG(pNMHDR->code, WM_NOTIFY)), &notify, nullptr);
}

BOOL CWnd::ReflectLastMsg(HWND hWndChild, LRESULT* pResult)
{
    CWnd* pWnd = FromHandlePermanent(hWndChild);
    if (!pWnd)
        return FALSE;
    const MSG msg = *GetCurrentMessage();
    return pWnd->OnChildNotify(msg.message, msg.wParam, msg.lParam, pResult);
}

BOOL CWnd::OnChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    return ReflectChildNotify(message, wParam, lParam, pResult);
}

BOOL CWnd::ReflectChildNotify(UINT message, WPARAM wParam, LPARAM lParam, LRESULT* pResult)
{
    switch (message) {
    case WM_HSCROLL:
    case WM_VSCROLL:
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_COMPAREITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
        return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
    case WM_COMMAND:
        if (OnCmdMsg(0, int(MAKELONG(HIWORD(wParam), WM_REFLECT_BASE + WM_COMMAND)), nullptr,
                     nullptr)) {
            if (pResult)
                *pResult = 1;
            return TRUE;
        }
        return FALSE;
    case WM_NOTIFY: {
        auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
        LRESULT unused = 0;
        AFX_NOTIFY notify = {pResult ? pResult : &unused, pNMHDR};
        return OnCmdMsg(0, int(MAKELONG(pNMHDR->code, WM_REFLECT_BASE + WM_NOTIFY)), &notify,
                        nullptr);
    }
    default:
        if (message >= WM_CTLCOLORMSGBOX && message <= WM_CTLCOLORSTATIC)
            return OnWndMsg(WM_REFLECT_BASE + message, wParam, lParam, pResult);
        return FALSE;
    }
}

// ---- default handlers that reflect to the child control first -----------------------------

void CWnd::OnHScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar && ReflectLastMsg(pScrollBar->m_hWnd))
        return;
    Default();
}

void CWnd::OnVScroll(UINT, UINT, CScrollBar* pScrollBar)
{
    if (pScrollBar && ReflectLastMsg(pScrollBar->m_hWnd))
        return;
    Default();
}

HBRUSH CWnd::OnCtlColor(CDC*, CWnd* pWnd, UINT)
{
    LRESULT lResult = 0;
    if (pWnd && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return reinterpret_cast<HBRUSH>(lResult);
    return reinterpret_cast<HBRUSH>(Default());
}

void CWnd::OnDrawItem(int, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_MENU) {
        // hwndItem holds the menu handle of a menu item
        if (CMenu* pMenu =
                CMenu::FromHandlePermanent(reinterpret_cast<HMENU>(lpDrawItemStruct->hwndItem))) {
            pMenu->DrawItem(lpDrawItemStruct);
            return;
        }
    } else if (ReflectLastMsg(lpDrawItemStruct->hwndItem)) {
        return;
    }
    Default();
}

namespace {

// The permanent menu object that holds the item nID, searching pop-ups depth first. A pop-up's
// own item has the pop-up's handle for its id.
CMenu* FindPopupMenuFromID(HMENU hMenu, UINT nID)
{
    const int count = ::GetMenuItemCount(hMenu);
    for (int i = 0; i < count; ++i) {
        if (HMENU hSub = ::GetSubMenu(hMenu, i)) {
            if (UINT(UINT_PTR(hSub)) == nID)
                return CMenu::FromHandlePermanent(hMenu);
            if (CMenu* pFound = FindPopupMenuFromID(hSub, nID))
                return pFound;
        } else if (::GetMenuItemID(hMenu, i) == nID) {
            return CMenu::FromHandlePermanent(hMenu);
        }
    }
    return nullptr;
}

} // namespace

void CWnd::OnMeasureItem(int nIDCtl, LPMEASUREITEMSTRUCT lpMeasureItemStruct)
{
    if (lpMeasureItemStruct->CtlType == ODT_MENU) {
        // The item's menu is the one being tracked for this window, else its menu bar.
        AFX_THREAD_STATE* state = AfxGetThreadState();
        HMENU hMenu =
            state->m_hTrackingWindow == m_hWnd ? state->m_hTrackingMenu : ::GetMenu(m_hWnd);
        if (hMenu) {
            if (CMenu* pMenu = FindPopupMenuFromID(hMenu, lpMeasureItemStruct->itemID)) {
                pMenu->MeasureItem(lpMeasureItemStruct);
                return;
            }
        }
    } else if (HWND hWndChild = ::GetDlgItem(m_hWnd, nIDCtl);
               hWndChild && ReflectLastMsg(hWndChild)) {
        return;
    }
    Default();
}

LRESULT CWnd::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    if (CMenu* pOwn = pMenu ? CMenu::FromHandlePermanent(pMenu->m_hMenu) : nullptr)
        if (const LRESULT lResult = pOwn->MenuChar(nChar, nFlags))
            return lResult;
    return Default();
}

void CWnd::OnDeleteItem(int, LPDELETEITEMSTRUCT lpDeleteItemStruct)
{
    if (lpDeleteItemStruct->CtlType != ODT_MENU && ReflectLastMsg(lpDeleteItemStruct->hwndItem))
        return;
    Default();
}

int CWnd::OnCompareItem(int, LPCOMPAREITEMSTRUCT lpCompareItemStruct)
{
    LRESULT lResult = 0;
    if (ReflectLastMsg(lpCompareItemStruct->hwndItem, &lResult))
        return int(lResult);
    return int(Default());
}

void CWnd::OnInitMenuPopup(CMenu* pPopupMenu, UINT, BOOL bSysMenu)
{
    Default();
    // Menu items take their state from the update handlers reached from this window.
    if (!bSysMenu)
        AfxUpdateMenuCmdUI(this, pPopupMenu, FALSE);
}
