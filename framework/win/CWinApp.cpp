#include "framework/win/CWinApp.h"
#include "framework/win/FrameworkIds.h"

#include "framework/win/CWaitCursor.h"
#include "framework/win/CWnd.h"
#include "framework/win/ModalTestHook.h"
#include "framework/win/StringResource.h"

#include <cstdlib>
#include <cstring>

IMPLEMENT_DYNAMIC(CWinApp, CWinThread)

namespace {

CWinApp* g_pApp = nullptr;
HINSTANCE g_hInstance = nullptr;
HINSTANCE g_hResource = nullptr;
CModalTestHook* g_pModalTestHook = nullptr;

} // namespace

HINSTANCE AfxGetInstanceHandle()
{
    if (!g_hInstance)
        g_hInstance = ::GetModuleHandleA(nullptr);
    return g_hInstance;
}

HINSTANCE AfxGetResourceHandle() { return g_hResource ? g_hResource : AfxGetInstanceHandle(); }

void AfxSetResourceHandle(HINSTANCE hInstResource) { g_hResource = hInstResource; }

CWinApp* AfxGetApp() { return g_pApp; }

CWnd* AfxGetMainWnd()
{
    CWinThread* pThread = AfxGetThread();
    return pThread ? pThread->GetMainWnd() : nullptr;
}

LPCTSTR AfxGetAppName() { return g_pApp && g_pApp->m_pszAppName ? g_pApp->m_pszAppName : ""; }

void AfxSetModalTestHook(CModalTestHook* pHook) { g_pModalTestHook = pHook; }

CModalTestHook* AfxGetModalTestHook() { return g_pModalTestHook; }

int AfxDoMessageBox(HWND hWndOwner, LPCTSTR lpszText, LPCTSTR lpszCaption, UINT nType)
{
    const CModalCursor arrow;
    if (g_pModalTestHook)
        return g_pModalTestHook->OnMessageBox(lpszText, lpszCaption, nType);
    return ::MessageBoxA(hWndOwner, lpszText, lpszCaption, nType);
}

namespace {

UINT WithDefaultIcon(UINT nType)
{
    if ((nType & MB_ICONMASK) != 0)
        return nType;
    switch (nType & MB_TYPEMASK) {
    case MB_OK:
    case MB_OKCANCEL:
        return nType | MB_ICONEXCLAMATION;
    case MB_YESNO:
    case MB_YESNOCANCEL:
        return nType | MB_ICONQUESTION;
    default:
        return nType;
    }
}

} // namespace

int AfxMessageBox(LPCTSTR lpszText, UINT nType, UINT nIDHelp)
{
    if (g_pApp)
        return g_pApp->DoMessageBox(lpszText, nType, nIDHelp);
    return AfxDoMessageBox(nullptr, lpszText, "", WithDefaultIcon(nType));
}

int AfxMessageBox(UINT nIDPrompt, UINT nType, UINT nIDHelp)
{
    CString text;
    AfxLoadString(nIDPrompt, text);
    return AfxMessageBox(text, nType, nIDHelp == UINT(-1) ? nIDPrompt : nIDHelp);
}

// ---- application object ---------------------------------------------------------------------

CWinApp::CWinApp(LPCTSTR lpszAppName)
{
    SetText(m_pszAppName, lpszAppName);
    g_pApp = this;
}

CWinApp::~CWinApp()
{
    if (g_pApp == this)
        g_pApp = nullptr;
    if (m_hDevMode)
        ::GlobalFree(m_hDevMode);
    if (m_hDevNames)
        ::GlobalFree(m_hDevNames);
    for (LPCTSTR* p : {&m_pszAppName, &m_pszRegistryKey, &m_pszProfileName, &m_pszExeName})
        SetText(*p, nullptr);
}

void CWinApp::SetText(LPCTSTR& rMember, LPCTSTR lpszValue)
{
    std::free(const_cast<char*>(rMember));
    rMember = lpszValue ? ::strdup(lpszValue) : nullptr;
}

BOOL CWinApp::InitApplication() { return TRUE; }

BOOL CWinApp::InitInstance() { return TRUE; }

int CWinApp::ExitInstance() { return int(m_msgCur.wParam); }

BOOL CWinApp::OnIdle(LONG lCount)
{
    CWinThread::OnIdle(lCount);
    return lCount < 1;
}

void CWinApp::WinHelp(DWORD_PTR, UINT) {}

