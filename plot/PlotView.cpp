#include "plot/PlotView.h"

#include "engine/EngineErrors.h"
#include "framework/win/CCmdUI.h"
#include "framework/win/CDocument.h"
#include "framework/win/CPrintDialog.h"
#include "framework/win/FrameworkIds.h"
#include "framework/win/MessageCrackers.h"
#include "plot/Plot2D.h"
#include "plot/PlotDocument.h"
#include "res/resource.h"

#include <algorithm>

IMPLEMENT_DYNCREATE(CPlotView, CView)

BEGIN_MESSAGE_MAP(CPlotView, CView)
ON_WM_CREATE()
ON_WM_SIZE()
ON_WM_KEYDOWN()
ON_WM_SETFOCUS()
ON_WM_KILLFOCUS()
ON_WM_CONTEXTMENU()
ON_WM_INITMENUPOPUP()
ON_WM_LBUTTONDOWN()
ON_WM_LBUTTONUP()
ON_WM_MOUSEMOVE()
ON_NOTIFY_RANGE(PLOTN_POINTERMOVE, IDC_PLOT_FUNCTION, IDC_PLOT_PREVIEW, &CPlotView::OnPointerMove)
ON_NOTIFY_RANGE(PLOTN_CONTEXTMENU, IDC_PLOT_FUNCTION, IDC_PLOT_PREVIEW,
                &CPlotView::OnPlotContextMenu)
ON_NOTIFY(PLOTN_SELECTED, IDC_PLOT_FUNCTION, &CPlotView::OnGraphSelected)
ON_NOTIFY_RANGE(PLOTN_POINTERLEFT, IDC_PLOT_FUNCTION, IDC_PLOT_PREVIEW, &CPlotView::OnPointerLeft)
ON_MESSAGE(WM_PLOT_ITEMFAILED, &CPlotView::OnItemFailed)
ON_COMMAND(ID_PLOT2D_ZOOM_IN, &CPlotView::OnZoomIn)
ON_COMMAND(ID_PLOT2D_ZOOM_OUT, &CPlotView::OnZoomOut)
ON_COMMAND(ID_PLOT2D_ZOOM_ORIGINAL, &CPlotView::OnZoomOriginal)
ON_COMMAND(ID_PLOT2D_RECENTER, &CPlotView::OnRecenter)
ON_COMMAND(ID_PLOT2D_COPY_BITMAP, &CPlotView::OnCopyBitmap)
ON_COMMAND(ID_EDIT_COPY, &CPlotView::OnEditCopy)
ON_UPDATE_COMMAND_UI(ID_EDIT_COPY, &CPlotView::OnUpdateEditCopy)
ON_COMMAND(ID_FILE_PRINT, &CView::OnFilePrint)
ON_COMMAND(ID_FILE_PRINT_DIRECT, &CView::OnFilePrintDirect)
ON_COMMAND(ID_FILE_PRINT_PREVIEW, &CView::OnFilePrintPreview)
END_MESSAGE_MAP()

CPlotView::CPlotView() { m_wndFunction.m_bInteractive = TRUE; }

IPlotDocument* CPlotView::GetPlotDocument() const
{
    return dynamic_cast<IPlotDocument*>(GetDocument());
}

CPlot2DWnd& CPlotView::GetPlotWindow(UINT nID)
{
    return nID == IDC_PLOT_DATA      ? m_wndData
           : nID == IDC_PLOT_PREVIEW ? m_wndPreview
                                     : m_wndFunction;
}

int CPlotView::OnCreate(LPCREATESTRUCT lpcs)
{
    if (CView::OnCreate(lpcs) == -1)
        return -1;
    const DWORD dwStyle = WS_CHILD | WS_VISIBLE | WS_CLIPSIBLINGS;
    const CRect rect(0, 0, 10, 10);
    m_wndData.m_bInteractive = FALSE;
    m_wndPreview.m_bInteractive = FALSE;
    if (!m_wndData.Create("", dwStyle, rect, this, IDC_PLOT_DATA) ||
        !m_wndPreview.Create("", dwStyle, rect, this, IDC_PLOT_PREVIEW) ||
        !m_wndFunction.Create("", dwStyle, rect, this, IDC_PLOT_FUNCTION))
        return -1;
    return 0;
}

void CPlotView::OnInitialUpdate()
{
    if (!m_menuPlot.GetSafeHmenu() && m_menuPlot.LoadMenu(IDR_PLOT_CONTEXT))
        m_menuPlot.LoadToolBarImages(IDR_MAINFRAME);
    if (!m_menuData.GetSafeHmenu() && m_menuData.LoadMenu(IDR_DATAPLOT_CONTEXT))
        m_menuData.LoadToolBarImages(IDR_MAINFRAME);
    if (IPlotDocument* pDoc = GetPlotDocument()) {
        m_wndFunction.SetPlot(&pDoc->GetFunctionPlot());
        m_wndData.SetPlot(&pDoc->GetDataPlot());
        m_wndPreview.SetPlot(&pDoc->GetPreviewPlot());
    }
    ShowPlotForSelection();
}

