#include "analysis/FitReport.h"

#include "analysis/DataTable.h"
#include "analysis/FitSample.h"
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

CString WeightingText(const CDataTable& table)
{
    if (table.GetLayout() != TableLayoutXYSig || table.GetColumnCount() < 3)
        return "each point's deviation taken as 5 % of its y value, as the table has no error "
               "column";
    const CDataColumn& column = *table.GetColumn(2);
    int fallbacks = 0, empty = 0;
    for (const int row : TablePointRows(table)) {
        if (row > column.GetCount())
            break;
        const double s = column.GetValue(row);
        empty += IsEmptyCell(s) ? 1 : 0;
        fallbacks += IsEmptyCell(s) || s < kMissingDeviation ? 1 : 0;
    }
    CString text = "deviations from the error column \"" + column.GetName() + "\"";
    if (fallbacks > 0) {
        CString rest;
        rest.Format("; 5 %% of y for %d point%s whose deviation is %s0 or less", fallbacks,
                    fallbacks == 1 ? "" : "s", empty > 0 ? "empty, " : "");
        text += rest;
    }
    return text;
}

void AddWeightingItem(CAnalysisResult& report, const CDataTable* table)
{
    if (table)
        report.AddText("Weighting: ", WeightingText(*table), 0);
}
