#pragma once
#include "framework/core/Geometry.h"

class CWnd;

// Where the two tool windows open and what they remember of their place.
class ToolWindowPlace {
public:
    // At the saved top-left corner when it was saved (not negative) and the window, there, lies
    // wholly on the screens. Otherwise centred on the main window, inside its monitor's work
    // area, and again when it first shows: the main window takes its own place after its tools
    // are made, and may move before their first use.
    void Restore(CWnd& window, int left, int top);
    // Before the window shows.
    void BeforeShow(CWnd& window);

private:
    BOOL m_bCentreAtShow = FALSE;
};

// The top-left corner of the window's normal (not minimised) place.
CPoint NormalTopLeft(const CWnd& window);
