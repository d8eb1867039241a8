#pragma once
// What nearly every window source reads, compiled once per build: the build gives this header to
// each Windows-only library and program as its precompiled header. Keep it to stable headers that
// most window sources use; a change to any of them rebuilds all the window code.
#include "framework/core/Platform.h" // first: it settles the macros <windows.h> is read with

#include <commctrl.h>
#include <commdlg.h>
#include <ole2.h>
#include <richedit.h>

#include <algorithm>
#include <cmath>
#include <cstring>
#include <functional>
#include <map>
#include <memory>
#include <string>
#include <vector>

#include "framework/win/AfxWin.h"
#include "framework/win/CControlBar.h"
#include "framework/win/CDocument.h"
#include "framework/win/CFrameWnd.h"
#include "framework/win/CView.h"
