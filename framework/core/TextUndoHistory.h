#pragma once
// The steps of a text that Undo takes back and Redo makes again, last first, as far back as a
// budget of bytes reaches.
#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>

// A step as the text shows it now: the characters [nStart, nStart + nLength) are this side of
// it, rtfOther the rich text of its other side. Undoing it and doing it again are the same swap,
// after which the sides change places. Each side is known by the hash of the whole text showing
// it (0 while the step is open and edits still join it) and by the selection it had.
struct TextStep {
    long nStart = 0;
    long nLength = 0;
    std::string rtfOther;
    long nOtherLength = 0; // the characters of the other side
    std::uint64_t nHash = 0, nHashOther = 0;
    long nSelStart = 0, nSelEnd = 0;
    long nOtherSelStart = 0, nOtherSelEnd = 0;
    unsigned long nId = 0;
};

// Hash of a whole text (its bytes as the view reads them), by which a side is known.
std::uint64_t TextHash(const void* pData, std::size_t nBytes);

class TextUndoHistory {
public:
    explicit TextUndoHistory(std::size_t nMaxBytes = kMaxBytes) : m_nMaxBytes(nMaxBytes) {}

    // A step just made, open to the edits that join it; the steps Redo could make again are
    // gone, and the oldest go while the steps hold more than the budget. Returns its name.
    unsigned long Add(TextStep step);
    // The latest step while edits may still join it, or null.
    TextStep* Open();
    // No edit joins the latest step any more: the text showing it hashes to nHash.
    void Seal(std::uint64_t nHash);
    // The step Undo takes back next, and the one Redo makes again next, or null.
    TextStep* NextUndo();
    TextStep* NextRedo();
    // The step NextUndo (NextRedo) gave has been swapped: rtfTaken is the rich text of the side
    // taken away, nLength the characters of the side put in its place.
    void Undone(std::string rtfTaken, long nLength);
    void Redone(std::string rtfTaken, long nLength);
    // Whether Undo or Redo can still reach the step named nId.
    bool Holds(unsigned long nId) const;
    void Clear();
    std::size_t Bytes() const { return m_nBytes; }

    // A workspace of 50,000 lines is a few megabytes of rich text.
    static constexpr std::size_t kMaxBytes = std::size_t(64) << 20;

private:
    static std::size_t BytesOf(const TextStep& step) { return sizeof step + step.rtfOther.size(); }
    void Swapped(TextStep& step, std::string rtfTaken, long nLength);
    // The step last in from, swapped, goes last into to.
    void Move(std::deque<TextStep>& from, std::deque<TextStep>& to, std::string rtfTaken,
              long nLength);
    void KeepWithinBudget();

    std::deque<TextStep> m_undo;
    std::deque<TextStep> m_redo; // the next Redo last
    std::size_t m_nMaxBytes;
    std::size_t m_nBytes = 0;
    unsigned long m_nLastId = 0;
    bool m_bOpen = false;
};
