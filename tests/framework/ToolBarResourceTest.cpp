// The tool-bar resource: command ids and image size read from its words, damaged resources
// refused.
#include "framework/core/ToolBarResource.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

std::vector<BYTE> Words(std::initializer_list<int> words)
{
    std::vector<BYTE> bytes;
    for (int w : words) {
        bytes.push_back(BYTE(w & 0xFF));
        bytes.push_back(BYTE(w >> 8));
    }
    return bytes;
}

TEST(ToolBarResource, ReadsTheImageSizeAndTheCommands)
{
    const std::vector<BYTE> bytes = Words({1, 16, 15, 4, 0xE100, 0, 0xE101, 32941});
    ToolBarResource res;
    ASSERT_TRUE(ParseToolBarResource(bytes.data(), bytes.size(), res));
    EXPECT_EQ(res.version, 1);
    EXPECT_EQ(res.imageWidth, 16);
    EXPECT_EQ(res.imageHeight, 15);
    EXPECT_EQ(res.ids, (std::vector<UINT>{0xE100, 0, 0xE101, 32941}));
}

TEST(ToolBarResource, DamagedResourcesAreRefused)
{
    struct Case {
        const char* what;
        std::vector<BYTE> bytes;
    };
    const Case cases[] = {
        {"shorter than its count", Words({1, 16, 15, 3, 100, 101})},
        {"no items", Words({1, 16, 15, 0})},
        {"image width 0", Words({1, 0, 15, 1, 100})},
        {"image height 0", Words({1, 16, 0, 1, 100})},
        {"images over 256 wide", Words({1, 257, 15, 1, 100})},
        {"no header", Words({1, 16})},
    };
    for (const Case& c : cases) {
        ToolBarResource res;
        res.imageWidth = 99;
        EXPECT_FALSE(ParseToolBarResource(c.bytes.data(), c.bytes.size(), res)) << c.what;
        EXPECT_EQ(res.imageWidth, 99) << c.what;
    }
}

} // namespace
