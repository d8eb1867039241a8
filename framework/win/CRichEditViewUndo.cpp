// The one Undo history of a rich-edit view's text. The control keeps no steps of its own (its
// limit of 100 would cut the history in the middle): every edit runs through RecordEdit, which
// keeps the rich text of the lines it may touch before it, and the step swaps those lines back.
// Steps are as long as a user expects: typed characters up to the end of a word (its blanks
// included) join into one, as do deletions in a row, while the caret stays where the last one
// left it; a group (an Enter and its answer) is one step. A step is undone or redone only where
// the whole text is exactly as it left it, known by its hash; otherwise the history ends.
#include "framework/win/CRichEditDoc.h"
#include "framework/win/CRichEditView.h"

#include <vector>

namespace {

bool IsBlank(UINT nChar) { return nChar == ' ' || nChar == '\t'; }

bool Within(const CHARRANGE& inner, long nStart, long nEnd)
{
    return inner.cpMin >= nStart && inner.cpMax <= nEnd;
}

} // namespace

CHARRANGE CRichEditView::Selection() const
{
    CHARRANGE sel{0, 0};
    SendMessage(EM_EXGETSEL, 0, LPARAM(&sel));
    return sel;
}

std::uint64_t CRichEditView::HashOfText() const
{
    const long nLength = TextLength();
    std::vector<wchar_t> text(std::size_t(nLength) + 1, 0);
    GETTEXTEX how{DWORD(text.size() * sizeof(wchar_t)), GT_DEFAULT, 1200, nullptr, nullptr};
    const LRESULT n = SendMessage(EM_GETTEXTEX, WPARAM(&how), LPARAM(text.data()));
    return TextHash(text.data(), std::size_t(n > 0 ? n : 0) * sizeof(wchar_t));
}

CHARRANGE CRichEditView::EditWindow(const CHARRANGE& sel) const
{
    const long nLength = TextLength();
    const int nFirst = LineOfChar(std::min(sel.cpMin, nLength));
    const int nLast = LineOfChar(std::min(sel.cpMax, nLength));
    const long nStart = nFirst > 0 ? long(SendMessage(EM_LINEINDEX, nFirst - 1)) : 0;
    const long nAfter = long(SendMessage(EM_LINEINDEX, nLast + 2));
    return {std::max(nStart, 0L), nAfter < 0 || nAfter > nLength ? nLength : nAfter};
}

BOOL CRichEditView::JoinsOpenStep(EditKind kind, UINT nChar, const CHARRANGE& sel,
                                  const CHARRANGE& window)
{
    const TextStep* pOpen = m_history.Open();
    if (!pOpen || m_nLengthAfter != TextLength() ||
        !Within(window, pOpen->nStart, pOpen->nStart + pOpen->nLength))
        return FALSE;
    if (m_nGroup > 0)
        return pOpen->nId == m_nGroupStep;
    if (kind != m_openKind || kind == EditKind::Other || sel.cpMin != sel.cpMax ||
        sel.cpMin != m_nCaretAfter)
        return FALSE;
    // A word typed after blanks starts a step of its own.
    return kind != EditKind::Typing || !IsBlank(m_nLastChar) || IsBlank(nChar);
}

