// Printing from the main window: the grid and the workspace from the File menu onto the file
// printer, long workspace lines wrapped whole, workspace lines in their screen colours, the
// workspace's preview taking the window and giving it back, and the results dialog's Print
// button.
#include "analysis/GridView.h"
#include "app/RichWorkspace.h"
#include "framework/win/CPreviewView.h"
#include "framework/win/CPrintDialog.h"
#include "res/resource.h"
#include "tests/app_win/ShellTestApp.h"
#include "tests/support/ScriptedModalHook.h"
#include "tests/support/TestPrinter.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

// Answers the print dialog and names the file each job goes to.
class JobHook : public ScriptedModalHook {
public:
    int OnModalStart(CWnd* pDialog) override
    {
        if (dynamic_cast<CPrintDialog*>(pDialog))
            return IDOK;
        if (AnswerFileDialog(pDialog, output))
            return IDOK;
        return ScriptedModalHook::OnModalStart(pDialog);
    }
    std::string output;
};

class PrintWin : public ::testing::Test {
protected:
    static void SetUpTestSuite() { ASSERT_TRUE(InstallTestPrinters()); }
    void SetUp() override
    {
        CloseMainFrame();
        frame = MainFrame();
        ASSERT_NE(frame, nullptr);
        doc = MainDocument();
        Pump();
    }
    void TearDown() override { CloseMainFrame(); }
    // The pages a command printed.
    int PrintedPages(UINT nID, const char* file)
    {
        hook.output = TestFolder() + file;
        frame->SendMessage(WM_COMMAND, nID);
        Pump();
        return CountPostScriptPages(hook.output);
    }

    JobHook hook;
    CMainFrame* frame = nullptr;
    CMyDocument* doc = nullptr;
};

TEST_F(PrintWin, TheGridAndTheWorkspacePrintFromTheFileMenu)
{
    auto* list = new CDataColumn;
    list->SetName("Heights");
    for (double v : {1.5, 2.5, 3.5})
        list->Append(v);
    doc->AddResultItem(ItemList, list);
    Pump();
    // The whole grid prints, its spare rows and columns too, as the user sees it.
    const int nGridPages = PrintedPages(ID_FILE_PRINT_GRID, "grid.ps");
    EXPECT_GE(nGridPages, 1);
    EXPECT_EQ(PrintedPages(ID_PRINT_GRID, "grid2.ps"), nGridPages);

    doc->GetWorkspaceView()->SetWindowText("1+1 = 2\r\n' a note\r\n");
    EXPECT_EQ(PrintedPages(ID_FILE_PRINT_WORKSPACE, "workspace.ps"), 1);
    EXPECT_EQ(PrintedPages(ID_PRINT_WORKSPACE, "workspace2.ps"), 1);
    EXPECT_TRUE(hook.messages.empty());
}

TEST_F(PrintWin, LongWorkspaceLinesWrapAtTheMarginWithNothingLost)
{
    CRichWorkspace* pView = doc->GetWorkspaceView();
    pView->SetDefaultFont(40, "Arial");
    std::string expression = "x = ";
    for (int i = 0; i < 10; ++i)
        expression += "1.41421356237*";
    const std::string digits(120, '7'); // nowhere to break: cut at the margin
    pView->SetWindowText((expression + "\r\n" + digits + "\r\n").c_str());
    EXPECT_GE(PrintedPages(ID_FILE_PRINT_WORKSPACE, "long.ps"), 1);

    // The job's pages, as its print hooks draw them.
    CDC printer;
    ASSERT_TRUE(printer.Attach(::CreateDCA(nullptr, kTestPrinter, nullptr, nullptr)));
    CPrintInfo info;
    pView->OnBeginPrinting(&printer, &info);
    std::vector<MetafileText> lines;
    for (UINT n = 1; n <= info.GetMaxPage(); ++n) {
        const std::vector<MetafileText> page = PrintedPageTexts(*pView, printer, info, n);
        lines.insert(lines.end(), page.begin(), page.end());
    }
    pView->OnEndPrinting(&printer, &info);
    const int margin = ::MulDiv(1880, printer.GetDeviceCaps(LOGPIXELSX), 1440);
    const int offset = printer.GetDeviceCaps(PHYSICALOFFSETX);
    const int right = printer.GetDeviceCaps(PHYSICALWIDTH) - offset - margin;
    std::string printed;
    for (const MetafileText& line : lines) {
        EXPECT_NEAR(line.origin.x, margin - offset, 2) << line.text;
        EXPECT_LE(line.origin.x + line.width, right + 2) << line.text;
        // Inside the expression a line ends after a blank or an operator.
        const bool inside = printed.size() + line.text.size() < expression.size();
        EXPECT_TRUE(!inside || line.text.back() == ' ' || line.text.back() == '*') << line.text;
        printed += line.text;
    }
    EXPECT_EQ(printed, expression + digits) << "every character, in order";
    EXPECT_GT(lines.size(), 4u) << "both lines wrap";
}

