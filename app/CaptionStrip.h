#pragma once
#include "framework/core/CString.h"

// Draws a caption strip: the button face, a sunken band inset by nInset in the shadow colour,
// the icon at its left (when there is one) and the text in the window colour, centred in the
// room left (the default GUI font when hFont is null).
void DrawCaptionStrip(HDC hDC, const RECT& rcStrip, const CString& text, HICON hIcon, HFONT hFont,
                      int nInset);