int CWinApp::DoMessageBox(LPCTSTR lpszPrompt, UINT nType, UINT)
{
    HWND hWndOwner = nullptr;
    if (CWnd* pMainWnd = GetMainWnd(); pMainWnd && pMainWnd->m_hWnd) {
        hWndOwner = pMainWnd->m_hWnd;
        // A disabled main window means a modal window is up: that one owns the box.
        if (!::IsWindowEnabled(hWndOwner))
            hWndOwner = ::GetActiveWindow();
    }
    return AfxDoMessageBox(hWndOwner, lpszPrompt, m_pszAppName ? m_pszAppName : "",
                           WithDefaultIcon(nType));
}

HCURSOR CWinApp::LoadCursor(UINT nIDResource) const
{
    return ::LoadCursorA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
}

HICON CWinApp::LoadIcon(UINT nIDResource) const
{
    return ::LoadIconA(AfxGetResourceHandle(), MAKEINTRESOURCEA(nIDResource));
}

// ---- profile --------------------------------------------------------------------------------

void CWinApp::SetRegistryKey(LPCTSTR lpszRegistryKey)
{
    SetText(m_pszRegistryKey, lpszRegistryKey);
    SetText(m_pszProfileName, m_pszAppName);
}

void CWinApp::SetRegistryKey(UINT nIDRegistryKey)
{
    CString key;
    AfxLoadString(nIDRegistryKey, key);
    SetRegistryKey(key);
}

HKEY CWinApp::GetAppRegistryKey()
{
    if (!m_pszRegistryKey || !m_pszProfileName)
        return nullptr;
    HKEY hSoftKey = nullptr, hCompanyKey = nullptr, hAppKey = nullptr;
    if (::RegOpenKeyExA(HKEY_CURRENT_USER, "Software", 0, KEY_WRITE | KEY_READ, &hSoftKey) !=
        ERROR_SUCCESS)
        return nullptr;
    DWORD dw = 0;
    if (::RegCreateKeyExA(hSoftKey, m_pszRegistryKey, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_WRITE | KEY_READ, nullptr, &hCompanyKey, &dw) == ERROR_SUCCESS) {
        ::RegCreateKeyExA(hCompanyKey, m_pszProfileName, 0, nullptr, REG_OPTION_NON_VOLATILE,
                          KEY_WRITE | KEY_READ, nullptr, &hAppKey, &dw);
        ::RegCloseKey(hCompanyKey);
    }
    ::RegCloseKey(hSoftKey);
    return hAppKey;
}

HKEY CWinApp::GetSectionKey(LPCTSTR lpszSection)
{
    HKEY hAppKey = GetAppRegistryKey();
    if (!hAppKey)
        return nullptr;
    HKEY hSectionKey = nullptr;
    DWORD dw = 0;
    ::RegCreateKeyExA(hAppKey, lpszSection, 0, nullptr, REG_OPTION_NON_VOLATILE,
                      KEY_WRITE | KEY_READ, nullptr, &hSectionKey, &dw);
    ::RegCloseKey(hAppKey);
    return hSectionKey;
}

UINT CWinApp::GetProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nDefault)
{
    HKEY hKey = GetSectionKey(lpszSection);
    if (!hKey)
        return UINT(nDefault);
    DWORD value = 0, type = 0, size = sizeof value;
    const LONG result = ::RegQueryValueExA(hKey, lpszEntry, nullptr, &type,
                                           reinterpret_cast<LPBYTE>(&value), &size);
    ::RegCloseKey(hKey);
    if (result != ERROR_SUCCESS || type != REG_DWORD || size != sizeof value)
        return UINT(nDefault);
    return UINT(value);
}

BOOL CWinApp::WriteProfileInt(LPCTSTR lpszSection, LPCTSTR lpszEntry, int nValue)
{
    HKEY hKey = GetSectionKey(lpszSection);
    if (!hKey)
        return FALSE;
    const DWORD value = DWORD(nValue);
    const LONG result = ::RegSetValueExA(hKey, lpszEntry, 0, REG_DWORD,
                                         reinterpret_cast<const BYTE*>(&value), sizeof value);
    ::RegCloseKey(hKey);
    return result == ERROR_SUCCESS;
}