TEST_F(PrintWin, WorkspaceLinesPrintInTheColoursTheScreenShows)
{
    CRichWorkspace* pView = doc->GetWorkspaceView();
    pView->SetWindowText("");
    pView->TypeText("' a note\r");
    pView->TypeText("\tsin(3)");
    const WorkspaceSettings& colours = pView->GetSettings();
    ASSERT_NE(colours.CommentColor, colours.PFColor);
    ASSERT_NE(colours.PFColor, colours.DefaultColor);
    CHARRANGE before = {};
    pView->SendMessage(EM_EXGETSEL, 0, LPARAM(&before));

    CDC printer;
    ASSERT_TRUE(printer.Attach(::CreateDCA(nullptr, kTestPrinter, nullptr, nullptr)));
    CPrintInfo info;
    pView->OnBeginPrinting(&printer, &info);
    ASSERT_EQ(info.GetMaxPage(), 1u);
    const std::vector<MetafileText> texts = PrintedPageTexts(*pView, printer, info, 1);
    pView->OnEndPrinting(&printer, &info);
    std::vector<MetafileText> shown; // the tab before "sin" may draw an empty piece
    std::vector<std::pair<std::string, COLORREF>> printed;
    for (const MetafileText& text : texts)
        if (!text.text.empty()) {
            shown.push_back(text);
            printed.emplace_back(text.text, text.colour);
        }
    const std::vector<std::pair<std::string, COLORREF>> expected = {
        {"' a note", colours.CommentColor},
        {"sin", colours.PFColor},
        {"(3)", colours.DefaultColor}};
    ASSERT_EQ(printed, expected);
    // After the tab the name stands where the whole line puts it, and "(3)" right after it.
    EXPECT_GT(shown[1].origin.x, shown[0].origin.x);
    EXPECT_NEAR(shown[2].origin.x, shown[1].origin.x + shown[1].width, 1);
    CHARRANGE after = {};
    pView->SendMessage(EM_EXGETSEL, 0, LPARAM(&after));
    EXPECT_EQ(after.cpMin, before.cpMin) << "the user's selection is given back";
    EXPECT_EQ(after.cpMax, before.cpMax);
}

TEST_F(PrintWin, TheWorkspacePreviewTakesTheWindowAndGivesItBack)
{
    frame->SendMessage(WM_COMMAND, ID_FILE_PRINT_PREVIEW_WORKSPACE);
    Pump();
    ASSERT_TRUE(frame->IsInPreviewMode());
    auto* pPreview = dynamic_cast<CPreviewView*>(frame->GetActiveView());
    ASSERT_NE(pPreview, nullptr);
    EXPECT_EQ(pPreview->GetPrintView(), doc->GetWorkspaceView());
    pPreview->OnPreviewClose();
    Pump();
    EXPECT_FALSE(frame->IsInPreviewMode());
    EXPECT_TRUE(::IsWindowVisible(frame->GetSplitter(0).m_hWnd));
}

TEST_F(PrintWin, TheResultsDialogPrintsItsReport)
{
    CAnalysisResult result;
    result.SetTitle("Area");
    result.AddNumber("Area = ", 2.5);
    hook.output = TestFolder() + "results.ps";
    hook.steps = {[](CWnd* pDialog) {
        ClickButton(pDialog, IDC_RESULTS_PRINT);
        ClickButton(pDialog, IDOK);
    }};
    doc->ShowResults(result);
    Pump();
    EXPECT_EQ(CountPostScriptPages(hook.output), 1);
}

} // namespace
