// Item kinds and their view layouts: captions, default layouts by screen height, and stored
// layouts whose words make no sense.
#include "app/ViewLayout.h"
#include "app/ItemTypes.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(ItemTypes, CaptionsAndImages)
{
    struct Case {
        int kind;
        const char* label;
        const char* caption;
        int image;
    };
    const Case cases[] = {
        {ItemDataTable, "Table1", "Table: Table1", 1},
        {ItemVariables, "Variables", "Variables", 10},
        {ItemUserUnits, "Conversions", "User-defined Conversions", 17},
        {Item3DGraph, "z = x*y", "3D Graph: z = x*y", 20},
        {ItemNone, "x", "x", 0},
    };
    for (const Case& c : cases) {
        EXPECT_STREQ(FormatItemCaption(c.kind, c.label), c.caption) << c.kind;
        EXPECT_EQ(GetItemTypeImage(c.kind), c.image) << c.kind;
    }
    // A long label is never cut.
    const std::string label(300, 'a');
    EXPECT_EQ(FormatItemCaption(ItemList, label.c_str()).GetLength(), 306);
}

TEST(ViewLayout, DefaultsFromTheScreenHeight)
{
    const ViewLayouts layouts = DefaultViewLayouts(768);
    for (int kind = 0; kind < ItemTypeCount; ++kind) {
        for (int w = 1; w <= 4; ++w) {
            const bool taller = (kind == Item2DGraph && w == ViewLayout::Plot2DHeight) ||
                                (kind == Item3DGraph && w == ViewLayout::Plot3DHeight);
            EXPECT_EQ(layouts[std::size_t(kind)][w], taller ? 453u : 349u)
                << "kind " << kind << " word " << w;
        }
    }
    EXPECT_EQ(layouts[ItemDataTable][ViewLayout::Mask], 9u);
    EXPECT_EQ(layouts[ItemSolverModel][ViewLayout::FirstColumnWidth + 1], 250u);
    EXPECT_EQ(layouts[Item3DGraph][ViewLayout::Mask], 10u);
}

TEST(ViewLayout, StoredWordsOutsideTheirRangesDefault)
{
    const ViewLayout fallback = DefaultViewLayouts(768)[ItemList];
    ViewLayout stored = fallback;
    stored[ViewLayout::Mask] = 0xFF;
    stored[ViewLayout::WorkspaceHeight] = 40000;
    stored[ViewLayout::GridHeight] = 500;
    stored[ViewLayout::GridColumnCount] = 9;
    stored[ViewLayout::FirstColumnWidth + 2] = 0xFFFFFFFF;
    BYTE bytes[ViewLayout::Bytes];
    stored.ToBytes(bytes);
    EXPECT_EQ(bytes[4 * ViewLayout::GridHeight], 0xF4);
    EXPECT_EQ(bytes[4 * ViewLayout::GridHeight + 1], 0x01);
    const ViewLayout read = ViewLayout::FromBytes(bytes).Sanitized(fallback);
    EXPECT_EQ(read[ViewLayout::Mask], 15u);
    EXPECT_EQ(read[ViewLayout::WorkspaceHeight], 349u);
    EXPECT_EQ(read[ViewLayout::GridHeight], 500u);
    EXPECT_EQ(read[ViewLayout::GridColumnCount], 5u);
    EXPECT_EQ(read[ViewLayout::FirstColumnWidth + 2], fallback[ViewLayout::FirstColumnWidth + 2]);
}

} // namespace
