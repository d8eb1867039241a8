#include "grid/CGridCellEdit.h"

#include "framework/win/CDC.h"
#include "framework/win/MessageCrackers.h"

#include <algorithm>
#include <cstdlib>

BEGIN_MESSAGE_MAP(CGridCellEdit, CEdit)
ON_WM_KEYDOWN()
ON_WM_KILLFOCUS()
ON_WM_CHAR()
ON_WM_GETDLGCODE()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
END_MESSAGE_MAP()

CGridCellEdit::CGridCellEdit(CWnd* pParent, const CRect& rect, DWORD dwStyle, UINT nID, int nRow,
                             int nCol, const CString& strInitText, UINT nFirstChar,
                             GridEditStart start, const CString* pShownText)
    : m_pParent(pParent), m_nRow(nRow), m_nCol(nCol),
      m_strInitText(pShownText ? *pShownText : strInitText),
      m_bExitOnArrows(start != GridEditStart::Mouse), m_Rect(rect)
{
    const DWORD dwEditStyle = WS_CHILD | WS_VISIBLE | WS_BORDER | ES_AUTOHSCROLL | dwStyle;
    if (!Create(dwEditStyle, rect, pParent, nID))
        return;
    m_bDeletesItself = TRUE;
    SetFont(CFont::FromHandle(HFONT(pParent->SendMessage(WM_GETFONT))));
    SetWindowText(strInitText);
    SetFocus();

    const int nLength = strInitText.GetLength();
    const BOOL bTyped = start == GridEditStart::Typed;
    const BOOL bReplacing = pShownText != nullptr;
    // The press that opened the editor may be the first of a double click.
    m_bHoldSelection = bReplacing && start == GridEditStart::Mouse;
    m_nOpenTime = ::GetMessageTime();
    m_dwOpenPos = ::GetMessagePos();
    if (!bReplacing && (start == GridEditStart::Mouse || (bTyped && nFirstChar == VK_RETURN))) {
        SetSel(nLength, -1); // caret at the end, the text kept
        return;
    }
    if (!bReplacing && bTyped && nFirstChar == VK_BACK) {
        SetSel(nLength, -1);
        PostMessage(WM_CHAR, nFirstChar);
        return;
    }
    SetSel(0, -1);
    // A typed character replaces the text; a key that carried the edit over only selects it.
    if (bTyped && nFirstChar != VK_TAB && nFirstChar != VK_RETURN)
        PostMessage(nFirstChar < 0x80 ? WM_CHAR : WM_IME_CHAR, nFirstChar);
}

void CGridCellEdit::PostNcDestroy()
{
    if (m_bDeletesItself)
        delete this;
}

BOOL CGridCellEdit::PreTranslateMessage(MSG* pMsg)
{
    if (pMsg->message == WM_SYSCHAR)
        return TRUE;
    return CEdit::PreTranslateMessage(pMsg);
}

UINT CGridCellEdit::OnGetDlgCode() { return DLGC_WANTALLKEYS; }

// The second press of a double click that opened the editor over a refusal leaves the input all
// selected, as F2 does, instead of putting the caret where it landed; later presses place it.
BOOL CGridCellEdit::IsSecondPressOfOpening()
{
    if (!m_bHoldSelection)
        return FALSE;
    m_bHoldSelection = FALSE;
    const LONG nElapsed = ::GetMessageTime() - m_nOpenTime;
    const DWORD dwPos = ::GetMessagePos();
    const auto coordinate = [](DWORD pos, bool bY) {
        return int(short(bY ? HIWORD(pos) : LOWORD(pos)));
    };
    const int dx = std::abs(coordinate(dwPos, false) - coordinate(m_dwOpenPos, false));
    const int dy = std::abs(coordinate(dwPos, true) - coordinate(m_dwOpenPos, true));
    return nElapsed >= 0 && UINT(nElapsed) <= ::GetDoubleClickTime() &&
           dx <= ::GetSystemMetrics(SM_CXDOUBLECLK) / 2 &&
           dy <= ::GetSystemMetrics(SM_CYDOUBLECLK) / 2;
}

