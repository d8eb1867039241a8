// The application object: its image lists, reals kept in the settings, help shown or refused
// with the reason, the project a start opens (a failed reopen gives an empty project, a failed
// file of the command line ends the run), and the real program started and ended cleanly or
// killed, showing the items of the project given in its explorer and ending on File/Exit, two
// windows of it that keep each other's user definitions, constants without a symbol edited in
// the grid among them, and never hold one project twice under any spelling of its path, and a
// project in a folder the code page cannot name told so.
#include "analysis/GridView.h"
#include "app/UserDataRecords.h"
#include "framework/core/CArchive.h"
#include "framework/win/CCommandLineInfo.h"
#include "framework/win/CommonDialogs.h"
#include "framework/win/RegistryProfileStore.h"
#include "res/resource.h"
#include "tests/app_win/ShellTestApp.h"
#include "tests/grid/GridWinTestSupport.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/ScriptedModalHook.h"
#include "tests/support/StoredBytes.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <fstream>
#include <sstream>
#include <string>
#include <tuple>

namespace {

void WriteFile(const std::string& path, const std::string& bytes)
{
    std::ofstream(path, std::ios::binary) << bytes;
}

TEST(Startup, ImageListsAndRealsInTheSettings)
{
    CMathApp& app = TestApp();
    ASSERT_TRUE(app.CreateImageLists());
    EXPECT_EQ(app.m_ImageListSmall.GetImageCount(), 21);
    EXPECT_EQ(app.m_ImageListLarge.GetImageCount(), 0);
    IMAGEINFO info{};
    app.m_ImageListSmall.GetImageInfo(20, &info);
    EXPECT_EQ(CRect(info.rcImage).Width(), 16);

    app.SetRegistryKey("Zivra Scratch");
    EXPECT_TRUE(app.WriteProfileDouble("Reals", "Pi", 3.25));
    EXPECT_EQ(app.GetProfileDouble("Reals", "Pi", 0.0), 3.25);
    BYTE four[4] = {1, 2, 3, 4};
    app.WriteProfileBinary("Reals", "Short", four, 4);
    EXPECT_EQ(app.GetProfileDouble("Reals", "Short", -1.0), -1.0);
    EXPECT_EQ(app.GetProfileDouble("Reals", "Missing", 7.0), 7.0);
}

TEST(Startup, HelpShownOrTheReasonWhyNot)
{
    CMathApp& app = TestApp();
    const std::string folder = TestFolder();
    ScriptedModalHook hook;
    std::string file, topic;
    HWND hShown = nullptr;
    std::string keyword;
    app.SetHelpLauncher([&](const CMathApp::HelpRequest& request) {
        file = request.strFile;
        topic = request.strTopic;
        keyword = request.strKeyword;
        return hShown;
    });

    app.SetProgramPaths((folder + "missing\\zivra.exe").c_str());
    EXPECT_FALSE(app.ShowHelp("FinanceBox.htm"));
    ASSERT_EQ(hook.messages.size(), 1u);
    EXPECT_EQ(std::string(hook.messages[0]), "Cannot find the help file " + folder +
                                                 "missing\\Zivra.chm.  Please re-install "
                                                 "the program.");
    EXPECT_EQ(hook.types[0], UINT(MB_OK | MB_ICONEXCLAMATION));
    EXPECT_TRUE(file.empty());

    app.SetProgramPaths((folder + "zivra.exe").c_str());
    WriteFile(folder + "Zivra.chm", "ITSF");
    EXPECT_FALSE(app.ShowHelp("FinanceBox.htm")); // the control shows nothing
    ASSERT_EQ(hook.messages.size(), 2u);
    EXPECT_EQ(std::string(hook.messages[1])
                  .rfind("A necessary component for displaying HTML "
                         "Help is missing.",
                         0),
              0u);
    EXPECT_EQ(file, folder + "Zivra.chm");
    EXPECT_EQ(topic, "FinanceBox.htm");

    hShown = ::GetDesktopWindow();
    EXPECT_TRUE(app.ShowHelp("UnitConverter.htm"));
    EXPECT_EQ(hook.messages.size(), 2u);
    EXPECT_EQ(topic, "UnitConverter.htm");

    // Every window's help goes through the one table: a dialog's page by its template, the
    // overview for a dialog without one, and the index at a keyword.
    struct {
        DWORD_PTR data;
        UINT command;
        const char* topic;
        const char* keyword;
    } const requests[] = {
        {250, HELP_CONTEXT, "FinanceBox.htm", ""},
        {222, HELP_CONTEXT, "intro.htm", ""},
        {DWORD_PTR("RATE"), HELP_KEY, "", "RATE"},
        {0, HELP_FINDER, "intro.htm", ""},
    };
    for (const auto& request : requests) {
        CWnd::FromHandle(::GetDesktopWindow())->WinHelp(request.data, request.command);
        EXPECT_EQ(topic, request.topic) << request.command;
        EXPECT_EQ(keyword, request.keyword) << request.command;
    }
    EXPECT_EQ(hook.messages.size(), 2u);
    app.SetHelpLauncher(nullptr);
    ::DeleteFileA((folder + "Zivra.chm").c_str());
}

class StartupProjectTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        CloseMainFrame();
        MainFrame(); // the template and settings key
        CloseMainFrame();
        store.WriteInt("Options", "ExitSuccess", 1);
        store.WriteInt("Options", "AutoOpenLastProject", 1);
    }
    void TearDown() override
    {
        CloseMainFrame();
        store.WriteString("Options", "LastOpenFile", "");
    }
    CRegistryProfileStore store{&TestApp()};
};

