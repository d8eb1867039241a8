#pragma once
// Watches the pop-up menus a window opens (attach it with AttachHook), closing each as soon as
// it is idle and noting the first command of the first one; with a key set, that key is
// pressed in the first menu instead, as the user would choose an item by its letter.
#include "ui/SubclassWnd.h"

class MenuWatcher : public CSubclassWnd {
public:
    LRESULT WindowProc(UINT message, WPARAM wParam, LPARAM lParam) override
    {
        if (message == WM_INITMENUPOPUP && !HIWORD(lParam) && firstCommand == 0)
            firstCommand = ::GetMenuItemID(HMENU(wParam), 0);
        if (message == WM_ENTERIDLE && key && !bPressed) {
            const LPARAM data = 1 | LPARAM(::MapVirtualKeyA(key, MAPVK_VK_TO_VSC)) << 16;
            ::PostMessageA(HWND(lParam), WM_KEYDOWN, key, data);
            ::PostMessageA(HWND(lParam), WM_KEYUP, key, data | 0xC0000000);
            bPressed = true;
        } else if (message == WM_ENTERIDLE) {
            bLeftOpen = key != 0;
            ::EndMenu();
        }
        return CSubclassWnd::WindowProc(message, wParam, lParam);
    }
    UINT firstCommand = 0;
    UINT key = 0;
    bool bPressed = false;
    bool bLeftOpen = false; // the key chose nothing
};
