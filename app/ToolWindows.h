#pragma once
#include "framework/core/Geometry.h"

class CWnd;

// Where the two tool windows open and what they remember of their place.

// At the saved top-left corner when it was saved (not negative) and the window, there, lies
// wholly on the screens; centred over its owner otherwise.
void PlaceToolWindow(CWnd& window, int left, int top);
// The top-left corner of the window's normal (not minimised) place.
CPoint NormalTopLeft(const CWnd& window);
