// Property sheets run modally through the framework's loop and answered by the test hook.
#include "framework/win/CPropertySheet.h"
#include "tests/framework_win/TestResource.h"
#include "tests/support/ScriptedModalHook.h"

#include <gtest/gtest.h>

namespace {

class CValuePage : public CPropertyPage {
public:
    explicit CValuePage(UINT nIDTemplate, int value) : CPropertyPage(nIDTemplate), m_value(value) {}

    int m_value;
    int m_inits = 0;
    int m_activations = 0;
    int m_oks = 0;
    int m_cancels = 0;

    BOOL OnInitDialog() override
    {
        ++m_inits;
        return CPropertyPage::OnInitDialog();
    }
    BOOL OnSetActive() override
    {
        ++m_activations;
        return CPropertyPage::OnSetActive();
    }
    void OnOK() override { ++m_oks; }
    void OnCancel() override { ++m_cancels; }

protected:
    void DoDataExchange(CDataExchange* pDX) override { DDX_Text(pDX, IDC_PAGE_VALUE, m_value); }
};

CString PageText(CPropertyPage* pPage)
{
    CString text;
    pPage->GetDlgItemText(IDC_PAGE_VALUE, text);
    return text;
}

TEST(Sheets, StartsOnTheChosenPageAndAppliesOnlyCreatedPages)
{
    ScriptedModalHook hook;
    CValuePage first(IDD_PAGE1, 1);
    CValuePage second(IDD_PAGE2, 2);
    CPropertySheet sheet("Options", nullptr, 1);
    sheet.m_psh.dwFlags |= PSH_NOAPPLYNOW;
    sheet.AddPage(&first);
    sheet.AddPage(&second);

    hook.steps.push_back([&](CWnd*) {
        EXPECT_EQ(sheet.GetActiveIndex(), 1);
        EXPECT_EQ(sheet.GetActivePage(), &second);
        EXPECT_EQ(first.m_hWnd, nullptr) << "a page never shown is never created";
        EXPECT_EQ(second.m_inits, 1);
        EXPECT_STREQ(PageText(&second), "2");
        HWND hApply = ::GetDlgItem(sheet.m_hWnd, 0x3021);
        EXPECT_TRUE(!hApply || !::IsWindowVisible(hApply)) << "Apply button removed";
        second.SetDlgItemText(IDC_PAGE_VALUE, "22");
        sheet.PressButton(PSBTN_OK);
    });
    EXPECT_EQ(sheet.DoModal(), IDOK);
    EXPECT_EQ(second.m_value, 22);
    EXPECT_EQ(second.m_oks, 1);
    EXPECT_EQ(first.m_oks, 0);
    EXPECT_EQ(first.m_inits, 0);
    EXPECT_EQ(sheet.m_hWnd, nullptr);
    EXPECT_EQ(second.m_hWnd, nullptr);
}

TEST(Sheets, SwitchingPagesValidatesAndCancelKeepsValues)
{
    ScriptedModalHook hook;
    CValuePage first(IDD_PAGE1, 1);
    CValuePage second(IDD_PAGE2, 2);
    CPropertySheet sheet("Options");
    sheet.AddPage(&first);
    sheet.AddPage(&second);

    hook.steps.push_back([&](CWnd*) {
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        first.SetDlgItemText(IDC_PAGE_VALUE, "not a number");
        sheet.SetActivePage(1); // refused: the first page keeps the focus
    });
    hook.steps.push_back([&](CWnd*) {
        EXPECT_EQ(sheet.GetActiveIndex(), 0);
        first.SetDlgItemText(IDC_PAGE_VALUE, "11");
        sheet.SetActivePage(1);
    });
    hook.steps.push_back([&](CWnd*) {
        EXPECT_EQ(sheet.GetActiveIndex(), 1);
        EXPECT_EQ(first.m_value, 11) << "leaving a page saves it";
        second.SetDlgItemText(IDC_PAGE_VALUE, "33");
        sheet.PressButton(PSBTN_CANCEL);
    });
    EXPECT_EQ(sheet.DoModal(), IDCANCEL);
    ASSERT_EQ(hook.messages.size(), 1u);
    EXPECT_STREQ(hook.messages[0], "Please enter an integer.");
    EXPECT_EQ(second.m_value, 2) << "cancel does not save the shown page";
    EXPECT_EQ(first.m_oks + second.m_oks, 0);
    EXPECT_EQ(first.m_cancels, 1);
    EXPECT_EQ(second.m_cancels, 1);
}

} // namespace
