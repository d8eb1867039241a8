#include "framework/win/CReBar.h"

#include "framework/win/CFrameWnd.h"
#include "framework/win/MessageCrackers.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CReBar, CControlBar)

BEGIN_MESSAGE_MAP(CReBar, CControlBar)
ON_NOTIFY_REFLECT(RBN_HEIGHTCHANGE, &CReBar::OnHeightChange)
END_MESSAGE_MAP()

BOOL CReBar::Create(CWnd* pParentWnd, DWORD dwCtrlStyle, DWORD dwStyle, UINT nID)
{
    static const BOOL s_bInit = [] {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_COOL_CLASSES | ICC_BAR_CLASSES};
        return ::InitCommonControlsEx(&icc);
    }();
    (void)s_bInit;
    m_dwStyle = dwStyle & CBRS_ALL;
    const DWORD dwWndStyle = (dwStyle & ~CBRS_ALL) | dwCtrlStyle | CCS_NODIVIDER |
                             CCS_NOPARENTALIGN | CCS_NORESIZE | RBS_VARHEIGHT;
    return CWnd::CreateEx(0, REBARCLASSNAMEA, nullptr, dwWndStyle, 0, 0, 0, 0,
                          AfxSafeHwnd(pParentWnd), reinterpret_cast<HMENU>(UINT_PTR(nID)));
}

BOOL CReBar::AddBar(CWnd* pBar, LPCTSTR lpszText, DWORD dwBandStyle)
{
    if (!pBar || !pBar->m_hWnd)
        return FALSE;
    CSize size(0, 0);
    if (auto* pControlBar = dynamic_cast<CControlBar*>(pBar)) {
        size = pControlBar->CalcFixedLayout(FALSE, TRUE);
    } else {
        CRect rect;
        pBar->GetWindowRect(&rect);
        size = rect.Size();
    }
    REBARBANDINFOA band = {};
    band.cbSize = sizeof band;
    band.fMask =
        RBBIM_CHILD | RBBIM_CHILDSIZE | RBBIM_STYLE | RBBIM_SIZE | (lpszText ? RBBIM_TEXT : 0);
    band.fStyle = dwBandStyle;
    band.hwndChild = pBar->m_hWnd;
    band.cxMinChild = UINT(size.cx);
    band.cyMinChild = UINT(size.cy);
    band.cx = UINT(size.cx);
    band.lpText = const_cast<LPSTR>(lpszText);
    if (!SendMessage(RB_INSERTBANDA, WPARAM(-1), LPARAM(&band)))
        return FALSE;
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout();
    return TRUE;
}

CSize CReBar::CalcFixedLayout(BOOL bStretch, BOOL bHorz)
{
    const int nHeight = int(SendMessage(RB_GETBARHEIGHT));
    CSize size = CControlBar::CalcFixedLayout(bStretch, bHorz);
    if (bHorz)
        size.cy = std::max(LONG(nHeight), size.cy);
    else
        size.cx = std::max(LONG(nHeight), size.cx);
    return size;
}

void CReBar::OnHeightChange(NMHDR*, LRESULT* pResult)
{
    if (CFrameWnd* pFrame = GetParentFrame())
        pFrame->RecalcLayout();
    *pResult = 0;
}
