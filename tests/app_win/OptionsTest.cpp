// The options sheet as the user meets it: its pages in order and the page each command opens;
// the General page's enabling, sample and what OK stores; refused fields; the Options page's
// pane choice by category (at once, undone by Cancel) and confirmations.
#include "app/CalculationPages.h"
#include "app/MoreOptionsPage.h"
#include "app/WorkspacePage.h"
#include "framework/win/Controls.h"
#include "framework/win/RegistryProfileStore.h"
#include "res/resource.h"
#include "tests/app_win/ShellTestApp.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/ScriptedModalHook.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

// The sheet the document opens, run with one step per idle round.
void RunOptions(UINT nCommandOrPage, const std::vector<std::function<void(CPropertySheet&)>>& steps,
                ScriptedModalHook& hook)
{
    for (const auto& step : steps)
        hook.steps.push_back([step](CWnd* pWnd) {
            auto* pSheet = dynamic_cast<CPropertySheet*>(pWnd);
            ASSERT_NE(pSheet, nullptr);
            step(*pSheet);
        });
    if (nCommandOrPage > 100)
        MainFrame()->SendMessage(WM_COMMAND, nCommandOrPage);
    else
        MainDocument()->DoOptionsSheet(int(nCommandOrPage));
}

void ChooseInCombo(CWnd* pPage, int nID, int index)
{
    pPage->GetDlgItem(nID)->SendMessage(CB_SETCURSEL, WPARAM(index));
    pPage->SendMessage(WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE),
                       LPARAM(pPage->GetDlgItem(nID)->m_hWnd));
}

void Click(CWnd* pPage, int nID) { pPage->GetDlgItem(nID)->SendMessage(BM_CLICK); }

TEST(OptionsSheet, PagesInOrderAndTheStartPageOfEachCommand)
{
    ScriptedModalHook hook;
    std::vector<CString> captions;
    CString active;
    auto record = [&](CPropertySheet& sheet) {
        active = sheet.GetActivePage()->GetRuntimeClass()->m_lpszClassName;
        captions.clear();
        CWnd* pTabs = CWnd::FromHandle(HWND(sheet.SendMessage(PSM_GETTABCONTROL)));
        for (int i = 0; i < int(pTabs->SendMessage(TCM_GETITEMCOUNT)); ++i) {
            char text[64] = {};
            TCITEMA item{};
            item.mask = TCIF_TEXT;
            item.pszText = text;
            item.cchTextMax = sizeof text;
            pTabs->SendMessage(TCM_GETITEMA, WPARAM(i), LPARAM(&item));
            captions.emplace_back(text);
        }
        sheet.PressButton(PSBTN_CANCEL);
    };
    RunOptions(ID_TOOLS_OPTIONS, {record}, hook);
    EXPECT_STREQ(active, "CNumberFormatPage");
    const std::vector<CString> expected{"General",       "Workspace", "Grid",
                                        "Data Analysis", "Options",   "Solve Options"};
    EXPECT_EQ(captions, expected);
    RunOptions(ID_WORKSPACE_OPTIONS, {record}, hook);
    EXPECT_STREQ(active, "CWorkspacePage");
    RunOptions(CMyDocument::OptionsSolve, {record}, hook);
    EXPECT_STREQ(active, "CSolveOptionsPage");
    EXPECT_TRUE(hook.messages.empty());
}

