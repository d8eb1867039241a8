// The data view under Wine, Release build, printed beside its targets:
//   1. a 100,000-row table filled by an expression through the Fill command's path (the values
//      replaced, the grid refilled from the project), then the view painted into a memory DC:
//      median of 7 runs, target 200 ms;
//   2. 200 scroll steps of that grid, lines and pages in turn, each painted: milliseconds per
//      frame, target 16.7 ms (60 frames per second);
//   3. Delete Row at a focus cell half way down the table, as its context menu sends it, with
//      the refill and the paint: median of 7 runs, target 200 ms; the view stays where it was.
// Run: tools/wine-run build-win-bench/bench/DataViewWinBench.exe
#include "analysis/GridView.h"
#include "app/MyDocument.h"
#include "bench/BenchPump.h"
#include "bench/PlainTiming.h"
#include "framework/win/CCreateContext.h"
#include "framework/win/CDC.h"
#include "framework/win/FrameworkIds.h"
#include "res/resource.h"

#include <chrono>
#include <cstdio>

namespace {

constexpr int kRows = 100000;
constexpr int kWidth = 1000, kHeight = 700;

// The view is the project's only pane: a refill request goes to it.
class ViewOnly : public NullProjectWindows {
public:
    CGridView* pView = nullptr;
    void FillGrid() override { pView->FillGrid(); }
};

// The Fill command's question, answered Yes.
class AnswerYes : public IProjectPrompts {
public:
    void ShowMessage(const CString& text) override
    {
        std::printf("message: %s\n", text.GetString());
    }
    int AskQuestion(const CString&) override { return IDYES; }
    int ConfirmDelete(const CString&, BOOL&) override { return IDNO; }
    int ConfirmOverwrite(const CString&, BOOL&) override { return IDNO; }
};

// What the user sees, drawn into a memory bitmap as a repaint draws it.
class Canvas {
public:
    Canvas()
    {
        BITMAPINFO info{};
        info.bmiHeader = {sizeof(BITMAPINFOHEADER), kWidth, -kHeight, 1, 32, BI_RGB, 0, 0, 0, 0, 0};
        void* bits = nullptr;
        m_hBitmap = ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
        m_hDC = ::CreateCompatibleDC(nullptr);
        m_hOld = ::SelectObject(m_hDC, m_hBitmap);
    }
    ~Canvas()
    {
        ::SelectObject(m_hDC, m_hOld);
        ::DeleteDC(m_hDC);
        ::DeleteObject(m_hBitmap);
    }
    void Paint(CWnd& wnd) { wnd.SendMessage(WM_PRINTCLIENT, WPARAM(m_hDC), PRF_CLIENT); }

private:
    HBITMAP m_hBitmap;
    HDC m_hDC;
    HGDIOBJ m_hOld;
};

} // namespace

int main()
{
    AfxOleInit();
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    CMyDocument::SetUserDataPath(CString(temp) + "zivra-bench-dataview-users.dat");
    BOOL ok = TRUE;
    {
        CMyDocument document;
        document.m_bAutoDelete = FALSE; // it lives on this stack, not on its last view
        document.OnNewDocument();
        ProjectModel& model = document.GetModel();
        AnswerYes prompts;
        ViewOnly windows;
        model.SetPrompts(&prompts);

        CWnd host;
        host.CreateEx(0, AfxRegisterWndClass(0), "data view bench", WS_POPUP | WS_VISIBLE, 0, 0,
                      kWidth, kHeight, nullptr, nullptr);
        auto* pView = static_cast<CGridView*>(RUNTIME_CLASS(CGridView)->CreateObject());
        CCreateContext context;
        context.m_pCurrentDoc = &document;
        pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, kWidth, kHeight), &host,
                      AFX_IDW_PANE_FIRST, &context);
        windows.pView = pView;
        model.SetWindows(&windows);

        auto* table = new CDataTable;
        table->Create(TableLayoutXY, 0, kRows);
        table->SetName("Table1");
        model.AddResultItem(ItemDataTable, table);
        model.OnSelectItem(ItemDataTable, "Table1", 1);
        Canvas canvas;
        CGridCtrl& grid = pView->GetGrid();

        const double fillMs = MedianMs(7, [&] {
            model.ApplyExpressionToSelection("x+1", "Continue?");
            Pump();
            canvas.Paint(grid);
        });
        ok &= grid.GetRowCount() == kRows + 50 && table->GetValue(1, kRows) == 7;
        std::printf("data view of a table of %d rows in %d x %d pixels\n", kRows, kWidth, kHeight);
        PrintAgainstTarget("fill by expression, refill, paint", fillMs, 200.0);

        constexpr int kSteps = 200;
        const auto start = std::chrono::steady_clock::now();
        for (int i = 0; i < kSteps; ++i) {
            grid.SendMessage(WM_VSCROLL, i % 2 ? SB_PAGEDOWN : SB_LINEDOWN, 0);
            canvas.Paint(grid);
        }
        const double perFrame =
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count() /
            kSteps;
        ok &= grid.GetTopleftNonFixedCell(TRUE).row > kSteps;
        PrintAgainstTarget("scroll step with its paint (per frame)", perFrame, 16.7);

        // The user scrolls half way down, right-clicks a cell and picks Delete Row.
        grid.SetScrollPos32(SB_VERT, grid.GetRowHeight(1) * (kRows / 2));
        const int top = grid.GetTopleftNonFixedCell(TRUE).row;
        const double deleteMs = MedianMs(7, [&] {
            grid.SetFocusCell(top + 5, 1);
            pView->SendMessage(WM_COMMAND, ID_GRID_DELETE_ROW);
            Pump();
            canvas.Paint(grid);
        });
        ok &= table->GetRowCount() == kRows - 7 && grid.GetTopleftNonFixedCell(TRUE).row == top;
        PrintAgainstTarget("delete row, refill, paint", deleteMs, 200.0);

        model.SetWindows(nullptr);
        host.DestroyWindow();
    }
    ::DeleteFileA(CString(temp) + "zivra-bench-dataview-users.dat");
    if (!ok)
        std::printf("warning: the grid did not show the filled table where the user left it\n");
    return ok ? 0 : 1;
}
