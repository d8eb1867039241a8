// The workspace under Wine, Release build, 30 runs each, medians and 90th percentiles beside
// their targets and beside the bare rich-edit control doing the same typing:
//   1. Enter to the answer's last character shown (keystroke through translation, the line
//      command, the typed answer and the repaint) for "2+3*4" and a longer line, at the end of
//      a workspace of 100 lines (target 30 ms) and of 10,000 lines (target 60 ms);
//   2. one typed character with its recolouring at the end of 10 and of 10,000 lines (target
//      5 ms), with the ratio of the two.
// Run: tools/wine-run build-win-bench/bench/WorkspaceWinBench.exe
#include "app/MyDocument.h"
#include "app/RichWorkspace.h"
#include "bench/BenchPump.h"
#include "framework/win/CCreateContext.h"

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <string>
#include <vector>

namespace {

constexpr int kRuns = 30;

struct Times {
    double median = 0;
    double p90 = 0;
};

Times Measure(const std::function<void()>& prepare, const std::function<void()>& run)
{
    std::vector<double> ms;
    for (int i = 0; i < kRuns; ++i) {
        prepare();
        const auto start = std::chrono::steady_clock::now();
        run();
        ms.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start)
                .count());
    }
    std::sort(ms.begin(), ms.end());
    return {ms[ms.size() / 2], ms[ms.size() * 9 / 10]};
}

// Measure with hShown on screen and hOther hidden, so that each repaints what it typed.
Times MeasureShown(HWND hShown, HWND hOther, const std::function<void()>& prepare,
                   const std::function<void()>& run)
{
    ::ShowWindow(hOther, SW_HIDE);
    ::ShowWindow(hShown, SW_SHOW);
    return Measure(prepare, run);
}

// A workspace of lines: pairs of a sum and its answer.
std::string Lines(int count)
{
    std::string text;
    for (int i = 0; i < count / 2; ++i)
        text += std::to_string(i) + "+1 =\r" + std::to_string(i + 1) + "\r";
    return text;
}

void SetText(HWND hWnd, const std::string& text)
{
    ::SetWindowTextA(hWnd, text.c_str());
    ::SendMessageA(hWnd, EM_SETSEL, WPARAM(-1), LPARAM(-1));
    ::SendMessageA(hWnd, EM_EMPTYUNDOBUFFER, 0, 0);
}

// Back to the text of the first nLength characters: the control takes seconds to replace a
// long text, but deletes a short end at once.
void CutBackTo(HWND hWnd, LONG nLength)
{
    CHARRANGE tail{nLength, -1};
    ::SendMessageA(hWnd, EM_EXSETSEL, 0, LPARAM(&tail));
    ::SendMessageA(hWnd, EM_REPLACESEL, FALSE, LPARAM(""));
    ::SendMessageA(hWnd, EM_EMPTYUNDOBUFFER, 0, 0);
}

LONG TextLength(HWND hWnd)
{
    GETTEXTLENGTHEX how{GTL_NUMCHARS | GTL_PRECISE, CP_ACP};
    return LONG(::SendMessageA(hWnd, EM_GETTEXTLENGTHEX, WPARAM(&how), 0));
}

void TypeChars(HWND hWnd, const char* text)
{
    for (const char* p = text; *p; ++p)
        ::SendMessageA(hWnd, WM_CHAR, WPARAM(BYTE(*p)), 1);
}

// What the bare control does for the same answer: the characters and line breaks inserted.
void BareAnswer(HWND hWnd, const char* answer)
{
    TypeChars(hWnd, " =");
    ::SendMessageA(hWnd, EM_REPLACESEL, TRUE, LPARAM("\r"));
    TypeChars(hWnd, answer);
    ::SendMessageA(hWnd, EM_REPLACESEL, TRUE, LPARAM("\r"));
    ::UpdateWindow(hWnd);
}

void Print(const char* what, Times workspace, Times bare, double targetMs)
{
    std::printf("%-44s median %7.2f ms  p90 %7.2f ms  target %4.0f ms  ratio %.3f"
                "   bare control %6.2f ms (p90 %6.2f)\n",
                what, workspace.median, workspace.p90, targetMs, workspace.median / targetMs,
                bare.median, bare.p90);
}

} // namespace

