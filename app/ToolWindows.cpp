#include "app/ToolWindows.h"

#include "framework/win/CWnd.h"

void PlaceToolWindow(CWnd& window, int left, int top)
{
    CRect rect;
    window.GetWindowRect(&rect);
    const CRect saved(CPoint(left, top), rect.Size());
    const CRect screen(
        CPoint(::GetSystemMetrics(SM_XVIRTUALSCREEN), ::GetSystemMetrics(SM_YVIRTUALSCREEN)),
        CSize(::GetSystemMetrics(SM_CXVIRTUALSCREEN), ::GetSystemMetrics(SM_CYVIRTUALSCREEN)));
    const BOOL bOnScreen = saved.left >= screen.left && saved.top >= screen.top &&
                           saved.right <= screen.right && saved.bottom <= screen.bottom;
    if (left >= 0 && bOnScreen)
        window.SetWindowPos(nullptr, saved.left, saved.top, 0, 0,
                            SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
    else
        window.CenterWindow();
}

CPoint NormalTopLeft(const CWnd& window)
{
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    if (!window.GetWindowPlacement(&placement))
        return CPoint(-1, -1);
    return CPoint(placement.rcNormalPosition.left, placement.rcNormalPosition.top);
}
