// Paths with names the code page could not hold: which paths are told so, and what the message
// names (the folder or the file) and advises, when opening and when saving, offering the short
// names that reach the file where there are some.
#include "framework/core/PathNames.h"

#include <gtest/gtest.h>

#include <string>

namespace {

TEST(PathNames, OnlyNamesThatLostCharactersAreUnusable)
{
    const struct {
        const char* path;
        BOOL bUnusable;
    } cases[] = {
        {"C:\\proj\\a.zvp", FALSE},
        {"C:\\Übung\\a.zvp", FALSE},
        {"\\\\?\\C:\\proj\\a.zvp", FALSE},
        {"\\\\server\\share\\a.zvp", FALSE},
        {"", FALSE},
        {"Z:\\work\\??\\??.zvp", TRUE},
        {"C:\\proj\\?.zvp", TRUE},
        {"\\\\?\\C:\\??\\a.zvp", TRUE},
        {"C:/proj/a?b/x.zvp", TRUE},
    };
    for (const auto& c : cases)
        EXPECT_EQ(HasUnusableName(c.path), c.bUnusable) << "path: " << c.path;
    EXPECT_FALSE(HasUnusableName(nullptr));
}

TEST(PathNames, TheMessageNamesTheFolderOrTheFileAndWhatToUseInstead)
{
    const std::string usable = "uses only characters of the system's language for non-Unicode "
                               "programs";
    const std::string cause = " characters that this program cannot use (they show as '?'). ";
    const struct {
        const char* path;
        BOOL bSaving;
        std::string text;
        const char* shortName = nullptr; // the spelling of short names that reaches it
    } cases[] = {
        {"Z:\\work\\??\\a.zvp", FALSE,
         "Cannot open Z:\\work\\??\\a.zvp: the name of the folder Z:\\work\\?? holds" + cause +
             "Move the file to a folder whose name " + usable + ", and open it there."},
        {"Z:\\work\\??\\sub\\??\\??.zvp", FALSE,
         "Cannot open Z:\\work\\??\\sub\\??\\??.zvp: the name of the folder Z:\\work\\?? and the "
         "file name hold" +
             cause + "Move the file to a folder whose name " + usable +
             ", under a name that does too, and open it there."},
        {"C:\\proj\\a?.zvp", FALSE,
         "Cannot open C:\\proj\\a?.zvp: the file name holds" + cause +
             "Rename the file so that its name " + usable + ", and open it again."},
        {"\\\\?\\C:\\x?y\\a.zvp", TRUE,
         "Cannot save \\\\?\\C:\\x?y\\a.zvp: the name of the folder \\\\?\\C:\\x?y holds" + cause +
             "Save it in a folder whose name " + usable + "."},
        {"C:\\??\\??.zvp", TRUE,
         "Cannot save C:\\??\\??.zvp: the name of the folder C:\\?? and the file name hold" +
             cause + "Save it in a folder whose name " + usable + ", under a name that does too."},
        {"C:\\proj\\??.zvp", TRUE,
         "Cannot save C:\\proj\\??.zvp: the file name holds" + cause +
             "Save it under a name that " + usable + "."},
        {"C:\\??\\p.zvp", FALSE,
         "Cannot open C:\\??\\p.zvp: the name of the folder C:\\?? holds" + cause +
             "Move the file to a folder whose name " + usable +
             ", and open it there. Or open it under its short name, C:\\__~~~VLZ\\p.zvp.",
         "C:\\__~~~VLZ\\p.zvp"},
        {"C:\\??\\new.zvp", TRUE,
         "Cannot save C:\\??\\new.zvp: the name of the folder C:\\?? holds" + cause +
             "Save it in a folder whose name " + usable +
             ". Or save it under its short name, C:\\__~~~VLZ\\new.zvp.",
         "C:\\__~~~VLZ\\new.zvp"},
        {"C:\\proj\\??.zvp", TRUE,
         "Cannot save C:\\proj\\??.zvp: the file name holds" + cause +
             "Save it under a name that " + usable + ".",
         ""},
    };
    for (const auto& c : cases)
        EXPECT_EQ(std::string(UnusableNameMessage(c.path, c.bSaving, c.shortName)), c.text)
            << "path: " << c.path << (c.bSaving ? " (saving)" : "")
            << (c.shortName ? " short name " : "") << (c.shortName ? c.shortName : "");
}

} // namespace
