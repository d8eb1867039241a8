#include "ui/ShellOpen.h"

#include "ui/LinkAddress.h"

#include <shellapi.h>

namespace {

ShellOpenLauncher& OpenLauncher()
{
    static ShellOpenLauncher launcher;
    return launcher;
}

CommandLauncher& RunLauncher()
{
    static CommandLauncher launcher;
    return launcher;
}

// The default value of a key under HKEY_CLASSES_ROOT; empty when there is none.
CString ClassesRootValue(const CString& key)
{
    char value[MAX_PATH + 1] = {};
    LONG size = MAX_PATH;
    if (::RegQueryValueA(HKEY_CLASSES_ROOT, key, value, &size) != ERROR_SUCCESS)
        return CString();
    value[MAX_PATH] = '\0';
    return CString(value);
}

} // namespace

void SetShellLaunchers(ShellOpenLauncher open, CommandLauncher run)
{
    OpenLauncher() = std::move(open);
    RunLauncher() = std::move(run);
}

INT_PTR ShellOpen(LPCTSTR lpszTarget, int nShowCmd)
{
    if (OpenLauncher())
        return OpenLauncher()(lpszTarget, nShowCmd);
    return reinterpret_cast<INT_PTR>(
        ::ShellExecuteA(nullptr, "open", lpszTarget, nullptr, nullptr, nShowCmd));
}

UINT RunCommandLine(LPCTSTR lpszCommandLine, int nShowCmd)
{
    if (RunLauncher())
        return RunLauncher()(lpszCommandLine, nShowCmd);
    return ::WinExec(lpszCommandLine, UINT(nShowCmd));
}

INT_PTR OpenAddress(LPCTSTR lpszAddress, int nShowCmd)
{
    const INT_PTR result = ShellOpen(lpszAddress, nShowCmd);
    if (result > HINSTANCE_ERROR)
        return result;
    const CString fileType = ClassesRootValue(".htm");
    if (fileType.IsEmpty())
        return result;
    const CString openCommand = ClassesRootValue(fileType + "\\shell\\open\\command");
    CString command;
    if (openCommand.IsEmpty() || !MakeBrowserCommand(openCommand, lpszAddress, command))
        return result;
    return RunCommandLine(command, nShowCmd);
}
