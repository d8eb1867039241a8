#include "app/WorkspaceWords.h"
#include "app/WorkspaceDemo.h"
#include "app/WorkspaceSettings.h"

#include "engine/CalcEngine.h"
#include "framework/core/ProfileStore.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace {

TEST(WorkspaceWords, WordAroundTheTypedCharacter)
{
    struct Case {
        const char* line;
        int position;
        const char* word;
        int start, end;
    };
    const std::string longName = "v" + std::string(150, 'a');
    for (const Case& c : std::initializer_list<Case>{
             {"sin", 2, "sin", -1, 3},
             {"sin", 0, "sin", -1, 3},
             {"2+sin", 4, "sin", 1, 5},
             {"2+sin(", 5, "", 5, 6},
             {"2+sin(x", 6, "x", 5, 7},
             {"a*b", 1, "b", 1, 3}, // a delimiter typed before a name
             {"a b", 1, "b", 1, 3},
             {"max(a;bc)", 7, "bc", 5, 8},
             {"x%!", 2, "", 2, 3},
             {"\tcos", 3, "cos", 0, 4},
             {"abc", -1, "", -1, 0}, // the caret at the line's start
             {"abc", 3, "", 3, 4},   // past what was read
             {"", 0, "", 0, 1},
         }) {
        WorkspaceWord w = GetWordAt(c.line, c.position);
        EXPECT_STREQ(w.text, c.word) << c.line << " at " << c.position;
        EXPECT_EQ(w.nStart, c.start) << c.line << " at " << c.position;
        EXPECT_EQ(w.nEnd, c.end) << c.line << " at " << c.position;
    }
    WorkspaceWord w = GetWordAt(CString(longName.c_str()), 120);
    EXPECT_EQ(w.text.GetLength(), kMaxWorkspaceWord);
    EXPECT_EQ(w.nEnd, 151);
}

TEST(WorkspaceWords, CommentsParenthesesAndPastedLines)
{
    // The first pasted line joins the text before the selection, the last the text after it.
    EXPECT_EQ(LongestPastedLine("abc", 4, 5), 12);
    EXPECT_EQ(LongestPastedLine("ab\r\ncdef\ng", 4, 5), 6);
    EXPECT_EQ(LongestPastedLine("ab\rcdefghij\r", 1, 1), 8);
    EXPECT_EQ(LongestPastedLine("", 3, 0), 3);
    EXPECT_TRUE(IsCommentLine("'"));
    EXPECT_TRUE(IsCommentLine("   \t' note"));
    EXPECT_FALSE(IsCommentLine("2 ' 3"));
    EXPECT_FALSE(IsCommentLine("   "));
    EXPECT_EQ(ParenthesisBalance("max(sin(1"), 2);
    EXPECT_EQ(ParenthesisBalance("(1))"), -1);
    EXPECT_EQ(ParenthesisBalance(""), 0);
}

// A few names of each kind, as the document's engine would describe them.
int KindOfTestWord(const CString& word)
{
    const std::string w = word.GetString();
    if (w == "sin" || w == "cos")
        return NameBuiltinFunction;
    if (w == "pi")
        return NamePhysicalConstant;
    if (w == "f")
        return NameUserFunction;
    if (w == "v" || w == "v" + std::string(99, 'a'))
        return NameVariable;
    return NameUnknown;
}

