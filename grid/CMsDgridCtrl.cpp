#include "grid/CMsDgridCtrl.h"

#include <ole2.h>

IMPLEMENT_DYNCREATE(CMsDgridCtrl, CWnd)

namespace {

using AtlAxWinInitFn = BOOL(WINAPI*)();
using AtlAxGetControlFn = HRESULT(WINAPI*)(HWND, IUnknown**);

// The control's class, when the system has it registered.
BOOL IsControlRegistered()
{
    CLSID clsid{};
    wchar_t wide[64] = {};
    ::MultiByteToWideChar(CP_ACP, 0, CMsDgridCtrl::kClassId, -1, wide, 64);
    if (FAILED(::CLSIDFromString(wide, &clsid)))
        return FALSE;
    IUnknown* pFactory = nullptr;
    if (FAILED(::CoGetClassObject(clsid, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER, nullptr,
                                  IID_IUnknown, reinterpret_cast<void**>(&pFactory))))
        return FALSE;
    pFactory->Release();
    return TRUE;
}

} // namespace

BOOL CMsDgridCtrl::Create(LPCTSTR, LPCTSTR lpszWindowName, DWORD dwStyle, const RECT& rect,
                          CWnd* pParentWnd, UINT nID, CCreateContext*)
{
    if (!AfxOleInit() || !IsControlRegistered())
        return FALSE;
    HMODULE hAtl = ::LoadLibraryA("atl.dll");
    if (!hAtl)
        return FALSE;
    // Through a plain function pointer: the entry points have their own signatures.
    const auto pfnInit = reinterpret_cast<AtlAxWinInitFn>(
        reinterpret_cast<void (*)()>(::GetProcAddress(hAtl, "AtlAxWinInit")));
    const auto pfnGetControl = reinterpret_cast<AtlAxGetControlFn>(
        reinterpret_cast<void (*)()>(::GetProcAddress(hAtl, "AtlAxGetControl")));
    if (!pfnInit || !pfnGetControl || !pfnInit())
        return FALSE;
    // The host window makes the control named by its text.
    if (!CWnd::Create("AtlAxWin", kClassId, dwStyle, rect, pParentWnd, nID))
        return FALSE;
    IUnknown* pControl = nullptr;
    if (FAILED(pfnGetControl(m_hWnd, &pControl)) || !pControl) {
        DestroyWindow();
        return FALSE;
    }
    pControl->Release();
    if (lpszWindowName)
        SetWindowText(lpszWindowName);
    return TRUE;
}
