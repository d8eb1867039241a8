// The workspace's messages and commands, Enter and the typing path, the paste guard and the
// demonstration.
#include "app/RichWorkspace.h"

#include "app/MessageBoxes.h"
#include "app/MyDocument.h"
#include "app/ViewLayout.h"
#include "app/WorkspaceDemo.h"
#include "app/WorkspaceRtf.h"
#include "app/WorkspaceWords.h"
#include "engine/CalcEngine.h"
#include "engine/EngineErrors.h"
#include "engine/LocaleSeparators.h"
#include "framework/win/CCmdUI.h"
#include "framework/win/CMenu.h"
#include "framework/win/CWaitCursor.h"
#include "framework/win/MessageCrackers.h"
#include "framework/win/RegistryProfileStore.h"
#include "res/AppIds.h"

#include <algorithm>
#include <cstdlib>
#include <cstring>
#include <vector>

IMPLEMENT_DYNCREATE(CRichWorkspace, CRichEditView)

BEGIN_MESSAGE_MAP(CRichWorkspace, CRichEditView)
ON_WM_CHAR()
ON_WM_CREATE()
ON_COMMAND(ID_RUN_DEMO, &CRichWorkspace::OnRunDemo)
ON_WM_TIMER()
ON_WM_CONTEXTMENU()
ON_COMMAND(ID_WORKSPACE_CUT, &CRichWorkspace::OnWorkspaceCut)
ON_COMMAND(ID_WORKSPACE_COPY, &CRichWorkspace::OnWorkspaceCopy)
ON_COMMAND(ID_WORKSPACE_PASTE, &CRichWorkspace::OnWorkspacePaste)
ON_COMMAND(ID_WORKSPACE_CLEAR, &CRichWorkspace::OnWorkspaceClear)
ON_COMMAND(ID_WORKSPACE_SELECT_ALL, &CRichWorkspace::OnWorkspaceSelectAll)
ON_WM_KILLFOCUS()
ON_WM_KEYDOWN()
ON_COMMAND(ID_CHAR_BOLD, &CRichWorkspace::OnCharBold)
ON_UPDATE_COMMAND_UI(ID_CHAR_BOLD, &CRichWorkspace::OnUpdateCharBold)
ON_COMMAND(ID_CHAR_ITALIC, &CRichWorkspace::OnCharItalic)
ON_UPDATE_COMMAND_UI(ID_CHAR_ITALIC, &CRichWorkspace::OnUpdateCharItalic)
ON_COMMAND(ID_CHAR_UNDERLINE, &CRichWorkspace::OnCharUnderline)
ON_UPDATE_COMMAND_UI(ID_CHAR_UNDERLINE, &CRichWorkspace::OnUpdateCharUnderline)
ON_COMMAND(ID_WORKSPACE_UNDO, &CRichWorkspace::OnWorkspaceUndo)
ON_UPDATE_COMMAND_UI(ID_WORKSPACE_UNDO, &CRichWorkspace::OnUpdateWorkspaceUndo)
ON_WM_SIZE()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_WM_MOUSEWHEEL()
ON_WM_LBUTTONDOWN()
ON_MESSAGE(WM_PASTE, &CRichWorkspace::OnPaste)
ON_COMMAND(ID_WORKSPACE_PRINT_PREVIEW, &CView::OnFilePrintPreview)
END_MESSAGE_MAP()

namespace {

constexpr UINT_PTR kDemoTimer = 1;
constexpr UINT kDemoPeriod = 100;
const char kOperatorsAfterAnswer[] = "+*/^%!";
const char kPasteTooLongText[] =
    "The clipboard holds a line of more than 1,000 characters, which the workspace cannot take.";

} // namespace

CRichWorkspace::CRichWorkspace() : m_strDelimiters(kWorkspaceDelimiters)
{
    // Lines never wrap: a line of the text is a line of the workspace.
    m_nWordWrap = WrapNone;
    m_rectMargin = CRect(1880, 1440, 1880, 1440);
    m_strLayingOut = "Laying out the workspace's text...";
    CRegistryProfileStore store;
    ReadWorkspaceSettings(store, m_Settings);
}

CRichWorkspace::~CRichWorkspace() = default;

CMyDocument* CRichWorkspace::GetMyDocument() const
{
    return dynamic_cast<CMyDocument*>(m_pDocument);
}

int CRichWorkspace::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CRichEditView::OnCreate(lpcs) == -1)
        return -1;
    m_TipWnd.Create(this);
    return 0;
}

