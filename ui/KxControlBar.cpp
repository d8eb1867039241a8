#include "ui/KxControlBar.h"

#include "framework/win/CCmdUI.h"
#include "framework/win/CDC.h"
#include "framework/win/CFrameWnd.h"
#include "framework/win/MessageCrackers.h"
#include "framework/win/RegistryProfileStore.h"
#include "res/UiIds.h"
#include "ui/CaptureLoop.h"
#include "ui/KxDockContext.h"
#include "ui/KxSizeDockBar.h"
#include "ui/SizingBarLayout.h"
#include "ui/SystemFonts.h"

#include <algorithm>

IMPLEMENT_DYNAMIC(CKxControlBar, CControlBar)

BEGIN_MESSAGE_MAP(CKxControlBar, CControlBar)
ON_WM_CREATE()
ON_WM_PAINT()
ON_WM_SETCURSOR()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONDBLCLK()
ON_WM_RBUTTONDOWN()
ON_WM_WINDOWPOSCHANGED()
ON_WM_DRAWITEM()
ON_WM_MENUCHAR()
ON_WM_INITMENUPOPUP()
ON_WM_CANCELMODE()
ON_COMMAND(ID_KXBAR_HIDE, &CKxControlBar::OnHide)
ON_COMMAND(ID_KXBAR_EXPAND, &CKxControlBar::OnExpand)
ON_UPDATE_COMMAND_UI(ID_KXBAR_HIDE, &CKxControlBar::OnUpdateHide)
ON_UPDATE_COMMAND_UI(ID_KXBAR_EXPAND, &CKxControlBar::OnUpdateExpand)
END_MESSAGE_MAP()

namespace {

constexpr int kCaptionHeight = 18;
constexpr int kButtonSize = 14;
// Owner-drawn icon buttons that tell their parent of every click, as the caption's buttons.
constexpr DWORD kButtonStyle = 0x5001404B;

CFont& CaptionFont()
{
    static CFont font;
    if (!font.m_hObject)
        CreateSystemFont(font, SystemFont::Message);
    return font;
}

DWORD SideOf(DWORD dwStyle)
{
    for (DWORD dwSide : {CBRS_ALIGN_LEFT, CBRS_ALIGN_TOP, CBRS_ALIGN_RIGHT, CBRS_ALIGN_BOTTOM})
        if (dwStyle & dwSide)
            return dwSide;
    return CBRS_ALIGN_LEFT;
}

} // namespace

CKxControlBar::CKxControlBar() = default;

CKxControlBar::~CKxControlBar() = default;

BOOL CKxControlBar::Create(LPCTSTR lpszTitle, CWnd* pParentWnd, CSize sizeDefault, UINT nID,
                           DWORD dwStyle)
{
    m_dwStyle = dwStyle & CBRS_ALL;
    m_dwSide = SideOf(dwStyle);
    m_sizeHorz = CSize(sizeDefault.cx, sizeDefault.cy);
    m_sizeVert = CSize(sizeDefault.cy, sizeDefault.cx);
    m_sizeFloat = sizeDefault;
    LPCTSTR lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursorA(nullptr, IDC_ARROW),
                                            HBRUSH(COLOR_BTNFACE + 1));
    return CWnd::Create(lpszClass, lpszTitle,
                        (dwStyle & ~CBRS_ALL) | WS_CHILD | WS_CLIPCHILDREN | WS_CLIPSIBLINGS,
                        CRect(0, 0, sizeDefault.cx, sizeDefault.cy), pParentWnd, nID);
}

int CKxControlBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CControlBar::OnCreate(lpcs) == -1)
        return -1;
    const CRect rect(0, 0, kButtonSize, kButtonSize);
    if (!m_wndClose.Create("", kButtonStyle, rect, this, ID_KXBAR_HIDE) ||
        !m_wndExpand.Create("", kButtonStyle, rect, this, ID_KXBAR_EXPAND))
        return -1;
    if (m_wndTips.Create(this)) {
        CString text;
        text.LoadString(IDS_KXBAR_HIDE);
        m_wndTips.AddTool(&m_wndClose, text);
        text.LoadString(IDS_KXBAR_EXPAND);
        m_wndTips.AddTool(&m_wndExpand, text);
    }
    PlaceChildren();
    return 0;
}

