// The project document in its frame under Wine: a project saved and opened again with its
// items and workspace text; damaged and foreign files that leave project, path and recent
// files alone; the settings the document writes at the end, on a scratch registry key; and
// notices about the user-data file shown once other windows may use the file.
#include "app/MyDocument.h"
#include "engine/EngineNames.h"
#include "framework/core/ProfileStore.h"
#include "framework/win/CRecentFileList.h"
#include "framework/win/CRichEditView.h"
#include "framework/win/RegistryProfileStore.h"
#include "tests/app_win/ShellTestApp.h"
#include "tests/support/ScriptedModalHook.h"

#include <gtest/gtest.h>

#include <fstream>
#include <iterator>
#include <string>
#include <thread>

namespace {

class DocumentTest : public ::testing::Test {
protected:
    void SetUp() override
    {
        folder = TestFolder();
        CMyDocument::SetUserDataPath((folder + "users.dat").c_str());
        CloseMainFrame();
        ASSERT_NE(Document(), nullptr);
    }
    void TearDown() override { CloseMainFrame(); }
    static CMyDocument* Document() { return MainDocument(); }
    static CString Text()
    {
        CString text;
        Document()->GetView()->GetWindowText(text);
        text.Remove('\n'); // paragraphs read back as "\r\n"
        return text;
    }
    static void AddList(const char* name, double value)
    {
        auto* list = new CDataColumn;
        list->SetName(name);
        list->Append(value);
        Document()->AddResultItem(ItemList, list);
    }
    std::string folder;
};

TEST_F(DocumentTest, SavedProjectsOpenWithTheirItemsAndText)
{
    ScriptedModalHook hook;
    AddList("Prices", 9.5);
    Document()->GetView()->SetWindowText("2+3 =\r5");
    const std::string path = folder + "round.zvp";
    ASSERT_TRUE(Document()->DoSave(path.c_str()));
    EXPECT_FALSE(Document()->IsModified());

    TestApp().OnFileNew();
    EXPECT_TRUE(Document()->GetModel().m_Lists.empty());
    ASSERT_NE(TestApp().OpenDocumentFile(path.c_str()), nullptr);
    ProjectModel& model = Document()->GetModel();
    ASSERT_EQ(model.m_Lists.size(), 1u);
    EXPECT_EQ(model.m_Lists[0]->GetValue(1), 9.5);
    EXPECT_STREQ(Text(), "2+3 =\r5");
    EXPECT_FALSE(Document()->IsModified());
    EXPECT_TRUE(hook.messages.empty());
}

TEST_F(DocumentTest, DamagedAndForeignFilesLeaveTheOpenProjectAlone)
{
    ScriptedModalHook hook;
    AddList("Kept", 1);
    Document()->GetView()->SetWindowText("kept text");
    const std::string saved = folder + "kept.zvp";
    ASSERT_TRUE(Document()->DoSave(saved.c_str()));
    AddList("Unsaved", 2); // modified again: the open must not ask to save it away
    hook.boxAnswer = IDNO;

    std::ifstream in(saved, std::ios::binary);
    std::string bytes((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    in.close();
    const std::string damaged = folder + "damaged.zvp", foreign = folder + "foreign.zvp";
    std::ofstream(damaged, std::ios::binary) << bytes.substr(0, bytes.size() / 2);
    std::string other = bytes;
    other.replace(84, 11, "Someone Els");
    std::ofstream(foreign, std::ios::binary) << other;

    const CString pathBefore = Document()->GetPathName();
    const CString recentBefore = (*TestApp().m_pRecentFileList)[0];
    for (const std::string& path : {damaged, foreign}) {
        hook.messages.clear();
        EXPECT_EQ(TestApp().OpenDocumentFile(path.c_str()), nullptr) << path;
        ASSERT_NE(Document(), nullptr);
        EXPECT_EQ(Document()->GetModel().m_Lists.size(), 2u) << path;
        // The explorer shows the project kept, with its selection.
        EXPECT_EQ(ChildTexts(Explorer()->GetFolder(SlotLists)),
                  (std::vector<std::string>{"Kept", "Unsaved"}))
            << path;
        EXPECT_EQ(Document()->GetModel().GetSelectedIndex(), 1) << path;
        EXPECT_EQ(Explorer()->GetTree().GetItemText(Explorer()->GetTree().GetSelectedItem()),
                  CString("Unsaved"))
            << path;
        EXPECT_STREQ(Text(), "kept text") << path;
        EXPECT_STREQ(Document()->GetPathName(), pathBefore) << path;
        EXPECT_STREQ((*TestApp().m_pRecentFileList)[0], recentBefore) << path;
        ASSERT_FALSE(hook.messages.empty()) << path;
        EXPECT_NE(std::string(hook.messages.back().GetString()).find(path), std::string::npos)
            << hook.messages.back().GetString();
    }
    EXPECT_NE(std::string(hook.messages.back().GetString()).find(" is not a valid project file."),
              std::string::npos);
}

TEST(DocumentSettings, TheEndOfTheRunWritesWhatItChanged)
{
    EnsureTestTemplate();
    const std::string folder = TestFolder();
    CMyDocument::SetUserDataPath((folder + "users.dat").c_str());
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zivra Scratch");
    CRegistryProfileStore store(&TestApp());
    store.WriteInt("Layout", "TreeViewWidth", 233);
    {
        CMyDocument document;
        EXPECT_EQ(document.GetModel().m_nTreeWidth, 233);
        document.StorePaneSize(16, 260, 0);
        document.GetModel().m_Engine.m_nSolverSteps = 321;
        ASSERT_EQ(AddUserConstant("", "", "k", 1), 0);
    }
    EXPECT_EQ(store.GetInt("Layout", "TreeViewWidth", 0), 260);
    EXPECT_EQ(store.GetInt("Calculation", "SolverSteps", 0), 321);
    std::vector<BYTE> layout;
    EXPECT_FALSE(store.GetBinary("DataViews", "DataType15", layout)); // unchanged: not written
    EXPECT_TRUE(std::ifstream(folder + "users.dat").good());
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zivra Scratch");
}

// Answers message boxes, noting for each whether another window could have taken its turn with
// the user-data file while it was up. A mutex is its owner's thread's again and again, so
// another thread asks.
class LockWatchingHook : public ScriptedModalHook {
public:
    explicit LockWatchingHook(HANDLE hLock) : m_hLock(hLock) {}
    int OnMessageBox(LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType) override
    {
        bool bFree = false;
        std::thread([&] {
            const DWORD dwWait = ::WaitForSingleObject(m_hLock, 0);
            bFree = dwWait == WAIT_OBJECT_0 || dwWait == WAIT_ABANDONED;
            if (bFree)
                ::ReleaseMutex(m_hLock);
        }).join();
        lockFree.push_back(bFree);
        return ScriptedModalHook::OnMessageBox(lpszText, lpszCaption, nType);
    }
    std::vector<bool> lockFree;

private:
    HANDLE m_hLock;
};

TEST(DocumentUserData, NoticesAreShownWithoutHoldingTheFile)
{
    EnsureTestTemplate();
    const std::string path = TestFolder() + "users.dat";
    CMyDocument::SetUserDataPath(path.c_str());
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zivra Scratch");
    ::DeleteFileA((path + ".bad").c_str());
    std::ofstream(path, std::ios::binary) << '\1'; // damaged: set aside and said at the start
    HANDLE hLock = ::CreateMutexA(nullptr, FALSE, UserDataLockName(path.c_str()));
    ASSERT_NE(hLock, nullptr);
    {
        LockWatchingHook hook(hLock);
        {
            CMyDocument document;
            ASSERT_EQ(hook.messages.size(), 1u);
            // A folder where the file should be cannot be read again at the end.
            ASSERT_TRUE(::CreateDirectoryA(path.c_str(), nullptr));
            ASSERT_EQ(AddUserConstant("", "", "k", 1), 0);
        }
        ASSERT_EQ(hook.messages.size(), 2u);
        EXPECT_NE(std::string(hook.messages[0]).find("could not be read"), std::string::npos)
            << hook.messages[0];
        EXPECT_NE(std::string(hook.messages[1]).find("could not be saved"), std::string::npos)
            << hook.messages[1];
        EXPECT_EQ(hook.lockFree, (std::vector<bool>{true, true}));
    }
    ::CloseHandle(hLock);
    ::RemoveDirectoryA(path.c_str());
    ::DeleteFileA((path + ".bad").c_str());
    ::RegDeleteTreeA(HKEY_CURRENT_USER, "Software\\Zivra Scratch");
}

} // namespace
