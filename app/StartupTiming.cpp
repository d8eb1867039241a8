#include "app/StartupTiming.h"

#include "framework/win/CDocument.h"
#include "framework/win/CFrameWnd.h"

#include <cstdio>
#include <cstdlib>

namespace StartupTiming {

namespace {

struct Clock {
    LONGLONG marks[PhaseCount] = {};
    LONGLONG menuTicks = 0;
    BOOL bReported = FALSE;
};

Clock& TheClock()
{
    static Clock clock;
    return clock;
}

LONGLONG Now()
{
    LARGE_INTEGER t;
    ::QueryPerformanceCounter(&t);
    return t.QuadPart;
}

double TicksToMs(LONGLONG ticks)
{
    LARGE_INTEGER f;
    ::QueryPerformanceFrequency(&f);
    return 1000.0 * double(ticks) / double(f.QuadPart);
}

// Milliseconds from the creation of the process to the performance counter's reading now.
double MsSinceProcessCreation()
{
    FILETIME created, exited, kernel, user, now;
    ::GetProcessTimes(::GetCurrentProcess(), &created, &exited, &kernel, &user);
    ::GetSystemTimeAsFileTime(&now);
    const auto value = [](const FILETIME& ft) {
        return (ULONGLONG(ft.dwHighDateTime) << 32) | ft.dwLowDateTime;
    };
    return double(value(now) - value(created)) / 10000.0;
}

} // namespace

void Mark(Phase phase)
{
    if (TheClock().marks[phase] == 0)
        TheClock().marks[phase] = Now();
}

MenuWork::MenuWork() : m_start(Now()) {}

MenuWork::~MenuWork() { TheClock().menuTicks += Now() - m_start; }

void OnFirstIdle(CWnd* pMainWnd)
{
    Clock& clock = TheClock();
    const char* path = std::getenv("ZIVRA_STARTUP_REPORT");
    if (clock.bReported || !path || !*path)
        return;
    clock.bReported = TRUE;
    const LONGLONG idle = Now();
    const double total = MsSinceProcessCreation();
    const double before = total - TicksToMs(idle - clock.marks[Start]);
    const auto span = [&](Phase from, Phase to) {
        return clock.marks[from] && clock.marks[to] ? TicksToMs(clock.marks[to] - clock.marks[from])
                                                    : 0.0;
    };
    const double menus = TicksToMs(clock.menuTicks);
    if (FILE* f = std::fopen(path, "w")) {
        std::fprintf(f, "process to start %.1f\n", before);
        std::fprintf(f, "settings %.1f\n", span(Start, Settings));
        std::fprintf(f, "document %.1f\n", span(Settings, Document));
        std::fprintf(f, "frame %.1f\n", span(Document, Frame) - menus);
        std::fprintf(f, "menus and images %.1f\n", menus);
        std::fprintf(f, "first paint %.1f\n", span(Frame, FirstPaint));
        std::fprintf(f, "first idle %.1f\n",
                     clock.marks[FirstPaint] ? TicksToMs(idle - clock.marks[FirstPaint]) : 0.0);
        std::fprintf(f, "total %.1f\n", total);
        // What the run opened, for the scripts that check the start.
        auto* pFrame = dynamic_cast<CFrameWnd*>(pMainWnd);
        CDocument* pDoc = pFrame ? pFrame->GetActiveDocument() : nullptr;
        std::fprintf(f, "project %s\n", pDoc ? pDoc->GetPathName().GetString() : "");
        std::fclose(f);
    }
    pMainWnd->PostMessage(WM_CLOSE);
}

} // namespace StartupTiming
