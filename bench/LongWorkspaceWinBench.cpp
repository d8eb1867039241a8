// A long workspace under Wine, Release build, in the program's main frame: a workspace of long
// reports (Calculate on sin(x) = 0 with one solution in each of its steps), then each road that
// takes it away or puts it back, timed once in wall-clock time:
//   Calculate writing the last report; Undo and Redo of it; Select All + Delete and its Undo;
//   Select All + Clear; print (the job laid out, then every page drawn into a memory DC);
//   File > New; Open, and Open of another project over it; then the roads that change the
//   workspace's size while it holds the text (a solver model selected and the workspace alone
//   again, the main window resized, and dragged to a new size in 10 steps, a graph shown beside
//   it), by the median and the slowest of three rounds; closing the window.
// "new" is the program; "old" is the control's own road for the same step (its Undo and Redo,
// WM_SETTEXT "", Delete and WM_CLEAR, the colours read through its selection), measured at 1,000
// and 2,000 lines and carried to the large size as the square of the lines, the least it grows
// by (it finds each run from the text's start), as running it there takes hours.
// Target: each step within 1 s at 50,000 lines under the null driver; Undo of a report and Open
// within about 2 s under X as well.
// Run: tools/wine-run build-win-bench/bench/LongWorkspaceWinBench.exe [reports] [steps]
// [--program-only] (the program's roads alone); tools/long-workspace-bench runs it under Xvfb
// and the null driver, beside an older build.
#include "app/RichWorkspace.h"
#include "bench/BenchMainFrame.h"
#include "bench/PlainTiming.h"
#include "framework/win/CDC.h"
#include "framework/win/CPrintDialog.h"
#include "res/resource.h"
#include "tests/support/ScriptedModalHook.h"

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <functional>
#include <map>
#include <string>
#include <vector>

namespace {

CMathApp theBenchApp("Zivra Long Workspace Bench");
constexpr double kTargetMs = 1000;
constexpr int kRounds = 3;
// The solver models selected in turn on the roads that resize the workspace.
constexpr const char* kModels[] = {"sin(x)=0", "cos(x)=0"};

template <class F> double TimeMs(F&& run)
{
    const auto start = std::chrono::steady_clock::now();
    run();
    return MillisecondsSince(start);
}

class LongWorkspaceBench {
public:
    explicit LongWorkspaceBench(CBenchMainFrame& bench)
        : m_bench(bench), m_doc(*bench.doc), m_frame(*bench.frame)
    {
        WNDCLASSA wc{};
        ::GetClassInfoA(nullptr, RICHEDIT_CLASSA, &wc);
        m_controlProc = wc.lpfnWndProc;
    }
    CRichWorkspace* View() const { return m_doc.GetWorkspaceView(); }
    int Lines() const { return int(View()->SendMessage(EM_GETLINECOUNT)); }

    // Calculate with one solution in each of n steps: the report at the end of the workspace.
    void Report(int n)
    {
        SelectSineModel(m_doc, m_frame, n);
        m_doc.ShowSolverSolution(0);
        View()->UpdateWindow();
    }
    // A workspace of reports of n lines each, the last one written as the first step timed.
    double Fill(int reports, int n)
    {
        View()->SetWindowText("");
        for (int i = 0; i + 1 < reports; ++i)
            Report(n);
        return TimeMs([&] { Report(n); });
    }
    void SelectAll()
    {
        CHARRANGE all{0, -1};
        View()->SendMessage(EM_EXSETSEL, 0, LPARAM(&all));
    }
    // The control's own handling of a message, as the program had it.
    LRESULT Control(UINT message, WPARAM wParam = 0, LPARAM lParam = 0)
    {
        return ::CallWindowProcA(m_controlProc, View()->m_hWnd, message, wParam, lParam);
    }
    void Shown() { View()->UpdateWindow(); }
    // The whole window drawn as the panes now stand, and what that posted done.
    void Painted()
    {
        m_frame.RedrawWindow(nullptr, nullptr, RDW_UPDATENOW | RDW_ALLCHILDREN);
        Pump();
    }

