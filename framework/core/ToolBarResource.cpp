#include "framework/core/ToolBarResource.h"

bool ParseToolBarResource(const void* data, std::size_t size, ToolBarResource& res)
{
    const auto* bytes = static_cast<const BYTE*>(data);
    auto word = [bytes](std::size_t i) { return WORD(bytes[2 * i] | (bytes[2 * i + 1] << 8)); };
    if (!bytes || size < 8)
        return false;
    const int width = word(1), height = word(2), count = word(3);
    if (width < 1 || width > 256 || height < 1 || height > 256 || count < 1 ||
        size < 8 + 2 * std::size_t(count))
        return false;
    ToolBarResource parsed;
    parsed.version = word(0);
    parsed.imageWidth = width;
    parsed.imageHeight = height;
    parsed.ids.reserve(std::size_t(count));
    for (int i = 0; i < count; ++i)
        parsed.ids.push_back(word(4 + std::size_t(i)));
    res = std::move(parsed);
    return true;
}
