#pragma once
#include "framework/core/Platform.h"

#include <cstddef>
#include <vector>

// A tool-bar resource (custom type 241): little-endian 16-bit words version, image width,
// image height, item count, then one command id per item (0 for a separator). The images are
// the bitmap resource of the same name, side by side.
constexpr WORD kToolBarResourceType = 241;

struct ToolBarResource {
    WORD version = 0;
    int imageWidth = 0;
    int imageHeight = 0;
    std::vector<UINT> ids;
};

// Reads data into res. false (res untouched) when the data is shorter than its count says,
// holds no item, or has an image side of 0 or over 256.
bool ParseToolBarResource(const void* data, std::size_t size, ToolBarResource& res);
