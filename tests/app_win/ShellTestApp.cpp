#include "tests/app_win/ShellTestApp.h"

#include "app/RichWorkspace.h"
#include "framework/win/CCmdUI.h"
#include "tests/support/GuiTestSupport.h"
#include "tests/support/MenuWatcher.h"

#include <gtest/gtest.h>

const char kTestSettingsKey[] = "Software\\Zivra Scratch";

namespace {

CMathApp theTestApp("Zivra Shell Tests");

} // namespace

void EnsureTestTemplate()
{
    if (theTestApp.m_pDocManager)
        return;
    theTestApp.SetRegistryKey("Zivra Scratch");
    theTestApp.LoadStdProfileSettings(4);
    theTestApp.CreateImageLists();
    theTestApp.AddProjectTemplate();
    CMyDocument::SetUserDataPath((TestFolder() + "users.dat").c_str());
}

namespace {

// The scratch key is emptied before and after the run, so each run starts from nothing.
class ShellTestEnvironment : public ::testing::Environment {
public:
    void SetUp() override { ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestSettingsKey); }
    void TearDown() override
    {
        CloseMainFrame();
        ::RegDeleteTreeA(HKEY_CURRENT_USER, kTestSettingsKey);
    }
};

const auto* const g_environment = ::testing::AddGlobalTestEnvironment(new ShellTestEnvironment);

} // namespace

CMathApp& TestApp() { return theTestApp; }

CMainFrame* MainFrame()
{
    EnsureTestTemplate();
    if (!theTestApp.m_pMainWnd) {
        theTestApp.OnFileNew();
        Pump();
    }
    return dynamic_cast<CMainFrame*>(theTestApp.m_pMainWnd);
}

CMyDocument* MainDocument()
{
    CMainFrame* pFrame = MainFrame();
    return pFrame ? dynamic_cast<CMyDocument*>(pFrame->GetActiveDocument()) : nullptr;
}

CString WorkspaceText()
{
    CString text;
    if (CMyDocument* pDoc = MainDocument(); pDoc && pDoc->GetWorkspaceView())
        pDoc->GetWorkspaceView()->GetWindowText(text);
    return text;
}

void CloseMainFrame()
{
    if (CWnd* pMain = theTestApp.m_pMainWnd)
        pMain->DestroyWindow();
    theTestApp.m_pMainWnd = nullptr;
    // The main window's end asks the run to quit: the next test goes on.
    Pump();
    MSG msg;
    while (::PeekMessageA(&msg, nullptr, WM_QUIT, WM_QUIT, PM_REMOVE)) {
    }
}

std::string TestFolder()
{
    static const std::string folder = MakeTempFolder();
    return folder;
}

std::vector<std::string> ChildTexts(HTREEITEM hParent)
{
    CTreeCtrl& tree = Explorer()->GetTree();
    std::vector<std::string> texts;
    HTREEITEM hItem = hParent ? tree.GetChildItem(hParent) : tree.GetRootItem();
    for (; hItem; hItem = tree.GetNextSiblingItem(hItem))
        texts.emplace_back(tree.GetItemText(hItem).GetString());
    return texts;
}

CPoint PointOf(HTREEITEM hItem)
{
    CRect rect;
    Explorer()->GetTree().GetItemRect(hItem, &rect, TRUE);
    return rect.CenterPoint();
}

UINT RightClickAt(CPoint point)
{
    MenuWatcher watcher;
    watcher.AttachHook(Explorer()->m_hWnd);
    Explorer()->GetTree().ClientToScreen(&point);
    Explorer()->SendMessage(WM_CONTEXTMENU, WPARAM(Explorer()->m_hWnd),
                            MAKELPARAM(point.x, point.y));
    Pump();
    watcher.AttachHook(nullptr);
    return watcher.firstCommand;
}

void FreshFrameTest::SetUp()
{
    CloseMainFrame();
    ::DeleteFileA((TestFolder() + "users.dat").c_str());
    frame = MainFrame();
    ASSERT_NE(frame, nullptr);
    doc = MainDocument();
    model = &doc->GetModel();
    model->m_Settings.nPrompt = 0;
}

void FreshFrameTest::Command(UINT nID, CWnd* pTarget)
{
    (pTarget ? pTarget : frame)->SendMessage(WM_COMMAND, nID);
    Pump();
}

BOOL FreshFrameTest::Enabled(UINT nID)
{
    struct : CCmdUI {
        void Enable(BOOL bOn) override { enabled = bOn; }
        BOOL enabled = FALSE;
    } state;
    state.m_nID = nID;
    state.DoUpdate(frame, FALSE);
    return state.enabled;
}

CDataTable* FreshFrameTest::AddLineTable(const char* name, int n, int layout)
{
    auto* table = new CDataTable;
    table->Create(layout, 2, n);
    table->SetName(name);
    for (int i = 0; i < n; ++i) {
        table->SetCell(0, i, i + 1);
        table->SetCell(1, i, 1 + 2.0 * (i + 1));
    }
    doc->AddResultItem(ItemDataTable, table);
    Pump();
    return table;
}
