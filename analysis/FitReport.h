#pragma once
#include "framework/core/CString.h"

#include <vector>

class CAnalysisResult;
class CDataTable;
struct HeldPointsOutcome;

// The half-width factor of the 95 % confidence intervals of a fit: the Student-t quantile for
// points minus fitted parameters degrees of freedom (at least 1), so a value v with standard
// deviation sd lies in v -+ factor * sd.
double ConfidenceFactor(int points, int fittedParameters);

// "low to high", both ends written by the report's number format.
CString IntervalText(const CAnalysisResult& report, double low, double high);

// How a fit of the table weighted its points: by its error column, named, with the points that
// fell back to 5 % of y for want of a positive deviation; or all by 5 % of y for a table
// without an error column; and the rows of the points the curve is held through.
CString WeightingText(const CDataTable& table);

// The rows (1-based, as the grid numbers them) of the table's points that a fit holds its curve
// through (IsHeldPoint).
std::vector<int> HeldRows(const CDataTable& table);

// The message for a fit's code: the code's text, or, when the table's held points stopped the
// fit or left it singular, what they did.
CString FitFailureText(int code, const HeldPointsOutcome& held, const CDataTable* table);

// Why a model fitted through logarithms (model: "exponential model a*b^x") refused the points
// of the table's rows: values ("y", "x and y") must be above 0.
CString LogarithmFailureText(const CString& model, const CString& values,
                             const std::vector<int>& rows);

// The report's line of its own on the weighting; nothing without a table.
void AddWeightingItem(CAnalysisResult& report, const CDataTable* table);
