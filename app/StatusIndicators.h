#pragma once
#include "framework/core/CString.h"

// The status bar's texts of the engine's calculation settings: "DEG", "RAD" or "GRAD" for the
// angle mode (any mode but 0 and 1 counts as gradians), and "DEC", "HEX", "OCT", "BIN" or
// "B-n" for the number base.
CString AngleModeIndicator(int angleMode);
CString NumberBaseIndicator(int base);
