// The parts of the document machinery that need no window: the document string, the file
// dialog filter, the command line and the recent-file list's order.
#include "framework/win/CCommandLineInfo.h"
#include "framework/win/CDocTemplate.h"
#include "framework/win/CRecentFileList.h"

#include <gtest/gtest.h>

#include <vector>

namespace {

const CString kProjectString = "Zivra Kelmora\nUntitled\nZivra Project\nZivra Project "
                               "(*.zvp)\n.zvp\nZivra.Project.1\nZivra Project";

TEST(DocString, EachOfTheSevenParts)
{
    const char* expected[] = {"Zivra Kelmora",         "Untitled", "Zivra Project",
                              "Zivra Project (*.zvp)", ".zvp",     "Zivra.Project.1",
                              "Zivra Project"};
    for (int i = 0; i < 7; i++) {
        CString part;
        EXPECT_TRUE(ExtractDocStringPart(kProjectString, i, part)) << "part " << i;
        EXPECT_STREQ(part, expected[i]) << "part " << i;
    }
}

TEST(DocString, MissingAndEmptyPartsAreReportedEmpty)
{
    struct Case {
        const char* docString;
        int index;
    };
    const Case cases[] = {
        {"Title", 1},         // beyond the end
        {"Title\n\nName", 1}, // left empty
        {"Title\nDoc", 6},    // a short string
        {"", 0},
    };
    for (const Case& c : cases) {
        CString part = "stale";
        EXPECT_FALSE(ExtractDocStringPart(c.docString, c.index, part))
            << c.docString << " / " << c.index;
        EXPECT_TRUE(part.IsEmpty()) << c.docString << " / " << c.index;
    }
}

TEST(DocString, FileDialogFilterFromTheString)
{
    struct Case {
        const char* docString;
        const char* filter;
    };
    const Case cases[] = {
        {"Zivra Kelmora\nUntitled\nZivra Project\nZivra Project "
         "(*.zvp)\n.zvp\nZivra.Project.1\nZivra Project",
         "Zivra Project (*.zvp)|*.zvp|All Files (*.*)|*.*||"},
        {"T\nU\nN\nData (*.dat)\ndat", "Data (*.dat)|*.dat|All Files (*.*)|*.*||"},
        {"T\nU\nN", "All Files (*.*)|*.*||"},
        {"T\nU\nN\nData (*.dat)\n", "All Files (*.*)|*.*||"},
    };
    for (const Case& c : cases)
        EXPECT_STREQ(BuildFileDialogFilter(c.docString), c.filter) << c.docString;
}

TEST(CommandLine, FirstPlainArgumentIsTheFileToOpen)
{
    struct Case {
        std::vector<const char*> argv;
        int nShellCommand;
        const char* fileName;
    };
    const Case cases[] = {
        {{"zivra.exe"}, CCommandLineInfo::FileNew, ""},
        {{"zivra.exe", "C:\\Data\\a.zvp"}, CCommandLineInfo::FileOpen, "C:\\Data\\a.zvp"},
        {{"zivra.exe", "/nologo", "C:\\a.zvp"}, CCommandLineInfo::FileOpen, "C:\\a.zvp"},
        {{"zivra.exe", "-x"}, CCommandLineInfo::FileNew, ""},
        {{"zivra.exe", "first.zvp", "second.zvp"}, CCommandLineInfo::FileOpen, "first.zvp"},
    };
    for (const Case& c : cases) {
        CCommandLineInfo info;
        ParseCommandLineArgs(info, int(c.argv.size()), c.argv.data());
        EXPECT_EQ(info.m_nShellCommand, c.nShellCommand) << c.argv.size() << " arguments";
        EXPECT_STREQ(info.m_strFileName, c.fileName) << c.argv.size() << " arguments";
    }
}

TEST(RecentFileList, NewestFirstWithoutDuplicatesAndAtMostItsSize)
{
    CRecentFileList list(0xE110, "Recent File List", "File%d", 4);
    for (const char* path :
         {"C:\\p\\a.zvp", "C:\\p\\b.zvp", "C:\\p\\c.zvp", "C:\\p\\d.zvp", "C:\\p\\e.zvp"})
        list.Add(path);
    const char* afterFive[] = {"C:\\p\\e.zvp", "C:\\p\\d.zvp", "C:\\p\\c.zvp", "C:\\p\\b.zvp"};
    ASSERT_EQ(list.GetCount(), 4);
    for (int i = 0; i < 4; i++)
        EXPECT_STREQ(list[i], afterFive[i]) << "entry " << i;

    // Opening a listed file again (in other letter case) moves it to the top.
    list.Add("c:\\P\\C.ZVP");
    const char* afterReopen[] = {"c:\\P\\C.ZVP", "C:\\p\\e.zvp", "C:\\p\\d.zvp", "C:\\p\\b.zvp"};
    for (int i = 0; i < 4; i++)
        EXPECT_STREQ(list[i], afterReopen[i]) << "entry " << i;

    list.Remove(1);
    EXPECT_EQ(list.GetCount(), 3);
    EXPECT_STREQ(list[1], "C:\\p\\d.zvp");
}

TEST(RecentFileList, MenuTextShortensLongPathsAndKeepsAmpersands)
{
    struct Case {
        const char* path;
        int nMaxLength;
        const char* display;
    };
    const Case cases[] = {
        {"C:\\Data\\a.zvp", 40, "C:\\Data\\a.zvp"},
        {"C:\\Users\\someone\\Documents\\Projects\\curves.zvp", 30,
         "C:\\...\\Projects\\curves.zvp"},
        {"C:\\Users\\someone\\Documents\\Projects\\curves.zvp", 12, "curves.zvp"},
        {"C:\\R&D\\x.zvp", 40, "C:\\R&&D\\x.zvp"},
    };
    for (const Case& c : cases) {
        CRecentFileList list(0xE110, "Recent File List", "File%d", 4, c.nMaxLength);
        list.Add(c.path);
        CString display;
        ASSERT_TRUE(list.GetDisplayName(display, 0)) << c.path;
        EXPECT_STREQ(display, c.display) << c.path;
    }
}

} // namespace
