#pragma once
// The changes a rich-text view makes to its text itself, beside the steps its control keeps for
// Undo: a change too long for the control to take back in good time is kept here instead.
#include <cstddef>
#include <string>
#include <vector>

// A change as the text holds it now: the characters [nStart, nStart + nLength) are what it put
// there, rtfOther the rich text they replaced. Undoing it and doing it again are the same swap.
// The history names each change it is given (nId) for what the view keeps beside it.
struct TextSwap {
    long nStart = 0;
    long nLength = 0;
    std::string rtfOther;
    unsigned long nId = 0;
};

// The view's changes among the control's own steps. A change leaves the control without steps,
// so the control's steps are all later than the view's: Undo takes a change back once the
// control has nothing left to undo, and an edit of the control after a change was taken back
// ends that change's Redo.
class TextSwapHistory {
public:
    // A change just made, and the name it is given. Had the control steps before it, those are
    // gone, and the changes before them can no longer be reached.
    unsigned long Made(TextSwap swap, bool bControlHadSteps);
    // Whether Undo or Redo can still reach the change named nId.
    bool Holds(unsigned long nId) const;
    // The change Undo takes back next, or null when the control's own step comes first.
    TextSwap* NextUndo(bool bControlCanUndo);
    // The change Redo makes again next, or null when the control's own step comes first or the
    // control was edited since the change was taken back.
    TextSwap* NextRedo(bool bControlCanUndo, bool bControlCanRedo);
    // The change NextUndo or NextRedo gave has been swapped: it moves to the other list.
    void Undone();
    void Redone();
    void Clear();

    // The most changes kept: each holds a rich text as long as a workspace.
    static constexpr std::size_t kMaxChanges = 16;

private:
    std::vector<TextSwap> m_undo;
    std::vector<TextSwap> m_redo;
    unsigned long m_nLastId = 0;
};
