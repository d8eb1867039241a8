// The workspace as the user meets it under Wine: keys typed into the view of the project
// document, the answers and tips that come back and where tips go, the colours of names, the
// paste guard, the demonstration and its end, a project saved and opened again, and the
// options page.
#include "app/MyDocument.h"
#include "app/RichWorkspace.h"
#include "app/WorkspaceDemo.h"
#include "app/WorkspacePage.h"
#include "engine/LocaleSeparators.h"
#include "framework/core/ProfileStore.h"
#include "framework/win/CommonDialogs.h"
#include "res/AnalysisIds.h"
#include "res/AppIds.h"
#include "tests/app_win/ShellTestApp.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/ScriptedModalHook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <fstream>
#include <functional>
#include <string>
#include <vector>

namespace {

class WorkspaceTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureTestTemplate();
        // A fresh view reads the defaults.
        const std::string section =
            std::string(kTestSettingsKey) + "\\" + AfxGetAppName() + "\\Workspace";
        ::RegDeleteTreeA(HKEY_CURRENT_USER, section.c_str());
        folder = TestFolder();
        UseDotSeparators();
        CloseMainFrame();
        ASSERT_NE(View(), nullptr);
        View()->SetFocus();
    }
    void TearDown() override
    {
        CloseMainFrame();
        UseDotSeparators();
    }
    static CMyDocument* Document() { return MainDocument(); }
    static CRichWorkspace* View() { return Document() ? Document()->GetWorkspaceView() : nullptr; }

    // Keys as the user presses them: Return as its key (the loop translates it), the rest as
    // characters.
    static void Keys(const std::string& keys)
    {
        // The character a key makes is queued behind what waits already: one key at a time.
        for (char ch : keys) {
            if (ch == '\r')
                View()->PostMessage(WM_KEYDOWN, VK_RETURN, 1);
            else
                View()->PostMessage(WM_CHAR, WPARAM(BYTE(ch)), 1);
            Pump();
        }
    }
    // The text with its line ends written as "|".
    static std::string Text()
    {
        CString text;
        View()->GetWindowText(text);
        std::string lines;
        for (int i = 0; i < text.GetLength(); ++i)
            if (text[i] != '\n')
                lines += text[i] == '\r' ? '|' : text[i];
        return lines;
    }
    static std::string Tip()
    {
        CTipWnd& tip = View()->GetTipWnd();
        if (!tip.IsWindowVisible())
            return "";
        CString text;
        tip.GetWindowText(text);
        return text.GetString();
    }
    // What the user sees of the text: each character, a line end as "|", and before each run of
    // characters their colour, face, height and effects.
    static std::string Look()
    {
        const std::string text = Text();
        std::vector<std::string> formats(text.size());
        // A range of one format is read at once, another one halved.
        std::function<void(LONG, LONG)> read = [&](LONG nStart, LONG nEnd) {
            CHARRANGE cr{nStart, nEnd};
            View()->SendMessage(EM_EXSETSEL, 0, LPARAM(&cr));
            CHARFORMAT2A cf{};
            cf.cbSize = sizeof(cf);
            View()->SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, LPARAM(&cf));
            const DWORD effects = CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
            const DWORD all = CFM_COLOR | CFM_FACE | CFM_SIZE | effects;
            if ((cf.dwMask & all) != all && nEnd - nStart > 1) {
                read(nStart, (nStart + nEnd) / 2);
                read((nStart + nEnd) / 2, nEnd);
                return;
            }
            char each[96];
            std::snprintf(each, sizeof each, "[%06lx %s %ld %lx]", cf.crTextColor, cf.szFaceName,
                          cf.yHeight, cf.dwEffects & effects);
            for (LONG i = nStart; i < nEnd; ++i)
                formats[std::size_t(i)] = each;
        };
        View()->SetRedraw(FALSE);
        for (std::size_t start = 0; start < text.size();) {
            const std::size_t end = std::min(text.find('|', start), text.size());
            if (end > start)
                read(LONG(start), LONG(end));
            start = end + 1;
        }
        View()->SetRedraw(TRUE);
        std::string look, format;
        for (std::size_t i = 0; i < text.size(); ++i) {
            if (text[i] != '|' && formats[i] != format)
                look += format = formats[i];
            look += text[i];
        }
        return look;
    }
    // The report through the results dialog, closed with OK and its log box ticked.
    static void LogReport(CAnalysisResult& report)
    {
        ScriptedModalHook hook;
        hook.steps = {[](CWnd* pDialog) {
            pDialog->CheckDlgButton(IDC_RESULTS_LOG, BST_CHECKED);
            ClickButton(pDialog, IDOK);
        }};
        Document()->ShowResults(report);
        Pump();
    }
    static POINT GetScrollPos()
    {
        POINT pos{0, 0};
        View()->SendMessage(EM_GETSCROLLPOS, 0, LPARAM(&pos));
        return pos;
    }
    static CHARRANGE Selection()
    {
        CHARRANGE cr{};
        View()->SendMessage(EM_EXGETSEL, 0, LPARAM(&cr));
        return cr;
    }
    static COLORREF ColourAt(LONG nChar)
    {
        CHARRANGE cr{nChar, nChar + 1};
        View()->SendMessage(EM_EXSETSEL, 0, LPARAM(&cr));
        CHARFORMAT2A cf{};
        cf.cbSize = sizeof(cf);
        View()->SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, LPARAM(&cf));
        return cf.crTextColor;
    }
    // The face and height (twips) of the character at nChar, or of the caret's typing format for
    // -1.
    static std::string FontAt(LONG nChar)
    {
        CHARRANGE cr{nChar, nChar < 0 ? nChar : nChar + 1};
        if (nChar < 0)
            View()->SendMessage(EM_EXGETSEL, 0, LPARAM(&cr));
        else
            View()->SendMessage(EM_EXSETSEL, 0, LPARAM(&cr));
        CHARFORMAT2A cf{};
        cf.cbSize = sizeof(cf);
        View()->SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, LPARAM(&cf));
        return std::string(cf.szFaceName) + " " + std::to_string(cf.yHeight);
    }
    static void SetText(const char* text)
    {
        View()->SetWindowText(text);
        CHARRANGE end{-1, -1};
        View()->SendMessage(EM_EXSETSEL, 0, LPARAM(&end));
    }

    std::string folder;
};

