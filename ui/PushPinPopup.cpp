#include "ui/PushPinPopup.h"

#include "framework/win/CDC.h"
#include "framework/win/MessageCrackers.h"
#include "res/UiIds.h"

BEGIN_MESSAGE_MAP(CPushPinPopup, CWnd)
ON_WM_TIMER()
ON_WM_PAINT()
ON_WM_DESTROY()
ON_COMMAND(IDC_PUSHPIN, &CPushPinPopup::OnPin)
END_MESSAGE_MAP()

namespace {

constexpr UINT_PTR kFocusTimer = 1;
constexpr int kCaptionHeight = 19;

} // namespace

CPushPinPopup::CPushPinPopup(CCaptionBar* pStrip, CWnd* pView) : m_pStrip(pStrip), m_pView(pView) {}

CPushPinPopup::~CPushPinPopup()
{
    for (HICON hIcon : m_hIcons)
        if (hIcon)
            ::DestroyIcon(hIcon);
}

BOOL CPushPinPopup::Create(CPoint point, CSize size)
{
    LPCTSTR lpszClass = AfxRegisterWndClass(
        CS_HREDRAW | CS_VREDRAW, ::LoadCursorA(nullptr, IDC_ARROW), HBRUSH(COLOR_BTNFACE + 1));
    if (!CWnd::CreateEx(WS_EX_TOOLWINDOW, lpszClass, "", WS_POPUP | WS_VISIBLE | WS_DLGFRAME,
                        point.x, point.y, size.cx, size.cy, AfxSafeHwnd(m_pStrip), nullptr))
        return FALSE;
    CRect rect;
    GetClientRect(&rect);
    // The view comes in under a caption strip of the pop-up's own.
    m_hWndOldParent = ::GetParent(m_pView->m_hWnd);
    m_pView->SetParent(this);
    m_pView->SetWindowPos(nullptr, 2, kCaptionHeight, rect.Width() - 4,
                          rect.Height() - kCaptionHeight - 2, SWP_NOZORDER | SWP_SHOWWINDOW);
    m_wndCaption.Create("Click push pin to keep open", WS_CHILD | WS_VISIBLE | SS_CENTER,
                        CRect(0, 0, rect.Width(), kCaptionHeight), this, 0xFFFF, CAPTION_RAISED);
    m_wndPin.Create("", WS_CHILD | WS_VISIBLE | BS_OWNERDRAW | BS_ICON,
                    CRect(rect.Width() - 17, 1, rect.Width() - 1, kCaptionHeight - 1), this,
                    IDC_PUSHPIN);
    if (m_images.Create(IDB_PUSHPIN, 16, 1, RGB(255, 0, 255))) {
        m_hIcons[0] = m_images.ExtractIcon(0);
        m_hIcons[1] = m_images.ExtractIcon(1);
        m_wndPin.SetIcon(m_hIcons[0]);
        m_wndPin.SetPushedIcon(m_hIcons[1]);
        m_wndPin.SetIconSize(CSize(16, 15));
    }
    SetTimer(kFocusTimer, 10);
    return TRUE;
}

BOOL CPushPinPopup::HasFocus() const
{
    const HWND hFocus = ::GetFocus();
    return hFocus &&
           (hFocus == m_hWnd || hFocus == m_wndCaption.m_hWnd || hFocus == m_wndPin.m_hWnd ||
            hFocus == m_pView->m_hWnd || ::IsChild(m_pView->m_hWnd, hFocus));
}

void CPushPinPopup::OnTimer(UINT_PTR nIDEvent)
{
    if (nIDEvent != kFocusTimer) {
        CWnd::OnTimer(nIDEvent);
        return;
    }
    if (!HasFocus()) {
        KillTimer(kFocusTimer);
        m_pStrip->PostMessage(WM_PUSHPIN_CLOSED);
    }
}

void CPushPinPopup::OnPin()
{
    KillTimer(kFocusTimer);
    m_pStrip->PostMessage(WM_PUSHPIN_PINNED);
}

void CPushPinPopup::OnPaint()
{
    CPaintDC dc(this);
    CRect rect;
    GetClientRect(&rect);
    dc.Draw3dRect(&rect, ::GetSysColor(COLOR_3DSHADOW), ::GetSysColor(COLOR_3DHILIGHT));
}

void CPushPinPopup::OnDestroy()
{
    KillTimer(kFocusTimer);
    if (m_pView->m_hWnd && m_hWndOldParent && ::IsWindow(m_hWndOldParent))
        m_pView->SetParent(CWnd::FromHandle(m_hWndOldParent));
    m_pStrip->OnPopupGone(this);
    CWnd::OnDestroy();
}
