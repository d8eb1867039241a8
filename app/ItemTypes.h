#pragma once
#include "analysis/ItemType.h"
#include "framework/core/CString.h"

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
