#pragma once
#include "engine/ScanReach.h"
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
// A search for points of an interval that the command's time cut short: the interval, the part
// it had searched by then and the words for what it looks for.
struct SearchCut {
    double from = 0, to = 0;
    ScanReach reached;
    bool nearestZeroFirst = false; // the solver's order; the graph analyses go up from Min
    const char* aPoint = "a solution";
    const char* points = "solutions";
};
// What the user reads of it: that the search ran out of time, the part of the interval the
// points listed (when any) come from, and what to change.
CString SearchCutShortText(const SearchCut& cut, bool anyListed);
// The cut of the last solve of a model, over its Min and Max, nearest 0 first.
SearchCut SolverSearchCut(const CSolverModel& model);
// The item "Search cut short: " with that text.
void AddSearchCutShort(CAnalysisResult& report, int indent, const SearchCut& cut, bool anyListed);
