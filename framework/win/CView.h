#pragma once
#include "framework/win/CWnd.h"

class CDC;
class CDocument;
class CFrameWnd;
struct CPrintInfo;

// A window that shows (part of) a document. It belongs to the document given in the creation
// context, draws through OnDraw, and gets first offer of the frame's commands before its
// document does.
class CView : public CWnd {
    DECLARE_DYNAMIC(CView)
public:
    ~CView() override;

    CDocument* GetDocument() const { return m_pDocument; }
    CFrameWnd* GetParentFrame() const;

    virtual void OnInitialUpdate();
    // The document changed: by default the whole view is redrawn.
    virtual void OnUpdate(CView* pSender, LPARAM lHint, CObject* pHint);
    virtual void OnActivateView(BOOL bActivate, CView* pActivateView, CView* pDeactiveView);
    virtual void OnActivateFrame(UINT nState, CFrameWnd* pFrameWnd);
    virtual void OnDraw(CDC* pDC) = 0;
    virtual void OnPrepareDC(CDC* pDC, CPrintInfo* pInfo = nullptr);

    // Printing hooks, driven by the print job and the print preview (CViewPrint.cpp). A view
    // that prints overrides OnPreparePrinting to call DoPreparePrinting.
    virtual BOOL OnPreparePrinting(CPrintInfo* pInfo);
    virtual void OnBeginPrinting(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnPrint(CDC* pDC, CPrintInfo* pInfo);
    virtual void OnEndPrinting(CDC* pDC, CPrintInfo* pInfo);
    // The printer and its device context: the print dialog, or the current printer for a
    // preview or a direct print. FALSE when the user cancelled or there is no printer (the
    // user has been told).
    BOOL DoPreparePrinting(CPrintInfo* pInfo);
    // The preview has ended (Close, Escape or Print): the frame is the view's again.
    virtual void OnEndPrintPreview(CDC* pDC, CPrintInfo* pInfo);
    // File/Print with the print dialog and File/Print without it (on the current printer):
    // a view that prints maps them to its commands.
    void OnFilePrint();
    void OnFilePrintDirect();
    // File/Print Preview: the preview takes the frame's client area until it is closed.
    void OnFilePrintPreview();

    // The view first, then its document.
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;
    BOOL PreCreateWindow(CREATESTRUCT& cs) override;

protected:
    CView() = default;
    void PostNcDestroy() override;

    int OnCreate(LPCREATESTRUCT lpcs);
    void OnDestroy();
    void OnPaint();
    LRESULT OnMouseActivateMsg(WPARAM wParam, LPARAM lParam);
    LRESULT OnInitialUpdateMsg(WPARAM wParam, LPARAM lParam);
    // Next/previous pane (F6, Shift+F6) when the view sits in a splitter.
    void OnNextPaneCmd(UINT nID);
    void OnUpdateNextPaneMenu(CCmdUI* pCmdUI);

    CDocument* m_pDocument = nullptr;

private:
    void PrintJob(BOOL bDirect);

    friend class CDocument;
    DECLARE_MESSAGE_MAP()
};