TEST_F(WorkspaceTest, EnterTypesTheAnswerAfterTheLine)
{
    struct Case {
        const char* keys;
        const char* text;
    };
    for (const Case& c : std::initializer_list<Case>{
             {"2+3\r", "2+3 =|5|"},
             {"2+3=\r", "2+3=|5|"},
             {"2+3\r*2\r", "2+3 =|5|ANS*2 =|10|"},
             {"2+3\r-2\r", "2+3 =|5|-2 =|-2|"},
             {"2+3\r\r", "2+3 =|5 =|5||"},
             {"' note\r", "' note|"},
             {"   \r", "   |"},
             {"\r", ""},
             {"a = 5\r", "a = 5 =|5|"},
             {"f(a) = a^2\rf(3)\r", "f(a) = a^2|f(3) =|9|"},
             {"0x1f\r", "0x1f =|0X1F|"},
             {"plot(x^2)\r", "plot(x^2)|"},
         }) {
        SetText("");
        Keys(c.keys);
        EXPECT_EQ(Text(), c.text) << c.keys;
        EXPECT_EQ(Tip(), "") << c.keys;
    }
    EXPECT_EQ(Document()->GetModel().m_FunctionPlot.GetItemCount(), 1);

    // Printed lines and reports start on a line of their own.
    SetText("abc");
    View()->SendMessage(EM_SETSEL, 1, 1);
    View()->PrintLine("' title");
    EXPECT_EQ(Text(), "abc|' title|");
    CAnalysisResult report;
    report.SetTitle("Report");
    report.AddInteger("Count", 3);
    SetText("x\r");
    View()->SendMessage(EM_SETSEL, 0, 0);
    report.PrintToWorkspace(*View(), TRUE);
    EXPECT_EQ(Text(), "x|' Report|Count3|") << "the last line was empty";
    EXPECT_EQ(View()->GetSettings().PopupOptions, 0x1Fu) << "tips come back after a report";
    EXPECT_EQ(View()->m_rectMargin, CRect(1880, 1440, 1880, 1440)) << "print margins";

    // An answer too long to type goes in one piece where typing would have put it.
    const std::string derivative = "sdiff(sin(x)*cos(x)*tan(x)*exp(x)*ln(x)*sqrt(x))";
    SetText(derivative.c_str());
    Keys("\r");
    const std::string answer = Document()->GetLineResult().GetText().GetString();
    EXPECT_GT(answer.size(), 100u);
    EXPECT_EQ(Text(), derivative + " =|" + answer + "|");

    // The longest lines evaluate without running out of stack.
    const std::string nested = std::string(499, '(') + "1" + std::string(499, ')');
    SetText(nested.c_str());
    Keys("\r");
    EXPECT_EQ(Text(), nested + " =|1|");
}

// What is logged goes on new lines after the last one, wherever the caret was left: it never
// splits an earlier report. Only the answer of the line Enter was pressed on goes right after it.
TEST_F(WorkspaceTest, LoggedLinesGoAfterTheLastLineWhereverTheCaretStands)
{
    const std::string earlier = "' Solver solution|Equation: x^2=4|    x = 2|2+3";
    SetText("' Solver solution\rEquation: x^2=4\r    x = 2\r2+3");
    const LONG insideReport = 22; // inside "Equation"
    View()->SendMessage(EM_SETSEL, insideReport, insideReport);

    CUnitConverterDlg& converter = MainFrame()->GetUnitConverter();
    converter.CheckDlgButton(IDC_CONVERTER_LOG, BST_CHECKED);
    converter.SetDlgItemText(IDC_CONVERTER_FROM_VALUE, "100");
    converter.SetDlgItemText(IDC_CONVERTER_FROM_UNIT, "degree C");
    converter.SetDlgItemText(IDC_CONVERTER_TO_UNIT, "degree F");
    ClickButton(&converter, IDC_CONVERTER_CONVERT);
    Pump();
    const std::string converted = earlier + "|' 100 degree C = 212 degree F|";
    EXPECT_EQ(Text(), converted);

    View()->SendMessage(EM_SETSEL, insideReport, insideReport + 3);
    CAnalysisResult report;
    report.SetTitle("Statistics");
    report.AddInteger("Points", 3);
    LogReport(report);
    const std::string logged = converted + "' Statistics|Points3|";
    EXPECT_EQ(Text(), logged);

    // Enter at the end of the earlier "2+3": the answer follows that line.
    View()->SendMessage(EM_SETSEL, LONG(earlier.size()), LONG(earlier.size()));
    Keys("\r");
    EXPECT_EQ(Text(), earlier + " =|5|" + logged.substr(earlier.size()));
}

