#include <windows.h>

#include "res/resource.h"

namespace {

const char kMainClass[] = "ZivraMainFrame";

LRESULT CALLBACK MainProc(HWND hwnd, UINT msg, WPARAM wParam, LPARAM lParam)
{
    if (msg == WM_DESTROY) {
        ::PostQuitMessage(0);
        return 0;
    }
    return ::DefWindowProcA(hwnd, msg, wParam, lParam);
}

} // namespace

int WINAPI WinMain(HINSTANCE instance, HINSTANCE, LPSTR, int show)
{
    char title[64] = "Zivra";
    ::LoadStringA(instance, IDS_APP_TITLE, title, sizeof title);

    WNDCLASSA wc = {};
    wc.lpfnWndProc = MainProc;
    wc.hInstance = instance;
    wc.hCursor = ::LoadCursorA(nullptr, IDC_ARROW);
    wc.hIcon = ::LoadIconA(nullptr, IDI_APPLICATION);
    wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
    wc.lpszClassName = kMainClass;
    if (!::RegisterClassA(&wc))
        return 1;

    HWND frame = ::CreateWindowExA(0, kMainClass, title, WS_OVERLAPPEDWINDOW, CW_USEDEFAULT,
                                   CW_USEDEFAULT, 900, 640, nullptr, nullptr, instance, nullptr);
    if (!frame)
        return 1;
    ::ShowWindow(frame, show);
    ::UpdateWindow(frame);

    MSG msg;
    while (::GetMessageA(&msg, nullptr, 0, 0) > 0) {
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    return static_cast<int>(msg.wParam);
}
