#pragma once
// The words of a search cut short by the command's time, shared by the solver's report and the
// graph analyses.
#include "engine/ScanReach.h"
#include "framework/core/CString.h"

class CAnalysisResult;

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
// The item "Search cut short: " with that text.
void AddSearchCutShort(CAnalysisResult& report, int indent, const SearchCut& cut, bool anyListed);