void CKxControlBar::EnableDocking(DWORD dwDockStyle)
{
    if (dwDockStyle && !m_pDockContext)
        m_pDockContext = new CKxDockContext(this);
    CControlBar::EnableDocking(dwDockStyle);
}

void CKxControlBar::SetDockedSize(BOOL bHorz, CSize size)
{
    size.cx = std::max(int(size.cx), GetCaptionSize());
    size.cy = std::max(int(size.cy), kSizingEdge);
    (bHorz ? m_sizeHorz : m_sizeVert) = size;
}

void CKxControlBar::SetFloatingSize(CSize size)
{
    m_sizeFloat = CSize(std::max(int(size.cx), 2 * kButtonSize), std::max(int(size.cy), 1));
}

int CKxControlBar::GetCaptionSize() const { return kCaptionHeight + 2; }

CKxSizeDockBar* CKxControlBar::GetSizeDockBar() const
{
    return IsFloating() ? nullptr : dynamic_cast<CKxSizeDockBar*>(m_pDockBar);
}

BOOL CKxControlBar::IsMaximized() const
{
    const CKxSizeDockBar* pDockBar = GetSizeDockBar();
    return pDockBar && pDockBar->GetMaximizedBar() == this;
}

CWnd* CKxControlBar::GetClientWnd() const
{
    return m_hWnd ? CWnd::FromHandle(::GetDlgItem(m_hWnd, AFX_IDW_PANE_FIRST)) : nullptr;
}

CSize CKxControlBar::CalcFixedLayout(BOOL, BOOL bHorz)
{
    if (IsFloating())
        return m_sizeFloat;
    return bHorz ? CSize(m_sizeHorz.cx, m_sizeHorz.cy) : CSize(m_sizeVert.cy, m_sizeVert.cx);
}

CSize CKxControlBar::CalcDynamicLayout(int, DWORD dwMode)
{
    if (dwMode & LM_HORZDOCK)
        return CSize(m_sizeHorz.cx, m_sizeHorz.cy);
    if (dwMode & LM_VERTDOCK)
        return CSize(m_sizeVert.cy, m_sizeVert.cx);
    if ((dwMode & LM_MRUWIDTH) || IsFloating())
        return m_sizeFloat;
    return CalcFixedLayout((dwMode & LM_STRETCH) != 0, (dwMode & LM_HORZ) != 0);
}

void CKxControlBar::OnBarStyleChange(DWORD dwOldStyle, DWORD dwNewStyle)
{
    if (!(dwNewStyle & CBRS_FLOATING) && (dwNewStyle & CBRS_ALIGN_ANY))
        m_dwSide = SideOf(dwNewStyle);
    CControlBar::OnBarStyleChange(dwOldStyle, dwNewStyle);
    PlaceChildren();
}

// --- geometry and painting -------------------------------------------------------------------

CRect CKxControlBar::CaptionRect() const
{
    CRect client;
    GetClientRect(&client);
    if (IsFloating())
        return CRect(client.left, client.top, client.right, client.top);
    client.bottom = std::min(int(client.bottom), int(client.top) + kCaptionHeight);
    return client;
}

CRect CKxControlBar::EdgeRect() const
{
    CKxSizeDockBar* pDockBar = GetSizeDockBar();
    if (!pDockBar || pDockBar->GetMaximizedBar())
        return CRect();
    const std::vector<CKxControlBar*> bars = pDockBar->GetVisibleBars();
    const auto it = std::find(bars.begin(), bars.end(), this);
    if (it == bars.end() || it + 1 == bars.end())
        return CRect(); // the last pane takes the rest: no edge of its own
    CRect client;
    GetClientRect(&client);
    if (pDockBar->IsHorz())
        client.left = client.right - kSizingEdge;
    else
        client.top = client.bottom - kSizingEdge;
    return client;
}

CRect CKxControlBar::PaneRect() const
{
    CRect rect;
    GetClientRect(&rect);
    rect.top = CaptionRect().bottom;
    const CRect edge = EdgeRect();
    if (!edge.IsRectEmpty()) {
        if (GetSizeDockBar()->IsHorz())
            rect.right = edge.left;
        else
            rect.bottom = edge.top;
    }
    rect.bottom = std::max(rect.bottom, rect.top);
    rect.right = std::max(rect.right, rect.left);
    return rect;
}

