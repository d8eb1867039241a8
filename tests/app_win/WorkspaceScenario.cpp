// The workspace driven in the real program, as a user drives it: the program starts on clean
// settings, the workspace gets the focus (command 121) and lines are typed with the keyboard
// (SendInput; posted key messages where injected input does not arrive). What the user would
// read is checked after each line; at the end the program is closed, answering No to saving.
//
//   workspace_scenario [PROGRAM.exe]        the whole scenario; exit code 0 when it passed
//   workspace_scenario --keys TEXT          types TEXT ("\r" is Enter) into a running program
//   workspace_scenario --command ID         gives a running program's frame command ID
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

constexpr UINT kShowWorkspace = 121;
constexpr DWORD kWaitMs = 20000;

struct Program {
    DWORD pid = 0;
    DWORD tid = 0;
    HWND hMain = nullptr;
    HWND hWorkspace = nullptr;
};

int g_failures = 0;
bool g_posted = false; // keys go as posted messages

void Fail(const std::string& what)
{
    std::printf("FAILED: %s\n", what.c_str());
    ++g_failures;
}

HWND TopWindowOf(DWORD pid, const char* className)
{
    struct Search {
        DWORD pid;
        const char* cls;
        HWND found;
    } search{pid, className, nullptr};
    ::EnumWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(hWnd, &owner);
            char cls[64] = {};
            ::GetClassNameA(hWnd, cls, sizeof cls);
            if (owner == s->pid && ::IsWindowVisible(hWnd) &&
                (!s->cls || std::string(cls) == s->cls))
                s->found = hWnd;
            return s->found == nullptr;
        },
        LPARAM(&search));
    return search.found;
}

HWND ChildOfClass(HWND hParent, const char* className)
{
    struct Search {
        const char* cls;
        HWND found;
    } search{className, nullptr};
    ::EnumChildWindows(
        hParent,
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            char cls[64] = {};
            ::GetClassNameA(hWnd, cls, sizeof cls);
            if (std::string(cls) == s->cls)
                s->found = hWnd;
            return s->found == nullptr;
        },
        LPARAM(&search));
    return search.found;
}

// The workspace's text with its line ends as "\r".
std::string Text(HWND hEdit)
{
    const int n = int(::SendMessageA(hEdit, WM_GETTEXTLENGTH, 0, 0));
    std::vector<char> buffer(std::size_t(n) + 1, 0);
    ::SendMessageA(hEdit, WM_GETTEXT, WPARAM(n + 1), LPARAM(buffer.data()));
    std::string text;
    for (char c : std::string(buffer.data()))
        if (c != '\n')
            text += c;
    return text;
}

// The text of the program's visible tip (a top-most pop-up with a text), or "".
std::string TipText(DWORD pid)
{
    struct Search {
        DWORD pid;
        std::string text;
    } search{pid, ""};
    ::EnumWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            DWORD owner = 0;
            ::GetWindowThreadProcessId(hWnd, &owner);
            const LONG_PTR exStyle = ::GetWindowLongPtrA(hWnd, GWL_EXSTYLE);
            if (owner == s->pid && ::IsWindowVisible(hWnd) && (exStyle & WS_EX_TOPMOST)) {
                char text[256] = {};
                ::GetWindowTextA(hWnd, text, sizeof text);
                s->text = text;
            }
            return s->text.empty();
        },
        LPARAM(&search));
    return search.text;
}

template <class Done> bool WaitFor(Done done, DWORD ms = kWaitMs)
{
    for (DWORD waited = 0; waited < ms; waited += 20) {
        if (done())
            return true;
        ::Sleep(20);
    }
    return done();
}

void SendKey(WORD vk, WCHAR unicode)
{
    INPUT in[2] = {};
    for (int i = 0; i < 2; ++i) {
        in[i].type = INPUT_KEYBOARD;
        in[i].ki.wVk = unicode ? 0 : vk;
        in[i].ki.wScan = unicode;
        in[i].ki.dwFlags = (unicode ? KEYEVENTF_UNICODE : 0) | (i ? KEYEVENTF_KEYUP : 0);
    }
    ::SendInput(2, in, sizeof(INPUT));
}

