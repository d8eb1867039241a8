#pragma once
// The workspace in the main frame as a user drives it: keys, long reports, its text read back.
#include "app/RichWorkspace.h"
#include "engine/SolverModel.h"
#include "res/AppIds.h"
#include "tests/app_win/ShellTestApp.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>

class LongWorkspace : public FreshFrameTest {
protected:
    CRichWorkspace* View() { return doc->GetWorkspaceView(); }
    // The text with "\r" ending each line.
    std::string Text()
    {
        CString text;
        View()->GetWindowText(text);
        text.Remove('\n');
        return text.GetString();
    }
    // The text with its colours and fonts.
    std::string Rtf() { return View()->RtfOfRange(0, View()->TextLength()); }
    void Focus()
    {
        frame->FocusWorkspace();
        Pump();
    }
    // Calculate on a model of sin(x) = 0 with n solutions: a report of n lines and a few more.
    void Report(int n)
    {
        const CString equation = "sin(x)=0";
        model->m_Engine.m_nAngleMode = AngleRadians;
        if (const int old = model->FindSolverModel(equation); old >= 0)
            model->DeleteSolverModel(old);
        ASSERT_EQ(doc->AddSolverModel(equation, ""), 0);
        CSolverModel* solver =
            model->m_UserDefinitions.GetSolverModel(model->FindSolverModel(equation));
        solver->m_dMinimum = 0.5;
        solver->m_dMaximum = 0.5 + n * 3.14159265358979;
        solver->m_nSolverSteps = n;
        frame->InsertExplorerItem(ItemSolverModel, equation, TRUE);
        Pump();
        doc->ShowSolverSolution(0);
        Pump();
    }
    // Keys typed into the workspace, Return evaluating its line.
    void Keys(const char* keys)
    {
        Focus();
        for (const char* p = keys; *p; ++p) {
            if (*p == '\r')
                View()->PostMessage(WM_KEYDOWN, VK_RETURN, 1);
            else
                View()->PostMessage(WM_CHAR, WPARAM(BYTE(*p)), 1);
            Pump();
        }
    }
    int Lines() { return int(View()->SendMessage(EM_GETLINECOUNT)); }
    // A line, then a report of more lines than the view resizes in place, part of it selected
    // and scrolled to: what a new size of the view must keep.
    struct KeptText {
        std::string before, rtf; // the text before the report, and with it
        CHARRANGE sel{2000, 2100};
        POINT scroll{0, 9000};
    };
    KeptText LongTextInView()
    {
        KeptText kept;
        Keys("1+1\r");
        kept.before = Text();
        Report(CRichEditView::kRebuildLines);
        kept.rtf = Rtf();
        Focus();
        View()->SendMessage(EM_EXSETSEL, 0, LPARAM(&kept.sel));
        View()->SendMessage(EM_SETSCROLLPOS, 0, LPARAM(&kept.scroll));
        kept.scroll = View()->ScrollPosition();
        return kept;
    }
    void ExpectKept(const KeptText& kept, const std::string& road)
    {
        CHARRANGE got{};
        View()->SendMessage(EM_EXGETSEL, 0, LPARAM(&got));
        EXPECT_EQ(std::pair(got.cpMin, got.cpMax), std::pair(kept.sel.cpMin, kept.sel.cpMax))
            << road;
        EXPECT_EQ(View()->ScrollPosition().y, kept.scroll.y) << road;
        EXPECT_EQ(Rtf(), kept.rtf) << road;
    }
    // One Undo takes the report away and Redo brings it back.
    void ExpectUndoOfTheReport(const KeptText& kept)
    {
        Focus();
        Press('Z', kCtrl);
        EXPECT_EQ(Text(), kept.before) << "one Undo takes the report away";
        Press('Y', kCtrl);
        EXPECT_EQ(Rtf(), kept.rtf) << "and Redo brings it back";
    }
    // Where the view stands in its parent.
    CRect Place()
    {
        CRect rect;
        View()->GetWindowRect(&rect);
        View()->GetParent()->ScreenToClient(&rect);
        return rect;
    }
    // The rich-edit controls beside the view's, shown or not.
    int RichEditControls()
    {
        int n = 0;
        char name[32];
        for (HWND h = ::GetWindow(View()->GetParent()->m_hWnd, GW_CHILD); h;
             h = ::GetWindow(h, GW_HWNDNEXT))
            n += ::GetClassNameA(h, name, sizeof name) && lstrcmpiA(name, RICHEDIT_CLASSA) == 0;
        return n;
    }
};
