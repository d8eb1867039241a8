// Printing a rich-edit view. The control formats the text into pages of the printer within the
// view's margins (EM_FORMATRANGE); where the control cannot (Wine's does nothing), the view
// lays the lines out itself in the text's default font, each character in the colour the
// control shows it in, wrapping long lines at the margin as the control would. Either way the
// pages' starts and the text's area are found once when the job begins, so each page is drawn
// alone, in any order, and alike on paper and in the preview.
#include "framework/core/LineBreaks.h"
#include "framework/core/PageBreaks.h"
#include "framework/win/CDC.h"
#include "framework/win/CPrintDialog.h"
#include "framework/win/CRichEditView.h"

#include <algorithm>
#include <string>

namespace {

constexpr int kTwipsPerInch = 1440;

int Twips(int nPixels, int nPixelsPerInch)
{
    return nPixelsPerInch > 0 ? ::MulDiv(nPixels, kTwipsPerInch, nPixelsPerInch) : 0;
}

// Printed lines are drawn one at a time, tabs expanded.
constexpr UINT kPrintLineFormat = DT_LEFT | DT_NOPREFIX | DT_EXPANDTABS | DT_SINGLELINE;

int TextWidth(CDC* pDC, const CString& text)
{
    CRect rect(0, 0, 0, 0);
    pDC->DrawText(text, &rect, kPrintLineFormat | DT_CALCRECT);
    return rect.Width();
}

// The runs of a line's characters from nStart to nEnd.
std::vector<RichPrintRun> SliceRuns(const std::vector<RichPrintRun>& runs, int nStart, int nEnd)
{
    std::vector<RichPrintRun> slice;
    int nAt = 0;
    for (const RichPrintRun& run : runs) {
        const int from = std::max(nAt, nStart), to = std::min(nAt + run.nLength, nEnd);
        if (from < to)
            slice.push_back({to - from, run.cr});
        nAt += run.nLength;
    }
    return slice;
}

// The lines as printed within nWidth pixels in the selected font: each wrapped into pieces,
// which keep the colours of their characters.
std::vector<RichPrintLine> WrapLines(CDC* pDC, const std::vector<RichPrintLine>& lines, int nWidth)
{
    std::vector<RichPrintLine> printed;
    for (const RichPrintLine& line : lines) {
        if (TextWidth(pDC, line.text) <= nWidth) {
            printed.push_back(line);
            continue;
        }
        // The most characters from start that fit: widths grow with the characters.
        auto fits = [&](int start) {
            int lo = 0, hi = line.text.GetLength() - start;
            while (lo < hi) {
                const int mid = (lo + hi + 1) / 2;
                if (TextWidth(pDC, line.text.Mid(start, mid)) <= nWidth)
                    lo = mid;
                else
                    hi = mid - 1;
            }
            return lo;
        };
        const std::vector<int> starts = BreakLine(line.text, fits);
        for (std::size_t i = 0; i < starts.size(); ++i) {
            const int end = i + 1 < starts.size() ? starts[i + 1] : line.text.GetLength();
            printed.push_back(
                {line.text.Mid(starts[i], end - starts[i]), SliceRuns(line.runs, starts[i], end)});
        }
    }
    return printed;
}

} // namespace

BOOL CRichEditView::OnPreparePrinting(CPrintInfo* pInfo) { return DoPreparePrinting(pInfo); }

void CRichEditView::GetPrintRects(CDC* pDC, RECT& rectText, RECT& rectPage) const
{
    const int dpiX = pDC->GetDeviceCaps(LOGPIXELSX), dpiY = pDC->GetDeviceCaps(LOGPIXELSY);
    // The printable area, and where it sits on the paper.
    const CSize printable(Twips(pDC->GetDeviceCaps(HORZRES), dpiX),
                          Twips(pDC->GetDeviceCaps(VERTRES), dpiY));
    const CSize paper(Twips(pDC->GetDeviceCaps(PHYSICALWIDTH), dpiX),
                      Twips(pDC->GetDeviceCaps(PHYSICALHEIGHT), dpiY));
    const CPoint offset(Twips(pDC->GetDeviceCaps(PHYSICALOFFSETX), dpiX),
                        Twips(pDC->GetDeviceCaps(PHYSICALOFFSETY), dpiY));
    rectPage = {0, 0, printable.cx, printable.cy};
    // The margins are measured from the paper's edges; a device without paper (a screen) has
    // them from the printable area's.
    const CSize edge = paper.cx > 0 && paper.cy > 0 ? paper : printable;
    CRect text(m_rectMargin.left - offset.x, m_rectMargin.top - offset.y,
               edge.cx - m_rectMargin.right - offset.x, edge.cy - m_rectMargin.bottom - offset.y);
    text.IntersectRect(&text, &rectPage);
    // Margins wider than the paper leave the whole printable area to the text.
    rectText = text.IsRectEmpty() ? rectPage : RECT(text);
}

void CRichEditView::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    m_aPageStart.clear();
    if (!pDC || !pInfo || !m_hWnd)
        return;
    GetPrintRects(pDC, m_rectPrintText, m_rectPrintPage);
    m_nPrintDpi = CSize(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
    if (!PaginateByControl(pDC))
        PaginateLines(pDC);
    pInfo->SetMaxPage(UINT(std::max<std::size_t>(m_aPageStart.size(), 1) - 1));
}