void CPlotView::ShowPlotForSelection()
{
    IPlotDocument* pDoc = GetPlotDocument();
    if (!pDoc || !m_wndFunction.m_hWnd)
        return;
    const int kind = pDoc->GetSelectedKind();
    CPlot2DWnd* pWnd = &m_wndFunction;
    if (kind == kPlotItemDataGraph)
        pWnd = &m_wndData;
    else if (kind == kPlotItemTable)
        pWnd = &m_wndPreview;
    else if (kind == kPlotItem2DGraph && pDoc->GetSelectedIndex() >= 0)
        m_wndFunction.SelectItem(pDoc->GetSelectedIndex());
    if (pWnd != m_pCurrent) {
        if (m_pCurrent)
            m_pCurrent->ShowFocus(FALSE);
        pWnd->ShowFocus(::GetFocus() == m_hWnd);
        m_pCurrent = pWnd;
        CRect client;
        GetClientRect(&client);
        ::SetWindowPos(pWnd->m_hWnd, HWND_TOP, 0, 0, client.Width(), client.Height(), 0);
    }
    m_pCurrent->Refresh(TRUE);
}

void CPlotView::OnSize(UINT nType, int cx, int cy)
{
    CView::OnSize(nType, cx, cy);
    if (nType != SIZE_RESTORED && nType != SIZE_MAXIMIZED)
        return;
    if (m_pCurrent && m_pCurrent->m_hWnd)
        m_pCurrent->MoveWindow(0, 0, cx, cy);
    if (IPlotDocument* pDoc = GetPlotDocument())
        pDoc->StorePaneSize(kPlotPane2D, cx, cy);
}

void CPlotView::OnDraw(CDC*) {}

void CPlotView::OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags)
{
    if (nChar == VK_DELETE)
        if (IPlotDocument* pDoc = GetPlotDocument())
            pDoc->RemoveSelectedItem();
    CView::OnKeyDown(nChar, nRepCnt, nFlags);
}

// The view keeps the keyboard (Delete removes the selected graph); the plot shown marks it.
void CPlotView::OnSetFocus(CWnd* pOldWnd)
{
    CView::OnSetFocus(pOldWnd);
    if (m_pCurrent)
        m_pCurrent->ShowFocus(TRUE);
}

void CPlotView::OnKillFocus(CWnd* pNewWnd)
{
    CView::OnKillFocus(pNewWnd);
    if (m_pCurrent)
        m_pCurrent->ShowFocus(FALSE);
}

// The keyboard's context menu (Shift+F10) is the plot shown's.
void CPlotView::OnContextMenu(CWnd*, CPoint point)
{
    if (m_pCurrent)
        m_pCurrent->SendMessage(WM_CONTEXTMENU, WPARAM(m_pCurrent->m_hWnd),
                                MAKELPARAM(point.x, point.y));
}

void CPlotView::OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu)
{
    // The main window gives the items of our pop-ups their state.
    if (CWnd* pMain = AfxGetMainWnd())
        pMain->SendMessage(WM_INITMENUPOPUP, WPARAM(pPopupMenu->GetSafeHmenu()),
                           MAKELPARAM(nIndex, bSysMenu));
}

void CPlotView::OnPointerMove(UINT, NMHDR* pNMHDR, LRESULT*)
{
    const auto* pInfo = reinterpret_cast<const PlotNotifyInfo*>(pNMHDR);
    m_dLastX = pInfo->x;
    m_dLastY = pInfo->y;
    if (IPlotDocument* pDoc = GetPlotDocument())
        pDoc->SetCoordinates(pInfo->x, pInfo->y);
}

void CPlotView::OnPlotContextMenu(UINT nID, NMHDR* pNMHDR, LRESULT*)
{
    const auto* pInfo = reinterpret_cast<const PlotNotifyInfo*>(pNMHDR);
    CMenu* pPopup = nullptr;
    if (nID != IDC_PLOT_FUNCTION) {
        pPopup = m_menuData.GetSafeHmenu() ? m_menuData.GetSubMenu(0) : nullptr;
    } else if (pInfo->item < 0) {
        pPopup = m_menuPlot.GetSafeHmenu() ? m_menuPlot.GetSubMenu(0) : nullptr;
    } else if (IPlotDocument* pDoc = GetPlotDocument()) {
        pPopup = pDoc->GetContextMenuForType(kPlotItem2DGraph);
    }
    if (pPopup)
        pPopup->TrackPopupMenu(TPM_LEFTALIGN | TPM_RIGHTBUTTON, int(pInfo->x), int(pInfo->y), this);
}

