#pragma once
#include "framework/core/CString.h"

#include <commctrl.h>
#include <memory>

class CFont;
class CWnd;
class CGridCtrl;

// The attributes that button cells meant to look alike share: text, format, image, colours,
// data, font, margin, grid and the open editor. Its user owns it (one store serves every cell
// that points at it, whatever their row and column) and keeps it longer than those cells.
class CGridBtnCellStore {
public:
    CGridBtnCellStore() = default;
    virtual ~CGridBtnCellStore() = default;
    CGridBtnCellStore(const CGridBtnCellStore&) = delete;
    CGridBtnCellStore& operator=(const CGridBtnCellStore&) = delete;

    virtual void SetText(int, int, LPCTSTR szText) { m_strText = szText; }
    virtual void SetImage(int, int, int nImage) { m_nImage = nImage; }
    virtual void SetData(int, int, LPARAM lParam) { m_lParam = lParam; }
    virtual void SetFormat(int, int, DWORD nFormat) { m_nFormat = nFormat; }
    virtual void SetTextColour(int, int, COLORREF clr) { m_crFgClr = clr; }
    virtual void SetBackColour(int, int, COLORREF clr) { m_crBkClr = clr; }
    virtual void SetFont(int, int, const LOGFONTA* plf);
    virtual void SetMargin(int, int, UINT nMargin) { m_nMargin = nMargin; }
    virtual void SetGrid(CGridCtrl* pGrid) { m_pGrid = pGrid; }
    virtual void SetEditWnd(CWnd* pEditWnd) { m_pEditWnd = pEditWnd; }

    virtual LPCTSTR GetText(int, int) const { return m_strText; }
    virtual int GetImage(int, int) const { return m_nImage; }
    virtual LPARAM GetData(int, int) const { return m_lParam; }
    virtual DWORD GetFormat(int, int) const { return m_nFormat; }
    virtual COLORREF GetTextColour(int, int) const { return m_crFgClr; }
    virtual COLORREF GetBackColour(int, int) const { return m_crBkClr; }
    // The store's own font, else the grid's ordinary cells' font.
    virtual const LOGFONTA* GetFont(int nRow, int nCol) const;
    virtual CFont* GetFontObject(int nRow, int nCol) const;
    virtual UINT GetMargin(int, int) const { return m_nMargin; }
    virtual CGridCtrl* GetGrid() const { return m_pGrid; }
    virtual CWnd* GetEditWnd() const { return m_pEditWnd; }
    virtual BOOL IsDefaultFont(int, int) const { return m_plfFont == nullptr; }

private:
    CString m_strText;
    DWORD m_nFormat = DT_SINGLELINE | DT_VCENTER | DT_END_ELLIPSIS;
    int m_nImage = -1;
    COLORREF m_crBkClr = CLR_DEFAULT;
    COLORREF m_crFgClr = CLR_DEFAULT;
    LPARAM m_lParam = 0;
    std::unique_ptr<LOGFONTA> m_plfFont;
    UINT m_nMargin = 3;
    CGridCtrl* m_pGrid = nullptr;
    CWnd* m_pEditWnd = nullptr;
};