void CKxControlBar::PlaceChildren()
{
    if (!m_hWnd || !m_wndClose.m_hWnd)
        return;
    const CRect caption = CaptionRect();
    const int nShow = caption.IsRectEmpty() ? SW_HIDE : SW_SHOWNA;
    const int y = caption.top + (kCaptionHeight - kButtonSize) / 2;
    m_wndClose.SetWindowPos(nullptr, caption.right - 2 - kButtonSize, y, kButtonSize, kButtonSize,
                            SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndExpand.SetWindowPos(nullptr, caption.right - 4 - 2 * kButtonSize, y, kButtonSize,
                             kButtonSize, SWP_NOZORDER | SWP_NOACTIVATE);
    m_wndClose.ShowWindow(nShow);
    m_wndExpand.ShowWindow(nShow);
    if (CWnd* pClient = GetClientWnd())
        pClient->MoveWindow(PaneRect());
    Invalidate();
}

void CKxControlBar::OnWindowPosChanged(WINDOWPOS* lpwndpos)
{
    CControlBar::OnWindowPosChanged(lpwndpos);
    PlaceChildren();
}

void CKxControlBar::OnPaint()
{
    CPaintDC dc(this);
    CRect client;
    GetClientRect(&client);
    dc.FillSolidRect(&client, ::GetSysColor(COLOR_3DFACE));
    const CRect caption = CaptionRect();
    if (!caption.IsRectEmpty()) {
        CRect strip = caption;
        strip.DeflateRect(1, 1);
        dc.Draw3dRect(&strip, ::GetSysColor(COLOR_3DHILIGHT), ::GetSysColor(COLOR_3DSHADOW));
        CString title;
        GetWindowText(title);
        CRect rectText(strip.left + 4, strip.top, strip.right - 2 * kButtonSize - 8, strip.bottom);
        CFont* pOldFont = dc.SelectObject(&CaptionFont());
        dc.SetBkMode(TRANSPARENT);
        dc.SetTextColor(::GetSysColor(COLOR_BTNTEXT));
        dc.DrawText(title, &rectText,
                    DT_LEFT | DT_VCENTER | DT_SINGLELINE | DT_END_ELLIPSIS | DT_NOPREFIX);
        dc.SelectObject(pOldFont);
    }
    const CRect edge = EdgeRect();
    if (!edge.IsRectEmpty())
        dc.Draw3dRect(&edge, ::GetSysColor(COLOR_3DHILIGHT), ::GetSysColor(COLOR_3DSHADOW));
}

void CKxControlBar::OnDrawItem(int nIDCtl, LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    if (lpDrawItemStruct->CtlType == ODT_BUTTON &&
        (nIDCtl == ID_KXBAR_HIDE || nIDCtl == ID_KXBAR_EXPAND)) {
        DrawButton(lpDrawItemStruct);
        return;
    }
    CControlBar::OnDrawItem(nIDCtl, lpDrawItemStruct);
}

void CKxControlBar::DrawButton(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    CRect rect = lpDrawItemStruct->rcItem;
    const BOOL bPushed = (lpDrawItemStruct->itemState & ODS_SELECTED) != 0;
    const UINT nInactive = (lpDrawItemStruct->itemState & ODS_DISABLED) ? DFCS_INACTIVE : 0;
    const UINT nState = (bPushed ? DFCS_PUSHED : 0) | nInactive | DFCS_FLAT;
    if (lpDrawItemStruct->CtlID == ID_KXBAR_HIDE) {
        // A cross of lines: the caption glyph's font is not on every system.
        pDC->DrawFrameControl(&rect, DFC_BUTTON, DFCS_BUTTONPUSH | nState);
        CPen pen(PS_SOLID, 1, ::GetSysColor(nInactive ? COLOR_GRAYTEXT : COLOR_BTNTEXT));
        CPen* pOldPen = pDC->SelectObject(&pen);
        const int d = bPushed ? 1 : 0;
        for (int t = 0; t < 2; ++t) {
            pDC->MoveTo(rect.left + 3 + t + d, rect.top + 3 + d);
            pDC->LineTo(rect.right - 3 + t + d, rect.bottom - 3 + d);
            pDC->MoveTo(rect.right - 4 + t + d, rect.top + 3 + d);
            pDC->LineTo(rect.left + 2 + t + d, rect.bottom - 3 + d);
        }
        pDC->SelectObject(pOldPen);
        return;
    }
    // The arrow points where the pane would grow: along its side, back when maximised.
    const CKxSizeDockBar* pDockBar = GetSizeDockBar();
    const BOOL bHorz = pDockBar && pDockBar->IsHorz();
    UINT nArrow = bHorz ? DFCS_SCROLLRIGHT : DFCS_SCROLLDOWN;
    if (IsMaximized())
        nArrow = bHorz ? DFCS_SCROLLLEFT : DFCS_SCROLLUP;
    pDC->DrawFrameControl(&rect, DFC_SCROLL, nArrow | nState);
}

// --- mouse -------------------------------------------------------------------------------------

BOOL CKxControlBar::OnSetCursor(CWnd* pWnd, UINT nHitTest, UINT message)
{
    if (nHitTest == HTCLIENT) {
        CPoint point;
        ::GetCursorPos(&point);
        ScreenToClient(&point);
        if (EdgeRect().PtInRect(point)) {
            ::SetCursor(
                ::LoadCursorA(nullptr, GetSizeDockBar()->IsHorz() ? IDC_SIZEWE : IDC_SIZENS));
            return TRUE;
        }
    }
    return CControlBar::OnSetCursor(pWnd, nHitTest, message);
}

void CKxControlBar::OnLButtonDown(UINT nFlags, CPoint point)
{
    CPoint screen = point;
    ClientToScreen(&screen);
    if (EdgeRect().PtInRect(point)) {
        TrackEdge(screen);
        return;
    }
    if (CaptionRect().PtInRect(point) && m_pDockContext) {
        m_pDockContext->StartDrag(screen);
        return;
    }
    CWnd::OnLButtonDown(nFlags, point);
}

void CKxControlBar::OnLButtonDblClk(UINT nFlags, CPoint point)
{
    if (CaptionRect().PtInRect(point) && m_pDockContext) {
        m_pDockContext->ToggleDocking();
        return;
    }
    CWnd::OnLButtonDblClk(nFlags, point);
}

void CKxControlBar::OnCancelMode()
{
    CControlBar::OnCancelMode();
    m_bEndLoop = TRUE;
    if (auto* pContext = dynamic_cast<CKxDockContext*>(m_pDockContext))
        pContext->EndLoop();
}

void CKxControlBar::TrackEdge(CPoint point)
{
    CKxSizeDockBar* pDockBar = GetSizeDockBar();
    if (!pDockBar)
        return;
    const BOOL bHorz = pDockBar->IsHorz();
    CRect window, dock;
    GetWindowRect(&window);
    pDockBar->GetClientRect(&dock);
    pDockBar->ClientToScreen(&dock);
    const std::vector<CKxControlBar*> bars = pDockBar->GetVisibleBars();
    const auto nFollowing = int(bars.end() - std::find(bars.begin(), bars.end(), this)) - 1;
    const int nStart = bHorz ? window.Width() : window.Height();
    const int nMax = (bHorz ? dock.right - window.left : dock.bottom - window.top) -
                     nFollowing * GetCaptionSize();
    CRect edge = EdgeRect();
    ClientToScreen(&edge);
    int nLength = nStart;
    m_rectTracker = edge;
    InvertTrackerRect(m_rectTracker);
    auto follow = [&](const CaptureMouse& mouse) {
        const CPoint pt = mouse.point;
        const int nDelta = bHorz ? pt.x - point.x : pt.y - point.y;
        nLength = std::clamp(nStart + nDelta, GetCaptionSize(), std::max(nMax, GetCaptionSize()));
        CRect rect = edge;
        rect.OffsetRect(bHorz ? nLength - nStart : 0, bHorz ? 0 : nLength - nStart);
        InvertTrackerRect(m_rectTracker);
        m_rectTracker = rect;
        InvertTrackerRect(m_rectTracker);
        return TRUE;
    };
    m_bTracking = TRUE;
    CaptureMouse end;
    const CaptureLoopEnd result = RunCaptureLoop(this, m_bEndLoop, end, follow);
    if (result == CaptureLoopEnd::Destroyed)
        return;
    if (result == CaptureLoopEnd::Released)
        follow(end);
    InvertTrackerRect(m_rectTracker);
    m_bTracking = FALSE;
    if (result == CaptureLoopEnd::Released && nLength != nStart)
        pDockBar->ResizeBar(this, nLength);
}

// --- context menu and commands -------------------------------------------------------------

void CKxControlBar::OnRButtonDown(UINT, CPoint point)
{
    if (!m_menu.m_hMenu && !m_menu.LoadMenu(IDR_KXBAR_MENU))
        return;
    ClientToScreen(&point);
    if (CMenu* pPopup = m_menu.GetSubMenu(0))
        pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, this);
}