void CRichWorkspace::SetUpControl()
{
    CRichEditView::SetUpControl();
    SetBackgroundColor(FALSE, m_Settings.BackColor);
    SetDefaultFont(m_Settings.FontSize, m_Settings.FontFaceName);
    // A control that takes the place of another goes on with the demonstration it played.
    if (IsDemoRunning())
        SetTimer(kDemoTimer, kDemoPeriod);
}

void CRichWorkspace::OnInitialUpdate()
{
    CRichEditView::OnInitialUpdate();
    SetBackgroundColor(FALSE, m_Settings.BackColor);
    // The view shows another project now: the script played for the last one ends here.
    StopDemo();
}

void CRichWorkspace::SetDefaultFont(int size, const CString& face)
{
    CHARFORMAT2A& font = m_typingFont;
    font = CHARFORMAT2A{};
    font.cbSize = sizeof(font);
    font.dwMask = CFM_SIZE;
    if (face.GetLength() < LF_FACESIZE) {
        font.dwMask |= CFM_FACE;
        ::lstrcpynA(font.szFaceName, face, LF_FACESIZE);
    }
    HDC hdc = ::GetDC(nullptr);
    const int nPixelsPerInch = ::GetDeviceCaps(hdc, LOGPIXELSY);
    ::ReleaseDC(nullptr, hdc);
    const int twips = size * 1440 / (nPixelsPerInch > 0 ? nPixelsPerInch : 96);
    font.yHeight = twips < 0 ? -twips : twips;

    CHARFORMAT2A cf = font;
    cf.dwMask |= CFM_COLOR | CFM_BOLD | CFM_ITALIC | CFM_UNDERLINE | CFM_STRIKEOUT;
    cf.crTextColor = m_Settings.DefaultColor;
    SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, LPARAM(&cf));
    // Empty text types with the caret's format, which the default does not reach; a selection
    // keeps its colours.
    const CHARRANGE sel = GetSelection();
    if (sel.cpMin == sel.cpMax)
        SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, LPARAM(&cf));
}

void CRichWorkspace::KeepTypingFont()
{
    const CHARRANGE sel = GetSelection();
    if (sel.cpMin == sel.cpMax)
        SendMessage(EM_SETCHARFORMAT, SCF_SELECTION, LPARAM(&m_typingFont));
}

void CRichWorkspace::ApplySettings(const WorkspaceSettings& settings)
{
    m_Settings = settings;
    if (!GetSafeHwnd())
        return;
    SetBackgroundColor(FALSE, m_Settings.BackColor);
    SetDefaultFont(m_Settings.FontSize, m_Settings.FontFaceName);
}

int CRichWorkspace::SetPopupOptions(int options)
{
    const int old = int(m_Settings.PopupOptions);
    m_Settings.PopupOptions = unsigned(options);
    return old;
}

// --- the control in the caret's terms ---------------------------------------------------------

CHARRANGE CRichWorkspace::GetSelection() const
{
    CHARRANGE cr{0, 0};
    SendMessage(EM_EXGETSEL, 0, LPARAM(&cr));
    return cr;
}

void CRichWorkspace::SetSelection(LONG nStart, LONG nEnd)
{
    CHARRANGE cr{nStart, nEnd};
    SendMessage(EM_EXSETSEL, 0, LPARAM(&cr));
}

int CRichWorkspace::LineFromChar(LONG nChar) const
{
    return int(SendMessage(EM_EXLINEFROMCHAR, 0, nChar));
}

LONG CRichWorkspace::LineStart(int nLine) const { return LONG(SendMessage(EM_LINEINDEX, nLine)); }

int CRichWorkspace::LineLength(LONG nLineStart) const
{
    return int(SendMessage(EM_LINELENGTH, WPARAM(nLineStart)));
}

CString CRichWorkspace::ReadLine(int nLine, int nMax) const
{
    // The control writes the buffer's size into its first word and copies at most that many
    // characters, its line end included.
    std::vector<char> buffer(std::size_t(nMax) + 3, 0);
    const WORD nSize = WORD(nMax + 2);
    std::memcpy(buffer.data(), &nSize, sizeof nSize);
    int n = int(SendMessage(EM_GETLINE, WPARAM(nLine), LPARAM(buffer.data())));
    n = n < 0 ? 0 : n > nMax + 2 ? nMax + 2 : n;
    while (n > 0 && (buffer[std::size_t(n - 1)] == '\r' || buffer[std::size_t(n - 1)] == '\n'))
        --n;
    return CString(buffer.data(), n < nMax ? n : nMax);
}

