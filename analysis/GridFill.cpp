#include "analysis/GridFill.h"

#include "analysis/ItemType.h"
#include "engine/NumberText.h"
#include "engine/PrintNumber.h"

#include <algorithm>

GridSize ChooseGridSize(BOOL bMatrix, int entries, int dataColumns, int currentRows)
{
    const int columns = std::max(dataColumns, 0) + 2;
    if (bMatrix) {
        const int rows = std::max(entries, 0) + 2;
        if (rows <= kGridDefaultRows && columns <= kGridDefaultColumns)
            return {kGridDefaultRows, kGridDefaultColumns};
        return {rows, columns};
    }
    const int rows = std::max(entries, 0) + kGridSpareRows;
    if (rows <= kGridDefaultRows)
        return {kGridDefaultRows, std::max(columns, kGridDefaultColumns)};
    if (currentRows >= rows && currentRows <= rows + kGridSpareRows)
        return {currentRows, columns};
    return {rows, columns};
}

int ChooseGridContextMenu(int kind)
{
    switch (kind) {
    case ItemDataTable:
    case ItemList:
        return 0;
    case ItemMatrix:
        return 1;
    case ItemVariables:
    case ItemExpressionVariables:
    case ItemSolverEquations:
        return 2;
    case ItemPredefinedConstants:
    case ItemPredefinedFunctions:
    case ItemPredefinedUnits:
        return 3;
    case ItemUserConstants:
    case ItemUserFunctions:
    case ItemUserUnits:
        return 4;
    default:
        return 5;
    }
}

CString GridNumberText(double value) { return FormatSignificant15(value); }

CString GridIntegerText(int value) { return numtext::Integer(value); }
