// Saving and opening documents: the round trip of numbers and rich text, atomic saves that
// never harm the old file, failed opens that leave an empty document, the save prompt, the
// recent-file list in the registry and on the menu, and the command line at start-up.
#include "framework/win/CCommandLineInfo.h"
#include "framework/win/CMenu.h"
#include "framework/win/CRecentFileList.h"
#include "framework/win/CommonDialogs.h"
#include "tests/framework_doc/DocTestApp.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>

namespace {

CString ViewText(CTestDoc* pDoc)
{
    CString strText;
    pDoc->GetView()->GetWindowText(strText);
    return strText;
}

void FillDocument(CTestDoc* pDoc)
{
    pDoc->m_nCount = 42;
    pDoc->m_dValue = -1.25e-3;
    pDoc->m_strName = "Table1";
    CRichEditView* pView = pDoc->GetView();
    pView->SetWindowText("2+3 =\r5");
    // Make the first character italic, so the format has to survive as RTF.
    pView->SendMessage(EM_SETSEL, 0, 1);
    pView->OnCharItalic();
    pView->SendMessage(EM_SETSEL, 0, 0);
    pDoc->SetModifiedFlag();
}

// Files of a folder except the ones named (no temporary files left behind).
int CountFiles(const std::string& folder)
{
    WIN32_FIND_DATAA data;
    HANDLE hFind = ::FindFirstFileA((folder + "*").c_str(), &data);
    int n = 0;
    if (hFind == INVALID_HANDLE_VALUE)
        return 0;
    do {
        if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY))
            ++n;
    } while (::FindNextFileA(hFind, &data));
    ::FindClose(hFind);
    return n;
}

TEST(DocumentFile, SaveAndReopenKeepsNumbersAndRichText)
{
    ScopedHook hook;
    CTestDoc* pDoc = MainDoc();
    ASSERT_NE(pDoc, nullptr);
    FillDocument(pDoc);
    std::string path = MakeTempFolder() + "numbers.tdc";

    ASSERT_TRUE(pDoc->DoSave(path.c_str()));
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_STREQ(pDoc->GetTitle(), "numbers.tdc");
    EXPECT_EQ(pDoc->GetPathName().CompareNoCase(path.c_str()), 0);

    pDoc->DeleteContents();
    ASSERT_TRUE(pDoc->OnOpenDocument(path.c_str()));
    EXPECT_EQ(pDoc->m_nCount, 42);
    EXPECT_EQ(pDoc->m_dValue, -1.25e-3);
    EXPECT_STREQ(pDoc->m_strName, "Table1");
    CString strText = ViewText(pDoc);
    strText.Remove('\n');
    EXPECT_STREQ(strText, "2+3 =\r5");
    CRichEditView* pView = pDoc->GetView();
    pView->SendMessage(EM_SETSEL, 0, 1);
    EXPECT_TRUE(pView->GetCharFormatSelection().dwEffects & CFE_ITALIC);
    pView->SendMessage(EM_SETSEL, 2, 3);
    EXPECT_FALSE(pView->GetCharFormatSelection().dwEffects & CFE_ITALIC);
    EXPECT_FALSE(pDoc->IsModified());
    EXPECT_TRUE(hook.hook.m_texts.empty());

    // The file holds the numbers, then the RTF up to its end.
    std::string bytes = ReadFileBytes(path);
    ASSERT_GT(bytes.size(), 20u);
    EXPECT_EQ(bytes.substr(0, 4), std::string("\x2A\0\0\0", 4));
    EXPECT_NE(bytes.find("{\\rtf"), std::string::npos);
}

TEST(DocumentFile, TypingInTheRichTextMarksTheDocumentModified)
{
    CTestDoc* pDoc = MainDoc();
    pDoc->SetModifiedFlag(FALSE);
    EXPECT_FALSE(pDoc->IsModified());
    pDoc->GetView()->SendMessage(WM_CHAR, 'x', 1);
    EXPECT_TRUE(pDoc->IsModified());
    pDoc->SetModifiedFlag(FALSE);
    EXPECT_FALSE(pDoc->IsModified());
}

