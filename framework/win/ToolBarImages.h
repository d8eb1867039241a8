#pragma once
#include "framework/core/ToolBarResource.h"
#include "framework/win/AfxState.h"

// Loading a tool bar's resources: the command list (type 241) and its image strip with the
// strip's fixed greys, black and white turned into the user's button colours.

// FALSE when the resource is missing or damaged (res untouched).
BOOL AfxLoadToolBarResource(HINSTANCE hInst, LPCTSTR lpszResourceName, ToolBarResource& res);

// A screen-compatible copy of the bitmap resource hRsrc with black, dark grey, light grey and
// white of its colour table (4- and 8-bit strips) replaced by the button text, shadow, face
// and highlight colours; with bMono every one of them but black becomes white. Strips of
// other depths are copied as they are. nullptr on any failure.
HBITMAP AfxLoadSysColorBitmap(HINSTANCE hInst, HRSRC hRsrc, BOOL bMono = FALSE);
