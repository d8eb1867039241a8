// Reports: value texts, what the grid and the workspace receive, and the stored form.
#include "plot/AnalysisResult.h"
#include "engine/LocaleSeparators.h"
#include "engine/NumberFormat.h"
#include "plot/TextSplit.h"
#include "tests/framework/ArchiveTestHelpers.h"
#include "tests/plot/ByteBuilder.h"

#include <gtest/gtest.h>

#include <cmath>
#include <string>
#include <utility>

namespace {

struct RecordingOutput : IResultGrid, IResultWorkspace {
    std::string log;
    int options = 0x1F;
    void SetItemString(int row, int column, const CString& text) override
    {
        log +=
            "S" + std::to_string(row) + "," + std::to_string(column) + "=" + text.GetString() + ";";
    }
    void SetItemInt(int row, int column, int value) override
    {
        log += "I" + std::to_string(row) + "," + std::to_string(column) + "=" +
               std::to_string(value) + ";";
    }
    void NewLineAtTextEnd() override { log += "[end]"; }
    void NewLineAtLineEnd() override { log += "[line]"; }
    int SetPopupOptions(int value) override
    {
        log += "[tips " + std::to_string(value) + "]";
        return std::exchange(options, value);
    }
    void TypeText(const CString& text) override { log += text.GetString(); }
    void WriteLines(const CString& text, BOOL bAtTextEnd, WrittenColours colours) override
    {
        log += std::string(bAtTextEnd ? "[write at end" : "[write at line") +
               (colours == WrittenColours::AsResults ? " as results]" : "]") + text.GetString();
    }
};

TEST(AnalysisResult, ValueTextsFollowKindAndFormat)
{
    UseDotSeparators();
    CAnalysisResult r;
    r.AddNumber("Area = ", 2.0 / 3.0);
    r.AddInteger("n = ", -3, 1);
    r.AddText("Model: ", "line");
    r.AddNumber("big = ", 1e300);
    EXPECT_STREQ(r.GetValueText(r.GetItem(0)), "0.666666666666667") << "no format: General";
    EXPECT_STREQ(r.GetValueText(r.GetItem(1)), "-3");
    EXPECT_STREQ(r.GetValueText(r.GetItem(2)), "line");
    CNumberFormat fixed; // two decimals
    r.SetNumberFormat(&fixed);
    EXPECT_STREQ(r.GetValueText(r.GetItem(0)), "0.67");

    AnalysisResultItem wide{"n", "", 1e12, AnalysisResultItem::kindInteger, 0};
    EXPECT_STREQ(r.GetValueText(wide), fixed.Format(1e12)) << "beyond 32 bits: the format";
    AnalysisResultItem odd{"n", "t", 1, 7, 0};
    EXPECT_STREQ(r.GetValueText(odd), "");
}

TEST(AnalysisResult, WorkspaceAndGridReceiveTitleThenItems)
{
    UseDotSeparators();
    // An answer of one short line is typed; a longer one, or a report, is written in one piece,
    // a report in the colours of results.
    struct Case {
        std::string text;
        BOOL bAtTextEnd;
        std::string log;
    };
    const std::string longest(100, '1');
    for (const Case& c : std::initializer_list<Case>{
             {"5", TRUE, "[end][tips 0]5\n[tips 31]"},
             {longest, FALSE, "[line][tips 0]" + longest + "\n[tips 31]"},
             {longest + "2", FALSE, "[write at line]" + longest + "2\n"},
             {"1\r2", TRUE, "[write at end]1\n2\n"},
         }) {
        CAnalysisResult answer;
        answer.SetText(c.text.c_str());
        RecordingOutput out;
        answer.PrintToWorkspace(out, c.bAtTextEnd);
        EXPECT_EQ(out.log, c.log) << c.text;
    }
    RecordingOutput out;

    CAnalysisResult r;
    r.SetText("ignored with a title");
    r.SetTitle("Zeros of f");
    r.AddInteger("Count: ", 2);
    r.AddNumber("x = ", 1.5, 1);
    r.AddText("Note: ", "a\rb");
    EXPECT_STREQ(r.GetWorkspaceText(), "' Zeros of f\nCount: 2\n    x = 1.5\nNote: a\nb")
        << "a carriage return would evaluate a workspace line";
    r.PrintToWorkspace(out, FALSE);
    EXPECT_EQ(out.log,
              "[write at line as results]' Zeros of f\nCount: 2\n    x = 1.5\nNote: a\nb\n");

    out.log.clear();
    r.FillGrid(out, 2, 1);
    EXPECT_EQ(out.log, "S2,1=Zeros of f;S3,1=Count: ;I3,2=2;S4,1=    x = ;S4,2=1.5;S5,1=Note: ;"
                       "S5,2=a\rb;");

    // What a report is called (the results dialog's caption): its title, else its text.
    EXPECT_STREQ(r.GetHeading(), "Zeros of f");
    CAnalysisResult untitled;
    untitled.SetText("' Comparing two lists");
    EXPECT_STREQ(untitled.GetHeading(), "Comparing two lists");
}

std::vector<unsigned char> ReportBytes()
{
    return ByteBuilder()
        .Str("text")
        .Str("title")
        .I32(150)
        .I32(150)
        .I32(2)
        .I32(0)
        .Str("x = ")
        .Str("")
        .F64(-0.5)
        .I32(1)
        .I32(2)
        .Str("m")
        .Str("line")
        .F64(0)
        .I32(0)
        .bytes;
}

TEST(AnalysisResult, StoredFormMatchesTheFileLayout)
{
    CAnalysisResult empty;
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { empty.Serialize(ar); }),
              ByteBuilder().Str("").Str("").I32(150).I32(150).I32(0).bytes);

    CAnalysisResult r;
    r.SetText("text");
    r.SetTitle("title");
    r.AddNumber("x = ", -0.5, 1);
    r.AddText("m", "line");
    const std::vector<unsigned char> bytes = ReportBytes();
    EXPECT_EQ(StoreBytes([&](CArchive& ar) { r.Serialize(ar); }), bytes);

    CAnalysisResult loaded;
    loaded.AddText("kept", "first");
    LoadBytes(bytes, [&](CArchive& ar) { loaded.Serialize(ar); });
    ASSERT_EQ(loaded.GetItemCount(), 3) << "loading appends";
    EXPECT_STREQ(loaded.GetItem(0).strLabel, "kept");
    EXPECT_EQ(loaded.GetItem(1).dValue, -0.5);
    EXPECT_EQ(loaded.GetItem(1).bIndent, 1);
    EXPECT_STREQ(loaded.GetItem(2).strText, "line");
    EXPECT_STREQ(loaded.GetTitle(), "title");
}

