#include "framework/win/CStatusBar.h"

#include "framework/win/CCmdUI.h"
#include "framework/win/CFrameWnd.h"
#include "framework/win/MessageCrackers.h"

#include <commctrl.h>

IMPLEMENT_DYNAMIC(CStatusBar, CControlBar)

BEGIN_MESSAGE_MAP(CStatusBar, CControlBar)
ON_WM_SIZE()
END_MESSAGE_MAP()

namespace {

// Space around a pane's text inside its part.
constexpr int kPanePadding = 8;

// The keyboard indicators' texts when the program's string table has none.
struct IndicatorText {
    UINT nID;
    const char* pszText;
};
constexpr IndicatorText kIndicatorTexts[] = {
    {ID_INDICATOR_CAPS, "CAP"},
    {ID_INDICATOR_NUM, "NUM"},
    {ID_INDICATOR_SCRL, "SCRL"},
};

// Applies an update handler's answer to one pane.
class CStatusCmdUI : public CCmdUI {
public:
    void Enable(BOOL bOn) override
    {
        m_bEnableChanged = TRUE;
        auto* pBar = static_cast<CStatusBar*>(m_pOther);
        UINT nStyle = pBar->GetPaneStyle(int(m_nIndex));
        pBar->SetPaneStyle(int(m_nIndex),
                           bOn ? (nStyle & ~SBPS_DISABLED) : (nStyle | SBPS_DISABLED));
    }
    void SetCheck(int nCheck) override
    {
        auto* pBar = static_cast<CStatusBar*>(m_pOther);
        UINT nStyle = pBar->GetPaneStyle(int(m_nIndex));
        pBar->SetPaneStyle(int(m_nIndex),
                           nCheck ? (nStyle | SBPS_POPOUT) : (nStyle & ~SBPS_POPOUT));
    }
    void SetText(LPCTSTR lpszText) override
    {
        static_cast<CStatusBar*>(m_pOther)->SetPaneText(int(m_nIndex), lpszText);
    }
};

} // namespace

BOOL CStatusBar::Create(CWnd* pParentWnd, DWORD dwStyle, UINT nID)
{
    static bool s_bInit = [] {
        INITCOMMONCONTROLSEX icc{sizeof(icc), ICC_BAR_CLASSES};
        return ::InitCommonControlsEx(&icc) != FALSE;
    }();
    (void)s_bInit;
    m_dwStyle = dwStyle & CBRS_ALIGN_ANY;
    DWORD dwWndStyle =
        (dwStyle & (WS_CHILD | WS_VISIBLE)) | WS_CHILD | CCS_NOPARENTALIGN | CCS_NOMOVEY;
    if (!CWnd::CreateEx(0, STATUSCLASSNAMEA, nullptr, dwWndStyle, 0, 0, 0, 0,
                        pParentWnd->GetSafeHwnd(), reinterpret_cast<HMENU>(UINT_PTR(nID))))
        return FALSE;
    // The control chose its height from its font when it was created.
    RECT rc;
    ::GetWindowRect(m_hWnd, &rc);
    m_cyBar = rc.bottom - rc.top;
    if (m_cyBar <= 0)
        m_cyBar = ::GetSystemMetrics(SM_CYMENU) + 4;
    return TRUE;
}

int CStatusBar::MeasureText(LPCTSTR lpszText) const
{
    HDC hDC = ::GetDC(m_hWnd);
    HFONT hFont = HFONT(::SendMessageA(m_hWnd, WM_GETFONT, 0, 0));
    HGDIOBJ hOld = hFont ? ::SelectObject(hDC, hFont) : nullptr;
    SIZE size{0, 0};
    ::GetTextExtentPoint32A(hDC, lpszText, int(::lstrlenA(lpszText)), &size);
    if (hOld)
        ::SelectObject(hDC, hOld);
    ::ReleaseDC(m_hWnd, hDC);
    return size.cx;
}

BOOL CStatusBar::SetIndicators(const UINT* lpIDArray, int nIDCount)
{
    m_panes.assign(std::size_t(nIDCount > 0 ? nIDCount : 0), Pane{});
    BOOL bOk = TRUE;
    for (int i = 0; i < nIDCount; i++) {
        Pane& pane = m_panes[std::size_t(i)];
        pane.nID = lpIDArray ? lpIDArray[i] : ID_SEPARATOR;
        if (pane.nID == ID_SEPARATOR) {
            pane.nStyle = i == 0 ? (SBPS_STRETCH | SBPS_NOBORDERS) : SBPS_NORMAL;
            continue;
        }
        char szText[256];
        int n = ::LoadStringA(AfxGetResourceHandle(), pane.nID, szText, int(sizeof(szText)));
        pane.strText = CString(szText, n > 0 ? n : 0);
        for (const IndicatorText& indicator : kIndicatorTexts)
            if (n <= 0 && indicator.nID == pane.nID)
                pane.strText = indicator.pszText;
        if (pane.strText.IsEmpty())
            bOk = FALSE; // the pane stays, empty, as the caller may fill it later
        pane.cxText = MeasureText(pane.strText);
    }
    UpdateAllPanes(TRUE, TRUE);
    return bOk;
}

int CStatusBar::CommandToIndex(UINT nIDFind) const
{
    for (std::size_t i = 0; i < m_panes.size(); i++)
        if (m_panes[i].nID == nIDFind)
            return int(i);
    return -1;
}

