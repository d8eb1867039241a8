// One file under its many spellings (Wine's drive C: and the same folder through drive Z:, 8.3
// short names, other case, ".."): it is one file to compare, one entry of the recent-file list,
// and shown again rather than read twice. Names the code page cannot hold are told so when
// opening, saving and choosing a recent file.
#include "framework/core/PathNames.h"
#include "framework/win/CRecentFileList.h"
#include "framework/win/CommonDialogs.h"
#include "framework/win/FileIdentity.h"
#include "tests/framework_doc/DocTestApp.h"
#include "tests/support/ScriptedModalHook.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

namespace {

// A path of drive C: through drive Z:, which shows the whole Unix tree under Wine; empty where
// the prefix is not known.
std::string ThroughDriveZ(const std::string& path)
{
    char szPrefix[MAX_PATH];
    const DWORD n = ::GetEnvironmentVariableA("WINEPREFIX", szPrefix, MAX_PATH);
    if (n == 0 || n >= MAX_PATH || path.substr(0, 2) != "C:")
        return "";
    std::string z = "Z:" + std::string(szPrefix) + "\\drive_c" + path.substr(2);
    std::replace(z.begin(), z.end(), '/', '\\');
    return z;
}

std::string ShortName(const std::string& path)
{
    char szShort[MAX_PATH];
    const DWORD n = ::GetShortPathNameA(path.c_str(), szShort, MAX_PATH);
    return n > 0 && n < MAX_PATH ? szShort : path;
}

std::string Upper(std::string text)
{
    std::transform(text.begin(), text.end(), text.begin(),
                   [](char c) { return c >= 'a' && c <= 'z' ? char(c - 'a' + 'A') : c; });
    return text;
}

// A folder of long names holding one file, a file of the same name beside the folder, and the
// Z: and short spellings of the first.
struct Spellings {
    std::string base = MakeTempFolder();
    std::string folder = base + "Folder of a long name\\";
    std::string file = folder + "Project of a long name.tdc";
    std::string other = base + "Project of a long name.tdc";
    std::string z, shortName;
    Spellings()
    {
        ::CreateDirectoryA(folder.c_str(), nullptr);
        WriteFileBytes(file, "one");
        WriteFileBytes(other, "two");
        z = ThroughDriveZ(file);
        shortName = ShortName(file);
    }
};

TEST(FilePaths, OneFileUnderEverySpellingIsOneFile)
{
    const Spellings s;
    ASSERT_NE(s.z, "") << "WINEPREFIX is not set";
    ASSERT_NE(s.shortName, s.file) << "no short names";
    const std::string absent = s.folder + "Not saved yet.tdc";
    const std::string absentShort = ShortName(s.folder) + "Not saved yet.tdc";
    const struct {
        std::string a, b;
        BOOL bSame;
    } cases[] = {
        {s.file, s.z, TRUE},
        {s.file, s.shortName, TRUE},
        {s.z, s.shortName, TRUE},
        {s.file, Upper(s.file), TRUE},
        {s.file, s.folder + "..\\Folder of a long name\\Project of a long name.tdc", TRUE},
        {s.file, s.other, FALSE},
        {s.z, s.other, FALSE},
        {absent, absentShort, TRUE}, // a file to be saved: by its folder and its name
        {absent, ThroughDriveZ(absent), TRUE},
        {absent, Upper(absent), TRUE},
        {absent, s.file, FALSE},
        {s.file, "", FALSE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(IsSameFile(c.a.c_str(), c.b.c_str()), c.bSame) << c.a << " and " << c.b;
    EXPECT_STREQ(NormalPathName(s.shortName.c_str()), s.file.c_str());
    EXPECT_STREQ(NormalPathName(absentShort.c_str()), absent.c_str());

    // Another program's handle, whatever it shares, never hides the file.
    HANDLE hHeld = ::CreateFileA(s.file.c_str(), GENERIC_READ | GENERIC_WRITE, 0, nullptr,
                                 OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr);
    ASSERT_NE(hHeld, INVALID_HANDLE_VALUE);
    EXPECT_TRUE(IdentityOfFile(s.z.c_str()).bKnown);
    EXPECT_TRUE(IsSameFile(s.z.c_str(), s.shortName.c_str()));
    ::CloseHandle(hHeld);
}

// How often the list holds the file, under any spelling.
int TimesListed(const CRecentFileList& list, const std::string& path)
{
    int n = 0;
    for (int i = 0; i < list.GetCount(); i++)
        n += IsSameFile(list[i], path.c_str()) ? 1 : 0;
    return n;
}

TEST(FilePaths, TheRecentFilesHoldEachFileOnceUnderItsNewestSpelling)
{
    const Spellings s;
    ASSERT_NE(s.z, "");
    ScriptedModalHook hook;
    CTestDoc* pDoc = MainDoc();
    pDoc->m_nCount = 5;
    ASSERT_TRUE(pDoc->DoSave(s.file.c_str()));
    ASSERT_TRUE(pDoc->DoSave(s.other.c_str()));
    CRecentFileList& list = *theTestApp.m_pRecentFileList;

    // Through Z: the file moves to the top under that spelling; the short name is kept long.
    ASSERT_EQ(theTestApp.OpenDocumentFile(s.z.c_str()), MainDoc());
    EXPECT_STREQ(list[0], s.z.c_str());
    EXPECT_EQ(TimesListed(list, s.file), 1);
    ASSERT_NE(theTestApp.OpenDocumentFile(s.other.c_str()), nullptr);
    ASSERT_NE(theTestApp.OpenDocumentFile(s.shortName.c_str()), nullptr);
    EXPECT_STREQ(MainDoc()->GetPathName(), s.file.c_str());
    EXPECT_STREQ(list[0], s.file.c_str());
    EXPECT_EQ(TimesListed(list, s.file), 1);
    EXPECT_EQ(TimesListed(list, s.other), 1);
    EXPECT_STREQ(theTestApp.GetProfileString("Recent File List", "File1"), s.file.c_str());

    // The shown file asked for again under another spelling is shown as it is: not read again,
    // no question to save its changes.
    MainDoc()->m_nCount = 77;
    MainDoc()->SetModifiedFlag();
    EXPECT_EQ(theTestApp.OpenDocumentFile(s.z.c_str()), MainDoc());
    EXPECT_EQ(MainDoc()->m_nCount, 77);
    EXPECT_TRUE(hook.messages.empty());
    MainDoc()->SetModifiedFlag(FALSE);

    // A list an earlier version stored with the file twice keeps its newer entry.
    theTestApp.WriteProfileString("Recent File List", "File1", s.z.c_str());
    theTestApp.WriteProfileString("Recent File List", "File2", s.other.c_str());
    theTestApp.WriteProfileString("Recent File List", "File3", s.shortName.c_str());
    theTestApp.WriteProfileString("Recent File List", "File4", s.file.c_str());
    list.ReadList();
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_STREQ(list[0], s.z.c_str());
    EXPECT_STREQ(list[1], s.other.c_str());
    EXPECT_STREQ(list[2], s.shortName.c_str()); // its names differ: never opened to compare
}

// A folder, and a file in it, named in Chinese characters, made through the wide functions, and
// their paths as the program's ANSI functions hand them over, and with the short names of the
// two in place of their long names.
struct ChineseNames {
    std::wstring wideFolder;
    std::string namedFolder, fileInFolder, namedFile, shortFolder, shortFile;
    BOOL bMade = FALSE; // Wine makes them only under a UTF-8 Unix locale
    // The file is a copy of the folder's document saved.tdc.
    explicit ChineseNames(const std::string& folder)
    {
        const std::wstring wide(folder.begin(), folder.end());
        wideFolder = wide + L"\x6570\x5b66";
        const std::wstring wideFile = wideFolder + L"\\\x9879\x76ee.tdc";
        bMade = ::CreateDirectoryW(wideFolder.c_str(), nullptr) &&
                ::CopyFileW((wide + L"saved.tdc").c_str(), wideFile.c_str(), FALSE);
        namedFolder = Ansi(wideFolder) + "\\";
        fileInFolder = Ansi(wideFile);
        namedFile = Ansi(wide + L"\xe9\x9879\x76ee.tdc"); // a name of which one letter is kept
        shortFolder = folder + ShortLeaf(wideFolder) + "\\";
        shortFile = shortFolder + ShortLeaf(wideFile);
    }
    static std::string Ansi(const std::wstring& wide)
    {
        char szText[MAX_PATH] = {};
        ::WideCharToMultiByte(CP_ACP, 0, wide.c_str(), -1, szText, MAX_PATH, nullptr, nullptr);
        return szText;
    }
    // Every name of the path short.
    static std::string ShortOf(const std::wstring& wide)
    {
        wchar_t szShort[MAX_PATH] = {};
        ::GetShortPathNameW(wide.c_str(), szShort, MAX_PATH);
        return Ansi(szShort);
    }
    // The short name of the last.
    static std::string ShortLeaf(const std::wstring& wide)
    {
        const std::string path = ShortOf(wide);
        return path.substr(path.rfind('\\') + 1);
    }
};

TEST(FilePaths, NamesTheCodePageCannotHoldAreToldSoWhenOpeningSavingOrChosenFromRecentFiles)
{
    ScriptedModalHook hook;
    std::string chosen;
    hook.onStart = [&](CWnd* pDialog) { AnswerFileDialog(pDialog, chosen); };
    hook.startAnswer = IDOK;
    CTestDoc* pDoc = MainDoc();
    pDoc->m_nCount = 31;
    const std::string folder = MakeTempFolder();
    ASSERT_TRUE(pDoc->DoSave((folder + "saved.tdc").c_str()));
    const ChineseNames copied(folder);
    if (!copied.bMade) {
        // The run that asks for a UTF-8 locale must have them; the others skip this test.
        ASSERT_EQ(::GetEnvironmentVariableA("ZIVRA_WINE_LOCALE", nullptr, 0), 0u);
        GTEST_SKIP() << "no folder named in Chinese characters under this Unix locale";
    }
    ASSERT_TRUE(HasUnusableName(copied.fileInFolder.c_str())) << copied.fileInFolder;
    pDoc->SetModifiedFlag();
    CFrameWnd* pFrame = MainFrame();

    // File/Open of a file whose folder's name, as the code page gives it, is also another
    // folder's: said at once, before the changed document is offered to be saved.
    const std::wstring wideTwin = std::wstring(folder.begin(), folder.end()) + L"\x5b66\x6570";
    ASSERT_TRUE(::CreateDirectoryW(wideTwin.c_str(), nullptr));
    chosen = copied.fileInFolder;
    pFrame->SendMessage(WM_COMMAND, ID_FILE_OPEN);
    ::RemoveDirectoryW(wideTwin.c_str());
    ASSERT_EQ(hook.messages.size(), 1u);
    EXPECT_STREQ(hook.messages[0], UnusableNameMessage(chosen.c_str(), FALSE, ""));
    EXPECT_EQ(MainDoc()->m_nCount, 31);
    EXPECT_TRUE(MainDoc()->IsModified());

    // Save As under such a name: nothing is left behind, and a file not there yet has no short
    // name to offer.
    chosen = copied.namedFile;
    hook.messages.clear();
    pFrame->SendMessage(WM_COMMAND, ID_FILE_SAVE_AS);
    ASSERT_EQ(hook.messages.size(), 1u);
    EXPECT_STREQ(hook.messages[0], UnusableNameMessage(chosen.c_str(), TRUE, ""));
    EXPECT_TRUE(MainDoc()->IsModified());
    WIN32_FIND_DATAW found;
    HANDLE hFind = ::FindFirstFileW(
        std::wstring(folder.begin(), folder.end()).append(L"*.tdc").c_str(), &found);
    int nFiles = 0;
    for (BOOL bMore = hFind != INVALID_HANDLE_VALUE; bMore; bMore = ::FindNextFileW(hFind, &found))
        ++nFiles;
    ::FindClose(hFind);
    EXPECT_EQ(nFiles, 1); // saved.tdc

    // A recent file stored under a code page that held the name: chosen, it says why it cannot
    // be opened, and leaves the list.
    HKEY hKey = theTestApp.GetSectionKey("Recent File List");
    const std::wstring wideEntry =
        std::wstring(folder.begin(), folder.end()) + L"\x6570\x5b66\\\x9879\x76ee.tdc";
    ::RegSetValueExW(hKey, L"File1", 0, REG_SZ, reinterpret_cast<const BYTE*>(wideEntry.c_str()),
                     DWORD((wideEntry.size() + 1) * sizeof(wchar_t)));
    ::RegCloseKey(hKey);
    theTestApp.m_pRecentFileList->ReadList();
    hook.messages.clear();
    pFrame->SendMessage(WM_COMMAND, ID_FILE_MRU_FILE1);
    ASSERT_EQ(hook.messages.size(), 1u);
    EXPECT_STREQ(hook.messages[0],
                 UnusableNameMessage(copied.fileInFolder.c_str(), FALSE, copied.shortFile.c_str()));
    EXPECT_NE(std::string((*theTestApp.m_pRecentFileList)[0]), copied.fileInFolder);
    EXPECT_EQ(MainDoc()->m_nCount, 31);
    MainDoc()->SetModifiedFlag(FALSE);
}

// Opened by the short name of its folder, a file keeps that spelling wherever the program keeps
// its path (a long name that the code page turns into '?' or into look-alike letters no longer
// opens), and saves as in that folder under it; other names are still spelt long.
TEST(FilePaths, AFolderTheCodePageCannotHoldKeepsTheShortNameItWasOpenedBy)
{
    ScriptedModalHook hook;
    std::string chosen;
    hook.onStart = [&](CWnd* pDialog) { AnswerFileDialog(pDialog, chosen); };
    hook.startAnswer = IDOK;
    MainDoc()->m_nCount = 12;
    const std::string folder = MakeTempFolder();
    ASSERT_TRUE(MainDoc()->DoSave((folder + "saved.tdc").c_str()));
    const ChineseNames copied(folder);
    // "M\x0101ori": the code page has no a with a macron and hands over "Maori".
    const std::wstring lookAlike = std::wstring(folder.begin(), folder.end()) + L"M\x0101ori";
    const std::wstring longSub = copied.wideFolder + L"\\Sub folder of a long name";
    if (!copied.bMade || !::CreateDirectoryW(lookAlike.c_str(), nullptr) ||
        !::CreateDirectoryW(longSub.c_str(), nullptr)) {
        ASSERT_EQ(::GetEnvironmentVariableA("ZIVRA_WINE_LOCALE", nullptr, 0), 0u);
        GTEST_SKIP() << "no folder named in Chinese characters under this Unix locale";
    }
    ASSERT_EQ(copied.shortFile.find('?'), std::string::npos) << copied.shortFile;
    const std::string shortLookAlike = ChineseNames::ShortLeaf(lookAlike);
    ASSERT_NE(shortLookAlike, "Maori") << "no short names";
    const struct {
        std::string given, kept;
    } cases[] = {
        {ChineseNames::ShortOf(copied.wideFolder + L"\\\x9879\x76ee.tdc"), copied.shortFile},
        {ChineseNames::ShortOf(longSub) + "\\..\\not saved yet.tdc",
         copied.shortFolder + "not saved yet.tdc"},
        {ChineseNames::ShortOf(longSub) + "\\x.tdc",
         copied.shortFolder + "Sub folder of a long name\\x.tdc"},
        {ChineseNames::ShortOf(lookAlike) + "\\x.tdc", folder + shortLookAlike + "\\x.tdc"},
        {ChineseNames::ShortOf(std::wstring(folder.begin(), folder.end()) + L"saved.tdc"),
         folder + "saved.tdc"},
    };
    for (const auto& c : cases)
        EXPECT_STREQ(NormalPathName(c.given.c_str()), c.kept.c_str()) << c.given;

    // File/Open by the short names typed, or by browsing into the folder and choosing the file
    // there, which the dialog names by the long names ('?'): shown and listed under the short
    // names, as if they had been typed.
    for (const std::string& given : {cases[0].given, copied.fileInFolder}) {
        MainDoc()->OnNewDocument();
        chosen = given;
        MainFrame()->SendMessage(WM_COMMAND, ID_FILE_OPEN);
        EXPECT_TRUE(hook.messages.empty()) << hook.messages[0];
        EXPECT_STREQ(MainDoc()->GetPathName(), copied.shortFile.c_str()) << given;
        EXPECT_STREQ(MainDoc()->GetTitle(),
                     copied.shortFile.substr(copied.shortFolder.size()).c_str());
        EXPECT_STREQ((*theTestApp.m_pRecentFileList)[0], copied.shortFile.c_str());
        EXPECT_EQ(MainDoc()->m_nCount, 12) << given;
    }
    MainDoc()->m_nCount = 13;

    // Save As in the folder the dialog opens at or in a folder browsed into below it, which the
    // dialog names by their long names ('?'), and under the short name the message for such a
    // name offers: every folder on the way keeps its short name.
    const std::wstring wideInner = copied.wideFolder + L"\\\x5b50"; // a folder named "child"
    ASSERT_TRUE(::CreateDirectoryW(wideInner.c_str(), nullptr));
    const std::string shortInner = copied.shortFolder + ChineseNames::ShortLeaf(wideInner) + "\\";
    const struct {
        std::string chosen, kept;
    } saves[] = {
        {copied.namedFolder + "copy.tdc", copied.shortFolder + "copy.tdc"},
        {copied.namedFolder + "Sub folder of a long name\\s.tdc",
         copied.shortFolder + "Sub folder of a long name\\s.tdc"},
        {ChineseNames::Ansi(wideInner) + "\\inner.tdc", shortInner + "inner.tdc"},
        {copied.shortFolder + "offered.tdc", copied.shortFolder + "offered.tdc"},
    };
    for (const auto& save : saves) {
        chosen = save.chosen;
        MainFrame()->SendMessage(WM_COMMAND, ID_FILE_SAVE_AS);
        EXPECT_TRUE(hook.messages.empty()) << hook.messages.back();
        EXPECT_STREQ(MainDoc()->GetPathName(), save.kept.c_str()) << save.chosen;
        EXPECT_TRUE(IdentityOfFile(save.kept.c_str()).bKnown) << save.kept << " is not there";
    }
    MainDoc()->OnNewDocument();
    ASSERT_EQ(theTestApp.OpenDocumentFile(saves[2].kept.c_str()), MainDoc());
    EXPECT_EQ(MainDoc()->m_nCount, 13);
}

} // namespace
