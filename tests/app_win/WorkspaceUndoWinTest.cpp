// The workspace's one Undo history, against a model of what the user did: after every action
// the text the user sees is noted, and Undo must give those texts back, last first and in order
// (a step may take more than one action back, never a text the user did not see), down to the
// empty workspace; Redo all of them again. Long changes (reports, Select All + Delete) stand
// among more short steps than the control's own Undo could hold.
#include "tests/app_win/LongWorkspaceFixture.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

namespace {

// Where two texts part, for a failure's message ("|" for a line's end): a long text in full
// says nothing.
std::string Differ(const std::string& a, const std::string& b)
{
    std::size_t i = 0;
    while (i < a.size() && i < b.size() && a[i] == b[i])
        ++i;
    const std::size_t from = i > 30 ? i - 30 : 0;
    std::string both = a.substr(from, 60) + "\" / \"" + b.substr(from, 60);
    std::replace(both.begin(), both.end(), '\r', '|');
    return "lengths " + std::to_string(a.size()) + " and " + std::to_string(b.size()) +
           ", parting at " + std::to_string(i) + ": \"" + both + "\"";
}

class WorkspaceUndo : public LongWorkspace {
protected:
    void SetUp() override
    {
        // Answers in the default format and base, as the model writes them.
        ::RegDeleteTreeA(
            HKEY_CURRENT_USER,
            (std::string(kTestSettingsKey) + "\\" + AfxGetAppName() + "\\Calculation").c_str());
        LongWorkspace::SetUp();
        Focus();
    }
    // Notes the text after an action; the model's text must be what the workspace shows.
    void Saw(const std::string& expected, const std::string& what)
    {
        const std::string now = Text();
        ASSERT_TRUE(now == expected) << what << ": " << Differ(now, expected);
        texts.push_back(expected);
    }
    void Type(const std::string& keys, const std::string& what)
    {
        Keys(keys.c_str());
        Saw(texts.back() + keys, what);
    }
    // Undo (or Redo) until it greys, each text an earlier (later) one of the model in order.
    void TakeAll(bool bUndo, const std::string& what)
    {
        std::size_t k = bUndo ? texts.size() - 1 : 0;
        for (int n = 1; View()->SendMessage(bUndo ? EM_CANUNDO : EM_CANREDO); ++n) {
            Key(bUndo ? 'Z' : 'Y', kCtrl);
            const std::string now = Text();
            std::size_t j = k;
            while (bUndo ? j > 0 && texts[--j] != now : ++j < texts.size() && texts[j] != now) {
            }
            ASSERT_TRUE(texts[j] == now)
                << what << (bUndo ? ", Undo " : ", Redo ") << n
                << ": a text the user never saw, after text " << k << ": " << Differ(now, texts[k]);
            ASSERT_NE(j, k) << what << ": nothing changed at " << n;
            k = j;
        }
        EXPECT_EQ(k, bUndo ? 0 : texts.size() - 1) << what << ": the history ends early";
    }
    // A key to the workspace, wherever the last action left the focus.
    void Key(UINT vk, UINT mods = 0)
    {
        Focus();
        Press(vk, mods);
    }
    std::vector<std::string> texts{""};
};

TEST_F(WorkspaceUndo, TypedLinesAReportAndWordsAboveAndBelowItComeOffOneByOne)
{
    for (const char* line : {"1+1", "2+2", "3+3"}) {
        Type(line, line);
        Keys("\r");
        Saw(texts.back() + " =\r" + char(line[0] * 2 - '0') + "\r", line);
    }
    Report(300);
    ASSERT_EQ(Text().compare(0, texts.back().size(), texts.back()), 0);
    Saw(Text(), "the report");
    Key(VK_HOME, kCtrl);
    for (int i = 0; i < 25; ++i) {
        Keys("abc ");
        Saw("abc " + texts.back(), "abc " + std::to_string(i));
    }
    Key(VK_END, kCtrl);
    for (int i = 0; i < 5; ++i)
        Type("xyz ", "xyz " + std::to_string(i));
    // One Undo for each word, answer and line, the report one of them.
    for (std::size_t k = texts.size() - 1; k > 0; --k) {
        Key('Z', kCtrl);
        const std::string now = Text();
        ASSERT_TRUE(now == texts[k - 1])
            << "Undo " << texts.size() - k << ": " << Differ(now, texts[k - 1]);
    }
    EXPECT_FALSE(View()->SendMessage(EM_CANUNDO));
    EXPECT_FALSE(Enabled(ID_WORKSPACE_UNDO)) << "Edit > Undo greys";
    for (int i = 0; i < 64; ++i)
        Key('Z', kCtrl);
    EXPECT_EQ(Text(), "") << "Undo past the history's start changes nothing";
    TakeAll(false, "Redo");
}

TEST_F(WorkspaceUndo, RandomActionsAroundLongChangesAreUndoneAndRedoneThroughTheirTexts)
{
    const unsigned seed = 57;
    std::mt19937 random(seed);
    const auto last = [this] { return texts.back(); };
    for (int step = 0; step < 120; ++step) {
        const std::string what =
            "seed " + std::to_string(seed) + ", action " + std::to_string(step);
        const unsigned action = step == 4 ? 0 : random() % 16;
        if (action == 0) { // a long report at the end
            Report(40 + int(random() % 40));
            ASSERT_EQ(Text().compare(0, last().size(), last()), 0) << what;
            Saw(Text(), what);
        } else if (action == 1 && step > 60) { // Select All + Delete, now and then
            Key('A', kCtrl);
            Key(VK_DELETE);
            Saw("", what);
        } else if (action <= 6) { // a line and its answer, on a line of its own
            Key(VK_END, kCtrl);
            if (!last().empty() && last().back() != '\r') {
                Keys("\n");
                Saw(last() + "\r", what);
            }
            const int a = int(random() % 90), b = int(random() % 90);
            Type(std::to_string(a) + "+" + std::to_string(b), what);
            Keys("\r");
            Saw(last() + " =\r" + std::to_string(a + b) + "\r", what);
        } else if (action <= 8) { // a word above everything, and one below
            Key(VK_HOME, kCtrl);
            Keys("abc ");
            Saw("abc " + last(), what);
            Key(VK_END, kCtrl);
            Type("xyz ", what);
        } else if (action <= 10) { // a paste at the top
            ASSERT_TRUE(::OpenClipboard(View()->m_hWnd));
            ::EmptyClipboard();
            const std::string pasted = "k" + std::to_string(step) + "\r\n";
            HGLOBAL hText = ::GlobalAlloc(GMEM_MOVEABLE, pasted.size() + 1);
            std::memcpy(::GlobalLock(hText), pasted.c_str(), pasted.size() + 1);
            ::GlobalUnlock(hText);
            ::SetClipboardData(CF_TEXT, hText);
            ::CloseClipboard();
            Key(VK_HOME, kCtrl);
            Key('V', kCtrl);
            Saw("k" + std::to_string(step) + "\r" + last(), what);
        } else if (action <= 12) { // Cut of the first line's characters
            const std::size_t n = last().find('\r');
            if (n == 0 || n == std::string::npos)
                continue;
            View()->SendMessage(EM_SETSEL, 0, LPARAM(n));
            Key('X', kCtrl);
            Saw(last().substr(n), what);
        } else if (!last().empty()) { // Backspace at the end, once or twice
            Key(VK_END, kCtrl);
            for (unsigned i = 1 + random() % 2; i > 0 && !last().empty(); --i) {
                Key(VK_BACK);
                Saw(last().substr(0, last().size() - 1), what);
            }
        }
    }
    TakeAll(true, "seed 57, Undo");
    TakeAll(false, "seed 57, Redo");
}

} // namespace
