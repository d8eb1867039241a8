// The function plot's calculus commands in the main frame, as the user meets them: chosen in
// their dialog, shown in the results dialog, refused with the engine's message, and disabled
// without a 2-D graph.
#include "analysis/ResultsDlg.h"
#include "app/MyDocument.h"
#include "framework/win/CCmdUI.h"
#include "res/resource.h"
#include "tests/app_win/ShellTestApp.h"
#include "tests/support/ScriptedModalHook.h"

#include <gtest/gtest.h>

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
