// Message boxes and confirmations as the user meets them: icons, captions, the checks that move
// the focus, and the confirmation dialog answered by its buttons and by Escape.
#include "app/MessageBoxes.h"
#include "framework/win/CDialog.h"
#include "res/AppIds.h"
#include "tests/support/ScriptedModalHook.h"

#include <gtest/gtest.h>

namespace {

TEST(MessageBoxes, IconsButtonsAndTheDefaultCaption)
{
    ScriptedModalHook hook;
    struct Case {
        int (*show)(CWnd*, LPCTSTR, LPCTSTR);
        UINT type;
    };
    const Case cases[] = {
        {&MessageBoxText, MB_OK | MB_ICONEXCLAMATION},
        {&MessageBoxInfo, MB_OK | MB_ICONINFORMATION},
        {&MessageBoxQuestion, MB_YESNO | MB_ICONQUESTION},
    };
    for (const Case& c : cases) {
        hook.boxAnswer = IDYES;
        EXPECT_EQ(c.show(nullptr, "text", nullptr), IDYES);
        EXPECT_EQ(hook.types.back(), c.type);
        EXPECT_STREQ(hook.messages.back(), "text");
        EXPECT_STREQ(hook.captions.back(), AfxGetAppName()); // no caption: the program's name
        c.show(nullptr, "text", "Finance Box");
        EXPECT_STREQ(hook.captions.back(), "Finance Box");
    }
    MessageBoxId(nullptr, IDS_TOO_FEW_POINTS);
    EXPECT_STREQ(hook.messages.back(), "There are too few data points.  Please enter more data.");
    MessageBoxId(nullptr, 4242);
    EXPECT_STREQ(hook.messages.back(), "");
}

class ConfirmationTest : public ::testing::Test {
protected:
    // Runs the prompt while the hook presses a button (or Escape) after ticking the box.
    int Run(bool bDelete, int nButton, bool bTick, BOOL& bDontAsk)
    {
        ScriptedModalHook hook;
        hook.steps.push_back([&](CWnd* pDialog) {
            question = CString();
            char text[256] = {};
            ::GetDlgItemTextA(pDialog->m_hWnd, IDC_CONFIRM_QUESTION, text, sizeof text);
            question = text;
            ::GetWindowTextA(pDialog->m_hWnd, text, sizeof text);
            caption = text;
            if (bTick)
                ::CheckDlgButton(pDialog->m_hWnd, IDC_CONFIRM_DONTASK, BST_CHECKED);
            if (nButton == IDCANCEL)
                pDialog->SendMessage(WM_COMMAND, IDCANCEL, 0);
            else
                ClickButton(pDialog, nButton);
        });
        return bDelete ? ConfirmDeletePrompt("data table T", bDontAsk)
                       : ConfirmOverwritePrompt("list L", bDontAsk);
    }
    CString question, caption;
};

TEST_F(ConfirmationTest, AnswersAndTheDontAskBox)
{
    struct Case {
        bool bDelete;
        int nButton;
        bool bTick;
        BOOL bDontAskIn;
        int nAnswer;
        BOOL bDontAskOut;
    };
    const Case cases[] = {
        {true, IDYES, true, FALSE, IDYES, TRUE},    {true, IDNO, false, FALSE, IDNO, FALSE},
        {true, IDCANCEL, true, FALSE, IDNO, FALSE}, // Escape takes nothing from the dialog
        {false, IDYES, false, TRUE, IDYES, TRUE},   // the box starts as given
        {false, IDNO, true, FALSE, IDNO, TRUE},
    };
    for (const Case& c : cases) {
        BOOL bDontAsk = c.bDontAskIn;
        EXPECT_EQ(Run(c.bDelete, c.nButton, c.bTick, bDontAsk), c.nAnswer) << c.nButton;
        EXPECT_EQ(bDontAsk, c.bDontAskOut) << c.nButton;
        EXPECT_STREQ(question, c.bDelete ? "Delete data table T?" : "Overwrite list L?");
        EXPECT_STREQ(caption, c.bDelete ? "Confirm deletion" : "Confirm overwrite");
    }
}

TEST(CheckOrWarn, MessageAndFocusOnlyWhenTheConditionFails)
{
    ScriptedModalHook hook;
    CDialog dlg;
    ASSERT_TRUE(dlg.Create(IDD_CONFIRM_DELETE));
    dlg.ShowWindow(SW_SHOW);
    ::SetFocus(::GetDlgItem(dlg.m_hWnd, IDYES));
    EXPECT_TRUE(CheckOrWarnId(&dlg, TRUE, IDS_FIELD_MISSING, IDC_CONFIRM_DONTASK));
    EXPECT_TRUE(hook.messages.empty());
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg.m_hWnd, IDYES));

    EXPECT_FALSE(CheckOrWarnText(&dlg, FALSE, nullptr, IDC_CONFIRM_DONTASK));
    EXPECT_TRUE(hook.messages.empty());
    EXPECT_EQ(::GetFocus(), ::GetDlgItem(dlg.m_hWnd, IDC_CONFIRM_DONTASK));

    EXPECT_FALSE(CheckOrWarnId(&dlg, FALSE, IDS_FIELD_MISSING, 0));
    ASSERT_EQ(hook.messages.size(), 1u);
    EXPECT_STREQ(hook.messages[0], "Required field missing");
    dlg.DestroyWindow();
}

} // namespace
