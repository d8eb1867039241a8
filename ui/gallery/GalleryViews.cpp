#include "ui/gallery/GalleryViews.h"

#include "framework/win/CDC.h"
#include "framework/win/MessageCrackers.h"
#include "ui/SystemFonts.h"
#include "ui/gallery/GalleryFrame.h"
#include "ui/gallery/GalleryRes.h"

IMPLEMENT_DYNCREATE(CGalleryView, CView)
IMPLEMENT_DYNCREATE(CSampleView, CGalleryView)
IMPLEMENT_DYNCREATE(CColourPanelView, CGalleryView)
IMPLEMENT_DYNCREATE(CLinkPanelView, CGalleryView)

BEGIN_MESSAGE_MAP(CGalleryView, CView)
ON_WM_CONTEXTMENU()
ON_WM_ERASEBKGND()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CColourPanelView, CGalleryView)
ON_WM_CREATE()
ON_WM_SIZE()
ON_MESSAGE(CPN_SELENDOK, &CColourPanelView::OnColourChosen)
ON_MESSAGE(CPN_SELCHANGE, &CColourPanelView::OnColourChosen)
ON_BN_CLICKED(IDC_HOVER, &CColourPanelView::OnHover)
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

BEGIN_MESSAGE_MAP(CLinkPanelView, CGalleryView)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_CTLCOLOR()
END_MESSAGE_MAP()

namespace {

CFont& MessageFont()
{
    static CFont font;
    if (!font.m_hObject)
        CreateSystemFont(font, SystemFont::Message);
    return font;
}

} // namespace

CGalleryFrame* CGalleryView::Frame() const
{
    return dynamic_cast<CGalleryFrame*>(CWnd::FromHandlePermanent(::GetAncestor(m_hWnd, GA_ROOT)));
}

BOOL CGalleryView::OnEraseBkgnd(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, ::GetSysColor(COLOR_WINDOW));
    return TRUE;
}

void CGalleryView::OnDraw(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    rect.DeflateRect(10, 8);
    CFont* pOldFont = pDC->SelectObject(&MessageFont());
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_WINDOWTEXT));
    CRect rectTitle = rect;
    pDC->DrawText(m_strTitle, &rectTitle, DT_SINGLELINE | DT_CALCRECT);
    pDC->DrawText(m_strTitle, &rectTitle, DT_SINGLELINE);
    pDC->FillSolidRect(rect.left, rectTitle.bottom + 2, rect.Width(), 1,
                       ::GetSysColor(COLOR_3DSHADOW));
    rect.top = rectTitle.bottom + 8;
    pDC->SetTextColor(::GetSysColor(COLOR_GRAYTEXT));
    pDC->DrawText(m_strText, &rect, DT_WORDBREAK);
    pDC->SelectObject(pOldFont);
}

void CGalleryView::OnContextMenu(CWnd*, CPoint point)
{
    if (CGalleryFrame* pFrame = Frame())
        pFrame->TrackContextMenu(point);
}

void CSampleView::OnDraw(CDC* pDC)
{
    CGalleryFrame* pFrame = Frame();
    if (!pFrame)
        return;
    const CGalleryFrame::Format& format = pFrame->m_format;
    CRect rect;
    GetClientRect(&rect);
    pDC->FillSolidRect(&rect, format.clrBack == kPickerAutomaticColour ? RGB(255, 255, 255)
                                                                       : format.clrBack);
    CGalleryView::OnDraw(pDC);
    LOGFONTA logFont = {};
    MessageFont().GetLogFont(&logFont);
    logFont.lfHeight = logFont.lfHeight * 2;
    logFont.lfWeight = format.bBold ? FW_BOLD : FW_NORMAL;
    logFont.lfItalic = BYTE(format.bItalic);
    logFont.lfUnderline = BYTE(format.bUnderline);
    CFont font;
    font.CreateFontIndirect(&logFont);
    CFont* pOldFont = pDC->SelectObject(&font);
    pDC->SetTextColor(format.clrText == kPickerAutomaticColour ? RGB(0, 0, 0) : format.clrText);
    rect.DeflateRect(12, 40, 12, 12);
    pDC->DrawText("Zivra Kelmora", &rect, format.nAlign | DT_WORDBREAK);
    pDC->SelectObject(pOldFont);
}

