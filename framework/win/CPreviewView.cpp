#include "framework/win/CPreviewView.h"

#include "framework/win/CCmdUI.h"
#include "framework/win/MessageCrackers.h"

#include <algorithm>
#include <cmath>

IMPLEMENT_DYNAMIC(CPreviewView, CView)

namespace {

// The bar's buttons, left to right.
struct PreviewButton {
    UINT nID;
    const char* pszText;
};
constexpr PreviewButton kButtons[] = {
    {AFX_ID_PREVIEW_PRINT, "&Print..."}, {AFX_ID_PREVIEW_NEXT, "&Next Page"},
    {AFX_ID_PREVIEW_PREV, "Pre&v Page"}, {AFX_ID_PREVIEW_NUMPAGE, "&Two Pages"},
    {AFX_ID_PREVIEW_ZOOMIN, "Zoom &In"}, {AFX_ID_PREVIEW_ZOOMOUT, "Zoom &Out"},
    {AFX_ID_PREVIEW_CLOSE, "&Close"},
};
constexpr UINT kPageTextId = 0xE3FF;
constexpr int kButtonWidth = 76, kButtonHeight = 22, kBarGap = 4;
// The grey margin around the pages and between them, and the pages' shadow.
constexpr int kMargin = 8;
constexpr int kShadow = 3;
const char kDescription[] = "Print preview\0Page\0";

} // namespace

// ---- bar ------------------------------------------------------------------------------------

BOOL CPreviewBar::Create(CFrameWnd* pFrame, CPreviewView* pView)
{
    m_pView = pView;
    m_dwStyle = CBRS_TOP;
    if (!CWnd::CreateEx(
            0, AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), HBRUSH(COLOR_BTNFACE + 1)),
            nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN, 0, 0, 0, 0, pFrame->GetSafeHwnd(),
            reinterpret_cast<HMENU>(UINT_PTR(AFX_IDW_PREVIEW_BAR))))
        return FALSE;
    m_hFont = static_cast<HFONT>(::GetStockObject(DEFAULT_GUI_FONT));
    int x = kBarGap;
    for (const PreviewButton& button : kButtons) {
        HWND hButton = ::CreateWindowExA(
            0, "BUTTON", button.pszText, WS_CHILD | WS_VISIBLE | BS_PUSHBUTTON, x, kBarGap,
            kButtonWidth, kButtonHeight, m_hWnd, reinterpret_cast<HMENU>(UINT_PTR(button.nID)),
            AfxGetInstanceHandle(), nullptr);
        ::SendMessageA(hButton, WM_SETFONT, WPARAM(m_hFont), FALSE);
        x += kButtonWidth + kBarGap;
    }
    HWND hText = ::CreateWindowExA(0, "STATIC", "", WS_CHILD | WS_VISIBLE | SS_LEFT, x + kBarGap,
                                   kBarGap + 4, 160, kButtonHeight - 4, m_hWnd,
                                   reinterpret_cast<HMENU>(UINT_PTR(kPageTextId)),
                                   AfxGetInstanceHandle(), nullptr);
    ::SendMessageA(hText, WM_SETFONT, WPARAM(m_hFont), FALSE);
    return TRUE;
}

CSize CPreviewBar::CalcFixedLayout(BOOL, BOOL) { return CSize(32767, kButtonHeight + 2 * kBarGap); }

void CPreviewBar::DoPaint(CDC*) {}

void CPreviewBar::Update(BOOL bNext, BOOL bPrev, BOOL bZoomIn, BOOL bZoomOut, UINT nPagesShown,
                         const CString& pageText)
{
    const std::pair<UINT, BOOL> states[] = {{AFX_ID_PREVIEW_NEXT, bNext},
                                            {AFX_ID_PREVIEW_PREV, bPrev},
                                            {AFX_ID_PREVIEW_ZOOMIN, bZoomIn},
                                            {AFX_ID_PREVIEW_ZOOMOUT, bZoomOut}};
    for (const auto& [nID, bEnable] : states) {
        HWND hButton = ::GetDlgItem(m_hWnd, int(nID));
        // A button about to be disabled gives the keyboard back to the preview first.
        if (!bEnable && ::GetFocus() == hButton)
            ::SetFocus(m_pView->GetSafeHwnd());
        ::EnableWindow(hButton, bEnable);
    }
    ::SetDlgItemTextA(m_hWnd, int(AFX_ID_PREVIEW_NUMPAGE),
                      nPagesShown == 1 ? "&Two Pages" : "&One Page");
    ::SetDlgItemTextA(m_hWnd, int(kPageTextId), pageText);
}

