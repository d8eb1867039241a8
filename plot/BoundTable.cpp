#include "plot/BoundTable.h"

#include <algorithm>

std::vector<int> TablePointRows(const IBoundTable& table)
{
    const int rows =
        std::min({table.GetRowCount(), table.GetColumnLength(0), table.GetColumnLength(1)});
    std::vector<int> points;
    for (int i = 1; i <= rows; ++i)
        if (table.HoldsValue(0, i) && table.HoldsValue(1, i))
            points.push_back(i);
    return points;
}
