// The saved button layout of a customisable tool bar: what is written is read back, and any
// damaged form is refused whole.
#include "ui/ToolBarState.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

const std::vector<UINT> kAvailable = {100, 101, 102, 103};

TEST(ToolBarState, ALayoutReadsBackAsWritten)
{
    const std::vector<SavedToolButton> layout = {
        {102, false}, {0, false}, {100, true}, {0, false}, {103, false}};
    const std::vector<BYTE> bytes = EncodeToolBarState(layout);
    EXPECT_EQ(bytes.size(), 8u + 8u * layout.size());
    const auto decoded = DecodeToolBarState(bytes.data(), bytes.size(), kAvailable);
    ASSERT_TRUE(decoded.has_value());
    EXPECT_EQ(*decoded, layout);
}

TEST(ToolBarState, EachDamagedFormIsRefusedWhole)
{
    const std::vector<BYTE> good = EncodeToolBarState({{100, false}, {0, false}, {101, false}});
    struct Case {
        const char* what;
        std::function<void(std::vector<BYTE>&)> damage;
    };
    const Case cases[] = {
        {"empty", [](std::vector<BYTE>& b) { b.clear(); }},
        {"cut short", [](std::vector<BYTE>& b) { b.pop_back(); }},
        {"a byte too many", [](std::vector<BYTE>& b) { b.push_back(0); }},
        {"another version", [](std::vector<BYTE>& b) { b[0] = 2; }},
        {"a count beyond the data", [](std::vector<BYTE>& b) { b[4] = 4; }},
        {"a huge count", [](std::vector<BYTE>& b) { b[7] = 0x80; }},
        {"an unknown command", [](std::vector<BYTE>& b) { b[8] = 50; }},
        {"a command twice", [](std::vector<BYTE>& b) { b[24] = 100; }},
        {"unknown flags", [](std::vector<BYTE>& b) { b[12] = 2; }},
    };
    for (const Case& c : cases) {
        std::vector<BYTE> bytes = good;
        c.damage(bytes);
        EXPECT_FALSE(DecodeToolBarState(bytes.data(), bytes.size(), kAvailable).has_value())
            << c.what;
    }
}

} // namespace
