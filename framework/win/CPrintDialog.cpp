#include "framework/win/CPrintDialog.h"

#include "framework/win/CWinApp.h"
#include "framework/win/GlobalMemory.h"
#include "framework/win/ModalTestHook.h"

IMPLEMENT_DYNAMIC(CPrintDialog, CCommonDialog)

CPrintDialog::CPrintDialog(BOOL bPrintSetupOnly, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd)
{
    m_pd.lStructSize = sizeof m_pd;
    m_pd.Flags = dwFlags;
    if (bPrintSetupOnly)
        m_pd.Flags |= PD_PRINTSETUP;
    else
        m_pd.Flags |= PD_RETURNDC;
    m_pd.nCopies = 1;
    m_pd.nFromPage = m_pd.nToPage = 1;
    m_pd.nMinPage = 1;
    m_pd.nMaxPage = WORD(kPrintUnknownMaxPage);
}

CPrintDialog::~CPrintDialog()
{
    // The handles belong to the application once it took them; a dialog that kept its own
    // (GetDefaults of a stand-alone dialog) frees them.
    CWinApp* pApp = AfxGetApp();
    if (m_pd.hDevMode && (!pApp || pApp->m_hDevMode != m_pd.hDevMode))
        ::GlobalFree(m_pd.hDevMode);
    if (m_pd.hDevNames && (!pApp || pApp->m_hDevNames != m_pd.hDevNames))
        ::GlobalFree(m_pd.hDevNames);
    if (m_pd.hDC)
        ::DeleteDC(m_pd.hDC);
}

INT_PTR CPrintDialog::DoModal()
{
    m_pd.hwndOwner = OwnerWindow();
    const INT_PTR nResult = RunCommon([this] { return ::PrintDlgA(&m_pd); });
    // A test's answer makes no device context: make it from the chosen printer.
    if (nResult == IDOK && (m_pd.Flags & PD_RETURNDC) && !m_pd.hDC)
        m_pd.hDC = CreatePrinterDC();
    return nResult;
}

BOOL CPrintDialog::GetDefaults()
{
    const DWORD dwFlags = m_pd.Flags;
    m_pd.Flags = (m_pd.Flags | PD_RETURNDEFAULT) & ~PD_RETURNDC;
    m_pd.hwndOwner = nullptr;
    const BOOL bResult = ::PrintDlgA(&m_pd);
    m_pd.Flags = dwFlags;
    return bResult && m_pd.hDevNames;
}

// One of the names the DEVNAMES record holds, by the offset field it is found through.
CString CPrintDialog::DevNamesText(WORD DEVNAMES::*pOffset) const
{
    if (!m_pd.hDevNames)
        return CString();
    CGlobalLock lock(m_pd.hDevNames);
    const auto* pNames = static_cast<const DEVNAMES*>(lock.Data());
    if (!pNames || lock.Size() <= pNames->*pOffset)
        return CString();
    return CString(reinterpret_cast<const char*>(pNames) + pNames->*pOffset);
}

CString CPrintDialog::GetDriverName() const { return DevNamesText(&DEVNAMES::wDriverOffset); }

CString CPrintDialog::GetDeviceName() const { return DevNamesText(&DEVNAMES::wDeviceOffset); }

CString CPrintDialog::GetPortName() const { return DevNamesText(&DEVNAMES::wOutputOffset); }

HDC CPrintDialog::CreatePrinterDC()
{
    const CString device = GetDeviceName();
    if (device.IsEmpty())
        return nullptr;
    const CString driver = GetDriverName();
    CGlobalLock mode(m_pd.hDevMode);
    return ::CreateDCA(driver.IsEmpty() ? nullptr : driver.GetString(), device, nullptr,
                       static_cast<const DEVMODEA*>(mode.Data()));
}

// ---- print info -----------------------------------------------------------------------------

CPrintInfo::CPrintInfo() : m_pPD(new CPrintDialog(FALSE)) {}

CPrintInfo::~CPrintInfo() { delete m_pPD; }

UINT CPrintInfo::GetFromPage() const
{
    return m_pPD->PrintRange() ? m_pPD->m_pd.nFromPage : GetMinPage();
}

UINT CPrintInfo::GetToPage() const
{
    return m_pPD->PrintRange() ? m_pPD->m_pd.nToPage : GetMaxPage();
}
