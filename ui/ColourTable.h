#pragma once
#include "framework/core/Platform.h"

// The colour that stands for "take the automatic choice" (CLR_DEFAULT).
constexpr COLORREF kAutomaticColour = 0xFF000000;

// One swatch of the colour pop-up: its colour and the name its tool tip shows.
struct ColourName {
    COLORREF colour;
    const char* name;
};

// The 40 named colours of the pop-up, in swatch order (8 per line).
constexpr int kColourCount = 40;
extern const ColourName g_colourTable[kColourCount];
