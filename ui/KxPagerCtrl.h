#pragma once
#include "framework/win/CWnd.h"

// The common controls' pager: one child window scrolled by two buttons when it is longer (or
// wider) than the pager. The pager asks how long its child is; the answer is the extent set.
class CKxPagerCtrl : public CWnd {
    DECLARE_DYNAMIC(CKxPagerCtrl)
public:
    CKxPagerCtrl();

    // dwStyle PGS_VERT (the default) or PGS_HORZ, with PGS_AUTOSCROLL or PGS_DRAGNDROP.
    BOOL Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID);

    void SetChild(HWND hWndChild) { SendMessage(PGM_SETCHILD, 0, LPARAM(hWndChild)); }
    void SetButtonSize(int nSize) { SendMessage(PGM_SETBUTTONSIZE, 0, nSize); }
    int GetButtonSize() const { return int(SendMessage(PGM_GETBUTTONSIZE)); }
    int GetPos() const { return int(SendMessage(PGM_GETPOS)); }
    void SetPos(int nPos) { SendMessage(PGM_SETPOS, 0, nPos); }
    void RecalcSize() { SendMessage(PGM_RECALCSIZE); }
    // The child's height (or width for a horizontal pager); the pager scrolls when it is
    // longer than the pager itself.
    void SetChildExtent(int nExtent);
    int GetChildExtent() const { return m_nChildExtent; }

protected:
    void OnCalcSize(NMHDR* pNMHDR, LRESULT* pResult);
    void OnScroll(NMHDR* pNMHDR, LRESULT* pResult);
    DECLARE_MESSAGE_MAP()

    int m_nChildExtent = 0;
};
