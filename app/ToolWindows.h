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
    // The place to remember: the window's normal top-left corner, unless it never showed
    // this run and so never stood where the user could see or move it.
    void Save(const CWnd& window, int& left, int& top) const;

private:
    BOOL m_bCentreAtShow = FALSE;
};
