#pragma once
// The program the window-library tests run in: an application object with a registry key of
// its own, a view that paints nothing for splitter panes and frames, and message helpers.
#include "framework/win/CFrameWnd.h"
#include "framework/win/CView.h"
#include "framework/win/CWinApp.h"

#include <functional>

class CUiTestApp : public CWinApp {
public:
    CUiTestApp() : CWinApp("Ui Tests") {}
};
extern CUiTestApp theUiTestApp;

// Settings go under HKCU\Software\Zivra Ui Tests\Ui Tests from the first call on.
void UseTestRegistryKey();

class CBlankView : public CView {
    DECLARE_DYNCREATE(CBlankView)
public:
    void OnDraw(CDC*) override {}
};

// A frame window of the given client size at (0, 0), not yet shown; it deletes itself when
// destroyed.
CFrameWnd* NewTestFrame(int cx = 640, int cy = 480);

// Processes every queued message through the framework's pre-translation, as the program's
// loop does; a request to end the program is dropped, so the tests go on.
void PumpMessages();

// While it lives, the system refuses to make each window the test names, as a creation hook
// saying no would; it counts the refusals.
class CRefuseCreation {
public:
    explicit CRefuseCreation(std::function<bool(const CREATESTRUCTA&)> refuse);
    ~CRefuseCreation();
    CRefuseCreation(const CRefuseCreation&) = delete;
    CRefuseCreation& operator=(const CRefuseCreation&) = delete;
    int m_nRefused = 0;

private:
    static LRESULT CALLBACK Hook(int code, WPARAM wParam, LPARAM lParam);
    std::function<bool(const CREATESTRUCTA&)> m_refuse;
    HHOOK m_hHook = nullptr;
};
