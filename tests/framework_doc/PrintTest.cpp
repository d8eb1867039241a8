// Printing and print preview of a view: the print dialog, the job's hooks and pages on a file
// printer, printing to a file, the printer kept from Print Setup, the message without a printer,
// and the preview taking the frame's client area and giving it back.
#include "framework/win/CPreviewView.h"
#include "framework/win/CPrintDialog.h"
#include "tests/framework_doc/DocTestApp.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/ScriptedModalHook.h"
#include "tests/support/TestPrinter.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstring>
#include <functional>

namespace {

// Answers the print and file dialogs and records message boxes.
class PrintHook : public CModalTestHook {
public:
    PrintHook() { AfxSetModalTestHook(this); }
    ~PrintHook() override { AfxSetModalTestHook(nullptr); }

    int OnMessageBox(LPCTSTR lpszText, LPCTSTR, UINT) override
    {
        messages.emplace_back(lpszText);
        return IDOK;
    }
    int OnModalStart(CWnd* pDialog) override
    {
        if (auto* pPrint = dynamic_cast<CPrintDialog*>(pDialog)) {
            devices.emplace_back(pPrint->GetDeviceName().GetString());
            if (onPrintDialog)
                onPrintDialog(*pPrint);
            return printAnswer;
        }
        if (AnswerFileDialog(pDialog, output)) {
            ++fileDialogs;
            return fileAnswer;
        }
        return IDCANCEL;
    }

    std::function<void(CPrintDialog&)> onPrintDialog;
    int printAnswer = IDOK;
    int fileAnswer = IDOK;
    std::string output;
    int fileDialogs = 0;
    std::vector<std::string> devices;
    std::vector<std::string> messages;
};

// Forgets the printer the application kept, so a test starts on the system's default.
void ForgetPrinter()
{
    for (HGLOBAL* p : {&theTestApp.m_hDevMode, &theTestApp.m_hDevNames})
        if (*p) {
            ::GlobalFree(*p);
            *p = nullptr;
        }
}

class PrintTest : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(InstallTestPrinters()); }

    void SetUp() override
    {
        ForgetPrinter();
        m_pFrame = MainFrame();
        ASSERT_NE(m_pFrame, nullptr);
        m_pView = m_pFrame->DrawView();
        m_pView->m_nPages = 3;
        m_pView->m_nAbortOnPage = 0;
        m_pView->m_printLog.clear();
        m_hook.output = MakeTempFolder() + "job.prn";
    }
    void TearDown() override { ForgetPrinter(); }

    void Command(UINT nID)
    {
        m_pView->SendMessage(WM_COMMAND, nID);
        PumpMessages();
    }

    CTestFrame* m_pFrame = nullptr;
    CTestDrawView* m_pView = nullptr;
    PrintHook m_hook;
};

TEST_F(PrintTest, JobsPrintTheirPagesToTheFileTheUserNames)
{
    struct Case {
        const char* name;
        UINT nPages;     // 0: unknown length
        UINT nFrom, nTo; // a range chosen in the dialog, 0: all
        UINT nCommand;
        int nPrinted;
        int nPrintDialogs;
    };
    const Case cases[] = {
        {"all pages", 3, 0, 0, ID_FILE_PRINT, 3, 1},
        {"range", 3, 2, 3, ID_FILE_PRINT, 2, 1},
        {"unknown length", 0, 0, 0, ID_FILE_PRINT, 1, 1},
        {"direct", 2, 0, 0, ID_FILE_PRINT_DIRECT, 2, 0},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        m_pView->m_nPages = c.nPages;
        m_pView->m_printLog.clear();
        m_hook.devices.clear();
        m_hook.output = MakeTempFolder() + "job.prn";
        m_hook.onPrintDialog = [&c](CPrintDialog& dialog) {
            if (c.nFrom > 0) {
                dialog.m_pd.Flags |= PD_PAGENUMS;
                dialog.m_pd.nFromPage = WORD(c.nFrom);
                dialog.m_pd.nToPage = WORD(c.nTo);
            }
        };
        Command(c.nCommand);
        EXPECT_EQ(int(m_hook.devices.size()), c.nPrintDialogs);
        EXPECT_EQ(CountPostScriptPages(m_hook.output), c.nPrinted);
        EXPECT_EQ(PostScriptTitle(m_hook.output), MainDoc()->GetTitle().GetString());
        EXPECT_TRUE(m_hook.messages.empty());
    }
}