LRESULT CKxControlBar::OnMenuChar(UINT nChar, UINT nFlags, CMenu* pMenu)
{
    const LRESULT lResult = COwnerDrawMenu::FindMnemonicItem(nChar, nFlags, pMenu);
    return lResult ? lResult : CControlBar::OnMenuChar(nChar, nFlags, pMenu);
}

void CKxControlBar::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    CControlBar::OnInitMenuPopup(pPopupMenu, nIndex, bSysMenu);
    if (!bSysMenu)
        COwnerDrawMenu::MakePopupOwnerDrawn(pPopupMenu);
}

void CKxControlBar::OnHide()
{
    if (CFrameWnd* pFrame = GetDockingFrame())
        pFrame->ShowControlBar(this, FALSE, FALSE);
}

void CKxControlBar::OnExpand()
{
    CKxSizeDockBar* pDockBar = GetSizeDockBar();
    if (!pDockBar || pDockBar->GetVisibleBars().size() < 2)
        return;
    if (IsMaximized())
        pDockBar->RestoreBars();
    else
        pDockBar->MaximizeBar(this);
    m_wndExpand.Invalidate();
}

void CKxControlBar::OnUpdateHide(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }

void CKxControlBar::OnUpdateExpand(CCmdUI* pCmdUI)
{
    const CKxSizeDockBar* pDockBar = GetSizeDockBar();
    pCmdUI->Enable(pDockBar && pDockBar->GetVisibleBars().size() > 1);
    pCmdUI->SetCheck(IsMaximized());
}