TEST(WorkspaceWords, TypedLinesKeepTheColoursOfTheirNames)
{
    struct Case {
        std::string line;
        std::vector<int> spans; // start, end, kind of each
    };
    const int comment = kCommentLineKind, pf = NameBuiltinFunction, pc = NamePhysicalConstant,
              uf = NameUserFunction, var = NameVariable;
    for (const Case& c : std::initializer_list<Case>{
             {"' Solver solution", {0, 17, comment}},
             {"  \t' sin note", {0, 13, comment}},
             {"2 ' sin", {4, 7, pf}},
             {"y = sin(x)+pi", {4, 7, pf, 11, 13, pc}},
             {"Equation: v^2=f(v)", {10, 11, var, 14, 15, uf, 16, 17, var}},
             {"sinx+sin", {5, 8, pf}},
             {"\tcos\tv;pi", {1, 4, pf, 5, 6, var, 7, 9, pc}},
             {"    x = 0.5", {}},
             {"", {}},
             // A name is looked up by its first 100 characters and coloured whole.
             {"v" + std::string(150, 'a') + "+v", {0, 151, var, 152, 153, var}},
             // Typing looks at the first 1,000 characters of a line only.
             {std::string(997, '1') + "+sin", {}}, // "si" is no name
             {std::string(996, '1') + "+sin", {997, 1000, pf}},
             {std::string(1000, ' ') + "'", {}},
         }) {
        std::vector<int> spans;
        for (const TypedColourSpan& span : TypedLineColours(c.line.c_str(), KindOfTestWord))
            spans.insert(spans.end(), {span.nStart, span.nEnd, span.kind});
        EXPECT_EQ(spans, c.spans) << c.line.substr(0, 40);
    }
}

TEST(WorkspaceWords, TipsByKindOptionsAndArgumentCount)
{
    struct Case {
        int kind;
        int arguments;
        unsigned options;
        int allFunctions;
        TipDecision::Action action;
        const char* text;
    };
    const auto Leave = TipDecision::Leave, Hide = TipDecision::Hide, Show = TipDecision::Show;
    for (const Case& c : std::initializer_list<Case>{
             {NameUnknown, 0, PopupAll, 1, Leave, ""},
             {NameBuiltinFunction, 1, PopupAll, 0, Hide, ""},
             {NameBuiltinFunction, 1, PopupAll, 1, Show, "D"},
             {NameBuiltinFunction, 2, PopupAll, 0, Show, "D"},
             {NameBuiltinFunction, 2, PopupAll & ~PopupBuiltinFunctions, 1, Hide, ""},
             {NameUserFunction, 1, PopupUserFunctions, 0, Hide, ""},
             {NameUserFunction, 1, PopupUserFunctions, 1, Show, "D"},
             {NameUserFunction, 3, PopupBuiltinFunctions, 1, Hide, ""},
             {NamePhysicalConstant, 0, PopupBuiltinConstants, 0, Show, "D"},
             {NamePhysicalConstant, 0, PopupUserConstants, 0, Hide, ""},
             {NameUserConstant, 0, PopupUserConstants, 0, Show, "D"},
             {NameVariable, 0, PopupVariables, 0, Show, " = D"},
             {NameExpressionVariable, 0, PopupVariables, 0, Show, " = D"},
             {NameVariable, 0, PopupAll & ~PopupVariables, 1, Hide, ""},
             {NameVariable, 0, 0, 1, Hide, ""},
             {99, 0, PopupAll, 1, Hide, ""},
         }) {
        TipDecision tip = DecideTip(c.kind, "D", c.arguments, c.options, c.allFunctions);
        EXPECT_EQ(tip.action, c.action)
            << "kind " << c.kind << " options " << c.options << " arguments " << c.arguments;
        EXPECT_STREQ(tip.text, c.text) << "kind " << c.kind;
    }
    // Nothing to show leaves the tip as it is.
    EXPECT_EQ(DecideTip(NameVariable, "", 0, PopupAll, 1).action, TipDecision::Leave);
}

TEST(WorkspaceWords, TipsStayInsideTheWorkArea)
{
    const CRect work(1920, 40, 3840, 1080); // a second monitor, its task bar at the top
    struct Case {
        CPoint below, corner;
        int lineTop, width;
    };
    for (const Case& c : std::initializer_list<Case>{
             {{2000, 500}, {2000, 500}, 480, 300},     // fits where it is
             {{3800, 1075}, {3540, 1030}, 1050, 300},  // moved left, and above its line
             {{1800, 20}, {1920, 40}, 0, 300},         // never left of or above the area
             {{2000, 500}, {1920, 500}, 480, 2500}}) { // wider than the area: at its left
        const CPoint corner = PlaceTip(c.below, c.lineTop, CSize(c.width, 20), work);
        EXPECT_EQ(corner, c.corner) << c.below.x << "," << c.below.y;
    }
}

