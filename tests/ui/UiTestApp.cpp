#include "tests/ui/UiTestApp.h"

#include "framework/win/CWinThread.h"

#include <utility>

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

namespace {
CRefuseCreation* g_pRefuse = nullptr;
}

CRefuseCreation::CRefuseCreation(std::function<bool(const CREATESTRUCTA&)> refuse)
    : m_refuse(std::move(refuse))
{
    g_pRefuse = this;
    m_hHook = ::SetWindowsHookExA(WH_CBT, &CRefuseCreation::Hook, nullptr, ::GetCurrentThreadId());
}

CRefuseCreation::~CRefuseCreation()
{
    ::UnhookWindowsHookEx(m_hHook);
    g_pRefuse = nullptr;
}

LRESULT CALLBACK CRefuseCreation::Hook(int code, WPARAM wParam, LPARAM lParam)
{
    if (code == HCBT_CREATEWND && g_pRefuse &&
        g_pRefuse->m_refuse(*reinterpret_cast<CBT_CREATEWNDA*>(lParam)->lpcs)) {
        ++g_pRefuse->m_nRefused;
        return 1;
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}
