// The fit, statistics and matrix commands of the main frame as the user gives them: from the
// menus' command ids on the selected item, through their dialogs, to the data graph, the
// results dialog, the workspace line or the new matrix they leave.
#include "analysis/RegressionModelDlg.h"
#include "analysis/ResultsDlg.h"
#include "framework/win/CPropertySheet.h"
#include "res/resource.h"
#include "tests/app_win/ShellTestApp.h"
#include "tests/support/ScriptedModalHook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

class AnalysisCommandsWin : public FreshFrameTest {
protected:
    void SetUp() override
    {
        FreshFrameTest::SetUp();
        frame->SetViewMask(ViewWorkspace | ViewGrid);
        Pump();
    }
    void Select(int kind, const char* name)
    {
        doc->SelectItemByName(kind, name);
        Pump();
    }
    const CFunctionPlot* Graph(const char* name) const
    {
        const int i = model->m_DataPlot.FindItem(name);
        return i >= 0 ? model->m_DataPlot.GetItem(i) : nullptr;
    }
    static std::vector<std::string> ReportValues(const CFunctionPlot* graph)
    {
        std::vector<std::string> values;
        const CAnalysisResult& report = *graph->GetReport();
        for (int i = 0; i < report.GetItemCount(); ++i)
            values.emplace_back(report.GetValueText(report.GetItem(i)).GetString());
        return values;
    }
};

TEST_F(AnalysisCommandsWin, LinearFitsLeaveTheFittedGraphWithItsReport)
{
    ScriptedModalHook hook;
    AddLineTable("Table1", 10);
    EXPECT_TRUE(Enabled(ID_FIT_LINE));
    EXPECT_TRUE(Enabled(ID_FIT_QUARTIC));
    Command(ID_FIT_LINE);
    const char* kName = "Linear fit - Straight line of Table1";
    const CFunctionPlot* graph = Graph(kName);
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(model->GetSelectedKind(), ItemDataGraph) << "the new graph is shown";
    EXPECT_STREQ(graph->GetReport()->GetTitle(), "Linear Fit of Table1");
    const std::vector<std::string> line = ReportValues(graph);
    EXPECT_FALSE(Enabled(ID_FIT_NONLINEAR)) << "fits need a data table";

    // "Straight Line" of the submenu is the same fit: the same name, after the question.
    Select(ItemDataTable, "Table1");
    hook.steps = {[](CWnd* pDialog) { ClickButton(pDialog, IDYES); }};
    Command(ID_FIT_STRAIGHT_LINE);
    ASSERT_EQ(model->m_DataPlot.GetItemCount(), 1);
    EXPECT_EQ(ReportValues(Graph(kName)), line);

    // Layouts without x and y are not fitted, and nothing is said.
    AddLineTable("Columns", 10, TableLayoutColumns);
    Command(ID_FIT_QUADRATIC);
    EXPECT_EQ(model->m_DataPlot.GetItemCount(), 1);
    EXPECT_TRUE(hook.messages.empty());
    EXPECT_FALSE(Enabled(ID_DATA_FIT_TABLE));
}

TEST_F(AnalysisCommandsWin, RecentFitsRunAgainFromTheirPlaceInTheList)
{
    ScriptedModalHook hook;
    AddLineTable("Table1", 10);
    model->m_RecentFits.RemoveAll(); // another test's fits stay in the settings
    model->m_RecentFits.AppendModel({"Mine", "Line", "a+b*x", "", ""});
    model->m_RecentFits.AppendModel({"Mine", "Slope", "b*x", "", ""});
    Command(ID_RECENT_FIT_FIRST + 5); // no such entry
    Command(ID_RECENT_FIT_FIRST + 1);
    ASSERT_NE(Graph("Slope Fit of Table1"), nullptr);
    EXPECT_STREQ(model->m_RecentFits.GetModelName(0), "Slope");

    // Asked for start values first: Cancel runs nothing.
    Select(ItemDataTable, "Table1");
    model->m_Settings.nPrompt = 1;
    model->m_Settings.nMaxIterations = 7;
    CString label, limit;
    hook.steps = {[&](CWnd* pDialog) {
        pDialog->GetDlgItemText(IDC_INITIAL_LABEL_FIRST, label);
        pDialog->GetDlgItemText(IDC_INITIAL_ITERATIONS, limit);
        ClickButton(pDialog, IDCANCEL);
    }};
    Command(ID_RECENT_FIT_FIRST + 1);
    EXPECT_STREQ(label, "a");
    EXPECT_STREQ(limit, "7") << "the limit starts from the settings";
    EXPECT_EQ(Graph("Line Fit of Table1"), nullptr);
    EXPECT_STREQ(model->m_RecentFits.GetModelName(0), "Slope");
}

