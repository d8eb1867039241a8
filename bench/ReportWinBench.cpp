// Long reports into the workspace under Wine, Release build, in the program's main frame; each
// figure is the median of 3 runs (1 with --typed-10000) into an empty workspace, in wall-clock
// time with the main thread's processor time beside it:
//   1. Calculate on a solver model with 10,000 solutions (sin(x) = 0 on [0.5, 0.5 + 10000 pi],
//      Steps 10000): the whole command, and the solve alone;
//   2. 2D Plot > Find Zeros of sin(x) with 10,000 zeros, "Log results in workspace" ticked, OK:
//      from the chooser's OK to the results dialog, and from the dialog's OK to the report in
//      the workspace;
//   3. a report written in one piece against the same report typed as keyed in, side by side,
//      at 300 and 1,000 lines; at 10,000 lines with --typed-10000 (minutes).
// Target: a report of 10,000 lines in the workspace within 1 s.
// Run: tools/wine-run build-win-bench/bench/ReportWinBench.exe [--typed-10000]
#include "app/RichWorkspace.h"
#include "bench/BenchMainFrame.h"
#include "bench/PlainTiming.h"
#include "engine/SolverModel.h"
#include "res/resource.h"
#include "tests/support/ScriptedModalHook.h"

#include <cstdio>
#include <cstring>
#include <functional>
#include <string>
#include <vector>

namespace {

CMathApp theBenchApp("Zivra Report Bench");

constexpr double kPi = 3.14159265358979323846;
int g_runs = 3;
constexpr double kTargetMs = 1000;

struct Times {
    double wallMs = 0;
    double cpuMs = 0;
};

double ThreadCpuMs()
{
    FILETIME created, exited, kernel, user;
    ::GetThreadTimes(::GetCurrentThread(), &created, &exited, &kernel, &user);
    auto ms = [](const FILETIME& t) {
        return double((ULONGLONG(t.dwHighDateTime) << 32) | t.dwLowDateTime) / 1e4;
    };
    return ms(kernel) + ms(user);
}

// The median run of run(), each after prepare(); run() may time a part of itself into part.
Times Median(const std::function<void()>& prepare, const std::function<void(Times& part)>& run)
{
    std::vector<Times> runs;
    for (int i = 0; i < g_runs; ++i) {
        prepare();
        Times part;
        const double cpu = ThreadCpuMs();
        const auto start = std::chrono::steady_clock::now();
        run(part);
        Times whole{MillisecondsSince(start), ThreadCpuMs() - cpu};
        runs.push_back(part.wallMs > 0 ? part : whole);
    }
    std::sort(runs.begin(), runs.end(),
              [](const Times& a, const Times& b) { return a.wallMs < b.wallMs; });
    return runs[runs.size() / 2];
}

void Print(const std::string& what, Times t, double targetMs)
{
    std::printf("%-58s %9.1f ms (cpu %8.1f)", what.c_str(), t.wallMs, t.cpuMs);
    if (targetMs > 0)
        std::printf("   target %5.0f ms   ratio %.3f", targetMs, t.wallMs / targetMs);
    std::printf("\n");
    std::fflush(stdout);
}

class ReportBench {
public:
    ReportBench(CMyDocument& doc, CMainFrame& frame)
        : m_doc(doc), m_frame(frame), m_pView(doc.GetWorkspaceView())
    {
    }

    bool Ready() const { return m_pView != nullptr; }

    // An empty workspace, its pane in view, nothing to undo.
    void EmptyWorkspace()
    {
        m_pView->SetWindowText("");
        m_pView->SendMessage(EM_EMPTYUNDOBUFFER);
        Pump();
    }

    int LineCount() const { return int(m_pView->SendMessage(EM_GETLINECOUNT)); }

    void Solver(int n)
    {
        CSolverModel* solver = SelectSineModel(m_doc, m_frame, n);
        const Times whole = Median([&] { EmptyWorkspace(); },
                                   [&](Times&) {
                                       m_doc.ShowSolverSolution(0);
                                       m_pView->UpdateWindow();
                                   });
        const int lines = LineCount();
        Print("Calculate, " + std::to_string(lines) + " lines, whole command", whole, 0);
        const Times solve = Median([] {},
                                   [&](Times&) {
                                       std::vector<double> solutions;
                                       solver->Solve(0, solutions);
                                   });
        Print("  the solve alone", solve, 0);
        Print("  the report into the workspace (difference)",
              {whole.wallMs - solve.wallMs, whole.cpuMs - solve.cpuMs}, kTargetMs);
    }

