#pragma once
// The print preview: a view that takes its frame's client area while it runs, under a bar of
// buttons, and shows the pages another view prints. Each page is recorded into an enhanced
// metafile referenced to the printer's device context, exactly as the view would print it, and
// played scaled into its place on the screen.
#include "framework/win/CControlBar.h"
#include "framework/win/CDC.h"
#include "framework/win/CFrameWnd.h"
#include "framework/win/CPrintDialog.h"
#include "framework/win/CView.h"

#include <map>

class CPreviewView;

// The preview's bar: Print, Next Page, Prev Page, One/Two Pages, Zoom In, Zoom Out, Close and
// the page number, made in code. Its buttons command the preview view.
class CPreviewBar : public CControlBar {
public:
    BOOL Create(CFrameWnd* pFrame, CPreviewView* pView);
    CSize CalcFixedLayout(BOOL bStretch, BOOL bHorz) override;
    void OnUpdateCmdUI(CFrameWnd*, BOOL) override {}
    // Enables the buttons and shows the page text and the One/Two Pages caption.
    void Update(BOOL bNext, BOOL bPrev, BOOL bZoomIn, BOOL bZoomOut, UINT nPagesShown,
                const CString& pageText);

protected:
    BOOL OnCommand(WPARAM wParam, LPARAM lParam) override;
    void DoPaint(CDC* pDC) override;

private:
    CPreviewView* m_pView = nullptr;
    HFONT m_hFont = nullptr;
};

class CPreviewView : public CView {
    DECLARE_DYNAMIC(CPreviewView)
public:
    // Zoom levels: the pages fitted into the window, between, and the paper's own size.
    static constexpr int kZoomFit = 0;
    static constexpr int kZoomActual = 2;

    // Starts the preview of pPrintView in its frame. FALSE, with the frame unchanged, when the
    // view does not print or there is no printer (the user has been told).
    static BOOL Start(CView* pPrintView);

    void OnDraw(CDC* pDC) override;
    BOOL OnCmdMsg(UINT nID, int nCode, void* pExtra, AFX_CMDHANDLERINFO* pHandlerInfo) override;

    UINT GetCurrentPage() const { return m_nCurrentPage; }
    UINT GetPagesShown() const { return m_nPagesShown; }
    int GetZoom() const { return m_nZoom; }
    // Where page n of those shown (0 or 1) lies in the client area, paper and printable area.
    CRect GetPaperRect(UINT n) const;
    CPrintInfo& GetPrintInfo() { return m_info; }
    CView* GetPrintView() const { return m_pPrintView; }
    // Whether page n exists: within the set range, or (length unknown) kept by the view.
    BOOL PageExists(UINT nPage);

    // The bar's commands.
    void OnPreviewClose();
    void OnPreviewPrint();
    void OnNextPage();
    void OnPrevPage();
    void OnNumPage();
    void OnZoomIn();
    void OnZoomOut();

protected:
    CPreviewView() = default;
    ~CPreviewView() override;

    BOOL PreCreateWindow(CREATESTRUCT& cs) override;
    void OnSize(UINT nType, int cx, int cy);
    BOOL OnEraseBkgnd(CDC* pDC);
    void OnKeyDown(UINT nChar, UINT nRepCnt, UINT nFlags);
    void OnHScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    void OnVScroll(UINT nSBCode, UINT nPos, CScrollBar* pScrollBar);
    LRESULT OnPrintClient(WPARAM wParam, LPARAM lParam);
    void PostNcDestroy() override;
    DECLARE_MESSAGE_MAP()

private:
    BOOL Begin(CFrameWnd* pFrame, CView* pPrintView);
    // The page recorded as the view prints it (kept until the preview ends).
    HENHMETAFILE PageMetafile(UINT nPage);
    void FreePages();
    // Screen pixels per printer pixel at a zoom level.
    double ZoomScale(int nZoom) const;
    void GoToPage(UINT nPage);
    void UpdateScrollBars();
    void UpdateBar();
    void Scroll(int nBar, UINT nSBCode, UINT nPos);

    CView* m_pPrintView = nullptr;
    CFrameWnd* m_pFrame = nullptr;
    CPreviewBar m_wndBar;
    CPrintPreviewState m_state;
    CPrintInfo m_info;
    CDC m_dcPrinter;
    std::map<UINT, HENHMETAFILE> m_pages;
    UINT m_nCurrentPage = 1;
    UINT m_nPagesShown = 1;
    int m_nZoom = kZoomFit;
    CPoint m_scroll{0, 0};
    CSize m_sizePaper{0, 0}; // printer pixels
    CRect m_rectPrintable;   // printer pixels, on the paper
    CSize m_printerDpi{300, 300};
    BOOL m_bEnding = FALSE;
};
