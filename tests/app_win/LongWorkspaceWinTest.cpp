// A workspace of long reports as the user handles it in the main frame: Undo and Redo of a
// report, Select All with Delete, Backspace, Cut, Clear or a typed character, File > New and
// Open, each leaving a workspace that types and answers.
#include "framework/win/CStatusBar.h"
#include "framework/win/FrameworkIds.h"
#include "tests/app_win/LongWorkspaceFixture.h"
#include "tests/support/ScriptedModalHook.h"

#include <gtest/gtest.h>

#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace {

TEST_F(LongWorkspace, OneUndoTakesALongReportAwayAndOneRedoBringsItBackInItsColours)
{
    Keys("1+1\r");
    const std::string before = Text();
    Report(300);
    const std::string report = Rtf();
    ASSERT_GT(Lines(), 300);
    ASSERT_NE(Text().find("Solutions found: 300"), std::string::npos);
    for (int round = 0; round < 2; ++round) {
        Focus();
        Press('Z', kCtrl);
        EXPECT_EQ(Text(), before) << "round " << round;
        EXPECT_TRUE(doc->IsModified());
        // The status bar said what went on while the text was laid out, and is idle again.
        auto* pBar = dynamic_cast<CStatusBar*>(frame->GetMessageBar());
        ASSERT_NE(pBar, nullptr);
        CString idle;
        frame->GetMessageString(AFX_IDS_IDLEMESSAGE, idle);
        EXPECT_EQ(pBar->GetPaneText(0), idle) << "round " << round;
        Press('Y', kCtrl);
        EXPECT_EQ(Rtf(), report) << "round " << round;
        EXPECT_EQ(::GetFocus(), View()->m_hWnd) << "the keys still go to the workspace";
    }
    // A line typed after the report is undone first, in the steps it was typed in.
    const std::string reported = Text();
    Keys("2*3\r");
    ASSERT_EQ(Text(), reported + "2*3 =\r6\r");
    for (int i = 0; i < 20 && Text() != reported; ++i) {
        Command(ID_WORKSPACE_UNDO, View());
        ASSERT_GE(Text().size(), reported.size()) << "the report went before the line";
    }
    Command(ID_WORKSPACE_UNDO, View());
    EXPECT_EQ(Text(), before);
    // A line typed after the report was taken away ends its Redo.
    Keys("4");
    Press('Y', kCtrl);
    EXPECT_EQ(Text(), before + "4");
}

TEST_F(LongWorkspace, ATextPutAwayComesBackInTheWorkspacesLookOfNowAndNeverStandsForIt)
{
    Report(300);
    const std::string rtf = Rtf();
    const int nId = View()->GetDlgCtrlID();
    Focus();
    Press('A', kCtrl);
    Press(VK_DELETE);
    Press('Z', kCtrl);
    Press('Y', kCtrl);
    EXPECT_EQ(::GetDlgItem(View()->GetParent()->m_hWnd, nId), View()->m_hWnd);
    EXPECT_EQ(RichEditControls(), 2) << "the workspace and the text its Undo brings back";
    WorkspaceSettings settings = View()->GetSettings();
    settings.BackColor = RGB(1, 2, 3);
    View()->ApplySettings(settings);
    Press('Z', kCtrl);
    EXPECT_EQ(Rtf(), rtf);
    EXPECT_EQ(COLORREF(View()->SendMessage(EM_SETBKGNDCOLOR, 0, RGB(1, 2, 3))), RGB(1, 2, 3));
    EXPECT_EQ(::GetFocus(), View()->m_hWnd);
    ScriptedModalHook hook;
    hook.boxAnswer = IDNO; // not saved
    Command(IDM_FILE_NEW);
    EXPECT_EQ(RichEditControls(), 1) << "nothing left to undo keeps nothing";
}

