#pragma once
// Evaluation with every operation rounded one way, up or down, which shows how far rounding moves
// a value: the hardware rounds the arithmetic in its mode, and the evaluator moves each result of
// a library function, which the runtime rounds to nearest in any mode, one double that way.
#include "numeric/RoundingMode.h"

// 0 while evaluations round to nearest; +1 or -1 while they round up or down. One for the
// program: evaluations run on one thread, as their work budget does.
inline int g_nLibraryRounding = 0;
// Whether evaluations round up or down at all, the library's results or not.
inline bool g_bDirectedRounding = false;

// A library function's result as an evaluation that rounds up or down takes it: one double
// farther that way, since the runtime's nearest may lie on the other side of the exact value. 0
// stays, being the exact value wherever the runtime gives it (sin(0), ln(1)).
double RoundedLibraryResult(double value);

// Runs work with its arithmetic rounded up (direction +1) or down (-1), and the results of
// library functions too where library says so; rounding as before again after it.
template <class Work> void RunRounded(int direction, bool library, Work&& work)
{
    const int kept = CurrentRounding();
    SetRounding(direction > 0 ? FE_UPWARD : FE_DOWNWARD);
    g_nLibraryRounding = library ? direction : 0;
    g_bDirectedRounding = true;
    work();
    g_bDirectedRounding = false;
    g_nLibraryRounding = 0;
    SetRounding(kept);
}