TEST(OptionsSheet, GeneralPageEnablesShowsTheSampleAndStores)
{
    CCalcEngine& engine = MainDocument()->GetModel().m_Engine;
    engine.m_ResultFormat.m_nMode = 1;
    engine.m_ResultFormat.SetDecimals(2);
    engine.m_nNumberBase = 10;
    engine.m_nAngleMode = 0;
    ScriptedModalHook hook;
    RunOptions(
        ID_TOOLS_OPTIONS, {[&](CPropertySheet& sheet) {
            CWnd* p = sheet.GetActivePage();
            EXPECT_EQ(DlgItemText(p, IDC_FORMAT_SAMPLE), "123456789.00");
            EXPECT_EQ(p->IsDlgButtonChecked(IDC_BASE_DECIMAL), 1u);
            EXPECT_EQ(p->IsDlgButtonChecked(IDC_ANGLE_DEGREE), 1u);
            // Which controls each mode enables; the width never is.
            const struct {
                int mode;
                BOOL bDecimals;
            } modes[] = {{0, FALSE}, {3, TRUE}, {5, FALSE}, {1, TRUE}};
            for (const auto& m : modes) {
                ChooseInCombo(p, IDC_FORMAT_MODE, m.mode);
                for (int nID :
                     {IDC_FORMAT_DECIMALS, IDC_FORMAT_DECIMALS_SPIN, IDC_FORMAT_DECIMALS_LABEL})
                    EXPECT_EQ(p->GetDlgItem(nID)->IsWindowEnabled(), m.bDecimals) << m.mode;
                for (int nID : {IDC_FORMAT_WIDTH, IDC_FORMAT_WIDTH_SPIN, IDC_FORMAT_WIDTH_LABEL})
                    EXPECT_FALSE(p->GetDlgItem(nID)->IsWindowEnabled()) << m.mode;
            }
            p->SetDlgItemText(IDC_FORMAT_DECIMALS, "3");
            EXPECT_EQ(DlgItemText(p, IDC_FORMAT_SAMPLE), "123456789.000");
            // Each keystroke shows what the field gives, with no message while typing.
            const struct {
                const char* typed;
                const char* sample;
            } keystrokes[] = {{"1", "123456789.0"},
                              {"16", kSampleOutOfRange},
                              {"x", kSampleNotWhole},
                              {"2", "123456789.00"}};
            for (const auto& k : keystrokes) {
                p->SetDlgItemText(IDC_FORMAT_DECIMALS, k.typed);
                EXPECT_EQ(DlgItemText(p, IDC_FORMAT_SAMPLE), k.sample) << k.typed;
            }
            ChooseInCombo(p, IDC_FORMAT_MODE, 5);
            EXPECT_EQ(DlgItemText(p, IDC_FORMAT_SAMPLE), "123,456,789.00");
            ChooseInCombo(p, IDC_FORMAT_MODE, 1);
            p->SetDlgItemText(IDC_FORMAT_DECIMALS, "3");
            Click(p, IDC_BASE_OTHER);
            p->SetDlgItemText(IDC_BASE_CUSTOM, "40");
            Click(p, IDC_ANGLE_GRADIENT);
            sheet.PressButton(PSBTN_OK);
        }},
        hook);
    EXPECT_TRUE(hook.messages.empty());
    EXPECT_EQ(engine.m_ResultFormat.m_nMode, 1);
    EXPECT_EQ(engine.m_ResultFormat.m_nDecimals, 3);
    EXPECT_EQ(engine.m_nNumberBase, 36);
    EXPECT_EQ(engine.m_nAngleMode, 2);
    CRegistryProfileStore store;
    EXPECT_EQ(store.GetInt("Calculation", "NumberBase", 0), 36);
    EXPECT_EQ(store.GetInt("Calculation", "DecimalPlaces", 0), 3);
    EXPECT_EQ(store.GetInt("Calculation", "AngleMode", 0), 2);
}

TEST(OptionsSheet, RefusedFieldsKeepTheSheetOpenAndChangeNothing)
{
    DocumentSettings& settings = MainDocument()->GetModel().m_Settings;
    const int steps = settings.nSolverSteps;
    const int decimals = MainDocument()->GetModel().m_Engine.m_ResultFormat.m_nDecimals;
    ScriptedModalHook hook;
    const struct {
        int nPage, nID;
        const char* text;
        const char* message;
    } refusals[] = {
        {0, IDC_FORMAT_DECIMALS, "abc", "Please enter an integer."},
        {0, IDC_FORMAT_DECIMALS, "16", "Please enter an integer between 0 and 15."},
        {0, IDC_BASE_CUSTOM, "", "Please enter an integer."},
        {5, IDC_SOLVE_STEPS, "0", "Please enter an integer between 1 and 10000."},
        {5, IDC_SOLVE_MIN, "1e999", "Please enter a number."},
        {5, IDC_SOLVE_DECIMALS, "-1", "Please enter an integer between 0 and 15."},
    };
    std::vector<std::function<void(CPropertySheet&)>> script;
    for (const auto& r : refusals) {
        script.push_back([&r](CPropertySheet& sheet) {
            sheet.SetActivePage(r.nPage);
            CWnd* p = sheet.GetActivePage();
            p->SetDlgItemText(r.nID, r.text);
            sheet.PressButton(PSBTN_OK);
        });
        script.push_back([&r](CPropertySheet& sheet) {
            // Still open, on the refusing page, which is given its old value again.
            CWnd* p = sheet.GetActivePage();
            EXPECT_EQ(::GetFocus(), p->GetDlgItem(r.nID)->m_hWnd) << r.text;
            p->SetDlgItemText(r.nID, r.nID == IDC_SOLVE_MIN ? "-1" : "2");
        });
    }
    script.push_back([](CPropertySheet& sheet) { sheet.PressButton(PSBTN_CANCEL); });
    RunOptions(CMyDocument::OptionsGeneral, script, hook);
    ASSERT_EQ(hook.messages.size(), std::size(refusals));
    for (size_t i = 0; i < std::size(refusals); ++i)
        EXPECT_STREQ(hook.messages[i], refusals[i].message);
    EXPECT_EQ(settings.nSolverSteps, steps);
    EXPECT_EQ(MainDocument()->GetModel().m_Engine.m_ResultFormat.m_nDecimals, decimals);
}