TEST_F(StartupProjectTest, AFailedReopenGivesAnEmptyProjectAFailedFileEndsTheRun)
{
    const std::string damaged = TestFolder() + "damaged.zvp";
    WriteFile(damaged, "not a project");
    ScriptedModalHook hook;

    store.WriteString("Options", "LastOpenFile", damaged.c_str());
    CCommandLineInfo reopen;
    EXPECT_TRUE(TestApp().OpenStartupProject(reopen));
    EXPECT_EQ(hook.messages.size(), 1u); // the document says why it cannot open the file
    ASSERT_NE(MainDocument(), nullptr);
    EXPECT_STREQ(MainDocument()->GetPathName(), "");
    EXPECT_EQ(store.GetInt("Options", "ExitSuccess", -1), 0);
    CloseMainFrame();

    CCommandLineInfo given;
    given.m_nShellCommand = CCommandLineInfo::FileOpen;
    given.m_strFileName = damaged.c_str();
    EXPECT_FALSE(TestApp().OpenStartupProject(given));
    EXPECT_EQ(TestApp().m_pMainWnd, nullptr);
}

TEST(Startup, MissingResourcesEndTheFrameCleanlyOrLeaveTheirPartOut)
{
    CloseMainFrame();
    EnsureTestTemplate();
    // A module without the program's resources: no menu, tool bar, icon, bitmap or text.
    AfxSetResourceHandle(::GetModuleHandleA("kernel32.dll"));
    ScriptedModalHook hook;
    EXPECT_TRUE(TestApp().CreateImageLists());
    EXPECT_EQ(TestApp().m_ImageListSmall.GetImageCount(), 21); // empty images keep the order
    TestApp().OnFileNew();
    Pump();
    EXPECT_EQ(TestApp().m_pMainWnd, nullptr);
    AfxSetResourceHandle(nullptr);
    EXPECT_TRUE(TestApp().CreateImageLists());
    EXPECT_NE(MainFrame(), nullptr);
}

// ---- the program itself ----------------------------------------------------------------------

const char kProgramKey[] = "Software\\Zivra Software\\Zivra Kelmora\\Options";

// A path of the build machine as the program under Wine sees it.
std::string WinePath(std::string path)
{
    std::replace(path.begin(), path.end(), '/', '\\');
    return "Z:" + path;
}

std::string ProgramPath() { return WinePath(ZIVRA_EXE); }

DWORD ReadProgramInt(const char* value, DWORD dwDefault)
{
    DWORD data = dwDefault, size = sizeof data;
    ::RegGetValueA(HKEY_CURRENT_USER, kProgramKey, value, RRF_RT_REG_DWORD, nullptr, &data, &size);
    return data;
}

void WriteProgramValues(DWORD dwExitSuccess, const std::string& lastFile)
{
    HKEY hKey = nullptr;
    ::RegCreateKeyExA(HKEY_CURRENT_USER, kProgramKey, 0, nullptr, 0, KEY_WRITE, nullptr, &hKey,
                      nullptr);
    ::RegSetValueExA(hKey, "ExitSuccess", 0, REG_DWORD,
                     reinterpret_cast<const BYTE*>(&dwExitSuccess), sizeof dwExitSuccess);
    ::RegSetValueExA(hKey, "LastOpenFile", 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(lastFile.c_str()), DWORD(lastFile.size() + 1));
    ::RegCloseKey(hKey);
}

// Starts the program with the start-up report asked for (or not), and a project file to open
// when one is given, and returns its process.
PROCESS_INFORMATION StartProgram(const std::string& report, const std::string& project = "")
{
    ::SetEnvironmentVariableA("ZIVRA_STARTUP_REPORT", report.empty() ? nullptr : report.c_str());
    STARTUPINFOA si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    std::string command = "\"" + ProgramPath() + "\"";
    if (!project.empty())
        command += " \"" + project + "\"";
    ::CreateProcessA(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr, nullptr, &si,
                     &pi);
    ::SetEnvironmentVariableA("ZIVRA_STARTUP_REPORT", nullptr);
    return pi;
}

std::string ReadReport(const std::string& path)
{
    std::ifstream in(path);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// Waits up to a minute for the process to end, ending it when it does not, and returns its
// exit code (STILL_ACTIVE when it had to be ended).
DWORD EndOf(const PROCESS_INFORMATION& pi)
{
    DWORD dwExit = STILL_ACTIVE;
    if (::WaitForSingleObject(pi.hProcess, 60000) == WAIT_OBJECT_0)
        ::GetExitCodeProcess(pi.hProcess, &dwExit);
    else
        ::TerminateProcess(pi.hProcess, 3);
    ::CloseHandle(pi.hProcess);
    ::CloseHandle(pi.hThread);
    return dwExit;
}

// The process's visible top-level window, or null.
HWND WindowOfProcess(DWORD dwProcessId)
{
    struct Search {
        DWORD pid;
        HWND found;
    } search = {dwProcessId, nullptr};
    ::EnumWindows(
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            DWORD pid = 0;
            ::GetWindowThreadProcessId(hWnd, &pid);
            if (pid == s->pid && ::IsWindowVisible(hWnd))
                s->found = hWnd;
            return !s->found;
        },
        LPARAM(&search));
    return search.found;
}

