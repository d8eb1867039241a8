#include "framework/core/TextSwapHistory.h"

#include <algorithm>
#include <utility>

unsigned long TextSwapHistory::Made(TextSwap swap, bool bControlHadSteps)
{
    if (bControlHadSteps)
        m_undo.clear();
    m_redo.clear();
    if (m_undo.size() == kMaxChanges)
        m_undo.erase(m_undo.begin());
    swap.nId = ++m_nLastId;
    m_undo.push_back(std::move(swap));
    return m_nLastId;
}

bool TextSwapHistory::Holds(unsigned long nId) const
{
    const auto named = [nId](const TextSwap& swap) { return swap.nId == nId; };
    return nId != 0 && (std::any_of(m_undo.begin(), m_undo.end(), named) ||
                        std::any_of(m_redo.begin(), m_redo.end(), named));
}

TextSwap* TextSwapHistory::NextUndo(bool bControlCanUndo)
{
    return bControlCanUndo || m_undo.empty() ? nullptr : &m_undo.back();
}

TextSwap* TextSwapHistory::NextRedo(bool bControlCanUndo, bool bControlCanRedo)
{
    if (bControlCanUndo)
        m_redo.clear();
    return bControlCanRedo || m_redo.empty() ? nullptr : &m_redo.back();
}

void TextSwapHistory::Undone()
{
    m_redo.push_back(std::move(m_undo.back()));
    m_undo.pop_back();
}

void TextSwapHistory::Redone()
{
    m_undo.push_back(std::move(m_redo.back()));
    m_redo.pop_back();
}

void TextSwapHistory::Clear()
{
    m_undo.clear();
    m_redo.clear();
}