TEST_F(LongWorkspace, AWorkspaceGrownUnderALongReportShowsItsLastLinesEndingAtTheCaret)
{
    // Written while the workspace is a line or two high, as beside a graph, then given room;
    // the longest report is more pixels high than a scroll position of 16 bits holds.
    for (const auto& [height, lines] : {std::pair{8, 300}, {16, 300}, {40, 6000}}) {
        View()->SetWindowPos(nullptr, 0, 0, 300, height, SWP_NOMOVE | SWP_NOZORDER);
        Report(lines);
        View()->SetWindowPos(nullptr, 0, 0, 300, 350, SWP_NOMOVE | SWP_NOZORDER);
        Pump();
        CRect client;
        View()->GetClientRect(&client);
        CHARRANGE sel{};
        View()->SendMessage(EM_EXGETSEL, 0, LPARAM(&sel));
        const long nCaretLine = long(View()->SendMessage(EM_EXLINEFROMCHAR, 0, sel.cpMax));
        POINT caret{}, above{};
        View()->SendMessage(EM_POSFROMCHAR, WPARAM(&caret), sel.cpMax);
        View()->SendMessage(EM_POSFROMCHAR, WPARAM(&above),
                            View()->SendMessage(EM_LINEINDEX, nCaretLine - 1));
        const int lineHeight = caret.y - above.y;
        ASSERT_GT(lineHeight, 0) << height;
        EXPECT_EQ(nCaretLine, Lines() - 1) << height << ": the caret ends the report";
        EXPECT_LE(caret.y + lineHeight, client.bottom) << height << ": the caret line in sight";
        EXPECT_GT(caret.y + 2 * lineHeight, client.bottom) << height << ": no blank line below";
        EXPECT_GT(View()->SendMessage(EM_GETFIRSTVISIBLELINE),
                  nCaretLine - client.Height() / lineHeight - 1)
            << height << ": the lines above it fill the workspace";
        // Printing reads the whole text through a selection, which must leave the view be.
        const LRESULT nFirst = View()->SendMessage(EM_GETFIRSTVISIBLELINE);
        Rtf();
        EXPECT_EQ(View()->SendMessage(EM_GETFIRSTVISIBLELINE), nFirst) << height;
    }
}

// The control lays its whole text out again whenever its text area changes size, as a scroll bar
// shown or hidden changes it: a control filled with a whole text by Undo, Redo or Open shows both
// bars from the start, whatever the text.
TEST_F(LongWorkspace, AWholeTextPutBackOrOpenedComesWithBothScrollBars)
{
    ScriptedModalHook hook;
    // What the frame and the bars take of the control's window.
    const auto edges = [this] {
        CRect window, client;
        View()->GetWindowRect(&window);
        View()->GetClientRect(&client);
        return std::pair{window.Width() - client.Width(), window.Height() - client.Height()};
    };
    const std::string path = TestFolder() + "bars.zvp";
    Command(IDM_FILE_NEW);
    ASSERT_FALSE(View()->GetStyle() & (WS_HSCROLL | WS_VSCROLL)) << "an empty workspace";
    const auto plain = edges();
    const std::pair bars{plain.first + ::GetSystemMetrics(SM_CXVSCROLL),
                         plain.second + ::GetSystemMetrics(SM_CYHSCROLL)};
    Report(300);
    ASSERT_TRUE(doc->OnSaveDocument(path.c_str()));
    const struct {
        const char* road;
        std::function<void()> take;
    } roads[] = {
        {"Open",
         [&] {
             Command(IDM_FILE_NEW);
             hook.ChooseFile(path);
             Command(IDM_FILE_OPEN);
         }},
        {"a report after it", [&] { Report(300); }},
        {"its Undo", [] { Press('Z', kCtrl); }},
        {"its Redo", [] { Press('Y', kCtrl); }},
    };
    for (const auto& road : roads) {
        Focus();
        road.take();
        EXPECT_EQ(edges(), bars) << road.road;
    }
    EXPECT_GT(Lines(), 600) << "the report came back";
}