// The first window of the class among a window's descendants, or null.
HWND DescendantOfClass(HWND hParent, const char* className)
{
    struct Search {
        const char* className;
        HWND found;
    } search = {className, nullptr};
    ::EnumChildWindows(
        hParent,
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            auto* s = reinterpret_cast<Search*>(lParam);
            char name[32] = {};
            ::GetClassNameA(hWnd, name, sizeof name);
            if (std::string(name) == s->className)
                s->found = hWnd;
            return s->found == nullptr;
        },
        LPARAM(&search));
    return search.found;
}

// The explorer tree of another process, whose item texts are read through memory of that
// process.
class RemoteExplorer {
public:
    RemoteExplorer(HANDLE hProcess, HWND hMain)
        : m_hProcess(hProcess), m_hTree(DescendantOfClass(hMain, "SysTreeView32"))
    {
        m_remote = static_cast<Remote*>(
            ::VirtualAllocEx(hProcess, nullptr, sizeof(Remote), MEM_COMMIT, PAGE_READWRITE));
    }
    ~RemoteExplorer()
    {
        if (m_remote)
            ::VirtualFreeEx(m_hProcess, m_remote, 0, MEM_RELEASE);
    }
    RemoteExplorer(const RemoteExplorer&) = delete;
    RemoteExplorer& operator=(const RemoteExplorer&) = delete;

    // Why the tree cannot be read, or empty.
    std::string Fault() const
    {
        return !m_hTree ? "no explorer" : !m_remote ? "no memory in the program" : "";
    }
    std::string Text(HTREEITEM hItem) const
    {
        Remote local = {};
        local.item.mask = TVIF_TEXT | TVIF_HANDLE;
        local.item.hItem = hItem;
        local.item.pszText = m_remote->text;
        local.item.cchTextMax = sizeof local.text;
        ::WriteProcessMemory(m_hProcess, m_remote, &local, sizeof local, nullptr);
        ::SendMessageA(m_hTree, TVM_GETITEMA, 0, LPARAM(m_remote));
        ::ReadProcessMemory(m_hProcess, m_remote, &local, sizeof local, nullptr);
        return std::string(local.text);
    }
    HTREEITEM Next(HTREEITEM hItem, UINT code) const
    {
        return HTREEITEM(::SendMessageA(m_hTree, TVM_GETNEXTITEM, code, LPARAM(hItem)));
    }
    // Selects the leaf of the folder as a click would; FALSE when there is none.
    BOOL Select(const std::string& folder, const std::string& leaf) const
    {
        for (HTREEITEM hFolder = Next(nullptr, TVGN_ROOT); hFolder;
             hFolder = Next(hFolder, TVGN_NEXT))
            for (HTREEITEM hLeaf = Text(hFolder) == folder ? Next(hFolder, TVGN_CHILD) : nullptr;
                 hLeaf; hLeaf = Next(hLeaf, TVGN_NEXT))
                if (Text(hLeaf) == leaf)
                    return BOOL(::SendMessageA(m_hTree, TVM_SELECTITEM, TVGN_CARET, LPARAM(hLeaf)));
        return FALSE;
    }

private:
    struct Remote {
        TVITEMA item;
        char text[260];
    };
    HANDLE m_hProcess;
    HWND m_hTree;
    Remote* m_remote = nullptr;
};

// The explorer tree of another process as "folder: leaf, leaf" lines, folders in their order.
std::string ReadExplorerOf(HANDLE hProcess, HWND hMain)
{
    const RemoteExplorer explorer(hProcess, hMain);
    if (!explorer.Fault().empty())
        return explorer.Fault();
    std::string tree;
    for (HTREEITEM hFolder = explorer.Next(nullptr, TVGN_ROOT); hFolder;
         hFolder = explorer.Next(hFolder, TVGN_NEXT)) {
        tree += explorer.Text(hFolder) + ":";
        for (HTREEITEM hLeaf = explorer.Next(hFolder, TVGN_CHILD); hLeaf;
             hLeaf = explorer.Next(hLeaf, TVGN_NEXT))
            tree += " " + explorer.Text(hLeaf) + ",";
        tree += "\n";
    }
    return tree;
}

