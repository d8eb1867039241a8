// The two tool windows as the user meets them in the main frame: the unit converter converting,
// remembering recent units, logging into the workspace, refusing bad units and values; the
// finance box solving, refusing and asking for another guess of the rate; both showing and
// hiding by command, Escape and their close boxes, and keeping their settings between runs.
#include "app/ConverterTables.h"
#include "app/FinanceBoxDlg.h"
#include "app/MyDocument.h"
#include "framework/win/CCmdUI.h"
#include "framework/win/RegistryProfileStore.h"
#include "res/resource.h"
#include "tests/app_win/ShellTestApp.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/ScriptedModalHook.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class CCheckRecorder : public CCmdUI {
public:
    void Enable(BOOL) override {}
    void SetCheck(int nCheck) override { m_nChecked = nCheck; }
    int m_nChecked = -1;
};

class ToolsTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        EnsureTestTemplate();
        CloseMainFrame();
        ForgetSettings();
        ASSERT_NE(MainFrame(), nullptr);
    }
    // The tools of later tests start hidden, as on a first run.
    void TearDown() override
    {
        CloseMainFrame();
        ForgetSettings();
    }
    static void ForgetSettings()
    {
        for (const char* section : {"\\Converter", "\\FinanceBox"})
            ::RegDeleteTreeA(
                HKEY_CURRENT_USER,
                (std::string(kTestSettingsKey) + "\\" + AfxGetAppName() + section).c_str());
    }

    static CUnitConverterDlg& Converter() { return MainFrame()->GetUnitConverter(); }
    static void Command(UINT nID)
    {
        MainFrame()->SendMessage(WM_COMMAND, nID);
        Pump();
    }
    static int MenuCheck(UINT nID)
    {
        CCheckRecorder ui;
        ui.m_nID = nID;
        ui.DoUpdate(MainFrame(), FALSE);
        return ui.m_nChecked;
    }
    static void Choose(CWnd* pDialog, int nID, int index)
    {
        CWnd* pBox = pDialog->GetDlgItem(nID);
        pBox->SendMessage(CB_SETCURSEL, WPARAM(index));
        pDialog->SendMessage(WM_COMMAND, MAKEWPARAM(nID, CBN_SELCHANGE), LPARAM(pBox->m_hWnd));
    }
    static void Click(CWnd* pDialog, int nID)
    {
        ClickButton(pDialog, nID);
        Pump();
    }
    // A key pressed in a control, through the main loop's pre-translation.
    static void Key(CWnd* pDialog, int nID, UINT vk)
    {
        pDialog->GetDlgItem(nID)->PostMessage(WM_KEYDOWN, vk, 1);
        Pump();
    }
};

