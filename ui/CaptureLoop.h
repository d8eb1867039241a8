#pragma once
// A loop of a window's own while it holds the mouse (pressing, dragging, resizing): the
// window reads the mouse and keys itself until the user ends what was started.
#include "framework/win/CWnd.h"

#include <functional>

enum class CaptureLoopEnd {
    Stopped,   // onMove asked to stop
    Released,  // the left button went up
    Cancelled, // Escape, the right button, cancel mode, or the capture went elsewhere
    Destroyed, // the window is gone (nothing of it may be touched)
};

// The pointer in screen coordinates and the keys and buttons held (MK_*).
struct CaptureMouse {
    CPoint point;
    UINT nFlags = 0;
};

// Takes the capture for pWnd and runs until one of the ends above. Each mouse move goes to
// onMove (FALSE stops the loop); key presses and releases other than Escape go to onKey.
// bEndLoop is watched: the window's WM_CANCELMODE sets it. mouse receives the pointer at the
// end. The capture is released, unless onMove stopped the loop (the caller goes on with it)
// or the window is gone.
CaptureLoopEnd RunCaptureLoop(CWnd* pWnd, BOOL& bEndLoop, CaptureMouse& mouse,
                              const std::function<BOOL(const CaptureMouse&)>& onMove,
                              const std::function<void(const MSG&)>& onKey = {});

// Inverts a rectangle of the screen in a half-tone pattern, the look of a splitter being
// dragged; inverting it again takes it away.
void InvertTrackerRect(const CRect& rectScreen);