// Selects an item of the model dialog's tree by its path of labels from a root.
void SelectModelItem(CWnd* pDialog, std::initializer_list<const char*> path)
{
    auto* pModels = dynamic_cast<CRegressionModelDlg*>(pDialog);
    ASSERT_NE(pModels, nullptr);
    CTreeCtrl& tree = pModels->GetTree();
    HTREEITEM hItem = nullptr;
    for (const char* label : path) {
        hItem = hItem ? tree.GetChildItem(hItem) : tree.GetRootItem();
        while (hItem && tree.GetItemText(hItem) != label)
            hItem = tree.GetNextSiblingItem(hItem);
        ASSERT_NE(hItem, nullptr) << label;
    }
    tree.SelectItem(hItem);
}

TEST_F(AnalysisCommandsWin, NonlinearFitRunsTheChosenModelWithTheDialogsStartValues)
{
    ScriptedModalHook hook;
    model->m_UserDefinitions.GetUserModels().AddModel("Mine", "Held line", "a+b*x", "", "");
    AddLineTable("Short", 1);
    Command(ID_FIT_NONLINEAR);
    ASSERT_EQ(hook.messages.size(), 1u) << "said before any dialog";
    EXPECT_STREQ(hook.messages[0], "There are too few data points.  Please enter more data.");

    // Cancel fits nothing and remembers nothing (the list is the one the profile kept).
    AddLineTable("Table1", 10);
    const int recent = model->m_RecentFits.GetModelCount();
    hook.steps = {[](CWnd* pDialog) { ClickButton(pDialog, IDCANCEL); }};
    Command(ID_FIT_NONLINEAR);
    EXPECT_EQ(model->m_DataPlot.GetItemCount(), 0);
    EXPECT_EQ(model->m_RecentFits.GetModelCount(), recent);

    // a held at 5 in the dialog's start values reaches the run.
    hook.next = 0;
    hook.steps = {[](CWnd* pDialog) {
                      SelectModelItem(pDialog, {"User-defined", "Mine", "Held line"});
                      ClickButton(pDialog, IDC_MODEL_INITIAL_VALUES);
                  },
                  [](CWnd* pValues) {
                      pValues->SetDlgItemText(IDC_INITIAL_VALUE_FIRST, "5");
                      pValues->CheckDlgButton(IDC_INITIAL_AUTO_FIRST, BST_UNCHECKED);
                      pValues->CheckDlgButton(IDC_INITIAL_CONSTANT_FIRST, BST_CHECKED);
                      ClickButton(pValues, IDOK);
                  },
                  [](CWnd* pDialog) { ClickButton(pDialog, IDC_MODEL_SELECT); }};
    Command(ID_FIT_NONLINEAR);
    EXPECT_EQ(hook.messages.size(), 1u) << hook.messages.back().GetString();
    const CFunctionPlot* graph = Graph("Held line Fit of Table1");
    ASSERT_NE(graph, nullptr);
    EXPECT_EQ(std::string(graph->GetExpression()).rfind("5+", 0), 0u) << graph->GetExpression();
    EXPECT_STREQ(model->m_RecentFits.GetModelName(0), "Held line");
}

TEST_F(AnalysisCommandsWin, DataAnalysisOptionsEditTheUserModels)
{
    ScriptedModalHook hook;
    CString modelsCaption;
    hook.steps = {
        [](CWnd* pWnd) {
            auto* pSheet = dynamic_cast<CPropertySheet*>(pWnd);
            ASSERT_NE(pSheet, nullptr);
            CWnd* pPage = pSheet->GetActivePage();
            ASSERT_TRUE(pPage->GetDlgItem(IDC_ANALYSIS_MODELS)->IsWindowEnabled());
            ClickButton(pPage, IDC_ANALYSIS_MODELS);
        },
        [&](CWnd* pModels) {
            pModels->GetWindowText(modelsCaption);
            ClickButton(pModels, IDC_MODEL_NEW_CATEGORY);
            ClickButton(pModels, IDCANCEL);
        },
        [](CWnd* pWnd) { dynamic_cast<CPropertySheet*>(pWnd)->PressButton(PSBTN_CANCEL); }};
    Command(ID_DATA_ANALYSIS_OPTIONS);
    EXPECT_STREQ(modelsCaption, "Select a Regression Model");
    // The library changes at once: cancelling the sheet keeps the new category.
    const CModelLibrary& user = model->m_UserDefinitions.GetUserModels();
    ASSERT_EQ(user.GetCategoryCount(), 1);
    EXPECT_STREQ(user.GetCategory(0)->GetName(), "New Category  1");
}

