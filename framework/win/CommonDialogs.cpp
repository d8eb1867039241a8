#include "framework/win/CommonDialogs.h"

#include "framework/win/CDC.h"
#include "framework/win/ModalTestHook.h"

IMPLEMENT_DYNAMIC(CCommonDialog, CDialog)
IMPLEMENT_DYNAMIC(CFileDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CColorDialog, CCommonDialog)
IMPLEMENT_DYNAMIC(CFontDialog, CCommonDialog)

COLORREF CColorDialog::c_CustColors[16] = {
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
    RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255), RGB(255, 255, 255),
};

namespace {
thread_local CCentreFirstActivated* t_pCentring = nullptr;
}

CCentreFirstActivated::CCentreFirstActivated(HWND hWndOwner)
    : m_hWndOwner(hWndOwner), m_pOuter(t_pCentring)
{
    m_hHook = ::SetWindowsHookExA(WH_CBT, CbtHook, nullptr, ::GetCurrentThreadId());
    t_pCentring = this;
}

CCentreFirstActivated::~CCentreFirstActivated()
{
    if (m_hHook)
        ::UnhookWindowsHookEx(m_hHook);
    t_pCentring = m_pOuter;
}

LRESULT CALLBACK CCentreFirstActivated::CbtHook(int code, WPARAM wParam, LPARAM lParam)
{
    CCentreFirstActivated* pThis = t_pCentring;
    if (!pThis)
        return 0;
    if (code == HCBT_ACTIVATE && !pThis->m_bDone) {
        const HWND hWnd = reinterpret_cast<HWND>(wParam);
        if (hWnd != pThis->m_hWndOwner && !(::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD)) {
            pThis->m_bDone = true;
            AfxCenterOnOwner(hWnd, pThis->m_hWndOwner);
        }
    }
    return ::CallNextHookEx(pThis->m_hHook, code, wParam, lParam);
}

HWND CCommonDialog::OwnerWindow() const
{
    HWND hWnd = AfxSafeHwnd(m_pParentWnd ? m_pParentWnd : AfxGetMainWnd());
    while (hWnd && (::GetWindowLongPtrA(hWnd, GWL_STYLE) & WS_CHILD))
        hWnd = ::GetParent(hWnd);
    return hWnd;
}

// ---- file dialog ----------------------------------------------------------------------------

CFileDialog::CFileDialog(BOOL bOpenFileDialog, LPCTSTR lpszDefExt, LPCTSTR lpszFileName,
                         DWORD dwFlags, LPCTSTR lpszFilter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd), m_bOpenFileDialog(bOpenFileDialog), m_strFilter(lpszFilter),
      m_strDefExt(lpszDefExt)
{
    m_ofn.lStructSize = sizeof m_ofn;
    m_ofn.lpstrFile = m_szFileName;
    m_ofn.nMaxFile = sizeof m_szFileName;
    m_ofn.lpstrFileTitle = m_szFileTitle;
    m_ofn.nMaxFileTitle = sizeof m_szFileTitle;
    m_ofn.Flags = dwFlags | OFN_EXPLORER | OFN_ENABLESIZING;
    m_ofn.lpstrDefExt = lpszDefExt ? m_strDefExt.GetString() : nullptr;
    if (lpszFileName)
        ::lstrcpynA(m_szFileName, lpszFileName, sizeof m_szFileName);
    // The filter's '|' separators become the NULs the system expects.
    if (!m_strFilter.IsEmpty()) {
        m_strFilter.Replace('|', '\0');
        m_ofn.lpstrFilter = m_strFilter.GetString();
    }
}

INT_PTR CFileDialog::DoModal()
{
    m_ofn.hwndOwner = OwnerWindow();
    m_ofn.hInstance = AfxGetResourceHandle();
    return RunCommon([this] {
        return m_bOpenFileDialog ? ::GetOpenFileNameA(&m_ofn) : ::GetSaveFileNameA(&m_ofn);
    });
}

CString CFileDialog::GetFileName() const
{
    CString path = GetPathName();
    return path.Mid(path.ReverseFind('\\') + 1);
}

CString CFileDialog::GetFileExt() const
{
    CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? CString() : name.Mid(dot + 1);
}

CString CFileDialog::GetFileTitle() const
{
    CString name = GetFileName();
    const int dot = name.ReverseFind('.');
    return dot < 0 ? name : name.Left(dot);
}

// ---- colour and font dialogs ----------------------------------------------------------------

CColorDialog::CColorDialog(COLORREF clrInit, DWORD dwFlags, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd)
{
    m_cc.lStructSize = sizeof m_cc;
    m_cc.lpCustColors = c_CustColors;
    m_cc.Flags = dwFlags;
    m_cc.rgbResult = clrInit;
    if (clrInit != 0)
        m_cc.Flags |= CC_RGBINIT;
}

INT_PTR CColorDialog::DoModal()
{
    m_cc.hwndOwner = OwnerWindow();
    return RunCommon([this] { return ::ChooseColorA(&m_cc); });
}

CFontDialog::CFontDialog(LPLOGFONTA lplfInitial, DWORD dwFlags, CDC* pdcPrinter, CWnd* pParentWnd)
    : CCommonDialog(pParentWnd)
{
    m_cf.lStructSize = sizeof m_cf;
    m_cf.lpLogFont = &m_lf;
    m_cf.Flags = dwFlags;
    if (lplfInitial) {
        m_lf = *lplfInitial;
        m_cf.Flags |= CF_INITTOLOGFONTSTRUCT;
    }
    if (pdcPrinter) {
        m_cf.hDC = pdcPrinter->m_hDC;
        m_cf.Flags |= CF_PRINTERFONTS;
    }
}

namespace {

int CALLBACK NoteFamily(const LOGFONTA*, const TEXTMETRICA*, DWORD, LPARAM lParam)
{
    *reinterpret_cast<bool*>(lParam) = true;
    return 0;
}

} // namespace

void CFontDialog::UseInstalledFace()
{
    if (!(m_cf.Flags & CF_INITTOLOGFONTSTRUCT) || !m_lf.lfFaceName[0])
        return;
    HDC hDC = ::GetDC(nullptr);
    if (!hDC)
        return;
    LOGFONTA query{};
    query.lfCharSet = DEFAULT_CHARSET;
    ::lstrcpynA(query.lfFaceName, m_lf.lfFaceName, LF_FACESIZE);
    bool installed = false;
    ::EnumFontFamiliesExA(hDC, &query, NoteFamily, LPARAM(&installed), 0);
    if (!installed) {
        // The dialog would fall back to its first family at its smallest size; show the face
        // the text is really drawn in instead, so that OK keeps what the user sees.
        if (HFONT hFont = ::CreateFontIndirectA(&m_lf)) {
            HGDIOBJ hOld = ::SelectObject(hDC, hFont);
            char face[LF_FACESIZE] = {};
            if (::GetTextFaceA(hDC, LF_FACESIZE, face) > 0 && face[0])
                ::lstrcpynA(m_lf.lfFaceName, face, LF_FACESIZE);
            ::SelectObject(hDC, hOld);
            ::DeleteObject(hFont);
        }
    }
    ::ReleaseDC(nullptr, hDC);
}

INT_PTR CFontDialog::DoModal()
{
    m_cf.hwndOwner = OwnerWindow();
    UseInstalledFace();
    return RunCommon([this] { return ::ChooseFontA(&m_cf); });
}
