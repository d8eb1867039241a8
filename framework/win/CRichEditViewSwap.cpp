// Changes of many lines in a rich-edit view. Wine's control removes text one run at a time,
// finding each run from the first paragraph, so that taking away thousands of lines, or undoing
// their insertion, keeps the window busy for minutes. A new control filled with what stays
// takes time in proportion to the text instead: the view builds one and puts it where the old
// one stood. Laying a long text out again takes Wine's control seconds, so the control put away
// is kept hidden for the Undo or Redo that brings its text back.
#include "framework/win/CFrameWnd.h"
#include "framework/win/CRichEditDoc.h"
#include "framework/win/CRichEditView.h"
#include "framework/win/CWaitCursor.h"
#include "framework/win/FrameworkIds.h"

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

// The frame's status bar says what goes on while it lives, then is idle again.
class BusyMessage {
public:
    explicit BusyMessage(const CString& text)
        : m_pFrame(text.IsEmpty() ? nullptr : dynamic_cast<CFrameWnd*>(AfxGetMainWnd()))
    {
        Show(text);
    }
    ~BusyMessage()
    {
        if (m_pFrame && ::IsWindow(m_pFrame->GetSafeHwnd()))
            m_pFrame->SetMessageText(AFX_IDS_IDLEMESSAGE);
    }
    BusyMessage(const BusyMessage&) = delete;
    BusyMessage& operator=(const BusyMessage&) = delete;

private:
    void Show(const CString& text)
    {
        CWnd* pBar = m_pFrame ? m_pFrame->GetMessageBar() : nullptr;
        if (!pBar)
            return;
        m_pFrame->SetMessageText(text);
        pBar->UpdateWindow();
    }
    CFrameWnd* m_pFrame;
};