// Lines written in one piece look as if typed: the same text in the same colours and font,
// the caret after them, no tip; and one Undo takes them away again.
// A report's words are the program's, not names the user typed: logged, it shows only its title
// in a colour of its own (the comments'), though "Ave", "Chi", "Min", "Max" and "or" are names of
// functions and "Steps" a variable; an answer the user asked for is coloured as typed.
TEST_F(WorkspaceTest, AReportIsInTheColoursOfResults)
{
    SetText("");
    Keys("3 -> Steps\rsdiff(sin(x))\r");
    const std::string answer = Text();
    ASSERT_EQ(answer.substr(answer.size() - 8), "|cos(x)|");
    EXPECT_EQ(ColourAt(LONG(answer.size() - 7)), COLORREF(0xC80000)) << "the answer's cos";
    CAnalysisResult report;
    report.SetTitle("Statistics");
    report.AddNumber("Ave Deviation: ", 1.5);
    report.AddNumber("Chi Square = ", 2, 1);
    report.AddText(CString(), "No solutions found: no sign change in 200 steps from -10 to 10. "
                              "Narrow Min and Max, or raise Steps.");
    LogReport(report);
    const std::string text = Text();
    ASSERT_EQ(text.substr(0, answer.size() + 13), answer + "' Statistics|");
    std::string coloured; // the characters of the report in another colour than they should be
    for (std::size_t i = answer.size(); i < text.size(); ++i) {
        const bool bTitle = i < answer.size() + 12;
        if (text[i] != '|' && ColourAt(LONG(i)) != COLORREF(bTitle ? 0xC800 : 0))
            coloured += text[i];
    }
    EXPECT_EQ(coloured, "") << text.substr(answer.size());
}

TEST_F(WorkspaceTest, LinesWrittenInOnePieceLookAsIfTyped)
{
    SetText("");
    Keys("3 -> v\r");
    struct Case {
        const char* before;
        LONG caret;
        std::string lines;
        BOOL bAtTextEnd;
    };
    std::string many = "' Solver solution\n";
    for (int i = 0; i < 60; ++i)
        many += "    v = " + std::to_string(i) + "\n";
    for (const Case& c : std::initializer_list<Case>{
             {"", 0, "' Solver solution\nEquation: v^2=sin(pi)\n    v = 1.5\n", TRUE},
             {"2+3", 1,
              "' Zeros\n  ' note\ny = sin(x)+Na\t{v}\\v \x01\xdc"
              "bung\n",
              FALSE},
             {"abc\rdef", 1, "' Report\nsinx+sin\n\n", FALSE}, // between two lines
             {"x\r", 0, "' Report\nv\n", TRUE},
             {"abc\r\rdef", 4, "cos(v)\n", FALSE}, // on the empty line
             {"", 0, "' no line end", TRUE},
             {"1+1", 0, many, TRUE}, // the end scrolled into view
         }) {
        auto run = [&](bool bTyped) {
            SetText(c.before);
            View()->SendMessage(EM_SETSEL, c.caret, c.caret);
            View()->SendMessage(EM_EMPTYUNDOBUFFER);
            View()->SendMessage(EM_SETMODIFY, FALSE);
            View()->ShowErrorTip("a tip");
            if (!bTyped) {
                View()->WriteLines(c.lines.c_str(), c.bAtTextEnd, WrittenColours::AsTyped);
            } else {
                if (c.bAtTextEnd)
                    View()->NewLineAtTextEnd();
                else
                    View()->NewLineAtLineEnd();
                const int options = View()->SetPopupOptions(0);
                View()->TypeText(c.lines.c_str());
                View()->SetPopupOptions(options);
            }
            const CHARRANGE sel = Selection();
            const std::string tip = Tip();
            const bool bModified = View()->SendMessage(EM_GETMODIFY) != 0;
            const POINT scrolled = GetScrollPos();
            return Look() + " caret " + std::to_string(sel.cpMin) + "-" +
                   std::to_string(sel.cpMax) + " tip \"" + tip + "\"" +
                   (bModified ? " modified" : "") + " scrolled to " + std::to_string(scrolled.y) +
                   (View()->GetStyle() & WS_VSCROLL ? " with a scroll bar" : "");
        };
        const std::string typed = run(true);
        EXPECT_EQ(run(false), typed) << c.lines.substr(0, 40);
        View()->SendMessage(EM_UNDO);
        std::string before = c.before;
        std::replace(before.begin(), before.end(), '\r', '|');
        EXPECT_EQ(Text(), before) << "one Undo: " << c.lines.substr(0, 40);
    }
}

