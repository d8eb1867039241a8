#pragma once
// The rules of the small dialogs that belong to no tool, without a window: the Options page's
// confirmation boxes and pane choice by category, the lists of Insert Function, and the target
// a link opens.
#include "framework/core/CString.h"

#include <vector>

// --- Options page ------------------------------------------------------------------------------

// A confirmation box: its control, the mask it belongs to and its bit.
struct ConfirmBox {
    int nControl;
    bool bOverwrite; // ConfirmOverwrite, else ConfirmDelete
    unsigned bit;
};
extern const ConfirmBox kConfirmBoxes[12];

// A category of the pane choice: the layout records it stands for, and the one whose mask it
// shows.
struct ViewCategory {
    const char* pszName;
    int nShown;
    int records[3];
    int nRecords;
};
constexpr int kViewCategoryCount = 9;
extern const ViewCategory kViewCategories[kViewCategoryCount];

// A pane box: its control and its view bit.
struct ViewBox {
    int nControl;
    unsigned bit;
};
extern const ViewBox kViewBoxes[4];

// The mask of the ticked panes (view bits OR-ed): 0 when none; three panes show as all four.
unsigned ViewMaskOfTicks(unsigned ticked);

// --- Insert Function -----------------------------------------------------------------------------

// "Favorites", then the catalogue's categories in their order.
std::vector<CString> InsertFunctionCategories();
// The functions of category i of that list: the favourites in their order for 0, otherwise the
// catalogue's names of exactly that category, in the catalogue's display order (once sorted,
// by name).
std::vector<CString> InsertFunctionNames(int category, const std::vector<CString>& favorites);
// "NAME(arguments)" and the description of a catalogue name (exact); FALSE for a name outside
// the catalogue.
BOOL DescribeCatalogueFunction(const CString& name, CString& syntax, CString& description);

// --- Links ---------------------------------------------------------------------------------------

// What a link's text opens: a mail address (an "@" after the first character) as "mailto:".
CString LinkTarget(const CString& text);
// The shell's answer to opening a target means failure (32 or less).
constexpr bool ShellOpenFailed(long long result) { return result <= 32; }
