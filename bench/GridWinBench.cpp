// The grid under Wine, Release build, median of 20 runs each, printed beside its target:
//   1. a page down in a virtual grid of 100,000 x 10 cells in a 1000 x 700 window, with the
//      paint through the off-screen buffer (target 16 ms);
//   2. 10,000 x 10 cells copied to the clipboard and pasted back beside themselves, every cell
//      asked for with its begin-edit notice, then drawn once (target 1 s);
//   3. a print job of a grid of 100,000 x 10 cells laid out (target 50 ms), and its page 1,
//      page 1,000 and last page drawn as the preview records them: each page should take the
//      time of page 1 (target 1.5 times page 1).
// Run: tools/wine-run build-win-bench/bench/GridWinBench.exe
#include "bench/PlainTiming.h"
#include "framework/win/CDC.h"
#include "framework/win/COleDataObject.h"
#include "framework/win/CPrintDialog.h"
#include "framework/win/CWnd.h"
#include "grid/CGridCtrl.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <vector>

namespace {

// Counts what the grid tells its owner and answers nothing.
class CBenchHost : public CWnd {
public:
    CBenchHost()
    {
        CreateEx(0, AfxRegisterWndClass(0), "grid bench", WS_POPUP | WS_VISIBLE, 0, 0, 1040, 740,
                 nullptr, nullptr);
    }
    ~CBenchHost() override { DestroyWindow(); }
    long nBeginEdits = 0;
    long nCacheHints = 0;

protected:
    BOOL OnNotify(WPARAM, LPARAM lParam, LRESULT* pResult) override
    {
        const int code = int(reinterpret_cast<NMHDR*>(lParam)->code);
        nBeginEdits += code == GridNotify::kBeginEdit;
        nCacheHints += code == GridNotify::kCacheHint;
        *pResult = 0;
        return TRUE;
    }
};

BOOL CALLBACK VirtualCell(GridDispInfo* pDispInfo, LPARAM)
{
    char text[32];
    std::snprintf(text, sizeof text, "%d,%d", pDispInfo->item.row, pDispInfo->item.col);
    pDispInfo->item.strText = text;
    return TRUE;
}

// A virtual grid of 100,000 x 10 cells under one header row and column, filling the host.
void MakeVirtualGrid(CGridCtrl& grid, CBenchHost& host)
{
    grid.Create(CRect(0, 0, 1000, 700), &host, 115);
    grid.SetVirtualMode(TRUE);
    grid.SetCallbackFunc(VirtualCell, 0);
    grid.SetRowCount(100000);
    grid.SetColumnCount(10);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
}

void PageDownBench()
{
    CBenchHost host;
    CGridCtrl grid;
    MakeVirtualGrid(grid, host);
    grid.UpdateWindow();
    std::vector<double> runs;
    for (int i = 0; i < 20; ++i) {
        const long nHints = host.nCacheHints;
        const auto start = std::chrono::steady_clock::now();
        grid.SendMessage(WM_VSCROLL, SB_PAGEDOWN, 0);
        grid.UpdateWindow();
        runs.push_back(MillisecondsSince(start));
        if (host.nCacheHints == nHints)
            std::printf("warning: page %d was not painted\n", i);
    }
    ReportMedian("page down with its paint (100,000 x 10)", runs, 16.0);
}

void CopyPasteBench()
{
    CBenchHost host;
    CGridCtrl grid;
    grid.Create(CRect(0, 0, 1000, 700), &host, 115);
    grid.SetRedraw(FALSE);
    grid.SetRowCount(10001);
    grid.SetColumnCount(11);
    grid.SetFixedRowCount(1);
    grid.SetFixedColumnCount(1);
    char text[32];
    for (int r = 1; r <= 10000; ++r)
        for (int c = 1; c <= 10; ++c) {
            std::snprintf(text, sizeof text, "%d.%d", r, c);
            grid.SetItemText(r, c, text);
        }
    grid.SetRedraw(TRUE, TRUE);
    std::vector<double> runs;
    for (int i = 0; i < 20; ++i) {
        grid.SetColumnCount(11); // empty columns beside the data for the paste
        grid.SetColumnCount(21);
        grid.SetSelectedRange(1, 1, 10000, 10);
        grid.UpdateWindow();
        host.nBeginEdits = 0;
        const auto start = std::chrono::steady_clock::now();
        grid.OnEditCopy();
        grid.SetFocusCell(1, 11);
        grid.OnEditPaste();
        grid.UpdateWindow();
        runs.push_back(MillisecondsSince(start));
        if (host.nBeginEdits != 100000 || grid.GetItemText(10000, 20) != "10000.10")
            std::printf("warning: run %d pasted %ld cells, last \"%s\"\n", i, host.nBeginEdits,
                        grid.GetItemText(10000, 20).GetString());
    }
    ReportMedian("copy and paste back of 10,000 x 10 cells", runs, 1000.0);
}

void PrintBench()
{
    CBenchHost host;
    CGridCtrl grid;
    MakeVirtualGrid(grid, host);
    grid.SetWysiwygPrinting(TRUE);
    // The screen stands in for a printer: the layout's work does not depend on the paper.
    CClientDC printer(nullptr);
    printer.m_bPrinting = TRUE;
    CPrintInfo info;
    std::vector<double> begins;
    for (int i = 0; i < 20; ++i) {
        const auto start = std::chrono::steady_clock::now();
        grid.OnBeginPrinting(&printer, &info);
        begins.push_back(MillisecondsSince(start));
        grid.OnEndPrinting(&printer, &info);
    }
    ReportMedian("print job laid out (100,000 x 10)", begins, 50.0);

    grid.OnBeginPrinting(&printer, &info);
    const UINT nLast = info.GetMaxPage();
    auto pageRuns = [&](UINT nPage) {
        std::vector<double> runs;
        for (int i = 0; i < 20; ++i) {
            CMetaFileDC meta;
            meta.CreateEnhanced(&printer, nullptr, nullptr, nullptr);
            meta.m_bPrinting = TRUE;
            info.m_nCurPage = nPage;
            const auto start = std::chrono::steady_clock::now();
            grid.OnPrint(&meta, &info);
            runs.push_back(MillisecondsSince(start));
            ::DeleteEnhMetaFile(meta.CloseEnhanced());
        }
        return runs;
    };
    const double first = Median(pageRuns(1));
    ReportMedian("page 1 drawn for the preview", pageRuns(1), 1.5 * first);
    ReportMedian("page 1,000 drawn for the preview", pageRuns(1000), 1.5 * first);
    char what[64];
    std::snprintf(what, sizeof what, "last page (%u) drawn for the preview", nLast);
    ReportMedian(what, pageRuns(nLast), 1.5 * first);
    grid.OnEndPrinting(&printer, &info);
}

} // namespace

int main()
{
    AfxOleInit();
    PageDownBench();
    CopyPasteBench();
    PrintBench();
    return 0;
}