int main()
{
    char temp[MAX_PATH];
    ::GetTempPathA(MAX_PATH, temp);
    CMyDocument::SetUserDataPath(CString(temp) + "zivra-bench-users.dat");
    CMyDocument document;
    document.m_bAutoDelete = FALSE;
    document.OnNewDocument();

    CWnd host;
    host.CreateEx(0, AfxRegisterWndClass(0), "workspace bench", WS_POPUP | WS_VISIBLE, 0, 0, 900,
                  700, nullptr, nullptr);
    CCreateContext context;
    context.m_pCurrentDoc = &document;
    auto* pView = new CRichWorkspace;
    pView->Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE, CRect(0, 0, 880, 680), &host, 1,
                  &context);
    pView->OnInitialUpdate();
    const HWND hView = pView->GetSafeHwnd();
    const HWND hBare =
        ::CreateWindowExA(0, "RichEdit20A", "", WS_CHILD | WS_VISIBLE | ES_MULTILINE, 0, 0, 880,
                          680, host.GetSafeHwnd(), nullptr, nullptr, nullptr);
    ::SendMessageA(hBare, EM_EXLIMITTEXT, 0, 0x7FFFFFFF);
    ::ShowWindow(hBare, SW_HIDE);

    struct LineCase {
        const char* line;
        const char* answer;
    };
    const LineCase lines[] = {{"2+3*4", "14"}, {"sin(3)^2+cos(3)*exp(-1/3)", "-0.689445764372518"}};
    const std::pair<int, double> sizes[] = {{100, 30}, {10000, 60}};
    bool ok = true;
    for (auto [count, targetMs] : sizes) {
        const std::string base = Lines(count);
        SetText(hView, base);
        SetText(hBare, base);
        const LONG nViewBase = TextLength(hView), nBareBase = TextLength(hBare);
        for (const LineCase& c : lines) {
            const Times workspace = MeasureShown(
                hView, hBare,
                [&] {
                    CutBackTo(hView, nViewBase);
                    TypeChars(hView, c.line);
                    Pump();
                },
                [&] {
                    pView->PostMessage(WM_KEYDOWN, VK_RETURN, 1);
                    Pump();
                    ::UpdateWindow(hView);
                });
            CString text;
            pView->GetWindowText(text);
            ok &= std::string(text.GetString()).find(c.answer) != std::string::npos;
            const Times bare = MeasureShown(
                hBare, hView,
                [&] {
                    CutBackTo(hBare, nBareBase);
                    TypeChars(hBare, c.line);
                },
                [&] { BareAnswer(hBare, c.answer); });
            const std::string what =
                "Enter, \"" + std::string(c.line) + "\", " + std::to_string(count) + " lines";
            Print(what.c_str(), workspace, bare, targetMs);
        }
    }

    Times perCount[2];
    for (int i = 0; i < 2; ++i) {
        const int count = i == 0 ? 10 : 10000;
        const std::string base = Lines(count) + "sin(2)+co";
        SetText(hView, base);
        SetText(hBare, base);
        const LONG nViewBase = TextLength(hView), nBareBase = TextLength(hBare);
        const auto typeOne = [](HWND hWnd) {
            ::SendMessageA(hWnd, WM_CHAR, 's', 1);
            ::UpdateWindow(hWnd);
        };
        const Times workspace = MeasureShown(
            hView, hBare, [&] { CutBackTo(hView, nViewBase); }, [&] { typeOne(hView); });
        const Times bare = MeasureShown(
            hBare, hView, [&] { CutBackTo(hBare, nBareBase); }, [&] { typeOne(hBare); });
        perCount[i] = workspace;
        const std::string what = "one character, " + std::to_string(count) + " lines";
        Print(what.c_str(), workspace, bare, 5);
    }
    std::printf("one character: 10,000 lines / 10 lines = %.2f\n",
                perCount[1].median / perCount[0].median);

    pView->DestroyWindow();
    ::DestroyWindow(hBare);
    host.DestroyWindow();
    ::DeleteFileA(CString(temp) + "zivra-bench-users.dat");
    return ok ? 0 : 1;
}