void PostKey(const Program& p, WORD vk, char ch)
{
    if (ch)
        ::PostMessageA(p.hWorkspace, WM_CHAR, WPARAM(BYTE(ch)), 1);
    else {
        ::PostMessageA(p.hWorkspace, WM_KEYDOWN, vk, 1);
        ::PostMessageA(p.hWorkspace, WM_KEYUP, vk, 0xC0000001);
    }
}

// One key: '\r' is Enter, '\b' Backspace, '\x01' End, anything else a character.
void Key(const Program& p, char ch)
{
    const WORD vk = ch == '\r' ? VK_RETURN : ch == '\b' ? VK_BACK : ch == '\x01' ? VK_END : 0;
    if (g_posted)
        PostKey(p, vk, vk ? 0 : ch);
    else
        SendKey(vk, vk ? 0 : WCHAR(BYTE(ch)));
}

void Type(const Program& p, const std::string& keys)
{
    for (char ch : keys)
        Key(p, ch);
}

// The focused window of the program's thread.
HWND FocusOf(const Program& p)
{
    GUITHREADINFO info = {};
    info.cbSize = sizeof info;
    return ::GetGUIThreadInfo(p.tid, &info) ? info.hwndFocus : nullptr;
}

bool Attach(Program& p)
{
    if (!WaitFor([&] { return (p.hMain = TopWindowOf(p.pid, nullptr)) != nullptr; }))
        return false;
    ::PostMessageA(p.hMain, WM_COMMAND, kShowWorkspace, 0);
    if (!WaitFor([&] {
            p.hWorkspace = ChildOfClass(p.hMain, "RichEdit20A");
            return p.hWorkspace && FocusOf(p) == p.hWorkspace;
        }))
        return false;
    ::SetForegroundWindow(p.hMain);
    // Injected input reaches the program when its first character shows; otherwise keys are
    // posted to the workspace.
    const std::size_t before = Text(p.hWorkspace).size();
    Key(p, ' ');
    if (!WaitFor([&] { return Text(p.hWorkspace).size() > before; }, 2000)) {
        std::printf("injected keys do not arrive: posting them\n");
        g_posted = true;
        Key(p, ' ');
        if (!WaitFor([&] { return Text(p.hWorkspace).size() > before; }))
            return false;
    }
    Key(p, '\b');
    return WaitFor([&] { return Text(p.hWorkspace).size() == before; });
}

// Types a line and waits until the text ends as expected.
void Line(const Program& p, const std::string& keys, const std::string& expectedEnd)
{
    Type(p, keys);
    const bool ok = WaitFor([&] {
        const std::string text = Text(p.hWorkspace);
        return text.size() >= expectedEnd.size() &&
               text.compare(text.size() - expectedEnd.size(), std::string::npos, expectedEnd) == 0;
    });
    if (!ok)
        Fail("after \"" + keys + "\" the text ends \"" + Text(p.hWorkspace) + "\", not \"" +
             expectedEnd + "\"");
}

