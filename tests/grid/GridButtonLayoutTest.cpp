// Where the buttons of a button cell go, and the texts made from their captions.
#include "grid/GridButtonLayout.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

using namespace GridButtonKind;

GridButtonRecord Button(BYTE nType, WORD nState, int nPlacement, UINT nWidth = 0)
{
    GridButtonRecord b;
    b.nType = nType;
    b.nState = nState;
    b.nWidth = nWidth;
    b.SetPlacement(nPlacement);
    return b;
}

TEST(GridButtonLayoutTest, ButtonsAndTextArea)
{
    const GridRect cell = {0, 0, 100, 20};
    struct Case {
        const char* what;
        std::vector<GridButtonRecord> buttons;
        std::vector<GridRect> expected;
        GridRect text;
    };
    const Case cases[] = {
        {"one whole-cell push button", {Button(kButton, kPush, 0)}, {cell}, {0, 0, 0, 20}},
        {"spin pair stacked at the right",
         {Button(kScroll, 0, 2), Button(kScroll, kScrollDown, 2)},
         {{80, 0, 100, 10}, {80, 10, 100, 20}},
         {0, 0, 80, 20}},
        {"fixed widths only",
         {Button(kButton, kPush, 1, 30), Button(kButton, kPush, 1, 30)},
         {{0, 0, 30, 20}, {30, 0, 60, 20}},
         {60, 0, 100, 20}},
        {"automatic push button leaves no text",
         {Button(kButton, kPush, 1), Button(kButton, kPush, 2, 25)},
         {{0, 0, 75, 20}, {75, 0, 100, 20}},
         {0, 0, 0, 20}},
        {"a check box is square, the push button takes the rest",
         {Button(kButton, 0, 1), Button(kButton, kPush, 2)},
         {{0, 0, 20, 20}, {20, 0, 100, 20}},
         {0, 0, 0, 20}},
        {"buttons wider than the cell are clamped",
         {Button(kButton, kPush, 1, 80), Button(kButton, kPush, 1, 80)},
         {{0, 0, 80, 20}, {80, 0, 100, 20}},
         {0, 0, 0, 20}},
    };
    for (const Case& c : cases) {
        const GridButtonPlaces places =
            LayoutGridButtons(c.buttons.data(), int(c.buttons.size()), cell, 3);
        ASSERT_EQ(places.buttons.size(), c.expected.size()) << c.what;
        for (std::size_t i = 0; i < c.expected.size(); ++i) {
            const GridRect& r = places.buttons[i];
            EXPECT_EQ(r, c.expected[i]) << c.what << ": button " << i << " at " << r.left << ","
                                        << r.top << "," << r.right << "," << r.bottom;
        }
        EXPECT_EQ(places.text.Width(), c.text.Width()) << c.what;
        if (c.text.Width() > 0) {
            EXPECT_EQ(places.text, c.text) << c.what;
        }
    }
}

TEST(GridButtonLayoutTest, CaptionTextsAndMnemonics)
{
    const std::vector<CString> captions = {"&Up", "Do&&wn", "x&", "&Calculate"};
    EXPECT_STREQ(GridButtonTipText(captions), "Up Do&wn x Calculate");
    EXPECT_EQ(GridButtonTipText({CString('a', 300)}).GetLength(), 254);
    struct Case {
        char ch;
        int nIndex;
    };
    for (const Case& c : {Case{'u', 0}, Case{'U', 0}, Case{'c', 3}, Case{'w', -1}, Case{'x', -1}})
        EXPECT_EQ(FindGridButtonMnemonic(captions, c.ch), c.nIndex) << c.ch;
}

} // namespace
