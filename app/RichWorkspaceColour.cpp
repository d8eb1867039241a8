// The workspace's colouring of the caret line and its name tips. Only the caret line is read
// and only one span is coloured, so that this can run after every typed character.
#include "app/MyDocument.h"
#include "app/RichWorkspace.h"
#include "app/WorkspaceSettings.h"
#include "app/WorkspaceWords.h"
#include "engine/CalcEngine.h"
#include "framework/win/CDC.h"

void CRichWorkspace::Recolour()
{
    const CHARRANGE sel = GetSelection();
    // A character typed right after the last one of the same TypeText call is on its line.
    const BOOL bFollows = m_nTyping > 0 && m_Typed.bValid && sel.cpMin == m_Typed.nCaret + 1 &&
                          sel.cpMax == sel.cpMin;
    const int nLine = bFollows ? m_Typed.nLine : LineFromChar(sel.cpMin);
    const LONG nLineStart = bFollows ? m_Typed.nLineStart : LineStart(nLine);
    const LONG nPlainBefore = m_Typed.nPlainWordStart;
    m_Typed = {m_nTyping > 0, sel.cpMin, nLine, nLineStart, -1};
    const CString line = ReadLine(nLine, kMaxWorkspaceLine);
    // Only a line that filled the reading is longer than what was read.
    const int nLength =
        line.GetLength() < kMaxWorkspaceLine ? line.GetLength() : LineLength(nLineStart);
    const int position = int(sel.cpMin - nLineStart) - 1;

    if (line.IsEmpty() || ParenthesisBalance(line) == 0)
        m_TipWnd.Hide();
    if (IsCommentLine(line)) {
        ColourSpan(nLineStart, nLineStart + nLength, m_Settings.CommentColor, sel.cpMin);
        return;
    }
    const WorkspaceWord word = GetWordAt(line, position);
    const int kind = ClassifyWord(word.text);
    const LONG nWordStart = nLineStart + word.nStart + 1;
    if (word.text.IsEmpty() || kind == NameUnknown) {
        // A plain word that only grew by the character typed with the default colour keeps it.
        const BOOL bPlainAlready = bFollows && nWordStart == nPlainBefore;
        m_Typed.nPlainWordStart = nWordStart;
        if (!bPlainAlready)
            ColourSpan(nWordStart, nLineStart + word.nEnd, m_Settings.DefaultColor, sel.cpMin);
        return;
    }
    ColourSpan(nWordStart, nLineStart + word.nEnd, WorkspaceColourOfKind(m_Settings, kind),
               sel.cpMin);
}

void CRichWorkspace::ColourSpan(LONG nStart, LONG nEnd, COLORREF colour, LONG nCaret)
{
    // Text the view formats again takes the workspace's font with its colour.
    CHARFORMAT2A cf = m_typingFont;
    cf.dwMask |= CFM_COLOR;
    cf.crTextColor = colour;
    const CHARRANGE sel = GetSelection();
    const BOOL bMoves = nEnd > nStart || sel.cpMin != nCaret || sel.cpMax != nCaret;
    if (bMoves)
        SendMessage(EM_HIDESELECTION, TRUE);
    if (nEnd > nStart) {
        SetSelection(nStart, nEnd);
        SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, LPARAM(&cf));
    }
    if (bMoves)
        SetSelection(nCaret, nCaret);
    TypeOnInDefaultColour();
    if (bMoves)
        SendMessage(EM_HIDESELECTION, FALSE);
}

void CRichWorkspace::TypeOnInDefaultColour()
{
    CHARFORMAT2A cf = m_typingFont;
    cf.dwMask |= CFM_COLOR;
    cf.crTextColor = m_Settings.DefaultColor;
    SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, LPARAM(&cf));
}

int CRichWorkspace::ClassifyWord(const CString& word)
{
    CMyDocument* pDoc = GetMyDocument();
    if (word.IsEmpty() || !pDoc)
        return NameUnknown;
    CString text;
    int argumentCount = 0;
    const int kind = pDoc->DescribeName(word, text, argumentCount);
    const TipDecision tip =
        DecideTip(kind, text, argumentCount, m_Settings.PopupOptions, m_Settings.PopupFunction);
    if (tip.action == TipDecision::Show)
        ShowTip(tip.text, nullptr, FALSE);
    else if (tip.action == TipDecision::Hide)
        m_TipWnd.Hide();
    return kind;
}

void CRichWorkspace::ShowTip(const CString& text, const POINT* pPoint, BOOL bHideOnClick)
{
    POINT point{0, 0};
    if (pPoint) {
        point = *pPoint;
    } else {
        POINTL caret{0, 0};
        SendMessage(EM_POSFROMCHAR, WPARAM(&caret), GetSelection().cpMin);
        point = {int(caret.x), int(caret.y)};
        ClientToScreen(&point);
    }
    // Below the line: the height of the workspace's text, less the tip's frame and margin.
    CClientDC dc(this);
    CFont font;
    font.CreateFont(m_Settings.FontSize, 0, 0, 0, FW_NORMAL, FALSE, FALSE, FALSE, DEFAULT_CHARSET,
                    OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY, DEFAULT_PITCH,
                    m_Settings.FontFaceName);
    CFont* pOld = dc.SelectObject(&font);
    TEXTMETRICA tm{};
    dc.GetTextMetrics(&tm);
    dc.SelectObject(pOld);
    const int nLineTop = point.y;
    point.y += tm.tmHeight - 2;
    m_TipWnd.Show(text, point, nLineTop, bHideOnClick);
}