int RunScenario(const std::string& exe)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zivra Software");
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string command = "\"" + exe + "\"";
    if (!::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr,
                          &si, &pi)) {
        std::printf("FAILED: cannot start %s\n", exe.c_str());
        return 1;
    }
    ::WaitForInputIdle(pi.hProcess, kWaitMs);
    Program p;
    p.pid = pi.dwProcessId;
    p.tid = pi.dwThreadId;
    if (!Attach(p)) {
        Fail("the workspace did not take the keyboard");
        ::TerminateProcess(pi.hProcess, 3);
        return 1;
    }

    Line(p, "2+3*4\r", "2+3*4 =\r14\r");
    Line(p, "*2\r", "ANS*2 =\r28\r");
    Line(p, "' note\r", "28\r' note\r");
    Line(p, "a = sin(3)+cos(3)\r", "a = sin(3)+cos(3) =\r-0.848872488540578\r");
    Line(p, "1+\r", "\r1+");
    if (!WaitFor([&] { return TipText(p.pid) == "Dangling operator"; }))
        Fail("the tip shows \"" + TipText(p.pid) + "\", not \"Dangling operator\"");
    Line(p,
         "\x01"
         "3\r",
         "\r1+3 =\r4\r");
    if (!WaitFor([&] { return TipText(p.pid).empty(); }))
        Fail("the tip stays after the line was mended");
    Line(p, "plot(x^2)\r", "4\rplot(x^2)\r");

    // Closing asks to save the changed project: No.
    ::PostMessageA(p.hMain, WM_CLOSE, 0, 0);
    HWND hBox = nullptr;
    if (!WaitFor([&] { return (hBox = TopWindowOf(p.pid, "#32770")) != nullptr; }))
        Fail("no question to save the project");
    else
        ::PostMessageA(hBox, WM_COMMAND, IDNO, 0);
    DWORD dwExit = 1;
    if (::WaitForSingleObject(pi.hProcess, kWaitMs) != WAIT_OBJECT_0) {
        Fail("the program did not end");
        ::TerminateProcess(pi.hProcess, 3);
    } else if (::GetExitCodeProcess(pi.hProcess, &dwExit) && dwExit != 0) {
        Fail("the program ended with " + std::to_string(dwExit));
    }
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zivra Software");
    std::printf(g_failures ? "%d checks failed\n" : "passed\n", g_failures);
    return g_failures ? 1 : 0;
}

// The running program's frame: the visible top-level window whose title names it.
HWND FindRunningFrame()
{
    HWND hFrame = nullptr;
    const bool found = WaitFor([&] {
        ::EnumWindows(
            [](HWND hWnd, LPARAM lParam) -> BOOL {
                char title[256] = {};
                ::GetWindowTextA(hWnd, title, sizeof title);
                if (::IsWindowVisible(hWnd) &&
                    std::string(title).find("Zivra") != std::string::npos)
                    *reinterpret_cast<HWND*>(lParam) = hWnd;
                return *reinterpret_cast<HWND*>(lParam) == nullptr;
            },
            LPARAM(&hFrame));
        return hFrame != nullptr;
    });
    if (!found)
        std::printf("no program window\n");
    return hFrame;
}

// Types into the program that runs already (for pictures of it).
int TypeIntoRunning(const std::string& keys)
{
    Program p;
    HWND hFrame = FindRunningFrame();
    if (!hFrame)
        return 1;
    p.tid = ::GetWindowThreadProcessId(hFrame, &p.pid);
    if (!Attach(p)) {
        std::printf("the workspace did not take the keyboard\n");
        return 1;
    }
    std::string text;
    for (std::size_t i = 0; i < keys.size(); ++i)
        text += keys.compare(i, 2, "\\r") == 0 ? (++i, '\r') : keys[i];
    Type(p, text);
    ::Sleep(1000);
    return 0;
}

// Gives the running program's frame a menu command (for pictures of a view).
int CommandRunning(UINT nID)
{
    HWND hFrame = FindRunningFrame();
    if (!hFrame)
        return 1;
    ::PostMessageA(hFrame, WM_COMMAND, nID, 0);
    ::Sleep(1000);
    return 0;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc >= 3 && std::string(argv[1]) == "--keys")
        return TypeIntoRunning(argv[2]);
    if (argc >= 3 && std::string(argv[1]) == "--command")
        return CommandRunning(UINT(std::strtoul(argv[2], nullptr, 10)));
#ifdef ZIVRA_EXE
    std::string exe = argc >= 2 ? argv[1] : "Z:" ZIVRA_EXE;
#else
    if (argc < 2)
        return 2;
    std::string exe = argv[1];
#endif
    for (char& c : exe)
        if (c == '/')
            c = '\\';
    return RunScenario(exe);
}