TEST_F(PrintTest, HooksRunInOrderAndTheEndAlwaysComes)
{
    Command(ID_FILE_PRINT);
    const std::vector<std::string> expected = {"prepare", "begin", "dc 1",    "print 1", "dc 2",
                                               "print 2", "dc 3",  "print 3", "end"};
    EXPECT_EQ(m_pView->m_printLog, expected);

    // A printer failing on page 2 (its job ended under the view): the job is aborted, the user
    // told, and the view still ends.
    m_pView->m_printLog.clear();
    m_pView->m_nAbortOnPage = 2;
    Command(ID_FILE_PRINT);
    const std::vector<std::string> aborted = {"prepare", "begin", "dc 1", "print 1", "dc 2", "end"};
    EXPECT_EQ(m_pView->m_printLog, aborted);
    ASSERT_EQ(m_hook.messages.size(), 1u);
    EXPECT_EQ(m_hook.messages[0], "The document could not be printed.");

    // A file that cannot be written (no such folder): told, and the view ends.
    m_pView->m_printLog.clear();
    m_pView->m_nAbortOnPage = 0;
    m_hook.output = "C:\\no such folder\\job.prn";
    Command(ID_FILE_PRINT);
    EXPECT_EQ(m_pView->m_printLog.back(), "end");
    EXPECT_EQ(m_hook.messages.size(), 2u);
}

TEST_F(PrintTest, CancellingEndsCleanlyWithThePrinterReleased)
{
    m_hook.printAnswer = IDCANCEL;
    Command(ID_FILE_PRINT);
    m_hook.printAnswer = IDOK;
    m_hook.fileAnswer = IDCANCEL;
    Command(ID_FILE_PRINT);

    EXPECT_EQ(m_pView->m_printLog, (std::vector<std::string>{"prepare", "prepare"}));
    EXPECT_EQ(CountPostScriptPages(m_hook.output), -1);
    EXPECT_TRUE(m_hook.messages.empty());
    // The printer's device context made for the cancelled job is gone.
    ASSERT_NE(m_pView->m_hPrinterDC, nullptr);
    EXPECT_EQ(::GetObjectType(m_pView->m_hPrinterDC), 0u);
}

TEST_F(PrintTest, PrintToFileAsksForTheFileOnAnyPrinter)
{
    // The dialog's "Print to file" box names the file even for a printer on a real port.
    m_hook.onPrintDialog = [](CPrintDialog& dialog) { dialog.m_pd.Flags |= PD_PRINTTOFILE; };
    Command(ID_FILE_PRINT);
    EXPECT_EQ(m_hook.fileDialogs, 1);
    EXPECT_EQ(CountPostScriptPages(m_hook.output), 3);
}

TEST_F(PrintTest, PrintSetupKeepsTheChosenPrinter)
{
    // The setup dialog picks the second printer: the next print dialog opens on it.
    m_hook.onPrintDialog = [](CPrintDialog& dialog) {
        const CString port = "FILE:";
        const std::size_t length = std::strlen(kSecondTestPrinter) + 1;
        const std::size_t size = sizeof(DEVNAMES) + 64 + length;
        HGLOBAL hNames = ::GlobalAlloc(GMEM_MOVEABLE | GMEM_ZEROINIT, size);
        auto* pNames = static_cast<DEVNAMES*>(::GlobalLock(hNames));
        char* base = reinterpret_cast<char*>(pNames);
        pNames->wDriverOffset = sizeof(DEVNAMES);
        std::strcpy(base + pNames->wDriverOffset, "winspool");
        pNames->wDeviceOffset = WORD(pNames->wDriverOffset + 9);
        std::strcpy(base + pNames->wDeviceOffset, kSecondTestPrinter);
        pNames->wOutputOffset = WORD(pNames->wDeviceOffset + length);
        std::strcpy(base + pNames->wOutputOffset, port);
        ::GlobalUnlock(hNames);
        ::GlobalFree(dialog.m_pd.hDevNames);
        dialog.m_pd.hDevNames = hNames;
    };
    theTestApp.OnFilePrintSetup();
    m_hook.onPrintDialog = nullptr;
    Command(ID_FILE_PRINT);
    ASSERT_EQ(m_hook.devices.size(), 2u);
    EXPECT_EQ(m_hook.devices[0], kTestPrinter);
    EXPECT_EQ(m_hook.devices[1], kSecondTestPrinter);
    EXPECT_EQ(CountPostScriptPages(m_hook.output), 3);
}