TEST(AnalysisResult, DamagedFormsThrowAndChangeNothing)
{
    const std::vector<unsigned char> bytes = ReportBytes();
    for (std::size_t n = 0; n < bytes.size(); ++n) {
        CAnalysisResult r;
        r.SetTitle("old");
        EXPECT_THROW(LoadBytes(Head(bytes, n), [&](CArchive& ar) { r.Serialize(ar); }),
                     CArchiveException)
            << "cut at " << n;
        EXPECT_STREQ(r.GetTitle(), "old") << "cut at " << n;
        EXPECT_EQ(r.GetItemCount(), 0) << "cut at " << n;
    }
    for (std::int64_t count : {-1LL, 0x7FFFFFFFLL}) {
        ByteBuilder b;
        b.Str("").Str("").I32(150).I32(150).I32(count).I32(0);
        CAnalysisResult r;
        EXPECT_THROW(LoadBytes(b.bytes, [&](CArchive& ar) { r.Serialize(ar); }), CArchiveException)
            << count;
    }
}

TEST(TextSplit, SplitsAtTheFirstCharacterIntoTrimmedSides)
{
    struct Case {
        const char* text;
        bool brackets;
        BOOL found;
        const char* left;
        const char* right;
    };
    const Case cases[] = {
        {" x = cos(t) ; y = sin(t) ", false, TRUE, "x = cos(t)", "y = sin(t)"},
        {"a;b;c", false, TRUE, "a", "b;c"},
        {"  no separator ", false, FALSE, "no separator", ""},
        {";", false, TRUE, "", ""},
        {"y = max(a;b)", false, TRUE, "y = max(a", "b)"},
        {"y = max(a;b)", true, FALSE, "y = max(a;b)", ""},
        {"x = m[1;2]; y = t", true, TRUE, "x = m[1;2]", "y = t"},
        {"x = (t;", true, FALSE, "x = (t;", ""},
    };
    for (const Case& c : cases) {
        CString left = "old", right = "old";
        const BOOL found = c.brackets ? SplitAtCharOutsideBrackets(c.text, ';', left, right)
                                      : SplitAtChar(c.text, ';', left, right);
        EXPECT_EQ(found, c.found) << c.text;
        EXPECT_STREQ(left, c.left) << c.text;
        EXPECT_STREQ(right, c.right) << c.text;
    }
}

} // namespace
