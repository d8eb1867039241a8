#pragma once
#include "framework/core/Platform.h"

// Command ids, window ids and private messages of the document/view part of the framework.
// Command ids sit in 0xE000-0xEFFF, above every id of the program's own resources.

// File menu.
constexpr UINT ID_FILE_NEW = 0xE100;
constexpr UINT ID_FILE_OPEN = 0xE101;
constexpr UINT ID_FILE_CLOSE = 0xE102;
constexpr UINT ID_FILE_SAVE = 0xE103;
constexpr UINT ID_FILE_SAVE_AS = 0xE104;
constexpr UINT ID_FILE_PRINT_SETUP = 0xE106;
constexpr UINT ID_FILE_PRINT = 0xE107;
constexpr UINT ID_FILE_PRINT_DIRECT = 0xE108;
constexpr UINT ID_FILE_PRINT_PREVIEW = 0xE109;
constexpr UINT ID_FILE_MRU_FILE1 = 0xE110; // the recent files are ID_FILE_MRU_FILE1 + index
constexpr UINT ID_FILE_MRU_LAST = 0xE11F;

// The buttons of the print preview's bar.
constexpr UINT AFX_ID_PREVIEW_CLOSE = 0xE300;
constexpr UINT AFX_ID_PREVIEW_NUMPAGE = 0xE301; // one or two pages side by side
constexpr UINT AFX_ID_PREVIEW_NEXT = 0xE302;
constexpr UINT AFX_ID_PREVIEW_PREV = 0xE303;
constexpr UINT AFX_ID_PREVIEW_PRINT = 0xE304;
constexpr UINT AFX_ID_PREVIEW_ZOOMIN = 0xE305;
constexpr UINT AFX_ID_PREVIEW_ZOOMOUT = 0xE306;

// Edit menu.
constexpr UINT ID_EDIT_CLEAR = 0xE120;
constexpr UINT ID_EDIT_COPY = 0xE122;
constexpr UINT ID_EDIT_CUT = 0xE123;
constexpr UINT ID_EDIT_PASTE = 0xE125;
constexpr UINT ID_EDIT_SELECT_ALL = 0xE12A;
constexpr UINT ID_EDIT_UNDO = 0xE12B;

// Application and window commands.
constexpr UINT ID_APP_ABOUT = 0xE140;
constexpr UINT ID_APP_EXIT = 0xE141;
constexpr UINT ID_NEXT_PANE = 0xE150;
constexpr UINT ID_PREV_PANE = 0xE151;

// The buttons and the tabs a property sheet of the common controls makes.
constexpr UINT ID_APPLY_NOW = 0x3021;
constexpr UINT AFX_IDC_TAB_CONTROL = 0x3020;

// Status-bar indicators; the message pane has the id 0 (ID_SEPARATOR).
constexpr UINT ID_SEPARATOR = 0;
constexpr UINT ID_INDICATOR_CAPS = 0xE701;
constexpr UINT ID_INDICATOR_NUM = 0xE702;
constexpr UINT ID_INDICATOR_SCRL = 0xE703;

// Child-window ids of a frame.
constexpr UINT AFX_IDW_TOOLBAR = 0xE800;
constexpr UINT AFX_IDW_STATUS_BAR = 0xE801;
constexpr UINT AFX_IDW_REBAR = 0xE804;
constexpr UINT AFX_IDW_DOCKBAR_TOP = 0xE81B; // the dock bars along the frame's sides
constexpr UINT AFX_IDW_DOCKBAR_LEFT = 0xE81C;
constexpr UINT AFX_IDW_DOCKBAR_RIGHT = 0xE81D;
constexpr UINT AFX_IDW_DOCKBAR_BOTTOM = 0xE81E;
constexpr UINT AFX_IDW_DOCKBAR_FLOAT = 0xE81F; // the dock bar inside a floating frame
constexpr UINT AFX_IDW_CONTROLBAR_FIRST = 0xE800;
constexpr UINT AFX_IDW_CONTROLBAR_LAST = 0xE8FF;
constexpr UINT AFX_IDW_PANE_FIRST = 0xE900; // the view, or the panes of a splitter
constexpr UINT AFX_IDW_PANE_LAST = 0xE9FF;
constexpr UINT AFX_IDW_PANE_SAVE = 0xEA21; // the frame's hidden client while a preview runs
constexpr UINT AFX_IDW_PREVIEW_BAR = 0xE805;

// The application's title, and the idle text of the status bar's message pane.
constexpr UINT AFX_IDS_APP_TITLE = 0xE000;
constexpr UINT AFX_IDS_IDLEMESSAGE = 0xE001;

// Private messages.
constexpr UINT WM_SIZEPARENT = 0x0361;       // lParam: AFX_SIZEPARENTPARAMS*, a bar takes its share
constexpr UINT WM_SETMESSAGESTRING = 0x0362; // wParam: string id, or lParam: text
constexpr UINT WM_INITIALUPDATE = 0x0364;    // to every view once the frame is complete
constexpr UINT WM_RECALCPARENT = 0x0368;     // a bar changed size: the frame lays out again
constexpr UINT WM_POPMESSAGESTRING = 0x0375;
constexpr UINT WM_FLOATEMPTY = 0x0376;   // to a floating frame whose last bar left it
constexpr UINT WM_SIZEMOVELOOP = 0x0377; // to a frame's windows: wParam TRUE as the user starts
                                         // to drag its size or place, FALSE as that ends

// Frame styles (added to the window style given to LoadFrame, never passed to Windows).
constexpr DWORD FWS_ADDTOTITLE = 0x00008000L; // title "document - application"
