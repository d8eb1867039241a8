#include "tests/ui/UiTestApp.h"

#include "framework/win/CWinThread.h"

CUiTestApp theUiTestApp;

IMPLEMENT_DYNCREATE(CBlankView, CView)

void UseTestRegistryKey()
{
    if (!theUiTestApp.m_pszRegistryKey)
        theUiTestApp.SetRegistryKey("Zivra Ui Tests");
}

CFrameWnd* NewTestFrame(int cx, int cy)
{
    auto* pFrame = new CFrameWnd;
    RECT rect = {0, 0, cx, cy};
    ::AdjustWindowRectEx(&rect, WS_OVERLAPPEDWINDOW, FALSE, 0);
    const RECT place = {0, 0, rect.right - rect.left, rect.bottom - rect.top};
    if (!pFrame->Create(nullptr, "Ui Test", WS_OVERLAPPEDWINDOW, place))
        return nullptr;
    return pFrame;
}

void PumpMessages()
{
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, 0, 0, PM_REMOVE)) {
        if (msg.message == WM_QUIT)
            continue;
        if (!AfxPreTranslateMessage(&msg)) {
            ::TranslateMessage(&msg);
            ::DispatchMessageA(&msg);
        }
    }
}