BOOL CRichEditView::PaginateByControl(CDC* pDC)
{
    m_bPrintLines = FALSE;
    FORMATRANGE range = {};
    range.hdc = range.hdcTarget = pDC->m_hDC;
    range.rcPage = m_rectPrintPage;
    const long nLength = GetRichEditCtrl().GetTextLength();
    long nStart = 0;
    do {
        m_aPageStart.push_back(nStart);
        range.rc = m_rectPrintText; // the control shrinks rc to what it filled
        range.chrg = {nStart, -1};
        const auto nNext = long(SendMessage(EM_FORMATRANGE, FALSE, LPARAM(&range)));
        if (nNext <= nStart) {
            // A control that formats nothing of a text cannot print it.
            SendMessage(EM_FORMATRANGE, FALSE, 0);
            m_aPageStart.clear();
            if (nLength > 0)
                return FALSE;
            m_aPageStart = {0, 0}; // one empty page
            return TRUE;
        }
        nStart = nNext;
    } while (nStart < nLength);
    m_aPageStart.push_back(nLength);
    SendMessage(EM_FORMATRANGE, FALSE, 0);
    return TRUE;
}

void CRichEditView::PaginateLines(CDC* pDC)
{
    m_bPrintLines = TRUE;
    CHARFORMATA cf = {};
    GetRichEditCtrl().GetDefaultCharFormat(cf);
    LOGFONTA lf = {};
    lf.lfHeight = -::MulDiv(cf.yHeight > 0 ? cf.yHeight : 200, m_nPrintDpi.cy, kTwipsPerInch);
    lf.lfWeight = (cf.dwEffects & CFE_BOLD) ? FW_BOLD : FW_NORMAL;
    lf.lfItalic = BYTE((cf.dwEffects & CFE_ITALIC) != 0);
    lf.lfUnderline = BYTE((cf.dwEffects & CFE_UNDERLINE) != 0);
    lf.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynA(lf.lfFaceName, cf.szFaceName, LF_FACESIZE);
    m_printFont.DeleteObject();
    m_printFont.CreateFontIndirect(&lf);

    const CRect rectText = PrintTextRect();
    CFont* pOldFont = pDC->SelectObject(&m_printFont);
    TEXTMETRICA tm = {};
    pDC->GetTextMetrics(&tm);
    m_nPrintLineHeight = std::max(int(tm.tmHeight + tm.tmExternalLeading), 1);
    m_aPrintLines = WrapLines(pDC, ReadColouredLines(), rectText.Width());
    pDC->SelectObject(pOldFont);
    const std::vector<int> starts = BreakIntoPages(
        0, int(m_aPrintLines.size()), [this](int) { return m_nPrintLineHeight; },
        rectText.Height());
    m_aPageStart.assign(starts.begin(), starts.end());
}

std::vector<RichPrintLine> CRichEditView::ReadColouredLines()
{
    // Asking the control for the colours through the selection would find each run from the
    // text's start: its rich text has them all in one pass.
    return ReadRtfColouredLines(RtfOfRange(0, TextLength()));
}

CRect CRichEditView::PrintTextRect() const
{
    return CRect(::MulDiv(m_rectPrintText.left, m_nPrintDpi.cx, kTwipsPerInch),
                 ::MulDiv(m_rectPrintText.top, m_nPrintDpi.cy, kTwipsPerInch),
                 ::MulDiv(m_rectPrintText.right, m_nPrintDpi.cx, kTwipsPerInch),
                 ::MulDiv(m_rectPrintText.bottom, m_nPrintDpi.cy, kTwipsPerInch));
}

void CRichEditView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo || !m_hWnd || pInfo->m_nCurPage < 1 ||
        pInfo->m_nCurPage + 1 > m_aPageStart.size())
        return;
    const std::size_t nPage = pInfo->m_nCurPage - 1;
    const long nFirst = m_aPageStart[nPage], nEnd = m_aPageStart[nPage + 1];
    if (m_bPrintLines) {
        PrintLines(pDC, int(nFirst), int(nEnd));
        return;
    }
    FORMATRANGE range = {};
    range.hdc = pDC->m_hDC;
    range.hdcTarget = pDC->m_hAttribDC ? pDC->m_hAttribDC : pDC->m_hDC;
    range.rc = m_rectPrintText;
    range.rcPage = m_rectPrintPage;
    range.chrg = {nFirst, nEnd};
    SendMessage(EM_FORMATRANGE, TRUE, LPARAM(&range));
    SendMessage(EM_FORMATRANGE, FALSE, 0);
}

void CRichEditView::PrintLines(CDC* pDC, int nFirst, int nEnd)
{
    const int nSaved = pDC->SaveDC();
    pDC->SelectObject(&m_printFont);
    pDC->SetBkMode(TRANSPARENT);
    const CRect rectText = PrintTextRect();
    pDC->IntersectClipRect(&rectText);
    int y = rectText.top;
    for (int i = nFirst; i < nEnd; ++i) {
        // Each run in its colour, from where the line's text before it ends; tabs count from
        // the margin.
        const RichPrintLine& line = m_aPrintLines[std::size_t(i)];
        int nAt = 0;
        for (const RichPrintRun& run : line.runs) {
            const int x =
                rectText.left + pDC->GetTabbedTextExtent(line.text.Left(nAt), 0, nullptr).cx;
            pDC->SetTextColor(run.cr);
            pDC->TabbedTextOut(x, y, line.text.Mid(nAt, run.nLength), 0, nullptr, rectText.left);
            nAt += run.nLength;
        }
        y += m_nPrintLineHeight;
    }
    pDC->RestoreDC(nSaved);
}

void CRichEditView::OnEndPrinting(CDC*, CPrintInfo*)
{
    if (m_hWnd && !m_bPrintLines)
        SendMessage(EM_FORMATRANGE, FALSE, 0);
    m_aPageStart.clear();
    m_aPrintLines.clear();
    m_printFont.DeleteObject();
}
