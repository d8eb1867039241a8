#include "app/ExplorerRules.h"

#include "app/ItemTypes.h"

namespace {

// clang-format off
constexpr ExplorerFolder kFolders[ExplorerSlotCount] = {
    {"Data Tables",          -1,              1, ItemNone,                ItemDataTable},
    {"Lists",                -1,              7, ItemNone,                ItemList},
    {"Matrices",             -1,              9, ItemNone,                ItemMatrix},
    {"Data Graphs",          -1,              5, ItemNone,                ItemDataGraph},
    {"2-D Graphs",           -1,             -1, ItemNone,                Item2DGraph},
    {"3-D Graphs",           -1,             -1, ItemNone,                Item3DGraph},
    {"Variables",            -1,             10, ItemVariables,           ItemNone},
    {"Expression variables", -1,             11, ItemExpressionVariables, ItemNone},
    {"Solver models",        -1,             12, ItemSolverEquations,     ItemSolverModel},
    {"User-defined",         -1,             14, ItemNone,                ItemNone},
    {"Constants",            SlotUserDefined, 15, ItemUserConstants,      ItemNone},
    {"Functions",            SlotUserDefined, 16, ItemUserFunctions,      ItemNone},
    {"Conversions",          SlotUserDefined, 17, ItemUserUnits,          ItemNone},
    {"Pre-defined",          -1,             18, ItemNone,                ItemNone},
    {"Constants",            SlotPredefined, 15, ItemPredefinedConstants, ItemNone},
    {"Functions",            SlotPredefined, 16, ItemPredefinedFunctions, ItemNone},
    {"Conversions",          SlotPredefined, 17, ItemPredefinedUnits,     ItemNone},
};
// clang-format on

} // namespace

const ExplorerFolder& GetExplorerFolder(int slot) { return kFolders[slot]; }

int GetSlotOfLeafKind(int kind)
{
    if (kind == ItemNone)
        return -1;
    for (int slot = 0; slot < ExplorerSlotCount; ++slot)
        if (kFolders[slot].nLeafKind == kind)
            return slot;
    return -1;
}

int ChooseFolderMenuPopup(int nSlotUnderMouse)
{
    switch (nSlotUnderMouse) {
    case kNoItemUnderMouse:
    case SlotDataTables:
        return 0; // "Data Tables"
    case SlotDataGraphs:
        return 1; // "Data Plot"
    case Slot2DGraphs:
        return 2; // "2D Plot"
    case Slot3DGraphs:
        return 3; // "3D Plot"
    case SlotLists:
        return 4; // "Lists"
    case SlotMatrices:
        return 5; // "Matrices"
    default:
        return -1;
    }
}

BOOL CanEditLabelOfKind(int kind)
{
    return kind == ItemDataTable || kind == ItemList || kind == ItemMatrix || kind == ItemDataGraph;
}

BOOL TrimEditedLabel(const CString& text, CString& label)
{
    CString trimmed = text;
    trimmed.Trim();
    if (trimmed.IsEmpty())
        return FALSE;
    label = trimmed;
    return TRUE;
}
