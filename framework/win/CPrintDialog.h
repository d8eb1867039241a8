#pragma once
// The print dialog and the record of one print or preview job. DoModal asks the modal test
// hook first: a test fills m_pd (flags, page range) and answers IDOK or IDCANCEL; the printer
// device context is then made from the chosen printer as the real dialog would.
#include "framework/core/Geometry.h"
#include "framework/win/CommonDialogs.h"

#include <functional>

class CDC;

class CPrintDialog : public CCommonDialog {
    DECLARE_DYNAMIC(CPrintDialog)
public:
    // bPrintSetupOnly: the printer choice only (no page range, no device context).
    explicit CPrintDialog(BOOL bPrintSetupOnly,
                          DWORD dwFlags = PD_ALLPAGES | PD_USEDEVMODECOPIES | PD_NOPAGENUMS |
                                          PD_HIDEPRINTTOFILE | PD_NOSELECTION,
                          CWnd* pParentWnd = nullptr);
    ~CPrintDialog() override;

    INT_PTR DoModal() override;
    // The default printer's settings without showing anything; FALSE when there is no printer.
    BOOL GetDefaults();

    // A device context of the chosen printer (the caller deletes it); nullptr when none.
    HDC CreatePrinterDC();
    // The device context the dialog made or CreatePrinterDC made (m_pd.hDC).
    HDC GetPrinterDC() const { return m_pd.hDC; }

    CString GetDeviceName() const;
    CString GetDriverName() const;
    CString GetPortName() const;
    BOOL PrintToFile() const { return (m_pd.Flags & PD_PRINTTOFILE) != 0; }
    BOOL PrintAll() const { return !PrintRange() && !PrintSelection(); }
    BOOL PrintRange() const { return (m_pd.Flags & PD_PAGENUMS) != 0; }
    BOOL PrintSelection() const { return (m_pd.Flags & PD_SELECTION) != 0; }
    int GetFromPage() const { return PrintRange() ? m_pd.nFromPage : -1; }
    int GetToPage() const { return PrintRange() ? m_pd.nToPage : -1; }

    PRINTDLGA m_pd{};

private:
    CString DevNamesText(WORD DEVNAMES::*pOffset) const;
};

// One print or preview job as the view's printing hooks see it: the dialog with the chosen
// printer, the page range, the page being printed and the rectangle it is drawn into.
struct CPrintInfo {
    CPrintInfo();
    ~CPrintInfo();
    CPrintInfo(const CPrintInfo&) = delete;
    CPrintInfo& operator=(const CPrintInfo&) = delete;

    void SetMinPage(UINT nMinPage) { m_pPD->m_pd.nMinPage = WORD(nMinPage); }
    void SetMaxPage(UINT nMaxPage) { m_pPD->m_pd.nMaxPage = WORD(nMaxPage); }
    UINT GetMinPage() const { return m_pPD->m_pd.nMinPage; }
    UINT GetMaxPage() const { return m_pPD->m_pd.nMaxPage; }
    // The first and last page to print: the dialog's range when one was chosen, else all.
    UINT GetFromPage() const;
    UINT GetToPage() const;

    CPrintDialog* m_pPD;     // owned
    BOOL m_bDirect = FALSE;  // printed without the dialog, on the current printer
    BOOL m_bPreview = FALSE; // drawn into the preview, not on paper
    // A hook clears it to end the job after the current page (an unknown length prints one
    // page unless the view keeps it set).
    BOOL m_bContinuePrinting = TRUE;
    UINT m_nCurPage = 1;
    UINT m_nNumPreviewPages = 1; // pages side by side in the preview: 1 or 2
    CRect m_rectDraw;            // the page's printable area, in the DC's logical units
    void* m_lpUserData = nullptr;
};

// Pages of a length nobody set: the job prints pages until a hook says stop.
constexpr UINT kPrintUnknownMaxPage = 0xFFFF;

// What a print job asks of whatever prints: the begin and end of the job, and each page
// prepared (which may end the job by clearing m_bContinuePrinting) and printed.
struct CPrintJobHooks {
    std::function<void(CDC*, CPrintInfo*)> begin;
    std::function<void(CDC*, CPrintInfo*)> prepare;
    std::function<void(CDC*, CPrintInfo*)> print;
    std::function<void(CDC*, CPrintInfo*)> end;
};

// Runs a print job on the printer DC the print information holds (the job takes it over):
// the output file asked for when printing to a file, begin, the document started, each page
// from the first to the last prepared, started, printed and ended, the document ended (aborted
// when a page failed), end, and the user told when it failed. FALSE when nothing was printed.
BOOL AfxRunPrintJob(CWnd* pParent, CPrintInfo& info, LPCTSTR lpszDocName,
                    const CPrintJobHooks& hooks);
