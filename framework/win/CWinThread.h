#pragma once
#include "framework/win/CCmdTarget.h"

class CWnd;

// The user-interface thread: its message loop with idle processing. The program's one
// thread is the application object (CWinApp derives from this class).
class CWinThread : public CCmdTarget {
    DECLARE_DYNAMIC(CWinThread)
public:
    CWinThread();
    ~CWinThread() override;

    virtual BOOL InitInstance();
    virtual int ExitInstance();
    // The message loop: while the queue is empty OnIdle(0), OnIdle(1), ... until it returns
    // FALSE; then each message is pre-translated and dispatched. Ends with ExitInstance.
    virtual int Run();
    // Gets one message and dispatches it unless PreTranslateMessage took it; FALSE on WM_QUIT.
    virtual BOOL PumpMessage();
    // Offers the message to its window and each parent up to the main window.
    virtual BOOL PreTranslateMessage(MSG* pMsg);
    // Count 0 updates the main window's command states, count 1 releases temporary wrappers.
    virtual BOOL OnIdle(LONG lCount);
    // FALSE for messages that do not end an idle period (timers, paints, mouse standing still).
    virtual BOOL IsIdleMessage(MSG* pMsg);
    virtual CWnd* GetMainWnd();

    CWnd* m_pMainWnd = nullptr;
    MSG m_msgCur{};

private:
    POINT m_ptCursorLast{-1, -1};
    UINT m_nMsgLast = 0;
};

// The loop step that modal loops share with Run: the current thread's PumpMessage.
BOOL AfxPumpMessage();
BOOL AfxIsIdleMessage(MSG* pMsg);
// The current thread's PreTranslateMessage (the window chain when there is no thread object).
BOOL AfxPreTranslateMessage(MSG* pMsg);
