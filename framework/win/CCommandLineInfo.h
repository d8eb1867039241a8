#pragma once
#include "framework/core/CString.h"

// What the command line asks the program to do at start-up: open a file, or start with a new
// document. CWinApp::ParseCommandLine fills it, CWinApp::ProcessShellCommand carries it out.
class CCommandLineInfo {
public:
    enum { FileNew, FileOpen, FileNothing = -1 };

    virtual ~CCommandLineInfo() = default;

    // One argument, without its leading '/' or '-' when bFlag; bLast on the final one.
    // The first plain argument is the file to open; flags are not used by the program.
    virtual void ParseParam(const char* pszParam, BOOL bFlag, BOOL bLast);

    int m_nShellCommand = FileNew;
    CString m_strFileName;
};

// Hands each argument after the program name to ParseParam, marking '/' and '-' flags.
void ParseCommandLineArgs(CCommandLineInfo& rCmdInfo, int argc, const char* const* argv);
