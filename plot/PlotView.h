#pragma once
#include "framework/win/CView.h"
#include "plot/PlotWnd.h"
#include "ui/OwnerDrawMenu.h"

class IPlotDocument;

// The 2-D plot pane: three plot windows, one per document plot (the function plot 116, the
// data plot 117, the table preview 118), of which the one that suits the selected item shows.
// It turns the windows' notifications into the status-bar read-out, context menus and
// selections, and carries the zoom, copy and print commands.
class CPlotView : public CView {
    DECLARE_DYNCREATE(CPlotView)
public:
    CPlotView();

    // Window 117 for a data graph, 118 for a data table, 116 otherwise (selecting the chosen
    // 2-D graph in it); the window shown is refreshed.
    void ShowPlotForSelection();
    CPlot2DWnd* GetCurrentWindow() const { return m_pCurrent; }
    CPlot2DWnd& GetPlotWindow(UINT nID);
    double GetLastX() const { return m_dLastX; }
    double GetLastY() const { return m_dLastY; }

    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;
    BOOL OnPreparePrinting(CPrintInfo* pInfo) override;
    // The shown plot laid out on the page and drawn with its labels scaled to the printer.
    void OnPrint(CDC* pDC, CPrintInfo* pInfo) override;

protected:
    IPlotDocument* GetPlotDocument() const;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    void OnLButtonDown(UINT, CPoint) {}
    void OnLButtonUp(UINT, CPoint) {}
    void OnMouseMove(UINT, CPoint) {}
    void OnPointerMove(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    void OnPlotContextMenu(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    void OnGraphSelected(NMHDR* pNMHDR, LRESULT* pResult);
    void OnPointerLeft(UINT nID, NMHDR* pNMHDR, LRESULT* pResult);
    LRESULT OnItemFailed(WPARAM wParam, LPARAM lParam);

    void OnZoomIn();
    void OnZoomOut();
    void OnZoomOriginal();
    void OnRecenter();
    void OnCopyBitmap();
    void OnEditCopy();
    void OnUpdateEditCopy(CCmdUI* pCmdUI);

    // Zooms the function plot (whichever window shows) and shows the plot again.
    void ZoomFunctionPlot(double dFactor, double x, double y);

    CPlot2DWnd m_wndFunction;
    CPlot2DWnd m_wndData;
    CPlot2DWnd m_wndPreview;
    CPlot2DWnd* m_pCurrent = nullptr;
    COwnerDrawMenu m_menuPlot;
    COwnerDrawMenu m_menuData;
    double m_dLastX = 0;
    double m_dLastY = 0;

    DECLARE_MESSAGE_MAP()
};