TEST_F(WorkspaceTest, ErrorsShowInTheTipWithTheirSpanSelected)
{
    struct Case {
        const char* text; // the caret at its end
        const char* tip;
        LONG selStart, selEnd;
    };
    const std::string tooLong = "1" + std::string(1000, '0');
    for (const Case& c : std::initializer_list<Case>{
             {"1+", "Dangling operator", 1, 2},
             {"   1+", "Dangling operator", 4, 5},
             {"2\r1+\r", "Dangling operator", 3, 4}, // evaluated from the empty line below
             {"x = 5", "Cannot use predefined name", 5, 5},
             {"plot()", "Wrong number of arguments", 5, 6},
             {tooLong.c_str(), "Line too long (more than 1,000 characters)", 1001, 1001},
         }) {
        SetText(c.text);
        const std::string before = Text();
        Keys("\r");
        EXPECT_EQ(Tip(), c.tip) << c.text;
        EXPECT_EQ(Text(), before) << c.text;
        EXPECT_EQ(Selection().cpMin, c.selStart) << c.text;
        EXPECT_EQ(Selection().cpMax, c.selEnd) << c.text;
    }
    // Typing replaces the selected span; the next Enter hides the tip.
    SetText("1+");
    Keys("\r3\r");
    EXPECT_EQ(Text(), "13 =|13|");
    EXPECT_EQ(Tip(), "");

    // An error tip goes with a click into it.
    SetText("1+");
    Keys("\r");
    ASSERT_EQ(Tip(), "Dangling operator");
    // It shows without taking the activation, a black frame around pale yellow and the text.
    CTipWnd& tip = View()->GetTipWnd();
    EXPECT_NE(CWnd::GetActiveWindow(), &tip);
    EXPECT_TRUE(tip.GetExStyle() & WS_EX_TOPMOST);
    const CDibImage image = AfxPrintClientToDib(&tip);
    ASSERT_GT(image.width, 20);
    EXPECT_EQ(image.Pixel(0, 0), RGB(0, 0, 0));
    EXPECT_EQ(image.Pixel(image.width - 1, image.height - 1), RGB(0, 0, 0));
    EXPECT_EQ(image.Pixel(1, 1), RGB(0xFF, 0xFF, 0xF2));
    int dark = 0;
    for (int x = 2; x < image.width - 2; ++x)
        for (int y = 2; y < image.height - 2; ++y)
            dark += image.Pixel(x, y) == RGB(0, 0, 0);
    EXPECT_GT(dark, 20) << "the text is drawn";
    tip.SendMessage(WM_LBUTTONDOWN, MK_LBUTTON, 0);
    EXPECT_EQ(Tip(), "");

    // Return's key-down alone inserts nothing; nothing above an empty line evaluates nothing.
    SetText("2");
    View()->SendMessage(WM_KEYDOWN, VK_RETURN, 1);
    EXPECT_EQ(Text(), "2");
    SetText("");
    const double answer = Document()->GetModel().m_Engine.m_dLastAnswer;
    Keys("\r\r");
    EXPECT_EQ(Text(), "");
    EXPECT_EQ(Document()->GetModel().m_Engine.m_dLastAnswer, answer);
}

TEST_F(WorkspaceTest, TipsStayInsideTheWorkAreaAndGoWithTheFrame)
{
    CMainFrame* pFrame = MainFrame();
    WINDOWPLACEMENT placement{};
    placement.length = sizeof placement;
    pFrame->GetWindowPlacement(&placement);
    const CRect work = WorkAreaOf(pFrame->m_hWnd);
    // The frame hangs over the work area's bottom right, where the caret ends a long line.
    pFrame->SetWindowPos(nullptr, work.right - 500, work.bottom - 350, 900, 700, SWP_NOZORDER);
    auto showTip = [&] {
        SetText(("\r\r\r\r\r\r\r\r" + std::string(1001, '1')).c_str());
        Keys("\r");
        return Tip() == "Line too long (more than 1,000 characters)";
    };
    ASSERT_TRUE(showTip());
    CRect tip;
    View()->GetTipWnd().GetWindowRect(&tip);
    CRect inside;
    inside.IntersectRect(&tip, &work);
    EXPECT_TRUE(inside == tip) << tip.left << "," << tip.top << " - " << tip.right << ","
                               << tip.bottom;
    for (UINT flags : {SWP_NOSIZE, SWP_NOMOVE}) {
        ASSERT_TRUE(showTip());
        pFrame->SetWindowPos(nullptr, work.left, work.top, 700, 500, SWP_NOZORDER | flags);
        EXPECT_EQ(Tip(), "") << "the frame moved or changed its size";
    }
    ASSERT_TRUE(showTip());
    View()->SendMessage(WM_VSCROLL, SB_LINEUP);
    EXPECT_EQ(Tip(), "") << "the text scrolled";
    ASSERT_TRUE(showTip());
    pFrame->SetWindowPos(&CWnd::wndTop, 0, 0, 0, 0, SWP_NOMOVE | SWP_NOSIZE | SWP_NOACTIVATE);
    EXPECT_NE(Tip(), "") << "only brought to the top";
    pFrame->SetWindowPlacement(&placement);
}

