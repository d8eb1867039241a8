// The order and reach of a text's Undo history, played on a plain string: each step swaps a
// stretch of the text with what it held, as the rich-edit view swaps rich text.
#include "framework/core/TextUndoHistory.h"

#include <gtest/gtest.h>

#include <random>
#include <string>
#include <vector>

namespace {

std::uint64_t Hash(const std::string& text) { return TextHash(text.data(), text.size()); }

// A text that records its edits in a history as the view does, and undoes them.
struct EditedText {
    explicit EditedText(std::size_t nBudget) : history(nBudget) {}
    void Replace(long nStart, long nEnd, const std::string& with)
    {
        TextStep step{nStart, long(with.size()), text.substr(nStart, nEnd - nStart), nEnd - nStart};
        step.nHashOther = Hash(text);
        history.Seal(Hash(text));
        text.replace(std::size_t(nStart), std::size_t(nEnd - nStart), with);
        history.Add(std::move(step));
    }
    // Undo or Redo where the text is as the step left it; false when there is none.
    bool Take(bool bUndo)
    {
        history.Seal(Hash(text));
        TextStep* pStep = bUndo ? history.NextUndo() : history.NextRedo();
        if (!pStep)
            return false;
        EXPECT_EQ(pStep->nHash, Hash(text));
        std::string taken = text.substr(pStep->nStart, pStep->nLength);
        text.replace(std::size_t(pStep->nStart), std::size_t(pStep->nLength), pStep->rtfOther);
        const long nLength = long(pStep->rtfOther.size());
        EXPECT_EQ(pStep->nOtherLength, nLength);
        EXPECT_EQ(pStep->nHashOther, Hash(text));
        bUndo ? history.Undone(std::move(taken), nLength)
              : history.Redone(std::move(taken), nLength);
        return true;
    }
    std::string text;
    TextUndoHistory history;
};

TEST(TextUndoHistory, UndoGivesBackEveryEarlierTextInOrderAsFarAsTheBudgetReachesAndRedoAllAgain)
{
    for (const std::size_t nBudget : {std::size_t(1) << 30, std::size_t(4000)}) {
        for (unsigned seed = 1; seed <= 20; ++seed) {
            std::mt19937 random(seed);
            EditedText edited(nBudget);
            std::vector<std::string> texts{""}; // the text after each edit, the truth
            for (int i = 0; i < 60; ++i) {
                const long n = long(edited.text.size());
                const long nStart = long(random() % std::size_t(n + 1));
                const long nEnd = nStart + long(random() % std::size_t(n - nStart + 1));
                std::string with(random() % 40, char('a' + i % 26));
                if (random() % 4 == 0)
                    with.clear();
                if (nEnd == nStart && with.empty())
                    continue;
                edited.Replace(nStart, nEnd, with);
                texts.push_back(edited.text);
                if (i == 30) { // an Undo, then an edit: what Redo had is gone
                    ASSERT_TRUE(edited.Take(true));
                    texts.pop_back();
                }
                EXPECT_LE(edited.history.Bytes(), nBudget) << "seed " << seed;
            }
            std::size_t k = texts.size() - 1, nUndone = 0;
            while (edited.Take(true)) {
                ++nUndone;
                ASSERT_EQ(edited.text, texts[--k]) << "seed " << seed << ", Undo " << nUndone;
            }
            if (nBudget > (std::size_t(1) << 20))
                EXPECT_EQ(k, 0u) << "seed " << seed << ": every edit is undone";
            else
                EXPECT_GT(k, 0u) << "seed " << seed << ": the oldest edits are out of reach";
            while (edited.Take(false))
                ASSERT_EQ(edited.text, texts[++k]) << "seed " << seed;
            EXPECT_EQ(k, texts.size() - 1) << "seed " << seed << ": Redo all the way";
        }
    }
}

TEST(TextUndoHistory, AStepIsKnownByItsNameWhileUndoOrRedoCanReachIt)
{
    EditedText edited(1 << 20);
    edited.Replace(0, 0, "a");
    const unsigned long a = edited.history.NextUndo()->nId;
    edited.Replace(1, 1, "b");
    const unsigned long b = edited.history.NextUndo()->nId;
    edited.Take(true);
    EXPECT_TRUE(edited.history.Holds(a) && edited.history.Holds(b)) << "b waits for its Redo";
    edited.Replace(0, 0, "c");
    EXPECT_FALSE(edited.history.Holds(b)) << "an edit after Undo ends b's Redo";
    edited.history.Clear();
    EXPECT_FALSE(edited.history.Holds(a));
    EXPECT_EQ(edited.history.Bytes(), 0u);
}

} // namespace
