// The print job of a view: the printer chosen, the output file when printing to a file, the
// document started, each page prepared, printed and ended, the job ended or aborted, and the
// view told at every step.
#include "framework/win/CDC.h"
#include "framework/win/CDocument.h"
#include "framework/win/CPrintDialog.h"
#include "framework/win/CView.h"
#include "framework/win/CWinApp.h"

namespace {

const char kNoPrinterText[] =
    "There is no printer to print on. Install a printer, then print again.";
const char kPrintFailedText[] = "The document could not be printed.";

// Asks where a job printed to a file goes; FALSE when the user cancelled.
BOOL AskOutputFile(CWnd* pParent, CString& output)
{
    CFileDialog dialog(FALSE, "prn", nullptr, OFN_HIDEREADONLY | OFN_OVERWRITEPROMPT,
                       "Printer Files (*.prn)|*.prn|All Files (*.*)|*.*||", pParent);
    dialog.m_ofn.lpstrTitle = "Print to File";
    if (dialog.DoModal() != IDOK)
        return FALSE;
    output = dialog.GetPathName();
    return !output.IsEmpty();
}

} // namespace

void CView::OnPrepareDC(CDC*, CPrintInfo* pInfo)
{
    // A job whose length nobody set prints its first page only.
    if (pInfo && pInfo->GetMaxPage() == kPrintUnknownMaxPage && pInfo->m_nCurPage > 1)
        pInfo->m_bContinuePrinting = FALSE;
}

BOOL CView::OnPreparePrinting(CPrintInfo*) { return FALSE; }

void CView::OnBeginPrinting(CDC*, CPrintInfo*) {}

void CView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    OnPrepareDC(pDC, pInfo);
    OnDraw(pDC);
}

void CView::OnEndPrinting(CDC*, CPrintInfo*) {}

void CView::OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo) { OnEndPrinting(pDC, pInfo); }

BOOL CView::DoPreparePrinting(CPrintInfo* pInfo)
{
    CWinApp* pApp = AfxGetApp();
    CPrintDialog* pPD = pInfo->m_pPD;
    if (!pApp || !pApp->GetPrinterDeviceDefaults(&pPD->m_pd)) {
        AfxMessageBox(kNoPrinterText, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    if (pInfo->m_bPreview || pInfo->m_bDirect) {
        pPD->m_pd.hDC = pPD->CreatePrinterDC();
    } else {
        pPD->m_pd.nFromPage = WORD(pInfo->GetMinPage());
        pPD->m_pd.nToPage = WORD(pInfo->GetMaxPage());
        if (pApp->DoPrintDialog(pPD) != IDOK)
            return FALSE;
    }
    if (!pPD->m_pd.hDC) {
        AfxMessageBox(kNoPrinterText, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    return TRUE;
}

void CView::OnFilePrint() { PrintJob(FALSE); }

void CView::OnFilePrintDirect() { PrintJob(TRUE); }

void CView::PrintJob(BOOL bDirect)
{
    CPrintInfo info;
    info.m_bDirect = bDirect;
    if (!OnPreparePrinting(&info))
        return;
    CPrintJobHooks hooks;
    hooks.begin = [this](CDC* pDC, CPrintInfo* pInfo) { OnBeginPrinting(pDC, pInfo); };
    hooks.prepare = [this](CDC* pDC, CPrintInfo* pInfo) { OnPrepareDC(pDC, pInfo); };
    hooks.print = [this](CDC* pDC, CPrintInfo* pInfo) { OnPrint(pDC, pInfo); };
    hooks.end = [this](CDC* pDC, CPrintInfo* pInfo) { OnEndPrinting(pDC, pInfo); };
    AfxRunPrintJob(this, info, m_pDocument ? m_pDocument->GetTitle() : CString(), hooks);
}

namespace {

BOOL PrintPages(CDC& dc, CPrintInfo& info, const CPrintJobHooks& hooks)
{
    for (info.m_nCurPage = info.GetFromPage();
         info.m_nCurPage <= info.GetToPage() && info.m_bContinuePrinting; ++info.m_nCurPage) {
        if (hooks.prepare)
            hooks.prepare(&dc, &info);
        if (!info.m_bContinuePrinting)
            break;
        if (dc.StartPage() <= 0)
            return FALSE;
        info.m_rectDraw.SetRect(0, 0, dc.GetDeviceCaps(HORZRES), dc.GetDeviceCaps(VERTRES));
        dc.DPtoLP(&info.m_rectDraw);
        if (hooks.print)
            hooks.print(&dc, &info);
        if (dc.EndPage() <= 0)
            return FALSE;
    }
    return TRUE;
}

} // namespace

BOOL AfxRunPrintJob(CWnd* pParent, CPrintInfo& info, LPCTSTR lpszDocName,
                    const CPrintJobHooks& hooks)
{
    CDC dc;
    if (!dc.Attach(info.m_pPD->m_pd.hDC)) {
        AfxMessageBox(kNoPrinterText, MB_OK | MB_ICONEXCLAMATION);
        return FALSE;
    }
    info.m_pPD->m_pd.hDC = nullptr; // the job's DC owns it now
    dc.m_bPrinting = TRUE;

    CString output;
    const BOOL bToFile =
        info.m_pPD->PrintToFile() || info.m_pPD->GetPortName().CompareNoCase("FILE:") == 0;
    if (bToFile && !AskOutputFile(pParent, output))
        return FALSE;
    DOCINFOA docInfo = {};
    docInfo.cbSize = sizeof docInfo;
    docInfo.lpszDocName = lpszDocName;
    docInfo.lpszOutput = bToFile ? output.GetString() : nullptr;

    if (hooks.begin)
        hooks.begin(&dc, &info);
    BOOL bPrinted = dc.StartDoc(&docInfo) > 0;
    if (bPrinted) {
        bPrinted = PrintPages(dc, info, hooks);
        if (bPrinted)
            bPrinted = dc.EndDoc() > 0;
        else
            dc.AbortDoc();
    }
    if (hooks.end)
        hooks.end(&dc, &info);
    if (!bPrinted)
        AfxMessageBox(kPrintFailedText, MB_OK | MB_ICONEXCLAMATION);
    return bPrinted;
}
