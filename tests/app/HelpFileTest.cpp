// The help can be followed as written: every workspace line its pages show runs in a new
// project, every example of a dialog field passes that field's check, and the compiled help
// file holds every page that a Help button or Help/Contents opens, with the index keywords
// that F1 looks up.
#include "analysis/FitDialogRules.h"
#include "app/ConverterRules.h"
#include "app/LineCommand.h"
#include "engine/EngineErrors.h"
#include "engine/EngineStartup.h"
#include "engine/SolverModel.h"
#include "plot/FunctionPlot.h"
#include "res/HelpTopics.h"
#include "tests/app/DataViewFixture.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <fstream>
#include <map>
#include <regex>
#include <set>
#include <sstream>
#include <string>
#include <vector>

namespace {

std::string ReadFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    std::ostringstream text;
    text << in.rdbuf();
    return text.str();
}

// The topic pages the help project compiles, in its order.
std::vector<std::string> HelpPages()
{
    std::istringstream project(ReadFile(std::string(ZIVRA_HELP_DIR) + "/Zivra.hhp"));
    std::vector<std::string> pages;
    bool files = false;
    for (std::string line; std::getline(project, line);) {
        if (!line.empty() && line.back() == '\r')
            line.pop_back();
        if (!line.empty() && line[0] == '[')
            files = line == "[FILES]";
        else if (files && line.size() > 4 && line.substr(line.size() - 4) == ".htm")
            pages.push_back(line);
    }
    return pages;
}

std::string DecodeEntities(std::string text)
{
    const std::pair<const char*, const char*> entities[] = {
        {"&gt;", ">"}, {"&lt;", "<"}, {"&quot;", "\""}, {"&#39;", "'"}, {"&amp;", "&"}};
    for (const auto& [entity, plain] : entities)
        for (std::size_t at; (at = text.find(entity)) != std::string::npos;)
            text.replace(at, std::strlen(entity), plain);
    return text;
}

// A <code> or <pre> of a help page: a workspace line (class "line"), lines typed in order (a
// <pre> of class "line"), a line the help shows being refused (class "refused"), the form of a
// command with its arguments named (class "syntax"), what a dialog field takes (class "field"
// and the field's kind, as "field curve"), or other text.
struct HelpCode {
    std::string kind;
    std::string field;
    std::vector<std::string> lines;
};

std::vector<HelpCode> HelpCodes(const std::string& html)
{
    static const std::regex code(
        R"re(<(code|pre)(?: class="(\w+)(?: (\w+))?")?>([\s\S]*?)</\1>)re");
    std::vector<HelpCode> codes;
    for (std::sregex_iterator it(html.begin(), html.end(), code), end; it != end; ++it) {
        HelpCode found{(*it)[2].str(), (*it)[3].str(), {}};
        std::istringstream text(DecodeEntities((*it)[4].str()));
        for (std::string line; std::getline(text, line);)
            if (line.find_first_not_of(" \t\r") != std::string::npos)
                found.lines.push_back(line);
        codes.push_back(found);
    }
    return codes;
}

class HelpExamplesTest : public DataViewTest {
protected:
    // Runs one line in the project as the workspace does; its error code, or 0.
    int RunLine(std::string line)
    {
        ProjectLineHost host(model, prompts);
        LineCommand command{model.m_Engine,         model.m_LineResult,     model.m_FunctionPlot,
                            model.m_Default2DGraph, model.m_Default3DGraph, host};
        // A line that starts with one of these continues from ANS.
        const std::size_t first = line.find_first_not_of(" \t");
        if (first != std::string::npos && std::strchr("+*/^%!", line[first]))
            line = "ANS" + line;
        command.ExecuteLine(line.c_str());
        return command.GetError().nCode;
    }

    // Runs the lines in order in a new project; the error code of the first that fails, else 0.
    int RunInNewProject(const std::vector<std::string>& lines)
    {
        Reset();
        for (const std::string& line : lines)
            if (const int code = RunLine(line))
                return code;
        return 0;
    }

    // The check the dialog field of that kind applies to what is typed into it in a new
    // project: 0 when it takes the text; -1 for a kind no field has.
    int CheckField(const std::string& kind, const CString& text)
    {
        Reset();
        if (kind == "curve" || kind == "polar" || kind == "parametric") {
            const int form = kind == "curve"   ? GraphRectangular
                             : kind == "polar" ? GraphPolar
                                               : GraphParametric;
            return ValidateCurveExpression(form, text, "");
        }
        if (kind == "surface")
            return ValidateSurfaceExpression(text);
        if (kind == "data")
            return CheckDataExpression(model.m_Engine, text, TRUE, 1).IsAccepted() ? 0 : 1;
        if (kind == "model")
            return CheckModelEquation(text, 1).IsAccepted() ? 0 : 1;
        if (kind == "solver")
            return CSolverModel().SetEquation(text);
        if (kind == "unit") {
            double value = 1;
            return ConvertBetweenUnits(value, text, text);
        }
        return -1;
    }
};

