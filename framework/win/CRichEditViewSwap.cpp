// Changes of many lines in a rich-edit view. Wine's control removes text one run at a time,
// finding each run from the first paragraph, so that taking away thousands of lines, or undoing
// their insertion, keeps the window busy for minutes. A new control filled with what stays
// takes time in proportion to the text instead: the view builds one and puts it where the old
// one stood, and keeps such changes for Undo and Redo itself (TextSwapHistory), while the
// control keeps its own short steps. Laying a long text out again takes Wine's control seconds,
// so the control put away is kept hidden for the Undo or Redo that brings its text back.
#include "framework/win/CRichEditDoc.h"
#include "framework/win/CRichEditView.h"

#include <algorithm>
#include <cctype>
#include <cstring>

namespace {

struct RtfSource {
    const std::string& rtf;
    std::size_t nRead = 0;
};

DWORD CALLBACK ReadRtf(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
{
    auto* pSource = reinterpret_cast<RtfSource*>(dwCookie);
    const std::size_t n = std::min(std::size_t(cb), pSource->rtf.size() - pSource->nRead);
    std::memcpy(pbBuff, pSource->rtf.data() + pSource->nRead, n);
    pSource->nRead += n;
    *pcb = LONG(n);
    return 0;
}

DWORD CALLBACK AppendRtf(DWORD_PTR dwCookie, LPBYTE pbBuff, LONG cb, LONG* pcb)
{
    reinterpret_cast<std::string*>(dwCookie)->append(reinterpret_cast<const char*>(pbBuff),
                                                     std::size_t(cb));
    *pcb = cb;
    return 0;
}

// Paragraphs of rich text, as many as the lines it adds.
int ParagraphsOf(const std::string& rtf)
{
    int n = 0;
    for (std::size_t at = rtf.find("\\par"); at != std::string::npos;
         at = rtf.find("\\par", at + 4))
        n += at + 4 >= rtf.size() || !std::isalpha(static_cast<unsigned char>(rtf[at + 4]));
    return n;
}

// Whether the rich text's last paragraph ends with its break.
bool EndsWithParagraph(const std::string& rtf)
{
    const std::size_t at = rtf.rfind("\\par");
    if (at == std::string::npos ||
        (at + 4 < rtf.size() && std::isalpha(static_cast<unsigned char>(rtf[at + 4]))))
        return false;
    return rtf.find_first_not_of(" \r\n}", at + 4) == std::string::npos ||
           rtf[rtf.find_first_not_of(" \r\n}", at + 4)] == '\0';
}

} // namespace

long CRichEditView::TextLength() const
{
    GETTEXTLENGTHEX how{GTL_NUMCHARS | GTL_PRECISE, 1200};
    return long(SendMessage(EM_GETTEXTLENGTHEX, WPARAM(&how)));
}

POINT CRichEditView::ScrollPosition() const
{
    // EM_GETSCROLLPOS scales its answer to 16 bits once the text is taller than that: where the
    // first character stands says the true height scrolled.
    POINT scroll{0, 0};
    SendMessage(EM_GETSCROLLPOS, 0, LPARAM(&scroll));
    RECT format{};
    POINTL first{0, 0};
    SendMessage(EM_GETRECT, 0, LPARAM(&format));
    SendMessage(EM_POSFROMCHAR, WPARAM(&first), 0);
    scroll.y = std::max(0L, long(format.top) - first.y);
    return scroll;
}

int CRichEditView::LineOfChar(long nChar) const
{
    return int(SendMessage(EM_EXLINEFROMCHAR, 0, nChar));
}

BOOL CRichEditView::ControlCanUndo() { return DefWindowProc(EM_CANUNDO, 0, 0) != 0; }
BOOL CRichEditView::ControlCanRedo() { return DefWindowProc(EM_CANREDO, 0, 0) != 0; }

std::string CRichEditView::RtfOfRange(long nStart, long nEnd)
{
    std::string rtf;
    if (nEnd <= nStart)
        return rtf;
    // Read through the selection, which the user gets back as it was, where it was.
    CHARRANGE saved{0, 0}, range{nStart, nEnd};
    POINT scroll = ScrollPosition();
    SendMessage(EM_EXGETSEL, 0, LPARAM(&saved));
    SendMessage(EM_EXSETSEL, 0, LPARAM(&range));
    EDITSTREAM stream{DWORD_PTR(&rtf), 0, AppendRtf};
    SendMessage(EM_STREAMOUT, SF_RTF | SFF_SELECTION, LPARAM(&stream));
    SendMessage(EM_EXSETSEL, 0, LPARAM(&saved));
    SendMessage(EM_SETSCROLLPOS, 0, LPARAM(&scroll));
    return rtf;
}

void CRichEditView::StreamInSelection(const std::string& rtf, BOOL bControlUndo)
{
    RtfSource source{rtf};
    EDITSTREAM stream{DWORD_PTR(&source), 0, ReadRtf};
    // Wine's control takes a long text in far more slowly while it notes each run for Undo.
    if (!bControlUndo)
        SendMessage(EM_SETUNDOLIMIT, 0);
    SendMessage(EM_STREAMIN, SF_RTF | SFF_SELECTION, LPARAM(&stream));
    if (!bControlUndo)
        SendMessage(EM_SETUNDOLIMIT, kControlUndoLimit);
}

HWND CRichEditView::ReplaceControl(const std::function<void()>& fill)
{
    const HWND hOld = m_hWnd;
    CRect rect;
    GetWindowRect(&rect);
    GetParent()->ScreenToClient(&rect);
    // The control drops a scroll bar from its style while its text needs none, and one created
    // without it never shows it: the new control asks again for the view's own bars.
    const DWORD dwStyle = GetStyle() | (m_dwDefaultStyle & (WS_HSCROLL | WS_VSCROLL));
    const HWND hNew = ::CreateWindowExA(
        GetExStyle(), RICHEDIT_CLASSA, "", dwStyle & ~WS_VISIBLE, rect.left, rect.top, rect.Width(),
        rect.Height(), GetParent()->m_hWnd, nullptr, AfxGetInstanceHandle(), nullptr);
    if (!hNew) {
        // The old control is emptied where it stands, however long that takes.
        DefWindowProc(WM_SETTEXT, 0, LPARAM(""));
        fill();
        return nullptr;
    }
    CHARFORMAT2A cf{};
    cf.cbSize = sizeof cf;
    SendMessage(EM_GETCHARFORMAT, SCF_DEFAULT, LPARAM(&cf));
    const LPARAM nEvents = SendMessage(EM_GETEVENTMASK);
    const LPARAM nOptions = SendMessage(EM_GETOPTIONS);
    UnsubclassWindow();
    SubclassWindow(hNew);
    m_richEdit.m_hWnd = hNew;
    SendMessage(EM_SETCHARFORMAT, SCF_DEFAULT, LPARAM(&cf));
    SendMessage(EM_SETEVENTMASK, 0, nEvents);
    SendMessage(EM_SETOPTIONS, ECOOP_SET, nOptions);
    SetUpControl();
    fill();
    DefWindowProc(EM_EMPTYUNDOBUFFER, 0, 0);
    ShowInPlaceOf(hOld);
    return hOld;
}

void CRichEditView::ShowInPlaceOf(HWND hOld)
{
    CRect rect;
    ::GetWindowRect(hOld, &rect);
    GetParent()->ScreenToClient(&rect);
    const BOOL bVisible = (::GetWindowLongA(hOld, GWL_STYLE) & WS_VISIBLE) != 0;
    const BOOL bFocus = ::GetFocus() == hOld;
    ::SetWindowPos(m_hWnd, hOld, rect.left, rect.top, rect.Width(), rect.Height(),
                   SWP_NOACTIVATE | (bVisible ? SWP_SHOWWINDOW : 0));
    if (bFocus)
        ::SetFocus(m_hWnd);
    ::ShowWindow(hOld, SW_HIDE);
    // The frame finds its view by the child's identifier, which only the control in view has.
    ::SetWindowLongPtrA(m_hWnd, GWLP_ID, ::GetWindowLongPtrA(hOld, GWLP_ID));
    ::SetWindowLongPtrA(hOld, GWLP_ID, 0);
}

HWND CRichEditView::ExchangeControl(HWND hOther)
{
    const HWND hOld = m_hWnd;
    UnsubclassWindow();
    SubclassWindow(hOther);
    m_richEdit.m_hWnd = hOther;
    ShowInPlaceOf(hOld);
    return hOld;
}

void CRichEditView::KeepControl(HWND hControl, unsigned long nSwapId)
{
    DropKeptControl();
    if (hControl)
        m_kept = {hControl, nSwapId, TextLength()};
}

void CRichEditView::DropKeptControl()
{
    if (m_kept.hWnd)
        ::DestroyWindow(m_kept.hWnd);
    m_kept = {};
}

void CRichEditView::ForgetChanges()
{
    m_swaps.Clear();
    DropKeptControl();
}

void CRichEditView::FillFromPieces(std::initializer_list<const std::string*> pieces)
{
    bool bWhole = true;
    for (const std::string* pPiece : pieces) {
        if (pPiece->empty())
            continue;
        if (!bWhole) {
            CHARRANGE end{-1, -1};
            SendMessage(EM_EXSETSEL, 0, LPARAM(&end));
            StreamInSelection(*pPiece, FALSE);
            continue;
        }
        // The control takes a whole text far more quickly than one put at its end, but may
        // drop the line end that ends it.
        bWhole = false;
        RtfSource source{*pPiece};
        EDITSTREAM stream{DWORD_PTR(&source), 0, ReadRtf};
        SendMessage(EM_STREAMIN, SF_RTF, LPARAM(&stream));
        const long nLength = TextLength();
        char last[2] = {0, 0};
        TEXTRANGEA range{{nLength - 1, nLength}, last};
        if (EndsWithParagraph(*pPiece) &&
            (nLength == 0 ||
             (SendMessage(EM_GETTEXTRANGE, 0, LPARAM(&range)) && last[0] != '\r'))) {
            CHARRANGE end{nLength, nLength};
            SendMessage(EM_EXSETSEL, 0, LPARAM(&end));
            DefWindowProc(EM_REPLACESEL, FALSE, LPARAM("\r"));
        }
    }
}

long CRichEditView::PutRtf(long nStart, long nEnd, const std::string& rtf, HWND& hOld)
{
    const long nKept = TextLength() - (nEnd - nStart);
    const int nFirst = LineOfChar(nStart), nLast = LineOfChar(nEnd);
    const int nLinesAfter = int(SendMessage(EM_GETLINECOUNT)) - 1 - nLast;
    const int nParagraphs = rtf.empty() ? 0 : ParagraphsOf(rtf);
    // Removing many lines, or putting text before many, is what the control cannot do quickly,
    // and a long text goes in more quickly as the whole of a new control than into a short one.
    hOld = nullptr;
    if (nLast - nFirst > kLongChangeLines || (nParagraphs > 0 && nLinesAfter > kLongChangeLines) ||
        (nParagraphs > kLongChangeLines && nParagraphs > nFirst)) {
        const std::string before = RtfOfRange(0, nStart);
        const std::string after = RtfOfRange(nEnd, TextLength());
        hOld = ReplaceControl([&] { FillFromPieces({&before, &rtf, &after}); });
    } else {
        CHARRANGE range{nStart, nEnd};
        SendMessage(EM_EXSETSEL, 0, LPARAM(&range));
        if (rtf.empty())
            DefWindowProc(EM_REPLACESEL, TRUE, LPARAM(""));
        else
            StreamInSelection(rtf, nParagraphs <= kLongChangeLines);
    }
    return TextLength() - nKept;
}

BOOL CRichEditView::MakeChange(long nStart, long nEnd, const std::string& rtf)
{
    const BOOL bHadSteps = ControlCanUndo();
    TextSwap swap{nStart, 0, RtfOfRange(nStart, nEnd)};
    HWND hOld = nullptr;
    swap.nLength = PutRtf(nStart, nEnd, rtf, hOld);
    CHARRANGE caret{nStart + swap.nLength, nStart + swap.nLength};
    SendMessage(EM_EXSETSEL, 0, LPARAM(&caret));
    const BOOL bLong = hOld || LineOfChar(nEnd) - LineOfChar(nStart) > kLongChangeLines ||
                       LineOfChar(caret.cpMax) - LineOfChar(nStart) > kLongChangeLines;
    if (!bLong)
        return TRUE;
    DefWindowProc(EM_EMPTYUNDOBUFFER, 0, 0);
    const unsigned long nId = m_swaps.Made(std::move(swap), bHadSteps != FALSE);
    // The control put away holds the text as Undo of this change brings it back.
    if (hOld)
        KeepControl(hOld, nId);
    else if (!m_swaps.Holds(m_kept.nSwapId))
        DropKeptControl();
    if (m_pDocument)
        m_pDocument->SetModifiedFlag();
    return FALSE;
}

void CRichEditView::ReplaceSelectionRtf(const std::string& rtf)
{
    CHARRANGE sel{0, 0};
    SendMessage(EM_EXGETSEL, 0, LPARAM(&sel));
    const long nLength = TextLength();
    MakeChange(std::min(sel.cpMin, nLength), std::min(sel.cpMax, nLength), rtf);
}

BOOL CRichEditView::TakeLongSelection()
{
    CHARRANGE sel{0, 0};
    SendMessage(EM_EXGETSEL, 0, LPARAM(&sel));
    const long nLength = TextLength();
    sel.cpMin = std::min(sel.cpMin, nLength);
    sel.cpMax = std::min(sel.cpMax, nLength);
    if (sel.cpMax <= sel.cpMin || LineOfChar(sel.cpMax) - LineOfChar(sel.cpMin) <= kLongChangeLines)
        return FALSE;
    MakeChange(sel.cpMin, sel.cpMax, std::string());
    SendMessage(EM_SCROLLCARET);
    return TRUE;
}

void CRichEditView::Swap(TextSwap& swap)
{
    std::string taken = RtfOfRange(swap.nStart, swap.nStart + swap.nLength);
    const long nKept = TextLength() - swap.nLength;
    if (m_kept.hWnd && m_kept.nSwapId == swap.nId && m_kept.nLength == TextLength()) {
        // The control put away by this change, or by its last Undo or Redo, holds the text as
        // the swap leaves it: it comes back instead of a new control being filled.
        const HWND hKept = m_kept.hWnd;
        m_kept = {};
        KeepControl(ExchangeControl(hKept), swap.nId);
    } else {
        HWND hOld = nullptr;
        PutRtf(swap.nStart, swap.nStart + swap.nLength, swap.rtfOther, hOld);
        if (hOld)
            KeepControl(hOld, swap.nId);
        else if (!m_swaps.Holds(m_kept.nSwapId))
            DropKeptControl();
    }
    swap.nLength = TextLength() - nKept;
    swap.rtfOther = std::move(taken);
    DefWindowProc(EM_EMPTYUNDOBUFFER, 0, 0);
    CHARRANGE caret{swap.nStart + swap.nLength, swap.nStart + swap.nLength};
    SendMessage(EM_EXSETSEL, 0, LPARAM(&caret));
    SendMessage(EM_SCROLLCARET);
    if (m_pDocument)
        m_pDocument->SetModifiedFlag();
}

// --- the messages that reach the text's steps -------------------------------------------------

LRESULT CRichEditView::OnUndoMessage(WPARAM, LPARAM)
{
    if (TextSwap* pSwap = m_swaps.NextUndo(ControlCanUndo() != FALSE)) {
        Swap(*pSwap);
        m_swaps.Undone();
        return TRUE;
    }
    return DefWindowProc(EM_UNDO, 0, 0);
}

LRESULT CRichEditView::OnRedoMessage(WPARAM, LPARAM)
{
    if (TextSwap* pSwap = m_swaps.NextRedo(ControlCanUndo() != FALSE, ControlCanRedo() != FALSE)) {
        Swap(*pSwap);
        m_swaps.Redone();
        return TRUE;
    }
    return DefWindowProc(EM_REDO, 0, 0);
}

LRESULT CRichEditView::OnCanUndoMessage(WPARAM, LPARAM)
{
    return ControlCanUndo() || m_swaps.NextUndo(false) != nullptr;
}

LRESULT CRichEditView::OnCanRedoMessage(WPARAM, LPARAM)
{
    return ControlCanRedo() || m_swaps.NextRedo(ControlCanUndo() != FALSE, false) != nullptr;
}

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

// A control put away would come back in the look it had: a new look drops it.
LRESULT CRichEditView::OnSetBackgroundMessage(WPARAM wParam, LPARAM lParam)
{
    DropKeptControl();
    return DefWindowProc(EM_SETBKGNDCOLOR, wParam, lParam);
}

LRESULT CRichEditView::OnSetCharFormatMessage(WPARAM wParam, LPARAM lParam)
{
    if (wParam == SCF_DEFAULT || (wParam & SCF_ALL) != 0)
        DropKeptControl();
    return DefWindowProc(EM_SETCHARFORMAT, wParam, lParam);
}

LRESULT CRichEditView::OnReplaceSelMessage(WPARAM wParam, LPARAM lParam)
{
    TakeLongSelection();
    return DefWindowProc(EM_REPLACESEL, wParam, lParam);
}

LRESULT CRichEditView::OnCutMessage(WPARAM wParam, LPARAM lParam)
{
    CHARRANGE sel{0, 0};
    SendMessage(EM_EXGETSEL, 0, LPARAM(&sel));
    if (sel.cpMax > sel.cpMin && LineOfChar(sel.cpMax) - LineOfChar(sel.cpMin) > kLongChangeLines) {
        DefWindowProc(WM_COPY, 0, 0);
        TakeLongSelection();
        return 0;
    }
    return DefWindowProc(WM_CUT, wParam, lParam);
}

LRESULT CRichEditView::OnClearMessage(WPARAM wParam, LPARAM lParam)
{
    return TakeLongSelection() ? 0 : DefWindowProc(WM_CLEAR, wParam, lParam);
}

LRESULT CRichEditView::OnPaste(WPARAM wParam, LPARAM lParam)
{
    TakeLongSelection();
    return DefWindowProc(WM_PASTE, wParam, lParam);
}

void CRichEditView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    m_bBackspaceTaken = FALSE;
    // The control's own Undo and Redo keys would pass the view's steps by.
    if (::GetKeyState(VK_CONTROL) < 0 && (nChar == 'Z' || nChar == 'Y' || nChar == 'X')) {
        SendMessage(nChar == 'Z' ? EM_UNDO : nChar == 'Y' ? EM_REDO : WM_CUT);
        return;
    }
    if ((nChar == VK_DELETE || nChar == VK_BACK) && TakeLongSelection()) {
        m_bBackspaceTaken = nChar == VK_BACK;
        return;
    }
    DefWindowProc(WM_KEYDOWN, nChar, MAKELPARAM(nRepCnt, nFlags));
}

void CRichEditView::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == '\b' && m_bBackspaceTaken) {
        m_bBackspaceTaken = FALSE;
        return;
    }
    // A character typed over a long selection takes its place: the selection goes first.
    const BOOL bChangesText = nChar >= 0x20 || nChar == '\t' || nChar == '\b';
    if (bChangesText && TakeLongSelection() && nChar == '\b')
        return;
    DefWindowProc(WM_CHAR, nChar, MAKELPARAM(nRepCnt, nFlags));
}
