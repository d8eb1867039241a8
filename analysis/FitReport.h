#pragma once
#include "framework/core/CString.h"

class CAnalysisResult;
class CDataTable;

// The half-width factor of the 95 % confidence intervals of a fit: the Student-t quantile for
// points minus fitted parameters degrees of freedom (at least 1), so a value v with standard
// deviation sd lies in v -+ factor * sd.
double ConfidenceFactor(int points, int fittedParameters);

// "low to high", both ends written by the report's number format.
CString IntervalText(const CAnalysisResult& report, double low, double high);

// How a fit of the table weighted its points: by its error column, named, with the points that
// fell back to 5 % of y for want of a positive deviation; or all by 5 % of y for a table
// without an error column.
CString WeightingText(const CDataTable& table);

// The report's line of its own on the weighting; nothing without a table.
void AddWeightingItem(CAnalysisResult& report, const CDataTable* table);
