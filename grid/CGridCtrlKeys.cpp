// The grid's keyboard: navigation, the edit keys, and in-place editing with the guarded path
// by which user text reaches a cell.
#include "grid/CGridCtrl.h"

#include "grid/GridNavigation.h"

#include <algorithm>

// --- Keys ----------------------------------------------------------------------------------

namespace {

BOOL KeyHeld(int nVirtKey) { return ::GetKeyState(nVirtKey) < 0; }

} // namespace

// Page Up and Page Down scroll a page and move the focus by as many rows as the view moved,
// or to the first (last) row when the view could not move.
BOOL CGridCtrl::MoveFocusByPage(UINT nChar, CCellPos& next)
{
    const CCellPos oldTopLeft = GetTopleftNonFixedCell();
    SendMessage(WM_VSCROLL, nChar == VK_NEXT ? SB_PAGEDOWN : SB_PAGEUP, 0);
    const CCellPos newTopLeft = GetTopleftNonFixedCell();
    const int nMoved = newTopLeft.row - oldTopLeft.row;
    if (nChar == VK_NEXT)
        next.row = nMoved ? std::min(next.row + nMoved, GetRowCount() - 1) : GetRowCount() - 1;
    else
        next.row = nMoved ? std::max(next.row + nMoved, GetFixedRowCount()) : GetFixedRowCount();
    return TRUE;
}

void CGridCtrl::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!IsValid(m_idCurrentCell)) {
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    const BOOL bCtrl = KeyHeld(VK_CONTROL);
    const BOOL bShift = KeyHeld(VK_SHIFT);
    if (bCtrl) {
        if (nChar == 'A')
            OnEditSelectAll();
        else if (nChar == 'X')
            OnEditCut();
        else if (nChar == 'C' || nChar == VK_INSERT)
            OnEditCopy();
        else if (nChar == 'V')
            OnEditPaste();
    }
    if (bShift && nChar == VK_INSERT) {
        OnEditPaste();
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }

    CCellPos next = m_idCurrentCell;
    BOOL bChangeLine = FALSE, bHorzScroll = FALSE, bVertScroll = FALSE;
    const auto move = [&](GridMove how) {
        const GridMoveResult result = GridMoveFocus(how, m_idCurrentCell, m_rows, m_cols);
        next = result.next;
        bChangeLine = result.bLineChange;
        return result.bHandled;
    };
    switch (nChar) {
    case VK_DELETE:
        ValidateAndModifyCellContents(m_idCurrentCell.row, m_idCurrentCell.col, "");
        break;
    case VK_DOWN:
        move(GridMove::Down);
        break;
    case VK_UP:
        move(GridMove::Up);
        break;
    case VK_RIGHT:
        move(GridMove::Right);
        break;
    case VK_LEFT:
        move(GridMove::Left);
        break;
    case VK_TAB:
        if (!move(bShift ? GridMove::BackTab : GridMove::Tab)) {
            CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
            return;
        }
        break;
    case VK_NEXT:
    case VK_PRIOR:
        bVertScroll = MoveFocusByPage(nChar, next);
        break;
    case VK_HOME:
    case VK_END: {
        const BOOL bHome = nChar == VK_HOME;
        if (bCtrl) {
            SendMessage(WM_VSCROLL, bHome ? SB_TOP : SB_BOTTOM, 0);
            bVertScroll = TRUE;
        }
        SendMessage(WM_HSCROLL, bHome ? SB_LEFT : SB_RIGHT, 0);
        bHorzScroll = TRUE;
        move(bHome ? (bCtrl ? GridMove::CtrlHome : GridMove::Home)
                   : (bCtrl ? GridMove::CtrlEnd : GridMove::End));
        break;
    }
    case VK_F2:
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), VK_LBUTTON,
                   GridEditStart::Mouse);
        break;
    default:
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    if (next == m_idCurrentCell)
        return;

    if (m_MouseMode == MOUSE_NOTHING) {
        // Plain movement selects the new cell alone; Shift extends from the selection start.
        m_PrevSelectedCellMap.Clear();
        m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
        if (!bShift || nChar == VK_TAB)
            m_SelectionStartCell = next;
        OnSelecting(next);
        m_MouseMode = MOUSE_NOTHING;
    }
    SetFocusCell(next);

    if (!IsCellVisible(next)) {
        switch (nChar) {
        case VK_RIGHT:
            SendMessage(WM_HSCROLL, SB_LINERIGHT, 0);
            bHorzScroll = TRUE;
            break;
        case VK_LEFT:
            SendMessage(WM_HSCROLL, SB_LINELEFT, 0);
            bHorzScroll = TRUE;
            break;
        case VK_DOWN:
            SendMessage(WM_VSCROLL, SB_LINEDOWN, 0);
            bVertScroll = TRUE;
            break;
        case VK_UP:
            SendMessage(WM_VSCROLL, SB_LINEUP, 0);
            bVertScroll = TRUE;
            break;
        case VK_TAB:
            if (bChangeLine) {
                SendMessage(WM_VSCROLL, bShift ? SB_LINEUP : SB_LINEDOWN, 0);
                SetScrollPos32(SB_HORZ, bShift ? m_nHScrollMax : 0);
                bVertScroll = TRUE;
            } else {
                SendMessage(WM_HSCROLL, bShift ? SB_LINELEFT : SB_LINERIGHT, 0);
            }
            bHorzScroll = TRUE;
            break;
        default:
            break;
        }
        EnsureVisible(next);
        Invalidate();
    }
    EnsureVisible(next);
    if (bHorzScroll)
        SendMessage(WM_HSCROLL, SB_ENDSCROLL, 0);
    if (bVertScroll)
        SendMessage(WM_VSCROLL, SB_ENDSCROLL, 0);
}