TEST(WorkspaceSettings, StoredValuesAreRepaired)
{
    CMemoryProfileStore store;
    WorkspaceSettings s;
    ReadWorkspaceSettings(store, s);
    EXPECT_EQ(s.CommentColor, 0xC800u);
    EXPECT_EQ(s.PopupOptions, 0x1Fu);
    EXPECT_STREQ(s.FontFaceName, "Arial");

    store.WriteInt("Workspace", "PFColor", 0x1000000);
    store.WriteInt("Workspace", "VarColor", -5);
    store.WriteInt("Workspace", "BackColor", 0xFFFFFF);
    store.WriteInt("Workspace", "PopupOptions", 0x1E3);
    store.WriteInt("Workspace", "PopupFunction", 7);
    store.WriteInt("Workspace", "FontSize", -300);
    store.WriteString("Workspace", "FontFaceName", std::string(32, 'F').c_str());
    ReadWorkspaceSettings(store, s);
    EXPECT_EQ(s.PFColor, 0xC80000u);
    EXPECT_EQ(s.VarColor, 0xC8u);
    EXPECT_EQ(s.BackColor, 0xFFFFFFu);
    EXPECT_EQ(s.PopupOptions, 0x03u);
    EXPECT_EQ(s.PopupFunction, 1);
    EXPECT_EQ(s.FontSize, -96);
    EXPECT_STREQ(s.FontFaceName, "Arial");

    s.FontSize = 3;
    store.WriteString("Workspace", "FontFaceName", "");
    ReadWorkspaceSettings(store, s);
    EXPECT_STREQ(s.FontFaceName, "Arial");
    store.WriteInt("Workspace", "FontSize", 2);
    store.WriteString("Workspace", "FontFaceName", std::string(31, 'F').c_str());
    ReadWorkspaceSettings(store, s);
    EXPECT_EQ(s.FontSize, 6);
    EXPECT_EQ(s.FontFaceName.GetLength(), 31);

    s.CommentColor = 0x123456;
    s.FontFaceName = "Courier New";
    ASSERT_TRUE(WriteWorkspaceSettings(store, s));
    WorkspaceSettings back;
    ReadWorkspaceSettings(store, back);
    EXPECT_EQ(back.CommentColor, 0x123456u);
    EXPECT_STREQ(back.FontFaceName, "Courier New");
    EXPECT_EQ(store.GetEntries().size(), 12u);
}

TEST(WorkspaceDemo, ScriptOfCommentsAndExamples)
{
    const std::string script = kWorkspaceDemoScript;
    EXPECT_EQ(script.size(), 1963u);
    std::vector<std::string> examples;
    int comments = 0;
    std::size_t begin = 0;
    while (begin < script.size()) {
        std::size_t end = script.find_first_of("\r\n", begin);
        ASSERT_NE(end, std::string::npos) << "unterminated line at " << begin;
        std::string line = script.substr(begin, end - begin);
        ASSERT_EQ(line[0], '\t') << line;
        bool comment = line.size() > 1 && line[1] == '\'';
        EXPECT_EQ(script[end], comment ? '\n' : '\r') << line;
        if (comment)
            ++comments;
        else
            examples.push_back(line.substr(1));
        begin = end + 1;
    }
    EXPECT_EQ(comments, 40);
    EXPECT_EQ(examples, (std::vector<std::string>{
                            "sin(3)+sin(3)", "sin(exp(1-cos(2)))", "cosh((exp(2)))",
                            "plot(x*sin(x^2))", "plot(r=4*sin(5*t))", "MyVar = sin(3)+cos(3)",
                            "sin(MyVar)", "MyVar2=MyVar*2", "MyVar2", "MyVar=20", "MyVar2"}));
    EXPECT_NE(script.find("Zivra"), std::string::npos);
}

} // namespace