TEST(Program, StartsEndsCleanlyAndReopensOnlyAfterACleanEnd)
{
    // A project the next runs can open.
    const std::string project = TestFolder() + "last.zvp";
    ASSERT_TRUE(MainDocument()->OnSaveDocument(project.c_str()));
    CloseMainFrame();
    const std::string report = TestFolder() + "startup.txt";

    // After a clean end the last project opens; the run itself ends cleanly at its first idle.
    WriteProgramValues(1, project);
    PROCESS_INFORMATION pi = StartProgram(report);
    ASSERT_NE(pi.hProcess, nullptr) << ProgramPath();
    EXPECT_EQ(EndOf(pi), 0u);
    EXPECT_EQ(ReadProgramInt("ExitSuccess", 7), 1u);
    const std::string text = ReadReport(report);
    EXPECT_NE(text.find("total "), std::string::npos) << text;
    EXPECT_NE(text.find("project " + project), std::string::npos) << text;

    // A run that is killed leaves its mark: the next one does not reopen its project.
    pi = StartProgram("");
    ASSERT_NE(pi.hProcess, nullptr);
    ::WaitForInputIdle(pi.hProcess, 60000);
    EXPECT_TRUE(WindowOfProcess(pi.dwProcessId));
    EXPECT_EQ(ReadProgramInt("ExitSuccess", 7), 0u);
    ::TerminateProcess(pi.hProcess, 3);
    EXPECT_EQ(EndOf(pi), 3u);
    WriteProgramValues(0, project);
    EXPECT_EQ(EndOf(StartProgram(report)), 0u);
    const std::string after = ReadReport(report);
    EXPECT_NE(after.find("project \n"), std::string::npos) << after;
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zivra Software");
}

TEST(Program, ShowsEveryItemOfTheProjectGivenUnderItsFolderAndEndsOnExit)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zivra Software");
    PROCESS_INFORMATION pi = StartProgram("", WinePath(ZIVRA_TEST_DATA_DIR "/project_items.zvp"));
    ASSERT_NE(pi.hProcess, nullptr) << ProgramPath();
    ::WaitForInputIdle(pi.hProcess, 60000);
    HWND hMain = nullptr;
    for (int i = 0; i < 300 && !(hMain = WindowOfProcess(pi.dwProcessId)); ++i)
        ::Sleep(100);
    if (!hMain) {
        ADD_FAILURE() << "no main window";
        ::TerminateProcess(pi.hProcess, 3); // not left running for the tests after this one
        EndOf(pi);
        return;
    }
    const std::string tree = ReadExplorerOf(pi.hProcess, hMain);
    // Every item under its folder, the project's folders first (solver models are the user's).
    EXPECT_EQ(tree.substr(0, tree.find("Variables:")),
              "Data Tables: Table1,\nLists: L1,\nMatrices: M1,\nData Graphs: Points,\n"
              "2-D Graphs: y = x^2,\n3-D Graphs: z = x*y,\n");

    // File/Exit on the unchanged project: the window goes and the run ends cleanly.
    ::PostMessageA(hMain, WM_COMMAND, ID_APP_EXIT, 0);
    EXPECT_EQ(EndOf(pi), 0u);
    EXPECT_FALSE(::IsWindow(hMain));
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zivra Software");
}

// The message box a process shows now; null when none.
HWND ShownBoxOf(DWORD dwProcessId)
{
    HWND hBox = ::FindWindowExA(nullptr, nullptr, "#32770", nullptr);
    DWORD pid = 0;
    ::GetWindowThreadProcessId(hBox, &pid);
    return pid == dwProcessId && ::IsWindowVisible(hBox) ? hBox : nullptr;
}

// The message box a process shows, waited for; null when none comes.
HWND BoxOf(DWORD dwProcessId)
{
    HWND hBox = nullptr;
    for (int i = 0; i < 300 && !hBox; ++i) {
        ::Sleep(100);
        hBox = ShownBoxOf(dwProcessId);
    }
    return hBox;
}

// The texts of a message box's controls, its message among them.
std::string TextOf(HWND hBox)
{
    std::string said;
    ::EnumChildWindows(
        hBox,
        [](HWND hWnd, LPARAM lParam) -> BOOL {
            char text[1024] = {};
            ::GetWindowTextA(hWnd, text, sizeof text);
            *reinterpret_cast<std::string*>(lParam) += text;
            return TRUE;
        },
        LPARAM(&said));
    return said;
}

// A run of the program on a project, with its main window and workspace found.
struct Running {
    PROCESS_INFORMATION pi = {};
    HWND hMain = nullptr;
    HWND hWorkspace = nullptr;