void CGridCtrl::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (!KeyHeld(VK_CONTROL) && m_MouseMode == MOUSE_NOTHING && nChar != VK_ESCAPE &&
        !(m_bHandleTabKey && nChar == VK_TAB))
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), nChar,
                   GridEditStart::Typed);
    CWnd::OnChar(nChar, nRepCnt, nFlags);
}

LRESULT CGridCtrl::OnImeChar(WPARAM wCharCode, LPARAM)
{
    if (!KeyHeld(VK_CONTROL) && m_MouseMode == MOUSE_NOTHING && wCharCode != VK_ESCAPE)
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), UINT(wCharCode),
                   GridEditStart::Typed);
    return 0;
}

// --- In-place editing ----------------------------------------------------------------------

void CGridCtrl::OnEditCell(int nRow, int nCol, CPoint point, UINT nChar, GridEditStart start)
{
    m_TitleTip.Hide();
    if (!IsValid(nRow, nCol) || !IsCellEditable(nRow, nCol))
        return;
    EnsureVisible(nRow, nCol);
    CRect rect;
    if (!IsCellVisible(nRow, nCol) || !GetCellRect(nRow, nCol, rect))
        return;
    if (SendMessageToParent(nRow, nCol, GridNotify::kBeginEdit) < 0)
        return;
    if (CGridCellBase* pCell = GetCell(nRow, nCol))
        pCell->Edit(nRow, nCol, rect, point, IDC_GRID_INPLACE_EDIT, nChar, start);
}

void CGridCtrl::OnEndEditCell(int nRow, int nCol, CString str)
{
    const CString strCurrent = GetItemText(nRow, nCol);
    if (strCurrent != str) {
        if (m_bVirtualMode) {
            // Nothing is stored here: the owner keeps the text it accepts.
            if (ValidateEdit(nRow, nCol, str) && SendEndEditToParent(nRow, nCol, str) >= 0)
                RedrawCell(nRow, nCol);
        } else {
            SetItemTextUnmarked(nRow, nCol, str);
            if (ValidateEdit(nRow, nCol, str) && SendEndEditToParent(nRow, nCol, str) >= 0) {
                SetModified(TRUE, nRow, nCol);
                RedrawCell(nRow, nCol);
            } else {
                SetItemTextUnmarked(nRow, nCol, strCurrent); // refused: as if never typed
            }
        }
    }
    if (CGridCellBase* pCell = GetCell(nRow, nCol))
        pCell->OnEndEdit();
}

BOOL CGridCtrl::ValidateEdit(int nRow, int nCol, LPCTSTR str)
{
    CGridCellBase* pCell = GetCell(nRow, nCol);
    return pCell ? pCell->ValidateEdit(str) : TRUE;
}

void CGridCtrl::EndEditing()
{
    if (CGridCellBase* pCell = GetCell(m_idCurrentCell.row, m_idCurrentCell.col))
        pCell->EndEdit();
}

void CGridCtrl::OnEndInPlaceEdit(NMHDR* pNMHDR, LRESULT* pResult)
{
    *pResult = 0;
    if (!::IsWindow(m_hWnd))
        return;
    const GridItemInfo& item = reinterpret_cast<GridDispInfo*>(pNMHDR)->item;
    OnEndEditCell(item.row, item.col, item.strText);
    const UINT nKey = UINT(item.lParam);
    switch (nKey) {
    case VK_TAB:
    case VK_PRIOR:
    case VK_NEXT:
    case VK_END:
    case VK_HOME:
    case VK_LEFT:
    case VK_UP:
    case VK_RIGHT:
    case VK_DOWN:
        // Editing goes on in the cell the key moves to.
        OnKeyDown(nKey, 0, 0);
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), nKey,
                   GridEditStart::Navigation);
        break;
    default:
        break;
    }
}

BOOL CGridCtrl::ValidateAndModifyCellContents(int nRow, int nCol, LPCTSTR strText)
{
    if (!IsCellEditable(nRow, nCol) || SendMessageToParent(nRow, nCol, GridNotify::kBeginEdit) < 0)
        return FALSE;
    const CString strCurrent = GetItemText(nRow, nCol);
    if (strCurrent == strText)
        return TRUE;
    if (m_bVirtualMode) {
        // Every change, pasted ones too, goes to the owner, which keeps the texts.
        if (!ValidateEdit(nRow, nCol, strText) || SendEndEditToParent(nRow, nCol, strText) < 0)
            return FALSE;
    } else {
        SetItemTextUnmarked(nRow, nCol, strText);
        if (!ValidateEdit(nRow, nCol, strText) ||
            (!m_bPasting && SendEndEditToParent(nRow, nCol, strText) < 0)) {
            SetItemTextUnmarked(nRow, nCol, strCurrent);
            return FALSE;
        }
        SetModified(TRUE, nRow, nCol);
    }
    if (!m_bDeferRedraw)
        RedrawCell(nRow, nCol);
    return TRUE;
}
