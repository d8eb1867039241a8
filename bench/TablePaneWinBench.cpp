// A data table of 100,000 rows in the program's main frame under Wine, shown as the program
// shows a table: the grid beside the table preview plot of its points. Printed beside targets:
//   1. the table preview drawn anew into its back buffer, as every data command redraws it:
//      median of 21 runs, target 1/60 s;
//   2. Delete Row at a focus cell half way down the table, as its context menu sends it, with
//      the grid's refill, the preview's redraw and the repaint of both panes: median of 7 runs,
//      target 200 ms; the view stays where it was.
// The points lie in a noisy band (measurements), and a second table on a smooth curve.
// Run: tools/wine-run build-win-bench/bench/TablePaneWinBench.exe
#include "analysis/DataTable.h"
#include "analysis/GridView.h"
#include "bench/BenchMainFrame.h"
#include "bench/PlainTiming.h"
#include "plot/PlotView.h"
#include "res/resource.h"
#include "tests/support/TestRandom.h"

#include <cmath>
#include <cstdio>

namespace {

CMathApp theBenchApp("Zivra Table Bench");

constexpr int kRows = 100000;

// x the row number; y a slow wave, with noise of a tenth of its height when asked.
CDataTable* MakeTable(const char* name, bool noisy)
{
    auto* table = new CDataTable;
    table->Create(TableLayoutXY, 0, kRows);
    table->SetName(name);
    TestRandom random(12345);
    for (int i = 0; i < kRows; ++i) {
        const double noise = noisy ? random.Between(-0.1, 0.1) : 0;
        table->SetCell(0, i, i + 1);
        table->SetCell(1, i, std::sin(i * 2e-4) + noise);
    }
    return table;
}

// Both timings for one table; FALSE when the grid lost the user's place.
BOOL Measure(CMyDocument& doc, CMainFrame& frame, const char* name, bool noisy)
{
    doc.AddResultItem(ItemDataTable, MakeTable(name, noisy));
    Pump();
    auto* plotView = dynamic_cast<CPlotView*>(frame.Get2DPlotView());
    auto* gridView = dynamic_cast<CGridView*>(frame.GetGridView());
    CPlot2DWnd* preview = plotView ? plotView->GetCurrentWindow() : nullptr;
    if (!gridView || !preview)
        return FALSE;
    CRect pane;
    preview->GetClientRect(&pane);
    std::printf("%s: %d rows, %s; preview %d x %d pixels\n", name, kRows,
                noisy ? "a noisy band" : "a smooth curve", pane.Width(), pane.Height());

    const double drawMs = MedianMs(21, [&] { preview->Refresh(FALSE); });
    PrintAgainstTarget("table preview drawn", drawMs, 1000.0 / 60);

    CGridCtrl& grid = gridView->GetGrid();
    grid.SetScrollPos32(SB_VERT, grid.GetRowHeight(1) * (kRows / 2));
    const int top = grid.GetTopleftNonFixedCell(TRUE).row;
    const double deleteMs = MedianMs(7, [&] {
        grid.SetFocusCell(top + 5, 1);
        gridView->SendMessage(WM_COMMAND, ID_GRID_DELETE_ROW);
        Pump();
        grid.UpdateWindow();
        preview->UpdateWindow();
    });
    PrintAgainstTarget("delete row, refill, redraw, paint", deleteMs, 200.0);
    return grid.GetTopleftNonFixedCell(TRUE).row == top && !preview->m_bStale;
}

} // namespace

int main()
{
    CBenchMainFrame bench(theBenchApp, "zivra-bench-table-users.dat");
    if (!bench.doc)
        return 1;
    bench.Show();
    BOOL ok = Measure(*bench.doc, *bench.frame, "Band", true);
    ok &= Measure(*bench.doc, *bench.frame, "Curve", false);
    if (!ok)
        std::printf("warning: the grid moved or the preview was left unpainted\n");
    return ok ? 0 : 1;
}