    std::map<std::string, double> New(int reports, int n)
    {
        std::map<std::string, double> t;
        t["Calculate, the last report"] = Fill(reports, n);
        m_lines = Lines();
        t["Undo of the report"] = TimeMs([&] {
            View()->SendMessage(WM_COMMAND, ID_WORKSPACE_UNDO);
            Shown();
        });
        t["Redo of the report"] = TimeMs([&] {
            View()->SendMessage(EM_REDO);
            Shown();
        });
        SelectAll();
        t["Select All + Delete"] = TimeMs([&] {
            View()->SendMessage(WM_KEYDOWN, VK_DELETE, 1);
            Shown();
        });
        t["Undo of Select All + Delete"] = TimeMs([&] {
            View()->SendMessage(EM_UNDO);
            Shown();
        });
        SelectAll();
        t["Select All + Clear"] = TimeMs([&] {
            View()->SendMessage(WM_COMMAND, ID_WORKSPACE_CLEAR);
            Shown();
        });
        View()->SendMessage(EM_UNDO);
        t["print: the job laid out"] = Print(&t["print: every page drawn"]);
        char temp[MAX_PATH];
        ::GetTempPathA(MAX_PATH, temp);
        const CString path = CString(temp) + "zivra-bench-long.zvp";
        m_doc.OnSaveDocument(path);
        t["File > New"] = TimeMs([&] {
            m_frame.SendMessage(WM_COMMAND, ID_FILE_NEW);
            Shown();
        });
        t["Open"] = TimeMs([&] {
            theBenchApp.OpenDocumentFile(path);
            Shown();
        });
        // Opening another project over a long text: the old text goes as the new one comes.
        const CString other = CString(temp) + "zivra-bench-long-2.zvp";
        ::CopyFileA(path, other, FALSE);
        t["Open over a long text"] = TimeMs([&] {
            theBenchApp.OpenDocumentFile(other);
            Shown();
        });
        ::DeleteFileA(other);
        ::DeleteFileA(path);
        Resized(t);
        return t;
    }

    // The roads that change the workspace's size while it holds the long text, walked kRounds
    // times, each by its median and its slowest: a solver model selected (the workspace above
    // its grid), then the workspace alone again by its tab; the main window made smaller, then
    // larger again; a graph shown beside the workspace by a PLOT line typed at its end.
    void Resized(std::map<std::string, double>& t)
    {
        std::map<std::string, std::vector<double>> walks;
        const auto walk = [&](const char* road, const std::function<void()>& step) {
            walks[road].push_back(TimeMs([&] {
                step();
                Painted();
            }));
            // Each walk as it ends: a stall of the old program takes minutes.
            std::printf("  %s: %.0f ms\n", road, walks[road].back());
            std::fflush(stdout);
        };
        const auto workspaceAlone = [&] {
            walk("Workspace alone again",
                 [&] { m_frame.SendMessage(WM_COMMAND, ID_VIEW_SHOW_WORKSPACE); });
        };
        if (m_doc.GetModel().FindSolverModel(kModels[1]) < 0) {
            m_doc.AddSolverModel(kModels[1], "");
            m_frame.InsertExplorerItem(ItemSolverModel, kModels[1], FALSE);
        }
        Painted();
        for (int round = 0; round < kRounds; ++round) {
            // Two models in turn: selecting the one selected already changes nothing.
            for (const char* model : {kModels[0], kModels[1]}) {
                const ExplorerNode node = m_frame.FindExplorerItem(ItemSolverModel, model);
                walk("Select a solver model", [&] { m_frame.SelectExplorerItem(node); });
                workspaceAlone();
            }
            walk("Main window resized", [&] {
                m_frame.SetWindowPos(nullptr, 0, 0, 1100, 820, SWP_NOZORDER | SWP_NOMOVE);
            });
            walk("Main window resized", [&] {
                m_frame.SetWindowPos(nullptr, 0, 0, 1280, 960, SWP_NOZORDER | SWP_NOMOVE);
            });
            for (const CSize to : {CSize(1100, 820), CSize(1280, 960)})
                walk("Window dragged, 10 steps", [&] { Dragged(to, 10); });
            CHARRANGE end{-1, -1};
            View()->SendMessage(EM_EXSETSEL, 0, LPARAM(&end));
            View()->NewLineAtTextEnd();
            walk("A graph shown beside it",
                 [&] { View()->TypeText(CString("plot(x^2+") + char('0' + round) + ")\r"); });
            workspaceAlone();
        }
        for (auto& [road, ms] : walks) {
            std::sort(ms.begin(), ms.end());
            t[road + ", median"] = ms[ms.size() / 2];
            t[road + ", worst"] = ms.back();
        }
    }

