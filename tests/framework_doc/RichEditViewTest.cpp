// The rich-edit view: the Edit commands and their states, word wrap and the background colour.
#include "framework/win/CCmdUI.h"
#include "tests/framework_doc/DocTestApp.h"

#include <gtest/gtest.h>

#include <string>

namespace {

class CEnableCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        m_nEnabled = bOn ? 1 : 0;
    }
    int m_nEnabled = -1;
};

int CommandState(CFrameWnd* pFrame, UINT nID)
{
    CEnableCmdUI state;
    state.m_nID = nID;
    state.DoUpdate(pFrame, TRUE);
    return state.m_nEnabled;
}

TEST(RichEditView, EditCommandsFollowTheSelectionAndTheUndoBuffer)
{
    CTestFrame* pFrame = MainFrame();
    pFrame->SetActiveView(pFrame->TextView());
    CTestTextView* pView = pFrame->TextView();
    pView->SetWindowText("");
    pView->SendMessage(EM_EMPTYUNDOBUFFER);
    struct Step {
        const char* what;
        UINT nID;
        int nEnabled;
    };
    EXPECT_EQ(CommandState(pFrame, ID_EDIT_SELECT_ALL), 0) << "empty text";
    EXPECT_EQ(CommandState(pFrame, ID_EDIT_UNDO), 0) << "nothing typed";
    for (char ch : std::string("sin(3)"))
        pView->SendMessage(WM_CHAR, WPARAM(ch), 1);
    const Step afterTyping[] = {
        {"typed, no selection", ID_EDIT_CUT, 0},
        {"typed, no selection", ID_EDIT_COPY, 0},
        {"typed", ID_EDIT_UNDO, 1},
        {"typed", ID_EDIT_SELECT_ALL, 1},
    };
    for (const Step& s : afterTyping)
        EXPECT_EQ(CommandState(pFrame, s.nID), s.nEnabled) << s.what << " " << s.nID;

    pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_EDIT_SELECT_ALL, 0), 0);
    CHARRANGE cr{};
    pView->SendMessage(EM_EXGETSEL, 0, LPARAM(&cr));
    EXPECT_EQ(cr.cpMin, 0);
    EXPECT_GE(cr.cpMax, 6); // the control may count its final paragraph mark
    EXPECT_EQ(CommandState(pFrame, ID_EDIT_CUT), 1) << "all selected";
    EXPECT_EQ(CommandState(pFrame, ID_EDIT_COPY), 1) << "all selected";

    pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_EDIT_CLEAR, 0), 0);
    EXPECT_EQ(pView->GetWindowTextLength(), 0);
    pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_EDIT_UNDO, 0), 0);
    EXPECT_EQ(pView->GetWindowTextLength(), 6);
    MainDoc()->SetModifiedFlag(FALSE);
}

TEST(RichEditView, LongLinesWrapOnlyWhenWordWrapIsOn)
{
    CTestFrame* pFrame = MainFrame();
    pFrame->SetWindowPos(nullptr, 0, 0, 400, 300, SWP_NOZORDER | SWP_NOACTIVATE);
    CTestTextView* pView = pFrame->TextView();
    std::string line;
    for (int i = 0; i < 40; i++)
        line += "word ";
    pView->SetWindowText(line.c_str());
    struct Case {
        int nWrap;
        bool bOneLine;
    };
    const Case cases[] = {
        {CRichEditView::WrapNone, true},
        {CRichEditView::WrapToWindow, false},
    };
    for (const Case& c : cases) {
        pView->m_nWordWrap = c.nWrap;
        pView->WrapChanged();
        EXPECT_EQ(pView->SendMessage(EM_GETLINECOUNT) == 1, c.bOneLine) << c.nWrap;
    }
    pView->SetWindowText("");
    MainDoc()->SetModifiedFlag(FALSE);
}

TEST(RichEditView, BackgroundColourIsSetAndTheOldOneReturned)
{
    CTestTextView* pView = MainFrame()->TextView();
    pView->SetBackgroundColor(FALSE, RGB(255, 255, 224));
    EXPECT_EQ(pView->SetBackgroundColor(FALSE, RGB(0, 0, 0)), RGB(255, 255, 224));
    pView->SetBackgroundColor(TRUE, 0);
}

} // namespace