void CRichWorkspace::InsertLineBreak()
{
    m_Typed.bValid = FALSE;
    KeepTypingFont();
    SendMessage(EM_REPLACESEL, TRUE, LPARAM("\r"));
    Recolour();
}

// --- typing ---------------------------------------------------------------------------------

void CRichWorkspace::TypeText(const CString& text)
{
    if (m_nTyping++ == 0)
        m_Typed.bValid = FALSE;
    for (int i = 0; i < text.GetLength(); ++i)
        SendMessage(WM_CHAR, WPARAM(BYTE(text[i])), 1);
    if (--m_nTyping == 0)
        m_Typed.bValid = FALSE;
}

void CRichWorkspace::WriteLines(const CString& text, BOOL bAtTextEnd, WrittenColours colours)
{
    CMyDocument* pDoc = GetMyDocument();
    BOOL bBreak = FALSE;
    if (bAtTextEnd) {
        SetSelection(-1, -1);
        bBreak = LineLength(LineStart(LineFromChar(GetSelection().cpMin))) > 0;
    } else {
        bBreak = MoveToEndOfNonEmptyLine();
        const CHARRANGE sel = GetSelection();
        SetSelection(sel.cpMin, sel.cpMin);
    }
    // Typing hides the tip at the latest with the line break that ends the text.
    m_TipWnd.Hide();
    m_Typed.bValid = FALSE;
    const bool bNames = pDoc && colours == WrittenColours::AsTyped;
    const auto kindOfWord = [pDoc, bNames](const CString& word) {
        CString described;
        int argumentCount = 0;
        return bNames ? pDoc->DescribeName(word, described, argumentCount) : int(NameUnknown);
    };
    const std::string rtf =
        TypedTextRtf(bBreak ? "\n" + text : text, kindOfWord, m_Settings, ::GetACP());
    // What the rich text leaves unsaid (font, effects) is what typing at the caret would take.
    TypeOnInDefaultColour();
    ShowScrollBarFor(text);
    ReplaceSelectionRtf(rtf);
    TypeOnInDefaultColour();
    SendMessage(EM_SCROLLCARET);
}

void CRichWorkspace::ShowScrollBarFor(const CString& text)
{
    if (GetStyle() & WS_VSCROLL)
        return;
    CRect client;
    GetClientRect(&client);
    // A line of the text is at least as high as the workspace's font; a bar shown for text that
    // does not need it would stay.
    const int lineHeight = std::max(std::abs(m_Settings.FontSize), 1);
    int lines = 0;
    for (int i = 0; i < text.GetLength() && lines * lineHeight <= client.Height(); ++i)
        lines += text[i] == '\n';
    if (lines * lineHeight > client.Height())
        ShowScrollBar(SB_VERT, TRUE);
}

// Logged lines go after the last line, wherever the caret stood: they never split a line.
void CRichWorkspace::PrintLine(const CString& text)
{
    const UndoGroup step(*this);
    NewLineAtTextEnd();
    TypeText(text);
    NewLineAtLineEnd();
}

// Every line query walks the control's lines: each move reads the caret line once.
BOOL CRichWorkspace::MoveToEndOfNonEmptyLine()
{
    const CHARRANGE sel = GetSelection();
    const LONG nStart = LineStart(LineFromChar(sel.cpMin));
    const int nLength = LineLength(nStart);
    if (nLength == 0)
        return FALSE;
    if (sel.cpMin != nStart + nLength || sel.cpMax != sel.cpMin)
        SetSelection(nStart + nLength, nStart + nLength);
    return TRUE;
}

void CRichWorkspace::MoveToLineEnd() { MoveToEndOfNonEmptyLine(); }

void CRichWorkspace::NewLineAtLineEnd()
{
    if (MoveToEndOfNonEmptyLine())
        SendMessage(WM_CHAR, '\n', 1);
}

void CRichWorkspace::NewLineAtTextEnd()
{
    SetSelection(-1, -1);
    const CHARRANGE sel = GetSelection();
    if (LineLength(LineStart(LineFromChar(sel.cpMin))) > 0)
        SendMessage(WM_CHAR, '\n', 1);
}

