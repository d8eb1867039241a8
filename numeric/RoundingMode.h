#pragma once
// The hardware's rounding of the arithmetic, read and set here alike on every build: MinGW's
// fesetround asks the processor whether it has SSE at every call, which takes microseconds in a
// virtual machine, and a root scan rounds up and down tens of thousands of times.
#include <cfenv>

// FE_TONEAREST, FE_UPWARD, FE_DOWNWARD or FE_TOWARDZERO, as fegetround gives it.
int CurrentRounding();
// Rounds the arithmetic so from now on, in the SSE unit and the x87 unit alike, as fesetround.
void SetRounding(int mode);
