#include "framework/win/CRecentFileList.h"

#include "framework/win/CCmdUI.h"
#include "framework/win/CMenu.h"
#include "framework/win/CWinApp.h"
#include "framework/win/FileIdentity.h"

#include <algorithm>

namespace {

CString FileNameOf(const CString& strPath) { return strPath.Mid(strPath.ReverseFind('\\') + 1); }

// Entries are opened to compare them only where their file names agree (one file under two
// spellings keeps its name), so that an entry on a drive out of reach never holds up the list.
BOOL IsSameEntry(const CString& strEntry, const CString& strPath, const CString& strName,
                 const CString& strShortName)
{
    if (strEntry.CompareNoCase(strPath) == 0)
        return TRUE;
    const CString strEntryName = FileNameOf(strEntry);
    return (strEntryName.CompareNoCase(strName) == 0 ||
            strEntryName.CompareNoCase(strShortName) == 0) &&
           IsSameFile(strEntry, strPath);
}

} // namespace

CRecentFileList::CRecentFileList(UINT nStart, const char* lpszSection, const char* lpszEntryFormat,
                                 int nSize, int nMaxDispLen)
    : m_nStart(nStart), m_strSectionName(lpszSection), m_strEntryFormat(lpszEntryFormat),
      m_nMaxDisplayLength(nMaxDispLen), m_arrNames(std::size_t(nSize > 0 ? nSize : 1))
{
}

int CRecentFileList::GetCount() const
{
    int n = 0;
    while (n < GetSize() && !m_arrNames[n].IsEmpty())
        ++n;
    return n;
}

void CRecentFileList::Add(const char* lpszPathName)
{
    if (!lpszPathName || !*lpszPathName)
        return;
    const CString strPath = NormalPathName(lpszPathName);
    const CString strName = FileNameOf(strPath);
    char szShort[MAX_PATH];
    const DWORD n = ::GetShortPathNameA(strPath, szShort, MAX_PATH);
    const CString strShortName = n > 0 && n < MAX_PATH ? FileNameOf(szShort) : strName;

    // The file goes to the top under the spelling used now; its other entries leave.
    std::vector<CString> names{strPath};
    for (const CString& strEntry : m_arrNames)
        if (!strEntry.IsEmpty() && !IsSameEntry(strEntry, strPath, strName, strShortName))
            names.push_back(strEntry);
    names.resize(m_arrNames.size());
    m_arrNames = std::move(names);
}

void CRecentFileList::Remove(int nIndex)
{
    ASSERT(nIndex >= 0 && nIndex < GetSize());
    if (nIndex < 0 || nIndex >= GetSize())
        return;
    m_arrNames.erase(m_arrNames.begin() + nIndex);
    m_arrNames.emplace_back();
}

CString AbbreviatePathName(const CString& strPath, int nMaxLength)
{
    if (strPath.GetLength() <= nMaxLength)
        return strPath;
    int nName = strPath.ReverseFind('\\');
    if (nName < 0)
        return strPath;
    // Keep the root ("C:\" or "\\server\share\"), drop whole folders after it until it fits.
    int nRootEnd = strPath.Find('\\');
    if (strPath.Left(2) == CString("\\\\")) {
        nRootEnd = strPath.Find('\\', 2);
        if (nRootEnd >= 0)
            nRootEnd = strPath.Find('\\', nRootEnd + 1);
    }
    if (nRootEnd < 0 || nRootEnd >= nName)
        return strPath.Mid(nName + 1);
    CString strRoot = strPath.Left(nRootEnd + 1);
    int nCut = nRootEnd;
    while (nCut < nName) {
        nCut = strPath.Find('\\', nCut + 1);
        CString strTry = strRoot + "..." + strPath.Mid(nCut);
        if (strTry.GetLength() <= nMaxLength)
            return strTry;
    }
    return strPath.Mid(nName + 1);
}

BOOL CRecentFileList::GetDisplayName(CString& strName, int nIndex) const
{
    ASSERT(nIndex >= 0 && nIndex < GetSize());
    if (nIndex < 0 || nIndex >= GetSize() || m_arrNames[nIndex].IsEmpty())
        return FALSE;
    strName = AbbreviatePathName(m_arrNames[nIndex], m_nMaxDisplayLength);
    strName.Replace("&", "&&");
    return TRUE;
}

void CRecentFileList::ReadList()
{
    CWinApp* pApp = AfxGetApp();
    for (int i = 0; i < GetSize(); i++) {
        CString strEntry;
        strEntry.Format(m_strEntryFormat, i + 1);
        m_arrNames[i] = pApp->GetProfileString(m_strSectionName, strEntry, "");
    }
    // One file listed twice under two spellings (by an earlier version) keeps the newer entry.
    for (std::size_t i = 0; i < m_arrNames.size(); i++)
        for (std::size_t j = i + 1; j < m_arrNames.size() && !m_arrNames[i].IsEmpty(); j++)
            if (!m_arrNames[j].IsEmpty() &&
                IsSameEntry(m_arrNames[j], m_arrNames[i], FileNameOf(m_arrNames[i]), CString()))
                m_arrNames[j].Empty();
    // Gaps left by hand-edited values close up, so the menu numbers stay consecutive.
    std::stable_partition(m_arrNames.begin(), m_arrNames.end(),
                          [](const CString& s) { return !s.IsEmpty(); });
}

void CRecentFileList::WriteList()
{
    CWinApp* pApp = AfxGetApp();
    for (int i = 0; i < GetSize(); i++) {
        CString strEntry;
        strEntry.Format(m_strEntryFormat, i + 1);
        // An empty slot removes its value, so a shorter list leaves no stale entries behind.
        if (m_arrNames[i].IsEmpty())
            pApp->WriteProfileString(m_strSectionName, strEntry, nullptr);
        else
            pApp->WriteProfileString(m_strSectionName, strEntry, m_arrNames[i]);
    }
}

void CRecentFileList::UpdateMenu(CCmdUI* pCmdUI)
{
    if (!pCmdUI->m_pMenu)
        return; // only menus show the list
    HMENU hMenu = pCmdUI->m_pMenu->GetSafeHmenu();
    // Read through the menu object: an owner-drawn menu holds the text, mnemonic and all.
    if (m_strOriginal.IsEmpty() &&
        pCmdUI->m_pMenu->GetMenuString(pCmdUI->m_nID, m_strOriginal, MF_BYCOMMAND) == 0)
        m_strOriginal = "Recent File";
    for (int i = 0; i < GetSize(); i++)
        ::DeleteMenu(hMenu, m_nStart + UINT(i), MF_BYCOMMAND);

    UINT nIndex = pCmdUI->m_nIndex;
    int nCount = GetCount();
    if (nCount == 0) {
        ::InsertMenuA(hMenu, nIndex, MF_BYPOSITION | MF_STRING, m_nStart, m_strOriginal);
    } else {
        for (int i = 0; i < nCount; i++) {
            CString strName, strItem;
            GetDisplayName(strName, i);
            strItem.Format("&%d %s", (i + 1) % 10, strName.GetString());
            ::InsertMenuA(hMenu, nIndex++, MF_BYPOSITION | MF_STRING, m_nStart + UINT(i), strItem);
        }
        --nIndex;
    }
    // The menu update loop goes on after the last item inserted here.
    pCmdUI->m_nIndex = nIndex;
    pCmdUI->m_nIndexMax = UINT(::GetMenuItemCount(hMenu));
    pCmdUI->Enable(nCount > 0);
}