CSize SizeOf(HWND hWnd)
{
    RECT rect{};
    ::GetWindowRect(hWnd, &rect);
    return CSize(rect.right - rect.left, rect.bottom - rect.top);
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

std::string CRichEditView::RtfOfRange(long nStart, long nEnd)
{
    std::string rtf;
    if (nEnd <= nStart)
        return rtf;
    // Read through the selection, which the user gets back as it was, where it was.
    CHARRANGE saved{0, 0}, range{nStart, nEnd};
    POINT scroll = ScrollPosition();
    SendMessage(EM_EXGETSEL, 0, LPARAM(&saved));
    // A caret keeps the format typing takes there only while it stays.
    CHARFORMAT2A typing{};
    typing.cbSize = sizeof typing;
    if (saved.cpMin == saved.cpMax)
        SendMessage(EM_GETCHARFORMAT, SCF_SELECTION, LPARAM(&typing));
    SendMessage(EM_EXSETSEL, 0, LPARAM(&range));
    EDITSTREAM stream{DWORD_PTR(&rtf), 0, AppendRtf};
    SendMessage(EM_STREAMOUT, SF_RTF | SFF_SELECTION, LPARAM(&stream));
    SendMessage(EM_EXSETSEL, 0, LPARAM(&saved));
    if (saved.cpMin == saved.cpMax)
        DefWindowProc(EM_SETCHARFORMAT, SCF_SELECTION, LPARAM(&typing));
    SendMessage(EM_SETSCROLLPOS, 0, LPARAM(&scroll));
    return rtf;
}

void CRichEditView::StreamInSelection(const std::string& rtf)
{
    RtfSource source{rtf};
    EDITSTREAM stream{DWORD_PTR(&source), 0, ReadRtf};
    DefWindowProc(EM_STREAMIN, SF_RTF | SFF_SELECTION, LPARAM(&stream));
}

HWND CRichEditView::ReplaceControl(const std::function<void()>& fill, BOOL bBarsStay,
                                   const CRect* pRect)
{
    // A long text takes Wine's control seconds to lay out: the user sees that work goes on.
    const CWaitCursor wait;
    const BusyMessage busy(m_strLayingOut);
    const HWND hOld = m_hWnd;
    CRect rect;
    GetWindowRect(&rect);
    GetParent()->ScreenToClient(&rect);
    // The control drops a scroll bar from its style while its text needs none, and one created
    // without it never shows it: the new control asks again for the view's own bars.
    const DWORD dwStyle = (GetStyle() & ~DWORD(ES_DISABLENOSCROLL)) |
                          (m_dwDefaultStyle & (WS_HSCROLL | WS_VSCROLL)) |
                          (bBarsStay ? DWORD(ES_DISABLENOSCROLL) : 0);
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
    ShowInPlaceOf(hOld, pRect);
    return hOld;
}

void CRichEditView::ShowInPlaceOf(HWND hOld, const CRect* pRect)
{
    CRect rect;
    ::GetWindowRect(hOld, &rect);
    GetParent()->ScreenToClient(&rect);
    if (pRect)
        rect = *pRect;
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

void CRichEditView::KeepControl(HWND hControl, unsigned long nStepId)
{
    DropKeptControl();
    if (hControl)
        m_kept = {hControl, nStepId, TextLength()};
}

void CRichEditView::DropKeptControl()
{
    if (m_kept.hWnd)
        ::DestroyWindow(m_kept.hWnd);
    m_kept = {};
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
            StreamInSelection(*pPiece);
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

long CRichEditView::PutRtf(long nStart, long nEnd, const std::string& rtf, HWND& hOld,
                           BOOL bBarsStay)
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
        hOld = ReplaceControl([&] { FillFromPieces({&before, &rtf, &after}); }, bBarsStay);
    } else {
        CHARRANGE range{nStart, nEnd};
        SendMessage(EM_EXSETSEL, 0, LPARAM(&range));
        if (rtf.empty())
            DefWindowProc(EM_REPLACESEL, TRUE, LPARAM(""));
        else
            StreamInSelection(rtf);
    }
    return TextLength() - nKept;
}

void CRichEditView::MakeChange(long nStart, long nEnd, const std::string& rtf)
{
    HWND hOld = nullptr;
    const long nLength = PutRtf(nStart, nEnd, rtf, hOld, FALSE);
    // The control put away holds the text as Undo of this change brings it back.
    if (m_hPutAway)
        ::DestroyWindow(m_hPutAway);
    m_hPutAway = hOld;
    CHARRANGE caret{nStart + nLength, nStart + nLength};
    SendMessage(EM_EXSETSEL, 0, LPARAM(&caret));
    if (hOld && m_pDocument)
        m_pDocument->SetModifiedFlag();
}

void CRichEditView::ReplaceSelectionRtf(const std::string& rtf)
{
    RecordEdit(EditKind::Other, 0, [&] {
        CHARRANGE sel = Selection();
        const long nLength = TextLength();
        MakeChange(std::min(sel.cpMin, nLength), std::min(sel.cpMax, nLength), rtf);
        return LRESULT(0);
    });
}

BOOL CRichEditView::TakeLongSelection()
{
    CHARRANGE sel = Selection();
    const long nLength = TextLength();
    sel.cpMin = std::min(sel.cpMin, nLength);
    sel.cpMax = std::min(sel.cpMax, nLength);
    if (sel.cpMax <= sel.cpMin || LineOfChar(sel.cpMax) - LineOfChar(sel.cpMin) <= kLongChangeLines)
        return FALSE;
    MakeChange(sel.cpMin, sel.cpMax, std::string());
    SendMessage(EM_SCROLLCARET);
    return TRUE;
}

std::string CRichEditView::Swap(const TextStep& step, long& nLength)
{
    std::string taken = RtfOfRange(step.nStart, step.nStart + step.nLength);
    const long nKept = TextLength() - step.nLength;
    if (m_kept.hWnd && m_kept.nStepId == step.nId && m_kept.nLength == TextLength() &&
        SizeOf(m_kept.hWnd) == SizeOf(m_hWnd)) {
        // The control put away by this step, or by its last Undo or Redo, holds the text as
        // the swap leaves it: it comes back instead of a new control being filled, where its
        // size is the view's, as it would lay its whole text out again at another.
        const HWND hKept = m_kept.hWnd;
        m_kept = {};
        KeepControl(ExchangeControl(hKept), step.nId);
    } else {
        HWND hOld = nullptr;
        // A new control for an Undo or Redo takes the whole text: its bars are shown from the
        // start, so that it is laid out once.
        const long nPut =
            PutRtf(step.nStart, step.nStart + step.nLength, step.rtfOther, hOld, TRUE);
        // Wine's control drops the last of two paragraph ends that end a stream.
        if (nPut == step.nOtherLength - 1 && EndsWithParagraph(step.rtfOther)) {
            CHARRANGE end{step.nStart + nPut, step.nStart + nPut};
            SendMessage(EM_EXSETSEL, 0, LPARAM(&end));
            DefWindowProc(EM_REPLACESEL, FALSE, LPARAM("\r"));
        }
        if (hOld)
            KeepControl(hOld, step.nId);
        else if (!m_history.Holds(m_kept.nStepId))
            DropKeptControl();
    }
    nLength = TextLength() - nKept;
    if (m_pDocument)
        m_pDocument->SetModifiedFlag();
    return taken;
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

LRESULT CRichEditView::OnPosChangingMessage(WPARAM wParam, LPARAM lParam)
{
    auto& pos = *reinterpret_cast<WINDOWPOS*>(lParam);
    const CSize size = SizeOf(m_hWnd);
    if (!(pos.flags & SWP_NOSIZE))
        m_bSizeHeld = FALSE; // a size asked later stands for the one held
    if ((pos.flags & SWP_NOSIZE) || (pos.cx == size.cx && pos.cy == size.cy) ||
        SendMessage(EM_GETLINECOUNT) <= kRebuildLines)
        return DefWindowProc(WM_WINDOWPOSCHANGING, wParam, lParam);
    if (m_bSizeMove) {
        m_bSizeHeld = TRUE;
        m_sizeHeld = CSize(pos.cx, pos.cy);
        pos.flags |= SWP_NOSIZE;
        return DefWindowProc(WM_WINDOWPOSCHANGING, wParam, lParam);
    }
    CRect rect;
    GetWindowRect(&rect);
    GetParent()->ScreenToClient(&rect);
    const CPoint at = (pos.flags & SWP_NOMOVE) ? rect.TopLeft() : CPoint(pos.x, pos.y);
    rect = CRect(at, CSize(pos.cx, pos.cy));
    const std::string text = RtfOfRange(0, TextLength());
    CHARRANGE sel = Selection();
    POINT scroll = ScrollPosition();
    // Typing marks only the control as changed: the new one carries that mark and no other, or
    // the document would close without asking to save what was typed, or ask to save it again.
    const BOOL bModified = BOOL(SendMessage(EM_GETMODIFY));
    const HWND hOld = ReplaceControl(
        [&] {
            // Sized while empty, so that the view hears of its new size as from the old control.
            SetWindowPos(nullptr, 0, 0, rect.Width(), rect.Height(),
                         SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
            FillFromPieces({&text});
        },
        TRUE, &rect);
    SendMessage(EM_EXSETSEL, 0, LPARAM(&sel));
    SendMessage(EM_SETSCROLLPOS, 0, LPARAM(&scroll));
    SendMessage(EM_SETMODIFY, bModified);
    if (!hOld) // the old control took the text again where it stands
        return DefWindowProc(WM_WINDOWPOSCHANGING, wParam, lParam);
    // The old control, hidden already, stays as it is and goes once this move is over.
    pos.flags = (pos.flags | SWP_NOSIZE | SWP_NOMOVE | SWP_NOZORDER) & ~UINT(SWP_SHOWWINDOW);
    ::PostMessageA(hOld, WM_CLOSE, 0, 0);
    return 0;
}

LRESULT CRichEditView::OnSizeMoveLoop(WPARAM bStarts, LPARAM)
{
    m_bSizeMove = BOOL(bStarts);
    if (!m_bSizeHeld || m_bSizeMove || !m_hWnd)
        return 0;
    m_bSizeHeld = FALSE;
    SetWindowPos(nullptr, 0, 0, m_sizeHeld.cx, m_sizeHeld.cy,
                 SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
    return 0;
}