LRESULT CRichEditView::RecordEdit(EditKind kind, UINT nChar, const std::function<LRESULT()>& edit)
{
    if (m_nRecording > 0)
        return edit();
    ++m_nRecording;
    const CHARRANGE sel = Selection();
    const long nBefore = TextLength();
    const CHARRANGE window = EditWindow(sel);
    const BOOL bJoins = JoinsOpenStep(kind, nChar, sel, window);
    TextStep step;
    if (!bJoins) {
        step.nHashOther = HashOfText();
        SealOpenStep(step.nHashOther);
        step.nStart = window.cpMin;
        step.rtfOther = RtfOfRange(window.cpMin, window.cpMax);
        step.nOtherLength = window.cpMax - window.cpMin;
        step.nOtherSelStart = sel.cpMin;
        step.nOtherSelEnd = sel.cpMax;
    }
    const LRESULT result = edit();
    const long nAfter = TextLength();
    const CHARRANGE selAfter = Selection();
    TextStep* pStep = m_history.Open();
    if (bJoins) {
        pStep->nLength += nAfter - nBefore;
        if (m_kept.nStepId == pStep->nId)
            DropKeptControl(); // its text no longer is the step's other side
    } else {
        step.nLength = window.cpMax - window.cpMin + nAfter - nBefore;
        // An edit that changed nothing, such as Delete at the text's end, is no step.
        if (nAfter != nBefore ||
            RtfOfRange(step.nStart, step.nStart + step.nLength) != step.rtfOther) {
            const unsigned long nId = m_history.Add(std::move(step));
            pStep = m_history.Open();
            if (m_nGroup > 0)
                m_nGroupStep = nId;
            if (m_hPutAway)
                KeepControl(m_hPutAway, nId);
            m_hPutAway = nullptr;
        } else {
            pStep = nullptr;
        }
    }
    if (m_hPutAway)
        ::DestroyWindow(m_hPutAway);
    m_hPutAway = nullptr;
    if (pStep) {
        pStep->nSelStart = selAfter.cpMin;
        pStep->nSelEnd = selAfter.cpMax;
        m_openKind = kind;
        m_nLastChar = nChar;
        m_nCaretAfter = selAfter.cpMin == selAfter.cpMax ? selAfter.cpMin : -1;
        m_nLengthAfter = nAfter;
    }
    --m_nRecording;
    return result;
}

BOOL CRichEditView::SealOpenStep(std::uint64_t nHash)
{
    if (!m_history.Open())
        return TRUE;
    // The text changed behind the steps' back: where it changed is unknown.
    if (m_nLengthAfter != TextLength()) {
        ForgetChanges();
        return FALSE;
    }
    m_history.Seal(nHash);
    return TRUE;
}

void CRichEditView::BeginUndoGroup()
{
    if (m_nGroup++ == 0)
        m_nGroupStep = 0;
}

void CRichEditView::EndUndoGroup()
{
    if (--m_nGroup == 0) {
        m_nGroupStep = 0;
        m_openKind = EditKind::Other; // nothing typed after joins the group's step
    }
}

BOOL CRichEditView::TakeStep(BOOL bUndo)
{
    const std::uint64_t nHash = HashOfText();
    if (!SealOpenStep(nHash))
        return FALSE;
    TextStep* pStep = bUndo ? m_history.NextUndo() : m_history.NextRedo();
    if (!pStep)
        return FALSE;
    if (nHash != pStep->nHash) {
        ForgetChanges();
        return FALSE;
    }
    long nLength = 0;
    std::string taken = Swap(*pStep, nLength);
    const std::uint64_t nExpected = pStep->nHashOther;
    const CHARRANGE sel{pStep->nOtherSelStart, pStep->nOtherSelEnd};
    if (bUndo)
        m_history.Undone(std::move(taken), nLength);
    else
        m_history.Redone(std::move(taken), nLength);
    m_openKind = EditKind::Other;
    SendMessage(EM_EXSETSEL, 0, LPARAM(&sel));
    SendMessage(EM_SCROLLCARET);
    // A swap that did not give back the text exactly is the history's end.
    if (HashOfText() != nExpected)
        ForgetChanges();
    return TRUE;
}

void CRichEditView::ForgetChanges()
{
    m_history.Clear();
    m_openKind = EditKind::Other;
    DropKeptControl();
}

// --- the messages that reach the text's steps -------------------------------------------------

LRESULT CRichEditView::OnUndoMessage(WPARAM, LPARAM) { return TakeStep(TRUE); }
LRESULT CRichEditView::OnRedoMessage(WPARAM, LPARAM) { return TakeStep(FALSE); }
LRESULT CRichEditView::OnCanUndoMessage(WPARAM, LPARAM) { return m_history.NextUndo() != nullptr; }
LRESULT CRichEditView::OnCanRedoMessage(WPARAM, LPARAM) { return m_history.NextRedo() != nullptr; }

LRESULT CRichEditView::OnEmptyUndoMessage(WPARAM wParam, LPARAM lParam)
{
    ForgetChanges();
    return DefWindowProc(EM_EMPTYUNDOBUFFER, wParam, lParam);
}