BOOL CPreviewBar::OnCommand(WPARAM wParam, LPARAM)
{
    if (HIWORD(wParam) != BN_CLICKED || !m_pView)
        return FALSE;
    return m_pView->OnCmdMsg(LOWORD(wParam), CN_COMMAND, nullptr, nullptr);
}

// ---- frame ----------------------------------------------------------------------------------

void CFrameWnd::BeginPreviewMode(CPrintPreviewState& state)
{
    m_pPreviewState = &state;
    state.pViewActiveOld = m_pViewActive;
    for (CControlBar* pBar : m_listControlBars)
        if (pBar->GetSafeHwnd() && ::IsWindowVisible(pBar->m_hWnd)) {
            ::ShowWindow(pBar->m_hWnd, SW_HIDE);
            state.hiddenBars.push_back(pBar);
        }
    state.hWndClient = ::GetDlgItem(m_hWnd, int(AFX_IDW_PANE_FIRST));
    if (state.hWndClient) {
        ::ShowWindow(state.hWndClient, SW_HIDE);
        ::SetWindowLongPtrA(state.hWndClient, GWLP_ID, AFX_IDW_PANE_SAVE);
    }
}

void CFrameWnd::EndPreviewMode(CPrintPreviewState& state)
{
    if (state.hWndClient && ::IsWindow(state.hWndClient)) {
        ::SetWindowLongPtrA(state.hWndClient, GWLP_ID, AFX_IDW_PANE_FIRST);
        ::ShowWindow(state.hWndClient, SW_SHOW);
    }
    for (CControlBar* pBar : state.hiddenBars)
        if (std::find(m_listControlBars.begin(), m_listControlBars.end(), pBar) !=
                m_listControlBars.end() &&
            pBar->GetSafeHwnd())
            ::ShowWindow(pBar->m_hWnd, SW_SHOWNA);
    state.hiddenBars.clear();
    m_pPreviewState = nullptr;
    RecalcLayout();
    if (state.pViewActiveOld && ::IsWindow(state.pViewActiveOld->GetSafeHwnd()))
        SetActiveView(state.pViewActiveOld);
}

// ---- the view's command -----------------------------------------------------------------------

void CView::OnFilePrintPreview() { CPreviewView::Start(this); }

// ---- preview view -----------------------------------------------------------------------------

BEGIN_MESSAGE_MAP(CPreviewView, CView)
ON_WM_SIZE()
ON_WM_ERASEBKGND()
ON_WM_KEYDOWN()
ON_WM_HSCROLL()
ON_WM_VSCROLL()
ON_MESSAGE(WM_PRINTCLIENT, &CPreviewView::OnPrintClient)
ON_COMMAND(AFX_ID_PREVIEW_CLOSE, &CPreviewView::OnPreviewClose)
ON_COMMAND(AFX_ID_PREVIEW_PRINT, &CPreviewView::OnPreviewPrint)
ON_COMMAND(AFX_ID_PREVIEW_NEXT, &CPreviewView::OnNextPage)
ON_COMMAND(AFX_ID_PREVIEW_PREV, &CPreviewView::OnPrevPage)
ON_COMMAND(AFX_ID_PREVIEW_NUMPAGE, &CPreviewView::OnNumPage)
ON_COMMAND(AFX_ID_PREVIEW_ZOOMIN, &CPreviewView::OnZoomIn)
ON_COMMAND(AFX_ID_PREVIEW_ZOOMOUT, &CPreviewView::OnZoomOut)
END_MESSAGE_MAP()

