#include "ui/KxPagerCtrl.h"

#include "framework/win/MessageCrackers.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CKxPagerCtrl, CWnd)

BEGIN_MESSAGE_MAP(CKxPagerCtrl, CWnd)
ON_NOTIFY_REFLECT(PGN_CALCSIZE, &CKxPagerCtrl::OnCalcSize)
ON_NOTIFY_REFLECT(PGN_SCROLL, &CKxPagerCtrl::OnScroll)
END_MESSAGE_MAP()

CKxPagerCtrl::CKxPagerCtrl()
{
    INITCOMMONCONTROLSEX icc = {sizeof icc, ICC_PAGESCROLLER_CLASS};
    ::InitCommonControlsEx(&icc);
}

BOOL CKxPagerCtrl::Create(DWORD dwStyle, const RECT& rect, CWnd* pParentWnd, UINT nID)
{
    return CWnd::Create(WC_PAGESCROLLERA, nullptr, dwStyle | WS_CHILD, rect, pParentWnd, nID);
}

void CKxPagerCtrl::SetChildExtent(int nExtent)
{
    m_nChildExtent = nExtent < 0 ? 0 : nExtent;
    if (m_hWnd)
        RecalcSize();
}

void CKxPagerCtrl::OnCalcSize(NMHDR* pNMHDR, LRESULT* pResult)
{
    auto* pCalc = reinterpret_cast<NMPGCALCSIZE*>(pNMHDR);
    if (pCalc->dwFlag == PGF_CALCHEIGHT)
        pCalc->iHeight = m_nChildExtent;
    else if (pCalc->dwFlag == PGF_CALCWIDTH)
        pCalc->iWidth = m_nChildExtent;
    *pResult = 0;
}

// The pager's own scroll step stays.
void CKxPagerCtrl::OnScroll(NMHDR*, LRESULT* pResult) { *pResult = 0; }
