#include "framework/win/CWaitCursor.h"

namespace {

// The program's windows live on one thread; nested waits count here.
thread_local int t_nWaiting = 0;

HCURSOR WaitShape() { return ::LoadCursorA(nullptr, IDC_WAIT); }

} // namespace

CWaitCursor::CWaitCursor() : m_hOld(::SetCursor(WaitShape())) { ++t_nWaiting; }

CWaitCursor::~CWaitCursor()
{
    --t_nWaiting;
    ::SetCursor(t_nWaiting > 0 ? WaitShape() : m_hOld);
}

void CWaitCursor::Restore() { ::SetCursor(WaitShape()); }

BOOL CWaitCursor::IsWaiting() { return t_nWaiting > 0; }

CModalCursor::CModalCursor() : m_bWaiting(CWaitCursor::IsWaiting())
{
    if (m_bWaiting)
        ::SetCursor(::LoadCursorA(nullptr, IDC_ARROW));
}

CModalCursor::~CModalCursor()
{
    if (m_bWaiting)
        ::SetCursor(WaitShape());
}
