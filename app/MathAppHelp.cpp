// The help file: found beside the program and shown by the HTML Help control, which is loaded
// at first use from the place the registry gives for it.
#include "app/MathApp.h"

#include "app/MessageBoxes.h"
#include "res/HelpTopics.h"

#include <htmlhelp.h>

namespace {

using HtmlHelpFunction = HWND(WINAPI*)(HWND hwndCaller, LPCSTR pszFile, UINT uCommand,
                                       DWORD_PTR dwData);
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

HWND ShowInHelpControl(const CMathApp::HelpRequest& request)
{
    static const HtmlHelpFunction pfnHtmlHelp = LoadHelpControl();
    if (!pfnHtmlHelp)
        return nullptr;
    if (!request.strTopic.IsEmpty())
        return pfnHtmlHelp(nullptr, request.strFile, HH_DISPLAY_TOPIC,
                           DWORD_PTR(request.strTopic.GetString()));
    HH_AKLINK link{};
    link.cbStruct = sizeof link;
    link.pszKeywords = request.strKeyword;
    link.fIndexOnFail = TRUE;
    return pfnHtmlHelp(nullptr, request.strFile, HH_KEYWORD_LOOKUP, DWORD_PTR(&link));
}

BOOL IsFile(const CString& path)
{
    const DWORD attributes = ::GetFileAttributesA(path);
    return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

} // namespace

BOOL CMathApp::ShowHelp(LPCTSTR lpszTopic)
{
    return ShowHelpRequest({m_strHelpPath, lpszTopic, ""});
}

BOOL CMathApp::ShowHelpKeyword(LPCTSTR lpszKeyword)
{
    return ShowHelpRequest({m_strHelpPath, "", lpszKeyword});
}

void CMathApp::WinHelp(DWORD_PTR dwData, UINT nCmd)
{
    if (nCmd == HELP_CONTEXT)
        ShowHelp(HelpTopicFor(unsigned(dwData)));
    else if (nCmd == HELP_KEY)
        ShowHelpKeyword(reinterpret_cast<LPCTSTR>(dwData));
    else
        ShowHelp(kHelpContentsPage);
}

BOOL CMathApp::ShowHelpRequest(const HelpRequest& request)
{
    if (!IsFile(request.strFile)) {
        CString text;
        text.Format("Cannot find the help file %s.  Please re-install the program.",
                    request.strFile.GetString());
        MessageBoxText(nullptr, text);
        return FALSE;
    }
    const HWND hHelp = m_HelpLauncher ? m_HelpLauncher(request) : ShowInHelpControl(request);
    if (hHelp)
        return TRUE;
    MessageBoxText(nullptr, "A necessary component for displaying HTML Help is missing.  " +
                                request.strFile);
    return FALSE;
}
