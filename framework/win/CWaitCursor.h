#pragma once
#include "framework/core/Platform.h"

// The wait cursor while a long operation runs; the previous cursor comes back at destruction.
// Every menu, accelerator and button command runs under one. While any is alive, a modal
// dialog or message box shows the arrow (CModalCursor) and the wait cursor returns after it.
class CWaitCursor {
public:
    CWaitCursor();
    ~CWaitCursor();
    CWaitCursor(const CWaitCursor&) = delete;
    CWaitCursor& operator=(const CWaitCursor&) = delete;
    // Shows the wait cursor again (after something changed it).
    void Restore();
    // Whether a wait cursor is alive on this thread.
    static BOOL IsWaiting();

private:
    HCURSOR m_hOld;
};

// Around a modal loop that waits for the user: the arrow for its lifetime when a wait cursor
// is alive, the wait cursor again at destruction.
class CModalCursor {
public:
    CModalCursor();
    ~CModalCursor();
    CModalCursor(const CModalCursor&) = delete;
    CModalCursor& operator=(const CModalCursor&) = delete;

private:
    BOOL m_bWaiting;
};
