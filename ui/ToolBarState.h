#pragma once
#include "framework/core/Platform.h"

#include <optional>
#include <vector>

// The saved button layout of a customisable tool bar, as stored in the registry (one binary
// value): little-endian 32-bit words version (1), button count, then per button its command
// id (0 for a separator) and flags (bit 0: hidden).
struct SavedToolButton {
    UINT idCommand = 0;
    bool bHidden = false;
    bool operator==(const SavedToolButton&) const = default;
};

std::vector<BYTE> EncodeToolBarState(const std::vector<SavedToolButton>& buttons);

// The layout in data, or nothing when any part is wrong: a size that does not match the
// count, another version, unknown flags, a command not among available, or a command twice.
// A layout is taken whole or not at all.
std::optional<std::vector<SavedToolButton>> DecodeToolBarState(const BYTE* data, std::size_t size,
                                                               const std::vector<UINT>& available);
