#pragma once
// Resource ids of the window and control library.

#define IDC_PUSHPIN 5029 // a caption strip's push-pin button
#define IDB_PUSHPIN 5030 // its two images, 16 wide: unpinned, pinned (magenta transparent)

// The folder bar.
#define IDC_OUTBAR_NODROP 5001    // cursor: no place to drop a dragged item
#define IDC_OUTBAR_DRAG 5003      // cursor: dragging an item
#define IDC_OUTBAR_HAND 5005      // cursor: over an item
#define IDS_OUTBAR_REMOVE 5014    // context menu label of remove
#define IDS_OUTBAR_RENAME 5015    // context menu label of rename
#define ID_OUTBAR_LARGEICONS 5017 // commands of the context menu
#define ID_OUTBAR_SMALLICONS 5018
#define ID_OUTBAR_REMOVE 5019
#define ID_OUTBAR_RENAME 5021
#define IDR_OUTBAR_MENU 5023 // the context menu and the tool-bar images of its commands

// Resizable docking panes.
#define IDS_KXBAR_HIDE 5000        // tool tip of a pane's close button
#define IDS_KXBAR_EXPAND 5002      // tool tip of its expand and contract button
#define IDR_KXBAR_MENU 5010        // a pane's context menu
#define ID_KXBAR_HIDE 5012         // the close button and command
#define ID_KXBAR_EXPAND 5013       // the expand and contract button and command
#define IDW_KXSIZEDOCK_LEFT 0xE820 // the frame's sides for panes
#define IDW_KXSIZEDOCK_TOP 0xE821
#define IDW_KXSIZEDOCK_RIGHT 0xE822
#define IDW_KXSIZEDOCK_BOTTOM 0xE825