CString CWinApp::GetProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszDefault)
{
    CString value(lpszDefault);
    HKEY hKey = GetSectionKey(lpszSection);
    if (!hKey)
        return value;
    DWORD type = 0, size = 0;
    if (::RegQueryValueExA(hKey, lpszEntry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_SZ) {
        CString text;
        char* buffer = text.GetBufferSetLength(int(size));
        if (::RegQueryValueExA(hKey, lpszEntry, nullptr, &type, reinterpret_cast<LPBYTE>(buffer),
                               &size) == ERROR_SUCCESS) {
            buffer[size] = '\0';
            text.ReleaseBuffer(); // up to the stored terminator
            value = text;
        }
    }
    ::RegCloseKey(hKey);
    return value;
}

BOOL CWinApp::WriteProfileString(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPCTSTR lpszValue)
{
    if (!lpszEntry) {
        HKEY hAppKey = GetAppRegistryKey();
        if (!hAppKey)
            return FALSE;
        const LONG result = ::RegDeleteKeyA(hAppKey, lpszSection);
        ::RegCloseKey(hAppKey);
        return result == ERROR_SUCCESS;
    }
    HKEY hKey = GetSectionKey(lpszSection);
    if (!hKey)
        return FALSE;
    LONG result;
    if (!lpszValue)
        result = ::RegDeleteValueA(hKey, lpszEntry);
    else
        result =
            ::RegSetValueExA(hKey, lpszEntry, 0, REG_SZ, reinterpret_cast<const BYTE*>(lpszValue),
                             DWORD(std::strlen(lpszValue) + 1));
    ::RegCloseKey(hKey);
    return result == ERROR_SUCCESS;
}

BOOL CWinApp::GetProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE* ppData, UINT* pBytes)
{
    *ppData = nullptr;
    *pBytes = 0;
    HKEY hKey = GetSectionKey(lpszSection);
    if (!hKey)
        return FALSE;
    DWORD type = 0, size = 0;
    BOOL ok = FALSE;
    if (::RegQueryValueExA(hKey, lpszEntry, nullptr, &type, nullptr, &size) == ERROR_SUCCESS &&
        type == REG_BINARY) {
        auto* data = new BYTE[size ? size : 1];
        if (::RegQueryValueExA(hKey, lpszEntry, nullptr, &type, data, &size) == ERROR_SUCCESS) {
            *ppData = data;
            *pBytes = UINT(size);
            ok = TRUE;
        } else {
            delete[] data;
        }
    }
    ::RegCloseKey(hKey);
    return ok;
}

BOOL CWinApp::WriteProfileBinary(LPCTSTR lpszSection, LPCTSTR lpszEntry, LPBYTE pData, UINT nBytes)
{
    HKEY hKey = GetSectionKey(lpszSection);
    if (!hKey)
        return FALSE;
    const LONG result = ::RegSetValueExA(hKey, lpszEntry, 0, REG_BINARY, pData, nBytes);
    ::RegCloseKey(hKey);
    return result == ERROR_SUCCESS;
}

// ---- program entry --------------------------------------------------------------------------

int AfxWinMain(HINSTANCE hInstance, HINSTANCE, LPSTR lpCmdLine, int nCmdShow)
{
    g_hInstance = hInstance;
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_WIN95_CLASSES | ICC_BAR_CLASSES | ICC_COOL_CLASSES};
    ::InitCommonControlsEx(&icc);

    CWinApp* pApp = AfxGetApp();
    if (!pApp)
        return -1;
    pApp->m_hInstance = hInstance;
    pApp->m_lpCmdLine = lpCmdLine;
    pApp->m_nCmdShow = nCmdShow;
    char exePath[MAX_PATH] = {};
    ::GetModuleFileNameA(hInstance, exePath, MAX_PATH);
    const char* exeName = std::strrchr(exePath, '\\');
    CString exe(exeName ? exeName + 1 : exePath);
    if (int dot = exe.ReverseFind('.'); dot >= 0)
        exe = exe.Left(dot);
    if (!pApp->m_pszExeName)
        pApp->m_pszExeName = ::strdup(exe);
    if (!pApp->m_pszAppName) {
        CString title;
        pApp->m_pszAppName =
            ::strdup(AfxLoadString(AFX_IDS_APP_TITLE, title) ? title.GetString() : exe.GetString());
    }

    if (!pApp->InitApplication() || !pApp->InitInstance()) {
        if (CWnd* pMainWnd = pApp->m_pMainWnd; pMainWnd && pMainWnd->m_hWnd)
            pMainWnd->DestroyWindow();
        return pApp->ExitInstance();
    }
    return pApp->Run();
}
