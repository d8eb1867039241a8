// The dialogs that belong to no tool, as the user meets them: Insert Function choosing by
// category and typing the choice into the workspace, the About box with its two links (no
// browser is ever started: the shell's answer is put in its place), Help's web page and the
// results' Help button.
#include "app/AboutDlg.h"
#include "app/InsertFunctionDlg.h"
#include "app/RichWorkspace.h"
#include "framework/win/CCmdUI.h"
#include "res/resource.h"
#include "tests/app_win/ShellTestApp.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/ScriptedModalHook.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace {

std::vector<std::string> ListItems(CWnd* pDialog, int nID)
{
    CListBox* pList = static_cast<CListBox*>(pDialog->GetDlgItem(nID));
    std::vector<std::string> items;
    for (int i = 0; i < pList->GetCount(); ++i) {
        CString text;
        pList->GetText(i, text);
        items.emplace_back(text.GetString());
    }
    return items;
}

// Selects an entry of a list box as a click does; bDouble: a double click.
void ChooseInList(CWnd* pDialog, int nID, const char* text, bool bDouble = false)
{
    CWnd* pList = pDialog->GetDlgItem(nID);
    pList->SendMessage(LB_SELECTSTRING, WPARAM(-1), LPARAM(text));
    pDialog->SendMessage(WM_COMMAND, MAKEWPARAM(nID, bDouble ? LBN_DBLCLK : LBN_SELCHANGE),
                         LPARAM(pList->m_hWnd));
}

TEST(GeneralDialogs, InsertFunctionTypesTheChoiceAndMakesItAFavourite)
{
    CMyDocument* pDoc = MainDocument();
    pDoc->GetModel().m_FavoriteFunctions = {"MYFUNC", "SQRT"};
    CRichWorkspace* pWorkspace = pDoc->GetWorkspaceView();
    pWorkspace->SetWindowText("");
    MainFrame()->SetViewMask(ViewWorkspace);

    ScriptedModalHook hook;
    hook.steps.push_back([](CWnd* p) {
        const std::vector<std::string> categories = ListItems(p, IDC_FUNCTION_CATEGORIES);
        ASSERT_EQ(categories.size(), 14u);
        EXPECT_EQ(categories[0], "Favorites");
        EXPECT_EQ(ListItems(p, IDC_FUNCTION_LIST), (std::vector<std::string>{"MYFUNC", "SQRT"}));
        ChooseInList(p, IDC_FUNCTION_LIST, "SQRT");
        EXPECT_EQ(DlgItemText(p, IDC_FUNCTION_SYNTAX), "SQRT(x)");
        EXPECT_NE(DlgItemText(p, IDC_FUNCTION_DESCRIPTION), "");
        ChooseInList(p, IDC_FUNCTION_LIST, "MYFUNC"); // not in the catalogue: no texts
        EXPECT_EQ(DlgItemText(p, IDC_FUNCTION_SYNTAX), "");
        EXPECT_EQ(DlgItemText(p, IDC_FUNCTION_DESCRIPTION), "");
        ChooseInList(p, IDC_FUNCTION_CATEGORIES, "Trigonometric");
        const std::vector<std::string> trig = ListItems(p, IDC_FUNCTION_LIST);
        EXPECT_NE(std::find(trig.begin(), trig.end(), "COS"), trig.end());
        ChooseInList(p, IDC_FUNCTION_LIST, "COS", true);
    });
    MainFrame()->SendMessage(WM_COMMAND, ID_INSERT_FUNCTION);
    Pump();
    EXPECT_EQ(hook.next, 1u);
    CString typed;
    pWorkspace->GetWindowText(typed);
    EXPECT_STREQ(typed, "COS");
    EXPECT_EQ(pDoc->GetModel().m_FavoriteFunctions,
              (std::vector<CString>{"COS", "MYFUNC", "SQRT"}));

    // Cancel types nothing; without the workspace pane the command is off.
    hook.steps.push_back([](CWnd* p) { ClickButton(p, IDCANCEL); });
    MainFrame()->SendMessage(WM_COMMAND, ID_INSERT_FUNCTION);
    pWorkspace->GetWindowText(typed);
    EXPECT_STREQ(typed, "COS");
    struct : CCmdUI {
        void Enable(BOOL bOn) override { enabled = bOn; }
        BOOL enabled = -1;
    } state;
    state.m_nID = ID_INSERT_FUNCTION;
    MainFrame()->SetViewMask(ViewGrid);
    state.DoUpdate(MainFrame(), FALSE);
    EXPECT_FALSE(state.enabled);
    MainFrame()->SetViewMask(ViewWorkspace);
    state.DoUpdate(MainFrame(), FALSE);
    EXPECT_TRUE(state.enabled);
}

// The About box's texts and links; each link opens its target, and a shell that fails (2 file
// not found, 31 no association) is reported while a success (33) is not.
TEST(GeneralDialogs, AboutBoxLinksOpenTheirTargets)
{
    std::vector<CString> opened;
    INT_PTR answer = 33;
    SetShellOpener([&](const CString& target) {
        opened.push_back(target);
        return answer;
    });
    ScriptedModalHook hook;
    hook.steps.push_back([&](CWnd* pWnd) {
        auto* p = dynamic_cast<CAboutDlg*>(pWnd);
        ASSERT_NE(p, nullptr);
        CString caption;
        p->GetWindowText(caption);
        EXPECT_STREQ(caption, "About Zivra Kelmora");
        EXPECT_EQ(DlgItemText(p, IDC_ABOUT_VERSION), "Zivra Kelmora 2.0");
        EXPECT_EQ(p->GetDlgItem(IDC_ABOUT_MAIL), &p->m_MailLink);
        EXPECT_STREQ(p->m_WebLink.GetText(), kWebPageAddress);

        EXPECT_EQ(p->m_MailLink.GetColour(), CHyperLink::kUnvisited);
        p->m_MailLink.SendMessage(WM_SETCURSOR, WPARAM(p->m_MailLink.m_hWnd),
                                  MAKELPARAM(HTCLIENT, WM_MOUSEMOVE));
        EXPECT_EQ(::GetCursor(),
                  ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDC_HYPERLINK)));
        for (INT_PTR result : {33, 2, 31}) {
            answer = result;
            p->m_MailLink.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        }
        EXPECT_EQ(p->m_MailLink.GetColour(), CHyperLink::kVisited);
        answer = 33;
        p->m_WebLink.SendMessage(WM_LBUTTONUP, 0, MAKELPARAM(2, 2));
        ClickButton(p, IDOK);
    });
    MainFrame();
    TestApp().OnCmdMsg(ID_APP_ABOUT, CN_COMMAND, nullptr, nullptr);
    EXPECT_EQ(hook.next, 1u);
    ASSERT_EQ(opened.size(), 4u);
    EXPECT_STREQ(opened[0], "mailto:support@zivra.example");
    EXPECT_STREQ(opened[3], kWebPageAddress);
    const std::vector<CString> failures(2, "Unable to start the mail/browser program");
    EXPECT_EQ(hook.messages, failures);

    // Help's web item opens the program's page.
    answer = 42;
    MainFrame()->SendMessage(WM_COMMAND, ID_HELP_HOMEPAGE);
    EXPECT_STREQ(opened.back(), kWebPageAddress);
    EXPECT_EQ(hook.messages.size(), 2u);
    SetShellOpener(nullptr);
}

} // namespace
