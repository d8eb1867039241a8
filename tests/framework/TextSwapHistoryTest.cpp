// The order of a view's own changes among its control's Undo steps.
#include "framework/core/TextSwapHistory.h"

#include <gtest/gtest.h>

#include <cctype>
#include <string>

namespace {

// Plays a script on a history and reads which change Undo and Redo would take next: "a".."z"
// make a change of that name (uppercase: the control had steps of its own), "u" and "r" undo
// and redo the view's next change, "c" is an edit of the control, "z" the control's Undo of
// its last edit. The result is "<undo> <redo>", "-" where the control's step comes first.
std::string Play(const std::string& script)
{
    TextSwapHistory history;
    int nControlSteps = 0, nControlRedo = 0;
    for (char op : script) {
        if (op == 'u' || op == 'r') {
            TextSwap* pSwap = op == 'u' ? history.NextUndo(nControlSteps > 0)
                                        : history.NextRedo(nControlSteps > 0, nControlRedo > 0);
            if (!pSwap)
                return "refused at " + std::string(1, op);
            op == 'u' ? history.Undone() : history.Redone();
            nControlSteps = nControlRedo = 0; // a swap leaves the control without steps
        } else if (op == 'c') {
            ++nControlSteps;
            nControlRedo = 0;
        } else if (op == 'z') {
            --nControlSteps;
            ++nControlRedo;
        } else {
            // A change named by its letter, kept as the text it replaced.
            history.Made(TextSwap{0, 0, std::string(1, char(std::tolower(op)))},
                         std::isupper(op) != 0);
            nControlSteps = nControlRedo = 0;
        }
    }
    const TextSwap* pUndo = history.NextUndo(nControlSteps > 0);
    const TextSwap* pRedo = history.NextRedo(nControlSteps > 0, nControlRedo > 0);
    return (pUndo ? pUndo->rtfOther : "-") + " " + (pRedo ? pRedo->rtfOther : "-");
}

TEST(TextSwapHistory, UndoAndRedoTakeTheViewsChangesInTurnWithTheControlsSteps)
{
    const struct {
        const char* script;
        const char* next;
    } cases[] = {
        {"", "- -"},      {"ab", "b -"},     {"abu", "a b"}, {"abuu", "- a"},
        {"abuur", "a b"}, {"abuurr", "b -"}, {"abc", "- -"}, // the control's edit is undone first
        {"abcz", "b -"},                                     // ... and then the change under it
        {"abczu", "a b"}, // its Redo is gone with the control the change replaced
        {"abuc", "- -"},  // an edit after Undo ends the change's Redo
        {"abucz", "a -"}, // the edit's own Redo comes first
        {"acB", "b -"},   // the control's steps went with B, and the change before them
        {"acBu", "- b"},  {"abuC", "c -"},
    };
    for (const auto& c : cases)
        EXPECT_EQ(Play(c.script), c.next) << c.script;
}

TEST(TextSwapHistory, NamesEachChangeWhileUndoOrRedoCanReachIt)
{
    TextSwapHistory history;
    const unsigned long a = history.Made(TextSwap{}, false), b = history.Made(TextSwap{}, false);
    EXPECT_NE(a, b);
    history.Undone();
    EXPECT_TRUE(history.Holds(a) && history.Holds(b)) << "b waits for its Redo";
    history.NextRedo(true, false); // an edit of the control ends b's Redo
    EXPECT_FALSE(history.Holds(b));
    const unsigned long c = history.Made(TextSwap{}, true);
    EXPECT_FALSE(history.Holds(a)) << "gone with the control's steps";
    history.Clear();
    EXPECT_FALSE(history.Holds(c));
    EXPECT_FALSE(history.Holds(0)) << "no change";
}

TEST(TextSwapHistory, KeepsItsLatestChanges)
{
    TextSwapHistory history;
    for (std::size_t i = 0; i < TextSwapHistory::kMaxChanges + 3; ++i)
        history.Made(TextSwap{long(i), 0, {}}, false);
    std::size_t n = 0;
    for (; history.NextUndo(false); ++n) {
        EXPECT_EQ(history.NextUndo(false)->nStart, long(TextSwapHistory::kMaxChanges + 2 - n));
        history.Undone();
    }
    EXPECT_EQ(n, TextSwapHistory::kMaxChanges);
    history.Clear();
    EXPECT_EQ(history.NextRedo(false, false), nullptr);
}

} // namespace
