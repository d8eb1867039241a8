#pragma once
#include "framework/core/CString.h"

// The explorer's categories: one slot each, in the order the folders are created. The project's
// own items come first, each kind in a folder of its own, then the engine's name tables.
enum ExplorerSlot : int {
    SlotDataTables = 0,
    SlotLists,
    SlotMatrices,
    SlotDataGraphs,
    Slot2DGraphs,
    Slot3DGraphs,
    SlotVariables,
    SlotExpressionVariables,
    SlotSolverModels,
    SlotUserDefined,
    SlotUserConstants,
    SlotUserFunctions,
    SlotUserConversions,
    SlotPredefined,
    SlotPredefinedConstants,
    SlotPredefinedFunctions,
    SlotPredefinedConversions,
    ExplorerSlotCount,
};

struct ExplorerFolder {
    const char* pszText;
    int nParent;     // slot of the parent folder; -1 for the root
    int nImage;      // image of the program's small list; -1 for none set
    int nFolderKind; // the item kind that selecting the folder reports
    int nLeafKind;   // the kind of the items under it
};

// The row of a slot 0..ExplorerSlotCount-1.
const ExplorerFolder& GetExplorerFolder(int slot);
// The slot whose items are of that kind; -1 for kinds that have no items of their own in the
// tree (the engine's name tables are shown by their folders).
int GetSlotOfLeafKind(int kind);

// Which pop-up of the explorer's folder menu a right click opens when no item kind is
// selected: the slot of the folder under the mouse, or -1 when there is no item there.
// -1 back means any other item: the context menu of pre-defined functions is shown instead.
int ChooseFolderMenuPopup(int nSlotUnderMouse);
constexpr int kNoItemUnderMouse = -1;
constexpr int kItemWithoutSlot = -2;

// Only the names of data tables, lists, matrices and data graphs are edited in place.
BOOL CanEditLabelOfKind(int kind);
// The label an in-place edit gives: the text without blanks around it; FALSE when nothing is
// left, and the edit is refused.
BOOL TrimEditedLabel(const CString& text, CString& label);
