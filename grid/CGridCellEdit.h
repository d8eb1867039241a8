#pragma once
#include "framework/win/Controls.h"
#include "grid/GridNotify.h"

// The in-place editor: an edit control laid over a cell. It grows to the right with its text
// (never past the grid's client area), and ends on Tab, Enter, Escape (which puts the old text
// back), on a navigation key when editing started from the keyboard (or with Ctrl), and on
// any loss of focus. Ending reports the text and the key to the grid (-106, a GridDispInfo
// whose data word is the key); then the window closes and the object deletes itself. When the
// window cannot be made, m_hWnd stays null and the maker deletes the object.
//
// An editor given pShownText starts with a text that replaces what the cell shows: that text
// is all selected however the edit began (a double click included), and Escape puts the shown
// one back.
class CGridCellEdit : public CEdit {
public:
    CGridCellEdit(CWnd* pParent, const CRect& rect, DWORD dwStyle, UINT nID, int nRow, int nCol,
                  const CString& strInitText, UINT nFirstChar, GridEditStart start,
                  const CString* pShownText = nullptr);

    void EndEdit();
    BOOL PreTranslateMessage(MSG* pMsg) override;

protected:
    void PostNcDestroy() override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnKillFocus(CWnd* pNewWnd);
    void OnChar(UINT nChar, UINT nRepCnt, UINT nFlags);
    UINT OnGetDlgCode();
    void OnLButtonDown(UINT nFlags, CPoint point);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    void GiveFocusBack(UINT nKey);
    void GrowToText();
    BOOL IsSecondPressOfOpening();

    CWnd* m_pParent;
    int m_nRow;
    int m_nCol;
    CString m_strInitText;
    UINT m_nLastChar = 0;
    BOOL m_bDeletesItself = FALSE; // only once its window exists
    BOOL m_bExitOnArrows;
    CRect m_Rect;
    BOOL m_bHoldSelection = FALSE;
    LONG m_nOpenTime = 0;
    DWORD m_dwOpenPos = 0;
};