TEST(DocumentFile, FailedSavesReportAndLeaveTheOldFileIntact)
{
    std::string folder = MakeTempFolder();
    std::string oldPath = folder + "old.tdc";
    const std::string oldBytes = "previous contents";
    struct Case {
        const char* what;
        std::string path;
        bool bReadOnlyTarget;
        bool bFailMidWrite;
    };
    const Case cases[] = {
        {"missing folder", folder + "no such folder\\x.tdc", false, false},
        {"read-only file", oldPath, true, false},
        {"archive fails half way", oldPath, false, true},
    };
    for (const Case& c : cases) {
        WriteFileBytes(oldPath, oldBytes);
        if (c.bReadOnlyTarget)
            ::SetFileAttributesA(oldPath.c_str(), FILE_ATTRIBUTE_READONLY);
        ScopedHook hook;
        CTestDoc* pDoc = MainDoc();
        FillDocument(pDoc);
        pDoc->m_bFailMidWrite = c.bFailMidWrite;
        CString strPathBefore = pDoc->GetPathName();

        EXPECT_FALSE(pDoc->DoSave(c.path.c_str())) << c.what;
        pDoc->m_bFailMidWrite = FALSE;
        ::SetFileAttributesA(oldPath.c_str(), FILE_ATTRIBUTE_NORMAL);
        EXPECT_EQ(ReadFileBytes(oldPath), oldBytes) << c.what;
        EXPECT_EQ(CountFiles(folder), 1) << c.what << ": a temporary file was left behind";
        ASSERT_EQ(hook.hook.m_texts.size(), 1u) << c.what;
        // The message names the document's file, not a temporary one.
        CString strFile = c.path.c_str();
        strFile = strFile.Mid(strFile.ReverseFind('\\') + 1);
        EXPECT_NE(hook.hook.m_texts[0].find(strFile.GetString()), std::string::npos)
            << c.what << ": " << hook.hook.m_texts[0];
        EXPECT_TRUE(pDoc->IsModified()) << c.what;
        EXPECT_STREQ(pDoc->GetPathName(), strPathBefore) << c.what;
    }
}

TEST(DocumentFile, TruncatedFileGivesTheArchiveErrorAndAnEmptyDocument)
{
    std::string folder = MakeTempFolder();
    std::string path = folder + "whole.tdc";
    {
        ScopedHook hook;
        CTestDoc* pDoc = MainDoc();
        FillDocument(pDoc);
        ASSERT_TRUE(pDoc->DoSave(path.c_str()));
    }
    std::string bytes = ReadFileBytes(path);
    // Cut inside the numbers: the count, half of the double, inside the name.
    for (std::size_t nKeep : {std::size_t(2), std::size_t(8), std::size_t(14)}) {
        std::string cutPath = folder + "cut.tdc";
        WriteFileBytes(cutPath, bytes.substr(0, nKeep));
        ScopedHook hook;
        CTestDoc* pDoc = MainDoc();
        FillDocument(pDoc);
        EXPECT_FALSE(pDoc->OnOpenDocument(cutPath.c_str())) << nKeep;
        ASSERT_EQ(hook.hook.m_texts.size(), 1u) << nKeep;
        EXPECT_NE(hook.hook.m_texts[0].find("Unexpected end of file"), std::string::npos)
            << hook.hook.m_texts[0];
        EXPECT_NE(hook.hook.m_texts[0].find("cut.tdc"), std::string::npos) << hook.hook.m_texts[0];
        EXPECT_EQ(pDoc->m_nCount, 0) << nKeep;
        EXPECT_TRUE(pDoc->m_strName.IsEmpty()) << nKeep;
        EXPECT_TRUE(ViewText(pDoc).IsEmpty()) << nKeep;
    }
}

TEST(DocumentFile, OpeningABadFileThroughTheTemplateLeavesAnEmptyUntitledDocument)
{
    std::string folder = MakeTempFolder();
    std::string goodPath = folder + "good.tdc";
    std::string badPath = folder + "bad.tdc";
    ScopedHook hook;
    CTestDoc* pDoc = MainDoc();
    FillDocument(pDoc);
    ASSERT_TRUE(pDoc->DoSave(goodPath.c_str()));
    WriteFileBytes(badPath, "\x01");

    EXPECT_EQ(theTestApp.OpenDocumentFile(badPath.c_str()), nullptr);
    CTestDoc* pAfter = MainDoc();
    ASSERT_EQ(pAfter, pDoc); // one document, reused
    EXPECT_TRUE(pAfter->GetPathName().IsEmpty());
    EXPECT_STREQ(pAfter->GetTitle(), "Untitled");
    EXPECT_EQ(pAfter->m_nCount, 0);
    EXPECT_FALSE(pAfter->IsModified());

    // A missing file: the file error, and the shown document stays as it was.
    ASSERT_NE(theTestApp.OpenDocumentFile(goodPath.c_str()), nullptr);
    hook.hook.m_texts.clear();
    EXPECT_EQ(theTestApp.OpenDocumentFile((folder + "missing.tdc").c_str()), nullptr);
    ASSERT_EQ(hook.hook.m_texts.size(), 1u);
    EXPECT_NE(hook.hook.m_texts[0].find("missing.tdc"), std::string::npos) << hook.hook.m_texts[0];
    EXPECT_EQ(MainDoc()->m_nCount, 42);
    EXPECT_EQ(MainDoc()->GetPathName().CompareNoCase(goodPath.c_str()), 0);
}