LRESULT CRichEditView::OnSetTextMessage(WPARAM wParam, LPARAM lParam)
{
    ForgetChanges();
    if (SendMessage(EM_GETLINECOUNT) > kLongChangeLines)
        if (const HWND hOld = ReplaceControl([] {}))
            ::DestroyWindow(hOld);
    return DefWindowProc(WM_SETTEXT, wParam, lParam);
}

LRESULT CRichEditView::OnReplaceSelMessage(WPARAM wParam, LPARAM lParam)
{
    return RecordEdit(EditKind::Other, 0, [&] {
        TakeLongSelection();
        return DefWindowProc(EM_REPLACESEL, wParam, lParam);
    });
}

LRESULT CRichEditView::OnCutMessage(WPARAM wParam, LPARAM lParam)
{
    return RecordEdit(EditKind::Other, 0, [&] {
        const CHARRANGE sel = Selection();
        if (sel.cpMax > sel.cpMin &&
            LineOfChar(sel.cpMax) - LineOfChar(sel.cpMin) > kLongChangeLines) {
            DefWindowProc(WM_COPY, 0, 0);
            TakeLongSelection();
            return LRESULT(0);
        }
        return DefWindowProc(WM_CUT, wParam, lParam);
    });
}

LRESULT CRichEditView::OnClearMessage(WPARAM wParam, LPARAM lParam)
{
    return RecordEdit(EditKind::Other, 0, [&] {
        return TakeLongSelection() ? 0 : DefWindowProc(WM_CLEAR, wParam, lParam);
    });
}

LRESULT CRichEditView::OnPaste(WPARAM wParam, LPARAM lParam)
{
    return RecordEdit(EditKind::Other, 0, [&] {
        TakeLongSelection();
        return DefWindowProc(WM_PASTE, wParam, lParam);
    });
}

void CRichEditView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    m_bBackspaceTaken = FALSE;
    const BOOL bControl = ::GetKeyState(VK_CONTROL) < 0, bShift = ::GetKeyState(VK_SHIFT) < 0;
    // The control's own keys for Undo, Redo, Cut and Paste would pass the history by.
    if (bControl && (nChar == 'Z' || nChar == 'Y' || nChar == 'X' || nChar == 'V')) {
        SendMessage(nChar == 'Z'   ? EM_UNDO
                    : nChar == 'Y' ? EM_REDO
                    : nChar == 'X' ? WM_CUT
                                   : WM_PASTE);
        return;
    }
    if (bShift && !bControl && (nChar == VK_INSERT || nChar == VK_DELETE)) {
        SendMessage(nChar == VK_INSERT ? WM_PASTE : WM_CUT);
        return;
    }
    if (nChar != VK_DELETE && nChar != VK_BACK && nChar != VK_RETURN) {
        DefWindowProc(WM_KEYDOWN, nChar, MAKELPARAM(nRepCnt, nFlags));
        return;
    }
    RecordEdit(nChar == VK_RETURN ? EditKind::Other : EditKind::Deleting, 0, [&] {
        if (nChar != VK_RETURN && TakeLongSelection()) {
            m_bBackspaceTaken = nChar == VK_BACK;
            return LRESULT(0);
        }
        return DefWindowProc(WM_KEYDOWN, nChar, MAKELPARAM(nRepCnt, nFlags));
    });
}

void CRichEditView::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == '\b' && m_bBackspaceTaken) {
        m_bBackspaceTaken = FALSE;
        return;
    }
    const BOOL bDeletes = nChar == '\b' || nChar == 0x7F;
    RecordEdit(bDeletes ? EditKind::Deleting : EditKind::Typing, nChar, [&] {
        // A character typed over a long selection takes its place: the selection goes first.
        const BOOL bChangesText = nChar >= 0x20 || nChar == '\t' || nChar == '\b';
        if (bChangesText && TakeLongSelection() && nChar == '\b')
            return LRESULT(0);
        return DefWindowProc(WM_CHAR, nChar, MAKELPARAM(nRepCnt, nFlags));
    });
}
