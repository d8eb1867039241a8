#include "ui/OutBarEdit.h"

#include "framework/win/MessageCrackers.h"
#include "ui/GfxOutBarCtrl.h"

IMPLEMENT_DYNAMIC(COutBarEdit, CEdit)

BEGIN_MESSAGE_MAP(COutBarEdit, CEdit)
ON_WM_CHAR()
ON_WM_KILLFOCUS()
ON_WM_GETDLGCODE()
END_MESSAGE_MAP()

BOOL COutBarEdit::PreTranslateMessage(MSG* pMsg)
{
    // Enter and Escape end the rename before a dialog around the bar can take them.
    if (pMsg->message == WM_KEYDOWN && (pMsg->wParam == VK_RETURN || pMsg->wParam == VK_ESCAPE)) {
        End(pMsg->wParam == VK_RETURN);
        return TRUE;
    }
    return CEdit::PreTranslateMessage(pMsg);
}

UINT COutBarEdit::OnGetDlgCode() { return CEdit::OnGetDlgCode() | DLGC_WANTALLKEYS; }

void COutBarEdit::OnChar(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_RETURN || nChar == VK_ESCAPE) {
        End(nChar == VK_RETURN);
        return;
    }
    CEdit::OnChar(nChar, nRepCnt, nFlags);
}

void COutBarEdit::OnKillFocus(CWnd* pNewWnd)
{
    CEdit::OnKillFocus(pNewWnd);
    End(TRUE);
}

void COutBarEdit::End(BOOL bAccept)
{
    // Enter destroys the editor, which then loses the focus: the rename is told only once.
    if (m_bEnded || !m_hWnd)
        return;
    m_bEnded = TRUE;
    GetWindowText(m_strNewText);
    if (bAccept && m_strNewText != m_strOldText)
        if (CWnd* pBar = GetParent())
            pBar->SendMessage(WM_OUTBAR_NOTIFY, 0, reinterpret_cast<LPARAM>(this));
    if (CWnd* pBar = GetParent(); auto* pOutBar = dynamic_cast<CGfxOutBarCtrl*>(pBar))
        pOutBar->ForgetRenameEdit(this);
    DestroyWindow();
}
