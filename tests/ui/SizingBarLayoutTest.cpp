// Resizable panes: how the panes of a side share it, how far its edge may go, and the state a
// pane keeps, read back as written or refused whole when damaged.
#include "ui/SizingBarLayout.h"

#include <gtest/gtest.h>

#include <functional>
#include <vector>

namespace {

TEST(SizingBarLayout, PanesShareTheirSide)
{
    const struct {
        const char* what;
        int length;
        std::vector<int> wanted;
        int maximised;
        std::vector<int> lengths;
    } cases[] = {
        {"room for all: the last takes the rest", 400, {100, 100}, -1, {100, 300}},
        {"too long: cut by quarters", 300, {400, 100}, -1, {225, 75}},
        {"hardly room: down to captions", 60, {400, 400, 400}, -1, {20, 20, 20}},
        {"one maximised", 400, {100, 100, 100}, 1, {20, 360, 20}},
        {"a single pane", 250, {80}, -1, {250}},
        {"none", 250, {}, -1, {}},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LayoutSizingBars(c.length, c.wanted, c.maximised, 20), c.lengths) << c.what;
}

TEST(SizingBarLayout, TheEdgeStaysWithinItsBounds)
{
    EXPECT_EQ(TrackedSideSize(200, 35, 500), 235);
    EXPECT_EQ(TrackedSideSize(200, -400, 500), kSizingEdge);
    EXPECT_EQ(TrackedSideSize(200, 900, 500), 500);
    EXPECT_EQ(TrackedSideSize(200, 10, 2), kSizingEdge); // a frame of no room
}

TEST(SizingBarLayout, StateReadsBackAsWrittenAndDamageIsRefused)
{
    CMemoryProfileStore store;
    const SizingBarState saved{180, 260, 1, 0x4000};
    ASSERT_TRUE(SaveSizingBarState(store, "Bar", saved));
    SizingBarState read;
    ASSERT_TRUE(LoadSizingBarState(store, "Bar", read));
    EXPECT_EQ(read.cx, 180);
    EXPECT_EQ(read.cy, 260);
    EXPECT_EQ(read.nFloating, 1);
    EXPECT_EQ(read.nStyle, 0x4000);

    const struct {
        const char* entry;
        int value;
    } damage[] = {{"CX", 2}, {"CY", 40000}, {"Floating", 2}, {"Style", 0x3000}, {"Style", 0}};
    for (const auto& d : damage) {
        SaveSizingBarState(store, "Bar", saved);
        store.WriteInt("Bar", d.entry, d.value);
        SizingBarState state;
        EXPECT_FALSE(LoadSizingBarState(store, "Bar", state)) << d.entry << " " << d.value;
        EXPECT_EQ(state.cx, 200) << "defaults kept";
    }
    SizingBarState state;
    EXPECT_FALSE(LoadSizingBarState(store, "Nothing", state));
}

} // namespace