    void FindZeros(int n)
    {
        m_doc.GetModel().m_Engine.m_nAngleMode = AngleRadians;
        if (m_doc.GetModel().m_FunctionPlot.GetItemCount() == 0)
            m_doc.CreateFunctionGraph("sin(x)", "", 0, -5, 5, -1, 0, 1);
        m_doc.SelectItemByIndex(Item2DGraph, 0);
        Pump();
        char max[32];
        std::snprintf(max, sizeof max, "%.15g", 0.5 + n * kPi);
        Times toDialog, logged;
        std::vector<Times> dialogs, logs;
        Median([&] { EmptyWorkspace(); },
               [&](Times& part) {
                   ScriptedModalHook hook;
                   double cpu = 0;
                   std::chrono::steady_clock::time_point start;
                   hook.steps = {
                       [&](CWnd* p) {
                           ::SetDlgItemTextA(p->m_hWnd, IDC_ANALYSIS_MIN, "0.5");
                           ::SetDlgItemTextA(p->m_hWnd, IDC_ANALYSIS_MAX, max);
                           ::SetDlgItemTextA(p->m_hWnd, IDC_ANALYSIS_STEPS,
                                             std::to_string(n).c_str());
                           cpu = ThreadCpuMs();
                           start = std::chrono::steady_clock::now();
                           ClickButton(p, IDOK);
                       },
                       [&](CWnd* p) {
                           dialogs.push_back({MillisecondsSince(start), ThreadCpuMs() - cpu});
                           p->CheckDlgButton(IDC_RESULTS_LOG, BST_CHECKED);
                           cpu = ThreadCpuMs();
                           start = std::chrono::steady_clock::now();
                           ClickButton(p, IDOK);
                       },
                   };
                   m_frame.SendMessage(WM_COMMAND, ID_PLOT2D_FIND_ZEROS);
                   m_pView->UpdateWindow();
                   logs.push_back({MillisecondsSince(start), ThreadCpuMs() - cpu});
                   part = logs.back();
               });
        auto median = [](std::vector<Times> t) {
            std::sort(t.begin(), t.end(),
                      [](const Times& a, const Times& b) { return a.wallMs < b.wallMs; });
            return t[t.size() / 2];
        };
        const int lines = LineCount();
        Print("Find Zeros, " + std::to_string(lines) + " lines: chooser's OK to results dialog",
              median(dialogs), 0);
        Print("  results dialog's OK to the report in the workspace", median(logs), kTargetMs);
    }

    // The report of Calculate with n solutions, as its lines.
    CString SolverReportText(int n)
    {
        SelectSineModel(m_doc, m_frame, n);
        EmptyWorkspace();
        m_doc.ShowSolverSolution(0);
        CString text;
        m_pView->GetWindowText(text);
        text.Remove('\r');
        return text;
    }

    // The report typed as keyed in, one character at a time, as against written in one piece.
    void TypedAgainstWritten(int n, bool bWritten)
    {
        const CString text = SolverReportText(n);
        const Times typed = Median([&] { EmptyWorkspace(); },
                                   [&](Times&) {
                                       m_pView->NewLineAtTextEnd();
                                       const int options = m_pView->SetPopupOptions(0);
                                       m_pView->TypeText(text);
                                       m_pView->SetPopupOptions(options);
                                       m_pView->UpdateWindow();
                                   });
        Print(std::to_string(LineCount()) + " lines typed as keyed in", typed, 0);
        if (!bWritten)
            return;
        const Times written = Median([&] { EmptyWorkspace(); },
                                     [&](Times&) {
                                         m_pView->WriteLines(text, TRUE, WrittenColours::AsResults);
                                         m_pView->UpdateWindow();
                                     });
        Print(std::to_string(LineCount()) + " lines written in one piece", written, kTargetMs);
        std::printf("  typed / written = %.0f\n", typed.wallMs / written.wallMs);
    }

private:
    CMyDocument& m_doc;
    CMainFrame& m_frame;
    CRichWorkspace* m_pView;
};

} // namespace

int main(int argc, char** argv)
{
    const bool bTypedFull = argc > 1 && std::strcmp(argv[1], "--typed-10000") == 0;
    CBenchMainFrame bench(theBenchApp, "zivra-bench-report-users.dat");
    if (!bench.doc)
        return 1;
    bench.Show(ViewWorkspace | ViewGrid);
    ReportBench reports(*bench.doc, *bench.frame);
    if (!reports.Ready())
        return 1;
    if (bTypedFull) {
        g_runs = 1;
        reports.TypedAgainstWritten(10000, true);
        return 0;
    }
    reports.Solver(10000);
    reports.FindZeros(10000);
    for (int n : {300, 1000})
        reports.TypedAgainstWritten(n, true);
    return 0;
}
