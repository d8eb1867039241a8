// The initial-values, two-list and matrix-operation dialogs as the user drives them: what each
// row and box offers, what OK and Execute take and what they refuse.
#include "analysis/DataColumn.h"
#include "analysis/InitialValuesDlg.h"
#include "analysis/MatrixObject.h"
#include "analysis/MatrixOperationsDlg.h"
#include "analysis/NonlinearFit.h"
#include "analysis/TwoSampleTestDlg.h"
#include "engine/EngineNames.h"
#include "engine/EngineStartup.h"
#include "engine/LocaleSeparators.h"
#include "res/resource.h"
#include "tests/support/ScriptedModalHook.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class FitDialogsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        FreeGlobalSymbolTables();
        InitCalcEngine();
        UseDotSeparators();
    }
    void TearDown() override { FreeGlobalSymbolTables(); }

    static std::string Text(CWnd* pDialog, int nID)
    {
        char text[256] = {};
        ::GetDlgItemTextA(pDialog->m_hWnd, nID, text, sizeof text);
        return text;
    }
    static bool Enabled(CWnd* pDialog, int nID)
    {
        return ::IsWindowEnabled(::GetDlgItem(pDialog->m_hWnd, nID)) != FALSE;
    }
    static bool Visible(CWnd* pDialog, int nID)
    {
        return ::IsWindowVisible(::GetDlgItem(pDialog->m_hWnd, nID)) != FALSE;
    }
    static void Type(CWnd* pDialog, int nID, const char* text)
    {
        ::SetDlgItemTextA(pDialog->m_hWnd, nID, text);
    }
    // Picks an entry of a drop-down list as the user would: the selection, then its notice.
    static void Choose(CWnd* pDialog, int nID, int index)
    {
        HWND hCombo = ::GetDlgItem(pDialog->m_hWnd, nID);
        ::SendMessageA(hCombo, CB_SETCURSEL, WPARAM(index), 0);
        pDialog->SendMessage(WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), LPARAM(hCombo));
    }
    // Clicks an auto check box or radio button: its state changes, then its parent hears.
    static void Tick(CWnd* pDialog, int nID)
    {
        ::SendMessageA(::GetDlgItem(pDialog->m_hWnd, nID), BM_CLICK, 0, 0);
    }
    static std::string ComboText(CWnd* pDialog, int nID, int index)
    {
        char text[256] = {};
        ::SendDlgItemMessageA(pDialog->m_hWnd, nID, CB_GETLBTEXT, WPARAM(index), LPARAM(text));
        return text;
    }

    ScriptedModalHook hook;
};

TEST_F(FitDialogsTest, InitialValuesShowEachParametersRowAndWriteBackOnOK)
{
    CNonlinearFit fit;
    ASSERT_EQ(fit.SetModel("a*exp(b*x)"), 0);
    hook.steps.push_back([&](CWnd* d) {
        EXPECT_EQ(Text(d, IDC_INITIAL_LABEL_FIRST), "a");
        EXPECT_EQ(Text(d, IDC_INITIAL_LABEL_FIRST + 1), "b");
        EXPECT_FALSE(Visible(d, IDC_INITIAL_LABEL_FIRST + 2));
        for (int first :
             {IDC_INITIAL_VALUE_FIRST, IDC_INITIAL_AUTO_FIRST, IDC_INITIAL_CONSTANT_FIRST})
            EXPECT_FALSE(Enabled(d, first + 19));
        EXPECT_FALSE(Enabled(d, IDC_INITIAL_VALUE_FIRST)) << "Auto chooses the value";
        EXPECT_EQ(Text(d, IDC_INITIAL_ITERATIONS), "100");
        Tick(d, IDC_INITIAL_AUTO_FIRST); // Auto off: the value is the user's
        EXPECT_TRUE(Enabled(d, IDC_INITIAL_VALUE_FIRST));
        Tick(d, IDC_INITIAL_CONSTANT_FIRST + 1); // Constant clears Auto and opens the value
        EXPECT_EQ(::IsDlgButtonChecked(d->m_hWnd, IDC_INITIAL_AUTO_FIRST + 1), 0u);
        EXPECT_TRUE(Enabled(d, IDC_INITIAL_VALUE_FIRST + 1));
        Type(d, IDC_INITIAL_VALUE_FIRST, "2.5");
        Type(d, IDC_INITIAL_VALUE_FIRST + 1, "three");
        Type(d, IDC_INITIAL_ITERATIONS, "20000");
        ClickButton(d, IDOK); // a value that is no number is refused
    });
    hook.steps.push_back([&](CWnd* d) {
        EXPECT_EQ(hook.messages.size(), 1u);
        Type(d, IDC_INITIAL_VALUE_FIRST + 1, "3");
        ClickButton(d, IDOK);
    });
    CInitialValuesDlg dialog(fit);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_FALSE(fit.GetAuto(0));
    EXPECT_EQ(fit.GetInitialValue(0), 2.5);
    EXPECT_TRUE(fit.GetConstant(1));
    EXPECT_EQ(fit.GetInitialValue(1), 3.0);
    EXPECT_EQ(fit.GetMaxIterations(), 100) << "a limit beyond 10000 keeps the old one";
}

