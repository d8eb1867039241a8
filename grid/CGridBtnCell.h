#pragma once
#include "framework/core/CString.h"
#include "grid/CGridBtnCellStore.h"
#include "grid/CGridCellBase.h"
#include "grid/GridButtonLayout.h"

#include <vector>

// A cell of buttons (push buttons, check boxes, radio buttons, spin halves) beside an optional
// text area. Clicks and typed keys press its buttons, and the grid's owner hears of a press as
// a click (-2). Most attributes live in a shared store (set it right after creating the cell);
// without one the cell has no grid and draws nothing. This base keeps no buttons: it reports a
// maximum of 0.
class CGridBtnCellBase : public CGridCellBase {
    DECLARE_DYNCREATE(CGridBtnCellBase)
public:
    CGridBtnCellBase() { CGridBtnCellBase::Reset(); }

    void SetBtnDataBase(CGridBtnCellStore* pStore) { m_pBtnDataBase = pStore; }
    CGridBtnCellStore* GetBtnDataBase() const { return m_pBtnDataBase; }

    // Through the store, with this cell's row and column.
    void SetText(LPCTSTR szText) override;
    void SetImage(int nImage) override;
    void SetData(LPARAM lParam) override;
    void SetFormat(DWORD nFormat) override;
    void SetTextColour(COLORREF clr) override;
    void SetBackColour(COLORREF clr) override;
    void SetFont(const LOGFONTA* plf) override;
    void SetMargin(UINT nMargin) override;
    void SetGrid(CGridCtrl* pGrid) override;
    void SetCoords(int nRow, int nCol) override
    {
        m_iRow = nRow;
        m_iCol = nCol;
    }
    LPCTSTR GetText() const override;
    LPCTSTR GetTipText() const override { return GetButtonTipText(); }
    int GetImage() const override;
    LPARAM GetData() const override;
    DWORD GetFormat() const override;
    COLORREF GetTextColour() const override;
    COLORREF GetBackColour() const override;
    const LOGFONTA* GetFont() const override;
    CFont* GetFontObject() const override;
    CGridCtrl* GetGrid() const override;
    CWnd* GetEditWnd() const override;
    UINT GetMargin() const override;
    BOOL IsEditing() const override { return m_bEditing; }
    BOOL IsDefaultFont() const override { return FALSE; }
    void Reset() override;

    BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE) override;
    // Printed as on screen, buttons and all.
    BOOL PrintCell(CDC* pDC, int nRow, int nCol, CRect rect) override
    {
        return Draw(pDC, nRow, nCol, rect, TRUE);
    }
    BOOL GetTextRect(LPRECT pRect) override;
    BOOL GetTipTextRect(LPRECT pRect) override;
    CSize GetCellExtent(CDC* pDC) override;
    BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar,
              GridEditStart start) override;
    void EndEdit() override;
    void OnEndEdit() override;
    void OnClick(CPoint pointCellRelative) override;
    void OnClickDown(CPoint pointCellRelative) override;
    void OnDblClick(CPoint pointCellRelative) override;
    // The mouse went up elsewhere: a pressed button comes up without acting.
    void OnMouseLeave() override;

    // The buttons. The base stores none: its getters answer empty values.
    virtual short GetButtonCount() const { return m_sNbrButtons; }
    virtual short GetLastClickedButton() const { return m_sLastClickedButton; }
    virtual BYTE GetMaxButtons() const { return 0; }
    virtual BYTE GetButtonType(int) const { return 0; }
    virtual void SetButtonType(int, BYTE) {}
    virtual WORD GetButtonState(int) const { return 0; }
    virtual void SetButtonState(int, WORD) {}
    virtual UINT GetButtonWidth(int) const { return UINT(-1); }
    virtual void SetButtonWidth(int, UINT) {}
    virtual int GetButtonPlacement(int) const { return 3; }
    virtual void SetButtonPlacement(int, int) {}
    virtual LPCTSTR GetButtonCaption(int) const { return nullptr; }
    virtual void SetButtonCaption(int, LPCTSTR) {}
    virtual BOOL IsRadioGroupMember(int) const { return FALSE; }
    virtual void SetRadioGroupMember(int, BOOL) {}
    virtual void SetButtonCount(short nCount) { m_sNbrButtons = nCount; }
    virtual CPoint GetCellPoint() const { return CPoint(m_iCol, m_iRow); }
    virtual void SetStoreEditWnd(CWnd* pEditWnd);
    // The title tip: the text, or without a text area the captions (one string for all cells).
    virtual LPCTSTR GetButtonTipText() const;

    // Adds or changes button nIndex; FALSE (and no change) for an index past the maximum, a
    // placement outside 0..2, or a whole-cell placement for any button but the first.
    BOOL SetUpButton(int nIndex, BYTE nType, WORD nState, int nPlacement, UINT nWidth,
                     BOOL bRadioGroupMember, LPCTSTR szCaption);
    // The button rectangles of cell and, at index GetButtonCount(), the text area.
    BOOL CalcButtonRects(CRect* pRects, int nLength, const CRect& cell) const;
    BOOL DrawButtons(CDC* pDC, int nRow, int nCol, CRect& rect);
    BOOL ProcessButtonClick(UINT message, int nIndex);
    BOOL ClickButtonAt(UINT message, CPoint pointCellRelative);
    int HitTestButton(CPoint pointCellRelative) const;
    BOOL HasTextArea() const;
    int FindMnemonicButton(char ch) const;

