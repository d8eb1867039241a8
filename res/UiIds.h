#pragma once
// Resource ids of the window and control library.

#define IDC_PUSHPIN 5029 // a caption strip's push-pin button
#define IDB_PUSHPIN 5030 // its two images, 16 wide: unpinned, pinned (magenta transparent)
