#pragma once
// The words for the sign changes a root scan refused as no zeros (poles, jumps and gaps in the
// domain), shared by the solver's report and the graph analyses: there was a sign change, which
// more steps cannot make a zero.
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
