#pragma once
#include "framework/win/CView.h"
#include "ui/KxOutlookBar.h"
#include "ui/KxPagerCtrl.h"
#include "ui/PaneSplitterWnd.h"

class CRuntimeClass;

// The splitters of the main frame.
class COutlookSplitterWnd : public CPaneSplitterWnd {
    DECLARE_DYNCREATE(COutlookSplitterWnd)
};

// The classes of the four working panes, by view bit. A pane whose own view is not built yet
// shows a CPaneView naming it; each later view takes its row here.
struct PaneClass {
    UINT viewBit;
    CRuntimeClass* pClass;
    const char* pszName;
};
const PaneClass& GetPaneClass(UINT viewBit);

// A pane without its content yet: it shows the pane's name and reports its size to the
// document like every pane.
class CPaneView : public CView {
    DECLARE_DYNCREATE(CPaneView)
public:
    void SetPane(UINT viewBit, const char* pszName);
    UINT GetViewBit() const { return m_nViewBit; }
    void OnDraw(CDC* pDC) override;

protected:
    void OnSize(UINT nType, int cx, int cy);

    UINT m_nViewBit = 0;
    CString m_strName;

    DECLARE_MESSAGE_MAP()
};

// The side bar's view in the frame's first column, which never shows: a pager filling it that
// scrolls a list of large icons (holding no items).
class COutlookBarView : public CView {
    DECLARE_DYNCREATE(COutlookBarView)
public:
    static constexpr UINT kPagerId = 101;
    static constexpr UINT kListId = 102;
    static constexpr int kListHeight = 575;
    static constexpr int kPagerButtonSize = 15;

    void OnDraw(CDC*) override {}
    CKxPagerCtrl& GetPager() { return m_wndPager; }
    CKxOutlookBar& GetList() { return m_wndList; }

protected:
    int OnCreate(LPCREATESTRUCT lpcs);
    void OnSize(UINT nType, int cx, int cy);
    DECLARE_MESSAGE_MAP()

    CKxPagerCtrl m_wndPager;
    CKxOutlookBar m_wndList;
};

// Tells the project document a pane's new size (view bit 16: the explorer).
void ReportPaneSize(CView* pView, UINT viewBit, int cx, int cy);