BOOL CPreviewView::Start(CView* pPrintView)
{
    CFrameWnd* pFrame = pPrintView ? pPrintView->GetParentFrame() : nullptr;
    if (!pFrame || pFrame->IsInPreviewMode())
        return FALSE;
    auto* pPreview = new CPreviewView;
    if (!pPreview->Begin(pFrame, pPrintView)) {
        delete pPreview;
        return FALSE;
    }
    return TRUE;
}

CPreviewView::~CPreviewView() { FreePages(); }

void CPreviewView::PostNcDestroy()
{
    // A view whose creation failed is deleted by Start.
    if (m_bEnding)
        delete this;
}

BOOL CPreviewView::PreCreateWindow(CREATESTRUCT& cs)
{
    cs.style |= WS_HSCROLL | WS_VSCROLL;
    cs.lpszClass = AfxRegisterWndClass(CS_DBLCLKS, ::LoadCursor(nullptr, IDC_ARROW),
                                       HBRUSH(COLOR_APPWORKSPACE + 1));
    return CView::PreCreateWindow(cs);
}

BOOL CPreviewView::Begin(CFrameWnd* pFrame, CView* pPrintView)
{
    m_pPrintView = pPrintView;
    m_pFrame = pFrame;
    m_info.m_bPreview = TRUE;
    if (!pPrintView->OnPreparePrinting(&m_info))
        return FALSE;
    if (!m_dcPrinter.Attach(m_info.m_pPD->m_pd.hDC))
        return FALSE;
    m_info.m_pPD->m_pd.hDC = nullptr;
    m_dcPrinter.m_bPrinting = TRUE;
    m_sizePaper =
        CSize(m_dcPrinter.GetDeviceCaps(PHYSICALWIDTH), m_dcPrinter.GetDeviceCaps(PHYSICALHEIGHT));
    const CSize printable(m_dcPrinter.GetDeviceCaps(HORZRES), m_dcPrinter.GetDeviceCaps(VERTRES));
    if (m_sizePaper.cx <= 0 || m_sizePaper.cy <= 0)
        m_sizePaper = printable;
    const CPoint offset(m_dcPrinter.GetDeviceCaps(PHYSICALOFFSETX),
                        m_dcPrinter.GetDeviceCaps(PHYSICALOFFSETY));
    m_rectPrintable = CRect(offset, printable);
    m_printerDpi = CSize(std::max(1, m_dcPrinter.GetDeviceCaps(LOGPIXELSX)),
                         std::max(1, m_dcPrinter.GetDeviceCaps(LOGPIXELSY)));

    pPrintView->OnBeginPrinting(&m_dcPrinter, &m_info);
    m_nCurrentPage = m_info.GetMinPage();
    m_nPagesShown = std::clamp(m_info.m_nNumPreviewPages, 1u, 2u);

    pFrame->BeginPreviewMode(m_state);
    if (!m_wndBar.Create(pFrame, this) || !Create(nullptr, nullptr, WS_CHILD | WS_VISIBLE,
                                                  CRect(0, 0, 0, 0), pFrame, AFX_IDW_PANE_FIRST)) {
        // Nothing of the preview stays: the frame is as it was.
        if (m_hWnd)
            DestroyWindow();
        if (m_wndBar.m_hWnd)
            m_wndBar.DestroyWindow();
        pPrintView->OnEndPrintPreview(&m_dcPrinter, &m_info);
        pFrame->EndPreviewMode(m_state);
        return FALSE;
    }
    m_state.hWndPreview = m_hWnd;
    pFrame->SetActiveView(this);
    pFrame->RecalcLayout();
    ::SetFocus(m_hWnd);
    UpdateBar();
    return TRUE;
}

BOOL CPreviewView::OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo)
{
    // The preview answers its own commands only: the printing view's are not for its pages.
    return CWnd::OnCmdMsg(nID, nCode, pExtra, pHandlerInfo);
}

