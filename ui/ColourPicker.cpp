#include "ui/ColourPicker.h"

#include "framework/win/CDC.h"
#include "framework/win/MessageCrackers.h"
#include "ui/ColourPopup.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CColourPicker, CButton)
IMPLEMENT_DYNCREATE(CPageColourPicker, CColourPicker)

BEGIN_MESSAGE_MAP(CColourPicker, CButton)
ON_WM_CREATE()
ON_WM_DESTROY()
ON_CONTROL_REFLECT(BN_CLICKED, &CColourPicker::OnClicked)
ON_WM_GETDLGCODE()
ON_WM_KEYDOWN()
ON_MESSAGE(CPN_SELCHANGE, &CColourPicker::OnSelChange)
ON_MESSAGE(CPN_SELENDOK, &CColourPicker::OnSelEndOK)
ON_MESSAGE(CPN_SELENDCANCEL, &CColourPicker::OnSelEndCancel)
END_MESSAGE_MAP()

CColourPicker::CColourPicker()
    : m_crColourBk(::GetSysColor(COLOR_3DFACE)), m_crColourText(::GetSysColor(COLOR_BTNTEXT))
{
}

CColourPicker::~CColourPicker()
{
    if (m_pPopup)
        m_pPopup->CancelSilently();
}

COLORREF CColourPicker::GetColour() const
{
    return m_nSelectionMode == CP_MODE_TEXT ? m_crColourText : m_crColourBk;
}

void CColourPicker::SetColour(COLORREF crColour)
{
    if (m_nSelectionMode == CP_MODE_TEXT)
        SetTextColour(crColour);
    else
        SetBkColour(crColour);
}

void CColourPicker::SetBkColour(COLORREF crColourBk)
{
    m_crColourBk = crColourBk;
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CColourPicker::SetTextColour(COLORREF crColourText)
{
    m_crColourText = crColourText;
    if (m_hWnd)
        RedrawWindow(nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_UPDATENOW);
}

void CColourPicker::PreSubclassWindow()
{
    ModifyStyle(0, BS_OWNERDRAW);
    CButton::PreSubclassWindow();
    SetArrowRect();
}

int CColourPicker::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CButton::OnCreate(lpcs) == -1)
        return -1;
    SetArrowRect();
    return 0;
}

// A picker that goes while its pop-up is open closes the pop-up without a word.
void CColourPicker::OnDestroy()
{
    if (m_pPopup) {
        CColourPopup* pPopup = m_pPopup;
        m_pPopup = nullptr;
        pPopup->CancelSilently();
    }
    m_bActive = FALSE;
    CButton::OnDestroy();
}

void CColourPicker::OnPopupClosed(CColourPopup* pPopup)
{
    if (m_pPopup != pPopup)
        return;
    m_pPopup = nullptr;
    if (m_bActive) {
        m_bActive = FALSE;
        if (m_hWnd)
            Invalidate();
    }
}

void CColourPicker::SetArrowRect()
{
    if (!m_hWnd)
        return;
    const CSize margin(::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE));
    const int cx = std::max(::GetSystemMetrics(SM_CXHTHUMB), 5 * int(margin.cx));
    const int cy = std::max(::GetSystemMetrics(SM_CYVTHUMB), 5 * int(margin.cy));
    const int side = std::max(cx, cy);
    CRect rect;
    GetWindowRect(&rect);
    ScreenToClient(&rect);
    m_ArrowRect.SetRect(rect.right - side - margin.cx, rect.top + margin.cy, rect.right - margin.cx,
                        rect.bottom - margin.cy);
}

void CColourPicker::OnClicked()
{
    if (m_pPopup)
        return;
    m_bActive = TRUE;
    CRect rect;
    GetWindowRect(&rect);
    m_pPopup = CColourPopup::Open(CPoint(rect.left, rect.bottom), GetColour(), this,
                                  m_strDefaultText, m_strCustomText);
    if (!m_pPopup) {
        m_bActive = FALSE; // no pop-up: the button does not stay pressed
        Invalidate();
        return;
    }
    Invalidate();
    NotifyParent(CPN_DROPDOWN, GetColour());
}

