#pragma once
#include "framework/core/Platform.h"

class CWnd;

// Where the start of the program spends its time. When the environment variable
// ZIVRA_STARTUP_REPORT names a file, the first idle moment with the main window shown writes
// the phases there (milliseconds from the creation of the process) and closes the program.
namespace StartupTiming {

enum Phase {
    Start,      // the application object begins its start
    Settings,   // settings key, recent files, paths, image lists and template ready
    Document,   // the document exists, the frame begins
    Frame,      // the frame and its panes exist
    FirstPaint, // the main window shown and painted
    PhaseCount
};

// The first mark of each phase counts.
void Mark(Phase phase);

// Counts its lifetime as work on menus and images (tool bars, menu bar, context menus).
class MenuWork {
public:
    MenuWork();
    ~MenuWork();
    MenuWork(const MenuWork&) = delete;
    MenuWork& operator=(const MenuWork&) = delete;

private:
    LONGLONG m_start;
};

// Writes the report once, when asked for, and closes the main window.
void OnFirstIdle(CWnd* pMainWnd);

} // namespace StartupTiming
