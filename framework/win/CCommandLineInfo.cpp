#include "framework/win/CCommandLineInfo.h"

void CCommandLineInfo::ParseParam(const char* pszParam, BOOL bFlag, BOOL /*bLast*/)
{
    if (bFlag || !pszParam || !*pszParam || !m_strFileName.IsEmpty())
        return;
    m_strFileName = pszParam;
    m_nShellCommand = FileOpen;
}

void ParseCommandLineArgs(CCommandLineInfo& rCmdInfo, int argc, const char* const* argv)
{
    for (int i = 1; i < argc; i++) {
        const char* pszParam = argv[i];
        BOOL bFlag = pszParam[0] == '-' || pszParam[0] == '/';
        if (bFlag)
            ++pszParam;
        rCmdInfo.ParseParam(pszParam, bFlag, i == argc - 1);
    }
}