UINT CColourPicker::OnGetDlgCode()
{
    // While the pop-up is open, the arrows, Escape and Enter are its own, not the dialog's.
    const UINT nCode = CButton::OnGetDlgCode();
    return m_pPopup ? nCode | DLGC_WANTALLKEYS : nCode;
}

void CColourPicker::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (m_pPopup) {
        m_pPopup->HandleKey(nChar);
        return;
    }
    CButton::OnKeyDown(nChar, nRepCnt, nFlags);
}

LRESULT CColourPicker::OnSelChange(WPARAM wParam, LPARAM)
{
    if (m_bTrackSelection)
        SetColour(COLORREF(wParam));
    NotifyParent(CPN_SELCHANGE, COLORREF(wParam));
    return 0;
}

LRESULT CColourPicker::OnSelEndOK(WPARAM wParam, LPARAM)
{
    const COLORREF crNew = COLORREF(wParam);
    m_bActive = FALSE;
    m_pPopup = nullptr;
    const BOOL bChanged = crNew != GetColour();
    SetColour(crNew);
    NotifyParent(CPN_CLOSEUP, crNew);
    NotifyParent(CPN_SELENDOK, crNew);
    if (bChanged)
        NotifyParent(CPN_SELCHANGE, crNew);
    return 0;
}

LRESULT CColourPicker::OnSelEndCancel(WPARAM wParam, LPARAM)
{
    const COLORREF crInitial = COLORREF(wParam);
    m_bActive = FALSE;
    m_pPopup = nullptr;
    SetColour(crInitial);
    NotifyParent(CPN_CLOSEUP, crInitial);
    NotifyParent(CPN_SELENDCANCEL, crInitial);
    return 0;
}

void CColourPicker::NotifyParent(UINT message, COLORREF crColour)
{
    if (HWND hWndParent = m_hWnd ? ::GetParent(m_hWnd) : nullptr)
        ::SendMessageA(hWndParent, message, crColour, GetDlgCtrlID());
}

void CColourPicker::DrawItem(LPDRAWITEMSTRUCT lpDrawItemStruct)
{
    CDC* pDC = CDC::FromHandle(lpDrawItemStruct->hDC);
    const UINT state = lpDrawItemStruct->itemState;
    const BOOL bPressed = m_bActive || (state & ODS_SELECTED);
    const BOOL bDisabled = (state & ODS_DISABLED) != 0;
    CRect rect = lpDrawItemStruct->rcItem;
    SetArrowRect();

    CRect rectArrow = m_ArrowRect;
    pDC->DrawFrameControl(&rectArrow, DFC_SCROLL,
                          DFCS_SCROLLDOWN | (bPressed ? DFCS_PUSHED : 0) |
                              (bDisabled ? DFCS_INACTIVE : 0));
    pDC->DrawEdge(&rect, EDGE_SUNKEN, BF_RECT);
    rect.DeflateRect(::GetSystemMetrics(SM_CXEDGE), ::GetSystemMetrics(SM_CYEDGE));
    rect.right -= m_ArrowRect.Width();

    const BOOL bAutomatic = m_crColourBk == kPickerAutomaticColour;
    pDC->FillSolidRect(&rect, bAutomatic ? RGB(255, 255, 255) : m_crColourBk);
    if (bAutomatic) {
        CFont* pOldFont = GetFont() ? pDC->SelectObject(GetFont()) : nullptr;
        pDC->SetBkMode(TRANSPARENT);
        const UINT nFormat = DT_CENTER | DT_VCENTER | DT_SINGLELINE;
        if (bDisabled) {
            CRect rectShadow = rect;
            rectShadow.OffsetRect(1, 1);
            pDC->SetTextColor(::GetSysColor(COLOR_3DHILIGHT));
            pDC->DrawText(m_strDefaultText, &rectShadow, nFormat);
            pDC->SetTextColor(::GetSysColor(COLOR_3DSHADOW));
        } else {
            pDC->SetTextColor(RGB(0, 0, 0));
        }
        pDC->DrawText(m_strDefaultText, &rect, nFormat);
        if (pOldFont)
            pDC->SelectObject(pOldFont);
    }
    if (state & ODS_FOCUS) {
        CRect rectFocus = rect;
        rectFocus.DeflateRect(1, 1);
        pDC->DrawFocusRect(&rectFocus);
    }
}
