// The help file: found beside the program and shown by the HTML Help control, which is loaded
// at first use from the place the registry gives for it.
#include "app/MathApp.h"

#include "app/MessageBoxes.h"

namespace {

using HtmlHelpFunction = HWND(WINAPI*)(HWND hwndCaller, LPCSTR pszFile, UINT uCommand,
                                       DWORD_PTR dwData);
constexpr UINT kDisplayTopic = 0; // the control's display-topic command
const char kHelpControlKey[] = "CLSID\\{ADB880A6-D8FF-11CF-9377-00AA003B7A11}\\InprocServer32";

HtmlHelpFunction LoadHelpControl()
{
    char path[MAX_PATH] = {};
    LONG size = sizeof path;
    HMODULE hModule = nullptr;
    if (::RegQueryValueA(HKEY_CLASSES_ROOT, kHelpControlKey, path, &size) == ERROR_SUCCESS &&
        path[0])
        hModule = ::LoadLibraryA(path);
    if (!hModule)
        hModule = ::LoadLibraryA("hhctrl.ocx");
    FARPROC pfn = hModule ? ::GetProcAddress(hModule, "HtmlHelpA") : nullptr;
    return reinterpret_cast<HtmlHelpFunction>(reinterpret_cast<void*>(pfn));
}

HWND ShowTopic(LPCTSTR lpszFile, LPCTSTR lpszTopic)
{
    static const HtmlHelpFunction pfnHtmlHelp = LoadHelpControl();
    return pfnHtmlHelp ? pfnHtmlHelp(nullptr, lpszFile, kDisplayTopic, DWORD_PTR(lpszTopic))
                       : nullptr;
}

BOOL IsFile(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

BOOL CMathApp::ShowHelp(LPCTSTR lpszTopic)
{
    if (!IsFile(m_strHelpPath)) {
        CString text;
        text.Format("Cannot find the help file %s.  Please re-install the program.",
                    m_strHelpPath.GetString());
        MessageBoxText(nullptr, text);
        return FALSE;
    }
    const HWND hHelp = m_HelpLauncher ? m_HelpLauncher(m_strHelpPath, lpszTopic)
                                      : ShowTopic(m_strHelpPath, lpszTopic);
    if (hHelp)
        return TRUE;
    MessageBoxText(nullptr,
                   "A necessary component for displaying HTML Help is missing.  " + m_strHelpPath);
    return FALSE;
}
