#include "framework/core/TextUndoHistory.h"

#include <algorithm>
#include <utility>

std::uint64_t TextHash(const void* pData, std::size_t nBytes)
{
    // FNV-1a: quick over megabytes, and a chance of 2^-64 that two texts meet.
    std::uint64_t h = 14695981039346656037ull;
    const auto* p = static_cast<const unsigned char*>(pData);
    for (std::size_t i = 0; i < nBytes; ++i)
        h = (h ^ p[i]) * 1099511628211ull;
    return h;
}

unsigned long TextUndoHistory::Add(TextStep step)
{
    for (const TextStep& gone : m_redo)
        m_nBytes -= BytesOf(gone);
    m_redo.clear();
    step.nId = ++m_nLastId;
    m_nBytes += BytesOf(step);
    m_undo.push_back(std::move(step));
    m_bOpen = true;
    KeepWithinBudget();
    return m_nLastId;
}

TextStep* TextUndoHistory::Open() { return m_bOpen && !m_undo.empty() ? &m_undo.back() : nullptr; }

void TextUndoHistory::Seal(std::uint64_t nHash)
{
    if (TextStep* pStep = Open())
        pStep->nHash = nHash;
    m_bOpen = false;
}

TextStep* TextUndoHistory::NextUndo() { return m_undo.empty() ? nullptr : &m_undo.back(); }
TextStep* TextUndoHistory::NextRedo() { return m_redo.empty() ? nullptr : &m_redo.back(); }

void TextUndoHistory::Swapped(TextStep& step, std::string rtfTaken, long nLength)
{
    m_nBytes -= BytesOf(step);
    step.rtfOther = std::move(rtfTaken);
    step.nOtherLength = step.nLength;
    step.nLength = nLength;
    std::swap(step.nHash, step.nHashOther);
    std::swap(step.nSelStart, step.nOtherSelStart);
    std::swap(step.nSelEnd, step.nOtherSelEnd);
    m_nBytes += BytesOf(step);
}

void TextUndoHistory::Undone(std::string rtfTaken, long nLength)
{
    Move(m_undo, m_redo, std::move(rtfTaken), nLength);
}

void TextUndoHistory::Redone(std::string rtfTaken, long nLength)
{
    Move(m_redo, m_undo, std::move(rtfTaken), nLength);
}

void TextUndoHistory::Move(std::deque<TextStep>& from, std::deque<TextStep>& to,
                           std::string rtfTaken, long nLength)
{
    m_bOpen = false;
    Swapped(from.back(), std::move(rtfTaken), nLength);
    to.push_back(std::move(from.back()));
    from.pop_back();
    KeepWithinBudget();
}

void TextUndoHistory::KeepWithinBudget()
{
    // The steps farthest from the text as it is go first; the nearest one always stays.
    while (m_nBytes > m_nMaxBytes && m_undo.size() + m_redo.size() > 1) {
        if (!m_undo.empty() && (m_undo.size() > 1 || m_redo.empty())) {
            m_nBytes -= BytesOf(m_undo.front());
            m_undo.pop_front();
            m_bOpen = m_bOpen && !m_undo.empty();
        } else {
            m_nBytes -= BytesOf(m_redo.front());
            m_redo.pop_front();
        }
    }
}

bool TextUndoHistory::Holds(unsigned long nId) const
{
    const auto named = [nId](const TextStep& step) { return step.nId == nId; };
    return nId != 0 && (std::any_of(m_undo.begin(), m_undo.end(), named) ||
                        std::any_of(m_redo.begin(), m_redo.end(), named));
}

void TextUndoHistory::Clear()
{
    m_undo.clear();
    m_redo.clear();
    m_nBytes = 0;
    m_bOpen = false;
}
