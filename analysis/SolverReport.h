#pragma once
#include "analysis/SearchCut.h"
#include "framework/core/CString.h"

#include <vector>

class CAnalysisResult;
class CSolverModel;

// The report of solving a model for variable k: the equation, the variable, the other
// variables' values, how many solutions were found and each of them (solutions in ascending
// order; those the report's number format shows alike once), and whether the search was cut
// short by its time.
void BuildSolverReport(const CSolverModel& model, int k, const std::vector<double>& solutions,
                       bool cutShort, CAnalysisResult& report);
// The report of a solve for variable k that found nothing: the same heading, "None" found, and
// why, in the words of message.
void BuildSolverFailureReport(const CSolverModel& model, int k, const CString& message,
                              CAnalysisResult& report);
// The cut of the last solve of a model, over its Min and Max, nearest 0 first.
SearchCut SolverSearchCut(const CSolverModel& model);