TEST_F(WorkspaceTest, NamesTakeTheirColoursAndTips)
{
    SetText("");
    Keys("3 -> v\rf(a) = a+1\r");
    const LONG start = LONG(Text().size());
    // "   ' note" is a comment; then a line of names of every kind.
    Keys("   ' note\n");
    const LONG names = LONG(Text().size());
    Keys("sin(Na)+f(v)+zz");
    struct Case {
        LONG at;
        COLORREF colour;
    };
    for (const Case& c : std::initializer_list<Case>{
             {start, 0xC800},
             {start + 5, 0xC800},
             {names, 0xC80000},     // sin
             {names + 4, 0xC8},     // Na
             {names + 8, 0xC80000}, // f
             {names + 10, 0xC8},    // v
             {names + 13, 0},       // zz
             {names + 3, 0},        // (
         })
        EXPECT_EQ(ColourAt(c.at), c.colour) << "at " << c.at - names;

    // Text the program types is coloured alike: a name that grows into an unknown one loses
    // its colour.
    SetText("");
    View()->TypeText("1+sinx+cos");
    for (const Case& c : std::initializer_list<Case>{{2, 0}, {4, 0}, {5, 0}, {7, 0xC80000}})
        EXPECT_EQ(ColourAt(c.at), c.colour) << "typed at " << c.at;

    // Tips: functions of one argument raise none, of two their syntax; variables their value;
    // the line's closing parenthesis hides it.
    SetText("");
    Keys("sin");
    EXPECT_EQ(Tip(), "");
    Keys("(mod");
    EXPECT_EQ(Tip(), "MOD(number, modulus)");
    Keys("(v");
    EXPECT_EQ(Tip(), " = 3");
    Keys(",1))");
    EXPECT_EQ(Tip(), "");

    View()->SetPopupOptions(0);
    Keys("+mod(v");
    EXPECT_EQ(Tip(), "");

    // Past what a line read holds, a name is not looked at; a long comment is one colour.
    SetText(("'" + std::string(1199, 'c')).c_str());
    Keys("x");
    EXPECT_EQ(ColourAt(1150), COLORREF(0xC800));
    SetText(std::string(1200, '1').c_str());
    Keys("+sin");
    EXPECT_EQ(ColourAt(1202), COLORREF(0));
}

// The items of the first pop-up menu that opens while the hook is set; Escape closes it.
std::vector<UINT> g_menuItems;
LRESULT CALLBACK RecordMenu(int code, WPARAM wParam, LPARAM lParam)
{
    const auto* msg = reinterpret_cast<const CWPSTRUCT*>(lParam);
    if (code == HC_ACTION && msg->message == WM_INITMENUPOPUP && g_menuItems.empty()) {
        const HMENU hMenu = reinterpret_cast<HMENU>(msg->wParam);
        for (int i = 0; i < ::GetMenuItemCount(hMenu); ++i)
            if (const UINT id = ::GetMenuItemID(hMenu, i))
                g_menuItems.push_back(id);
        ::PostMessageA(msg->hwnd, WM_KEYDOWN, VK_ESCAPE, 1);
    }
    return ::CallNextHookEx(nullptr, code, wParam, lParam);
}

TEST_F(WorkspaceTest, EditCommandsInTheContextMenuAndCtrlAKeepsWhatItSelected)
{
    // Ctrl+A selects everything on its key; the control character that follows it changes no
    // text and must leave that selection alone.
    SetText("1+2");
    View()->SendMessage(EM_SETSEL, 0, -1);
    Keys("\x01");
    EXPECT_EQ(Selection().cpMin, 0);
    EXPECT_GE(Selection().cpMax, 3) << "all of it, the paragraph's end too";
    EXPECT_EQ(Text(), "1+2");

    g_menuItems.clear();
    HHOOK hHook = ::SetWindowsHookExA(WH_CALLWNDPROC, RecordMenu, nullptr, ::GetCurrentThreadId());
    View()->SendMessage(WM_CONTEXTMENU, WPARAM(View()->GetSafeHwnd()), MAKELPARAM(-1, -1));
    ::UnhookWindowsHookEx(hHook);
    EXPECT_EQ(g_menuItems,
              (std::vector<UINT>{ID_WORKSPACE_CUT, ID_WORKSPACE_COPY, ID_WORKSPACE_PASTE,
                                 ID_WORKSPACE_SELECT_ALL, ID_WORKSPACE_OPTIONS}));
}

TEST_F(WorkspaceTest, KeypadDecimalTypesTheLocaleDecimalPoint)
{
    SetText("");
    UseCommaSeparators();
    View()->PostMessage(WM_KEYDOWN, VK_DECIMAL, 1);
    Pump();
    Keys("5\r");
    EXPECT_EQ(Text(), ",5 =|0,5|");
}

TEST_F(WorkspaceTest, APasteWithATooLongLineIsRefused)
{
    ScriptedModalHook hook;
    auto putOnClipboard = [](const std::string& text) {
        ASSERT_TRUE(::OpenClipboard(nullptr));
        ::EmptyClipboard();
        HGLOBAL h = ::GlobalAlloc(GMEM_MOVEABLE, text.size() + 1);
        std::memcpy(::GlobalLock(h), text.c_str(), text.size() + 1);
        ::GlobalUnlock(h);
        ::SetClipboardData(CF_TEXT, h);
        ::CloseClipboard();
    };
    SetText("12");
    putOnClipboard(std::string(999, '4'));
    View()->SendMessage(WM_COMMAND, ID_WORKSPACE_PASTE);
    EXPECT_EQ(Text(), "12") << "the line would be 1,001 long";
    MainFrame()->SendMessage(WM_COMMAND, ID_EDIT_PASTE);
    EXPECT_EQ(Text(), "12");
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    keys[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keys);
    View()->SendMessage(WM_KEYDOWN, 'V', 1);
    keys[VK_CONTROL] = 0;
    ::SetKeyboardState(keys);
    EXPECT_EQ(Text(), "12");
    ASSERT_EQ(hook.messages.size(), 3u);
    EXPECT_NE(std::string(hook.messages[0]).find("1,000"), std::string::npos);
    ASSERT_TRUE(::IsClipboardFormatAvailable(CF_TEXT)) << "the clipboard stays";

    putOnClipboard("3\r\n" + std::string(998, '4'));
    View()->SendMessage(WM_COMMAND, ID_WORKSPACE_PASTE);
    EXPECT_EQ(Text(), "123|" + std::string(998, '4'));
    EXPECT_EQ(hook.messages.size(), 3u);
}