TEST_F(PrintTest, WithoutAPrinterTheUserIsToldAndNothingChanges)
{
    RemoveTestPrinters();
    const HWND hSplitter = m_pFrame->m_wndSplitter.m_hWnd;
    Command(ID_FILE_PRINT);
    Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_TRUE(InstallTestPrinters());
    ASSERT_EQ(m_hook.messages.size(), 2u);
    EXPECT_EQ(m_hook.messages[0],
              "There is no printer to print on. Install a printer, then print again.");
    EXPECT_EQ(m_pView->m_printLog, (std::vector<std::string>{"prepare", "prepare"}));
    EXPECT_TRUE(::IsWindowVisible(hSplitter));
    EXPECT_FALSE(m_pFrame->IsInPreviewMode());
}

TEST_F(PrintTest, RichTextPrintsInPagesWithinItsMargins)
{
    CTestTextView* pText = m_pFrame->TextView();
    CString text;
    for (int line = 1; line <= 150; ++line)
        text.AppendFormat("Line %d of the text\r\n", line);
    pText->SetWindowText(text);
    pText->m_rectMargin = CRect(1880, 1440, 1880, 1440);
    pText->OnFilePrint();
    const int nPages = CountPostScriptPages(m_hook.output);
    EXPECT_GE(nPages, 2); // 150 lines do not fit a page

    // Each page starts where the one before ended, at the left margin, in any order.
    CDC printer;
    ASSERT_TRUE(printer.Attach(::CreateDCA(nullptr, kTestPrinter, nullptr, nullptr)));
    printer.m_bPrinting = TRUE;
    CPrintInfo info;
    pText->OnBeginPrinting(&printer, &info);
    ASSERT_EQ(int(info.GetMaxPage()), nPages);
    auto page = [&](UINT nPage) { return PrintedPageTexts(*pText, printer, info, nPage); };
    const std::vector<MetafileText> second = page(2);
    const std::vector<MetafileText> first = page(1);
    ASSERT_FALSE(first.empty());
    ASSERT_FALSE(second.empty());
    EXPECT_EQ(first.front().text.substr(0, 7), "Line 1 ");
    const int nFirstOfSecond = std::atoi(second.front().text.c_str() + 5);
    const int nLastOfFirst = std::atoi(first.back().text.c_str() + 5);
    EXPECT_EQ(nFirstOfSecond, nLastOfFirst + 1);
    const int nLeft = ::MulDiv(1880, printer.GetDeviceCaps(LOGPIXELSX), 1440) -
                      printer.GetDeviceCaps(PHYSICALOFFSETX);
    EXPECT_NEAR(first.front().origin.x, nLeft, 2);
    pText->OnEndPrinting(&printer, &info);

    // An empty text prints one empty page.
    pText->SetWindowText("");
    pText->OnBeginPrinting(&printer, &info);
    EXPECT_EQ(info.GetMaxPage(), 1u);
    EXPECT_TRUE(page(1).empty());
    pText->OnEndPrinting(&printer, &info);
}

// --- print preview ----------------------------------------------------------------------------

class PreviewTest : public PrintTest {
protected:
    CPreviewView* Preview() const { return dynamic_cast<CPreviewView*>(m_pFrame->GetActiveView()); }
    // Whether the preview shows page colour c inside its n-th paper.
    BOOL ShowsColour(UINT n, COLORREF c) const
    {
        const CDibImage image = AfxPrintClientToDib(Preview());
        const CRect paper = Preview()->GetPaperRect(n);
        for (int y = std::max(0, int(paper.top)); y < std::min(image.height, int(paper.bottom));
             ++y)
            for (int x = std::max(0, int(paper.left)); x < std::min(image.width, int(paper.right));
                 ++x)
                if (image.Pixel(x, y) == c)
                    return TRUE;
        return FALSE;
    }
    BOOL ButtonEnabled(UINT nID) const
    {
        HWND hBar = ::GetDlgItem(m_pFrame->m_hWnd, int(AFX_IDW_PREVIEW_BAR));
        return ::IsWindowEnabled(::GetDlgItem(hBar, int(nID)));
    }
};

