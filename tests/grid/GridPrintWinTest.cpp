// A grid on paper: pages of whole rows (a row taller than the page on one of its own), strips
// across when printed as on screen, the page header and "Page n of m" footer, a page for a
// grid without data rows, pages printed in any order alike, no GDI object left behind, and a
// whole job on the file printer.
#include "framework/win/CPrintDialog.h"
#include "framework/win/ModalTestHook.h"
#include "tests/grid/GridWinTestSupport.h"
#include "tests/support/ScriptedModalHook.h"
#include "tests/support/TestPrinter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

namespace {

// The texts a page drew, in drawing order, read from its metafile.
std::vector<std::string> MetafileTexts(HENHMETAFILE hMeta)
{
    std::vector<std::string> texts;
    for (const MetafileText& text : ReadMetafileTexts(hMeta))
        texts.push_back(text.text);
    return texts;
}

bool Has(const std::vector<std::string>& texts, const std::string& text)
{
    return std::find(texts.begin(), texts.end(), text) != texts.end();
}

class GridPrintTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(InstallTestPrinters()); }

    void SetUp() override
    {
        m_printer.Attach(::CreateDCA(nullptr, kTestPrinter, nullptr, nullptr));
        ASSERT_NE(m_printer.m_hDC, nullptr);
        m_printer.m_bPrinting = TRUE;
        ::SetWindowTextA(m_host.m_hWnd, "Measurements");
    }
    void TearDown() override
    {
        for (HENHMETAFILE hMeta : m_pages)
            ::DeleteEnhMetaFile(hMeta);
    }
    // A grid of rows data rows of the given heights under one header row, cols data columns of
    // width cx beside one header column.
    void Make(std::vector<int> heights, int cols, int cx)
    {
        MakeGrid(m_grid, m_host, int(heights.size()) + 1, cols + 1, 1, 1);
        for (std::size_t r = 0; r < heights.size(); ++r)
            m_grid.SetRowHeight(int(r) + 1, heights[r]);
        for (int c = 1; c <= cols; ++c)
            m_grid.SetColumnWidth(c, cx);
    }
    // Page n as the preview records it: drawn into a metafile on the printer.
    std::vector<std::string> PrintPage(UINT nPage)
    {
        CMetaFileDC meta;
        EXPECT_TRUE(meta.CreateEnhanced(&m_printer, nullptr, nullptr, nullptr));
        meta.m_bPrinting = TRUE;
        m_info.m_nCurPage = nPage;
        m_grid.OnPrint(&meta, &m_info);
        m_pages.push_back(meta.CloseEnhanced());
        return MetafileTexts(m_pages.back());
    }

    CGridHost m_host;
    CGridCtrl m_grid;
    CDC m_printer;
    CPrintInfo m_info;
    std::vector<HENHMETAFILE> m_pages;
};

TEST_F(GridPrintTest, PagesOfWholeRowsWithHeaderAndFooter)
{
    Make({200, 200, 200, 200, 200}, 4, 50);
    m_grid.OnBeginPrinting(&m_printer, &m_info);
    ASSERT_EQ(m_info.GetMaxPage(), 5u); // one 200-pixel row fits a page, two do not
    const std::vector<std::string> page2 = PrintPage(2);
    EXPECT_TRUE(Has(page2, "Page 2 of 5"));
    EXPECT_TRUE(Has(page2, "Measurements")); // the window's title, centred
    EXPECT_TRUE(Has(page2, "Grid Tests"));   // the application's title
    EXPECT_TRUE(Has(page2, "0,3"));          // the header row on every page
    EXPECT_TRUE(Has(page2, "2,0"));          // the row's header
    EXPECT_TRUE(Has(page2, "2,4"));
    EXPECT_FALSE(Has(page2, "1,1"));
    EXPECT_FALSE(Has(page2, "3,1"));

    // Pages come out alike in any order, as the preview asks for them.
    PrintPage(5);
    EXPECT_EQ(PrintPage(2), page2);
    EXPECT_TRUE(PrintPage(6).empty()); // past the job: nothing
    m_grid.OnEndPrinting(&m_printer, &m_info);
}

TEST_F(GridPrintTest, ARowTallerThanThePagePrintsOnAPageOfItsOwn)
{
    Make({20, 10000, 20}, 2, 50);
    m_grid.OnBeginPrinting(&m_printer, &m_info);
    ASSERT_EQ(m_info.GetMaxPage(), 3u);
    EXPECT_TRUE(Has(PrintPage(2), "2,1"));
    EXPECT_TRUE(Has(PrintPage(3), "3,1"));
    m_grid.OnEndPrinting(&m_printer, &m_info);
}

