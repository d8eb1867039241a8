#include "grid/CDataGridCtrl.h"

#include "framework/win/MessageCrackers.h"
#include "res/resource.h"

IMPLEMENT_DYNCREATE(CDataGridCtrl, CGridCtrl)

BEGIN_MESSAGE_MAP(CDataGridCtrl, CGridCtrl)
ON_WM_KEYDOWN()
ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CDataGridCtrl::CDataGridCtrl() : CGridCtrl(0, 0, 0, 0)
{
    SetEditable(TRUE);
    EnableDragAndDrop(TRUE);
}

BOOL CDataGridCtrl::SetItemInt(int nRow, int nCol, int nValue)
{
    CString text;
    text.Format("%d", nValue);
    return SetItemTextUnmarked(nRow, nCol, text);
}

BOOL CDataGridCtrl::SetItemString(int nRow, int nCol, LPCTSTR szText)
{
    return SetItemTextUnmarked(nRow, nCol, szText);
}

BOOL CDataGridCtrl::IsCellEditable(int nRow, int nCol) const
{
    return m_pOwnerView && CGridCtrl::IsCellEditable(nRow, nCol) &&
           m_pOwnerView->IsCellEditable(nRow, nCol);
}

BOOL CDataGridCtrl::ValidateEdit(int nRow, int nCol, LPCTSTR str)
{
    return CGridCtrl::ValidateEdit(nRow, nCol, str) && m_pOwnerView &&
           m_pOwnerView->ValidateEdit(nRow, nCol, str);
}

CString CDataGridCtrl::GetEditText(int nRow, int nCol) const
{
    return m_pOwnerView ? m_pOwnerView->GetEditText(nRow, nCol) : GetItemText(nRow, nCol);
}

void CDataGridCtrl::OnEditCell(int nRow, int nCol, CPoint point, UINT nChar, GridEditStart start)
{
    if (m_pOwnerView && m_pOwnerView->IsCellEditable(nRow, nCol))
        CGridCtrl::OnEditCell(nRow, nCol, point, nChar, start);
}

DROPEFFECT CDataGridCtrl::OnDragEnter(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!m_pOwnerView || !m_pOwnerView->CanAcceptDrop())
        return DROPEFFECT_NONE;
    return CGridCtrl::OnDragEnter(pDataObject, dwKeyState, point);
}

DROPEFFECT CDataGridCtrl::OnDragOver(COleDataObject* pDataObject, DWORD dwKeyState, CPoint point)
{
    if (!m_pOwnerView || !m_pOwnerView->CanAcceptDrop())
        return DROPEFFECT_NONE;
    return CGridCtrl::OnDragOver(pDataObject, dwKeyState, point);
}

BOOL CDataGridCtrl::OnDrop(COleDataObject* pDataObject, DROPEFFECT* pEffect, CPoint point)
{
    SetModified(FALSE);
    return CGridCtrl::OnDrop(pDataObject, pEffect, point);
}

void CDataGridCtrl::OnCellsPasted(const CCellBlock& range, BOOL bDropped)
{
    if (bDropped && m_pOwnerView)
        m_pOwnerView->OnCellsDropped(range);
}

void CDataGridCtrl::EmptyCells(const std::vector<CCellPos>& cells)
{
    if (IsEditable() && m_pOwnerView && m_pOwnerView->EmptyCells(cells))
        return;
    CGridCtrl::EmptyCells(cells);
}

void CDataGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    CGridCtrl::OnKeyDown(nChar, nRepCnt, nFlags);
    if (nChar == VK_DELETE)
        if (CWnd* pParent = GetParent())
            pParent->PostMessage(WM_COMMAND, ID_GRID_DELETE_ITEM);
}

void CDataGridCtrl::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    // The command reads the focus row before the grid's own double-click handling moves on.
    if (m_pOwnerView) {
        CWnd* pMainWnd = AfxGetMainWnd();
        if (!pMainWnd)
            pMainWnd = GetTopLevelParent();
        if (pMainWnd)
            pMainWnd->SendMessage(WM_COMMAND, ID_GRID_INSERT_ENTRY);
    }
    CGridCtrl::OnLButtonDblClk(nFlags, point);
}