    explicit Running(const std::string& project) : pi(StartProgram("", project))
    {
        ::WaitForInputIdle(pi.hProcess, 60000);
        for (int i = 0; i < 300 && !(hMain = WindowOfProcess(pi.dwProcessId)); ++i)
            ::Sleep(100);
        hWorkspace = DescendantOfClass(hMain, "RichEdit20A");
    }
    // Typed into the workspace; "\r" is Enter, which evaluates the line.
    void Type(const std::string& keys) const
    {
        for (char ch : keys)
            ::PostMessageA(hWorkspace, WM_CHAR, WPARAM(BYTE(ch)), 1);
    }
    // The workspace's text, read from the program.
    std::string WorkspaceText() const
    {
        char text[4096] = {};
        ::SendMessageA(hWorkspace, WM_GETTEXT, sizeof text, LPARAM(text));
        return text;
    }
    Running(const Running&) = delete;
    // A run a failed test did not end is not left behind.
    ~Running()
    {
        if (pi.hProcess) {
            ::TerminateProcess(pi.hProcess, 3);
            EndOf(pi);
        }
    }
    HWND Box() const { return BoxOf(pi.dwProcessId); }
    // Selects a leaf of the explorer as a click on it would; FALSE when there is none.
    BOOL Select(const std::string& folder, const std::string& leaf) const
    {
        return RemoteExplorer(pi.hProcess, hMain).Select(folder, leaf);
    }
    HWND Grid() const { return DescendantOfClass(hMain, "MFCGridCtrl"); }
    // File/Exit, answering No when asked to save the project (the question kept in pAsked),
    // and OK to what the run says then, whose text is kept; the exit code.
    DWORD Exit(bool bAsked, std::string* pSaid = nullptr, std::string* pAsked = nullptr)
    {
        ::PostMessageA(hMain, WM_COMMAND, ID_APP_EXIT, 0);
        if (HWND hBox = bAsked ? Box() : nullptr) {
            if (pAsked)
                *pAsked = TextOf(hBox);
            ::PostMessageA(hBox, WM_COMMAND, IDNO, 0);
        } else
            EXPECT_FALSE(bAsked) << "no question to save the project";
        if (HWND hBox = pSaid ? Box() : nullptr) {
            *pSaid += TextOf(hBox);
            ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
        }
        const DWORD dwExit = EndOf(pi);
        pi = {};
        return dwExit;
    }
};

const char kProgramUserData[] = "c:\\1temp\\users.dat";

// What the user-data file of the program holds; nothing when there is no file.
UserDataRecords RecordsOfProgram()
{
    UserDataRecords records;
    CFile file;
    if (file.Open(kProgramUserData, CFile::modeRead)) {
        CArchive ar(&file, CArchive::load);
        records.Load(ar);
    }
    return records;
}

// The user functions the user-data file of the program holds, by name.
std::string UserFunctionsOfProgram()
{
    if (!std::ifstream(kProgramUserData))
        return "no file";
    std::string names;
    for (const UserDataRecord& record : RecordsOfProgram().sections[UserFunctionRecords])
        names += std::string(record.strKey) + " ";
    return names;
}

TEST(Program, TwoWindowsKeepEachOthersDefinitionsAndNeverHoldOneProjectTwice)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zivra Software");
    ::DeleteFileA(kProgramUserData);
    const std::string a = TestFolder() + "a.zvp", b = TestFolder() + "b.zvp";
    ASSERT_TRUE(MainDocument()->OnSaveDocument(a.c_str()));
    ASSERT_TRUE(MainDocument()->OnSaveDocument(b.c_str()));
    CloseMainFrame();
    Running first(a);
    Running second(b);
    ASSERT_TRUE(first.hWorkspace && second.hWorkspace);

    // The second window defines a function and ends without saving its project.
    second.Type("hb(q)=q+2\r");
    EXPECT_EQ(second.Exit(true), 0u);
    EXPECT_EQ(UserFunctionsOfProgram(), "HB ");

    // The project the first window holds opens there, not a second time: from a new run, from
    // File/Open in another window, and no other window saves over it.
    EXPECT_EQ(EndOf(StartProgram("", a)), 0u);
    EXPECT_TRUE(::IsWindow(first.hMain));
    ScriptedModalHook hook;
    hook.ChooseFile(a);
    MainFrame()->SendMessage(WM_COMMAND, ID_FILE_OPEN);
    EXPECT_STRNE(MainDocument()->GetPathName(), a.c_str());
    EXPECT_FALSE(MainDocument()->DoSave(a.c_str()));
    ASSERT_EQ(hook.messages.size(), 1u);
    EXPECT_NE(std::string(hook.messages[0]).find(" is open in another window"), std::string::npos)
        << hook.messages[0];
    CloseMainFrame();

    // The first window, in which nothing was defined, ends last and keeps the function.
    EXPECT_EQ(first.Exit(false), 0u);
    EXPECT_EQ(UserFunctionsOfProgram(), "HB ");

    // Again both, each defining a function: the second keeps the first run's; the first cannot
    // save, says what and where, and ends when the user has read it.
    Running again(a);
    Running other(b);
    again.Type("ha(q)=q*2\r");
    other.Type("hc(q)=q*3\r");
    EXPECT_EQ(other.Exit(true), 0u);
    EXPECT_EQ(UserFunctionsOfProgram(), "HB HC ");
    ::SetFileAttributesA(kProgramUserData, FILE_ATTRIBUTE_READONLY);
    std::string said;
    EXPECT_EQ(again.Exit(true, &said), 0u);
    EXPECT_NE(said.find(kProgramUserData), std::string::npos) << said;
    EXPECT_NE(said.find("Not saved:\nuser function ha"), std::string::npos) << said;
    ::SetFileAttributesA(kProgramUserData, FILE_ATTRIBUTE_NORMAL);
    EXPECT_EQ(UserFunctionsOfProgram(), "HB HC ");
    ::DeleteFileA(kProgramUserData);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zivra Software");
}

