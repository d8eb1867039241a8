// The compiled help file holds every page that a Help button or Help/Contents opens, and the
// index holds the keywords that F1 looks up.
#include "res/HelpTopics.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <string>

namespace {

// Standard output of a shell command.
std::string CommandOutput(const std::string& command)
{
    std::string out;
    if (FILE* pipe = ::popen(command.c_str(), "r")) {
        char buffer[4096];
        for (size_t n; (n = std::fread(buffer, 1, sizeof buffer, pipe)) > 0;)
            out.append(buffer, n);
        ::pclose(pipe);
    }
    return out;
}

TEST(HelpFile, HoldsEveryTopicAndKeyword)
{
    const std::string chm = ZIVRA_HELP_FILE;
    const std::string files = CommandOutput("chmls -n -p list '" + chm + "' 2>/dev/null");
    ASSERT_NE(files.find("/intro.htm\n"), std::string::npos) << files;
    EXPECT_NE(files.find(std::string("/") + kHelpContentsPage + "\n"), std::string::npos);
    for (const HelpTopic& topic : kHelpTopics)
        EXPECT_NE(files.find(std::string("/") + topic.pszPage + "\n"), std::string::npos)
            << topic.nTemplate << " " << topic.pszPage;

    const std::string index = ::testing::TempDir() + "zivra-help-index.txt";
    CommandOutput("chmls extractindex '" + chm + "' '" + index + "' >/dev/null 2>&1");
    const std::string keywords = CommandOutput("cat '" + index + "'");
    for (const char* keyword : kHelpKeywords)
        EXPECT_NE(keywords.find(std::string("name=\"Name\" value=\"") + keyword + "\""),
                  std::string::npos)
            << keyword;
    std::remove(index.c_str());
}

} // namespace