    // The user's drag of the main window's edge to the size to, in steps, each one painted.
    void Dragged(CSize to, int steps)
    {
        CRect from;
        m_frame.GetWindowRect(&from);
        m_frame.SendMessage(WM_ENTERSIZEMOVE);
        for (int i = 1; i <= steps; ++i) {
            m_frame.SetWindowPos(nullptr, 0, 0, from.Width() + (to.cx - from.Width()) * i / steps,
                                 from.Height() + (to.cy - from.Height()) * i / steps,
                                 SWP_NOZORDER | SWP_NOMOVE);
            Painted();
        }
        m_frame.SendMessage(WM_EXITSIZEMOVE);
    }

    std::map<std::string, double> Old(int reports, int n)
    {
        std::map<std::string, double> t;
        Fill(reports, n);
        m_lines = Lines();
        // The last report written as the program wrote it, for the control's own Undo.
        const long nEnd = View()->TextLength();
        const std::string report = ReportRtf(n);
        CHARRANGE end{nEnd, nEnd};
        View()->SendMessage(EM_EXSETSEL, 0, LPARAM(&end));
        StreamIn(report);
        t["Undo of the report"] = TimeMs([&] {
            Control(EM_UNDO);
            Shown();
        });
        t["Redo of the report"] = TimeMs([&] {
            Control(EM_REDO);
            Shown();
        });
        SelectAll();
        t["Select All + Delete"] = TimeMs([&] {
            Control(WM_KEYDOWN, VK_DELETE, 1);
            Shown();
        });
        t["Undo of Select All + Delete"] = TimeMs([&] {
            Control(EM_UNDO);
            Shown();
        });
        SelectAll();
        t["Select All + Clear"] = TimeMs([&] {
            Control(WM_CLEAR);
            Shown();
        });
        Control(EM_UNDO);
        t["print: the job laid out"] = TimeMs([&] { ReadColoursThroughSelection(); });
        t["File > New"] = TimeMs([&] {
            Control(WM_SETTEXT, 0, LPARAM(""));
            Shown();
        });
        return t;
    }

    // Prints every page into a memory DC; the layout's time, and the pages' in pPages.
    double Print(double* pPages)
    {
        CDC dc;
        dc.Attach(::CreateCompatibleDC(nullptr));
        CPrintInfo info;
        const double laidOut = TimeMs([&] { View()->OnBeginPrinting(&dc, &info); });
        *pPages = TimeMs([&] {
            for (UINT page = 1; page <= info.GetMaxPage(); ++page) {
                info.m_nCurPage = page;
                View()->OnPrint(&dc, &info);
            }
        });
        View()->OnEndPrinting(&dc, &info);
        ::DeleteDC(dc.Detach());
        return laidOut;
    }

