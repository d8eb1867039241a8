#pragma once

// The kinds of project item, in the order of the explorer's folders and of the view layouts.
// The data view fills, colours and offers its menus by them; the project keeps its items by them.
enum ItemType : int {
    ItemDataTable = 0,
    ItemList = 1,
    ItemMatrix = 2,
    Item2DGraph = 3,
    ItemDataGraph = 4,
    ItemVariables = 5,
    ItemExpressionVariables = 6,
    ItemUserConstants = 7,
    ItemUserFunctions = 8,
    ItemUserUnits = 9,
    ItemSolverEquations = 10,
    ItemSolverModel = 11,
    ItemPredefinedConstants = 12,
    ItemPredefinedFunctions = 13,
    ItemPredefinedUnits = 14,
    Item3DGraph = 15,
    ItemNone = 16,
};

constexpr int ItemTypeCount = 16;

// Tables, lists and matrices: the kinds whose values the user types, pastes and drops.
constexpr bool IsDataItemKind(int kind)
{
    return kind == ItemDataTable || kind == ItemList || kind == ItemMatrix;
}
