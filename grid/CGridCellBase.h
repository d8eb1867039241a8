#pragma once
#include "framework/core/CObject.h"
#include "framework/core/Geometry.h"
#include "grid/GridNotify.h"

class CDC;
class CFont;
class CWnd;
class CGridCtrl;
class CGridDefaultCell;

// The root of every grid cell. The grid owns its cells, asks each to draw, measure and edit
// itself, and sets and clears the state bits; the cell only reports them. This base stores
// nothing but the state word: its setters do nothing and its getters answer empty values,
// so a derived cell overrides what it keeps.
class CGridCellBase : public CObject {
    DECLARE_DYNCREATE(CGridCellBase)
public:
    CGridCellBase() = default;
    ~CGridCellBase() override = default;
    CGridCellBase(const CGridCellBase&) = delete;
    CGridCellBase& operator=(const CGridCellBase&) = delete;

    virtual void SetText(LPCTSTR) {}
    virtual void SetImage(int) {}
    virtual void SetData(LPARAM) {}
    virtual void SetState(DWORD nState) { m_nState = nState; }
    virtual void SetFormat(DWORD) {}
    virtual void SetTextColour(COLORREF) {}
    virtual void SetBackColour(COLORREF) {}
    virtual void SetFont(const LOGFONTA*) {}
    virtual void SetMargin(UINT) {}
    virtual void SetGrid(CGridCtrl*) {}
    // The grid tells a cell where it was placed.
    virtual void SetCoords(int, int) {}

    virtual LPCTSTR GetText() const { return nullptr; }
    virtual LPCTSTR GetTipText() const { return GetText(); }
    virtual int GetImage() const { return -1; }
    virtual LPARAM GetData() const { return 0; }
    virtual DWORD GetState() const { return m_nState; }
    virtual DWORD GetFormat() const { return 0; }
    virtual COLORREF GetTextColour() const { return 0; }
    virtual COLORREF GetBackColour() const { return 0; }
    virtual const LOGFONTA* GetFont() const { return nullptr; }
    virtual CFont* GetFontObject() const { return nullptr; }
    virtual CGridCtrl* GetGrid() const { return nullptr; }
    virtual CWnd* GetEditWnd() const { return nullptr; }
    virtual UINT GetMargin() const { return 0; }

    // The grid's default cell of this cell's region (fixed row and/or column, or ordinary).
    virtual CGridDefaultCell* GetDefaultCell() const;
    virtual BOOL IsDefaultFont() const { return FALSE; }
    virtual BOOL IsEditing() const { return FALSE; }

    virtual BOOL IsFocused() const { return (GetState() & CellState::kFocused) != 0; }
    virtual BOOL IsFixed() const { return (GetState() & CellState::kFixed) != 0; }
    virtual BOOL IsFixedCol() const { return (GetState() & CellState::kFixedCol) != 0; }
    virtual BOOL IsFixedRow() const { return (GetState() & CellState::kFixedRow) != 0; }
    virtual BOOL IsSelected() const { return (GetState() & CellState::kSelected) != 0; }
    virtual BOOL IsReadOnly() const { return (GetState() & CellState::kReadOnly) != 0; }
    virtual BOOL IsModified() const { return (GetState() & CellState::kModified) != 0; }
    virtual BOOL IsDropHighlighted() const { return (GetState() & CellState::kDropTarget) != 0; }

    // Takes every attribute of source through the setters; a format or margin left to the
    // default arrives as the source's effective value, a default font stays default.
    virtual void CopyFrom(const CGridCellBase& source);
    virtual void Reset() { m_nState = 0; }

    // Draws the cell into rect (the last pixel row and column included); FALSE when there is
    // no grid, DC or room.
    virtual BOOL Draw(CDC* pDC, int nRow, int nCol, CRect rect, BOOL bEraseBkgnd = TRUE);
    // Prints the cell into rect (grid units on a printer's DC): the fill and text colours of
    // a print-out, header cells raised; FALSE when there is no grid, DC, default cell or room.
    virtual BOOL PrintCell(CDC* pDC, int nRow, int nCol, CRect rect);
    // Moves rect's left edge past the cell's image.
    virtual BOOL GetTextRect(LPRECT pRect);
    virtual BOOL GetTipTextRect(LPRECT pRect) { return GetTextRect(pRect); }
    virtual CSize GetTextExtent(LPCTSTR szText, CDC* pDC = nullptr);
    virtual CSize GetCellExtent(CDC* pDC);

    // Opens an editor on the cell (FALSE for a cell that cannot be edited). nChar is the
    // typed character, or the key or VK_LBUTTON that started the edit (see start).
    virtual BOOL Edit(int nRow, int nCol, CRect rect, CPoint point, UINT nID, UINT nChar,
                      GridEditStart start);
    virtual BOOL ValidateEdit(LPCTSTR) { return TRUE; }
    virtual void EndEdit() {}

    virtual void OnEndEdit() {}
    virtual void OnMouseEnter() {}
    virtual void OnMouseOver() {}
    virtual void OnMouseLeave() {}
    virtual void OnClick(CPoint) {}
    virtual void OnClickDown(CPoint) {}
    virtual void OnRClick(CPoint) {}
    virtual void OnDblClick(CPoint) {}
    virtual BOOL OnSetCursor();

    // Sends a grid notification about this cell's owner window; 0 without a grid.
    LRESULT SendMessageToParent(int nRow, int nCol, int nMessage) const;

protected:
    // The image list entry of the cell: its size, FALSE without list or image.
    BOOL GetImageSize(CSize* pSize) const;

private:
    void DrawBackground(CDC* pDC, CRect& rect, COLORREF& textColour, BOOL bEraseBkgnd,
                        CGridDefaultCell* pDefault);
    void DrawFixedFrame(CDC* pDC, int nRow, int nCol, CRect& rect);
    static void DrawRaisedFrame(CDC* pDC, const CRect& rect);
    void DrawSortArrow(CDC* pDC, int nRow, int nCol, CRect& rect);

    DWORD m_nState = 0;
};
