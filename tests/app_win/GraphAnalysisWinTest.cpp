// The function plot's calculus commands in the main frame, as the user meets them: chosen in
// their dialog, shown in the results dialog, refused with the engine's message, and disabled
// without a 2-D graph.
#include "analysis/ResultsDlg.h"
#include "app/MyDocument.h"
#include "app/RichWorkspace.h"
#include "framework/win/CCmdUI.h"
#include "res/resource.h"
#include "tests/app_win/ShellTestApp.h"
#include "tests/support/ScriptedModalHook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <string>
#include <vector>

namespace {

class CEnableRecorder : public CCmdUI {
public:
    void Enable(BOOL bOn) override { m_bEnabled = bOn; }
    BOOL m_bEnabled = -1;
};

class GraphAnalysisWin : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureTestTemplate();
        CloseMainFrame();
        ASSERT_NE(MainFrame(), nullptr);
    }
    void TearDown() override { CloseMainFrame(); }
    static void Command(UINT nID)
    {
        MainFrame()->SendMessage(WM_COMMAND, nID);
        Pump();
    }
    static BOOL Enabled(UINT nID)
    {
        CEnableRecorder ui;
        ui.m_nID = nID;
        ui.DoUpdate(MainFrame(), FALSE);
        return ui.m_bEnabled;
    }
    static void Type(CWnd* pDialog, int nID, const char* text)
    {
        ::SetDlgItemTextA(pDialog->m_hWnd, nID, text);
    }
    // The results dialog's rows as "label|value".
    static std::vector<std::string> Rows(CResultsDlg& results)
    {
        std::vector<std::string> rows;
        CGridCtrl& grid = results.GetGrid();
        for (int r = 1; r < grid.GetRowCount(); ++r)
            rows.push_back(std::string(grid.GetItemText(r, 0).GetString()) + "|" +
                           grid.GetItemText(r, 1).GetString());
        return rows;
    }
};

TEST_F(GraphAnalysisWin, FindZerosOfSineOnAnIntervalShowsItsReport)
{
    CMyDocument* doc = MainDocument();
    // The angle mode earlier tests left behind would stretch the sine.
    doc->GetModel().m_Engine.m_nAngleMode = AngleRadians;
    EXPECT_FALSE(Enabled(ID_PLOT2D_FIND_ZEROS)) << "no graph selected";
    ASSERT_TRUE(doc->CreateFunctionGraph("sin(x)", "", 0, -5, 5, -1, 0, 1));
    doc->SelectItemByIndex(Item2DGraph, 0);
    for (UINT nID : {ID_PLOT2D_FIND_ZEROS, ID_PLOT2D_ANALYZE, ID_PLOT2D_CENTER_OF_MASS})
        EXPECT_TRUE(Enabled(nID)) << nID;

    ScriptedModalHook hook;
    CString chooserCaption, caption;
    std::vector<std::string> rows;
    hook.steps = {
        [&](CWnd* p) {
            p->GetWindowText(chooserCaption);
            Type(p, IDC_ANALYSIS_MIN, "4");
            Type(p, IDC_ANALYSIS_MAX, "-4");
            ClickButton(p, IDOK); // refused: a scan needs min < max
            Type(p, IDC_ANALYSIS_MIN, "-4");
            Type(p, IDC_ANALYSIS_MAX, "4");
            // The solver settings earlier tests left behind are not this test's.
            Type(p, IDC_ANALYSIS_STEPS, "200");
            Type(p, IDC_ANALYSIS_ACCURACY, "5");
            ClickButton(p, IDOK);
        },
        [&](CWnd* p) {
            p->GetWindowText(caption);
            rows = Rows(*static_cast<CResultsDlg*>(p));
            ClickButton(p, IDCANCEL);
        },
    };
    Command(ID_PLOT2D_FIND_ZEROS);
    EXPECT_STREQ(chooserCaption, "Find zeros of function");
    ASSERT_EQ(hook.messages.size(), 1u);
    EXPECT_STREQ(hook.messages[0], "The interval you've entered is invalid");
    EXPECT_STREQ(caption, "Zeros of function");
    ASSERT_GE(rows.size(), 7u); // the title, then the items
    EXPECT_NE(rows[1].find("sin(x)"), std::string::npos) << rows[1];
    EXPECT_NE(rows[2].find("[-4, 4]"), std::string::npos) << rows[2];
    EXPECT_NE(rows[3].find("Zeros found: |3"), std::string::npos) << rows[3];
    EXPECT_NE(rows[4].find("(x = -3.14159"), std::string::npos) << rows[4];
    EXPECT_NE(rows[5].find("(x = 0"), std::string::npos) << rows[5];
}

