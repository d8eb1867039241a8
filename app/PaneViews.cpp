#include "app/PaneViews.h"

#include "analysis/GridView.h"
#include "app/MyDocument.h"
#include "app/RichWorkspace.h"
#include "app/ViewLayout.h"
#include "framework/win/CDC.h"
#include "framework/win/MessageCrackers.h"
#include "plot/Plot3DView.h"
#include "plot/PlotView.h"

IMPLEMENT_DYNCREATE(COutlookSplitterWnd, CPaneSplitterWnd)
IMPLEMENT_DYNCREATE(COutlookBarView, CView)
IMPLEMENT_DYNCREATE(CPaneView, CView)

namespace {

// clang-format off
const PaneClass kPaneClasses[] = {
    {ViewWorkspace, RUNTIME_CLASS(CRichWorkspace), "Workspace"},
    {View2DPlot,    RUNTIME_CLASS(CPlotView),      "2D Plot"},
    {View3DPlot,    RUNTIME_CLASS(CPlot3DView),    "3D Plot"},
    {ViewGrid,      RUNTIME_CLASS(CGridView),      "Grid"},
};
// clang-format on

} // namespace

const PaneClass& GetPaneClass(UINT viewBit)
{
    for (const PaneClass& pane : kPaneClasses)
        if (pane.viewBit == viewBit)
            return pane;
    return kPaneClasses[0];
}

void ReportPaneSize(CView* pView, UINT viewBit, int cx, int cy)
{
    if (auto* pDoc = dynamic_cast<CMyDocument*>(pView->GetDocument()))
        pDoc->StorePaneSize(viewBit, cx, cy);
}

BEGIN_MESSAGE_MAP(COutlookBarView, CView)
ON_WM_CREATE()
ON_WM_SIZE()
END_MESSAGE_MAP()

int COutlookBarView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    const CRect rect(0, 0, lpcs->cx, lpcs->cy);
    if (!m_wndPager.Create(WS_VISIBLE | PGS_VERT, rect, this, kPagerId) ||
        !m_wndList.Create(WS_CHILD | WS_VISIBLE | LBS_OWNERDRAWFIXED | LBS_NOINTEGRALHEIGHT |
                              LBS_NOTIFY,
                          CRect(0, 0, lpcs->cx, kListHeight), &m_wndPager, kListId))
        return -1;
    m_wndList.SetNotifyWindow(this);
    m_wndPager.SetChild(m_wndList.m_hWnd);
    m_wndPager.SetButtonSize(kPagerButtonSize);
    m_wndPager.SetChildExtent(kListHeight);
    return 0;
}

void COutlookBarView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (m_wndPager.m_hWnd)
        m_wndPager.MoveWindow(0, 0, cx, cy);
}

BEGIN_MESSAGE_MAP(CPaneView, CView)
ON_WM_SIZE()
END_MESSAGE_MAP()

void CPaneView::SetPane(UINT viewBit, const char* pszName)
{
    m_nViewBit = viewBit;
    m_strName = pszName;
    Invalidate();
}

void CPaneView::OnDraw(CDC* pDC)
{
    CRect rect;
    GetClientRect(&rect);
    pDC->SetBkMode(TRANSPARENT);
    pDC->SetTextColor(::GetSysColor(COLOR_GRAYTEXT));
    HGDIOBJ hOld = ::SelectObject(pDC->GetSafeHdc(), ::GetStockObject(DEFAULT_GUI_FONT));
    pDC->DrawText(m_strName, &rect, DT_CENTER | DT_VCENTER | DT_SINGLELINE);
    ::SelectObject(pDC->GetSafeHdc(), hOld);
}

void CPaneView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if ((nType == SIZE_RESTORED || nType == SIZE_MAXIMIZED) && m_nViewBit)
        ReportPaneSize(this, m_nViewBit, cx, cy);
}