void CKxControlBar::OnUpdateCmdUI(CFrameWnd*, BOOL)
{
    // The caption's buttons take their state from the pane's own handlers.
    for (CButton* pButton : {&m_wndClose, &m_wndExpand}) {
        if (!pButton->m_hWnd)
            continue;
        CCmdUI state;
        state.m_nID = UINT(pButton->GetDlgCtrlID());
        state.m_pOther = pButton;
        state.DoUpdate(this, FALSE);
    }
}

// --- state -----------------------------------------------------------------------------------

void CKxControlBar::SaveState(LPCTSTR lpszSection)
{
    const BOOL bHorz = (m_dwSide & CBRS_ORIENT_HORZ) != 0;
    const CSize window =
        bHorz ? CSize(m_sizeHorz.cx, m_sizeHorz.cy) : CSize(m_sizeVert.cy, m_sizeVert.cx);
    CRegistryProfileStore store;
    SaveSizingBarState(store, lpszSection,
                       SizingBarState{window.cx, window.cy, IsFloating() ? 1 : 0, int(m_dwSide)});
}

BOOL CKxControlBar::LoadState(LPCTSTR lpszSection)
{
    CRegistryProfileStore store;
    SizingBarState state;
    if (!LoadSizingBarState(store, lpszSection, state))
        return FALSE;
    m_dwSide = DWORD(state.nStyle);
    if (m_dwSide & CBRS_ORIENT_HORZ)
        SetDockedSize(TRUE, CSize(state.cx, state.cy));
    else
        SetDockedSize(FALSE, CSize(state.cy, state.cx));
    auto* pContext = dynamic_cast<CKxDockContext*>(m_pDockContext);
    CFrameWnd* pFrame = GetDockingFrame();
    if (!pContext || !pFrame)
        return TRUE;
    if (state.nFloating) {
        CRect rect;
        pFrame->GetWindowRect(&rect);
        pContext->Float(rect.TopLeft() + CSize(40, 40));
    } else if (auto* pDockBar = dynamic_cast<CDockBar*>(
                   pFrame->GetControlBar(CKxSizeDockBar::SideId(m_dwSide)))) {
        pContext->Dock(pDockBar, nullptr);
    }
    return TRUE;
}
