#include "analysis/DataDialogRules.h"

#include "engine/CalcEngine.h"

#include <algorithm>

const char kMatrixTooLargeText[] = "A matrix can hold at most 1,000,000 elements.";

DialogVerdict CheckMatrixFields(const CString& name, int rows, int columns, BOOL bNeedName,
                                UINT nNameControl, UINT nRowsControl)
{
    CString trimmed = name;
    trimmed.Trim();
    if (bNeedName && trimmed.IsEmpty())
        return {"Please enter a name for the matrix.", nNameControl};
    if (rows <= 0 || columns <= 0)
        return {"The number of rows and of columns must be greater than zero.", nRowsControl};
    if (static_cast<long long>(rows) * columns > kMaxMatrixElements)
        return {kMatrixTooLargeText, nRowsControl};
    return {};
}

DialogVerdict CheckDataExpression(CCalcEngine& engine, const CString& expression, BOOL bRefuseEmpty,
                                  UINT nControl)
{
    CString trimmed = expression;
    trimmed.Trim();
    if (bRefuseEmpty && trimmed.IsEmpty())
        return {"Please enter an expression.", nControl};
    engine.SetExpression(expression);
    if (engine.Parse() != 0)
        return {"The expression you've entered is invalid.", nControl};
    return {};
}

DialogVerdict CheckIterationLimit(int iterations, UINT nControl)
{
    if (iterations < 1 || iterations > kMaxIterationLimit)
        return {"The maximum number of iterations must be between 1 and 10000.", nControl};
    return {};
}

void StatisticsBoxesFromMask(int mask, int boxes[kStatisticsBoxCount])
{
    for (int i = 0; i < kStatisticsBoxCount; ++i)
        boxes[i] = (mask >> i) & 1;
}

int StatisticsMaskFromBoxes(const int boxes[kStatisticsBoxCount], int mask)
{
    for (int i = 0; i < kStatisticsBoxCount; ++i)
        mask = boxes[i] ? mask | 1 << i : mask & ~(1 << i);
    return mask;
}

int ResultsGridRowCount(int holderHeight, int itemCount)
{
    constexpr int kRowHeight = 25;
    return std::max(std::max(holderHeight, 0) / kRowHeight + 1, itemCount + 3);
}
