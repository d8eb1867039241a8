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
    const BOOL bShift = KeyHeld(VK_SHIFT);
    KeyStep step;
    if (HandleEditShortcut(nChar) || !StepForKey(nChar, bShift, step)) {
        CWnd::OnKeyDown(nChar, nRepCnt, nFlags);
        return;
    }
    if (!(step.next == m_idCurrentCell))
        MoveFocusForKey(nChar, bShift, step);
}

// Ctrl+A, X, C (or Insert) and V run the edit commands, and the key then goes on as any other;
// Shift+Insert pastes and ends there (TRUE).
BOOL CGridCtrl::HandleEditShortcut(UINT nChar)
{
    if (KeyHeld(VK_CONTROL)) {
        if (nChar == 'A')
            OnEditSelectAll();
        else if (nChar == 'X')
            OnEditCut();
        else if (nChar == 'C' || nChar == VK_INSERT)
            OnEditCopy();
        else if (nChar == 'V')
            OnEditPaste();
    }
    if (KeyHeld(VK_SHIFT) && nChar == VK_INSERT) {
        OnEditPaste();
        return TRUE;
    }
    return FALSE;
}

// Where a key takes the focus; FALSE for a key the grid leaves to the default handling.
BOOL CGridCtrl::StepForKey(UINT nChar, BOOL bShift, KeyStep& step)
{
    step.next = m_idCurrentCell;
    const BOOL bCtrl = KeyHeld(VK_CONTROL);
    const auto move = [&](GridMove how) {
        const GridMoveResult result = GridMoveFocus(how, m_idCurrentCell, m_rows, m_cols);
        step.next = result.next;
        step.bChangeLine = result.bLineChange;
        return result.bHandled;
    };
    switch (nChar) {
    case VK_DELETE:
        // The whole selection when the focus cell is part of it, as Cut empties it.
        EmptyCells(IsCellSelected(m_idCurrentCell) ? GetSelectedShownCells()
                                                   : std::vector<CCellPos>{m_idCurrentCell});
        return TRUE;
    case VK_DOWN:
        return move(GridMove::Down);
    case VK_UP:
        return move(GridMove::Up);
    case VK_RIGHT:
        return move(GridMove::Right);
    case VK_LEFT:
        return move(GridMove::Left);
    case VK_TAB:
        return move(bShift ? GridMove::BackTab : GridMove::Tab);
    case VK_NEXT:
    case VK_PRIOR:
        step.bVertScroll = MoveFocusByPage(nChar, step.next);
        return TRUE;
    case VK_HOME:
    case VK_END: {
        const BOOL bHome = nChar == VK_HOME;
        if (bCtrl) {
            SendMessage(WM_VSCROLL, bHome ? SB_TOP : SB_BOTTOM, 0);
            step.bVertScroll = TRUE;
        }
        SendMessage(WM_HSCROLL, bHome ? SB_LEFT : SB_RIGHT, 0);
        step.bHorzScroll = TRUE;
        return move(bHome ? (bCtrl ? GridMove::CtrlHome : GridMove::Home)
                          : (bCtrl ? GridMove::CtrlEnd : GridMove::End));
    }
    case VK_F2:
        OnEditCell(m_idCurrentCell.row, m_idCurrentCell.col, CPoint(-1, -1), VK_LBUTTON,
                   GridEditStart::Mouse);
        return TRUE;
    default:
        return FALSE;
    }
}

// Moves the focus (and, without a mouse action, the selection) to the step's cell and scrolls
// it into view. Plain movement selects the new cell alone; Shift extends from the start.
void CGridCtrl::MoveFocusForKey(UINT nChar, BOOL bShift, KeyStep step)
{
    if (m_MouseMode == MOUSE_NOTHING) {
        m_PrevSelectedCellMap.Clear();
        m_MouseMode = m_bListMode ? MOUSE_SELECT_ROW : MOUSE_SELECT_CELLS;
        if (!bShift || nChar == VK_TAB)
            m_SelectionStartCell = step.next;
        OnSelecting(step.next);
        m_MouseMode = MOUSE_NOTHING;
    }
    SetFocusCell(step.next);
    if (!IsCellVisible(step.next)) {
        const BOOL bBack = bShift && nChar == VK_TAB;
        if (nChar == VK_TAB && step.bChangeLine) {
            SendMessage(WM_VSCROLL, bBack ? SB_LINEUP : SB_LINEDOWN, 0);
            SetScrollPos32(SB_HORZ, bBack ? m_nHScrollMax : 0);
            step.bVertScroll = TRUE;
        } else if (nChar == VK_RIGHT || nChar == VK_LEFT || nChar == VK_TAB) {
            const BOOL bLeft = nChar == VK_LEFT || bBack;
            SendMessage(WM_HSCROLL, bLeft ? SB_LINELEFT : SB_LINERIGHT, 0);
            step.bHorzScroll = TRUE;
        } else if (nChar == VK_DOWN || nChar == VK_UP) {
            SendMessage(WM_VSCROLL, nChar == VK_UP ? SB_LINEUP : SB_LINEDOWN, 0);
            step.bVertScroll = TRUE;
        }
        EnsureVisible(step.next);
        Invalidate();
    }
    EnsureVisible(step.next);
    if (step.bHorzScroll)
        SendMessage(WM_HSCROLL, SB_ENDSCROLL, 0);
    if (step.bVertScroll)
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
