#pragma once
#include "framework/core/CObject.h"
#include "framework/core/CString.h"

#include <vector>

class CCmdUI;

// The most-recently-used file list of the File menu: newest first, each file once whatever the
// spelling of its path (the newest spelling stays), at most GetSize() entries, kept in the
// registry section given at construction as "File1", "File2", ...
class CRecentFileList {
public:
    // nStart: command id of the first menu entry; lpszEntryFormat: e.g. "File%d".
    CRecentFileList(UINT nStart, const char* lpszSection, const char* lpszEntryFormat, int nSize,
                    int nMaxDispLen = 40);
    virtual ~CRecentFileList() = default;

    int GetSize() const { return int(m_arrNames.size()); }
    // Entries in use (the rest of the slots are empty).
    int GetCount() const;
    const CString& operator[](int nIndex) const
    {
        ASSERT(nIndex >= 0 && nIndex < GetSize());
        return m_arrNames[std::size_t(nIndex)];
    }

    // Puts the path (full, long names) at the top, in place of the file's other entries.
    virtual void Add(const char* lpszPathName);
    virtual void Remove(int nIndex);

    // The text of a menu entry: the path shortened to the display length, '&' doubled.
    virtual BOOL GetDisplayName(CString& strName, int nIndex) const;
    // Replaces the menu items from the first entry's command id with the list (or one disabled
    // placeholder item when the list is empty).
    virtual void UpdateMenu(CCmdUI* pCmdUI);

    virtual void ReadList();
    virtual void WriteList();

    UINT m_nStart;
    CString m_strSectionName;
    CString m_strEntryFormat;
    int m_nMaxDisplayLength;
    CString m_strOriginal; // the placeholder item's text, restored when the list is empty

private:
    std::vector<CString> m_arrNames;
};

// A path shortened to at most nMaxLength characters by replacing middle folders with "...":
// "C:\a\b\c\file.zvp" -> "C:\...\c\file.zvp". The file name itself is never cut.
CString AbbreviatePathName(const CString& strPath, int nMaxLength);
