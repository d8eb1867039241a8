#pragma once
// Starting other programs for links: the shell's "open" of an address and a plain command line.
// Both go through launchers that tests replace, so that no test ever starts a browser or a mail
// program.
#include "framework/core/CString.h"

#include <functional>

using ShellOpenLauncher = std::function<INT_PTR(LPCTSTR lpszTarget, int nShowCmd)>;
using CommandLauncher = std::function<UINT(LPCTSTR lpszCommandLine, int nShowCmd)>;

// Replaces the launchers of this process; empty ones restore the system's.
void SetShellLaunchers(ShellOpenLauncher open, CommandLauncher run);

// The shell's "open" of the target (ShellExecute): above 32 is success.
INT_PTR ShellOpen(LPCTSTR lpszTarget, int nShowCmd);
// Starts a command line (WinExec): above 31 is success.
UINT RunCommandLine(LPCTSTR lpszCommandLine, int nShowCmd);

// Opens an address: the shell's "open", else the program registered for web pages with the
// address as its one argument. The result of the shell, or of the second attempt when it was
// made; above 32 is success.
INT_PTR OpenAddress(LPCTSTR lpszAddress, int nShowCmd);