TEST_F(FitDialogsTest, InitialValuesOfTooManyOrNoParametersChangeOnlyTheLimit)
{
    CString model = "x";
    for (char c = 'a'; c <= 'u'; ++c) // 21 parameters
        model += CString("+") + c;
    for (const char* formula : {model.GetString(), ""}) {
        CNonlinearFit fit;
        fit.SetModel(formula);
        const int count = fit.GetParameterCount();
        hook.next = 0;
        hook.steps = {[&](CWnd* d) {
            // Too many: the template's rows as they are; none: every row hidden and disabled.
            EXPECT_EQ(Text(d, IDC_INITIAL_LABEL_FIRST + 3), "Var3") << count;
            EXPECT_EQ(Visible(d, IDC_INITIAL_LABEL_FIRST + 3), count > 0) << count;
            EXPECT_EQ(Enabled(d, IDC_INITIAL_AUTO_FIRST + 3), count > 0) << count;
            Type(d, IDC_INITIAL_ITERATIONS, "50");
            ClickButton(d, IDOK);
        }};
        CInitialValuesDlg dialog(fit);
        ASSERT_EQ(dialog.DoModal(), IDOK) << count;
        EXPECT_EQ(fit.GetMaxIterations(), 50) << count;
        for (int i = 0; i < count; ++i)
            EXPECT_TRUE(fit.GetAuto(i) && fit.GetInitialValue(i) == 1.0) << i;
    }
}

TEST_F(FitDialogsTest, TwoListTestsOfferPairedTestsForListsOfOneLength)
{
    CDataColumn a, b, c;
    a.SetName("A");
    b.SetName("B");
    c.SetName("C");
    for (double v : {1.0, 2.0, 3.0}) {
        a.Append(v);
        b.Append(2 * v);
        c.Append(v);
    }
    c.Append(9);
    hook.steps.push_back([&](CWnd* d) {
        EXPECT_EQ(ComboText(d, IDC_TEST_LIST2, 2), "C");
        EXPECT_TRUE(Enabled(d, IDC_TEST_PAIRED_T));
        ClickButton(d, IDOK); // both boxes start on the first list
    });
    hook.steps.push_back([&](CWnd* d) {
        EXPECT_EQ(hook.messages.size(), 1u);
        EXPECT_STREQ(hook.messages.back(), "Please select two different lists to compare.");
        Choose(d, IDC_TEST_LIST2, 2); // C is longer: no paired tests
        for (int nID : {IDC_TEST_PAIRED_T, IDC_TEST_CHI_SQUARE, IDC_TEST_CORRELATION,
                        IDC_TEST_RANK_CORRELATION, IDC_TEST_KENDALL_TAU})
            EXPECT_FALSE(Enabled(d, nID)) << nID;
        EXPECT_TRUE(Enabled(d, IDC_TEST_F));
        Choose(d, IDC_TEST_LIST2, 1);
        EXPECT_TRUE(Enabled(d, IDC_TEST_KENDALL_TAU));
        Tick(d, IDC_TEST_F);
        ClickButton(d, IDOK);
    });
    CTwoSampleTestDlg dialog({&a, &b, &c}, FALSE);
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(dialog.m_pList1, &a);
    EXPECT_EQ(dialog.m_pList2, &b);
    for (int test = 0; test < ListTestCount; ++test)
        EXPECT_EQ(dialog.m_Tests[test], test == ListTestF ? 1 : 0) << test;

    // A table's two columns, one in each box, need no choice.
    hook.next = 0;
    hook.steps = {[&](CWnd* d) {
        EXPECT_EQ(::SendDlgItemMessageA(d->m_hWnd, IDC_TEST_LIST1, CB_GETCOUNT, 0, 0), 1);
        EXPECT_EQ(ComboText(d, IDC_TEST_LIST2, 0), "C");
        ClickButton(d, IDOK);
    }};
    CTwoSampleTestDlg columns({&a, &c}, TRUE);
    ASSERT_EQ(columns.DoModal(), IDOK);
    EXPECT_EQ(columns.m_pList2, &c);
}

TEST_F(FitDialogsTest, MatrixOperationsNameTheResultAndRefuseShapesThatDoNotFit)
{
    CMatrixObject m, n;
    m.SetName("M");
    m.Resize(2, 2, FALSE);
    n.SetName("N");
    n.Resize(2, 3, FALSE);
    hook.steps.push_back([&](CWnd* d) {
        EXPECT_EQ(Text(d, IDC_MATRIX_OP_RESULT), "Sum of M and M");
        Choose(d, IDC_MATRIX_OP_SECOND, 1);
        Tick(d, IDC_MATRIX_OP_SUBTRACT);
        EXPECT_EQ(Text(d, IDC_MATRIX_OP_RESULT), "Difference of M and N");
        ClickButton(d, IDC_MATRIX_OP_EXECUTE);
    });
    hook.steps.push_back([&](CWnd* d) {
        EXPECT_STREQ(hook.messages.back(),
                     "The matrices must be of the same dimensions for this operation.");
        Tick(d, IDC_MATRIX_OP_MULTIPLY);
        Type(d, IDC_MATRIX_OP_RESULT, "  ");
        ClickButton(d, IDC_MATRIX_OP_EXECUTE);
    });
    hook.steps.push_back([&](CWnd* d) {
        EXPECT_STREQ(hook.messages.back(), "Please enter a name for the result matrix.");
        Type(d, IDC_MATRIX_OP_RESULT, " MN ");
        ClickButton(d, IDC_MATRIX_OP_EXECUTE);
    });
    CMatrixOperationsDlg dialog({&m, &n});
    ASSERT_EQ(dialog.DoModal(), IDOK);
    EXPECT_EQ(hook.messages.size(), 2u);
    EXPECT_EQ(dialog.m_nFirst, 0);
    EXPECT_EQ(dialog.m_nSecond, 1);
    EXPECT_EQ(dialog.m_nOperation, MatrixMultiply);
    EXPECT_EQ(dialog.m_strResult, "MN");

    hook.next = 0;
    hook.steps = {[&](CWnd* d) { ClickButton(d, IDC_MATRIX_OP_CLOSE); }};
    CMatrixOperationsDlg closed({&m});
    EXPECT_EQ(closed.DoModal(), IDCANCEL);
}

} // namespace
