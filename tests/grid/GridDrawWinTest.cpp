// What the grid paints: the selection colour, the focus frame, grid lines along the last pixel
// of each cell, the sort arrow; the off-screen buffer changes nothing; painting leaks nothing.
#include "tests/grid/GridWinTestSupport.h"

#include <gtest/gtest.h>

namespace {

const COLORREF kSelection = RGB(165, 165, 210);
const COLORREF kGridLine = RGB(192, 192, 192);

// The colours found in a rectangle of the picture.
int CountColour(const CDibImage& image, const CRect& rect, COLORREF colour)
{
    int n = 0;
    for (int y = rect.top; y < rect.bottom; ++y)
        for (int x = rect.left; x < rect.right; ++x)
            n += image.Pixel(x, y) == colour;
    return n;
}

TEST(GridDrawing, SelectionFocusGridLinesAndSortArrow)
{
    CGridHost host;
    CGridCtrl grid;
    MakeGrid(grid, host, 5, 5, 1, 1);
    grid.SetItemText(2, 2, "");
    grid.SetSelectedRange(2, 2, 2, 2);
    grid.SetFocusCell(3, 3);
    grid.SetSortColumn(2);
    const CDibImage image = AfxPrintClientToDib(&grid);
    ASSERT_GT(image.width, 250);

    // Cell (2, 2) spans x 100..149, y 40..59; its last column and row carry the grid lines.
    EXPECT_EQ(image.Pixel(101, 41), kSelection);
    EXPECT_EQ(image.Pixel(148, 58), kSelection);
    EXPECT_EQ(image.Pixel(149, 50), kGridLine) << "vertical line at x - 1";
    EXPECT_EQ(image.Pixel(120, 59), kGridLine) << "horizontal line at y - 1";
    EXPECT_NE(image.Pixel(149, 10), kGridLine) << "no grid line over the header row";

    // The focus cell (3, 3) at x 150..199, y 60..79 is framed in the text colour.
    const COLORREF frame = ::GetSysColor(COLOR_WINDOWTEXT);
    EXPECT_EQ(image.Pixel(150, 70), frame);
    EXPECT_EQ(image.Pixel(170, 60), frame);
    EXPECT_EQ(image.Pixel(195, 65), ::GetSysColor(COLOR_WINDOW)) << "inside the frame";

    // The sort arrow sits at the right of row 0 in the sort column only.
    const COLORREF shadow = ::GetSysColor(COLOR_3DSHADOW);
    EXPECT_GT(CountColour(image, CRect(125, 2, 148, 18), shadow), 5);
    EXPECT_EQ(CountColour(image, CRect(175, 2, 198, 18), shadow), 0);
}

TEST(GridDrawing, OffscreenBufferPaintsWhatDirectPaintingDoes)
{
    CGridHost host;
    CGridCtrl grid;
    MakeGrid(grid, host, 30, 10, 1, 1);
    grid.SetSelectedRange(2, 2, 4, 3);
    grid.SetFocusCell(3, 3);
    grid.SetItemBkColour(5, 5, RGB(0, 200, 0));
    const CDibImage buffered = AfxPrintClientToDib(&grid);
    grid.SetDoubleBuffering(FALSE);
    const CDibImage direct = AfxPrintClientToDib(&grid);
    ASSERT_EQ(buffered.pixels.size(), direct.pixels.size());
    EXPECT_TRUE(buffered.pixels == direct.pixels);
    EXPECT_EQ(buffered.Pixel(260, 110), RGB(0, 200, 0));
}

TEST(GridDrawing, PaintingHoldsNoGdiObjectsAndSharesCellFonts)
{
    CGridHost host;
    CGridCtrl grid;
    MakeGrid(grid, host, 30, 10, 1, 1);
    LOGFONTA lf = *grid.GetDefaultCell(FALSE, FALSE)->GetFont();
    lf.lfWeight = FW_BOLD;
    grid.GetCell(2, 2)->SetFont(&lf);
    grid.GetCell(3, 3)->SetFont(&lf);
    CFont* pFont = grid.GetCell(2, 2)->GetFontObject();
    ASSERT_NE(pFont, nullptr);
    EXPECT_EQ(grid.GetCell(3, 3)->GetFontObject(), pFont) << "one font per description";
    grid.SetSelectedRange(1, 1, 6, 6);
    grid.SetSortColumn(2);

    CRect client;
    grid.GetClientRect(client);
    DWORD nBefore = 0, nAfter = 0;
    AfxDrawToDib(client.Width(), client.Height(), [&](CDC& dc) {
        grid.SendMessage(WM_PRINTCLIENT, WPARAM(dc.m_hDC), PRF_CLIENT);
        nBefore = LiveGdiObjects();
        for (int i = 0; i < 1000; ++i)
            grid.SendMessage(WM_PRINTCLIENT, WPARAM(dc.m_hDC), PRF_CLIENT);
        nAfter = LiveGdiObjects();
    });
    EXPECT_GT(nBefore, 0u) << "the system counts GDI objects";
    EXPECT_EQ(nAfter, nBefore);
    EXPECT_EQ(grid.GetCell(2, 2)->GetFontObject(), pFont);
    EXPECT_NE(::GetObjectType(pFont->m_hObject), 0u) << "the shared font is still alive";
}

TEST(GridDrawing, RepaintingSelectionsHoldsNoDeviceContexts)
{
    CGridHost host;
    CGridCtrl grid;
    MakeGrid(grid, host, 10, 6, 1, 1);
    grid.SetSelectedRange(2, 2, 4, 4);
    const DWORD nBefore = LiveGdiObjects();
    for (int i = 0; i < 50; ++i) {
        grid.SetSelectedRange(-1, -1, -1, -1, TRUE, TRUE); // ends early after deselecting
        grid.SetSelectedRange(2, 2, 4, 4, TRUE, TRUE);
    }
    EXPECT_EQ(LiveGdiObjects(), nBefore);
}

} // namespace