// The constants the user-data file of the program holds, as "description=value".
std::string ConstantsOfProgram()
{
    std::string text;
    for (const UserDataRecord& record : RecordsOfProgram().sections[UserConstantRecords]) {
        CMemFile file(record.bytes.data(), UINT(record.bytes.size()));
        CArchive ar(&file, CArchive::load);
        CString description, symbol, unit;
        double value = 0, uncertainty = 0;
        ar >> description >> symbol >> unit >> value >> uncertainty;
        char number[32];
        std::snprintf(number, sizeof number, "%g", value);
        text += (text.empty() ? "" : ", ") + std::string(description) + "=" + number;
    }
    return text;
}

// A cell edit of the constants grid: a text typed with Enter, or without one the row deleted by
// the grid's Delete command.
struct ConstantEdit {
    int row, column;
    const char* text;
};

// Clicks the cell at the point of another process's grid and makes the edit there: the first
// character opens the cell's editor, which takes the rest.
void EditGridOf(const Running& run, CPoint point, const ConstantEdit& edit)
{
    const HWND hGrid = run.Grid();
    ::SendMessageA(hGrid, WM_LBUTTONDOWN, MK_LBUTTON, MAKELPARAM(point.x, point.y));
    ::SendMessageA(hGrid, WM_LBUTTONUP, 0, MAKELPARAM(point.x, point.y));
    if (!edit.text) {
        ::SendMessageA(run.hMain, WM_COMMAND, ID_GRID_DELETE_ITEM, 0);
        return;
    }
    ::SendMessageA(hGrid, WM_CHAR, WPARAM(BYTE(edit.text[0])), 1);
    const HWND hEditor = ::FindWindowExA(hGrid, nullptr, "Edit", nullptr);
    ASSERT_NE(hEditor, nullptr) << edit.text;
    // The editor types the first character through its own queue.
    char first[2] = {};
    for (int i = 0; i < 500 && first[0] != edit.text[0]; ++i) {
        ::Sleep(10);
        ::SendMessageA(hEditor, WM_GETTEXT, sizeof first, LPARAM(first));
    }
    for (const char* p = edit.text + 1; *p; ++p)
        ::SendMessageA(hEditor, WM_CHAR, WPARAM(BYTE(*p)), 1);
    ::SendMessageA(hEditor, WM_CHAR, '\r', 1);
}

// The same edit in this process's main frame.
void EditGrid(CGridCtrl& grid, const ConstantEdit& edit)
{
    if (edit.text) {
        TypeIntoCell(grid, edit.row, edit.column, edit.text);
        return;
    }
    grid.SetFocusCell(edit.row, edit.column);
    MainFrame()->SendMessage(WM_COMMAND, ID_GRID_DELETE_ITEM);
    Pump();
}

TEST(Program, TwoWindowsKeepEachOthersChangesToConstantsWithoutASymbol)
{
    // Window A is this process's main frame, window B the program; B ends first.
    struct Case {
        const char* what;
        bool bFile; // the three constants typed as descriptions, else no file
        ConstantEdit b, a;
        const char* constants;
    } const cases[] = {
        {"B deletes row 3, A row 1",
         true,
         {3, 1, nullptr},
         {1, 1, nullptr},
         "Density of water=998"},
        {"B types 1000 into a value, A deletes row 1",
         true,
         {2, 3, "1000"},
         {1, 1, nullptr},
         "Density of water=1000, Standard gravity=9.81"},
        {"each types a new description",
         false,
         {1, 1, "Speed of light"},
         {1, 1, "Planck constant"},
         "Speed of light=0, Planck constant=0"},
    };
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zivra Software");
    // This process's main frames use the program's user-data file until the test ends.
    struct ProgramUserData {
        ProgramUserData()
        {
            CloseMainFrame();
            EnsureTestTemplate(); // which sets the tests' own file
            CMyDocument::SetUserDataPath(kProgramUserData);
        }
        ~ProgramUserData()
        {
            CloseMainFrame();
            CMyDocument::SetUserDataPath((TestFolder() + "users.dat").c_str());
            ::DeleteFileA(kProgramUserData);
            ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zivra Software");
        }
    } const held;
    for (const Case& c : cases) {
        SCOPED_TRACE(c.what);
        ::DeleteFileA(kProgramUserData);
        if (c.bFile) {
            stored::Builder file;
            file.I32(1).I32(0).I32(1).I32(3);
            for (const auto& [description, unit, value] :
                 {std::tuple{"Speed of sound", "m/s", 343.0},
                  {"Density of water", "kg/m^3", 998.0},
                  {"Standard gravity", "m/s^2", 9.81}})
                file.Text(description).Text("").Text(unit).F64(value).F64(0);
            file.I32(1).I32(0).I32(0).I32(0);
            const stored::Bytes& bytes = file.Get();
            WriteFile(kProgramUserData, std::string(bytes.begin(), bytes.end()));
        }
        Explorer()->GetTree().SelectItem(Explorer()->GetFolder(SlotUserConstants));
        Pump();
        CGridCtrl& grid = dynamic_cast<CGridView*>(MainFrame()->GetGridView())->GetGrid();
        CRect cell;
        ASSERT_TRUE(grid.GetCellRect(c.b.row, c.b.column, cell));
        Running b("");
        ASSERT_TRUE(b.Select("User-defined", "Constants"));
        EditGridOf(b, cell.CenterPoint(), c.b);
        EXPECT_EQ(b.Exit(false), 0u);
        EditGrid(grid, c.a);
        CloseMainFrame();
        EXPECT_EQ(ConstantsOfProgram(), c.constants);
    }
}

