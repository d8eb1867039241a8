#include "ui/KxToolBarBase.h"

#include "framework/win/CDC.h"
#include "framework/win/MessageCrackers.h"
#include "ui/ToolBarLayout.h"

#include <shlwapi.h>

IMPLEMENT_DYNAMIC(CKxToolBarBase, CControlBar)

BEGIN_MESSAGE_MAP(CKxToolBarBase, CControlBar)
ON_MESSAGE(WM_NCCALCSIZE, &CKxToolBarBase::OnNcCalcSize)
ON_WM_NCPAINT()
ON_WM_NCHITTEST()
ON_WM_WINDOWPOSCHANGED()
END_MESSAGE_MAP()

namespace {

int g_nComCtlVersion = -1;

int ProbeComCtlVersion()
{
    HMODULE hModule = ::GetModuleHandleA("COMCTL32.DLL");
    if (!hModule)
        hModule = ::LoadLibraryA("COMCTL32.DLL");
    auto pfnGetVersion = reinterpret_cast<DLLGETVERSIONPROC>(
        reinterpret_cast<void*>(hModule ? ::GetProcAddress(hModule, "DllGetVersion") : nullptr));
    DLLVERSIONINFO info = {};
    info.cbSize = sizeof info;
    if (!pfnGetVersion || FAILED(pfnGetVersion(&info)))
        return 0x40000;
    return int(info.dwMajorVersion << 16 | info.dwMinorVersion);
}

} // namespace

int CKxToolBarBase::GetComCtlVersion()
{
    if (g_nComCtlVersion == -1)
        g_nComCtlVersion = ProbeComCtlVersion();
    return g_nComCtlVersion;
}

void CKxToolBarBase::SetComCtlVersion(int nVersion) { g_nComCtlVersion = nVersion; }

LRESULT CKxToolBarBase::WindowProc(UINT message, WPARAM wParam, LPARAM lParam)
{
    switch (message) {
    case WM_DRAWITEM:
    case WM_MEASUREITEM:
    case WM_DELETEITEM:
    case WM_VKEYTOITEM:
    case WM_CHARTOITEM:
    case WM_COMPAREITEM:
    case WM_NOTIFY:
    case WM_COMMAND: {
        LRESULT lResult = 0;
        const BOOL bHandled = message == WM_NOTIFY ? CWnd::OnNotify(wParam, lParam, &lResult)
                                                   : OnWndMsg(message, wParam, lParam, &lResult);
        if (bHandled)
            return lResult;
        CWnd* pOwner = GetOwner();
        lResult = pOwner ? ::SendMessageA(pOwner->m_hWnd, message, wParam, lParam) : 0;
        // A tip the owner gave no text gets the command's own.
        if (message == WM_NOTIFY) {
            auto* pNMHDR = reinterpret_cast<NMHDR*>(lParam);
            if (pNMHDR->code == TTN_NEEDTEXTA) {
                auto* pInfo = reinterpret_cast<NMTTDISPINFOA*>(pNMHDR);
                if (!pInfo->szText[0] && (!pInfo->lpszText || !pInfo->lpszText[0]))
                    FillToolTipText(pNMHDR, &lResult);
            } else if (pNMHDR->code == TTN_NEEDTEXTW) {
                auto* pInfo = reinterpret_cast<NMTTDISPINFOW*>(pNMHDR);
                if (!pInfo->szText[0] && (!pInfo->lpszText || !pInfo->lpszText[0]))
                    FillToolTipText(pNMHDR, &lResult);
            }
        }
        return lResult;
    }
    default:
        return CControlBar::WindowProc(message, wParam, lParam);
    }
}

int CKxToolBarBase::GetGripperSpace() const
{
    return m_bFlatGripper ? 10 : CControlBar::GetGripperSpace();
}

void CKxToolBarBase::DrawBorders(CDC* pDC, CRect& rect)
{
    if (!(m_dwStyle & CBRS_BORDER_ANY))
        return;
    if (!m_bInReBar) {
        CControlBar::DrawBorders(pDC, rect);
        return;
    }
    // In a rebar: etched single lines, a highlight line inside them for a 3-D border.
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    const COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const BOOL b3d = (m_dwStyle & CBRS_BORDER_3D) != 0;
    struct Side {
        DWORD bit;
        int dl, dt, dr, db;
    };
    const Side sides[] = {{CBRS_BORDER_LEFT, 1, 0, 0, 0},
                          {CBRS_BORDER_TOP, 0, 1, 0, 0},
                          {CBRS_BORDER_RIGHT, 0, 0, 1, 0},
                          {CBRS_BORDER_BOTTOM, 0, 0, 0, 1}};
    for (int line = 0; line < (b3d ? 2 : 1); ++line) {
        const COLORREF clr = line == 0 ? clrShadow : clrHilite;
        for (const Side& side : sides) {
            if (!(m_dwStyle & side.bit))
                continue;
            const int x = side.dr ? rect.right - 1 : rect.left;
            const int y = side.db ? rect.bottom - 1 : rect.top;
            const int cx = (side.dl || side.dr) ? 1 : rect.Width();
            const int cy = (side.dt || side.db) ? 1 : rect.Height();
            pDC->FillSolidRect(x, y, cx, cy, clr);
        }
        rect.DeflateRect(
            (m_dwStyle & CBRS_BORDER_LEFT) ? 1 : 0, (m_dwStyle & CBRS_BORDER_TOP) ? 1 : 0,
            (m_dwStyle & CBRS_BORDER_RIGHT) ? 1 : 0, (m_dwStyle & CBRS_BORDER_BOTTOM) ? 1 : 0);
    }
}