TEST_F(HelpExamplesTest, EveryWorkspaceLineOfTheHelpRunsInANewProject)
{
    // Text that reads as a workspace line (a command word with arguments, a function
    // definition) or as an expression (operands around an operator, a call) must be marked,
    // so that this test finds it.
    static const std::regex lineLike(
        R"(^\s*((PLOT3D|PLOT|SDIFF|CONVERT)\b\s*\S|\w+\s*\([^()]*\)\s*=)|\w\s*[-+*/^]\s*[\w(]|\w\()",
        std::regex::icase);
    const std::vector<std::string> pages = HelpPages();
    ASSERT_GE(pages.size(), 12u);
    int examples = 0, fields = 0;
    for (const std::string& page : pages) {
        for (const HelpCode& code : HelpCodes(ReadFile(std::string(ZIVRA_HELP_DIR) + "/" + page))) {
            SCOPED_TRACE(page + ": " + (code.lines.empty() ? "" : code.lines[0]));
            if (code.kind.empty()) {
                for (const std::string& line : code.lines)
                    EXPECT_FALSE(std::regex_search(line, lineLike)) << "not marked";
                continue;
            }
            if (code.kind == "field") {
                ++fields;
                ASSERT_EQ(code.lines.size(), 1u);
                const int error = CheckField(code.field, code.lines[0].c_str());
                EXPECT_EQ(error, 0) << code.field << ": " << GetErrorText(error);
                continue;
            }
            ASSERT_TRUE(code.kind == "line" || code.kind == "refused" || code.kind == "syntax")
                << code.kind;
            if (code.kind == "syntax")
                continue;
            ++examples;
            const int error = RunInNewProject(code.lines);
            if (code.kind == "line") {
                EXPECT_EQ(error, 0) << GetErrorText(error);
                EXPECT_EQ(prompts.log, "");
            } else {
                EXPECT_NE(error, 0) << "the help says it is refused";
            }
        }
    }
    EXPECT_GE(examples, 30);
    EXPECT_GE(fields, 20);
}

// The workspace page typed from top to bottom into one project, the refused lines too (a refused
// block fails at its last line): every function it defines then answers its numbers, whatever
// was defined after it.
TEST_F(HelpExamplesTest, TheWorkspacePageTypedInOneProjectKeepsEveryFunction)
{
    const std::map<std::string, std::pair<const char*, const char*>> calls = {
        {"f", {"f(3)", "10"}},
        {"area", {"area(2, 3)", "6"}},
        {"g", {"g(3)", "9"}},
        {"h", {"h(3, 4)", "25"}},
    };
    static const std::regex definition(R"(^\s*(\w+)\s*\([^()]*\)\s*=)");
    std::set<std::string> defined;
    for (const HelpCode& code :
         HelpCodes(ReadFile(std::string(ZIVRA_HELP_DIR) + "/Workspace.htm"))) {
        if (code.kind != "line" && code.kind != "refused")
            continue;
        for (const std::string& line : code.lines) {
            const int error = RunLine(line);
            const bool refused = code.kind == "refused" && &line == &code.lines.back();
            EXPECT_EQ(error != 0, refused) << line << ": " << GetErrorText(error);
            std::smatch name;
            if (error == 0 && std::regex_search(line, name, definition))
                defined.insert(name[1]);
        }
    }
    EXPECT_EQ(defined.size(), calls.size());
    for (const std::string& name : defined) {
        const auto call = calls.find(name);
        ASSERT_NE(call, calls.end()) << name << " is defined but never called here";
        EXPECT_EQ(RunLine(call->second.first), 0) << call->second.first;
        EXPECT_STREQ(model.m_LineResult.GetText(), call->second.second) << call->second.first;
    }
}

#ifdef ZIVRA_HELP_FILE
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
    for (const std::string& page : HelpPages())
        EXPECT_NE(files.find("/" + page + "\n"), std::string::npos) << page;

    const std::string index = ::testing::TempDir() + "zivra-help-index.txt";
    CommandOutput("chmls extractindex '" + chm + "' '" + index + "' >/dev/null 2>&1");
    const std::string keywords = CommandOutput("cat '" + index + "'");
    for (const char* keyword : kHelpKeywords)
        EXPECT_NE(keywords.find(std::string("name=\"Name\" value=\"") + keyword + "\""),
                  std::string::npos)
            << keyword;
    std::remove(index.c_str());
}
#endif

} // namespace