void CRichWorkspace::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == '\r') {
        m_TipWnd.Hide();
        EvaluateCaretLine();
        return;
    }
    if (nChar == '\n') {
        InsertLineBreak();
        return;
    }
    // A control character (the one Ctrl+A makes after selecting everything) changes no text:
    // recolouring would take the selection away.
    const BOOL bChangesText = nChar >= 0x20 || nChar == '\b' || nChar == '\t';
    if (bChangesText && nChar != '\b')
        KeepTypingFont();
    CRichEditView::OnChar(nChar, nRepCnt, nFlags);
    if (bChangesText)
        Recolour();
}

void CRichWorkspace::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    // Return evaluates through its WM_CHAR; the control would insert a paragraph here.
    if (nChar == VK_RETURN)
        return;
    const BOOL bControl = ::GetKeyState(VK_CONTROL) < 0;
    const BOOL bShift = ::GetKeyState(VK_SHIFT) < 0;
    if ((nChar == 'V' && bControl) || (nChar == VK_INSERT && bShift && !bControl)) {
        SendMessage(WM_PASTE);
        return;
    }
    // A tip stays with its line: keys that scroll the text take it away.
    const BOOL bTip = m_TipWnd.IsShown();
    const POINT before = bTip ? GetTextScrollPos() : POINT{};
    CRichEditView::OnKeyDown(nChar, nRepCnt, nFlags);
    if (bTip) {
        const POINT after = GetTextScrollPos();
        if (after.x != before.x || after.y != before.y)
            m_TipWnd.Hide();
    }
    if (nChar == VK_DELETE)
        Recolour();
}

POINT CRichWorkspace::GetTextScrollPos() const
{
    POINT pos{0, 0};
    SendMessage(EM_GETSCROLLPOS, 0, LPARAM(&pos));
    return pos;
}

void CRichWorkspace::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    m_TipWnd.Hide();
    CRichEditView::OnHScroll(nSBCode, nPos, pScrollBar);
}

void CRichWorkspace::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar)
{
    m_TipWnd.Hide();
    CRichEditView::OnVScroll(nSBCode, nPos, pScrollBar);
}

BOOL CRichWorkspace::OnMouseWheel(UINT nFlags, short zDelta, CPoint pt)
{
    m_TipWnd.Hide();
    return CRichEditView::OnMouseWheel(nFlags, zDelta, pt);
}

LRESULT CRichWorkspace::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_PASTE:
    case WM_CUT:
    case WM_CLEAR:
    case EM_UNDO:
    case EM_REDO:
        m_TipWnd.Hide();
        break;
    default:
        break;
    }
    return CRichEditView::WindowProc(message, wParam, lParam);
}

BOOL CRichWorkspace::PreTranslateMessage(MSG* pMsg)
{
    if (FilterDemoKey(*pMsg))
        return TRUE;
    if (pMsg->message == WM_KEYDOWN && pMsg->wParam == VK_DECIMAL && pMsg->hwnd == m_hWnd) {
        PostMessage(WM_CHAR, WPARAM(BYTE(GetLocaleSeparators().chDecimal)), 1);
        return TRUE;
    }
    return CRichEditView::PreTranslateMessage(pMsg);
}

// --- Enter ----------------------------------------------------------------------------------

BOOL CRichWorkspace::IsBusy() const
{
    if (m_bEvaluating)
        return TRUE;
    CWnd* pTop = GetTopLevelParent();
    return pTop && !pTop->IsWindowEnabled();
}

