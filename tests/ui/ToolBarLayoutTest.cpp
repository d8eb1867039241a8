// Row layout of flat tool bars: where rows break, how big the wrapped bar is, and fitting a
// bar to a width or a height.
#include "ui/ToolBarLayout.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <vector>

namespace {

// "B20" a button 20 wide, "S8" a separator, "C30" a custom control, "D12" a drop-down; a
// leading "h" hides it. Buttons are 22 high.
std::vector<ToolButton> Bar(const std::string& spec)
{
    std::vector<ToolButton> buttons;
    std::istringstream in(spec);
    std::string item;
    while (in >> item) {
        ToolButton button;
        if (item[0] == 'h') {
            button.state |= kButtonHidden;
            item.erase(0, 1);
        }
        switch (item[0]) {
        case 'S':
            button.style = kButtonSeparator;
            break;
        case 'C':
            button.style = kButtonSeparator;
            button.idCommand = 900;
            break;
        case 'D':
            button.style = kButtonDropDown;
            button.idCommand = 100;
            break;
        default:
            button.idCommand = 100;
            break;
        }
        button.size = CSize(std::stoi(item.substr(1)), 22);
        buttons.push_back(button);
    }
    return buttons;
}

std::string Wraps(const std::vector<ToolButton>& buttons)
{
    std::string wraps;
    for (std::size_t i = 0; i < buttons.size(); ++i)
        if (buttons[i].state & kButtonWrap)
            wraps += (wraps.empty() ? "" : " ") + std::to_string(i);
    return wraps;
}

TEST(ToolBarLayout, RowsBreakAtSeparatorsElseAfterAButtonButNeverAtControlsOrHiddenOnes)
{
    struct Case {
        const char* bar;
        int width;
        const char* wraps;
        int rows;
    };
    const Case cases[] = {
        {"B20 B20 S8 B20 B20", 50, "2", 2},
        {"B20 B20 S8", 45, "2", 2},      // the overflowing separator itself ends the row
        {"B20 B20 B20", 50, "1", 2},     // no separator: after the button before
        {"B20 C30 B20", 45, "0", 2},     // never after a custom control
        {"B20 hS8 B20 B20", 45, "2", 2}, // nor at a hidden separator
        {"B20 B20 hB20 B20", 45, "1", 2},
        {"C60 B20", 30, "", 1}, // nothing to break at: the row stays too wide
        {"B20 B20 B20 B20", 0, "0 1 2", 4},
        {"B20 B20 B20 B20", 32767, "", 1},
    };
    const CToolBarLayout layout;
    for (const Case& c : cases) {
        std::vector<ToolButton> buttons = Bar(c.bar);
        EXPECT_EQ(layout.WrapToWidth(buttons, c.width), c.rows) << c.bar << " at " << c.width;
        EXPECT_EQ(Wraps(buttons), c.wraps) << c.bar << " at " << c.width;
    }
}

TEST(ToolBarLayout, AWrappedSeparatorAddsItsHeightOnceMoreByControlVersion)
{
    struct Case {
        int version;
        int height; // of "B20 S8 B20" wrapped at the separator
    };
    const Case cases[] = {
        {0x50051, 22 + 8 + 22}, // lies across: its width is its height
        {0x40047, 22 + 22 + 22},
        {0x40000, 22 + 19 + 22}, // older controls: 3 pixels less
    };
    for (const Case& c : cases) {
        const CToolBarLayout layout({c.version, false});
        std::vector<ToolButton> buttons = Bar("B20 S8 B20");
        buttons[1].state |= kButtonWrap;
        EXPECT_EQ(layout.MeasureWrapped(buttons), CSize(20, c.height)) << std::hex << c.version;
        EXPECT_EQ(layout.MeasureButton(buttons, 1).cx, 0) << std::hex << c.version;
    }
}

TEST(ToolBarLayout, FittingFindsTheNarrowestWidthOrTheMatchingHeight)
{
    const CToolBarLayout layout;
    // Ten 20-pixel buttons in 95 pixels make three rows; 80 pixels do too, 79 do not.
    std::vector<ToolButton> buttons = Bar("B20 B20 B20 B20 B20 B20 B20 B20 B20 B20");
    layout.FitToLength(buttons, 95, false);
    EXPECT_EQ(layout.MeasureWrapped(buttons), CSize(80, 66));
    // Vertically, 66 pixels are three rows of four.
    layout.FitToLength(buttons, 66, true);
    EXPECT_EQ(layout.MeasureWrapped(buttons), CSize(80, 66));
    // A height no width gives: the narrowest width that fits.
    layout.FitToLength(buttons, 50, true);
    EXPECT_EQ(layout.MeasureWrapped(buttons), CSize(100, 44));
}

TEST(ToolBarLayout, AVerticalFitThatWouldAlternateForEverStops)
{
    // Halving between these widths swaps two wrappings of the same too-tall height.
    const CToolBarLayout layout;
    std::vector<ToolButton> buttons = Bar("B11 D12 D10");
    buttons[0].size.cy = 27;
    buttons[1].size.cy = 17;
    buttons[2].size.cy = 18;
    layout.FitToLength(buttons, 41, true);
    const CSize size = layout.MeasureWrapped(buttons);
    EXPECT_LE(size.cy, 41);
    EXPECT_EQ(Wraps(buttons), "");
}

} // namespace