// A long workspace takes each new size through a new control of that size, which the user must
// not tell from the old one: the text, its selection and scroll position, focus, Undo and the
// pane's height kept, and no control left behind.
TEST_F(LongWorkspace, ALongWorkspaceTakesEveryNewSizeWithItsTextSelectionScrollAndUndo)
{
    const KeptText kept = LongTextInView();
    const int nId = View()->GetDlgCtrlID();
    CWnd* pParent = View()->GetParent();
    using Edges = std::tuple<LONG, LONG, LONG, LONG>;
    const auto place = [&] {
        const CRect rect = Place();
        return Edges(rect.left, rect.top, rect.right, rect.bottom);
    };
    const auto [left, top, right, bottom] = place();
    ASSERT_GE(doc->AddSolverModel("cos(x)=0", ""), 0);
    frame->InsertExplorerItem(ItemSolverModel, "cos(x)=0", FALSE);
    const ExplorerNode report = frame->FindExplorerItem(ItemSolverModel, "sin(x)=0"),
                       other = frame->FindExplorerItem(ItemSolverModel, "cos(x)=0");
    ASSERT_NE(other, ExplorerNode(0));
    const struct {
        const char* road;
        std::function<void()> take;
        Edges place; // where the workspace stands after it (all 0: wherever the panes put it)
    } roads[] = {
        {"lower",
         [&] {
             View()->SetWindowPos(nullptr, 0, 0, right - left, bottom - top - 60,
                                  SWP_NOMOVE | SWP_NOZORDER);
         },
         {left, top, right, bottom - 60}},
        {"moved, narrower and higher",
         [&] {
             View()->SetWindowPos(nullptr, left + 7, top + 5, right - left - 90, bottom - top + 20,
                                  SWP_NOZORDER);
         },
         {left + 7, top + 5, right - 83, bottom + 25}},
        {"another model selected", [&] { frame->SelectExplorerItem(other); }, {}},
        {"the workspace alone", [&] { Command(ID_VIEW_SHOW_WORKSPACE); }, {}},
        {"the first model again", [&] { frame->SelectExplorerItem(report); }, {}},
    };
    Edges besideGrid; // the workspace above the model's grid
    for (const auto& road : roads) {
        const HWND hBefore = View()->m_hWnd;
        const Edges was = place();
        road.take();
        Pump();
        const Edges now = place();
        const std::string name = road.road;
        if (road.place != Edges()) {
            EXPECT_EQ(now, road.place) << name;
        }
        if (name == "another model selected")
            besideGrid = now;
        if (name == "the first model again") {
            EXPECT_EQ(now, besideGrid) << name << ": the pane keeps its height";
        }
        EXPECT_TRUE(now == was || View()->m_hWnd != hBefore)
            << name << ": a new size comes by a new control";
        EXPECT_TRUE(View()->m_hWnd == hBefore || !::IsWindow(hBefore))
            << name << ": the old control went";
        EXPECT_TRUE(View()->IsWindowVisible()) << name;
        EXPECT_EQ(::GetFocus(), View()->m_hWnd) << name;
        EXPECT_EQ(::GetDlgItem(pParent->m_hWnd, nId), View()->m_hWnd) << name;
        ExpectKept(kept, name);
    }
    ExpectUndoOfTheReport(kept);
}

// A long workspace keeps its saved state across a new size: what was typed after a save stays
// unsaved, so that File > New and Exit still offer to save it, and a saved text stays saved.
TEST_F(LongWorkspace, ALongWorkspaceKeepsItsSavedStateAcrossANewSize)
{
    LongTextInView();
    for (const char* typed : {"7", ""}) {
        doc->SetModifiedFlag(FALSE);
        Keys(typed);
        const BOOL bTyped = *typed != 0;
        ASSERT_EQ(doc->IsModified(), bTyped) << "typed: " << typed;
        const HWND hBefore = View()->m_hWnd;
        const CRect was = Place();
        View()->SetWindowPos(nullptr, 0, 0, was.Width(), was.Height() - 60,
                             SWP_NOMOVE | SWP_NOZORDER);
        Pump();
        ASSERT_NE(View()->m_hWnd, hBefore) << "a new control at the new size";
        EXPECT_EQ(doc->IsModified(), bTyped) << "typed: " << typed;
    }
}

