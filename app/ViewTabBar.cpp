#include "app/ViewTabBar.h"

#include "app/MathApp.h"
#include "framework/win/CDC.h"
#include "framework/win/MessageCrackers.h"
#include "res/resource.h"

IMPLEMENT_DYNAMIC(CViewTabBar, CWnd)

BEGIN_MESSAGE_MAP(CViewTabBar, CWnd)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_CONTEXTMENU()
ON_NOTIFY(NM_CLICK, IDC_VIEW_TABS, &CViewTabBar::OnTabClick)
END_MESSAGE_MAP()

namespace {

struct Tab {
    const char* pszText;
    int nImage;
    UINT nCommand;
};
constexpr Tab kTabs[] = {
    {"Workspace", 0, ID_VIEW_SHOW_WORKSPACE},
    {"Plot", 1, ID_VIEW_SHOW_PLOT2D},
    {"3D Plot", 4, ID_VIEW_SHOW_PLOT3D},
    {"Grid", 2, ID_VIEW_SHOW_GRID},
    {"All", 3, ID_VIEW_SHOW_ALL},
};
constexpr int kCaptionId = 1;
constexpr int kCaptionInset = 4;

} // namespace

CViewTabBar::~CViewTabBar()
{
    if (m_hCaptionIcon)
        ::DestroyIcon(m_hCaptionIcon);
}

UINT CViewTabBar::GetTabCommand(int nTab)
{
    return nTab >= 0 && nTab < int(std::size(kTabs)) ? kTabs[nTab].nCommand : 0;
}

BOOL CViewTabBar::Create(CWnd* pParentWnd, UINT nID)
{
    LPCTSTR lpszClass =
        AfxRegisterWndClass(0, ::LoadCursor(nullptr, IDC_ARROW), HBRUSH(COLOR_BTNFACE + 1));
    return CWnd::Create(lpszClass, nullptr, WS_CHILD | WS_VISIBLE | WS_CLIPCHILDREN,
                        CRect(0, 0, 0, 0), pParentWnd, nID);
}

int CViewTabBar::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CWnd::OnCreate(lpcs) == -1)
        return -1;
    if (!m_wndTabs.Create(WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, CRect(0, 0, 0, 0), this,
                          IDC_VIEW_TABS))
        return -1;
    m_fontTabs.CreatePointFont(85, "Tahoma");
    m_wndTabs.SetFont(&m_fontTabs);
    if (m_TabImages.Create(IDB_VIEW_TABS, 16, 1, RGB(0, 255, 0)))
        m_wndTabs.SetImageList(&m_TabImages);
    m_cxTabArea = 10;
    for (int i = 0; i < int(std::size(kTabs)); ++i) {
        m_wndTabs.InsertItem(i, kTabs[i].pszText, kTabs[i].nImage);
        CRect rect;
        m_wndTabs.GetItemRect(i, &rect);
        m_cxTabArea += rect.Width();
        m_cyTabArea = rect.Height() + 7;
    }

    m_fontCaption.CreateFont(-18, 0, 0, 0, FW_BOLD, FALSE, FALSE, FALSE, ANSI_CHARSET,
                             OUT_DEFAULT_PRECIS, CLIP_DEFAULT_PRECIS, DEFAULT_QUALITY,
                             DEFAULT_PITCH | FF_SWISS, "Arial");
    if (!m_wndCaption.Create(AfxGetAppName(), WS_CHILD | WS_VISIBLE | SS_CENTER, CRect(0, 0, 0, 0),
                             this, kCaptionId))
        return -1;
    m_wndCaption.SetColours(::GetSysColor(COLOR_BTNFACE), ::GetSysColor(COLOR_BTNSHADOW),
                            ::GetSysColor(COLOR_WINDOW));
    m_wndCaption.SetAppearance(kCaptionInset, &m_fontCaption, nullptr, nullptr);
    SetCaption(AfxGetAppName(), -1);
    return 0;
}

void CViewTabBar::SetCaption(const CString& text, int nImage)
{
    // The item's image, or the program's icon for no image.
    HICON hIcon = nullptr;
    if (CMathApp* pApp = GetMathApp(); pApp && nImage >= 0)
        hIcon = pApp->m_ImageListSmall.ExtractIcon(nImage);
    if (!hIcon)
        hIcon = HICON(::LoadImageA(AfxGetResourceHandle(), MAKEINTRESOURCEA(IDR_MAINFRAME),
                                   IMAGE_ICON, 16, 16, LR_DEFAULTCOLOR));
    m_wndCaption.SetCaption(text, hIcon);
    if (m_hCaptionIcon)
        ::DestroyIcon(m_hCaptionIcon);
    m_hCaptionIcon = hIcon;
}

void CViewTabBar::HighlightTab(UINT nCommand)
{
    int nTab = -1;
    for (int i = 0; i < int(std::size(kTabs)); ++i)
        if (kTabs[i].nCommand == nCommand)
            nTab = i;
    if (m_wndTabs.GetSafeHwnd() && m_wndTabs.GetCurSel() != nTab)
        m_wndTabs.SetCurSel(nTab);
}

void CViewTabBar::OnSize(UINT nType, int cx, int cy)
{
    CWnd::OnSize(nType, cx, cy);
    if (nType != SIZE_RESTORED && nType != SIZE_MAXIMIZED)
        return;
    const int cxTabs = std::min(m_cxTabArea, cx);
    m_wndTabs.MoveWindow(cx - cxTabs, 0, cxTabs, cy);
    m_wndCaption.MoveWindow(0, 0, cx - cxTabs, cy);
}

void CViewTabBar::OnTabClick(NMHDR*, LRESULT* pResult)
{
    if (UINT nCommand = GetTabCommand(m_wndTabs.GetCurSel()))
        if (CWnd* pMain = AfxGetMainWnd())
            pMain->PostMessage(WM_COMMAND, nCommand);
    *pResult = 0;
}

void CViewTabBar::OnContextMenu(CWnd*, CPoint point)
{
    if (point.x == -1 && point.y == -1) {
        point = CPoint(5, 5);
        ClientToScreen(&point);
    }
    if (!m_menuToggleViews.GetSafeHmenu()) {
        if (!m_menuToggleViews.LoadMenu(IDR_TOGGLE_VIEWS))
            return;
        m_menuToggleViews.LoadToolBarImages(IDR_MAINFRAME);
    }
    if (CMenu* pPopup = m_menuToggleViews.GetSubMenu(0))
        pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, point.x, point.y, AfxGetMainWnd());
}
