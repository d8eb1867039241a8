// The pane table of the splitter with hideable panes: every pane keeps a slot of its own
// whatever is hidden, and the visible panes fill the visible grid.
#include "ui/PaneTable.h"

#include <gtest/gtest.h>

#include <set>
#include <string>

namespace {

std::string Describe(int rows, int cols, int hiddenRow, int hiddenCol)
{
    return std::to_string(rows) + "x" + std::to_string(cols) + " hidden row " +
           std::to_string(hiddenRow) + " col " + std::to_string(hiddenCol);
}

TEST(PaneTable, EveryPaneHasItsOwnSlotAndHiddenOnesStayOutsideTheVisibleGrid)
{
    for (int size : {2, 3}) {
        for (int hiddenRow = -1; hiddenRow < size; ++hiddenRow) {
            for (int hiddenCol = -1; hiddenCol < size; ++hiddenCol) {
                CPaneTable table;
                table.Reset(size, size);
                if (hiddenRow >= 0) {
                    ASSERT_TRUE(table.HideRow(hiddenRow));
                }
                if (hiddenCol >= 0) {
                    ASSERT_TRUE(table.HideCol(hiddenCol));
                }
                const std::string what = Describe(size, size, hiddenRow, hiddenCol);
                std::set<int> offsets, visibleOffsets;
                for (int row = 0; row < size; ++row) {
                    for (int col = 0; col < size; ++col) {
                        const int offset = table.PaneOffset(row, col);
                        EXPECT_TRUE(offsets.insert(offset).second) << what << " twice " << offset;
                        const bool inGrid = table.SlotOfRow(row) < table.GetVisibleRows() &&
                                            table.SlotOfCol(col) < table.GetVisibleCols();
                        EXPECT_EQ(inGrid, table.IsVisible(row, col)) << what << " " << offset;
                        if (table.IsVisible(row, col)) {
                            visibleOffsets.insert(offset);
                            EXPECT_EQ(table.RowOfSlot(table.SlotOfRow(row)), row) << what;
                            EXPECT_EQ(table.ColOfSlot(table.SlotOfCol(col)), col) << what;
                        }
                    }
                }
                EXPECT_EQ(int(visibleOffsets.size()),
                          table.GetVisibleRows() * table.GetVisibleCols())
                    << what;
            }
        }
    }
}

TEST(PaneTable, HiddenColumnAndRowSlots)
{
    // One row, three columns, column 0 hidden: the others move left, the hidden one comes
    // after them.
    CPaneTable strip;
    strip.Reset(1, 3);
    ASSERT_TRUE(strip.HideCol(0));
    EXPECT_EQ(strip.PaneOffset(0, 0), 2);
    EXPECT_EQ(strip.PaneOffset(0, 1), 0);
    EXPECT_EQ(strip.PaneOffset(0, 2), 1);
    EXPECT_EQ(strip.ShowCol(), 0);
    for (int col = 0; col < 3; ++col)
        EXPECT_EQ(strip.PaneOffset(0, col), col);

    // Three rows, two columns, row 1 hidden: its panes go below the visible rows.
    CPaneTable stack;
    stack.Reset(3, 2);
    ASSERT_TRUE(stack.HideRow(1));
    EXPECT_EQ(stack.PaneOffset(1, 0), 0x20);
    EXPECT_EQ(stack.PaneOffset(1, 1), 0x21);
    EXPECT_EQ(stack.PaneOffset(2, 1), 0x11);
}

TEST(PaneTable, CallsThatCannotApplyChangeNothing)
{
    CPaneTable table;
    table.Reset(2, 2);
    EXPECT_EQ(table.ShowRow(), -1);
    EXPECT_EQ(table.ShowCol(), -1);
    EXPECT_FALSE(table.HideRow(-1));
    EXPECT_FALSE(table.HideRow(2));
    EXPECT_FALSE(table.HideCol(5));
    EXPECT_TRUE(table.HideCol(1));
    EXPECT_FALSE(table.HideCol(0)); // one is hidden already
    EXPECT_EQ(table.GetHiddenCol(), 1);

    CPaneTable single;
    single.Reset(1, 2);
    EXPECT_FALSE(single.HideRow(0)); // the last row stays
    EXPECT_EQ(single.GetVisibleRows(), 1);
}

} // namespace