BOOL CPreviewView::PageExists(UINT nPage)
{
    if (nPage < m_info.GetMinPage() || nPage > m_info.GetMaxPage())
        return FALSE;
    if (m_info.GetMaxPage() != kPrintUnknownMaxPage || nPage == m_info.GetMinPage())
        return TRUE;
    // A job of unknown length: the view says whether it goes on to that page.
    const UINT nSaved = m_info.m_nCurPage;
    m_info.m_nCurPage = nPage;
    m_info.m_bContinuePrinting = TRUE;
    m_pPrintView->OnPrepareDC(&m_dcPrinter, &m_info);
    const BOOL bExists = m_info.m_bContinuePrinting;
    m_info.m_nCurPage = nSaved;
    m_info.m_bContinuePrinting = TRUE;
    return bExists;
}

HENHMETAFILE CPreviewView::PageMetafile(UINT nPage)
{
    if (auto it = m_pages.find(nPage); it != m_pages.end())
        return it->second;
    // The frame covers the printable area, in hundredths of a millimetre.
    const CRect frame(0, 0, MulDiv(m_rectPrintable.Width(), 2540, m_printerDpi.cx),
                      MulDiv(m_rectPrintable.Height(), 2540, m_printerDpi.cy));
    CMetaFileDC meta;
    if (!meta.CreateEnhanced(&m_dcPrinter, nullptr, &frame, kDescription))
        return nullptr;
    meta.m_bPrinting = TRUE;
    m_info.m_nCurPage = nPage;
    m_info.m_bContinuePrinting = TRUE;
    m_pPrintView->OnPrepareDC(&meta, &m_info);
    m_info.m_rectDraw.SetRect(0, 0, m_rectPrintable.Width(), m_rectPrintable.Height());
    meta.DPtoLP(&m_info.m_rectDraw);
    m_pPrintView->OnPrint(&meta, &m_info);
    m_info.m_bContinuePrinting = TRUE;
    HENHMETAFILE hMeta = meta.CloseEnhanced();
    m_pages[nPage] = hMeta;
    return hMeta;
}

void CPreviewView::FreePages()
{
    for (auto& [nPage, hMeta] : m_pages)
        if (hMeta)
            ::DeleteEnhMetaFile(hMeta);
    m_pages.clear();
}

double CPreviewView::ZoomScale(int nZoom) const
{
    CRect client;
    GetClientRect(&client);
    const UINT nPages = nZoom == kZoomFit ? m_nPagesShown : 1;
    const double cx = double(client.Width() - kMargin * int(nPages + 1) - kShadow * int(nPages));
    const double cy = double(client.Height() - 2 * kMargin - kShadow);
    const double fit = std::max(
        1e-3, std::min(cx / (double(m_sizePaper.cx) * nPages), cy / double(m_sizePaper.cy)));
    HDC hScreen = ::GetDC(nullptr);
    const int screenDpi = hScreen ? ::GetDeviceCaps(hScreen, LOGPIXELSX) : 96;
    if (hScreen)
        ::ReleaseDC(nullptr, hScreen);
    const double actual = std::max(fit, double(screenDpi) / double(m_printerDpi.cx));
    if (nZoom == kZoomFit)
        return fit;
    return nZoom == kZoomActual ? actual : (fit + actual) / 2;
}

CRect CPreviewView::GetPaperRect(UINT n) const
{
    const double scale = ZoomScale(m_nZoom);
    const int cx = int(m_sizePaper.cx * scale), cy = int(m_sizePaper.cy * scale);
    CRect client;
    GetClientRect(&client);
    const UINT nPages = m_nZoom == kZoomFit ? m_nPagesShown : 1;
    const int total = int(nPages) * (cx + kShadow) + int(nPages + 1) * kMargin;
    // Pages narrower than the window sit in its middle; larger ones scroll.
    int left = std::max(kMargin, (client.Width() - total) / 2 + kMargin) - m_scroll.x;
    int top = std::max(kMargin, (client.Height() - cy - kShadow) / 2) - m_scroll.y;
    left += int(n) * (cx + kShadow + kMargin);
    return CRect(left, top, left + cx, top + cy);
}

