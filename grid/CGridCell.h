#pragma once
#include "framework/core/CString.h"
#include "grid/CGridCellBase.h"

#include <memory>

// The ordinary grid cell: a text with its own image, format, colours, font and margin, each of
// which may be left to the default cell of its region (format and margin -1, colours
// CLR_DEFAULT, no font). Editing opens a CGridCellEdit over the cell.
class CGridCell : public CGridCellBase {
    DECLARE_DYNCREATE(CGridCell)
public:
    CGridCell();
    ~CGridCell() override;

    void SetText(LPCTSTR szText) override { m_strText = szText; }
    void SetImage(int nImage) override { m_nImage = nImage; }
    void SetData(LPARAM lParam) override { m_lParam = lParam; }
    void SetFormat(DWORD nFormat) override { m_nFormat = nFormat; }
    void SetTextColour(COLORREF clr) override { m_crFgClr = clr; }
    void SetBackColour(COLORREF clr) override { m_crBkClr = clr; }
    // A private copy of the font, or nullptr for the default cell's.
    void SetFont(const LOGFONTA* plf) override;
    void SetMargin(UINT nMargin) override { m_nMargin = nMargin; }
    void SetGrid(CGridCtrl* pGrid) override { m_pGrid = pGrid; }

    LPCTSTR GetText() const override { return m_strText; }
    int GetImage() const override { return m_nImage; }
    LPARAM GetData() const override { return m_lParam; }
    DWORD GetFormat() const override;
    COLORREF GetTextColour() const override { return m_crFgClr; }
    COLORREF GetBackColour() const override { return m_crBkClr; }
    const LOGFONTA* GetFont() const override;
    CFont* GetFontObject() const override;
    CGridCtrl* GetGrid() const override { return m_pGrid; }
    CWnd* GetEditWnd() const override { return m_pEditWnd; }
    UINT GetMargin() const override;

    BOOL IsDefaultFont() const override { return m_plfFont == nullptr; }
    BOOL IsEditing() const override { return m_bEditing; }
    void Reset() override;

    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar,
              GridEditStart start) override;
    void EndEdit() override;
    void OnEndEdit() override;

protected:
    // Opens the in-place editor over rect with the cell's text and alignment; FALSE (and no
    // edit) when its window cannot be made.
    BOOL OpenEditor(int nRow, int nCol, CRect rect, UINT nID, UINT nChar, GridEditStart start);

    CString m_strText;
    LPARAM m_lParam = 0;
    int m_nImage = -1;
    DWORD m_nFormat = DWORD(-1);
    COLORREF m_crFgClr = CLR_DEFAULT;
    COLORREF m_crBkClr = CLR_DEFAULT;
    std::unique_ptr<LOGFONTA> m_plfFont;
    UINT m_nMargin = UINT(-1);
    BOOL m_bEditing = FALSE;
    CGridCtrl* m_pGrid = nullptr;
    CWnd* m_pEditWnd = nullptr; // the open editor; it deletes itself
};