TEST(DocumentFile, CloseAsksToSaveChangesAndCancelKeepsEverything)
{
    struct Case {
        int nAnswer;
        bool bCanClose;
        bool bFileWritten;
    };
    const Case cases[] = {
        {IDCANCEL, false, false},
        {IDNO, true, false},
        {IDYES, true, true},
    };
    for (const Case& c : cases) {
        std::string path = MakeTempFolder() + "prompt.tdc";
        ScopedHook hook;
        hook.hook.m_nAnswer = c.nAnswer;
        CTestDoc* pDoc = MainDoc();
        FillDocument(pDoc);
        ASSERT_TRUE(pDoc->DoSave(path.c_str()));
        pDoc->m_nCount = 7;
        pDoc->SetModifiedFlag();
        EXPECT_EQ(pDoc->SaveModified() != FALSE, c.bCanClose) << c.nAnswer;
        ASSERT_EQ(hook.hook.m_texts.size(), 1u) << c.nAnswer;
        EXPECT_NE(hook.hook.m_texts[0].find("Save changes to"), std::string::npos)
            << hook.hook.m_texts[0];
        EXPECT_EQ(ReadFileBytes(path)[0] == 7, c.bFileWritten) << c.nAnswer;
        pDoc->SetModifiedFlag(FALSE);
    }
}

// Answers file dialogs with a chosen path and records the filter they showed.
class CFileDialogHook : public CRecordingHook {
public:
    int OnModalStart(CWnd* pDialog) override
    {
        auto* pFileDialog = dynamic_cast<CFileDialog*>(pDialog);
        if (!pFileDialog)
            return IDCANCEL;
        m_strFilter.clear();
        for (const char* p = pFileDialog->m_ofn.lpstrFilter; p && *p; p += std::strlen(p) + 1)
            m_strFilter += std::string(p) + "|";
        m_bOverwritePrompt = (pFileDialog->m_ofn.Flags & OFN_OVERWRITEPROMPT) != 0;
        if (m_strAnswer.empty())
            return IDCANCEL;
        lstrcpynA(pFileDialog->m_ofn.lpstrFile, m_strAnswer.c_str(),
                  int(pFileDialog->m_ofn.nMaxFile));
        return IDOK;
    }
    std::string m_strAnswer;
    std::string m_strFilter;
    bool m_bOverwritePrompt = false;
};

TEST(FileDialogs, SaveAsAndOpenUseTheFilterOfTheDocumentString)
{
    std::string path = MakeTempFolder() + "chosen.tdc";
    CFileDialogHook hook;
    AfxSetModalTestHook(&hook);
    CTestFrame* pFrame = MainFrame();
    CTestDoc* pDoc = MainDoc();
    FillDocument(pDoc);
    pDoc->m_nCount = 99;

    hook.m_strAnswer = path;
    pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE_AS, 0), 0);
    EXPECT_EQ(hook.m_strFilter, "Test Documents (*.tdc)|*.tdc|All Files (*.*)|*.*|");
    EXPECT_TRUE(hook.m_bOverwritePrompt);
    EXPECT_EQ(pDoc->GetPathName().CompareNoCase(path.c_str()), 0);
    EXPECT_FALSE(pDoc->IsModified());

    // A cancelled dialog changes nothing.
    pDoc->m_nCount = 5;
    pDoc->SetModifiedFlag();
    hook.m_strAnswer.clear();
    pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE_AS, 0), 0);
    EXPECT_TRUE(pDoc->IsModified());
    pDoc->SetModifiedFlag(FALSE);

    // File/Open through the application reads the chosen file into the one document.
    hook.m_strAnswer = path;
    pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_NEW, 0), 0);
    EXPECT_EQ(MainDoc()->m_nCount, 0);
    pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_OPEN, 0), 0);
    EXPECT_FALSE(hook.m_bOverwritePrompt);
    EXPECT_EQ(MainDoc()->m_nCount, 99);
    EXPECT_TRUE(hook.m_texts.empty());
    AfxSetModalTestHook(nullptr);
}

