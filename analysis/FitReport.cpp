#include "analysis/FitReport.h"

#include "analysis/DataTable.h"
#include "analysis/FitSample.h"
#include "analysis/HeldPoints.h"
#include "engine/EngineErrors.h"
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

namespace {

// Rows listed by number before the rest are counted.
constexpr std::size_t kListedRows = 8;
constexpr char kAtZero[] = " at y = 0";

// "the point at y = 0 in row 2", "the 3 points at y = 0 in rows 2, 5 and 7" (where = " at y =
// 0"), "the point in row 2".
CString PointsInRowsText(const std::vector<int>& rows, const char* where)
{
    CString text;
    if (rows.size() == 1) {
        text.Format("the point%s in row %d", where, rows[0]);
        return text;
    }
    text.Format("the %d points%s in rows ", int(rows.size()), where);
    const std::size_t listed = std::min(rows.size(), kListedRows);
    for (std::size_t i = 0; i < listed; ++i) {
        CString number;
        number.Format("%d", rows[i]);
        const bool last = i + 1 == listed && listed == rows.size();
        text += (i == 0 ? "" : last ? " and " : ", ") + number;
    }
    if (listed < rows.size()) {
        CString rest;
        rest.Format(" and %d more", int(rows.size() - listed));
        text += rest;
    }
    return text;
}

bool HasErrorColumn(const CDataTable& table)
{
    return table.GetLayout() == TableLayoutXYSig && table.GetColumnCount() >= 3;
}

CString DeviationRuleText(const CDataTable& table)
{
    if (!HasErrorColumn(table))
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

} // namespace

std::vector<int> HeldRows(const CDataTable& table)
{
    const CDataColumn* deviations = HasErrorColumn(table) ? table.GetColumn(2) : nullptr;
    std::vector<int> rows;
    for (const int row : TablePointRows(table)) {
        double s = 0.0;
        if (deviations && row <= deviations->GetCount() && !IsEmptyCell(deviations->GetValue(row)))
            s = deviations->GetValue(row);
        if (IsHeldPoint(table.GetValue(1, row), s))
            rows.push_back(row);
    }
    return rows;
}

CString WeightingText(const CDataTable& table)
{
    const std::vector<int> held = HeldRows(table);
    CString text = DeviationRuleText(table);
    if (!held.empty())
        text += "; the curve is held through " + PointsInRowsText(held, kAtZero);
    return text;
}

CString FitFailureText(int code, const HeldPointsOutcome& held, const CDataTable* table)
{
    if (!table || held.points == 0)
        return GetErrorText(code);
    const CString points = PointsInRowsText(HeldRows(*table), kAtZero);
    const char remedy[] = "  Give such a point a deviation in a Y Error column, ";
    if (code == held.failure && code == ErrNoSolutions)
        return "No curve of the model was found that passes through " + points +
               ", as a point at y = 0 without a deviation must." + remedy +
               "try other initial values, or choose another model.";
    if (code == held.failure && code == ErrTooFewParameters)
        return "Passing through " + points +
               " fixes every parameter of the model and leaves none to fit the other points." +
               remedy + "or choose a model with more parameters.";
    if (code == ErrSingularMatrix)
        return GetErrorText(code) + ": with the curve through " + points +
               ", the other points cannot determine the parameters left free.";
    return GetErrorText(code);
}

CString LogarithmFailureText(const CString& model, const CString& values,
                             const std::vector<int>& rows)
{
    const bool one = rows.size() == 1;
    return "The " + model + " fits the logarithm of " + values + " and needs every " + values +
           " above 0, which " + PointsInRowsText(rows, "") + (one ? " does" : " do") +
           " not have.  Give " + (one ? "it " : "them ") + values +
           " above 0, or choose another model.";
}

void AddWeightingItem(CAnalysisResult& report, const CDataTable* table)
{
    if (table)
        report.AddText("Weighting: ", WeightingText(*table), 0);
}
