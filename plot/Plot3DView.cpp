#include "plot/Plot3DView.h"

#include "framework/win/CCmdUI.h"
#include "framework/win/CDocument.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/MessageCrackers.h"
#include "plot/Plot3DScene.h"
#include "plot/PlotDocument.h"
#include "res/resource.h"

IMPLEMENT_DYNCREATE(CPlot3DView, CView)

BEGIN_MESSAGE_MAP(CPlot3DView, CView)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_CONTEXTMENU()
ON_WM_INITMENUPOPUP()
ON_NOTIFY(PLOTN_CONTEXTMENU, IDC_PLOT_3D, &CPlot3DView::OnPlotContextMenu)
ON_COMMAND(ID_EDIT_COPY, &CPlot3DView::OnEditCopy)
ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, &CPlot3DView::OnUpdateEditCopy)
END_MESSAGE_MAP()

IPlotDocument* CPlot3DView::GetPlotDocument() const
{
    return dynamic_cast<IPlotDocument*>(GetDocument());
}

int CPlot3DView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    return m_wndPlot.Create("", WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS, CRect(0, 0, 10, 10), this,
                            IDC_PLOT_3D)
               ? 0
               : -1;
}

void CPlot3DView::OnInitialUpdate()
{
    CView::OnInitialUpdate();
    if (IPlotDocument* pDoc = GetPlotDocument())
        m_wndPlot.SetScene(&pDoc->GetScene());
    Refresh();
}

void CPlot3DView::Refresh()
{
    if (!m_wndPlot.m_hWnd)
        return;
    m_wndPlot.m_bStale = TRUE;
    m_wndPlot.Invalidate(FALSE);
}

void CPlot3DView::OnDraw(CDC*) {}

void CPlot3DView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (nType != SIZE_RESTORED && nType != SIZE_MAXIMIZED)
        return;
    if (m_wndPlot.m_hWnd)
        m_wndPlot.MoveWindow(0, 0, cx, cy, TRUE);
    if (IPlotDocument* pDoc = GetPlotDocument())
        pDoc->StorePaneSize(kPlotPane3D, cx, cy);
}

void CPlot3DView::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->SendMessage(WM_INITMENUPOPUP, WPARAM(pPopupMenu->GetSafeHmenu()),
                           MAKELPARAM(nIndex, bSysMenu));
}

// The view keeps the keyboard; the plot marks it and opens the keyboard's context menu.
void CPlot3DView::OnSetFocus(CWnd* pOldWnd)
{
    CView::OnSetFocus(pOldWnd);
    m_wndPlot.ShowFocus(TRUE);
}

void CPlot3DView::OnKillFocus(CWnd* pNewWnd)
{
    CView::OnKillFocus(pNewWnd);
    m_wndPlot.ShowFocus(FALSE);
}

void CPlot3DView::OnContextMenu(CWnd*, CPoint point)
{
    if (m_wndPlot.m_hWnd)
        m_wndPlot.SendMessage(WM_CONTEXTMENU, WPARAM(m_wndPlot.m_hWnd),
                              MAKELPARAM(point.x, point.y));
}

void CPlot3DView::OnPlotContextMenu(NMHDR* pNMHDR, LRESULT*)
{
    const auto* pInfo = reinterpret_cast<const PlotNotifyInfo*>(pNMHDR);
    IPlotDocument* pDoc = GetPlotDocument();
    if (CMenu* pPopup = pDoc ? pDoc->GetContextMenuForType(kPlotItem3DGraph) : nullptr)
        pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, int(pInfo->x), int(pInfo->y), this);
}

void CPlot3DView::OnEditCopy()
{
    IPlotDocument* pDoc = GetPlotDocument();
    if (!pDoc)
        return;
    const RECT& rect = pDoc->GetScene().m_rect;
    int width = rect.right - rect.left, height = rect.bottom - rect.top;
    if (pDoc->AskPlotCopySize(width, height))
        m_wndPlot.CopyToClipboard(pDoc->GetPlotCopyFormat(), width, height);
}

void CPlot3DView::OnUpdateEditCopy(CCmdUI* pCmdUI) { pCmdUI->Enable(TRUE); }
