#pragma once
#include "framework/win/Controls.h"

// The editor of one rename in a folder bar, over the folder's name or the item's label: Enter
// or leaving it takes the text, Escape keeps the old one. It tells the bar once
// (WM_OUTBAR_NOTIFY with itself as lParam) and deletes itself with its window.
class COutBarEdit : public CEdit {
    DECLARE_DYNAMIC(COutBarEdit)
public:
    COutBarEdit(BOOL bFolder, int nIndex, const CString& oldText)
        : m_bFolder(bFolder), m_nIndex(nIndex), m_strOldText(oldText)
    {
    }

    BOOL IsFolder() const { return m_bFolder; }
    int GetIndex() const { return m_nIndex; }
    const CString& GetNewText() const { return m_strNewText; }
    // Ends the rename keeping the old text.
    void Cancel() { End(FALSE); }

    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void End(BOOL bAccept);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKillFocus(CWnd* pNewWnd);
    UINT OnGetDlgCode();
    void PostNcDestroy() override { delete this; }
    DECLARE_MESSAGE_MAP()

    BOOL m_bFolder;
    int m_nIndex;
    CString m_strOldText;
    CString m_strNewText;
    BOOL m_bEnded = FALSE;
};