// A path of drive C: through drive Z:, which shows the whole Unix tree under Wine.
std::string ThroughDriveZ(const std::string& path)
{
    char szPrefix[MAX_PATH];
    const DWORD n = ::GetEnvironmentVariableA("WINEPREFIX", szPrefix, MAX_PATH);
    if (n == 0 || n >= MAX_PATH || path.substr(0, 2) != "C:")
        return "";
    return WinePath(szPrefix + std::string("/drive_c") + path.substr(2));
}

TEST(Program, OneProjectIsHeldByOneWindowWhateverTheSpellingOfItsPath)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zivra Software");
    const std::string folder = TestFolder() + "Projects of long names\\";
    ::CreateDirectoryA(folder.c_str(), nullptr);
    const std::string project = folder + "A project of a long name.zvp";
    ASSERT_TRUE(MainDocument()->OnSaveDocument(project.c_str()));
    CloseMainFrame();
    char szShort[MAX_PATH] = {};
    ::GetShortPathNameA(project.c_str(), szShort, MAX_PATH);
    const std::string z = ThroughDriveZ(project), shortName = szShort;
    ASSERT_NE(z, "") << "WINEPREFIX is not set";
    ASSERT_NE(shortName, project) << "no short names";
    Running first(project);
    ASSERT_TRUE(first.hWorkspace);

    // New runs on its Z: path and on its short name bring that window forward and end.
    for (const std::string& spelling : {z, shortName})
        EXPECT_EQ(EndOf(StartProgram("", spelling)), 0u) << spelling;
    EXPECT_TRUE(::IsWindow(first.hMain));

    // Here neither File/Open nor Save As takes it under either spelling.
    for (const std::string& spelling : {z, shortName}) {
        ScriptedModalHook hook;
        hook.ChooseFile(spelling);
        MainFrame()->SendMessage(WM_COMMAND, ID_FILE_OPEN);
        EXPECT_STREQ(MainDocument()->GetPathName(), "") << spelling;
        MainFrame()->SendMessage(WM_COMMAND, ID_FILE_SAVE_AS);
        ASSERT_EQ(hook.messages.size(), 1u) << spelling;
        EXPECT_NE(std::string(hook.messages[0]).find(" is open in another window"),
                  std::string::npos)
            << hook.messages[0];
    }
    CloseMainFrame();
    EXPECT_EQ(first.Exit(false), 0u);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zivra Software");
}

// A project saved in a new folder (MakeTempFolder) and copied as fileName into a folder of it
// named folderName, both made through the wide functions; empty where Wine cannot make them,
// which it does only under a UTF-8 Unix locale. A folder of another test beside it, named alike
// in '?', would leave the program no short name to offer.
std::wstring ProjectInFolderNamed(const std::wstring& folderName, const std::wstring& fileName)
{
    const std::string saved = MakeTempFolder() + "saved.zvp";
    if (!MainDocument()->OnSaveDocument(saved.c_str()))
        return std::wstring();
    CloseMainFrame();
    const std::wstring folder = std::wstring(saved.begin(), saved.end() - 9) + folderName;
    const std::wstring project = folder + L"\\" + fileName;
    if (!::CreateDirectoryW(folder.c_str(), nullptr) ||
        !::CopyFileW(std::wstring(saved.begin(), saved.end()).c_str(), project.c_str(), FALSE))
        return std::wstring();
    return project;
}

// The folder that ProjectInFolderNamed saved project's copy in, ending in a backslash.
std::string BaseFolderOf(const std::wstring& project)
{
    const std::wstring folder = project.substr(0, project.rfind(L'\\'));
    const std::wstring base = folder.substr(0, folder.rfind(L'\\') + 1);
    return std::string(base.begin(), base.end());
}

// The short name the system gives the last name of a path.
std::string ShortNameOf(const std::wstring& path)
{
    wchar_t szShort[MAX_PATH] = {};
    ::GetShortPathNameW(path.c_str(), szShort, MAX_PATH);
    const std::wstring name = std::wstring(szShort).substr(std::wstring(szShort).rfind(L'\\') + 1);
    return std::string(name.begin(), name.end());
}

