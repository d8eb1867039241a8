#pragma once
#include "framework/core/Platform.h"

class CWnd;

// The one place where modal user interface can be answered without a person: tests install a
// hook; production code never does. Every message box, modal dialog, property sheet and
// common dialog of the framework asks it first.
class CModalTestHook {
public:
    // A modal loop whose dialog the hook has not ended after this many idle rounds is
    // ended with IDABORT, so a test never waits.
    static constexpr int kMaxIdleRounds = 200;

    virtual ~CModalTestHook() = default;
    // A message box is about to show: the button id that answers it.
    virtual int OnMessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) = 0;
    // A modal dialog (already created and initialised) or a common dialog is about to run:
    // a button id to press at once, or 0 to run the loop (common dialogs then run for real).
    virtual int OnModalStart(CWnd* pDialog)
    {
        (void)pDialog;
        return 0;
    }
    // The modal loop of pDialog is idle: set fields, check state or press a button through
    // the dialog object.
    virtual void OnModalIdle(CWnd* pDialog) { (void)pDialog; }
};

// Installs (or with nullptr removes) the hook of this thread.
void AfxSetModalTestHook(CModalTestHook* pHook);
CModalTestHook* AfxGetModalTestHook();

// Shows a message box, or lets the test hook answer it.
int AfxDoMessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType);