TEST(OptionsSheet, OptionsPageChoosesPanesByCategoryAndStoresConfirmations)
{
    ProjectModel& model = MainDocument()->GetModel();
    ViewLayouts& layouts = model.m_ViewLayouts;
    const ViewLayouts before = layouts;
    layouts[Item2DGraph][ViewLayout::Mask] = View2DPlot | ViewWorkspace;
    layouts[ItemVariables][ViewLayout::Mask] = ViewGrid;
    layouts[ItemExpressionVariables][ViewLayout::Mask] = ViewGrid;
    const ViewLayouts chosen = layouts;
    auto ticks = [](CWnd* p) {
        int ticked = 0;
        for (int nID : {IDC_VIEW_PLOT2D, IDC_VIEW_PLOT3D, IDC_VIEW_GRID, IDC_VIEW_WORKSPACE})
            ticked = ticked * 2 + int(p->IsDlgButtonChecked(nID));
        return ticked;
    };
    ScriptedModalHook hook;
    // Three panes for 2D graphs store (and show) four; the last pane of the variables cannot go;
    // Cancel puts every mask back.
    RunOptions(CMyDocument::OptionsMore, {[&](CPropertySheet& sheet) {
                   CWnd* p = sheet.GetActivePage();
                   ChooseInCombo(p, IDC_OPTIONS_CATEGORY, 2);
                   EXPECT_EQ(ticks(p), 0b1001);
                   Click(p, IDC_VIEW_PLOT3D);
                   Click(p, IDC_VIEW_GRID);
                   EXPECT_EQ(layouts[Item2DGraph][ViewLayout::Mask], 15u);
                   EXPECT_EQ(ticks(p), 0b1111);
                   ChooseInCombo(p, IDC_OPTIONS_CATEGORY, 6);
                   EXPECT_EQ(ticks(p), 0b0010);
                   Click(p, IDC_VIEW_GRID);
                   EXPECT_EQ(ticks(p), 0b0010);
                   EXPECT_EQ(layouts[ItemVariables][ViewLayout::Mask], UINT(ViewGrid));
                   Click(p, IDC_VIEW_WORKSPACE);
                   EXPECT_EQ(layouts[ItemVariables][ViewLayout::Mask],
                             UINT(ViewGrid | ViewWorkspace));
                   EXPECT_EQ(layouts[ItemExpressionVariables][ViewLayout::Mask],
                             UINT(ViewGrid | ViewWorkspace));
                   sheet.PressButton(PSBTN_CANCEL);
               }},
               hook);
    ASSERT_EQ(hook.messages.size(), 1u);
    EXPECT_STREQ(hook.messages[0], "One or more views must be specified");
    for (int kind = 0; kind < ItemTypeCount; ++kind)
        EXPECT_EQ(layouts[kind][ViewLayout::Mask], chosen[kind][ViewLayout::Mask]) << kind;

    // OK keeps the panes and stores the confirmations with the plot-copy values.
    model.m_Settings.nConfirmDelete = 63;
    model.m_Settings.nConfirmOverwrite = 63;
    model.m_Settings.nPlotCopyWidth = 640;
    RunOptions(CMyDocument::OptionsMore, {[&](CPropertySheet& sheet) {
                   CWnd* p = sheet.GetActivePage();
                   Click(p, IDC_DELETE_LIST);
                   Click(p, IDC_OVERWRITE_MATRIX);
                   ChooseInCombo(p, IDC_OPTIONS_CATEGORY, 8);
                   Click(p, IDC_VIEW_PLOT2D);
                   sheet.PressButton(PSBTN_OK);
               }},
               hook);
    EXPECT_EQ(model.m_Settings.nConfirmDelete, 63 - 16);
    EXPECT_EQ(model.m_Settings.nConfirmOverwrite, 63 - 32);
    for (int kind : {ItemPredefinedConstants, ItemPredefinedFunctions, ItemPredefinedUnits})
        EXPECT_EQ(layouts[kind][ViewLayout::Mask] & View2DPlot, UINT(View2DPlot)) << kind;
    CRegistryProfileStore store;
    EXPECT_EQ(store.GetInt("Options", "ConfirmDelete", 0), 47);
    EXPECT_EQ(store.GetInt("Options", "ConfirmOverwrite", 0), 31);
    EXPECT_EQ(store.GetInt("PlotCopy", "Width", 0), 640);
    layouts = before;
}

} // namespace
