#include "app/ToolWindows.h"

#include "framework/win/CWnd.h"

namespace {

// Centred on the owner's rectangle even before the owner first shows, as long as it is not
// minimised.
void CentreOnMainWindow(CWnd& window)
{
    const HWND hOwner = ::GetWindow(window.m_hWnd, GW_OWNER);
    if (!hOwner || ::IsIconic(hOwner)) {
        window.CenterWindow();
        return;
    }
    CRect rect, owner;
    window.GetWindowRect(&rect);
    ::GetWindowRect(hOwner, &owner);
    const CPoint topLeft = CenteredInWorkArea(
        rect.Size(), owner, AfxGetWorkArea(::MonitorFromWindow(hOwner, MONITOR_DEFAULTTONEAREST)));
    window.SetWindowPos(nullptr, topLeft.x, topLeft.y, 0, 0,
                        SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

} // namespace

void ToolWindowPlace::Restore(CWnd& window, int left, int top)
{
    CRect rect;
    window.GetWindowRect(&rect);
    const CRect saved(CPoint(left, top), rect.Size());
    const CRect screen(
        CPoint(::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN)),
        CSize(::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN)));
    const BOOL bOnScreen = saved.left >= screen.left && saved.top >= screen.top &&
                           saved.right <= screen.right && saved.bottom <= screen.bottom;
    m_bCentreAtShow = left < 0 || !bOnScreen;
    if (m_bCentreAtShow)
        CentreOnMainWindow(window);
    else
        window.SetWindowPos(nullptr, saved.left, saved.top, 0, 0,
                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

void ToolWindowPlace::BeforeShow(CWnd& window)
{
    if (!m_bCentreAtShow)
        return;
    m_bCentreAtShow = FALSE;
    CentreOnMainWindow(window);
}

void ToolWindowPlace::Save(const CWnd& window, int& left, int& top) const
{
    if (m_bCentreAtShow)
        return;
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!window.GetWindowPlacement(&placement)) {
        left = top = -1;
        return;
    }
    left = placement.rcNormalPosition.left;
    top = placement.rcNormalPosition.top;
}
