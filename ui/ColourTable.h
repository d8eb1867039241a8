#pragma once
#include "framework/core/Platform.h"

// The colour a picker shows as "Automatic" (CLR_DEFAULT); a plot item's automatic colour is
// another value (plot/PlotItem.h).
constexpr COLORREF kPickerAutomaticColour = 0xFF000000;

// What a colour button shows for a stored colour: -1 (no colour) shows as Automatic.
constexpr COLORREF ColourForPicker(COLORREF crStored)
{
    return crStored == 0xFFFFFFFF ? kPickerAutomaticColour : crStored;
}
// What a colour button's choice stores: Automatic (or -1) is the default it stands for.
constexpr COLORREF ColourFromPicker(COLORREF crChosen, COLORREF crDefault)
{
    return crChosen == kPickerAutomaticColour || crChosen == 0xFFFFFFFF ? crDefault : crChosen;
}

// One swatch of the colour pop-up: its colour and the name its tool tip shows.
struct ColourName {
    COLORREF colour;
    const char* name;
};

// The 40 named colours of the pop-up, in swatch order (8 per line).
constexpr int kColourCount = 40;
extern const ColourName g_colourTable[kColourCount];
