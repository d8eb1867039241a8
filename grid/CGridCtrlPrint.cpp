// Printing a grid: the job laid out once (the printer font, the page in grid units, where the
// pages break), then each page with its header, the header rows and columns, the data cells
// with their rules, and the footer "Page n of m" with the date and time.
#include "framework/core/CString.h"
#include "framework/win/CDC.h"
#include "framework/win/CPrintDialog.h"
#include "framework/win/CWinApp.h"
#include "framework/win/FrameworkIds.h"
#include "grid/CGridCtrl.h"

#include <algorithm>
#include <ctime>

namespace {

// The 52 letters the average character width is measured over.
const char kAlphabet[] = "abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSATUVWXYZ";

// Draws a line from (x1, y1) up to (x2, y2), the end point excluded.
void Rule(CDC* pDC, int x1, int y1, int x2, int y2)
{
    pDC->MoveTo(x1, y1);
    pDC->LineTo(x2, y2);
}

// A bold copy of the printer font, selected for the header and footer texts.
class CBoldPrinterFont {
public:
    CBoldPrinterFont(CDC* pDC, CFont& printerFont) : m_pDC(pDC)
    {
        LOGFONTA lf = {};
        printerFont.GetLogFont(&lf);
        lf.lfWeight = FW_BOLD;
        m_font.CreateFontIndirect(&lf);
        m_pOldFont = pDC->SelectObject(&m_font);
        m_nOldMode = pDC->SetBkMode(TRANSPARENT);
    }
    ~CBoldPrinterFont()
    {
        m_pDC->SetBkMode(m_nOldMode);
        m_pDC->SelectObject(m_pOldFont);
    }

private:
    CDC* m_pDC;
    CFont m_font;
    CFont* m_pOldFont;
    int m_nOldMode;
};

} // namespace

CString CGridCtrl::PrintedTitle() const
{
    // The window text of the grid's nearest ancestor that has one.
    CString title;
    for (HWND hWnd = ::GetParent(m_hWnd); hWnd && title.IsEmpty(); hWnd = ::GetParent(hWnd))
        CWnd::FromHandle(hWnd)->GetWindowText(title);
    return title;
}

void CGridCtrl::Print(CPrintInfo* pInfo)
{
    CPrintInfo ownInfo;
    if (!pInfo) {
        CWinApp* pApp = AfxGetApp();
        CPrintDialog* pPD = ownInfo.m_pPD;
        if (!pApp)
            pPD->GetDefaults(); // the dialog starts on the system's printer
        if ((pApp ? pApp->DoPrintDialog(pPD) : pPD->DoModal()) != IDOK)
            return;
        pInfo = &ownInfo;
    }
    CString docName;
    if (!docName.LoadString(AFX_IDS_APP_TITLE) || docName.IsEmpty())
        docName = PrintedTitle();
    CPrintJobHooks hooks;
    hooks.begin = [this](CDC* pDC, CPrintInfo* pJob) { OnBeginPrinting(pDC, pJob); };
    hooks.print = [this](CDC* pDC, CPrintInfo* pJob) { OnPrint(pDC, pJob); };
    hooks.end = [this](CDC* pDC, CPrintInfo* pJob) { OnEndPrinting(pDC, pJob); };
    AfxRunPrintJob(this, *pInfo, docName, hooks);
}

