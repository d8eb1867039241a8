#pragma once
#include "framework/win/CView.h"
#include "plot/PlotWnd.h"

class IPlotDocument;

// The 3-D plot pane: it hosts the 3-D plot window (135), copies the scene and opens the 3-D
// graph's context menu.
class CPlot3DView : public CView {
    DECLARE_DYNCREATE(CPlot3DView)
public:
    // The window draws the scene again.
    void Refresh();
    CPlot3DWnd& GetPlotWindow() { return m_wndPlot; }

    void OnDraw(CDC* pDC) override;
    void OnInitialUpdate() override;

protected:
    IPlotDocument* GetPlotDocument() const;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    void OnSetFocus(CWnd* pOldWnd);
    void OnKillFocus(CWnd* pNewWnd);
    void OnContextMenu(CWnd* pWnd, CPoint point);
    void OnInitMenuPopup(CMenu* pPopupMenu, UINT nIndex, BOOL bSysMenu);
    void OnPlotContextMenu(NMHDR* pNMHDR, LRESULT* pResult);
    void OnEditCopy();
    void OnUpdateEditCopy(CCmdUI* pCmdUI);

    CPlot3DWnd m_wndPlot;

    DECLARE_MESSAGE_MAP()
};