UINT CStatusBar::GetItemID(int nIndex) const
{
    ASSERT(nIndex >= 0 && nIndex < GetCount());
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[std::size_t(nIndex)].nID : 0;
}

void CStatusBar::GetItemRect(int nIndex, LPRECT lpRect) const
{
    *lpRect = RECT{0, 0, 0, 0};
    ASSERT(nIndex >= 0 && nIndex < GetCount());
    if (nIndex >= 0 && nIndex < GetCount())
        ::SendMessageA(m_hWnd, SB_GETRECT, WPARAM(nIndex), LPARAM(lpRect));
}

CString CStatusBar::GetPaneText(int nIndex) const
{
    ASSERT(nIndex >= 0 && nIndex < GetCount());
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[std::size_t(nIndex)].strText : CString();
}

BOOL CStatusBar::SetPaneText(int nIndex, LPCTSTR lpszNewText, BOOL bUpdate)
{
    ASSERT(nIndex >= 0 && nIndex < GetCount());
    if (nIndex < 0 || nIndex >= GetCount())
        return FALSE;
    Pane& pane = m_panes[std::size_t(nIndex)];
    CString strNew = lpszNewText ? lpszNewText : "";
    if (pane.strText == strNew)
        return TRUE;
    pane.strText = strNew;
    if (bUpdate)
        ShowPaneText(nIndex);
    return TRUE;
}

void CStatusBar::GetPaneInfo(int nIndex, UINT& nID, UINT& nStyle, int& cxWidth) const
{
    ASSERT(nIndex >= 0 && nIndex < GetCount());
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    const Pane& pane = m_panes[std::size_t(nIndex)];
    nID = pane.nID;
    nStyle = pane.nStyle;
    cxWidth = pane.cxText;
}

void CStatusBar::SetPaneInfo(int nIndex, UINT nID, UINT nStyle, int cxWidth)
{
    ASSERT(nIndex >= 0 && nIndex < GetCount());
    if (nIndex < 0 || nIndex >= GetCount())
        return;
    Pane& pane = m_panes[std::size_t(nIndex)];
    pane.nID = nID;
    pane.nStyle = nStyle;
    pane.cxText = cxWidth;
    UpdateAllPanes(TRUE, TRUE);
}

UINT CStatusBar::GetPaneStyle(int nIndex) const
{
    ASSERT(nIndex >= 0 && nIndex < GetCount());
    return nIndex >= 0 && nIndex < GetCount() ? m_panes[std::size_t(nIndex)].nStyle : 0;
}

void CStatusBar::SetPaneStyle(int nIndex, UINT nStyle)
{
    ASSERT(nIndex >= 0 && nIndex < GetCount());
    if (nIndex < 0 || nIndex >= GetCount() || m_panes[std::size_t(nIndex)].nStyle == nStyle)
        return;
    m_panes[std::size_t(nIndex)].nStyle = nStyle;
    ShowPaneText(nIndex);
}

void CStatusBar::ShowPaneText(int nIndex)
{
    if (!m_hWnd)
        return;
    const Pane& pane = m_panes[std::size_t(nIndex)];
    UINT nType = 0;
    if (pane.nStyle & SBPS_NOBORDERS)
        nType |= SBT_NOBORDERS;
    if (pane.nStyle & SBPS_POPOUT)
        nType |= SBT_POPOUT;
    LPCTSTR lpszText = (pane.nStyle & SBPS_DISABLED) ? "" : pane.strText.GetString();
    ::SendMessageA(m_hWnd, SB_SETTEXTA, WPARAM(nIndex) | nType, LPARAM(lpszText));
}

void CStatusBar::UpdateAllPanes(BOOL bUpdateRects, BOOL bUpdateText)
{
    if (!m_hWnd || m_panes.empty())
        return;
    if (bUpdateRects) {
        RECT rc;
        ::GetClientRect(m_hWnd, &rc);
        int nFixed = 0;
        for (const Pane& pane : m_panes)
            if (!(pane.nStyle & SBPS_STRETCH))
                nFixed += pane.cxText + kPanePadding;
        int cxStretch = std::max(0, int(rc.right - rc.left) - nFixed);
        std::vector<int> edges;
        int x = 0;
        for (const Pane& pane : m_panes) {
            x += (pane.nStyle & SBPS_STRETCH) ? cxStretch : pane.cxText + kPanePadding;
            edges.push_back(x);
        }
        ::SendMessageA(m_hWnd, SB_SETPARTS, WPARAM(edges.size()), LPARAM(edges.data()));
    }
    if (bUpdateText)
        for (int i = 0; i < GetCount(); i++)
            ShowPaneText(i);
}

CSize CStatusBar::CalcFixedLayout(BOOL, BOOL) { return CSize(32767, m_cyBar); }

void CStatusBar::OnSize(UINT nType, int cx, int cy)
{
    CControlBar::OnSize(nType, cx, cy);
    UpdateAllPanes(TRUE, FALSE);
}

void CStatusBar::OnUpdateCmdUI(CFrameWnd* pTarget, BOOL)
{
    CStatusCmdUI state;
    state.m_pOther = this;
    state.m_nIndexMax = UINT(GetCount());
    for (int i = 0; i < GetCount(); i++) {
        state.m_nID = m_panes[std::size_t(i)].nID;
        state.m_nIndex = UINT(i);
        // The message pane belongs to the frame's fly-by help, not to a command.
        if (state.m_nID == ID_SEPARATOR)
            continue;
        // A pane without a handler keeps its text and state.
        state.DoUpdate(pTarget, FALSE);
    }
}
