// The workspace's colouring of the caret line and its name tips. Only the caret line is read
// and only one span is coloured, so that this can run after every typed character.
#include "app/MyDocument.h"
#include "app/RichWorkspace.h"
#include "app/WorkspaceWords.h"
#include "engine/CalcEngine.h"
#include "framework/win/CDC.h"

void CRichWorkspace::Recolour()
{
    const CHARRANGE sel = GetSelection();
    const int nLine = LineFromChar(sel.cpMin);
    const LONG nLineStart = LineStart(nLine);
    const int nLength = LineLength(nLineStart);
    const CString line = ReadLine(nLine, kMaxWorkspaceLine);
    const int position = int(sel.cpMin - nLineStart) - 1;

    if (line.IsEmpty() || ParenthesisBalance(line) == 0)
        m_TipWnd.Hide();
    if (IsCommentLine(line)) {
        ColourSpan(nLineStart, nLineStart + nLength, m_Settings.CommentColor, sel.cpMin);
        return;
    }
    const WorkspaceWord word = GetWordAt(line, position);
    const int kind = ClassifyWord(word.text);
    const COLORREF colour =
        !word.text.IsEmpty() && kind != NameUnknown ? ColourOfKind(kind) : m_Settings.DefaultColor;
    ColourSpan(nLineStart + word.nStart + 1, nLineStart + word.nEnd, colour, sel.cpMin);
}

void CRichWorkspace::ColourSpan(LONG nStart, LONG nEnd, COLORREF colour, LONG nCaret)
{
    CHARFORMAT2A cf{};
    cf.cbSize = sizeof(cf);
    cf.dwMask = CFM_COLOR;
    cf.crTextColor = colour;
    SendMessage(EM_HIDESELECTION, TRUE);
    if (nEnd > nStart) {
        SetSelection(nStart, nEnd);
        SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, LPARAM(&cf));
    }
    SetSelection(nCaret, nCaret);
    cf.crTextColor = m_Settings.DefaultColor;
    SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, LPARAM(&cf));
    SendMessage(EM_HIDESELECTION, FALSE);
}

COLORREF CRichWorkspace::ColourOfKind(int kind) const
{
    switch (kind) {
    case NameBuiltinFunction:
        return m_Settings.PFColor;
    case NamePhysicalConstant:
        return m_Settings.PCColor;
    case NameUserFunction:
        return m_Settings.UFColor;
    case NameUserConstant:
        return m_Settings.UCColor;
    case NameVariable:
    case NameExpressionVariable:
        return m_Settings.VarColor;
    default:
        return m_Settings.DefaultColor;
    }
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
    point.y += tm.tmHeight - 2;
    m_TipWnd.Show(text, point, bHideOnClick);
}