// Plays the demonstration, started by Run Demo with pActive the active view, to its end by the
// test's ticks alone: the view's own timer, which Run Demo starts, would add ticks as the
// machine's load has it.
void PlayDemo(CRichWorkspace* pView, CView* pActive)
{
    MainFrame()->SetActiveView(pActive);
    MainFrame()->SendMessage(WM_COMMAND, ID_RUN_DEMO);
    EXPECT_TRUE(pView->KillTimer(1)) << "Run Demo plays by a timer";
    const std::size_t length = std::strlen(kWorkspaceDemoScript);
    for (std::size_t i = 0; i <= length && pView->IsDemoRunning(); ++i) {
        pView->SendMessage(WM_TIMER, 1);
        Pump();
    }
    EXPECT_FALSE(pView->IsDemoRunning()) << "one tick a character";
}

TEST_F(WorkspaceTest, TheDemonstrationTypesAndEvaluatesItsScript)
{
    ScriptedModalHook hook;
    SetText("");
    // From another pane the document's Run Demo starts it.
    PlayDemo(View(), MainFrame()->GetPaneView(ViewGrid));
    const std::string text = Text();
    EXPECT_NE(text.find("\t'Welcome to the Zivra workspace.|"), std::string::npos);
    EXPECT_NE(text.find("\tsin(3)+sin(3) =|0.282240016119734|"), std::string::npos) << text;
    const std::string end = "\tMyVar2 =|40|";
    ASSERT_GE(text.size(), end.size());
    EXPECT_NE(text.find(end), std::string::npos);
    EXPECT_EQ(Document()->GetModel().m_FunctionPlot.GetItemCount(), 2);

    // Played again, the first graph asks to be replaced: while the question is open no line
    // starts, and the script goes on afterwards.
    std::string during;
    int questions = 0;
    hook.onStart = [&](CWnd*) {
        ++questions;
        const std::string atQuestion = Text();
        for (int i = 0; i < 5; ++i) {
            View()->SendMessage(WM_TIMER, 1);
            Pump();
        }
        during = Text() == atQuestion ? "still" : "typed";
    };
    hook.startAnswer = IDYES;
    SetText("");
    PlayDemo(View(), View());
    EXPECT_EQ(questions, 2);
    EXPECT_EQ(during, "still");
    EXPECT_NE(Text().find(end), std::string::npos);
}

TEST_F(WorkspaceTest, TheDemonstrationKeepsToItsOwnLinesAndEscapeEndsIt)
{
    ScriptedModalHook hook;
    const std::string script = kWorkspaceDemoScript;
    auto shown = [&](std::size_t n) { // the script's first n characters as the workspace shows
        std::string text;
        for (char ch : script.substr(0, n))
            text += ch == '\n' || ch == '\r' ? '|' : ch;
        return text;
    };
    auto tick = [](std::size_t n) {
        for (std::size_t i = 0; i < n; ++i) {
            View()->SendMessage(WM_TIMER, 1);
            Pump();
        }
    };
    SetText("");
    MainFrame()->SetActiveView(MainFrame()->GetPaneView(ViewGrid));
    MainFrame()->SendMessage(WM_COMMAND, ID_RUN_DEMO);
    View()->KillTimer(1); // only the test's ticks play it
    EXPECT_EQ(CWnd::GetFocus(), View()) << "the keys that stop it go where it plays";
    tick(10);
    Keys("7*7\r");
    View()->SendMessage(EM_SETSEL, 0, 0);
    tick(5);
    EXPECT_EQ(Text(), shown(15)) << "neither typing nor a click elsewhere reach the script";
    View()->PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    tick(200);
    const std::size_t firstLine = script.find('\n') + 1;
    EXPECT_EQ(Text(), shown(firstLine)) << "Escape mid-line finishes the line";
    EXPECT_FALSE(View()->IsDemoRunning());
    Keys("2+3\r");
    EXPECT_EQ(Text(), shown(firstLine) + "2+3 =|5|") << "the keys are the user's again";

    SetText("");
    const std::size_t example = script.find("\tsin(3)+sin(3)\r");
    MainFrame()->SendMessage(WM_COMMAND, ID_RUN_DEMO);
    View()->KillTimer(1);
    tick(example + 5);
    View()->PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
    tick(200);
    EXPECT_EQ(Text(), shown(example) + "\tsin(3)+sin(3) =|0.282240016119734|")
        << "an example line is finished and evaluated";

    // With the caret inside the user's lines it starts on a new line after the last one.
    for (const char* user : {"2+3\r4*5", "2+3\r4*5\r"}) {
        SetText(user);
        View()->SendMessage(EM_SETSEL, 2, 2);
        MainFrame()->SendMessage(WM_COMMAND, ID_RUN_DEMO);
        View()->KillTimer(1);
        tick(firstLine);
        EXPECT_EQ(Text(), "2+3|4*5|" + shown(firstLine)) << "the user's text stays whole";
        View()->PostMessage(WM_KEYDOWN, VK_ESCAPE, 1);
        tick(1);
    }

    // File/New ends it: the rest of the script is neither typed nor evaluated in the new project.
    SetText("");
    MainFrame()->SendMessage(WM_COMMAND, ID_RUN_DEMO);
    View()->KillTimer(1);
    tick(5);
    hook.boxAnswer = IDNO; // the played lines are not saved
    TestApp().OnFileNew();
    tick(example + 20);
    EXPECT_EQ(Text(), "");
    EXPECT_FALSE(View()->IsDemoRunning());
}

