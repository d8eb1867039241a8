// Where a folder bar puts its folders and items, what a point is over, where a dragged item
// goes, and which folder stays open when one is removed.
#include "ui/OutBarLayout.h"

#include <gtest/gtest.h>

namespace {

const CRect kClient(0, 0, 120, 300);

TEST(OutBarLayout, FoldersUpToTheOpenOneSitAtTheTopTheRestAtTheBottom)
{
    EXPECT_EQ(OutBarFolderRect(kClient, 3, 1, 0), CRect(0, -1, 120, 21));
    EXPECT_EQ(OutBarFolderRect(kClient, 3, 1, 1), CRect(0, 21, 120, 43));
    EXPECT_EQ(OutBarFolderRect(kClient, 3, 1, 2), CRect(0, 278, 120, 300));
    EXPECT_EQ(OutBarItemArea(kClient, 3, 1), CRect(0, 43, 120, 278));
    EXPECT_EQ(OutBarItemArea(kClient, 0, -1), kClient);
    EXPECT_EQ(OutBarFolderRect(kClient, 3, 1, -5), CRect());
    EXPECT_EQ(OutBarFolderRect(kClient, 3, 1, 10000), CRect());
    // More folders than fit: the item area is empty, never upside down.
    const CRect area = OutBarItemArea(kClient, 200, 0);
    EXPECT_EQ(area.Height(), 0);
}

TEST(OutBarLayout, RemovingAFolderKeepsTheOpenOneOrOpensTheOneBefore)
{
    const struct {
        int open, removed, left, expected;
    } cases[] = {
        {3, 1, 4, 2},  // one before the open folder: the open one stays open
        {1, 2, 2, 1},  // one after it: nothing changes
        {2, 2, 2, 1},  // the open one: the one before it opens
        {0, 0, 2, 0},  // the open first one: the new first one opens
        {0, 0, 0, -1}, // the last one: none is open
    };
    for (const auto& c : cases)
        EXPECT_EQ(OutBarOpenAfterRemoval(c.open, c.removed, c.left), c.expected)
            << c.open << " " << c.removed;
}

class OutBarItemsTest : public ::testing::Test {
protected:
    void Lay(int nItems, int nFirst, bool bSmall)
    {
        m_layout.Compute(kClient, 3, 0, nItems, nFirst, bSmall,
                         bSmall ? CSize(16, 16) : CSize(32, 32), [this](int, int) {
                             ++m_nMeasured;
                             return CSize(40, 13);
                         });
    }
    COutBarLayout m_layout;
    int m_nMeasured = 0;
};

TEST_F(OutBarItemsTest, LargeItemsStackUnderTheOpenFolderCentred)
{
    Lay(20, 0, false);
    // Area from 21 to 256; items 32 + 3 + 13 high, 8 apart, starting 5 down.
    ASSERT_GE(m_layout.Items().size(), 4u);
    const OutBarItemBox& first = m_layout.Items()[0];
    EXPECT_EQ(first.icon, CRect(44, 26, 76, 58));
    EXPECT_EQ(first.label, CRect(40, 61, 80, 74));
    EXPECT_EQ(m_layout.Items()[1].icon.top, 74 + 8);
    EXPECT_FALSE(m_layout.HasUpArrow());
    EXPECT_TRUE(m_layout.HasDownArrow());
    // Only what reaches into the area is measured, however many items the folder holds.
    EXPECT_LE(m_nMeasured, 6);
    EXPECT_EQ(m_layout.HitTest(CPoint(60, 40)), (OutBarHit{OutBarHit::Item, 0}));
    EXPECT_EQ(m_layout.HitTest(CPoint(60, 10)), (OutBarHit{OutBarHit::Folder, 0}));
    EXPECT_EQ(m_layout.HitTest(CPoint(60, 290)), (OutBarHit{OutBarHit::Folder, 2}));
    EXPECT_EQ(m_layout.HitTest(m_layout.DownArrowRect().CenterPoint()),
              (OutBarHit{OutBarHit::DownArrow, -1}));
    EXPECT_EQ(m_layout.HitTest(CPoint(5, 78)), OutBarHit()); // between the items
}

TEST_F(OutBarItemsTest, ScrolledSmallItemsStartAtTheFirstVisibleOne)
{
    Lay(3, 2, true);
    ASSERT_EQ(m_layout.Items().size(), 1u);
    const OutBarItemBox& item = m_layout.Items()[0];
    EXPECT_EQ(item.index, 2);
    EXPECT_EQ(item.icon, CRect(5, 26, 21, 42));
    EXPECT_EQ(item.label, CRect(25, 27, 65, 40));
    EXPECT_TRUE(m_layout.HasUpArrow());
    EXPECT_FALSE(m_layout.HasDownArrow());
    // The gap between icon and label is no part of the item.
    EXPECT_EQ(m_layout.HitTest(CPoint(23, 30)), OutBarHit());
    EXPECT_EQ(m_layout.HitTest(CPoint(30, 30)), (OutBarHit{OutBarHit::Item, 2}));
}

TEST_F(OutBarItemsTest, ADraggedItemGoesBeforeTheItemWhoseUpperHalfItIsOver)
{
    Lay(3, 0, false);
    const OutBarItemBox& second = m_layout.Items()[1];
    EXPECT_EQ(m_layout.DropIndex(CPoint(60, second.whole.top + 2)), 1);
    EXPECT_EQ(m_layout.DropIndex(CPoint(60, second.whole.bottom - 2)), 2);
    EXPECT_EQ(m_layout.DropIndex(CPoint(60, 250)), 3);
    EXPECT_EQ(m_layout.DropIndex(CPoint(60, 290)), -1); // over a folder button
}

} // namespace
