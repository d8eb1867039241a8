// The two tool windows as the user meets them in the main frame: the unit converter converting,
// remembering recent units, logging into the workspace, refusing bad units and values, showing
// and hiding by command, Escape and its close box, and keeping its settings between runs.
#include "app/ConverterTables.h"
#include "app/MyDocument.h"
#include "app/RichWorkspace.h"
#include "framework/win/CCmdUI.h"
#include "framework/win/RegistryProfileStore.h"
#include "res/resource.h"
#include "tests/app_win/ShellTestApp.h"
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
    static std::string Text(CWnd* pDialog, int nID)
    {
        CString text;
        pDialog->GetDlgItemText(nID, text);
        return text.GetString();
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
    static std::string WorkspaceText()
    {
        CString text;
        MainDocument()->GetWorkspaceView()->GetWindowText(text);
        return text.GetString();
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
    EXPECT_EQ(Text(&dlg, IDC_CONVERTER_FROM_VALUE), "100");
    EXPECT_EQ(::GetFocus(), dlg.GetDlgItem(IDC_CONVERTER_FROM_VALUE)->m_hWnd);
    EXPECT_EQ(Text(&dlg, IDC_CONVERTER_CATEGORY), "Recently used");

    // Choosing a unit converts at once; both units head the recent ones.
    Choose(&dlg, IDC_CONVERTER_CATEGORY, ConverterTemperature);
    EXPECT_EQ(dlg.GetDlgItem(IDC_CONVERTER_TO_UNIT)->SendMessage(CB_GETCOUNT), 3);
    Choose(&dlg, IDC_CONVERTER_TO_UNIT, 1);
    EXPECT_EQ(Text(&dlg, IDC_CONVERTER_TO_VALUE), "212");
    ASSERT_EQ(dlg.m_Settings.recent.size(), 2u);
    EXPECT_STREQ(dlg.m_Settings.recent[0], "degree F");
    EXPECT_STREQ(dlg.m_Settings.recent[1], "degree C");
    Choose(&dlg, IDC_CONVERTER_CATEGORY, ConverterRecentlyUsed);
    EXPECT_EQ(Text(&dlg, IDC_CONVERTER_FROM_UNIT), "degree F");

    // Convert (here by Enter) logs the conversion into the workspace and stays open.
    dlg.SetDlgItemText(IDC_CONVERTER_FROM_UNIT, "meter");
    dlg.SetDlgItemText(IDC_CONVERTER_TO_UNIT, "foot");
    Key(&dlg, IDC_CONVERTER_FROM_VALUE, VK_RETURN);
    EXPECT_EQ(Text(&dlg, IDC_CONVERTER_TO_VALUE), "328.083989501312");
    EXPECT_NE(WorkspaceText().find("' 100 meter = 328.083989501312 foot"), std::string::npos)
        << WorkspaceText();
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
    EXPECT_EQ(Text(&dlg, IDC_CONVERTER_TO_VALUE), "");
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
    EXPECT_EQ(Text(pDlg, IDC_CONVERTER_OPTIONS), "&Options <<<");
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
    } written[] = {{"Visible", 1}, {"StartupCategory", 2}, {"LastCategory", ConverterSpeed},
                   {"IsBig", 1},   {"LogResults", 1},      {"Left", 40},
                   {"Top", 30},    {"RecentCount", 0}};
    for (const auto& w : written)
        EXPECT_EQ(store.GetInt("Converter", w.key, -9), w.value) << w.key;

    // The next run opens as this one ended.
    pDlg = &Converter();
    EXPECT_TRUE(pDlg->IsWindowVisible());
    EXPECT_EQ(Text(pDlg, IDC_CONVERTER_CATEGORY), "Speed");
    CRect again;
    pDlg->GetWindowRect(&again);
    EXPECT_EQ(again, CRect(CPoint(40, 30), full.Size()));

    // A category out of range opens the first; a place off the screen centres the window.
    CloseMainFrame();
    store.WriteInt("Converter", "LastCategory", 99);
    store.WriteInt("Converter", "Left", 5000);
    pDlg = &Converter();
    EXPECT_EQ(Text(pDlg, IDC_CONVERTER_CATEGORY), "Length");
    pDlg->GetWindowRect(&again);
    EXPECT_LT(again.right, ::GetSystemMetrics(SM_CXVIRTUALSCREEN));
}

} // namespace