TEST_F(AnalysisCommandsWin, StatisticsAndComparisonsGoToTheResultsDialog)
{
    ScriptedModalHook hook;
    for (const char* name : {"A", "B"}) {
        auto* list = new CDataColumn;
        list->SetName(name);
        for (double v : {1.0, 2.0, 4.0, 8.0})
            list->Append(name[0] == 'A' ? v : v * v);
        doc->AddResultItem(ItemList, list);
    }
    Pump();
    std::vector<CString> captions;
    const auto results = [&](CWnd* pDialog) {
        EXPECT_NE(dynamic_cast<CResultsDlg*>(pDialog), nullptr);
        CString caption;
        pDialog->GetWindowText(caption);
        captions.push_back(caption);
        ClickButton(pDialog, IDOK);
    };
    hook.steps = {results};
    EXPECT_TRUE(Enabled(ID_DATA_ANALYZE));
    Command(ID_DATA_ANALYZE);
    ASSERT_EQ(captions.size(), 1u);
    EXPECT_STREQ(captions[0], "List Analysis");
    EXPECT_NE(WorkspaceText().Find("Kurtosis: "), -1) << "logged";

    hook.next = 0;
    hook.steps = {[](CWnd* pDialog) {
                      const HWND hList2 = ::GetDlgItem(pDialog->m_hWnd, IDC_TEST_LIST2);
                      ::SendMessageA(hList2, CB_SETCURSEL, 1, 0);
                      pDialog->SendMessage(WM_COMMAND, MAKEWPARAM(IDC_TEST_LIST2, CBN_SELCHANGE),
                                           LPARAM(hList2));
                      pDialog->CheckDlgButton(IDC_TEST_RANK_CORRELATION, BST_CHECKED);
                      ClickButton(pDialog, IDOK);
                  },
                  results};
    EXPECT_TRUE(Enabled(ID_DATA_COMPARE_LISTS));
    Command(ID_DATA_COMPARE_LISTS);
    ASSERT_EQ(captions.size(), 2u);
    EXPECT_NE(WorkspaceText().Find("Rank Correlation = 1"), -1) << WorkspaceText().GetString();

    // A table of one column has nothing to compare.
    auto* table = new CDataTable;
    table->Create(TableLayoutX, 1, 3);
    table->SetName("X only");
    doc->AddResultItem(ItemDataTable, table);
    Pump();
    EXPECT_FALSE(Enabled(ID_DATA_COMPARE_COLUMNS));
    EXPECT_FALSE(Enabled(ID_DATA_COMPARE_LISTS));
}

TEST_F(AnalysisCommandsWin, MatrixCommandsWriteTheDeterminantAndAddMatrices)
{
    ScriptedModalHook hook;
    auto* matrix = new CMatrixObject;
    matrix->SetName("M");
    matrix->Resize(2, 2, FALSE);
    const double values[] = {1, 2, 3, 4};
    for (int i = 0; i < 4; ++i)
        matrix->SetAt(i / 2 + 1, i % 2 + 1, values[i]);
    doc->AddResultItem(ItemMatrix, matrix);
    Pump();
    EXPECT_TRUE(Enabled(ID_MATRIX_EIGENVECTORS));
    Command(ID_MATRIX_DETERMINANT);
    EXPECT_NE(WorkspaceText().Find("Determinant of matrix M = -2"), -1);

    Command(ID_MATRIX_INVERSE);
    ASSERT_EQ(model->m_Matrices.size(), 2u);
    EXPECT_STREQ(model->m_Matrices[1]->GetName(), "Inverse of M");
    EXPECT_EQ(model->GetSelectedObject(), model->m_Matrices[1].get());
    Command(ID_MATRIX_EIGENVALUES); // not symmetric
    ASSERT_EQ(hook.messages.size(), 1u);
    EXPECT_STREQ(hook.messages[0], "Can only find eigenvalues of a symmetric matrix");

    hook.steps = {[](CWnd* pDialog) {
        pDialog->CheckDlgButton(IDC_MATRIX_OP_ADD, BST_UNCHECKED);
        ::SendMessageA(::GetDlgItem(pDialog->m_hWnd, IDC_MATRIX_OP_MULTIPLY), BM_CLICK, 0, 0);
        ClickButton(pDialog, IDC_MATRIX_OP_EXECUTE);
    }};
    Command(ID_MATRIX_OPERATIONS);
    ASSERT_EQ(model->m_Matrices.size(), 3u);
    EXPECT_STREQ(model->m_Matrices[2]->GetName(), "Product of M and M");
    EXPECT_EQ(model->m_Matrices[2]->GetAt(1, 1), 7);
    EXPECT_FALSE(Enabled(ID_DATA_COMPARE_LISTS));
}

} // namespace
