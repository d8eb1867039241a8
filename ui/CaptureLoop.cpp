#include "ui/CaptureLoop.h"

namespace {

CaptureMouse MouseOf(const MSG& msg)
{
    CaptureMouse mouse;
    mouse.point = CPoint(short(LOWORD(msg.lParam)), short(HIWORD(msg.lParam)));
    ::ClientToScreen(msg.hwnd, &mouse.point);
    mouse.nFlags = UINT(msg.wParam);
    return mouse;
}

} // namespace

CaptureLoopEnd RunCaptureLoop(CWnd* pWnd, BOOL& bEndLoop, CaptureMouse& mouse,
                              const std::function<BOOL(const CaptureMouse&)>& onMove,
                              const std::function<void(const MSG&)>& onKey)
{
    const HWND hWnd = pWnd->m_hWnd;
    auto alive = [&] { return ::IsWindow(hWnd) && CWnd::FromHandlePermanent(hWnd) == pWnd; };
    bEndLoop = FALSE;
    pWnd->SetCapture();
    CaptureLoopEnd end = CaptureLoopEnd::Cancelled;
    for (;;) {
        if (!alive())
            return CaptureLoopEnd::Destroyed;
        if (bEndLoop || ::GetCapture() != hWnd)
            break;
        MSG msg;
        if (!::GetMessageA(&msg, nullptr, 0, 0)) {
            ::PostQuitMessage(int(msg.wParam));
            break;
        }
        if (msg.message == WM_MOUSEMOVE) {
            mouse = MouseOf(msg);
            if (onMove && !onMove(mouse)) {
                end = CaptureLoopEnd::Stopped;
                break;
            }
            continue;
        }
        if (msg.message == WM_LBUTTONUP) {
            mouse = MouseOf(msg);
            end = CaptureLoopEnd::Released;
            break;
        }
        if (msg.message == WM_RBUTTONDOWN || msg.message == WM_CANCELMODE ||
            (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE))
            break;
        if (msg.message == WM_KEYDOWN || msg.message == WM_KEYUP) {
            if (onKey)
                onKey(msg);
            continue;
        }
        ::TranslateMessage(&msg);
        ::DispatchMessageA(&msg);
    }
    if (!alive())
        return CaptureLoopEnd::Destroyed;
    if (end != CaptureLoopEnd::Stopped && ::GetCapture() == hWnd)
        ::ReleaseCapture();
    return end;
}

void InvertTrackerRect(const CRect& rectScreen)
{
    if (rectScreen.IsRectEmpty())
        return;
    static const WORD kPattern[8] = {0x5555, 0xAAAA, 0x5555, 0xAAAA,
                                     0x5555, 0xAAAA, 0x5555, 0xAAAA};
    HBITMAP hBitmap = ::CreateBitmap(8, 8, 1, 1, kPattern);
    HBRUSH hBrush = ::CreatePatternBrush(hBitmap);
    HDC hDC = ::GetDC(nullptr);
    HGDIOBJ hOld = ::SelectObject(hDC, hBrush);
    ::PatBlt(hDC, rectScreen.left, rectScreen.top, rectScreen.Width(), rectScreen.Height(),
             PATINVERT);
    ::SelectObject(hDC, hOld);
    ::ReleaseDC(nullptr, hDC);
    ::DeleteObject(hBrush);
    ::DeleteObject(hBitmap);
}