// Rich-edit controls created on this thread while it lives.
class ControlCount {
public:
    ControlCount()
    {
        m_hHook = ::SetWindowsHookExA(WH_CBT, &Hook, nullptr, ::GetCurrentThreadId());
    }
    ~ControlCount() { ::UnhookWindowsHookEx(m_hHook); }
    ControlCount(const ControlCount&) = delete;
    ControlCount& operator=(const ControlCount&) = delete;
    static inline int s_nCreated = 0;

private:
    static LRESULT CALLBACK Hook(int nCode, WPARAM wParam, LPARAM lParam)
    {
        char name[64] = "";
        if (nCode == HCBT_CREATEWND && ::GetClassNameA(HWND(wParam), name, sizeof name) &&
            std::string(name) == RICHEDIT_CLASSA)
            ++s_nCreated;
        return ::CallNextHookEx(nullptr, nCode, wParam, lParam);
    }
    HHOOK m_hHook;
};

// A drag of the main window's edge: the long workspace keeps its size and control at each step,
// and takes the last size in one new control as the drag ends, the user none the wiser.
TEST_F(LongWorkspace, ADraggedWindowEdgeGivesALongWorkspaceItsLastSizeOnceAsTheDragEnds)
{
    const KeptText kept = LongTextInView();
    CRect start;
    frame->GetWindowRect(&start);
    const struct {
        const char* drag;
        std::vector<CSize> steps; // the frame's growth from where it started, step by step
        BOOL bHide;               // the workspace hidden before the drag ends
    } drags[] = {
        {"ten steps",
         {{-10, -8},
          {-20, -16},
          {-30, -24},
          {-40, -32},
          {-50, -40},
          {-45, -44},
          {-40, -48},
          {-35, -52},
          {-30, -56},
          {-25, -60}},
         FALSE},
        {"no step", {}, FALSE},
        {"back where it started", {{10, 12}, {-25, -60}}, FALSE},
        {"hidden on the way", {{20, 30}, {40, 50}}, TRUE},
    };
    for (const auto& drag : drags) {
        const HWND hBefore = View()->m_hWnd;
        const CRect was = Place();
        CRect frameWas, frameNow;
        frame->GetWindowRect(&frameWas);
        const int nCreated = ControlCount::s_nCreated;
        const ControlCount count;
        frame->SendMessage(WM_ENTERSIZEMOVE);
        for (const CSize& step : drag.steps) {
            frame->SetWindowPos(nullptr, 0, 0, start.Width() + step.cx, start.Height() + step.cy,
                                SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            Pump();
            EXPECT_EQ(View()->m_hWnd, hBefore) << drag.drag << ": no new control on the way";
            EXPECT_EQ(Place().Size(), was.Size()) << drag.drag;
        }
        if (drag.bHide)
            View()->ShowWindow(SW_HIDE);
        frame->SendMessage(WM_EXITSIZEMOVE);
        Pump();
        if (drag.bHide)
            View()->ShowWindow(SW_SHOW);
        const BOOL bResized = Place().Size() != was.Size();
        EXPECT_EQ(ControlCount::s_nCreated - nCreated, bResized ? 1 : 0) << drag.drag;
        frame->GetWindowRect(&frameNow);
        EXPECT_EQ(bResized, frameNow.Size() != frameWas.Size()) << drag.drag;
        EXPECT_EQ(::IsWindow(hBefore), !bResized) << drag.drag << ": the old control went";
        // The size taken is the one the panes give: laying them out again changes nothing.
        const HWND hAfter = View()->m_hWnd;
        const CRect after = Place();
        frame->RecalcLayout();
        Pump();
        EXPECT_EQ(Place(), after) << drag.drag;
        EXPECT_EQ(View()->m_hWnd, hAfter) << drag.drag;
        EXPECT_TRUE(drag.bHide || ::GetFocus() == View()->m_hWnd) << drag.drag;
        ExpectKept(kept, drag.drag);
    }
    ExpectUndoOfTheReport(kept);
    // A short text follows the drag step by step.
    Press('A', kCtrl);
    Press(VK_DELETE);
    const CRect was = Place();
    frame->SendMessage(WM_ENTERSIZEMOVE);
    frame->SetWindowPos(nullptr, 0, 0, start.Width() - 60, start.Height() - 40,
                        SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    EXPECT_NE(Place().Size(), was.Size()) << "a short text";
    frame->SendMessage(WM_EXITSIZEMOVE);
}

TEST_F(LongWorkspace, ALongWorkspaceEmptiesByEveryRoadAndOpensAgainAsSaved)
{
    ScriptedModalHook hook;
    Report(300);
    const std::string text = Text(), rtf = Rtf();
    const std::string path = TestFolder() + "long.zvp";
    ASSERT_TRUE(doc->OnSaveDocument(path.c_str()));
    doc->SetModifiedFlag(FALSE);
    struct Road {
        const char* name;
        std::function<void()> take;
        std::string left; // what the road leaves
    };
    const Road roads[] = {
        {"Delete", [] { Press(VK_DELETE); }, ""},
        {"Backspace", [] { Press(VK_BACK); }, ""},
        {"Cut", [] { Press('X', kCtrl); }, ""},
        {"Clear", [&] { Command(ID_WORKSPACE_CLEAR, View()); }, ""},
        {"a typed character", [] { Press('7'); }, "7"},
    };
    for (const Road& road : roads) {
        Focus();
        Press('A', kCtrl);
        road.take();
        EXPECT_EQ(Text(), road.left) << road.name;
        EXPECT_TRUE(doc->IsModified()) << road.name;
        // A typed character goes in the control's own steps, its colouring too.
        for (int i = 0; i < 4 && Text() != text; ++i) {
            EXPECT_TRUE(i == 0 || !road.left.empty()) << road.name << ": one Undo";
            Press('Z', kCtrl);
        }
        EXPECT_EQ(Rtf(), rtf) << road.name;
        if (road.left.empty()) {
            Press('Y', kCtrl);
            EXPECT_EQ(Text(), "") << road.name << ", redone";
            Press('Z', kCtrl);
        }
    }
    CString clipboard;
    ASSERT_TRUE(::OpenClipboard(nullptr));
    if (HANDLE hData = ::GetClipboardData(CF_TEXT)) {
        clipboard = static_cast<const char*>(::GlobalLock(hData));
        ::GlobalUnlock(hData);
    }
    ::CloseClipboard();
    clipboard.Remove('\n');
    EXPECT_EQ(std::string(clipboard.GetString()), text) << "Cut copied the text";

    hook.boxAnswer = IDNO; // not saved
    Command(IDM_FILE_NEW);
    EXPECT_EQ(Text(), "");
    EXPECT_FALSE(doc->IsModified());
    EXPECT_FALSE(View()->SendMessage(EM_CANUNDO)) << "nothing of the old project to undo";
    hook.ChooseFile(path);
    Command(IDM_FILE_OPEN);
    EXPECT_EQ(Rtf(), rtf);
    EXPECT_FALSE(doc->IsModified());
    EXPECT_TRUE(View()->GetStyle() & WS_VSCROLL) << "the opened text can be scrolled by its bar";
    Focus();
    Press(VK_END, kCtrl);
    Keys("2*3\r");
    EXPECT_EQ(Text().substr(text.size()), "2*3 =\r6\r") << "the opened text types and answers";
}

} // namespace