protected:
    std::vector<CString> Captions() const;
    // Presses and releases a button the way a click does, and tells the owner.
    void PressButton(int nRow, int nCol, int nIndex);

    short m_sLastClickedButton = -1;
    short m_sNbrButtons = 0;
    int m_iRow = -1;
    int m_iCol = -1;
    BOOL m_bEditing = FALSE;
    CGridBtnCellStore* m_pBtnDataBase = nullptr; // not owned
};

// Up to four buttons with their own text and format; the rest comes from the store.
class CGridBtnCell : public CGridBtnCellBase {
    DECLARE_DYNCREATE(CGridBtnCell)
public:
    static constexpr int kMaxButtons = 4;

    CGridBtnCell() { CGridBtnCell::Reset(); }

    void SetText(LPCTSTR szText) override { m_strText = szText; }
    LPCTSTR GetText() const override { return m_strText; }
    void SetFormat(DWORD nFormat) override { m_nFormat = nFormat; }
    DWORD GetFormat() const override { return m_nFormat; }
    void Reset() override;

    BYTE GetMaxButtons() const override { return kMaxButtons; }
    BYTE GetButtonType(int i) const override { return Valid(i) ? m_buttons[i].nType : 0; }
    void SetButtonType(int i, BYTE nType) override;
    WORD GetButtonState(int i) const override { return Valid(i) ? m_buttons[i].nState : 0; }
    void SetButtonState(int i, WORD nState) override;
    UINT GetButtonWidth(int i) const override { return Valid(i) ? m_buttons[i].nWidth : UINT(-1); }
    void SetButtonWidth(int i, UINT nWidth) override;
    int GetButtonPlacement(int i) const override
    {
        return Valid(i) ? m_buttons[i].GetPlacement() : 3;
    }
    void SetButtonPlacement(int i, int nPlacement) override;
    LPCTSTR GetButtonCaption(int i) const override;
    void SetButtonCaption(int i, LPCTSTR szCaption) override;
    BOOL IsRadioGroupMember(int i) const override
    {
        return Valid(i) && m_buttons[i].IsRadioGroupMember();
    }
    void SetRadioGroupMember(int i, BOOL bMember) override;

private:
    static BOOL Valid(int i) { return i >= 0 && i < kMaxButtons; }

    CString m_strText;
    DWORD m_nFormat = 0;
    GridButtonRecord m_buttons[kMaxButtons];
    CString m_captions[kMaxButtons];
};
