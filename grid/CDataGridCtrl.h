#pragma once
#include "grid/CGridCtrl.h"
#include "grid/IGridOwnerView.h"

// The grid every window of the program shows. It asks its owner view before the user changes a
// cell and before cells are dropped on it, tells the view after a drop, and turns the Delete key
// into the Delete Item command (to its parent) and a double click into the command that inserts
// the focus row's entry (to the main window). Drag and drop between grids is on.
class CDataGridCtrl : public CGridCtrl {
    DECLARE_DYNCREATE(CDataGridCtrl)
public:
    CDataGridCtrl();

    void SetOwnerView(IGridOwnerView* pOwnerView) { m_pOwnerView = pOwnerView; }
    IGridOwnerView* GetOwnerView() const { return m_pOwnerView; }

    // The program's own writes: not marked as user edits.
    BOOL SetItemInt(int nRow, int nCol, int nValue);
    BOOL SetItemString(int nRow, int nCol, LPCTSTR szText);

    BOOL IsCellEditable(int nRow, int nCol) const override;
    BOOL ValidateEdit(int nRow, int nCol, LPCTSTR str) override;
    CString GetEditText(int nRow, int nCol) const override;
    void OnEditCell(int nRow, int nCol, CPoint point, UINT nChar, GridEditStart start) override;
    DROPEFFECT OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    DROPEFFECT OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point) override;
    // Clears the cells' modified marks first, so that the marks tell the owner which cells the
    // drop wrote.
    BOOL OnDrop(COleDataObject* pDataObject, DROPEFFECT* pEffect, CPoint point) override;

protected:
    void OnCellsPasted(const CCellBlock& range, BOOL bDropped) override;
    // The owner view first: it empties the cells of its item at once.
    void EmptyCells(const std::vector<CCellPos>& cells) override;
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnLButtonDblClk(UINT nFlags, CPoint point);
    DECLARE_MESSAGE_MAP()

private:
    IGridOwnerView* m_pOwnerView = nullptr; // not owned
};
