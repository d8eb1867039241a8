#include "analysis/FitReport.h"

#include "numeric/StudentT.h"
#include "plot/AnalysisResult.h"

#include <algorithm>

double ConfidenceFactor(int points, int fittedParameters)
{
    return -tdist::stdtri(std::max(points - fittedParameters, 1), 0.025);
}

CString IntervalText(const CAnalysisResult& report, double low, double high)
{
    AnalysisResultItem end;
    end.dValue = low;
    CString text = report.GetValueText(end) + " to ";
    end.dValue = high;
    return text + report.GetValueText(end);
}
