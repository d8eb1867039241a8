#pragma once
// The project that the file benchmarks save and open: data tables of two columns, x and a sine
// wave shifted per table, so that no two tables store alike.
#include "app/ProjectModel.h"

#include <cmath>

inline void AddBenchTables(ProjectModel& model, int tables, int rows)
{
    for (int t = 0; t < tables; ++t) {
        auto* table = new CDataTable;
        table->Create(TableLayoutXY, 0, rows);
        for (int r = 0; r < rows; ++r) {
            table->GetColumn(0)->SetValue(r + 1, r * 0.5);
            table->GetColumn(1)->SetValue(r + 1, std::sin(r * 0.001 + t));
        }
        table->SetName(model.MakeDefaultName(ItemDataTable));
        model.AddResultItem(ItemDataTable, table);
    }
}
