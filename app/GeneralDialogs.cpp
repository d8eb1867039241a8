#include "app/GeneralDialogs.h"

#include "app/ViewLayout.h"
#include "engine/FunctionCatalogue.h"
#include "res/AppIds.h"

#include <bit>

// clang-format off
const ConfirmBox kConfirmBoxes[12] = {
    {IDC_DELETE_GRAPH, false, 1},       {IDC_DELETE_DATA_GRAPH, false, 2},
    {IDC_DELETE_TABLE, false, 4},       {IDC_OVERWRITE_GRAPH, true, 1},
    {IDC_OVERWRITE_DATA_GRAPH, true, 2}, {IDC_OVERWRITE_TABLE, true, 4},
    {IDC_DELETE_GRAPH3D, false, 8},     {IDC_DELETE_LIST, false, 16},
    {IDC_DELETE_MATRIX, false, 32},     {IDC_OVERWRITE_GRAPH3D, true, 8},
    {IDC_OVERWRITE_LIST, true, 16},     {IDC_OVERWRITE_MATRIX, true, 32},
};

const ViewCategory kViewCategories[kViewCategoryCount] = {
    {"Data Tables",  ItemDataTable,           {ItemDataTable},                                  1},
    {"Data Graphs",  ItemDataGraph,           {ItemDataGraph},                                  1},
    {"2D Graphs",    Item2DGraph,             {Item2DGraph},                                    1},
    {"3D Graphs",    Item3DGraph,             {Item3DGraph},                                    1},
    {"Lists",        ItemList,                {ItemList},                                       1},
    {"Matrices",     ItemMatrix,              {ItemMatrix},                                     1},
    {"Variables",    ItemVariables,           {ItemVariables, ItemExpressionVariables},         2},
    {"User-defined", ItemUserFunctions,       {ItemUserConstants, ItemUserFunctions,
                                               ItemUserUnits},                                  3},
    {"Pre-defined",  ItemPredefinedFunctions, {ItemPredefinedConstants, ItemPredefinedFunctions,
                                               ItemPredefinedUnits},                            3},
};

const ViewBox kViewBoxes[4] = {
    {IDC_VIEW_PLOT2D, View2DPlot}, {IDC_VIEW_PLOT3D, View3DPlot},
    {IDC_VIEW_GRID, ViewGrid},     {IDC_VIEW_WORKSPACE, ViewWorkspace},
};
// clang-format on

unsigned ViewMaskOfTicks(unsigned ticked)
{
    ticked &= View2DPlot | View3DPlot | ViewGrid | ViewWorkspace;
    return std::popcount(ticked) == 3 ? 15u : ticked;
}

std::vector<CString> InsertFunctionCategories()
{
    std::vector<CString> names{"Favorites"};
    for (int i = 0; i < GetFunctionCategoryCount(); ++i)
        names.emplace_back(GetFunctionCategoryName(i));
    return names;
}

std::vector<CString> InsertFunctionNames(int category, const std::vector<CString>& favorites)
{
    if (category == 0)
        return favorites;
    std::vector<CString> names;
    if (category < 0 || category > GetFunctionCategoryCount())
        return names;
    const CString wanted = GetFunctionCategoryName(category - 1);
    for (int i = 0; i < GetFunctionTableSize(); ++i) {
        const FunctionTableEntry& entry = GetFunctionEntry(GetSortedFunctionRow(i));
        if (wanted == entry.category)
            names.emplace_back(entry.name);
    }
    return names;
}

BOOL DescribeCatalogueFunction(const CString& name, CString& syntax, CString& description)
{
    for (int row = 0; row < GetFunctionTableSize(); ++row) {
        const FunctionTableEntry& entry = GetFunctionEntry(row);
        if (name == entry.name) {
            syntax.Format("%s(%s)", entry.name, entry.argumentTemplate);
            description = entry.description;
            return TRUE;
        }
    }
    return FALSE;
}

CString LinkTarget(const CString& text) { return text.Find('@') > 0 ? "mailto:" + text : text; }