void CPlotView::OnGraphSelected(NMHDR* pNMHDR, LRESULT*)
{
    const auto* pInfo = reinterpret_cast<const PlotNotifyInfo*>(pNMHDR);
    if (IPlotDocument* pDoc = GetPlotDocument())
        pDoc->SelectItemByIndex(kPlotItem2DGraph, pInfo->item);
}

void CPlotView::OnPointerLeft(UINT, NMHDR*, LRESULT*)
{
    if (IPlotDocument* pDoc = GetPlotDocument())
        pDoc->ClearCoordinateText();
}

LRESULT CPlotView::OnItemFailed(WPARAM wParam, LPARAM lParam)
{
    // Only the function plot's graphs have explorer items to mark.
    if (wParam == IDC_PLOT_FUNCTION)
        if (IPlotDocument* pDoc = GetPlotDocument())
            pDoc->FlagFailedGraph(int(lParam));
    // A graph whose sampling ran out of time says so where the user looks next, without
    // stopping every redraw with a message box.
    const CPlot2D* pPlot = GetPlotWindow(UINT(wParam)).GetPlot();
    const int index = int(lParam);
    if (pPlot && index >= 0 && index < pPlot->GetItemCount() && pPlot->GetItem(index)->m_bCutShort)
        if (CFrameWnd* pFrame = GetParentFrame())
            pFrame->SetMessageText(GetErrorText(ErrMaxIterations));
    return 0;
}

void CPlotView::ZoomFunctionPlot(double dFactor, double x, double y)
{
    IPlotDocument* pDoc = GetPlotDocument();
    if (!pDoc)
        return;
    pDoc->GetFunctionPlot().Zoom(dFactor, x, y);
    ShowPlotForSelection();
    pDoc->RefreshGraphGrid();
}

void CPlotView::OnZoomIn()
{
    if (IPlotDocument* pDoc = GetPlotDocument())
        ZoomFunctionPlot(1.0 / pDoc->GetFunctionPlot().m_dZoomFactor, m_dLastX, m_dLastY);
}

void CPlotView::OnZoomOut()
{
    if (IPlotDocument* pDoc = GetPlotDocument())
        ZoomFunctionPlot(pDoc->GetFunctionPlot().m_dZoomFactor, m_dLastX, m_dLastY);
}

void CPlotView::OnZoomOriginal() { ZoomFunctionPlot(0, 0, 0); }

void CPlotView::OnRecenter() { ZoomFunctionPlot(-1, m_dLastX, m_dLastY); }

void CPlotView::OnCopyBitmap()
{
    if (m_pCurrent)
        m_pCurrent->CopyAsBitmap();
}

void CPlotView::OnEditCopy()
{
    IPlotDocument* pDoc = GetPlotDocument();
    if (!m_pCurrent || !pDoc || !m_pCurrent->GetPlot())
        return;
    const CRect window = m_pCurrent->GetPlot()->m_rectWindow;
    int width = window.Width(), height = window.Height();
    if (pDoc->AskPlotCopySize(width, height))
        m_pCurrent->CopyToClipboard(pDoc->GetPlotCopyFormat(), width, height);
}

void CPlotView::OnUpdateEditCopy(CCmdUI* pCmdUI) { pCmdUI->Enable(m_pCurrent != nullptr); }

BOOL CPlotView::OnPreparePrinting(CPrintInfo* pInfo)
{
    pInfo->SetMaxPage(1);
    return DoPreparePrinting(pInfo);
}

void CPlotView::OnPrint(CDC* pDC, CPrintInfo* pInfo)
{
    CPlot2D* pPlot = m_pCurrent ? m_pCurrent->GetPlot() : nullptr;
    if (!pPlot)
        return;
    // Label fonts are sized in screen pixels: on paper they grow by the printer's resolution.
    const double dScale =
        double(pDC->GetDeviceCaps(LOGPIXELSY)) / double(std::max(1, GetPlotScreenMetrics().nDpiY));
    const CRect saved = pPlot->m_rectWindow;
    const CRect& page = pInfo->m_rectDraw;
    pPlot->Layout(page.left, page.top, page.right, page.bottom);
    pPlot->Draw(pDC, dScale);
    pPlot->Layout(saved.left, saved.top, saved.right, saved.bottom);
    // The graphs were mapped onto the page: the window maps them back to the screen.
    m_pCurrent->Refresh(TRUE);
}
