// A link's failure texts and the command line that hands an address to the web-page program.
#include "ui/LinkAddress.h"

#include <gtest/gtest.h>

namespace {

TEST(LinkAddress, EachShellFailureHasItsReason)
{
    const struct {
        INT_PTR result;
        const char* reason;
    } cases[] = {
        {0, "The operating system is out\nof memory or resources."},
        {2, "The specified file was not found."},
        {31, "There is no application associated\nwith the given filename extension."},
        {32, "The specified dynamic-link library was not found."},
        {1, "Unknown Error (1) occurred."},
        {33, "Unknown Error (33) occurred."},
        {-4, "Unknown Error (-4) occurred."},
    };
    for (const auto& c : cases)
        EXPECT_EQ(LinkOpenErrorMessage(c.result),
                  CString("Unable to open hyperlink:\n\n") + c.reason)
            << c.result;
}

TEST(LinkAddress, TheAddressBecomesOneQuotedArgument)
{
    const struct {
        const char* openCommand;
        const char* address;
        const char* command; // nullptr: refused
    } cases[] = {
        {"\"C:\\Web\\browse.exe\" -nohome \"%1\"", "http://zivra.example/a b",
         "\"C:\\Web\\browse.exe\" -nohome \"http://zivra.example/a b\""},
        {"browse.exe %1 -new", "mailto:help@zivra.example",
         "browse.exe \"mailto:help@zivra.example\""},
        {"browse.exe", "http://zivra.example", "browse.exe \"http://zivra.example\""},
        {"browse.exe \"%1\"", "http://x\" -exec evil \"", nullptr},
        {"browse.exe \"%1\"", "http://x\n-exec", nullptr},
        {"browse.exe \"%1\"", "http://x\t", nullptr},
    };
    for (const auto& c : cases) {
        CString command;
        const BOOL bMade = MakeBrowserCommand(c.openCommand, c.address, command);
        EXPECT_EQ(bMade, c.command != nullptr) << c.address;
        if (bMade && c.command) {
            EXPECT_EQ(command, CString(c.command)) << c.address;
        }
    }
}

} // namespace