TEST_F(ToolsTest, UnitConverterConvertsRemembersAndLogs)
{
    CUnitConverterDlg& dlg = Converter();
    ScriptedModalHook hook;
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_EQ(MenuCheck(ID_TOOLS_UNIT_CONVERTER), 0);

    // Tools/Unit Converter shows the last answer in the From value, ready for typing.
    MainDocument()->GetModel().m_Engine.m_dLastAnswer = 100;
    Command(ID_TOOLS_UNIT_CONVERTER);
    ASSERT_TRUE(dlg.IsWindowVisible());
    EXPECT_EQ(MenuCheck(ID_TOOLS_UNIT_CONVERTER), 1);
    EXPECT_EQ(DlgItemText(&dlg, IDC_CONVERTER_FROM_VALUE), "100");
    EXPECT_EQ(::GetFocus(), dlg.GetDlgItem(IDC_CONVERTER_FROM_VALUE)->m_hWnd);
    EXPECT_EQ(DlgItemText(&dlg, IDC_CONVERTER_CATEGORY), "Recently used");

    // Choosing a unit converts at once; both units head the recent ones.
    Choose(&dlg, IDC_CONVERTER_CATEGORY, ConverterTemperature);
    EXPECT_EQ(dlg.GetDlgItem(IDC_CONVERTER_TO_UNIT)->SendMessage(CB_GETCOUNT), 3);
    Choose(&dlg, IDC_CONVERTER_TO_UNIT, 1);
    EXPECT_EQ(DlgItemText(&dlg, IDC_CONVERTER_TO_VALUE), "212");
    ASSERT_EQ(dlg.m_Settings.recent.size(), 2u);
    EXPECT_STREQ(dlg.m_Settings.recent[0], "degree F");
    EXPECT_STREQ(dlg.m_Settings.recent[1], "degree C");
    Choose(&dlg, IDC_CONVERTER_CATEGORY, ConverterRecentlyUsed);
    EXPECT_EQ(DlgItemText(&dlg, IDC_CONVERTER_FROM_UNIT), "degree F");

    // Convert (here by Enter) logs the conversion into the workspace and stays open.
    dlg.SetDlgItemText(IDC_CONVERTER_FROM_UNIT, "meter");
    dlg.SetDlgItemText(IDC_CONVERTER_TO_UNIT, "foot");
    Key(&dlg, IDC_CONVERTER_FROM_VALUE, VK_RETURN);
    EXPECT_EQ(DlgItemText(&dlg, IDC_CONVERTER_TO_VALUE), "328.083989501312");
    EXPECT_NE(WorkspaceText().Find("' 100 meter = 328.083989501312 foot"), -1)
        << WorkspaceText().GetString();
    EXPECT_TRUE(dlg.IsWindowVisible());
    EXPECT_TRUE(hook.messages.empty());

    // A unit that does not read: the message from Convert only, the To field emptied, the
    // recent units unchanged. A value that does not read stops before converting.
    const std::vector<CString> recent = dlg.m_Settings.recent;
    dlg.SetDlgItemText(IDC_CONVERTER_TO_UNIT, "meter)");
    Click(&dlg, IDC_CONVERTER_CONVERT);
    ASSERT_EQ(hook.messages.size(), 1u);
    EXPECT_STREQ(hook.messages[0], "The conversion cannot be carried out.  Please make sure that "
                                   "the two units are the same dimensionally");
    EXPECT_EQ(DlgItemText(&dlg, IDC_CONVERTER_TO_VALUE), "");
    EXPECT_EQ(dlg.m_Settings.recent, recent);
    Choose(&dlg, IDC_CONVERTER_CATEGORY, ConverterElectricityMagnetism);
    Choose(&dlg, IDC_CONVERTER_TO_UNIT, 2); // maxwell to tesla: no message
    EXPECT_EQ(hook.messages.size(), 1u);
    dlg.SetDlgItemText(IDC_CONVERTER_FROM_VALUE, "abc");
    Click(&dlg, IDC_CONVERTER_CONVERT);
    ASSERT_EQ(hook.messages.size(), 2u);
    EXPECT_STREQ(hook.messages[1], "Please enter a number.");

    // No user conversions: the user-defined category lists nothing.
    ASSERT_EQ(GetUserUnitCount(), 0);
    Choose(&dlg, IDC_CONVERTER_CATEGORY, ConverterUserDefined);
    EXPECT_EQ(dlg.GetDlgItem(IDC_CONVERTER_FROM_UNIT)->SendMessage(CB_GETCOUNT), 0);

    // Escape, the close box and the command hide it; the menu follows.
    Key(&dlg, IDC_CONVERTER_FROM_VALUE, VK_ESCAPE);
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_FALSE(dlg.IsShown());
    EXPECT_EQ(MenuCheck(ID_TOOLS_UNIT_CONVERTER), 0);
    Command(ID_TOOLS_UNIT_CONVERTER);
    EXPECT_TRUE(dlg.IsShown());
    dlg.SendMessage(WM_SYSCOMMAND, SC_CLOSE);
    Pump();
    EXPECT_FALSE(dlg.IsWindowVisible());
    EXPECT_FALSE(dlg.IsShown());
    Command(ID_TOOLS_UNIT_CONVERTER);
    Command(ID_TOOLS_UNIT_CONVERTER);
    EXPECT_FALSE(dlg.IsWindowVisible());
}