TEST_F(PreviewTest, PagesShowWhatPrintsAndCloseGivesTheFrameBack)
{
    m_pFrame->SetActiveView(m_pView);
    const HWND hSplitter = m_pFrame->m_wndSplitter.m_hWnd;
    const HWND hStatus = m_pFrame->m_wndStatusBar.m_hWnd;
    Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(Preview(), nullptr);
    EXPECT_FALSE(::IsWindowVisible(hSplitter));
    EXPECT_FALSE(::IsWindowVisible(hStatus));
    EXPECT_TRUE(m_pFrame->IsInPreviewMode());

    CPreviewView* pPreview = Preview();
    EXPECT_TRUE(ShowsColour(0, CTestDrawView::PageColour(1)));
    EXPECT_FALSE(ButtonEnabled(AFX_ID_PREVIEW_PREV));
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(pPreview->GetCurrentPage(), 2u);
    EXPECT_TRUE(ShowsColour(0, CTestDrawView::PageColour(2)));
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(pPreview->GetCurrentPage(), 3u);
    EXPECT_FALSE(ButtonEnabled(AFX_ID_PREVIEW_NEXT));
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NEXT);
    EXPECT_EQ(pPreview->GetCurrentPage(), 3u);
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_PREV);
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_PREV);
    EXPECT_EQ(pPreview->GetCurrentPage(), 1u);

    // Two pages side by side, then the page zoomed until it scrolls.
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_NUMPAGE);
    EXPECT_EQ(pPreview->GetPagesShown(), 2u);
    EXPECT_TRUE(ShowsColour(1, CTestDrawView::PageColour(2)));
    EXPECT_LT(pPreview->GetPaperRect(0).right, pPreview->GetPaperRect(1).left);
    const int fitted = pPreview->GetPaperRect(0).Height();
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN);
    pPreview->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_ZOOMIN);
    EXPECT_EQ(pPreview->GetZoom(), CPreviewView::kZoomActual);
    EXPECT_GT(pPreview->GetPaperRect(0).Height(), fitted);
    EXPECT_TRUE(pPreview->GetStyle() & WS_VSCROLL);
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    ASSERT_TRUE(::GetScrollInfo(pPreview->m_hWnd, SB_VERT, &si));
    EXPECT_GT(si.nMax, int(si.nPage));
    const int top = pPreview->GetPaperRect(0).top;
    pPreview->SendMessage(WM_VSCROLL, SB_PAGEDOWN);
    EXPECT_LT(pPreview->GetPaperRect(0).top, top);
    EXPECT_FALSE(ButtonEnabled(AFX_ID_PREVIEW_ZOOMIN));

    // Escape closes: the panes, the bars and the active view come back; printing has ended.
    pPreview->SendMessage(WM_KEYDOWN, VK_ESCAPE);
    PumpMessages();
    EXPECT_FALSE(m_pFrame->IsInPreviewMode());
    EXPECT_TRUE(::IsWindowVisible(hSplitter));
    EXPECT_TRUE(::IsWindowVisible(hStatus));
    EXPECT_EQ(m_pFrame->GetActiveView(), m_pView);
    EXPECT_EQ(::GetDlgCtrlID(hSplitter), int(AFX_IDW_PANE_FIRST));
    EXPECT_EQ(::GetDlgItem(m_pFrame->m_hWnd, int(AFX_IDW_PREVIEW_BAR)), nullptr);
    EXPECT_EQ(m_pView->m_printLog.back(), "end");
    EXPECT_EQ(std::count(m_pView->m_printLog.begin(), m_pView->m_printLog.end(), "end"), 1);
}

TEST_F(PreviewTest, PrintFromThePreviewClosesItAndPrints)
{
    m_pFrame->SetActiveView(m_pView);
    Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(Preview(), nullptr);
    Preview()->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_PRINT);
    PumpMessages();
    EXPECT_FALSE(m_pFrame->IsInPreviewMode());
    EXPECT_EQ(m_pFrame->GetActiveView(), m_pView);
    EXPECT_EQ(CountPostScriptPages(m_hook.output), 3);
}

TEST_F(PreviewTest, UnknownLengthShowsOnePage)
{
    m_pView->m_nPages = 0;
    Command(ID_FILE_PRINT_PREVIEW);
    ASSERT_NE(Preview(), nullptr);
    EXPECT_FALSE(ButtonEnabled(AFX_ID_PREVIEW_NEXT));
    EXPECT_TRUE(ShowsColour(0, CTestDrawView::PageColour(1)));
    Preview()->SendMessage(WM_COMMAND, AFX_ID_PREVIEW_CLOSE);
    PumpMessages();
    EXPECT_FALSE(m_pFrame->IsInPreviewMode());
}

} // namespace
