#pragma once
// The colours a grid cell prints in. With shading, header cells keep their fill, other cells
// only a fill of their own that differs from their region's, and text keeps its colour where
// the cell is filled or has a colour of its own; on a two-colour printer unfilled text turns
// to its grey. Without shading nothing is filled and text is black. A colour left to the
// region's default (CLR_DEFAULT) always resolves to the region's colour.
#include "framework/core/Platform.h"

#ifndef CLR_DEFAULT
#define CLR_DEFAULT 0xFF000000
#endif

struct PrintedCellColours {
    COLORREF back; // CLR_DEFAULT: no fill
    COLORREF text;
};

struct PrintedCellInput {
    BOOL bShaded;
    BOOL bFixed;
    BOOL bTwoColourPrinter;
    COLORREF cellBack, cellText;       // the cell's own (CLR_DEFAULT: none)
    COLORREF defaultBack, defaultText; // its region's default cell
};

PrintedCellColours ChoosePrintedCellColours(const PrintedCellInput& in);
