// How printed pages break a grid into bands of rows and strips of columns (page n is band
// (n - 1) / strips, strip (n - 1) % strips, and nothing is ever too large to get a page), and
// the colours a cell prints in.
#include "grid/GridPageBreaks.h"
#include "grid/GridPrintColours.h"
#include "tests/grid/GridAxisOf.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// The pages as "rows r0-r1 cols c0-c1" lines.
std::string Pages(const CGridPageBreaks& breaks)
{
    std::string text;
    GridPageRange range;
    for (int page = 1; breaks.GetPage(page, range); ++page)
        text += std::to_string(range.rowFirst) + "-" + std::to_string(range.rowEnd) + "/" +
                std::to_string(range.colFirst) + "-" + std::to_string(range.colEnd) + " ";
    return text;
}

TEST(GridPageBreaks, RowsFillEachPageAndOversizeOnesTakeAPageOfTheirOwn)
{
    const CGridAxis cols = Axis({30, 50, 50});
    const struct {
        const char* what;
        std::vector<int> rows;
        int pageHeight;
        const char* pages;
    } cases[] = {
        {"three fit, then two", {20, 10, 10, 10, 10, 10}, 30, "1-4/1-3 4-6/1-3 "},
        {"exactly full", {20, 15, 15, 15, 15}, 30, "1-3/1-3 3-5/1-3 "},
        {"a row taller than the page", {20, 10, 500, 10}, 30, "1-2/1-3 2-3/1-3 3-4/1-3 "},
        {"a page of no height", {20, 10, 10}, 0, "1-2/1-3 2-3/1-3 "},
        {"a negative page height", {20, 10, 10}, -40, "1-2/1-3 2-3/1-3 "},
        {"no data rows", {20}, 30, "1-1/1-3 "},
        {"hidden rows ride along", {20, 10, 0, 0, 10, 10}, 20, "1-5/1-3 5-6/1-3 "},
    };
    for (const auto& c : cases) {
        CGridPageBreaks breaks;
        breaks.Compute(Axis(c.rows), cols, c.pageHeight, 1000, FALSE);
        EXPECT_EQ(Pages(breaks), c.pages) << c.what;
    }
}

TEST(GridPageBreaks, StripsAcrossMakeThePageOrderBandByBand)
{
    CGridPageBreaks breaks;
    // Data columns 100 wide, two to a strip of 250: three strips; two bands.
    breaks.Compute(Axis({20, 30, 30, 30}), Axis({40, 100, 100, 100, 100, 100}), 60, 250, TRUE);
    EXPECT_EQ(breaks.GetStripCount(), 3);
    EXPECT_EQ(breaks.GetBandCount(), 2);
    GridPageRange page4;
    ASSERT_TRUE(breaks.GetPage(4, page4));
    EXPECT_EQ(page4.rowFirst, 3); // the second band
    EXPECT_EQ(page4.colFirst, 1); // the first strip
    EXPECT_EQ(page4.colEnd, 3);
    GridPageRange none;
    EXPECT_FALSE(breaks.GetPage(0, none));
    EXPECT_FALSE(breaks.GetPage(7, none));

    // Margins wider than the paper: a column to a strip, never an endless job.
    breaks.Compute(Axis({20, 30}), Axis(std::vector<int>(501, 60)), 100, -300, TRUE);
    EXPECT_EQ(breaks.GetPageCount(), 500);
    breaks.Clear();
    EXPECT_EQ(breaks.GetPageCount(), 0);
}

TEST(GridPrintColours, FillsAndTextColoursOfAPrintOut)
{
    const COLORREF yellow = RGB(255, 255, 0), red = RGB(255, 0, 0), grey = RGB(192, 192, 192);
    const COLORREF white = RGB(255, 255, 255), black = RGB(0, 0, 0), none = CLR_DEFAULT;
    const struct {
        const char* what;
        PrintedCellInput in;
        COLORREF back, text;
    } cases[] = {
        {"plain cell", {TRUE, FALSE, FALSE, none, none, white, black}, none, black},
        {"own fill", {TRUE, FALSE, FALSE, yellow, none, white, black}, yellow, black},
        {"fill as its region's", {TRUE, FALSE, FALSE, white, red, white, black}, none, red},
        {"own text colour", {TRUE, FALSE, FALSE, none, red, white, black}, none, red},
        {"header keeps its region's fill",
         {TRUE, TRUE, FALSE, none, none, grey, black},
         grey,
         black},
        {"header of its own", {TRUE, TRUE, FALSE, yellow, red, grey, black}, yellow, red},
        {"unfilled text greyed on two colours",
         {TRUE, FALSE, TRUE, none, red, white, black},
         none,
         RGB(76, 76, 76)},
        {"filled text kept on two colours",
         {TRUE, FALSE, TRUE, yellow, red, white, black},
         yellow,
         red},
        {"no shading", {FALSE, TRUE, FALSE, yellow, red, grey, black}, none, black},
        {"region without colours", {TRUE, TRUE, FALSE, none, none, none, none}, none, black},
    };
    for (const auto& c : cases) {
        const PrintedCellColours colours = ChoosePrintedCellColours(c.in);
        EXPECT_EQ(colours.back, c.back) << c.what;
        EXPECT_EQ(colours.text, c.text) << c.what;
    }
}

} // namespace