void CPreviewView::OnDraw(CDC* pDC)
{
    CRect client;
    GetClientRect(&client);
    pDC->FillSolidRect(&client, ::GetSysColor(COLOR_APPWORKSPACE));
    const double scale = ZoomScale(m_nZoom);
    const UINT nPages = m_nZoom == kZoomFit ? m_nPagesShown : 1;
    for (UINT n = 0; n < nPages; ++n) {
        const UINT nPage = m_nCurrentPage + n;
        if (n > 0 && !PageExists(nPage))
            break;
        const CRect paper = GetPaperRect(n);
        CRect shadow = paper;
        shadow.OffsetRect(kShadow, kShadow);
        pDC->FillSolidRect(&shadow, ::GetSysColor(COLOR_3DDKSHADOW));
        pDC->FillSolidRect(&paper, RGB(255, 255, 255));
        HENHMETAFILE hMeta = PageMetafile(nPage);
        if (!hMeta)
            continue;
        CRect target(paper.left + int(m_rectPrintable.left * scale),
                     paper.top + int(m_rectPrintable.top * scale), 0, 0);
        target.right = target.left + int(m_rectPrintable.Width() * scale);
        target.bottom = target.top + int(m_rectPrintable.Height() * scale);
        const int nSaved = pDC->SaveDC();
        ::IntersectClipRect(pDC->m_hDC, paper.left, paper.top, paper.right, paper.bottom);
        ::PlayEnhMetaFile(pDC->m_hDC, hMeta, &target);
        pDC->RestoreDC(nSaved);
    }
}

BOOL CPreviewView::OnEraseBkgnd(CDC*) { return TRUE; }

LRESULT CPreviewView::OnPrintClient(WPARAM wParam, LPARAM)
{
    CDC* pDC = CDC::FromHandle(reinterpret_cast<HDC>(wParam));
    OnDraw(pDC);
    return 0;
}

void CPreviewView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    UpdateScrollBars();
}

void CPreviewView::UpdateScrollBars()
{
    if (!m_hWnd)
        return;
    CRect client;
    GetClientRect(&client);
    const double scale = ZoomScale(m_nZoom);
    const UINT nPages = m_nZoom == kZoomFit ? m_nPagesShown : 1;
    const CSize total(int(nPages) * (int(m_sizePaper.cx * scale) + kShadow + kMargin) + kMargin,
                      int(m_sizePaper.cy * scale) + kShadow + 2 * kMargin);
    const std::pair<int, int> bars[] = {{SB_HORZ, 0}, {SB_VERT, 1}};
    for (const auto& [nBar, axis] : bars) {
        const int nTotal = axis == 0 ? total.cx : total.cy;
        const int nPage = axis == 0 ? client.Width() : client.Height();
        LONG& rPos = axis == 0 ? m_scroll.x : m_scroll.y;
        rPos = std::clamp(rPos, 0L, LONG(std::max(0, nTotal - nPage)));
        SCROLLINFO si = {};
        si.cbSize = sizeof si;
        si.fMask = SIF_ALL;
        // A range that fits hides the bar.
        si.nMax = nTotal <= nPage ? 0 : nTotal - 1;
        si.nPage = nTotal <= nPage ? 0 : UINT(nPage);
        si.nPos = int(rPos);
        ::SetScrollInfo(m_hWnd, nBar, &si, TRUE);
    }
}

void CPreviewView::Scroll(int nBar, UINT nSBCode, UINT nPos)
{
    SCROLLINFO si = {};
    si.cbSize = sizeof si;
    si.fMask = SIF_ALL;
    if (!::GetScrollInfo(m_hWnd, nBar, &si) || si.nPage == 0)
        return;
    int pos = si.nPos;
    const int line = 16;
    switch (nSBCode) {
    case SB_LINEUP:
        pos -= line;
        break;
    case SB_LINEDOWN:
        pos += line;
        break;
    case SB_PAGEUP:
        pos -= int(si.nPage);
        break;
    case SB_PAGEDOWN:
        pos += int(si.nPage);
        break;
    case SB_TOP:
        pos = si.nMin;
        break;
    case SB_BOTTOM:
        pos = si.nMax;
        break;
    case SB_THUMBTRACK:
    case SB_THUMBPOSITION:
        pos = int(nPos);
        break;
    default:
        return;
    }
    pos = std::clamp(pos, si.nMin, std::max(si.nMin, si.nMax - int(si.nPage) + 1));
    (nBar == SB_HORZ ? m_scroll.x : m_scroll.y) = pos;
    si.fMask = SIF_POS;
    si.nPos = pos;
    ::SetScrollInfo(m_hWnd, nBar, &si, TRUE);
    Invalidate(FALSE);
}

