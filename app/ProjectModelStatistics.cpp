// The statistics of the selected list or table and the comparison of two lists, as reports
// for the results dialog.
#include "app/ProjectModel.h"

#include "analysis/FitSample.h"
#include "analysis/ListComparison.h"
#include "analysis/ListStatistics.h"
#include "engine/EngineErrors.h"

#include <algorithm>

namespace {

// Analyze needs three values of a list or three rows of a table.
constexpr int kFewestAnalyzedValues = 3;
// Statistics need two values.
constexpr int kFewestStatisticsValues = 2;
// A table's report covers its first two columns.
constexpr int kAnalyzedColumns = 2;

} // namespace

BOOL ProjectModel::AddStatistics(CDataColumn& list, CAnalysisResult& result, int mask)
{
    return AddStatisticsLines(result, list, mask) == 0;
}

BOOL ProjectModel::BuildStatisticsReport(CAnalysisResult& result)
{
    const int mask = m_Settings.nAnalysisOptions;
    result.SetNumberFormat(m_pResultFormat);
    if (CDataColumn* list = GetSelectedList()) {
        if (list->GetCount() < kFewestAnalyzedValues) {
            Prompts().ShowMessage(kTooFewPointsText);
            return FALSE;
        }
        result.SetTitle("List Analysis");
        result.AddText("List: ", list->GetName());
        AddStatistics(*list, result, mask);
        return TRUE;
    }
    CDataTable* table = GetSelectedTable();
    if (!table)
        return FALSE;
    const int rows =
        IsFitLayout(table->GetLayout()) ? int(TablePointRows(*table).size()) : table->GetRowCount();
    if (rows < kFewestAnalyzedValues) {
        Prompts().ShowMessage(kTooFewPointsText);
        return FALSE;
    }
    result.SetTitle("Table Analysis");
    result.AddText("Data Table: ", table->GetName());
    // Each column under its name; a short column of a ragged table says so instead of lines.
    for (int c = 0; c < std::min(kAnalyzedColumns, table->GetColumnCount()); ++c) {
        CDataColumn column;
        column.SetName(table->GetColumnName(c));
        std::vector<double> values = CountedValues(*table, c, false);
        column.TakeValues(values);
        const BOOL bEnough = column.GetCount() >= kFewestStatisticsValues;
        result.AddText(column.GetName(), bEnough ? CString() : GetErrorText(ErrTooFewDataPoints));
        if (bEnough)
            AddStatistics(column, result, mask);
    }
    return TRUE;
}

std::vector<CDataColumn*> ProjectModel::GetComparisonLists(BOOL& bFixed) const
{
    std::vector<CDataColumn*> lists;
    bFixed = FALSE;
    if (GetSelectedList()) {
        for (const auto& list : m_Lists)
            lists.push_back(list.get());
    } else if (CDataTable* table = GetSelectedTable(); table && table->GetColumnCount() >= 2) {
        lists = {table->GetColumn(0), table->GetColumn(1)};
        bFixed = TRUE;
    }
    return lists;
}

BOOL ProjectModel::BuildComparisonReport(const CDataColumn& first, const CDataColumn& second,
                                         const int* ticked, CAnalysisResult& result)
{
    result.SetNumberFormat(m_pResultFormat);
    // A table's columns are compared over the rows that count.
    const CDataTable* table = GetSelectedTable();
    const auto values = [table](const CDataColumn& list) {
        for (int c = 0; table && c < std::min(kAnalyzedColumns, table->GetColumnCount()); ++c)
            if (&list == table->GetColumn(c))
                return CountedValues(*table, c, true);
        return std::vector<double>(list.GetData(), list.GetData() + list.GetCount() + 1);
    };
    const std::vector<double> a = values(first), b = values(second);
    if (const int code = AddListComparison(result, first.GetName(), a.data(), int(a.size()) - 1,
                                           second.GetName(), b.data(), int(b.size()) - 1, ticked)) {
        Prompts().ShowMessage(GetErrorText(code));
        return FALSE;
    }
    return TRUE;
}
