#include "ui/LinkAddress.h"

namespace {

struct ShellError {
    INT_PTR result;
    const char* text;
};

// The shell's failure results and what they mean to the user.
constexpr ShellError kShellErrors[] = {
    {0, "The operating system is out\nof memory or resources."},
    {2, "The specified file was not found."},
    {3, "The specified path was not found."},
    {5, "The operating system denied\naccess to the specified file."},
    {8, "There was not enough memory to complete the operation."},
    {11, "The .EXE file is invalid\n(non-Win32 .EXE or error in .EXE image)."},
    {26, "A sharing violation occurred. "},
    {27, "The filename association is\nincomplete or invalid."},
    {28, "The DDE transaction could not\nbe completed because the request timed out."},
    {29, "The DDE transaction failed."},
    {30, "The DDE transaction could not\nbe completed because other DDE transactions\nwere "
         "being processed."},
    {31, "There is no application associated\nwith the given filename extension."},
    {32, "The specified dynamic-link library was not found."},
};

} // namespace

CString LinkOpenErrorMessage(INT_PTR result)
{
    CString reason;
    for (const ShellError& error : kShellErrors)
        if (error.result == result)
            reason = error.text;
    if (reason.IsEmpty())
        reason.Format("Unknown Error (%d) occurred.", int(result));
    return "Unable to open hyperlink:\n\n" + reason;
}

BOOL MakeBrowserCommand(const CString& openCommand, const CString& address, CString& command)
{
    for (const char ch : address.View())
        if (ch == '"' || static_cast<unsigned char>(ch) < 0x20 || ch == 0x7F)
            return FALSE;
    int cut = openCommand.Find("\"%1\"");
    if (cut < 0)
        cut = openCommand.Find("%1");
    command = cut < 0 ? openCommand : openCommand.Left(cut);
    command.TrimRight();
    command += " \"" + address + "\"";
    return TRUE;
}