void CGridCtrl::OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo || !m_hWnd)
        return;
    CDC* pScreenDC = GetDC();
    if (!pScreenDC)
        return;
    const CSize printerDpi(pDC->GetDeviceCaps(LOGPIXELSX), pDC->GetDeviceCaps(LOGPIXELSY));
    const CSize screenDpi(pScreenDC->GetDeviceCaps(LOGPIXELSX),
                          pScreenDC->GetDeviceCaps(LOGPIXELSY));
    ReleaseDC(pScreenDC);

    m_PrinterFont.DeleteObject();
    m_PrinterFont.CreateFont(-10, 0, 0, 0, FW_NORMAL, 0, 0, 0, DEFAULT_CHARSET,
                             OUT_CHARACTER_PRECIS, CLIP_CHARACTER_PRECIS, DEFAULT_QUALITY, 0,
                             "Arial");
    CFont* pOldFont = pDC->SelectObject(&m_PrinterFont);
    const CSize alphabet = pDC->GetTextExtent(kAlphabet, 52);
    pDC->SelectObject(pOldFont);
    m_CharSize = CSize(alphabet.cx / 52, alphabet.cy);
    const int nMarginWidth = (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx;

    m_PaperSize = CSize(pDC->GetDeviceCaps(HORZRES), pDC->GetDeviceCaps(VERTRES));
    if (m_PaperSize.cx <= 0 || m_PaperSize.cy <= 0 || printerDpi.cx <= 0 || printerDpi.cy <= 0) {
        // Nothing can be printed on paper of no size.
        m_PageBreaks.Clear();
        m_nNumPages = 0;
        pInfo->SetMaxPage(0);
        return;
    }
    if (m_bWysiwygPrinting) {
        m_LogicalPageSize.cx = m_PaperSize.cx * screenDpi.cx / printerDpi.cx * 3 / 4;
        m_LogicalPageSize.cy = m_PaperSize.cy * screenDpi.cy / printerDpi.cy * 3 / 4;
    } else {
        m_LogicalPageSize.cx = GetVirtualWidth() + nMarginWidth;
        m_LogicalPageSize.cy = ::MulDiv(m_LogicalPageSize.cx, m_PaperSize.cy, m_PaperSize.cx);
    }
    m_nPageHeight = m_LogicalPageSize.cy -
                    (m_nHeaderHeight + m_nFooterHeight + 2 * m_nGap) * m_CharSize.cy -
                    GetFixedRowHeight();
    m_nPageWidth = m_LogicalPageSize.cx - GetFixedColumnWidth() - nMarginWidth;
    m_PageBreaks.Compute(m_rows, m_cols, m_nPageHeight, m_nPageWidth, m_bWysiwygPrinting);
    m_nPageMultiplier = m_PageBreaks.GetStripCount();
    m_nNumPages = m_PageBreaks.GetPageCount();
    pInfo->SetMaxPage(UINT(m_nNumPages));
    pInfo->m_nCurPage = 1;
}

void CGridCtrl::OnEndPrinting(CDC*, CPrintInfo*)
{
    m_PrinterFont.DeleteObject();
    m_PageBreaks.Clear();
}

void CGridCtrl::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    if (!pDC || !pInfo || !m_PrinterFont.m_hObject ||
        !m_PageBreaks.GetPage(int(pInfo->m_nCurPage), m_PrintPage))
        return;
    // Mapping, origin and font go back to what they were however the page ends.
    const int nSavedDC = pDC->SaveDC();
    pDC->SelectObject(&m_PrinterFont);
    pDC->SetMapMode(MM_ANISOTROPIC);
    pDC->SetWindowExt(m_LogicalPageSize.cx, m_LogicalPageSize.cy);
    pDC->SetViewportExt(m_PaperSize.cx, m_PaperSize.cy);
    const int nLeft = m_nLeftMargin * m_CharSize.cx;
    pDC->SetWindowOrg(-nLeft, 0);

    pInfo->m_rectDraw.SetRect(
        0, 0, m_LogicalPageSize.cx - (m_nLeftMargin + m_nRightMargin) * m_CharSize.cx,
        m_nHeaderHeight * m_CharSize.cy);
    PrintHeader(pDC, pInfo);
    pDC->OffsetWindowOrg(0, -m_nHeaderHeight * m_CharSize.cy);
    pDC->OffsetWindowOrg(0, -m_nGap * m_CharSize.cy);
    pDC->OffsetWindowOrg(0, -GetFixedRowHeight());

    m_nCurrPrintRow = m_PrintPage.rowFirst;
    m_nCurrPrintCol = m_PrintPage.colFirst;
    PrintRowButtons(pDC, pInfo);
    pInfo->m_rectDraw.bottom = GetFixedRowHeight();
    pDC->OffsetWindowOrg(0, GetFixedRowHeight());
    PrintColumnHeadings(pDC, pInfo);
    pDC->OffsetWindowOrg(-GetFixedColumnWidth(), -GetFixedRowHeight());
    PrintCells(pDC);

    pInfo->m_rectDraw.bottom = m_nFooterHeight * m_CharSize.cy;
    pDC->SetWindowOrg(-nLeft, m_nFooterHeight * m_CharSize.cy - m_LogicalPageSize.cy);
    PrintFooter(pDC, pInfo);
    pDC->SetWindowOrg(0, 0);
    pDC->RestoreDC(nSavedDC);
}