TEST(Program, AProjectInAFolderNamedInCharactersTheCodePageCannotHoldIsToldSoThenAnEmptyOneShows)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zivra Software");
    const std::wstring project = ProjectInFolderNamed(L"\x6570\x5b66", L"\x9879\x76ee.zvp");
    if (project.empty()) {
        // The run that asks for a UTF-8 locale must have them; the others skip this test.
        ASSERT_EQ(::GetEnvironmentVariableA("ZIVRA_WINE_LOCALE", nullptr, 0), 0u);
        GTEST_SKIP() << "no folder named in Chinese characters under this Unix locale";
    }

    // Started on it as the shell starts a program, with the path in full.
    const std::string program = ProgramPath();
    std::wstring command =
        L"\"" + std::wstring(program.begin(), program.end()) + L"\" \"" + project + L"\"";
    STARTUPINFOW si = {};
    si.cb = sizeof si;
    PROCESS_INFORMATION pi = {};
    ASSERT_TRUE(::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, 0, nullptr,
                                 nullptr, &si, &pi));
    HWND hBox = BoxOf(pi.dwProcessId);
    const std::string said = hBox ? TextOf(hBox) : "no message";
    if (hBox)
        ::PostMessageA(hBox, WM_COMMAND, IDOK, 0);
    // Then an empty project, from which the short name the message offers can be opened.
    HWND hMain = nullptr;
    for (int i = 0; i < 300 && !(hMain && DescendantOfClass(hMain, "RichEdit20A")); ++i) {
        ::Sleep(100);
        hMain = WindowOfProcess(pi.dwProcessId);
    }
    char szCaption[MAX_PATH] = "no window";
    if (hMain)
        ::GetWindowTextA(hMain, szCaption, MAX_PATH);
    EXPECT_EQ(std::string(szCaption).find("Untitled - "), 0u) << szCaption;
    if (hMain)
        ::PostMessageA(hMain, WM_COMMAND, ID_APP_EXIT, 0);
    EXPECT_EQ(EndOf(pi), 0u);
    const std::string base = BaseFolderOf(project);
    EXPECT_NE(said.find("Cannot open " + base + "??\\??.zvp: the name of the folder " + base +
                        "?? and the file name hold characters that this program cannot use"),
              std::string::npos)
        << said;
    EXPECT_NE(said.find("Move the file to a folder whose name uses only characters of"),
              std::string::npos)
        << said;
    const std::string shortPath =
        base + ShortNameOf(project.substr(0, project.rfind(L'\\'))) + "\\" + ShortNameOf(project);
    EXPECT_NE(said.find("Or open it under its short name, " + shortPath + "."), std::string::npos)
        << said;
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zivra Software");
}

std::string ProgramString(const char* key, const char* value)
{
    char text[MAX_PATH] = {};
    DWORD size = sizeof text;
    ::RegGetValueA(HKEY_CURRENT_USER, key, value, RRF_RT_REG_SZ, nullptr, text, &size);
    return text;
}

// Opened through its folder's short name, a project in a folder the code page cannot name is
// saved there, named so when the program asks to save it, remembered so, and opened again by
// the next start; a second start on it brings this window forward.
TEST(Program, AProjectInAFolderTheCodePageCannotHoldIsSavedAndReopenedUnderItsShortName)
{
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zivra Software");
    const std::wstring project = ProjectInFolderNamed(L"\x9879\x76ee", L"p.zvp"); // "project"
    if (project.empty()) {
        ASSERT_EQ(::GetEnvironmentVariableA("ZIVRA_WINE_LOCALE", nullptr, 0), 0u);
        GTEST_SKIP() << "no folder named in Chinese characters under this Unix locale";
    }
    const std::string shortPath =
        BaseFolderOf(project) + ShortNameOf(project.substr(0, project.rfind(L'\\'))) + "\\p.zvp";
    ASSERT_EQ(shortPath.find('?'), std::string::npos) << shortPath;

    // Started on it, a line typed and saved: the file takes it, and nothing is said.
    Running first(shortPath);
    ASSERT_TRUE(first.hWorkspace);
    first.Type("1+2\r");
    ::PostMessageA(first.hMain, WM_COMMAND, ID_FILE_SAVE, 0);
    HWND hBox = nullptr;
    for (int i = 0; i < 300 && ReadReport(shortPath).find("1+2") == std::string::npos; ++i) {
        if ((hBox = ShownBoxOf(first.pi.dwProcessId)) != nullptr)
            break;
        ::Sleep(100);
    }
    ASSERT_EQ(hBox, nullptr) << TextOf(hBox);
    EXPECT_NE(ReadReport(shortPath).find("1+2"), std::string::npos);
    char szCaption[MAX_PATH] = {};
    ::GetWindowTextA(first.hMain, szCaption, MAX_PATH);
    EXPECT_EQ(std::string(szCaption).find("p.zvp - "), 0u) << szCaption;

    // One window holds it: a start on the same spelling brings it forward and ends.
    EXPECT_EQ(EndOf(StartProgram("", shortPath)), 0u);
    EXPECT_TRUE(::IsWindow(first.hMain));

    // Changed again and left unsaved: the question names it as it was opened.
    first.Type("4*5\r");
    std::string asked;
    EXPECT_EQ(first.Exit(true, nullptr, &asked), 0u);
    EXPECT_NE(asked.find("Save changes to " + shortPath + "?"), std::string::npos) << asked;
    EXPECT_EQ(ProgramString(kProgramKey, "LastOpenFile"), shortPath);
    EXPECT_EQ(ProgramString("Software\\Zivra Software\\Zivra Kelmora\\Recent File List", "File1"),
              shortPath);

    // The next start opens it again, as it was saved.
    Running again("");
    ASSERT_TRUE(again.hWorkspace);
    const std::string text = again.WorkspaceText();
    EXPECT_NE(text.find("1+2 ="), std::string::npos) << text;
    EXPECT_EQ(text.find("4*5"), std::string::npos) << text;
    EXPECT_EQ(again.Exit(false), 0u);
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zivra Software");
}

} // namespace
