#include "plot/BoundTable.h"

#include <algorithm>
#include <cmath>

bool IsEmptyCell(double value) { return std::isnan(value); }

std::vector<int> TablePointRows(const IBoundTable& table)
{
    const int rows =
        std::min({table.GetRowCount(), table.GetColumnLength(0), table.GetColumnLength(1)});
    std::vector<int> points;
    for (int i = 1; i <= rows; ++i)
        if (!IsEmptyCell(table.GetValue(0, i)) && !IsEmptyCell(table.GetValue(1, i)))
            points.push_back(i);
    return points;
}
