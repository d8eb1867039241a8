#pragma once
// Watches the pop-up menus a window opens (attach it with AttachHook), closing each as soon as
// it is idle and noting the first command of the first one.
#include "ui/SubclassWnd.h"

class MenuWatcher : public CSubclassWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_INITMENUPOPUP && !HIWORD(lParam) && firstCommand == 0)
            firstCommand = ::GetMenuItemID(HMENU(wParam), 0);
        if (message == WM_ENTERIDLE)
            ::EndMenu();
        return CSubclassWnd::WindowProc(message, wParam, lParam);
    }
    UINT firstCommand = 0;
};