    int m_lines = 0;

private:
    std::string ReportRtf(int n)
    {
        const long nStart = View()->TextLength();
        Report(n);
        const std::string rtf = View()->RtfOfRange(nStart, View()->TextLength());
        View()->SendMessage(EM_UNDO);
        return rtf;
    }
    void StreamIn(const std::string& rtf)
    {
        struct Source {
            const std::string& rtf;
            std::size_t n = 0;
        } source{rtf};
        EDITSTREAM es{DWORD_PTR(&source), 0, [](DWORD_PTR c, LPBYTE b, LONG cb, LONG* pcb) {
                          auto* p = reinterpret_cast<Source*>(c);
                          const std::size_t k = std::min(std::size_t(cb), p->rtf.size() - p->n);
                          std::memcpy(b, p->rtf.data() + p->n, k);
                          p->n += k;
                          *pcb = LONG(k);
                          return DWORD(0);
                      }};
        Control(EM_STREAMIN, SF_RTF | SFF_SELECTION, LPARAM(&es));
    }
    // How printing read the colours before: each line's runs through the selection.
    void ReadColoursThroughSelection()
    {
        const int lines = Lines();
        Control(WM_SETREDRAW, FALSE);
        for (int i = 0; i < lines; ++i) {
            const long nStart = long(View()->SendMessage(EM_LINEINDEX, i));
            const long nLength = long(View()->SendMessage(EM_LINELENGTH, nStart));
            CHARRANGE range{nStart, nStart + nLength};
            View()->SendMessage(EM_EXSETSEL, 0, LPARAM(&range));
            CHARFORMAT2A cf{};
            cf.cbSize = sizeof cf;
            cf.dwMask = CFM_COLOR;
            View()->SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, LPARAM(&cf));
        }
        Control(WM_SETREDRAW, TRUE);
    }

    CBenchMainFrame& m_bench;
    CMyDocument& m_doc;
    CMainFrame& m_frame;
    WNDPROC m_controlProc = nullptr;
};

} // namespace

int main(int argc, char** argv)
{
    const int reports = argc > 1 ? std::atoi(argv[1]) : 5;
    const int steps = argc > 2 ? std::atoi(argv[2]) : 10000;
    const bool bProgramOnly = argc > 3 && std::strcmp(argv[3], "--program-only") == 0;
    CBenchMainFrame bench(theBenchApp, "zivra-bench-long-users.dat");
    if (!bench.doc)
        return 1;
    bench.Show(ViewWorkspace | ViewGrid);
    ScriptedModalHook hook;
    hook.boxAnswer = IDNO; // nothing saved on the way
    LongWorkspaceBench b(bench);
    b.View()->SendMessage(WM_SETREDRAW, TRUE);
    // The old roads at two small sizes, carried to the large one by their growth.
    std::map<std::string, double> old1, old2;
    if (!bProgramOnly) {
        old1 = b.Old(2, 500);
        old2 = b.Old(2, 1000);
    }
    const int smallLines = b.m_lines;
    const std::map<std::string, double> now = b.New(reports, steps);
    const int lines = b.m_lines;
    const double closeMs = TimeMs([&] {
        bench.frame->SendMessage(WM_CLOSE);
        Pump();
    });
    bench.frame = nullptr;
    std::printf("%d lines (old measured at about %d and %d lines)\n", lines, smallLines / 2,
                smallLines);
    std::printf("%-34s %12s %12s %14s %10s %7s\n", "step", "old 1k", "old 2k", "old, carried",
                "new", "ratio");
    for (const auto& [what, ms] : now) {
        const auto a = old1.find(what), c = old2.find(what);
        if (a != old1.end() && c != old2.end()) {
            const double carried = c->second * std::pow(double(lines) / smallLines, 2.0);
            std::printf("%-34s %9.1f ms %9.1f ms %11.0f ms %7.1f ms %7.3f\n", what.c_str(),
                        a->second, c->second, carried, ms, ms / kTargetMs);
        } else {
            std::printf("%-34s %12s %12s %14s %7.1f ms %7.3f\n", what.c_str(), "", "", "", ms,
                        ms / kTargetMs);
        }
    }
    std::printf("%-34s %12s %12s %14s %7.1f ms %7.3f\n", "closing the window", "", "", "", closeMs,
                closeMs / kTargetMs);
    return 0;
}
