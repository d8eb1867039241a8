#include "analysis/SearchCut.h"

#include "analysis/GridFill.h"

#include "engine/EngineErrors.h"
#include "plot/AnalysisResult.h"

CString SearchCutShortText(const SearchCut& cut, bool anyListed)
{
    CString text = GetErrorText(ErrMaxIterations) + ": the search from " +
                   GridNumberText(cut.from) + " to " + GridNumberText(cut.to) + " ran out of time";
    if (anyListed && cut.reached.Any()) {
        text += " after it had searched from " + GridNumberText(cut.reached.lo) + " to " +
                GridNumberText(cut.reached.hi);
        if (cut.nearestZeroFirst)
            text += ", the part nearest 0, which it searches first";
        text += CString(". The ") + cut.points + " listed lie there; others may lie beyond it.";
    } else {
        text += CString(" before it found ") + cut.aPoint + ".";
    }
    return text + " Narrow Min and Max, or lower Steps.";
}

void AddSearchCutShort(CAnalysisResult& report, int indent, const SearchCut& cut, bool anyListed)
{
    report.AddText("Search cut short: ", SearchCutShortText(cut, anyListed), indent);
}