TEST_F(WorkspaceTest, ProjectsKeepTheWorkspaceTextAndColours)
{
    ScriptedModalHook hook;
    SetText("");
    Keys("' costs\rsin(2)\r");
    const std::string text = Text();
    const std::string path = folder + "workspace.zvp";
    ASSERT_TRUE(Document()->DoSave(path.c_str()));
    TestApp().OnFileNew();
    ASSERT_EQ(Text(), "");
    ASSERT_NE(TestApp().OpenDocumentFile(path.c_str()), nullptr);
    EXPECT_EQ(Text(), text);
    EXPECT_EQ(ColourAt(2), COLORREF(0xC800));
    EXPECT_EQ(ColourAt(8), COLORREF(0xC80000));
    EXPECT_EQ(ColourAt(12), COLORREF(0));

    // A file cut short in the workspace's text opens with as much text as it holds.
    std::ifstream in(path, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    const std::string cutPath = folder + "cut.zvp";
    std::ofstream(cutPath, std::ios::binary)
        .write(bytes.data(), std::streamsize(bytes.size() - 40));
    ASSERT_NE(TestApp().OpenDocumentFile(cutPath.c_str()), nullptr);
    EXPECT_EQ(text.compare(0, Text().size(), Text()), 0) << Text();
}

// Runs the Workspace page of a sheet: act at idle, then OK; the font dialog is answered with
// height -20 in "Courier New".
class PageRun : public ScriptedModalHook {
public:
    int OnModalStart(CWnd* pDialog) override
    {
        if (auto* pFont = dynamic_cast<CFontDialog*>(pDialog)) {
            std::strcpy(pFont->m_lf.lfFaceName, "Courier New");
            pFont->m_lf.lfHeight = -20;
            return IDOK;
        }
        return 0;
    }
    void Run(CWorkspacePage& page, const std::function<void(CWorkspacePage&)>& act)
    {
        CPropertySheet sheet("Options");
        sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
        sheet.AddPage(&page);
        steps.push_back([&](CWnd*) { act(page); });
        steps.push_back([&](CWnd*) { sheet.PressButton(PSBTN_OK); });
        sheet.DoModal();
    }
};

TEST_F(WorkspaceTest, TheOptionsPageShowsStoresAndAppliesTheSettings)
{
    CMemoryProfileStore store;
    PageRun run;
    CWorkspacePage page;
    page.m_pView = View();
    page.m_pStore = &store;
    run.Run(page, [](CWorkspacePage& p) {
        EXPECT_EQ(p.m_Colours[7].GetColour(), COLORREF(0xFFFFFF)) << "background";
        EXPECT_EQ(p.IsDlgButtonChecked(IDC_WORKSPACE_POPUP_VAR), 1u);
        EXPECT_EQ(p.IsDlgButtonChecked(IDC_WORKSPACE_SYNTAX_SEVERAL), 1u) << "PopupFunction 0";
        EXPECT_EQ(p.m_font.lfHeight, 14);
        EXPECT_STREQ(p.m_font.lfFaceName, "Arial");
        p.m_Colours[7].SetColour(0xFF000000); // Automatic
        p.m_Colours[4].SetColour(RGB(1, 2, 3));
        for (int id : {IDC_WORKSPACE_POPUP_PF, IDC_WORKSPACE_POPUP_PC, IDC_WORKSPACE_POPUP_UF,
                       IDC_WORKSPACE_POPUP_UC, IDC_WORKSPACE_POPUP_VAR})
            p.CheckDlgButton(id, BST_UNCHECKED);
        p.CheckRadioButton(IDC_WORKSPACE_SYNTAX_ALWAYS, IDC_WORKSPACE_SYNTAX_ALWAYS,
                           IDC_WORKSPACE_SYNTAX_ALWAYS);
        p.CheckDlgButton(IDC_WORKSPACE_SYNTAX_SEVERAL, BST_UNCHECKED);
        ClickButton(&p, IDC_WORKSPACE_FONT);
    });
    EXPECT_EQ(run.next, 2u);
    EXPECT_EQ(store.GetInt("Workspace", "BackColor", -1), 0xFFFFFF);
    EXPECT_EQ(store.GetInt("Workspace", "CommentColor", -1), int(RGB(1, 2, 3)));
    EXPECT_EQ(store.GetInt("Workspace", "PopupOptions", -1), 0);
    EXPECT_EQ(store.GetInt("Workspace", "PopupFunction", -1), 1);
    EXPECT_EQ(store.GetInt("Workspace", "FontSize", 0), -20);
    EXPECT_STREQ(store.GetString("Workspace", "FontFaceName", ""), "Courier New");
    EXPECT_EQ(store.GetEntries().size(), 12u);

    // The view takes the settings at once: new comments in the new colour, no tips, the font.
    EXPECT_EQ(View()->GetSettings().CommentColor, RGB(1, 2, 3));
    SetText("");
    Keys("' c\nmod");
    EXPECT_EQ(ColourAt(1), RGB(1, 2, 3));
    EXPECT_EQ(Tip(), "");
    CHARFORMAT2A cf{};
    cf.cbSize = sizeof(cf);
    View()->SendMessage(EM_GETCHARFORMAT, SCF_DEFAULT, LPARAM(&cf));
    EXPECT_STREQ(cf.szFaceName, "Courier New");
    EXPECT_EQ(cf.yHeight, 20 * 1440 / 96);

    // Workspace/Options opens the sheet at the workspace's page.
    ScriptedModalHook hook;
    bool bWorkspacePage = false;
    hook.steps.push_back([&](CWnd* pWnd) {
        auto* pSheet = dynamic_cast<CPropertySheet*>(pWnd);
        ASSERT_NE(pSheet, nullptr);
        bWorkspacePage = dynamic_cast<CWorkspacePage*>(pSheet->GetActivePage()) != nullptr;
        pSheet->PressButton(PSBTN_CANCEL);
    });
    MainFrame()->SendMessage(WM_COMMAND, ID_WORKSPACE_OPTIONS);
    EXPECT_TRUE(bWorkspacePage);
    EXPECT_EQ(hook.next, 1u);
}

TEST_F(WorkspaceTest, ANewFontTypesAtOnceAndAfterTheProjectIsOpenedAgain)
{
    ScriptedModalHook hook;
    SetText("");
    Keys("1+1\r");
    const std::string path = folder + "font.zvp";
    ASSERT_TRUE(Document()->DoSave(path.c_str()));
    const std::string arial = "Arial " + std::to_string(14 * 1440 / 96);
    const std::string courier = "Courier New " + std::to_string(20 * 1440 / 96);
    ASSERT_EQ(FontAt(0), arial);

    // Workspace/Options, Font..., OK: the caret types in the new font, the answers too.
    hook.onStart = [](CWnd* pDialog) {
        if (auto* pFont = dynamic_cast<CFontDialog*>(pDialog)) {
            std::strcpy(pFont->m_lf.lfFaceName, "Courier New");
            pFont->m_lf.lfHeight = -20;
        }
    };
    hook.steps.push_back([&](CWnd* pWnd) {
        auto* pSheet = dynamic_cast<CPropertySheet*>(pWnd);
        ASSERT_NE(pSheet, nullptr);
        hook.startAnswer = IDOK;
        ClickButton(pSheet->GetActivePage(), IDC_WORKSPACE_FONT);
        hook.startAnswer = 0;
        pSheet->PressButton(PSBTN_OK);
    });
    CHARRANGE end{-1, -1};
    View()->SendMessage(EM_EXSETSEL, 0, LPARAM(&end));
    MainFrame()->SendMessage(WM_COMMAND, ID_WORKSPACE_OPTIONS);
    ASSERT_EQ(hook.next, 1u);
    EXPECT_EQ(FontAt(-1), courier) << "at the caret after OK";
    View()->SendMessage(EM_SETSEL, 7, 7); // a click after the answer, in the old font
    Keys("*(3)\r");
    EXPECT_EQ(Text(), "1+1 =|2*(3) =|6||");
    for (LONG n : {7L, 8L, 11L, 14L})
        EXPECT_EQ(FontAt(n), courier) << "character " << n;
    EXPECT_EQ(FontAt(0), arial) << "what was typed before keeps its font";

    // The next run opens the project, typed in the old font, and types in the new one.
    CloseMainFrame();
    ASSERT_NE(View(), nullptr);
    ASSERT_NE(TestApp().OpenDocumentFile(path.c_str()), nullptr);
    ASSERT_EQ(Text(), "1+1 =|2|");
    View()->SetFocus();
    View()->SendMessage(EM_EXSETSEL, 0, LPARAM(&end));
    Keys("(2)*3\r");
    EXPECT_EQ(Text(), "1+1 =|2|(2)*3 =|6|");
    EXPECT_EQ(FontAt(-1), courier) << "at the caret after the reopen";
    for (LONG n : {8L, 9L, 13L, 16L})
        EXPECT_EQ(FontAt(n), courier) << "character " << n;
}

TEST_F(WorkspaceTest, WithoutAWorkspaceThePageShowsAndKeepsTheStoredSettings)
{
    CMemoryProfileStore store;
    WorkspaceSettings stored;
    stored.PopupFunction = 1;
    stored.PopupOptions = 0x09;
    stored.BackColor = 0xE0F0F0;
    stored.FontSize = -18;
    stored.FontFaceName = "Courier New";
    WriteWorkspaceSettings(store, stored);
    const std::vector<CString> entries = store.GetEntries();
    PageRun run;
    CWorkspacePage page;
    page.m_pStore = &store;
    run.Run(page, [](CWorkspacePage& p) {
        EXPECT_EQ(p.IsDlgButtonChecked(IDC_WORKSPACE_SYNTAX_ALWAYS), 1u);
        EXPECT_EQ(p.IsDlgButtonChecked(IDC_WORKSPACE_POPUP_PC), 0u);
        EXPECT_EQ(p.m_Colours[7].GetColour(), COLORREF(0xE0F0F0));
    });
    WorkspaceSettings after;
    ReadWorkspaceSettings(store, after);
    EXPECT_EQ(store.GetEntries(), entries);
    EXPECT_EQ(after.PopupFunction, 1);
    EXPECT_EQ(after.PopupOptions, 0x09u);
    EXPECT_EQ(after.BackColor, COLORREF(0xE0F0F0));
    EXPECT_EQ(after.FontSize, -18);
    EXPECT_STREQ(after.FontFaceName, "Courier New");
}

} // namespace
