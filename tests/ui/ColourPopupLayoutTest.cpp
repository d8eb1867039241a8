// The colour pop-up's boxes: the walk of the arrow keys, the box chosen for a colour, the box
// under the mouse and the place of the pop-up on the screen.
#include "ui/ColourPopupLayout.h"
#include "ui/ColourTable.h"

#include <gtest/gtest.h>

#include <string>

namespace {

CColourPopupLayout Layout(bool hasDefault, bool hasCustom)
{
    CColourPopupLayout layout;
    layout.Compute(2, hasDefault, hasCustom, CSize(80, 13));
    return layout;
}

const char* KeyName(PopupKey key)
{
    switch (key) {
    case PopupKey::Up:
        return "Up";
    case PopupKey::Down:
        return "Down";
    case PopupKey::Left:
        return "Left";
    case PopupKey::Right:
        return "Right";
    }
    return "?";
}

TEST(ColourPopupLayout, ArrowKeysWalkTheSwatchesAndTheTextBoxes)
{
    const int A = kAutomaticBox, M = kCustomBox;
    struct Case {
        bool hasDefault, hasCustom;
        int from;
        PopupKey key;
        int to;
    };
    using K = PopupKey;
    const Case cases[] = {
        // Both text boxes, as every picker of the program has them.
        {true, true, 39, K::Right, M},
        {true, true, M, K::Right, A},
        {true, true, A, K::Right, 0},
        {true, true, 7, K::Right, 8}, // wraps to the next line
        {true, true, 0, K::Left, A},
        {true, true, A, K::Left, M},
        {true, true, M, K::Left, 39},
        {true, true, 8, K::Left, 7},
        {true, true, A, K::Down, 0},
        {true, true, 3, K::Down, 11},
        {true, true, 35, K::Down, M}, // past the last line
        {true, true, M, K::Down, A},
        {true, true, A, K::Up, M},
        {true, true, M, K::Up, 39},
        {true, true, 11, K::Up, 3},
        {true, true, 3, K::Up, A},     // above the first line
        {true, true, 40, K::Left, 39}, // an index past the table is the custom box
        {true, true, kNoBox, K::Down, A},
        // Without a custom box the walk turns at the default box; without either, it wraps.
        {true, false, 39, K::Right, A},
        {true, false, A, K::Up, 39},
        {true, false, 35, K::Down, A},
        {false, true, 0, K::Left, M},
        {false, true, M, K::Down, 0},
        {false, false, 39, K::Right, 0},
        {false, false, 0, K::Left, 39},
        {false, false, 34, K::Down, 2},
        {false, false, 2, K::Up, 34},
    };
    for (const Case& c : cases) {
        const CColourPopupLayout layout = Layout(c.hasDefault, c.hasCustom);
        EXPECT_EQ(layout.NextBox(c.from, c.key), c.to)
            << "default " << c.hasDefault << " custom " << c.hasCustom << " from " << c.from << " "
            << KeyName(c.key);
    }
}

TEST(ColourPopupLayout, TheChosenBoxMatchesTheColourExactly)
{
    const CColourPopupLayout both = Layout(true, true), none = Layout(false, false);
    EXPECT_EQ(both.ChosenBox(0x32CD32), 18); // "Lime": third line, third column
    EXPECT_STREQ(g_colourTable[18].name, "Lime");
    EXPECT_STREQ(g_colourTable[35].name, "Pale green ");
    EXPECT_EQ(both.ChosenBox(kPickerAutomaticColour), kAutomaticBox);
    EXPECT_EQ(both.ChosenBox(0x32CD33), kCustomBox);
    EXPECT_EQ(none.ChosenBox(0x32CD33), kNoBox);
    EXPECT_EQ(none.ChosenBox(kPickerAutomaticColour), kNoBox);
}

TEST(ColourPopupLayout, BoxesLieWhereTheyAreDrawnAndTheMarginsHitNothing)
{
    const CColourPopupLayout layout = Layout(true, true);
    const int box = layout.GetBoxSize();
    EXPECT_EQ(box, 18);
    const CRect lime = layout.GetCellRect(18);
    EXPECT_EQ(lime.Width(), box);
    EXPECT_EQ(layout.GetCellRect(19).left, lime.right); // swatches touch
    EXPECT_EQ(layout.GetCellRect(26).top, lime.bottom);
    struct Case {
        CPoint point;
        int box;
    };
    const CRect automatic = layout.GetDefaultRect(), custom = layout.GetCustomRect();
    const Case cases[] = {
        {lime.TopLeft(), 18},
        {CPoint(lime.right - 1, lime.bottom - 1), 18},
        {CPoint(lime.right, lime.top), 19},
        {automatic.CenterPoint(), kAutomaticBox},
        {custom.CenterPoint(), kCustomBox},
        {CPoint(0, lime.top), kNoBox},                             // left margin
        {CPoint(layout.GetWindowSize().cx - 1, lime.top), kNoBox}, // right margin
        {CPoint(lime.left, automatic.bottom), kNoBox}, // between "Automatic" and the grid
    };
    for (const Case& c : cases)
        EXPECT_EQ(layout.BoxAt(c.point), c.box) << c.point.x << "," << c.point.y;
    // The window holds everything with a margin.
    EXPECT_EQ(layout.GetWindowSize().cx, 8 * box + 4);
    EXPECT_GE(layout.GetWindowSize().cy, custom.bottom + 2);
    EXPECT_EQ(Layout(false, false).GetWindowSize(), CSize(8 * box + 4, 5 * box + 4));
    // Wide texts widen the pop-up.
    CColourPopupLayout wide;
    wide.Compute(2, true, true, CSize(300, 13));
    EXPECT_EQ(wide.GetWindowSize().cx, 304);
    EXPECT_EQ(wide.GetCustomRect().Width(), 300);
}

TEST(ColourPopupLayout, ThePopupStaysOnTheScreen)
{
    const CSize screen(1024, 768), size(148, 160);
    struct Case {
        CPoint origin;
        CPoint expected;
        const char* what;
    };
    const Case cases[] = {
        {CPoint(100, 100), CPoint(100, 100), "room below"},
        {CPoint(950, 100), CPoint(1024 - 148, 100), "near the right edge: shifted left"},
        {CPoint(-20, 100), CPoint(0, 100), "past the left edge: shifted right"},
        {CPoint(100, 700), CPoint(100, 700 - 22 - 160), "near the bottom: above the button"},
        {CPoint(100, 608), CPoint(100, 608), "bottom on the screen edge: stays below"},
    };
    for (const Case& c : cases)
        EXPECT_EQ(PlaceColourPopup(c.origin, size, 22, screen).TopLeft(), c.expected) << c.what;
    // Taller than the screen: the top stays on it.
    EXPECT_EQ(PlaceColourPopup(CPoint(10, 700), CSize(148, 800), 22, screen).top, 0);
}

} // namespace
