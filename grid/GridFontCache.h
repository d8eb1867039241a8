#pragma once
// Fonts of the cells that have one of their own: one font object per distinct description,
// shared by every cell of the program and kept until it ends, so drawing never rebuilds one.
#include "framework/win/CGdiObject.h"

// The font for lf (nullptr when the system cannot make it).
CFont* GridFontFor(const LOGFONTA& lf);
