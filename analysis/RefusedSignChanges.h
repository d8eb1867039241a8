#pragma once
// The words for what a root scan noted beside its zeros, shared by the solver's report and the
// graph analyses: the sign changes it refused as no zeros (poles, jumps and gaps in the domain),
// which more steps cannot make zeros, and the steps it did not look inside.
#include "engine/NumberFormat.h"
#include "framework/core/CString.h"

#include <vector>

// "changes sign only across a pole or a jump, at x = 1, where it does not pass through 0": the
// places in ascending order as format shows them (the solver's, to the decimals asked), each
// once, the first three named.
CString RefusedSignChangesText(const std::vector<double>& places, CNumberFormat format);
// The solver's failure text where it found no solution but such sign changes, in steps from
// min to max.
CString NoSolutionButRefusedText(const std::vector<double>& places, const CNumberFormat& format,
                                 int steps, double min, double max);
// "The search did not look inside 5 steps, at x = 1.5, 2.5, 3 and 2 more places, which may hold
// solutions ..." for the places a scan did not look inside, its evaluations for that being
// spent, nearest 0 first (points names what it looked for).
CString UnlookedStepsText(std::vector<double> places, const char* points);
