#include "ui/SubclassWnd.h"

#include "framework/core/Exceptions.h"
#include "framework/win/CWnd.h"

IMPLEMENT_DYNAMIC(CSubclassWnd, CObject)

CSubclassWnd::~CSubclassWnd() { AttachHook(nullptr); }

CSubclassWndMap& CSubclassWnd::GetHookMap()
{
    static CSubclassWndMap& map = *new CSubclassWndMap;
    return map;
}

BOOL CSubclassWnd::AttachHook(HWND hWnd)
{
    if (m_hWnd) {
        GetHookMap().RemoveHook(this);
        m_pOldWndProc = nullptr;
        m_hWnd = nullptr;
    }
    if (!hWnd)
        return TRUE;
    if (!::IsWindow(hWnd))
        return FALSE;
    m_hWnd = hWnd;
    GetHookMap().AddHook(hWnd, this);
    return TRUE;
}

LRESULT CSubclassWnd::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    if (m_pNext)
        return m_pNext->WindowProc(message, wParam, lParam);
    if (m_pOldWndProc)
        return ::CallWindowProcA(m_pOldWndProc, m_hWnd, message, wParam, lParam);
    return ::DefWindowProcA(m_hWnd, message, wParam, lParam);
}

void CSubclassWndMap::AddHook(HWND hWnd, CSubclassWnd* pHook)
{
    auto found = m_entries.find(hWnd);
    if (found == m_entries.end()) {
        Entry entry;
        entry.pfnSaved = reinterpret_cast<WNDPROC>(::SetWindowLongPtrA(
            hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(&DispatchHookedMessage)));
        found = m_entries.emplace(hWnd, entry).first;
    }
    // The newest hook comes first; every hook of a window ends at the same procedure.
    pHook->m_pNext = found->second.pFirst;
    pHook->m_pOldWndProc = found->second.pfnSaved;
    found->second.pFirst = pHook;
}

void CSubclassWndMap::RemoveHook(CSubclassWnd* pHook)
{
    auto found = m_entries.find(pHook->m_hWnd);
    if (found == m_entries.end())
        return;
    Entry& entry = found->second;
    if (entry.pFirst == pHook) {
        entry.pFirst = pHook->m_pNext;
    } else {
        for (CSubclassWnd* p = entry.pFirst; p; p = p->m_pNext)
            if (p->m_pNext == pHook) {
                p->m_pNext = pHook->m_pNext;
                break;
            }
    }
    pHook->m_pNext = nullptr;
    if (entry.pFirst)
        return;
    // The last hook left. The window's own procedure comes back only while the hook procedure
    // is the current one: a later subclasser calls it and must not be cut off.
    const HWND hWnd = found->first;
    if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrA(hWnd, GWLP_WNDPROC)) ==
        &DispatchHookedMessage) {
        ::SetWindowLongPtrA(hWnd, GWLP_WNDPROC, reinterpret_cast<LONG_PTR>(entry.pfnSaved));
        m_entries.erase(found);
    }
}

void CSubclassWndMap::RemoveAllHooks(HWND hWnd)
{
    while (CSubclassWnd* pHook = FindFirstHook(hWnd))
        pHook->AttachHook(nullptr);
}

CSubclassWnd* CSubclassWndMap::FindFirstHook(HWND hWnd) const
{
    auto found = m_entries.find(hWnd);
    return found == m_entries.end() ? nullptr : found->second.pFirst;
}

WNDPROC CSubclassWndMap::FindSavedProc(HWND hWnd) const
{
    auto found = m_entries.find(hWnd);
    return found == m_entries.end() ? nullptr : found->second.pfnSaved;
}

namespace {

LRESULT CallSaved(WNDPROC pfnSaved, HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    return pfnSaved ? ::CallWindowProcA(pfnSaved, hWnd, message, wParam, lParam)
                    : ::DefWindowProcA(hWnd, message, wParam, lParam);
}

} // namespace

LRESULT CALLBACK DispatchHookedMessage(HWND hWnd, UINT message, WPARAM wParam, LPARAM lParam)
{
    // Framework code called from a hook sees this message as the one being handled.
    AFX_THREAD_STATE* state = AfxGetThreadState();
    const MSG oldMsg = state->m_lastSentMsg;
    state->m_lastSentMsg.hwnd = hWnd;
    state->m_lastSentMsg.message = message;
    state->m_lastSentMsg.wParam = wParam;
    state->m_lastSentMsg.lParam = lParam;

    CSubclassWndMap& map = CSubclassWnd::GetHookMap();
    const WNDPROC pfnSaved = map.FindSavedProc(hWnd);
    LRESULT lResult = 0;
    if (message == WM_NCDESTROY) {
        // Every hook leaves before the window's own procedure sees its last message.
        map.RemoveAllHooks(hWnd);
        map.Forget(hWnd);
        lResult = CallSaved(pfnSaved, hWnd, message, wParam, lParam);
    } else if (CSubclassWnd* pFirst = map.FindFirstHook(hWnd)) {
        // No exception crosses the system's frames: a hook's failure is reported and dropped.
        try {
            lResult = pFirst->WindowProc(message, wParam, lParam);
        } catch (const CException& e) {
            const CString text = e.GetErrorMessage();
            if (!text.IsEmpty())
                AfxMessageBox(text, MB_ICONEXCLAMATION);
        } catch (...) {
        }
    } else {
        lResult = CallSaved(pfnSaved, hWnd, message, wParam, lParam);
    }
    state->m_lastSentMsg = oldMsg;
    return lResult;
}