TEST_F(GridPrintTest, AsOnScreenPageFourIsTheSecondBandsFirstStrip)
{
    // Columns of 300 pixels take a strip each; rows of 400 a band each.
    Make({400, 400}, 3, 300);
    m_grid.SetWysiwygPrinting(TRUE);
    m_grid.OnBeginPrinting(&m_printer, &m_info);
    ASSERT_EQ(m_info.GetMaxPage(), 6u);
    const std::vector<std::string> page4 = PrintPage(4);
    EXPECT_TRUE(Has(page4, "2,1"));
    EXPECT_TRUE(Has(page4, "0,1"));
    EXPECT_TRUE(Has(page4, "0,0")); // the corner on every strip
    EXPECT_FALSE(Has(page4, "2,2"));
    EXPECT_FALSE(Has(page4, "1,1"));
    EXPECT_TRUE(Has(page4, "Page 4 of 6"));
    m_grid.OnEndPrinting(&m_printer, &m_info);
}

TEST_F(GridPrintTest, AGridWithoutRowsPrintsOnePageWithItsFooter)
{
    Make({}, 3, 50);
    m_grid.OnBeginPrinting(&m_printer, &m_info);
    ASSERT_EQ(m_info.GetMaxPage(), 1u);
    const std::vector<std::string> page = PrintPage(1);
    EXPECT_TRUE(Has(page, "0,2"));
    EXPECT_TRUE(Has(page, "Page 1 of 1"));
    m_grid.OnEndPrinting(&m_printer, &m_info);
}

TEST_F(GridPrintTest, AJobLeavesNoGdiObjectBehind)
{
    Make({200, 200, 200}, 2, 50);
    m_grid.SetItemBkColour(1, 1, RGB(255, 255, 0));
    m_grid.OnBeginPrinting(&m_printer, &m_info); // the window's own objects exist by now
    m_grid.OnEndPrinting(&m_printer, &m_info);
    const DWORD nBefore = LiveGdiObjects();
    {
        CMetaFileDC meta;
        meta.CreateEnhanced(&m_printer, nullptr, nullptr, nullptr);
        meta.m_bPrinting = TRUE;
        m_grid.OnBeginPrinting(&m_printer, &m_info);
        for (UINT page = 1; page <= 3; ++page) {
            m_info.m_nCurPage = page;
            m_grid.OnPrint(&meta, &m_info);
        }
        m_grid.OnEndPrinting(&m_printer, &m_info);
        ::DeleteEnhMetaFile(meta.CloseEnhanced());
    }
    EXPECT_EQ(LiveGdiObjects(), nBefore);
}

// Answers the print dialog and names the file the job goes to.
class FilePrintHook : public CModalTestHook {
public:
    FilePrintHook() { AfxSetModalTestHook(this); }
    ~FilePrintHook() override { AfxSetModalTestHook(nullptr); }
    int OnMessageBox(LPCTSTR lpszText, LPCTSTR, UINT) override
    {
        messages.emplace_back(lpszText);
        return IDOK;
    }
    int OnModalStart(CWnd* pDialog) override
    {
        if (dynamic_cast<CPrintDialog*>(pDialog))
            return printAnswer;
        if (AnswerFileDialog(pDialog, output))
            return IDOK;
        return IDCANCEL;
    }
    int printAnswer = IDOK;
    std::string output;
    std::vector<std::string> messages;
};

TEST_F(GridPrintTest, PrintRunsTheWholeJobOnThePrinterChosen)
{
    Make({200, 200, 200, 200, 200}, 4, 50);
    char folder[MAX_PATH] = {};
    ::GetTempPathA(MAX_PATH, folder);
    FilePrintHook hook;
    hook.output = std::string(folder) + "zivra-grid-job.ps";
    ::DeleteFileA(hook.output.c_str());
    m_grid.Print();
    EXPECT_EQ(CountPostScriptPages(hook.output), 5);
    EXPECT_EQ(PostScriptTitle(hook.output), "Grid Tests");
    EXPECT_TRUE(hook.messages.empty());

    // Cancelling the dialog prints nothing.
    ::DeleteFileA(hook.output.c_str());
    hook.printAnswer = IDCANCEL;
    m_grid.Print();
    EXPECT_EQ(::GetFileAttributesA(hook.output.c_str()), INVALID_FILE_ATTRIBUTES);
}

} // namespace
