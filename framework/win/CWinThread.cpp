#include "framework/win/CWinThread.h"

#include "framework/win/CWinApp.h"
#include "framework/win/CWnd.h"
#include "framework/win/TempMaps.h"

#include <ole2.h>

IMPLEMENT_DYNAMIC(CWinThread, CCmdTarget)

CWinThread::CWinThread() { AfxGetThreadState()->m_pCurrentWinThread = this; }

CWinThread::~CWinThread()
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (state->m_pCurrentWinThread == this)
        state->m_pCurrentWinThread = nullptr;
}

CWinThread* AfxGetThread() { return AfxGetThreadState()->m_pCurrentWinThread; }

BOOL CWinThread::InitInstance() { return FALSE; }

int CWinThread::ExitInstance() { return int(m_msgCur.wParam); }

CWnd* CWinThread::GetMainWnd() { return m_pMainWnd; }

namespace {

// Pre-translation and idle work run outside any window procedure: an exception there is
// reported the same way, and the loop goes on as if the call had answered FALSE.
template <class Call> BOOL Guarded(Call call)
{
    try {
        return call();
    } catch (...) {
        AfxReportBarrierException();
        return FALSE;
    }
}

} // namespace

BOOL CWinThread::PumpMessage()
{
    if (!::GetMessageA(&m_msgCur, nullptr, 0, 0))
        return FALSE;
    AfxGetThreadState()->m_msgCur = m_msgCur;
    if (!Guarded([this] { return PreTranslateMessage(&m_msgCur); })) {
        ::TranslateMessage(&m_msgCur);
        ::DispatchMessageA(&m_msgCur);
    }
    return TRUE;
}

BOOL CWinThread::PreTranslateMessage(MSG* pMsg)
{
    return CWnd::WalkPreTranslateTree(AfxSafeHwnd(GetMainWnd()), pMsg);
}

BOOL CWinThread::IsIdleMessage(MSG* pMsg)
{
    constexpr UINT WM_SYSTIMER = 0x0118; // caret blink
    if (pMsg->message == WM_MOUSEMOVE || pMsg->message == WM_NCMOUSEMOVE) {
        // A mouse standing still keeps the idle period going.
        if (m_nMsgLast == pMsg->message && m_ptCursorLast.x == pMsg->pt.x &&
            m_ptCursorLast.y == pMsg->pt.y)
            return FALSE;
        m_ptCursorLast = pMsg->pt;
        m_nMsgLast = pMsg->message;
        return TRUE;
    }
    return pMsg->message != WM_PAINT && pMsg->message != WM_SYSTIMER;
}

BOOL CWinThread::OnIdle(LONG lCount)
{
    if (lCount <= 0) {
        CWnd* pMainWnd = m_pMainWnd;
        if (pMainWnd && pMainWnd->m_hWnd && pMainWnd->IsWindowVisible()) {
            AfxCallWndProc(pMainWnd, pMainWnd->m_hWnd, WM_IDLEUPDATECMDUI, TRUE, 0);
            pMainWnd->SendMessageToDescendants(WM_IDLEUPDATECMDUI, TRUE, 0, TRUE, TRUE);
        }
    } else if (lCount == 1) {
        AfxDeleteTempMaps();
    }
    return lCount < 1;
}

int CWinThread::Run()
{
    BOOL bIdle = TRUE;
    LONG lIdleCount = 0;
    for (;;) {
        while (bIdle && !::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE)) {
            if (!Guarded([this, count = lIdleCount++] { return OnIdle(count); }))
                bIdle = FALSE;
        }
        do {
            if (!PumpMessage())
                return ExitInstance();
            if (IsIdleMessage(&m_msgCur)) {
                bIdle = TRUE;
                lIdleCount = 0;
            }
        } while (::PeekMessageA(&m_msgCur, nullptr, 0, 0, PM_NOREMOVE));
    }
}

BOOL AfxPreTranslateMessage(MSG* pMsg)
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->PreTranslateMessage(pMsg);
    return CWnd::WalkPreTranslateTree(nullptr, pMsg);
}

BOOL AfxPumpMessage()
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->PumpMessage();
    MSG& msg = AfxGetThreadState()->m_msgCur;
    if (!::GetMessageA(&msg, nullptr, 0, 0))
        return FALSE;
    if (!Guarded([&msg] { return AfxPreTranslateMessage(&msg); })) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return TRUE;
}

BOOL AfxIsIdleMessage(MSG* pMsg)
{
    if (CWinThread* pThread = AfxGetThread())
        return pThread->IsIdleMessage(pMsg);
    return pMsg->message != WM_PAINT && pMsg->message != 0x0118;
}

BOOL AfxOleInit()
{
    AFX_THREAD_STATE* state = AfxGetThreadState();
    if (!state->m_bOleInitialized && SUCCEEDED(::OleInitialize(nullptr)))
        state->m_bOleInitialized = TRUE;
    return state->m_bOleInitialized;
}

void AfxDeleteTempMaps()
{
    AfxDeleteTempWndMap();
    AfxDeleteTempMenuMap();
    AfxDeleteTempDCMap();
    AfxDeleteTempGdiMaps();
    AfxDeleteTempImageListMap();
}