void CGridCellEdit::OnLButtonDown(UINT nFlags, CPoint point)
{
    if (!IsSecondPressOfOpening())
        CEdit::OnLButtonDown(nFlags, point);
}

void CGridCellEdit::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (!IsSecondPressOfOpening())
        CEdit::OnLButtonDblClk(nFlags, point);
}

void CGridCellEdit::GiveFocusBack(UINT nKey)
{
    m_nLastChar = nKey;
    m_pParent->SetFocus(); // the loss of focus ends the edit
}

void CGridCellEdit::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    const BOOL bNavigation = nChar == VK_PRIOR || nChar == VK_NEXT || nChar == VK_DOWN ||
                             nChar == VK_UP || nChar == VK_RIGHT || nChar == VK_LEFT;
    if (bNavigation && (m_bExitOnArrows || ::GetKeyState(VK_CONTROL) < 0)) {
        GiveFocusBack(nChar);
        return;
    }
    CEdit::OnKeyDown(nChar, nRepCnt, nFlags);
}

void CGridCellEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    EndEdit();
}

void CGridCellEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_TAB || nChar == VK_RETURN) {
        GiveFocusBack(nChar);
        return;
    }
    if (nChar == VK_ESCAPE) {
        SetWindowText(m_strInitText);
        GiveFocusBack(nChar);
        return;
    }
    CEdit::OnChar(nChar, nRepCnt, nFlags);
    GrowToText();
}

// Widens the editor to hold its text and two blanks, up to the grid's right edge.
void CGridCellEdit::GrowToText()
{
    CString text;
    GetWindowText(text);
    text += "  ";
    CWindowDC dc(this);
    CFont* pOldFont = dc.SelectObject(GetFont());
    const CSize size = dc.GetTextExtent(text);
    dc.SelectObject(pOldFont);
    if (size.cx <= m_Rect.Width())
        return;
    CRect parentRect;
    m_pParent->GetClientRect(parentRect);
    const int nRight = std::min<int>(m_Rect.left + size.cx, parentRect.right);
    if (nRight <= m_Rect.right)
        return;
    m_Rect.right = nRight;
    MoveWindow(m_Rect);
}

void CGridCellEdit::EndEdit()
{
    // One end at a time for all editors: a validation that moves the focus cannot end an
    // editor twice. The guard is cleared however the end goes.
    static BOOL s_bEnding = FALSE;
    if (s_bEnding)
        return;
    struct Guard {
        Guard() { s_bEnding = TRUE; }
        ~Guard() { s_bEnding = FALSE; }
    } guard;

    const HWND hWnd = m_hWnd;
    GridDispInfo dispinfo{};
    dispinfo.hdr.hwndFrom = hWnd;
    dispinfo.hdr.idFrom = hWnd ? UINT_PTR(GetDlgCtrlID()) : IDC_GRID_INPLACE_EDIT;
    dispinfo.hdr.code = UINT(GridNotify::kEndEdit);
    dispinfo.item.mask = ItemMask::kText | ItemMask::kData;
    dispinfo.item.row = m_nRow;
    dispinfo.item.col = m_nCol;
    if (hWnd)
        GetWindowText(dispinfo.item.strText);
    dispinfo.item.lParam = LPARAM(m_nLastChar);

    CWnd* pOwner = hWnd ? GetOwner() : m_pParent;
    if (pOwner && ::IsWindow(pOwner->m_hWnd))
        pOwner->SendMessage(WM_NOTIFY, dispinfo.hdr.idFrom, LPARAM(&dispinfo));
    if (::IsWindow(hWnd))
        ::SendMessageA(hWnd, WM_CLOSE, 0, 0); // destroys the window, and with it this object
}