// A report of thousands of lines goes into the workspace whole and in order, after the text
// that was there, with the caret at its end in view.
TEST_F(GraphAnalysisWin, ALongLoggedReportLandsWholeAndInOrder)
{
    CMyDocument* doc = MainDocument();
    doc->GetModel().m_Engine.m_nAngleMode = AngleRadians;
    ASSERT_TRUE(doc->CreateFunctionGraph("sin(x)", "", 0, -5, 5, -1, 0, 1));
    doc->SelectItemByIndex(Item2DGraph, 0);
    CRichWorkspace* pWorkspace = doc->GetWorkspaceView();
    ASSERT_NE(pWorkspace, nullptr);
    pWorkspace->SetWindowText("2+3");

    // One zero in each step: k*pi for k = 1 .. n.
    const int n = 3000;
    char max[32];
    std::snprintf(max, sizeof max, "%.15g", 0.5 + n * 3.14159265358979323846);
    ScriptedModalHook hook;
    hook.steps = {
        [&](CWnd* p) {
            Type(p, IDC_ANALYSIS_MIN, "0.5");
            Type(p, IDC_ANALYSIS_MAX, max);
            Type(p, IDC_ANALYSIS_STEPS, std::to_string(n).c_str());
            Type(p, IDC_ANALYSIS_ACCURACY, "5");
            ClickButton(p, IDOK);
        },
        [&](CWnd* p) {
            p->CheckDlgButton(IDC_RESULTS_LOG, BST_CHECKED);
            ClickButton(p, IDOK);
        },
    };
    Command(ID_PLOT2D_FIND_ZEROS);
    ASSERT_EQ(hook.next, 2u);

    std::vector<std::string> lines;
    const std::string text = WorkspaceText().GetString();
    for (std::size_t start = 0; start <= text.size();) {
        const std::size_t end = std::min(text.find("\r\n", start), text.size());
        lines.push_back(text.substr(start, end - start));
        start = end + 2;
    }
    ASSERT_EQ(lines.size(), std::size_t(n + 6)) << text.substr(0, 200);
    EXPECT_EQ(lines[0], "2+3");
    EXPECT_EQ(lines[1], "' Zeros of function");
    EXPECT_EQ(lines[2], "    y = sin(x)");
    EXPECT_EQ(lines[3], "    Interval: [0.5, 9425.28]");
    EXPECT_EQ(lines[4], "    Zeros found: " + std::to_string(n));
    int misplaced = 0;
    for (int k = 1; k <= n && misplaced < 5; ++k) {
        double x = 0;
        const std::string& line = lines[std::size_t(k + 4)];
        if (std::sscanf(line.c_str(), "    (x = %lf", &x) != 1 ||
            std::fabs(x - k * 3.14159265358979323846) > 1e-5) {
            ++misplaced;
            ADD_FAILURE() << "zero " << k << ": " << line;
        }
    }
    EXPECT_EQ(lines.back(), "");
    CHARRANGE sel{};
    pWorkspace->SendMessage(EM_EXGETSEL, 0, LPARAM(&sel));
    EXPECT_EQ(sel.cpMin, LONG(text.size() - (n + 5))) << "the caret after the report";
    EXPECT_GT(pWorkspace->SendMessage(EM_GETFIRSTVISIBLELINE), n - 100) << "and in view";
}

TEST_F(GraphAnalysisWin, AnEngineFailureIsToldAndShowsNoReport)
{
    CMyDocument* doc = MainDocument();
    ASSERT_TRUE(doc->CreateFunctionGraph("x", "", 0, -5, 5, -1, 0, 1));
    doc->SelectItemByIndex(Item2DGraph, 0);
    ScriptedModalHook hook;
    int dialogs = 0;
    hook.steps = {[&](CWnd* p) {
        ++dialogs;
        ::SetDlgItemTextA(p->m_hWnd, IDC_ANALYSIS_EXPR2, "x"); // no area between x and x
        ::SetDlgItemTextA(p->m_hWnd, IDC_ANALYSIS_EXPR, "2*x");
        ::SetDlgItemTextA(p->m_hWnd, IDC_ANALYSIS_MIN, "0");
        ::SetDlgItemTextA(p->m_hWnd, IDC_ANALYSIS_MAX, "0");
        ClickButton(p, IDOK);
    }};
    Command(ID_PLOT2D_CENTER_OF_MASS);
    EXPECT_EQ(dialogs, 1) << "no results dialog";
    ASSERT_EQ(hook.messages.size(), 1u);
    EXPECT_FALSE(hook.messages[0].IsEmpty());
}

} // namespace
