#pragma once
// The program the application core's window tests run in: the program's own application object
// on a scratch settings key, its document template, and the main frame with its document,
// created when a test asks for them and destroyed as at the end of a run.
#include "app/DataTreeView.h"
#include "app/MainFrame.h"
#include "app/MathApp.h"
#include "app/MyDocument.h"
#include "tests/support/GuiTestSupport.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

// The registry path under HKEY_CURRENT_USER of the tests' settings.
extern const char kTestSettingsKey[];

CMathApp& TestApp();
// The settings key, image lists and document template, made once.
void EnsureTestTemplate();
// The main frame after File/New, made when there is none.
CMainFrame* MainFrame();
CMyDocument* MainDocument();
// The text of the main document's workspace; empty when it has none.
CString WorkspaceText();
// Destroys the main frame and its document, as at the end of a run.
void CloseMainFrame();
// Dispatches every queued message.
inline void Pump() { AfxPumpPendingMessages(); }
// A fresh folder of the process under the temporary folder, ending with a backslash.
std::string TestFolder();

// A test in a main frame of its own on a new user-data file, whose fits ask for no start
// values; the frame goes at the end.
class FreshFrameTest : public ::testing::Test {
protected:
    void SetUp() override;
    void TearDown() override { CloseMainFrame(); }
    // A command as a menu gives it, to the frame or another window, its messages handled.
    void Command(UINT nID, CWnd* pTarget = nullptr);
    // Whether the command's update handler enables it (FALSE when it has none).
    BOOL Enabled(UINT nID);
    // A table of layout 1 holding y = 1 + 2x for x = 1..n, added and selected.
    CDataTable* AddLineTable(const char* name, int n, int layout = TableLayoutXY);

    CMainFrame* frame = nullptr;
    CMyDocument* doc = nullptr;
    ProjectModel* model = nullptr;
};

// The main frame's explorer.
inline CDataTreeView* Explorer() { return MainFrame()->GetExplorerView(); }
// The texts of an explorer item's children (of the root for null), in their order.
std::vector<std::string> ChildTexts(HTREEITEM hParent);
// The middle of an explorer item's text, in the tree's client coordinates.
CPoint PointOf(HTREEITEM hItem);
// Right-clicks the explorer's tree at a point of its client area; the pop-up that opens is
// closed again, and its first command returned (0: none opened, -1: a sub-menu first).
UINT RightClickAt(CPoint point);