void CKxToolBarBase::DrawGripper(CDC* pDC, const CRect& rect)
{
    if (!(m_dwStyle & CBRS_GRIPPER) || IsFloating() || !(IsDocked() || m_bInReBar))
        return;
    if (!m_bFlatGripper && !m_bInReBar) {
        CControlBar::DrawGripper(pDC, rect);
        return;
    }
    const COLORREF clrHilite = ::GetSysColor(COLOR_BTNHIGHLIGHT);
    const COLORREF clrShadow = ::GetSysColor(COLOR_BTNSHADOW);
    const BOOL bHorz = (m_dwStyle & CBRS_ORIENT_HORZ) != 0;
    if (m_bFlatGripper) {
        for (int offset : {3, 6}) {
            if (bHorz) {
                pDC->Draw3dRect(rect.left + offset, rect.top + 2, 3, rect.Height() - 4, clrHilite,
                                clrShadow);
                pDC->SetPixel(rect.left + offset, rect.bottom - 3, clrHilite);
            } else {
                pDC->Draw3dRect(rect.left + 2, rect.top + offset, rect.Width() - 4, 3, clrHilite,
                                clrShadow);
                pDC->SetPixel(rect.right - 3, rect.top + offset, clrHilite);
            }
        }
        return;
    }
    // In a rebar: one bar inside the borders.
    if (bHorz)
        pDC->Draw3dRect(rect.left + 2, rect.top + m_cyTopBorder, 3,
                        rect.Height() - m_cyTopBorder - m_cyBottomBorder, clrHilite, clrShadow);
    else
        pDC->Draw3dRect(rect.left + m_cyTopBorder, rect.top + 2,
                        rect.Width() - m_cyTopBorder - m_cyBottomBorder, 3, clrHilite, clrShadow);
}

void CKxToolBarBase::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    CControlBar::OnBarStyleChange(dwOldStyle, dwNewStyle);
    if (m_hWnd && ((dwOldStyle ^ dwNewStyle) & (CBRS_BORDER_ANY | CBRS_BORDER_3D | CBRS_GRIPPER |
                                                CBRS_ORIENT_ANY | CBRS_FLOATING)))
        SetWindowPos(nullptr, 0, 0, 0, 0,
                     SWP_FRAMECHANGED | SWP_NOMOVE | SWP_NOSIZE | SWP_NOZORDER | SWP_NOACTIVATE);
}

LRESULT CKxToolBarBase::OnNcCalcSize(WPARAM, LPARAM lParam)
{
    // The borders and the gripper are the window's frame; the control draws in the rest.
    auto* pParams = reinterpret_cast<NCCALCSIZE_PARAMS*>(lParam);
    CRect rect(0, 0, 0, 0);
    CalcInsideRect(rect, (m_dwStyle & CBRS_ORIENT_HORZ) != 0);
    if (GetComCtlVersion() < kComCtl471)
        rect.top -= 2;
    RECT& rc = pParams->rgrc[0];
    rc.left += rect.left;
    rc.top += rect.top;
    rc.right += rect.right;
    rc.bottom += rect.bottom;
    if (rc.right < rc.left)
        rc.right = rc.left;
    if (rc.bottom < rc.top)
        rc.bottom = rc.top;
    return 0;
}

void CKxToolBarBase::OnNcPaint()
{
    CWindowDC dc(this);
    CRect rectWindow, rectClient;
    GetWindowRect(&rectWindow);
    GetClientRect(&rectClient);
    ClientToScreen(&rectClient);
    rectClient.OffsetRect(-rectWindow.left, -rectWindow.top);
    rectWindow.OffsetRect(-rectWindow.left, -rectWindow.top);
    dc.ExcludeClipRect(&rectClient);
    dc.FillSolidRect(&rectWindow, ::GetSysColor(COLOR_BTNFACE));
    DrawBorders(&dc, rectWindow);
    DrawGripper(&dc, rectWindow);
}

LRESULT CKxToolBarBase::OnNcHitTest(CPoint) { return HTCLIENT; }

void CKxToolBarBase::OnWindowPosChanged(WINDOWPOS* pWndPos)
{
    CControlBar::OnWindowPosChanged(pWndPos);
    // A new size moves the right and bottom borders: the frame repaints at its new size.
    CRect rectWindow;
    GetWindowRect(&rectWindow);
    if (rectWindow.Size() != m_rectLastWindow.Size())
        ::RedrawWindow(m_hWnd, nullptr, nullptr, RDW_INVALIDATE | RDW_FRAME | RDW_NOCHILDREN);
    m_rectLastWindow = rectWindow;
}