int CColourPanelView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CGalleryView::OnCreate(lpcs) == -1)
        return -1;
    if (!m_wndCaption.Create("Colours", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 22), this,
                             IDC_CAPTION, CAPTION_RAISED))
        return -1;
    m_wndCaption.SetCaption(nullptr, ::LoadIconA(nullptr, IDI_INFORMATION));
    const char* kLabels[] = {"Background:", "Text:", "Grid lines:"};
    for (int i = 0; i < 3; ++i) {
        m_wndLabels[i].Create(kLabels[i], WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this);
        m_wndLabels[i].SetFont(&MessageFont());
    }
    CColourPicker* pickers[] = {&m_wndBack, &m_wndText, &m_wndAuto};
    const UINT ids[] = {IDC_PICK_BACK, IDC_PICK_TEXT, IDC_PICK_AUTO};
    for (int i = 0; i < 3; ++i)
        if (!pickers[i]->Create("", WS_CHILD | WS_VISIBLE | WS_TABSTOP | BS_PUSHBUTTON,
                                CRect(0, 0, 10, 10), this, ids[i]))
            return -1;
    m_wndText.SetTrackSelection(TRUE);
    CGalleryFrame* pFrame = Frame();
    m_wndBack.SetColour(pFrame ? pFrame->m_format.clrBack : RGB(255, 255, 224));
    m_wndText.SetColour(pFrame ? pFrame->m_format.clrText : RGB(0, 0, 128));
    m_wndAuto.SetColour(kPickerAutomaticColour);
    if (!m_wndHover.Create("Flat button", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10), this,
                           IDC_HOVER))
        return -1;
    m_wndHover.SetAppearance(&MessageFont(), ::GetSysColor(COLOR_WINDOW),
                             ::GetSysColor(COLOR_BTNTEXT));
    return 0;
}

void CColourPanelView::OnSize(UINT nType, int cx, int cy)
{
    CGalleryView::OnSize(nType, cx, cy);
    if (!m_wndCaption.m_hWnd)
        return;
    m_wndCaption.MoveWindow(0, 0, cx, 22);
    CColourPicker* pickers[] = {&m_wndBack, &m_wndText, &m_wndAuto};
    for (int i = 0; i < 3; ++i) {
        const int y = 40 + 34 * i;
        m_wndLabels[i].MoveWindow(14, y + 5, 90, 18);
        pickers[i]->MoveWindow(110, y, 120, 26);
    }
    m_wndHover.MoveWindow(110, 40 + 34 * 3 + 4, 120, 26);
}

void CColourPanelView::OnDraw(CDC*) {}

HBRUSH CColourPanelView::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    // The labels sit on the pane's own background.
    if (nCtlColor == CTLCOLOR_STATIC) {
        pDC->SetBkColor(::GetSysColor(COLOR_WINDOW));
        return ::GetSysColorBrush(COLOR_WINDOW);
    }
    return CGalleryView::OnCtlColor(pDC, pWnd, nCtlColor);
}

LRESULT CColourPanelView::OnColourChosen(WPARAM wParam, LPARAM lParam)
{
    CGalleryFrame* pFrame = Frame();
    if (!pFrame)
        return 0;
    if (lParam == IDC_PICK_BACK)
        pFrame->m_format.clrBack = COLORREF(wParam);
    else if (lParam == IDC_PICK_TEXT)
        pFrame->m_format.clrText = COLORREF(wParam);
    pFrame->FormatChanged();
    return 0;
}

void CColourPanelView::OnHover()
{
    if (CGalleryFrame* pFrame = Frame())
        pFrame->SetStatus("The flat button was pressed.");
}

int CLinkPanelView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CGalleryView::OnCreate(lpcs) == -1)
        return -1;
    if (!m_wndLink.Create("The project's web page", WS_CHILD | WS_VISIBLE, CRect(0, 0, 10, 10),
                          this, IDC_LINK) ||
        !m_wndUnits.Create(WS_CHILD | WS_VISIBLE | WS_VSCROLL | WS_TABSTOP | CBS_DROPDOWN |
                               CBS_AUTOHSCROLL,
                           CRect(0, 0, 10, 160), this, IDC_UNITS))
        return -1;
    m_wndLink.SetAddress("https://zivra.example/");
    m_wndLink.SetFont(&MessageFont());
    m_wndUnits.SetFont(&MessageFont());
    for (LPCTSTR lpszUnit : {"degree Celsius", "degree Fahrenheit", "foot", "inch", "kelvin",
                             "kilometer", "meter", "mile", "yard"})
        m_wndUnits.AddString(lpszUnit);
    return 0;
}

void CLinkPanelView::OnSize(UINT nType, int cx, int cy)
{
    CGalleryView::OnSize(nType, cx, cy);
    if (!m_wndLink.m_hWnd)
        return;
    m_wndLink.MoveWindow(14, 84, 200, 18);
    m_wndUnits.MoveWindow(14, 112, 180, 160);
}

HBRUSH CLinkPanelView::OnCtlColor(CDC* pDC, CWnd* pWnd, UINT nCtlColor)
{
    // The link draws itself on the pane's background; other statics get it painted.
    LRESULT lResult = 0;
    if (pWnd && ReflectLastMsg(pWnd->m_hWnd, &lResult))
        return reinterpret_cast<HBRUSH>(lResult);
    if (nCtlColor == CTLCOLOR_STATIC) {
        pDC->SetBkColor(::GetSysColor(COLOR_WINDOW));
        return ::GetSysColorBrush(COLOR_WINDOW);
    }
    return CGalleryView::OnCtlColor(pDC, pWnd, nCtlColor);
}
