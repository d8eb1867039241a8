#pragma once
// What the message loop would do next in a benchmark: every queued message, pre-translated as
// the program's loop does.
#include "framework/win/CWinThread.h"

inline void Pump()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE))
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
}
