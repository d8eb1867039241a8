#pragma once
#include "framework/core/CString.h"

// The kinds of project item, in the order of the explorer's folders and of the view layouts.
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

// What each kind shows: its explorer image, its context menu and the format of the caption that
// names a selected item of it (filled with the item's label).
struct ItemTypeInfo {
    int nImage;
    UINT nMenu;
    const char* pszCaption;
};

// The row of a kind 0..15; null for any other value.
const ItemTypeInfo* GetItemTypeInfo(int kind);
// The explorer image of a kind; 0 for kinds without a row (16 among them).
int GetItemTypeImage(int kind);
// The caption of a selected item: the kind's format filled with the label, any length.
CString FormatItemCaption(int kind, const CString& label);

// Bits of the ConfirmDelete and ConfirmOverwrite masks, by kind; 0 for kinds never confirmed.
UINT GetConfirmBit(int kind);