TEST(FileDialogs, SaveWritesToTheDocumentsFileAndAsksForANameOnlyWhenItHasNone)
{
    std::string path = MakeTempFolder() + "saved.tdc";
    CFileDialogHook hook;
    AfxSetModalTestHook(&hook);
    CTestFrame* pFrame = MainFrame();
    pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_NEW, 0), 0);
    CTestDoc* pDoc = MainDoc();
    FillDocument(pDoc);

    // Ctrl+S through the frame's accelerators: an untitled document asks for its name.
    hook.m_strAnswer = path;
    BYTE keys[256] = {};
    ::GetKeyboardState(keys);
    BYTE keysCtrl[256];
    std::memcpy(keysCtrl, keys, sizeof(keys));
    keysCtrl[VK_CONTROL] = 0x80;
    ::SetKeyboardState(keysCtrl);
    MSG msg{pFrame->TextView()->m_hWnd, WM_KEYDOWN, 'S', 1, 0, {0, 0}};
    BOOL bTranslated = pFrame->PreTranslateMessage(&msg);
    ::SetKeyboardState(keys);
    EXPECT_TRUE(bTranslated);
    EXPECT_EQ(pDoc->GetPathName().CompareNoCase(path.c_str()), 0);

    // Once named, Save writes without a dialog.
    hook.m_strAnswer = "C:\\must-not-be-used.tdc";
    hook.m_strFilter.clear();
    pDoc->m_nCount = 77;
    pDoc->SetModifiedFlag();
    pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_SAVE, 0), 0);
    EXPECT_TRUE(hook.m_strFilter.empty());
    EXPECT_EQ(ReadFileBytes(path)[0], 77);
    EXPECT_FALSE(pDoc->IsModified());
    AfxSetModalTestHook(nullptr);
}

TEST(RecentFiles, OpenedFilesAreListedNewestFirstAndStoredInTheRegistry)
{
    std::string folder = MakeTempFolder();
    ScopedHook hook;
    CTestDoc* pDoc = MainDoc();
    FillDocument(pDoc);
    const char* names[] = {"r1.tdc", "r2.tdc", "r3.tdc", "r4.tdc", "r5.tdc"};
    for (const char* name : names)
        ASSERT_TRUE(pDoc->DoSave((folder + name).c_str()));
    theTestApp.OpenDocumentFile((folder + "r2.tdc").c_str()); // moves r2 to the top

    CRecentFileList* pList = theTestApp.m_pRecentFileList;
    ASSERT_NE(pList, nullptr);
    const char* expected[] = {"r2.tdc", "r5.tdc", "r4.tdc", "r3.tdc"};
    for (int i = 0; i < 4; i++) {
        std::string entry = (*pList)[i].GetString();
        EXPECT_EQ(entry, folder + expected[i]) << "entry " << i;
        CString strEntry;
        strEntry.Format("File%d", i + 1);
        EXPECT_STREQ(theTestApp.GetProfileString("Recent File List", strEntry),
                     (folder + expected[i]).c_str())
            << "registry entry " << i;
    }
    // A list read back from the registry is the same list.
    CRecentFileList readBack(ID_FILE_MRU_FILE1, "Recent File List", "File%d", 4);
    readBack.ReadList();
    for (int i = 0; i < 4; i++)
        EXPECT_STREQ(readBack[i], (*pList)[i]) << "entry " << i;

    // Another window of the program opened a file meanwhile: the next one goes before it.
    readBack.Add((folder + "other.tdc").c_str());
    readBack.WriteList();
    theTestApp.OpenDocumentFile((folder + "r3.tdc").c_str());
    const char* merged[] = {"r3.tdc", "other.tdc", "r2.tdc", "r5.tdc"};
    for (int i = 0; i < 4; i++)
        EXPECT_EQ(std::string((*pList)[i]), folder + merged[i]) << "entry " << i;
}

TEST(RecentFiles, TheFileMenuShowsTheListInPlaceOfItsPlaceholder)
{
    std::string folder = MakeTempFolder();
    ScopedHook hook;
    CTestDoc* pDoc = MainDoc();
    FillDocument(pDoc);
    ASSERT_TRUE(pDoc->DoSave((folder + "m1.tdc").c_str()));
    ASSERT_TRUE(pDoc->DoSave((folder + "m2.tdc").c_str()));
    CTestFrame* pFrame = MainFrame();
    HMENU hFile = ::GetSubMenu(::GetMenu(pFrame->m_hWnd), 0);
    ASSERT_NE(hFile, nullptr);
    for (int nRound = 0; nRound < 2; nRound++) { // opening the menu twice changes nothing
        pFrame->SendMessage(WM_INITMENUPOPUP, WPARAM(hFile), 0);
        char szItem[MAX_PATH + 8] = {};
        ::GetMenuStringA(hFile, ID_FILE_MRU_FILE1, szItem, int(sizeof(szItem)), MF_BYCOMMAND);
        EXPECT_EQ(std::string(szItem).substr(0, 3), "&1 ") << szItem;
        EXPECT_NE(std::string(szItem).find("m2.tdc"), std::string::npos) << szItem;
        ::GetMenuStringA(hFile, ID_FILE_MRU_FILE1 + 1, szItem, int(sizeof(szItem)), MF_BYCOMMAND);
        EXPECT_NE(std::string(szItem).find("m1.tdc"), std::string::npos) << szItem;
        EXPECT_FALSE(::GetMenuState(hFile, ID_FILE_MRU_FILE1 + 1, MF_BYCOMMAND) & MF_GRAYED);
        // New, Open, Save, Save As, separator, the files, separator, Exit.
        EXPECT_EQ(::GetMenuItemCount(hFile), 7 + theTestApp.m_pRecentFileList->GetCount());
    }
}

