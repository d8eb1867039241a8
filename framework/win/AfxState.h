#pragma once
#include "framework/core/Platform.h"

#include <commctrl.h>

class CWnd;
class CWinThread;
class CWinApp;

// Private messages and command codes of the framework. They sit in ranges the system and the
// program's own ids (res/resource.h, below 0xE000 for commands) never use.
constexpr UINT WM_IDLEUPDATECMDUI = 0x0363; // wParam: disable commands without a handler
constexpr UINT WM_KICKIDLE = 0x036A;        // modal loop idle: wParam MSGF_*, lParam idle count
constexpr UINT WM_REFLECT_BASE = 0xBC00;    // a child's notification reflected back to it
constexpr int CN_COMMAND = 0;               // a menu, accelerator or button command
constexpr int CN_UPDATE_COMMAND_UI = -1;    // asks a handler to update a CCmdUI
constexpr WORD CN_UPDATE_COMMAND_UI_CODE = 0xFFFF; // the same code as message-map entries hold it

#ifndef WM_CTLCOLOR
#define WM_CTLCOLOR 0x0019 // the one entry that stands for every WM_CTLCOLOR* message
#endif

// Window flags kept in CWnd::m_nFlags.
constexpr UINT WF_MODALLOOP = 0x0001;     // the window runs a modal loop
constexpr UINT WF_CONTINUEMODAL = 0x0002; // the modal loop goes on until EndModalLoop

// Flags of CWnd::RunModalLoop.
constexpr DWORD MLF_NOIDLEMSG = 0x0001;  // no WM_ENTERIDLE to the parent
constexpr DWORD MLF_NOKICKIDLE = 0x0002; // no WM_KICKIDLE to the window
constexpr DWORD MLF_SHOWONIDLE = 0x0004; // show the window when the loop first goes idle

// Per-thread state of the window layer: the message being handled (hooks of the window library
// read and replace it), the window being created, and the menu being tracked.
struct AFX_THREAD_STATE {
    MSG m_lastSentMsg{};        // the message the framework's window procedure is handling
    MSG m_msgCur{};             // the message the loop last retrieved
    CWnd* m_pWndInit = nullptr; // attached at HCBT_CREATEWND by the creation hook
    HHOOK m_hHookOldCbtFilter = nullptr;
    HWND m_hTrackingWindow = nullptr; // owner of the pop-up menu being tracked
    HMENU m_hTrackingMenu = nullptr;  // the pop-up menu being tracked
    CWinThread* m_pCurrentWinThread = nullptr;
    BOOL m_bOleInitialized = FALSE; // set by AfxOleInit
};

AFX_THREAD_STATE* AfxGetThreadState();

// The module's handles and application object.
HINSTANCE AfxGetInstanceHandle();
HINSTANCE AfxGetResourceHandle();
void AfxSetResourceHandle(HINSTANCE hInstResource);
CWinApp* AfxGetApp();
CWinThread* AfxGetThread();
CWnd* AfxGetMainWnd();
LPCTSTR AfxGetAppName();

// Initialises OLE for this thread once (clipboard data objects, drag and drop); FALSE on failure.
BOOL AfxOleInit();

// Releases the temporary wrappers of foreign window, menu, DC and GDI handles.
void AfxDeleteTempMaps();
