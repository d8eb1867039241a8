#pragma once
// The OLE headers and the framework's name for the drop effects of drag and drop.
#include "framework/core/Platform.h"

#include <ole2.h>

using DROPEFFECT = DWORD; // DROPEFFECT_NONE, _COPY, _MOVE, _LINK, _SCROLL
