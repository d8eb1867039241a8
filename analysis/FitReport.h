#pragma once
#include "framework/core/CString.h"

class CAnalysisResult;

// The half-width factor of the 95 % confidence intervals of a fit: the Student-t quantile for
// points minus fitted parameters degrees of freedom (at least 1), so a value v with standard
// deviation sd lies in v -+ factor * sd.
double ConfidenceFactor(int points, int fittedParameters);

// "low to high", both ends written by the report's number format.
CString IntervalText(const CAnalysisResult& report, double low, double high);