TEST_F(ToolsTest, UnitConverterKeepsItsPlaceSizeAndChoicesBetweenRuns)
{
    CUnitConverterDlg* pDlg = &Converter();
    CRect collapsed;
    pDlg->GetWindowRect(&collapsed);
    Click(pDlg, IDC_CONVERTER_OPTIONS);
    CRect full;
    pDlg->GetWindowRect(&full);
    EXPECT_GT(full.Height(), collapsed.Height());
    EXPECT_EQ(full.TopLeft(), collapsed.TopLeft());
    EXPECT_EQ(DlgItemText(pDlg, IDC_CONVERTER_OPTIONS), "&Options <<<");
    Choose(pDlg, IDC_CONVERTER_CATEGORY, ConverterSpeed);
    pDlg->CheckRadioButton(IDC_CONVERTER_STARTUP, IDC_CONVERTER_STARTUP_LAST,
                           IDC_CONVERTER_STARTUP_LAST);
    Command(ID_TOOLS_UNIT_CONVERTER);
    pDlg->SetWindowPos(nullptr, 40, 30, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CloseMainFrame();

    CRegistryProfileStore store;
    const struct {
        const char* key;
        int value;
    } written[] = {{"Visible", 1},     {"StartupCategory", 2}, {"LastCategory", ConverterSpeed},
                   {"IsBig", 1},       {"Left", 40},           {"Top", 30},
                   {"LogResults", -9}, {"RecentCount", -9}}; // unchanged: not written
    for (const auto& w : written)
        EXPECT_EQ(store.GetInt("Converter", w.key, -9), w.value) << w.key;

    // The next run opens as this one ended.
    pDlg = &Converter();
    EXPECT_TRUE(pDlg->IsWindowVisible());
    EXPECT_EQ(DlgItemText(pDlg, IDC_CONVERTER_CATEGORY), "Speed");
    CRect again;
    pDlg->GetWindowRect(&again);
    EXPECT_EQ(again, CRect(CPoint(40, 30), full.Size()));

    // A category out of range opens the first; a place off the screen centres the window.
    CloseMainFrame();
    store.WriteInt("Converter", "LastCategory", 99);
    store.WriteInt("Converter", "Left", 5000);
    pDlg = &Converter();
    EXPECT_EQ(DlgItemText(pDlg, IDC_CONVERTER_CATEGORY), "Length");
    pDlg->GetWindowRect(&again);
    EXPECT_LT(again.right, ::GetSystemMetrics(SM_CXVIRTUALSCREEN));

    // A run that never shows it keeps no place: the next run centres it on the main window.
    CloseMainFrame();
    store.WriteInt("Converter", "Visible", 0);
    store.WriteInt("Converter", "Left", 5000);
    EXPECT_FALSE(Converter().IsWindowVisible());
    CloseMainFrame();
    EXPECT_EQ(store.GetInt("Converter", "Left", -9), 5000);
}

TEST_F(ToolsTest, FinanceBoxSolvesRefusesAndAsksForAnotherGuess)
{
    CFinanceBoxDlg& box = MainFrame()->GetFinanceBox();
    ScriptedModalHook hook;
    EXPECT_FALSE(box.IsWindowVisible());
    Command(ID_TOOLS_FINANCE_BOX);
    ASSERT_TRUE(box.IsWindowVisible());
    EXPECT_EQ(MenuCheck(ID_TOOLS_FINANCE_BOX), 1);
    EXPECT_EQ(DlgItemText(&box, IDC_FINANCE_FREQUENCY), "Monthly");
    EXPECT_EQ(DlgItemText(&box, IDC_FINANCE_TIMING), "End of period");

    auto fill = [&](const char* pv, const char* fv, const char* rate, const char* years,
                    const char* payment) {
        const std::pair<int, const char*> fields[] = {{IDC_FINANCE_PV, pv},
                                                      {IDC_FINANCE_FV, fv},
                                                      {IDC_FINANCE_RATE, rate},
                                                      {IDC_FINANCE_DURATION, years},
                                                      {IDC_FINANCE_PAYMENT, payment}};
        for (const auto& [nID, text] : fields)
            box.SetDlgItemText(nID, text);
    };
    fill("1000", "0", "12", "1", "0");
    Click(&box, IDC_FINANCE_CALC_PMT);
    EXPECT_EQ(DlgItemText(&box, IDC_FINANCE_PAYMENT), "-88.85");
    EXPECT_EQ(box.m_Values.dPayment, -88.85) << "the shown value is the stored one";
    Click(&box, IDC_FINANCE_CALC_RATE);
    EXPECT_EQ(DlgItemText(&box, IDC_FINANCE_RATE), "12.00");
    fill("0.01125", "0", "12", "1", "0");
    Click(&box, IDC_FINANCE_CALC_PMT);
    EXPECT_EQ(DlgItemText(&box, IDC_FINANCE_PAYMENT), "0");
    EXPECT_TRUE(hook.messages.empty());

    // An infinite duration, no rate and a field that does not read: a message each, nothing
    // changed.
    fill("1000", "0", "0", "7", "0");
    Click(&box, IDC_FINANCE_CALC_NPER);
    EXPECT_EQ(DlgItemText(&box, IDC_FINANCE_DURATION), "7");
    EXPECT_EQ(::GetFocus(), box.GetDlgItem(IDC_FINANCE_PV)->m_hWnd);
    fill("1000", "0", "0", "1", "-80");
    Click(&box, IDC_FINANCE_CALC_RATE);
    EXPECT_EQ(DlgItemText(&box, IDC_FINANCE_RATE), "0");
    fill("1000", "abc", "12", "1", "-1");
    Click(&box, IDC_FINANCE_CALC_PMT);
    EXPECT_EQ(DlgItemText(&box, IDC_FINANCE_PAYMENT), "-1");
    const std::vector<CString> messages{
        "One or more of the inputs are invalid.  Please try again.",
        "No interest rate satisfies the given parameters.  Please change one or more values.",
        "Please enter a number."};
    EXPECT_EQ(hook.messages, messages);

    // A rate that does not converge asks for another guess: a guess that does not read is
    // refused, a new one is tried (and asked again), Cancel ends without a message.
    hook.messages.clear();
    fill("1000", "0", "12", "1", "0");
    hook.steps.push_back([](CWnd* pGuess) {
        EXPECT_EQ(DlgItemText(pGuess, IDC_RATE_GUESS), "10");
        pGuess->SetDlgItemText(IDC_RATE_GUESS, "abc");
        ClickButton(pGuess, IDOK);
    });
    hook.steps.push_back([](CWnd* pGuess) {
        pGuess->SetDlgItemText(IDC_RATE_GUESS, "5");
        ClickButton(pGuess, IDOK);
    });
    hook.steps.push_back([](CWnd* pGuess) {
        EXPECT_EQ(DlgItemText(pGuess, IDC_RATE_GUESS), "5");
        ClickButton(pGuess, IDCANCEL);
    });
    Click(&box, IDC_FINANCE_CALC_RATE);
    EXPECT_EQ(hook.next, 3u);
    EXPECT_EQ(hook.messages, std::vector<CString>{"Please enter a number."});
    EXPECT_EQ(box.m_dRateGuess, 5.0);
    EXPECT_EQ(DlgItemText(&box, IDC_FINANCE_RATE), "12");

    // F1 opens the help's index at the box's keyword.
    CString keyword;
    TestApp().SetHelpLauncher([&](const CMathApp::HelpRequest& request) {
        keyword = request.strKeyword;
        return ::GetDesktopWindow();
    });
    TestApp().SetProgramPaths((TestFolder() + "zivra.exe").c_str());
    FILE* chm = std::fopen((TestFolder() + "Zivra.chm").c_str(), "wb");
    std::fclose(chm);
    box.SendMessage(WM_HELP, 0, 0);
    TestApp().SetHelpLauncher(nullptr);
    EXPECT_STREQ(keyword, "Finance Box");

    // Enter does nothing; Escape, Close and the command hide it.
    Key(&box, IDC_FINANCE_PV, VK_RETURN);
    EXPECT_TRUE(box.IsWindowVisible());
    Key(&box, IDC_FINANCE_PV, VK_ESCAPE);
    EXPECT_FALSE(box.IsWindowVisible());
    EXPECT_EQ(MenuCheck(ID_TOOLS_FINANCE_BOX), 0);
    Command(ID_TOOLS_FINANCE_BOX);
    Click(&box, IDC_FINANCE_CLOSE);
    EXPECT_FALSE(box.IsShown());
    Command(ID_TOOLS_FINANCE_BOX);
    box.SetWindowPos(nullptr, 20, 10, 0, 0, SWP_NOSIZE | SWP_NOZORDER);
    CloseMainFrame();
    CRegistryProfileStore store;
    EXPECT_EQ(store.GetInt("FinanceBox", "Visible", 0), 1);
    EXPECT_EQ(store.GetInt("FinanceBox", "Left", 0), 20);
    EXPECT_EQ(store.GetInt("FinanceBox", "Top", 0), 10);
    CRect rect;
    MainFrame()->GetFinanceBox().GetWindowRect(&rect);
    EXPECT_EQ(rect.TopLeft(), CPoint(20, 10));
    EXPECT_TRUE(MainFrame()->GetFinanceBox().IsWindowVisible());

    // A run that never shows it keeps no place, nor the place it was given out of sight.
    CloseMainFrame();
    store.WriteInt("FinanceBox", "Visible", 0);
    store.WriteInt("FinanceBox", "Left", -1);
    EXPECT_FALSE(MainFrame()->GetFinanceBox().IsWindowVisible());
    CloseMainFrame();
    EXPECT_EQ(store.GetInt("FinanceBox", "Left", -9), -1);
}

} // namespace
