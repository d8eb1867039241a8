// The application's printer: the system's default until the user chooses another in the print
// or print-setup dialog, then that one for the rest of the run.
#include "framework/win/CDC.h"
#include "framework/win/CPrintDialog.h"
#include "framework/win/CWinApp.h"

void CWinApp::UpdatePrinterSelection(BOOL bForceDefaults)
{
    if (m_hDevNames && !bForceDefaults)
        return;
    CPrintDialog dialog(FALSE);
    if (!dialog.GetDefaults())
        return;
    if (m_hDevMode)
        ::GlobalFree(m_hDevMode);
    if (m_hDevNames)
        ::GlobalFree(m_hDevNames);
    m_hDevMode = dialog.m_pd.hDevMode;
    m_hDevNames = dialog.m_pd.hDevNames;
}

BOOL CWinApp::GetPrinterDeviceDefaults(PRINTDLGA* pPrintDlg)
{
    UpdatePrinterSelection(FALSE);
    if (!m_hDevNames)
        return FALSE;
    pPrintDlg->hDevMode = m_hDevMode;
    pPrintDlg->hDevNames = m_hDevNames;
    return TRUE;
}

INT_PTR CWinApp::DoPrintDialog(CPrintDialog* pPD)
{
    UpdatePrinterSelection(FALSE);
    pPD->m_pd.hDevMode = m_hDevMode;
    pPD->m_pd.hDevNames = m_hDevNames;
    const INT_PTR nResult = pPD->DoModal();
    // The dialog may have replaced the records (freeing the ones it was given): keep its own.
    m_hDevMode = pPD->m_pd.hDevMode;
    m_hDevNames = pPD->m_pd.hDevNames;
    return nResult;
}

BOOL CWinApp::CreatePrinterDC(CDC& dc)
{
    CPrintDialog dialog(FALSE);
    if (!GetPrinterDeviceDefaults(&dialog.m_pd))
        return FALSE;
    HDC hDC = dialog.CreatePrinterDC();
    if (!hDC)
        return FALSE;
    if (dc.Attach(hDC))
        return TRUE;
    ::DeleteDC(hDC);
    return FALSE;
}

void CWinApp::OnFilePrintSetup()
{
    CPrintDialog dialog(TRUE);
    DoPrintDialog(&dialog);
}