void CPreviewView::OnHScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    Scroll(SB_HORZ, nSBCode, nPos);
}

void CPreviewView::OnVScroll(UINT nSBCode, UINT nPos, CScrollBar*)
{
    Scroll(SB_VERT, nSBCode, nPos);
}

void CPreviewView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    switch (nChar) {
    case VK_ESCAPE:
        OnPreviewClose();
        return;
    case VK_NEXT:
        OnNextPage();
        return;
    case VK_PRIOR:
        OnPrevPage();
        return;
    default:
        CView::OnKeyDown(nChar, nRepCnt, nFlags);
    }
}

void CPreviewView::UpdateBar()
{
    const BOOL bNext = PageExists(m_nCurrentPage + m_nPagesShown);
    const BOOL bPrev = m_nCurrentPage > m_info.GetMinPage();
    CString text;
    const BOOL bTwo = m_nZoom == kZoomFit && m_nPagesShown == 2 && PageExists(m_nCurrentPage + 1);
    if (bTwo)
        text.Format("Pages %u-%u", m_nCurrentPage, m_nCurrentPage + 1);
    else
        text.Format("Page %u", m_nCurrentPage);
    const BOOL bZoomable = ZoomScale(kZoomActual) > ZoomScale(kZoomFit) + 1e-9;
    m_wndBar.Update(bNext, bPrev, bZoomable && m_nZoom<kZoomActual, m_nZoom> kZoomFit,
                    m_nPagesShown, text);
}

void CPreviewView::GoToPage(UINT nPage)
{
    m_nCurrentPage = nPage;
    m_scroll = CPoint(0, 0);
    UpdateScrollBars();
    UpdateBar();
    Invalidate(FALSE);
}

void CPreviewView::OnNextPage()
{
    if (PageExists(m_nCurrentPage + 1))
        GoToPage(m_nCurrentPage + 1);
}

void CPreviewView::OnPrevPage()
{
    if (m_nCurrentPage > m_info.GetMinPage())
        GoToPage(m_nCurrentPage - 1);
}

void CPreviewView::OnNumPage()
{
    m_nPagesShown = m_nPagesShown == 1 ? 2 : 1;
    m_info.m_nNumPreviewPages = m_nPagesShown;
    GoToPage(m_nCurrentPage);
}

void CPreviewView::OnZoomIn()
{
    if (m_nZoom < kZoomActual && ZoomScale(kZoomActual) > ZoomScale(kZoomFit) + 1e-9) {
        ++m_nZoom;
        GoToPage(m_nCurrentPage);
    }
}

void CPreviewView::OnZoomOut()
{
    if (m_nZoom > kZoomFit) {
        --m_nZoom;
        GoToPage(m_nCurrentPage);
    }
}

void CPreviewView::OnPreviewClose()
{
    if (m_bEnding)
        return;
    m_bEnding = TRUE;
    m_pPrintView->OnEndPrintPreview(&m_dcPrinter, &m_info);
    FreePages();
    CFrameWnd* pFrame = m_pFrame;
    if (pFrame->GetActiveView() == this)
        pFrame->SetActiveView(nullptr, FALSE);
    m_wndBar.DestroyWindow();
    pFrame->EndPreviewMode(m_state);
    DestroyWindow(); // deletes this
}

void CPreviewView::OnPreviewPrint()
{
    CView* pPrintView = m_pPrintView;
    OnPreviewClose();
    pPrintView->SendMessage(WM_COMMAND, ID_FILE_PRINT);
}
