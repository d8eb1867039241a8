#pragma once
#include "framework/win/CView.h"
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

// The side bar's view in the frame's first column, which never shows.
class COutlookBarView : public CView {
    DECLARE_DYNCREATE(COutlookBarView)
public:
    void OnDraw(CDC*) override {}
};

// Tells the project document a pane's new size (view bit 16: the explorer).
void ReportPaneSize(CView* pView, UINT viewBit, int cx, int cy);