// The rules of a printed cell, in the DC's pen: below (and above on row 0) for horizontal
// lines, at the right (and the left on column 0) from nTop for vertical ones.
void CGridCtrl::PrintRules(CDC* pDC, const CRect& rect, int nRow, int nCol, int nTop) const
{
    if (m_nGridLines == GVL_HORZ || m_nGridLines == GVL_BOTH) {
        const int nLeft = nCol == 0 ? rect.left : rect.left - 1;
        Rule(pDC, nLeft, rect.bottom, rect.right, rect.bottom);
        if (nRow == 0)
            Rule(pDC, nLeft, rect.top, rect.right, rect.top);
    }
    if (m_nGridLines == GVL_VERT || m_nGridLines == GVL_BOTH) {
        Rule(pDC, rect.right, nTop, rect.right, rect.bottom);
        if (nCol == 0)
            Rule(pDC, rect.left, nTop, rect.left, rect.bottom);
    }
}

// Moves rect on to the next column, nWidth wide (clipped at nRight when printed as on screen),
// and prints cell (nRow, nCol) there with its rules, vertical ones from nRuleTop.
void CGridCtrl::PrintNextCell(CDC* pDC, int nRow, int nCol, int nWidth, int nRight, CRect& rect,
                              int nRuleTop)
{
    rect.left = rect.right + 1;
    rect.right = rect.left + nWidth - 1;
    if (m_bWysiwygPrinting)
        rect.right = std::min(int(rect.right), std::max(nRight, int(rect.left)));
    if (CGridCellBase* pCell = GetCell(nRow, nCol))
        pCell->PrintCell(pDC, nRow, nCol, rect);
    PrintRules(pDC, rect, nRow, nCol, nRuleTop);
}

void CGridCtrl::PrintCells(CDC* pDC)
{
    CRect rect;
    rect.bottom = -1;
    for (int nRow = m_PrintPage.rowFirst; nRow < m_PrintPage.rowEnd; ++nRow) {
        const int nHeight = GetRowHeight(nRow);
        if (nHeight <= 0)
            continue;
        const BOOL bFirstRow = rect.bottom < 0;
        rect.top = rect.bottom + 1;
        // A row taller than the page is the page's only row: it prints clipped.
        rect.bottom = std::min(int(rect.top) + nHeight - 1, std::max(m_nPageHeight, int(rect.top)));
        rect.right = -1;
        for (int nCol = m_PrintPage.colFirst; nCol < m_PrintPage.colEnd; ++nCol) {
            const int nWidth = GetColumnWidth(nCol);
            if (nWidth <= 0)
                continue;
            PrintNextCell(pDC, nRow, nCol, nWidth, m_nPageWidth, rect,
                          bFirstRow ? rect.top : rect.top - 1);
        }
    }
}

void CGridCtrl::PrintColumnHeadings(CDC* pDC, CPrintInfo*)
{
    CFont* pOldFont = pDC->SelectObject(&m_PrinterFont);
    CRect rect;
    rect.bottom = -1;
    BOOL bFirst = TRUE;
    for (int nRow = 0; nRow < GetFixedRowCount(); ++nRow) {
        const int nHeight = GetRowHeight(nRow);
        if (nHeight <= 0)
            continue;
        rect.top = rect.bottom + 1;
        rect.bottom = rect.top + nHeight - 1;
        rect.right = -1;
        PrintFixedRowCells(0, GetFixedColumnCount(), nRow, rect, pDC, bFirst);
        PrintFixedRowCells(m_nCurrPrintCol, m_PrintPage.colEnd, nRow, rect, pDC, bFirst);
    }
    pDC->SelectObject(pOldFont);
}