TEST(RecentFiles, ChoosingAnEntryOpensItAndAVanishedFileLeavesTheList)
{
    std::string folder = MakeTempFolder();
    ScopedHook hook;
    CTestDoc* pDoc = MainDoc();
    FillDocument(pDoc);
    pDoc->m_nCount = 11;
    ASSERT_TRUE(pDoc->DoSave((folder + "first.tdc").c_str()));
    pDoc->m_nCount = 22;
    ASSERT_TRUE(pDoc->DoSave((folder + "second.tdc").c_str()));
    CTestFrame* pFrame = MainFrame();

    // Entry 2 is the first file.
    pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_MRU_FILE1 + 1, 0), 0);
    EXPECT_EQ(MainDoc()->m_nCount, 11);
    EXPECT_NE(std::string(MainDoc()->GetPathName()).find("first.tdc"), std::string::npos);
    EXPECT_NE(std::string((*theTestApp.m_pRecentFileList)[0]).find("first.tdc"), std::string::npos);

    ::DeleteFileA((folder + "second.tdc").c_str());
    pFrame->SendMessage(WM_COMMAND, MAKEWPARAM(ID_FILE_MRU_FILE1 + 1, 0), 0);
    EXPECT_EQ(hook.hook.m_texts.size(), 1u); // the file error
    EXPECT_EQ(MainDoc()->m_nCount, 11);      // the shown document stays
    EXPECT_EQ(std::string((*theTestApp.m_pRecentFileList)[1]).find("second.tdc"),
              std::string::npos);
}

TEST(CommandLine, AFileOnTheCommandLineIsOpenedAtStartUp)
{
    std::string path = MakeTempFolder() + "start.tdc";
    {
        ScopedHook hook;
        CTestDoc* pDoc = MainDoc();
        FillDocument(pDoc);
        pDoc->m_nCount = 1234;
        ASSERT_TRUE(pDoc->DoSave(path.c_str()));
    }
    CloseMainFrame();
    ASSERT_EQ(theTestApp.m_pMainWnd, nullptr);

    CCommandLineInfo info;
    const char* argv[] = {"doctest.exe", path.c_str()};
    ParseCommandLineArgs(info, 2, argv);
    ASSERT_TRUE(theTestApp.ProcessShellCommand(info));
    CTestDoc* pDoc = MainDoc();
    ASSERT_NE(pDoc, nullptr);
    EXPECT_EQ(pDoc->m_nCount, 1234);
    EXPECT_EQ(pDoc->GetPathName().CompareNoCase(path.c_str()), 0);
    CString strTitle;
    theTestApp.m_pMainWnd->GetWindowText(strTitle);
    EXPECT_STREQ(strTitle, "start.tdc - Doc Test");
}

TEST(CommandLine, AFileThatCannotBeOpenedAtStartUpEndsTheStart)
{
    CloseMainFrame();
    ScopedHook hook;
    CCommandLineInfo info;
    std::string path = MakeTempFolder() + "absent.tdc";
    const char* argv[] = {"doctest.exe", path.c_str()};
    ParseCommandLineArgs(info, 2, argv);
    EXPECT_FALSE(theTestApp.ProcessShellCommand(info));
    EXPECT_EQ(theTestApp.m_pMainWnd, nullptr); // the new frame and document are gone
    EXPECT_EQ(hook.hook.m_texts.size(), 1u);

    CCommandLineInfo none;
    const char* argvNone[] = {"doctest.exe"};
    ParseCommandLineArgs(none, 1, argvNone);
    ASSERT_TRUE(theTestApp.ProcessShellCommand(none));
    ASSERT_NE(MainDoc(), nullptr);
    EXPECT_STREQ(MainDoc()->GetTitle(), "Untitled");
}

} // namespace