void CRichWorkspace::EvaluateCaretLine()
{
    CMyDocument* pDoc = GetMyDocument();
    if (!pDoc)
        return;
    if (m_bEvaluating) {
        m_bEnterPending = TRUE;
        return;
    }
    // The line's "ANS" and its answer are one step of Undo.
    const UndoGroup step(*this);
    // The caret line, or the nearest line above it that holds something.
    const CHARRANGE sel = GetSelection();
    const int nCaretLine = LineFromChar(sel.cpMin);
    int nLine = nCaretLine;
    LONG nLineStart = LineStart(nLine);
    int nLength = LineLength(nLineStart);
    while (nLength == 0 && nLine > 0) {
        nLineStart = LineStart(--nLine);
        nLength = LineLength(nLineStart);
    }
    if (nLength == 0)
        return;
    if (nLength > kMaxWorkspaceLine) {
        ShowErrorTip(kLineTooLongText);
        return;
    }
    // The caret follows up to the line that is evaluated.
    if (nLine != nCaretLine)
        SetSelection(nLineStart + nLength, nLineStart + nLength);
    m_nCaretLine = nLine;
    m_nCaretLineLength = nLength;
    m_strLineBuffer = ReadLine(nLine, kMaxWorkspaceLine);
    CString trimmed = m_strLineBuffer;
    trimmed.Trim();
    if (trimmed.IsEmpty()) {
        NewLineAtLineEnd();
        return;
    }
    if (std::strchr(kOperatorsAfterAnswer, trimmed[0])) {
        SetSelection(nLineStart, nLineStart);
        const int options = SetPopupOptions(0);
        TypeText("ANS");
        SetPopupOptions(options);
        m_strLineBuffer = "ANS" + m_strLineBuffer;
    }

    m_bEvaluating = TRUE;
    {
        const CWaitCursor wait; // a line may compute for seconds
        pDoc->ExecuteLine(m_strLineBuffer);
    }
    const LineError error = pDoc->GetLineError();
    if (error.nCode == 0) {
        const CAnalysisResult& result = pDoc->GetLineResult();
        if (result.GetText().IsEmpty()) {
            NewLineAtLineEnd();
        } else {
            if (trimmed[trimmed.GetLength() - 1] != '=') {
                MoveToLineEnd();
                TypeText(" =");
            }
            result.PrintToWorkspace(*this, FALSE);
        }
    } else {
        ShowErrorTip(GetErrorText(error.nCode));
        if (error.nPosition >= 0)
            SetSelection(nLineStart + error.nPosition,
                         nLineStart + error.nPosition + error.nLength);
    }
    m_bEvaluating = FALSE;
    if (m_bEnterPending) {
        m_bEnterPending = FALSE;
        PostMessage(WM_CHAR, '\r', 1);
    }
}

// --- demonstration --------------------------------------------------------------------------

void CRichWorkspace::StartDemo()
{
    m_strDemo = kWorkspaceDemoScript;
    m_nDemoIndex = 0;
    m_nDemoEnd = m_strDemo.GetLength();
    // The script goes on a line of its own after the user's text, wherever the caret stood.
    NewLineAtTextEnd();
    m_demoSelection = GetSelection();
    SetTimer(kDemoTimer, kDemoPeriod);
    // The keys that stop it go where it plays.
    if (IsWindowVisible())
        SetFocus();
}

void CRichWorkspace::StopDemo()
{
    KillTimer(kDemoTimer);
    m_strDemo.Empty();
    m_nDemoIndex = m_nDemoEnd = 0;
}

void CRichWorkspace::OnRunDemo() { StartDemo(); }

void CRichWorkspace::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent == kDemoTimer) {
        if (!IsDemoRunning())
            StopDemo();
        else if (!IsBusy())
            TypeDemoCharacter();
    }
    CRichEditView::OnTimer(nIDEvent);
}

void CRichWorkspace::TypeDemoCharacter()
{
    // A click elsewhere while it plays does not move where the script goes on.
    const CHARRANGE sel = GetSelection();
    if (sel.cpMin != m_demoSelection.cpMin || sel.cpMax != m_demoSelection.cpMax)
        SetSelection(m_demoSelection.cpMin, m_demoSelection.cpMax);
    const char ch = m_strDemo[m_nDemoIndex++];
    SendMessage(WM_CHAR, WPARAM(BYTE(ch)), 1);
    m_demoSelection = GetSelection();
    if (!IsDemoRunning())
        StopDemo();
}

BOOL CRichWorkspace::FilterDemoKey(const MSG& msg)
{
    if (!IsDemoRunning() || msg.hwnd != m_hWnd ||
        (msg.message != WM_KEYDOWN && msg.message != WM_CHAR))
        return FALSE;
    if (msg.message == WM_KEYDOWN && msg.wParam == VK_ESCAPE) {
        // The line being typed is finished, so that no half line is left for Enter.
        auto isLineEnd = [this](int i) { return m_strDemo[i] == '\n' || m_strDemo[i] == '\r'; };
        int end = m_nDemoIndex;
        if (end > 0 && !isLineEnd(end - 1)) {
            while (end < m_nDemoEnd && !isLineEnd(end))
                ++end;
            end = std::min(end + 1, m_nDemoEnd);
        }
        m_nDemoEnd = end;
    }
    return TRUE;
}

// --- commands and the rest of the messages ------------------------------------------------------