void CGridCtrl::PrintFixedRowCells(int nStartColumn, int nStopColumn, int& row, CRect& rect,
                                   CDC* pDC, BOOL& bFirst)
{
    const int nRight = GetFixedColumnWidth() + std::max(m_nPageWidth, 0);
    for (int nCol = nStartColumn; nCol < nStopColumn; ++nCol) {
        const int nWidth = GetColumnWidth(nCol);
        if (nWidth <= 0)
            continue;
        PrintNextCell(pDC, row, nCol, nWidth, nRight, rect, row == 0 ? rect.top : rect.top - 1);
        if (bFirst) {
            Rule(pDC, rect.left - 1, rect.top, rect.left - 1, rect.bottom);
            bFirst = FALSE;
        }
    }
}

void CGridCtrl::PrintRowButtons(CDC* pDC, CPrintInfo*)
{
    CFont* pOldFont = pDC->SelectObject(&m_PrinterFont);
    CRect rect;
    rect.right = -1;
    for (int nCol = 0; nCol < GetFixedColumnCount(); ++nCol) {
        const int nWidth = GetColumnWidth(nCol);
        if (nWidth <= 0)
            continue;
        rect.left = rect.right + 1;
        rect.right = rect.left + nWidth - 1;
        rect.bottom = -1;
        for (int nRow = m_nCurrPrintRow; nRow < m_PrintPage.rowEnd; ++nRow) {
            const int nHeight = GetRowHeight(nRow);
            if (nHeight <= 0)
                continue;
            const BOOL bFirstCell = rect.bottom < 0;
            rect.top = rect.bottom + 1;
            rect.bottom =
                std::min(int(rect.top) + nHeight - 1, std::max(m_nPageHeight, int(rect.top)));
            if (CGridCellBase* pCell = GetCell(nRow, nCol))
                pCell->PrintCell(pDC, nRow, nCol, rect);
            PrintRules(pDC, rect, nRow, nCol, nRow == 0 ? rect.top : rect.top - 1);
            if (bFirstCell && (m_nGridLines == GVL_HORZ || m_nGridLines == GVL_BOTH))
                Rule(pDC, nCol == 0 ? rect.left : rect.left - 1, rect.top - 1, rect.right,
                     rect.top - 1);
        }
    }
    pDC->SelectObject(pOldFont);
}

void CGridCtrl::PrintHeader(CDC* pDC, CPrintInfo* pInfo)
{
    CString right;
    right.LoadString(AFX_IDS_APP_TITLE);
    const CString centre = PrintedTitle();
    CRect rect = pInfo->m_rectDraw;
    {
        CBoldPrinterFont bold(pDC, m_PrinterFont);
        if (!centre.IsEmpty())
            pDC->DrawText(centre, &rect, DT_CENTER | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
        if (!right.IsEmpty())
            pDC->DrawText(right, &rect, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
    }
    pDC->SelectStockObject(BLACK_PEN);
    Rule(pDC, rect.left, rect.bottom, rect.right, rect.bottom);
}

void CGridCtrl::PrintFooter(CDC* pDC, CPrintInfo* pInfo)
{
    CString left;
    left.Format("Page %d of %d", int(pInfo->m_nCurPage), int(pInfo->GetMaxPage()));
    char when[128] = {};
    const std::time_t now = std::time(nullptr);
    if (const std::tm* local = std::localtime(&now))
        std::strftime(when, sizeof when, "%c", local);
    const CString right(when);
    CRect rect = pInfo->m_rectDraw;
    pDC->SelectStockObject(BLACK_PEN);
    Rule(pDC, rect.left, rect.top, rect.right, rect.top);
    CBoldPrinterFont bold(pDC, m_PrinterFont);
    pDC->SetTextColor(RGB(0, 0, 0));
    if (!left.IsEmpty())
        pDC->DrawText(left, &rect, DT_LEFT | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
    if (!right.IsEmpty())
        pDC->DrawText(right, &rect, DT_RIGHT | DT_SINGLELINE | DT_NOPREFIX | DT_VCENTER);
}