void CRichWorkspace::OnContextMenu(CWnd*, CPoint point)
{
    CMenu menu;
    if (!menu.LoadMenu(IDR_WORKSPACE_CONTEXT))
        return;
    CMenu* pPopup = menu.GetSubMenu(0);
    if (!pPopup)
        return;
    if (point.x == -1 && point.y == -1) {
        POINTL caret{0, 0};
        SendMessage(EM_POSFROMCHAR, WPARAM(&caret), GetSelection().cpMin);
        point = CPoint(int(caret.x), int(caret.y));
        ClientToScreen(&point);
    }
    pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

void CRichWorkspace::OnKillFocus(CWnd* pNewWnd)
{
    CRichEditView::OnKillFocus(pNewWnd);
    m_TipWnd.Hide();
}

void CRichWorkspace::OnLButtonDown(UINT nFlags, CPoint point)
{
    m_TipWnd.Hide();
    CRichEditView::OnLButtonDown(nFlags, point);
}

void CRichWorkspace::OnSize(UINT nType, int cx, int cy)
{
    CRichEditView::OnSize(nType, cx, cy);
    KeepLastLinesAtFoot();
    if (nType != SIZE_RESTORED && nType != SIZE_MAXIMIZED)
        return;
    // The pane is as high as the window: the client area loses the horizontal scroll bar while
    // a line is wider than the pane, and a pane laid out by that height would shrink by it.
    CRect window;
    GetWindowRect(&window);
    if (CMyDocument* pDoc = GetMyDocument())
        pDoc->StorePaneSize(ViewWorkspace, cx, window.Height());
}

void CRichWorkspace::KeepLastLinesAtFoot()
{
    // The control keeps its first line where it was when it grows: a report written while the
    // workspace was a line high would stand at the top of blank space.
    const int nLast = int(SendMessage(EM_GETLINECOUNT)) - 1;
    POINT scroll = ScrollPosition();
    if (nLast < 1 || scroll.y <= 0)
        return;
    POINT last{0, 0}, before{0, 0};
    SendMessage(EM_POSFROMCHAR, WPARAM(&last), SendMessage(EM_LINEINDEX, nLast));
    SendMessage(EM_POSFROMCHAR, WPARAM(&before), SendMessage(EM_LINEINDEX, nLast - 1));
    CRect client;
    GetClientRect(&client);
    const int blank = client.bottom - (last.y + (last.y - before.y));
    if (blank <= 0)
        return;
    scroll.y = std::max(0L, scroll.y - blank);
    SendMessage(EM_SETSCROLLPOS, 0, LPARAM(&scroll));
}

void CRichWorkspace::OnWorkspaceCut() { SendMessage(WM_CUT); }
void CRichWorkspace::OnWorkspaceCopy() { SendMessage(WM_COPY); }
void CRichWorkspace::OnWorkspacePaste() { SendMessage(WM_PASTE); }
void CRichWorkspace::OnWorkspaceClear() { SendMessage(WM_CLEAR); }
void CRichWorkspace::OnWorkspaceSelectAll() { SetSelection(0, -1); }
void CRichWorkspace::OnWorkspaceUndo() { SendMessage(EM_UNDO); }

void CRichWorkspace::OnUpdateWorkspaceUndo(CCmdUI* pCmdUI)
{
    pCmdUI->Enable(SendMessage(EM_CANUNDO) != 0);
}

BOOL CRichWorkspace::PasteMakesLongLine() const
{
    if (!::IsClipboardFormatAvailable(CF_TEXT) || !::OpenClipboard(m_hWnd))
        return FALSE;
    CString text;
    if (HANDLE hData = ::GetClipboardData(CF_TEXT)) {
        if (const char* p = static_cast<const char*>(::GlobalLock(hData))) {
            text = CString(p, int(strnlen(p, ::GlobalSize(hData))));
            ::GlobalUnlock(hData);
        }
    }
    ::CloseClipboard();
    const CHARRANGE sel = GetSelection();
    const LONG nFirstStart = LineStart(LineFromChar(sel.cpMin));
    const LONG nLastStart = LineStart(LineFromChar(sel.cpMax));
    const int before = int(sel.cpMin - nFirstStart);
    const int after = int(nLastStart + LineLength(nLastStart) - sel.cpMax);
    return LongestPastedLine(text, before, after > 0 ? after : 0) > kMaxWorkspaceLine;
}

LRESULT CRichWorkspace::OnPaste(WPARAM wParam, LPARAM lParam)
{
    if (PasteMakesLongLine()) {
        MessageBoxText(this, kPasteTooLongText);
        return 0;
    }
    return CRichEditView::OnPaste(wParam, lParam);
}
